#include "core/stores/folder_query.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/text/charset_converter.h"

namespace tolvane {
namespace {

// "|a &!b": each term with its operator and negation.
std::string Describe(const FolderQuery& query) {
  std::string out;
  for (const FolderQuery::Term& term : query.terms()) {
    if (!out.empty()) out += ' ';
    out += term.conjunctive ? '&' : '|';
    if (term.negated) out += '!';
    out += SjisToUtf8(term.text);
  }
  return out;
}

TEST(FolderQueryTest, ParsesWordsAndOperators) {
  struct Case {
    const char* query;  // UTF-8
    const char* terms;
  } const cases[] = {
      {"", ""},
      {"   ", ""},
      {"not", ""},
      {"red and", "|red"},
      {"*", "|*"},
      {"red  bag", "|red |bag"},
      {" red and bag ", "|red &bag"},
      {"red not bag", "|red &!bag"},
      {"not bag", "&!bag"},
      {"red or and bag", "|red &bag"},
      {"ＲＥＤ ＮＯＴ Ｂａｇ", "|red &!bag"},
      {"N-O-T bag", "&!bag"},
      {"ＲＥＤ　ＢＡＧ", "|redbag"},
      {"ぱそこん - ケース", "|ﾊﾟｿｺﾝ |ｹｽ"},
      {"red\t and\r", "|red"},
  };
  for (const Case& c : cases) {
    const FolderQuery query(Utf8ToSjis(c.query));
    EXPECT_EQ(Describe(query), c.terms) << c.query;
    EXPECT_EQ(query.has_terms(), *c.terms != '\0') << c.query;
    EXPECT_EQ(query.matches_everything(), std::string(c.query) == "*") << c.query;
  }
}

TEST(FolderQueryTest, CombinesLeftToRight) {
  struct Case {
    const char* query;
    const char* text;  // already folded
    const char* padded_tags;
    bool matches;
  } const cases[] = {
      {"red bag", "redshoes", "", true},
      {"red and bag", "redshoes", "", false},
      {"red and bag", "bagred", "", true},
      {"red not bag", "redbag", "", false},
      {"not bag", "shoes", "", true},
      // (red or blue) and bag, not red or (blue and bag)
      {"red blue and bag", "red", "", false},
      {"red not blue bag", "redblue", "", false},
      {"red not blue bag", "redbluebag", "", true},
      // Tags count only as whole tags.
      {"shoe", "", " shoes bag ", false},
      {"shoes", "", " shoes bag ", true},
      {"bag", "", " shoes bag ", true},
      {"not shoes", "", " shoes bag ", false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FolderQuery(c.query).Matches(c.text, c.padded_tags), c.matches)
        << c.query << " in " << c.text << " /" << c.padded_tags << "/";
  }
}

// A term must start on a character boundary: "a" is the trail byte of 病
// (0x95 0x61) and "\\" that of 表 (0x95 0x5C).
TEST(FolderQueryTest, MatchesWholeCharactersOnly) {
  const std::string hospital = Utf8ToSjis("病院");
  EXPECT_FALSE(FolderQuery::ContainsCharacters(hospital, "a"));
  EXPECT_TRUE(FolderQuery::ContainsCharacters(hospital + "a", "a"));
  EXPECT_TRUE(FolderQuery::ContainsCharacters("a" + hospital, "a"));
  EXPECT_FALSE(FolderQuery::ContainsCharacters(Utf8ToSjis("表示"), "\\"));
  EXPECT_TRUE(FolderQuery::ContainsCharacters(Utf8ToSjis("表\\"), "\\"));
  EXPECT_TRUE(FolderQuery::ContainsCharacters(hospital, Utf8ToSjis("院")));
  EXPECT_FALSE(FolderQuery::ContainsCharacters("", "a"));
  // A stray lead byte stands alone when no trail follows it.
  EXPECT_TRUE(FolderQuery::ContainsCharacters("\x95 a", "a"));
  EXPECT_FALSE(FolderQuery(Utf8ToSjis("ａ")).Matches(hospital, ""));
}

}  // namespace
}  // namespace tolvane
