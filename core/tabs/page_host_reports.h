#pragma once

#include <memory>
#include <string>
#include <vector>

#include "core/browser/page_host_owner.h"
#include "core/files/timer.h"

namespace tolvane {

class TabArea;
class TabAreaView;

// What the page hosts of the tab area report, routed to the tab model (its
// observers hear of page changes and load ends), the window (frame text,
// status bar) and the resource guard. One serves every host of the area;
// once Close() is called (the area goes) reports are dropped.
class PageHostReports : public PageHostOwner {
 public:
  PageHostReports(TabArea& area, TabAreaView& view);

  // The area is being destroyed: its pages' last reports go nowhere.
  void Close() { closed_ = true; }
  // While set, closed pages are a group being unloaded, not pages the user
  // closed: they stay out of the closed-page list.
  void set_closes_are_unloads(bool on) { closes_are_unloads_ = on; }

  std::unique_ptr<BrowserControl> CreateBrowserControl(PageHost& host) override;
  PageHost* OpenPageTabAfter(PageHost& opener, const NavigationRequest& request) override;
  void ClosePageTab(PageHost& host) override;
  bool IsClippedTab(const PageHost& host) const override;
  bool OriginInArchive(int origin_kind, int origin_index) const override;
  void PageChanged(PageHost& host) override;
  void LoadEnded(PageHost& host, bool new_page) override;
  void ShowPageInFrame(PageHost& host, const std::string& caption, const std::string& url) override;
  void ClearFrame(PageHost& host) override;
  void UpdateStatusBar(PageHost& host, const StatusBarValues& values) override;
  void AddClosedPage(const std::string& url, const std::string& title) override;

 private:
  void RunPendingCloses();

  TabArea& area_;
  TabAreaView& view_;
  std::unique_ptr<Timer> close_timer_;
  std::vector<int> pending_closes_;  // serials of pages a script closed
  bool closed_ = false;
  bool closes_are_unloads_ = false;
};

}  // namespace tolvane
