#include "core/app/triplet_encoding.h"

#include <algorithm>
#include <array>
#include <random>

namespace tolvane {
namespace {

constexpr signed char kNotInAlphabet = -1;

constexpr std::array<signed char, 256> MakeIndexTable() {
  std::array<signed char, 256> table{};
  for (auto& entry : table) entry = kNotInAlphabet;
  for (std::size_t i = 0; i < TripletEncoding::kAlphabet.size(); ++i) {
    table[static_cast<unsigned char>(TripletEncoding::kAlphabet[i])] = static_cast<signed char>(i);
  }
  return table;
}

constexpr std::array<signed char, 256> kIndex = MakeIndexTable();

int IndexOf(char c) { return kIndex[static_cast<unsigned char>(c)]; }

}  // namespace

bool TripletEncoding::Decode(std::string_view encoded, std::string* plain,
                             std::size_t* bad_position) {
  // Every character is checked, the ignored remainder included.
  for (std::size_t i = 0; i < encoded.size(); ++i) {
    if (IndexOf(encoded[i]) == kNotInAlphabet) {
      if (bad_position) *bad_position = i;
      return false;
    }
  }
  const std::size_t groups = encoded.size() / 3;
  plain->resize(groups);
  const char* in = encoded.data();
  for (std::size_t g = 0; g < groups; ++g, in += 3) {
    const int value = IndexOf(in[2]) + IndexOf(in[1]) * IndexOf(in[0]);
    (*plain)[g] = static_cast<char>(static_cast<unsigned char>(value % 256));
  }
  return true;
}

std::string TripletEncoding::Encode(std::string_view plain, const RandomSource& random) {
  std::string encoded;
  encoded.reserve(plain.size() * 3);
  for (char c : plain) {
    const int v = static_cast<unsigned char>(c);
    const int p = std::clamp(random(kMinDivisor, kMaxDivisor), kMinDivisor, kMaxDivisor);
    encoded += kAlphabet[static_cast<std::size_t>(p)];
    encoded += kAlphabet[static_cast<std::size_t>(v / p)];
    encoded += kAlphabet[static_cast<std::size_t>(v % p)];
  }
  return encoded;
}

std::string TripletEncoding::Encode(std::string_view plain) {
  static thread_local std::mt19937 engine{std::random_device{}()};
  return Encode(plain, [](int low, int high) {
    return std::uniform_int_distribution<int>(low, high)(engine);
  });
}

}  // namespace tolvane
