#include "core/tabs/tab_tree_commands.h"

#include "core/files/prompter.h"
#include "core/files/string_table.h"
#include "core/stores/category_folder_tree.h"
#include "core/tabs/category_tab_commands.h"
#include "core/tabs/tab_workspace.h"

namespace tolvane {

const TabTreeCommands::Row TabTreeCommands::kRows[] = {
    {command::kCopyTreeTab, &TabTreeCommands::CopyTab, &TabTreeCommands::HasRecord},
    {command::kDeleteTab, &TabTreeCommands::DeleteTab, &TabTreeCommands::HasRecord},
    {command::kDeleteAllTabs, &TabTreeCommands::DeleteAllTabs, &TabTreeCommands::HasGroup},
    {command::kDeleteAllTabs2, &TabTreeCommands::DeleteAllTabs, &TabTreeCommands::HasGroup},
    {command::kDeleteGroup, &TabTreeCommands::DeleteGroup, &TabTreeCommands::MayDeleteGroup},
    {command::kArchiveTabGroup, &TabTreeCommands::ToggleGroupArchived,
     &TabTreeCommands::MayArchiveGroup},
};

TabTreeCommands::TabTreeCommands(const TabTarget& target, CategoryTabCommands& categories)
    : CommandRows(kRows), target_(target), categories_(categories) {}

bool TabTreeCommands::HasRecord(const CommandContext& context) const {
  return target_.Record(context) >= 0;
}

bool TabTreeCommands::HasGroup(const CommandContext& context) const {
  return target_.Group(context) >= 0;
}

bool TabTreeCommands::MayDeleteGroup(const CommandContext& context) const {
  const TabTree& tree = target_.workspace().tree();
  const int item = target_.TreeItem(context);
  if (item < 0 || tree.item(item).kind != TabTreeItem::Kind::kGroup || tree.IsArchiveFolder(item)) {
    return false;
  }
  // Some group outside the archive, neither the item nor below it, stays.
  for (int other = 0; other < tree.size(); ++other) {
    if (tree.item(other).kind != TabTreeItem::Kind::kGroup) continue;
    bool gone = false;
    for (int up = other; up >= 0 && !gone; up = tree.item(up).parent) {
      gone = up == item || tree.IsArchiveFolder(up);
    }
    if (!gone) return true;
  }
  return false;
}

bool TabTreeCommands::MayArchiveGroup(const CommandContext& context) const {
  TabWorkspace& ws = target_.workspace();
  const int item = target_.TreeItem(context);
  if (item < 0 || ws.tree().item(item).kind != TabTreeItem::Kind::kGroup) return false;
  const auto group = static_cast<std::size_t>(ws.tree().item(item).record);
  return (ws.groups().archived(group) && !ws.tree().IsArchiveFolder(item)) ||
         MayDeleteGroup(context);
}

void TabTreeCommands::SelectNext(const TabTreeItem& next) {
  TabWorkspace& ws = target_.workspace();
  if (next.kind == TabTreeItem::Kind::kTab) {
    ws.RebuildAndSelectTab(next.record);
  } else {
    ws.RebuildAndSelectGroup(next.kind == TabTreeItem::Kind::kGroup ? next.record : -1);
  }
}

// The copy takes the pages of the tab copied: it is shown first.
void TabTreeCommands::CopyTab(const CommandContext& context) {
  const CommandContext tree = TabTarget::InTree(context);
  const int record = target_.Record(tree);
  if (target_.SelectCategory(tree) >= 0) categories_.Duplicate(record);
}

void TabTreeCommands::DeleteTab(const CommandContext& context) {
  const int record = target_.Record(context);
  if (record < 0) return;
  TabWorkspace& ws = target_.workspace();
  TabTree& tree = ws.tree();
  const int item = tree.FindTab(record);
  if (context.source != CommandSource::kCategoryBar) {
    const std::string name =
        item >= 0 ? tree.item(item).text : ws.tabs().DisplayName(static_cast<std::size_t>(record));
    if (!ws.prompter().AskYesNo(FormatString(string_id::kConfirmDelete, {name}))) return;
  }
  const int neighbour = item >= 0 ? tree.Neighbour(item) : -1;
  const TabTreeItem next = neighbour >= 0 ? tree.item(neighbour) : TabTreeItem{};
  ws.area().DestroyPoolObject(record);
  ws.editor().DeleteTab(record);
  SelectNext(next);
}

void TabTreeCommands::DeleteAllTabs(const CommandContext& context) {
  const int group = target_.Group(context);
  if (group < 0) return;
  TabWorkspace& ws = target_.workspace();
  TabTree& tree = ws.tree();
  const int group_item = tree.FindGroup(group);
  const std::string name =
      group_item >= 0 ? tree.item(group_item).text : ws.groups().DisplayName(group);
  if (!ws.prompter().AskYesNo(
          FormatString(string_id::kConfirmDeleteAllIn, {name, LoadString(string_id::kTabWord)}))) {
    return;
  }
  const int group_id = ws.groups().id(static_cast<std::size_t>(group));
  for (const int record : tree.TabsOfGroup(group_item)) ws.area().DestroyPoolObject(record);
  ws.editor().DeleteTabsOf(group_id);
  ws.RebuildAndSelectGroup(group);
}

void TabTreeCommands::DeleteGroup(const CommandContext& context) {
  TabWorkspace& ws = target_.workspace();
  const TabTree& tree = ws.tree();
  const int selected = target_.TreeItem(context);
  const int group = tree.item(selected).record;
  if (!ws.prompter().AskYesNo(
          FormatString(string_id::kConfirmDelete, {tree.item(selected).text}))) {
    return;
  }
  const int neighbour = tree.Neighbour(selected);
  const TabTreeItem next = neighbour >= 0 ? tree.item(neighbour) : TabTreeItem{};
  if (group == ws.shown_group()) ws.area().HideAll();
  if (!ws.editor().DeleteGroup(group)) return;
  // The tabs of the deleted groups went with them: so do their pages.
  const EngineList& tabs = ws.tabs();
  for (std::size_t row = 0; row < tabs.size(); ++row) {
    if (tabs.deleted(row)) ws.area().DestroyPoolObject(static_cast<int>(row));
  }
  SelectNext(next);
}

// Into the archive the group only takes the flag and keeps its parent and
// order; coming back it goes among its parent's groups again, before the
// first that stood after it (at the top level when its parent is gone or in
// the archive). Its tabs go and come with it.
void TabTreeCommands::ToggleGroupArchived(const CommandContext& context) {
  TabWorkspace& ws = target_.workspace();
  const TabTree& tree = ws.tree();
  const int group = tree.item(target_.TreeItem(context)).record;
  const CategoryFolderTree& groups = ws.groups();
  const auto g = static_cast<std::size_t>(group);
  if (!groups.archived(g)) {
    ws.editor().ArchiveGroup(group);
    ws.RebuildAndSelectGroup(group);
    return;
  }
  const auto file_under = [&](int parent_id, int parent_item) {
    std::vector<int> siblings;
    int before = -1;
    for (const int child : tree.item(parent_item).children) {
      const TabTreeItem& sibling = tree.item(child);
      if (sibling.kind != TabTreeItem::Kind::kGroup || tree.IsArchiveFolder(child)) continue;
      siblings.push_back(sibling.record);
      if (before < 0 && groups.order(static_cast<std::size_t>(sibling.record)) >= groups.order(g)) {
        before = sibling.record;
      }
    }
    return ws.editor().FileGroup(group, parent_id, siblings, before);
  };
  const int parent_id = groups.parent(g);
  const int parent_item = parent_id == CategoryFolderTree::kTopLevelId
                              ? tree.root()
                              : tree.FindGroup(groups.Find(parent_id));
  if ((parent_item < 0 || !file_under(parent_id, parent_item)) &&
      !file_under(CategoryFolderTree::kTopLevelId, tree.root())) {
    return;
  }
  ws.RebuildAndSelectGroup(group);
}

}  // namespace tolvane
