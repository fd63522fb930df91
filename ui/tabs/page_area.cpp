#include "ui/tabs/page_area.h"

#include <QChildEvent>

namespace tolvane {

PageArea::PageArea(QWidget* parent) : QWidget(parent) { setObjectName(QStringLiteral("pageArea")); }

void PageArea::FillWith(QWidget* child) {
  if (child != nullptr && !child->isWindow()) child->setGeometry(rect());
}

void PageArea::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  for (QObject* child : children()) FillWith(qobject_cast<QWidget*>(child));
}

void PageArea::childEvent(QChildEvent* event) {
  QWidget::childEvent(event);
  if (event->type() == QEvent::ChildAdded || event->type() == QEvent::ChildPolished)
    FillWith(qobject_cast<QWidget*>(event->child()));
}

}  // namespace tolvane
