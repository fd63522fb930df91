#include "core/stores/item_dialog.h"

#include "core/files/string_table.h"
#include "core/stores/item_edit.h"
#include "core/stores/item_store.h"
#include "core/stores/recent_tags.h"
#include "core/stores/tag_text.h"

namespace tolvane {
namespace {

constexpr ItemDialog::Field kFields[] = {
    ItemDialog::Field::kImportance, ItemDialog::Field::kTitle,      ItemDialog::Field::kUrl,
    ItemDialog::Field::kTags,       ItemDialog::Field::kRegistered, ItemDialog::Field::kUpdated,
    ItemDialog::Field::kCount,      ItemDialog::Field::kBarFlag};

}  // namespace

ItemDialog::ItemDialog(ItemStore& store, std::size_t index, SettingsStore& settings)
    : store_(store),
      index_(index),
      settings_(settings),
      importance_(store.items().importance(index)),
      title_(store.items().title(index)),
      url_(store.items().url(index)),
      tags_(store.items().tags(index)),
      bar_flag_(store.items().bar_flag(index)) {}

std::string ItemDialog::StoreWord() const {
  return LoadString(string_id::kStoreWordBase + static_cast<int>(store_.type()));
}

std::string ItemDialog::Label(Field field) const {
  switch (field) {
    case Field::kCount:
      return LoadString(string_id::kItemCountLabelBase + static_cast<int>(store_.type()));
    case Field::kBarFlag:
      return FormatString(string_id::kItemBarCheck, {StoreWord()});
    default:
      return LoadString(string_id::kItemFieldLabelBase + static_cast<int>(field));
  }
}

std::string ItemDialog::ImportanceChoiceText(int choice) {
  if (choice == 0) return LoadString(string_id::kItemNoImportance);
  return FormatString(string_id::kItemImportanceChoice, {std::to_string(choice)});
}

std::string ItemDialog::TagButtonText() { return LoadString(string_id::kItemTagButton); }

bool ItemDialog::Editable(Field field) {
  return field != Field::kRegistered && field != Field::kUpdated && field != Field::kCount;
}

std::string ItemDialog::Text(Field field) const {
  const ItemList& items = store_.items();
  switch (field) {
    case Field::kImportance:
      return std::to_string(importance_);
    case Field::kTitle:
      return title_;
    case Field::kUrl:
      return url_;
    case Field::kTags:
      return tags_;
    case Field::kRegistered:
      return items.registered(index_);
    case Field::kUpdated:
      return items.updated(index_);
    case Field::kCount:
      return std::to_string(items.count(index_));
    case Field::kBarFlag:
      return bar_flag_ ? "1" : "0";
  }
  return {};
}

bool ItemDialog::SetImportance(int choice) {
  if (choice < 0 || choice >= kImportanceChoices) return false;
  importance_ = choice;
  return true;
}

std::vector<std::string> ItemDialog::RecentTagList() const { return RecentTags(settings_).List(); }

void ItemDialog::AppendTag(std::string_view tag) {
  const std::string normalised = NormaliseTags(tags_);
  if (tag.empty() || HasTag(normalised, tag)) return;
  tags_ = normalised.empty() ? std::string(tag) : normalised + ' ' + std::string(tag);
}

int ItemDialog::Save() {
  ItemEdit edit{.title = title_, .url = url_, .tags = tags_};
  if (const int message = CheckItemEdit(store_.type(), edit); message != 0) return message;
  title_ = edit.title;
  url_ = edit.url;
  tags_ = edit.tags;

  ItemList& items = store_.items();
  const std::size_t i = index_;
  const bool changed = items.title(i) != title_ || items.url(i) != url_ ||
                       items.importance(i) != importance_ || items.tags(i) != tags_ ||
                       items.bar_flag(i) != bar_flag_;
  // Only what changed is written: each setter stamps the updated date, and
  // setting the URL takes the item out of the trash.
  if (items.title(i) != title_) items.SetTitle(i, title_);
  if (items.url(i) != url_) items.SetUrl(i, url_);
  if (items.importance(i) != importance_) items.SetImportance(i, importance_);
  if (items.tags(i) != tags_) items.SetTags(i, tags_);
  if (items.bar_flag(i) != bar_flag_) items.SetBarFlag(i, bar_flag_);
  RecentTags recent(settings_);
  for (const std::string& tag : SplitTags(tags_)) recent.Enter(tag);
  store_.MakeTagFolders(tags_);
  if (changed) store_.changes().Notify(StoreChange::Part::kItems);
  return 0;
}

std::string ItemDialog::Describe() const {
  std::string out;
  for (const Field field : kFields) {
    if (!out.empty()) out += ' ';
    out += Label(field) + (Editable(field) ? "" : "*") + "[" + Text(field) + "]";
  }
  return out;
}

}  // namespace tolvane
