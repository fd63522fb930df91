// Feeds arbitrary bytes to every charset converter and to the keyword
// encoder, checking the size bounds callers rely on and that conversions
// settle after one round trip.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "core/text/charset_converter.h"
#include "core/text/query_encoding.h"

namespace {

void Check(bool ok) {
  if (!ok) std::abort();
}

bool HasLoneSurrogate(std::u16string_view s) {
  for (size_t i = 0; i < s.size(); ++i) {
    const char16_t u = s[i];
    if (u >= 0xD800 && u <= 0xDBFF && i + 1 < s.size() && s[i + 1] >= 0xDC00 &&
        s[i + 1] <= 0xDFFF) {
      ++i;
    } else if (u >= 0xD800 && u <= 0xDFFF) {
      return true;
    }
  }
  return false;
}

bool IsPercentEncoded(std::string_view s) {
  for (const char c : s) {
    const bool ok = (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ||
                    c == '+' || c == '%';
    if (!ok) return false;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tolvane;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const size_t n = size;

  const std::string percent = PercentEncode(bytes);
  Check(percent.size() <= 3 * n && IsPercentEncoded(percent));
  Check(PercentDecode(percent) == bytes);
  Check(PercentEncode(PercentDecode(bytes)).size() <= 3 * n);

  Check(Encode(0, bytes) == std::string(bytes));
  for (int encoding = 1; encoding <= 3; ++encoding) {
    const auto encoded = Encode(encoding, bytes);
    Check(encoded.has_value() && encoded->size() <= 3 * n * static_cast<size_t>(encoding) &&
          IsPercentEncoded(*encoded));
  }
  Check(!Encode(4, bytes).has_value() && !Encode(-1, bytes).has_value());

  Check(SjisToEucJp(bytes).size() <= 2 * n);

  // Shift_JIS -> UTF-16 -> Shift_JIS settles after one round.
  const std::u16string utf16 = SjisToUtf16(bytes);
  Check(utf16.size() <= n && !HasLoneSurrogate(utf16));
  const std::string sjis = Utf16ToSjis(utf16);
  Check(sjis.size() <= 2 * utf16.size());
  Check(Utf16ToSjis(SjisToUtf16(sjis)) == sjis);
  const std::string utf8 = Utf16ToUtf8(utf16);
  Check(utf8.size() <= 3 * utf16.size() && Utf8ToUtf16(utf8) == utf16);
  Check(SjisToUtf8(bytes) == utf8);

  // The bytes as UTF-8.
  const std::u16string from_utf8 = Utf8ToUtf16(bytes);
  Check(from_utf8.size() <= n && !HasLoneSurrogate(from_utf8));
  Check(Utf8ToUtf16(Utf16ToUtf8(from_utf8)) == from_utf8);
  Check(Utf8ToSjis(bytes) == Utf16ToSjis(from_utf8));

  // The bytes as UTF-16, lone surrogates included.
  std::u16string units(n / 2, u'\0');
  for (size_t i = 0; i < units.size(); ++i) {
    units[i] = static_cast<char16_t>(data[2 * i] | (data[2 * i + 1] << 8));
  }
  const std::string units_utf8 = Utf16ToUtf8(units);
  Check(units_utf8.size() <= 3 * units.size());
  if (!HasLoneSurrogate(units)) Check(Utf8ToUtf16(units_utf8) == units);
  Check(Utf16ToSjis(units).size() <= 2 * units.size());
  return 0;
}
