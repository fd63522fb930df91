#include "core/stores/item_dialog.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "core/files/setting_keys.h"
#include "core/files/settings_store.h"
#include "core/stores/item_store.h"
#include "core/text/charset_converter.h"
#include "platform/posix_env.h"
#include "support/fake_clock.h"
#include "support/fake_prompter.h"
#include "support/temp_dir.h"

namespace tolvane {
namespace {

std::string S(const char* utf8) { return Utf8ToSjis(utf8); }

// Counts what a store announces.
class CountingObserver : public StoreObserver {
 public:
  void StoreChanged(const ChangeNotifier&, const StoreChange& change) override {
    (change.part == StoreChange::Part::kItems ? items : folders) += 1;
  }
  int items = 0;
  int folders = 0;
};

class ItemDialogTest : public ::testing::Test {
 protected:
  ItemStore& Store(StoreType type) {
    stores_.emplace_back(std::make_unique<ItemStore>(type, settings_, clock_));
    ItemStore& store = *stores_.back();
    store.ResetToDefaults();
    store.changes().AddObserver(observer_);
    return store;
  }
  // The tag folders under "タグ別" (folder 5), by name.
  static std::string TagFolders(const ItemStore& store) {
    std::string out;
    const ItemFolderTree& folders = store.folders();
    for (std::size_t f = 0; f < folders.size(); ++f) {
      if (folders.parent(f) == 5) out += SjisToUtf8(folders.name(f)) + " ";
    }
    return out;
  }
  std::string Recent() { return SjisToUtf8(Read(settings_, settings::kTagTags)); }

  testing::TempDir dir_;
  PosixEnv env_{dir_.path()};
  SettingsStore settings_{dir_.path() / "vq_system.ini", env_};
  testing::FakeClock clock_{{2026, 12, 7, 10, 0, 0}};
  testing::FakePrompter prompter_;
  CountingObserver observer_;
  std::vector<std::unique_ptr<ItemStore>> stores_;
};

TEST_F(ItemDialogTest, AFavoriteIsShownCheckedAndWritten) {
  ItemStore& favorites = Store(StoreType::kFavorites);
  const int index = favorites.AddOrCount({S("店"), "http://shop/", -1, S("本"), true}, prompter_);
  ASSERT_EQ(index, 0);
  Write(settings_, settings::kTagTags, S("古い 本"));
  observer_ = {};
  clock_.Set({2026, 12, 7, 11, 0, 0});

  ItemDialog dialog(favorites, 0, settings_);
  EXPECT_EQ(SjisToUtf8(dialog.Describe()),
            "重要度[0] 名前[店] URL[http://shop/] タグ[本] 登録日*[2026/12/07 10:00:00] "
            "更新日*[2026/12/07 10:00:00] クリック回数*[0] お気に入りバーに表示する[0]");
  std::string choices;
  for (int c = 0; c < ItemDialog::kImportanceChoices; ++c) {
    choices += SjisToUtf8(ItemDialog::ImportanceChoiceText(c)) + ",";
  }
  EXPECT_EQ(choices, "指定なし,重要度:1,重要度:2,重要度:3,重要度:4,重要度:5,");
  EXPECT_FALSE(dialog.SetImportance(6));

  // The tag button offers the recent tags and appends one only once.
  const std::vector<std::string> recent = dialog.RecentTagList();
  ASSERT_EQ(recent.size(), 2U);
  dialog.AppendTag(recent[0]);
  dialog.AppendTag(recent[1]);
  EXPECT_EQ(SjisToUtf8(dialog.Text(ItemDialog::Field::kTags)), "本 古い");

  // Refused: nothing written, nothing told.
  dialog.SetTitle("");
  EXPECT_EQ(dialog.Save(), 1004);
  dialog.SetTitle(S("良い店"));
  dialog.SetUrl("shop");
  EXPECT_EQ(dialog.Save(), 1013);
  EXPECT_EQ(SjisToUtf8(favorites.items().FormatItemLine(0)),
            "1\t店\thttp://shop/\t0\t本\t0\t2026/12/07 10:00:00\t2026/12/07 10:00:00\t\t0\t0");
  EXPECT_EQ(observer_.items + observer_.folders, 0);

  // OK: tags normalised, entered in the recent tags, their folders made.
  dialog.SetUrl("https://shop/");
  dialog.SetTags(S("本\xE3\x80\x80 新しい  古い"));
  dialog.SetImportance(3);
  dialog.SetBarFlag(true);
  EXPECT_EQ(dialog.Save(), 0);
  EXPECT_EQ(SjisToUtf8(favorites.items().FormatItemLine(0)),
            "1\t良い店\thttps://shop/\t3\t本 新しい 古い\t0\t2026/12/07 10:00:00\t"
            "2026/12/07 11:00:00\t\t1\t0");
  EXPECT_EQ(Recent(), "古い 新しい 本");
  EXPECT_EQ(TagFolders(favorites), "本 新しい 古い ");
  EXPECT_EQ(observer_.items, 1);
  EXPECT_EQ(observer_.folders, 1);

  // OK without a change leaves the dates and the trash alone and tells
  // nothing.
  clock_.Set({2026, 12, 7, 12, 0, 0});
  favorites.items().SetInTrash(0, true);
  observer_ = {};
  ItemDialog again(favorites, 0, settings_);
  EXPECT_EQ(again.Save(), 0);
  EXPECT_EQ(favorites.items().updated(0), "2026/12/07 11:00:00");
  EXPECT_TRUE(favorites.items().in_trash(0));
  EXPECT_EQ(observer_.items + observer_.folders, 0);
}

TEST_F(ItemDialogTest, AKeywordsNameIsItsUrl) {
  ItemStore& keywords = Store(StoreType::kKeywords);
  keywords.AddOrCount({S("靴"), "", -1, "", true}, prompter_);
  ItemDialog dialog(keywords, 0, settings_);
  EXPECT_EQ(SjisToUtf8(dialog.Label(ItemDialog::Field::kCount)), "検索回数");
  EXPECT_EQ(SjisToUtf8(dialog.Label(ItemDialog::Field::kBarFlag)), "キーワードバーに表示する");

  dialog.SetTitle(S("\xE3\x80\x80 "));
  EXPECT_EQ(dialog.Save(), 1004);
  dialog.SetTitle(S(" 赤い\xE3\x80\x80靴 "));
  dialog.SetUrl("ignored");
  EXPECT_EQ(dialog.Save(), 0);
  EXPECT_EQ(SjisToUtf8(keywords.items().FormatItemLine(0)),
            "1\t赤い 靴\t赤い 靴\t0\t\t1\t2026/12/07 10:00:00\t2026/12/07 10:00:00\t\t0\t0");
  EXPECT_EQ(Recent(), "");
}

}  // namespace
}  // namespace tolvane
