#pragma once

#include <QIcon>
#include <QPixmap>
#include <string_view>

namespace tolvane {

// The program's own icon `name` (resources/icons: "back", "lock", …) at 16
// and 24 pixels.
QIcon FrameIcon(std::string_view name);

// The icon of standard tool bar button `index` (0..13).
QIcon StandardButtonIcon(int index);

// The status bar's favorite mark for `importance` (0..5), `size` pixels
// square: the favorites star, with the importance figure in its corner when
// there is one.
QPixmap ImportancePixmap(int importance, int size);

}  // namespace tolvane
