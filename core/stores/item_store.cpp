#include "core/stores/item_store.h"

#include <algorithm>
#include <numeric>

#include "core/files/record_fields.h"
#include "core/files/setting_keys.h"
#include "core/files/string_table.h"
#include "core/stores/item_lister.h"
#include "core/stores/tag_text.h"

namespace tolvane {
namespace {

constexpr int kStoreMenuWordBase = 144;  // + store type: 145-147

// The option page of each store: its item limit and its tag folder. Each
// store reads its own tag-folder setting, since its page is where the user
// sets it.
struct StoreOptions {
  const IntSetting& max_data;
  const IntSetting& tag_folder;
};

StoreOptions OptionsOf(StoreType type) {
  switch (type) {
    case StoreType::kFavorites:
      return {settings::kFavoriteMaxData, settings::kFavoriteTagFolder};
    case StoreType::kKeywords:
      return {settings::kKeywordMaxData, settings::kKeywordTagFolder};
    default:
      return {settings::kHistoryMaxData, settings::kHistoryTagFolder};
  }
}

}  // namespace

ItemStore::ItemStore(StoreType type, SettingsStore& settings, const Clock& clock)
    : settings_(settings), clock_(clock), folders_(type), items_(type, clock) {}

int ItemStore::MaxData() const { return Read(settings_, OptionsOf(type()).max_data); }

int ItemStore::TagFolderSetting() const { return Read(settings_, OptionsOf(type()).tag_folder); }

const std::string& ItemStore::StoreWord() const {
  return LoadString(kStoreMenuWordBase + static_cast<int>(type()));
}

void ItemStore::ResetToDefaults() {
  folders_.Reset();
  items_.Reset();
  run_keywords_.clear();
}

void ItemStore::Changed(bool items, bool folders) {
  if (items) changes_.Notify(StoreChange::Part::kItems);
  if (folders) changes_.Notify(StoreChange::Part::kFolders);
}

int ItemStore::AddOrCount(const Entry& entry, Prompter& prompter) {
  const bool keywords = type() == StoreType::kKeywords;
  const bool counts = type() == StoreType::kHistory || (keywords && entry.count);
  const std::string title = FieldSafe(entry.title);
  const std::string key = keywords ? title : FieldSafe(entry.url);
  const std::string tags = NormaliseTags(entry.tags);
  bool made_folders = false;

  if (const int found = items_.FindByUrl(key); found >= 0) {
    const auto i = static_cast<std::size_t>(found);
    if (entry.importance != -1) items_.SetImportance(i, entry.importance);
    if (!tags.empty() && !HasTag(items_.tags(i), tags)) {
      const std::string& old_tags = items_.tags(i);
      items_.SetTags(i, old_tags.empty() ? tags : old_tags + ' ' + tags);
      made_folders = AddTagFolders(items_.tags(i));
    }
    items_.SetUrl(i, key);  // refreshes the date and takes it out of the trash
    if (counts) items_.IncrementCount(i);
    Changed(true, made_folders);
    return found;
  }

  const int max_data = MaxData();
  const std::size_t live = items_.CountLive();
  if (type() == StoreType::kFavorites) {
    if (max_data >= 0 && live >= static_cast<std::size_t>(max_data)) {
      prompter.ShowStop(LoadString(string_id::kFavoritesLimit));
      return -1;
    }
  } else {
    if (max_data <= 0) return -1;
    // Make room for one: the store never grows past its limit by adding.
    if (live >= static_cast<std::size_t>(max_data)) {
      TrimOldestItems(live - static_cast<std::size_t>(max_data) + 1);
    }
  }

  const int importance = entry.importance == -1 ? 0 : entry.importance;
  const int index = items_.ParseItemLine("-1\t" + title + '\t' + key + '\t' +
                                         std::to_string(importance) + '\t' + tags);
  if (index < 0) return -1;
  made_folders = AddTagFolders(tags);
  if (counts) items_.IncrementCount(static_cast<std::size_t>(index));
  Changed(true, made_folders);
  return index;
}

void ItemStore::RecordKeyword(const Keyword& keyword, Prompter& prompter) {
  if (keyword.FitsShiftJis()) {
    AddOrCount({keyword.sjis(), keyword.sjis(), -1, "", true}, prompter);
    return;
  }
  const int max_data = MaxData();
  if (max_data <= 0) return;
  std::erase_if(run_keywords_, [&](const RunKeyword& run) { return run.keyword == keyword; });
  run_keywords_.insert(run_keywords_.begin(), {keyword, clock_.NowText()});
  if (run_keywords_.size() > static_cast<std::size_t>(max_data)) {
    run_keywords_.resize(static_cast<std::size_t>(max_data));
  }
  Changed(true, false);
}

void ItemStore::TrimOldest(std::size_t n) {
  if (TrimOldestItems(n)) Changed(true, false);
}

bool ItemStore::TrimOldestItems(std::size_t n) {
  std::vector<std::size_t> live;
  for (std::size_t i = 0; i < items_.size(); ++i) {
    if (!items_.deleted(i)) live.push_back(i);
  }
  n = std::min(n, live.size());
  std::partial_sort(live.begin(), live.begin() + static_cast<std::ptrdiff_t>(n), live.end(),
                    [this](std::size_t a, std::size_t b) {
                      const int order = items_.updated(a).compare(items_.updated(b));
                      return order != 0 ? order < 0 : a < b;
                    });
  for (std::size_t k = 0; k < n; ++k) items_.MarkDeleted(live[k]);
  return n > 0;
}

void ItemStore::MakeTagFolders(std::string_view tags) {
  if (AddTagFolders(tags)) Changed(false, true);
}

bool ItemStore::AddTagFolders(std::string_view tags) {
  const int tag_folder_id = TagFolderSetting();
  const int tag_folder = folders_.Find(tag_folder_id);
  if (tag_folder < 0) return false;
  const auto parent = static_cast<std::size_t>(tag_folder);
  if (folders_.deleted(parent) || folders_.in_trash(parent)) return false;
  bool made_any = false;

  for (const auto& tag : SplitTags(tags)) {
    bool exists = false;
    for (std::size_t f = 0; f < folders_.size() && !exists; ++f) {
      exists = !folders_.deleted(f) && folders_.VisibleParent(f) == tag_folder_id &&
               folders_.name(f) == tag;
    }
    if (exists) continue;
    const int made =
        folders_.ParseFolderLine("-1\t" + std::to_string(tag_folder_id) + "\t0\t" + tag);
    if (made < 0) continue;
    folders_.set_query(static_cast<std::size_t>(made), tag);
    folders_.set_target(static_cast<std::size_t>(made), ItemFolderTree::kTagsOnly);
    made_any = true;
  }
  return made_any;
}

std::vector<int> ItemStore::ListFolder(int folder_id) const {
  return tolvane::ListFolder(folders_, items_, folder_id, clock_.Now());
}

void ItemStore::ToggleItemTrash(std::size_t index) {
  items_.SetInTrash(index, !items_.in_trash(index));
  Changed(true, false);
}

bool ItemStore::DeleteItem(std::size_t index, Prompter& prompter) {
  if (!prompter.AskYesNo(FormatString(string_id::kConfirmDelete, {items_.title(index)}))) {
    return false;
  }
  items_.MarkDeleted(index);
  Changed(true, false);
  return true;
}

void ItemStore::TrashAllIn(int folder_id) {
  for (int i : ListFolder(folder_id)) items_.SetInTrash(static_cast<std::size_t>(i), true);
  Changed(true, false);
}

bool ItemStore::DeleteAllIn(int folder_id, Prompter& prompter) {
  const int folder = folders_.Find(folder_id);
  if (folder < 0) return false;
  const std::string name = folders_.DisplayName(static_cast<std::size_t>(folder));
  if (!prompter.AskYesNo(FormatString(string_id::kConfirmDeleteAllIn, {name, StoreWord()}))) {
    return false;
  }
  for (int i : ListFolder(folder_id)) items_.MarkDeleted(static_cast<std::size_t>(i));
  Changed(true, false);
  return true;
}

bool ItemStore::DeleteFolder(std::size_t folder_index, Prompter& prompter) {
  const std::string name = folders_.DisplayName(folder_index);
  if (!prompter.AskYesNo(FormatString(string_id::kConfirmDelete, {name}))) return false;
  folders_.MarkDeleted(folder_index);
  Changed(false, true);
  return true;
}

bool ItemStore::Clear(Prompter& prompter) {
  const std::string& store_name = LoadString(string_id::kStoreWordBase + static_cast<int>(type()));
  if (!prompter.AskYesNo(FormatString(string_id::kConfirmClearStore, {store_name}))) return false;
  ResetToDefaults();
  Changed(true, true);
  return true;
}

}  // namespace tolvane
