#pragma once

#include <optional>
#include <string>

#include "core/commands/command_id.h"
#include "core/commands/input_state.h"
#include "core/text/keyword.h"

namespace tolvane {

// Where a command was given. It decides which tab "this tab" is and whether
// deleting asks first.
enum class CommandSource {
  kMenu,           // menu bar, tool bar, keys, gestures: the current tab and page
  kCategoryBar,    // the category row or its menu: `category`
  kPageBar,        // the page row or its menu: `page`
  kTabTree,        // the tab tree or its menu: `tree_item`, else its selection
  kSearchBar,      // the search bar's box, buttons and menus
  kSideBar,        // the side bar's keyword box and trees
  kPageMenu,       // the page's own context menu
  kTypedShortcut,  // typed shortcut letters
};

// Everything a command needs besides its number, given with it: what it is
// about, the keyword the user gave and the keys held. A handler never asks
// the windows for these after the command started.
struct CommandContext {
  CommandSource source = CommandSource::kMenu;
  // Category bar index of the tab the command is about; -1: the current one.
  int category = -1;
  // Page index within that category; -1: its current page.
  int page = -1;
  // Item of the tab tree or of the search tree the command is about; -1:
  // that tree's selection.
  int tree_item = -1;
  // The keyword given with the command (search bar, side bar, address bar,
  // page selection); none: the command reads no keyword.
  std::optional<Keyword> keyword;
  ModifierState modifiers;
  // Row of the engine list or tab list an engine or tab command is about
  // (the entries of the search bar's menus); -1: none.
  int list_row = -1;
  // The tab tree or the category row had the keyboard focus: an engine
  // command adds the engine as a tab there, a tab command only selects.
  bool tabs_focused = false;
  // Where the keyboard focus was; the page's own keys (link commands) run
  // only while it is the page.
  InputFocus focus = InputFocus::kOther;
  // The address bar's text when the command was given (Shift_JIS): what a
  // search's $s reads.
  std::string address_bar_text;
  // Set by the router: the command being run, and for a command of a
  // numbered range (34600 + i, 34700 + i, …) its place in the range.
  CommandId command;
  int offset = 0;
};

// A command's menu state.
struct CommandState {
  bool enabled = false;
  // Check items (bars shown, zoom level, …): whether the check mark is on.
  bool checked = false;
};

}  // namespace tolvane
