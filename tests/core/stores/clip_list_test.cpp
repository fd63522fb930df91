#include "core/stores/clip_list.h"

#include <span>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/files/data_file.h"
#include "core/files/string_table.h"
#include "core/text/charset_converter.h"

namespace tolvane {
namespace {

class RecordingPrompter : public Prompter {
 public:
  void ShowStop(const std::string& text) override { stops.push_back(text); }
  void ShowWarning(const std::string&) override {}
  void ShowNotice(const std::string&) override {}
  bool AskYesNo(const std::string&) override { return false; }
  std::vector<std::string> stops;
};

std::string Body(const std::vector<std::string>& lines) {
  std::string body = "@@ClipPageList@@\r\n0\r\n0\r\n" + std::to_string(lines.size()) + "\r\n";
  for (const auto& line : lines) body += line + "\r\n";
  return body;
}

std::string Saved(const ClipList& clips, int save_page_tab) {
  return DataFile::Format(StoreType::kClips, clips, SaveContext{save_page_tab});
}

ClipList Loaded(const std::vector<std::string>& lines, int max_data = 1000) {
  ClipList clips(max_data);
  const auto result = DataFile::LoadFromBytes(StoreType::kClips, Body(lines), clips);
  EXPECT_TRUE(result.ok()) << result.message;
  return clips;
}

TEST(ClipListTest, LinesReadWithDefaultsAndWriteBack) {
  const ClipList clips = Loaded({
      "7\tShop\thttp://a/",                   // position, active, clipped by default
      "7\tSale\thttp://b/\t3\t1\t0",          // a saved page tab
      "7\tShort",                             // too few fields: skipped
      "7\tEnds in TAB\t",                     // the empty last field is dropped: too few
      "9\t\thttp://c/\t2",                    // empty title
      "2147483647\tMax\thttp://d/\t-1\t1",    // 32-bit tab ID, negative position
      "-2147483648\tMin\thttp://e/\t70000",   // 16-bit position wraps
      "99999999999\t Clamped \t http://f/ ",  // IDs clamp; fields are trimmed
  });
  EXPECT_EQ(clips.Describe(),
            "0 7/0+ Shop http://a/\n"
            "1 7/3* Sale http://b/\n"
            "2 9/2+  http://c/\n"
            "3 2147483647/-1*+ Max http://d/\n"
            "4 -2147483648/4464+ Min http://e/\n"
            "5 2147483647/0+ Clamped http://f/\n");
  EXPECT_EQ(Saved(clips, 1), Body({
                                 "7\tShop\thttp://a/\t0\t0\t1",
                                 "7\tSale\thttp://b/\t3\t1\t0",
                                 "9\t\thttp://c/\t2\t0\t1",
                                 "2147483647\tMax\thttp://d/\t-1\t1\t1",
                                 "-2147483648\tMin\thttp://e/\t4464\t0\t1",
                                 "2147483647\tClamped\thttp://f/\t0\t0\t1",
                             }));
  ClipList again(1000);
  ASSERT_TRUE(DataFile::LoadFromBytes(StoreType::kClips, Saved(clips, 1), again).ok());
  EXPECT_EQ(again.Describe(), clips.Describe());
}

TEST(ClipListTest, SavePageTabZeroDropsSavedPagesAndActiveFlags) {
  ClipList clips = Loaded({
      "7\tClip\thttp://a/\t0\t1\t1",   // a clip of the selected page tab
      "7\tSaved\thttp://b/\t1\t0\t0",  // a saved page tab
      "8\tGone\thttp://c/\t0\t1\t1",
  });
  clips.MarkDeleted(2);
  EXPECT_EQ(Saved(clips, 0), Body({"7\tClip\thttp://a/\t0\t0\t1"}));
  EXPECT_EQ(Saved(clips, 1), Body({"7\tClip\thttp://a/\t0\t1\t1", "7\tSaved\thttp://b/\t1\t0\t0"}));
  EXPECT_EQ(clips.CountToWrite(0), 1u);
  EXPECT_EQ(clips.CountToWrite(1), 2u);
  EXPECT_EQ(clips.CountLive(), 2u);
  EXPECT_EQ(clips.size(), 3u);
}

// A long run: every search closes its saved pages (deleted rows keep their
// place) and the next group switch keeps new ones. The limit counts live
// records only: it refuses the user's new clips with its message, never a
// page kept at exit, and a lowered limit keeps every clip until trimmed.
TEST(ClipListTest, LimitCountsLiveRecordsOverALongRunAndDropsNothingKept) {
  ClipList clips = Loaded({"7\tA\thttp://a/", "7\tB\thttp://b/", "7\tC\thttp://c/"}, 5);
  for (int search = 0; search < 400; ++search) {
    std::vector<PageTabSnapshot> pages = {{-1, "p", "http://p/", true},
                                          {-1, "q", "http://q/", false}};
    clips.SavePageTabs(7, pages, /*at_exit=*/false);
    for (const PageTabSnapshot& page : pages) EXPECT_TRUE(clips.OnPageTabClosed(page.clip_index));
  }
  EXPECT_EQ(clips.size(), 803u);
  EXPECT_EQ(clips.CountLive(), 3u);
  RecordingPrompter prompter;
  EXPECT_EQ(clips.AddClip(7, "D", "http://d/", prompter), 803);  // 4 of 5
  EXPECT_TRUE(prompter.stops.empty());

  // Three pages open at exit: kept past the limit, which then refuses a clip.
  std::vector<PageTabSnapshot> open = {
      {-1, "X", "http://x/", false}, {-1, "Y", "http://y/", true}, {-1, "Z", "http://z/", false}};
  clips.SavePageTabs(8, open, /*at_exit=*/true);
  EXPECT_EQ(open[0].clip_index, 804);
  EXPECT_EQ(open[2].clip_index, 806);
  EXPECT_EQ(clips.AddClip(7, "E", "http://e/", prompter), -1);
  EXPECT_EQ(prompter.stops, std::vector<std::string>{LoadString(string_id::kClipsLimit)});
  const std::string saved =
      Body({"7\tA\thttp://a/\t0\t0\t1", "7\tB\thttp://b/\t0\t0\t1", "7\tC\thttp://c/\t0\t0\t1",
            "7\tD\thttp://d/\t0\t0\t1", "8\tX\thttp://x/\t0\t0\t0", "8\tY\thttp://y/\t1\t1\t0",
            "8\tZ\thttp://z/\t2\t0\t0"});
  EXPECT_EQ(Saved(clips, 1), saved);

  // The next start reads all seven, over the limit, until the user trims.
  ClipList again(5);
  ASSERT_TRUE(DataFile::LoadFromBytes(StoreType::kClips, saved, again).ok());
  EXPECT_EQ(again.CountLive(), 7u);
  EXPECT_TRUE(again.NeedsTrim());
  again.MarkDeleted(1);
  again.MarkDeleted(1);  // twice is once
  again.set_max_data(3);
  EXPECT_EQ(again.TrimToMaxData(), 3u);
  EXPECT_FALSE(again.NeedsTrim());
  EXPECT_EQ(again.Describe(),
            "0 7/0+x A http://a/\n"
            "1 7/0+x B http://b/\n"
            "2 7/0+x C http://c/\n"
            "3 7/0+x D http://d/\n"
            "4 8/0 X http://x/\n"
            "5 8/1* Y http://y/\n"
            "6 8/2 Z http://z/\n");
  EXPECT_EQ(again.AddClip(8, "F", "http://f/", prompter), -1);
  EXPECT_TRUE(again.OnPageTabClosed(4));
  EXPECT_EQ(again.AddClip(8, "F", "http://f/", prompter), 7);
  EXPECT_EQ(again.CountLive(), 3u);
}

TEST(ClipListTest, AddedTextReadsBackFromItsLine) {
  ClipList clips(10);
  RecordingPrompter prompter;
  EXPECT_EQ(clips.AddClip(3, " Tab\there\r\nand there ", "http://a/", prompter), 0);
  EXPECT_EQ(clips.AddClip(3, "No address", "", prompter), -1);  // nothing to pin
  EXPECT_EQ(clips.AddClip(0, "", "http://b/", prompter), 1);
  EXPECT_TRUE(prompter.stops.empty());
  ClipList again(10);
  ASSERT_TRUE(DataFile::LoadFromBytes(StoreType::kClips, Saved(clips, 1), again).ok());
  EXPECT_EQ(again.Describe(),
            "0 3/0+ Tab here  and there http://a/\n"
            "1 0/0+  http://b/\n");
  EXPECT_EQ(again.Describe(), clips.Describe());
}

// A page a search posted carries its engine, charset and keyword in three
// more fields, which readers of six fields pass over; anything short of a
// whole search reads as none, and a search that would pass the line limit
// is left out, so the file still loads.
TEST(ClipListTest, PostedSearchFieldsReadAndWriteBack) {
  ClipList clips = Loaded({
      "7\tResult\thttp://b/s\t0\t1\t0\t503\t3\tCaf%C3%A9+%e6%9d%b1 %",  // lower case too
      "7\tNo charset\thttp://b/s\t1\t0\t0\t503",
      "7\tOdd charset\thttp://b/s\t2\t0\t0\t503\t4\tx",
      "7\tNo keyword\thttp://b/s\t3\t0\t0\t503\t3\t",
  });
  PageTabSnapshot page{.title = "Long", .url = "http://b/s", .search = {503, 1, "a b&c"}};
  clips.SavePageTabs(8, std::span(&page, 1), true);
  EXPECT_EQ(clips.Describe(), Utf8ToSjis("0 7/0* Result http://b/s post 503/3 Caf? 東 %\n") +
                                  "1 7/1 No charset http://b/s\n"
                                  "2 7/2 Odd charset http://b/s\n"
                                  "3 7/3 No keyword http://b/s\n"
                                  "4 8/0 Long http://b/s post 503/1 a b&c\n");
  const std::string line = "8\tLong\thttp://b/s\t0\t0\t0\t503\t1\ta+b%26c";
  const std::string saved = Saved(clips, 1);
  EXPECT_EQ(saved,
            Body({"7\tResult\thttp://b/s\t0\t1\t0\t503\t3\tCaf%C3%A9+%E6%9D%B1+%25",
                  "7\tNo charset\thttp://b/s\t1\t0\t0", "7\tOdd charset\thttp://b/s\t2\t0\t0",
                  "7\tNo keyword\thttp://b/s\t3\t0\t0", line}));
  ClipList again(1000);
  ASSERT_TRUE(DataFile::LoadFromBytes(StoreType::kClips, saved, again).ok());
  EXPECT_EQ(again.Describe(), clips.Describe());
  EXPECT_EQ(again.search(0), (PostedSearch{503, 3, "Café 東 %"}));

  clips.set_search(4, {503, 1, std::string(DataFile::kMaxPlainLineBytes / 3, '&')});
  EXPECT_EQ(Saved(clips, 1), saved.substr(0, saved.find("\t503\t1\t")) + "\r\n");
}

TEST(ClipListTest, SavePageTabsCreatesAndUpdatesRecords) {
  ClipList clips = Loaded({
      "7\tUser clip\thttp://clip/\t5\t0\t1",
      "7\tOld saved\thttp://old/\t4\t1\t0",
  });
  std::vector<PageTabSnapshot> pages = {
      {-1, "New one", "http://new/", false},
      {0, "Clip moved on", "http://clip/next", true},
      {1, "Saved moved on", "http://old/next", false},
      {-1, "Blank", "", false},
  };
  clips.SavePageTabs(7, pages, /*at_exit=*/false);
  EXPECT_EQ(pages[0].clip_index, 2);
  EXPECT_EQ(pages[1].clip_index, 0);
  EXPECT_EQ(pages[2].clip_index, 1);
  EXPECT_EQ(pages[3].clip_index, 3);
  // Hiding a category keeps a clip's page; at exit it follows the page.
  EXPECT_EQ(clips.Describe(),
            "0 7/1*+ User clip http://clip/\n"
            "1 7/2 Saved moved on http://old/next\n"
            "2 7/0 New one http://new/\n"
            "3 7/3 Blank \n");
  clips.SavePageTabs(7, pages, /*at_exit=*/true);
  EXPECT_EQ(clips.Describe(),
            "0 7/1*+ Clip moved on http://clip/next\n"
            "1 7/2 Saved moved on http://old/next\n"
            "2 7/0 New one http://new/\n"
            "3 7/3 Blank \n");
  EXPECT_EQ(clips.size(), 4u);  // a second save creates nothing

  // A page that lost its record (deleted or stale index) gets a new one,
  // past the limit too.
  clips.set_max_data(3);
  clips.MarkDeleted(2);
  std::vector<PageTabSnapshot> more = {{2, "A", "http://a/", true}, {99, "B", "http://b/", false}};
  clips.SavePageTabs(8, more, false);
  EXPECT_EQ(more[0].clip_index, 4);
  EXPECT_EQ(more[1].clip_index, 5);
  EXPECT_EQ(clips.CountLive(), 5u);
}

TEST(ClipListTest, RecordsForTabByPositionWithTheLastActiveSelected) {
  ClipList clips = Loaded({
      "7\tC\thttp://c/\t2\t1\t0",
      "8\tOther\thttp://x/\t0\t1\t0",
      "7\tA\thttp://a/\t0\t0\t1",
      "7\tB1\thttp://b1/\t1\t1\t0",
      "7\tDeleted\thttp://d/\t0\t1\t0",
      "7\tB2\thttp://b2/\t1\t0\t1",
  });
  clips.MarkDeleted(4);
  const TabClips tab7 = clips.RecordsForTab(7);
  EXPECT_EQ(tab7.records, (std::vector<std::size_t>{2, 3, 5, 0}));
  EXPECT_EQ(tab7.selected, 3);  // C, the last active one in page order
  const TabClips none = clips.RecordsForTab(9);
  EXPECT_TRUE(none.records.empty());
  EXPECT_EQ(none.selected, -1);
  clips.set_active(0, false);
  EXPECT_EQ(clips.RecordsForTab(7).selected, 1);
}

TEST(ClipListTest, ReleasedClipSurvivesOnlyASavingExit) {
  auto run = [](bool save_at_exit) {
    ClipList clips(1000);
    RecordingPrompter prompter;
    std::vector<PageTabSnapshot> pages = {{-1, "Page", "http://p/", true}};
    pages[0].clip_index = clips.ClipPageTab(-1, 7, "Page", "http://p/", prompter);
    clips.Release(static_cast<std::size_t>(pages[0].clip_index));
    if (save_at_exit) clips.SavePageTabs(7, pages, true);
    return Saved(clips, save_at_exit ? 1 : 0);  // the exit dialog sets SavePageTab
  };
  EXPECT_EQ(run(false), Body({}));
  EXPECT_EQ(run(true), Body({"7\tPage\thttp://p/\t0\t1\t0"}));
}

TEST(ClipListTest, ClipPageTabTurnsABoundRecordIntoAClip) {
  ClipList clips = Loaded({"7\tSaved\thttp://old/\t1\t1\t0"}, 1);
  RecordingPrompter prompter;
  EXPECT_EQ(clips.ClipPageTab(0, 7, "Now", "http://now/", prompter), 0);
  EXPECT_EQ(clips.ClipPageTab(-1, 7, "New", "http://new/", prompter), -1);
  EXPECT_EQ(prompter.stops.size(), 1u);
  EXPECT_EQ(clips.Describe(), "0 7/1*+ Now http://now/\n");
}

TEST(ClipListTest, FollowingClosingAndDeletingTabs) {
  ClipList clips = Loaded({
      "7\tClip\thttp://clip/\t0\t0\t1",
      "7\tSaved\thttp://saved/\t1\t0\t0",
      "8\tOther\thttp://other/\t0\t0\t1",
  });
  EXPECT_FALSE(clips.FollowPage(0, "Next", "http://next/", false));
  EXPECT_TRUE(clips.FollowPage(0, "Next", "http://next/", true));
  EXPECT_FALSE(clips.FollowPage(0, "Next", "http://next/", true));
  EXPECT_FALSE(clips.FollowPage(-1, "Next", "http://next/", true));

  EXPECT_FALSE(clips.OnPageTabClosed(0));  // a clip outlives its page tab
  EXPECT_TRUE(clips.OnPageTabClosed(1));
  EXPECT_FALSE(clips.OnPageTabClosed(-1));
  EXPECT_FALSE(clips.OnPageTabClosed(42));
  clips.MarkDeletedForTab(8);
  EXPECT_EQ(clips.Describe(),
            "0 7/0+ Next http://next/\n"
            "1 7/1x Saved http://saved/\n"
            "2 8/0+x Other http://other/\n");
  clips.Clear();
  EXPECT_EQ(clips.size(), 0u);
  EXPECT_FALSE(clips.IsLive(0));
}

TEST(ClipListTest, TrimMarksTheOldestRecordsDeleted) {
  ClipList clips = Loaded({"1\tA\ta", "1\tB\tb", "1\tC\tc", "1\tD\td"}, 10);
  clips.set_max_data(4);
  EXPECT_FALSE(clips.NeedsTrim());
  EXPECT_EQ(clips.TrimToMaxData(), 0u);
  clips.set_max_data(1);
  EXPECT_TRUE(clips.NeedsTrim());
  EXPECT_EQ(clips.TrimToMaxData(), 3u);
  EXPECT_EQ(Saved(clips, 1), Body({"1\tD\td\t0\t0\t1"}));
}

}  // namespace
}  // namespace tolvane
