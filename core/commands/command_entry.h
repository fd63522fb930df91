#pragma once

#include <string>

#include "core/commands/command_id.h"

namespace tolvane {

// Modifier bits of a key binding.
namespace modifier {
inline constexpr int kShift = 4;
inline constexpr int kCtrl = 8;
inline constexpr int kAlt = 16;
inline constexpr int kAll = kShift | kCtrl | kAlt;
}  // namespace modifier

// One key binding: modifier bits and a virtual-key code; key 0 = none.
struct KeyBinding {
  int modifiers = 0;
  int key = 0;

  bool empty() const { return key == 0; }
  friend bool operator==(const KeyBinding&, const KeyBinding&) = default;
};

// Which option pages list an entry.
namespace list_flag {
inline constexpr int kGesturePage = 1;
inline constexpr int kShortcutPage = 2;
inline constexpr int kBoth = kGesturePage | kShortcutPage;
}  // namespace list_flag

// One row of the command table.
struct CommandEntry {
  int list_flags = 0;
  // String id of the category (2001-2009); 0 = none.
  int category = 0;
  CommandId id;
  KeyBinding keys[2];
  // Gestures, Shift_JIS, alternatives separated by ","; empty = none.
  std::string gestures;
};

}  // namespace tolvane
