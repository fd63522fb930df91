#include "core/tabs/tab_tree.h"

#include <algorithm>
#include <set>
#include <unordered_map>
#include <utility>

#include "core/files/setting_keys.h"
#include "core/files/string_table.h"
#include "core/stores/category_folder_tree.h"
#include "core/stores/engine_list.h"

namespace tolvane {
namespace {

constexpr int kRootName = 154;  // "タブ"

using Kind = TabTreeItem::Kind;

}  // namespace

// What a build needs while it walks the folder levels: the live groups by
// visible parent and the live tabs by effective group, each in list order,
// so a build costs one pass over each list and the sorts.
struct TabTree::BuildState {
  const TabTreePages& pages;
  bool show_pages;
  std::unordered_map<int, std::vector<int>> groups_in;
  std::unordered_map<int, std::vector<int>> tabs_in;
  // Each folder and tab row is placed once, so folders that name each
  // other, or repeat an ID, in a damaged file cannot loop or list twice.
  std::vector<bool> placed_groups;
  std::vector<bool> placed_tabs;
};

TabTree::TabTree(CategoryFolderTree& groups, EngineList& tabs, const SettingsStore& settings)
    : groups_(groups), tabs_(tabs), settings_(settings) {}

int TabTree::AddItem(TabTreeItem item) {
  const int index = size();
  if (item.parent >= 0) items_[static_cast<std::size_t>(item.parent)].children.push_back(index);
  items_.push_back(std::move(item));
  return index;
}

void TabTree::Build(const TabTreePages& pages) {
  // Remember the state by record; item indices do not survive the rebuild.
  std::set<std::pair<Kind, int>> open;
  Kind selected_kind = Kind::kRoot;
  int selected_record = -1;
  const PageHost* selected_page = nullptr;
  for (const TabTreeItem& item : items_) {
    if (item.expanded && item.kind != Kind::kRoot) open.emplace(item.kind, item.record);
  }
  if (selected_ > 0) {
    const TabTreeItem& item = items_[static_cast<std::size_t>(selected_)];
    selected_kind = item.kind;
    selected_record = item.record;
    if (item.kind == Kind::kPage) {
      selected_kind = Kind::kTab;
      selected_record = items_[static_cast<std::size_t>(item.parent)].record;
      selected_page = item.page;
    }
  }

  items_.clear();
  TabTreeItem root;
  root.text = LoadString(kRootName);
  root.image = kRootImage;
  root.expanded = true;
  AddItem(std::move(root));
  BuildState state{pages,
                   Read(settings_, settings::kTabTreeShowPageTab) == 1,
                   {},
                   {},
                   std::vector<bool>(groups_.size()),
                   std::vector<bool>(tabs_.size())};
  for (std::size_t i = 0; i < groups_.size(); ++i) {
    if (!groups_.deleted(i))
      state.groups_in[groups_.VisibleParent(i)].push_back(static_cast<int>(i));
  }
  for (std::size_t i = 0; i < tabs_.size(); ++i) {
    if (!tabs_.deleted(i)) state.tabs_in[tabs_.EffectiveFolder(i)].push_back(static_cast<int>(i));
  }
  AddLevel(0, CategoryFolderTree::kTopLevelId, state);

  for (TabTreeItem& item : items_) {
    if (item.kind == Kind::kGroup || item.kind == Kind::kTab) {
      item.expanded = open.count({item.kind, item.record}) != 0;
    }
  }
  selected_ = 0;
  const int tab_or_group = selected_kind == Kind::kGroup ? FindGroup(selected_record)
                           : selected_kind == Kind::kTab ? FindTab(selected_record)
                                                         : -1;
  if (tab_or_group >= 0) selected_ = tab_or_group;
  if (selected_page != nullptr) {
    const int page = FindPage(selected_page);
    if (page >= 0) selected_ = page;
  }
}

void TabTree::AddLevel(int parent_item, int folder_id, BuildState& state) {
  // The archive keeps the orders its members had in their own groups, so
  // a restored group or tab goes back to its old place.
  const bool renumber = folder_id != CategoryFolderTree::kArchiveId;

  std::vector<int> folders;
  for (int f : state.groups_in[folder_id]) {
    if (state.placed_groups[static_cast<std::size_t>(f)]) continue;
    folders.push_back(f);
    state.placed_groups[static_cast<std::size_t>(f)] = true;
  }
  // The archive folder comes last whatever order a file gave it: a group
  // back from the archive is numbered among the others and must not land
  // behind it.
  const auto archive = [this](int f) {
    return groups_.id(static_cast<std::size_t>(f)) == CategoryFolderTree::kArchiveId;
  };
  std::stable_sort(folders.begin(), folders.end(), [this, &archive](int a, int b) {
    if (archive(a) != archive(b)) return archive(b);
    return groups_.order(static_cast<std::size_t>(a)) < groups_.order(static_cast<std::size_t>(b));
  });
  for (std::size_t n = 0; n < folders.size(); ++n) {
    const auto f = static_cast<std::size_t>(folders[n]);
    if (renumber) groups_.set_order(f, static_cast<int>(n));
    TabTreeItem group;
    group.kind = Kind::kGroup;
    group.record = folders[n];
    group.text = groups_.DisplayName(f);
    group.image = groups_.id(f) == CategoryFolderTree::kArchiveId ? kArchiveImage : kGroupImage;
    group.parent = parent_item;
    const int item = AddItem(std::move(group));
    AddLevel(item, groups_.id(f), state);
    const std::vector<int> tabs = TabsOfGroup(item);
    items_[static_cast<std::size_t>(item)].bold = !tabs.empty() && state.pages.IsLoaded(tabs[0]);
  }

  std::vector<int> rows;
  for (int r : state.tabs_in[folder_id]) {
    if (state.placed_tabs[static_cast<std::size_t>(r)]) continue;
    rows.push_back(r);
    state.placed_tabs[static_cast<std::size_t>(r)] = true;
  }
  std::stable_sort(rows.begin(), rows.end(), [this](int a, int b) {
    return tabs_.order(static_cast<std::size_t>(a)) < tabs_.order(static_cast<std::size_t>(b));
  });
  for (std::size_t n = 0; n < rows.size(); ++n) {
    const auto r = static_cast<std::size_t>(rows[n]);
    if (renumber) tabs_.set_order(r, static_cast<int>(n));
    TabTreeItem tab;
    tab.kind = Kind::kTab;
    tab.record = rows[n];
    tab.text = tabs_.DisplayName(r);
    tab.image = TabImage(r);
    tab.parent = parent_item;
    const int item = AddItem(std::move(tab));
    if (state.show_pages) AddPages(item, state.pages.PagesOf(rows[n]));
  }
}

int TabTree::TabImage(std::size_t record) const {
  const int icon = tabs_.icon_index(record);
  return icon > 0 ? icon + kTabIconBase : kTabImage;
}

void TabTree::AddPages(int tab_item, const std::vector<TabTreePage>& pages) {
  for (const TabTreePage& page : pages) {
    TabTreeItem item;
    item.kind = Kind::kPage;
    item.page = page.host;
    item.text = page.title;
    item.image = kTabImage;
    item.parent = tab_item;
    AddItem(std::move(item));
  }
}

void TabTree::UpdatePages(int record, const TabTreePages& pages) {
  const int tab = FindTab(record);
  if (tab < 0 || Read(settings_, settings::kTabTreeShowPageTab) != 1) {
    UpdateBold(pages);
    return;
  }
  const std::vector<TabTreePage> list = pages.PagesOf(record);
  const std::vector<int>& children = items_[static_cast<std::size_t>(tab)].children;
  if (children.size() != list.size()) {
    // Items are kept in depth-first order; a page added or closed shifts
    // every later index, which only a rebuild gets right.
    Build(pages);
    return;
  }
  for (std::size_t i = 0; i < list.size(); ++i) {
    TabTreeItem& item = items_[static_cast<std::size_t>(children[i])];
    item.page = list[i].host;
    item.text = list[i].title;
  }
  UpdateBold(pages);
}

void TabTree::UpdateBold(const TabTreePages& pages) {
  for (int i = 0; i < size(); ++i) {
    if (items_[static_cast<std::size_t>(i)].kind != Kind::kGroup) continue;
    const std::vector<int> tabs = TabsOfGroup(i);
    items_[static_cast<std::size_t>(i)].bold = !tabs.empty() && pages.IsLoaded(tabs[0]);
  }
}

int TabTree::FindTab(int record) const {
  for (int i = 0; i < size(); ++i) {
    const TabTreeItem& item = items_[static_cast<std::size_t>(i)];
    if (item.kind == Kind::kTab && item.record == record) return i;
  }
  return -1;
}

int TabTree::FindGroup(int folder_index) const {
  for (int i = 0; i < size(); ++i) {
    const TabTreeItem& item = items_[static_cast<std::size_t>(i)];
    if (item.kind == Kind::kGroup && item.record == folder_index) return i;
  }
  return -1;
}

int TabTree::FindPage(const PageHost* host) const {
  for (int i = 0; i < size(); ++i) {
    const TabTreeItem& item = items_[static_cast<std::size_t>(i)];
    if (item.kind == Kind::kPage && item.page == host) return i;
  }
  return -1;
}

// Items are stored depth-first, so the first tab in storage order is the
// first one a depth-first search meets.
int TabTree::FirstTabItem() const {
  for (int i = 0; i < size(); ++i) {
    if (items_[static_cast<std::size_t>(i)].kind == Kind::kTab) return i;
  }
  return -1;
}

int TabTree::GroupItemOf(int item) const {
  while (item >= 0 && item < size()) {
    const TabTreeItem& it = items_[static_cast<std::size_t>(item)];
    if (it.kind == Kind::kGroup) return item;
    item = it.parent;
  }
  return -1;
}

int TabTree::GroupOf(int item) const {
  const int group = GroupItemOf(item);
  return group < 0 ? -1 : items_[static_cast<std::size_t>(group)].record;
}

std::vector<int> TabTree::TabsOfGroup(int group_item) const {
  std::vector<int> records;
  if (group_item < 0 || group_item >= size()) return records;
  for (int child : items_[static_cast<std::size_t>(group_item)].children) {
    const TabTreeItem& item = items_[static_cast<std::size_t>(child)];
    if (item.kind == Kind::kTab) records.push_back(item.record);
  }
  return records;
}

bool TabTree::IsArchiveFolder(int item) const {
  const TabTreeItem& entry = this->item(item);
  return entry.kind == TabTreeItem::Kind::kGroup &&
         groups_.id(static_cast<std::size_t>(entry.record)) == CategoryFolderTree::kArchiveId;
}

bool TabTree::IsArchived(int item) const {
  const TabTreeItem& entry = this->item(item);
  if (entry.kind == TabTreeItem::Kind::kTab) {
    return tabs_.archived(static_cast<std::size_t>(entry.record));
  }
  return IsArchiveFolder(item);
}

int TabTree::Neighbour(int item) const {
  if (item <= 0 || item >= size()) return -1;
  const int parent = items_[static_cast<std::size_t>(item)].parent;
  const std::vector<int>& siblings = items_[static_cast<std::size_t>(parent)].children;
  const auto it = std::find(siblings.begin(), siblings.end(), item);
  if (it != siblings.begin()) return *(it - 1);
  if (it + 1 != siblings.end()) return *(it + 1);
  return parent;
}

void TabTree::Select(int item) {
  if (item < 0 || item >= size()) return;
  selected_ = item;
  // The selection is always in view.
  for (int p = items_[static_cast<std::size_t>(item)].parent; p >= 0;
       p = items_[static_cast<std::size_t>(p)].parent) {
    items_[static_cast<std::size_t>(p)].expanded = true;
  }
  TabTreeItem& selected = items_[static_cast<std::size_t>(item)];
  if (selected.expanded || selected.children.empty()) return;
  if (selected.parent >= 0 && Read(settings_, settings::kTabTreeTreeOpen) != 1) {
    for (int sibling : items_[static_cast<std::size_t>(selected.parent)].children) {
      items_[static_cast<std::size_t>(sibling)].expanded = false;
    }
  }
  selected.expanded = true;
}

void TabTree::SetExpanded(int item, bool expanded) {
  if (item < 0 || item >= size()) return;
  items_[static_cast<std::size_t>(item)].expanded = expanded;
}

std::string TabTree::Describe() const {
  std::string out;
  for (int i = 0; i < size(); ++i) {
    const TabTreeItem& item = items_[static_cast<std::size_t>(i)];
    int depth = 0;
    for (int p = item.parent; p >= 0; p = items_[static_cast<std::size_t>(p)].parent) ++depth;
    out.append(static_cast<std::size_t>(depth) * 2, ' ');
    out += item.text;
    out += " #" + std::to_string(item.image);
    if (item.bold) out += " bold";
    if (item.expanded && !item.children.empty()) out += " open";
    if (i == selected_) out += " *";
    out += '\n';
  }
  return out;
}

}  // namespace tolvane
