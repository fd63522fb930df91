#include "core/commands/typed_shortcut.h"

#include "core/commands/key_name_table.h"
#include "core/files/string_table.h"

namespace tolvane {
namespace {

constexpr int kTypedStatus = 1006;

}  // namespace

bool TypedShortcut::IsHotKey(const KeyEvent& event) const {
  using namespace key_state;
  switch (hot_key_) {
    case 0:
      return event.modifiers == kCtrl && event.key == vk::kSpace;
    case 1:
      return event.modifiers == (kCtrl | kAlt);
    case 2:
      return event.modifiers == (kShift | kCtrl | kAlt);
    case 3:
      return event.modifiers == (kShift | kCtrl);
    case 4:
      return event.modifiers == (kShift | kAlt);
    default:
      return false;
  }
}

void TypedShortcut::End() {
  state_ = State::kIdle;
  typed_.clear();
  unreachable_ = false;
  status_.clear();
}

void TypedShortcut::UpdateStatus() {
  status_ = FormatString(unreachable_ ? string_id::kTypedNoOwner : kTypedStatus, {typed_});
}

bool TypedShortcut::OnKeyDown(const KeyEvent& event) {
  switch (state_) {
    case State::kHeld:
      // The held hot key repeating is not another key.
      if (!event.auto_repeat) state_ = State::kCancelled;
      return false;
    case State::kIdle:
      if (!IsHotKey(event)) return false;
      state_ = State::kHeld;
      typed_.clear();
      unreachable_ = false;
      return event.key == vk::kSpace;
    case State::kTyping:
      // Only the letters the owners' fields can hold are collected.
      if (event.modifiers != 0 || event.key < vk::kA || event.key > vk::kZ) {
        End();
        return false;
      }
      typed_ += static_cast<char>(event.key - vk::kA + 'a');
      if (dispatch_(typed_)) {
        End();
      } else {
        unreachable_ = may_go_on_ && !may_go_on_(typed_);
        UpdateStatus();
      }
      return true;
    case State::kCancelled:
      return false;
  }
  return false;
}

bool TypedShortcut::OnKeyUp(const KeyEvent& event) {
  if (event.modifiers == 0) {
    if (state_ == State::kHeld) state_ = State::kTyping;
    if (state_ == State::kCancelled) state_ = State::kIdle;
    if (state_ == State::kTyping) UpdateStatus();
  }
  // Shift+Alt released Alt first: keep the menu bar from taking the focus.
  return event.key == vk::kAlt && event.modifiers == key_state::kShift;
}

std::string TypedShortcut::Describe() const {
  switch (state_) {
    case State::kIdle:
      return "idle";
    case State::kHeld:
      return "held";
    case State::kCancelled:
      return "cancelled";
    case State::kTyping:
      return "typing " + typed_;
  }
  return {};
}

}  // namespace tolvane
