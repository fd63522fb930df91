#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/commands/command_id.h"

namespace tolvane {

class CategoryFolderTree;
class EngineList;

// The configurable buttons of the search bar, worked out from the stored
// token list ("OptionFindBar"/"ButtonIDs") and the items flagged for the bar.
// A pure model: the Qt bar draws a layout and asks it which button a command
// ID belongs to; it never reads the lists itself.
//
// Tokens, comma-separated, fields trimmed:
//   "-1" … "-5"   built-in commands (batch search, find in page, highlight,
//                 batch category search, search)
//   "EF<id>"      an engine folder        "EE<id>"  an engine
//   "TF<id>"      a tab group             "TE<id>"  a tab
// Anything else is dropped. After the stored tokens come the flagged engine
// folders, engines, tab groups and tabs whose token is not listed yet, each
// kind in list order. A token whose item is missing, deleted or no longer
// flagged gives no button but stays in the setting, so re-flagging the item
// brings its button back at the same place.
//
// Command IDs: every button added advances a counter starting at 34700;
// buttons other than the built-ins take the counter's value, e.g.
//   "-1,EE5" -> [-1 32842][EE5 34701]
// The bar holds at most kMaxButtons, the span 34700-34799; the tokens after
// them stay in the setting and show when earlier ones go.
class SearchBarButtons {
 public:
  static constexpr int kFirstButtonCommand = 34700;
  static constexpr int kMaxButtons = 100;
  static constexpr int kNoImage = -1;

  enum class Kind { kBuiltIn, kEngineFolder, kEngine, kTabGroup, kTab };

  // One token read from the setting.
  struct Token {
    Kind kind = Kind::kBuiltIn;
    int id = 0;  // built-ins: 1..5; else the item's ID
    friend bool operator==(const Token&, const Token&) = default;
  };

  struct Button {
    Token token;
    CommandId command;
    // Row of the engine or tab list, index of the folder tree; -1 for
    // built-ins.
    int item = -1;
    std::string text;  // Shift_JIS; empty with ShowNoText
    // Index into the tab tree's image list; kNoImage for folder and group
    // buttons, which the bar draws with its folder icon and a drop-down.
    int image = kNoImage;
    friend bool operator==(const Button&, const Button&) = default;
  };

  // What the bar's buttons are made from. All four are read only.
  struct Sources {
    const CategoryFolderTree& engine_folders;
    const EngineList& engines;
    const CategoryFolderTree& tab_groups;
    const EngineList& tabs;
  };

  // The known tokens of a stored list, in order, duplicates kept.
  static std::vector<Token> Parse(std::string_view button_ids);
  // "EE12", "-3".
  static std::string Format(Token token);
  // The stored tokens followed by every flagged item not listed yet.
  static std::vector<Token> WithFlaggedItems(std::vector<Token> tokens, const Sources& sources);

  // The buttons of the bar for the stored list and the lists' state now.
  static SearchBarButtons Build(std::string_view button_ids, bool show_no_text,
                                const Sources& sources);

  const std::vector<Button>& buttons() const { return buttons_; }
  // The button that sends `command`, or null.
  const Button* Find(CommandId command) const;

  // The bar is rebuilt only when what it shows differs: a change of an
  // item's flag, name or icon, a favicon that arrived, a reloaded list or a
  // changed setting all show up here, any other edit does not.
  bool NeedsRebuildFrom(const SearchBarButtons& shown) const { return buttons_ != shown.buttons_; }

  // A folder or engine dropped from the search tree onto the bar, before the
  // button of token `before` (at the end when nullopt or not listed): the
  // item is flagged for the bar, since a token of an unflagged item shows
  // nothing, and its token is moved to that place. Other fields of the text,
  // unknown ones included, are kept. Returns the new setting text for the
  // caller to store before rebuilding.
  static std::string DropEngineFolder(std::string_view button_ids, std::optional<Token> before,
                                      CategoryFolderTree& engine_folders, std::size_t folder_index);
  static std::string DropEngine(std::string_view button_ids, std::optional<Token> before,
                                EngineList& engines, std::size_t row);

  // "[-1 32842 まとめて検索 #54][EE5 34701 Shop #64]" (Shift_JIS text), for tests.
  std::string Describe() const;

 private:
  static std::string MoveToken(std::string_view button_ids, std::optional<Token> before,
                               Token token);

  std::vector<Button> buttons_;
};

}  // namespace tolvane
