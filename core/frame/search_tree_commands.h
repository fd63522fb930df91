#pragma once

#include <optional>
#include <string>

#include "core/commands/command_handler.h"

namespace tolvane {

class CategoryFolderTree;
class EngineDialog;
class EngineList;
class SearchTree;
class TabWorkspace;

// What the search tree's commands need of the windows.
class SearchTreeView {
 public:
  virtual ~SearchTreeView() = default;
  // The engine properties dialog on `dialog`, until the user cancels or a
  // save passes its checks; the saved row, or nullopt on Cancel.
  virtual std::optional<int> EditEngine(EngineDialog& dialog) = 0;
  // The model changed (items or selection): draw the tree again.
  virtual void SearchTreeChanged() = 0;
  // The engines or categories changed: the search bar's buttons follow
  // their flags, names and icons.
  virtual void SearchBarItemsChanged() = 0;
};

// The commands of the side bar's search tree (menus 170 on a category and
// 171 on an engine, the keyword box's button, drops onto the tab tree). The
// item a command is about is the context's `tree_item` (the right-clicked
// item), else the tree's selection; searches take the context's keyword
// (the side bar's keyword box; for 32855 the search bar's).
//
//   32854 / 32848   search the engine in the current category tab
//   32855           the same into a new page tab, without echo
//   32853 / 32852   the engine's top page, current / new page tab
//   59156           an engine as 32848 (then the focus goes to the category
//                   tabs); a category as 32850
//   32850           32952, then a keyword search of the new category tab
//   32952           the category (or the engine's) as a category search tab
//                   in the group of the current category tab
//   32940           an engine as a tab of the tab tree's selected group; a
//                   category as a new top-level group of its engines
//   kCreateEngine   a user engine next to the item (dialog titled 186)
//   kEngineProperties  the engine dialog 168
//   kArchiveItem    into the archive folder, or back out of it
//   kDeleteItem     a category (with its engines and subcategories) or a
//                   user engine, after the question 175
//   kToggleSearchBar   the item's search-bar flag (a check item)
class SearchTreeCommands : public CommandRows<SearchTreeCommands> {
 public:
  struct Lists {
    EngineList& engines;
    CategoryFolderTree& engine_folders;
    EngineList& tabs;
    CategoryFolderTree& tab_folders;
  };

  SearchTreeCommands(const Lists& lists, SearchTree& tree, TabWorkspace& workspace,
                     SearchTreeView& view);

  // Search tree item `item` was dropped on tab tree item `target`: an
  // engine becomes a tab of the target's group (before a target tab), a
  // category a category search tab there. False when nothing was added.
  bool DropOnTabTree(int item, int target);

  // The archive command's menu text for the item: "保管箱から戻す(&R)"
  // (string 168) when it is archived, else "保管箱へ移動(&T)".
  std::string ArchiveText(int item) const;

 private:
  int Item(const CommandContext& context) const;
  int EngineRow(const CommandContext& context) const;
  int FolderIndex(const CommandContext& context) const;
  bool IsEngine(const CommandContext& context) const;
  bool IsFolder(const CommandContext& context) const;
  bool HasFolderOrEngine(const CommandContext& context) const;
  bool CanArchive(const CommandContext& context) const;
  bool CanDelete(const CommandContext& context) const;
  bool OnSearchBar(const CommandContext& context) const;

  void SearchWithKeyword(const CommandContext& context);
  void SearchInNewTab(const CommandContext& context);
  void OpenTopPage(const CommandContext& context);
  void SearchSelected(const CommandContext& context);
  void BatchSearchFolder(const CommandContext& context);
  void AddFolderAsSearchTab(const CommandContext& context);
  void AddAsTab(const CommandContext& context);
  void CreateEngine(const CommandContext& context);
  void EditProperties(const CommandContext& context);
  void ToggleArchived(const CommandContext& context);
  void DeleteItem(const CommandContext& context);
  void ToggleSearchBar(const CommandContext& context);

  // The engine folder ID of a category search tab for the item (the
  // category, or the engine's); none for the root.
  std::optional<int> SearchFolderId(int item) const;
  // Adds the category search tab into the current category tab's group and
  // selects it; false without a current category tab.
  bool AddSearchTab(int item);
  // Selects the item of `engine_row` (or folder index `folder` when the
  // row is -1; the root when neither is listed) and redraws. The tree was
  // rebuilt when the list announced the change (SearchTreeSync).
  void Select(int engine_row, int folder);

  EngineList& engines_;
  CategoryFolderTree& folders_;
  EngineList& tabs_;
  CategoryFolderTree& groups_;
  SearchTree& tree_;
  TabWorkspace& ws_;
  SearchTreeView& view_;

 public:
  static constexpr Row kRows[] = {
      {command::kSearchEngineWithKeyword, &SearchTreeCommands::SearchWithKeyword,
       &SearchTreeCommands::IsEngine},
      {command::kSearchEngineInNewTab, &SearchTreeCommands::SearchInNewTab,
       &SearchTreeCommands::IsEngine},
      {command::kOpenEngineTopPage, &SearchTreeCommands::OpenTopPage,
       &SearchTreeCommands::IsEngine},
      {command::kOpenEngineTopPageInNewTab, &SearchTreeCommands::OpenTopPage,
       &SearchTreeCommands::IsEngine},
      {command::kSearchInActivePage, &SearchTreeCommands::SearchWithKeyword,
       &SearchTreeCommands::IsEngine},
      {command::kSearchSelectedEngine, &SearchTreeCommands::SearchSelected,
       &SearchTreeCommands::HasFolderOrEngine},
      {command::kBatchSearchFolder, &SearchTreeCommands::BatchSearchFolder,
       &SearchTreeCommands::HasFolderOrEngine},
      {command::kAddFolderAsSearchTab, &SearchTreeCommands::AddFolderAsSearchTab,
       &SearchTreeCommands::HasFolderOrEngine},
      {command::kAddEngineAsTab, &SearchTreeCommands::AddAsTab,
       &SearchTreeCommands::HasFolderOrEngine},
      {command::kCreateEngine, &SearchTreeCommands::CreateEngine},
      {command::kEngineProperties, &SearchTreeCommands::EditProperties,
       &SearchTreeCommands::IsEngine},
      {command::kArchiveItem, &SearchTreeCommands::ToggleArchived, &SearchTreeCommands::CanArchive},
      {command::kDeleteItem, &SearchTreeCommands::DeleteItem, &SearchTreeCommands::CanDelete},
      {command::kToggleSearchBar, &SearchTreeCommands::ToggleSearchBar,
       &SearchTreeCommands::HasFolderOrEngine, &SearchTreeCommands::OnSearchBar},
  };
};

}  // namespace tolvane
