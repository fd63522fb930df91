#pragma once

#include <functional>
#include <optional>

#include "core/search/search_host.h"

namespace tolvane {

class TabArea;
class TabAreaView;

// The tab area as searches see it: the pages they open and close go to the
// tab model; drawing, focus, keys and the address bar are asked of the
// window. It also holds the rest of a search into the category in view
// until the shown page's request has left (AfterShownRequest); the area
// runs a waiting rest before any change of its bar.
class TabSearchHost : public SearchHost {
 public:
  TabSearchHost(TabArea& area, TabAreaView& view) : area_(area), view_(view) {}

  // Runs a waiting rest of a search now; nothing when none waits.
  void RunWaitingSearch();
  // Forgets a waiting rest (the area goes).
  void DropWaitingSearch() { waiting_search_ = nullptr; }

  int CategoryCount() const override;
  int CurrentCategory() const override;
  int CategoryTabRow(int category) const override;
  int PageCount(int category) const override;
  bool MayReplaceCurrentPage(int category) const override;
  int OpenPage(const OpenPageRequest& request) override;
  void CloseAllPages(int category) override;
  void PagesRebuilt(int category) override;
  void SelectPage(int category, int page) override;
  void AfterShownRequest(int category, std::function<void()> rest) override;
  void FreezeDrawing() override;
  void UnfreezeDrawing() override;
  void FocusCategoryTabs() override;
  std::optional<PageContext> PageContextNow() const override;

 private:
  TabArea& area_;
  TabAreaView& view_;
  // The rest of a search whose shown page's request has not left yet, and
  // the number of the view's call that is to run it.
  std::function<void()> waiting_search_;
  int waiting_ticket_ = 0;
};

}  // namespace tolvane
