#include "core/files/triplet_encoding.h"

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
  auto refuse = [&](std::size_t from) {
    for (std::size_t i = from; i < encoded.size(); ++i) {
      if (IndexOf(encoded[i]) == kNotInAlphabet) {
        if (bad_position) *bad_position = i;
        break;
      }
    }
    return false;
  };
  const std::size_t groups = encoded.size() / 3;
  plain->resize(groups);
  char* out = plain->data();
  const char* in = encoded.data();
  for (std::size_t g = 0; g < groups; ++g, in += 3) {
    const int a = IndexOf(in[0]);
    const int b = IndexOf(in[1]);
    const int c = IndexOf(in[2]);
    if ((a | b | c) < 0) return refuse(g * 3);
    out[g] = static_cast<char>(static_cast<unsigned char>(c + b * a));  // mod 256
  }
  // The ignored remainder must be clean too.
  for (std::size_t i = groups * 3; i < encoded.size(); ++i) {
    if (IndexOf(encoded[i]) == kNotInAlphabet) return refuse(i);
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
