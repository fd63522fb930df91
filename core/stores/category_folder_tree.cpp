#include "core/stores/category_folder_tree.h"

#include <climits>
#include <deque>

#include "core/files/id_search.h"
#include "core/files/record_fields.h"
#include "core/files/string_table.h"
#include "core/stores/category_members.h"

namespace tolvane {
namespace {

constexpr int kUntitledName = 138;  // "無題"
constexpr int kTabGroupName = 300;  // "タブグループ"

}  // namespace

CategoryFolderTree::CategoryFolderTree(StoreType type)
    : type_(type), highest_id_(InitialHighestId()) {}

// Every store type that loads into the engine tree (0, 4, 6) behaves as the
// engine tree; only the tab tree differs.
int CategoryFolderTree::InitialHighestId() const {
  return type_ == StoreType::kTabs ? 0 : kFirstUserId;
}

void CategoryFolderTree::RaiseHighestId(int id) {
  if (type_ != StoreType::kTabs && id > kLastUserId) return;
  if (id > highest_id_) highest_id_ = id;
}

void CategoryFolderTree::Reset() {
  ids_.clear();
  names_.clear();
  parents_.clear();
  archived_.clear();
  orders_.clear();
  search_bar_.clear();
  gestures_.clear();
  shortcuts_.clear();
  work_numbers_.clear();
  time_stamps_.clear();
  deleted_.clear();
  option_position_ = 0;
  highest_id_ = InitialHighestId();
  if (type_ == StoreType::kTabs) AddArchiveFolder();
}

int CategoryFolderTree::AddArchiveFolder() {
  for (std::size_t i = 0; i < ids_.size(); ++i) {
    if (ids_[i] == kArchiveId && !deleted_[i]) return static_cast<int>(i);
  }
  std::string line = std::to_string(kArchiveId);
  AppendField(line, LoadString(string_id::kArchiveFolder));
  AppendField(line, kTopLevelId);
  return ParseFolderLine(line);
}

int CategoryFolderTree::ParseFolderLine(std::string_view line) {
  const RecordFields fields(line);
  if (fields.size() < 3) return -1;
  const int id = fields.Int(0);
  ids_.push_back(id);
  names_.push_back(fields.Text(1));
  parents_.push_back(fields.Int(2));
  archived_.push_back(fields.Int(3, 0) != 0 ? 1 : 0);
  orders_.push_back(fields.Int(4, kNoOrder));
  search_bar_.push_back(fields.Int(5, 0) != 0 ? 1 : 0);
  gestures_.push_back(fields.Text(6));
  shortcuts_.push_back(fields.Text(7));
  work_numbers_.push_back(0);
  time_stamps_.emplace_back();
  deleted_.push_back(0);
  RaiseHighestId(id);
  return static_cast<int>(ids_.size() - 1);
}

std::optional<int> CategoryFolderTree::AddFolder(std::string_view name, int parent_id, int order,
                                                 bool archived) {
  const auto id = NextId();
  if (!id) return std::nullopt;
  // ID, name, parent, archived, order.
  std::string line = std::to_string(*id);
  AppendField(line, name);
  AppendField(line, parent_id);
  AppendField(line, archived ? 1 : 0);
  AppendField(line, order);
  const int index = ParseFolderLine(line);
  changes_.Notify(StoreChange::Part::kFolders);
  return index;
}

int CategoryFolderTree::ParseOptionLine(std::string_view line) {
  const RecordFields fields(line);
  if (fields.size() < 4 || ids_.empty()) return -1;
  const int found = FindIdFrom(ids_, fields.Int(0), option_position_);
  if (found < 0) return -1;
  const auto i = static_cast<std::size_t>(found);
  archived_[i] = fields.Int(1) != 0 ? 1 : 0;
  orders_[i] = fields.Int(2);
  search_bar_[i] = fields.Int(3) != 0 ? 1 : 0;
  // The writer always writes all six fields, but an empty last field is
  // dropped on reading: a missing one means "empty", or a cleared shortcut
  // would come back from the downloaded list on every start.
  gestures_[i] = fields.Text(4);
  shortcuts_[i] = fields.Text(5);
  option_position_ = i;
  return found;
}

std::string CategoryFolderTree::FormatFolderLine(std::size_t index) const {
  if (deleted_[index]) return {};
  std::string line = std::to_string(ids_[index]);
  AppendField(line, names_[index]);
  AppendField(line, parents_[index]);
  if (type_ == StoreType::kTabs) AppendOptionFields(line, index);
  return line;
}

std::string CategoryFolderTree::FormatOptionLine(std::size_t index) const {
  if (deleted_[index]) return {};
  std::string line = std::to_string(ids_[index]);
  AppendOptionFields(line, index);
  return line;
}

// The fields an option line sets, which the tab file also keeps in its
// folder lines.
void CategoryFolderTree::AppendOptionFields(std::string& line, std::size_t index) const {
  AppendField(line, archived_[index]);
  AppendField(line, orders_[index]);
  AppendField(line, search_bar_[index]);
  AppendField(line, gestures_[index]);
  AppendField(line, shortcuts_[index]);
}

std::size_t CategoryFolderTree::CountLive() const {
  std::size_t count = 0;
  for (std::uint8_t d : deleted_) count += d ? 0 : 1;
  return count;
}

std::size_t CategoryFolderTree::CountUser() const {
  std::size_t count = 0;
  for (std::size_t i = 0; i < ids_.size(); ++i) {
    if (!deleted_[i] && IsUserId(ids_[i])) ++count;
  }
  return count;
}

std::optional<int> CategoryFolderTree::NextId() const {
  if (type_ != StoreType::kTabs) {
    if (highest_id_ >= kLastUserId) return std::nullopt;
  } else if (highest_id_ == INT_MAX) {
    return std::nullopt;
  }
  return highest_id_ + 1;
}

int CategoryFolderTree::Find(int id) const {
  for (std::size_t i = 0; i < ids_.size(); ++i) {
    if (ids_[i] == id) return static_cast<int>(i);
  }
  return -1;
}

int CategoryFolderTree::VisibleParent(std::size_t index) const {
  return archived_[index] ? kArchiveId : parents_[index];
}

std::string CategoryFolderTree::DisplayName(std::size_t index) const {
  if (!names_[index].empty()) return names_[index];
  return LoadString(type_ == StoreType::kTabs ? kTabGroupName : kUntitledName);
}

void CategoryFolderTree::MarkDeletedAndRemoveMembers(std::size_t index) {
  deleted_[index] = 1;
  if (members_ != nullptr) members_->RemoveMembersOf(ids_[index]);
}

void CategoryFolderTree::Delete(std::size_t index) {
  if (deleted_[index]) return;
  MarkDeletedAndRemoveMembers(index);
  // Every level below goes too: a grandchild left behind would show in no
  // view, yet it and its engines or tabs would be saved on every run.
  std::deque<int> pending{ids_[index]};
  while (!pending.empty()) {
    const int parent_id = pending.front();
    pending.pop_front();
    for (std::size_t i = 0; i < ids_.size(); ++i) {
      if (deleted_[i] || VisibleParent(i) != parent_id) continue;
      MarkDeletedAndRemoveMembers(i);
      pending.push_back(ids_[i]);
    }
  }
}

void CategoryFolderTree::SetTimeStamp(std::size_t index, const Clock& clock) {
  time_stamps_[index] = clock.NowText();
}

void CategoryFolderTree::set_id(std::size_t i, int v) {
  ids_[i] = v;
  RaiseHighestId(v);
}

}  // namespace tolvane
