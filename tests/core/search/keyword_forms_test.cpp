#include "core/search/keyword_forms.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tolvane {
namespace {

TEST(KeywordFormsTest, Words) {
  using Words = std::vector<std::string>;
  const struct {
    std::string keyword;
    Words words;
  } cases[] = {
      {"", {}},
      {"a", {"a"}},
      {"a b", {"a", "b"}},
      {"a  b", {"a", "b"}},  // a run of spaces is one separator
      {"a b ", {"a", "b"}},  // trailing empty word dropped
      {" a b", {"", "a", "b"}},
      {"   ", {""}},
      {"a\t b\t", {"a", "b"}},  // words are trimmed
  };
  for (const auto& c : cases) {
    EXPECT_EQ(KeywordForms(Keyword::FromSjis(c.keyword)).words(), c.words) << c.keyword;
  }
}

TEST(KeywordFormsTest, EncodedFormsAreKept) {
  // 東京　駅 with a full-width space; 88 81 40 is a character and "@".
  KeywordForms forms(Keyword::FromSjis("\x93\x8C\x8B\x9E\x81\x40\x89w \x88\x81\x40"));
  EXPECT_EQ(forms.spaced(), "\x93\x8C\x8B\x9E \x89w \x88\x81\x40");
  ASSERT_NE(forms.Whole(1), nullptr);
  EXPECT_EQ(*forms.Whole(1), "%93%8C%8B%9E+%89w+%88%81%40");
  EXPECT_EQ(forms.Whole(1), forms.Whole(1));  // made once
  EXPECT_EQ(*forms.Word(3, 1), "%E9%A7%85");
  EXPECT_EQ(*forms.Word(0, 2), "\x88\x81\x40");
  EXPECT_EQ(forms.Word(3, 3), nullptr);
  EXPECT_EQ(forms.Whole(4), nullptr);
  EXPECT_EQ(forms.Word(-1, 0), nullptr);
}

TEST(KeywordFormsTest, Utf8TakesTheTextAsTyped) {
  KeywordForms forms(Keyword::FromUtf8("Café　한국 €"));
  EXPECT_EQ(*forms.Whole(3), "Caf%C3%A9+%ED%95%9C%EA%B5%AD+%E2%82%AC");
  EXPECT_EQ(*forms.Word(3, 1), "%ED%95%9C%EA%B5%AD");
  EXPECT_EQ(*forms.Word(3, 2), "%E2%82%AC");
  EXPECT_EQ(*forms.Whole(1), "Caf%3F+%3F%3F+%3F");
  EXPECT_EQ(*forms.Word(2, 1), "%3F%3F");
  EXPECT_EQ(*forms.Whole(0), "Caf? ?? ?");
  EXPECT_EQ(forms.Word(3, 3), nullptr);
}

}  // namespace
}  // namespace tolvane
