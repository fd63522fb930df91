#include "core/text/charset_converter.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "support/iconv_converter.h"

namespace tolvane {
namespace {

using Iconv = testing::IconvConverter;

std::string Utf16LeBytes(std::u16string_view s) {
  std::string out;
  for (const char16_t u : s) {
    out += static_cast<char>(u & 0xFF);
    out += static_cast<char>(u >> 8);
  }
  return out;
}

std::u16string FromUtf16LeBytes(std::string_view b) {
  std::u16string out;
  for (size_t i = 0; i + 1 < b.size(); i += 2) {
    out += static_cast<char16_t>(static_cast<unsigned char>(b[i]) |
                                 (static_cast<unsigned char>(b[i + 1]) << 8));
  }
  return out;
}

std::string Bytes(std::initializer_list<int> list) {
  std::string s;
  for (const int b : list) s += static_cast<char>(b);
  return s;
}

std::string Code(unsigned code) {
  return code < 0x100 ? Bytes({static_cast<int>(code)})
                      : Bytes({static_cast<int>(code >> 8), static_cast<int>(code & 0xFF)});
}

unsigned CodeOf(std::string_view s) {
  unsigned code = 0;
  for (const char c : s) code = code << 8 | static_cast<unsigned char>(c);
  return code;
}

std::vector<unsigned> AllDoubleByteCodes() {
  std::vector<unsigned> codes;
  for (unsigned lead = 0x81; lead <= 0xFC; ++lead) {
    if (lead >= 0xA0 && lead <= 0xDF) continue;
    for (unsigned trail = 0x40; trail <= 0xFC; ++trail) {
      if (trail != 0x7F) codes.push_back(lead << 8 | trail);
    }
  }
  return codes;
}

// ---- Shift_JIS -> UTF-16 and EUC-JP: the rules for each kind of byte ----

TEST(SjisToUtf16Test, ByteRules) {
  EXPECT_EQ(SjisToUtf16("abc\\~"), u"abc\\~");
  EXPECT_EQ(SjisToUtf16(Bytes({0x93, 0x8C, 0x8B, 0x9E})), u"東京");
  EXPECT_EQ(SjisToUtf16(Bytes({0xB1, 0xDF, 0xA1})), u"\uFF71\uFF9F\uFF61");
  // A lone lead at the end is dropped.
  EXPECT_EQ(SjisToUtf16(Bytes({'a', 0x93})), u"a");
  EXPECT_EQ(SjisToUtf16(Bytes({0xFC})), u"");
  // An invalid trail: "?" for the lead, the trail is read again.
  EXPECT_EQ(SjisToUtf16(Bytes({0x81, 0x7F})), u"?\x7F");
  EXPECT_EQ(SjisToUtf16(Bytes({0x81, 0x20, 0x93, 0x8C})), u"? 東");
  EXPECT_EQ(SjisToUtf16(Bytes({0x81, 0xFD})), u"?\u00FD");
  EXPECT_EQ(SjisToUtf16(Bytes({0x81, 0x93, 0x8C, 0x40})),
            u"\uFF05\u6398");  // ％掘: trails may look like leads
  // A valid pair with no character: one "?" for both bytes.
  EXPECT_EQ(SjisToUtf16(Bytes({0x85, 0x40, 'x'})), u"?x");
  EXPECT_EQ(SjisToUtf16(Bytes({0xFC, 0x4C, 'x'})), u"?x");
  // Bytes that start nothing pass through as their own value.
  EXPECT_EQ(SjisToUtf16(Bytes({0x80, 0xA0, 0xFD, 0xFE, 0xFF})), u"\u0080\u00A0\u00FD\u00FE\u00FF");
  // Extensions and the user-defined area.
  EXPECT_EQ(SjisToUtf16(Bytes({0x87, 0x40, 0xFA, 0x40, 0xED, 0x40, 0xF0, 0x40})),
            u"\u2460\u2170\u7E8A\uE000");
}

TEST(SjisToEucJpTest, ByteRules) {
  EXPECT_EQ(SjisToEucJp("a b\\~"), "a b\\~");
  EXPECT_EQ(SjisToEucJp(Bytes({0x82, 0xA0})), Bytes({0xA4, 0xA2}));
  EXPECT_EQ(SjisToEucJp(Bytes({0x81, 0x40})), Bytes({0xA1, 0xA1}));
  EXPECT_EQ(SjisToEucJp(Bytes({0x93, 0x8C, 0x8B, 0x9E})), Bytes({0xC5, 0xEC, 0xB5, 0xFE}));
  EXPECT_EQ(SjisToEucJp(Bytes({0xEF, 0xFC})), Bytes({0xFE, 0xFE}));
  EXPECT_EQ(SjisToEucJp(Bytes({0xB1})), Bytes({0x8E, 0xB1}));
  EXPECT_EQ(SjisToEucJp(Bytes({'a', 0x93})), "a");
  EXPECT_EQ(SjisToEucJp(Bytes({0x81, 0x7F})), "?\x7F");
  EXPECT_EQ(SjisToEucJp(Bytes({0x80, 0xA0, 0xFD})), Bytes({0x80, 0xA0, 0xFD}));
  // NEC row 13 and the NEC-selected IBM rows by the same arithmetic.
  EXPECT_EQ(SjisToEucJp(Bytes({0x87, 0x40})), Bytes({0xAD, 0xA1}));
  EXPECT_EQ(SjisToEucJp(Bytes({0xED, 0x40, 0xEE, 0xEC})), Bytes({0xF9, 0xA1, 0xFC, 0xEE}));
  // IBM extension: through the character's other code.
  EXPECT_EQ(SjisToEucJp(Bytes({0xFA, 0x40})), Bytes({0xFC, 0xF1}));  // ⅰ = EE EF
  EXPECT_EQ(SjisToEucJp(Bytes({0xFA, 0x4A})), Bytes({0xAD, 0xB5}));  // Ⅰ = 87 54
  EXPECT_EQ(SjisToEucJp(Bytes({0xFA, 0x54})), Bytes({0xA2, 0xCC}));  // ￢ = 81 CA
  EXPECT_EQ(SjisToEucJp(Bytes({0xFA, 0x5C})), Bytes({0xF9, 0xA1}));  // 纊 = ED 40
  EXPECT_EQ(SjisToEucJp(Bytes({0xFC, 0x4B})), Bytes({0xFC, 0xEE}));  // 髙 = EE EC
  // No character there: one "?" for the pair, not "?" plus a stray "L".
  EXPECT_EQ(SjisToEucJp(Bytes({0xFC, 0x4C, 'x'})), "?x");
  EXPECT_EQ(SjisToEucJp(Bytes({0xFA, 0x7F})), "?\x7F");
  // User-defined characters have no EUC-JP code; the bare arithmetic would
  // write control bytes (F0 9F -> 00 A1, F1 40 -> 01 A1).
  EXPECT_EQ(SjisToEucJp(Bytes({0xF0, 0x9F, 0xF1, 0x40, 0xF9, 0xFC, 'x'})), "???x");
}

// ---- UTF-16 <-> UTF-8 ----

TEST(Utf16ToUtf8Test, LengthsAndSurrogates) {
  EXPECT_EQ(Utf16ToUtf8(u"\u007F\u0080\u07FF\u0800\uFFFF"),
            "\x7F\xC2\x80\xDF\xBF\xE0\xA0\x80\xEF\xBF\xBF");
  EXPECT_EQ(Utf16ToUtf8(u"東京"), "\xE6\x9D\xB1\xE4\xBA\xAC");
  EXPECT_EQ(Utf16ToUtf8(u"\U0001F600\U0010FFFF\U00010000"),
            "\xF0\x9F\x98\x80\xF4\x8F\xBF\xBF\xF0\x90\x80\x80");
  const char16_t lone_high[] = {0xD800, u'a', 0};
  const char16_t lone_low[] = {0xDFFF, 0};
  const char16_t reversed[] = {0xDC00, 0xD800, 0};
  const char16_t high_at_end[] = {u'a', 0xDBFF, 0};
  EXPECT_EQ(Utf16ToUtf8(lone_high),
            "\xED\xA0\x80"
            "a");
  EXPECT_EQ(Utf16ToUtf8(lone_low), "\xED\xBF\xBF");
  EXPECT_EQ(Utf16ToUtf8(reversed), "\xED\xB0\x80\xED\xA0\x80");
  EXPECT_EQ(Utf16ToUtf8(high_at_end), "a\xED\xAF\xBF");
  EXPECT_EQ(Utf16ToUtf8(std::u16string_view(u"\0x", 2)), std::string("\0x", 2));
}

TEST(Utf8ToUtf16Test, IllFormedInputGivesOneReplacementPerMaximalSubpart) {
  EXPECT_EQ(Utf8ToUtf16("\xE6\x9D\xB1\xF0\x9F\x98\x80"), u"東\U0001F600");
  // Unicode's own example (chapter 3, "U+FFFD Substitution of Maximal Subparts").
  EXPECT_EQ(Utf8ToUtf16("\x61\xF1\x80\x80\xE1\x80\xC2\x62\x80\x63\x80\xBF\x64"),
            u"a\uFFFD\uFFFD\uFFFDb\uFFFDc\uFFFD\uFFFDd");
  EXPECT_EQ(Utf8ToUtf16("\xC0\xAF"), u"\uFFFD\uFFFD");                      // overlong
  EXPECT_EQ(Utf8ToUtf16("\xE0\x80\xAF"), u"\uFFFD\uFFFD\uFFFD");            // overlong
  EXPECT_EQ(Utf8ToUtf16("\xED\xA0\x80"), u"\uFFFD\uFFFD\uFFFD");            // encoded surrogate
  EXPECT_EQ(Utf8ToUtf16("\xF4\x90\x80\x80"), u"\uFFFD\uFFFD\uFFFD\uFFFD");  // > U+10FFFF
  EXPECT_EQ(Utf8ToUtf16("\xF5\xFF"), u"\uFFFD\uFFFD");
  EXPECT_EQ(Utf8ToUtf16("x\xE6\x9D"), u"x\uFFFD");  // cut short at the end
  EXPECT_EQ(Utf8ToUtf16("\xF0\x9F\x98"), u"\uFFFD");
  EXPECT_EQ(Utf8ToUtf16("\xE6\x9D"
                        "a"),
            u"\uFFFDa");
  EXPECT_EQ(Utf8ToUtf16("\xEF\xBF\xBF\xF4\x8F\xBF\xBF"), u"\uFFFF\U0010FFFF");
}

// ---- UTF-16 -> Shift_JIS ----

TEST(Utf16ToSjisTest, ChoosesTheCodeWindowsWrites) {
  const std::map<char16_t, unsigned> expected = {
      {u'∵', 0x81E6},   // JIS X 0208 over 87 9A, FA 5B
      {u'￢', 0x81CA},  // JIS X 0208 over EE F9, FA 54
      {u'≒', 0x81E0},   // JIS X 0208 over 87 90
      {u'Ⅰ', 0x8754},   // NEC row 13 over FA 4A
      {u'㈱', 0x878A},  // NEC row 13 over FA 58
      {u'ⅰ', 0xFA40},   // IBM over NEC-selected EE EF
      {u'纊', 0xFA5C},  // IBM over NEC-selected ED 40
      {u'～', 0x8160},     {u'＼', 0x815F},     {u'∥', 0x8161},    {u'－', 0x817C},
      {u'\uE000', 0xF040}, {u'\uE757', 0xF9FC}, {u'\uFF61', 0xA1}, {u'\uFF9F', 0xDF},
      {u'\u0080', 0x80},   {u'\\', 0x5C},       {u'~', 0x7E},
  };
  for (const auto& [unit, code] : expected) {
    EXPECT_EQ(Utf16ToSjis(std::u16string(1, unit)), Code(code))
        << std::hex << static_cast<unsigned>(unit);
  }
}

TEST(Utf16ToSjisTest, WritesQuestionMarksForTheRest) {
  // Best-fit mappings that code page 932 does not decode back.
  EXPECT_EQ(Utf16ToSjis(u"\u00A5\u203E\u301C\u2016\u2212\u00A2\u00A3\u00AC"), "????????");
  EXPECT_EQ(Utf16ToSjis(u"\u00A0\u00FD\uF8F0\uFFFD"), "????");
  EXPECT_EQ(Utf16ToSjis(u"a\U0001F600b"), "a?b");  // a pair is one character
  const char16_t lone[] = {0xD800, u'a', 0xDC00, 0};
  EXPECT_EQ(Utf16ToSjis(lone), "?a?");
  EXPECT_EQ(Utf8ToSjis("\xE6\x9D\xB1\xFF"
                       "a"),
            Bytes({0x93, 0x8C, '?', 'a'}));
  EXPECT_EQ(SjisToUtf8(Bytes({0x93, 0x8C, 0xB1})), "\xE6\x9D\xB1\xEF\xBD\xB1");
}

// Output is gathered in 1000-byte chunks; a character must come out whole
// wherever a chunk ends, and a long text must convert like its pieces.
TEST(ChunkingTest, LongTextConvertsLikeItsPieces) {
  const std::string piece = Bytes({0x93, 0x8C, 0xB1, 0xFA, 0x40, 0x81, 0x7F, ' '});
  const char16_t wide_units[] = {u'東', 0xD83D, 0xDE00, 0xFF71, 0xD800, u'a', 0};
  const std::u16string wide_piece = wide_units;
  for (size_t pad = 990; pad < 1010; ++pad) {
    std::string sjis(pad, 'a');
    std::u16string wide(pad, u'a');
    std::string expect_euc(pad, 'a'), expect_utf8(pad, 'a'), expect_back(pad, 'a');
    std::u16string expect_utf16(pad, u'a');
    for (int i = 0; i < 300; ++i) {
      sjis += piece;
      wide += wide_piece;
      expect_euc += SjisToEucJp(piece);
      expect_utf16 += SjisToUtf16(piece);
      expect_utf8 += Utf16ToUtf8(wide_piece);
      expect_back += Utf16ToSjis(wide_piece);
    }
    EXPECT_EQ(SjisToEucJp(sjis), expect_euc) << pad;
    EXPECT_EQ(SjisToUtf16(sjis), expect_utf16) << pad;
    EXPECT_EQ(SjisToUtf8(sjis), Utf16ToUtf8(expect_utf16)) << pad;
    EXPECT_EQ(Utf16ToUtf8(wide), expect_utf8) << pad;
    EXPECT_EQ(Utf16ToSjis(wide), expect_back) << pad;
    EXPECT_EQ(Utf8ToUtf16(Utf16ToUtf8(wide_piece.substr(0, 3) + wide)),
              Utf8ToUtf16(Utf16ToUtf8(wide_piece.substr(0, 3))) + Utf8ToUtf16(expect_utf8));
  }
}

// ---- Whole tables against glibc iconv ----

TEST(Cp932TableTest, EveryCodeDecodesLikeIconv) {
  Iconv decoder("UTF-16LE", "CP932");
  ASSERT_TRUE(decoder.Ok());
  int mapped = 0;
  for (const unsigned code : AllDoubleByteCodes()) {
    const auto theirs = decoder.Convert(Code(code));
    const std::u16string ours = SjisToUtf16(Code(code));
    if (theirs) {
      ++mapped;
      EXPECT_EQ(ours, FromUtf16LeBytes(*theirs)) << std::hex << code;
    } else {
      EXPECT_EQ(ours, u"?") << std::hex << code;
    }
  }
  // JIS X 0208 6879, NEC row 13 83, NEC-selected 374, IBM 388, user-defined 1880.
  EXPECT_EQ(mapped, 9604);
  for (unsigned b = 0xA1; b <= 0xDF; ++b) {
    const auto theirs = decoder.Convert(Code(b));
    ASSERT_TRUE(theirs);
    EXPECT_EQ(SjisToUtf16(Code(b)), FromUtf16LeBytes(*theirs)) << std::hex << b;
  }
}

TEST(Cp932TableTest, EveryCodeRoundTripsLikeIconv) {
  Iconv decoder("UTF-16LE", "CP932");
  Iconv encoder("CP932", "UTF-16LE");
  ASSERT_TRUE(decoder.Ok() && encoder.Ok());
  std::vector<unsigned> codes = AllDoubleByteCodes();
  for (unsigned b = 0xA1; b <= 0xDF; ++b) codes.push_back(b);
  int changed = 0;
  for (const unsigned code : codes) {
    const auto unit = decoder.Convert(Code(code));
    if (!unit) continue;
    const auto theirs = encoder.Convert(*unit);
    ASSERT_TRUE(theirs) << std::hex << code;
    const std::string ours = Utf16ToSjis(SjisToUtf16(Code(code)));
    EXPECT_EQ(ours, *theirs) << std::hex << code;
    if (ours != Code(code)) ++changed;
  }
  // Only the duplicates move: NEC-selected IBM rows and the twins in row 13
  // and the IBM rows of JIS X 0208 and row 13 characters.
  EXPECT_EQ(changed, 398);
}

TEST(Cp932TableTest, EveryBmpCharacterEncodesLikeIconv) {
  Iconv encoder("CP932", "UTF-16LE");
  ASSERT_TRUE(encoder.Ok());
  // glibc writes these by best fit; code page 932 decodes no code to them.
  const std::map<char16_t, unsigned> iconv_best_fit = {
      {0x00A5, 0x5C},   {0x203E, 0x7E},   {0x2014, 0x815C}, {0x2016, 0x8161}, {0x2212, 0x817C},
      {0x301C, 0x8160}, {0x00A2, 0x8191}, {0x00A3, 0x8192}, {0x00AC, 0x81CA},
  };
  std::map<char16_t, unsigned> best_fit_seen;
  for (unsigned u = 1; u <= 0xFFFF; ++u) {
    if (u >= 0xD800 && u <= 0xDFFF) continue;
    const std::u16string unit(1, static_cast<char16_t>(u));
    const auto theirs = encoder.Convert(Utf16LeBytes(unit));
    const std::string ours = Utf16ToSjis(unit);
    if (u == 0x80) {
      // 0x80 is a byte of its own in code page 932; glibc leaves it out.
      EXPECT_FALSE(theirs);
      EXPECT_EQ(ours, "\x80");
    } else if (!theirs) {
      EXPECT_EQ(ours, "?") << std::hex << u;
    } else if (ours == "?" && iconv_best_fit.count(static_cast<char16_t>(u))) {
      best_fit_seen[static_cast<char16_t>(u)] = CodeOf(*theirs);
    } else {
      EXPECT_EQ(ours, *theirs) << std::hex << u;
    }
  }
  EXPECT_EQ(best_fit_seen, iconv_best_fit);
}

// EUC row/cell -> Shift_JIS by the textbook JIS formula, to check the EUC
// codes we write without reusing our own arithmetic.
unsigned EucToSjis(unsigned euc) {
  const unsigned row = (euc >> 8) - 0xA0;
  const unsigned cell = (euc & 0xFF) - 0xA0;
  const unsigned lead = (row + 1) / 2 + (row <= 62 ? 0x80 : 0xC0);
  const unsigned trail = row % 2 ? cell + 0x3F + (cell >= 64 ? 1 : 0) : cell + 0x9E;
  return lead << 8 | trail;
}

TEST(EucJpTableTest, JisX0208MatchesIconv) {
  Iconv sjis_to_euc("EUC-JP", "SHIFT_JIS");
  ASSERT_TRUE(sjis_to_euc.Ok());
  int compared = 0;
  for (const unsigned code : AllDoubleByteCodes()) {
    if (code >> 8 >= 0xF0) continue;
    const std::string ours = SjisToEucJp(Code(code));
    ASSERT_EQ(ours.size(), 2u);
    EXPECT_EQ(EucToSjis(CodeOf(ours)), code) << std::hex << code;
    if (const auto theirs = sjis_to_euc.Convert(Code(code))) {
      ++compared;
      EXPECT_EQ(ours, *theirs) << std::hex << code;
    }
  }
  EXPECT_EQ(compared, 6879);  // all of JIS X 0208
  for (unsigned b = 0xA1; b <= 0xDF; ++b) {
    EXPECT_EQ(SjisToEucJp(Code(b)), sjis_to_euc.Convert(Code(b)).value());
  }
}

TEST(EucJpTableTest, IbmExtensionsMapToTheSameCharacter) {
  Iconv decoder("UTF-16LE", "CP932");
  Iconv eucjp_ms("EUC-JP-MS", "CP932");
  ASSERT_TRUE(decoder.Ok() && eucjp_ms.Ok());
  int nec_selected = 0;
  for (unsigned code = 0xFA40; code <= 0xFCFC; ++code) {
    const unsigned trail = code & 0xFF;
    if (trail < 0x40 || trail == 0x7F || trail > 0xFC) continue;
    const std::string ours = SjisToEucJp(Code(code));
    const auto character = decoder.Convert(Code(code));
    if (!character) {
      EXPECT_EQ(ours, "?") << std::hex << code;
      continue;
    }
    ASSERT_EQ(ours.size(), 2u) << std::hex << code;
    // The EUC code stands for a Shift_JIS code of the same character.
    EXPECT_EQ(decoder.Convert(Code(EucToSjis(CodeOf(ours)))), character) << std::hex << code;
    // glibc's EUC-JP-MS agrees where it has a two-byte code; it writes the
    // rest as three-byte JIS X 0212 / user-defined codes (8F xx xx), where
    // code page 51932 uses the NEC-selected rows F9-FC.
    const std::string theirs = eucjp_ms.Convert(Code(code)).value();
    if (theirs.size() == 3) {
      EXPECT_EQ(static_cast<unsigned char>(theirs[0]), 0x8F);
      EXPECT_GE(static_cast<unsigned char>(ours[0]), 0xF9) << std::hex << code;
      ++nec_selected;
    } else {
      EXPECT_EQ(ours, theirs) << std::hex << code;
    }
  }
  EXPECT_EQ(nec_selected, 373);
}

}  // namespace
}  // namespace tolvane
