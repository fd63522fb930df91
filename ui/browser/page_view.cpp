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

bool PageView::focusNextPrevChild(bool next) {
  if (on_leave_ && on_leave_(!next)) return true;
  return QWebEngineView::focusNextPrevChild(next);
}

}  // namespace tolvane
