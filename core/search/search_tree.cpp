#include "core/search/search_tree.h"

#include <algorithm>
#include <charconv>
#include <set>
#include <unordered_map>
#include <utility>

#include "core/files/setting_keys.h"
#include "core/files/string_table.h"
#include "core/stores/category_folder_tree.h"
#include "core/stores/engine_list.h"

namespace tolvane {
namespace {

using Kind = SearchTreeItem::Kind;
constexpr int kRootName = 144;  // "検索"

}  // namespace

struct SearchTree::BuildState {
  bool show_favicon;
  std::unordered_map<int, std::vector<int>> folders_in;  // by visible parent ID
  // Each folder is placed once, so folders that name each other as parent
  // in a damaged file cannot loop.
  std::vector<bool> placed;
};

SearchTree::SearchTree(const CategoryFolderTree& folders, const EngineList& engines,
                       const SettingsStore& settings)
    : folders_(folders), engines_(engines), settings_(settings) {}

int SearchTree::AddItem(SearchTreeItem item) {
  const int index = size();
  if (item.parent >= 0) items_[static_cast<std::size_t>(item.parent)].children.push_back(index);
  items_.push_back(std::move(item));
  return index;
}

void SearchTree::Build() {
  std::set<std::pair<Kind, int>> open;
  std::pair<Kind, int> selected{Kind::kRoot, -1};
  for (const SearchTreeItem& item : items_) {
    if (item.expanded && item.kind != Kind::kRoot) open.emplace(item.kind, item.record);
  }
  if (selected_ > 0) selected = {item(selected_).kind, item(selected_).record};

  items_.clear();
  SearchTreeItem root;
  root.text = LoadString(kRootName);
  root.image = kRootImage;
  root.expanded = true;
  AddItem(std::move(root));
  BuildState state{
      Read(settings_, settings::kFindTreeShowFavicon) == 1, {}, std::vector<bool>(folders_.size())};
  for (std::size_t i = 0; i < folders_.size(); ++i) {
    if (!folders_.deleted(i))
      state.folders_in[folders_.VisibleParent(i)].push_back(static_cast<int>(i));
  }
  AddLevel(0, CategoryFolderTree::kTopLevelId, state);

  for (SearchTreeItem& item : items_) {
    if (item.kind == Kind::kFolder) item.expanded = open.count({item.kind, item.record}) != 0;
  }
  selected_ = 0;
  const int again = selected.first == Kind::kFolder   ? FindFolder(selected.second)
                    : selected.first == Kind::kEngine ? FindEngine(selected.second)
                                                      : -1;
  if (again >= 0) selected_ = again;
}

void SearchTree::AddLevel(int parent_item, int folder_id, BuildState& state) {
  std::vector<int> folders;
  for (int f : state.folders_in[folder_id]) {
    if (state.placed[static_cast<std::size_t>(f)]) continue;
    state.placed[static_cast<std::size_t>(f)] = true;
    folders.push_back(f);
  }
  // The archive folder comes last whatever its order: a category made
  // during the run is appended after it, but sorts before it as it will
  // after the next start.
  std::stable_sort(folders.begin(), folders.end(), [this](int a, int b) {
    const auto key = [this](int f) {
      const auto i = static_cast<std::size_t>(f);
      return std::pair(folders_.id(i) == CategoryFolderTree::kArchiveId, folders_.order(i));
    };
    return key(a) < key(b);
  });
  for (int f : folders) {
    const auto index = static_cast<std::size_t>(f);
    SearchTreeItem folder;
    folder.kind = Kind::kFolder;
    folder.record = f;
    folder.text = folders_.DisplayName(index);
    folder.image =
        folders_.id(index) == CategoryFolderTree::kArchiveId ? kArchiveImage : kFolderImage;
    folder.parent = parent_item;
    const int item = AddItem(std::move(folder));
    AddLevel(item, folders_.id(index), state);
  }
  for (int row : engines_.ListFolder(folder_id)) {
    SearchTreeItem engine;
    engine.kind = Kind::kEngine;
    engine.record = row;
    engine.text = engines_.DisplayName(static_cast<std::size_t>(row));
    engine.image = EngineImage(static_cast<std::size_t>(row), state.show_favicon);
    engine.parent = parent_item;
    AddItem(std::move(engine));
  }
}

int SearchTree::EngineImage(std::size_t row, bool show_favicon) const {
  if (engines_.icon_index(row) > 0) return engines_.icon_index(row) + kIconChoiceBase;
  if (show_favicon && engines_.image_index(row) > 0) return engines_.image_index(row);
  return kNoIconImage;
}

int SearchTree::FindFolder(int folder_index) const {
  for (int i = 0; i < size(); ++i) {
    if (item(i).kind == Kind::kFolder && item(i).record == folder_index) return i;
  }
  return -1;
}

int SearchTree::FindEngine(int row) const {
  for (int i = 0; i < size(); ++i) {
    if (item(i).kind == Kind::kEngine && item(i).record == row) return i;
  }
  return -1;
}

void SearchTree::Select(int index) {
  if (index < 0 || index >= size()) return;
  selected_ = index;
  for (int p = item(index).parent; p >= 0; p = item(p).parent) {
    items_[static_cast<std::size_t>(p)].expanded = true;
  }
  SearchTreeItem& chosen = items_[static_cast<std::size_t>(index)];
  if (chosen.expanded || chosen.children.empty()) return;
  if (chosen.parent >= 0 && Read(settings_, settings::kFindTreeTreeOpen) != 1) {
    for (int sibling : item(chosen.parent).children) {
      items_[static_cast<std::size_t>(sibling)].expanded = false;
    }
  }
  chosen.expanded = true;
}

void SearchTree::SetExpanded(int index, bool expanded) {
  if (index < 0 || index >= size()) return;
  items_[static_cast<std::size_t>(index)].expanded = expanded;
}

std::vector<int> SearchTree::MenuChildren(int item) const {
  std::vector<int> offered;
  for (const int child : items_[static_cast<std::size_t>(item)].children) {
    const SearchTreeItem& entry = items_[static_cast<std::size_t>(child)];
    if (entry.kind == SearchTreeItem::Kind::kFolder &&
        folders_.id(static_cast<std::size_t>(entry.record)) == CategoryFolderTree::kArchiveId) {
      continue;
    }
    offered.push_back(child);
  }
  return offered;
}

int SearchTree::FolderIdOf(int index) const {
  if (index < 0 || index >= size()) return -1;
  const SearchTreeItem& it = item(index);
  switch (it.kind) {
    case Kind::kRoot:
      return CategoryFolderTree::kTopLevelId;
    case Kind::kFolder:
      return folders_.id(static_cast<std::size_t>(it.record));
    case Kind::kEngine:
      return engines_.EffectiveFolder(static_cast<std::size_t>(it.record));
  }
  return -1;
}

std::string SearchTree::Token(int index) const {
  if (index < 0 || index >= size()) return {};
  const SearchTreeItem& it = item(index);
  const auto record = static_cast<std::size_t>(it.record);
  switch (it.kind) {
    case Kind::kFolder:
      return "EF" + std::to_string(folders_.id(record));
    case Kind::kEngine:
      return "EE" + std::to_string(engines_.id(record));
    case Kind::kRoot:
      break;
  }
  return {};
}

int SearchTree::ItemOfToken(std::string_view token) const {
  if (token.size() < 3 || token[0] != 'E' || (token[1] != 'E' && token[1] != 'F')) return -1;
  int id = 0;
  const std::string_view digits = token.substr(2);
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), id);
  if (error != std::errc() || end != digits.data() + digits.size()) return -1;
  if (token[1] == 'E') {
    const int row = engines_.FindById(id);
    return row >= 0 ? FindEngine(row) : -1;
  }
  const int folder = folders_.Find(id);
  return folder >= 0 ? FindFolder(folder) : -1;
}

std::string SearchTree::Describe() const {
  std::string out;
  for (int i = 0; i < size(); ++i) {
    const SearchTreeItem& it = item(i);
    int depth = 0;
    for (int p = it.parent; p >= 0; p = item(p).parent) ++depth;
    out.append(static_cast<std::size_t>(depth) * 2, ' ');
    out += it.text + " #" + std::to_string(it.image);
    if (it.expanded && !it.children.empty()) out += " open";
    if (i == selected_) out += " *";
    out += '\n';
  }
  return out;
}

}  // namespace tolvane
