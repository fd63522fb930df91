#include "core/tabs/tab_search_host.h"

#include "core/tabs/tab_area.h"
#include "core/tabs/tab_area_view.h"

namespace tolvane {

int TabSearchHost::CategoryCount() const { return area_.category_count(); }
int TabSearchHost::CurrentCategory() const { return area_.current_category(); }
int TabSearchHost::CategoryTabRow(int category) const { return area_.RecordAt(category); }

int TabSearchHost::PageCount(int category) const {
  return category >= 0 && category < area_.category_count() ? area_.category(category).page_count()
                                                            : 0;
}

bool TabSearchHost::MayReplaceCurrentPage(int category) const {
  return area_.MayReplaceCurrentPage(category);
}

int TabSearchHost::OpenPage(const OpenPageRequest& request) { return area_.OpenPage(request); }
void TabSearchHost::CloseAllPages(int category) { area_.CloseAllPages(category); }

void TabSearchHost::PagesRebuilt(int category) {
  if (category >= 0 && category < area_.category_count()) {
    area_.OpenClipsOf(area_.category(category));
  }
}

void TabSearchHost::SelectPage(int category, int page) {
  area_.SelectPage(category, page, true, true);
}

// The rest of a search into the category in view waits for the shown
// page's request: adding the other pages and redrawing the rows would
// otherwise run before the engine's work that sends it.
void TabSearchHost::AfterShownRequest(int category, std::function<void()> rest) {
  RunWaitingSearch();
  if (area_.opening_ || category != area_.current_category()) {
    rest();
    return;
  }
  waiting_search_ = std::move(rest);
  const int ticket = ++waiting_ticket_;
  view_.AfterShownRequest([this, ticket] {
    if (ticket == waiting_ticket_) RunWaitingSearch();
  });
}

void TabSearchHost::RunWaitingSearch() {
  if (!waiting_search_) return;
  std::function<void()> rest = std::move(waiting_search_);
  waiting_search_ = nullptr;
  rest();
}

void TabSearchHost::FreezeDrawing() { view_.FreezeDrawing(); }
void TabSearchHost::UnfreezeDrawing() { view_.UnfreezeDrawing(); }

// A tab opening its first pages moves no keyboard focus.
void TabSearchHost::FocusCategoryTabs() {
  if (!area_.opening_) view_.FocusCategoryTabs();
}

std::optional<PageContext> TabSearchHost::PageContextNow() const {
  PageContext context;
  if (const PageHost* host = area_.ActiveHost()) context.active_url = host->url();
  return context;
}

}  // namespace tolvane
