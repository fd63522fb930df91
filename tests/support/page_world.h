#pragma once

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "core/browser/browser_control.h"
#include "core/browser/loading_queue.h"
#include "core/browser/page_host.h"
#include "core/browser/page_host_owner.h"
#include "core/browser/page_placement.h"
#include "core/browser/popup_catcher.h"
#include "core/files/setting_keys.h"
#include "core/files/settings_store.h"
#include "core/stores/item_store.h"
#include "core/text/charset_converter.h"
#include "platform/posix_env.h"
#include "support/fake_clock.h"
#include "support/fake_prompter.h"
#include "support/fake_timer.h"
#include "support/temp_dir.h"

namespace tolvane::testing {

// A browser engine that does what the test tells it. Every operation the
// host asks for is written to the shared log as "<name>.<Operation> ...".
class FakeBrowserControl : public BrowserControl {
 public:
  FakeBrowserControl(std::string name, BrowserEvents& events, std::vector<std::string>& log)
      : name_(std::move(name)), events_(events), log_(log) {}

  bool Navigate(const NavigateParams& p) override {
    Log("Navigate " + SjisToUtf8(p.url) + (p.post_body.empty() ? "" : " post=" + p.post_body) +
        (p.target_frame.empty() ? "" : " frame=" + p.target_frame));
    if (refuse_navigate) return false;
    busy = true;
    return true;
  }
  void Reload() override { Act("Reload", true); }
  void Stop() override { Act("Stop", false); }
  void GoBack() override { Act("GoBack", true); }
  void GoForward() override { Act("GoForward", true); }
  bool CanGoBack() const override { return can_go_back; }
  bool CanGoForward() const override { return can_go_forward; }
  PageHistory History() const override { return history; }
  void GoToHistoryOffset(int offset) override {
    Act("GoToHistoryOffset " + std::to_string(offset), true);
  }
  bool Busy() const override { return busy; }
  std::string LocationUrl() const override { return location_url; }
  std::string LocationName() const override { return location_name; }
  std::string SelectedText() const override { return selected_text; }
  bool FocusIsTextField() const override { return false; }
  bool PutTextInFocusedField(const std::string&) override { return false; }
  int Zoom() const override { return zoom; }
  void SetZoom(int percent) override { zoom = percent; }
  int TextSize() const override { return text_size; }
  void SetTextSize(int size) override { text_size = size; }
  void Edit(EditCommand command) override {
    static constexpr const char* kNames[] = {"Cut", "Copy", "Paste", "Delete", "SelectAll", "Undo"};
    Log(std::string("Edit ") + kNames[static_cast<int>(command)]);
  }
  void Scroll(ScrollCommand command) override {
    static constexpr const char* kNames[] = {"LineUp",   "LineDown", "PageUp",
                                             "PageDown", "Top",      "Bottom"};
    Log(std::string("Scroll ") + kNames[static_cast<int>(command)]);
  }
  std::string Charset() const override { return charset; }
  std::string ChosenCharset() const override { return chosen_charset; }
  void ReloadWithCharset(const std::string& label) override {
    chosen_charset = label;
    Act("Reload charset=" + label, true);
  }
  void Show(bool take_focus) override { Log(take_focus ? "Show focus" : "Show"); }
  void Hide() override { Log("Hide"); }

  // The engine finished loading `url`.
  void Finish(std::string url, std::string title) {
    location_url = std::move(url);
    location_name = std::move(title);
    busy = false;
  }
  BrowserEvents& events() { return events_; }
  const std::string& name() const { return name_; }

  bool busy = false;
  bool refuse_navigate = false;
  PageHistory history;
  bool can_go_back = false;
  bool can_go_forward = false;
  std::string location_url;
  std::string location_name;
  std::string selected_text;
  int zoom = 100;
  int text_size = 2;
  std::string charset = "UTF-8";
  std::string chosen_charset;

 private:
  void Log(const std::string& what) { log_.push_back(name_ + "." + what); }
  void Act(const std::string& what, bool now_busy) {
    Log(what);
    busy = now_busy;
  }

  std::string name_;
  BrowserEvents& events_;
  std::vector<std::string>& log_;
};

// The tab model, main frame and program services around page hosts, with
// every report written to one log ("<page>: <report>") next to the
// controls' operations, so tests compare whole sequences. Pages are named;
// texts in the log are UTF-8.
class PageWorld : public PageHostOwner, public PagePlacement, public BrowserControlFactory {
 public:
  PageWorld()
      : settings(dir.path() / "vq_system.ini", env),
        history(StoreType::kHistory, settings, clock),
        favorites(StoreType::kFavorites, settings, clock) {
    history.ResetToDefaults();
    favorites.ResetToDefaults();
  }
  ~PageWorld() override {
    // Pages report to the world while they close.
    while (!pages_.empty()) pages_.pop_back();
  }

  void Set(const IntSetting& setting, int value) { Write(settings, setting, value); }

  // The queue reads its options now, as at start-up.
  CLoadingQueue& MakeQueue() {
    queue = std::make_unique<CLoadingQueue>(CLoadingQueue::Options::Read(settings), timers, *this);
    return *queue;
  }

  PageHost& NewPage(const std::string& name) {
    PageHost::Services services{settings,           timers,      prompter, &history,
                                &favorites.items(), queue.get(), &catcher};
    pages_.push_back(std::make_unique<PageHost>(*this, services));
    PageHost& page = *pages_.back();
    names_[&page] = name;
    page.Create();
    return page;
  }
  // A page queued with `url` (origin none unless given).
  PageHost& QueuedPage(const std::string& name, const std::string& url, int origin_kind = -1,
                       int origin_index = -1) {
    PageHost& page = NewPage(name);
    NavigationRequest request;
    request.url = url;
    request.title = name;
    request.origin_kind = origin_kind;
    request.origin_index = origin_index;
    page.QueueNavigation(request);
    return page;
  }
  PageHost* Find(const std::string& name) const {
    for (const auto& page : pages_) {
      if (Name(*page) == name) return page.get();
    }
    return nullptr;
  }
  // The user selects `page`: the shown page is hidden and `page` shown.
  void Select(PageHost& page) {
    if (shown != nullptr && shown != &page) shown->Hide();
    shown = &page;
    page.Show(false);
  }
  void Destroy(PageHost& page) {
    for (auto it = pages_.begin(); it != pages_.end(); ++it) {
      if (it->get() == &page) {
        pages_.erase(it);
        return;
      }
    }
  }

  FakeBrowserControl* control(const PageHost& page) const {
    auto it = controls_.find(&page);
    return it == controls_.end() ? nullptr : it->second;
  }
  FakeBrowserControl* catcher_control() const { return catcher_control_; }

  // The engine finishes the page's load; the next poll sees it.
  void Finish(PageHost& page, const std::string& url, const std::string& title) {
    FakeBrowserControl* engine = control(page);
    if (engine == nullptr) {
      ADD_FAILURE() << Name(page) << " never loaded";
      return;
    }
    engine->Finish(url, title);
    timers.Advance(PageHost::kPollMs);
  }

  // The engine finishes the page's load and says so at once, no poll tick.
  void Report(PageHost& page, const std::string& url, const std::string& title,
              const LoadOutcome& outcome = {}) {
    FakeBrowserControl* engine = control(page);
    if (engine == nullptr) {
      ADD_FAILURE() << Name(page) << " never loaded";
      return;
    }
    engine->Finish(url, title);
    engine->events().OnLoadFinished(outcome);
  }

  std::vector<std::string> TakeLog() {
    std::vector<std::string> out;
    out.swap(log);
    return out;
  }

  // PagePlacement: the shown page is 4, every other page 3 unless placed.
  Place PlaceOf(const PageHost& host) const override {
    if (&host == shown) return Place::kShownPage;
    auto it = places.find(&host);
    return it == places.end() ? Place::kSelectedCategory : it->second;
  }

  // PageHostOwner
  std::unique_ptr<BrowserControl> CreateBrowserControl(PageHost& host) override {
    Log(host, "control made");
    auto control = std::make_unique<FakeBrowserControl>(Name(host), host, log);
    control->refuse_navigate = refuse_navigate;
    controls_[&host] = control.get();
    return control;
  }
  PageHost* OpenPageTabAfter(PageHost& opener, const NavigationRequest& request) override {
    const std::string name = "tab" + std::to_string(++opened_);
    Log(opener, "open " + name + (request.url.empty() ? " blank" : " " + SjisToUtf8(request.url)));
    if (refuse_tabs) return nullptr;
    PageHost& page = NewPage(name);
    if (!request.url.empty()) page.QueueNavigation(request);
    return &page;
  }
  void ClosePageTab(PageHost& host) override { Log(host, "close tab"); }
  bool IsClippedTab(const PageHost& host) const override { return clipped.count(&host) != 0; }
  bool OriginInArchive(int origin_kind, int origin_index) const override {
    return archived.count({origin_kind, origin_index}) != 0;
  }
  void PageChanged(PageHost&) override {}
  void LoadEnded(PageHost& host, bool new_page) override {
    Log(host, std::string("load ended") + (new_page ? " new " : " ") + U(host.title()));
  }
  void ShowPageInFrame(PageHost& host, const std::string& caption,
                       const std::string& url) override {
    Log(host, "frame " + U(caption) + " " + U(url));
  }
  void ClearFrame(PageHost& host) override { Log(host, "frame cleared"); }
  void UpdateStatusBar(PageHost& host, const StatusBarValues& values) override {
    // Only changes are logged; the host repeats itself often.
    StatusBarValues& last = status_[&host];
    if (last == values) return;
    last = values;
    std::string line = "status \"" + U(values.text) + "\"";
    if (values.status_icon != 0) line += " icon=" + std::to_string(values.status_icon);
    if (values.blocked_count != 0) line += " blocked=" + std::to_string(values.blocked_count);
    if (values.loading) line += " loading " + std::to_string(values.progress) + "%";
    Log(host, line);
  }
  void AddClosedPage(const std::string& url, const std::string& title) override {
    log.push_back("closed page " + U(url) + " " + U(title));
  }

  // BrowserControlFactory, for the pop-up catcher.
  std::unique_ptr<BrowserControl> CreateBrowserControl(BrowserEvents& events) override {
    log.push_back("catcher control made");
    auto control = std::make_unique<FakeBrowserControl>("catcher", events, log);
    catcher_control_ = control.get();
    return control;
  }

  std::string Name(const PageHost& host) const {
    auto it = names_.find(&host);
    return it == names_.end() ? "?" : it->second;
  }
  static std::string U(const std::string& sjis) { return SjisToUtf8(sjis); }

  TempDir dir;
  PosixEnv env{dir.path()};
  SettingsStore settings;
  FakeTimerFactory timers;
  FakePrompter prompter;
  FakeClock clock;
  ItemStore history;
  ItemStore favorites;
  PopupCatcher catcher{*this};
  std::unique_ptr<CLoadingQueue> queue;
  std::vector<std::string> log;

  PageHost* shown = nullptr;
  std::map<const PageHost*, Place> places;
  std::set<const PageHost*> clipped;
  std::set<std::pair<int, int>> archived;
  bool refuse_tabs = false;
  bool refuse_navigate = false;  // for controls made from now on

 private:
  void Log(const PageHost& host, const std::string& what) {
    log.push_back(Name(host) + ": " + what);
  }

  std::map<const PageHost*, std::string> names_;
  std::map<const PageHost*, FakeBrowserControl*> controls_;
  std::map<const PageHost*, StatusBarValues> status_;
  FakeBrowserControl* catcher_control_ = nullptr;
  int opened_ = 0;
  std::vector<std::unique_ptr<PageHost>> pages_;
};

}  // namespace tolvane::testing
