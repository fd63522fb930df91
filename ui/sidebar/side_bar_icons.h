#pragma once

#include <QIcon>

namespace tolvane {

// The 16×16 icons of the side bar's page tabs, drawn by the program: a
// magnifier (検索), two stacked tabs (タブ), a star (お気に入り), a key
// (キーワード) and a clock (履歴). An empty icon for other pages.
QIcon SideBarPageIcon(int page);

// An image of the item stores' trees (favorites, keywords, history) by its
// number: the root, the trash, a folder, or a page. Pages show the default
// page image, as the search tree shows its engines, while the trees have no
// favicon images.
QIcon StoreTreeIcon(int image);

}  // namespace tolvane
