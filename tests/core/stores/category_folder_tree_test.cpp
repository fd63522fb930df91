#include "core/stores/category_folder_tree.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/stores/category_members.h"
#include "core/text/charset_converter.h"

namespace tolvane {
namespace {

class FakeMembers : public CategoryMembers {
 public:
  std::size_t MemberCount() const override { return 0; }
  int MemberFolderId(std::size_t) const override { return 0; }
  bool MemberArchived(std::size_t) const override { return false; }
  int MemberOrder(std::size_t) const override { return 0; }
  bool MemberDeleted(std::size_t) const override { return false; }
  void RemoveMembersOf(int folder_id) override { removed.push_back(folder_id); }
  std::vector<int> removed;
};

class FakeClock : public Clock {
 public:
  LocalTime Now() const override { return {2024, 3, 9, 7, 5, 2}; }
};

CategoryFolderTree Load(StoreType type, const std::vector<std::string>& lines) {
  CategoryFolderTree tree(type);
  for (const std::string& line : lines) tree.ParseFolderLine(line);
  return tree;
}

// What the writer would put out: live folder lines, or option lines.
std::string Listing(const CategoryFolderTree& tree, bool options = false) {
  std::string out;
  for (std::size_t i = 0; i < tree.size(); ++i) {
    const std::string line = options ? tree.FormatOptionLine(i) : tree.FormatFolderLine(i);
    if (!line.empty()) out += line + "|";
  }
  return out;
}

TEST(CategoryFolderTreeTest, NextIdStaysInRangeAndNeverWraps) {
  const struct {
    StoreType type;
    std::vector<std::string> lines;
    std::optional<int> next;
  } cases[] = {
      {StoreType::kEngineList, {}, 101},
      {StoreType::kEngineList, {"250\ta\t0", "3\tb\t0", "99999999999\tc\t0"}, 101},
      {StoreType::kEngineList, {"150\ta\t0", "120\tb\t0"}, 151},
      {StoreType::kEngineList, {"199\ta\t0"}, std::nullopt},  // 200 would never be saved
      {StoreType::kTabs, {}, 1},
      {StoreType::kTabs, {"250\ta\t0", "-3\tb\t0"}, 251},
      {StoreType::kTabs, {"2147483647\ta\t0"}, std::nullopt},
  };
  for (const auto& c : cases) {
    CategoryFolderTree tree = Load(c.type, c.lines);
    EXPECT_EQ(tree.NextId(), c.next) << ::testing::PrintToString(c.lines);
    tree.Reset();
    EXPECT_EQ(tree.NextId(), c.type == StoreType::kTabs ? 1 : 101);
  }
}

TEST(CategoryFolderTreeTest, ParsesDefaultsAndFormatsThreeOrEightFields) {
  const std::vector<std::string> lines = {"101\tshops\t0", "102\tbooks\t101\t1\t5\t1\tLR,UD\tb",
                                          " 103 \t\t0\t", "5\tname\t", "x\tbad\ty"};
  const CategoryFolderTree engines = Load(StoreType::kEngineList, lines);
  EXPECT_EQ(Listing(engines), "101\tshops\t0|102\tbooks\t101|103\t\t0|0\tbad\t0|");
  EXPECT_EQ(engines.DisplayName(2), Utf8ToSjis("無題"));

  const std::string tab_lines =
      "101\tshops\t0\t0\t99999999\t0\t\t|102\tbooks\t101\t1\t5\t1\tLR,UD\tb|"
      "103\t\t0\t0\t99999999\t0\t\t|0\tbad\t0\t0\t99999999\t0\t\t|";
  CategoryFolderTree tabs = Load(StoreType::kTabs, lines);
  EXPECT_EQ(Listing(tabs), tab_lines);
  EXPECT_EQ(tabs.DisplayName(2), Utf8ToSjis("タブグループ"));
  std::vector<std::string> written;
  for (std::size_t i = 0; i < tabs.size(); ++i) written.push_back(tabs.FormatFolderLine(i));
  EXPECT_EQ(Listing(Load(StoreType::kTabs, written)), tab_lines);

  // Typed separators must not split the record; time stamps are never written.
  tabs.set_name(0, "a\tb\r\nc");
  tabs.SetTimeStamp(0, FakeClock());
  EXPECT_EQ(tabs.time_stamp(0), "2024/03/09 07:05:02");
  EXPECT_EQ(tabs.FormatFolderLine(0), "101\ta b  c\t0\t0\t99999999\t0\t\t");

  tabs.Reset();
  EXPECT_EQ(Listing(tabs), "-9999\t" + Utf8ToSjis("保管箱") + "\t0\t0\t99999999\t0\t\t|");
  EXPECT_EQ(tabs.AddArchiveFolder(), 0);
  EXPECT_EQ(tabs.size(), 1u);
}

TEST(CategoryFolderTreeTest, OptionLinesSearchOnFromTheLastMatch) {
  CategoryFolderTree tree =
      Load(StoreType::kEngineList, {"1\ta\t0", "2\tb\t0", "7\tc\t0", "4\td\t0", "7\tlater\t0"});
  for (const char* line : {
           "4\t0\t40\t1\tG\tS",
           "7\t0\t70\t0",  // after 4: the later folder 7
           "7\t1\t71\t0",  // starts at the folder just matched
           "2\t0\t20\t1",  // wraps around to the front
           "7\t0\t72\t0",  // from 2 forward: the first folder 7
           "9\t1\t90\t1",  // no such folder
           "1\t1\t10",     // too few fields
       }) {
    tree.ParseOptionLine(line);
  }
  EXPECT_EQ(Listing(tree, true),
            "1\t0\t99999999\t0\t\t|2\t0\t20\t1\t\t|7\t0\t72\t0\t\t|4\t0\t40\t1\tG\tS|"
            "7\t1\t71\t0\t\t|");
  // A cleared shortcut is written empty and its field dropped on reading.
  tree.ParseOptionLine("4\t0\t40\t1\tG\t");
  EXPECT_EQ(tree.FormatOptionLine(3), "4\t0\t40\t1\tG\t");
}

TEST(CategoryFolderTreeTest, ArchiveKeepsParentAndDeleteTakesTheSubtree) {
  // 10 > 11 > 12 > 13; 10 > 14 archived; 20 <-> 21 a damaged cycle; 100 a user folder.
  CategoryFolderTree tree =
      Load(StoreType::kEngineList, {"10\ta\t0", "11\tb\t10", "12\tc\t11", "13\td\t12", "14\te\t10",
                                    "20\tg\t21", "21\th\t20", "100\tu\t0", "150\tv\t0"});
  tree.set_archived(4, true);
  EXPECT_EQ(tree.VisibleParent(4), CategoryFolderTree::kArchiveId);
  EXPECT_EQ(tree.parent(4), 10);

  tree.Delete(8);  // no member list yet: the folder still goes
  FakeMembers members;
  tree.set_members(&members);
  tree.Delete(0);
  tree.Delete(0);
  tree.Delete(5);
  EXPECT_EQ(members.removed, (std::vector<int>{10, 11, 12, 13, 20, 21}));
  EXPECT_EQ(Listing(tree), "14\te\t10|100\tu\t0|");
  EXPECT_EQ(tree.CountLive(), 2u);
  EXPECT_EQ(tree.CountUser(), 1u);
  EXPECT_EQ(tree.Find(150), 8);  // deleted folders keep their place
}

}  // namespace
}  // namespace tolvane
