#include "core/browser/page_host.h"

#include <algorithm>
#include <cstdint>
#include <utility>

#include "core/browser/loading_queue.h"
#include "core/browser/popup_catcher.h"
#include "core/files/setting_keys.h"
#include "core/files/string_table.h"
#include "core/stores/item_list.h"
#include "core/stores/item_store.h"
#include "core/text/cp932_tables.h"

namespace tolvane {
namespace {

constexpr std::string_view kAboutBlank = "about:blank";
constexpr int kMaxTimeoutSeconds = 180;

// Every request with a body leaves with a content type: the form's, unless
// the request names its own.
void AddFormContentType(const std::string& body, std::string& headers) {
  if (!body.empty() && headers.find("Content-Type:") == std::string::npos) {
    headers += NavigationRequest::kFormContentType;
  }
}

std::string Lower(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return out;
}

}  // namespace

PageHost::PageHost(PageHostOwner& owner, const Services& services)
    : owner_(owner), services_(services) {}

PageHost::~PageHost() { Close(); }

bool PageHost::Create() {
  poll_timer_ = services_.timers.CreateTimer();
  timeout_timer_ = services_.timers.CreateTimer();
  close_timer_ = services_.timers.CreateTimer();
  std::unique_ptr<Timer> rearm = services_.timers.CreateTimer();
  if (!poll_timer_ || !timeout_timer_ || !close_timer_ || !rearm) {
    poll_timer_.reset();
    timeout_timer_.reset();
    close_timer_.reset();
    services_.prompter.ShowStop(LoadString(string_id::kOutOfResources));
    return false;
  }
  gate_ = std::make_unique<PopupGate>(std::move(rearm));
  // Watch a first load: a page that a new window fills ends through the poll.
  MarkLoading();
  load_pending_ = true;
  StartPoll();
  StartTimeout();
  return true;
}

bool PageHost::QueueNavigation(const NavigationRequest& request) {
  Wait(request, false);
  if (url_ == kAboutBlank) {
    owner_.PageChanged(*this);
    return StartNavigation();
  }
  if (services_.queue != nullptr) {
    const bool archived = (request.origin_kind == NavigationRequest::kOriginEngineList ||
                           request.origin_kind == NavigationRequest::kOriginTabList) &&
                          owner_.OriginInArchive(request.origin_kind, request.origin_index);
    services_.queue->Add(this, archived);
  }
  UpdateStatusBar();
  owner_.PageChanged(*this);
  return true;
}

void PageHost::HoldNavigation(const NavigationRequest& request) {
  Wait(request, true);
  UpdateStatusBar();
  owner_.PageChanged(*this);
}

void PageHost::Wait(const NavigationRequest& request, bool held) {
  StopTimers();
  // An earlier load still running must not end the new wait.
  if (control_ != nullptr && state_ == LoadState::kLoading) control_->Stop();
  request_ = request;
  AddFormContentType(request_.post_body, request_.headers);
  url_ = request.url;
  title_ = CutText(request.title, kMaxTitleBytes);
  title_awaited_ = false;
  state_ = LoadState::kWaiting;
  held_ = held;
  history_id_ = -1;
  favicon_file_.clear();
  favicon_url_.clear();
  ResetCounters();
  status_text_ = LoadString(held ? string_id::kPageNotLoaded : string_id::kWaiting);
}

bool PageHost::StartNavigation() {
  if (state_ != LoadState::kWaiting) return false;
  BrowserControl* control = EnsureControl();
  MarkLoading();
  if (control == nullptr ||
      !control->Navigate({request_.url, request_.post_body, request_.headers, ""})) {
    Stop();
    return false;
  }
  BeginLoad();
  return true;
}

bool PageHost::Navigate(NavigateParams params) {
  BrowserControl* control = EnsureControl();
  if (control == nullptr) return false;
  AddFormContentType(params.post_body, params.headers);
  // Other schemes (mailto:) go to the engine, which hands them to the system.
  if (!IsWebUrl(params.url)) return control->Navigate(params);
  StartLoadOf(params.url);
  if (!control->Navigate(params)) {
    Stop();
    return false;
  }
  return true;
}

void PageHost::Refresh() { Reread(nullptr); }

void PageHost::RefreshWithCharset(const std::string& charset) { Reread(&charset); }

void PageHost::Reread(const std::string* charset) {
  if (held_) {
    QueueNavigation(request_);
    return;
  }
  if (state_ == LoadState::kWaiting || control_ == nullptr) return;
  MarkLoading();
  if (charset != nullptr) {
    control_->ReloadWithCharset(*charset);
  } else {
    control_->Reload();
  }
  BeginLoad();
}

void PageHost::Stop() {
  if (control_ != nullptr) control_->Stop();
  StopTimers();
  LoadEnd(false);
}

void PageHost::GoBack() {
  if (control_ == nullptr || !control_->CanGoBack()) return;
  OnUserAction();
  history_travel_ = true;
  control_->GoBack();
}

void PageHost::GoForward() {
  if (control_ == nullptr || !control_->CanGoForward()) return;
  OnUserAction();
  history_travel_ = true;
  control_->GoForward();
}

bool PageHost::CanGoBack() const { return control_ != nullptr && control_->CanGoBack(); }
bool PageHost::CanGoForward() const { return control_ != nullptr && control_->CanGoForward(); }

PageHistory PageHost::History() const {
  return control_ != nullptr ? control_->History() : PageHistory{};
}

void PageHost::GoToHistoryOffset(int offset) {
  if (control_ == nullptr || offset == 0) return;
  const PageHistory history = control_->History();
  const std::size_t distance = static_cast<std::size_t>(offset < 0 ? -offset : offset);
  if (distance > (offset < 0 ? history.back : history.forward).size()) return;
  OnUserAction();
  history_travel_ = true;
  control_->GoToHistoryOffset(offset);
}

void PageHost::OnUserAction() {
  if (gate_ != nullptr) gate_->Open(PopupGate::Mode::kUserAction);
}

// The engine's report ends the load at once, so the loading queue starts
// the next page without waiting for a poll tick; the poll stays as the
// fallback for an engine that never reports. Only a load being watched
// ends: one that was stopped or replaced has ended already.
void PageHost::OnLoadFinished(const LoadOutcome& outcome) {
  if (state_ == LoadState::kWaiting || poll_timer_ == nullptr || !poll_timer_->active()) return;
  failed_ = outcome.kind == LoadOutcome::Kind::kFailed;
  if (failed_) {
    const std::string reason =
        outcome.http_status > 0 ? "HTTP " + std::to_string(outcome.http_status) : outcome.error;
    status_text_ = FormatString(string_id::kLoadFailed, {reason});
  }
  if (IsReady()) EndWatchedLoad();
}

void PageHost::ShowBlockedPopups() {
  if (gate_ == nullptr) return;
  gate_->Open(PopupGate::Mode::kUntilLoadEnd);
  Refresh();
}

void PageHost::TogglePopupsAllowed() {
  if (gate_ != nullptr) gate_->Toggle();
}

void PageHost::TogglePopupBlockSetting(SettingsStore& settings) {
  Write(settings, settings::kSecurityPopupBlock, PopupBlockOn(settings) ? 0 : 1);
}

bool PageHost::PopupBlockOn(const SettingsStore& settings) {
  return Read(settings, settings::kSecurityPopupBlock) != 0;
}

void PageHost::Show(bool take_focus) {
  active_view_ = true;
  owner_.ShowPageInFrame(*this, CutText(title_, kMaxCaptionBytes), url_);
  UpdateStatusBar();
  if (control_ != nullptr) control_->Show(take_focus);
  if (services_.queue != nullptr) services_.queue->Shown(this);
}

void PageHost::Hide() {
  if (control_ != nullptr) control_->Hide();
  if (active_view_) {
    active_view_ = false;
    owner_.ClearFrame(*this);
  }
}

void PageHost::Close() {
  if (closed_) return;
  closed_ = true;
  if (state_ == LoadState::kLoaded && !url_.empty() && !title_.empty()) {
    owner_.AddClosedPage(url_, title_);
  }
  if (control_ != nullptr) control_->Stop();
  StopTimers();
  if (close_timer_ != nullptr) close_timer_->Stop();
  if (gate_ != nullptr) gate_->Close();
  Hide();
  if (services_.queue != nullptr) services_.queue->Removed(this);
  if (services_.catcher != nullptr) services_.catcher->Forget(*this);
  control_.reset();
}

bool PageHost::IsSecure() const {
  // The page's own scheme: "https:" further on (a query holding another
  // address) says nothing about this connection. A failed load shows the
  // engine's error page, which no secure connection delivered.
  return !failed_ && control_ != nullptr && Lower(control_->LocationUrl()).rfind("https:", 0) == 0;
}

bool PageHost::IsReady() const { return control_ == nullptr || !control_->Busy(); }

std::string PageHost::SelectedText() const {
  return control_ != nullptr ? control_->SelectedText() : std::string();
}

bool PageHost::FocusIsTextField() const {
  return control_ != nullptr && control_->FocusIsTextField();
}

bool PageHost::PutTextInFocusedField(const std::string& text) {
  return control_ != nullptr && control_->PutTextInFocusedField(text);
}

void PageHost::SetFavicon(std::string file, std::string url) {
  favicon_file_ = std::move(file);
  favicon_url_ = std::move(url);
  owner_.PageChanged(*this);
}

TabIcon PageHost::icon() const {
  if (failed_) return TabIcon::kFailed;
  if (IsSecure()) return TabIcon::kSecure;
  if (!favicon_file_.empty()) return TabIcon::kFavicon;
  return state_ == LoadState::kWaiting ? TabIcon::kWaiting : TabIcon::kPage;
}

StatusBarValues PageHost::StatusValues() const {
  StatusBarValues values;
  values.text = status_text_;
  values.secure = IsSecure();
  if (script_error_) {
    values.status_icon = StatusBarValues::kIconScriptError;
  } else if (values.secure) {
    values.status_icon = StatusBarValues::kIconSecure;
  } else if (services_.favorites != nullptr) {
    const int favorite = services_.favorites->FindByUrl(url_);
    if (favorite >= 0) {
      values.status_icon = services_.favorites->importance(static_cast<std::size_t>(favorite)) + 1;
    }
  }
  values.blocked_count = blocked_count_;
  values.loading = state_ == LoadState::kLoading;
  values.progress = progress_;
  return values;
}

BrowserControl* PageHost::ControlForNewWindow() {
  BrowserControl* control = EnsureControl();
  if (control == nullptr) return nullptr;
  StopTimers();
  MarkLoading();
  BeginLoad();
  return control;
}

void PageHost::OnStatusTextChange(const std::string& text) {
  if ((blocked_count_ > 0 || state_ != LoadState::kLoading) && (active_view_ || !text.empty())) {
    status_text_ = text;
  }
  UpdateStatusBar();
}

void PageHost::OnProgressChange(int progress, int progress_max) {
  if (progress_max <= 0 || state_ != LoadState::kLoading) return;
  const std::int64_t percent = std::int64_t{std::max(progress, 0)} * 100 / progress_max;
  progress_ = static_cast<int>(std::min<std::int64_t>(percent, 100));
  UpdateStatusBar();
}

void PageHost::OnTitleChange(const std::string& title) {
  // A page set back to waiting keeps its queued caption.
  if (state_ == LoadState::kWaiting) return;
  title_ =
      title == kAboutBlank ? LoadString(string_id::kBlankPage) : CutText(title, kMaxTitleBytes);
  title_awaited_ = false;
  if (control_ != nullptr) {
    if (std::string location = control_->LocationUrl(); !location.empty()) url_ = location;
  }
  owner_.PageChanged(*this);
  StartPoll();
}

bool PageHost::OnBeforeNavigate(const NavigationInfo& info) {
  // With the gate closed the navigation is automatic (a script, a frame, a
  // redirect) and goes ahead untouched; the program's own loads are already
  // booked where they were started.
  if (control_ == nullptr || gate_ == nullptr || gate_->closed()) return false;
  if (info.kind == NavigationKind::kProgram || info.kind == NavigationKind::kReload ||
      info.kind == NavigationKind::kRedirect) {
    return false;
  }
  if (!IsWebUrl(info.url)) return false;
  gate_->OnNavigation();
  const bool new_tab = info.new_tab_modifier || (LinkMode() == 0 && !history_travel_);
  // A request the engine cannot repeat in full (a form whose body it does
  // not expose) stays in place rather than arrive elsewhere as a GET.
  if (new_tab && info.replayable) {
    NavigationRequest request;
    request.url = info.url;
    request.post_body = info.post_body;
    request.headers = info.headers;
    request.title = info.url;
    return owner_.OpenPageTabAfter(*this, request) != nullptr;
  }
  if (info.top_level) StartLoadOf(info.url);
  return false;
}

NewWindowReply PageHost::OnNewWindow(const NewWindowInfo& info) {
  const bool asked = info.by_modifier_click || (gate_ != nullptr && !gate_->closed());
  if (!asked && PopupBlockOn(services_.settings)) {
    status_text_ = LoadString(string_id::kPopupBlocked);
    ++blocked_count_;
    UpdateStatusBar();
    return NewWindowReply::Block();
  }
  // Other schemes (mailto:) never become tabs.
  if (!info.url.empty() && !IsWebUrl(info.url)) return NewWindowReply::Block();
  if (info.by_modifier_click || LinkMode() != 1 || owner_.IsClippedTab(*this)) {
    PageHost* page = owner_.OpenPageTabAfter(*this, NavigationRequest{});
    BrowserControl* target = page != nullptr ? page->ControlForNewWindow() : nullptr;
    return target != nullptr ? NewWindowReply::OpenIn(target) : NewWindowReply::Block();
  }
  // Links open in the same tab: the catcher learns the pop-up's address and
  // sends it here.
  BrowserControl* catcher =
      services_.catcher != nullptr ? services_.catcher->Catch(*this) : nullptr;
  return catcher != nullptr ? NewWindowReply::OpenIn(catcher) : NewWindowReply::Block();
}

void PageHost::OnDocumentComplete() {
  if (state_ == LoadState::kWaiting || has_document_) return;
  has_document_ = true;
  if (active_view_) {
    owner_.ShowPageInFrame(*this, CutText(title_, kMaxCaptionBytes), url_);
    UpdateStatusBar();
  }
}

void PageHost::OnWindowCloseRequested() {
  // Closed once the engine has finished the event, as idle work.
  if (close_timer_ != nullptr && !close_timer_->active()) {
    close_timer_->Start(0, false, [this] { owner_.ClosePageTab(*this); });
  }
}

void PageHost::OnScriptError() {
  script_error_ = true;
  UpdateStatusBar();
}

bool PageHost::IsWebUrl(std::string_view url) {
  const std::string lower = Lower(url.substr(0, 8));
  if (lower.starts_with("http://") || lower.starts_with("https://")) return true;
  const std::size_t colon = url.find(':');
  return colon == std::string_view::npos || colon < 2;
}

std::string PageHost::CutText(std::string_view text, std::size_t max_bytes) {
  return std::string(cp932::PrefixWithin(text, max_bytes));
}

BrowserControl* PageHost::EnsureControl() {
  if (control_ == nullptr && !closed_) {
    control_ = owner_.CreateBrowserControl(*this);
    if (control_ != nullptr && active_view_) control_->Show(false);
  }
  return control_.get();
}

int PageHost::LinkMode() const {
  return Read(services_.settings,
              owner_.IsClippedTab(*this) ? settings::kPageClipLink : settings::kLinkMode);
}

void PageHost::BeginLoad() {
  status_text_.clear();
  ResetCounters();
  has_document_ = false;
  load_pending_ = true;
  StartPoll();
  StartTimeout();
  owner_.PageChanged(*this);
  UpdateStatusBar();
}

void PageHost::ResetCounters() {
  failed_ = false;
  blocked_count_ = 0;
  progress_ = 0;
  script_error_ = false;
}

void PageHost::StartPoll() {
  if (poll_timer_ != nullptr) poll_timer_->Start(kPollMs, true, [this] { OnPoll(); });
}

void PageHost::StartTimeout() {
  if (timeout_timer_ == nullptr) return;
  // A hand-edited 0 would stop every load at once.
  const int seconds =
      std::clamp(Read(services_.settings, settings::kLoadingTimeout), 1, kMaxTimeoutSeconds);
  timeout_timer_->Start(seconds * 1000, false, [this] { OnTimeout(); });
}

void PageHost::StopTimers() {
  if (poll_timer_ != nullptr) poll_timer_->Stop();
  if (timeout_timer_ != nullptr) timeout_timer_->Stop();
}

void PageHost::OnPoll() {
  if (state_ == LoadState::kWaiting || !IsReady()) return;
  EndWatchedLoad();
}

// A failed load is no visit: it adds no history item and fetches no icon.
void PageHost::EndWatchedLoad() {
  StopTimers();
  LoadEnd(!failed_);
}

void PageHost::OnTimeout() {
  Stop();
  status_text_ = LoadString(string_id::kLoadTimedOut);
  UpdateStatusBar();
}

void PageHost::LoadEnd(bool record_history) {
  if (gate_ != nullptr) gate_->OnLoadEnd();
  history_travel_ = false;
  if (control_ != nullptr) {
    has_document_ = true;
    // A control that never showed a page has no address; keep the asked one.
    if (std::string location = control_->LocationUrl(); !location.empty()) url_ = location;
  }
  if (title_awaited_) {
    title_ =
        control_ != nullptr ? CutText(control_->LocationName(), kMaxTitleBytes) : std::string();
    title_awaited_ = false;
  }
  const bool web_page = !url_.empty() && url_ != kAboutBlank;
  if (url_ == kAboutBlank) title_ = LoadString(string_id::kBlankPage);
  state_ = LoadState::kLoaded;
  UpdateStatusBar();

  // A title change after the load re-runs the poll; that is not a new visit
  // unless the address changed meanwhile.
  const bool repeated = !load_pending_ && url_ == last_ended_url_;
  const bool new_page = record_history && !repeated && web_page;
  load_pending_ = false;
  last_ended_url_ = url_;
  if (new_page && services_.history != nullptr) {
    ItemStore::Entry entry;
    entry.title = title_;
    entry.url = url_;
    const int index = services_.history->AddOrCount(entry, services_.prompter);
    history_id_ = index >= 0 ? services_.history->items().id(static_cast<std::size_t>(index)) : -1;
  }
  if (services_.queue != nullptr) services_.queue->Completed(this);
  if (!(record_history && repeated)) {
    favicon_file_.clear();
    favicon_url_.clear();
  }
  owner_.PageChanged(*this);
  owner_.LoadEnded(*this, new_page);
}

void PageHost::UpdateStatusBar() {
  if (active_view_) owner_.UpdateStatusBar(*this, StatusValues());
}

void PageHost::MarkLoading() {
  held_ = false;
  state_ = LoadState::kLoading;
  title_ = LoadString(string_id::kLoading);
  title_awaited_ = true;
}

// A new page is on its way into this host: forget the old one's request,
// history entry and icon, and show it loading.
void PageHost::StartLoadOf(const std::string& url) {
  url_ = url;
  request_ = NavigationRequest{};
  request_.url = url;
  history_id_ = -1;
  favicon_file_.clear();
  favicon_url_.clear();
  MarkLoading();
  BeginLoad();
}

}  // namespace tolvane
