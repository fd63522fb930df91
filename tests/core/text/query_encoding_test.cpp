#include "core/text/query_encoding.h"

#include <gtest/gtest.h>

#include <string>

namespace tolvane {
namespace {

const std::string kTokyo = "\x93\x8C\x8B\x9E";  // 東京

TEST(PercentEncodeTest, KeepsOnlyLettersAndDigits) {
  EXPECT_EQ(PercentEncode("a b-c"), "a+b%2Dc");
  EXPECT_EQ(PercentEncode("09AZaz"), "09AZaz");
  EXPECT_EQ(PercentEncode("-._*~/?&=+%"), "%2D%2E%5F%2A%7E%2F%3F%26%3D%2B%25");
  EXPECT_EQ(PercentEncode(std::string("\0\x7F\x80\xFF", 4)), "%00%7F%80%FF");
  EXPECT_EQ(PercentEncode(""), "");
}

TEST(PercentEncodeTest, EveryByteTakesOneOrThreeCharacters) {
  for (int b = 0; b < 256; ++b) {
    const std::string out = PercentEncode(std::string(1, static_cast<char>(b)));
    const bool alnum = (b >= '0' && b <= '9') || (b >= 'A' && b <= 'Z') || (b >= 'a' && b <= 'z');
    if (alnum || b == ' ') {
      EXPECT_EQ(out.size(), 1u) << b;
    } else {
      ASSERT_EQ(out.size(), 3u) << b;
      EXPECT_EQ(std::stoi(out.substr(1), nullptr, 16), b);
      EXPECT_EQ(out, [&] {
        std::string upper = out;
        for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        return upper;
      }());
    }
  }
}

TEST(PercentEncodeTest, LongInput) {
  std::string in;
  std::string expected;
  for (int i = 0; i < 2000; ++i) {
    in += static_cast<char>(i % 256);
    expected += PercentEncode(std::string(1, static_cast<char>(i % 256)));
  }
  EXPECT_EQ(PercentEncode(in), expected);
}

TEST(EncodeTest, Keyword) {
  EXPECT_EQ(Encode(0, kTokyo), kTokyo);
  EXPECT_EQ(Encode(1, kTokyo), "%93%8C%8B%9E");
  EXPECT_EQ(Encode(2, kTokyo), "%C5%EC%B5%FE");
  EXPECT_EQ(Encode(3, kTokyo), "%E6%9D%B1%E4%BA%AC");
  EXPECT_EQ(Encode(0, "a b\x93\x8C"), "a b\x93\x8C");  // raw: nothing escaped
  EXPECT_EQ(Encode(3, "a b"), "a+b");
}

TEST(EncodeTest, HalfWidthKatakanaAndBrokenBytes) {
  EXPECT_EQ(Encode(2, "\xB1"), "%8E%B1");
  EXPECT_EQ(Encode(3, "\xB1"), "%EF%BD%B1");
  // A lone lead byte at the end survives only where nothing is converted.
  EXPECT_EQ(Encode(1, "a\x93"), "a%93");
  EXPECT_EQ(Encode(2, "a\x93"), "a");
  EXPECT_EQ(Encode(3, "a\x93"), "a");
  // An invalid trail: "?" for the lead, the trail kept.
  EXPECT_EQ(Encode(2, "\x81\x7F"), "%3F%7F");
  EXPECT_EQ(Encode(3, "\x81\x7F"), "%3F%7F");
}

TEST(EncodeTest, UnknownEncodingGivesNothing) {
  EXPECT_FALSE(Encode(4, kTokyo).has_value());
  EXPECT_FALSE(Encode(-1, kTokyo).has_value());
  EXPECT_EQ(Encode(0, ""), "");
}

}  // namespace
}  // namespace tolvane
