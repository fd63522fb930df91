#include "core/stores/item_list.h"

#include <algorithm>

#include "core/files/record_fields.h"

namespace tolvane {

ItemList::ItemList(StoreType type, const Clock& clock) : type_(type), clock_(clock) {}

void ItemList::Reset() {
  for (auto* v : {&ids_, &counts_, &image_numbers_}) v->clear();
  for (auto* v : {&titles_, &urls_, &tags_, &registered_, &updated_, &favicon_keys_}) v->clear();
  importances_.clear();
  for (auto* v : {&bar_flags_, &in_trash_, &deleted_}) v->clear();
  highest_id_ = 0;
  deleted_count_ = 0;
}

int ItemList::ParseItemLine(std::string_view line) {
  RecordFields fields(line);
  if (fields.size() < 3) return -1;
  int id = fields.Int(0);
  // -1 asks for a new ID; the highest never wraps past INT_MAX.
  if (id == -1) id = highest_id_ == INT32_MAX ? INT32_MAX : highest_id_ + 1;
  highest_id_ = std::max(highest_id_, id);

  const bool need_now = fields.size() < 8;
  const std::string now = need_now ? clock_.NowText() : std::string();
  ids_.push_back(id);
  titles_.push_back(fields.Text(1));
  urls_.push_back(fields.Text(2));
  importances_.push_back(static_cast<std::int16_t>(fields.Int(3)));
  tags_.push_back(fields.Text(4));
  counts_.push_back(fields.Int(5));
  registered_.push_back(fields.Text(6, now));
  updated_.push_back(fields.Text(7, now));
  favicon_keys_.push_back(fields.Text(8));
  bar_flags_.push_back(static_cast<std::uint8_t>(fields.Int(9)));
  in_trash_.push_back(static_cast<std::uint8_t>(fields.Int(10)));
  deleted_.push_back(0);
  image_numbers_.push_back(0);
  return static_cast<int>(ids_.size() - 1);
}

std::string ItemList::FormatItemLine(std::size_t i) const {
  if (deleted_[i]) return {};
  std::string line = std::to_string(ids_[i]);
  AppendField(line, titles_[i]);
  AppendField(line, urls_[i]);
  AppendField(line, importances_[i]);
  AppendField(line, tags_[i]);
  AppendField(line, counts_[i]);
  AppendField(line, registered_[i]);
  AppendField(line, updated_[i]);
  AppendField(line, favicon_keys_[i]);
  AppendField(line, bar_flags_[i]);
  AppendField(line, in_trash_[i]);
  return line;
}

int ItemList::FindByUrl(std::string_view url) const {
  for (std::size_t i = 0; i < urls_.size(); ++i) {
    if (!deleted_[i] && urls_[i] == url) return static_cast<int>(i);
  }
  return -1;
}

int ItemList::FindById(int id) const {
  auto it = std::find(ids_.begin(), ids_.end(), id);
  return it == ids_.end() ? -1 : static_cast<int>(it - ids_.begin());
}

void ItemList::Touch(std::size_t i) { updated_[i] = clock_.NowText(); }

void ItemList::SetTitle(std::size_t i, std::string title) {
  titles_[i] = std::move(title);
  Touch(i);
}

void ItemList::SetUrl(std::size_t i, std::string url) {
  urls_[i] = std::move(url);
  in_trash_[i] = 0;
  Touch(i);
}

void ItemList::SetImportance(std::size_t i, int importance) {
  importances_[i] = static_cast<std::int16_t>(importance);
  Touch(i);
}

void ItemList::SetTags(std::size_t i, std::string tags) {
  tags_[i] = std::move(tags);
  Touch(i);
}

void ItemList::IncrementCount(std::size_t i) {
  if (counts_[i] < INT32_MAX) ++counts_[i];
}

void ItemList::MarkDeleted(std::size_t i) {
  if (deleted_[i]) return;
  deleted_[i] = 1;
  ++deleted_count_;
}

void ItemList::ClearFaviconKeys() {
  for (auto& key : favicon_keys_) key.clear();
}

}  // namespace tolvane
