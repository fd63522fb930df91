#include "core/text/keyword.h"

#include "core/text/charset_converter.h"

namespace tolvane {

Keyword Keyword::FromSjis(std::string_view sjis) {
  return Keyword(std::string(sjis), SjisToUtf8(sjis));
}

Keyword Keyword::FromUtf8(std::string_view utf8) { return FromUtf16(Utf8ToUtf16(utf8)); }

Keyword Keyword::FromUtf16(std::u16string_view utf16) {
  return Keyword(Utf16ToSjis(utf16), Utf16ToUtf8(utf16));
}

bool Keyword::FitsShiftJis() const { return SjisToUtf8(sjis_) == utf8_; }

}  // namespace tolvane
