#include "core/tabs/tab_workspace.h"

#include "core/files/clock.h"
#include "core/files/settings_store.h"
#include "core/stores/category_folder_tree.h"
#include "core/stores/clip_list.h"
#include "core/stores/engine_list.h"
#include "core/stores/item_store.h"

namespace tolvane {

TabArea::Services TabWorkspace::AreaServices(const Services& s) {
  const WorkspaceStores& stores = s.stores;
  return TabArea::Services{
      .tabs = stores.tabs,
      .engines = stores.engines,
      .groups = stores.groups,
      .clips = stores.clips,
      .settings = stores.settings,
      .keywords = stores.keywords,
      .history = &stores.history,
      .favorites = &stores.favorites,
      .timers = s.timers,
      .prompter = s.prompter,
      .clock = s.clock,
      .controls = s.controls,
      .probe = s.probe,
      .boxes = s.boxes,
      .clipboard = s.clipboard,
  };
}

TabWorkspace::TabWorkspace(const Services& services, WorkspaceView& view)
    : stores_(services.stores),
      prompter_(services.prompter),
      clock_(services.clock),
      view_(view),
      area_(AreaServices(services), view),
      tree_(stores_.groups, stores_.tabs, stores_.settings),
      editor_(stores_.tabs, stores_.groups, stores_.engines, stores_.engine_folders) {
  area_.AddObserver(*this);
  stores_.favorites.changes().AddObserver(*this);
}

EngineList& TabWorkspace::tabs() { return stores_.tabs; }
CategoryFolderTree& TabWorkspace::groups() { return stores_.groups; }
SettingsStore& TabWorkspace::settings() { return stores_.settings; }
ItemStore& TabWorkspace::favorites() { return stores_.favorites; }

// The pages go before the tree and the records they point into.
TabWorkspace::~TabWorkspace() {
  stores_.favorites.changes().RemoveObserver(*this);
  area_.RemoveObserver(*this);
  area_.DestroyAll();
}

// The status icon shows the shown page's importance as a favorite: a
// favorite added, edited or deleted redraws it at once.
void TabWorkspace::StoreChanged(const ChangeNotifier& store, const StoreChange& change) {
  if (&store != &stores_.favorites.changes() || change.part != StoreChange::Part::kItems) return;
  if (const PageHost* host = area_.ActiveHost()) view_.UpdateStatusBar(host->StatusValues());
}

void TabWorkspace::RestoreTabs(bool has_argument, const std::function<std::string()>& start_url,
                               const std::string& clip_list_url) {
  const StartPlan plan =
      StartPlan::Choose(stores_.settings, has_argument, stores_.clip_load_failed);
  RebuildTree();
  if (plan.item == StartPlan::Item::kNone) return;

  int item = FirstTabItem();
  if (plan.item == StartPlan::Item::kTabId) {
    const int row = stores_.tabs.FindById(plan.tab_id);
    item =
        row >= 0 && !stores_.tabs.deleted(static_cast<std::size_t>(row)) ? tree_.FindTab(row) : -1;
  }
  if (item < 0) return;
  if (plan.start_pages) {
    area_.SetStartPages(start_url(), plan.clip_list_page ? clip_list_url : std::string());
  }
  ChooseTreeItem(item);
  area_.ClearStartPages();
}

int TabWorkspace::FirstTabItem() {
  int item = tree_.FirstTabItem();
  if (item >= 0) return item;
  const std::optional<TabRecordEditor::DefaultTabs> made = editor_.CreateDefaultTabs();
  if (!made) return -1;
  default_group_ = stores_.groups.Find(made->group_id);
  RebuildTree();
  return tree_.FirstTabItem();
}

bool TabWorkspace::ShowSomeCategory() {
  if (area_.current_category() < 0) ChooseTreeItem(FirstTabItem());
  return area_.current_category() >= 0;
}

void TabWorkspace::ChooseTreeItem(int item) {
  if (item < 0 || item >= tree_.size()) return;
  tree_.Select(item);
  // Opening tabs adds page items to the tree: keep what this item is, not
  // its index.
  const TabTreeItem chosen = tree_.item(item);
  const int group = tree_.GroupOf(item);
  int group_item = tree_.GroupItemOf(item);
  int shown = group;
  if (group < 0 && chosen.kind != TabTreeItem::Kind::kRoot) {
    // Tabs filed at the top level, outside every group, open as one row.
    group_item = tree_.root();
    shown = kTopLevel;
  }
  if (shown != -1) {
    CategoryFolderTree& groups = stores_.groups;
    if (group >= 0) groups.SetTimeStamp(static_cast<std::size_t>(group), clock_);
    const bool archive =
        group >= 0 && groups.id(static_cast<std::size_t>(group)) == EngineList::kArchiveFolderId;
    if (shown != shown_group_) {
      view_.FreezeDrawing();
      area_.HideAll();
      shown_group_ = shown;
      bool first_is_new = false;
      if (!archive) {
        const std::vector<int> records = tree_.TabsOfGroup(group_item);
        for (std::size_t i = 0; i < records.size(); ++i) {
          const bool had_object = area_.PoolState(records[i]) != 0;
          area_.OpenCategoryTab(records[i]);
          if (i == 0) first_is_new = !had_object;
        }
      }
      if (first_is_new && chosen.kind == TabTreeItem::Kind::kGroup && area_.category_count() > 0) {
        area_.SelectCategoryTab(0, false);
      }
      view_.UnfreezeDrawing();
      tree_.UpdateBold(*this);
    } else if (!archive) {
      OpenAddedTabs(group_item);
    }
  }
  if (chosen.kind == TabTreeItem::Kind::kTab) {
    const int index = area_.FindByRecord(chosen.record);
    if (index >= 0) area_.SelectCategoryTab(index, false);
  } else if (chosen.kind == TabTreeItem::Kind::kPage && chosen.page != nullptr) {
    const int category = area_.current_category();
    if (category >= 0) {
      const int page = area_.category(category).IndexOfHost(*chosen.page);
      if (page >= 0) area_.SelectPage(category, page, true, false);
    }
  }
  // The tree may have been rebuilt in between: select the chosen item again.
  int again = -1;
  if (chosen.kind == TabTreeItem::Kind::kTab) again = tree_.FindTab(chosen.record);
  if (chosen.kind == TabTreeItem::Kind::kGroup) again = tree_.FindGroup(chosen.record);
  if (chosen.kind == TabTreeItem::Kind::kPage) again = tree_.FindPage(chosen.page);
  if (again >= 0 && again != tree_.selected()) tree_.Select(again);
  view_.TreeChanged();
}

// Tabs the shown group gained since it was opened (a new, copied or
// dropped tab) join the row at their place in the tree, and tabs moved
// inside the tree move along the row; the row is already open, so the
// group switch does not run for them.
void TabWorkspace::OpenAddedTabs(int group_item) {
  int previous = -1;  // bar index of the tab before, in tree order
  for (const int record : tree_.TabsOfGroup(group_item)) {
    int index = area_.FindByRecord(record);
    if (index < 0) index = area_.OpenCategoryTab(record);
    if (index < 0) continue;
    if (index > previous + 1) {
      area_.MoveCategoryTab(index, previous + 1);
      index = previous + 1;
    }
    previous = index;
  }
}

void TabWorkspace::RebuildTree() {
  tree_.Build(*this);
  view_.TreeRebuilt();
}

void TabWorkspace::RebuildAndSelectTab(int record) {
  RebuildTree();
  const int item = record >= 0 ? tree_.FindTab(record) : -1;
  ChooseTreeItem(item >= 0 ? item : tree_.root());
}

void TabWorkspace::RebuildAndSelectGroup(int folder_index) {
  RebuildTree();
  const int item = folder_index >= 0 ? tree_.FindGroup(folder_index) : -1;
  ChooseTreeItem(item >= 0 ? item : tree_.root());
}

void TabWorkspace::MoveCategoryTab(int from, int to) {
  if (from == to || from < 0 || to < 0 || from >= area_.category_count() ||
      to >= area_.category_count()) {
    return;
  }
  const int record = area_.RecordAt(from);
  const int target = area_.RecordAt(to);
  const int group_item = tree_.GroupItemOf(tree_.FindTab(record));
  if (group_item < 0) return;
  const std::vector<int> records = tree_.TabsOfGroup(group_item);
  int position = -1;
  for (std::size_t i = 0; i < records.size(); ++i) {
    if (records[i] == target) position = static_cast<int>(i);
  }
  if (position < 0) return;
  editor_.MoveTab(record, records, position);
  area_.MoveCategoryTab(from, to);
  RebuildAndSelectTab(record);
}

bool TabWorkspace::DropOnTreeItem(int dragged, int target) {
  if (dragged < 0 || dragged >= tree_.size() || target < 0 || target >= tree_.size()) return false;
  if (tree_.item(target).kind == TabTreeItem::Kind::kPage) target = tree_.item(target).parent;
  const TabTreeItem& moving = tree_.item(dragged);
  if (moving.kind == TabTreeItem::Kind::kTab) return DropTab(moving.record, target);
  if (moving.kind == TabTreeItem::Kind::kGroup) return DropGroup(moving.record, target);
  return false;
}

bool TabWorkspace::DropTab(int record, int target) {
  const TabTreeItem& onto = tree_.item(target);
  if (onto.kind == TabTreeItem::Kind::kRoot) return false;
  if (onto.kind == TabTreeItem::Kind::kTab && onto.record == record) return false;
  // A tab filed outside every group lies under the root: the top level.
  int group_item = tree_.GroupItemOf(target);
  int group_id = CategoryFolderTree::kTopLevelId;
  if (group_item >= 0) {
    group_id = stores_.groups.id(static_cast<std::size_t>(tree_.item(group_item).record));
  } else {
    group_item = tree_.root();
  }
  EngineList& tabs = stores_.tabs;
  const auto r = static_cast<std::size_t>(record);
  if (group_id == CategoryFolderTree::kArchiveId && tabs.archived(r)) return false;
  const int was_in = tabs.EffectiveFolder(r);
  const int before = onto.kind == TabTreeItem::Kind::kTab ? onto.record : -1;
  const int neighbour = tree_.Neighbour(tree_.FindTab(record));
  const TabTreeItem next = neighbour >= 0 ? tree_.item(neighbour) : TabTreeItem{};
  editor_.FileTab(record, group_id, tree_.TabsOfGroup(group_item), before);
  if (tabs.archived(r) && was_in != CategoryFolderTree::kArchiveId) {
    // Dropped into 保管箱: closed, as by the close command; the group it
    // left stays shown.
    area_.DestroyPoolObject(record);
    if (next.kind == TabTreeItem::Kind::kTab) {
      RebuildAndSelectTab(next.record);
    } else {
      RebuildAndSelectGroup(next.kind == TabTreeItem::Kind::kGroup ? next.record : -1);
    }
    return true;
  }
  if (tabs.EffectiveFolder(r) != was_in) {
    // Off the row it leaves, still loaded: its pages come back with its new
    // group.
    const int index = area_.FindByRecord(record);
    if (index >= 0) area_.CloseCategoryTab(index, false);
  }
  RebuildAndSelectTab(record);
  return true;
}

bool TabWorkspace::DropGroup(int folder_index, int target) {
  const TabTreeItem& onto = tree_.item(target);
  int parent_item = tree_.root();
  int before = -1;
  if (onto.kind == TabTreeItem::Kind::kGroup) {
    parent_item = target;
  } else if (onto.kind == TabTreeItem::Kind::kTab) {
    // Beside the tab's group; a tab outside every group: the top level.
    const int tab_group = tree_.GroupItemOf(target);
    if (tab_group >= 0) {
      parent_item = tree_.item(tab_group).parent;
      before = tree_.item(tab_group).record;
    }
  }
  const TabTreeItem& parent = tree_.item(parent_item);
  const int parent_id = parent.kind == TabTreeItem::Kind::kGroup
                            ? stores_.groups.id(static_cast<std::size_t>(parent.record))
                            : CategoryFolderTree::kTopLevelId;
  std::vector<int> siblings;
  for (const int child : parent.children) {
    if (tree_.item(child).kind == TabTreeItem::Kind::kGroup) {
      siblings.push_back(tree_.item(child).record);
    }
  }
  if (!editor_.FileGroup(folder_index, parent_id, siblings, before)) return false;
  RebuildAndSelectGroup(folder_index);
  return true;
}

void TabWorkspace::EngineListReloaded(const std::string& start_url) {
  area_.DestroyAll();
  shown_group_ = -1;
  if (default_group_ >= 0) editor_.DeleteGroup(default_group_);
  default_group_ = -1;
  RestoreTabs(
      false, [&start_url] { return start_url; }, std::string());
}

int TabWorkspace::ActiveTabId() const {
  const int record = area_.RecordAt(area_.current_category());
  return record >= 0 ? stores_.tabs.id(static_cast<std::size_t>(record)) : 0;
}

std::vector<TabTreePage> TabWorkspace::PagesOf(int record) const {
  std::vector<TabTreePage> pages;
  const CCategoryTab* tab = area_.PoolObject(record);
  if (tab == nullptr) return pages;
  for (const auto& page : tab->pages()) {
    const PageHost& host = page->host();
    pages.push_back({&host, host.title().empty() ? host.url() : host.title()});
  }
  return pages;
}

bool TabWorkspace::IsLoaded(int record) const { return area_.PoolState(record) != 0; }

void TabWorkspace::SyncTreeSelection(int record, const PageHost* page) {
  int item = page != nullptr ? tree_.FindPage(page) : -1;
  if (item < 0) item = tree_.FindTab(record);
  if (item < 0 || item == tree_.selected()) return;
  tree_.Select(item);
  view_.TreeChanged();
}

void TabWorkspace::TreePagesChanged(int record) {
  tree_.UpdatePages(record, *this);
  view_.TreeRebuilt();
}

void TabWorkspace::LoadedGroupsChanged() {
  tree_.UpdateBold(*this);
  view_.TreeChanged();
}

void TabWorkspace::TabInserted(const CCategoryTab&, int, bool created) {
  if (created) LoadedGroupsChanged();
}

void TabWorkspace::TabRemoved(int record, int, bool destroyed) {
  if (!destroyed) return;
  TreePagesChanged(record);
  LoadedGroupsChanged();
}

void TabWorkspace::TabSelected(const CCategoryTab& tab, int, bool follow) {
  if (follow) SyncTreeSelection(tab.record(), nullptr);
}

void TabWorkspace::PageInserted(const CCategoryTab& tab, int) { TreePagesChanged(tab.record()); }

void TabWorkspace::PageRemoved(const CCategoryTab& tab, int) { TreePagesChanged(tab.record()); }

void TabWorkspace::PageMoved(const CCategoryTab& tab, int, int) { TreePagesChanged(tab.record()); }

void TabWorkspace::PageSelected(const CCategoryTab& tab, int page, bool follow) {
  if (follow) SyncTreeSelection(tab.record(), &tab.page(page).host());
}

void TabWorkspace::PageUpdated(const CCategoryTab& tab, int) { TreePagesChanged(tab.record()); }

}  // namespace tolvane
