#include "core/stores/store_bar.h"

#include <gtest/gtest.h>

#include <string>

#include "core/text/charset_converter.h"
#include "platform/posix_env.h"
#include "support/fake_clock.h"
#include "support/temp_dir.h"

namespace tolvane {
namespace {

class StoreBarTest : public ::testing::Test {
 protected:
  StoreBarTest() { favorites_.ResetToDefaults(); }

  // An item line with the bar flag set or not.
  int AddItem(int id, const std::string& title_sjis, bool flagged) {
    return favorites_.ParseItemLine(std::to_string(id) + "\t" + title_sjis + "\thttp://s/" +
                                    std::to_string(id) + "/\t0\t\t0\t\t\t\t" +
                                    (flagged ? "1" : "0") + "\t0");
  }
  std::string Shown() { return StoreBar::Describe(bar_.Buttons()); }
  std::string Stored() { return Read(settings_, settings::kFavoriteBarButtonIDs); }

  testing::TempDir dir_;
  PosixEnv env_{dir_.path()};
  SettingsStore settings_{dir_.path() / "vq_system.ini", env_};
  testing::FakeClock clock_;
  ItemStore favorites_{StoreType::kFavorites, settings_, clock_};
  StoreBar bar_{favorites_, settings_};
};

TEST_F(StoreBarTest, AFreshStoreShowsThePresetFoldersAndOnlyTheBuildWritesTheirOrder) {
  EXPECT_EQ(Shown(), "F1:新規登録 | F2:登録日順 | F3:五十音順 | F4:重要度順 | F5:タグ別");
  EXPECT_EQ(Stored(), "");  // looking at the buttons writes nothing
  const std::vector<StoreBarButton> buttons = bar_.Buttons();
  EXPECT_EQ(buttons[0].image, 1);
  bar_.SaveOrder();
  EXPECT_EQ(Stored(), "F1,F2,F3,F4,F5");
}

TEST_F(StoreBarTest,
       StoredTokensShowOnlyLiveFlaggedEntriesOutsideTheTrashOnceAndFlaggedOnesFollow) {
  AddItem(7, "seven", true);
  const int deleted = AddItem(8, "eight", true);
  favorites_.items().MarkDeleted(static_cast<std::size_t>(deleted));
  AddItem(9, "nine", false);
  AddItem(10, "ten", true);
  const int trashed = AddItem(11, "eleven", true);
  favorites_.items().SetInTrash(static_cast<std::size_t>(trashed), true);
  favorites_.folders().set_bar_flag(static_cast<std::size_t>(favorites_.folders().Find(3)), false);
  favorites_.folders().ToggleTrash(static_cast<std::size_t>(favorites_.folders().Find(4)));
  // Folder 3 unflagged, folder 4 and item 11 in the trash, item 8 deleted,
  // item 9 unflagged, folder 77 and item 99 unknown, "X1" and "F" no
  // tokens, F2 named three times (once as "F02"), E7 also as "E+7".
  Write(settings_, settings::kFavoriteBarButtonIDs,
        " E8 ,F3,E7,X1,F,F77,E9,F2,E99,F02,F2,E7x,E+7,E11,F4");
  const std::vector<StoreBarButton> buttons = bar_.Buttons();
  EXPECT_EQ(StoreBar::Describe(buttons),
            "E7:seven | F2:登録日順 | F1:新規登録 | F5:タグ別 | E10:ten");
  EXPECT_EQ(buttons[0].image, StoreBar::kDefaultPageImage);
  bar_.SaveOrder();
  EXPECT_EQ(Stored(), "E7,F2,F1,F5,E10");
}

// A setting of some megabytes gives at most the bar's hundred buttons at
// once; its rewrite drops only the tokens of entries that do not show.
TEST_F(StoreBarTest, AHugeSettingGivesAHundredButtonsAndItsRewriteKeepsTheRest) {
  for (int id = 11; id <= 131; ++id) AddItem(id, "i" + std::to_string(id), id != 131);
  std::string order;  // E130 … E11
  for (int id = 130; id >= 11; --id) order += "E" + std::to_string(id) + ",";
  std::string stored;
  for (int round = 0; round < 3000; ++round) stored += "E131,X,E9999," + order;
  Write(settings_, settings::kFavoriteBarButtonIDs, stored);

  const std::vector<StoreBarButton> buttons = bar_.Buttons();
  ASSERT_EQ(buttons.size(), StoreBar::kMaxButtons);
  EXPECT_EQ(StoreBar::Describe({buttons.front(), buttons.back()}), "E130:i130 | E31:i31");
  bar_.SaveOrder();
  EXPECT_EQ(Stored(), order + "F1,F2,F3,F4,F5");
  EXPECT_EQ(StoreBar::Describe(bar_.Buttons()), StoreBar::Describe(buttons));
}

TEST_F(StoreBarTest, TextsAreCutToThirtyBytesKeepingDoubleByteCharactersWhole) {
  AddItem(1, std::string(40, 'a'), true);
  // 29 single bytes, then a double-byte character over bytes 30 and 31.
  AddItem(2, std::string(29, 'b') + Utf8ToSjis("東京"), true);
  AddItem(3, std::string(28, 'c') + Utf8ToSjis("東京"), true);
  const std::vector<StoreBarButton> buttons = bar_.Buttons();
  ASSERT_EQ(buttons.size(), 8u);
  EXPECT_EQ(buttons[5].text, std::string(30, 'a'));
  EXPECT_EQ(buttons[6].text, std::string(29, 'b'));
  EXPECT_EQ(buttons[7].text, std::string(28, 'c') + Utf8ToSjis("東"));
}

}  // namespace
}  // namespace tolvane
