#pragma once

#include <string>

#include "core/commands/command_context.h"
#include "core/commands/command_id.h"

namespace tolvane {

class PageHost;
class TabWorkspace;

// What a command acts on: where it was given and, from the tab tree's menu,
// the item right-clicked. The menu leaves the tree's selection (and what
// is shown) alone; the item travels with the command instead.
struct CommandTarget {
  CommandTarget(CommandSource from = CommandSource::kMenu, int item = -1)  // NOLINT: implicit
      : source(from), tree_item(item) {}
  CommandSource source;
  // kTabTree: the tree item the command is about; -1: the tree's selection.
  int tree_item;
};

// The commands on category tabs, page tabs and tab records, by command ID.
// Category commands act on "this tab" (the right-clicked one, else the
// current one) and mostly select it first; page commands act on the
// right-clicked page, else the current one. Commands that need a tab, a page
// or a tree item of the right kind do nothing without one. The archive
// folder and the last group outside it are never deleted: a set-up without
// a group has nowhere to put a new tab but the archive.
class TabCommands {
 public:
  // Command IDs: the command table's numbers where it lists the command,
  // else the menus' own.
  static constexpr int kNewCategoryTab = command::kNewCategoryTab.value();
  static constexpr int kNewTabFromMenu = 32880;
  static constexpr int kNewTabButton = 32789;
  static constexpr int kDuplicateTab = command::kDuplicateCategoryTab.value();
  static constexpr int kCopyTreeTab = 32948;
  static constexpr int kDeleteTab = 32949;
  static constexpr int kDeleteAllTabs = 32954;
  static constexpr int kDeleteAllTabs2 = 32985;
  static constexpr int kDeleteGroup = 32957;
  static constexpr int kTabSettings = 32981;
  static constexpr int kCloseCategory = command::kCloseCategoryTab.value();
  static constexpr int kCloseRightCategories = command::kCloseCategoryTabsRight.value();
  static constexpr int kCloseLeftCategories = command::kCloseCategoryTabsLeft.value();
  static constexpr int kCloseOtherCategories = command::kCloseOtherCategoryTabs.value();
  static constexpr int kCloseAllCategories = command::kCloseAllCategoryTabs.value();
  static constexpr int kSearchInTab = 32972;
  static constexpr int kSearch = command::kSearch.value();
  static constexpr int kBatchSearch = command::kBatchSearch.value();
  static constexpr int kNewPage = command::kNewPageTab.value();
  static constexpr int kDuplicatePage = command::kDuplicatePageTab.value();
  static constexpr int kReloadPage = 32888;
  static constexpr int kRefresh = command::kReload.value();
  static constexpr int kBack = command::kBack.value();
  static constexpr int kForward = command::kForward.value();
  static constexpr int kHome = command::kHome.value();
  static constexpr int kStop = command::kStop.value();
  static constexpr int kReloadAllPages = command::kReloadAllPageTabs.value();
  static constexpr int kClosePage = command::kClosePageTab.value();
  static constexpr int kCloseRightPages = command::kClosePageTabsRight.value();
  static constexpr int kCloseLeftPages = command::kClosePageTabsLeft.value();
  static constexpr int kCloseOtherPages = command::kCloseOtherPageTabs.value();
  static constexpr int kCloseAllPages = 32894;
  static constexpr int kCloseAllPagesOfTab = command::kCloseAllPageTabs.value();
  static constexpr int kToggleClip = command::kToggleClip.value();
  static constexpr int kClipAll = command::kClipAllTabs.value();
  static constexpr int kUnclipAll = command::kUnclipAllTabs.value();
  static constexpr int kAddAllToFavorites = command::kAddAllTabsToFavorites.value();
  static constexpr int kCategoryLeft = command::kCategoryTabLeft.value();
  static constexpr int kCategoryRight = command::kCategoryTabRight.value();
  static constexpr int kCategoryFirst = command::kCategoryTabFirst.value();
  static constexpr int kCategoryLast = command::kCategoryTabLast.value();
  static constexpr int kPageLeft = command::kPageTabLeft.value();
  static constexpr int kPageRight = command::kPageTabRight.value();
  static constexpr int kPageFirst = command::kPageTabFirst.value();
  static constexpr int kPageLast = command::kPageTabLast.value();
  static constexpr int kPreviousTab = command::kPreviousTab.value();
  static constexpr int kNextTab = command::kNextTab.value();

  explicit TabCommands(TabWorkspace& workspace) : ws_(workspace) {}

  // Runs command `id`; false when it is not a tab command.
  bool Execute(int id, const CommandTarget& target = {});
  // Whether the command can do anything now (menu state).
  bool IsEnabled(int id, const CommandTarget& target = {}) const;

  // Opens one page as a new page tab of the current category, right after
  // this page, and selects it (whatever modifier keys the command's key
  // holds); with no category tab at all the first tab of the tab tree is
  // opened first.
  void OpenNewPage(const std::string& url, const std::string& caption);

 private:
  // The tree item a tree command is about (the right-clicked one, else the
  // selection); -1 when none.
  int TreeItem(const CommandTarget& target) const;
  // "This tab": bar index, or -1.
  int ThisCategory(const CommandTarget& target) const;
  // The tab record the command is about (the tree item for the tree).
  int ThisRecord(const CommandTarget& target) const;
  // Selects this tab; from the tree, a tab not shown is chosen first, as a
  // click on it would (which rebuilds the tree: `target.tree_item` may then
  // name another item). Returns the current category, or -1.
  int SelectThisCategory(const CommandTarget& target);
  void NewCategoryTab(const CommandTarget& target);
  void Duplicate(int record);
  void DeleteTab(const CommandTarget& target);
  void DeleteAllTabs(const CommandTarget& target);
  void DeleteGroup(const CommandTarget& target);
  // Whether the tree item is a group that may be deleted: not the archive
  // folder, and some group outside the archive stays.
  bool MayDeleteGroup(int item) const;
  void EditTab(const CommandTarget& target);
  void CloseCategory(const CommandTarget& target);
  // Archives the tabs of this tab's group that `which` picks, in tree order.
  enum class Which { kRight, kLeft, kOthers, kAll };
  void CloseCategories(const CommandTarget& target, Which which);
  void Search(bool every_category);
  void ClosePages(Which which);
  void AddAllToFavorites(const CommandTarget& target);
  // The page "this page" commands act on in the current category: the
  // right-clicked one, else the current one; -1 / null when none.
  int ThisPageIndex() const;
  PageHost* ThisPageHost();
  const PageHost* ThisPageHost() const;
  void MoveCategoryFocus(int id);
  void MovePageFocus(int id);
  void MoveTabFocus(bool forward);
  // Group folder index of the target tree item (group, or a tab's or page's
  // group), -1 when none.
  int TargetGroup(const CommandTarget& target) const;

  TabWorkspace& ws_;
};

}  // namespace tolvane
