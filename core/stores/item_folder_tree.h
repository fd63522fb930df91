#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/files/store_type.h"

namespace tolvane {

// The folders of a favorites, keywords or history store. A folder holds no
// items: it is a saved search (query, target, importance and period filters,
// sort order) over its store's ItemList. Records are parallel arrays indexed
// by position; nothing is removed during a run (deleted folders are only
// marked and left out by the writer), so positions stay valid for views.
class ItemFolderTree {
 public:
  static constexpr int kRootId = 0;
  static constexpr int kTrashId = -9999;
  static constexpr int kTrashIcon = 51;
  static constexpr int kNewestFolderId = 1;  // "新規登録"
  static constexpr int kTagFolderId = 5;     // "タグ別", default parent of tag folders
  static constexpr int kFirstUserId = 11;
  static constexpr int kNoOrder = 99999999;

  // Where a folder's query words are looked for.
  enum Target : int {
    kTitleAndTags = 0,
    kTagsOnly = 1,
    kTitleOnly = 2,
    kUrlOnly = 3,
    kTitleUrlAndTags = 4,
  };

  explicit ItemFolderTree(StoreType type);

  StoreType type() const { return type_; }

  // Empties the tree and adds the seven default folders (root, trash, the
  // five presets); user folders are then numbered from 11.
  void Reset();

  // Adds the folder of one file line (14 TAB-separated fields, the first
  // four required; ID -1 allocates the next one). Returns the new index, or
  // -1 when the line has fewer than four fields.
  int ParseFolderLine(std::string_view line);

  // The file line of a folder; empty for a deleted one.
  std::string FormatFolderLine(std::size_t index) const;

  std::size_t size() const { return ids_.size(); }
  std::size_t CountLive() const;
  int Find(int id) const;  // index or -1
  int highest_id() const { return highest_id_; }

  // -9999 when the folder is in the trash, else its parent.
  int VisibleParent(std::size_t index) const;
  // The name; when empty the query; when that is empty or "*", "無題".
  std::string DisplayName(std::size_t index) const;
  void ToggleTrash(std::size_t index) { in_trash_[index] = in_trash_[index] ? 0 : 1; }
  void MarkDeleted(std::size_t index) { deleted_[index] = 1; }

  int id(std::size_t i) const { return ids_[i]; }
  int parent(std::size_t i) const { return parents_[i]; }
  int icon(std::size_t i) const { return icons_[i]; }
  const std::string& name(std::size_t i) const { return names_[i]; }
  const std::string& query(std::size_t i) const { return queries_[i]; }
  int target(std::size_t i) const { return targets_[i]; }
  bool bar_flag(std::size_t i) const { return bar_flags_[i] != 0; }
  int sort_mode(std::size_t i) const { return sort_modes_[i]; }
  bool important_first(std::size_t i) const { return important_first_[i] != 0; }
  int importance_filter(std::size_t i) const { return importance_filters_[i]; }
  int period_filter(std::size_t i) const { return period_filters_[i]; }
  int order(std::size_t i) const { return orders_[i]; }
  bool in_trash(std::size_t i) const { return in_trash_[i] != 0; }
  bool extra_flag(std::size_t i) const { return extra_flags_[i] != 0; }
  bool deleted(std::size_t i) const { return deleted_[i] != 0; }
  int work_number(std::size_t i) const { return work_numbers_[i]; }

  void set_parent(std::size_t i, int v) { parents_[i] = v; }
  void set_icon(std::size_t i, int v) { icons_[i] = v; }
  void set_name(std::size_t i, std::string v) { names_[i] = std::move(v); }
  void set_query(std::size_t i, std::string v) { queries_[i] = std::move(v); }
  void set_target(std::size_t i, int v) { targets_[i] = static_cast<std::int16_t>(v); }
  void set_bar_flag(std::size_t i, bool v) { bar_flags_[i] = v ? 1 : 0; }
  void set_sort_mode(std::size_t i, int v) { sort_modes_[i] = static_cast<std::int16_t>(v); }
  void set_important_first(std::size_t i, bool v) { important_first_[i] = v ? 1 : 0; }
  void set_importance_filter(std::size_t i, int v) {
    importance_filters_[i] = static_cast<std::int16_t>(v);
  }
  void set_period_filter(std::size_t i, int v) {
    period_filters_[i] = static_cast<std::int16_t>(v);
  }
  void set_order(std::size_t i, int v) { orders_[i] = v; }
  void set_in_trash(std::size_t i, bool v) { in_trash_[i] = v ? 1 : 0; }
  void set_work_number(std::size_t i, int v) { work_numbers_[i] = v; }

 private:
  StoreType type_;
  int highest_id_ = 10;
  std::vector<int> ids_;
  std::vector<int> parents_;
  std::vector<int> icons_;
  std::vector<std::string> names_;
  std::vector<std::string> queries_;
  std::vector<std::int16_t> targets_;
  std::vector<std::uint8_t> bar_flags_;
  std::vector<std::int16_t> sort_modes_;
  std::vector<std::uint8_t> important_first_;
  std::vector<std::int16_t> importance_filters_;
  std::vector<std::int16_t> period_filters_;
  std::vector<int> orders_;
  std::vector<std::uint8_t> in_trash_;
  std::vector<std::uint8_t> extra_flags_;
  std::vector<std::uint8_t> deleted_;
  std::vector<int> work_numbers_;
};

}  // namespace tolvane
