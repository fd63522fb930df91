#include "core/text/query_encoding.h"

#include <array>

#include "core/text/charset_converter.h"
#include "core/text/chunked_output.h"

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
  constexpr size_t kMaxStep = 3;
  // Allocated once for the worst case and filled in one pass.
  std::string result;
  result.reserve(bytes.size() * 3);
  ChunkedOutput<char> chunk(&result);
  size_t i = 0;
  while (i < bytes.size()) {
    char* out = chunk.Room(kMaxStep);
    char* const last = out + chunk.Free() - kMaxStep;
    for (; i < bytes.size() && out <= last; ++i) {
      const auto b = static_cast<unsigned char>(bytes[i]);
      switch (kByteClasses[b]) {
        case 1:
          *out++ = static_cast<char>(b);
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
    chunk.Commit(out);
  }
  chunk.Finish();
  return result;
}

std::string PercentDecode(std::string_view text) {
  const auto hex = [](char c) -> int {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
  };
  std::string bytes;
  bytes.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '+') {
      bytes.push_back(' ');
    } else if (c == '%' && i + 2 < text.size() && hex(text[i + 1]) >= 0 && hex(text[i + 2]) >= 0) {
      bytes.push_back(static_cast<char>(hex(text[i + 1]) * 16 + hex(text[i + 2])));
      i += 2;
    } else {
      bytes.push_back(c);
    }
  }
  return bytes;
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
