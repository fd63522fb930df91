#include "core/stores/store_bar.h"

#include <charconv>
#include <cstdint>
#include <string_view>
#include <unordered_map>
#include <unordered_set>

#include "core/files/record_fields.h"
#include "core/text/charset_converter.h"
#include "core/text/cp932_tables.h"

namespace tolvane {
namespace {

// The ID of a token "F<number>" or "E<number>" of kind `marker`; false for
// any other text.
bool ParseToken(std::string_view token, char marker, int& id) {
  if (token.size() < 2 || token.front() != marker) return false;
  const char* first = token.data() + 1;
  const char* last = token.data() + token.size();
  const auto [end, error] = std::from_chars(first, last, id);
  return error == std::errc() && end == last;
}

// Whether a folder or item has a button: flagged, and neither deleted nor
// put in the trash (the trash lists what it holds; the bar does not).
template <typename List>
bool OnBar(const List& list, std::size_t i) {
  return list.bar_flag(i) && !list.deleted(i) && !list.in_trash(i);
}

}  // namespace

StoreBar::StoreBar(const ItemStore& store, SettingsStore& settings)
    : store_(store), settings_(settings) {}

int StoreBar::FolderImage(const ItemFolderTree& folders, std::size_t index) {
  return folders.id(index) == ItemFolderTree::kRootId ? kRootImage : folders.icon(index) + 1;
}

int StoreBar::ItemImage(const ItemList& items, std::size_t index) {
  return items.image_number(index) > 0 ? items.image_number(index) : kDefaultPageImage;
}

const TextSetting& StoreBar::ButtonIdsSetting(StoreType type) {
  switch (type) {
    case StoreType::kKeywords:
      return settings::kKeywordBarButtonIDs;
    case StoreType::kHistory:
      return settings::kHistoryBarButtonIDs;
    default:
      return settings::kFavoriteBarButtonIDs;
  }
}

std::vector<StoreBarButton> StoreBar::Entries(std::size_t limit) const {
  const ItemFolderTree& folders = store_.folders();
  const ItemList& items = store_.items();
  // Indexes by ID (the first of an ID), so that a long setting costs one
  // look-up per token.
  std::unordered_map<int, std::size_t> folder_index, item_index;
  for (std::size_t i = 0; i < folders.size(); ++i) folder_index.try_emplace(folders.id(i), i);
  for (std::size_t i = 0; i < items.size(); ++i) item_index.try_emplace(items.id(i), i);

  // A folder or item named twice keeps its first place, however its number
  // is written ("F2", "F02"): one button each, under its plain token.
  std::vector<StoreBarButton> entries;
  std::unordered_set<std::string> seen;
  const auto add = [&](std::string_view token) {
    if (entries.size() == limit) return;
    int id = 0;
    const bool folder = ParseToken(token, 'F', id);
    if (!folder && !ParseToken(token, 'E', id)) return;
    std::string plain = (folder ? "F" : "E") + std::to_string(id);
    if (!seen.insert(plain).second) return;
    const auto& index = folder ? folder_index : item_index;
    const auto found = index.find(id);
    if (found == index.end()) return;
    const std::size_t i = found->second;
    if (!(folder ? OnBar(folders, i) : OnBar(items, i))) return;
    entries.push_back({folder ? StoreBarButton::Kind::kFolder : StoreBarButton::Kind::kItem,
                       static_cast<int>(i),
                       std::move(plain),
                       {},
                       0});
  };
  const std::string stored = Read(settings_, ButtonIdsSetting(store_.type()));
  for (std::size_t start = 0; start <= stored.size();) {
    std::size_t comma = stored.find(',', start);
    if (comma == std::string::npos) comma = stored.size();
    if (const std::string_view token =
            TrimField(std::string_view(stored).substr(start, comma - start));
        !token.empty()) {
      add(token);
    }
    start = comma + 1;
  }
  for (std::size_t i = 0; i < folders.size(); ++i) {
    if (OnBar(folders, i)) add("F" + std::to_string(folders.id(i)));
  }
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (OnBar(items, i)) add("E" + std::to_string(items.id(i)));
  }
  return entries;
}

std::vector<StoreBarButton> StoreBar::Buttons() const {
  const ItemFolderTree& folders = store_.folders();
  const ItemList& items = store_.items();
  std::vector<StoreBarButton> buttons = Entries(kMaxButtons);
  for (StoreBarButton& button : buttons) {
    const auto i = static_cast<std::size_t>(button.index);
    const bool folder = button.kind == StoreBarButton::Kind::kFolder;
    const std::string text = folder ? folders.DisplayName(i) : items.title(i);
    button.text = std::string(cp932::PrefixWithin(text, kMaxTextBytes));
    button.image = folder ? FolderImage(folders, i) : ItemImage(items, i);
  }
  return buttons;
}

void StoreBar::SaveOrder() {
  std::string ids;
  for (const StoreBarButton& entry : Entries(SIZE_MAX)) {
    if (!ids.empty()) ids += ',';
    ids += entry.token;
  }
  Write(settings_, ButtonIdsSetting(store_.type()), ids);
}

std::string StoreBar::Describe(const std::vector<StoreBarButton>& buttons) {
  std::string text;
  for (const StoreBarButton& button : buttons) {
    if (!text.empty()) text += " | ";
    text += button.token + ":" + SjisToUtf8(button.text);
  }
  return text;
}

}  // namespace tolvane
