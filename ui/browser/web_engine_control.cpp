#include "ui/browser/web_engine_control.h"

#include <QCoreApplication>
#include <QInputMethodEvent>
#include <QJsonArray>
#include <QJsonDocument>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>
#include <QVBoxLayout>
#include <QWebEngineCertificateError>
#include <QWebEngineHistory>
#include <QWebEngineHttpRequest>
#include <QWebEngineLoadingInfo>
#include <QWebEngineNewWindowRequest>
#include <QWebEngineProfile>
#include <QWebEngineSettings>
#include <QWebEngineUrlRequestInfo>
#include <QWebEngineUrlRequestInterceptor>
#include <QWebEngineView>
#include <QWidget>
#include <algorithm>
#include <functional>

#include "core/browser/find_selection_sink.h"
#include "core/frame/page_history_menu.h"
#include "ui/base/qt_text.h"
#include "ui/browser/engine_page.h"
#include "ui/browser/engine_url.h"
#include "ui/browser/page_input_tracker.h"
#include "ui/browser/page_view.h"
#include "ui/browser/paint_hold.h"

namespace tolvane {
namespace {

QByteArray Bytes(const std::string& text) {
  return QByteArray(text.data(), static_cast<qsizetype>(text.size()));
}

// "Name: value" lines, CR LF or LF separated.
void AddHeaders(QWebEngineHttpRequest& request, const std::string& headers) {
  for (const QByteArray& line : Bytes(headers).split('\n')) {
    const qsizetype colon = line.indexOf(':');
    if (colon <= 0) continue;
    const QByteArray name = line.left(colon).trimmed();
    if (!name.isEmpty()) request.setHeader(name, line.mid(colon + 1).trimmed());
  }
}

NavigationKind KindOf(QWebEnginePage::NavigationType type) {
  switch (type) {
    case QWebEnginePage::NavigationTypeLinkClicked:
      return NavigationKind::kLink;
    case QWebEnginePage::NavigationTypeFormSubmitted:
      return NavigationKind::kForm;
    case QWebEnginePage::NavigationTypeBackForward:
      return NavigationKind::kBackForward;
    case QWebEnginePage::NavigationTypeReload:
      return NavigationKind::kReload;
    case QWebEnginePage::NavigationTypeTyped:
      // Only Navigate() loads typed addresses: the view has no address bar.
      return NavigationKind::kProgram;
    case QWebEnginePage::NavigationTypeRedirect:
      return NavigationKind::kRedirect;
    default:
      return NavigationKind::kOther;
  }
}

bool IsOwnFrameTarget(const std::string& target) {
  return target.empty() || target == "_self" || target == "_top" || target == "_parent" ||
         target == "_blank";
}

// Tells when the engine sends the page's own request (not those of its
// images, scripts or frames): the request then goes to the network thread.
class MainFrameRequestWatch : public QWebEngineUrlRequestInterceptor {
 public:
  MainFrameRequestWatch(std::function<void()> on_request, QObject* parent)
      : QWebEngineUrlRequestInterceptor(parent), on_request_(std::move(on_request)) {}

  void interceptRequest(QWebEngineUrlRequestInfo& info) override {
    if (info.resourceType() == QWebEngineUrlRequestInfo::ResourceTypeMainFrame) on_request_();
  }

 private:
  std::function<void()> on_request_;
};

}  // namespace

WebEngineControl::WebEngineControl(BrowserEvents& events, QWebEngineProfile* profile,
                                   QWidget* parent, std::shared_ptr<const PageHooks> hooks)
    : events_(events),
      profile_(profile),
      widget_(new QWidget(parent)),
      input_(new PageInputTracker(this)),
      hooks_(hooks != nullptr ? std::move(hooks) : std::make_shared<PageHooks>()) {
  input_->SetUserActionHandler([this] { events_.OnUserAction(); });
  input_->SetCtrlWheelHandler(
      [this](int delta) { return hooks_->ctrl_wheel && hooks_->ctrl_wheel(*this, delta); });
  input_->SetReleaseHandler(
      [this](Qt::MouseButton button, const QPoint& at) { OnRelease(button, at); });
  auto* layout = new QVBoxLayout(widget_);
  layout->setContentsMargins(0, 0, 0, 0);
  widget_->hide();
}

WebEngineControl::~WebEngineControl() {
  if (widget_ == nullptr) return;
  widget_->hide();
  if (page_ == nullptr) {
    delete widget_.data();
    return;
  }
  // Tearing an engine page down takes milliseconds, and a search closes a
  // whole row of them just before the page replacing them starts its
  // request: that request must not wait. The page stops now, refuses every
  // further navigation and reports nothing more (its signals went with this
  // object); the page area deletes it, with its view, a moment later.
  page_->SetNavigationHandler(
      [](const QUrl&, QWebEnginePage::NavigationType, bool) { return false; });
  page_->SetScriptErrorHandler({});
  page_->setUrlRequestInterceptor(nullptr);
  page_->triggerAction(QWebEnginePage::Stop);
  QTimer::singleShot(kTeardownDelayMs, widget_.data(), &QObject::deleteLater);
}

QWebEnginePage* WebEngineControl::page() const { return page_; }

EnginePage* WebEngineControl::EnsurePage(bool fresh) {
  if (page_ != nullptr) return page_;
  if (widget_ == nullptr) return nullptr;
  // A page on screen takes a page made ahead, which starts sooner; its
  // blank first entry leaves the history once this page's first load has
  // ended. Pages loading behind it leave the spare for the next one shown.
  PageView* view =
      hooks_->take_spare && !fresh && !widget_->isHidden() ? hooks_->take_spare() : nullptr;
  drop_blank_entry_ = view != nullptr;
  if (view != nullptr) {
    view->setParent(widget_);
    view->show();
  } else {
    view = new PageView(widget_);
  }
  view->SetMenuHandler([this](const QPoint& global) {
    if (hooks_->context_menu) hooks_->context_menu(*this, global);
  });
  view->SetLeaveHandler(
      [this](bool backward) { return hooks_->leave_page && hooks_->leave_page(*this, backward); });
  view_ = view;
  if (drop_blank_entry_) {
    page_ = static_cast<EnginePage*>(view_->page());
  } else {
    page_ = new EnginePage(profile_, view_);
    view_->setPage(page_);
  }
  widget_->layout()->addWidget(view_);
  input_->Watch(view_);

  page_->SetNavigationHandler(
      [this](const QUrl& url, QWebEnginePage::NavigationType type, bool main_frame) {
        return OnNavigationRequest(url, type, main_frame);
      });
  page_->SetScriptErrorHandler([this] { events_.OnScriptError(); });
  // The window paints again once the engine has handed the request on, not
  // inside the engine's call.
  page_->setUrlRequestInterceptor(new MainFrameRequestWatch(
      [this] { QTimer::singleShot(0, this, [this] { paint_hold_.reset(); }); }, page_));
  connect(page_, &QWebEnginePage::loadStarted, this, [this] {
    start_pending_ = false;
    reported_loading_ = true;
    // The errors told are those of the page now on its way.
    certificate_errors_.clear();
  });
  connect(page_, &QWebEnginePage::loadingChanged, this,
          [this](const QWebEngineLoadingInfo& info) { OnLoadingChanged(info); });
  connect(page_, &QWebEnginePage::loadProgress, this,
          [this](int progress) { events_.OnProgressChange(progress, 100); });
  connect(page_, &QWebEnginePage::titleChanged, this,
          [this](const QString& title) { events_.OnTitleChange(ToSjis(title)); });
  connect(page_, &QWebEnginePage::linkHovered, this,
          [this](const QString& url) { events_.OnStatusTextChange(ToSjis(url)); });
  // Also after an HTTP error status: the server's page is what is shown.
  connect(page_, &QWebEnginePage::loadFinished, this, [this] {
    reported_loading_ = false;
    if (drop_blank_entry_ && page_->url() != QUrl(QStringLiteral("about:blank"))) {
      drop_blank_entry_ = false;
      QWebEngineHistory* history = page_->history();
      if (history->count() > 1 && history->itemAt(0).url() == QUrl(QStringLiteral("about:blank"))) {
        history->clear();
      }
    }
    events_.OnDocumentComplete();
    QPointer<WebEngineControl> self(this);
    page_->runJavaScript(QStringLiteral("document.characterSet"), [self](const QVariant& result) {
      if (self != nullptr) self->charset_ = result.toString().toStdString();
    });
  });
  connect(page_, &QWebEnginePage::certificateError, this,
          [this](const QWebEngineCertificateError& error) {
            certificate_errors_ << error.url().host() + QStringLiteral(": ") + error.description();
          });
  connect(page_, &QWebEnginePage::windowCloseRequested, this,
          [this] { events_.OnWindowCloseRequested(); });
  connect(page_, &QWebEnginePage::newWindowRequested, this,
          [this](QWebEngineNewWindowRequest& request) { OnNewWindowRequest(request); });
  return page_;
}

bool WebEngineControl::OnNavigationRequest(const QUrl& url, QWebEnginePage::NavigationType type,
                                           bool main_frame) {
  NavigationInfo info;
  info.url = FromEngineUrl(url);
  info.top_level = main_frame;
  info.kind = KindOf(type);
  // Only a click or script of the page carries the user's modifier keys.
  const bool from_page = info.kind == NavigationKind::kLink || info.kind == NavigationKind::kForm ||
                         info.kind == NavigationKind::kOther;
  info.new_tab_modifier = from_page && input_->NewTabModifierHeld();
  // The engine does not give a submitted form's body, so such a request
  // cannot be sent again in another tab.
  info.replayable = info.kind != NavigationKind::kForm;
  // A link away from a page read in a chosen charset.
  if (main_frame && url.scheme() != QLatin1String("data") && url != chosen_for_) {
    ForgetChosenCharset();
  }
  if (from_page && main_frame) PassOnRecentClick();
  const bool cancel = events_.OnBeforeNavigate(info);
  if (cancel && main_frame) start_pending_ = false;
  return !cancel;
}

void WebEngineControl::OnNewWindowRequest(QWebEngineNewWindowRequest& request) {
  NewWindowInfo info;
  info.url = FromEngineUrl(request.requestedUrl());
  // The engine reports Ctrl- and middle-clicks as background tabs and
  // Shift-clicks as windows; Ctrl+Shift looks like target="_blank", so the
  // view's own input decides that case.
  const auto destination = request.destination();
  info.by_modifier_click =
      request.isUserInitiated() &&
      (destination == QWebEngineNewWindowRequest::InNewBackgroundTab ||
       destination == QWebEngineNewWindowRequest::InNewWindow || input_->NewTabModifierHeld());
  // The engine knows the window came from a user gesture.
  if (request.isUserInitiated()) PassOnRecentClick();
  const NewWindowReply reply = events_.OnNewWindow(info);
  if (reply.action != NewWindowReply::Action::kOpenIn || reply.target == nullptr) return;
  // Not calling openIn() drops the window.
  auto* target = dynamic_cast<WebEngineControl*>(reply.target);
  if (target == nullptr || target->EnsurePage(true) == nullptr) return;
  target->start_pending_ = true;
  request.openIn(target->page_);
}

// The click that caused a navigation or window may be longer ago than the
// pop-up gate stays open: the engine runs it in the renderer process and
// reports back.
void WebEngineControl::PassOnRecentClick() {
  if (input_->TakeRecentClick()) events_.OnUserAction();
}

// Sent right after loadFinished, in the same call, with how the load ended.
void WebEngineControl::OnLoadingChanged(const QWebEngineLoadingInfo& info) {
  LoadOutcome outcome;
  switch (info.status()) {
    case QWebEngineLoadingInfo::LoadStartedStatus:
      return;
    case QWebEngineLoadingInfo::LoadSucceededStatus:
      break;
    case QWebEngineLoadingInfo::LoadStoppedStatus:
      outcome.kind = LoadOutcome::Kind::kStopped;
      break;
    case QWebEngineLoadingInfo::LoadFailedStatus:
      outcome.kind = LoadOutcome::Kind::kFailed;
      // A successful load also carries its status (200) in this domain.
      if (info.errorDomain() == QWebEngineLoadingInfo::HttpStatusCodeDomain) {
        outcome.http_status = info.errorCode();
      } else {
        outcome.error = info.errorString().toStdString();
      }
      break;
  }
  reported_loading_ = false;
  paint_hold_.reset();
  events_.OnLoadFinished(outcome);
}

bool WebEngineControl::Navigate(const NavigateParams& params) {
  const QUrl url = ToEngineUrl(params.url);
  if (!url.isValid() || EnsurePage() == nullptr) return false;
  ForgetChosenCharset();
  if (!IsOwnFrameTarget(params.target_frame) && params.post_body.empty()) {
    // There is no frame API: a named window.open() fills the frame of that
    // name (a GET, like a link with a target).
    const QString script =
        QStringLiteral("window.open(%1[0], %1[1]);")
            .arg(QString::fromUtf8(QJsonDocument(QJsonArray{QString::fromLatin1(url.toEncoded()),
                                                            ToQString(params.target_frame)})
                                       .toJson(QJsonDocument::Compact)));
    page_->runJavaScript(script);
    return true;
  }
  QWebEngineHttpRequest request(
      url, params.post_body.empty() ? QWebEngineHttpRequest::Get : QWebEngineHttpRequest::Post);
  AddHeaders(request, params.headers);
  // The page host named the form's content type (NavigationRequest).
  if (!params.post_body.empty()) request.setPostData(Bytes(params.post_body));
  start_pending_ = true;
  // The page in view: its request goes before the window's next paint.
  if (widget_->isVisible()) paint_hold_ = std::make_unique<PaintHold>(widget_->window());
  page_->load(request);
  return true;
}

void WebEngineControl::Reload() {
  if (page_ == nullptr) return;
  // Offline the page cannot be read again: reloading would only put the
  // engine's error page in its place, so the page stays as it is.
  if (hooks_->offline && hooks_->offline()) return;
  start_pending_ = true;
  page_->triggerAction(QWebEnginePage::Reload);
}

void WebEngineControl::Stop() {
  start_pending_ = false;
  paint_hold_.reset();
  if (page_ != nullptr) page_->triggerAction(QWebEnginePage::Stop);
}

void WebEngineControl::GoBack() {
  if (CanGoBack()) page_->triggerAction(QWebEnginePage::Back);
}

void WebEngineControl::GoForward() {
  if (CanGoForward()) page_->triggerAction(QWebEnginePage::Forward);
}

bool WebEngineControl::CanGoBack() const {
  return page_ != nullptr && page_->history()->canGoBack();
}

bool WebEngineControl::CanGoForward() const {
  return page_ != nullptr && page_->history()->canGoForward();
}

PageHistory WebEngineControl::History() const {
  PageHistory history;
  if (page_ == nullptr) return history;
  // An entry without a title yet shows by its address.
  const auto title = [](const QWebEngineHistoryItem& item) {
    return ToSjis(item.title().isEmpty() ? item.url().toString() : item.title());
  };
  const QList<QWebEngineHistoryItem> back = page_->history()->backItems(kPageHistoryMaxEntries);
  for (auto item = back.crbegin(); item != back.crend(); ++item)
    history.back.push_back(title(*item));
  for (const QWebEngineHistoryItem& item : page_->history()->forwardItems(kPageHistoryMaxEntries)) {
    history.forward.push_back(title(item));
  }
  return history;
}

void WebEngineControl::GoToHistoryOffset(int offset) {
  if (page_ == nullptr || offset == 0) return;
  QWebEngineHistory& history = *page_->history();
  const int index = history.currentItemIndex() + offset;
  if (index < 0 || index >= history.count()) return;
  history.goToItem(history.itemAt(index));
}

bool WebEngineControl::Busy() const {
  return start_pending_ || reported_loading_ || (page_ != nullptr && page_->isLoading());
}

std::string WebEngineControl::LocationUrl() const {
  return page_ != nullptr ? FromEngineUrl(page_->url()) : std::string();
}

std::string WebEngineControl::LocationName() const {
  return page_ != nullptr ? ToSjis(page_->title()) : std::string();
}

bool WebEngineControl::FocusIsPassword() const {
  QWidget* proxy = view_ != nullptr ? view_->focusProxy() : nullptr;
  if (proxy == nullptr) return false;
  const auto hints =
      static_cast<Qt::InputMethodHints>(proxy->inputMethodQuery(Qt::ImHints).toInt());
  return proxy->inputMethodQuery(Qt::ImEnabled).toBool() && (hints & Qt::ImhHiddenText);
}

std::string WebEngineControl::SelectedText() const {
  if (page_ == nullptr || FocusIsPassword()) return {};
  return ToUtf8(page_->selectedText());
}

bool WebEngineControl::FocusIsTextField() const {
  QWidget* proxy = view_ != nullptr ? view_->focusProxy() : nullptr;
  return proxy != nullptr && proxy->inputMethodQuery(Qt::ImEnabled).toBool();
}

bool WebEngineControl::PutTextInFocusedField(const std::string& text) {
  if (!FocusIsTextField()) return false;
  // Typed through the input method, so it lands at the caret in any frame.
  QInputMethodEvent event;
  event.setCommitString(ToQString(text));
  QCoreApplication::sendEvent(view_->focusProxy(), &event);
  return true;
}

int WebEngineControl::Zoom() const {
  return page_ != nullptr ? qRound(page_->zoomFactor() * 100) : -1;
}

void WebEngineControl::SetZoom(int percent) {
  if (page_ != nullptr) page_->setZoomFactor(std::clamp(percent, kMinZoom, kMaxZoom) / 100.0);
}

// The engine has no text-only zoom: the text size is the page's default font
// size, which sizes the text the page does not size itself.
int WebEngineControl::TextSize() const {
  if (page_ == nullptr) return -1;
  const int pixels = page_->settings()->fontSize(QWebEngineSettings::DefaultFontSize);
  int size = 0;
  for (int i = 0; i < static_cast<int>(std::size(kFontSizes)); ++i) {
    if (pixels >= kFontSizes[i]) size = i;
  }
  return size;
}

void WebEngineControl::SetTextSize(int size) {
  if (page_ == nullptr || size < 0 || size >= static_cast<int>(std::size(kFontSizes))) return;
  page_->settings()->setFontSize(QWebEngineSettings::DefaultFontSize, kFontSizes[size]);
}

void WebEngineControl::Edit(EditCommand command) {
  if (page_ == nullptr) return;
  switch (command) {
    case EditCommand::kCut:
      page_->triggerAction(QWebEnginePage::Cut);
      break;
    case EditCommand::kCopy:
      page_->triggerAction(QWebEnginePage::Copy);
      break;
    case EditCommand::kPaste:
      page_->triggerAction(QWebEnginePage::Paste);
      break;
    case EditCommand::kDelete:
      page_->runJavaScript(QStringLiteral("document.execCommand('delete')"));
      break;
    case EditCommand::kSelectAll:
      page_->triggerAction(QWebEnginePage::SelectAll);
      break;
    case EditCommand::kUndo:
      page_->triggerAction(QWebEnginePage::Undo);
      break;
  }
}

void WebEngineControl::Scroll(ScrollCommand command) {
  if (page_ == nullptr) return;
  static constexpr const char* kScripts[] = {
      "window.scrollBy(0, -40)",
      "window.scrollBy(0, 40)",
      "window.scrollBy(0, -window.innerHeight * 0.875)",
      "window.scrollBy(0, window.innerHeight * 0.875)",
      "window.scrollTo(window.scrollX, 0)",
      "window.scrollTo(window.scrollX, document.documentElement.scrollHeight)",
  };
  page_->runJavaScript(QString::fromLatin1(kScripts[static_cast<int>(command)]));
}

// The engine reads a page in the charset its server or its markup declares,
// else in the one it guesses, and offers no override. So the page's bytes are
// fetched again (a GET without the page's cookies) and given to the engine
// as a document of the chosen charset, at the page's own address. When that
// fails, or the page is too large, the page is loaded again with the chosen
// charset as its default, which decides for pages that neither declare nor
// reveal one. "Automatic" loads the page's own address again. Offline
// nothing is fetched, and the page stays as it was read.
void WebEngineControl::ReloadWithCharset(const std::string& charset) {
  if (page_ == nullptr || (hooks_->offline && hooks_->offline())) return;
  if (chosen_charset_.empty()) chosen_for_ = page_->url();
  const QUrl url = chosen_for_;
  chosen_charset_ = charset;
  page_->settings()->setDefaultTextEncoding(charset.empty()
                                                ? profile_->settings()->defaultTextEncoding()
                                                : QString::fromStdString(charset));
  start_pending_ = true;
  if (charset.empty() ||
      (url.scheme() != QLatin1String("http") && url.scheme() != QLatin1String("https"))) {
    page_->load(url);
    return;
  }
  auto* network = new QNetworkAccessManager(this);
  QNetworkRequest request(url);
  request.setHeader(QNetworkRequest::UserAgentHeader, profile_->httpUserAgent());
  request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                       QNetworkRequest::NoLessSafeRedirectPolicy);
  QNetworkReply* reply = network->get(request);
  const QByteArray mime = "text/html;charset=" + QByteArray::fromStdString(charset);
  connect(reply, &QNetworkReply::finished, this, [this, network, reply, url, mime] {
    network->deleteLater();
    const QByteArray body =
        reply->error() == QNetworkReply::NoError && reply->size() <= kMaxRereadBytes
            ? reply->readAll()
            : QByteArray();
    if (page_ == nullptr) return;
    if (body.isEmpty()) {
      page_->load(url);
    } else {
      page_->setContent(body, QString::fromLatin1(mime), url);
    }
  });
}

// Another page is read as it declares itself.
void WebEngineControl::ForgetChosenCharset() {
  if (chosen_charset_.empty()) return;
  chosen_charset_.clear();
  page_->settings()->setDefaultTextEncoding(profile_->settings()->defaultTextEncoding());
}

void WebEngineControl::OnRelease(Qt::MouseButton button, const QPoint& at) {
  if (page_ == nullptr) return;
  if (button == Qt::MiddleButton) {
    PasteIntoFieldAt(at);
  } else if (hooks_->find_selection != nullptr && page_->hasSelection() && !FocusIsPassword()) {
    hooks_->find_selection->SelectionMade(ToUtf8(page_->selectedText()));
  }
}

// A middle click over a text field puts the clipboard in it, in place of
// what the field held.
void WebEngineControl::PasteIntoFieldAt(const QPoint& at) {
  const double zoom = page_->zoomFactor();
  const QString script =
      QStringLiteral(
          "(function(x, y) {"
          "  var e = document.elementFromPoint(x, y);"
          "  if (!e || e.disabled || e.readOnly) return false;"
          "  var field = e.tagName === 'TEXTAREA' || e.isContentEditable ||"
          "      (e.tagName === 'INPUT' &&"
          "       /^(text|search|url|email|tel|number|password)$/i.test(e.type));"
          "  if (!field) return false;"
          "  e.focus();"
          "  if (e.select) e.select(); else document.execCommand('selectAll');"
          "  return true;"
          "})(%1, %2)")
          .arg(at.x() / zoom)
          .arg(at.y() / zoom);
  QPointer<EnginePage> page(page_);
  page_->runJavaScript(script, [page](const QVariant& is_field) {
    if (page != nullptr && is_field.toBool()) page->triggerAction(QWebEnginePage::Paste);
  });
}

void WebEngineControl::Show(bool take_focus) {
  if (widget_ == nullptr) return;
  widget_->show();
  widget_->raise();
  if (take_focus && view_ != nullptr) view_->setFocus();
}

void WebEngineControl::Hide() {
  if (widget_ != nullptr) widget_->hide();
}

}  // namespace tolvane
