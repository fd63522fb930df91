#pragma once

#include <optional>

#include "core/app/shutdown_sequence.h"
#include "core/files/settings_store.h"

namespace tolvane {

// The main window's rectangle stored in section "MainWindow" (written at
// close by ShutdownSequence), or nothing when none is stored (cx 0) or the
// stored size is not a window's (a width or height below 1).
std::optional<WindowRect> ReadWindowPlacement(const SettingsStore& settings);

}  // namespace tolvane
