#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tolvane {

// Virtual-key codes: the numbers keys have in the command table, in the
// stored shortcuts and in the accelerators. The Qt layer maps its keys to
// them.
namespace vk {
inline constexpr int kBackspace = 0x08;
inline constexpr int kTab = 0x09;
inline constexpr int kEnter = 0x0D;
inline constexpr int kShift = 0x10;
inline constexpr int kControl = 0x11;
inline constexpr int kAlt = 0x12;
inline constexpr int kPause = 0x13;
inline constexpr int kEsc = 0x1B;
inline constexpr int kSpace = 0x20;
inline constexpr int kPageUp = 0x21;
inline constexpr int kPageDown = 0x22;
inline constexpr int kEnd = 0x23;
inline constexpr int kHome = 0x24;
inline constexpr int kLeft = 0x25;
inline constexpr int kUp = 0x26;
inline constexpr int kRight = 0x27;
inline constexpr int kDown = 0x28;
inline constexpr int kPrintScreen = 0x2C;
inline constexpr int kInsert = 0x2D;
inline constexpr int kDelete = 0x2E;
inline constexpr int k0 = 0x30;
inline constexpr int kA = 0x41;
inline constexpr int kZ = 0x5A;
inline constexpr int kMultiply = 0x6A;
inline constexpr int kAdd = 0x6B;
inline constexpr int kSubtract = 0x6D;
inline constexpr int kDivide = 0x6F;
inline constexpr int kF1 = 0x70;
}  // namespace vk

// The keys a shortcut may use, with the names they are shown and typed by
// (Shift_JIS; the arrow keys are named "←", "↑", "→", "↓"). In order: the
// empty name for code 0, "A"-"Z", "0"-"9", "F1"-"F12", "Enter", "Esc",
// "Tab", "Backspace", "Insert", "Delete", "Home", "End", "+", "-", "*", "/",
// the four arrows, "PageUp", "PageDown", "Pause", "PrintScreen": 68 keys and
// the empty name, 69 entries.
class KeyNameTable {
 public:
  struct Key {
    int code;
    std::string name;
  };

  static const std::vector<Key>& Keys();
  // "" for a code outside the table (and for 0).
  static std::string_view KeyName(int code);
  // 0 for a name outside the table; names compare exactly.
  static int KeyCode(std::string_view name);
};

}  // namespace tolvane
