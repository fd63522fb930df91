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
  for (int other = 0; other < tree.size(); ++other) {
    const TabTreeItem& group = tree.item(other);
    if (group.kind != TabTreeItem::Kind::kGroup || tree.IsArchiveFolder(other)) continue;
    bool inside = false;  // the group or one of its subgroups goes with it
    for (int up = other; up >= 0 && !inside; up = tree.item(up).parent) inside = up == item;
    if (!inside) return true;
  }
  return false;
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

}  // namespace tolvane
