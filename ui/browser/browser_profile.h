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
class BrowserProfile {
 public:
  static constexpr const char* kName = "Tolvane";

  static QWebEngineProfile* Open(const std::filesystem::path& data_dir);
  // Null until the first Open().
  static QWebEngineProfile* Current();

  static std::filesystem::path StoragePath(const std::filesystem::path& data_dir);
  static std::filesystem::path CachePath(const std::filesystem::path& data_dir);
};

}  // namespace tolvane
