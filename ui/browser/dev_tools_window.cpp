#include "ui/browser/dev_tools_window.h"

#include <QCloseEvent>

namespace tolvane {

DevToolsWindow::DevToolsWindow(QWebEngineView& inspected)
    : QWebEngineView(&inspected), inspected_(inspected.page()) {
  setObjectName(QStringLiteral("devTools"));
  setWindowFlag(Qt::Window);
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle(QStringLiteral("デベロッパー ツール"));
  resize(900, 600);
  setPage(new QWebEnginePage(inspected_->profile(), this));
  inspected_->setDevToolsPage(page());
  // The inspector's own close button; the page is not deleted inside its
  // own signal.
  connect(page(), &QWebEnginePage::windowCloseRequested, this, &QWidget::close,
          Qt::QueuedConnection);
}

void DevToolsWindow::closeEvent(QCloseEvent* event) {
  if (inspected_ != nullptr) inspected_->setDevToolsPage(nullptr);
  QWebEngineView::closeEvent(event);
}

}  // namespace tolvane
