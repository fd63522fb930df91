#include "core/frame/band_layout.h"

#include <gtest/gtest.h>

#include "core/frame/standard_toolbar.h"
#include "core/frame/toolbar_options.h"
#include "core/frame/window_placement.h"
#include "frame_settings_fixture.h"

namespace tolvane {
namespace {

constexpr std::string_view kBuiltIn =
    "59394:own:0x0 59392:own:0x0 59395:100:0x0 59396:own:0x0 59397:own:0x0 59398:own:0x0 "
    "59399:own:0x0 | status";

using BandLayoutTest = FrameSettingsTest;

TEST_F(BandLayoutTest, WithoutAStoredLayoutTheBandsComeInTheBuiltInOrder) {
  EXPECT_EQ(BandLayout::Read(settings_).Describe(), kBuiltIn);
  SetIni("[ToolBarSummary]\nNumToolBars=0\n[ToolBarInfo0]\nID=59399\ncx=300\n");
  EXPECT_EQ(BandLayout::Read(settings_).Describe(), kBuiltIn);
  EXPECT_EQ(BandLayout::BuiltIn().Describe(), kBuiltIn);
}

TEST_F(BandLayoutTest, BrokenSectionsAreSkippedAndLeftOutBarsFollowInBuiltInOrder) {
  SetIni(
      "[StatusBar]\nShow=0\n"
      "[ToolBarSummary]\nNumToolBars=2147483647\n"
      "[ToolBarInfo0]\nID=59395\ncx=300\nStyle=9\n"
      "[ToolBarInfo1]\nID=12345\ncx=50\n"          // names no bar
      "[ToolBarInfo2]\nID=59395\ncx=80\n"          // the address bar again
      "[ToolBarInfo3]\nID=59396\ncx=0\nStyle=1\n"  // no width
      "[ToolBarInfo4]\nID=59392\ncx=abc\n"
      "[ToolBarInfo6]\nID=59398\ncx=-7\nStyle=640\n"  // section 5 missing
      "[ToolBarInfo17]\nID=59399\ncx=500\n");         // past the sections read
  const BandLayout layout = BandLayout::Read(settings_);
  EXPECT_EQ(layout.Describe(),
            "59395:300:0x9 59396:own:0x1 59392:own:0x0 59398:own:0x280 59394:own:0x0 "
            "59397:own:0x0 59399:own:0x0 | no status");
  EXPECT_TRUE(layout.bands()[0].hidden() && layout.bands()[0].starts_row());
  EXPECT_FALSE(layout.bands()[1].hidden());
}

TEST_F(BandLayoutTest, WhatIsWrittenReadsBackAndStaleSectionsGo) {
  SetIni(
      "[Other]\nkey=kept\n"
      "[ToolBarSummary]\nNumToolBars=9\n[ToolBarInfo8]\nID=59394\n[ToolBarInfo7]\nID=59399\n");
  BandLayout layout;
  layout.SetBands({{59399, 420, 0x1}, {59392, 250, 0x8}, {59395, 640, 0x281}});
  layout.set_status_bar_shown(false);
  ASSERT_TRUE(layout.Write(settings_));

  EXPECT_EQ(BandLayout::Read(settings_).Describe(), layout.Describe());
  EXPECT_EQ(layout.Describe(),
            "59399:420:0x1 59392:250:0x8 59395:640:0x281 59394:own:0x0 59396:own:0x0 "
            "59397:own:0x0 59398:own:0x0 | no status");
  const std::string ini = Ini();
  EXPECT_EQ(ini.find("[ToolBarInfo7]"), std::string::npos) << ini;
  EXPECT_EQ(ini.find("[ToolBarInfo8]"), std::string::npos) << ini;
  EXPECT_NE(ini.find("key=kept"), std::string::npos) << ini;
  EXPECT_NE(ini.find("[ToolBarInfo0]\nID=59399\ncx=420\nStyle=1\n"), std::string::npos) << ini;
}

TEST(BandStyleTest, GripperBitsFollowFixToolBarAndTheChevronIsAlwaysOn) {
  EXPECT_EQ(BandLayout::InsertStyle(0x89, true), 0x309);
  EXPECT_EQ(BandLayout::InsertStyle(0x100, false), 0x280);
  EXPECT_EQ(BandLayout::InsertStyle(0, true), 0x300);
}

using ToolbarOptionsTest = FrameSettingsTest;

TEST_F(ToolbarOptionsTest, IconsKeepButtonIndicesAndSeparatorsOnly) {
  EXPECT_EQ(ParseToolbarIcons("0,1,2,3,4,-1,5,13,6"),
            (std::vector<int>{0, 1, 2, 3, 4, -1, 5, 13, 6}));
  EXPECT_EQ(ParseToolbarIcons(" 3 , x, 14,-2, 7.5,, +2,-1 ,13,99999999999,4x, -0"),
            (std::vector<int>{3, 2, -1, 13, 0}));
  EXPECT_TRUE(ParseToolbarIcons("").empty());
  // Megabytes of entries give the bar's hundred at most.
  std::string many;
  for (int i = 0; i < 300000; ++i) many += "x,3,";
  EXPECT_EQ(ParseToolbarIcons(many), std::vector<int>(ToolbarOptions::kMaxIcons, 3));
  EXPECT_EQ(FormatToolbarIcons(std::vector<int>{7, -1, 0}), "7,-1,0");
}

TEST_F(ToolbarOptionsTest, DefaultsBrokenValuesAndRoundTrip) {
  const ToolbarOptions defaults = ToolbarOptions::Read(settings_);
  EXPECT_EQ(defaults.icons, (std::vector<int>{0, 1, 2, 3, 4, -1, 5, 13, 6}));
  EXPECT_EQ(defaults.names, ToolbarOptions::ButtonNames::kRightOfSome);
  EXPECT_EQ(defaults.icon_pixels(), 16);
  EXPECT_FALSE(defaults.fixed);

  SetIni("[OptionToolBar]\nIcons=9,,12\nShowText=7\nIconSize=2\nFixToolBar=1\n");
  ToolbarOptions read = ToolbarOptions::Read(settings_);
  EXPECT_EQ(read.icons, (std::vector<int>{9, 12}));
  EXPECT_EQ(read.names, ToolbarOptions::ButtonNames::kRightOfSome);
  EXPECT_EQ(read.icon_pixels(), 24);
  EXPECT_TRUE(read.fixed);

  read.names = ToolbarOptions::ButtonNames::kNone;
  ASSERT_TRUE(read.Write(settings_));
  EXPECT_EQ(ToolbarOptions::Read(settings_), read);
}

TEST(StandardToolbarTest, ButtonsCommandsDropDownsAndShownNames) {
  ToolbarOptions options;
  options.icons = {0, 1, 2, 3, 4, -1, 5, 6, 7, 8, 9, 10, 11, 12, 13};
  EXPECT_EQ(DescribeToolbar(StandardToolbar(options)),
            "戻る(32791)v 進む(32792)v 中止(32794) 更新(32795) ホーム(32793) | 検索(32785)* "
            "お気に入り(32786)* キーワード(32787)* 履歴(32809)* 印刷(57607) 追加(32799)v "
            "ページクリップ(32812) 閉じる(32806) タブ(32941)*");
  options.icons = {0, -1, 13};
  options.names = ToolbarOptions::ButtonNames::kUnderAll;
  EXPECT_EQ(DescribeToolbar(StandardToolbar(options)), "戻る(32791)v* | タブ(32941)*");
  options.names = ToolbarOptions::ButtonNames::kNone;
  EXPECT_EQ(DescribeToolbar(StandardToolbar(options)), "戻る(32791)v | タブ(32941)");
}

using WindowPlacementTest = FrameSettingsTest;

TEST_F(WindowPlacementTest, ARectangleOnlyWithAWindowSize) {
  EXPECT_FALSE(ReadWindowPlacement(settings_));
  SetIni("[MainWindow]\nx=-5\ny=10\ncx=800\ncy=600\n");
  const auto rect = ReadWindowPlacement(settings_);
  ASSERT_TRUE(rect);
  EXPECT_EQ((std::vector<int>{rect->x, rect->y, rect->cx, rect->cy}),
            (std::vector<int>{-5, 10, 800, 600}));
  SetIni("[MainWindow]\nx=1\ny=1\ncx=800\ncy=-3\n");
  EXPECT_FALSE(ReadWindowPlacement(settings_));
}

}  // namespace
}  // namespace tolvane
