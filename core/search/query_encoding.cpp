#include "core/search/query_encoding.h"

#include <array>

#include "core/search/charset_converter.h"

namespace tolvane {
namespace {

// 0 = escape, 1 = copy, 2 = space.
constexpr std::array<unsigned char, 256> MakeByteClasses() {
  std::array<unsigned char, 256> classes{};
  for (int c = '0'; c <= '9'; ++c) classes[c] = 1;
  for (int c = 'A'; c <= 'Z'; ++c) classes[c] = 1;
  for (int c = 'a'; c <= 'z'; ++c) classes[c] = 1;
  classes[' '] = 2;
  return classes;
}

constexpr std::array<unsigned char, 256> kByteClasses = MakeByteClasses();

}  // namespace

std::string PercentEncode(std::string_view bytes) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  // Sized once for the worst case and cut back after one pass.
  std::string result(bytes.size() * 3, '\0');
  char* out = result.data();
  for (const char ch : bytes) {
    const auto b = static_cast<unsigned char>(ch);
    switch (kByteClasses[b]) {
      case 1:
        *out++ = ch;
        break;
      case 2:
        *out++ = '+';
        break;
      default:
        out[0] = '%';
        out[1] = kHex[b >> 4];
        out[2] = kHex[b & 0x0F];
        out += 3;
        break;
    }
  }
  result.resize(static_cast<size_t>(out - result.data()));
  return result;
}

std::optional<std::string> Encode(int encoding, std::string_view text) {
  switch (encoding) {
    case kEncodingRaw:
      return std::string(text);
    case kEncodingShiftJis:
      return PercentEncode(text);
    case kEncodingEucJp:
      return PercentEncode(SjisToEucJp(text));
    case kEncodingUtf8:
      return PercentEncode(SjisToUtf8(text));
    default:
      return std::nullopt;
  }
}

}  // namespace tolvane
