#include "core/tabs/tab_bar_geometry.h"

#include <gtest/gtest.h>

#include <vector>

namespace tolvane {
namespace {

using Zone = TabHit::Zone;

TEST(TabBarGeometryTest, PageTabWidthSharesTheRowWithinTheLimits) {
  struct Case {
    int client, count, minimum, maximum, width;
  };
  const Case cases[] = {
      {1024, 1, 50, 250, 250},  // one page: capped at the maximum
      {1024, 4, 50, 250, 250},  // (1024-24)/4 = 250 exactly
      {1024, 5, 50, 250, 200},
      {1024, 7, 50, 250, 142},  // integer share
      {1024, 40, 50, 250, 50},  // 25 raised to the minimum
      {300, 3, 50, 250, 92},
      {10, 2, 50, 250, 50},     // narrower than the reserve
      {1024, 0, 50, 250, 250},  // no pages yet: no division by zero
      // The minimum above the maximum: every page is the minimum wide.
      {1024, 1, 300, 200, 300},
      {1024, 20, 300, 200, 300},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(TabBarGeometry::PageTabWidth(c.client, c.count, c.minimum, c.maximum), c.width)
        << c.client << " px, " << c.count << " pages, " << c.minimum << ".." << c.maximum;
  }
}

TEST(TabBarGeometryTest, CategoryWidthAndOverflow) {
  EXPECT_EQ(TabBarGeometry::CategoryTabWidth(12, 30), 30);
  EXPECT_EQ(TabBarGeometry::CategoryTabWidth(80, 30), 80);
  // Overflow from 35 pixels before the right edge on.
  EXPECT_FALSE(TabBarGeometry::Overflows(564, 600));
  EXPECT_TRUE(TabBarGeometry::Overflows(565, 600));
  EXPECT_TRUE(TabBarGeometry::Overflows(900, 600));
}

TEST(TabBarGeometryTest, ZonesAroundATab) {
  const TabBox tab{100, 3, 200, 26};
  EXPECT_EQ(TabBarGeometry::CategoryCloseMark(tab), (TabBox{177, 3, 198, 26}));
  EXPECT_EQ(TabBarGeometry::CategoryNewTabButton(tab), (TabBox{204, 5, 224, 25}));
  EXPECT_EQ(TabBarGeometry::PageCloseMark(tab), (TabBox{176, 2, 198, 26}));
  // Top = 3 + (23 - 16) / 2 - 1 = 5.
  EXPECT_EQ(TabBarGeometry::PageNewPageButton(tab), (TabBox{202, 5, 222, 25}));
}

// Two tabs 0..100 and 100..200, rows 3..26; tab 1 selected in the
// category row; in the page row tab 0 is a user clip.
TEST(TabBarGeometryTest, HitZonesOfBothRows) {
  const std::vector<TabBox> tabs{{0, 3, 100, 26}, {100, 3, 200, 26}};
  struct Case {
    int x, y;
    TabHit category, page;
  };
  const Case cases[] = {
      {50, 10, {Zone::kTab, 0}, {Zone::kTab, 0}},
      {90, 10, {Zone::kTab, 0}, {Zone::kCloseMark, 0}},  // only the clip's mark is live
      {150, 10, {Zone::kTab, 1}, {Zone::kTab, 1}},
      {177, 10, {Zone::kCloseMark, 1}, {Zone::kCloseMark, 1}},
      {176, 10, {Zone::kTab, 1}, {Zone::kCloseMark, 1}},  // the page mark is a pixel wider
      {197, 25, {Zone::kCloseMark, 1}, {Zone::kCloseMark, 1}},
      {198, 10, {Zone::kTab, 1}, {Zone::kTab, 1}},
      {180, 2, {Zone::kNone, -1}, {Zone::kCloseMark, 1}},  // one row above the tab
      {203, 10, {Zone::kNone, -1}, {Zone::kNewTabButton, 1}},
      {204, 5, {Zone::kNewTabButton, 1}, {Zone::kNewTabButton, 1}},
      {223, 24, {Zone::kNewTabButton, 1}, {Zone::kNone, -1}},
      {210, 4, {Zone::kNone, -1}, {Zone::kNone, -1}},
      {300, 10, {Zone::kNone, -1}, {Zone::kNone, -1}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(TabBarGeometry::HitCategoryRow(tabs, 1, c.x, c.y), c.category)
        << "category " << c.x << "," << c.y;
    EXPECT_EQ(TabBarGeometry::HitPageRow(tabs, 1, {true, false}, c.x, c.y), c.page)
        << "page " << c.x << "," << c.y;
  }
  EXPECT_EQ(TabBarGeometry::HitCategoryRow({}, -1, 5, 5), TabHit{});
  EXPECT_EQ(TabBarGeometry::HitPageRow({}, -1, {}, 5, 5), TabHit{});
}

// Ten tabs of 100 pixels (2..1002) in a row 600 wide, rows 3..26: the
// strip takes the right end, the tabs scroll under it one tab a press.
TEST(TabBarGeometryTest, OverflowStripScrollsTabByTab) {
  std::vector<TabBox> tabs;
  for (int i = 0; i < 10; ++i) tabs.push_back({2 + 100 * i, 3, 102 + 100 * i, 26});
  const OverflowStrip strip = TabBarGeometry::Strip(1026, 600, 3, 26);
  EXPECT_EQ(
      strip,
      (OverflowStrip{
          true, 510, {512, 4, 532, 24}, {534, 4, 554, 24}, {556, 4, 576, 24}, {578, 4, 598, 24}}));
  EXPECT_EQ(TabBarGeometry::MaxScroll(tabs, strip), 492);

  // Right: the tab cut at the strip's edge comes whole into view, then the
  // next; left walks back the same way; both stop at the ends.
  std::vector<int> steps{0};
  for (int direction : {1, 1, 1, 1, 1, 1, -1, -1, -1, -1, -1, -1, -1}) {
    steps.push_back(TabBarGeometry::ScrollStep(tabs, strip, steps.back(), direction));
  }
  EXPECT_EQ(steps, (std::vector<int>{0, 92, 192, 292, 392, 492, 492, 400, 300, 200, 100, 0, 0, 0}));

  EXPECT_EQ(TabBarGeometry::ScrollToShow(tabs, strip, 0, 9), 492);
  EXPECT_EQ(TabBarGeometry::ScrollToShow(tabs, strip, 492, 2), 200);
  EXPECT_EQ(TabBarGeometry::ScrollToShow(tabs, strip, 200, 4), 200);  // seen already
  EXPECT_EQ(TabBarGeometry::ScrollToShow(tabs, strip, 200, 5), 200);
  EXPECT_EQ(TabBarGeometry::ScrollToShow(tabs, strip, 200, 7), 292);
  EXPECT_EQ(TabBarGeometry::ScrollToShow(tabs, strip, 200, -1), 200);

  struct Case {
    int x, y;
    TabHit hit;
  };
  const Case cases[] = {
      {512, 4, {Zone::kScrollLeft, -1}}, {553, 23, {Zone::kScrollRight, -1}},
      {560, 10, {Zone::kTabList, -1}},   {590, 10, {Zone::kNewTabButton, 9}},
      {533, 10, {Zone::kNone, -1}},      {590, 25, {Zone::kNone, -1}},
      {100, 10, {Zone::kNone, -1}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(TabBarGeometry::HitStrip(strip, 9, c.x, c.y), c.hit) << c.x << "," << c.y;
  }

  // Everything fits: no strip, no scrolling, no strip buttons.
  const OverflowStrip none = TabBarGeometry::Strip(600, 600, 3, 26);
  EXPECT_EQ(none, OverflowStrip{});
  EXPECT_EQ(TabBarGeometry::MaxScroll(tabs, none), 0);
  EXPECT_EQ(TabBarGeometry::ScrollStep(tabs, none, 0, 1), 0);
  EXPECT_EQ(TabBarGeometry::HitStrip(none, 9, 590, 10), TabHit{});
}

}  // namespace
}  // namespace tolvane
