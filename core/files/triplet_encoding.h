#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace tolvane {

// The optional obfuscation of store lines. Each plain byte v becomes three
// characters of a 62-character alphabet: a random divisor p (8..61), v / p
// and v % p. Decoding a group (a, b, c) gives (c + b * a) mod 256.
class TripletEncoding {
 public:
  static constexpr std::string_view kAlphabet =
      "0123456789abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ";
  static constexpr int kMinDivisor = 8;
  static constexpr int kMaxDivisor = 61;

  // Returns a number in [low, high]; tests pass a fixed one.
  using RandomSource = std::function<int(int low, int high)>;

  // Decodes `encoded` into *plain (replacing its contents). A trailing
  // group of one or two characters is ignored. Returns false, leaving
  // *plain unspecified, when a character is outside the alphabet (a byte
  // damaged on disk must not turn silently into a different record); its
  // position goes to *bad_position when given.
  static bool Decode(std::string_view encoded, std::string* plain,
                     std::size_t* bad_position = nullptr);

  // Encodes every byte of `plain`, the divisor of each drawn from `random`
  // (a value outside 8..61 is clamped into that range).
  static std::string Encode(std::string_view plain, const RandomSource& random);

  // The same with a uniformly distributed divisor from a default source.
  static std::string Encode(std::string_view plain);
};

}  // namespace tolvane
