#include "ui/browser/page_view.h"

#include <QContextMenuEvent>

namespace tolvane {

void PageView::contextMenuEvent(QContextMenuEvent* event) {
  if (!on_menu_) {
    QWebEngineView::contextMenuEvent(event);
    return;
  }
  event->accept();
  on_menu_(event->globalPos());
}

}  // namespace tolvane
