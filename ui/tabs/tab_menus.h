#pragma once

#include <QMenu>
#include <QString>
#include <memory>

#include "core/tabs/tab_tree.h"

namespace tolvane {

// The context menus of the two tab rows and the clip menu of a user clip's
// close mark. Each action's data() is its command id (int); the caller
// runs the chosen command. Separators and submenus carry no id.

// "CategoryTab": the category commands. Its submenus "open a new tab with an
// engine" and "switch category tab" are empty and disabled until they are
// filled from the search tree and the tab tree (see the accessors below).
std::unique_ptr<QMenu> CreateCategoryTabMenu(QWidget* parent = nullptr);
// "PageTab": the page commands.
std::unique_ptr<QMenu> CreatePageTabMenu(QWidget* parent = nullptr);
// The menu of a user clip's close mark: unclip this page, unclip all, clip all.
std::unique_ptr<QMenu> CreateClipMenu(QWidget* parent = nullptr);

// The tab tree's menu for an item of `kind` (a page item counts as its
// tab). `archived`: the item is a tab in the archive folder, whose close
// entry restores it, or the archive folder itself, which offers no delete.
std::unique_ptr<QMenu> CreateTabTreeMenu(TabTreeItem::Kind kind, bool archived,
                                         QWidget* parent = nullptr);

// The menu bar's "表示(&V)" menu (back, forward, stop, reload, home), "タブ(&T)"
// menu (tab commands) and "検索(&S)" menu (searches and the keyword box).
// Their keys are the command table's, run by the window's input filter.
enum class MenuBarMenu { kView, kTabs, kSearch };
std::unique_ptr<QMenu> CreateMenuBarMenu(MenuBarMenu which, QWidget* parent = nullptr);

// The two submenus of a menu made by CreateCategoryTabMenu.
QMenu* EngineSubmenu(const QMenu& category_menu);
QMenu* TabSwitchSubmenu(const QMenu& category_menu);

// The text of a command in the tab menus (with its "&" accelerator), or an
// empty string for an id none of them holds.
QString CommandText(int id);

}  // namespace tolvane
