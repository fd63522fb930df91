#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/commands/command_id.h"
#include "core/search/search_bar_buttons.h"

namespace tolvane {

// One of the program's own entries at the top of the page's context menu.
struct ContextMenuEntry {
  enum class Kind {
    kKeywordInput,      // submenu of the stored keywords (kKeywordInputFirst…)
    kItem,              // a command
    kSearchBarButtons,  // the search bar's buttons (PageContextState::bar_buttons)
    kSearchTree,        // submenu holding the whole search tree
    kFavoritesBar,      // submenu with the favorites bar's entries
    kSeparator,
    kSubmenu,  // an engine folder's engines or a tab group's tabs (children)
  };
  Kind kind = Kind::kSeparator;
  std::string text;  // Shift_JIS; empty for the search bar buttons and separators
  CommandId command;
  bool enabled = true;
  // The engine or tab row an engine or tab command searches with; -1 none.
  int list_row = -1;
  std::vector<ContextMenuEntry> children = {};
};

// What the page's context menu depends on besides the engine's own entries.
struct PageContextState {
  bool text_field_focused = false;  // the keyboard focus is in a text field
  std::string selection;            // the selected text, Shift_JIS
  std::string category_name;        // the current category tab's caption
  bool category_tab_current = false;
  bool category_searches = false;  // the current category tab has a search set up
  // The search bar's buttons as the menu lists them (SearchBarButtonEntries).
  std::vector<ContextMenuEntry> bar_buttons;
};

// Commands of the keyword-input submenu: one per stored keyword, at most 35;
// choosing one writes that keyword into the focused field.
inline constexpr CommandId kKeywordInputFirst{34800};
inline constexpr CommandId kKeywordInputLast{34834};

// The selection as the menu quotes it: cut to 30 bytes, double-byte
// characters kept whole, "..." appended when it was longer.
std::string QuotedSelection(std::string_view selection);

// The program's entries in order, a separator last: the keyword input while a
// text field has the focus; with a selection "\"%s\"を%sで検索" (enabled
// when the category tab searches); the search bar's buttons; the search tree
// ("検索エンジンを指定して検索" with a selection, else "検索エンジンを選択");
// without a selection and outside text fields a separator, the favorites bar
// and "このページをお気に入りに追加".
std::vector<ContextMenuEntry> PageContextMenuEntries(const PageContextState& state);

// The search bar's "まとめて検索" button in this menu: the text
// "\"%s\"をまとめて検索" with a selection, else the command's name; enabled
// only while a category tab is current.
ContextMenuEntry BatchSearchMenuEntry(const PageContextState& state);

// The search bar's buttons in this menu, in the bar's order, at most
// kMaxBarButtons: a built-in its command with its name ("まとめて検索" as
// BatchSearchMenuEntry), an engine or a tab its engine or tab command on its
// row, an engine folder or a tab group a submenu of its engines or tabs.
inline constexpr std::size_t kMaxBarButtons = 15;
std::vector<ContextMenuEntry> SearchBarButtonEntries(const PageContextState& state,
                                                     const SearchBarButtons& buttons,
                                                     const SearchBarButtons::Sources& sources);

// "kind:text:command[:off]" per entry joined by " | ", text in UTF-8; a
// submenu's children follow in "[…]", each with its "@row".
std::string DescribeContextMenu(const std::vector<ContextMenuEntry>& entries);

}  // namespace tolvane
