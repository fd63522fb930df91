#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/files/store_observer.h"
#include "core/tabs/start_plan.h"
#include "core/tabs/tab_area.h"
#include "core/tabs/tab_area_observer.h"
#include "core/tabs/tab_record_editor.h"
#include "core/tabs/tab_tree.h"
#include "core/tabs/workspace_stores.h"
#include "core/tabs/workspace_view.h"

namespace tolvane {

// The tab area, the tab tree and the tab records together: selecting in the
// tree switches tab groups and category tabs, changing the records rebuilds
// the tree and selects again, and start-up picks the tab to show first.
// Commands on tabs (TabCommands) work through it.
//
// Group switch (a tree item chosen): the item's group is stamped with the
// time; when it is not the group shown, every category tab is hidden (kept
// loaded) and the group's tabs are opened in tree order (none for the
// archive folder); then a chosen tab or page is selected. When it is the
// group shown, tabs it gained since (new or copied ones) are opened at their
// tree place.
class TabWorkspace : public TabAreaObserver, public TabTreePages, public StoreObserver {
 public:
  struct Services {
    WorkspaceStores stores;
    TimerFactory& timers;
    Prompter& prompter;
    const Clock& clock;
    BrowserControlFactory& controls;
    ResourceProbe& probe;
    KeywordBoxes& boxes;
    Clipboard& clipboard;
  };

  TabWorkspace(const Services& services, WorkspaceView& view);
  ~TabWorkspace() override;
  TabWorkspace(const TabWorkspace&) = delete;
  TabWorkspace& operator=(const TabWorkspace&) = delete;

  TabArea& area() { return area_; }
  const TabArea& area() const { return area_; }
  TabTree& tree() { return tree_; }
  const TabTree& tree() const { return tree_; }
  TabRecordEditor& editor() { return editor_; }
  // The stores the tab commands change.
  EngineList& tabs();
  CategoryFolderTree& groups();
  SettingsStore& settings();
  ItemStore& favorites();
  WorkspaceView& view() { return view_; }
  Prompter& prompter() { return prompter_; }

  // Opens the first tabs of the run. `has_argument` tells whether the
  // command line named a page; `start_url` gives the first page in modes 1
  // and 2 and is asked only when that page opens (reading it may use up
  // LastActivePage); `clip_list_url` is the address of "クリップ.html", shown
  // second after unreadable clips, empty when no such page was written.
  void RestoreTabs(bool has_argument, const std::function<std::string()>& start_url,
                   const std::string& clip_list_url);

  // The user chose `item` in the tab tree: the group switch.
  void ChooseTreeItem(int item);
  // Makes sure a category tab is current, for an address handed over by
  // another program or a second start: when none is (start mode 0, a start
  // tab that is gone, every tab closed), chooses the first tab as start mode
  // 1 does. Returns whether one is current now.
  bool ShowSomeCategory();
  // The tree's item for a tab record, making the default group and tabs
  // when there is no tab at all (first start). -1 when none.
  int FirstTabItem();
  // Rebuilds the tree and chooses the item of tab `record` (or group folder
  // index `group` when record is -1); the root when neither is there.
  void RebuildAndSelectTab(int record);
  void RebuildAndSelectGroup(int folder_index);
  void RebuildTree();

  // shown_group() of the tabs filed at the top level, outside every group.
  static constexpr int kTopLevel = -2;
  // The group shown in the category row (folder index), kTopLevel, or -1.
  int shown_group() const { return shown_group_; }
  // The default group made in this run, or -1.
  int default_group() const { return default_group_; }

  // A category tab was dragged from `from` to `to` on the category row.
  void MoveCategoryTab(int from, int to);
  // Tree item `dragged` (a tab or a group) was dropped on `target`:
  // - a tab onto a tab joins the target's group just before it; onto a
  //   group, at the group's end. Into the archive folder it is only
  //   archived; out of it, restored. A tab that leaves the shown group
  //   leaves the row but stays loaded for when its new group is shown.
  // - a group onto a group becomes its last subgroup; onto a tab, it goes
  //   just before the tab's group; onto the root, to the top level.
  // A page item stands for its tab. Refused (false, nothing changed): the
  // root or a page dragged, a tab onto the root, the archive folder
  // dragged, a group into itself, below itself or into the archive.
  // Afterwards the tree is rebuilt and the moved item chosen again.
  bool DropOnTreeItem(int dragged, int target);
  // A new engine list was applied: every tab closes, the default group of
  // this run goes, and the tabs are restored again.
  void EngineListReloaded(const std::string& start_url);

  // The ID of the current category tab's record, 0 when none (exit).
  int ActiveTabId() const;

  // TabTreePages
  std::vector<TabTreePage> PagesOf(int record) const override;
  bool IsLoaded(int record) const override;

  // StoreObserver: the favorites' changes reach the status icon.
  void StoreChanged(const ChangeNotifier& store, const StoreChange& change) override;

  // TabAreaObserver: the tree follows the tabs (selection, page items,
  // the bold mark of loaded groups).
  void TabInserted(const CCategoryTab& tab, int index, bool created) override;
  void TabRemoved(int record, int index, bool destroyed) override;
  void TabSelected(const CCategoryTab& tab, int index, bool follow) override;
  void PageInserted(const CCategoryTab& tab, int page) override;
  void PageRemoved(const CCategoryTab& tab, int page) override;
  void PageMoved(const CCategoryTab& tab, int from, int to) override;
  void PageSelected(const CCategoryTab& tab, int page, bool follow) override;
  void PageUpdated(const CCategoryTab& tab, int page) override;

 private:
  static TabArea::Services AreaServices(const Services& services);
  void OpenAddedTabs(int group_item);
  bool DropTab(int record, int target);
  bool DropGroup(int folder_index, int target);
  // Selects the item of tab record `record` (or of its page `page` when not
  // null) without switching anything.
  void SyncTreeSelection(int record, const PageHost* page);
  // The pages of tab record `record` changed: its page items are redone.
  void TreePagesChanged(int record);
  void LoadedGroupsChanged();

  WorkspaceStores stores_;
  Prompter& prompter_;
  const Clock& clock_;
  WorkspaceView& view_;
  TabArea area_;
  TabTree tree_;
  TabRecordEditor editor_;
  int shown_group_ = -1;
  int default_group_ = -1;
  bool syncing_ = false;
};

}  // namespace tolvane
