#include "ui/frame/frame_input_filter.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QTextEdit>
#include <QWidget>

#include "core/commands/command_router.h"
#include "core/commands/command_table.h"
#include "core/commands/key_name_table.h"
#include "core/files/setting_keys.h"
#include "ui/base/qt_text.h"

namespace tolvane {
namespace {

// The virtual-key code the command table uses for a Qt key; 0 for a key it
// does not know.
int VirtualKey(int key) {
  if ((key >= Qt::Key_A && key <= Qt::Key_Z) || (key >= Qt::Key_0 && key <= Qt::Key_9)) {
    return key;  // Qt and the table share the ASCII codes
  }
  if (key >= Qt::Key_F1 && key <= Qt::Key_F24) return vk::kF1 + (key - Qt::Key_F1);
  switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
      return vk::kEnter;
    case Qt::Key_Escape:
      return vk::kEsc;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
      return vk::kTab;
    case Qt::Key_Backspace:
      return vk::kBackspace;
    case Qt::Key_Insert:
      return vk::kInsert;
    case Qt::Key_Delete:
      return vk::kDelete;
    case Qt::Key_Home:
      return vk::kHome;
    case Qt::Key_End:
      return vk::kEnd;
    case Qt::Key_Plus:
      return vk::kAdd;
    case Qt::Key_Minus:
      return vk::kSubtract;
    case Qt::Key_Asterisk:
      return vk::kMultiply;
    case Qt::Key_Slash:
      return vk::kDivide;
    case Qt::Key_Left:
      return vk::kLeft;
    case Qt::Key_Up:
      return vk::kUp;
    case Qt::Key_Right:
      return vk::kRight;
    case Qt::Key_Down:
      return vk::kDown;
    case Qt::Key_PageUp:
      return vk::kPageUp;
    case Qt::Key_PageDown:
      return vk::kPageDown;
    case Qt::Key_Pause:
      return vk::kPause;
    case Qt::Key_Print:
      return vk::kPrintScreen;
    case Qt::Key_Space:
      return vk::kSpace;
    case Qt::Key_Shift:
      return vk::kShift;
    case Qt::Key_Control:
      return vk::kControl;
    case Qt::Key_Alt:
      return vk::kAlt;
    default:
      return 0;
  }
}

// The modifiers held at the event, the key itself included when it is a
// modifier (its own press reports the state before it).
Qt::KeyboardModifiers HeldModifiers(const QKeyEvent& event, bool press) {
  Qt::KeyboardModifiers held = event.modifiers();
  const Qt::KeyboardModifier own = event.key() == Qt::Key_Control ? Qt::ControlModifier
                                   : event.key() == Qt::Key_Shift ? Qt::ShiftModifier
                                   : event.key() == Qt::Key_Alt   ? Qt::AltModifier
                                                                  : Qt::NoModifier;
  if (own != Qt::NoModifier) held.setFlag(own, press);
  return held;
}

// Whether `key` is one that the text field `focus` uses itself: typing,
// moving, Esc and Delete, and the usual editing chords (select all, copy,
// paste, undo, word moves). Those stay with the field rather than become
// the page's commands; function keys and the other chords still run
// commands.
bool FieldTakes(const QWidget* focus, const QKeyEvent& key) {
  const auto* box = qobject_cast<const QComboBox*>(focus);
  const bool field = (box != nullptr && box->isEditable()) ||
                     qobject_cast<const QLineEdit*>(focus) != nullptr ||
                     qobject_cast<const QTextEdit*>(focus) != nullptr ||
                     qobject_cast<const QPlainTextEdit*>(focus) != nullptr ||
                     qobject_cast<const QAbstractSpinBox*>(focus) != nullptr;
  if (!field) return false;
  const Qt::KeyboardModifiers chord =
      key.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
  if (chord == Qt::NoModifier) return key.key() < Qt::Key_F1 || key.key() > Qt::Key_F35;
  static constexpr QKeySequence::StandardKey kEditing[] = {
      QKeySequence::SelectAll,
      QKeySequence::Copy,
      QKeySequence::Cut,
      QKeySequence::Paste,
      QKeySequence::Undo,
      QKeySequence::Redo,
      QKeySequence::DeleteStartOfWord,
      QKeySequence::DeleteEndOfWord,
      QKeySequence::MoveToNextWord,
      QKeySequence::MoveToPreviousWord,
      QKeySequence::SelectNextWord,
      QKeySequence::SelectPreviousWord,
      QKeySequence::MoveToStartOfDocument,
      QKeySequence::MoveToEndOfDocument,
      QKeySequence::SelectStartOfDocument,
      QKeySequence::SelectEndOfDocument,
  };
  for (QKeySequence::StandardKey editing : kEditing) {
    if (key.matches(editing)) return true;
  }
  return false;
}

}  // namespace

FrameInputFilter::FrameInputFilter(QWidget& window, const CommandTable& table,
                                   CommandRouter& router, ShortcutOwners& owners, Parts parts)
    : QObject(&window),
      window_(window),
      table_(table),
      router_(router),
      dispatcher_(table, owners),
      parts_(std::move(parts)),
      accelerators_(table),
      typed_(
          0,
          [this](std::string_view text) {
            return dispatcher_.Dispatch(MatchKind::kTypedShortcut, text, false);
          },
          [this](std::string_view text) { return dispatcher_.LettersMayGoOn(text); }) {
  QCoreApplication::instance()->installEventFilter(this);
}

FrameInputFilter::~FrameInputFilter() {
  if (QCoreApplication* app = QCoreApplication::instance()) app->removeEventFilter(this);
}

void FrameInputFilter::Reload(const SettingsStore& settings) {
  gestures_.set_settings(GestureSettings::Read(settings));
  typed_.set_hot_key(Read(settings, settings::kFindTreeHotKey));
  accelerators_ = AcceleratorTable(table_);
}

bool FrameInputFilter::InWindow(QObject* watched) const {
  return watched->isWidgetType() && static_cast<QWidget*>(watched)->window() == &window_;
}

bool FrameInputFilter::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::MouseMove:
      if (!gestures_.armed()) {
        if (parts_.category_row != nullptr && watched->isWidgetType()) {
          OnHover(*static_cast<QWidget*>(watched));
        }
        return false;
      }
      [[fallthrough]];
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
      if (replaying_ || !InWindow(watched)) return false;
      return OnMouse(*static_cast<QWidget*>(watched), *static_cast<QMouseEvent*>(event));
    case QEvent::ContextMenu:
      // Qt follows a right-button press with its context menu: while the
      // press is held back, so is the menu.
      if (replaying_ || !gestures_.armed() || !InWindow(watched) ||
          static_cast<QContextMenuEvent*>(event)->reason() != QContextMenuEvent::Mouse) {
        return false;
      }
      menu_held_back_ = true;
      return true;
    case QEvent::KeyPress:
    case QEvent::KeyRelease: {
      if (replaying_) return false;
      // Keys are taken where Qt delivers them, at the focus widget. What
      // that widget leaves goes on to its parents, and the page's engine
      // hands back the keys it did not use, both as further events: seen
      // once, at the focus widget.
      const QWidget* focus = QApplication::focusWidget();
      if (watched != (focus != nullptr ? focus : &window_) || !InWindow(watched)) return false;
      return OnKey(*static_cast<QKeyEvent*>(event), event->type() == QEvent::KeyPress);
    }
    default:
      return false;
  }
}

void FrameInputFilter::OnHover(QWidget& widget) {
  QWidget* row = parts_.category_row;
  const bool over = &widget == row || row->isAncestorOf(&widget);
  if (over && !hovering_category_row_ && row->window()->isActiveWindow()) {
    row->setFocus(Qt::MouseFocusReason);
  }
  hovering_category_row_ = over;
}

bool FrameInputFilter::OnMouse(QWidget& widget, QMouseEvent& event) {
  const QPoint at = window_.mapFromGlobal(event.globalPosition()).toPoint();
  const Point position{at.x(), at.y()};
  switch (event.type()) {
    case QEvent::MouseMove: {
      const GestureRecognizer::Move move = gestures_.OnMouseMove(position);
      if (move.stepped) {
        if (parts_.cancel_tab_drags) parts_.cancel_tab_drags();
        ShowStatus(gestures_.status_text());
      }
      return move.consumed;
    }
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
      if (event.button() == Qt::LeftButton) {
        if (gestures_.armed()) ShowStatus({});
        gestures_.OnLeftDown();
        return false;
      }
      if (event.button() != Qt::RightButton) return false;
      press_target_ = &widget;
      press_local_ = event.position();
      press_global_ = event.globalPosition();
      press_modifiers_ = event.modifiers();
      menu_held_back_ = false;
      return gestures_.OnRightDown(position, true);
    case QEvent::MouseButtonRelease:
      if (event.button() != Qt::RightButton || !gestures_.armed()) return false;
      return OnRightUp();
    default:
      return false;
  }
}

bool FrameInputFilter::OnRightUp() {
  const GestureRecognizer::Release release = gestures_.OnRightUp();
  ShowStatus({});
  switch (release.action) {
    case GestureRecognizer::Release::Action::kRunGesture:
      dispatcher_.Dispatch(MatchKind::kGesture, release.gesture, false);
      break;
    case GestureRecognizer::Release::Action::kReplayPress:
      if (QWidget* target = press_target_.data()) {
        replaying_ = true;
        QMouseEvent press(QEvent::MouseButtonPress, press_local_, press_global_, Qt::RightButton,
                          Qt::RightButton, press_modifiers_);
        QCoreApplication::sendEvent(target, &press);
        if (menu_held_back_ && press_target_) {
          QContextMenuEvent menu(QContextMenuEvent::Mouse, press_local_.toPoint(),
                                 press_global_.toPoint(), press_modifiers_);
          QCoreApplication::sendEvent(press_target_.data(), &menu);
        }
        replaying_ = false;
      }
      break;
    case GestureRecognizer::Release::Action::kNone:
      break;
  }
  press_target_.clear();
  return release.consumed;
}

bool FrameInputFilter::OnKey(QKeyEvent& event, bool press) {
  const int key = VirtualKey(event.key());
  const Qt::KeyboardModifiers held = HeldModifiers(event, press);
  const KeyEvent typed_key{key,
                           (held & Qt::ShiftModifier ? key_state::kShift : 0) |
                               (held & Qt::ControlModifier ? key_state::kCtrl : 0) |
                               (held & Qt::AltModifier ? key_state::kAlt : 0),
                           event.isAutoRepeat()};
  const bool typed_consumed = press ? typed_.OnKeyDown(typed_key) : typed_.OnKeyUp(typed_key);
  ShowStatus(typed_.status_text());
  if (typed_consumed || !press || key == 0) return typed_consumed;
  if (FieldTakes(QApplication::focusWidget(), event)) return false;

  const int modifiers = (held & Qt::ShiftModifier ? modifier::kShift : 0) |
                        (held & Qt::ControlModifier ? modifier::kCtrl : 0) |
                        (held & Qt::AltModifier ? modifier::kAlt : 0);
  std::optional<CommandId> id = accelerators_.Find({modifiers, key});
  // "+" and "*" need Shift on most layouts: Ctrl++ is typed with it.
  if (!id && (key == vk::kAdd || key == vk::kMultiply) && (modifiers & modifier::kShift)) {
    id = accelerators_.Find({modifiers & ~modifier::kShift, key});
  }
  if (!id || !router_.Handles(*id)) return false;
  CommandContext context = parts_.context ? parts_.context() : CommandContext{};
  context.modifiers = {.shift = (modifiers & modifier::kShift) != 0,
                       .ctrl = (modifiers & modifier::kCtrl) != 0,
                       .alt = (modifiers & modifier::kAlt) != 0};
  // A command that cannot run leaves the key to the widget: Esc with
  // nothing to stop reaches the page.
  if (!router_.State(*id, context).enabled) return false;
  router_.Run(*id, std::move(context));
  return true;
}

void FrameInputFilter::PassKey(int key, Qt::KeyboardModifiers modifiers, const QString& text) {
  QWidget* focus = QApplication::focusWidget();
  if (focus == nullptr) return;
  replaying_ = true;
  // With its text: a form field sends its form on the character, not the key.
  QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
  QCoreApplication::sendEvent(focus, &press);
  QKeyEvent release(QEvent::KeyRelease, key, modifiers, text);
  QCoreApplication::sendEvent(focus, &release);
  replaying_ = false;
}

void FrameInputFilter::ShowStatus(const std::string& sjis) {
  if (sjis == shown_status_) return;
  shown_status_ = sjis;
  if (parts_.show_status) parts_.show_status(ToQString(sjis));
}

}  // namespace tolvane
