#include "core/tabs/tab_record_editor.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/tab_lists.h"

namespace tolvane {
namespace {

class TabRecordEditorTest : public ::testing::Test {
 protected:
  TabRecordEditorTest() {
    w.engines.ResetHighestId();
    for (const char* line : {
             "1010002\t20\tYahoo\tYahooTab\tYah\thttp://y/\t\thttp://y/?q=$0\t\t\t\t3",
             "1021001\t20\t楽天\t楽天市場\t楽天\thttp://r/\t\thttp://r/?q=$0\t\t\t\t1",
             "9901001\t21\tGone\t\t\thttp://g/\t\t\t\t\t\t1",
         }) {
      w.engines.ParseRecord(Utf8ToSjis(line));
    }
    w.engines.MarkDeleted(kGone);
    for (const char* line :
         {"20\t家電\t0", "21\t家電製品\t0", "22\tABCDE家電\t0", "23\tAB家電X\t0", "24\tABC\t0"}) {
      w.engine_folders.ParseFolderLine(Utf8ToSjis(line));
    }
  }
  enum EngineRow { kYahoo, kRakuten, kGone };

  std::string Line(int row) const {
    return SjisToUtf8(w.tabs.FormatRecord(static_cast<std::size_t>(row)));
  }
  int Tabs(const std::vector<std::string>& lines) {
    int last = -1;
    for (const std::string& line : lines) last = w.Tab(line);
    return last;
  }

  testing::TabLists w;
  TabRecordEditor editor{w.tabs, w.groups, w.engines, w.engine_folders};
};

TEST_F(TabRecordEditorTest, NewRowsHoldTheirColumnsAndReadBackUnchanged) {
  w.Group("1\tG\t0\t0\t0");
  w.Tab(
      "1\t1\tOld\tOldTab\tO\thttp://o/\thttp://top/\thttp://o/"
      "?q\tk=v\tx\ty\t2\tfav\t0\t3\tg\ts\t1\t5");
  const std::vector<int> rows = {*editor.NewTab(1, 3), *editor.Duplicate(0),
                                 *editor.AddEngineAsTab(kRakuten, 1, 4),
                                 *editor.AddFolderAsSearchTab(20, 1)};
  const std::vector<std::string> expected = {
      "2\t1\t無題\t無題\t無題\t\t\t\t\t\t\t0\t\t0\t3\t\t\t0\t0",
      "3\t1\tOld\tOldTab\tO\thttp://o/\t\thttp://o/?q\tk=v\t\t\t2\t\t0\t3\t\t\t0\t0",
      "4\t1\t楽天\t楽天市場\t楽天\t検索エンジンID[1021001]\t\t検索エンジンID[1021001]"
      "\t検索エンジンID[1021001]\t\t\t1\t\t0\t4\t\t\t0\t0",
      // Encoding of the folder's first engine; Order its own row index.
      "5\t1\t家電\t家電\t家電\t検索フォルダID[20]\t\t検索フォルダID[20]\t検索フォルダID[20]"
      "\t\t\t3\t\t0\t4\t\t\t0\t0",
  };
  EngineList reread(StoreType::kTabs);
  for (std::size_t i = 0; i < rows.size(); ++i) {
    EXPECT_EQ(Line(rows[i]), expected[i]);
    const std::string saved = w.tabs.FormatRecord(static_cast<std::size_t>(rows[i]));
    EXPECT_EQ(reread.FormatRecord(static_cast<std::size_t>(reread.ParseRecord(saved))), saved);
  }
  EXPECT_EQ(w.tabs.ResolveUrls(static_cast<std::size_t>(rows[2])), "http://r/");

  EngineDialogValues dialog{"N\tx", "T", "S", "http://n/", "", "", 3, "L", "k", true, 4};
  EXPECT_EQ(Line(*editor.NewTab(1, 9, &dialog)),
            "6\t1\tN x\tT\tS\thttp://n/\t\t\t\t\t\t3\t\t0\t9\tL\tk\t1\t4");
  // The dialog on an existing row: cleaned as a new row's line would be.
  dialog.name = " M\r\n";
  dialog.on_search_bar = false;
  dialog.icon_index = 5;
  editor.Apply(0, dialog);
  EXPECT_EQ(Line(0), "1\t1\tM\tT\tS\thttp://n/\thttp://top/\t\t\tx\ty\t3\tfav\t0\t3\tL\tk\t0\t5");
}

TEST_F(TabRecordEditorTest, FolderShortNamesStopAtSixBytesWithoutSplittingACharacter) {
  const struct {
    int folder;
    const char* short_name;
  } cases[] = {
      {20, "家電"}, {21, "家電製"}, {22, "ABCDE"}, {23, "AB家電"}, {24, "ABC"},
  };
  for (const auto& c : cases) {
    const auto row = editor.AddFolderAsSearchTab(c.folder, 0);
    ASSERT_TRUE(row);
    EXPECT_EQ(SjisToUtf8(w.tabs.short_name(static_cast<std::size_t>(*row))), c.short_name);
  }
  EXPECT_FALSE(editor.AddFolderAsSearchTab(99, 0));
}

TEST_F(TabRecordEditorTest, NewTabsGoBesideTheSelectedTabOrAtTheEndOfTheGroup) {
  w.Group("1\tG\t0\t0\t0");
  Tabs({"1\t1\tA\t\t\t\t\t\t\t\t\t0\t\t0\t0", "2\t1\tB\t\t\t\t\t\t\t\t\t0\t\t0\t1"});
  w.tree.Build(w.pages);
  editor.NewTab(1, EngineList::kCreatedInFolderOrder);  // the group selected
  editor.NewTab(1, w.tabs.order(0));                    // A selected
  EXPECT_EQ(w.Built(),
            "タブ #0 open *\n"
            "  G #1\n"
            "    A #64\n"
            "    無題 #64\n"
            "    B #64\n"
            "    無題 #64\n"
            "  保管箱 #52\n");
  EXPECT_EQ(w.tabs.order(2), 3);
}

TEST_F(TabRecordEditorTest, DefaultTabsTakeTheDefaultEnginesThatExist) {
  const auto made = editor.CreateDefaultTabs();
  ASSERT_TRUE(made);
  EXPECT_EQ(made->rows, (std::vector<int>{0, 1, 2}));
  const int group = w.groups.Find(made->group_id);
  EXPECT_EQ(w.groups.name(static_cast<std::size_t>(group)), "");
  EXPECT_EQ(Line(0), "1\t1\tホーム\t\t\t\t\t\t\t\t\t0\t\t0\t0\t\t\t0\t0");
  EXPECT_EQ(SjisToUtf8(w.tabs.url(2)), "検索エンジンID[1021001]");
  EXPECT_EQ(w.tabs.order(2), 2);
  EXPECT_EQ(w.Built(),
            "タブ #0 open *\n"
            "  タブグループ #1\n"
            "    ホーム #64\n"
            "    Yahoo #64\n"
            "    楽天 #64\n"
            "  保管箱 #52\n");
  EXPECT_EQ(w.tree.FirstTabItem(), w.tree.FindTab(0));
}

TEST_F(TabRecordEditorTest, AnEngineFolderBecomesAGroupOfItsEngines) {
  w.Group("1\tG\t0\t0\t0");
  w.Tab("1\t1\tA\t\t\t\t\t\t\t\t\t0\t\t0\t0");
  const auto rows = editor.AddEngineFolderAsGroup(20);
  ASSERT_TRUE(rows);
  EXPECT_EQ(*rows, (std::vector<int>{1, 2}));
  EXPECT_EQ(w.groups.order(2), 2);
  EXPECT_EQ(w.Built(),
            "タブ #0 open *\n"
            "  G #1\n"
            "    A #64\n"
            "  家電 #1\n"
            "    Yahoo #64\n"
            "    楽天 #64\n"
            "  保管箱 #52\n");
  EXPECT_FALSE(editor.AddEngineFolderAsGroup(99));
  EXPECT_FALSE(editor.AddEngineAsTab(kGone, 1, 0));
}

TEST_F(TabRecordEditorTest, ArchivingMovingAndRenumbering) {
  w.Group("1\tG\t0\t0\t0");
  Tabs({"1\t1\tA\t\t\t\t\t\t\t\t\t0\t\t0\t0", "2\t1\tB\t\t\t\t\t\t\t\t\t0\t\t0\t1",
        "3\t1\tC\t\t\t\t\t\t\t\t\t0\t\t0\t2", "4\t1\tD\t\t\t\t\t\t\t\t\t0\t\t0\t3"});
  editor.MoveTab(3, {0, 1, 2, 3}, 1);
  editor.SetArchived({1});
  // A copy of a closed tab sits beside it and goes back with it.
  const int copy = *editor.Duplicate(1);
  EXPECT_EQ(w.Built(),
            "タブ #0 open *\n"
            "  G #1\n"
            "    A #64\n"
            "    D #64\n"
            "    C #64\n"
            "  保管箱 #52\n"
            "    B #64\n"
            "    B #64\n");
  editor.ToggleArchived(1);
  editor.ToggleArchived(copy);
  w.tree.Build(w.pages);
  const std::vector<int> group = w.tree.TabsOfGroup(w.tree.FindGroup(1));
  EXPECT_EQ(group, (std::vector<int>{0, 3, 1, 2, copy}));  // B back before C
  editor.MoveTab(0, group, 99);
  EXPECT_EQ(w.Built(),
            "タブ #0 open *\n"
            "  G #1\n"
            "    D #64\n"
            "    B #64\n"
            "    C #64\n"
            "    B #64\n"
            "    A #64\n"
            "  保管箱 #52\n");
}

TEST_F(TabRecordEditorTest, DeletingTabsAndGroups) {
  w.Group("1\tG\t0\t0\t0");
  w.Group("2\tH\t1\t0\t0");
  Tabs({"1\t1\tA\t\t\t\t\t\t\t\t\t0\t\t1\t0", "2\t2\tB\t\t\t\t\t\t\t\t\t0",
        "3\t0\tT\t\t\t\t\t\t\t\t\t0\t\t1\t0", "4\t0\tU\t\t\t\t\t\t\t\t\t0"});

  EXPECT_FALSE(editor.DeleteGroup(0));  // the archive stays, and its rows
  EXPECT_TRUE(editor.DeleteGroup(w.groups.Find(1)));
  // G's closed tab went with it; H and its tab too.
  EXPECT_EQ(w.Built(),
            "タブ #0 open *\n"
            "  保管箱 #52\n"
            "    T #64\n"
            "  U #64\n");
  editor.DeleteTabsOf(CategoryFolderTree::kArchiveId);
  editor.DeleteTab(3);
  EXPECT_EQ(w.tabs.CountLive(), 0u);

  // A tab made with the archive selected is a closed top-level tab, so
  // closing it again brings it out.
  const int row = *editor.NewTab(CategoryFolderTree::kArchiveId, 0);
  EXPECT_EQ(w.tabs.EffectiveFolder(static_cast<std::size_t>(row)), CategoryFolderTree::kArchiveId);
  editor.ToggleArchived(row);
  EXPECT_EQ(w.tabs.EffectiveFolder(static_cast<std::size_t>(row)), 0);
}

}  // namespace
}  // namespace tolvane
