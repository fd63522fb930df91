#include "core/stores/item_lister.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "core/stores/category_members.h"
#include "core/stores/item_filter.h"
#include "core/stores/item_folder_tree.h"
#include "core/stores/item_list.h"
#include "core/text/charset_converter.h"
#include "support/fake_clock.h"

namespace tolvane {
namespace {

using testing::FakeClock;

constexpr int kFolder = 20;
constexpr LocalTime kNow{2026, 12, 7, 10, 0, 0};

struct ItemRow {
  const char* title;  // UTF-8
  const char* url;
  int importance;
  const char* tags;
  int count;
  const char* registered;
  const char* updated;
  int in_trash;
};

struct FolderSpec {
  const char* query;  // UTF-8
  int target = 0;
  int sort_mode = kSortRegisteredOldest;
  int important_first = 0;
  int importance_filter = 0;
  int period_filter = 0;
};

class ItemListerTest : public ::testing::Test {
 protected:
  void AddItems(const std::vector<ItemRow>& rows) {
    for (const ItemRow& r : rows) {
      const std::string line = "-1\t" + Utf8ToSjis(r.title) + '\t' + r.url + '\t' +
                               std::to_string(r.importance) + '\t' + Utf8ToSjis(r.tags) + '\t' +
                               std::to_string(r.count) + '\t' + r.registered + '\t' + r.updated +
                               "\t\t0\t" + std::to_string(r.in_trash);
      ASSERT_GE(items_.ParseItemLine(line), 0) << line;
    }
  }

  // Lists the items of a folder made from `spec`, as titles joined by ",".
  std::string List(const FolderSpec& spec, LocalTime now = kNow) {
    folders_.Reset();
    const std::string line =
        std::to_string(kFolder) + "\t0\t0\tf\t" + Utf8ToSjis(spec.query) + '\t' +
        std::to_string(spec.target) + "\t0\t" + std::to_string(spec.sort_mode) + '\t' +
        std::to_string(spec.important_first) + '\t' + std::to_string(spec.importance_filter) +
        '\t' + std::to_string(spec.period_filter);
    EXPECT_GE(folders_.ParseFolderLine(line), 0);
    return Titles(ListFolder(folders_, items_, kFolder, now));
  }

  std::string Titles(const std::vector<int>& indices) const {
    std::string out;
    for (const int i : indices) {
      if (!out.empty()) out += ',';
      out += SjisToUtf8(items_.title(static_cast<std::size_t>(i)));
    }
    return out;
  }

  FakeClock clock_{kNow};
  ItemList items_{StoreType::kFavorites, clock_};
  ItemFolderTree folders_{StoreType::kFavorites};
};

TEST_F(ItemListerTest, MatchesQueriesOnTheFolderTarget) {
  const char* d = "2026/01/01 00:00:00";
  AddItems({
      {"Red Bag", "http://shop/a", 0, "", 0, d, d, 0},
      {"red shoes", "http://shop/b", 0, "shoes", 0, d, d, 0},
      {"Blue U.S.B-cable", "http://usb/c", 0, "", 0, d, d, 0},
      {"パソコン ケース", "http://pc/d", 0, "shoestring bag", 0, d, d, 0},
      {"病院", "http://hospital/e", 0, "", 0, d, d, 0},
      {"red bag in trash", "http://shop/f", 0, "", 0, d, d, 1},
  });
  struct Case {
    const char* query;
    int target;
    const char* titles;
  } const cases[] = {
      {"*", 0, "Red Bag,red shoes,Blue U.S.B-cable,パソコン ケース,病院"},
      {"", 0, ""},
      {"not and or", 0, ""},
      {"red bag", 0, "Red Bag,red shoes,パソコン ケース"},
      {"red and bag", 0, "Red Bag"},
      {"red not bag", 0, "red shoes"},
      {"not red", 0, "Blue U.S.B-cable,パソコン ケース,病院"},
      {"ＲＥＤ", 0, "Red Bag,red shoes"},
      {"usb", 0, "Blue U.S.B-cable"},
      {"ＲＥＤ　ＢＡＧ", 0, "Red Bag"},
      {"ぱそこんけーす", 0, "パソコン ケース"},
      {"a", 0, "Red Bag,Blue U.S.B-cable"},  // not the trail byte of 病
      // Tags: whole tags only, and only for targets 0, 1 and 4.
      {"shoes", 1, "red shoes"},
      {"shoe", 1, ""},
      {"bag", 1, "パソコン ケース"},
      {"bag", 2, "Red Bag"},
      {"shoes", 0, "red shoes"},
      {"shop", 3, "Red Bag,red shoes"},
      {"shop", 2, ""},
      {"shop bag", 4, "Red Bag,red shoes,パソコン ケース"},
      {"shop", 7, ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(List({c.query, c.target}), c.titles) << c.query << " target " << c.target;
  }
}

TEST_F(ItemListerTest, TrashFolderListsOnlyTheTrash) {
  const char* d = "2026/01/01 00:00:00";
  AddItems({
      {"kept", "http://a", 0, "", 0, d, d, 0},
      {"thrown", "http://b", 0, "", 0, d, d, 1},
      {"thrown too", "http://c", 0, "", 0, d, d, 1},
      {"thrown and deleted", "http://d", 0, "", 0, d, d, 1},
  });
  items_.MarkDeleted(3);
  folders_.Reset();
  EXPECT_EQ(Titles(ListFolder(folders_, items_, ItemFolderTree::kTrashId, kNow)),
            "thrown too,thrown");  // mode 0, equal dates: later stored first
  folders_.set_query(static_cast<std::size_t>(folders_.Find(ItemFolderTree::kTrashId)), "too");
  EXPECT_EQ(Titles(ListFolder(folders_, items_, ItemFolderTree::kTrashId, kNow)), "thrown too");
  EXPECT_EQ(Titles(ListFolder(folders_, items_, 2, kNow)), "kept");
  EXPECT_TRUE(ListFolder(folders_, items_, 999, kNow).empty());
}

TEST_F(ItemListerTest, FiltersByImportance) {
  const char* d = "2026/01/01 00:00:00";
  AddItems({
      {"i0", "u", 0, "", 0, d, d, 0},
      {"i1", "u", 1, "", 0, d, d, 0},
      {"i3", "u", 3, "", 0, d, d, 0},
      {"i5", "u", 5, "", 0, d, d, 0},
  });
  const char* const expected[] = {
      "i0,i1,i3,i5", "i1,i3,i5", "i1", "", "i3", "", "i5", "i0", "i0,i1,i3,i5",
  };
  for (int filter = 0; filter <= 8; ++filter) {
    FolderSpec spec{"*"};
    spec.importance_filter = filter;
    EXPECT_EQ(List(spec), expected[filter]) << "filter " << filter;
  }
}

TEST(ItemFilterTest, PeriodCutoffSteps) {
  struct Case {
    int filter;
    LocalTime now;
    const char* cutoff;
  } const cases[] = {
      {0, {2026, 12, 7, 10, 0, 0}, ""},
      {12, {2026, 12, 7, 10, 0, 0}, ""},
      {1, {2026, 12, 7, 10, 0, 0}, "2026/12/06 10:00:00"},
      {1, {2024, 3, 1, 8, 9, 10}, "2024/02/29 08:09:10"},
      {1, {2026, 1, 1, 0, 0, 0}, "2025/12/31 00:00:00"},
      {4, {2026, 1, 3, 23, 59, 59}, "2025/12/27 23:59:59"},
      {6, {2026, 3, 10, 12, 0, 0}, "2026/02/17 12:00:00"},
      {7, {2026, 12, 7, 10, 0, 0}, "2026/11/07 10:00:00"},
      {7, {2026, 1, 15, 6, 30, 0}, "2025/12/15 06:30:00"},
      {8, {2026, 2, 28, 0, 0, 1}, "2025/12/28 00:00:01"},
      {9, {2026, 3, 31, 0, 0, 0}, "2025/12/31 00:00:00"},
      {10, {2026, 5, 31, 0, 0, 0}, "2025/11/30 00:00:00"},
      {7, {2024, 3, 31, 1, 2, 3}, "2024/02/29 01:02:03"},
      {7, {2025, 3, 31, 1, 2, 3}, "2025/02/28 01:02:03"},
      {11, {2026, 12, 7, 10, 0, 0}, "2025/12/07 10:00:00"},
      {11, {2024, 2, 29, 10, 0, 0}, "2023/02/28 10:00:00"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ItemFilter::PeriodCutoff(c.filter, c.now), c.cutoff)
        << "filter " << c.filter << " at " << FormatTimestamp(c.now);
  }
}

// The preset folder "新規登録": "*", newest first, changed in the last day.
TEST_F(ItemListerTest, NewestFolderListsTheLastDayNewestFirst) {
  AddItems({
      {"just too old", "u", 0, "", 0, "2026/12/01 00:00:00", "2026/12/06 09:59:59", 0},
      {"exactly a day", "u", 0, "", 0, "2026/12/01 00:00:00", "2026/12/06 10:00:00", 0},
      {"this morning", "u", 0, "", 0, "2026/12/01 00:00:00", "2026/12/07 09:00:00", 0},
      {"also this morning", "u", 0, "", 0, "2026/12/01 00:00:00", "2026/12/07 09:00:00", 0},
      {"recent but thrown", "u", 0, "", 0, "2026/12/01 00:00:00", "2026/12/07 09:30:00", 1},
  });
  folders_.Reset();
  EXPECT_EQ(Titles(ListFolder(folders_, items_, ItemFolderTree::kNewestFolderId, kNow)),
            "also this morning,this morning,exactly a day");
}

// Five items whose keys differ per mode, with ties in every key, a title
// pair that agrees beyond 16 bytes and a double-byte title after ASCII.
TEST_F(ItemListerTest, SortsByEveryMode) {
  AddItems({
      {"zebra", "http://e", 2, "", 5, "2026/01/03 00:00:00", "2026/02/01 10:00:00", 0},
      {"same prefix over sixteen bytes B", "http://a", 0, "", -1, "2026/01/01 00:00:00",
       "2026/02/01 09:00:00", 0},
      {"アップル", "http://c", 5, "", 10, "2026/01/02 00:00:00", "2026/02/01 10:00:00", 0},
      {"same prefix over sixteen bytes A", "http://b", 0, "", 5, "2026/01/01 00:00:00",
       "2026/01/31 23:59:59", 0},
      {"zebra", "http://a", 2, "", 0, "2026/01/05 00:00:00", "2026/02/02 00:00:00", 0},
  });
  const std::vector<std::vector<int>> expected = {
      {4, 2, 0, 1, 3},  // 0 updated, newest first; equal dates later-stored first
      {3, 1, 0, 2, 4},  // 1 updated, oldest first
      {4, 0, 2, 3, 1},  // 2 registered, newest first
      {1, 3, 2, 0, 4},  // 3 registered, oldest first
      {3, 1, 0, 4, 2},  // 4 title ascending
      {2, 4, 0, 1, 3},  // 5 title descending
      {1, 4, 3, 2, 0},  // 6 URL ascending
      {0, 2, 3, 4, 1},  // 7 URL descending
      {2, 3, 0, 4, 1},  // 8 count, most first
      {1, 4, 0, 3, 2},  // 9 count, least first
      {2, 4, 0, 3, 1},  // 10 importance, highest first
      {1, 3, 0, 4, 2},  // 11 importance, lowest first
  };
  for (int mode = 0; mode < 12; ++mode) {
    List({"*", 0, mode});
    EXPECT_EQ(ListFolder(folders_, items_, kFolder, kNow), expected[static_cast<std::size_t>(mode)])
        << "mode " << mode;
  }
  EXPECT_EQ(List({"*", 0, 12}), "");
  EXPECT_EQ(List({"*", 0, -1}), "");

  // Important first keeps the order within each group.
  EXPECT_EQ(
      List({"*", 0, kSortTitleAscending, 1}),
      "zebra,zebra,アップル,same prefix over sixteen bytes A,same prefix over sixteen bytes B");
  List({"*", 0, kSortUpdatedNewest, 1});
  EXPECT_EQ(ListFolder(folders_, items_, kFolder, kNow), (std::vector<int>{4, 2, 0, 1, 3}));
}

// Stores large enough for the word-at-a-time sort, with texts that tie in
// their first 16 or 32 bytes, differ only by trailing zero bytes, or carry
// bytes above 0x7F; every mode against a plain stable sort of the whole keys.
TEST_F(ItemListerTest, LargeListingsMatchAPlainStableSort) {
  std::uint32_t seed = 7;
  auto next = [&seed](std::uint32_t n) {
    seed = seed * 1103515245u + 12345u;
    return (seed >> 8) % n;
  };
  auto text = [&next] {
    static const std::size_t kPrefixes[] = {0, 8, 15, 16, 17, 32, 40};
    std::string s(kPrefixes[next(7)], 'p');
    static const char kTail[] = {'a', 'b', '\0', '\x81', '\xFF'};
    for (std::uint32_t n = next(4); n > 0; --n) s += kTail[next(5)];
    return s.empty() ? std::string("e") : s;
  };
  for (int i = 0; i < 400; ++i) {
    const std::string date =
        "2026/01/0" + std::to_string(1 + next(3)) + " 00:00:0" + std::to_string(next(2));
    ASSERT_GE(items_.ParseItemLine(
                  "-1\t" + text() + "\t" + text() + "\t" + std::to_string(next(6)) + "\t\t" +
                  std::to_string(static_cast<int>(next(7)) - 3) + "\t" + date + "\t" + date),
              0);
  }
  using Getter = const std::string& (ItemList::*)(std::size_t) const;
  const Getter texts[] = {&ItemList::updated, &ItemList::registered, &ItemList::title,
                          &ItemList::url};
  for (int mode = 0; mode < 12; ++mode) {
    std::vector<int> expected(items_.size());
    for (std::size_t i = 0; i < expected.size(); ++i) expected[i] = static_cast<int>(i);
    std::stable_sort(expected.begin(), expected.end(), [&](int a, int b) {
      const auto ia = static_cast<std::size_t>(a);
      const auto ib = static_cast<std::size_t>(b);
      if (mode < 8) return (items_.*texts[mode / 2])(ia) < (items_.*texts[mode / 2])(ib);
      if (mode < 10) return items_.count(ia) < items_.count(ib);
      return items_.importance(ia) < items_.importance(ib);
    });
    static constexpr bool kDescending[] = {true,  false, true, false, false, true,
                                           false, true,  true, false, true,  false};
    if (kDescending[mode]) std::reverse(expected.begin(), expected.end());
    List({"*", 0, mode});
    EXPECT_EQ(ListFolder(folders_, items_, kFolder, kNow), expected) << "mode " << mode;
  }
}

class FakeMembers : public CategoryMembers {
 public:
  struct Member {
    int folder;
    bool archived;
    int order;
    bool deleted;
  };
  explicit FakeMembers(std::vector<Member> members) : members_(std::move(members)) {}

  std::size_t MemberCount() const override { return members_.size(); }
  int MemberFolderId(std::size_t i) const override { return members_[i].folder; }
  bool MemberArchived(std::size_t i) const override { return members_[i].archived; }
  int MemberOrder(std::size_t i) const override { return members_[i].order; }
  bool MemberDeleted(std::size_t i) const override { return members_[i].deleted; }
  void RemoveMembersOf(int) override {}

 private:
  std::vector<Member> members_;
};

TEST(ListCategoryTest, ListsVisibleMembersByOrderKey) {
  const FakeMembers members({
      {7, false, 99999999, false},  // 0
      {7, false, 2, false},         // 1
      {7, true, 1, false},          // 2 archived
      {8, false, 1, false},         // 3
      {7, false, 2, false},         // 4 ties with 1
      {7, false, 0, true},          // 5 deleted
      {8, true, 5, false},          // 6 archived
      {-9999, false, 0, false},     // 7 filed in the archive but not archived
  });
  EXPECT_EQ(ListCategory(members, 7), (std::vector<int>{1, 4, 0}));
  EXPECT_EQ(ListCategory(members, 8), (std::vector<int>{3}));
  EXPECT_EQ(ListCategory(members, -9999), (std::vector<int>{2, 6}));
  EXPECT_TRUE(ListCategory(members, 9).empty());
}

}  // namespace
}  // namespace tolvane
