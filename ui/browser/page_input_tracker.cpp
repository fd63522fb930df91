#include "ui/browser/page_input_tracker.h"

#include <QChildEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>
#include <QWidget>

namespace tolvane {

PageInputTracker::PageInputTracker(QObject* parent, std::function<qint64()> now_ms)
    : QObject(parent), now_ms_(std::move(now_ms)) {
  clock_.start();
}

qint64 PageInputTracker::Now() const { return now_ms_ ? now_ms_() : clock_.elapsed(); }

void PageInputTracker::Watch(QWidget* view) {
  view_ = view;
  Follow(view);
}

void PageInputTracker::Follow(QObject* object) {
  if (!object->isWidgetType()) return;
  object->removeEventFilter(this);
  object->installEventFilter(this);
  for (QObject* child : object->children()) Follow(child);
}

bool PageInputTracker::NewTabModifierHeld() const {
  const qint64 now = Now();
  const bool modifier = modifiers_at_ >= 0 && now - modifiers_at_ <= kHeldMs &&
                        (modifiers_ & (Qt::ControlModifier | Qt::ShiftModifier));
  const bool middle = middle_at_ >= 0 && now - middle_at_ <= kHeldMs;
  return modifier || middle;
}

bool PageInputTracker::TakeRecentClick() {
  const bool recent = click_at_ >= 0 && Now() - click_at_ <= kHeldMs;
  click_at_ = -1;
  return recent;
}

void PageInputTracker::UserAction() {
  click_at_ = Now();
  if (on_user_action_) on_user_action_();
}

bool PageInputTracker::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::ChildAdded) {
    Follow(static_cast<QChildEvent*>(event)->child());
    return QObject::eventFilter(watched, event);
  }
  if (watched == view_) return QObject::eventFilter(watched, event);
  switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease: {
      const auto* key = static_cast<QKeyEvent*>(event);
      Qt::KeyboardModifiers modifiers = key->modifiers();
      // Pressing or releasing a modifier key reports the state before it.
      const Qt::KeyboardModifier own = key->key() == Qt::Key_Control ? Qt::ControlModifier
                                       : key->key() == Qt::Key_Shift ? Qt::ShiftModifier
                                                                     : Qt::NoModifier;
      if (own != Qt::NoModifier) modifiers.setFlag(own, event->type() == QEvent::KeyPress);
      modifiers_ = modifiers;
      modifiers_at_ = Now();
      // Space or Enter follows a focused link or presses a focused button.
      if (key->key() == Qt::Key_Space || key->key() == Qt::Key_Return ||
          key->key() == Qt::Key_Enter) {
        UserAction();
      }
      break;
    }
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick: {
      const auto* mouse = static_cast<QMouseEvent*>(event);
      modifiers_ = mouse->modifiers();
      modifiers_at_ = Now();
      // A later click with another button ends what the middle one meant.
      middle_at_ = mouse->button() == Qt::MiddleButton ? modifiers_at_ : -1;
      if (mouse->button() == Qt::LeftButton && event->type() != QEvent::MouseButtonDblClick) {
        UserAction();
      }
      if (event->type() == QEvent::MouseButtonRelease && on_release_ &&
          (mouse->button() == Qt::LeftButton || mouse->button() == Qt::MiddleButton)) {
        // The engine takes the release first (the selection, a middle-click
        // paste of its own); the handler acts on what it made of it.
        const Qt::MouseButton button = mouse->button();
        const QPoint at = mouse->position().toPoint();
        QMetaObject::invokeMethod(
            this, [this, button, at] { on_release_(button, at); }, Qt::QueuedConnection);
      }
      break;
    }
    case QEvent::Wheel: {
      const auto* wheel = static_cast<QWheelEvent*>(event);
      if (wheel->modifiers() == Qt::ControlModifier && on_ctrl_wheel_ &&
          wheel->angleDelta().y() != 0 && on_ctrl_wheel_(wheel->angleDelta().y())) {
        return true;
      }
      break;
    }
    default:
      break;
  }
  return QObject::eventFilter(watched, event);
}

}  // namespace tolvane
