#pragma once

#include <string>
#include <string_view>

// Conversions between the program's Shift_JIS text (Windows code page 932)
// and the character sets that search engines and the Qt layer want.
//
// Shift_JIS as read here: lead bytes 0x81-0x9F and 0xE0-0xFC, trail bytes
// 0x40-0xFC except 0x7F. 0x00-0x7F are ASCII (0x5C is U+005C, 0x7E is U+007E),
// 0xA1-0xDF are half-width katakana U+FF61-U+FF9F. Every other single byte b
// (0x80, 0xA0, 0xFD-0xFF, or a lead byte in the middle of text that has an
// invalid trail) is treated as follows by each converter.
//
// Nothing here fails: characters that cannot be written become "?".
namespace tolvane {

// Shift_JIS -> EUC-JP (code page 51932 flavour, NEC-selected IBM rows).
//  - a lead byte as the last byte is dropped;
//  - lead + valid trail, lead 0x81-0xEF: the arithmetic JIS row/cell transform
//    (so NEC row 13 lands in EUC row 0xAD and the NEC-selected IBM rows
//    0xED-0xEE in EUC rows 0xF9-0xFC);
//  - lead 0xFA-0xFC: table, see cp932_tables.h; "?" when the code has no
//    character (both bytes are consumed);
//  - lead 0xF0-0xF9 (user-defined characters): "?", both bytes consumed. The
//    plain arithmetic would run past EUC row 0xFE and write control bytes,
//    even NUL, into the output; EUC-JP as code page 51932 has no such rows;
//  - lead + invalid trail: "?" and only the lead is consumed;
//  - 0xA1-0xDF: 0x8E then the byte; any other byte is copied.
std::string SjisToEucJp(std::string_view sjis);

// Shift_JIS -> UTF-16 through the code page 932 table.
//  - a lead byte as the last byte is dropped;
//  - lead + valid trail: the table, or "?" when the code has no character
//    (both bytes consumed);
//  - lead + invalid trail: "?" and only the lead is consumed;
//  - 0xA1-0xDF: U+FF61-U+FF9F; any other byte b: U+00bb.
std::u16string SjisToUtf16(std::string_view sjis);

// UTF-16 -> UTF-8. A surrogate pair becomes one four-byte sequence; a
// surrogate without its partner is written as the three-byte sequence of its
// own value (so the text survives, though it is not strict UTF-8).
std::string Utf16ToUtf8(std::u16string_view utf16);

// UTF-8 -> UTF-16. Ill-formed input never stops the conversion: each maximal
// subpart of an ill-formed sequence becomes one U+FFFD (Unicode's recommended
// practice). Encoded surrogates and overlong forms are ill-formed.
std::u16string Utf8ToUtf16(std::string_view utf8);

// UTF-16 -> Shift_JIS, strictly code page 932: only characters that some code
// decodes to are written. Where one character has several codes, the code
// Windows writes: JIS X 0208, else NEC row 13, else IBM (0xFA-0xFC), else the
// NEC-selected IBM rows. Anything else, including U+00A5, U+203E and U+301C
// (which some converters map by best fit), becomes "?"; a surrogate pair is
// one character and gives one "?". U+0080 gives the byte 0x80, which
// SjisToUtf16 turns back into U+0080.
std::string Utf16ToSjis(std::u16string_view utf16);

// Shorthands through UTF-16.
std::string SjisToUtf8(std::string_view sjis);
std::string Utf8ToSjis(std::string_view utf8);

}  // namespace tolvane
