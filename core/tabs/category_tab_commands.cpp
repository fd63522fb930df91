#include "core/tabs/category_tab_commands.h"

#include <algorithm>

#include "core/files/setting_keys.h"
#include "core/files/string_table.h"
#include "core/stores/category_folder_tree.h"
#include "core/tabs/tab_workspace.h"

namespace tolvane {

const CategoryTabCommands::Row CategoryTabCommands::kRows[] = {
    {command::kNewCategoryTab, &CategoryTabCommands::NewTab},
    {command::kNewTabFromMenu, &CategoryTabCommands::NewTabBeside},
    {command::kNewTabButton, &CategoryTabCommands::NewTabBeside},
    {command::kDuplicateCategoryTab, &CategoryTabCommands::DuplicateThis,
     &CategoryTabCommands::HasCategory},
    {command::kTabSettings, &CategoryTabCommands::EditTab, &CategoryTabCommands::HasRecord},
    {command::kCloseCategoryTab, &CategoryTabCommands::Close, &CategoryTabCommands::HasTab},
    {command::kCloseCategoryTabsRight, &CategoryTabCommands::CloseBeside,
     &CategoryTabCommands::HasCategory},
    {command::kCloseCategoryTabsLeft, &CategoryTabCommands::CloseBeside,
     &CategoryTabCommands::HasCategory},
    {command::kCloseOtherCategoryTabs, &CategoryTabCommands::CloseBeside,
     &CategoryTabCommands::HasCategory},
    {command::kCloseAllCategoryTabs, &CategoryTabCommands::CloseBeside,
     &CategoryTabCommands::HasCategory},
    {command::kCategoryTabLeft, &CategoryTabCommands::MoveFocus, &CategoryTabCommands::HasCategory},
    {command::kCategoryTabRight, &CategoryTabCommands::MoveFocus,
     &CategoryTabCommands::HasCategory},
    {command::kCategoryTabFirst, &CategoryTabCommands::MoveFocus,
     &CategoryTabCommands::HasCategory},
    {command::kCategoryTabLast, &CategoryTabCommands::MoveFocus, &CategoryTabCommands::HasCategory},
};

CategoryTabCommands::CategoryTabCommands(const TabTarget& target)
    : CommandRows(kRows), target_(target) {}

bool CategoryTabCommands::HasCategory(const CommandContext& context) const {
  return target_.Category(context) >= 0;
}

bool CategoryTabCommands::HasRecord(const CommandContext& context) const {
  return target_.Record(context) >= 0;
}

bool CategoryTabCommands::HasTab(const CommandContext& context) const {
  return context.source == CommandSource::kTabTree ? HasRecord(context) : HasCategory(context);
}

void CategoryTabCommands::NewTab(const CommandContext& context) {
  TabWorkspace& ws = target_.workspace();
  const std::optional<TabTarget::NewTabPlace> place = target_.PlaceForNewTab(context);
  if (!place) return;
  const int group_id = place->group_id;
  const int order = place->order;

  EngineDialogValues values;
  const bool ask = Read(ws.settings(), settings::kTabTreeCTabShowProperties) == 1;
  if (ask) {
    values.name = LoadString(string_id::kUntitled);
    values.tab_name = values.name;
    if (!ws.view().EditTab(LoadString(string_id::kNewTabTitle), -1, values)) return;
  }
  const std::optional<int> row = ws.editor().NewTab(group_id, order, ask ? &values : nullptr);
  if (row) ws.RebuildAndSelectTab(*row);
}

// From the row's menu or its new-tab button: beside the tab given on, not
// the tree's selection.
void CategoryTabCommands::NewTabBeside(const CommandContext& context) {
  target_.SelectCategory(context);
  NewTab({});
}

void CategoryTabCommands::DuplicateThis(const CommandContext& context) {
  if (target_.SelectCategory(context) < 0) return;
  const TabArea& area = target_.workspace().area();
  Duplicate(area.RecordAt(area.current_category()));
}

void CategoryTabCommands::Duplicate(int record) {
  if (record < 0) return;
  TabWorkspace& ws = target_.workspace();
  TabArea& area = ws.area();
  // The pages of the category shown before the copy opens.
  struct Page {
    std::string url;
    std::string title;
  };
  std::vector<Page> pages;
  int old_current = -1;
  if (const int category = area.current_category(); category >= 0) {
    const CCategoryTab& tab = area.category(category);
    for (const auto& page : tab.pages()) {
      pages.push_back({page->host().url(), page->host().title()});
    }
    old_current = tab.current_page();
  }
  const std::optional<int> row = ws.editor().Duplicate(record);
  if (!row) return;
  ws.RebuildAndSelectTab(*row);
  const int category = area.FindByRecord(*row);
  if (category < 0 || category != area.current_category()) return;
  for (std::size_t i = 0; i < pages.size(); ++i) {
    if (pages[i].url.empty()) continue;
    OpenPageRequest request;
    request.category = category;
    request.mode = i == 0 ? OpenPageRequest::kCurrentPage : OpenPageRequest::kNewPage;
    request.url = pages[i].url;
    request.caption = pages[i].title;
    area.OpenPage(request);
  }
  if (old_current >= 0 && old_current < area.category(category).page_count()) {
    area.SelectPage(category, old_current, true, true);
  }
}

void CategoryTabCommands::EditTab(const CommandContext& context) {
  if (context.source != CommandSource::kTabTree) target_.SelectCategory(context);
  const int record = target_.Record(context);
  if (record < 0) return;
  TabWorkspace& ws = target_.workspace();
  ws.view().ShowTabTreePage();
  EngineList& tabs = ws.tabs();
  const auto row = static_cast<std::size_t>(record);
  EngineDialogValues values{tabs.name(row),          tabs.tab_name(row),   tabs.short_name(row),
                            tabs.url(row),           tabs.search_url(row), tabs.post_data(row),
                            tabs.encoding(row),      tabs.gesture(row),    tabs.shortcut(row),
                            tabs.on_search_bar(row), tabs.icon_index(row)};
  if (!ws.view().EditTab(LoadString(string_id::kTabSettingsTitle), record, values)) return;
  ws.editor().Apply(record, values);
  ws.area().RefreshCaption(record);
  ws.RebuildAndSelectTab(record);
}

void CategoryTabCommands::Close(const CommandContext& context) {
  const int record = target_.Record(context);
  if (context.source != CommandSource::kTabTree) target_.SelectCategory(context);
  if (record < 0) return;
  TabWorkspace& ws = target_.workspace();
  TabTree& tree = ws.tree();
  const int item = tree.FindTab(record);
  const int neighbour = item >= 0 ? tree.Neighbour(item) : -1;
  const TabTreeItem next = neighbour >= 0 ? tree.item(neighbour) : TabTreeItem{};
  ws.editor().ToggleArchived(record);
  ws.area().DestroyPoolObject(record);
  if (!ws.tabs().archived(static_cast<std::size_t>(record))) {
    // Restored from the archive folder: show it back in its group.
    ws.RebuildAndSelectTab(record);
  } else if (next.kind == TabTreeItem::Kind::kTab) {
    ws.RebuildAndSelectTab(next.record);
  } else {
    ws.RebuildAndSelectGroup(next.kind == TabTreeItem::Kind::kGroup ? next.record : -1);
  }
}

// Archives the tabs of this tab's group that the command picks, in tree
// order.
void CategoryTabCommands::CloseBeside(const CommandContext& context) {
  using Side = TabTarget::Side;
  const CommandId id = context.command;
  const Side side = id == command::kCloseCategoryTabsRight   ? Side::kRight
                    : id == command::kCloseCategoryTabsLeft  ? Side::kLeft
                    : id == command::kCloseOtherCategoryTabs ? Side::kOthers
                                                             : Side::kAll;
  const int record = target_.Record(context);
  if (context.source != CommandSource::kTabTree) target_.SelectCategory(context);
  if (record < 0) return;
  TabWorkspace& ws = target_.workspace();
  TabTree& tree = ws.tree();
  const int group_item = tree.GroupItemOf(tree.FindTab(record));
  if (group_item < 0) return;
  const std::vector<int> records = tree.TabsOfGroup(group_item);
  const auto self =
      static_cast<int>(std::find(records.begin(), records.end(), record) - records.begin());
  std::vector<int> closing;
  for (int i = 0; i < static_cast<int>(records.size()); ++i) {
    if (TabTarget::Picks(side, i, self)) closing.push_back(records[static_cast<std::size_t>(i)]);
  }
  ws.editor().SetArchived(closing);
  for (const int closed : closing) ws.area().DestroyPoolObject(closed);
  if (side == Side::kAll) {
    ws.RebuildAndSelectGroup(tree.item(group_item).record);
  } else {
    ws.RebuildAndSelectTab(record);
  }
}

void CategoryTabCommands::MoveFocus(const CommandContext& context) {
  TabWorkspace& ws = target_.workspace();
  TabArea& area = ws.area();
  const int count = area.category_count();
  if (count == 0) return;
  const int current = std::max(area.current_category(), 0);
  const CommandId id = context.command;
  int next = current;
  if (id == command::kCategoryTabLeft) next = (current + count - 1) % count;
  if (id == command::kCategoryTabRight) next = (current + 1) % count;
  if (id == command::kCategoryTabFirst) next = 0;
  if (id == command::kCategoryTabLast) next = count - 1;
  ws.view().FreezeDrawing();
  area.SelectCategoryTab(next, true);
  ws.view().UnfreezeDrawing();
  ws.view().FocusCategoryTabs();
}

}  // namespace tolvane
