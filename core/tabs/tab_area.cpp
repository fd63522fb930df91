#include "core/tabs/tab_area.h"

#include <algorithm>
#include <utility>

#include "core/browser/outside_address.h"
#include "core/files/prompter.h"
#include "core/files/setting_keys.h"
#include "core/files/string_table.h"
#include "core/search/search_requests.h"
#include "core/stores/category_folder_tree.h"
#include "core/stores/clip_list.h"
#include "core/stores/engine_list.h"
#include "core/stores/item_store.h"
#include "core/tabs/resource_probe.h"
#include "core/tabs/row_index.h"
#include "core/tabs/tab_area_view.h"

namespace tolvane {
TabArea::TabArea(const Services& services, TabAreaView& view)
    : services_(services),
      view_(view),
      reports_(*this, view),
      search_host_(*this, view),
      queue_(std::make_unique<CLoadingQueue>(CLoadingQueue::Options::Read(services.settings),
                                             services.timers, *this)),
      catcher_(services.controls),
      search_(services.engines, services.tabs, services.settings, services.keywords,
              services.prompter, search_host_, services.boxes, services.clipboard),
      clip_sync_(services.clips, services.tabs, services.settings, services.prompter),
      guard_(services.tabs, services.groups, services.probe, kGuardPageCount),
      guard_timer_(services.timers.CreateTimer()) {}

TabArea::~TabArea() {
  reports_.Close();
  search_host_.DropWaitingSearch();
  bar_.clear();
  current_ = -1;
  while (!pool_.empty()) DestroyObject(*pool_.back());
}

// ---- The category bar ----

void TabArea::SetCaptions(CCategoryTab& tab) const {
  const auto row = static_cast<std::size_t>(tab.record());
  std::string caption = services_.tabs.tab_name(row);
  if (caption.empty()) caption = services_.tabs.DisplayName(row);
  std::string short_caption = services_.tabs.short_name(row);
  if (short_caption.empty()) short_caption = caption;
  tab.set_captions(std::move(caption), std::move(short_caption));
}

int TabArea::OpenCategoryTab(int record) {
  if (record < 0 || static_cast<std::size_t>(record) >= services_.tabs.size()) return -1;
  if (const int shown = FindByRecord(record); shown >= 0) {
    SelectCategoryTab(shown, false);
    return shown;
  }
  CCategoryTab* tab = PoolObject(record);
  const bool reused = tab != nullptr;
  if (!reused) {
    pool_.push_back(std::make_unique<CCategoryTab>(record));
    tab = pool_.back().get();
  }
  SetCaptions(*tab);
  bar_.push_back(tab);
  const int index = category_count() - 1;

  if (reused) {
    if (tab->active()) SelectCategoryTab(index, false);
    if (tab->current_page() >= 0) Tell([&](auto& o) { o.PageUpdated(*tab, tab->current_page()); });
  } else {
    // A tab without pages of its own moves no keyboard focus while it opens.
    opening_ = true;
    if (start_pages_ && index == 0) {
      OpenStartPages(*tab, index);
    } else {
      OpenFirstPages(*tab, index);
    }
    opening_ = false;
  }
  Tell([&](auto& o) { o.TabInserted(*tab, index, !reused); });
  return index;
}

// A new category object: the top pages of its tab row, unless one of its
// clips was the current page, in which case only its clip pages come back.
void TabArea::OpenFirstPages(CCategoryTab& tab, int index) {
  const bool clip_selected = clip_sync_.ClipsOf(tab).selected >= 0;
  if (!clip_selected) {
    search_.RunSearch(index, Keyword(), 1, SearchRunner::kTabList, -1);
    if (tab.page_count() == 0) AddPageTo(tab, {.url = kBlankUrl});
  }
  const int selected = OpenClipsOf(tab);
  if (selected >= 0) SelectPageOf(tab, selected, false, false);
}

// The first category tab of the run: the start page, the exported clip
// list when the old clip file could not be read, then the tab's own pages.
//
// A start page the last run kept among the tab's saved pages comes back as
// that saved page rather than beside it: otherwise every start and exit
// would keep one more copy of it.
void TabArea::OpenStartPages(CCategoryTab& tab, int index) {
  start_pages_ = false;
  std::vector<std::size_t> saved = clip_sync_.ClipsOf(tab).records;
  auto saved_page_at = [this, &saved](const std::string& url) {
    for (auto it = saved.begin(); it != saved.end(); ++it) {
      if (!services_.clips.clipped(*it) && services_.clips.url(*it) == url) {
        const int record = static_cast<int>(*it);
        saved.erase(it);
        return record;
      }
    }
    return -1;
  };
  const std::string start_url = start_url_.empty() ? kBlankUrl : start_url_;
  AddPageTo(tab, {.url = start_url, .clip_index = saved_page_at(start_url)});
  if (!clip_list_url_.empty()) {
    AddPageTo(tab, {.url = clip_list_url_,
                    .caption = LoadString(string_id::kClipListPage),
                    .clip_index = saved_page_at(clip_list_url_)});
  }
  if (!services_.tabs.url(static_cast<std::size_t>(tab.record())).empty()) {
    search_.RunSearch(index, Keyword(), 1, SearchRunner::kTabList, -1);
  }
  SelectPageOf(tab, 0, false, false);
  OpenClipsOf(tab);
}

void TabArea::SelectCategoryTab(int index, bool sync_tree) {
  if (index < 0 || index >= category_count()) return;
  CCategoryTab& next = *bar_[static_cast<std::size_t>(index)];
  if (index != current_) {
    if (current_ >= 0) HideShownPage(*bar_[static_cast<std::size_t>(current_)], true);
    current_ = index;
  }
  if (next.current_page() < 0 && next.page_count() > 0) next.set_current_page(0);
  ShowCurrentPage(next);
  Tell([&](auto& o) { o.TabSelected(next, index, sync_tree); });
}

void TabArea::CloseCategoryTab(int index, bool destroy) {
  if (index < 0 || index >= category_count()) return;
  search_host_.RunWaitingSearch();
  CCategoryTab& tab = *bar_[static_cast<std::size_t>(index)];
  const bool was_current = index == current_;
  if (was_current) HideShownPage(tab, !destroy);
  bar_.erase(bar_.begin() + index);
  current_ = IndexAfterRemoval(current_, index);
  const int record = tab.record();
  if (destroy) {
    DestroyObject(tab);
  } else {
    tab.set_active(was_current);
    SaveClips(tab, false);
  }
  Tell([&](auto& o) { o.TabRemoved(record, index, destroy); });
}

void TabArea::HideAll() {
  for (int i = category_count() - 1; i >= 0; --i) CloseCategoryTab(i, false);
}

void TabArea::DestroyPoolObject(int record) {
  if (const int shown = FindByRecord(record); shown >= 0) {
    CloseCategoryTab(shown, true);
    return;
  }
  if (CCategoryTab* tab = PoolObject(record)) {
    DestroyObject(*tab);
    Tell([&](auto& o) { o.TabRemoved(record, -1, true); });
  }
}

void TabArea::DestroyAll() {
  search_host_.RunWaitingSearch();
  if (current_ >= 0) HideShownPage(*bar_[static_cast<std::size_t>(current_)], false);
  // Told as if the bar were emptied last first, then the hidden objects.
  std::vector<std::pair<int, int>> gone;  // record, bar index
  for (int i = category_count() - 1; i >= 0; --i) gone.emplace_back(RecordAt(i), i);
  for (const auto& tab : pool_) {
    if (BarIndexOf(*tab) < 0) gone.emplace_back(tab->record(), -1);
  }
  bar_.clear();
  current_ = -1;
  while (!pool_.empty()) DestroyObject(*pool_.back());
  for (const std::pair<int, int>& removed : gone) {
    Tell([&](auto& o) { o.TabRemoved(removed.first, removed.second, true); });
  }
}

// Takes the object out of the pool and destroys it with its pages. The
// pages are detached from their clips first: only a user closing a page
// deletes its saved page.
void TabArea::DestroyObject(CCategoryTab& tab) {
  auto it = std::find_if(pool_.begin(), pool_.end(),
                         [&tab](const auto& owned) { return owned.get() == &tab; });
  if (it == pool_.end()) return;
  std::unique_ptr<CCategoryTab> gone = std::move(*it);
  pool_.erase(it);
  PageClipSync::Detach(*gone);
  auto& pages = gone->pages();
  // One page at a time, so the hosts' reports on closing find a consistent
  // model.
  while (!pages.empty()) {
    std::unique_ptr<CPageTab> page = std::move(pages.back());
    pages.pop_back();
    page.reset();
  }
}

void TabArea::MoveCategoryTab(int from, int to) {
  const int count = category_count();
  if (from < 0 || from >= count || to < 0 || to >= count || from == to) return;
  search_host_.RunWaitingSearch();
  CCategoryTab* moving = bar_[static_cast<std::size_t>(from)];
  bar_.erase(bar_.begin() + from);
  bar_.insert(bar_.begin() + to, moving);
  current_ = IndexAfterMove(current_, from, to);
  Tell([&](auto& o) { o.TabMoved(from, to); });
}

int TabArea::FindByRecord(int record) const {
  for (std::size_t i = 0; i < bar_.size(); ++i) {
    if (bar_[i]->record() == record) return static_cast<int>(i);
  }
  return -1;
}

int TabArea::RecordAt(int index) const {
  return index >= 0 && index < category_count() ? category(index).record() : -1;
}

int TabArea::PoolState(int record) const {
  if (FindByRecord(record) >= 0) return 2;
  return PoolObject(record) != nullptr ? 1 : 0;
}

CCategoryTab* TabArea::PoolObject(int record) {
  for (auto& tab : pool_) {
    if (tab->record() == record) return tab.get();
  }
  return nullptr;
}

const CCategoryTab* TabArea::PoolObject(int record) const {
  for (const auto& tab : pool_) {
    if (tab->record() == record) return tab.get();
  }
  return nullptr;
}

void TabArea::SetStartPages(std::string start_url, std::string clip_list_url) {
  start_pages_ = true;
  start_url_ = std::move(start_url);
  clip_list_url_ = std::move(clip_list_url);
}

void TabArea::RefreshCaption(int record) {
  CCategoryTab* tab = PoolObject(record);
  if (tab == nullptr) return;
  SetCaptions(*tab);
  const int index = FindByRecord(record);
  Tell([&](auto& o) { o.TabUpdated(*tab, index); });
}

void TabArea::ClearStartPages() { start_pages_ = false; }

// Records a page of the tab shows already (a start page) are not opened
// twice; addresses LoadsAtRestore refuses come back not loaded.
int TabArea::OpenClipsOf(CCategoryTab& tab) {
  const TabClips clips = clip_sync_.ClipsOf(tab);
  int selected = -1;
  for (std::size_t k = 0; k < clips.records.size(); ++k) {
    const std::size_t record = clips.records[k];
    const auto& pages = tab.pages();
    if (std::any_of(pages.begin(), pages.end(), [record](const auto& page) {
          return page->clip_index() == static_cast<int>(record);
        })) {
      continue;
    }
    AddPageParams params = PageOfClip(record);
    params.load = LoadsAtRestore(params.url);
    const int page = AddPageTo(tab, params);
    if (static_cast<int>(k) == clips.selected) selected = page;
  }
  return selected;
}

// A page a search posted is posted again, while its engine exists.
AddPageParams TabArea::PageOfClip(std::size_t record) const {
  AddPageParams params{.url = services_.clips.url(record),
                       .caption = services_.clips.title(record),
                       .clip_index = static_cast<int>(record)};
  const SearchRequests posted =
      BuildPostedSearch(services_.engines, services_.clips.search(record));
  if (!posted.empty()) {
    params.url = posted.urls[0];
    params.post_body = posted.bodies[0];
    params.search = posted.searches[0];
  }
  return params;
}

// ---- The page rows ----

PageHost::Services TabArea::HostServices() {
  PageHost::Services host{services_.settings, services_.timers, services_.prompter};
  host.history = services_.history;
  host.favorites = services_.favorites != nullptr ? &services_.favorites->items() : nullptr;
  host.queue = queue_.get();
  host.catcher = &catcher_;
  return host;
}

int TabArea::AddPage(int category, const AddPageParams& params) {
  if (category < 0 || category >= category_count()) return -1;
  return AddPageTo(*bar_[static_cast<std::size_t>(category)], params);
}

int TabArea::AddPageTo(CCategoryTab& tab, const AddPageParams& params) {
  auto host = std::make_unique<PageHost>(reports_, HostServices());
  if (!host->Create()) return -1;
  PageHost& page_host = *host;
  const int at =
      tab.InsertPage(params.insert_at,
                     std::make_unique<CPageTab>(next_serial_++, std::move(host), params.origin_kind,
                                                params.origin_index, params.clip_index));
  Tell([&](auto& o) { o.PageInserted(tab, at); });
  // Selected before its address is queued: a page shown while it waits
  // starts at the next scheduling pass, so a search adding many pages one
  // after the other, each selected in turn, loads only the last of them
  // at once instead of all. The tree, which has the page's item now,
  // highlights it when its row is the one shown.
  const bool activate =
      params.activate && params.clip_index < 0 && (params.from_command || !params.keys.ctrl);
  if (activate || tab.current_page() < 0) SelectPageOf(tab, at, true, true);
  // An empty address is a page a new window is about to fill.
  if (!params.url.empty()) {
    NavigationRequest request;
    request.url = params.url;
    request.post_body = params.post_body;
    request.headers = params.headers;
    request.search = params.search;
    request.title = params.caption.empty() ? params.url : params.caption;
    request.origin_kind = params.origin_kind;
    request.origin_index = params.origin_index;
    if (params.load) {
      page_host.QueueNavigation(request);
    } else {
      page_host.HoldNavigation(request);
    }
  }
  // Reports of the host may have changed the row.
  return tab.IndexOfHost(page_host);
}

void TabArea::SelectPage(int category, int page, bool remember, bool sync_tree) {
  if (category < 0 || category >= category_count()) return;
  SelectPageOf(*bar_[static_cast<std::size_t>(category)], page, remember, sync_tree);
}

void TabArea::SelectPageOf(CCategoryTab& tab, int page, bool remember, bool sync_tree) {
  if (page < 0 || page >= tab.page_count()) return;
  const int old = tab.current_page();
  if (old != page && old >= 0 && old < tab.page_count()) {
    PageHost& leaving = tab.page(old).host();
    // Only a page on screen is left; a closed current page is gone already.
    if (leaving.active_view()) {
      if (remember) {
        Tell([&](auto& o) {
          o.PageLeft(tab.record(), tab.page(old).serial(), leaving.url(), leaving.title());
        });
      }
      leaving.Hide();
    }
  }
  tab.set_current_page(page);
  if (IsCurrent(tab)) tab.page(page).host().Show(false);
  const bool follow = sync_tree && IsCurrent(tab);
  Tell([&](auto& o) { o.PageSelected(tab, page, follow); });
}

void TabArea::ShowCurrentPage(CCategoryTab& tab) {
  const int page = tab.current_page();
  if (page >= 0 && page < tab.page_count()) {
    tab.page(page).host().Show(false);
  } else {
    view_.ClearFrame();
  }
}

// The category's page row goes off screen: its shown page is remembered in
// the tab history and hidden.
void TabArea::HideShownPage(CCategoryTab& tab, bool remember) {
  const int page = tab.current_page();
  if (page < 0 || page >= tab.page_count()) return;
  PageHost& host = tab.page(page).host();
  if (!host.active_view()) return;
  if (remember) {
    Tell([&](auto& o) {
      o.PageLeft(tab.record(), tab.page(page).serial(), host.url(), host.title());
    });
  }
  host.Hide();
}

void TabArea::ClosePage(int category, int page) {
  if (category < 0 || category >= category_count()) return;
  ClosePageOf(*bar_[static_cast<std::size_t>(category)], page);
}

void TabArea::ClosePageOf(CCategoryTab& tab, int page) {
  if (page < 0 || page >= tab.page_count()) return;
  // A saved page goes with its tab; a user clip stays.
  clip_sync_.Closed(tab.page(page));
  tab.TakePage(page).reset();
  PostNeighbourSelection(tab);
  Tell([&](auto& o) { o.PageRemoved(tab, page); });
}

void TabArea::PostNeighbourSelection(CCategoryTab& tab) {
  std::unique_ptr<Timer>& timer = tab.select_timer();
  if (timer == nullptr) timer = services_.timers.CreateTimer();
  if (timer == nullptr) {
    SelectNeighbour(tab);
  } else if (!timer->active()) {
    timer->Start(0, false, [this, &tab] { SelectNeighbour(tab); });
  }
}

// A category never stays without a page.
void TabArea::SelectNeighbour(CCategoryTab& tab) {
  if (tab.page_count() == 0) {
    AddPageTo(tab, {.url = kBlankUrl});
    return;
  }
  const int current = tab.current_page();
  SelectPageOf(tab, current >= 0 && current < tab.page_count() ? current : tab.page_count() - 1,
               false, true);
}

void TabArea::MovePage(int category, int from, int to) {
  if (category < 0 || category >= category_count()) return;
  CCategoryTab& tab = *bar_[static_cast<std::size_t>(category)];
  const int count = tab.page_count();
  if (from < 0 || from >= count || to < 0 || to >= count || from == to) return;
  tab.MovePage(from, to);
  Tell([&](auto& o) { o.PageMoved(tab, from, to); });
}

void TabArea::SaveClips(CCategoryTab& tab, bool save_all) { clip_sync_.Save(tab, save_all); }

void TabArea::SaveOpenPages() {
  for (auto it = pool_.rbegin(); it != pool_.rend(); ++it) SaveClips(**it, true);
}

bool TabArea::IsUserClip(int category, int page) const {
  if (category < 0 || category >= category_count()) return false;
  const CCategoryTab& tab = this->category(category);
  return page >= 0 && page < tab.page_count() && clip_sync_.IsUserClip(tab.page(page));
}

void TabArea::ToggleClip(int category, int page) {
  if (category < 0 || category >= category_count()) return;
  CCategoryTab& tab = *bar_[static_cast<std::size_t>(category)];
  if (page < 0 || page >= tab.page_count()) return;
  CPageTab& pt = tab.page(page);
  if (clip_sync_.IsUserClip(pt)) {
    clip_sync_.Release(pt);
  } else if (Read(services_.settings, settings::kPageClipAction) != 1) {
    clip_sync_.ClipInPlace(pt, tab);
  } else if (const int copy = clip_sync_.ClippedCopyOf(pt, tab); copy >= 0) {
    // Clipped already: the press leads to the copy (where the next one
    // releases it) instead of cloning the page once more.
    SelectPageOf(tab, copy, true, true);
    return;
  } else {
    // The clip opens as a page tab of its own right after the page.
    const int clip = clip_sync_.NewClipOf(pt, tab);
    if (clip < 0) return;
    AddPageParams params = PageOfClip(static_cast<std::size_t>(clip));
    params.insert_at = page + 1;
    const int added = AddPageTo(tab, params);
    if (added >= 0 && Read(services_.settings, settings::kPageClipFocus) == 1) {
      SelectPageOf(tab, added, true, true);
    }
    return;
  }
  Tell([&](auto& o) { o.PageUpdated(tab, page); });
}

void TabArea::ClipAll(int category) {
  if (category < 0 || category >= category_count()) return;
  CCategoryTab& tab = *bar_[static_cast<std::size_t>(category)];
  for (int page = 0; page < tab.page_count(); ++page) {
    CPageTab& pt = tab.page(page);
    if (clip_sync_.IsUserClip(pt)) continue;
    // At the limit the message has been shown once; the rest stay plain.
    if (!clip_sync_.ClipInPlace(pt, tab)) break;
    Tell([&](auto& o) { o.PageUpdated(tab, page); });
  }
}

void TabArea::UnclipAll(int category) {
  if (category < 0 || category >= category_count()) return;
  CCategoryTab& tab = *bar_[static_cast<std::size_t>(category)];
  for (int page = 0; page < tab.page_count(); ++page) {
    if (!clip_sync_.IsUserClip(tab.page(page))) continue;
    clip_sync_.Release(tab.page(page));
    Tell([&](auto& o) { o.PageUpdated(tab, page); });
  }
}

void TabArea::ForgetClipIndices() {
  for (auto& tab : pool_) PageClipSync::Detach(*tab);
}

const PageHost* TabArea::ActiveHost() const {
  if (current_ < 0) return nullptr;
  const CCategoryTab& tab = *bar_[static_cast<std::size_t>(current_)];
  const int page = tab.current_page();
  return page >= 0 && page < tab.page_count() ? &tab.page(page).host() : nullptr;
}

PageHost* TabArea::ActiveHost() { return const_cast<PageHost*>(std::as_const(*this).ActiveHost()); }

TabArea::HostPlace TabArea::Locate(const PageHost& host) {
  for (auto& tab : pool_) {
    if (const int page = tab->IndexOfHost(host); page >= 0) return {tab.get(), page};
  }
  return {};
}

TabArea::ConstPlace TabArea::Find(const PageHost& host) const {
  for (const auto& tab : pool_) {
    if (const int page = tab->IndexOfHost(host); page >= 0) return {tab.get(), page};
  }
  return {};
}

bool TabArea::IsCurrent(const CCategoryTab& tab) const {
  return current_ >= 0 && bar_[static_cast<std::size_t>(current_)] == &tab;
}

int TabArea::BarIndexOf(const CCategoryTab& tab) const {
  const auto it = std::find(bar_.begin(), bar_.end(), &tab);
  return it == bar_.end() ? -1 : static_cast<int>(it - bar_.begin());
}

// ---- Pages asked for by searches and commands ----

bool TabArea::MayReplaceCurrentPage(int category) const {
  if (category < 0 || category >= category_count()) return true;
  const CCategoryTab& tab = this->category(category);
  if (!IsUserClip(category, tab.current_page())) return true;
  return Read(services_.settings, settings::kPageClipLink) != 0;
}

int TabArea::OpenPage(const OpenPageRequest& request) {
  search_host_.RunWaitingSearch();
  if (request.category < 0 || request.category >= category_count()) return -1;
  CCategoryTab& tab = *bar_[static_cast<std::size_t>(request.category)];
  const int current = tab.current_page();
  const bool new_page = request.opens_new_page() || current < 0 ||
                        Read(services_.settings, settings::kFindTreeNewPage) == 1 ||
                        request.keys.any() || !MayReplaceCurrentPage(request.category);
  if (new_page) {
    return AddPageTo(tab, {.url = request.url,
                           .caption = request.caption,
                           .post_body = request.post_body,
                           .headers = request.headers,
                           .search = request.search,
                           .origin_kind = request.origin_kind,
                           .origin_index = request.origin_index,
                           .insert_at = request.insert_at >= 0 ? request.insert_at
                                        : current >= 0         ? current + 1
                                                               : -1,
                           .activate = !request.background,
                           .keys = request.keys});
  }
  NavigationRequest navigation;
  navigation.url = request.url;
  navigation.post_body = request.post_body;
  navigation.headers = request.headers;
  navigation.title = request.caption.empty() ? request.url : request.caption;
  navigation.origin_kind = request.origin_kind;
  navigation.origin_index = request.origin_index;
  navigation.extra = request.frame;
  navigation.search = request.search;
  PageHost& host = tab.page(current).host();
  host.QueueNavigation(navigation);
  // The page in view starts now rather than at the queue's next pass: its
  // request leaves before the window redraws.
  if (host.active_view() && queue_ != nullptr) queue_->Shown(&host);
  return current;
}

void TabArea::CloseAllPages(int category) {
  search_host_.RunWaitingSearch();
  if (category < 0 || category >= category_count()) return;
  CCategoryTab& tab = *bar_[static_cast<std::size_t>(category)];
  for (int i = tab.page_count() - 1; i >= 0; --i) {
    clip_sync_.Closed(tab.page(i));
    tab.TakePage(i).reset();
    Tell([&](auto& o) { o.PageRemoved(tab, i); });
  }
  PostNeighbourSelection(tab);
}

// ---- PagePlacement ----

PagePlacement::Place TabArea::PlaceOf(const PageHost& host) const {
  const ConstPlace place = Find(host);
  if (place.tab == nullptr || BarIndexOf(*place.tab) < 0) return Place::kHiddenGroup;
  if (!IsCurrent(*place.tab)) return Place::kOtherCategory;
  return place.tab->current_page() == place.page ? Place::kShownPage : Place::kSelectedCategory;
}

// ---- Resource guard ----

// The guard may unload the group of the page whose load just ended, so it
// never runs inside that page's report.
void TabArea::PostResourceGuard() {
  if (guard_timer_ == nullptr) return;
  if (!guard_timer_->active()) guard_timer_->Start(0, false, [this] { RunResourceGuard(); });
}

void TabArea::RunResourceGuard() {
  int pages = 0;
  std::vector<int> loaded;
  for (const auto& tab : pool_) {
    pages += tab->page_count();
    loaded.push_back(tab->record());
  }
  const ResourceGuard::Decision decision = guard_.Check(pages, loaded, RecordAt(current_));
  if (decision.action == ResourceGuard::Decision::Action::kUnload) {
    UnloadGroup(decision.group);
  } else if (decision.action == ResourceGuard::Decision::Action::kWarn) {
    services_.prompter.ShowWarning(LoadString(string_id::kTooManyTabs));
  }
}

void TabArea::UnloadGroup(int group) {
  std::vector<int> records;
  for (const auto& tab : pool_) {
    if (guard_.GroupOf(tab->record()) == group) records.push_back(tab->record());
  }
  // The pages come back from their saved pages when the group is opened
  // again: they are not closed pages, and must not push the user's own out
  // of the closed-page list. Pages opened or loaded since the group was
  // hidden are saved too.
  reports_.set_closes_are_unloads(true);
  for (const int record : records) {
    if (CCategoryTab* tab = PoolObject(record)) SaveClips(*tab, false);
    DestroyPoolObject(record);
  }
  reports_.set_closes_are_unloads(false);
  services_.groups.ClearTimeStamp(static_cast<std::size_t>(group));
}

// ---- Tests ----

std::string TabArea::Describe() const {
  auto describe = [this](const CCategoryTab& tab, bool selected) {
    std::string out = "[" + tab.caption() + (selected ? "*" : "") + ":";
    for (int i = 0; i < tab.page_count(); ++i) {
      const CPageTab& page = tab.page(i);
      out += " " + page.host().title();
      if (i == tab.current_page()) out += "*";
      if (clip_sync_.IsUserClip(page)) out += "+";
      if (clip_sync_.IsSavedPage(page)) out += "~";
    }
    return out + "]";
  };
  std::string out;
  for (std::size_t i = 0; i < bar_.size(); ++i) {
    out += describe(*bar_[i], static_cast<int>(i) == current_);
  }
  bool first_hidden = true;
  for (const auto& tab : pool_) {
    if (BarIndexOf(*tab) >= 0) continue;
    if (first_hidden) out += "|";
    first_hidden = false;
    out += describe(*tab, false);
  }
  return out;
}

}  // namespace tolvane
