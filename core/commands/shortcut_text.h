#pragma once

#include <string_view>

namespace tolvane {

// Texts of typed shortcuts and gestures, as the command table, search
// engines, engine folders, tabs and tab folders store them: alternatives
// separated by ",". A typed shortcut is made of the letters "a"-"z"; a
// gesture of the arrows "↑", "↓", "←", "→" (Shift_JIS, the names of the
// arrow keys).
enum class Direction { kUp, kDown, kLeft, kRight };

// The arrow of a direction, Shift_JIS.
std::string_view Arrow(Direction direction);

// True when `text` ends with `arrow` twice in a row.
bool EndsWithTwo(std::string_view text, std::string_view arrow);

// Only arrows and ","; such a text cannot break the stored formats, which
// use "." and ";" as separators.
bool IsGestureText(std::string_view text);

// Only "abcdefghijklmnopqrstuvwxyz,".
bool IsTypedShortcutText(std::string_view text);

// True when `text` is one of the alternatives of `field` (",field," contains
// ",text,"). An empty text or field never matches.
bool HasAlternative(std::string_view field, std::string_view text);

// True when an alternative of the letters `field` and one of `other` start
// one another, equal included. Typed letters run their owner as soon as
// they are whole, so of two such alternatives the longer can never be
// reached. Empty alternatives overlap nothing.
bool LettersOverlap(std::string_view field, std::string_view other);

// True when an alternative of `field` starts with the letters typed so far
// (equal included), so typing on may still reach its owner.
bool MayBeTypedOn(std::string_view field, std::string_view typed);

}  // namespace tolvane
