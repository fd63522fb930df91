#pragma once

#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QString>
#include <functional>

#include "core/commands/accelerator_table.h"
#include "core/commands/command_context.h"
#include "core/commands/command_dispatcher.h"
#include "core/commands/gesture_recognizer.h"
#include "core/commands/typed_shortcut.h"

class QKeyEvent;
class QMouseEvent;
class QWidget;

namespace tolvane {

class CommandRouter;
class CommandTable;
class SettingsStore;

// Sees the input of every widget of one window before the widget does (an
// event filter on the application, since the page's engine draws into child
// widgets made and replaced behind our back) and turns it into commands, in
// this order:
//   1. typed shortcut letters: the hot key of OptionFindTree/HotKey, then
//      letters, dispatched to engine folders, engines, tab groups and tabs;
//   2. a left-button press ends a gesture (the page's pop-up gate sees the
//      press through the page's own input tracker);
//   3. mouse gestures: a right-button press anywhere in the window is held
//      back; a drag becomes arrows, shown in the status text and dispatched
//      on release; a release without movement gives the widget the press and
//      its context menu back, so the page and the rows show their own menus;
//   4. accelerators: a key binding of the command table runs its command
//      through the router. A binding whose command has no handler on the
//      router, and the plain navigation keys the table leaves to the page
//      and fields, pass on untouched.
// Widgets of other windows (dialogs, menus) are left alone.
class FrameInputFilter : public QObject {
 public:
  struct Parts {
    // Hovering it gives it the keyboard focus.
    QWidget* category_row = nullptr;
    // A gesture took its first step: drags begun in the tab rows end.
    std::function<void()> cancel_tab_drags;
    // The context of a command given now (the keys held are the key's own).
    std::function<CommandContext()> context;
    // Status pane 0: the gesture or typed letters; "" clears it.
    std::function<void(const QString&)> show_status;
  };

  FrameInputFilter(QWidget& window, const CommandTable& table, CommandRouter& router,
                   ShortcutOwners& owners, Parts parts);
  ~FrameInputFilter() override;

  // Reads the gesture settings and the hot key again and rebuilds the
  // accelerators from the command table (at start and after every change).
  void Reload(const SettingsStore& settings);

  // Presses and releases `key` at the focus widget, past the accelerators:
  // a command hands the widget its own key (the page's Enter on a link).
  void PassKey(int key, Qt::KeyboardModifiers modifiers, const QString& text = {});

  const GestureRecognizer& gestures() const { return gestures_; }
  const TypedShortcut& typed() const { return typed_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  bool InWindow(QObject* watched) const;
  bool OnKey(QKeyEvent& event, bool press);
  bool OnMouse(QWidget& widget, QMouseEvent& event);
  void OnHover(QWidget& widget);
  bool OnRightUp();
  void ShowStatus(const std::string& sjis);

  QWidget& window_;
  const CommandTable& table_;
  CommandRouter& router_;
  CommandDispatcher dispatcher_;
  Parts parts_;
  AcceleratorTable accelerators_;
  GestureRecognizer gestures_;
  TypedShortcut typed_;
  std::string shown_status_;
  // The right-button press held back, given back for a click.
  QPointer<QWidget> press_target_;
  QPointF press_local_;
  QPointF press_global_;
  Qt::KeyboardModifiers press_modifiers_;
  bool menu_held_back_ = false;
  bool replaying_ = false;
  bool hovering_category_row_ = false;
};

}  // namespace tolvane
