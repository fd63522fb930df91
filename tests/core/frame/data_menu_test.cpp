#include "core/frame/data_menu.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "core/text/charset_converter.h"
#include "platform/posix_env.h"
#include "support/fake_clock.h"
#include "support/temp_dir.h"

namespace tolvane {
namespace {

// Folders as saved searches sorted by title: "Zero" lists nothing, "Two"
// two items and three child folders (one in the trash, one deleted, one
// ordered first), "Many" 45 items and one child folder.
void Fill(ItemStore& store) {
  store.ResetToDefaults();
  for (const char* line : {
           "11\t0\t0\tZero\tzero\t0\t0\t4",
           "12\t0\t0\tTwo\ttwo\t0\t0\t4",
           "13\t0\t0\tMany\tmany\t0\t0\t4",
           "14\t12\t0\tSub\tnone\t0\t0\t4",
           "15\t13\t0\tInner\tnone\t0\t0\t4",
           "16\t12\t0\tTrashed\tnone\t0\t0\t4\t0\t0\t0\t5\t1",
           "17\t12\t0\tDeleted\tnone",
           "18\t12\t3\t\tnone\t0\t0\t4\t0\t0\t0\t0",
       }) {
    ASSERT_GE(store.ParseFolderLine(line), 0) << line;
  }
  store.folders().MarkDeleted(static_cast<std::size_t>(store.folders().Find(17)));
  store.ParseItemLine("-1\ttwo b\thttp://b/");
  store.ParseItemLine("-1\ttwo a\thttp://a/");
  for (int n = 1; n <= 45; ++n) {
    char title[16];
    std::snprintf(title, sizeof title, "many %02d", n);
    store.ParseItemLine(std::string("-1\t") + title + "\thttp://m/" + std::to_string(n));
  }
}

std::string ManyItems(int first, int last) {
  std::string text;
  for (int n = first; n <= last; ++n) {
    char entry[24];
    std::snprintf(entry, sizeof entry, " | item:many %02d", n);
    text += entry;
  }
  return text;
}

TEST(DataMenuTest, LevelsOfFoldersWithNoneSomeAndManyItems) {
  testing::TempDir dir;
  PosixEnv env{dir.path()};
  SettingsStore settings{dir.path() / "vq_system.ini", env};
  testing::FakeClock clock;
  ItemStore favorites{StoreType::kFavorites, settings, clock};
  ItemStore history{StoreType::kHistory, settings, clock};
  ItemStore keywords{StoreType::kKeywords, settings, clock};
  Fill(favorites);
  Fill(history);
  Fill(keywords);

  struct Case {
    const ItemStore& store;
    int folder_id;
    std::size_t start;
    std::string menu;
  };
  const Case cases[] = {
      {favorites, 11, 0, ""},
      // The untitled folder is named by its query.
      {favorites, 12, 0,
       "open-all:お気に入りをまとめて開く | - | folder:none | folder:Sub | item:two a | item:two "
       "b"},
      {favorites, 13, 0,
       "open-all:お気に入りをまとめて開く | - | folder:Inner" + ManyItems(1, 29) +
           " | - | more:これ以降のお気に入り@30"},
      {favorites, 13, 30, ManyItems(30, 45).substr(3)},
      {history, 12, 0,
       "open-all:履歴をまとめて開く | - | folder:none | folder:Sub | item:two a | item:two b"},
      {history, 13, 0,
       "open-all:履歴をまとめて開く | - | folder:Inner" + ManyItems(1, 29) +
           " | - | more:これ以降の履歴@30"},
      {keywords, 12, 0, "folder:none | folder:Sub | item:two a | item:two b"},
      {keywords, 13, 0, "folder:Inner" + ManyItems(1, 29) + " | - | more:これ以降のキーワード@30"},
      {favorites, ItemFolderTree::kTrashId, 0, "folder:Trashed"},
      {favorites, 17, 0, ""},  // deleted
  };
  for (const Case& c : cases) {
    const DataMenu menu(c.store);
    EXPECT_EQ(DataMenu::Describe(menu.Entries(c.store.folders().Find(c.folder_id), c.start)),
              c.menu)
        << c.folder_id << "@" << c.start << " in store " << static_cast<int>(c.store.type());
  }

  // Entries carry what opens them and the tree's images.
  const DataMenu menu(favorites);
  const std::vector<DataMenuEntry> two = menu.Entries(favorites.folders().Find(12));
  EXPECT_EQ(two[0].index, favorites.folders().Find(12));
  EXPECT_EQ(two[2].index, favorites.folders().Find(18));
  EXPECT_EQ(two[2].image, 4);
  EXPECT_EQ(two[4].index, 1);  // "two a", the second item stored
  EXPECT_EQ(two[4].image, 64);
}

}  // namespace
}  // namespace tolvane
