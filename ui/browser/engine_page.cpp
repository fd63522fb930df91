#include "ui/browser/engine_page.h"

namespace tolvane {

EnginePage::EnginePage(QWebEngineProfile* profile, QObject* parent)
    : QWebEnginePage(profile, parent) {}

bool EnginePage::acceptNavigationRequest(const QUrl& url, NavigationType type, bool is_main_frame) {
  return !on_navigation_ || on_navigation_(url, type, is_main_frame);
}

void EnginePage::javaScriptConsoleMessage(JavaScriptConsoleMessageLevel level,
                                          const QString& message, int, const QString&) {
  // Uncaught exceptions are the page's script errors; console.error() calls
  // of a working page are not.
  if (level == ErrorMessageLevel && message.startsWith(QLatin1String("Uncaught")) &&
      on_script_error_) {
    on_script_error_();
  }
}

}  // namespace tolvane
