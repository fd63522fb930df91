#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace tolvane {

// Modifier state of a key event in the typed-shortcut mode.
namespace key_state {
inline constexpr int kShift = 1;
inline constexpr int kCtrl = 2;
inline constexpr int kAlt = 4;
}  // namespace key_state

// One key event: virtual-key code, the modifiers held at the time of the
// event (the key itself included when it is a modifier) and whether it is
// the keyboard's repeat of a held key.
struct KeyEvent {
  int key = 0;
  int modifiers = 0;
  bool auto_repeat = false;
};

// The typed-shortcut mode: the hot key of "OptionFindTree"/"HotKey", then
// with every modifier released the letters a-z, which are collected and
// handed to `dispatch` after each letter until an owner is found. Any other
// key ends the mode and goes on to its window.
//
//   idle (0) --hot key--> held (1) --all released--> typing (2)
//   held (1) --another key--> cancelled (-1) --all released--> idle (0)
//   typing (2) --owner found, or a key that is not a letter--> idle (0)
//
// While no owner's letters start with the typed ones the status text says so;
// the mode goes on as before until a key that is not a letter.
//
// Hot keys: 0 Ctrl+Space, 1 Ctrl+Alt, 2 Shift+Ctrl+Alt, 3 Shift+Ctrl,
// 4 Shift+Alt.
class TypedShortcut {
 public:
  enum class State { kIdle = 0, kHeld = 1, kCancelled = -1, kTyping = 2 };
  // Runs a typed text (dispatch kind 0); true when an owner was found.
  using Dispatch = std::function<bool(std::string_view typed)>;
  // True when some owner's letters start with the typed ones.
  using MayGoOn = std::function<bool(std::string_view typed)>;

  TypedShortcut(int hot_key, Dispatch dispatch, MayGoOn may_go_on = nullptr)
      : hot_key_(hot_key), dispatch_(std::move(dispatch)), may_go_on_(std::move(may_go_on)) {}

  void set_hot_key(int hot_key) { hot_key_ = hot_key; }

  // Key-down or system-key-down; true when the key is consumed.
  bool OnKeyDown(const KeyEvent& event);
  // Key-up or system-key-up; true when the key is consumed.
  bool OnKeyUp(const KeyEvent& event);

  State state() const { return state_; }
  const std::string& typed() const { return typed_; }
  // String 1006 with the typed text while typing (kTypedNoOwner once no
  // owner can be reached by typing on), else "".
  const std::string& status_text() const { return status_; }
  // "typing ab" / "idle", for tests.
  std::string Describe() const;

 private:
  bool IsHotKey(const KeyEvent& event) const;
  void End();
  void UpdateStatus();

  int hot_key_;
  Dispatch dispatch_;
  MayGoOn may_go_on_;
  bool unreachable_ = false;
  State state_ = State::kIdle;
  std::string typed_;
  std::string status_;
};

}  // namespace tolvane
