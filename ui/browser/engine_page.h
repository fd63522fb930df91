#pragma once

#include <QWebEnginePage>
#include <functional>

namespace tolvane {

// A web page whose navigation requests and script errors go to whoever owns
// it; QWebEnginePage offers these only as virtual functions.
class EnginePage : public QWebEnginePage {
  Q_OBJECT

 public:
  // Returns true to let the navigation go ahead.
  using NavigationHandler = std::function<bool(const QUrl& url, NavigationType type, bool main)>;
  using ScriptErrorHandler = std::function<void()>;

  EnginePage(QWebEngineProfile* profile, QObject* parent);

  void SetNavigationHandler(NavigationHandler handler) { on_navigation_ = std::move(handler); }
  void SetScriptErrorHandler(ScriptErrorHandler handler) { on_script_error_ = std::move(handler); }

 protected:
  bool acceptNavigationRequest(const QUrl& url, NavigationType type, bool is_main_frame) override;
  void javaScriptConsoleMessage(JavaScriptConsoleMessageLevel level, const QString& message,
                                int line, const QString& source) override;

 private:
  NavigationHandler on_navigation_;
  ScriptErrorHandler on_script_error_;
};

}  // namespace tolvane
