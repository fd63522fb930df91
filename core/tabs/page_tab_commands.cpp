#include "core/tabs/page_tab_commands.h"

#include <algorithm>

#include "core/files/setting_keys.h"
#include "core/stores/item_store.h"
#include "core/tabs/tab_workspace.h"

namespace tolvane {
namespace {

// A page as a favorite: its address (the one asked for while nothing has
// loaded yet) and its title, or the address when it has none; no
// importance, no tags.
ItemStore::Entry FavoriteOf(const PageHost& host) {
  ItemStore::Entry entry;
  entry.url = host.url().empty() ? host.request().url : host.url();
  entry.title = host.title().empty() ? entry.url : host.title();
  return entry;
}

}  // namespace

using P = PageTabCommands;

const PageTabCommands::Row PageTabCommands::kRows[] = {
    {command::kNewPageTab, &P::NewPage},
    {command::kDuplicatePageTab, &P::DuplicatePage, &P::HasPages},
    {command::kReloadPageTab, &P::Reload, &P::HasPages},
    {command::kReload, &P::Reload, &P::HasPages},
    {command::kBack, &P::Back, &P::CanGoBack},
    {command::kForward, &P::Forward, &P::CanGoForward},
    {command::kStop, &P::Stop, &P::IsLoading},
    {command::kHome, &P::Home, &P::HasPages},
    {command::kReloadAllPageTabs, &P::ReloadAll, &P::HasCategory},
    {command::kClosePageTab, &P::Close, &P::HasPages},
    {command::kClosePageTabsRight, &P::CloseBeside, &P::HasCategory},
    {command::kClosePageTabsLeft, &P::CloseBeside, &P::HasCategory},
    {command::kCloseOtherPageTabs, &P::CloseBeside, &P::HasCategory},
    {command::kCloseAllPagesOfRow, &P::CloseBeside, &P::HasCategory},
    {command::kCloseAllPageTabs, &P::CloseAllOfTab, &P::HasCategory},
    {command::kToggleClip, &P::ToggleClip, &P::HasPages},
    // The standard buttons ページクリップ and 閉じる.
    {command::kPageClip, &P::ToggleClip, &P::HasPages},
    {command::kClosePage, &P::Close, &P::HasPages},
    {command::kClipAllTabs, &P::ClipAll, &P::HasCategory},
    {command::kUnclipAllTabs, &P::UnclipAll, &P::HasCategory},
    {command::kAddAllTabsToFavorites, &P::AddAllToFavorites, &P::HasCategory},
    {command::kAddFavorite, &P::AddToFavorites, &P::HasAddress},
    {command::kPageTabLeft, &P::MoveFocus, &P::HasCategory},
    {command::kPageTabRight, &P::MoveFocus, &P::HasCategory},
    {command::kPageTabFirst, &P::MoveFocus, &P::HasCategory},
    {command::kPageTabLast, &P::MoveFocus, &P::HasCategory},
    {command::kPreviousTab, &P::MoveTabFocus, &P::HasCategory},
    {command::kNextTab, &P::MoveTabFocus, &P::HasCategory},
};

PageTabCommands::PageTabCommands(const TabTarget& target) : CommandRows(kRows), target_(target) {}

bool PageTabCommands::HasCategory(const CommandContext& context) const {
  return target_.Category(context) >= 0;
}

bool PageTabCommands::HasPages(const CommandContext&) const {
  const TabArea& area = target_.workspace().area();
  const int category = area.current_category();
  return category >= 0 && area.category(category).page_count() > 0;
}

bool PageTabCommands::CanGoBack(const CommandContext& context) const {
  const PageHost* host = target_.Host(context);
  return host != nullptr && host->CanGoBack();
}

bool PageTabCommands::CanGoForward(const CommandContext& context) const {
  const PageHost* host = target_.Host(context);
  return host != nullptr && host->CanGoForward();
}

bool PageTabCommands::IsLoading(const CommandContext& context) const {
  const PageHost* host = target_.Host(context);
  return host != nullptr && host->load_state() == LoadState::kLoading;
}

bool PageTabCommands::OpenNewPage(const std::string& url, const std::string& caption,
                                  const CommandContext& context) {
  TabWorkspace& ws = target_.workspace();
  TabArea& area = ws.area();
  if (area.category_count() == 0) ws.ChooseTreeItem(ws.FirstTabItem());
  const int category = area.current_category();
  if (category < 0) return false;
  const int after = target_.Page(context);
  area.AddPage(category, {.url = url,
                          .caption = caption,
                          .insert_at = after >= 0 ? after + 1 : -1,
                          .from_command = true});
  return true;
}

// A blank page waits for an address: the keys typed next go to the address
// bar, as in any browser, not to the tab row where they would be lost.
void PageTabCommands::NewPage(const CommandContext& context) {
  if (OpenNewPage(TabArea::kBlankUrl, std::string(), context)) {
    target_.workspace().view().FocusAddressBar();
  }
}

void PageTabCommands::DuplicatePage(const CommandContext& context) {
  if (const PageHost* host = target_.Host(context)) {
    OpenNewPage(host->url().empty() ? TabArea::kBlankUrl : host->url(), host->title(), context);
  }
}

void PageTabCommands::Reload(const CommandContext& context) {
  if (PageHost* host = target_.Host(context)) host->Refresh();
}

void PageTabCommands::Back(const CommandContext& context) {
  if (PageHost* host = target_.Host(context)) host->GoBack();
}

void PageTabCommands::Forward(const CommandContext& context) {
  if (PageHost* host = target_.Host(context)) host->GoForward();
}

void PageTabCommands::Stop(const CommandContext& context) {
  if (PageHost* host = target_.Host(context)) host->Stop();
}

// The start page, in the page shown unless that page may not be replaced
// (a clip whose links open new tabs).
void PageTabCommands::Home(const CommandContext& context) {
  TabWorkspace& ws = target_.workspace();
  OpenPageRequest home;
  home.category = ws.area().current_category();
  home.url = Read(ws.settings(), settings::kMainStartPage);
  home.keys = context.modifiers;
  if (home.category >= 0 && !home.url.empty()) ws.area().OpenPage(home);
}

void PageTabCommands::ReloadAll(const CommandContext& context) {
  const int category = target_.Category(context);
  if (category < 0) return;
  for (auto& page : target_.workspace().area().category(category).pages()) page->host().Refresh();
}

void PageTabCommands::Close(const CommandContext& context) {
  TabArea& area = target_.workspace().area();
  const int category = area.current_category();
  const int page = target_.Page(context);
  if (page >= 0 && !area.IsUserClip(category, page)) area.ClosePage(category, page);
}

// Closes the pages of the current category the command picks beside this
// page, last first so the indices still to close stay valid; user clips
// stay.
void PageTabCommands::CloseBeside(const CommandContext& context) {
  using Side = TabTarget::Side;
  const CommandId id = context.command;
  const Side side = id == command::kClosePageTabsRight   ? Side::kRight
                    : id == command::kClosePageTabsLeft  ? Side::kLeft
                    : id == command::kCloseOtherPageTabs ? Side::kOthers
                                                         : Side::kAll;
  TabArea& area = target_.workspace().area();
  const int category = area.current_category();
  const int self = target_.Page(context);
  if (category < 0 || self < 0) return;
  for (int page = area.category(category).page_count() - 1; page >= 0; --page) {
    if (TabTarget::Picks(side, page, self) && !area.IsUserClip(category, page)) {
      area.ClosePage(category, page);
    }
  }
}

void PageTabCommands::CloseAllOfTab(const CommandContext& context) {
  target_.SelectCategory(context);
  CommandContext all = context;
  all.command = command::kCloseAllPagesOfRow;
  all.page = -1;
  CloseBeside(all);
}

void PageTabCommands::ToggleClip(const CommandContext& context) {
  TabArea& area = target_.workspace().area();
  if (const int page = target_.Page(context); page >= 0) {
    area.ToggleClip(area.current_category(), page);
  }
}

void PageTabCommands::ClipAll(const CommandContext& context) {
  if (const int category = target_.Category(context); category >= 0) {
    target_.workspace().area().ClipAll(category);
  }
}

void PageTabCommands::UnclipAll(const CommandContext& context) {
  if (const int category = target_.Category(context); category >= 0) {
    target_.workspace().area().UnclipAll(category);
  }
}

void PageTabCommands::AddAllToFavorites(const CommandContext& context) {
  TabWorkspace& ws = target_.workspace();
  const int category = target_.Category(context);
  if (category < 0) return;
  ItemStore& favorites = ws.favorites();
  for (const auto& page : ws.area().category(category).pages()) {
    const ItemStore::Entry entry = FavoriteOf(page->host());
    if (entry.url.empty()) continue;
    if (favorites.AddOrCount(entry, ws.prompter()) < 0) break;
  }
}

bool PageTabCommands::HasAddress(const CommandContext& context) const {
  const PageHost* host = target_.Host(context);
  return host != nullptr && !FavoriteOf(*host).url.empty();
}

// The page the command names becomes a favorite (an address that is one
// already is refreshed), and its properties dialog opens on it unless the
// option says not to.
void PageTabCommands::AddToFavorites(const CommandContext& context) {
  const PageHost* host = target_.Host(context);
  if (host == nullptr) return;
  const ItemStore::Entry entry = FavoriteOf(*host);
  if (entry.url.empty()) return;
  TabWorkspace& ws = target_.workspace();
  ItemStore& favorites = ws.favorites();
  const int index = favorites.AddOrCount(entry, ws.prompter());
  if (index < 0) return;
  if (Read(ws.settings(), settings::kFavoriteShowProperties) == 1) {
    ws.view().EditItem(favorites, static_cast<std::size_t>(index));
  }
}

void PageTabCommands::MoveFocus(const CommandContext& context) {
  TabWorkspace& ws = target_.workspace();
  TabArea& area = ws.area();
  const int category = area.current_category();
  if (category < 0) return;
  const int count = area.category(category).page_count();
  if (count == 0) return;
  const int current = std::max(area.category(category).current_page(), 0);
  const CommandId id = context.command;
  int next = current;
  if (id == command::kPageTabLeft) next = (current + count - 1) % count;
  if (id == command::kPageTabRight) next = (current + 1) % count;
  if (id == command::kPageTabFirst) next = 0;
  if (id == command::kPageTabLast) next = count - 1;
  ws.view().FreezeDrawing();
  area.SelectPage(category, next, true, true);
  ws.view().UnfreezeDrawing();
  ws.view().FocusPageTabs();
}

// Along the pages of the row, then on to the next category tab's first page
// (or the previous one's last).
void PageTabCommands::MoveTabFocus(const CommandContext& context) {
  const bool forward = context.command == command::kNextTab;
  TabWorkspace& ws = target_.workspace();
  TabArea& area = ws.area();
  const int categories = area.category_count();
  const int category = area.current_category();
  if (category < 0) return;
  const int page = area.category(category).current_page();
  const int count = area.category(category).page_count();
  ws.view().FreezeDrawing();
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
  ws.view().UnfreezeDrawing();
  ws.view().FocusPageTabs();
}

}  // namespace tolvane
