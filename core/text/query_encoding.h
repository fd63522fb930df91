#pragma once

#include <optional>
#include <string>
#include <string_view>

// How a keyword is put into an engine's URL or form body. The number is the
// engine's Encoding column.
//   0  the Shift_JIS bytes as they are, nothing escaped
//   1  Shift_JIS, percent-encoded
//   2  EUC-JP, percent-encoded
//   3  UTF-8, percent-encoded
// Example: 東京 (93 8C 8B 9E) gives %93%8C%8B%9E, %C5%EC%B5%FE and
// %E6%9D%B1%E4%BA%AC for 1, 2 and 3.
namespace tolvane {

inline constexpr int kEncodingRaw = 0;
inline constexpr int kEncodingShiftJis = 1;
inline constexpr int kEncodingEucJp = 2;
inline constexpr int kEncodingUtf8 = 3;

// The keyword in `encoding`, or nothing for a number outside 0-3 (the caller
// then leaves its placeholder alone).
std::optional<std::string> Encode(int encoding, std::string_view text);

// ASCII letters and digits stay, a space becomes "+", every other byte
// becomes "%XX" with upper-case hex. The result is at most 3 x size bytes.
std::string PercentEncode(std::string_view bytes);

// The bytes PercentEncode was given: "+" becomes a space and "%XX" (either
// case) its byte; anything else, a "%" without two hex digits too, stays.
std::string PercentDecode(std::string_view text);

}  // namespace tolvane
