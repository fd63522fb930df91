#include "core/frame/data_menu.h"

#include <algorithm>

#include "core/files/string_table.h"
#include "core/stores/store_bar.h"
#include "core/text/charset_converter.h"

namespace tolvane {
namespace {

constexpr int kOpenAllFavorites = 303;
constexpr int kOpenAllHistory = 304;
constexpr int kMoreBase = 304;  // + store type: 305 favorites, 306 keywords, 307 history

}  // namespace

std::vector<int> DataMenu::ChildFolders(int folder_index) const {
  const ItemFolderTree& folders = store_.folders();
  const int id = folders.id(static_cast<std::size_t>(folder_index));
  std::vector<int> children;
  for (std::size_t i = 0; i < folders.size(); ++i) {
    if (static_cast<int>(i) == folder_index || folders.deleted(i)) continue;
    if (folders.VisibleParent(i) == id) children.push_back(static_cast<int>(i));
  }
  std::stable_sort(children.begin(), children.end(), [&folders](int a, int b) {
    return folders.order(static_cast<std::size_t>(a)) < folders.order(static_cast<std::size_t>(b));
  });
  return children;
}

std::vector<DataMenuEntry> DataMenu::Entries(int folder_index, std::size_t start) const {
  using Kind = DataMenuEntry::Kind;
  const ItemFolderTree& folders = store_.folders();
  const ItemList& items = store_.items();
  std::vector<DataMenuEntry> entries;
  if (folder_index < 0 || static_cast<std::size_t>(folder_index) >= folders.size() ||
      folders.deleted(static_cast<std::size_t>(folder_index))) {
    return entries;
  }
  const std::vector<int> children = ChildFolders(folder_index);
  const std::vector<int> listed =
      store_.ListFolder(folders.id(static_cast<std::size_t>(folder_index)));
  const std::size_t total = children.size() + listed.size();

  const StoreType type = store_.type();
  if (start == 0 && listed.size() > 1 &&
      (type == StoreType::kFavorites || type == StoreType::kHistory)) {
    entries.push_back(
        {Kind::kOpenAll, folder_index, 0,
         LoadString(type == StoreType::kFavorites ? kOpenAllFavorites : kOpenAllHistory), 0});
    entries.push_back({});
  }
  const std::size_t end = std::min(total, start + kMaxEntries);
  for (std::size_t n = start; n < end; ++n) {
    if (n < children.size()) {
      const auto i = static_cast<std::size_t>(children[n]);
      entries.push_back({Kind::kFolder, children[n], 0, folders.DisplayName(i),
                         StoreBar::FolderImage(folders, i)});
    } else {
      const int item = listed[n - children.size()];
      const auto i = static_cast<std::size_t>(item);
      entries.push_back({Kind::kItem, item, 0, items.title(i), StoreBar::ItemImage(items, i)});
    }
  }
  if (end < total) {
    entries.push_back({});
    entries.push_back(
        {Kind::kMore, folder_index, end, LoadString(kMoreBase + static_cast<int>(type)), 0});
  }
  return entries;
}

std::string DataMenu::Describe(const std::vector<DataMenuEntry>& entries) {
  static constexpr const char* kKindNames[] = {"open-all", "folder", "item", "more", "-"};
  std::string text;
  for (const DataMenuEntry& entry : entries) {
    if (!text.empty()) text += " | ";
    text += kKindNames[static_cast<int>(entry.kind)];
    if (entry.kind == DataMenuEntry::Kind::kSeparator) continue;
    text += ":" + SjisToUtf8(entry.text);
    if (entry.kind == DataMenuEntry::Kind::kMore) text += "@" + std::to_string(entry.start);
  }
  return text;
}

}  // namespace tolvane
