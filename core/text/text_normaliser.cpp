#include "core/text/text_normaliser.h"

#include <array>
#include <cstdint>
#include <iterator>

#include "core/text/cp932_tables.h"

namespace tolvane {
namespace {

using cp932::IsLead;
using cp932::IsTrail;

// Half-width forms of ァ (U+30A1) to ヶ (U+30F6), two units each: the kana
// and its sound mark or "_"; "××" where no half-width form exists.
constexpr char16_t kHalfWidthKatakana[] =
    u"ｧ_ｱ_ｨ_ｲ_ｩ_ｳ_ｪ_ｴ_ｫ_ｵ_"            // ァアィイゥウェエォオ
    u"ｶ_ｶﾞｷ_ｷﾞｸ_ｸﾞｹ_ｹﾞｺ_ｺﾞ"            // カガキギクグケゲコゴ
    u"ｻ_ｻﾞｼ_ｼﾞｽ_ｽﾞｾ_ｾﾞｿ_ｿﾞ"            // サザシジスズセゼソゾ
    u"ﾀ_ﾀﾞﾁ_ﾁﾞｯ_ﾂ_ﾂﾞﾃ_ﾃﾞﾄ_ﾄﾞ"          // タダチヂッツヅテデトド
    u"ﾅ_ﾆ_ﾇ_ﾈ_ﾉ_"                      // ナニヌネノ
    u"ﾊ_ﾊﾞﾊﾟﾋ_ﾋﾞﾋﾟﾌ_ﾌﾞﾌﾟﾍ_ﾍﾞﾍﾟﾎ_ﾎﾞﾎﾟ"  // ハバパヒビピフブプヘベペホボポ
    u"ﾏ_ﾐ_ﾑ_ﾒ_ﾓ_"                      // マミムメモ
    u"ｬ_ﾔ_ｭ_ﾕ_ｮ_ﾖ_"                    // ャヤュユョヨ
    u"ﾗ_ﾘ_ﾙ_ﾚ_ﾛ_"                      // ラリルレロ
    u"××ﾜ_××××ｦ_ﾝ_ｳﾞ××××";             // ヮワヰヱヲンヴヵヶ
constexpr char16_t kFirstKatakana = 0x30A1;
constexpr char16_t kLastKatakana = 0x30F6;
static_assert(std::size(kHalfWidthKatakana) == 2 * (kLastKatakana - kFirstKatakana + 1) + 1);

// Full-width punctuation with a half-width form.
struct PunctuationPair {
  char16_t full;
  char16_t half;
};
constexpr PunctuationPair kHalfWidthPunctuation[] = {
    {u'、', u'､'}, {u'。', u'｡'}, {u'「', u'｢'}, {u'」', u'｣'},
    {u'・', u'･'}, {u'ー', u'ｰ'}, {u'゛', u'ﾞ'}, {u'゜', u'ﾟ'},
};

// Hiragana -> katakana, full width -> half width (where a half-width form
// exists), upper -> lower case. Writes one or two units; returns how many.
int Fold(char16_t u, char16_t out[2]) {
  if ((u >= 0x3041 && u <= 0x3096) || u == 0x309D || u == 0x309E) u += 0x60;  // hiragana
  if (u >= 0xFF01 && u <= 0xFF5E) u -= 0xFEE0;                                // full-width ASCII
  switch (u) {
    case 0x3000:
      u = u' ';
      break;
    case 0xFFE5:
      u = u'\\';
      break;  // ￥: 0x5C is the yen sign in Japanese fonts
    case 0x2018:
      u = u'`';
      break;
    case 0x2019:
      u = u'\'';
      break;
    case 0x201C:
    case 0x201D:
      u = u'"';
      break;
    default:
      break;
  }
  if (u >= kFirstKatakana && u <= kLastKatakana) {
    const char16_t* half = &kHalfWidthKatakana[2 * (u - kFirstKatakana)];
    if (half[0] != u'×') {
      out[0] = half[0];
      if (half[1] == u'_') return 1;
      out[1] = half[1];
      return 2;
    }
  }
  for (const PunctuationPair& pair : kHalfWidthPunctuation) {
    if (u == pair.full) u = pair.half;
  }
  if ((u >= u'A' && u <= u'Z') || (u >= 0x0391 && u <= 0x03A9) || (u >= 0x0410 && u <= 0x042F)) {
    u += 0x20;  // ASCII, Greek, Cyrillic
  } else if (u >= 0x0401 && u <= 0x040F) {
    u += 0x50;  // Ё and the other Cyrillic letters before А
  } else if (u >= 0x2160 && u <= 0x2169) {
    u += 0x10;  // Roman numerals Ⅰ-Ⅹ
  }
  out[0] = u;
  return 1;
}

std::uint16_t EncodeUnit(char16_t u) {
  return cp932::kEncodePages[cp932::kEncodePageIndex[u >> 8]][u & 0xFF];
}

constexpr bool IsDropped(unsigned char b, bool keep_spaces) {
  return (b == ' ' && !keep_spaces) || b == '-' || b == '.' || b == ',' || b == 0xB0 || b == 0xA5 ||
         b == 0xA4;
}

// What one input character becomes: the first `length` bytes of `out`. The
// loop always copies both bytes, so every entry is the same few
// instructions.
struct Entry {
  std::uint8_t length = 0;
  char out[2] = {};
};

// Every code of code page 932 with its folded form, built once per
// keep-spaces mode. Lead bytes index a row of 256 trails (the invalid ones
// are never read: such a lead is taken as a single byte).
struct Table {
  Entry single[256];
  const Entry* row_of_lead[256] = {};
  Entry rows[cp932::kLeadCount][256];

  explicit Table(bool keep_spaces) {
    for (int b = 0; b < 256; ++b) {
      const auto byte = static_cast<unsigned char>(b);
      const auto folded = static_cast<unsigned char>(b >= 'A' && b <= 'Z' ? b + 0x20 : b);
      single[b] = Single(folded, keep_spaces, IsLead(byte));
      if (!IsLead(byte)) continue;
      Entry* row = rows[cp932::LeadIndex(byte)];
      row_of_lead[b] = row;
      for (int trail = 0; trail < 256; ++trail) {
        row[trail] = Double(byte, static_cast<unsigned char>(trail), keep_spaces);
      }
    }
  }

  static Entry Single(unsigned char b, bool keep_spaces, bool is_lead) {
    Entry e;
    e.out[0] = static_cast<char>(b);
    // A lead byte reaches its single entry only as the last byte: kept.
    e.length = is_lead || !IsDropped(b, keep_spaces) ? 1 : 0;
    return e;
  }

  static Entry Double(unsigned char lead, unsigned char trail, bool keep_spaces) {
    if (!IsTrail(trail)) return Single(lead, keep_spaces, true);
    Entry unchanged;
    unchanged.length = 2;
    unchanged.out[0] = static_cast<char>(lead);
    unchanged.out[1] = static_cast<char>(trail);
    const char16_t u = cp932::kDoubleByteToUtf16[cp932::LeadIndex(lead)][trail - 0x40];
    if (u == 0) return unchanged;

    char16_t units[2];
    const int count = Fold(u, units);
    std::array<std::uint8_t, 4> bytes{};
    int n = 0;
    for (int i = 0; i < count; ++i) {
      const std::uint16_t code = EncodeUnit(units[i]);
      if (code == 0) return unchanged;  // not expected: every fold target is in cp932
      if (code >= 0x100)
        bytes[static_cast<std::size_t>(n++)] = static_cast<std::uint8_t>(code >> 8);
      bytes[static_cast<std::size_t>(n++)] = static_cast<std::uint8_t>(code & 0xFF);
    }
    if (n > 2) return unchanged;

    Entry e;
    if (n == 2 && count == 1) {  // still one double-byte character
      e.length = 2;
      e.out[0] = static_cast<char>(bytes[0]);
      e.out[1] = static_cast<char>(bytes[1]);
      return e;
    }
    for (int i = 0; i < n; ++i) {  // one or two single-byte characters
      if (!IsDropped(bytes[static_cast<std::size_t>(i)], keep_spaces)) {
        e.out[e.length++] = static_cast<char>(bytes[static_cast<std::size_t>(i)]);
      }
    }
    return e;
  }
};

const Table& TableFor(bool keep_spaces) {
  static const Table tables[2] = {Table(false), Table(true)};
  return tables[keep_spaces ? 1 : 0];
}

}  // namespace

void NormaliseInto(std::string_view sjis, bool keep_spaces, std::string& out) {
  const Table& table = TableFor(keep_spaces);
  // One spare byte: each step stores two bytes and keeps `length` of them.
  out.resize(sjis.size() + 1);
  const auto* p = reinterpret_cast<const unsigned char*>(sjis.data());
  const unsigned char* const end = p + sjis.size();
  char* o = out.data();
  while (p < end) {
    // The step is chosen by a branch rather than read from the entry: the
    // branch predicts well over runs of one kind of character, so the next
    // character's lookup need not wait for this one's.
    const unsigned char b = *p;
    const Entry* e;
    if (const Entry* row = table.row_of_lead[b]; row != nullptr && end - p >= 2 && IsTrail(p[1])) {
      e = &row[p[1]];
      p += 2;
    } else {
      e = &table.single[b];
      p += 1;
    }
    o[0] = e->out[0];
    o[1] = e->out[1];
    o += e->length;
  }
  out.resize(static_cast<std::size_t>(o - out.data()));
}

std::string Normalise(std::string_view sjis, bool keep_spaces) {
  std::string out;
  NormaliseInto(sjis, keep_spaces, out);
  return out;
}

}  // namespace tolvane
