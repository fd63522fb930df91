#pragma once

#include <filesystem>

class QWebEngineProfile;

namespace tolvane {

// The one web profile of a run, shared by every page. It is named and kept
// on disk under <data dir>/browser/ (storage/ for cookies, logins and local
// storage, cache/ for the HTTP cache), so all of them survive a restart; the
// engine's default profile would keep nothing.
//
// The engine allows one profile per storage path in a process, so the first
// Open() makes it (owned by the application object, deleted with it after
// every page) and later calls return that same profile.
//
// The first Open() also starts the engine, with at most kRendererProcesses
// renderer processes for all pages (unless QTWEBENGINE_CHROMIUM_FLAGS already
// chooses a process model). By default the engine gives every page its own
// renderer, about 15 MB each: 50 result pages of 5 shops took 774 MB, against
// 509 MB with 8 renderers. Putting each site in one process instead puts
// every page into a single renderer (the engine runs without strict site
// isolation), so one hung or crashed shop page would take all tabs with it.
// Hidden pages are never discarded: showing one again does not reload it.
// Figures: docs/measurements/page-host.md.
class BrowserProfile {
 public:
  static constexpr const char* kName = "Tolvane";
  static constexpr int kRendererProcesses = 8;

  static QWebEngineProfile* Open(const std::filesystem::path& data_dir);
  // Null until the first Open().
  static QWebEngineProfile* Current();

  static std::filesystem::path StoragePath(const std::filesystem::path& data_dir);
  static std::filesystem::path CachePath(const std::filesystem::path& data_dir);
};

}  // namespace tolvane
