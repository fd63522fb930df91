#pragma once

#include <QMenu>
#include <QString>
#include <memory>

#include "core/frame/menu_models.h"

namespace tolvane {

// The context menus of the two tab rows, the clip menu of a user clip's
// close mark and the tab tree's menus, drawn from their models. Each
// action's data() is its command id (int); the caller runs the chosen
// command. Separators and submenus carry no id.

// "CategoryTab": the category commands. Its submenus "open a new tab with an
// engine" and "switch category tab" are empty and disabled until they are
// filled from the search tree and the tab tree (see the accessors below).
std::unique_ptr<QMenu> CreateCategoryTabMenu(QWidget* parent = nullptr);
// "PageTab": the page commands.
std::unique_ptr<QMenu> CreatePageTabMenu(QWidget* parent = nullptr);
// The menu of a user clip's close mark: unclip this page, unclip all, clip all.
std::unique_ptr<QMenu> CreateClipMenu(QWidget* parent = nullptr);
// The tab tree's menu for the item right-clicked; its engine submenu, when
// it has one, waits empty and disabled (CreateTabWithEngineSubmenu).
std::unique_ptr<QMenu> CreateTabTreeMenu(TabTreeSpot spot, QWidget* parent = nullptr);

// The generated submenus of the menus above; null when the menu has none.
QMenu* EngineSubmenu(const QMenu& category_menu);
QMenu* TabSwitchSubmenu(const QMenu& category_menu);
QMenu* CreateTabWithEngineSubmenu(const QMenu& tree_menu);

// The text of a command in the tab menus (with its "&" accelerator; the
// first menu holding it, rows before tree and menu bar), or an empty string
// for an id none of them holds.
QString CommandText(int id);

}  // namespace tolvane
