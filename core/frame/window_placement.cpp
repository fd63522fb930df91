#include "core/frame/window_placement.h"

#include "core/files/setting_keys.h"

namespace tolvane {

std::optional<WindowRect> ReadWindowPlacement(const SettingsStore& settings) {
  WindowRect rect;
  rect.cx = Read(settings, settings::kMainWindowCx);
  rect.cy = Read(settings, settings::kMainWindowCy);
  if (rect.cx < 1 || rect.cy < 1) return std::nullopt;
  rect.x = Read(settings, settings::kMainWindowX);
  rect.y = Read(settings, settings::kMainWindowY);
  return rect;
}

}  // namespace tolvane
