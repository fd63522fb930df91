#pragma once

#include <string>
#include <string_view>
#include <utility>

namespace tolvane {

// A search keyword in the two forms a search needs: as typed, in UTF-8, for
// shops that take UTF-8 (encoding 3), and in Shift_JIS, the program's own
// text, for every other shop, the keyword store and the keyword history. A
// character that code page 932 lacks is "?" in the Shift_JIS form only, so
// it still reaches a UTF-8 shop as typed.
//
//   FromUtf8("Café 東京")  ->  sjis() "Caf? 東京" (in Shift_JIS bytes),
//                             utf8() "Café 東京"
//   FromSjis(bytes)        ->  utf8() is those bytes read as code page 932
class Keyword {
 public:
  Keyword() = default;

  // Text that was Shift_JIS from the start (stores, the address bar, a
  // page's selection).
  static Keyword FromSjis(std::string_view sjis);
  // Text as the user typed it. Ill-formed UTF-8 is sent as U+FFFD.
  static Keyword FromUtf8(std::string_view utf8);
  // Text from the window system. A lone surrogate is sent as its
  // three-byte sequence (see Utf16ToUtf8).
  static Keyword FromUtf16(std::u16string_view utf16);

  const std::string& sjis() const { return sjis_; }
  const std::string& utf8() const { return utf8_; }
  bool empty() const { return sjis_.empty(); }
  // True when the Shift_JIS form reads back as the typed text: no character
  // became "?". A keyword from Shift_JIS text always fits.
  bool FitsShiftJis() const;

  friend bool operator==(const Keyword&, const Keyword&) = default;

 private:
  Keyword(std::string sjis, std::string utf8) : sjis_(std::move(sjis)), utf8_(std::move(utf8)) {}

  std::string sjis_;
  std::string utf8_;
};

}  // namespace tolvane
