#pragma once

#include <QIcon>
#include <QMenu>
#include <functional>

namespace tolvane {

class SearchTree;
struct SearchTreeItem;

// The search tree as menus, the one walk every menu of engines takes: a
// category is a submenu filled when it first opens (a list of thousands of
// engines stays cheap to offer), an engine an entry. Archived categories
// and engines are not offered. A submenu finds its category again by
// record, so a tree rebuilt while the menu is open fills it from the tree
// of that moment.
struct EngineMenu {
  // Hooks up an engine's entry (its item: record is the engine row).
  std::function<void(QAction& action, const SearchTreeItem& engine)> engine;
  // The icon of a tree image; null: no icons.
  std::function<QIcon(int image)> icon;

  // Fills `menu` with the level under tree item `item` (the root for the
  // whole tree); an empty level leaves the menu disabled.
  void Fill(QMenu& menu, const SearchTree& tree, int item) const;
};

}  // namespace tolvane
