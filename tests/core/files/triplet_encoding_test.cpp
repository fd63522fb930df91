#include "core/files/triplet_encoding.h"

#include <string>

#include <gtest/gtest.h>

namespace tolvane {
namespace {

TEST(TripletEncodingTest, DecodesGroupsAndIgnoresARemainder) {
  std::string plain;
  ASSERT_TRUE(TripletEncoding::Decode("0ab", &plain));
  EXPECT_EQ(plain, "\x0b");  // 11 + 10 * 0
  ASSERT_TRUE(TripletEncoding::Decode("a12", &plain));
  EXPECT_EQ(plain, "\x0c");  // 2 + 1 * 10
  ASSERT_TRUE(
      TripletEncoding::Decode("0ab"
                              "a12"
                              "ZZ",
                              &plain));
  EXPECT_EQ(plain, "\x0b\x0c");
  // 61 + 61 * 61 = 3782, and 3782 mod 256 = 198.
  ASSERT_TRUE(TripletEncoding::Decode("ZZZ", &plain));
  EXPECT_EQ(plain, "\xc6");
  ASSERT_TRUE(TripletEncoding::Decode("", &plain));
  EXPECT_EQ(plain, "");
}

TEST(TripletEncodingTest, RefusesCharactersOutsideTheAlphabet) {
  std::string plain;
  std::size_t position = 0;
  EXPECT_FALSE(TripletEncoding::Decode("0ab0a-", &plain, &position));
  EXPECT_EQ(position, 5u);
  EXPECT_FALSE(TripletEncoding::Decode("0ab ", &plain, &position));  // even in the remainder
  EXPECT_EQ(position, 3u);
  EXPECT_FALSE(TripletEncoding::Decode(std::string("0a\0", 3), &plain, &position));
  EXPECT_EQ(position, 2u);
}

TEST(TripletEncodingTest, EveryByteRoundTripsWithEveryDivisor) {
  std::string all;
  for (int v = 0; v < 256; ++v) all += static_cast<char>(v);
  for (int p = TripletEncoding::kMinDivisor; p <= TripletEncoding::kMaxDivisor; ++p) {
    const std::string encoded = TripletEncoding::Encode(all, [p](int, int) { return p; });
    ASSERT_EQ(encoded.size(), all.size() * 3);
    std::string plain;
    ASSERT_TRUE(TripletEncoding::Decode(encoded, &plain));
    EXPECT_EQ(plain, all) << "divisor " << p;
  }
  std::string plain;
  ASSERT_TRUE(TripletEncoding::Decode(TripletEncoding::Encode(all), &plain));
  EXPECT_EQ(plain, all);
}

TEST(TripletEncodingTest, EncodesWithTheDivisorAskedForWithinItsRange) {
  int low_seen = 0;
  int high_seen = 0;
  auto source = [&](int low, int high) {
    low_seen = low;
    high_seen = high;
    return 10;
  };
  // 'A' = 65 = 6 * 10 + 5
  EXPECT_EQ(TripletEncoding::Encode("A", source), "a65");
  EXPECT_EQ(low_seen, 8);
  EXPECT_EQ(high_seen, 61);
  // A source out of range is clamped rather than producing undecodable text.
  EXPECT_EQ(TripletEncoding::Encode("A", [](int, int) { return 1000; }), "Z14");
  EXPECT_EQ(TripletEncoding::Encode("\xff", [](int, int) { return 0; }), "8v7");
}

}  // namespace
}  // namespace tolvane
