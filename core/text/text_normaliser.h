#pragma once

#include <string>
#include <string_view>

namespace tolvane {

// Folds Shift_JIS text for matching saved-search words, never for storage.
// Each character is mapped to half-width, katakana and lower case, the way
// Windows' locale mapping does for Japanese text, then the characters that
// should not disturb a match are dropped:
//
//   "ＡＢＣ－１２．ぱそこん・ケース"  ->  "abc12ﾊﾟｿｺﾝｹｽ"
//
//  - full-width ASCII (U+FF01-U+FF5E) -> ASCII, U+3000 -> space,
//    ￥ -> 0x5C, ‘’“” -> ` ' " ";
//  - hiragana -> katakana (ゝゞ -> ヽヾ);
//  - katakana and the Japanese punctuation 、。「」・ー゛゜ -> half-width;
//    a voiced or semi-voiced kana becomes two half-width characters
//    (ガ -> ｶﾞ, パ -> ﾊﾟ, ヴ -> ｳﾞ); ヰヱヮヵヶヽヾ have no half-width form and
//    stay full-width;
//  - A-Z, Greek, Cyrillic and the Roman numerals Ⅰ-Ⅹ -> lower case;
//  - a character with two codes comes out as the one Windows writes, so the
//    NEC and IBM duplicates compare equal;
//  - dropped: "-", ".", ",", ｰ (0xB0), ･ (0xA5), ､ (0xA4), and the space
//    unless `keep_spaces` (tags keep theirs to stay apart).
//
// Bytes that are not a whole character (a lead byte without a valid trail,
// a lead byte at the end) and codes without a character are copied as they
// are. The result is never longer than the input.
std::string Normalise(std::string_view sjis, bool keep_spaces);

// The same into `out` (replacing its contents), so that a caller folding
// many texts reuses one buffer.
void NormaliseInto(std::string_view sjis, bool keep_spaces, std::string& out);

}  // namespace tolvane
