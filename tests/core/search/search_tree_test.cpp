#include "core/search/search_tree.h"

#include <gtest/gtest.h>

#include <string>

#include "core/files/setting_keys.h"
#include "core/files/settings_store.h"
#include "core/stores/category_folder_tree.h"
#include "core/stores/engine_list.h"
#include "core/text/charset_converter.h"
#include "platform/posix_env.h"
#include "support/temp_dir.h"

namespace tolvane {
namespace {

// Categories 本 (order 2) with the subcategory 文庫, 家電 (order 1), an
// archived category 古い, a deleted one, and the archive folder; engines
// filed in them by Order, one archived, one deleted, one with an icon.
class SearchTreeTest : public ::testing::Test {
 protected:
  SearchTreeTest() {
    engines_.ResetHighestId();
    for (const char* line : {"10\t本\t0\t0\t2", "11\t家電\t0\t0\t1", "12\t文庫\t10",
                             "13\t古い\t0\t1", "14\t消えた\t0"}) {
      folders_.ParseFolderLine(Utf8ToSjis(line));
    }
    folders_.Delete(static_cast<std::size_t>(folders_.Find(14)));
    folders_.AddArchiveFolder();
    for (const char* line : {"1\t10\tB\t\t\thttp://b/\t\t\t\t\t\t1\t\t0\t5",
                             "2\t10\tA\t\t\thttp://a/\t\t\t\t\t\t1\t\t0\t3",
                             "3\t11\t\t\t\thttp://tv/\t\t\t\t\t\t1\t\t0\t0\t\t\t0\t4",
                             "4\t11\tOld\t\t\thttp://o/\t\t\t\t\t\t1\t\t1\t0",
                             "5\t12\tBunko\t\t\thttp://k/\t\t\t\t\t\t2",
                             "6\t10\tGone\t\t\thttp://g/\t\t\t\t\t\t1\t\t0\t0"}) {
      engines_.ParseRecord(Utf8ToSjis(line));
    }
    engines_.MarkDeleted(5);
  }

  std::string Built() {
    tree_.Build();
    return SjisToUtf8(tree_.Describe());
  }
  int Item(const char* utf8) const {
    for (int i = 0; i < tree_.size(); ++i) {
      if (tree_.item(i).text == Utf8ToSjis(utf8)) return i;
    }
    return -1;
  }

  testing::TempDir dir_;
  PosixEnv env_{dir_.path()};
  SettingsStore settings_{dir_.path() / "vq_system.ini", env_};
  CategoryFolderTree folders_{StoreType::kEngineList};
  EngineList engines_{StoreType::kEngineList};
  SearchTree tree_{folders_, engines_, settings_};
};

TEST_F(SearchTreeTest, ListsCategoriesByOrderWithTheirEnginesAndTheArchiveLast) {
  EXPECT_EQ(Built(),
            "検索 #0 open *\n"
            "  家電 #1\n"
            "    http://tv/ #70\n"
            "  本 #1\n"
            "    文庫 #1\n"
            "      Bunko #64\n"
            "    A #64\n"
            "    B #64\n"
            "  保管箱 #52\n"
            "    古い #1\n"
            "    Old #64\n");

  // A favicon shows only with ShowFavicon; a chosen icon always wins.
  engines_.set_image_index(0, 9);
  engines_.set_image_index(2, 9);
  EXPECT_NE(Built().find("    B #9\n"), std::string::npos);
  EXPECT_NE(Built().find("    http://tv/ #70\n"), std::string::npos);
  ASSERT_TRUE(Write(settings_, settings::kFindTreeShowFavicon, 0));
  EXPECT_NE(Built().find("    B #64\n"), std::string::npos);
}

TEST_F(SearchTreeTest, OpensOneCategoryAtATimeUnlessTreeOpenAllowsManyAndKeepsStateOnRebuild) {
  Built();
  tree_.Select(Item("家電"));
  tree_.Select(Item("本"));
  tree_.Select(Item("A"));
  EXPECT_EQ(SjisToUtf8(tree_.Describe()),
            "検索 #0 open\n"
            "  家電 #1\n"
            "    http://tv/ #70\n"
            "  本 #1 open\n"
            "    文庫 #1\n"
            "      Bunko #64\n"
            "    A #64 *\n"
            "    B #64\n"
            "  保管箱 #52\n"
            "    古い #1\n"
            "    Old #64\n");
  // A renamed engine and a rebuild keep the selection and the open category.
  engines_.set_name(1, Utf8ToSjis("AA"));
  EXPECT_NE(Built().find("  本 #1 open\n    文庫 #1\n      Bunko #64\n    AA #64 *\n"),
            std::string::npos);

  ASSERT_TRUE(Write(settings_, settings::kFindTreeTreeOpen, 1));
  tree_.Select(Item("家電"));
  EXPECT_NE(SjisToUtf8(tree_.Describe()).find("  家電 #1 open *\n"), std::string::npos);
  EXPECT_NE(SjisToUtf8(tree_.Describe()).find("  本 #1 open\n"), std::string::npos);

  // The selection's record gone: the root is selected.
  engines_.MarkDeleted(2);
  tree_.Select(Item("http://tv/"));
  EXPECT_EQ(Built().substr(0, 17), "検索 #0 open *\n");
}

TEST_F(SearchTreeTest, DraggedItemsTravelAsSearchBarTokens) {
  Built();
  EXPECT_EQ(tree_.Token(Item("文庫")), "EF12");
  EXPECT_EQ(tree_.Token(Item("Bunko")), "EE5");
  EXPECT_EQ(tree_.Token(tree_.root()), "");
  EXPECT_EQ(tree_.ItemOfToken("EF12"), Item("文庫"));
  EXPECT_EQ(tree_.ItemOfToken("EE5"), Item("Bunko"));
  EXPECT_EQ(tree_.ItemOfToken("EF-9999"), Item("保管箱"));
  for (const char* refused : {"EE6", "EF14", "EE", "EE5x", "TE5", "EE99", ""}) {
    EXPECT_EQ(tree_.ItemOfToken(refused), -1) << refused;
  }
  EXPECT_EQ(tree_.FolderIdOf(Item("Old")), CategoryFolderTree::kArchiveId);
  EXPECT_EQ(tree_.FolderIdOf(Item("Bunko")), 12);
  EXPECT_EQ(tree_.FolderIdOf(tree_.root()), 0);
}

}  // namespace
}  // namespace tolvane
