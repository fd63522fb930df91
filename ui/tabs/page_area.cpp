#include "ui/tabs/page_area.h"

#include <QApplication>
#include <QChildEvent>
#include <QWebEngineView>

namespace tolvane {

PageArea::PageArea(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("pageArea"));
  // Only ever given the focus by itself, to hold it between two pages.
  setFocusPolicy(Qt::NoFocus);
}

void PageArea::FillWith(QWidget* child) {
  if (child != nullptr && !child->isWindow()) child->setGeometry(rect());
}

void PageArea::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  for (QObject* child : children()) FillWith(qobject_cast<QWidget*>(child));
}

void PageArea::childEvent(QChildEvent* event) {
  QWidget::childEvent(event);
  if (event->type() == QEvent::ChildAdded && event->child()->isWidgetType()) {
    event->child()->installEventFilter(this);
  }
  if (event->type() == QEvent::ChildAdded || event->type() == QEvent::ChildPolished)
    FillWith(qobject_cast<QWidget*>(event->child()));
}

// A page's widget is told it hides before Qt moves a focus it holds on.
bool PageArea::eventFilter(QObject* watched, QEvent* event) {
  auto* child = qobject_cast<QWidget*>(watched);
  if (child != nullptr && child->parentWidget() == this) {
    QWidget* focus = QApplication::focusWidget();
    if (event->type() == QEvent::Hide && focus != nullptr && child->isAncestorOf(focus)) {
      setFocus(Qt::OtherFocusReason);
    } else if (event->type() == QEvent::Show && focus == this) {
      FocusPage(child);
    } else if (event->type() == QEvent::ChildPolished && focus == child) {
      FocusPage(child);  // the page's web view is made after its first show
    }
  }
  return QWidget::eventFilter(watched, event);
}

void PageArea::FocusPage(QWidget* child) {
  auto* view = child->findChild<QWebEngineView*>();
  (view != nullptr ? static_cast<QWidget*>(view) : child)->setFocus(Qt::OtherFocusReason);
}

}  // namespace tolvane
