#include "core/frame/search_tree_commands.h"

#include <vector>

#include "core/commands/command_table.h"
#include "core/files/prompter.h"
#include "core/files/string_table.h"
#include "core/search/engine_dialog.h"
#include "core/search/search_runner.h"
#include "core/search/search_tree.h"
#include "core/stores/category_folder_tree.h"
#include "core/stores/engine_list.h"
#include "core/tabs/tab_workspace.h"

namespace tolvane {
namespace {

using Kind = SearchTreeItem::Kind;
constexpr int kRestoreFromArchive = 168;  // "保管箱から戻す(&R)"
constexpr int kMoveToArchive = 32962;     // the command's own name

// The group item and order a tab added at tab tree item `target` takes: a
// group's end, or just before a tab. Nothing for the root or no item.
struct TabPlace {
  int group_id = 0;
  int order = EngineList::kCreatedInFolderOrder;
};

std::optional<TabPlace> PlaceAt(const TabTree& tree, const CategoryFolderTree& groups,
                                const EngineList& tabs, int target) {
  if (target < 0 || target >= tree.size()) return std::nullopt;
  const TabTreeItem* item = &tree.item(target);
  if (item->kind == TabTreeItem::Kind::kPage) item = &tree.item(item->parent);
  switch (item->kind) {
    case TabTreeItem::Kind::kGroup:
      return TabPlace{groups.id(static_cast<std::size_t>(item->record)),
                      static_cast<int>(tabs.size())};
    case TabTreeItem::Kind::kTab: {
      const auto row = static_cast<std::size_t>(item->record);
      return TabPlace{tabs.EffectiveFolder(row), tabs.order(row)};
    }
    default:
      return std::nullopt;
  }
}

}  // namespace

SearchTreeCommands::SearchTreeCommands(const Lists& lists, SearchTree& tree,
                                       TabWorkspace& workspace, SearchTreeView& view)
    : CommandRows(kRows),
      engines_(lists.engines),
      folders_(lists.engine_folders),
      tabs_(lists.tabs),
      groups_(lists.tab_folders),
      tree_(tree),
      ws_(workspace),
      view_(view) {}

int SearchTreeCommands::Item(const CommandContext& context) const {
  const int item = context.tree_item >= 0 ? context.tree_item : tree_.selected();
  return item >= 0 && item < tree_.size() ? item : -1;
}

int SearchTreeCommands::EngineRow(const CommandContext& context) const {
  const int item = Item(context);
  return item >= 0 && tree_.item(item).kind == Kind::kEngine ? tree_.item(item).record : -1;
}

int SearchTreeCommands::FolderIndex(const CommandContext& context) const {
  const int item = Item(context);
  return item >= 0 && tree_.item(item).kind == Kind::kFolder ? tree_.item(item).record : -1;
}

bool SearchTreeCommands::IsEngine(const CommandContext& context) const {
  return EngineRow(context) >= 0;
}

bool SearchTreeCommands::IsFolder(const CommandContext& context) const {
  return FolderIndex(context) >= 0;
}

bool SearchTreeCommands::HasFolderOrEngine(const CommandContext& context) const {
  return IsEngine(context) || IsFolder(context);
}

bool SearchTreeCommands::CanArchive(const CommandContext& context) const {
  if (IsEngine(context)) return true;
  const int folder = FolderIndex(context);
  return folder >= 0 &&
         folders_.id(static_cast<std::size_t>(folder)) != CategoryFolderTree::kArchiveId;
}

bool SearchTreeCommands::CanDelete(const CommandContext& context) const {
  const int row = EngineRow(context);
  // A downloaded engine would come back with the next engine list.
  if (row >= 0) return engines_.IsUserEngine(static_cast<std::size_t>(row));
  return CanArchive(context);
}

bool SearchTreeCommands::OnSearchBar(const CommandContext& context) const {
  if (const int row = EngineRow(context); row >= 0) {
    return engines_.on_search_bar(static_cast<std::size_t>(row));
  }
  const int folder = FolderIndex(context);
  return folder >= 0 && folders_.search_bar(static_cast<std::size_t>(folder));
}

void SearchTreeCommands::SearchWithKeyword(const CommandContext& context) {
  ws_.area().search().SearchEngine(EngineRow(context), context.keyword.value_or(Keyword()), 0, true,
                                   context);
}

void SearchTreeCommands::SearchInNewTab(const CommandContext& context) {
  ws_.area().search().SearchEngine(EngineRow(context), context.keyword.value_or(Keyword()), 1,
                                   false, context);
}

void SearchTreeCommands::OpenTopPage(const CommandContext& context) {
  const int keep = context.command == command::kOpenEngineTopPageInNewTab ? 1 : 0;
  ws_.area().search().SearchEngine(EngineRow(context), Keyword(), keep, false, context);
}

void SearchTreeCommands::SearchSelected(const CommandContext& context) {
  if (IsFolder(context)) {
    BatchSearchFolder(context);
    return;
  }
  SearchWithKeyword(context);
  ws_.view().FocusCategoryTabs();
}

void SearchTreeCommands::BatchSearchFolder(const CommandContext& context) {
  if (!AddSearchTab(Item(context))) return;
  SearchRunner& search = ws_.area().search();
  const Keyword keyword = context.keyword.value_or(Keyword());
  search.RunSearch(ws_.area().current_category(), keyword, 0, SearchRunner::kTabList, -1, context);
  search.EchoAndRecord(keyword);
  ws_.view().FocusCategoryTabs();
}

void SearchTreeCommands::AddFolderAsSearchTab(const CommandContext& context) {
  AddSearchTab(Item(context));
}

std::optional<int> SearchTreeCommands::SearchFolderId(int item) const {
  if (item < 0 || tree_.item(item).kind == Kind::kRoot) return std::nullopt;
  return tree_.FolderIdOf(item);
}

bool SearchTreeCommands::AddSearchTab(int item) {
  const std::optional<int> folder_id = SearchFolderId(item);
  TabArea& area = ws_.area();
  const int category = area.current_category();
  if (!folder_id || category < 0) return false;
  const int record = area.category(category).record();
  const int group = tabs_.EffectiveFolder(static_cast<std::size_t>(record));
  const std::optional<int> row = ws_.editor().AddFolderAsSearchTab(*folder_id, group);
  if (!row) return false;
  ws_.RebuildAndSelectTab(*row);
  return true;
}

void SearchTreeCommands::AddAsTab(const CommandContext& context) {
  if (const int folder = FolderIndex(context); folder >= 0) {
    const auto rows =
        ws_.editor().AddEngineFolderAsGroup(folders_.id(static_cast<std::size_t>(folder)));
    if (!rows) return;
    if (rows->empty()) {
      // The group is the folder just appended.
      ws_.RebuildAndSelectGroup(static_cast<int>(groups_.size()) - 1);
    } else {
      ws_.RebuildAndSelectTab(rows->front());
    }
    return;
  }
  const int row = EngineRow(context);
  const std::optional<TabPlace> place = PlaceAt(ws_.tree(), groups_, tabs_, ws_.tree().selected());
  if (row < 0 || !place) return;
  const std::optional<int> tab = ws_.editor().AddEngineAsTab(row, place->group_id, place->order);
  if (tab) ws_.RebuildAndSelectTab(*tab);
}

bool SearchTreeCommands::DropOnTabTree(int item, int target) {
  if (item < 0 || item >= tree_.size()) return false;
  const std::optional<TabPlace> place = PlaceAt(ws_.tree(), groups_, tabs_, target);
  if (!place) return false;
  const SearchTreeItem& dragged = tree_.item(item);
  std::optional<int> tab;
  if (dragged.kind == Kind::kEngine) {
    tab = ws_.editor().AddEngineAsTab(dragged.record, place->group_id, place->order);
  } else if (dragged.kind == Kind::kFolder) {
    tab = ws_.editor().AddFolderAsSearchTab(tree_.FolderIdOf(item), place->group_id);
    if (tab) tabs_.set_order(static_cast<std::size_t>(*tab), place->order);
  }
  if (!tab) return false;
  // Onto a tab: just before it, as a tab dragged inside the tab tree goes.
  const TabTree& tabs = ws_.tree();
  const TabTreeItem* on = &tabs.item(target);
  if (on->kind == TabTreeItem::Kind::kPage) on = &tabs.item(on->parent);
  if (on->kind == TabTreeItem::Kind::kTab) {
    const int group_item = tabs.GroupItemOf(target);
    const std::vector<int> rows =
        group_item >= 0 ? tabs.TabsOfGroup(group_item) : std::vector<int>{};
    ws_.editor().FileTab(*tab, place->group_id, rows, on->record);
  }
  ws_.RebuildAndSelectTab(*tab);
  return true;
}

void SearchTreeCommands::CreateEngine(const CommandContext& context) {
  EngineCreationPlace place;
  const int item = Item(context);
  place.selected_engine = EngineRow(context);
  place.folder_id = item >= 0 ? tree_.FolderIdOf(item) : CategoryFolderTree::kTopLevelId;
  EngineDialog dialog = EngineDialog::ForNewEngine(engines_, place);
  const std::optional<int> row = view_.EditEngine(dialog);
  if (row) Select(*row, -1);
}

void SearchTreeCommands::EditProperties(const CommandContext& context) {
  const int row = EngineRow(context);
  EngineDialog dialog = EngineDialog::ForRow(engines_, static_cast<std::size_t>(row));
  if (view_.EditEngine(dialog)) Select(row, -1);
}

void SearchTreeCommands::ToggleArchived(const CommandContext& context) {
  if (const int row = EngineRow(context); row >= 0) {
    const auto r = static_cast<std::size_t>(row);
    engines_.set_archived(r, !engines_.archived(r));
    engines_.changes().Notify(StoreChange::Part::kItems);
    Select(row, -1);
    return;
  }
  const int folder = FolderIndex(context);
  const auto f = static_cast<std::size_t>(folder);
  folders_.set_archived(f, !folders_.archived(f));
  folders_.changes().Notify(StoreChange::Part::kFolders);
  Select(-1, folder);
}

void SearchTreeCommands::DeleteItem(const CommandContext& context) {
  const int item = Item(context);
  const int next = tree_.item(item).parent;
  const std::string name = tree_.item(item).text;
  if (!ws_.prompter().AskYesNo(FormatString(string_id::kConfirmDelete, {name}))) return;
  // Selection: the previous sibling, else the parent.
  const std::vector<int>& siblings = tree_.item(next).children;
  int select = next;
  for (std::size_t i = 1; i < siblings.size(); ++i) {
    if (siblings[i] == item) select = siblings[i - 1];
  }
  const SearchTreeItem target = tree_.item(select);
  if (const int row = EngineRow(context); row >= 0) {
    engines_.MarkDeleted(static_cast<std::size_t>(row));
    engines_.changes().Notify(StoreChange::Part::kItems);
  } else {
    folders_.Delete(static_cast<std::size_t>(FolderIndex(context)));
    // The category's engines went with it.
    folders_.changes().Notify(StoreChange::Part::kFolders);
  }
  Select(target.kind == Kind::kEngine ? target.record : -1,
         target.kind == Kind::kFolder ? target.record : -1);
}

void SearchTreeCommands::ToggleSearchBar(const CommandContext& context) {
  if (const int row = EngineRow(context); row >= 0) {
    const auto r = static_cast<std::size_t>(row);
    engines_.set_on_search_bar(r, !engines_.on_search_bar(r));
    engines_.changes().Notify(StoreChange::Part::kItems);
  } else {
    const auto f = static_cast<std::size_t>(FolderIndex(context));
    folders_.set_search_bar(f, !folders_.search_bar(f));
    folders_.changes().Notify(StoreChange::Part::kFolders);
  }
}

std::string SearchTreeCommands::ArchiveText(int item) const {
  bool archived = false;
  if (item >= 0 && item < tree_.size()) {
    const auto record = static_cast<std::size_t>(tree_.item(item).record);
    if (tree_.item(item).kind == Kind::kEngine) archived = engines_.archived(record);
    if (tree_.item(item).kind == Kind::kFolder) archived = folders_.archived(record);
  }
  return archived ? LoadString(kRestoreFromArchive)
                  : CommandTable::ActionName(CommandId(kMoveToArchive));
}

void SearchTreeCommands::Select(int engine_row, int folder) {
  int item = engine_row >= 0 ? tree_.FindEngine(engine_row) : -1;
  if (item < 0 && folder >= 0) item = tree_.FindFolder(folder);
  tree_.Select(item >= 0 ? item : tree_.root());
  view_.SearchTreeChanged();
}

}  // namespace tolvane
