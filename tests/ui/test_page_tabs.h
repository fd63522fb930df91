#pragma once

#include <QTemporaryDir>
#include <QWidget>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/browser/loading_queue.h"
#include "core/browser/page_host.h"
#include "core/browser/page_host_owner.h"
#include "core/browser/page_placement.h"
#include "core/browser/popup_catcher.h"
#include "core/files/settings_store.h"
#include "core/stores/item_store.h"
#include "platform/posix_env.h"
#include "tests/support/fake_clock.h"
#include "tests/support/fake_prompter.h"
#include "ui/base/qt_timer_factory.h"
#include "ui/browser/web_engine_control_factory.h"
#include "ui/tabs/page_area.h"

class QWebEngineProfile;

namespace tolvane {

class WebEngineControl;

namespace test {

// One category's row of page tabs on real web engine controls, standing in
// for the tab model: page hosts with the loading queue, the pop-up catcher
// and a history store, all on Qt timers. The controls come from the
// program's own factory into the program's own page area, wired as the
// program wires them. Settings live in a temporary vq_system.ini; set them
// before Start().
class TestPageTabs : public PageHostOwner, public PagePlacement {
 public:
  explicit TestPageTabs(QWebEngineProfile* profile);
  ~TestPageTabs() override;

  SettingsStore& settings() { return settings_; }
  // Makes the queue with the current settings; call once, before Add().
  void Start();

  // A new page tab at the end; the first one is selected.
  PageHost* Add();
  // Queues `url` (Shift_JIS bytes) in a new page tab.
  PageHost* Open(const std::string& url, const std::string& post_body = {});
  void Select(std::size_t index);

  std::size_t size() const { return hosts_.size(); }
  PageHost& host(std::size_t i) const { return *hosts_[i]; }
  int IndexOf(const PageHost& host) const;
  // The control of a page, null while it has none.
  WebEngineControl* control(const PageHost& host) const;
  PageArea& area() { return area_; }

  // "[title* title ...]" with the load state as W/L/D before each title;
  // '*' marks the selected page.
  std::string Listing() const;
  bool AllLoaded() const;

  ItemStore& history() { return history_; }
  CLoadingQueue& queue() { return *queue_; }
  int load_ends() const { return load_ends_; }
  const StatusBarValues& status() const { return status_; }

  // PageHostOwner
  std::unique_ptr<BrowserControl> CreateBrowserControl(PageHost& host) override;
  PageHost* OpenPageTabAfter(PageHost& opener, const NavigationRequest& request) override;
  void ClosePageTab(PageHost& host) override;
  bool IsClippedTab(const PageHost&) const override { return false; }
  bool OriginInArchive(int, int) const override { return false; }
  void PageChanged(PageHost& host) override {
    if (on_page_changed) on_page_changed(host);
  }
  void LoadEnded(PageHost& host, bool new_page) override {
    ++load_ends_;
    if (on_load_ended) on_load_ended(host, new_page);
  }
  void ShowPageInFrame(PageHost&, const std::string&, const std::string&) override {}
  void ClearFrame(PageHost&) override {}
  void UpdateStatusBar(PageHost&, const StatusBarValues& values) override { status_ = values; }
  void AddClosedPage(const std::string&, const std::string&) override {}

  std::function<void(PageHost&)> on_page_changed;
  std::function<void(PageHost&, bool)> on_load_ended;

  // PagePlacement
  Place PlaceOf(const PageHost& host) const override;

 private:
  PageHost* Insert(std::size_t index);

  QTemporaryDir dir_;
  PosixEnv env_;
  SettingsStore settings_;
  testing::FakeClock clock_;
  testing::FakePrompter prompter_;
  ItemStore history_;
  QtTimerFactory timers_;
  PageArea area_;
  WebEngineControlFactory page_controls_;
  PopupCatcher catcher_;
  std::unique_ptr<CLoadingQueue> queue_;
  std::vector<std::unique_ptr<PageHost>> hosts_;
  std::vector<std::pair<const PageHost*, WebEngineControl*>> controls_;
  std::size_t selected_ = 0;
  int load_ends_ = 0;
  StatusBarValues status_;
};

}  // namespace test
}  // namespace tolvane
