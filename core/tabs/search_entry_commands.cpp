#include "core/tabs/search_entry_commands.h"

#include <optional>
#include <vector>

#include "core/files/setting_keys.h"
#include "core/search/keyword_boxes.h"
#include "core/stores/category_folder_tree.h"
#include "core/stores/engine_list.h"
#include "core/tabs/tab_workspace.h"

namespace tolvane {
namespace {

Keyword KeywordOf(const CommandContext& context) { return context.keyword.value_or(Keyword()); }

}  // namespace

SearchEntryCommands::SearchEntryCommands(TabWorkspace& workspace, KeywordBoxes& boxes,
                                         const Stores& stores)
    : CommandRows(kRows), ws_(workspace), boxes_(boxes), stores_(stores) {}

bool SearchEntryCommands::RefreshButtons() {
  Stores& doc = stores_;
  SearchBarButtons fresh =
      SearchBarButtons::Build(Read(doc.settings, settings::kFindBarButtonIDs),
                              Read(doc.settings, settings::kFindBarShowNoText) == 1,
                              {doc.engine_folders, doc.engines, doc.tab_groups, doc.tabs});
  if (!fresh.NeedsRebuildFrom(buttons_)) return false;
  buttons_ = std::move(fresh);
  return true;
}

bool SearchEntryCommands::DropOnBar(const std::string& drop,
                                    const SearchBarButtons::Token* before) {
  const std::vector<SearchBarButtons::Token> tokens = SearchBarButtons::Parse(drop);
  if (tokens.size() != 1) return false;
  Stores& doc = stores_;
  const std::string stored = Read(doc.settings, settings::kFindBarButtonIDs);
  const std::optional<SearchBarButtons::Token> anchor =
      before != nullptr ? std::optional(*before) : std::nullopt;
  std::string changed;
  if (tokens[0].kind == SearchBarButtons::Kind::kEngine) {
    const int row = doc.engines.FindById(tokens[0].id);
    if (row < 0 || doc.engines.deleted(static_cast<std::size_t>(row))) return false;
    changed =
        SearchBarButtons::DropEngine(stored, anchor, doc.engines, static_cast<std::size_t>(row));
  } else if (tokens[0].kind == SearchBarButtons::Kind::kEngineFolder) {
    const int folder = doc.engine_folders.Find(tokens[0].id);
    if (folder < 0 || doc.engine_folders.deleted(static_cast<std::size_t>(folder))) return false;
    changed = SearchBarButtons::DropEngineFolder(stored, anchor, doc.engine_folders,
                                                 static_cast<std::size_t>(folder));
  } else {
    return false;
  }
  Write(doc.settings, settings::kFindBarButtonIDs, changed);
  RefreshButtons();
  return true;
}

bool SearchEntryCommands::LiveRow(bool tabs, int row) const {
  const EngineList& list = tabs ? stores_.tabs : stores_.engines;
  return row >= 0 && static_cast<std::size_t>(row) < list.size() &&
         !list.deleted(static_cast<std::size_t>(row));
}

bool SearchEntryCommands::HasCategory(const CommandContext&) const {
  return ws_.area().current_category() >= 0;
}

bool SearchEntryCommands::HasBarButton(const CommandContext& context) const {
  return buttons_.Find(context.command) != nullptr;
}

bool SearchEntryCommands::HasEngine(const CommandContext& context) const {
  return LiveRow(false, context.list_row);
}

bool SearchEntryCommands::HasTab(const CommandContext& context) const {
  return LiveRow(true, context.list_row);
}

bool SearchEntryCommands::HasGroupTab(const CommandContext& context) const {
  const TabTree& tree = ws_.tree();
  const int group_item = context.tree_item;
  if (group_item < 0 || group_item >= tree.size()) return false;
  return context.offset < static_cast<int>(tree.TabsOfGroup(group_item).size());
}

void SearchEntryCommands::SearchSelection(const CommandContext& context) {
  const Keyword keyword = KeywordOf(context);
  if (keyword.empty()) return;
  boxes_.SetSearchBarText(keyword);
  ws_.area().search().SearchCurrentCategory(keyword, context);
}

void SearchEntryCommands::BatchSearchSelection(const CommandContext& context) {
  const Keyword keyword = KeywordOf(context);
  if (keyword.empty()) return;
  boxes_.SetSearchBarText(keyword);
  ws_.area().search().SearchEveryCategory(keyword, context);
}

void SearchEntryCommands::GroupTab(const CommandContext& context) {
  const std::vector<int> records = ws_.tree().TabsOfGroup(context.tree_item);
  if (context.offset >= static_cast<int>(records.size())) return;
  ws_.ChooseTreeItem(ws_.tree().FindTab(records[static_cast<std::size_t>(context.offset)]));
  ws_.area().search().SearchCurrentCategory(KeywordOf(context), context);
}

void SearchEntryCommands::BarButton(const CommandContext& context) {
  const SearchBarButtons::Button* button = buttons_.Find(context.command);
  if (button == nullptr) return;
  switch (button->token.kind) {
    case SearchBarButtons::Kind::kEngine:
      SearchEngineRow(button->item, context);
      break;
    case SearchBarButtons::Kind::kTab:
      ChooseTab(button->item, context, !context.tabs_focused);
      break;
    // Built-ins send their own command; a folder or group button opens its
    // menu, whose entries are engine and tab commands.
    default:
      break;
  }
}

void SearchEntryCommands::EngineCommand(const CommandContext& context) {
  SearchEngineRow(context.list_row, context);
}

void SearchEntryCommands::TabCommand(const CommandContext& context) {
  ChooseTab(context.list_row, context, !context.tabs_focused);
}

void SearchEntryCommands::TabButtonChoice(const CommandContext& context) {
  ChooseTab(context.list_row, context, Read(stores_.settings, settings::kFindBarFindOption1) == 1);
}

void SearchEntryCommands::SearchEngineRow(int row, const CommandContext& context) {
  if (!LiveRow(false, row)) return;
  if (context.tabs_focused) {
    AddEngineTabAtTreeSelection(row);
    return;
  }
  const Keyword keyword = KeywordOf(context);
  boxes_.SetSideBarText(keyword);
  ws_.area().search().SearchEngine(row, keyword, 0, true, context);
}

void SearchEntryCommands::ChooseTab(int record, const CommandContext& context, bool search) {
  if (!LiveRow(true, record)) return;
  ws_.ChooseTreeItem(ws_.tree().FindTab(record));
  if (search && ws_.area().RecordAt(ws_.area().current_category()) == record) {
    ws_.area().search().SearchCurrentCategory(KeywordOf(context), context);
  }
}

void SearchEntryCommands::NewTabWithEngine(const CommandContext& context) {
  TabArea& area = ws_.area();
  const int category = context.category >= 0 ? context.category : area.current_category();
  const int record = area.RecordAt(category);
  if (record < 0) {
    AddEngineTabAtTreeSelection(context.list_row);
    return;
  }
  AddEngineTab(context.list_row, ws_.tree().GroupItemOf(ws_.tree().FindTab(record)), record);
}

void SearchEntryCommands::CreateTabWithEngine(const CommandContext& context) {
  if (context.tree_item < 0) {
    AddEngineTabAtTreeSelection(context.list_row);
    return;
  }
  const TabTree& tree = ws_.tree();
  if (context.tree_item >= tree.size()) return;
  const TabTreeItem& item = tree.item(context.tree_item);
  if (item.kind == TabTreeItem::Kind::kRoot) return;
  const int tab_item = item.kind == TabTreeItem::Kind::kPage ? item.parent : context.tree_item;
  const int beside =
      tree.item(tab_item).kind == TabTreeItem::Kind::kTab ? tree.item(tab_item).record : -1;
  AddEngineTab(context.list_row, tree.GroupItemOf(context.tree_item), beside);
}

void SearchEntryCommands::AddEngineTabAtTreeSelection(int row) {
  const TabTree& tree = ws_.tree();
  const int selected = tree.selected();
  if (selected < 0 || tree.item(selected).kind == TabTreeItem::Kind::kRoot) return;
  CommandContext context;
  context.tree_item = selected;
  context.list_row = row;
  CreateTabWithEngine(context);
}

void SearchEntryCommands::AddEngineTab(int row, int group_item, int beside) {
  if (!LiveRow(false, row)) return;
  const TabTree& tree = ws_.tree();
  const int group = group_item >= 0 ? tree.item(group_item).record : -1;
  const int group_id = group >= 0 ? stores_.tab_groups.id(static_cast<std::size_t>(group))
                                  : CategoryFolderTree::kTopLevelId;
  const int order = beside >= 0 ? stores_.tabs.order(static_cast<std::size_t>(beside))
                                : static_cast<int>(stores_.tabs.size());
  const std::optional<int> added = ws_.editor().AddEngineAsTab(row, group_id, order);
  if (added) ws_.RebuildAndSelectTab(*added);
}

}  // namespace tolvane
