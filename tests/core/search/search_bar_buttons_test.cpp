#include "core/search/search_bar_buttons.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/stores/category_folder_tree.h"
#include "core/stores/engine_list.h"
#include "core/text/charset_converter.h"

namespace tolvane {
namespace {

using Kind = SearchBarButtons::Kind;

// Engine folders 12 (flagged), 13, 14 (flagged, deleted); engines A
// (flagged, icon choice 3), B (flagged, favicon 70), C, Gone (flagged,
// deleted), E (flagged, no icon); tab group 1 and tab 8, both flagged.
class SearchBarButtonsTest : public ::testing::Test {
 protected:
  enum Row { kA, kB, kC, kGone, kE };

  SearchBarButtonsTest() {
    engines_.ResetHighestId();
    tabs_.ResetHighestId();
    for (const char* line : {"12\tBooks\t0\t0\t1\t1", "13\tMusic\t0", "14\tOld\t0\t0\t2\t1"}) {
      engine_folders_.ParseFolderLine(line);
    }
    engine_folders_.Delete(2);
    for (const char* line : {
             "1\t12\tA\t\t\thttp://a/\t\t\t\t\t\t3\t\t0\t1\t\t\t1\t3",
             "2\t12\tB\t\t\thttp://b/\t\t\t\t\t\t3\t\t0\t2\t\t\t1",
             "3\t12\tC\t\t\thttp://c/\t\t\t\t\t\t3",
             "4\t12\tGone\t\t\thttp://g/\t\t\t\t\t\t3\t\t0\t3\t\t\t1",
             "5\t13\tE\t\t\thttp://e/\t\t\t\t\t\t3\t\t0\t4\t\t\t1",
         }) {
      engines_.ParseRecord(line);
    }
    engines_.set_image_index(kB, 70);
    engines_.MarkDeleted(kGone);
    tab_groups_.ParseFolderLine("1\tGroup\t0\t0\t1\t1");
    tabs_.ParseRecord("8\t1\tTab\t\t\thttp://t/\t\t\t\t\t\t0\t\t0\t1\t\t\t1");
  }

  SearchBarButtons Build(std::string_view ids, bool no_text = false) const {
    return SearchBarButtons::Build(ids, no_text, sources_);
  }

  CategoryFolderTree engine_folders_{StoreType::kEngineList};
  CategoryFolderTree tab_groups_{StoreType::kTabs};
  EngineList engines_{StoreType::kEngineList};
  EngineList tabs_{StoreType::kTabs};
  SearchBarButtons::Sources sources_{engine_folders_, engines_, tab_groups_, tabs_};
};

constexpr std::string_view kStored = " -1 , EE2,EE3, junk,EE,EE1x,-6,EE-,EF99,TE8, EE4";

TEST_F(SearchBarButtonsTest, StoredTokensThenFlaggedItemsMakeTheButtons) {
  // Unknown and broken tokens are dropped; built-ins take their own command
  // but advance the counter; unflagged, missing and deleted items give no
  // button; flagged items not listed follow, each kind in list order.
  const auto tokens = SearchBarButtons::Parse(kStored);
  std::string formatted;
  for (const auto& token : tokens) formatted += SearchBarButtons::Format(token) + ",";
  EXPECT_EQ(formatted, "-1,EE2,EE3,EF99,TE8,EE4,");

  const SearchBarButtons bar = Build(kStored);
  EXPECT_EQ(SjisToUtf8(bar.Describe()),
            "[-1 32842 まとめて検索 #54][EE2 34701 B #70][TE8 34702 Tab #64]"
            "[EF12 34703 Books][EE1 34704 A #69][EE5 34705 E #64][TF1 34706 Group]");
  const auto* button = bar.Find(CommandId{34704});
  ASSERT_NE(button, nullptr);
  EXPECT_EQ(button->item, kA);
  EXPECT_EQ(bar.Find(CommandId{34707}), nullptr);

  EXPECT_EQ(SjisToUtf8(Build("-5,-4,-3,-2", true).Describe()),
            "[-5 32943 #58][-4 32942 #57][-3 32844 #56][-2 32843 #55][EF12 34704]"
            "[EE1 34705 #69][EE2 34706 #70][EE5 34707 #64][TF1 34708][TE8 34709 #64]");
  EXPECT_EQ(SjisToUtf8(Build("-4").buttons()[0].text), "まとめてカテゴリ検索");
}

TEST_F(SearchBarButtonsTest, OnlyChangesToWhatTheBarShowsRebuildIt) {
  const SearchBarButtons shown = Build(kStored);
  engines_.set_name(kC, "C2");  // not on the bar
  engines_.set_gesture(kA, "x");
  EXPECT_FALSE(Build(kStored).NeedsRebuildFrom(shown));

  for (auto change : std::vector<void (*)(EngineList&)>{
           [](EngineList& l) { l.set_name(kA, "A2"); },
           [](EngineList& l) { l.set_image_index(kE, 80); },
           [](EngineList& l) { l.set_on_search_bar(kB, false); },
           [](EngineList& l) { l.set_icon_index(kB, 1); },
       }) {
    EngineList before = engines_;
    change(engines_);
    EXPECT_TRUE(Build(kStored).NeedsRebuildFrom(shown));
    engines_ = before;
  }
  EXPECT_TRUE(Build("-2").NeedsRebuildFrom(shown));

  // A drop flags the item and moves its token before the target; the other
  // fields, unknown ones included, stay in the setting.
  const std::string dropped = SearchBarButtons::DropEngine(
      kStored, SearchBarButtons::Token{Kind::kEngine, 2}, engines_, kC);
  EXPECT_EQ(dropped, "-1,EE3,EE2,junk,EE,EE1x,-6,EE-,EF99,TE8,EE4");
  const std::string folder_dropped =
      SearchBarButtons::DropEngineFolder(dropped, std::nullopt, engine_folders_, 1);
  EXPECT_EQ(folder_dropped, "-1,EE3,EE2,junk,EE,EE1x,-6,EE-,EF99,TE8,EE4,EF13");
  EXPECT_EQ(SjisToUtf8(Build(folder_dropped).Describe()),
            "[-1 32842 まとめて検索 #54][EE3 34701 C2 #64][EE2 34702 B #70][TE8 34703 Tab #64]"
            "[EF13 34704 Music][EF12 34705 Books][EE1 34706 A #69][EE5 34707 E #64]"
            "[TF1 34708 Group]");
}

// Megabytes of tokens give the hundred buttons of the span 34700-34799; a
// drop keeps every other token where it was.
TEST_F(SearchBarButtonsTest, AHugeTokenListGivesAHundredButtonsAndADropKeepsItWhole) {
  std::string stored = "-1";
  for (int i = 0; i < 200000; ++i) stored += ",EE99,EE4";
  for (int i = 0; i < 150; ++i) stored += ",EE2";
  const SearchBarButtons bar = Build(stored);
  ASSERT_EQ(bar.buttons().size(), 100u);
  EXPECT_EQ(bar.buttons()[0].command, command::kBatchSearch);
  EXPECT_EQ(bar.buttons()[1].command, CommandId{34701});
  EXPECT_EQ(bar.buttons()[99].command, CommandId{34799});
  EXPECT_EQ(bar.buttons()[99].token, (SearchBarButtons::Token{Kind::kEngine, 2}));

  EXPECT_EQ(SearchBarButtons::DropEngine(stored, std::nullopt, engines_, kC), stored + ",EE3");
}

}  // namespace
}  // namespace tolvane
