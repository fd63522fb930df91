#include "core/tabs/tab_tree.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/tab_lists.h"

namespace tolvane {
namespace {

using testing::TabLists;

std::vector<int> TabOrders(const EngineList& tabs) {
  std::vector<int> orders;
  for (std::size_t i = 0; i < tabs.size(); ++i) orders.push_back(tabs.order(i));
  return orders;
}

std::vector<int> GroupOrders(const CategoryFolderTree& groups) {
  std::vector<int> orders;
  for (std::size_t i = 0; i < groups.size(); ++i) orders.push_back(groups.order(i));
  return orders;
}

TEST(TabTreeTest, ListsGroupsThenTabsByOrderAndRenumbersOutsideTheArchive) {
  TabLists w;
  w.Group("1\t本\t0\t0\t5");
  w.Group("2\t\t0\t0\t3");  // shown as "タブグループ"
  w.Group("3\t子\t1\t0\t0");
  w.Group("4\t古い\t0\t1\t7");  // archived group
  w.Tab("1\t1\tA\t\t\thttp://a/\t\t\t\t\t\t0\t\t0\t7\t\t\t0\t3");
  w.Tab("2\t1\tB\t\t\t\t\t\t\t\t\t0\t\t0\t2");
  w.Tab("3\t1\t\t\t\thttp://u/\t\t\t\t\t\t0\t\t0\t2");  // ties with B: row order
  w.Tab("4\t2\tZ\t\t\t\t\t\t\t\t\t0\t\t1\t1");          // archived
  w.Tab("5\t0\tTop\t\t\t\t\t\t\t\t\t0");
  w.tabs.MarkDeleted(static_cast<std::size_t>(w.Tab("6\t1\tGone\t\t\t\t\t\t\t\t\t0\t\t0\t0")));
  w.Tab("7\t3\t\t\t\t\t\t\t\t\t\t0\t\t0\t4");
  w.Tab("8\t4\tOld\t\t\t\t\t\t\t\t\t0\t\t0\t6");
  w.pages.Open(1, {"p1", "p2"});

  EXPECT_EQ(w.Built(),
            "タブ #0 open *\n"
            "  タブグループ #1\n"
            "  本 #1 bold\n"
            "    子 #1\n"
            "      無題 #64\n"
            "    B #64\n"
            "      p1 #64\n"
            "      p2 #64\n"
            "    http://u/ #64\n"
            "    A #70\n"
            "  保管箱 #52\n"
            "    古い #1\n"
            "      Old #64\n"
            "    Z #64\n"
            "  Top #64\n");
  // Archive, 本, タブグループ, 子, 古い; the archive's members keep theirs.
  EXPECT_EQ(GroupOrders(w.groups), (std::vector<int>{2, 1, 0, 0, 7}));
  EXPECT_EQ(TabOrders(w.tabs), (std::vector<int>{2, 0, 1, 1, 0, 0, 0, 0}));

  const int b = w.tree.FindTab(1);
  EXPECT_EQ(w.tree.FirstTabItem(), w.tree.FindTab(6));  // depth-first: 子 comes first
  EXPECT_EQ(w.tree.GroupOf(b + 1), 1);                  // a page's group is its tab's
  EXPECT_EQ(w.tree.GroupOf(w.tree.FindTab(4)), -1);     // a top-level tab has none
  EXPECT_EQ(w.tree.TabsOfGroup(w.tree.GroupItemOf(b)), (std::vector<int>{1, 2, 0}));
  EXPECT_EQ(w.tree.Neighbour(b), w.tree.FindGroup(3));                  // previous sibling
  EXPECT_EQ(w.tree.Neighbour(w.tree.FindGroup(3)), b);                  // else the next
  EXPECT_EQ(w.tree.Neighbour(w.tree.FindTab(6)), w.tree.FindGroup(3));  // else the parent

  // Kept in the archive: the archive folder and the archived tab Z; not the
  // group filed in it, nor that group's tab.
  std::vector<int> archive_folders;
  std::vector<int> archived;
  for (int item = 0; item < w.tree.size(); ++item) {
    if (w.tree.IsArchiveFolder(item)) archive_folders.push_back(item);
    if (w.tree.IsArchived(item)) archived.push_back(item);
  }
  EXPECT_EQ(archive_folders, (std::vector<int>{w.tree.FindGroup(0)}));
  EXPECT_EQ(archived, (std::vector<int>{w.tree.FindGroup(0), w.tree.FindTab(3)}));
}

TEST(TabTreeTest, AClosedTabIsListedInTheArchiveAndComesBackToItsPlace) {
  TabLists w;
  w.Group("1\tG\t0\t0\t0");
  for (const char* line :
       {"1\t1\tA\t\t\t\t\t\t\t\t\t0\t\t0\t0", "2\t1\tB\t\t\t\t\t\t\t\t\t0\t\t0\t1",
        "3\t1\tC\t\t\t\t\t\t\t\t\t0\t\t0\t2"}) {
    w.Tab(line);
  }
  w.tabs.set_archived(1, true);
  EXPECT_EQ(w.Built(),
            "タブ #0 open *\n"
            "  G #1\n"
            "    A #64\n"
            "    C #64\n"
            "  保管箱 #52\n"
            "    B #64\n");
  w.tabs.set_archived(1, false);
  EXPECT_EQ(w.Built(),
            "タブ #0 open *\n"
            "  G #1\n"
            "    A #64\n"
            "    B #64\n"
            "    C #64\n"
            "  保管箱 #52\n");
  EXPECT_EQ(TabOrders(w.tabs), (std::vector<int>{0, 1, 2}));
}

class TabTreeSelectionTest : public ::testing::Test {
 protected:
  TabTreeSelectionTest() {
    w.Group("1\tG1\t0\t0\t0");
    w.Group("2\tG2\t0\t0\t1");
    w.Tab("1\t1\tA\t\t\t\t\t\t\t\t\t0\t\t0\t0");
    w.Tab("2\t1\tB\t\t\t\t\t\t\t\t\t0\t\t0\t1");
    w.Tab("3\t2\tC\t\t\t\t\t\t\t\t\t0\t\t0\t0");
    w.pages.Open(0, {"a1"});
    w.pages.Open(2, {"c1", "c2"});
    w.tree.Build(w.pages);
  }
  int Group(int id) const { return w.tree.FindGroup(w.groups.Find(id)); }

  TabLists w;
};

TEST_F(TabTreeSelectionTest, SelectingExpandsAndCollapsesTheOtherBranchesUnlessTreeOpen) {
  w.tree.Select(Group(1));
  w.tree.Select(Group(2));
  EXPECT_EQ(w.Shown(),
            "タブ #0 open\n"
            "  G1 #1 bold\n"
            "    A #64\n"
            "      a1 #64\n"
            "    B #64\n"
            "  G2 #1 bold open *\n"
            "    C #64\n"
            "      c1 #64\n"
            "      c2 #64\n"
            "  保管箱 #52\n");

  // With TreeOpen the other branch stays open; a selected page opens its
  // tab, and the state survives a rebuild that adds a tab.
  w.settings.WriteInt("OptionTabTree", "TreeOpen", 1);
  w.tree.Select(Group(1));
  w.tree.Select(w.tree.FindTab(0) + 1);
  w.Tab("4\t2\tD\t\t\t\t\t\t\t\t\t0\t\t0\t5");
  EXPECT_EQ(w.Built(),
            "タブ #0 open\n"
            "  G1 #1 bold open\n"
            "    A #64 open\n"
            "      a1 #64 *\n"
            "    B #64\n"
            "  G2 #1 bold open\n"
            "    C #64\n"
            "      c1 #64\n"
            "      c2 #64\n"
            "    D #64\n"
            "  保管箱 #52\n");

  // The selected page's tab goes: the root is selected.
  w.tabs.MarkDeleted(0);
  w.pages.pages.erase(0);
  w.tree.Build(w.pages);
  EXPECT_EQ(w.tree.selected(), w.tree.root());
}

TEST_F(TabTreeSelectionTest, PageItemsFollowThePagesOnlyWithShowPageTab) {
  w.tree.Select(w.tree.FindTab(2) + 2);  // c2
  w.pages.pages[2][1].title = Utf8ToSjis("c2 renamed");
  w.tree.UpdatePages(2, w.pages);
  EXPECT_EQ(w.tree.item(w.tree.selected()).text, "c2 renamed");

  w.pages.Open(2, {"c1", "c2", "c3"});  // c2 gets a new host: its tab is selected
  w.pages.loaded.erase(0);
  w.tree.UpdatePages(2, w.pages);
  EXPECT_EQ(w.Shown(),
            "タブ #0 open\n"
            "  G1 #1\n"
            "    A #64\n"
            "      a1 #64\n"
            "    B #64\n"
            "  G2 #1 bold open\n"
            "    C #64 open *\n"
            "      c1 #64\n"
            "      c2 #64\n"
            "      c3 #64\n"
            "  保管箱 #52\n");

  w.settings.WriteInt("OptionTabTree", "ShowPageTab", 0);
  EXPECT_EQ(w.Built(),
            "タブ #0 open\n"
            "  G1 #1\n"
            "    A #64\n"
            "    B #64\n"
            "  G2 #1 bold open\n"
            "    C #64 *\n"
            "  保管箱 #52\n");
  w.pages.Open(2, {"x"});
  w.pages.loaded.erase(2);  // only the bold mark follows
  w.tree.UpdatePages(2, w.pages);
  EXPECT_EQ(w.Shown(),
            "タブ #0 open\n"
            "  G1 #1\n"
            "    A #64\n"
            "    B #64\n"
            "  G2 #1 open\n"
            "    C #64 *\n"
            "  保管箱 #52\n");
}

TEST(TabTreeTest, DamagedFolderLinksNeitherLoopNorListTwice) {
  TabLists w;
  w.Group("0\tZero\t0");  // its own parent, as the top level
  w.Group("7\tSeven\t0");
  w.Group("7\tTwin\t7");  // a repeated ID under the first
  w.Group("8\tLost\t9");  // a cycle out of reach
  w.Group("9\tLost\t8");
  w.Tab("1\t7\tT\t\t\t\t\t\t\t\t\t0");
  w.Tab("2\t0\tU\t\t\t\t\t\t\t\t\t0");
  EXPECT_EQ(w.Built(),
            "タブ #0 open *\n"
            "  Zero #1\n"
            "    U #64\n"
            "  Seven #1\n"
            "    Twin #1\n"
            "      T #64\n"
            "  保管箱 #52\n");
}

}  // namespace
}  // namespace tolvane
