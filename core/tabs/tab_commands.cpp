#include "core/tabs/tab_commands.h"

#include <algorithm>

#include "core/app/tolvane_doc.h"
#include "core/files/setting_keys.h"
#include "core/files/string_table.h"
#include "core/tabs/tab_workspace.h"

namespace tolvane {
namespace {

bool IsTabItem(const TabTreeItem& item) { return item.kind == TabTreeItem::Kind::kTab; }

}  // namespace

int TabCommands::TreeItem(const CommandTarget& target) const {
  const TabTree& tree = ws_.tree();
  const int item = target.tree_item >= 0 ? target.tree_item : tree.selected();
  return item >= 0 && item < tree.size() ? item : -1;
}

int TabCommands::ThisCategory(const CommandTarget& target) const {
  const TabArea& area = ws_.area();
  if (target.source == CommandSource::kTabTree) {
    const int record = ThisRecord(target);
    return record >= 0 ? area.FindByRecord(record) : -1;
  }
  if (target.source == CommandSource::kCategoryBar) return area.ThisCategory();
  return area.current_category();
}

int TabCommands::ThisRecord(const CommandTarget& target) const {
  if (target.source == CommandSource::kTabTree) {
    const TabTree& tree = ws_.tree();
    const int item = TreeItem(target);
    if (item < 0) return -1;
    const TabTreeItem& chosen = tree.item(item);
    if (IsTabItem(chosen)) return chosen.record;
    if (chosen.kind == TabTreeItem::Kind::kPage && chosen.parent >= 0) {
      return tree.item(chosen.parent).record;
    }
    return -1;
  }
  return ws_.area().RecordAt(ThisCategory(target));
}

int TabCommands::SelectThisCategory(const CommandTarget& target) {
  TabArea& area = ws_.area();
  int index = ThisCategory(target);
  if (target.source == CommandSource::kTabTree && index < 0) {
    // Choosing rebuilds the tree: the tab is found again by its record.
    const int record = ThisRecord(target);
    if (record >= 0) {
      ws_.ChooseTreeItem(ws_.tree().FindTab(record));
      index = area.FindByRecord(record);
    }
  }
  if (index >= 0 && index != area.current_category()) area.SelectCategoryTab(index, true);
  area.set_context_category(-1);
  return index >= 0 ? area.current_category() : -1;
}

int TabCommands::ThisPageIndex() const {
  const TabArea& area = ws_.area();
  const int category = area.current_category();
  return category >= 0 ? area.ThisPage(category) : -1;
}

PageHost* TabCommands::ThisPageHost() {
  const int page = ThisPageIndex();
  TabArea& area = ws_.area();
  return page >= 0 ? &area.category(area.current_category()).page(page).host() : nullptr;
}

const PageHost* TabCommands::ThisPageHost() const {
  const int page = ThisPageIndex();
  const TabArea& area = ws_.area();
  return page >= 0 ? &area.category(area.current_category()).page(page).host() : nullptr;
}

int TabCommands::TargetGroup(const CommandTarget& target) const {
  const int item = TreeItem(target);
  return item >= 0 ? ws_.tree().GroupOf(item) : -1;
}

bool TabCommands::MayDeleteGroup(int item) const {
  const TabTree& tree = ws_.tree();
  if (item < 0 || tree.item(item).kind != TabTreeItem::Kind::kGroup ||
      tree.item(item).image == TabTree::kArchiveImage) {
    return false;
  }
  for (int other = 0; other < tree.size(); ++other) {
    const TabTreeItem& group = tree.item(other);
    if (group.kind != TabTreeItem::Kind::kGroup || group.image == TabTree::kArchiveImage) continue;
    bool inside = false;  // the group or one of its subgroups goes with it
    for (int up = other; up >= 0 && !inside; up = tree.item(up).parent) inside = up == item;
    if (!inside) return true;
  }
  return false;
}

bool TabCommands::Execute(int id, const CommandTarget& target) {
  TabArea& area = ws_.area();
  switch (id) {
    case kNewCategoryTab:
      NewCategoryTab(target);
      return true;
    case kNewTabFromMenu:
    case kNewTabButton:
      SelectThisCategory(target);
      NewCategoryTab({});
      return true;
    case kDuplicateTab:
      if (SelectThisCategory(target) >= 0) Duplicate(area.RecordAt(area.current_category()));
      return true;
    case kCopyTreeTab: {
      // The copy takes the pages of the tab copied: show it first.
      const CommandTarget tree{CommandSource::kTabTree, target.tree_item};
      const int record = ThisRecord(tree);
      if (SelectThisCategory(tree) >= 0) Duplicate(record);
      return true;
    }
    case kDeleteTab:
      DeleteTab(target);
      return true;
    case kDeleteAllTabs:
    case kDeleteAllTabs2:
      DeleteAllTabs(target);
      return true;
    case kDeleteGroup:
      DeleteGroup(target);
      return true;
    case kTabSettings:
      EditTab(target);
      return true;
    case kCloseCategory:
      CloseCategory(target);
      return true;
    case kCloseRightCategories:
      CloseCategories(target, Which::kRight);
      return true;
    case kCloseLeftCategories:
      CloseCategories(target, Which::kLeft);
      return true;
    case kCloseOtherCategories:
      CloseCategories(target, Which::kOthers);
      return true;
    case kCloseAllCategories:
      CloseCategories(target, Which::kAll);
      return true;
    case kSearchInTab:
      if (SelectThisCategory(target) >= 0) Search(false);
      return true;
    case kSearch:
      Search(false);
      return true;
    case kBatchSearch:
      Search(true);
      return true;
    case kNewPage:
      OpenNewPage(TabArea::kBlankUrl, std::string());
      return true;
    case kDuplicatePage:
      if (const PageHost* host = ThisPageHost()) {
        OpenNewPage(host->url().empty() ? TabArea::kBlankUrl : host->url(), host->title());
      }
      return true;
    case kReloadPage:
    case kRefresh:
      if (PageHost* host = ThisPageHost()) host->Refresh();
      return true;
    case kBack:
      if (PageHost* host = ThisPageHost()) host->GoBack();
      return true;
    case kForward:
      if (PageHost* host = ThisPageHost()) host->GoForward();
      return true;
    case kStop:
      if (PageHost* host = ThisPageHost()) host->Stop();
      return true;
    case kHome: {
      // The start page, in the page shown unless that page may not be
      // replaced (a clip whose links open new tabs).
      OpenPageRequest home;
      home.category = area.current_category();
      home.url = Read(ws_.doc().settings(), settings::kMainStartPage);
      if (home.category >= 0 && !home.url.empty()) area.OpenPage(home);
      return true;
    }
    case kReloadAllPages: {
      const int category = ThisCategory(target);
      if (category < 0) return true;
      for (auto& page : area.category(category).pages()) page->host().Refresh();
      return true;
    }
    case kClosePage: {
      const int category = area.current_category();
      const int page = ThisPageIndex();
      if (page >= 0 && !area.IsUserClip(category, page)) area.ClosePage(category, page);
      return true;
    }
    case kCloseRightPages:
      ClosePages(Which::kRight);
      return true;
    case kCloseLeftPages:
      ClosePages(Which::kLeft);
      return true;
    case kCloseOtherPages:
      ClosePages(Which::kOthers);
      return true;
    case kCloseAllPagesOfTab:
      SelectThisCategory(target);
      ClosePages(Which::kAll);
      return true;
    case kCloseAllPages:
      ClosePages(Which::kAll);
      return true;
    case kToggleClip:
      if (const int page = ThisPageIndex(); page >= 0)
        area.ToggleClip(area.current_category(), page);
      return true;
    case kClipAll:
      if (ThisCategory(target) >= 0) area.ClipAll(ThisCategory(target));
      return true;
    case kUnclipAll:
      if (ThisCategory(target) >= 0) area.UnclipAll(ThisCategory(target));
      return true;
    case kAddAllToFavorites:
      AddAllToFavorites(target);
      return true;
    case kCategoryLeft:
    case kCategoryRight:
    case kCategoryFirst:
    case kCategoryLast:
      MoveCategoryFocus(id);
      return true;
    case kPageLeft:
    case kPageRight:
    case kPageFirst:
    case kPageLast:
      MovePageFocus(id);
      return true;
    case kPreviousTab:
    case kNextTab:
      MoveTabFocus(id == kNextTab);
      return true;
    default:
      return false;
  }
}

bool TabCommands::IsEnabled(int id, const CommandTarget& target) const {
  const TabArea& area = ws_.area();
  const int category = area.current_category();
  switch (id) {
    case kNewCategoryTab:
    case kNewTabFromMenu:
    case kNewTabButton:
    case kSearch:
    case kBatchSearch:
    case kNewPage:
      return true;
    case kCopyTreeTab:
    case kDeleteTab:
    case kTabSettings:
      return ThisRecord(target) >= 0;
    case kCloseCategory:
    case kSearchInTab:
      return target.source == CommandSource::kTabTree ? ThisRecord(target) >= 0
                                                      : ThisCategory(target) >= 0;
    case kDeleteAllTabs:
    case kDeleteAllTabs2:
      return TargetGroup(target) >= 0;
    case kDeleteGroup:
      return MayDeleteGroup(TreeItem(target));
    case kToggleClip:
    case kDuplicatePage:
    case kReloadPage:
    case kRefresh:
    case kClosePage:
    case kHome:
      return category >= 0 && area.category(category).page_count() > 0;
    case kBack:
      return ThisPageHost() != nullptr && ThisPageHost()->CanGoBack();
    case kForward:
      return ThisPageHost() != nullptr && ThisPageHost()->CanGoForward();
    case kStop:
      return ThisPageHost() != nullptr && ThisPageHost()->load_state() == LoadState::kLoading;
    default:
      return ThisCategory(target) >= 0;
  }
}

void TabCommands::OpenNewPage(const std::string& url, const std::string& caption) {
  TabArea& area = ws_.area();
  if (area.category_count() == 0) ws_.ChooseTreeItem(ws_.FirstTabItem());
  const int category = area.current_category();
  if (category < 0) return;
  const int after = area.ThisPage(category);
  area.AddPage(category, {.url = url,
                          .caption = caption,
                          .insert_at = after >= 0 ? after + 1 : -1,
                          .from_command = true});
}

void TabCommands::NewCategoryTab(const CommandTarget& target) {
  const TabTree& tree = ws_.tree();
  CTolvaneDoc& doc = ws_.doc();
  int group_id = 0;
  int order = EngineList::kCreatedInFolderOrder;
  const CommandTarget in_tree{CommandSource::kTabTree, target.tree_item};
  const int record = ThisRecord(in_tree);
  const int selected = TreeItem(in_tree);
  if (record >= 0) {
    group_id = doc.tabs().EffectiveFolder(static_cast<std::size_t>(record));
    order = doc.tabs().order(static_cast<std::size_t>(record));
  } else if (selected >= 0 && tree.item(selected).kind == TabTreeItem::Kind::kGroup) {
    group_id = doc.tab_folders().id(static_cast<std::size_t>(tree.item(selected).record));
  } else if (ws_.shown_group() >= 0) {
    group_id = doc.tab_folders().id(static_cast<std::size_t>(ws_.shown_group()));
  } else {
    const int first = ws_.FirstTabItem();
    if (first < 0) return;
    group_id = doc.tabs().EffectiveFolder(static_cast<std::size_t>(ws_.tree().item(first).record));
  }

  EngineDialogValues values;
  const bool ask = Read(doc.settings(), settings::kTabTreeCTabShowProperties) == 1;
  if (ask) {
    values.name = LoadString(string_id::kUntitled);
    values.tab_name = values.name;
    if (!ws_.view().EditTab(LoadString(string_id::kNewTabTitle), -1, values)) return;
  }
  const std::optional<int> row = ws_.editor().NewTab(group_id, order, ask ? &values : nullptr);
  if (row) ws_.RebuildAndSelectTab(*row);
}

void TabCommands::Duplicate(int record) {
  if (record < 0) return;
  TabArea& area = ws_.area();
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
  const std::optional<int> row = ws_.editor().Duplicate(record);
  if (!row) return;
  ws_.RebuildAndSelectTab(*row);
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

void TabCommands::DeleteTab(const CommandTarget& target) {
  const int record = ThisRecord(target);
  if (record < 0) return;
  TabTree& tree = ws_.tree();
  const int item = tree.FindTab(record);
  if (target.source != CommandSource::kCategoryBar) {
    const std::string name = item >= 0
                                 ? tree.item(item).text
                                 : ws_.doc().tabs().DisplayName(static_cast<std::size_t>(record));
    if (!ws_.prompter().AskYesNo(FormatString(string_id::kConfirmDelete, {name}))) return;
  }
  const int neighbour = item >= 0 ? tree.Neighbour(item) : -1;
  const TabTreeItem next = neighbour >= 0 ? tree.item(neighbour) : TabTreeItem{};
  ws_.area().DestroyPoolObject(record);
  ws_.editor().DeleteTab(record);
  if (next.kind == TabTreeItem::Kind::kTab) {
    ws_.RebuildAndSelectTab(next.record);
  } else {
    ws_.RebuildAndSelectGroup(next.kind == TabTreeItem::Kind::kGroup ? next.record : -1);
  }
}

void TabCommands::DeleteAllTabs(const CommandTarget& target) {
  const int group = TargetGroup(target);
  if (group < 0) return;
  CTolvaneDoc& doc = ws_.doc();
  TabTree& tree = ws_.tree();
  const int group_item = tree.FindGroup(group);
  const std::string name =
      group_item >= 0 ? tree.item(group_item).text : doc.tab_folders().DisplayName(group);
  if (!ws_.prompter().AskYesNo(
          FormatString(string_id::kConfirmDeleteAllIn, {name, LoadString(string_id::kTabWord)}))) {
    return;
  }
  const int group_id = doc.tab_folders().id(static_cast<std::size_t>(group));
  for (const int record : tree.TabsOfGroup(group_item)) ws_.area().DestroyPoolObject(record);
  ws_.editor().DeleteTabsOf(group_id);
  ws_.RebuildAndSelectGroup(group);
}

void TabCommands::DeleteGroup(const CommandTarget& target) {
  const TabTree& tree = ws_.tree();
  const int selected = TreeItem(target);
  if (!MayDeleteGroup(selected)) return;
  CTolvaneDoc& doc = ws_.doc();
  const int group = tree.item(selected).record;
  if (!ws_.prompter().AskYesNo(
          FormatString(string_id::kConfirmDelete, {tree.item(selected).text}))) {
    return;
  }
  const int neighbour = tree.Neighbour(selected);
  const TabTreeItem next = neighbour >= 0 ? tree.item(neighbour) : TabTreeItem{};
  if (group == ws_.shown_group()) ws_.area().HideAll();
  if (!ws_.editor().DeleteGroup(group)) return;
  // The tabs of the deleted groups went with them: so do their pages.
  const EngineList& tabs = doc.tabs();
  for (std::size_t row = 0; row < tabs.size(); ++row) {
    if (tabs.deleted(row)) ws_.area().DestroyPoolObject(static_cast<int>(row));
  }
  if (next.kind == TabTreeItem::Kind::kTab) {
    ws_.RebuildAndSelectTab(next.record);
  } else {
    ws_.RebuildAndSelectGroup(next.kind == TabTreeItem::Kind::kGroup ? next.record : -1);
  }
}

void TabCommands::EditTab(const CommandTarget& target) {
  if (target.source != CommandSource::kTabTree) SelectThisCategory(target);
  const int record = ThisRecord(target);
  if (record < 0) return;
  ws_.view().ShowTabTreePage();
  EngineList& tabs = ws_.doc().tabs();
  const auto row = static_cast<std::size_t>(record);
  EngineDialogValues values{tabs.name(row),         tabs.tab_name(row),   tabs.short_name(row),
                            tabs.url(row),          tabs.search_url(row), tabs.post_data(row),
                            tabs.encoding(row),     tabs.gesture(row),    tabs.shortcut(row),
                            tabs.on_search_bar(row),  tabs.icon_index(row)};
  if (!ws_.view().EditTab(LoadString(string_id::kTabSettingsTitle), record, values)) return;
  ws_.editor().Apply(record, values);
  ws_.area().RefreshCaption(record);
  ws_.RebuildAndSelectTab(record);
}

void TabCommands::CloseCategory(const CommandTarget& target) {
  if (target.source != CommandSource::kTabTree) SelectThisCategory(target);
  const int record = ThisRecord(target);
  if (record < 0) return;
  CTolvaneDoc& doc = ws_.doc();
  TabTree& tree = ws_.tree();
  const int item = tree.FindTab(record);
  const int neighbour = item >= 0 ? tree.Neighbour(item) : -1;
  const TabTreeItem next = neighbour >= 0 ? tree.item(neighbour) : TabTreeItem{};
  ws_.editor().ToggleArchived(record);
  ws_.area().DestroyPoolObject(record);
  if (!doc.tabs().archived(static_cast<std::size_t>(record))) {
    // Restored from the archive folder: show it back in its group.
    ws_.RebuildAndSelectTab(record);
  } else if (next.kind == TabTreeItem::Kind::kTab) {
    ws_.RebuildAndSelectTab(next.record);
  } else {
    ws_.RebuildAndSelectGroup(next.kind == TabTreeItem::Kind::kGroup ? next.record : -1);
  }
}

void TabCommands::CloseCategories(const CommandTarget& target, Which which) {
  if (target.source != CommandSource::kTabTree) SelectThisCategory(target);
  const int record = ThisRecord(target);
  if (record < 0) return;
  TabTree& tree = ws_.tree();
  const int item = tree.FindTab(record);
  const int group_item = tree.GroupItemOf(item);
  if (group_item < 0) return;
  const std::vector<int> records = tree.TabsOfGroup(group_item);
  const auto self = std::find(records.begin(), records.end(), record) - records.begin();
  std::vector<int> closing;
  for (std::ptrdiff_t i = 0; i < static_cast<std::ptrdiff_t>(records.size()); ++i) {
    const bool pick = which == Which::kAll || (which == Which::kRight && i > self) ||
                      (which == Which::kLeft && i < self) || (which == Which::kOthers && i != self);
    if (pick) closing.push_back(records[static_cast<std::size_t>(i)]);
  }
  ws_.editor().SetArchived(closing);
  for (const int closed : closing) ws_.area().DestroyPoolObject(closed);
  if (which == Which::kAll) {
    ws_.RebuildAndSelectGroup(tree.item(group_item).record);
  } else {
    ws_.RebuildAndSelectTab(record);
  }
}

void TabCommands::Search(bool every_category) {
  TabArea& area = ws_.area();
  const Keyword keyword = ws_.view().SearchKeyword();
  if (every_category) {
    area.search().SearchEveryCategory(keyword);
  } else {
    area.search().SearchCurrentCategory(keyword);
  }
}

void TabCommands::ClosePages(Which which) {
  TabArea& area = ws_.area();
  const int category = area.current_category();
  if (category < 0) return;
  const int self = area.ThisPage(category);
  if (self < 0) return;
  // Last first, so the indices still to close stay valid.
  for (int page = area.category(category).page_count() - 1; page >= 0; --page) {
    const bool pick = which == Which::kAll || (which == Which::kRight && page > self) ||
                      (which == Which::kLeft && page < self) ||
                      (which == Which::kOthers && page != self);
    if (pick && !area.IsUserClip(category, page)) area.ClosePage(category, page);
  }
  area.category(category).set_context_page(-1);
}

void TabCommands::AddAllToFavorites(const CommandTarget& target) {
  TabArea& area = ws_.area();
  const int category = ThisCategory(target);
  if (category < 0) return;
  ItemStore& favorites = ws_.doc().favorites();
  for (const auto& page : area.category(category).pages()) {
    const PageHost& host = page->host();
    ItemStore::Entry entry;
    entry.url = host.url().empty() ? host.request().url : host.url();
    entry.title = host.title().empty() ? entry.url : host.title();
    if (entry.url.empty()) continue;
    if (favorites.AddOrCount(entry, ws_.prompter()) < 0) break;
  }
}

void TabCommands::MoveCategoryFocus(int id) {
  TabArea& area = ws_.area();
  const int count = area.category_count();
  if (count == 0) return;
  const int current = std::max(area.current_category(), 0);
  int target = current;
  if (id == kCategoryLeft) target = (current + count - 1) % count;
  if (id == kCategoryRight) target = (current + 1) % count;
  if (id == kCategoryFirst) target = 0;
  if (id == kCategoryLast) target = count - 1;
  ws_.view().FreezeDrawing();
  area.SelectCategoryTab(target, true);
  ws_.view().UnfreezeDrawing();
  ws_.view().FocusCategoryTabs();
}

void TabCommands::MovePageFocus(int id) {
  TabArea& area = ws_.area();
  const int category = area.current_category();
  if (category < 0) return;
  const int count = area.category(category).page_count();
  if (count == 0) return;
  const int current = std::max(area.category(category).current_page(), 0);
  int target = current;
  if (id == kPageLeft) target = (current + count - 1) % count;
  if (id == kPageRight) target = (current + 1) % count;
  if (id == kPageFirst) target = 0;
  if (id == kPageLast) target = count - 1;
  ws_.view().FreezeDrawing();
  area.SelectPage(category, target, true, true);
  ws_.view().UnfreezeDrawing();
  ws_.view().FocusPageTabs();
}

void TabCommands::MoveTabFocus(bool forward) {
  TabArea& area = ws_.area();
  const int categories = area.category_count();
  const int category = area.current_category();
  if (category < 0) return;
  const int page = area.category(category).current_page();
  const int count = area.category(category).page_count();
  ws_.view().FreezeDrawing();
  if (forward && page + 1 < count) {
    area.SelectPage(category, page + 1, true, true);
  } else if (!forward && page > 0) {
    area.SelectPage(category, page - 1, true, true);
  } else {
    const int next = (category + (forward ? 1 : categories - 1)) % categories;
    area.SelectCategoryTab(next, true);
    const int pages = area.category(next).page_count();
    if (pages > 0) area.SelectPage(next, forward ? 0 : pages - 1, true, true);
  }
  ws_.view().UnfreezeDrawing();
  ws_.view().FocusPageTabs();
}

}  // namespace tolvane
