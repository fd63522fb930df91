#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/text/keyword.h"

namespace tolvane {

// `keyword` with every full-width space (81 40, taken as a whole character,
// never a trail byte followed by "@") turned into an ASCII space.
std::string FullWidthSpacesToAscii(std::string_view keyword);
// The same for UTF-8 text (U+3000).
std::string FullWidthSpacesToAsciiUtf8(std::string_view keyword);

// Encode() for text held in both forms: encoding 3 (UTF-8) takes the text
// as typed, the others its Shift_JIS form.
std::optional<std::string> EncodeKeyword(int encoding, std::string_view sjis,
                                         std::string_view typed_utf8);

// A search keyword in the forms the URL templates take: with full-width
// spaces made ASCII, split into words, and each of those encoded for an
// engine. A batch search fills hundreds of templates with one keyword, in
// at most four encodings, so every encoded form is made once and kept.
//
// Encodings 0-2 take the keyword's Shift_JIS form; encoding 3 (UTF-8) takes
// the text as typed, so a character code page 932 lacks reaches a UTF-8
// shop intact. Both forms split into the same words: a space is a space in
// each, and no other character becomes one.
class KeywordForms {
 public:
  explicit KeywordForms(const Keyword& keyword);

  // The keyword with every full-width space (81 40, taken as a whole
  // character, never a trail byte followed by "@") turned into an ASCII space.
  const std::string& spaced() const { return spaced_; }
  // spaced() split at runs of spaces, each word trimmed, a trailing empty
  // word dropped; a leading space gives an empty first word:
  // " a b" -> {"", "a", "b"}.
  const std::vector<std::string>& words() const { return words_; }

  // Encode(encoding, spaced()) and Encode(encoding, words()[index]); null for
  // an encoding other than 0-3.
  const std::string* Whole(int encoding);
  const std::string* Word(int encoding, std::size_t index);

 private:
  static constexpr int kEncodings = 4;

  std::string spaced_;
  std::vector<std::string> words_;
  std::string typed_spaced_;
  std::vector<std::string> typed_words_;
  std::array<std::optional<std::string>, kEncodings> whole_;
  std::array<std::vector<std::optional<std::string>>, kEncodings> encoded_words_;
};

}  // namespace tolvane
