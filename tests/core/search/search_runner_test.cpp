#include "core/search/search_runner.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/files/clipboard.h"
#include "core/files/setting_keys.h"
#include "core/files/settings_store.h"
#include "core/search/keyword_boxes.h"
#include "core/search/search_host.h"
#include "core/stores/item_store.h"
#include "core/text/charset_converter.h"
#include "platform/posix_env.h"
#include "support/fake_clock.h"
#include "support/fake_prompter.h"
#include "support/search_lists.h"
#include "support/temp_dir.h"

namespace tolvane {
namespace {

using testing::SearchLists;
using Log = std::vector<std::string>;

// A tab area that logs what it is asked to do, one line per call.
class FakeSearchHost : public SearchHost,
                       public KeywordBoxes,
                       public Clipboard,
                       public StoreObserver {
 public:
  struct Category {
    int tab_row = -1;
    int pages = 0;
    bool may_replace = true;
  };

  int CategoryCount() const override { return static_cast<int>(categories.size()); }
  int CurrentCategory() const override { return current; }
  int CategoryTabRow(int c) const override { return categories[Index(c)].tab_row; }
  int PageCount(int c) const override { return categories[Index(c)].pages; }
  bool MayReplaceCurrentPage(int c) const override { return categories[Index(c)].may_replace; }
  int OpenPage(const OpenPageRequest& r) override {
    std::string line = "open " + std::to_string(r.category) + " mode " + std::to_string(r.mode) +
                       (r.keys.shift ? " shift" : "") + (r.keys.ctrl ? " ctrl" : "") +
                       (r.keys.middle_button ? " middle" : "") + " from " +
                       std::to_string(r.origin_kind) + "/" + std::to_string(r.origin_index) + " " +
                       SjisToUtf8(r.url) + " [" + SjisToUtf8(r.caption) + "]";
    if (!r.post_body.empty()) line += " body " + r.post_body;
    if (!r.headers.empty()) line += " headers " + r.headers;
    log.push_back(line);
    Category& c = categories[Index(r.category)];
    if (r.mode == OpenPageRequest::kCurrentPage) return 0;
    return c.pages++;
  }
  void CloseAllPages(int c) override {
    log.push_back("close all " + std::to_string(c));
    categories[Index(c)].pages = 0;
  }
  void PagesRebuilt(int c) override { log.push_back("rebuilt " + std::to_string(c)); }
  void SelectPage(int c, int index) override {
    log.push_back("select " + std::to_string(c) + " " + std::to_string(index));
  }
  void AfterShownRequest(int, std::function<void()> rest) override { rest(); }
  void FreezeDrawing() override { log.push_back("freeze"); }
  void UnfreezeDrawing() override { log.push_back("unfreeze"); }
  void FocusCategoryTabs() override { log.push_back("focus"); }
  std::optional<PageContext> PageContextNow() const override { return page_context; }
  // Observes the keyword store.
  void StoreChanged(const ChangeNotifier&, const StoreChange&) override {
    log.push_back("keywords changed");
  }

  void SetSearchBarText(const Keyword& keyword) override {
    log.push_back("search bar " + keyword.utf8());
  }
  void SetSideBarText(const Keyword& keyword) override {
    log.push_back("side bar " + keyword.utf8());
  }
  void SetText(const std::string& utf8) override { log.push_back("clipboard " + utf8); }

  std::vector<Category> categories;
  int current = 0;
  std::optional<PageContext> page_context;
  Log log;

 private:
  static std::size_t Index(int c) { return static_cast<std::size_t>(c); }
};

class SearchRunnerTest : public ::testing::Test {
 protected:
  SearchRunnerTest()
      : settings_(dir_.path() / "vq_system.ini", env_),
        keywords_(StoreType::kKeywords, settings_, clock_),
        runner_(lists_.engines, lists_.tabs, settings_, keywords_, prompter_, host_, host_, host_) {
    keywords_.ResetToDefaults();
    keywords_.changes().AddObserver(host_);
    host_.categories = {{SearchLists::kFolder12, 1}, {SearchLists::kEngineB, 1}, {-1, 1}};
  }
  ~SearchRunnerTest() override { keywords_.changes().RemoveObserver(host_); }

  void Set(const IntSetting& setting, int value) { ASSERT_TRUE(Write(settings_, setting, value)); }

  // Searches and hands back what the host saw.
  Log Search(int category, const std::string& keyword, int keep, int list, int row) {
    host_.log.clear();
    ran_ = runner_.RunSearch(category, Keyword::FromUtf8(keyword), keep, list, row);
    return host_.log;
  }

  int KeywordCount(const std::string& keyword) const {
    const int i = keywords_.items().FindByUrl(Utf8ToSjis(keyword));
    return i < 0 ? 0 : keywords_.items().count(static_cast<std::size_t>(i));
  }

  ::tolvane::testing::TempDir dir_;
  PosixEnv env_{dir_.path()};
  SettingsStore settings_;
  ::tolvane::testing::FakeClock clock_;
  ::tolvane::testing::FakePrompter prompter_;
  SearchLists lists_;
  ItemStore keywords_;
  FakeSearchHost host_;
  SearchRunner runner_;
  bool ran_ = false;
};

constexpr int kEngines = SearchRunner::kEngineList;
constexpr int kTabs = SearchRunner::kTabList;

TEST_F(SearchRunnerTest, FolderSearchReplacesThePagesOfTheCategory) {
  // C has no search URL: two pages for three engines, each in a new page tab.
  // The first is selected (and so starts) before the next is made.
  EXPECT_EQ(Search(0, "東京", 0, kTabs, -1),
            (Log{"freeze", "close all 0",
                 "open 0 mode 1 from -1/-1 http://b/s [B] body k=%93%8C%8B%9E&w=", "select 0 0",
                 "open 0 mode 1 from -1/-1 http://a/s?q=%E6%9D%B1%E4%BA%AC [A]", "rebuilt 0",
                 "select 0 0", "unfreeze"}));
  EXPECT_TRUE(ran_);

  // Without a keyword the top pages; keep 1 adds them after the pages there.
  EXPECT_EQ(Search(0, "", 1, kTabs, SearchLists::kFolder12),
            (Log{"freeze", "open 0 mode 1 from -1/-1 http://c/ [C]", "select 0 2",
                 "open 0 mode 1 from -1/-1 http://b/ [B]", "open 0 mode 1 from -1/-1 http://a/ [A]",
                 "select 0 2", "unfreeze"}));
}

// One page goes to the host in the mode `keep` gives, with the keys of the
// command; whether it still takes a new page tab (no page yet, a clip page,
// OptionFindTree/NewPage, those keys) the tab area decides.
TEST_F(SearchRunnerTest, SinglePageCarriesModeAndKeys) {
  const struct {
    int keep;
    ModifierState keys;
    const char* open;
  } cases[] = {
      {0, {}, "open 0 mode 0 from 0/1"},
      {1, {}, "open 0 mode 1 from 0/1"},
      {0, {true, false, false}, "open 0 mode 0 shift from 0/1"},
      {0, {false, true, true}, "open 0 mode 0 ctrl middle from 0/1"},
  };
  Set(settings::kFindTreeNewPage, 1);
  for (const auto& c : cases) {
    CommandContext given;
    given.modifiers = c.keys;
    host_.log.clear();
    runner_.RunSearch(0, Keyword::FromUtf8("x"), c.keep, kEngines, SearchLists::kB, given);
    EXPECT_EQ(host_.log, Log{std::string(c.open) + " http://b/s [B] body k=x&w="}) << c.open;
  }
  // A GET carries no headers; a one-engine folder is a single page with the
  // tab as its origin.
  EXPECT_EQ(Search(1, "x", 2, kTabs, SearchLists::kOne),
            Log{"open 1 mode 2 from 7/7 http://d/?q=x&site=$h [D]"});
}

TEST_F(SearchRunnerTest, NothingToOpen) {
  const struct {
    const char* what;
    int category;
    int list;
    int row;
    Log log;
  } cases[] = {
      {"no such category", 3, kTabs, -1, {}},
      {"category without a tab row", 2, kTabs, -1, {}},
      {"engine list has no category row", 0, kEngines, -1, {}},
      {"row out of range", 0, kEngines, 99, {}},
      {"unknown list", 0, 3, 0, {}},
      {"engine without search URL", 0, kEngines, SearchLists::kC, {"focus"}},
      {"missing engine", 0, kTabs, SearchLists::kMissing, {"focus"}},
      {"empty folder", 0, kTabs, SearchLists::kEmptyFolder, {"focus"}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Search(c.category, "x", 0, c.list, c.row), c.log) << c.what;
    EXPECT_FALSE(ran_) << c.what;
  }
  host_.categories.clear();
  EXPECT_EQ(Search(0, "x", 0, kTabs, SearchLists::kFolder12), Log{});
}

TEST_F(SearchRunnerTest, PageAddressesReachTheTemplates) {
  host_.page_context = PageContext{"http://shop.example/a/b.html", "x"};
  EXPECT_EQ(Search(1, "x y", 0, kEngines, SearchLists::kD),
            Log{"open 1 mode 0 from 0/4 http://d/?q=x&site=shop.example [D]"});
}

TEST_F(SearchRunnerTest, KeywordOnTheClipboard) {
  Set(settings::kFindBarFindOption6, 1);
  EXPECT_EQ(Search(1, "東京", 0, kEngines, SearchLists::kRaw).front(), "clipboard 東京");
  EXPECT_EQ(Search(1, "", 0, kEngines, SearchLists::kRaw),
            Log{"open 1 mode 0 from 0/8 http://r/ [Raw]"});
  Set(settings::kFindBarFindOption6, 0);
  EXPECT_EQ(Search(1, "x", 0, kEngines, SearchLists::kRaw),
            Log{"open 1 mode 0 from 0/8 http://r/?q=x [Raw]"});
}

TEST_F(SearchRunnerTest, TabSearchesEchoAndRecordTheKeyword) {
  host_.current = 1;
  EXPECT_TRUE(runner_.SearchCurrentCategory(Keyword::FromUtf8("x y")));
  EXPECT_EQ(host_.log, (Log{"open 1 mode 0 from 7/2 http://b/s [TabB] body k=x+y&w=y",
                            "search bar x y", "side bar x y", "keywords changed", "focus"}));
  EXPECT_EQ(KeywordCount("x y"), 1);

  // Every category in turn, the keyword counted once.
  host_.log.clear();
  runner_.SearchEveryCategory(Keyword::FromUtf8("x y"));
  EXPECT_EQ(
      host_.log,
      (Log{"freeze", "close all 0", "open 0 mode 1 from -1/-1 http://b/s [B] body k=x+y&w=y",
           "select 0 0", "open 0 mode 1 from -1/-1 http://a/s?q=x+y [A]", "rebuilt 0", "select 0 0",
           "unfreeze", "open 1 mode 0 from 7/2 http://b/s [TabB] body k=x+y&w=y", "search bar x y",
           "side bar x y", "keywords changed", "focus"}));
  EXPECT_EQ(KeywordCount("x y"), 2);

  // No keyword: nothing echoed or recorded.
  host_.log.clear();
  runner_.SearchCurrentCategory(Keyword());
  EXPECT_EQ(host_.log, (Log{"open 1 mode 0 from 7/2 http://b/ [TabB]", "focus"}));
  EXPECT_EQ(keywords_.items().CountLive(), 1u);

  // An engine command without echo leaves the boxes and the store alone.
  host_.log.clear();
  EXPECT_TRUE(runner_.SearchEngine(SearchLists::kA, Keyword::FromUtf8("z"), 1, false));
  EXPECT_EQ(host_.log, (Log{"open 1 mode 1 from 0/0 http://a/s?q=z [A]"}));
  EXPECT_EQ(KeywordCount("z"), 0);
}

// A keyword with characters code page 932 lacks: the UTF-8 shop, the
// clipboard and the keyword boxes get it as typed; the Shift_JIS, EUC-JP and
// raw shops get "?" for each such character; the keyword store keeps it for
// the run only.
TEST_F(SearchRunnerTest, KeywordsOutsideShiftJisReachUtf8ShopsAsTyped) {
  Set(settings::kFindBarFindOption6, 1);
  EXPECT_TRUE(runner_.SearchCurrentCategory(Keyword::FromUtf8("Café　𠮷野家")));
  EXPECT_EQ(
      host_.log,
      (Log{"clipboard Café　𠮷野家", "freeze", "close all 0",
           "open 0 mode 1 from -1/-1 http://b/s [B] body "
           "k=Caf%3F+%3F%96%EC%89%C6&w=%3F%96%EC%89%C6",
           "select 0 0",
           "open 0 mode 1 from -1/-1 http://a/s?q=Caf%C3%A9+%F0%A0%AE%B7%E9%87%8E%E5%AE%B6 [A]",
           "rebuilt 0", "select 0 0", "unfreeze", "search bar Café　𠮷野家",
           "side bar Café　𠮷野家", "keywords changed", "focus"}));
  EXPECT_EQ(keywords_.items().CountLive(), 0u);
  ASSERT_EQ(keywords_.run_keywords().size(), 1u);
  EXPECT_EQ(keywords_.run_keywords()[0].keyword.utf8(), "Café　𠮷野家");

  Set(settings::kFindBarFindOption6, 0);
  host_.page_context = PageContext{"http://shop.example/", ""};
  EXPECT_EQ(Search(1, "€ 東", 0, kEngines, SearchLists::kD),
            Log{"open 1 mode 0 from 0/4 http://d/?q=%3F&site=shop.example [D]"});
  EXPECT_EQ(Search(1, "Häagen-Dazs", 0, kEngines, SearchLists::kRaw),
            Log{"open 1 mode 0 from 0/8 http://r/?q=H?agen-Dazs [Raw]"});
  EXPECT_EQ(Search(1, "Häagen-Dazs", 0, kEngines, SearchLists::kA),
            Log{"open 1 mode 0 from 0/0 http://a/s?q=H%C3%A4agen%2DDazs [A]"});
}

TEST(AddressBarKeywordTest, Table) {
  const struct {
    const char* text;
    bool keyword;
  } cases[] = {
      {"shoes", true},
      {"www.example", false},
      {"a.b", false},
      {"https://x", false},      // "://" at 5
      {"abcdef://x", true},      // "://" at 6
      {"abcde://x/", false},     // at 5
      {"localhost:8080", true},  // no dot, no "://"
      {"", false},
      {"   ", false},
  };
  for (const auto& c : cases) EXPECT_EQ(IsAddressBarKeyword(c.text), c.keyword) << c.text;
  EXPECT_TRUE(IsAddressBarKeyword(Utf8ToSjis("東京　駅")));
}

TEST_F(SearchRunnerTest, AddressBar) {
  EXPECT_TRUE(runner_.AddressBarSearches("shoes"));
  EXPECT_FALSE(runner_.AddressBarSearches("www.example"));

  // Following the category: its tab row, as the tab search does.
  host_.current = 1;
  runner_.SearchFromAddressBar("x");
  EXPECT_EQ(host_.log, (Log{"search bar x", "focus",
                            "open 1 mode 0 from 7/2 http://b/s [TabB] body k=x&w=", "search bar x",
                            "side bar x", "keywords changed", "focus"}));
  host_.log.clear();
  host_.current = 2;  // no tab row: nothing at all
  runner_.SearchFromAddressBar("x");
  EXPECT_EQ(host_.log, Log{});

  // One fixed engine, by its ID; an ID that is gone opens nothing.
  Set(settings::kFindTreeAddressBarFind, 1);
  Set(settings::kFindTreeAddressBarFindEngineForSearch, 9);
  runner_.SearchFromAddressBar("x");
  EXPECT_EQ(host_.log,
            (Log{"search bar x", "focus", "open 2 mode 0 from 0/8 http://r/?q=x [Raw]"}));
  host_.log.clear();
  Set(settings::kFindTreeAddressBarFindEngineForSearch, 12345);
  runner_.SearchFromAddressBar("x");
  EXPECT_EQ(host_.log, (Log{"search bar x", "focus"}));

  Set(settings::kFindTreeAddressBarFind, 2);
  EXPECT_FALSE(runner_.AddressBarSearches("shoes"));
  host_.log.clear();
  runner_.SearchFromAddressBar("x");
  EXPECT_EQ(host_.log, Log{});
}

}  // namespace
}  // namespace tolvane
