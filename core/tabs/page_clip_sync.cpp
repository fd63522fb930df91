#include "core/tabs/page_clip_sync.h"

#include <string>

#include "core/browser/page_host.h"
#include "core/files/setting_keys.h"
#include "core/stores/engine_list.h"
#include "core/tabs/category_tab.h"

namespace tolvane {
namespace {

constexpr const char* kBlankUrl = "about:blank";

// What a clip of the page is called. A page still loading has only the
// loading text as its title; the caption it was queued with serves better
// when the clip comes back.
std::string TitleForClip(const PageHost& host) {
  return host.load_state() == LoadState::kLoading && !host.request().title.empty()
             ? host.request().title
             : host.title();
}

std::string UrlForClip(const PageHost& host) {
  return !host.url().empty() ? host.url() : host.request().url;
}

// The posted search whose page the page still shows: it was made by that
// search and has not gone to another address since (a link followed from
// the results comes back by its own address).
PostedSearch SearchForClip(const PageHost& host) {
  const NavigationRequest& request = host.request();
  if (request.search.empty() || request.post_body.empty()) return {};
  return UrlForClip(host) == request.url ? request.search : PostedSearch{};
}

}  // namespace

PageClipSync::PageClipSync(ClipList& clips, const EngineList& tabs, const SettingsStore& settings,
                           Prompter& prompter)
    : clips_(clips), tabs_(tabs), settings_(settings), prompter_(prompter) {}

int PageClipSync::TabIdOf(const CCategoryTab& tab) const {
  const int record = tab.record();
  return record >= 0 && static_cast<std::size_t>(record) < tabs_.size()
             ? tabs_.id(static_cast<std::size_t>(record))
             : 0;
}

TabClips PageClipSync::ClipsOf(const CCategoryTab& tab) const {
  return clips_.RecordsForTab(TabIdOf(tab));
}

bool PageClipSync::IsUserClip(const CPageTab& page) const {
  const int clip = page.clip_index();
  return clips_.IsLive(clip) && clips_.clipped(static_cast<std::size_t>(clip));
}

bool PageClipSync::IsSavedPage(const CPageTab& page) const {
  return clips_.IsLive(page.clip_index()) && !IsUserClip(page);
}

void PageClipSync::Save(CCategoryTab& tab, bool save_all) {
  std::vector<PageTabSnapshot> pages;
  pages.reserve(static_cast<std::size_t>(tab.page_count()));
  for (int i = 0; i < tab.page_count(); ++i) {
    const PageHost& host = tab.page(i).host();
    PageTabSnapshot page;
    page.clip_index = tab.page(i).clip_index();
    page.title = TitleForClip(host);
    page.url = UrlForClip(host);
    page.search = SearchForClip(host);
    // A page a new window never filled still has a place to come back to.
    if (page.url.empty()) page.url = kBlankUrl;
    page.selected = i == tab.current_page();
    pages.push_back(std::move(page));
  }
  clips_.SavePageTabs(TabIdOf(tab), pages, save_all);
  for (int i = 0; i < tab.page_count(); ++i) {
    tab.page(i).set_clip_index(pages[static_cast<std::size_t>(i)].clip_index);
  }
}

bool PageClipSync::ClipInPlace(CPageTab& page, const CCategoryTab& tab) {
  const PageHost& host = page.host();
  const int clip = clips_.ClipPageTab(page.clip_index(), TabIdOf(tab), TitleForClip(host),
                                      UrlForClip(host), prompter_);
  if (clip < 0) return false;
  clips_.set_search(static_cast<std::size_t>(clip), SearchForClip(host));
  page.set_clip_index(clip);
  return true;
}

int PageClipSync::NewClipOf(const CPageTab& page, const CCategoryTab& tab) {
  const PageHost& host = page.host();
  const int clip = clips_.AddClip(TabIdOf(tab), TitleForClip(host), UrlForClip(host), prompter_);
  if (clip >= 0) clips_.set_search(static_cast<std::size_t>(clip), SearchForClip(host));
  return clip;
}

int PageClipSync::ClippedCopyOf(const CPageTab& page, const CCategoryTab& tab) const {
  const std::string url = UrlForClip(page.host());
  for (int i = 0; i < tab.page_count(); ++i) {
    const CPageTab& other = tab.page(i);
    if (&other != &page && IsUserClip(other) &&
        clips_.url(static_cast<std::size_t>(other.clip_index())) == url) {
      return i;
    }
  }
  return -1;
}

void PageClipSync::Release(const CPageTab& page) {
  if (IsUserClip(page)) clips_.Release(static_cast<std::size_t>(page.clip_index()));
}

void PageClipSync::Closed(const CPageTab& page) { clips_.OnPageTabClosed(page.clip_index()); }

void PageClipSync::Follow(const CPageTab& page) {
  // Never to the loading text in between.
  const PageHost& host = page.host();
  if (host.load_state() != LoadState::kLoaded) return;
  if (clips_.FollowPage(page.clip_index(), host.title(), host.url(),
                        Read(settings_, settings::kPageClipUrl) == 1)) {
    clips_.set_search(static_cast<std::size_t>(page.clip_index()), SearchForClip(host));
  }
}

void PageClipSync::Detach(CCategoryTab& tab) {
  for (auto& page : tab.pages()) page->set_clip_index(-1);
}

}  // namespace tolvane
