#pragma once

#include <string>

#include "core/text/keyword.h"

namespace tolvane {

// Keys and buttons held down when a command was given or a page opens; any
// of shift, ctrl or the middle button sends a page to a new page tab.
struct ModifierState {
  bool shift = false;
  bool ctrl = false;
  bool middle_button = false;
  bool alt = false;

  bool any() const { return shift || ctrl || middle_button; }
};

// Which part of the window had the keyboard focus when a command was given.
// The page counts while it was the last part to take the focus: menus take
// none, so a menu command still sees the part the user left.
enum class InputFocus {
  kOther,
  kKeywordBox,  // the search bar's keyword box
  kSideBarBox,  // the side bar's keyword box
  kAddressBar,
  kPage,
  kTabTree,
  kCategoryRow,
};

// Everything of the window a command may read, taken once, at the moment
// the command is given (one Qt function reads it). WindowCore::ContextFor
// turns it into the command's context; nothing asks the window again while
// the command runs.
struct InputState {
  InputFocus focus = InputFocus::kOther;
  // Both keyword boxes as typed.
  Keyword search_bar_text;
  Keyword side_bar_text;
  // The shown page's selected text (UTF-8); empty without a page.
  std::string selection;
  // The address bar's text (Shift_JIS).
  std::string address_bar_text;
  ModifierState keys;
  // The search bar's group drop-down: the tab group folder chosen there, or -1.
  int group_choice = -1;
};

}  // namespace tolvane
