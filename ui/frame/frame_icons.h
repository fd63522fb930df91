#pragma once

#include <QIcon>
#include <string_view>

namespace tolvane {

// The program's own icon `name` (resources/icons: "back", "lock", …) at 16
// and 24 pixels.
QIcon FrameIcon(std::string_view name);

// The icon of standard tool bar button `index` (0..13).
QIcon StandardButtonIcon(int index);

}  // namespace tolvane
