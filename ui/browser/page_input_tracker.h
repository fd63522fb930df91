#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QPoint>
#include <functional>

class QWidget;

namespace tolvane {

// Watches the keyboard and mouse input a page view receives, to tell what
// the engine does not: whether Ctrl, Shift or the middle button were held
// when a navigation or new window arrives, and when the user pressed or
// released the left button over the page or Space or Enter in it (the
// pop-up gate's user action).
//
// The engine's render widget inside the view is made late and replaced on
// some navigations, so the tracker follows every child widget the view
// gains instead of holding on to one.
class PageInputTracker : public QObject {
 public:
  // Input older than this no longer counts as held for a navigation: the
  // release of a key can be missed when the focus leaves the page.
  static constexpr qint64 kHeldMs = 1000;

  // `now_ms` is a monotonic clock in milliseconds (tests pass their own).
  explicit PageInputTracker(QObject* parent = nullptr, std::function<qint64()> now_ms = {});

  // Input reaches the view's child widgets; events the children leave
  // unhandled come back to the view and are not counted twice.
  void Watch(QWidget* view);
  // Runs on every left-button press and release over the page and every
  // press and release of Space or Enter in it.
  void SetUserActionHandler(std::function<void()> handler) { on_user_action_ = std::move(handler); }
  // Ctrl alone with the wheel over the page: the handler is given the
  // wheel's delta (positive away from the user); when it returns true the
  // engine does not see the wheel (and does not zoom by itself).
  void SetCtrlWheelHandler(std::function<bool(int delta)> handler) {
    on_ctrl_wheel_ = std::move(handler);
  }
  // After the engine saw a release of the left or the middle button, with
  // the position in the page's widget.
  void SetReleaseHandler(std::function<void(Qt::MouseButton button, const QPoint& at)> handler) {
    on_release_ = std::move(handler);
  }

  // Ctrl or Shift held at the last input, or the middle button pressed or
  // released, within kHeldMs.
  bool NewTabModifierHeld() const;
  // Whether a user action (a left click, Space or Enter) came within
  // kHeldMs and no earlier call took it. The engine runs a click in
  // another process, so what it causes can arrive well after the click.
  bool TakeRecentClick();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Follow(QObject* object);
  void UserAction();
  qint64 Now() const;

  QObject* view_ = nullptr;
  std::function<qint64()> now_ms_;
  QElapsedTimer clock_;
  std::function<void()> on_user_action_;
  std::function<bool(int)> on_ctrl_wheel_;
  std::function<void(Qt::MouseButton, const QPoint&)> on_release_;
  Qt::KeyboardModifiers modifiers_;
  qint64 modifiers_at_ = -1;
  qint64 middle_at_ = -1;
  qint64 click_at_ = -1;  // -1 also once taken
};

}  // namespace tolvane
