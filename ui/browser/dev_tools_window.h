#pragma once

#include <QPointer>
#include <QWebEnginePage>
#include <QWebEngineView>

namespace tolvane {

// The engine's inspector for one page, in a window of its own that goes
// with the page's view. Closing it lets the page go: an inspected page is
// never put to sleep.
class DevToolsWindow : public QWebEngineView {
 public:
  explicit DevToolsWindow(QWebEngineView& inspected);

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  QPointer<QWebEnginePage> inspected_;
};

}  // namespace tolvane
