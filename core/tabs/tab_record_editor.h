#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/stores/engine_list.h"

namespace tolvane {

class CategoryFolderTree;

// Writes tab records and tab groups: the rows that creating, duplicating,
// adding engines as tabs, closing (archiving), deleting and reordering tabs
// produce. Every new row is built as a record line and parsed into the tab
// list, so it reads back from the file exactly as it is held now. Nothing
// here touches the opened tabs; the workspace does that around these calls.
//
// Methods that create return nullopt (nothing written) when the tab list or
// the group tree has no ID left, or the row, engine or folder to copy from
// is missing or deleted.
//
// A group ID of -9999 (the archive folder selected) files the new row as an
// archived row of the top level (a duplicate: of the original's group), so
// closing it in the archive brings it out like any closed tab.
class TabRecordEditor {
 public:
  // `engine_folders` is the engine list's folder tree (names of folders
  // added as tabs).
  TabRecordEditor(EngineList& tabs, CategoryFolderTree& groups, const EngineList& engines,
                  const CategoryFolderTree& engine_folders);

  // "無題" tab in group `group_id` with Order `order` (the selected tab's,
  // or kCreatedInFolderOrder when a group is selected). `dialog` (from the
  // property dialog) fills the columns when given.
  std::optional<int> NewTab(int group_id, int order, const EngineDialogValues* dialog = nullptr);
  // The same tab without the dialog, named `name` (Shift_JIS).
  std::optional<int> NewNamedTab(int group_id, int order, const std::string& name);
  // A copy of row `record` (Name, TabName, ShortName, Url, SearchUrl,
  // PostData, Encoding) in its effective group with its Order.
  std::optional<int> Duplicate(int record);
  // Engine row `engine` as a tab of group `group_id` with Order `order`.
  std::optional<int> AddEngineAsTab(int engine, int group_id, int order);
  // A top-level group named after engine folder `engine_folder_id` with one
  // tab per engine directly in that folder; returns the new rows (the group
  // is created even when the folder holds no engine).
  std::optional<std::vector<int>> AddEngineFolderAsGroup(int engine_folder_id);
  // A category search tab for engine folder `engine_folder_id` in group
  // `group_id`: the folder reference in Url, SearchUrl and PostData.
  std::optional<int> AddFolderAsSearchTab(int engine_folder_id, int group_id);

  struct DefaultTabs {
    int group_id = 0;
    std::vector<int> rows;  // "ホーム" first
  };
  // The group with an empty name, "ホーム" and one tab for each of the
  // default engines the engine list holds.
  std::optional<DefaultTabs> CreateDefaultTabs();
  static constexpr int kDefaultEngineIds[] = {1010001, 1010002, 1010003, 1021001, 9901001};

  // The property dialog's values written into row `record` (names,
  // references, encoding, gesture, shortcut, search-bar flag).
  void Apply(int record, const EngineDialogValues& values);

  // A new group; returns its folder index.
  std::optional<int> AddGroup(const std::string& name, int parent_id, int order);

  // Closing a category tab: toggles Archived (closing an archived tab
  // restores it to its group).
  void ToggleArchived(int record);
  void SetArchived(const std::vector<int>& records);
  // Moves `record` to position `to` among `group_records` (the group's tabs
  // in tree order) and renumbers their Order 0, 1, 2 ...
  void MoveTab(int record, const std::vector<int>& group_records, int to);
  // Files `record` in group `group_id` (0: the top level) just before row
  // `before` of `group_records` (the group's tabs in tree order; at the end
  // when `before` is not among them) and renumbers them Order 0, 1, 2 ...;
  // an archived row is restored. Into the archive folder the row is only
  // flagged archived: FolderId and Order stay, so closing it there takes it
  // back to its old place.
  void FileTab(int record, int group_id, const std::vector<int>& group_records, int before);
  // Files group `folder_index` under group `parent_id` (0: the top level)
  // just before group `before` of `siblings` (the parent's groups in tree
  // order; at the end, yet ahead of the archive folder, when `before` is
  // not among them) and renumbers their order 0, 1, 2 ...; an archived
  // group is restored. Refused (false) for the archive folder and for a
  // parent that is the group itself, lies below it or lies in the archive.
  bool FileGroup(int folder_index, int parent_id, const std::vector<int>& siblings, int before);
  // Marks the row deleted (its clips go with it).
  void DeleteTab(int record);
  // Marks every live row whose effective group is `group_id` deleted.
  void DeleteTabsOf(int group_id);
  // Marks the group and its subgroups deleted (not the archive folder);
  // false when refused.
  bool DeleteGroup(int folder_index);
  // Files the group in the archive folder: it keeps its parent and order
  // (FileGroup takes it back out). Not the archive folder itself.
  void ArchiveGroup(int folder_index);

 private:
  std::optional<int> AppendRow(const std::vector<std::string>& columns);

  EngineList& tabs_;
  CategoryFolderTree& groups_;
  const EngineList& engines_;
  const CategoryFolderTree& engine_folders_;
};

}  // namespace tolvane
