#include "core/tabs/tab_area.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "core/files/setting_keys.h"
#include "core/files/settings_store.h"
#include "core/files/string_table.h"
#include "core/stores/category_folder_tree.h"
#include "core/stores/clip_list.h"
#include "core/stores/item_store.h"
#include "core/text/charset_converter.h"
#include "platform/posix_env.h"
#include "support/fake_clock.h"
#include "support/fake_prompter.h"
#include "support/fake_timer.h"
#include "support/search_lists.h"
#include "support/tab_fakes.h"
#include "support/temp_dir.h"

namespace tolvane {
namespace {

using testing::Controls;
using testing::FakeProbe;
using testing::NullBoxes;
using testing::RecordingView;
using testing::SearchLists;
using Place = PagePlacement::Place;

class TabAreaTest : public ::testing::Test {
 protected:
  // Rows added to the search lists' tabs: one tab in group 2, one in
  // group 3, and one with nothing to open.
  enum Row { kAlpha = 8, kBeta, kBlank };

  TabAreaTest() {
    lists_.tabs.ParseRecord(Utf8ToSjis("20\t2\tAlpha\t\t\t検索エンジンID[1]\t\t\t\t\t\t0"));
    lists_.tabs.ParseRecord(Utf8ToSjis("21\t3\tBeta\t\t\t検索エンジンID[5]\t\t\t\t\t\t0"));
    lists_.tabs.ParseRecord("22\t1\tBlank\t\t\t\t\t\t\t\t\t0");
    for (const char* line : {"1\tG1\t0", "2\tG2\t0", "3\tG3\t0"}) groups_.ParseFolderLine(line);
  }
  ~TabAreaTest() override { area_.reset(); }

  TabArea& area() {
    if (!area_) {
      TabArea::Services services{lists_.tabs, lists_.engines, groups_, clips_,  settings_,
                                 keywords_,   nullptr,        nullptr, timers_, prompter_,
                                 clock_,      controls_,      probe_,  boxes_,  boxes_};
      area_ = std::make_unique<TabArea>(services, view_);
      area_->AddObserver(view_);
    }
    return *area_;
  }
  void Set(const IntSetting& key, int value) { Write(settings_, key, value); }

  // "[One*: D* E]" in UTF-8.
  std::string Bar() { return SjisToUtf8(area().Describe()); }
  std::string Clips() { return SjisToUtf8(clips_.Describe()); }
  PageHost& Host(int category, int page) { return area().category(category).page(page).host(); }

  void Settle() { testing::Settle(timers_, controls_); }
  void Stamp(int group_id, int hour) {
    clock_.Set({2026, 12, 7, hour, 0, 0});
    groups_.SetTimeStamp(static_cast<std::size_t>(groups_.Find(group_id)), clock_);
  }
  OpenPageRequest Request(int mode, const std::string& url) {
    OpenPageRequest request;
    request.category = 0;
    request.mode = mode;
    request.url = url;
    request.caption = url.substr(7, url.size() - 8);  // "http://x/" -> "x"
    return request;
  }

  testing::TempDir dir_;
  PosixEnv env_{dir_.path()};
  SettingsStore settings_{dir_.path() / "vq_system.ini", env_};
  testing::FakeClock clock_;
  testing::FakeTimerFactory timers_;
  testing::FakePrompter prompter_;
  SearchLists lists_;
  CategoryFolderTree groups_{StoreType::kTabs};
  ClipList clips_{1000};
  ItemStore keywords_{StoreType::kKeywords, settings_, clock_};
  Controls controls_;
  FakeProbe probe_;
  NullBoxes boxes_;
  RecordingView view_;
  std::unique_ptr<TabArea> area_;
};

TEST_F(TabAreaTest, OpensTabsWithTheirPagesAndReusesThePool) {
  EXPECT_EQ(area().OpenCategoryTab(SearchLists::kFolder12), 0);
  EXPECT_EQ(area().OpenCategoryTab(SearchLists::kOne), 1);
  EXPECT_EQ(area().OpenCategoryTab(kBlank), 2);
  EXPECT_EQ(area().OpenCategoryTab(SearchLists::kMissing), 3);  // no engine: a blank page
  EXPECT_EQ(area().OpenCategoryTab(SearchLists::kFolder12), 0);
  area().SelectCategoryTab(1, true);
  Settle();
  EXPECT_EQ(Bar(), "[Folder12: C* B A][One*: D*][Blank: 空白*][Missing: 空白*]");
  EXPECT_EQ(view_.frame, "D http://d/");
  EXPECT_EQ(area().PoolState(SearchLists::kOne), 2);

  // Hidden objects keep their pages; the selected one comes back selected.
  area().HideAll();
  EXPECT_EQ(view_.frame, "");
  EXPECT_EQ(area().PoolState(SearchLists::kOne), 1);
  EXPECT_EQ(area().PoolState(SearchLists::kEngineB), 0);
  EXPECT_EQ(area().OpenCategoryTab(SearchLists::kFolder12), 0);
  EXPECT_EQ(area().OpenCategoryTab(SearchLists::kOne), 1);
  EXPECT_EQ(area().current_category(), 1);
  EXPECT_EQ(Bar(), "[Folder12: C*~ B~ A~][One*: D*~]|[Blank: 空白*~][Missing: 空白*~]");
  EXPECT_EQ(area().pool_size(), 4u);

  area().DestroyPoolObject(kBlank);
  area().DestroyPoolObject(SearchLists::kFolder12);
  EXPECT_EQ(Bar(), "[One*: D*~]|[Missing: 空白*~]");
  area().DestroyAll();
  EXPECT_EQ(Bar(), "");
  EXPECT_EQ(area().current_category(), -1);
}

TEST_F(TabAreaTest, CaptionsFallBackFromTabNameToNameToAddress) {
  struct Case {
    const char* tab_name;
    const char* name;
    const char* url;
    const char* short_name;
    const char* caption;
    const char* short_caption;
  };
  const Case cases[] = {
      {"Tab", "Name", "http://u/", "T", "Tab", "T"},
      {"", "Name", "http://u/", "", "Name", "Name"},
      {"", "", "http://u/", "", "http://u/", "http://u/"},
      {"", "", "", "", "無題", "無題"},
  };
  for (const Case& c : cases) {
    lists_.tabs.set_tab_name(kBlank, Utf8ToSjis(c.tab_name));
    lists_.tabs.set_name(kBlank, c.name);
    lists_.tabs.set_url(kBlank, c.url);
    lists_.tabs.set_short_name(kBlank, c.short_name);
    ASSERT_EQ(area().OpenCategoryTab(kBlank), 0);
    EXPECT_EQ(SjisToUtf8(area().category(0).caption()), c.caption) << c.caption;
    EXPECT_EQ(SjisToUtf8(area().category(0).short_caption()), c.short_caption) << c.caption;
    area().DestroyAll();
  }
}

TEST_F(TabAreaTest, ClosingAPageSelectsItsNeighbourLaterAndNeverLeavesTheTabEmpty) {
  area().OpenCategoryTab(SearchLists::kFolder12);
  area().SelectCategoryTab(0, false);
  area().SelectPage(0, 2, true, false);
  Settle();
  view_.TakeLog();

  area().ClosePage(0, 2);  // the selected page k > 0: k - 1 follows
  EXPECT_EQ(view_.frame, "");
  timers_.RunPending();
  EXPECT_EQ(view_.frame, "B http://b/");
  EXPECT_EQ(Bar(), "[Folder12*: C B*]");

  area().SelectPage(0, 0, true, false);
  area().ClosePage(0, 0);  // the selected first page: the one moving into its place
  Settle();
  EXPECT_EQ(Bar(), "[Folder12*: B*]");
  // The tree follows each neighbour selected.
  EXPECT_EQ(view_.TakeLog(), (std::vector<std::string>{"closed http://a/", "tree 0", "left 0/1 B",
                                                       "closed http://c/", "tree 0"}));

  area().ClosePage(0, 0);  // the last page: a blank one takes its place
  EXPECT_EQ(area().category(0).page_count(), 0);
  Settle();
  EXPECT_EQ(Bar(), "[Folder12*: 空白*]");
  EXPECT_EQ(view_.frame, "空白 about:blank");
}

TEST_F(TabAreaTest, HiddenPagesComeBackFromTheirSavedClipsInOrderWithTheirSelection) {
  area().OpenCategoryTab(SearchLists::kFolder12);
  area().OpenCategoryTab(SearchLists::kOne);
  area().AddPage(0, {.url = "http://x/", .caption = "X", .activate = false});
  area().SelectPage(0, 2, true, false);
  area().HideAll();
  EXPECT_EQ(Clips(),
            "0 8/0* D http://d/\n1 1/0 C http://c/\n2 1/1 B http://b/\n3 1/2* A http://a/\n"
            "4 1/3 X http://x/\n");

  // Hiding again writes the same records, not new ones.
  area().OpenCategoryTab(SearchLists::kFolder12);
  area().HideAll();
  EXPECT_EQ(clips_.size(), 5u);

  // Destroying detaches: no saved page is deleted.
  area().DestroyAll();
  EXPECT_EQ(clips_.CountLive(), 5u);
  area().OpenCategoryTab(SearchLists::kFolder12);
  EXPECT_EQ(Bar(), "[Folder12: C~ B~ A*~ X~]");

  // Closing a saved page deletes its record; a user clip outlives its tab.
  area().ToggleClip(0, 1);  // OptionPageClip/Action 1: the clip opens beside it
  EXPECT_EQ(Bar(), "[Folder12: C~ B~ B+ A*~ X~]");
  area().ClosePage(0, 0);
  area().ClosePage(0, 1);
  EXPECT_EQ(Clips(),
            "0 8/0* D http://d/\n1 1/0x C http://c/\n2 1/1 B http://b/\n3 1/2* A http://a/\n"
            "4 1/3 X http://x/\n5 1/0+ B http://b/\n");

  // At exit every loaded tab is written, user clips with their page.
  area().SaveOpenPages();
  EXPECT_EQ(Clips(),
            "0 8/0* D http://d/\n1 1/0x C http://c/\n2 1/0 B http://b/\n3 1/1* A http://a/\n"
            "4 1/2 X http://x/\n5 1/0+ B http://b/\n");
}

// A page a search posted comes back as that search, posted again with the
// same body; once the user followed a link from it, or its engine is gone,
// it comes back by its address.
TEST_F(TabAreaTest, APostedResultComesBackPostedUntilItsPageOrEngineIsGone) {
  // The loads of shop B since the last call, sorted.
  const auto loads_of_b = [this] {
    std::vector<std::string> loads;
    for (const std::string& entry : controls_.log) {
      if (entry.find("http://b/") != std::string::npos) loads.push_back(entry);
    }
    controls_.log.clear();
    std::sort(loads.begin(), loads.end());
    return loads;
  };
  const auto reopen = [this] {
    area().DestroyAll();
    area().OpenCategoryTab(SearchLists::kFolder12);
    area().SelectCategoryTab(0, false);
    Settle();
  };
  const std::string sent = "page.Navigate http://b/s post=k=%8CC+%90%D4&w=%90%D4";
  area().OpenCategoryTab(SearchLists::kFolder12);
  area().SelectCategoryTab(0, false);
  Settle();
  controls_.log.clear();
  area().search().RunSearch(0, Keyword::FromUtf8("靴 赤"), 0, SearchRunner::kTabList, -1);
  Settle();
  EXPECT_EQ(loads_of_b(), std::vector<std::string>{sent});
  area().HideAll();
  EXPECT_EQ(Clips(),
            "0 1/0* B http://b/s post 2/1 靴 赤\n1 1/1 A http://a/s?q=%E9%9D%B4+%E8%B5%A4\n");

  reopen();
  EXPECT_EQ(loads_of_b(), std::vector<std::string>{sent});
  // A clip of the result opens beside it as the same search.
  area().ToggleClip(0, 0);
  Settle();
  EXPECT_EQ(clips_.search(2), (PostedSearch{2, 1, "靴 赤"}));
  EXPECT_EQ(loads_of_b(), std::vector<std::string>{sent});

  // A link followed from the results: that page comes back by its address.
  controls_.made[&Host(0, 0)]->location_url = "http://b/item";
  Host(0, 0).OnTitleChange("Item");
  area().SaveOpenPages();
  reopen();
  EXPECT_EQ(Bar(), "[Folder12*: Item*~ B+ A~]");
  EXPECT_EQ(loads_of_b(), (std::vector<std::string>{"page.Navigate http://b/item", sent}));

  lists_.engines.MarkDeleted(SearchLists::kB);
  reopen();
  EXPECT_EQ(loads_of_b(),
            (std::vector<std::string>{"page.Navigate http://b/item", "page.Navigate http://b/s"}));
}

TEST_F(TabAreaTest, AnActiveClipOpensTheTabWithOnlyItsClipPages) {
  clips_.ParseItemLine("1\tKept\thttp://k/\t1\t1\t1");
  clips_.ParseItemLine("1\tSaved\thttp://s/\t0\t0\t0");
  clips_.ParseItemLine("8\tPinned\thttp://p/\t0\t0\t1");
  area().OpenCategoryTab(SearchLists::kFolder12);
  area().OpenCategoryTab(SearchLists::kOne);  // no active clip: its pages, then the clip
  EXPECT_EQ(Bar(), "[Folder12: Saved~ Kept*+][One: D* Pinned+]");

  // A search that replaces the pages brings the user clips back.
  area().SelectCategoryTab(0, false);
  area().search().RunSearch(0, Keyword(), 0, SearchRunner::kTabList, -1);
  Settle();
  EXPECT_EQ(Bar(), "[Folder12*: C* B A Kept+][One: D* Pinned+]");
  EXPECT_TRUE(clips_.deleted(1));
}

// The shown page's request leaves before the other pages are made: the
// rest of the search waits for it, and runs first when the user searches
// again or changes the category bar before then.
TEST_F(TabAreaTest, ASearchInViewStartsItsFirstPageBeforeMakingTheOthers) {
  clips_.ParseItemLine("1\tKept\thttp://k/\t3\t0\t1");
  area().OpenCategoryTab(SearchLists::kFolder12);
  area().OpenCategoryTab(SearchLists::kOne);
  area().SelectCategoryTab(0, false);
  Settle();
  view_.hold_requests = true;
  controls_.log.clear();

  EXPECT_EQ(Bar(), "[Folder12*: C* B A Kept+][One: D*]");
  area().search().RunSearch(0, Keyword(), 0, SearchRunner::kTabList, -1);
  const std::string loading = "[Folder12*: 読み込み中です．．．*][One: D*]";
  EXPECT_EQ(Bar(), loading);
  // The four old pages closed, the first new one shown and started: no
  // other page made yet.
  std::vector<std::string> started;
  for (int i = 0; i < 4; ++i) started.insert(started.end(), {"page.Stop", "page.Hide"});
  started.insert(started.end(), {"page.Show", "page.Navigate http://c/"});
  EXPECT_EQ(controls_.log, started);
  EXPECT_EQ(view_.frozen, 1);
  ASSERT_EQ(view_.held.size(), 1u);

  // A second search finishes the first, then waits in its turn; the first
  // call of the view no longer runs anything.
  area().search().RunSearch(0, Keyword(), 0, SearchRunner::kTabList, -1);
  EXPECT_EQ(Bar(), loading);
  ASSERT_EQ(view_.held.size(), 2u);
  view_.held[0]();
  EXPECT_EQ(Bar(), loading);
  view_.held[1]();
  Settle();
  EXPECT_EQ(Bar(), "[Folder12*: C* B A Kept+][One: D*]");
  EXPECT_EQ(view_.frozen, 0);

  // Moving a category tab runs a waiting rest before the indices change;
  // a search into a category not in view does not wait.
  view_.held.clear();
  area().search().RunSearch(0, Keyword(), 0, SearchRunner::kTabList, -1);
  area().MoveCategoryTab(0, 1);
  EXPECT_EQ(Bar(), "[One: D*][Folder12*: 読み込み中です．．．* B A Kept+]");
  area().search().RunSearch(0, Keyword(), 1, SearchRunner::kTabList, SearchLists::kFolder12);
  EXPECT_EQ(view_.held.size(), 1u);
  EXPECT_EQ(view_.frozen, 0);
  Settle();
  EXPECT_EQ(Bar(), "[One: D C* B A][Folder12*: C* B A Kept+]");
}

TEST_F(TabAreaTest, StartPagesGoToTheFirstTabOnly) {
  area().SetStartPages("http://start/", "file:///data/clip.html");
  area().OpenCategoryTab(SearchLists::kOne);
  area().OpenCategoryTab(SearchLists::kEngineB);
  area().ClearStartPages();
  EXPECT_EQ(Bar(), "[One: http://start/* クリップページ一覧 D][TabB: TabB*]");
  EXPECT_EQ(Host(0, 1).request().url, "file:///data/clip.html");

  area().DestroyAll();
  area().SetStartPages("http://start/", "");
  area().OpenCategoryTab(kBlank);  // no Url: no pages of its own
  EXPECT_EQ(Bar(), "[Blank: http://start/*]");
}

TEST_F(TabAreaTest, OpenPageReplacesTheCurrentPageOnlyWhenNothingAsksForANewOne) {
  struct Case {
    const char* name;
    int mode;
    int new_page;
    bool ctrl;
    bool shift;
    bool clip;
    int link;
    const char* bar;
  };
  const Case cases[] = {
      {"current page", 0, 0, false, false, false, 0, "[One: n*]"},
      {"new page", 1, 0, false, false, false, 0, "[One: D n*]"},
      {"mode 2", 2, 0, false, false, false, 0, "[One: D n*]"},
      {"NewPage 1", 0, 1, false, false, false, 0, "[One: D n*]"},
      {"Ctrl: behind", 0, 0, true, false, false, 0, "[One: D* n]"},
      {"Shift", 0, 0, false, true, false, 0, "[One: D n*]"},
      {"clip, Link 0", 0, 0, false, false, true, 0, "[One: D+ n*]"},
      {"clip, Link 1", 0, 0, false, false, true, 1, "[One: n*+]"},
  };
  Set(settings::kPageClipAction, 0);
  for (const Case& c : cases) {
    Set(settings::kFindTreeNewPage, c.new_page);
    Set(settings::kPageClipLink, c.link);
    area().OpenCategoryTab(SearchLists::kOne);
    if (c.clip) area().ToggleClip(0, 0);
    OpenPageRequest request = Request(c.mode, "http://n/");
    request.keys = {c.shift, c.ctrl, false};
    area().OpenPage(request);
    EXPECT_EQ(Bar(), c.bar) << c.name;
    area().DestroyAll();
    clips_.Clear();
  }

  // After the current page, with the form header for a body.
  area().OpenCategoryTab(SearchLists::kFolder12);
  area().SelectPage(0, 1, false, false);
  OpenPageRequest post = Request(1, "http://p/");
  post.post_body = "k=v";
  EXPECT_EQ(area().OpenPage(post), 2);
  EXPECT_EQ(Bar(), "[Folder12: C B p* A]");
  EXPECT_EQ(Host(0, 2).request().headers, NavigationRequest::kFormContentType);
  EXPECT_EQ(Host(0, 2).request().post_body, "k=v");
}

TEST_F(TabAreaTest, ClipCommands) {
  area().OpenCategoryTab(SearchLists::kFolder12);
  area().SelectCategoryTab(0, false);
  Settle();
  Set(settings::kPageClipAction, 0);
  area().ToggleClip(0, 1);
  EXPECT_EQ(Bar(), "[Folder12*: C* B+ A]");
  area().ToggleClip(0, 1);  // released, still bound as a saved page
  EXPECT_EQ(Bar(), "[Folder12*: C* B~ A]");
  area().ClipAll(0);
  EXPECT_EQ(Bar(), "[Folder12*: C*+ B+ A+]");
  EXPECT_EQ(clips_.size(), 3u);  // B's record became the clip
  EXPECT_TRUE(area().IsUserClip(0, 2));
  area().UnclipAll(0);
  EXPECT_EQ(Bar(), "[Folder12*: C*~ B~ A~]");

  // Action 1 opens the clip as a page of its own, selected with Focus 1.
  Set(settings::kPageClipAction, 1);
  Set(settings::kPageClipFocus, 1);
  area().ToggleClip(0, 0);
  Settle();
  EXPECT_EQ(Bar(), "[Folder12*: C~ C*+ B~ A~]");

  // At the limit ClipAll stops with one message.
  area().OpenCategoryTab(SearchLists::kOne);
  area().AddPage(1, {.url = "http://x/", .caption = "X"});
  clips_.set_max_data(static_cast<int>(clips_.size()));
  area().ClipAll(1);
  EXPECT_EQ(prompter_.stops, std::vector<std::string>{LoadString(string_id::kClipsLimit)});
  EXPECT_FALSE(area().IsUserClip(1, 0));
  EXPECT_FALSE(area().IsUserClip(1, 1));
}

TEST_F(TabAreaTest, AClipFollowsItsPageOnlyWhenAskedTo) {
  Set(settings::kPageClipAction, 0);
  Set(settings::kPageClipLink, 1);
  area().OpenCategoryTab(SearchLists::kOne);
  area().SelectCategoryTab(0, false);
  area().ToggleClip(0, 0);
  area().OpenPage(Request(0, "http://e/"));
  Settle();
  EXPECT_EQ(Clips(), "0 8/0+ D http://d/\n");
  EXPECT_EQ(view_.frame, "e http://e/");

  Set(settings::kPageClipUrl, 1);
  area().OpenPage(Request(0, "http://f/"));
  Settle();
  EXPECT_EQ(Clips(), "0 8/0+ f http://f/\n");
}

TEST_F(TabAreaTest, PagesOpenedAndClosedByPages) {
  area().OpenCategoryTab(SearchLists::kFolder12);
  area().SelectCategoryTab(0, false);
  Settle();
  NavigationRequest link;
  link.url = "http://l/";
  link.title = "L";
  view_.TakeLog();
  PageHost* opened = area().reports().OpenPageTabAfter(Host(0, 0), link);
  ASSERT_NE(opened, nullptr);
  Settle();
  EXPECT_EQ(Bar(), "[Folder12*: C L* B A]");
  // The tree follows the row to the page the link opened.
  const std::vector<std::string> opened_log = view_.TakeLog();
  EXPECT_NE(std::find(opened_log.begin(), opened_log.end(), "tree 0"), opened_log.end());
  const PageHost* blank = area().reports().OpenPageTabAfter(*opened, NavigationRequest{});
  EXPECT_EQ(blank, &Host(0, 2));
  EXPECT_EQ(Host(0, 2).load_state(), LoadState::kLoading);  // a new window fills it

  view_.TakeLog();
  area().reports().ClosePageTab(*opened);
  EXPECT_EQ(area().category(0).page_count(), 5);  // never inside the page's own report
  timers_.RunPending();
  EXPECT_EQ(area().category(0).page_count(), 4);
  EXPECT_EQ(view_.TakeLog(), (std::vector<std::string>{"closed http://l/", "focus", "tree 0"}));

  // A page that cannot get its timers is not added.
  timers_.FailNext(1);
  EXPECT_EQ(area().AddPage(0, {.url = "http://x/"}), -1);
  EXPECT_EQ(prompter_.stops, std::vector<std::string>{LoadString(string_id::kOutOfResources)});
}

TEST_F(TabAreaTest, PlacesForTheLoadingQueue) {
  area().OpenCategoryTab(kAlpha);
  area().HideAll();
  area().OpenCategoryTab(SearchLists::kFolder12);
  area().OpenCategoryTab(SearchLists::kOne);
  area().SelectCategoryTab(0, false);
  const PageHost& hidden = area().PoolObject(kAlpha)->page(0).host();
  EXPECT_EQ(area().PlaceOf(hidden), Place::kHiddenGroup);
  EXPECT_EQ(area().PlaceOf(Host(1, 0)), Place::kOtherCategory);
  EXPECT_EQ(area().PlaceOf(Host(0, 1)), Place::kSelectedCategory);
  EXPECT_EQ(area().PlaceOf(Host(0, 0)), Place::kShownPage);

  // A search adding its pages behind the current one shows its first page
  // (after the current one) and starts only that one; the others wait for
  // the queue (one at a time in mode 1).
  Settle();
  const std::size_t engines = controls_.made.size();
  const int before = area().category(0).page_count();
  area().search().RunSearch(0, Keyword(), 1, SearchRunner::kTabList, SearchLists::kFolder12);
  timers_.RunPending();
  EXPECT_EQ(controls_.made.size(), engines + 1);
  EXPECT_GT(area().category(0).page_count(), before);
  EXPECT_EQ(area().category(0).current_page(), 1);
  EXPECT_EQ(area().PlaceOf(Host(0, 1)), Place::kShownPage);
  EXPECT_TRUE(area().reports().OriginInArchive(SearchRunner::kTabList, SearchLists::kOne) == false);
  lists_.tabs.set_archived(SearchLists::kOne, true);
  EXPECT_TRUE(area().reports().OriginInArchive(SearchRunner::kTabList, SearchLists::kOne));
  EXPECT_FALSE(area().reports().OriginInArchive(SearchRunner::kEngineList, 99));
}

TEST_F(TabAreaTest, TheGuardUnloadsTheOldestOtherGroupAndWarnsOnceForTheShownOne) {
  Stamp(2, 9);
  area().OpenCategoryTab(kAlpha);
  area().SelectCategoryTab(0, false);
  Settle();
  area().HideAll();
  Stamp(3, 10);
  area().OpenCategoryTab(kBeta);
  area().HideAll();
  Stamp(1, 11);
  area().OpenCategoryTab(SearchLists::kOne);
  area().SelectCategoryTab(0, false);
  Settle();

  area().RunResourceGuard();  // well within the limits
  EXPECT_EQ(area().pool_size(), 3u);

  probe_.ample = false;
  area().OpenPage(Request(1, "http://n/"));
  Settle();  // a load ends: the guard runs
  EXPECT_EQ(area().PoolState(kAlpha), 0);
  EXPECT_EQ(area().PoolState(kBeta), 1);
  EXPECT_EQ(groups_.time_stamp(static_cast<std::size_t>(groups_.Find(2))), "");
  for (const std::string& line : view_.log) EXPECT_NE(line, "closed http://a/");
  area().RunResourceGuard();
  EXPECT_EQ(Bar(), "[One*: D n*]");
  EXPECT_EQ(Clips(), "0 20/0* Alpha http://a/\n1 21/0* Beta http://d/\n");

  area().RunResourceGuard();  // only the shown group is left
  area().RunResourceGuard();
  EXPECT_EQ(prompter_.warnings, std::vector<std::string>{LoadString(string_id::kTooManyTabs)});
  EXPECT_TRUE(prompter_.stops.empty());
  probe_.ample = true;
  area().RunResourceGuard();
  probe_.ample = false;
  area().RunResourceGuard();
  EXPECT_EQ(prompter_.warnings.size(), 2u);
  EXPECT_EQ(Bar(), "[One*: D n*]");

  // The page count alone: 250 pages in a hidden group.
  probe_.ample = true;
  Stamp(2, 12);
  area().HideAll();
  area().OpenCategoryTab(kAlpha);
  for (int i = 1; i < TabArea::kGuardPageCount; ++i) area().AddPage(0, {.url = "http://m/"});
  area().HideAll();
  Stamp(1, 13);
  area().OpenCategoryTab(SearchLists::kOne);
  area().SelectCategoryTab(0, false);
  area().RunResourceGuard();
  EXPECT_EQ(area().PoolState(kAlpha), 0);
  EXPECT_EQ(area().pool_size(), 1u);
}

}  // namespace
}  // namespace tolvane

namespace tolvane {
namespace {

// Every announcement of the tab area as a short line: "+tab", "-tab",
// "tab>" (selected), "~tab" (updated), the same for pages; "follow" when
// the tree is to follow a selection. The record stands for a tab.
class RecordingObserver : public TabAreaObserver {
 public:
  void TabInserted(const CCategoryTab& tab, int index, bool created) override {
    Add("+tab " + Rec(tab) + "@" + std::to_string(index) + (created ? " new" : ""));
  }
  void TabRemoved(int record, int index, bool destroyed) override {
    Add("-tab " + std::to_string(record) + "@" + std::to_string(index) +
        (destroyed ? " gone" : ""));
  }
  void TabMoved(int from, int to) override {
    Add("tab " + std::to_string(from) + "->" + std::to_string(to));
  }
  void TabSelected(const CCategoryTab& tab, int index, bool follow) override {
    Add("tab> " + Rec(tab) + "@" + std::to_string(index) + (follow ? " follow" : ""));
  }
  void TabUpdated(const CCategoryTab& tab, int index) override {
    Add("~tab " + Rec(tab) + "@" + std::to_string(index));
  }
  void PageInserted(const CCategoryTab& tab, int page) override { Add("+page " + At(tab, page)); }
  void PageRemoved(const CCategoryTab& tab, int page) override { Add("-page " + At(tab, page)); }
  void PageMoved(const CCategoryTab& tab, int from, int to) override {
    Add("page " + Rec(tab) + ":" + std::to_string(from) + "->" + std::to_string(to));
  }
  void PageSelected(const CCategoryTab& tab, int page, bool follow) override {
    Add("page> " + At(tab, page) + (follow ? " follow" : ""));
  }
  void PageUpdated(const CCategoryTab& tab, int page) override { Add("~page " + At(tab, page)); }
  void PageLoadEnded(PageHost& host, bool new_page) override {
    Add("loaded " + SjisToUtf8(host.title()) + (new_page ? " new" : ""));
  }
  void PageLeft(int record, int serial, const std::string&, const std::string& title) override {
    Add("left " + std::to_string(record) + "/" + std::to_string(serial) + " " + title);
  }
  void PageClosed(const std::string& url, const std::string&) override { Add("closed " + url); }

  std::string Take() {
    std::string out;
    out.swap(log_);
    return out;
  }

 protected:
  void Add(const std::string& line) { log_ += (log_.empty() ? "" : "; ") + line; }

 private:
  static std::string Rec(const CCategoryTab& tab) { return std::to_string(tab.record()); }
  static std::string At(const CCategoryTab& tab, int page) {
    return Rec(tab) + ":" + std::to_string(page);
  }
  std::string log_;
};

// Leaves the area's observers at the first tab selection it hears of.
class LeavingObserver : public RecordingObserver {
 public:
  explicit LeavingObserver(TabArea& area) : area_(area) {}
  void TabSelected(const CCategoryTab& tab, int index, bool follow) override {
    RecordingObserver::TabSelected(tab, index, follow);
    area_.RemoveObserver(*this);
  }

 private:
  TabArea& area_;
};

TEST_F(TabAreaTest, ObserversHearEveryChangeOnceInOrder) {
  Set(settings::kPageClipAction, 0);
  RecordingObserver observer;
  LeavingObserver leaving(area());
  area().AddObserver(observer);
  area().AddObserver(observer);  // once is enough
  area().AddObserver(leaving);

  area().OpenCategoryTab(kBlank);
  area().OpenCategoryTab(SearchLists::kOne);
  area().SelectCategoryTab(1, true);
  Settle();
  area().AddPage(1, {.url = "http://e/", .caption = "E"});
  Settle();
  area().MovePage(1, 1, 0);
  area().SelectPage(1, 1, true, true);
  area().ToggleClip(1, 1);
  area().ClosePage(1, 1);
  Settle();
  area().MoveCategoryTab(1, 0);
  area().CloseCategoryTab(1, false);
  area().DestroyPoolObject(kBlank);
  area().DestroyAll();

  EXPECT_EQ(observer.Take(),
            // Two tabs open, each with its first page (in, selected, queued).
            "+page 10:0; page> 10:0; ~page 10:0; ~page 10:0; +tab 10@0 new; "
            "+page 7:0; page> 7:0; ~page 7:0; +tab 7@1 new; "
            // Chosen on the row, the tree follows; the loads end.
            "~page 7:0; tab> 7@1 follow; "
            "~page 10:0; loaded 空白; ~page 7:0; loaded D new; "
            // A page added after D takes over the view.
            "+page 7:1; left 7/1 D; page> 7:1 follow; ~page 7:1; ~page 7:1; ~page 7:1; "
            "loaded E new; "
            "page 7:1->0; left 7/2 E; page> 7:1 follow; "
            // Clipped, then closed: its neighbour is selected later.
            "~page 7:1; closed http://d/; -page 7:1; page> 7:0 follow; "
            "tab 1->0; -tab 10@1; "
            "closed about:blank; -tab 10@-1 gone; "
            "closed http://e/; -tab 7@0 gone");
  // Gone at its first selection, told of nothing after it.
  EXPECT_EQ(leaving.Take(),
            "+page 10:0; page> 10:0; ~page 10:0; ~page 10:0; +tab 10@0 new; "
            "+page 7:0; page> 7:0; ~page 7:0; +tab 7@1 new; "
            "~page 7:0; tab> 7@1 follow");
}

}  // namespace
}  // namespace tolvane
