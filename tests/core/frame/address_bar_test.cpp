#include "core/frame/address_bar.h"

#include <gtest/gtest.h>

#include "core/frame/address_bar_commands.h"
#include "core/frame/address_list.h"
#include "core/stores/item_list.h"
#include "frame_settings_fixture.h"
#include "support/fake_clock.h"

namespace tolvane {
namespace {

TEST(AddressListTest, NewestFirstWithoutEqualEntriesAndCutToCapacity) {
  AddressList list(3);
  for (const char* text : {"a", "b", "c", "b", "d", "", " x", "\"q\"", "l\nf", "B"}) list.Add(text);
  EXPECT_EQ(list.Describe(), "B | d | b");

  AddressList none(-4);
  none.Add("a");
  EXPECT_EQ(none.capacity(), 0);
  EXPECT_TRUE(none.entries().empty());
}

using AddressListStoreTest = FrameSettingsTest;

TEST_F(AddressListStoreTest, ReadSkipsBrokenEntriesAndWriteRewritesTheSection) {
  EXPECT_EQ(AddressList::Read(settings_).capacity(), 100);
  SetIni(
      "[AddressList]\nMaxNumItems=4\nNumItems=6\n"
      "URL0=http://a.jp/\nURL1=\nURL2=http://a.jp/\nURL3=b\nURL4=http://c.jp/\n"
      "[Next]\nk=v\n");
  AddressList list = AddressList::Read(settings_);
  EXPECT_EQ(list.capacity(), 4);
  EXPECT_EQ(list.Describe(), "http://a.jp/ | b");

  list.Add("http://c.jp/");
  ASSERT_TRUE(list.Write(settings_));
  EXPECT_EQ(Ini(),
            "[AddressList]\nNumItems=3\nURL0=http://c.jp/\nURL1=http://a.jp/\nURL2=b\n"
            "[Next]\nk=v\n");
  // MaxNumItems was written by hand: it is not kept.
  const AddressList reread = AddressList::Read(settings_);
  EXPECT_EQ(reread.capacity(), 100);
  EXPECT_EQ(reread.entries(), list.entries());
}

TEST(AddressBarGoTest, KeywordsSearchAddressesNavigateBothAreListed) {
  AddressList list;
  EXPECT_EQ(GoFromAddressBar("shoes", true, list), CommandId(32927));
  EXPECT_EQ(GoFromAddressBar("www.example.jp", false, list), CommandId(32807));
  EXPECT_EQ(GoFromAddressBar("   ", true, list), std::nullopt);
  EXPECT_EQ(GoFromAddressBar("", false, list), std::nullopt);
  EXPECT_EQ(GoFromAddressBar("shoes", true, list), CommandId(32927));
  EXPECT_EQ(list.Describe(), "shoes | www.example.jp");
}

TEST(AddressDropDownTest, TypedTextListsHistoryLastFirstEmptyTextTheAddressList) {
  const std::vector<std::string> history = {"http://a.jp/1", "http://b.jp/", "http://a.jp/2"};
  AddressList list;
  list.Add("x");
  list.Add("http://a.jp/2");

  EXPECT_EQ(AddressDropDown("http://a", history, list),
            (std::vector<AddressCandidate>{{"http://a.jp/2", 2}, {"http://a.jp/1", 0}}));
  EXPECT_EQ(AddressDropDown("", history, list),
            (std::vector<AddressCandidate>{{"http://a.jp/2", 2}, {"x", -1}}));
  EXPECT_TRUE(AddressDropDown("HTTP://A", history, list).empty());
}

TEST(AddressDropDownTest, OffersLiveHistoryOutsideTheTrashLatestVisitLast) {
  const testing::FakeClock clock;
  ItemList items(StoreType::kHistory, clock);
  // ID, title, URL, importance, tags, count, registered, updated.
  for (const char* line : {"1\ta\thttp://a/\t0\t\t1\t2026/01/01 00:00:00\t2026/03/01 00:00:00",
                           "2\tb\thttp://b/\t0\t\t1\t2026/01/01 00:00:00\t2026/01/05 00:00:00",
                           "3\tc\thttp://c/\t0\t\t1\t2026/01/01 00:00:00\t2026/03/01 00:00:00",
                           "4\td\thttp://d/\t0\t\t1\t2026/01/01 00:00:00\t2026/12/01 00:00:00",
                           "5\te\thttp://e/\t0\t\t1\t2026/01/01 00:00:00\t2026/12/02 00:00:00"}) {
    items.ParseItemLine(line);
  }
  items.MarkDeleted(3);
  items.SetInTrash(4, true);
  EXPECT_EQ(AddressHistory(items), (std::vector<int>{1, 0, 2}));
}

TEST(AddressBarUrlTest, TypedTextBecomesAnAddressWithItsScheme) {
  EXPECT_EQ(AddressBarUrl("  www.example.jp/a b "), "http://www.example.jp/a b");
  EXPECT_EQ(AddressBarUrl("https://shop.jp/?q=%93%8C"), "https://shop.jp/?q=%93%8C");
  EXPECT_EQ(AddressBarUrl("About:blank"), "About:blank");
  EXPECT_EQ(AddressBarUrl("/home/u/page.html"), "file:///home/u/page.html");
  EXPECT_EQ(AddressBarUrl("localhost:8080/x"), "http://localhost:8080/x");
  EXPECT_EQ(AddressBarUrl("   "), "");
}

}  // namespace
}  // namespace tolvane
