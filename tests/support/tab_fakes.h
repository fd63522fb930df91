#pragma once

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/browser/page_host.h"
#include "core/files/clipboard.h"
#include "core/search/keyword_boxes.h"
#include "core/stores/item_store.h"
#include "core/tabs/category_tab.h"
#include "core/tabs/resource_probe.h"
#include "core/tabs/tab_area_observer.h"
#include "core/tabs/workspace_view.h"
#include "core/text/charset_converter.h"
#include "support/fake_timer.h"
#include "support/page_world.h"

namespace tolvane::testing {

// The windows around the tab area and the tab workspace: remembers what the
// frame shows and logs the reports tests look at (texts in UTF-8). As an
// observer of a tab area it logs the selections the tree would follow
// ("tree <record>"), the pages left and the pages closed.
class RecordingView : public WorkspaceView, public TabAreaObserver {
 public:
  void ShowPageInFrame(const std::string& caption, const std::string& url) override {
    frame = SjisToUtf8(caption) + " " + SjisToUtf8(url);
  }
  void ClearFrame() override { frame.clear(); }
  void UpdateStatusBar(const StatusBarValues& values) override { status_icon = values.status_icon; }
  void TabSelected(const CCategoryTab& tab, int, bool follow) override {
    if (follow) log.push_back("tree " + std::to_string(tab.record()));
  }
  void PageSelected(const CCategoryTab& tab, int, bool follow) override {
    if (follow) log.push_back("tree " + std::to_string(tab.record()));
  }
  void FocusCategoryTabs() override { log.push_back("focus"); }
  void FreezeDrawing() override { ++frozen; }
  void UnfreezeDrawing() override { --frozen; }
  // The shown page's request leaves at once, unless a test holds it.
  void AfterShownRequest(std::function<void()> then) override {
    if (hold_requests) {
      held.push_back(std::move(then));
    } else {
      then();
    }
  }
  void PageLeft(int record, int serial, const std::string&, const std::string& title) override {
    log.push_back("left " + std::to_string(record) + "/" + std::to_string(serial) + " " +
                  SjisToUtf8(title));
  }
  void PageClosed(const std::string& url, const std::string&) override {
    log.push_back("closed " + SjisToUtf8(url));
  }

  // WorkspaceView
  void TreeRebuilt() override {}
  void TreeChanged() override {}
  bool EditTab(const std::string& title, int /*record*/, EngineDialogValues& values) override {
    log.push_back("edit " + SjisToUtf8(title));
    if (edit_answer) values = edited;
    return edit_answer;
  }
  // Logs "edit item <title>" and answers `item_answer`, after `item_edit`
  // (when set) played the user's part.
  bool EditItem(ItemStore& store, std::size_t index) override {
    log.push_back("edit item " + SjisToUtf8(store.items().title(index)));
    if (item_edit) item_edit(store, index);
    return item_answer;
  }
  // Logs "confirm <store type> <mode> <max>" and answers with `multi_open`
  // when set, else Cancel.
  bool ConfirmMultiOpen(StoreType store, MultiOpenChoice& choice) override {
    log.push_back("confirm " + std::to_string(static_cast<int>(store)) + " " +
                  std::to_string(choice.open_mode) + " " + std::to_string(choice.max_open));
    if (!multi_open) return false;
    choice = *multi_open;
    return true;
  }
  void ShowTabTreePage() override { log.push_back("tab tree page"); }
  void FocusPageTabs() override { log.push_back("focus pages"); }
  void FocusAddressBar() override { log.push_back("focus address"); }

  std::vector<std::string> TakeLog() {
    std::vector<std::string> out;
    out.swap(log);
    return out;
  }

  std::string frame;
  std::vector<std::string> log;
  int frozen = 0;           // FreezeDrawing calls not yet undone
  bool edit_answer = true;  // EditTab: OK with `edited`, or Cancel
  // While set, AfterShownRequest keeps its calls in `held`.
  bool hold_requests = false;
  std::vector<std::function<void()>> held;
  EngineDialogValues edited;
  std::function<void(ItemStore&, std::size_t)> item_edit;
  bool item_answer = true;
  std::optional<MultiOpenChoice> multi_open;
  int status_icon = -1;  // of the last status values sent
};

class FakeProbe : public ResourceProbe {
 public:
  bool Ample() override { return ample; }
  bool ample = true;
};

class NullBoxes : public KeywordBoxes, public Clipboard {
 public:
  void SetSearchBarText(const Keyword&) override {}
  void SetSideBarText(const Keyword&) override {}
  void SetText(const std::string&) override {}
};

// Makes fake engines and finds them again by their page while they live.
class Controls : public BrowserControlFactory {
 public:
  class Tracked : public FakeBrowserControl {
   public:
    Tracked(Controls& owner, BrowserEvents& events)
        : FakeBrowserControl("page", events, owner.log), owner_(owner) {}
    ~Tracked() override { owner_.made.erase(&events()); }

   private:
    Controls& owner_;
  };

  std::unique_ptr<BrowserControl> CreateBrowserControl(BrowserEvents& events) override {
    auto control = std::make_unique<Tracked>(*this, events);
    made[&events] = control.get();
    return control;
  }
  std::map<const BrowserEvents*, FakeBrowserControl*> made;
  std::vector<std::string> log;
};

// Runs posted work and lets every started load end, its title being the
// caption it was queued with.
inline void Settle(FakeTimerFactory& timers, Controls& controls) {
  for (int round = 0; round < 50; ++round) {
    timers.RunPending();
    bool busy = false;
    for (auto& [events, control] : controls.made) {
      if (!control->busy) continue;
      const auto& host = static_cast<const PageHost&>(*events);
      control->Finish(host.request().url, host.request().title);
      busy = true;
    }
    if (!busy) return;
    timers.Advance(PageHost::kPollMs);
  }
}

}  // namespace tolvane::testing
