#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/files/change_notifier.h"
#include "core/files/clock.h"
#include "core/files/store_type.h"

namespace tolvane {

class CategoryMembers;

// The folders that engines or tabs are filed in: one tree for the engine
// categories (type kEngineList, fed by the engine list, the user's own
// engines and the option file) and one for the tab groups (type kTabs).
// Engines and tabs point to their folder by ID; a folder points to its
// parent by ID (0 is the top level).
//
// Records are parallel arrays indexed by position. Nothing is removed during
// a run: Delete() only marks, the writer leaves marked folders out, so
// positions stay valid for views for the whole run.
//
// IDs. The engine tree keeps 100-199 for the user's own categories (the only
// ones written to the user-engine file): its highest ID starts at 100 and only
// IDs below 200 raise it, so downloaded categories numbered 200 and up never
// push new user categories out of that range. The tab tree's highest starts
// at 0 and every ID raises it. IDs are not reused within a run.
//
// An archived folder is shown inside the archive folder (-9999) but keeps its
// parent, so restoring it puts it back where it was.
//
// The tree does not own the member list (engine or tab list); Delete()
// reaches it through set_members(), which may stay null until it exists.
class CategoryFolderTree {
 public:
  static constexpr int kTopLevelId = 0;
  static constexpr int kArchiveId = -9999;
  static constexpr int kFirstUserId = 100;
  static constexpr int kLastUserId = 199;
  static constexpr int kNoOrder = 99999999;

  explicit CategoryFolderTree(StoreType type);

  StoreType type() const { return type_; }
  void set_members(CategoryMembers* members) { members_ = members; }

  // Empties the tree and forgets the option-line position; the tab tree then
  // holds the archive folder.
  void Reset();

  // Adds the archive folder "保管箱" unless a live one is already there (the
  // engine tree gets it after each load of the downloaded engine list).
  // Returns its index.
  int AddArchiveFolder();

  // Adds the folder of one file line: ID, name, parent, then optionally
  // archived, order, search-bar flag, gesture, shortcut. Returns the new
  // index, or -1 (nothing added) when the line has fewer than three fields.
  int ParseFolderLine(std::string_view line);

  // Overlays one option line (ID, archived, order, search-bar flag, gesture,
  // shortcut; the last two may be missing and then read as empty) on the
  // folder with that ID. Lines with fewer than four fields, and IDs no folder
  // has, change nothing. The search starts at the folder the previous line
  // matched and wraps around, so a file in tree order costs one step a line.
  // Returns the index of the folder changed, or -1.
  int ParseOptionLine(std::string_view line);

  // A new folder `name` (Shift_JIS) under `parent_id` with the next free
  // ID, at `order` among its siblings, `archived` or not; tells the tree's
  // observers. Returns its index, or nullopt when no ID is left.
  std::optional<int> AddFolder(std::string_view name, int parent_id, int order = kNoOrder,
                               bool archived = false);

  // Empty for a deleted folder. The engine tree writes ID, name and parent;
  // the tab tree adds archived, order, search-bar flag, gesture and shortcut.
  std::string FormatFolderLine(std::size_t index) const;
  // ID, archived, order, search-bar flag, gesture, shortcut; empty when
  // deleted.
  std::string FormatOptionLine(std::size_t index) const;

  std::size_t size() const { return ids_.size(); }
  std::size_t CountLive() const;
  // Live folders with a user-category ID (100-199).
  std::size_t CountUser() const;
  bool IsUser(std::size_t index) const { return IsUserId(ids_[index]); }
  static bool IsUserId(int id) { return id >= kFirstUserId && id <= kLastUserId; }

  int highest_id() const { return highest_id_; }
  // The ID for a new folder, or nullopt when none is left: in the engine tree
  // once 199 is taken (a category numbered 200 would never be saved), in the
  // tab tree once INT_MAX is taken. Callers refuse to create the folder then.
  std::optional<int> NextId() const;

  int Find(int id) const;  // first folder with that ID (deleted ones too), or -1

  // kArchiveId when archived, else the parent.
  int VisibleParent(std::size_t index) const;
  // The name; when empty "タブグループ" in the tab tree, "無題" in the engine
  // tree.
  std::string DisplayName(std::size_t index) const;

  // Marks the folder and every folder below it (by visible parent, so
  // archived subfolders stay in the archive) deleted, and removes the engines
  // or tabs filed in each. Already deleted folders are left alone, which also
  // ends the walk on parent cycles from damaged files.
  void Delete(std::size_t index);

  void SetTimeStamp(std::size_t index, const Clock& clock);
  void ClearTimeStamp(std::size_t index) { time_stamps_[index].clear(); }

  int id(std::size_t i) const { return ids_[i]; }
  const std::string& name(std::size_t i) const { return names_[i]; }
  int parent(std::size_t i) const { return parents_[i]; }
  bool archived(std::size_t i) const { return archived_[i] != 0; }
  int order(std::size_t i) const { return orders_[i]; }
  bool search_bar(std::size_t i) const { return search_bar_[i] != 0; }
  const std::string& gesture(std::size_t i) const { return gestures_[i]; }
  const std::string& shortcut(std::size_t i) const { return shortcuts_[i]; }
  int work_number(std::size_t i) const { return work_numbers_[i]; }
  const std::string& time_stamp(std::size_t i) const { return time_stamps_[i]; }
  bool deleted(std::size_t i) const { return deleted_[i] != 0; }

  // Raises the highest ID by the tree's rule, so NextId() never hands out a
  // used one.
  void set_id(std::size_t i, int v);
  void set_name(std::size_t i, std::string v) { names_[i] = std::move(v); }
  void set_parent(std::size_t i, int v) { parents_[i] = v; }
  void set_archived(std::size_t i, bool v) { archived_[i] = v ? 1 : 0; }
  void set_order(std::size_t i, int v) { orders_[i] = v; }
  void set_search_bar(std::size_t i, bool v) { search_bar_[i] = v ? 1 : 0; }
  void set_gesture(std::size_t i, std::string v) { gestures_[i] = std::move(v); }
  void set_shortcut(std::size_t i, std::string v) { shortcuts_[i] = std::move(v); }
  void set_work_number(std::size_t i, int v) { work_numbers_[i] = v; }

  // Told after each edit of the rows (a tab record editor's, a dialog's),
  // not while the file is read.
  ChangeNotifier& changes() { return changes_; }

 private:
  int InitialHighestId() const;
  void RaiseHighestId(int id);
  void MarkDeletedAndRemoveMembers(std::size_t index);
  void AppendOptionFields(std::string& line, std::size_t index) const;

  StoreType type_;
  CategoryMembers* members_ = nullptr;
  int highest_id_;
  std::size_t option_position_ = 0;
  std::vector<int> ids_;
  std::vector<std::string> names_;
  std::vector<int> parents_;
  std::vector<std::uint8_t> archived_;
  std::vector<int> orders_;
  std::vector<std::uint8_t> search_bar_;
  std::vector<std::string> gestures_;
  std::vector<std::string> shortcuts_;
  std::vector<int> work_numbers_;
  std::vector<std::string> time_stamps_;
  std::vector<std::uint8_t> deleted_;
  ChangeNotifier changes_;
};

}  // namespace tolvane
