#include "core/search/search_requests.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/text/charset_converter.h"
#include "support/search_lists.h"

namespace tolvane {
namespace {

using testing::SearchLists;
using Lines = std::vector<std::string>;

// One "URL | CAPTION | BODY" line per page, in UTF-8.
Lines Render(const SearchRequests& requests) {
  EXPECT_EQ(requests.captions.size(), requests.size());
  EXPECT_EQ(requests.bodies.size(), requests.size());
  Lines lines;
  for (std::size_t i = 0; i < requests.size(); ++i) {
    lines.push_back(
        SjisToUtf8(requests.urls[i] + " | " + requests.captions[i] + " | " + requests.bodies[i]));
  }
  return lines;
}

const std::string kTokyoStation = Utf8ToSjis("東京　駅");  // two words, full-width space

class BuildRequestsTest : public ::testing::Test {
 protected:
  Lines Tab(int row, const std::string& keyword) {
    return Render(BuildRequests(lists_.tabs, row, Keyword::FromSjis(keyword)));
  }
  Lines Engine(int row, const std::string& keyword, const PageContext* page = nullptr) {
    return Render(BuildRequests(lists_.engines, row, Keyword::FromSjis(keyword), page));
  }
  SearchLists lists_;
};

TEST_F(BuildRequestsTest, FolderOfThreeEnginesInOrderWithTheirOwnEncodings) {
  // C has no search URL: its page is there but empty, and is skipped later.
  EXPECT_EQ(Tab(SearchLists::kFolder12, kTokyoStation),
            (Lines{" | C | ",  //
                   "http://b/s | B | k=%93%8C%8B%9E+%89w&w=%89w",
                   "http://a/s?q=%E6%9D%B1%E4%BA%AC+%E9%A7%85 | A | "}));
  const SearchRequests requests =
      BuildRequests(lists_.tabs, SearchLists::kFolder12, Keyword::FromSjis("x"));
  EXPECT_EQ(requests.JoinedUrls(), "\thttp://b/s\thttp://a/s?q=x");
  EXPECT_EQ(requests.JoinedCaptions(), "C\tB\tA");
  EXPECT_EQ(requests.JoinedBodies(), "\tk=x&w=\t");
}

TEST_F(BuildRequestsTest, WithoutKeywordTopPages) {
  EXPECT_EQ(Tab(SearchLists::kFolder12, ""),
            (Lines{"http://c/ | C | ", "http://b/ | B | ", "http://a/ | A | "}));
  // The tab's own TopUrl wins for every page, and is not resolved.
  EXPECT_EQ(Tab(SearchLists::kFolder12Top, ""),
            (Lines{"http://top/ | C | ", "http://top/ | B | ", "http://top/ | A | "}));
  EXPECT_EQ(Engine(SearchLists::kD, ""), (Lines{"http://d/top | D | "}));
  EXPECT_EQ(Engine(SearchLists::kA, ""), (Lines{"http://a/ | A | "}));
  // A TopUrl is for keyword-less searches only.
  EXPECT_EQ(Tab(SearchLists::kFolder12Top, "x")[2], "http://a/s?q=x | A | ");
}

TEST_F(BuildRequestsTest, ReferencesAndShortColumns) {
  // An engine reference keeps the tab's name and takes the engine's encoding.
  EXPECT_EQ(Tab(SearchLists::kEngineB, "x y"), (Lines{"http://b/s | TabB | k=x+y&w=y"}));
  EXPECT_EQ(Tab(SearchLists::kMissing, "x"), Lines{});
  EXPECT_EQ(Tab(SearchLists::kEmptyFolder, "x"), Lines{});
  EXPECT_EQ(Tab(SearchLists::kEmptyFolder, ""), Lines{});
  // One search template for a folder of pages: repeated, in the tab's encoding.
  EXPECT_EQ(
      Tab(SearchLists::kMixed, kTokyoStation),
      (Lines{"http://all/?q=%93%8C%8B%9E+%89w | C | ", "http://all/?q=%93%8C%8B%9E+%89w | B | ",
             "http://all/?q=%93%8C%8B%9E+%89w | A | "}));
  // An engine with nothing in it ends the pages of its folder.
  EXPECT_EQ(Tab(SearchLists::kFolder14, ""), (Lines{"http://e/ | E | "}));
  EXPECT_EQ(Tab(SearchLists::kFolder14, "x"), (Lines{"http://e/?x | E | "}));
  // No window: $h stays.
  EXPECT_EQ(Tab(SearchLists::kOne, "x y"), (Lines{"http://d/?q=x&site=$h | D | "}));
}

TEST_F(BuildRequestsTest, EngineRows) {
  PageContext page{"http://shop.example/a/b.html", ""};
  EXPECT_EQ(Engine(SearchLists::kD, "x y", &page),
            (Lines{"http://d/?q=x&site=shop.example | D | "}));
  EXPECT_EQ(Engine(SearchLists::kRaw, "a b"), (Lines{"http://r/?q=a b | Raw | "}));
  EXPECT_EQ(Engine(SearchLists::kOddEncoding, "a b"), (Lines{"http://o/?q=$0&w=$1 | Odd | "}));
  EXPECT_EQ(Engine(-1, "x"), Lines{});
  EXPECT_EQ(Engine(100, "x"), Lines{});
  // In the engine list a folder reference resolves as well; the row's own
  // Url stands in for every engine, so the empty engine ends nothing here.
  lists_.engines.set_search_url(SearchLists::kRaw, Utf8ToSjis("検索フォルダID[14]"));
  EXPECT_EQ(Engine(SearchLists::kRaw, "x"),
            (Lines{"http://e/?x | Raw | ", " | Raw | ", "http://g/?x | Raw | "}));
}

// A posted page keeps the search that made it (the engine whose own form
// it sent, the charset it went in, the keyword as typed); a GET page and a
// tab's own form keep none.
TEST_F(BuildRequestsTest, APostedPageKeepsItsSearchAndIsMadeAgainFromIt) {
  const Keyword cafe = Keyword::FromUtf8("Café 東京");
  const SearchRequests folder = BuildRequests(lists_.tabs, SearchLists::kFolder12, cafe);
  EXPECT_EQ(folder.searches, (std::vector<PostedSearch>{{}, {2, 1, "Café 東京"}, {}}));
  EXPECT_EQ(BuildRequests(lists_.engines, SearchLists::kB, cafe).searches,
            (std::vector<PostedSearch>{{2, 1, "Café 東京"}}));
  lists_.tabs.ParseRecord("30\t1\tOwn\t\t\thttp://own/\t\thttp://own/s\tq=$0\t\t\t3");
  EXPECT_EQ(BuildRequests(lists_.tabs, static_cast<int>(lists_.tabs.size()) - 1, cafe).searches,
            (std::vector<PostedSearch>{{}}));

  // Made again in the kept charset, even where the engine's own differs.
  const SearchRequests again = BuildPostedSearch(lists_.engines, {2, 3, "Café 東京"});
  EXPECT_EQ(Render(again),
            (Lines{"http://b/s | B | k=Caf%C3%A9+%E6%9D%B1%E4%BA%AC&w=%E6%9D%B1%E4%BA%AC"}));
  EXPECT_EQ(again.searches, (std::vector<PostedSearch>{{2, 3, "Café 東京"}}));
  EXPECT_TRUE(BuildPostedSearch(lists_.engines, {77, 1, "x"}).empty());
  EXPECT_TRUE(BuildPostedSearch(lists_.engines, {3, 1, "x"}).empty());  // no search URL
}

}  // namespace
}  // namespace tolvane
