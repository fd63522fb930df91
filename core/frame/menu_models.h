#pragma once

#include <span>

#include "core/commands/menu_model.h"

namespace tolvane {

// Every menu of the window that lists commands, as data: the menu bar and
// its menus, the tab rows' and the tab tree's menus, the search tree's
// menus, the bands' menu and the tool bars' drop-downs. One ui builder
// draws any of them; the texts and keys come from the string table and the
// command table.
enum class MenuId {
  kMenuBar,
  kFile,
  kEdit,
  kView,
  kBars,
  kZoom,
  kTextSize,
  kTabs,
  kSearch,
  kTools,
  kPopupBlock,
  kHelp,
  // The status bar's zoom pane.
  kZoomPane,
  // The right click on the bands.
  kBands,
  // The standard buttons' 追加 drop-down.
  kAddFavorite,
  // The search bar's search button drop-down.
  kSearchButton,
  kCategoryTab,
  kPageTab,
  kClip,
  // The tab tree: a tab (or its page), a tab kept in the archive, a group,
  // a group filed in the archive, the archive folder, the root.
  kTreeTab,
  kTreeArchivedTab,
  kTreeGroup,
  kTreeArchivedGroup,
  kTreeArchiveFolder,
  kTreeRoot,
  // The search tree: an engine, a category.
  kSearchTreeEngine,
  kSearchTreeCategory,
  kCount,
};

const MenuModel& Menu(MenuId id);
MenuId SubmenuOf(const MenuEntry& entry);

// What the tab tree's menu is for: the kind of item, and where the archive
// stands to it.
enum class TabTreeSpot { kRoot, kGroup, kArchivedGroup, kArchiveFolder, kTab, kArchivedTab };
MenuId TabTreeMenu(TabTreeSpot spot);

// The entries that share an access key on purpose: two texts both fixed as
// the system has them, met in one menu. {menu, first command, second command}.
struct SharedAccessKey {
  MenuId menu;
  CommandId first;
  CommandId second;
};
std::span<const SharedAccessKey> SharedAccessKeys();

}  // namespace tolvane
