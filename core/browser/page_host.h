#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "core/browser/browser_control.h"
#include "core/browser/navigation_request.h"
#include "core/browser/page_host_owner.h"
#include "core/browser/popup_gate.h"
#include "core/files/prompter.h"
#include "core/files/settings_store.h"
#include "core/files/timer.h"

namespace tolvane {

class CLoadingQueue;
class ItemList;
class ItemStore;
class PopupCatcher;

// The load state of a page.
enum class LoadState { kWaiting = 0, kLoading = 1, kLoaded = 2 };

// The icon a page tab shows.
enum class TabIcon {
  kWaiting,  // queued, not loading yet
  kPage,     // loading or loaded, no favicon
  kSecure,   // an https page
  kFavicon,  // faviconFile() holds the site's icon
  kFailed,   // the last load got no page, or an HTTP error page
};

// One page tab's page: keeps the page's own view of itself (address, title,
// status text, load state, progress, blocked pop-ups), starts and watches
// every load with its timers, decides where links and new windows open,
// blocks pop-ups no user action asked for, and records loaded pages in the
// history.
//
// Owned by its page tab; reports to a PageHostOwner (tab model and frame).
// The browser control is made only when the page first has to load, so a
// page waiting in the loading queue holds no engine at all.
//
// Life of a load:
//   QueueNavigation   -> Waiting  (in the loading queue, no control call)
//   StartNavigation   -> Loading  (the queue gives it a slot; poll + time-out)
//   engine: finished  -> Loaded   (title, history item, queue told)
//   poll: not busy    -> Loaded   (the same, when the engine's report is late)
//   time-out          -> Loaded   (stopped, no history, message 157)
// A load the engine reports as failed (no answer, an HTTP error status)
// ends Loaded and failed(): its own icon and status text, no history item.
// Navigations the user starts inside the page skip the queue and go straight
// to Loading.
class PageHost : public BrowserEvents {
 public:
  // Shared parts of the program a host uses; all outlive the host. The
  // history, favorites, queue and catcher may be absent (tests, start-up).
  struct Services {
    SettingsStore& settings;
    TimerFactory& timers;
    Prompter& prompter;
    ItemStore* history = nullptr;
    const ItemList* favorites = nullptr;
    CLoadingQueue* queue = nullptr;
    PopupCatcher* catcher = nullptr;
  };

  static constexpr int kPollMs = 100;
  static constexpr std::size_t kMaxTitleBytes = 1000;
  static constexpr std::size_t kMaxCaptionBytes = 256;

  PageHost(PageHostOwner& owner, const Services& services);
  ~PageHost() override;
  PageHost(const PageHost&) = delete;
  PageHost& operator=(const PageHost&) = delete;

  // Makes the timers and starts watching a first load (a page a new window
  // fills). False, after message 1001, when the system has no timer left;
  // the page tab is then not made.
  bool Create();

  // Queues a load: the page waits until the loading queue starts it, except
  // "about:blank", which starts at once.
  bool QueueNavigation(const NavigationRequest& request);
  // Shows `request` without loading it: its address and caption, the
  // status text "not loaded", Waiting but outside the loading queue (a
  // saved page whose address is not loaded at start). Refresh loads it.
  void HoldNavigation(const NavigationRequest& request);
  // Starts the queued load (only while Waiting). False when the engine
  // refused it; the page then ends Loaded and frees its slot.
  bool StartNavigation();
  // Loads at once, past the queue (the pop-up catcher, posted searches).
  bool Navigate(NavigateParams params);
  // Reloads the page (not while Waiting); a held page is queued.
  void Refresh();
  // Reads the page again in `charset` (empty: as the page declares itself).
  void RefreshWithCharset(const std::string& charset);
  // Stops the load; the page ends Loaded without a history item.
  void Stop();
  void GoBack();
  void GoForward();
  bool CanGoBack() const;
  bool CanGoForward() const;
  // The page's history (empty without a control) and a trip through it, as
  // back and forward make it.
  PageHistory History() const;
  void GoToHistoryOffset(int offset);

  // "Show blocked pop-ups": reloads with pop-ups allowed until the load ends.
  void ShowBlockedPopups();
  bool CanShowBlockedPopups() const { return blocked_count_ > 0; }
  // "Allow pop-ups on this page" toggle and its check mark.
  void TogglePopupsAllowed();
  bool PopupsAllowed() const { return gate_ != nullptr && !gate_->closed(); }
  // The commands that switch pop-up blocking itself, for every page.
  static void TogglePopupBlockSetting(SettingsStore& settings);
  static bool PopupBlockOn(const SettingsStore& settings);

  // The page becomes the shown page of the current category tab, or stops
  // being shown.
  void Show(bool take_focus);
  void Hide();
  // The page tab goes: the closed-page list learns a loaded page, the load
  // stops and the queue forgets the page. Also run by the destructor.
  void Close();

  bool IsSecure() const;
  bool IsReady() const;
  // UTF-8 (see BrowserControl::SelectedText).
  std::string SelectedText() const;
  bool FocusIsTextField() const;
  bool PutTextInFocusedField(const std::string& text);

  // The favicon fetch found the site's icon.
  void SetFavicon(std::string file, std::string url);

  const std::string& title() const { return title_; }
  const std::string& url() const { return url_; }
  const std::string& status_text() const { return status_text_; }
  TabIcon icon() const;
  const std::string& favicon_file() const { return favicon_file_; }
  const std::string& favicon_url() const { return favicon_url_; }
  LoadState load_state() const { return state_; }
  // The last load ended without the page it asked for.
  bool failed() const { return failed_; }
  int blocked_count() const { return blocked_count_; }
  int progress() const { return progress_; }
  int history_id() const { return history_id_; }
  const NavigationRequest& request() const { return request_; }
  bool active_view() const { return active_view_; }
  bool has_control() const { return control_ != nullptr; }
  // The engine of the page for the page's own commands; null until the page
  // first loads.
  BrowserControl* control() const { return control_.get(); }
  StatusBarValues StatusValues() const;

  // The control a new window of another page loads into; made now if the
  // page has none. The page watches that load like its own.
  BrowserControl* ControlForNewWindow();

  // BrowserEvents
  void OnStatusTextChange(const std::string& text) override;
  void OnProgressChange(int progress, int progress_max) override;
  void OnTitleChange(const std::string& title) override;
  bool OnBeforeNavigate(const NavigationInfo& info) override;
  NewWindowReply OnNewWindow(const NewWindowInfo& info) override;
  void OnDocumentComplete() override;
  void OnWindowCloseRequested() override;
  void OnScriptError() override;
  // Also "open link" from the context menu.
  void OnUserAction() override;
  void OnLoadFinished(const LoadOutcome& outcome) override;

  // Whether the URL filter lets the host act on `url`: web addresses and
  // anything without a scheme of two or more letters (so "c:\" is a path);
  // other schemes such as mailto: are left to the engine.
  static bool IsWebUrl(std::string_view url);
  // `text` cut to at most `max_bytes` without splitting a double-byte character.
  static std::string CutText(std::string_view text, std::size_t max_bytes);

 private:
  BrowserControl* EnsureControl();
  // The state both QueueNavigation and HoldNavigation leave.
  void Wait(const NavigationRequest& request, bool held);
  void Reread(const std::string* charset);
  int LinkMode() const;
  void BeginLoad();  // bookkeeping shared by every navigation start
  void ResetCounters();
  void StartPoll();
  void StartTimeout();
  void StopTimers();
  void OnPoll();
  void EndWatchedLoad();
  void OnTimeout();
  void LoadEnd(bool record_history);
  void UpdateStatusBar();
  void MarkLoading();  // state and the "loading" title
  void StartLoadOf(const std::string& url);

  PageHostOwner& owner_;
  Services services_;
  std::unique_ptr<BrowserControl> control_;
  std::unique_ptr<Timer> poll_timer_;
  std::unique_ptr<Timer> timeout_timer_;
  std::unique_ptr<Timer> close_timer_;
  std::unique_ptr<PopupGate> gate_;

  NavigationRequest request_;
  std::string url_;
  std::string title_;
  // The title is the loading text until the page gives its own; a load
  // that ends without one takes the control's name for the page.
  bool title_awaited_ = false;
  std::string status_text_;
  std::string favicon_file_;
  std::string favicon_url_;
  std::string last_ended_url_;  // the URL of the last load end
  LoadState state_ = LoadState::kWaiting;
  int history_id_ = -1;
  int progress_ = 0;
  int blocked_count_ = 0;
  bool load_pending_ = false;  // a navigation started since the last load end
  bool has_document_ = false;
  bool history_travel_ = false;
  bool script_error_ = false;
  bool active_view_ = false;
  bool closed_ = false;
  bool failed_ = false;  // the engine reported the current load as failed
  bool held_ = false;    // HoldNavigation: waits outside the queue
};

}  // namespace tolvane
