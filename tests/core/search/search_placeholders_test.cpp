#include "core/search/search_placeholders.h"

#include <gtest/gtest.h>

#include <string>

#include "core/text/charset_converter.h"

namespace tolvane {
namespace {

std::string S(const char* utf8) { return Utf8ToSjis(utf8); }

TEST(SubstitutePlaceholdersTest, KeywordAndWords) {
  const std::string tokyo_station = S("東京　駅");  // full-width space between
  const struct {
    std::string tmpl;
    int encoding;
    std::string keyword;
    std::string expected;
  } cases[] = {
      {"q=$0&w=$2", 3, tokyo_station, "q=%E6%9D%B1%E4%BA%AC+%E9%A7%85&w=%E9%A7%85"},
      {"q=$0&w=$2", 1, tokyo_station, "q=%93%8C%8B%9E+%89w&w=%89w"},
      {"$1|$2|$3|$0", 1, "a  b", "a|b||a++b"},
      {"x=$0", 0, S("a b東"), S("x=a b東")},  // raw: nothing escaped
      {"$9$1$1", 2, "a", "aa"},
      {"$1-$2", 1, " a", "-a"},
      // An encoding Encode() does not know leaves what it would have filled.
      {"$0 $1 $2", 7, "a", "$0 $1 "},
      // 88 81 is one character; the 40 after it is "@", not half of 81 40.
      {"$0", 1, "\x88\x81\x40", "%88%81%40"},
      {"$", 1, "a", "$"},
      {"$$0", 1, "a", "$a"},
      // No page context: $a, $h and $s stay.
      {"$a$h$s", 1, "a", "$a$h$s"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(SubstitutePlaceholders(c.tmpl, c.encoding, c.keyword), c.expected)
        << c.tmpl << " / " << c.keyword;
  }
}

TEST(SubstitutePlaceholdersTest, LaterStepsSeeEarlierResults) {
  // A raw keyword is not escaped, so its own placeholders are filled in turn.
  EXPECT_EQ(SubstitutePlaceholders("$0", 0, "a$2 b"), "ab b");
  PageContext page{"http://x/", ""};
  EXPECT_EQ(SubstitutePlaceholders("$0", 0, "$a", &page), "http://x/");
  // Escaped, "$" is %24 and nothing more happens.
  EXPECT_EQ(SubstitutePlaceholders("$0", 1, "a$2 b"), "a%242+b");
}

TEST(SubstitutePlaceholdersTest, PageAddresses) {
  const std::string url = "http://shop.example/a/b/item.html";
  PageContext page{url, url};
  EXPECT_EQ(SubstitutePlaceholders("[$a][$h][$s]", 1, "k", &page),
            "[" + url + "][shop.example][shop.example/a/b]");

  const struct {
    std::string text;
    std::string host;
    std::string directory;
  } cases[] = {
      {"", "", "."},
      {"keyword", "keyword", "."},
      {"/local/file", "/local/file", "/local"},
      {"https://secure.example/x/", "secure.example", "secure.example/x"},
      {"http://h/?u=http://g/", "h", "h/?u=g"},
      {"c:\\dir\\file", "c:\\dir\\file", "c:\\dir"},
      // 表 is 95 5C: its trail byte is no separator.
      {S("http://h/dir/表"), "h", "h/dir"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(HostOfAddress(c.text), c.host) << c.text;
    EXPECT_EQ(DirectoryOfAddress(c.text), c.directory) << c.text;
  }

  PageContext none{"", "no slash"};
  EXPECT_EQ(SubstitutePlaceholders("$a|$h|$s", 1, "k", &none), "||.");
}

}  // namespace
}  // namespace tolvane
