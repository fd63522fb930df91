#include "core/tabs/page_host_reports.h"

#include "core/stores/engine_list.h"
#include "core/tabs/tab_area.h"
#include "core/tabs/tab_area_view.h"

namespace tolvane {

PageHostReports::PageHostReports(TabArea& area, TabAreaView& view)
    : area_(area), view_(view), close_timer_(area.services_.timers.CreateTimer()) {}

std::unique_ptr<BrowserControl> PageHostReports::CreateBrowserControl(PageHost& host) {
  return area_.services_.controls.CreateBrowserControl(host);
}

PageHost* PageHostReports::OpenPageTabAfter(PageHost& opener, const NavigationRequest& request) {
  const TabArea::HostPlace place = area_.Locate(opener);
  if (place.tab == nullptr) return nullptr;
  const int page = area_.AddPageTo(*place.tab, {.url = request.url,
                                                .caption = request.title,
                                                .post_body = request.post_body,
                                                .headers = request.headers,
                                                .origin_kind = request.origin_kind,
                                                .origin_index = request.origin_index,
                                                .insert_at = place.page + 1,
                                                .activate = false});
  if (page < 0) return nullptr;
  // The tree highlights the new page, as the row does.
  area_.SelectPageOf(*place.tab, page, true, true);
  return &place.tab->page(page).host();
}

void PageHostReports::ClosePageTab(PageHost& host) {
  const TabArea::HostPlace place = area_.Locate(host);
  if (place.tab == nullptr || close_timer_ == nullptr) return;
  // The host may be reporting from inside its own timer; it goes later.
  pending_closes_.push_back(place.tab->page(place.page).serial());
  if (!close_timer_->active()) close_timer_->Start(0, false, [this] { RunPendingCloses(); });
}

void PageHostReports::RunPendingCloses() {
  std::vector<int> serials;
  serials.swap(pending_closes_);
  for (const int serial : serials) {
    for (auto& tab : area_.pool_) {
      if (const int page = tab->FindBySerial(serial); page >= 0) {
        area_.ClosePageOf(*tab, page);
        break;
      }
    }
  }
  view_.FocusCategoryTabs();
}

bool PageHostReports::IsClippedTab(const PageHost& host) const {
  const TabArea::ConstPlace place = area_.Find(host);
  return place.tab != nullptr && area_.clip_sync_.IsUserClip(place.tab->page(place.page));
}

bool PageHostReports::OriginInArchive(int origin_kind, int origin_index) const {
  const TabArea::Services& services = area_.services_;
  const EngineList* list = origin_kind == OpenPageRequest::kOriginEngineList ? &services.engines
                           : origin_kind == OpenPageRequest::kOriginTabList  ? &services.tabs
                                                                             : nullptr;
  if (list == nullptr || origin_index < 0 ||
      static_cast<std::size_t>(origin_index) >= list->size()) {
    return false;
  }
  return list->EffectiveFolder(static_cast<std::size_t>(origin_index)) ==
         EngineList::kArchiveFolderId;
}

void PageHostReports::PageChanged(PageHost& host) {
  if (closed_) return;
  const TabArea::HostPlace place = area_.Locate(host);
  if (place.tab == nullptr) return;
  area_.clip_sync_.Follow(place.tab->page(place.page));
  if (host.active_view() && area_.IsCurrent(*place.tab) &&
      place.tab->current_page() == place.page) {
    view_.ShowPageInFrame(PageHost::CutText(host.title(), PageHost::kMaxCaptionBytes), host.url());
  }
  area_.Tell([&](auto& o) { o.PageUpdated(*place.tab, place.page); });
}

void PageHostReports::LoadEnded(PageHost& host, bool new_page) {
  if (closed_) return;
  area_.Tell([&](auto& o) { o.PageLoadEnded(host, new_page); });
  area_.PostResourceGuard();
}

void PageHostReports::ShowPageInFrame(PageHost&, const std::string& caption,
                                      const std::string& url) {
  if (!closed_) view_.ShowPageInFrame(caption, url);
}

void PageHostReports::ClearFrame(PageHost&) {
  if (!closed_) view_.ClearFrame();
}

void PageHostReports::UpdateStatusBar(PageHost&, const StatusBarValues& values) {
  if (!closed_) view_.UpdateStatusBar(values);
}

void PageHostReports::AddClosedPage(const std::string& url, const std::string& title) {
  if (!closed_ && !closes_are_unloads_) area_.Tell([&](auto& o) { o.PageClosed(url, title); });
}

}  // namespace tolvane
