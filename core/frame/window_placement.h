#pragma once

#include <optional>

#include "core/files/settings_store.h"

namespace tolvane {

// The main window's rectangle: position and size in pixels.
struct WindowRect {
  int x = 0;
  int y = 0;
  int cx = 0;
  int cy = 0;
};

// The main window's rectangle stored in section "MainWindow" (written at
// close by ShutdownSequence), or nothing when none is stored (cx 0) or the
// stored size is not a window's (a width or height below 1).
std::optional<WindowRect> ReadWindowPlacement(const SettingsStore& settings);

}  // namespace tolvane
