#include "core/frame/page_zoom.h"

#include <gtest/gtest.h>

#include <string>

namespace tolvane {
namespace {

std::string Text(std::optional<int> value) { return value ? std::to_string(*value) : "-"; }
std::string Text(std::optional<CommandId> value) {
  return value ? std::to_string(value->value()) : "-";
}

TEST(PageZoomTest, ZoomCommandsStepsPresetsCycleAndMarks) {
  struct Case {
    int command;
    int current;
    const char* zoom;
  };
  const Case cases[] = {
      {32832, 100, "110"}, {32832, 995, "1005"}, {32832, 1000, "-"},  {32833, 100, "90"},
      {32833, 20, "10"},   {32833, 10, "-"},     {32833, 15, "5"},    {32834, 100, "400"},
      {32835, 100, "200"}, {32837, 90, "125"},   {32840, 100, "50"},  {32830, 125, "150"},
      {32830, 150, "100"}, {32830, 99, "100"},   {32830, 100, "125"}, {32830, 400, "100"},
      {32832, -1, "-"},    {32834, -1, "-"},     {32841, 100, "-"},   {32819, 100, "-"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Text(page_zoom::ZoomFor(CommandId(c.command), c.current)), c.zoom)
        << c.command << " at " << c.current;
  }
  EXPECT_EQ(Text(page_zoom::CheckedZoomPreset(125)), "32837");
  EXPECT_EQ(Text(page_zoom::CheckedZoomPreset(130)), "-");
  EXPECT_EQ(page_zoom::ZoomPaneText(125), "125%");
  EXPECT_EQ(page_zoom::ZoomPaneText(-1), "");
}

TEST(PageZoomTest, WheelAndTextSize) {
  EXPECT_EQ(Text(page_zoom::WheelZoomCommand(120, true, 100)), "32832");
  EXPECT_EQ(Text(page_zoom::WheelZoomCommand(-120, true, 100)), "32833");
  EXPECT_EQ(Text(page_zoom::WheelZoomCommand(120, false, 100)), "-");
  EXPECT_EQ(Text(page_zoom::WheelZoomCommand(120, true, -1)), "-");

  EXPECT_EQ(Text(page_zoom::TextSizeFor(CommandId(32819), 2)), "0");
  EXPECT_EQ(Text(page_zoom::TextSizeFor(CommandId(32823), 2)), "4");
  EXPECT_EQ(Text(page_zoom::TextSizeFor(CommandId(32824), 2)), "-");
  EXPECT_EQ(Text(page_zoom::TextSizeFor(CommandId(32821), -1)), "-");
  EXPECT_EQ(Text(page_zoom::CheckedTextSize(3)), "32822");
  EXPECT_EQ(Text(page_zoom::CheckedTextSize(5)), "-");
}

}  // namespace
}  // namespace tolvane
