#include "core/stores/item_store.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "core/files/settings_store.h"
#include "core/files/string_table.h"
#include "core/stores/item_edit.h"
#include "core/stores/recent_tags.h"
#include "core/stores/tag_text.h"
#include "core/text/charset_converter.h"
#include "platform/posix_env.h"
#include "support/fake_clock.h"
#include "support/fake_prompter.h"
#include "support/temp_dir.h"

namespace tolvane {
namespace {

using testing::FakeClock;
using testing::FakePrompter;

std::string S(const char* utf8) { return Utf8ToSjis(utf8); }

ItemStore::Entry E(std::string title, std::string url, int importance = -1, std::string tags = "",
                   bool count = true) {
  return {std::move(title), std::move(url), importance, std::move(tags), count};
}

std::vector<std::string> FolderLines(const ItemFolderTree& tree) {
  std::vector<std::string> lines;
  for (std::size_t i = 0; i < tree.size(); ++i) {
    if (auto line = tree.FormatFolderLine(i); !line.empty()) lines.push_back(SjisToUtf8(line));
  }
  return lines;
}

std::vector<std::string> ItemLines(const ItemList& list) {
  std::vector<std::string> lines;
  for (std::size_t i = 0; i < list.size(); ++i) {
    if (auto line = list.FormatItemLine(i); !line.empty()) lines.push_back(SjisToUtf8(line));
  }
  return lines;
}

TEST(ItemFolderTreeTest, ResetWritesTheSevenDefaultFolders) {
  ItemFolderTree tree(StoreType::kFavorites);
  tree.Reset();
  EXPECT_EQ(FolderLines(tree), (std::vector<std::string>{
                                   "0\t-1\t0\tお気に入り\t\t0\t0\t0\t0\t0\t0\t0\t0\t0",
                                   "-9999\t0\t51\tゴミ箱\t\t0\t0\t0\t0\t0\t0\t99999999\t0\t0",
                                   "1\t0\t0\t新規登録\t*\t0\t1\t0\t0\t0\t1\t0\t0\t0",
                                   "2\t0\t0\t登録日順\t*\t0\t1\t2\t0\t0\t0\t1\t0\t1",
                                   "3\t0\t0\t五十音順\t*\t0\t1\t4\t0\t0\t0\t2\t0\t0",
                                   "4\t0\t0\t重要度順\t*\t0\t1\t10\t0\t1\t0\t3\t0\t1",
                                   "5\t0\t0\tタグ別\t\t0\t1\t10\t0\t0\t0\t3\t0\t0",
                               }));
  ItemFolderTree history(StoreType::kHistory);
  history.Reset();
  EXPECT_EQ(SjisToUtf8(history.name(0)), "履歴");
}

TEST(ItemFolderTreeTest, ParsesShortAndAllocatingLines) {
  ItemFolderTree tree(StoreType::kKeywords);
  tree.Reset();
  EXPECT_EQ(tree.id(static_cast<std::size_t>(tree.ParseFolderLine("-1\t0\t3\tnew"))), 11);
  EXPECT_EQ(tree.ParseFolderLine("12\t0\tno name"), -1);  // three fields are too few
  EXPECT_EQ(tree.ParseFolderLine("17\t0\t1\tq\t"), 8);    // the empty last field is dropped
  const int made = tree.ParseFolderLine("-1\t0\t3\tnew");
  EXPECT_EQ(tree.id(static_cast<std::size_t>(made)), 18);
  EXPECT_EQ(tree.FormatFolderLine(8), "17\t0\t1\tq\t\t0\t0\t0\t0\t0\t0\t99999999\t0\t0");

  // The trash keeps its own image whatever the file says.
  EXPECT_EQ(tree.icon(static_cast<std::size_t>(tree.ParseFolderLine("-9999\t0\t7\tx"))), 51);
  // IDs at the limits of 32 bits: no wrap-around when allocating after them.
  tree.ParseFolderLine("2147483647\t0\t0\tlast");
  EXPECT_EQ(tree.id(static_cast<std::size_t>(tree.ParseFolderLine("-1\t0\t0\tx"))), 2147483647);
  EXPECT_EQ(tree.id(static_cast<std::size_t>(tree.ParseFolderLine("-2147483648\t0\t0\tx"))),
            -2147483648);
  EXPECT_EQ(tree.id(static_cast<std::size_t>(tree.ParseFolderLine("99999999999\t0\t0\tx"))),
            2147483647);
}

TEST(ItemFolderTreeTest, DisplayNameFallsBackToQueryThenUntitled) {
  ItemFolderTree tree(StoreType::kFavorites);
  tree.ParseFolderLine("11\t0\t0\t\tshoes");
  tree.ParseFolderLine("12\t0\t0\t\t*");
  tree.ParseFolderLine("13\t0\t0\t");
  EXPECT_EQ(tree.DisplayName(0), "shoes");
  EXPECT_EQ(SjisToUtf8(tree.DisplayName(1)), "無題");
  EXPECT_EQ(tree.size(), 2u);  // the third line has only three fields
  tree.ToggleTrash(0);
  EXPECT_EQ(tree.VisibleParent(0), ItemFolderTree::kTrashId);
  tree.MarkDeleted(1);
  EXPECT_EQ(tree.CountLive(), 1u);
  EXPECT_EQ(tree.FormatFolderLine(1), "");
}

TEST(ItemListTest, ParsesWithDefaultsAndWritesElevenFields) {
  FakeClock clock({2026, 3, 4, 5, 6, 7});
  ItemList list(StoreType::kHistory, clock);
  EXPECT_EQ(list.ParseItemLine("5\tonly two"), -1);
  list.ParseItemLine("5\tTitle\thttp://a/");
  list.ParseItemLine(
      "-1\tT2\thttp://b/\t3\ttag1 tag2\t9\tnot a date\t2020/01/01 00:00:00\tkey\t1\t1");
  list.ParseItemLine("2147483647\tmax\thttp://c/\t\t\t\t\t");
  list.ParseItemLine("-1\twraps not\thttp://d/");
  EXPECT_EQ(ItemLines(list),
            (std::vector<std::string>{
                "5\tTitle\thttp://a/\t0\t\t0\t2026/03/04 05:06:07\t2026/03/04 "
                "05:06:07\t\t0\t0",
                "6\tT2\thttp://b/\t3\ttag1 tag2\t9\tnot a date\t2020/01/01 "
                "00:00:00\tkey\t1\t1",
                "2147483647\tmax\thttp://c/\t0\t\t0\t\t2026/03/04 05:06:07\t\t0\t0",
                "2147483647\twraps not\thttp://d/\t0\t\t0\t2026/03/04 "
                "05:06:07\t2026/03/04 05:06:07\t\t0\t0",
            }));
}

TEST(ItemListTest, FindsLiveItemsAndStampsEdits) {
  FakeClock clock({2026, 1, 1, 0, 0, 0});
  ItemList list(StoreType::kFavorites, clock);
  list.ParseItemLine("1\ta\thttp://x/\t0\t\t0\t2020/01/01 00:00:00\t2020/01/01 00:00:00\t\t0\t1");
  list.ParseItemLine("2\tb\thttp://x/");
  EXPECT_EQ(list.FindByUrl("http://x/"), 0);
  EXPECT_EQ(list.FindByUrl("HTTP://x/"), -1);
  list.MarkDeleted(0);
  list.MarkDeleted(0);
  EXPECT_EQ(list.CountLive(), 1u);
  EXPECT_EQ(list.FindByUrl("http://x/"), 1);
  EXPECT_EQ(list.FindById(2), 1);

  clock.Set({2026, 2, 2, 2, 2, 2});
  list.SetUrl(0, "http://y/");
  EXPECT_FALSE(list.in_trash(0));
  EXPECT_EQ(list.updated(0), "2026/02/02 02:02:02");
  EXPECT_EQ(list.registered(0), "2020/01/01 00:00:00");
}

class ItemStoreTest : public ::testing::Test {
 protected:
  ItemStoreTest() : settings_(dir_.path() / "vq_system.ini", env_) {}

  ItemStore MakeStore(StoreType type, int max_data) {
    const char* section = type == StoreType::kFavorites  ? "OptionFavorite"
                          : type == StoreType::kKeywords ? "OptionKeyword"
                                                         : "OptionHistory";
    settings_.WriteInt(section, "MaxData", max_data);
    ItemStore store(type, settings_, clock_);
    store.ResetToDefaults();
    return store;
  }

  // ID, title, count, updated time and trash flag of the live items.
  static std::vector<std::string> Summary(const ItemStore& store) {
    std::vector<std::string> rows;
    const ItemList& items = store.items();
    for (std::size_t i = 0; i < items.size(); ++i) {
      if (items.deleted(i)) continue;
      rows.push_back(std::to_string(items.id(i)) + ' ' + items.title(i) + ' ' +
                     std::to_string(items.count(i)) + ' ' + items.updated(i).substr(11) +
                     (items.in_trash(i) ? " trash" : ""));
    }
    return rows;
  }

  testing::TempDir dir_;
  PosixEnv env_{dir_.path()};
  SettingsStore settings_;
  FakeClock clock_{{2026, 12, 7, 10, 0, 0}};
  FakePrompter prompter_;
};

TEST_F(ItemStoreTest, HistoryCountsVisitsAndTrimsTheOldest) {
  ItemStore history = MakeStore(StoreType::kHistory, 3);
  history.AddOrCount(E("A", "http://a/"), prompter_);
  clock_.Set({2026, 12, 7, 10, 0, 1});
  history.AddOrCount(E("B", "http://b/"), prompter_);
  history.AddOrCount(E("C", "http://c/"), prompter_);
  history.items().SetInTrash(0, true);

  clock_.Set({2026, 12, 7, 10, 0, 2});
  history.AddOrCount(E("A renamed", "http://a/"), prompter_);  // back out of the trash
  EXPECT_EQ(Summary(history),
            (std::vector<std::string>{"1 A 2 10:00:02", "2 B 1 10:00:01", "3 C 1 10:00:01"}));

  // B and C share the oldest date: the one stored first goes.
  history.AddOrCount(E("D", "http://d/"), prompter_);
  EXPECT_EQ(Summary(history),
            (std::vector<std::string>{"1 A 2 10:00:02", "3 C 1 10:00:01", "4 D 1 10:00:02"}));
  EXPECT_TRUE(prompter_.stops.empty());
}

TEST_F(ItemStoreTest, FavoritesRefuseAtTheLimitAndKeepTitleAndCount) {
  ItemStore favorites = MakeStore(StoreType::kFavorites, 2);
  favorites.AddOrCount(E("Shop", "http://shop/", 2), prompter_);
  favorites.items().IncrementCount(0);  // a click from the tree
  favorites.AddOrCount(E("Other title", "http://shop/", 5), prompter_);
  favorites.AddOrCount(E("Second", "http://second/", -1), prompter_);
  EXPECT_EQ(favorites.AddOrCount(E("Third", "http://third/"), prompter_), -1);

  EXPECT_EQ(Summary(favorites),
            (std::vector<std::string>{"1 Shop 1 10:00:00", "2 Second 0 10:00:00"}));
  EXPECT_EQ(favorites.items().importance(0), 5);
  EXPECT_EQ(favorites.items().importance(1), 0);
  ASSERT_EQ(prompter_.stops.size(), 1u);
  EXPECT_EQ(prompter_.stops[0], LoadString(string_id::kFavoritesLimit));
}

TEST_F(ItemStoreTest, KeywordsAreTheirOwnKeyAndCountOnlyWhenAsked) {
  ItemStore keywords = MakeStore(StoreType::kKeywords, 10);
  keywords.AddOrCount(E(S("東京 タワー"), "ignored", -1, "", true), prompter_);
  keywords.AddOrCount(E(S("東京 タワー"), "", -1, "", false), prompter_);
  keywords.AddOrCount(E("camera\tlens", "", -1, "", false), prompter_);
  EXPECT_EQ(
      ItemLines(keywords.items()),
      (std::vector<std::string>{
          "1\t東京 タワー\t東京 タワー\t0\t\t1\t2026/12/07 10:00:00\t2026/12/07 10:00:00\t\t0\t0",
          "2\tcamera lens\tcamera lens\t0\t\t0\t2026/12/07 10:00:00\t2026/12/07 "
          "10:00:00\t\t0\t0",
      }));

  ItemStore none = MakeStore(StoreType::kHistory, 0);
  EXPECT_EQ(none.AddOrCount(E("A", "http://a/"), prompter_), -1);
  EXPECT_EQ(none.items().size(), 0u);
}

TEST_F(ItemStoreTest, TagsBecomeOneFolderEachUnderTheTagFolder) {
  ItemStore favorites = MakeStore(StoreType::kFavorites, 100);
  favorites.AddOrCount(E("A", "http://a/", -1, S("靴　bag")), prompter_);
  favorites.AddOrCount(E("B", "http://b/", -1, "bag"), prompter_);
  favorites.AddOrCount(E("A", "http://a/", -1, "bag"), prompter_);  // already tagged
  favorites.AddOrCount(E("A", "http://a/", -1, "new"), prompter_);

  EXPECT_EQ(SjisToUtf8(favorites.items().tags(0)), "靴 bag new");
  std::vector<std::string> tag_folders;
  const ItemFolderTree& folders = favorites.folders();
  for (std::size_t f = 7; f < folders.size(); ++f) {
    tag_folders.push_back(std::to_string(folders.id(f)) + ' ' + std::to_string(folders.parent(f)) +
                          ' ' + SjisToUtf8(folders.name(f)) + ' ' + SjisToUtf8(folders.query(f)) +
                          ' ' + std::to_string(folders.target(f)));
  }
  EXPECT_EQ(tag_folders,
            (std::vector<std::string>{"11 5 靴 靴 1", "12 5 bag bag 1", "13 5 new new 1"}));

  // No tag folder while the tag folder is in the trash, or missing.
  favorites.folders().ToggleTrash(6);
  favorites.AddOrCount(E("C", "http://c/", -1, "later"), prompter_);
  settings_.WriteInt("OptionFavorite", "TagFolder", 77);
  favorites.AddOrCount(E("D", "http://d/", -1, "other"), prompter_);
  EXPECT_EQ(favorites.folders().size(), 10u);
}

TEST_F(ItemStoreTest, DestructiveCommandsAskFirst) {
  ItemStore history = MakeStore(StoreType::kHistory, 100);
  history.AddOrCount(E("<A>", "http://a/"), prompter_);
  history.AddOrCount(E("B", "http://b/"), prompter_);

  prompter_.set_answer(false);
  EXPECT_FALSE(history.DeleteItem(0, prompter_));
  EXPECT_FALSE(history.DeleteAllIn(1, prompter_));
  EXPECT_FALSE(history.Clear(prompter_));
  EXPECT_EQ(history.items().CountLive(), 2u);
  EXPECT_EQ(prompter_.questions,
            (std::vector<std::string>{
                S("\"<A>\" は完全に削除され元に戻すことはできません。本当に削除しますか?"),
                S("\"新規登録\" 内のすべての履歴は完全に削除され元に戻すことはできません。"
                  "本当に削除しますか?"),
                S("登録されたすべての履歴がクリアされ、フォルダも初期状態に戻されます。\n"
                  "初期化を実行してもよろしいですか?"),
            }));

  prompter_.set_answer(true);
  history.TrashAllIn(3);
  EXPECT_EQ(Summary(history),
            (std::vector<std::string>{"1 <A> 1 10:00:00 trash", "2 B 1 10:00:00 trash"}));
  EXPECT_TRUE(history.DeleteAllIn(ItemFolderTree::kTrashId, prompter_));
  EXPECT_EQ(history.items().CountLive(), 0u);

  history.folders().ParseFolderLine("-1\t0\t0\tmine");
  EXPECT_TRUE(history.Clear(prompter_));
  EXPECT_EQ(history.folders().size(), 7u);
  EXPECT_EQ(history.items().size(), 0u);
}

TEST(ItemEditTest, ChecksNamesAndUrlsAndNormalisesTags) {
  struct Case {
    StoreType type;
    ItemEdit edit;
    int message;
    ItemEdit stored;
  };
  const std::vector<Case> cases = {
      {StoreType::kFavorites, {"", "http://a/", ""}, 1004, {}},
      {StoreType::kFavorites, {"A", "www.example.jp", ""}, 1013, {}},
      {StoreType::kHistory, {"A", "about:blank", S("  x　 y ")}, 0, {"A", "about:blank", "x y"}},
      {StoreType::kFavorites, {"A\tB", "file:///tmp/a", ""}, 0, {"A B", "file:///tmp/a", ""}},
      {StoreType::kKeywords, {S("　"), "", ""}, 1004, {}},
      {StoreType::kKeywords,
       {S(" 東京　タワー "), "old", ""},
       0,
       {S("東京 タワー"), S("東京 タワー"), ""}},
  };
  for (const auto& c : cases) {
    ItemEdit edit = c.edit;
    EXPECT_EQ(CheckItemEdit(c.type, edit), c.message) << c.edit.title;
    if (c.message != 0) continue;
    EXPECT_EQ(edit.title, c.stored.title);
    EXPECT_EQ(edit.url, c.stored.url);
    EXPECT_EQ(edit.tags, c.stored.tags);
  }
}

TEST_F(ItemStoreTest, RecentTagsKeepTwentyMostRecentFirst) {
  RecentTags recent(settings_);
  for (int i = 0; i < 25; ++i) recent.Enter("t" + std::to_string(i));
  recent.Enter("t10");
  recent.Enter("");
  const auto tags = recent.List();
  ASSERT_EQ(tags.size(), 20u);
  EXPECT_EQ(tags[0], "t10");
  EXPECT_EQ(tags[1], "t24");
  EXPECT_EQ(tags[19], "t5");
  EXPECT_EQ(std::count(tags.begin(), tags.end(), "t10"), 1);
}

TEST(TagTextTest, SplitsAtEverySpaceButNeverInsideACharacter) {
  // 0x81 0x40 is a full-width space only where a character starts: in
  // "\x88\x81" + "@" the 0x81 is a trail byte.
  const std::string text = "\x88\x81@ a\x81\x40 b\t\x81";
  EXPECT_EQ(SplitTags(text), (std::vector<std::string>{"\x88\x81@", "a", "b", "\x81"}));
  EXPECT_EQ(NormaliseTags(text), "\x88\x81@ a b \x81");
  EXPECT_TRUE(HasTag("red blue", "blue"));
  EXPECT_FALSE(HasTag("red bluegreen", "blue"));
}

TEST(FormatStringTest, FillsPlacesInOrderAndSkipsTrailBytes) {
  EXPECT_EQ(
      FormatString(string_id::kConfirmDeleteAllIn, {"F", S("履歴")}),
      S("\"F\" 内のすべての履歴は完全に削除され元に戻すことはできません。本当に削除しますか?"));
  EXPECT_EQ(SjisToUtf8(FormatString(151, {"3"})), "重要度3");
  EXPECT_EQ(SjisToUtf8(FormatString(151, {})), "重要度");
}

}  // namespace
}  // namespace tolvane
