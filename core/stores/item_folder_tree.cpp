#include "core/stores/item_folder_tree.h"

#include <algorithm>

#include "core/files/record_fields.h"
#include "core/files/string_table.h"

namespace tolvane {
namespace {

// Each preset: ID, parent, name string, icon, query, bar flag, sort mode,
// importance filter, period filter, order, extra flag.
struct DefaultFolder {
  int id;
  int parent;
  int name_id;  // 0: the store word (134 + store type)
  int icon;
  const char* query;
  int bar_flag;
  int sort_mode;
  int importance_filter;
  int period_filter;
  int order;
  int extra_flag;
};

constexpr DefaultFolder kDefaultFolders[] = {
    {0, -1, 0, 0, "", 0, 0, 0, 0, 0, 0},
    {ItemFolderTree::kTrashId, 0, string_id::kTrashFolder, ItemFolderTree::kTrashIcon, "", 0, 0, 0,
     0, ItemFolderTree::kNoOrder, 0},
    {1, 0, 201, 0, "*", 1, 0, 0, 1, 0, 0},
    {2, 0, 202, 0, "*", 1, 2, 0, 0, 1, 1},
    {3, 0, 203, 0, "*", 1, 4, 0, 0, 2, 0},
    {4, 0, 204, 0, "*", 1, 10, 1, 0, 3, 1},
    {5, 0, 205, 0, "", 1, 10, 0, 0, 3, 0},
};

}  // namespace

ItemFolderTree::ItemFolderTree(StoreType type) : type_(type) {}

void ItemFolderTree::Reset() {
  for (auto* v : {&ids_, &parents_, &icons_, &orders_, &work_numbers_}) v->clear();
  for (auto* v : {&names_, &queries_}) v->clear();
  for (auto* v : {&targets_, &sort_modes_, &importance_filters_, &period_filters_}) v->clear();
  for (auto* v : {&bar_flags_, &important_first_, &in_trash_, &extra_flags_, &deleted_}) {
    v->clear();
  }
  highest_id_ = kFirstUserId - 1;
  const std::string store_word = LoadString(string_id::kStoreWordBase + static_cast<int>(type_));
  for (const auto& preset : kDefaultFolders) {
    std::string line = std::to_string(preset.id) + '\t' + std::to_string(preset.parent) + '\t' +
                       std::to_string(preset.icon) + '\t' +
                       (preset.name_id == 0 ? store_word : LoadString(preset.name_id)) + '\t' +
                       preset.query + "\t0\t" + std::to_string(preset.bar_flag) + '\t' +
                       std::to_string(preset.sort_mode) + "\t0\t" +
                       std::to_string(preset.importance_filter) + '\t' +
                       std::to_string(preset.period_filter) + '\t' + std::to_string(preset.order) +
                       "\t0\t" + std::to_string(preset.extra_flag);
    ParseFolderLine(line);
  }
}

int ItemFolderTree::ParseFolderLine(std::string_view line) {
  RecordFields fields(line);
  if (fields.size() < 4) return -1;
  int id = fields.Int(0);
  // -1 asks for a new ID; the highest never wraps past INT_MAX.
  if (id == -1) id = highest_id_ == INT32_MAX ? INT32_MAX : highest_id_ + 1;
  highest_id_ = std::max(highest_id_, id);

  ids_.push_back(id);
  parents_.push_back(fields.Int(1));
  icons_.push_back(id == kTrashId ? kTrashIcon : fields.Int(2));
  names_.push_back(fields.Text(3));
  queries_.push_back(fields.Text(4));
  targets_.push_back(static_cast<std::int16_t>(fields.Int(5)));
  bar_flags_.push_back(static_cast<std::uint8_t>(fields.Int(6)));
  sort_modes_.push_back(static_cast<std::int16_t>(fields.Int(7)));
  important_first_.push_back(static_cast<std::uint8_t>(fields.Int(8)));
  importance_filters_.push_back(static_cast<std::int16_t>(fields.Int(9)));
  period_filters_.push_back(static_cast<std::int16_t>(fields.Int(10)));
  orders_.push_back(fields.Int(11, kNoOrder));
  in_trash_.push_back(static_cast<std::uint8_t>(fields.Int(12)));
  extra_flags_.push_back(static_cast<std::uint8_t>(fields.Int(13)));
  deleted_.push_back(0);
  work_numbers_.push_back(0);
  return static_cast<int>(ids_.size() - 1);
}

std::string ItemFolderTree::FormatFolderLine(std::size_t i) const {
  if (deleted_[i]) return {};
  std::string line = std::to_string(ids_[i]);
  AppendField(line, parents_[i]);
  AppendField(line, icons_[i]);
  AppendField(line, names_[i]);
  AppendField(line, queries_[i]);
  AppendField(line, targets_[i]);
  AppendField(line, bar_flags_[i]);
  AppendField(line, sort_modes_[i]);
  AppendField(line, important_first_[i]);
  AppendField(line, importance_filters_[i]);
  AppendField(line, period_filters_[i]);
  AppendField(line, orders_[i]);
  AppendField(line, in_trash_[i]);
  AppendField(line, extra_flags_[i]);
  return line;
}

std::size_t ItemFolderTree::CountLive() const {
  return static_cast<std::size_t>(std::count(deleted_.begin(), deleted_.end(), 0));
}

int ItemFolderTree::Find(int id) const {
  auto it = std::find(ids_.begin(), ids_.end(), id);
  return it == ids_.end() ? -1 : static_cast<int>(it - ids_.begin());
}

int ItemFolderTree::VisibleParent(std::size_t i) const {
  return in_trash_[i] ? kTrashId : parents_[i];
}

std::string ItemFolderTree::DisplayName(std::size_t i) const {
  if (!names_[i].empty()) return names_[i];
  if (!queries_[i].empty() && queries_[i] != "*") return queries_[i];
  return LoadString(138);
}

}  // namespace tolvane
