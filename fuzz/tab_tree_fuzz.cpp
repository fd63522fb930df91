// Reads the input as the lines of a tab file (group lines and tab records,
// told apart by trying both) and builds the tab tree from it: whatever the
// groups' parents and the tabs' folders say (cycles, unknown parents,
// repeated IDs), building ends, lists every item at most once, keeps the
// parent and child links consistent, and the operations the workspace runs
// on the tree stay within it. Building twice gives the same tree.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "core/files/env.h"
#include "core/files/settings_store.h"
#include "core/stores/category_folder_tree.h"
#include "core/stores/engine_list.h"
#include "core/tabs/tab_record_editor.h"
#include "core/tabs/tab_tree.h"
#include "fuzz/fuzz_support.h"

namespace {

using namespace tolvane;
using fuzz::Check;
using fuzz::Lines;

// Settings come from a file that does not exist: every default.
class NoFiles : public Env {
 public:
  bool ReplaceFile(const std::filesystem::path&, std::string_view, std::string*) override {
    return false;
  }
  std::unique_ptr<Hold> HoldFileExclusively(const std::filesystem::path&, HoldRefusal*) override {
    return nullptr;
  }
  bool IsFileHeldElsewhere(const std::filesystem::path&) override { return false; }
  std::unique_ptr<Hold> AcquireNamedMutex(std::string_view) override { return nullptr; }
};

// Every tab has one page, so page items are built too.
class OnePagePerTab : public TabTreePages {
 public:
  std::vector<TabTreePage> PagesOf(int record) const override {
    return {{reinterpret_cast<const PageHost*>(&hosts_[record % 8]), "page"}};
  }
  bool IsLoaded(int record) const override { return record % 2 == 0; }

 private:
  char hosts_[8] = {};
};

void CheckTree(const TabTree& tree) {
  Check(tree.size() >= 1 && tree.item(0).kind == TabTreeItem::Kind::kRoot);
  std::set<int> seen_children;
  for (int i = 0; i < tree.size(); ++i) {
    const TabTreeItem& item = tree.item(i);
    Check(i == 0 || (item.parent >= 0 && item.parent < tree.size()));
    for (const int child : item.children) {
      Check(child > 0 && child < tree.size() && tree.item(child).parent == i);
      Check(seen_children.insert(child).second);
    }
    const int neighbour = tree.Neighbour(i);
    Check(neighbour >= -1 && neighbour < tree.size());
    const int group = tree.GroupItemOf(i);
    Check(group >= -1 && group < tree.size());
    if (item.kind == TabTreeItem::Kind::kTab) Check(tree.FindTab(item.record) >= 0);
  }
  Check(static_cast<int>(seen_children.size()) == tree.size() - 1);
  const int first = tree.FirstTabItem();
  Check(first == -1 || tree.item(first).kind == TabTreeItem::Kind::kTab);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  NoFiles env;
  SettingsStore settings("/nonexistent/vq_system.ini", env);
  EngineList engines(StoreType::kEngineList);
  CategoryFolderTree engine_folders(StoreType::kEngineList);
  CategoryFolderTree groups(StoreType::kTabs);
  EngineList tabs(StoreType::kTabs);
  tabs.set_engines(&engines);
  groups.set_members(&tabs);
  groups.Reset();
  tabs.ResetHighestId();
  for (auto line : Lines(text)) {
    if (tabs.ParseRecord(line) < 0) groups.ParseFolderLine(line);
  }
  groups.AddArchiveFolder();

  OnePagePerTab pages;
  TabTree tree(groups, tabs, settings);
  tree.Build(pages);
  CheckTree(tree);
  const std::string built = tree.Describe();
  tree.Build(pages);
  Check(tree.Describe() == built);

  // The first start's default tabs, a move and a deletion keep it sound.
  TabRecordEditor editor(tabs, groups, engines, engine_folders);
  editor.CreateDefaultTabs();
  for (int i = 0; i < tree.size() && i < 16; ++i) tree.Select(i);
  tree.Build(pages);
  CheckTree(tree);
  if (const int first = tree.FirstTabItem(); first >= 0) {
    const std::vector<int> records = tree.TabsOfGroup(tree.GroupItemOf(first));
    if (!records.empty())
      editor.MoveTab(records.front(), records, static_cast<int>(records.size()) - 1);
    editor.ToggleArchived(tree.item(first).record);
  }
  if (tree.size() > 1 && tree.item(1).kind == TabTreeItem::Kind::kGroup) {
    editor.DeleteGroup(tree.item(1).record);
  }
  tree.Build(pages);
  CheckTree(tree);
  return 0;
}
