#include "core/text/charset_converter.h"

#include <cstdint>
#include <cstring>

#include "core/text/chunked_output.h"
#include "core/text/cp932_tables.h"

namespace tolvane {
namespace {

using cp932::IsLead;
using cp932::IsTrail;

constexpr bool IsHalfWidthKatakana(unsigned char b) { return b >= 0xA1 && b <= 0xDF; }

const unsigned char* Bytes(std::string_view s) {
  return reinterpret_cast<const unsigned char*>(s.data());
}

// Copies the run of ASCII bytes at `in` (at most `max` of them) to `out`,
// eight at a time while it can; returns how many were copied. Keywords and
// URLs are mostly ASCII, so this is the common case.
template <typename Out>
size_t CopyAscii(const unsigned char* in, const unsigned char* end, size_t max, Out* out) {
  if (static_cast<size_t>(end - in) > max) end = in + max;
  const unsigned char* p = in;
  while (end - p >= 8) {
    std::uint64_t word;
    std::memcpy(&word, p, 8);
    if (word & 0x8080808080808080ULL) break;
    for (int i = 0; i < 8; ++i) out[i] = static_cast<Out>(p[i]);
    p += 8;
    out += 8;
  }
  while (p < end && *p < 0x80) *out++ = static_cast<Out>(*p++);
  return static_cast<size_t>(p - in);
}

// UTF-16 input: copies just the ASCII unit at `in` (the caller has checked
// it). Measured on UTF-16 text, the word-at-a-time copy is slower than this.
template <typename Out>
size_t CopyAscii(const char16_t* in, const char16_t* /*end*/, size_t /*max*/, Out* out) {
  *out = static_cast<Out>(*in);
  return 1;
}

// JIS row/cell arithmetic from a Shift_JIS pair (lead 0x81-0xEF) to EUC-JP.
inline void ArithmeticSjisToEuc(unsigned char lead, unsigned char trail, char* out) {
  const unsigned l = (static_cast<unsigned>(lead & 0x7F) * 2) & 0xFF;
  unsigned hi;
  unsigned lo;
  if (trail <= 0x9E) {
    hi = l <= 0x3E ? l - 0x61 : l + 0x1F;
    lo = trail >= 0x80 ? trail + 0x60u : trail + 0x61u;
  } else {
    hi = l <= 0x3E ? l - 0x60 : l + 0x20;
    lo = trail + 2u;
  }
  out[0] = static_cast<char>(hi & 0xFF);
  out[1] = static_cast<char>(lo & 0xFF);
}

inline std::uint16_t EncodeUnit(char16_t u) {
  return cp932::kEncodePages[cp932::kEncodePageIndex[u >> 8]][u & 0xFF];
}

// The decode table widened to whole rows of 256 trails, built on first use:
// 0 for an invalid trail (only the lead is consumed), "?" for a valid trail
// without a character. One load then decides every double-byte case.
struct DecodeRows {
  const char16_t* row_of_lead[256] = {};
  char16_t rows[cp932::kLeadCount][256] = {};

  DecodeRows() {
    for (int lead = 0x81; lead <= 0xFC; ++lead) {
      if (!IsLead(static_cast<unsigned char>(lead))) continue;
      const int index = cp932::LeadIndex(static_cast<unsigned char>(lead));
      row_of_lead[lead] = rows[index];
      for (int trail = 0x40; trail <= 0xFC; ++trail) {
        if (!IsTrail(static_cast<unsigned char>(trail))) continue;
        const char16_t u = cp932::kDoubleByteToUtf16[index][trail - 0x40];
        rows[index][trail] = u != 0 ? u : u'?';
      }
    }
  }
};

const DecodeRows& Rows() {
  static const DecodeRows rows;
  return rows;
}

constexpr bool IsHighSurrogate(char16_t u) { return u >= 0xD800 && u <= 0xDBFF; }
constexpr bool IsLowSurrogate(char16_t u) { return u >= 0xDC00 && u <= 0xDFFF; }

// One Shift_JIS character at p (p < end) as a UTF-16 unit; advances p.
// Returns 0 for a lead byte at the very end, which is dropped.
inline char16_t DecodeOne(const DecodeRows& rows, const unsigned char*& p,
                          const unsigned char* end) {
  const unsigned char b = *p;
  if (const char16_t* row = rows.row_of_lead[b]) {
    if (end - p < 2) {
      p = end;
      return 0;
    }
    const char16_t u = row[p[1]];
    p += u != 0 ? 2 : 1;
    return u != 0 ? u : u'?';
  }
  ++p;
  return IsHalfWidthKatakana(b) ? static_cast<char16_t>(0xFF61 + (b - 0xA1)) : char16_t{b};
}

// UTF-8 of a BMP code point or a lone surrogate (three bytes at most).
template <typename Out>
inline Out* WriteUtf8(std::uint32_t c, Out* out) {
  if (c < 0x80) {
    *out++ = static_cast<Out>(c);
  } else if (c < 0x800) {
    *out++ = static_cast<Out>(0xC0 | (c >> 6));
    *out++ = static_cast<Out>(0x80 | (c & 0x3F));
  } else {
    *out++ = static_cast<Out>(0xE0 | (c >> 12));
    *out++ = static_cast<Out>(0x80 | ((c >> 6) & 0x3F));
    *out++ = static_cast<Out>(0x80 | (c & 0x3F));
  }
  return out;
}

const char16_t* Units(std::u16string_view s) { return s.data(); }
const unsigned char* Units(std::string_view s) { return Bytes(s); }

// The loop all converters share. Output goes out in chunks with room for
// kMaxStep units (the most one character writes) at every step, and runs of
// ASCII are copied in bulk. `step(p, end, out)` converts the one non-ASCII
// character at p (p < end), advancing p past what it consumed and out past
// what it wrote. Inlined into each converter, so that each keeps a loop of
// its own, laid out as if written by hand.
template <typename Out, size_t kMaxStep, typename In, typename Step>
[[gnu::always_inline]] inline std::basic_string<Out> ConvertChunked(std::basic_string_view<In> text,
                                                                    size_t reserve, Step step) {
  std::basic_string<Out> result;
  result.reserve(reserve);
  ChunkedOutput<Out> chunk(&result);
  auto p = Units(text);
  const auto end = p + text.size();
  while (p < end) {
    Out* out = chunk.Room(kMaxStep);
    Out* const last = out + chunk.Free() - kMaxStep;
    while (p < end && out <= last) {
      if (*p < 0x80) {
        const size_t n = CopyAscii(p, end, static_cast<size_t>(last - out) + kMaxStep, out);
        p += n;
        out += n;
        continue;
      }
      step(p, end, out);
    }
    chunk.Commit(out);
  }
  chunk.Finish();
  return result;
}

}  // namespace

std::string SjisToEucJp(std::string_view sjis) {
  const DecodeRows& rows = Rows();
  // Two bytes out at most per character (katakana: 1 byte in, 2 out).
  return ConvertChunked<char, 2>(
      sjis, sjis.size() * 2,
      [&rows](const unsigned char*& p, const unsigned char* end, char*& out) {
        const unsigned char b = *p;
        if (const char16_t* row = rows.row_of_lead[b]) {
          if (end - p < 2) {  // lone lead at the end: dropped
            p = end;
            return;
          }
          const unsigned char trail = p[1];
          if (row[trail] == 0) {  // invalid trail
            *out++ = '?';
            ++p;
            return;
          }
          if (b >= 0xFA) {
            const std::uint16_t euc = cp932::kIbmExtensionToEucJp[b - 0xFA][trail - 0x40];
            if (euc != 0) {
              *out++ = static_cast<char>(euc >> 8);
              *out++ = static_cast<char>(euc & 0xFF);
            } else {
              *out++ = '?';
            }
          } else if (b >= 0xF0) {
            *out++ = '?';
          } else {
            ArithmeticSjisToEuc(b, trail, out);
            out += 2;
          }
          p += 2;
          return;
        }
        if (IsHalfWidthKatakana(b)) *out++ = static_cast<char>(0x8E);
        *out++ = static_cast<char>(b);
        ++p;
      });
}

std::u16string SjisToUtf16(std::string_view sjis) {
  const DecodeRows& rows = Rows();
  return ConvertChunked<char16_t, 1>(
      sjis, sjis.size(),  // one unit at most per byte
      [&rows](const unsigned char*& p, const unsigned char* end, char16_t*& out) {
        if (const char16_t u = DecodeOne(rows, p, end)) *out++ = u;
      });
}

std::string SjisToUtf8(std::string_view sjis) {
  // Same as Utf16ToUtf8(SjisToUtf16(sjis)) without the text in between; the
  // units here are never surrogates.
  const DecodeRows& rows = Rows();
  return ConvertChunked<char, 3>(
      sjis, sjis.size() * 3,
      [&rows](const unsigned char*& p, const unsigned char* end, char*& out) {
        if (const char16_t u = DecodeOne(rows, p, end)) out = WriteUtf8(u, out);
      });
}

std::string Utf16ToUtf8(std::u16string_view utf16) {
  // Reserve what the text needs (a pair, 4 bytes, is counted as 6): a cheap
  // pass, and callers do not hold three times the memory of the text.
  size_t bound = utf16.size();
  for (const char16_t u : utf16) bound += static_cast<size_t>(u >= 0x80) + (u >= 0x800);
  return ConvertChunked<char, 4>(
      utf16, bound, [](const char16_t*& p, const char16_t* end, char*& out) {
        if (IsHighSurrogate(p[0]) && end - p >= 2 && IsLowSurrogate(p[1])) {
          const std::uint32_t c = 0x10000 + ((p[0] - 0xD800u) << 10) + (p[1] - 0xDC00u);
          p += 2;
          *out++ = static_cast<char>(0xF0 | (c >> 18));
          *out++ = static_cast<char>(0x80 | ((c >> 12) & 0x3F));
          *out++ = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
          *out++ = static_cast<char>(0x80 | (c & 0x3F));
        } else {
          out = WriteUtf8(*p++, out);  // a surrogate without its partner included
        }
      });
}

std::u16string Utf8ToUtf16(std::string_view utf8) {
  return ConvertChunked<char16_t, 2>(
      utf8, utf8.size(),  // four bytes give at most two units
      [](const unsigned char*& p, const unsigned char* end, char16_t*& out) {
        const unsigned char b = *p;
        // Length and the allowed range of the second byte (the others are 80-BF).
        int length;
        unsigned char lo = 0x80;
        unsigned char hi = 0xBF;
        std::uint32_t c;
        if (b >= 0xC2 && b <= 0xDF) {
          length = 2;
          c = b & 0x1Fu;
        } else if (b >= 0xE0 && b <= 0xEF) {
          length = 3;
          c = b & 0x0Fu;
          if (b == 0xE0) lo = 0xA0;  // no overlong forms
          if (b == 0xED) hi = 0x9F;  // no surrogates
        } else if (b >= 0xF0 && b <= 0xF4) {
          length = 4;
          c = b & 0x07u;
          if (b == 0xF0) lo = 0x90;
          if (b == 0xF4) hi = 0x8F;  // nothing above U+10FFFF
        } else {
          *out++ = u'\uFFFD';
          ++p;
          return;
        }
        int taken = 1;
        bool complete = true;
        for (; taken < length; ++taken) {
          if (p + taken >= end) {
            complete = false;
            break;
          }
          const unsigned char t = p[taken];
          const unsigned char min = taken == 1 ? lo : 0x80;
          const unsigned char max = taken == 1 ? hi : 0xBF;
          if (t < min || t > max) {
            complete = false;
            break;
          }
          c = (c << 6) | (t & 0x3Fu);
        }
        p += taken;  // the maximal subpart; an offending byte is read again
        if (!complete) {
          *out++ = u'\uFFFD';
        } else if (c >= 0x10000) {
          c -= 0x10000;
          *out++ = static_cast<char16_t>(0xD800 + (c >> 10));
          *out++ = static_cast<char16_t>(0xDC00 + (c & 0x3FF));
        } else {
          *out++ = static_cast<char16_t>(c);
        }
      });
}

std::string Utf16ToSjis(std::u16string_view utf16) {
  return ConvertChunked<char, 2>(
      utf16, utf16.size() * 2, [](const char16_t*& p, const char16_t* end, char*& out) {
        const char16_t u = *p++;
        if (IsHighSurrogate(u) && p < end && IsLowSurrogate(*p)) {
          ++p;  // one character outside the BMP: nothing in code page 932
          *out++ = '?';
          return;
        }
        const std::uint16_t code = EncodeUnit(u);
        if (code == 0) {
          *out++ = '?';
        } else if (code < 0x100) {
          *out++ = static_cast<char>(code);
        } else {
          *out++ = static_cast<char>(code >> 8);
          *out++ = static_cast<char>(code & 0xFF);
        }
      });
}

std::string Utf8ToSjis(std::string_view utf8) { return Utf16ToSjis(Utf8ToUtf16(utf8)); }

}  // namespace tolvane
