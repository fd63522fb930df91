#pragma once

#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QUrl>
#include <QWebEngineView>
#include <QWidget>
#include <memory>

#include "core/browser/browser_control.h"
#include "ui/browser/engine_page.h"
#include "ui/browser/page_hooks.h"

class QWebEngineLoadingInfo;
class QWebEngineNewWindowRequest;
class QWebEngineProfile;

namespace tolvane {

class PageInputTracker;
class PaintHold;

// The browser control on Qt WebEngine: one QWebEngineView and its page,
// raising the control's events on the user-interface thread.
//
// The view and page are made on the first navigation (or when another
// page's new window is loaded into this one), so a page tab that is only
// waiting in the loading queue starts no engine process and costs a plain
// QWidget. widget() is that page area; the owner places it and the view
// fills it once it exists.
//
// What the engine does not say is filled in from the view's own input:
// Ctrl/Shift-clicks and middle clicks, which the engine turns into
// new-window requests, are reported as such, and a left-button press or
// release over the page, or Space or Enter pressed or released in it, is
// raised as the user-action event (the page host's pop-up gate).
class WebEngineControl : public QObject, public BrowserControl {
 public:
  // How long a destroyed control's page and view stay, stopped and hidden,
  // before the page area deletes them.
  static constexpr int kTeardownDelayMs = 500;

  // The largest page read again in a chosen charset (the engine's limit for
  // content given to it).
  static constexpr qint64 kMaxRereadBytes = 2 * 1024 * 1024 - 4096;
  // The engine's zoom limits (percent).
  static constexpr int kMinZoom = 25;
  static constexpr int kMaxZoom = 500;
  // The default font size (pixels) of each text size, smallest to largest.
  static constexpr int kFontSizes[] = {12, 14, 16, 20, 24};

  WebEngineControl(BrowserEvents& events, QWebEngineProfile* profile, QWidget* parent,
                   std::shared_ptr<const PageHooks> hooks = {});
  ~WebEngineControl() override;
  WebEngineControl(const WebEngineControl&) = delete;
  WebEngineControl& operator=(const WebEngineControl&) = delete;

  QWidget* widget() const { return widget_; }
  // Null until the page first loads.
  QWebEngineView* view() const { return view_; }
  QWebEnginePage* page() const;
  // The certificate errors the engine met on this page, newest last
  // ("host: description"); the engine refused those connections.
  const QStringList& certificate_errors() const { return certificate_errors_; }

  // BrowserControl
  bool Navigate(const NavigateParams& params) override;
  void Reload() override;
  void Stop() override;
  void GoBack() override;
  void GoForward() override;
  bool CanGoBack() const override;
  bool CanGoForward() const override;
  PageHistory History() const override;
  void GoToHistoryOffset(int offset) override;
  bool Busy() const override;
  std::string LocationUrl() const override;
  std::string LocationName() const override;
  std::string SelectedText() const override;
  bool FocusIsTextField() const override;
  bool PutTextInFocusedField(const std::string& text) override;
  int Zoom() const override;
  void SetZoom(int percent) override;
  int TextSize() const override;
  void SetTextSize(int size) override;
  void Edit(EditCommand command) override;
  void Scroll(ScrollCommand command) override;
  std::string Charset() const override { return charset_; }
  std::string ChosenCharset() const override { return chosen_charset_; }
  void ReloadWithCharset(const std::string& charset) override;
  void Show(bool take_focus) override;
  void Hide() override;

 private:
  void OnRelease(Qt::MouseButton button, const QPoint& at);
  void ForgetChosenCharset();
  void PasteIntoFieldAt(const QPoint& at);
  // `fresh`: a page that has never navigated, as a new window's contents
  // need; otherwise a page on screen may take one made ahead.
  EnginePage* EnsurePage(bool fresh = false);
  bool OnNavigationRequest(const QUrl& url, QWebEnginePage::NavigationType type, bool main_frame);
  void OnNewWindowRequest(QWebEngineNewWindowRequest& request);
  void PassOnRecentClick();
  void OnLoadingChanged(const QWebEngineLoadingInfo& info);
  bool FocusIsPassword() const;

  BrowserEvents& events_;
  QWebEngineProfile* profile_;
  QPointer<QWidget> widget_;
  QPointer<QWebEngineView> view_;
  QPointer<EnginePage> page_;
  PageInputTracker* input_;
  // A load was asked for and the engine has not reported it started yet;
  // the engine's own loading flag only turns on with that report.
  bool start_pending_ = false;
  // The page was made ahead (SparePage): its about:blank entry goes once
  // this page's own first load has ended.
  bool drop_blank_entry_ = false;
  // From the engine's start report to its finish report. The engine's
  // loading flag turns off a little before it reports the finish, whose
  // outcome the host must see before it ends the load.
  bool reported_loading_ = false;
  std::shared_ptr<const PageHooks> hooks_;
  QStringList certificate_errors_;
  // document.characterSet of the last load; the charset chosen by the user
  // and the address of the page it was chosen for.
  std::string charset_;
  std::string chosen_charset_;
  QUrl chosen_for_;
  // While a load of the shown page is asked for and not yet started.
  std::unique_ptr<PaintHold> paint_hold_;
};

}  // namespace tolvane
