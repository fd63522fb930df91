#include "core/frame/page_history_menu.h"

#include <gtest/gtest.h>

#include "core/text/charset_converter.h"

namespace tolvane {
namespace {

std::string Describe(const std::vector<PageHistoryEntry>& entries) {
  std::string text;
  for (const PageHistoryEntry& entry : entries) {
    text += std::to_string(entry.command.value()) + ":" + SjisToUtf8(entry.title) +
            (entry.current ? "*" : "") + " ";
  }
  return text;
}

TEST(PageHistoryMenuTest, MenusNumberEachDirectionAndTravelByTheEntry) {
  const std::vector<std::string> back = {"b0", "", "b2"};
  const std::vector<std::string> forward = {"f0"};
  EXPECT_EQ(Describe(PageHistoryEntries(PageHistoryMenu::kBack, back, forward)),
            "34000:b0 34001:表示中のページ 34002:b2 ");
  EXPECT_EQ(Describe(PageHistoryEntries(PageHistoryMenu::kForward, back, forward)), "34100:f0 ");
  EXPECT_EQ(Describe(PageHistoryEntries(PageHistoryMenu::kCombined, back, forward)),
            "34000:b0 34001:表示中のページ 34002:b2 34200:表示中のページ* 34100:f0 ");

  const std::vector<std::string> long_back(150, "p");
  const auto capped = PageHistoryEntries(PageHistoryMenu::kBack, long_back, {});
  EXPECT_EQ(capped.size(), 100u);
  EXPECT_EQ(capped.back().command, CommandId(34099));

  EXPECT_EQ(PageHistoryOffset(CommandId(34000)), -1);
  EXPECT_EQ(PageHistoryOffset(CommandId(34099)), -100);
  EXPECT_EQ(PageHistoryOffset(CommandId(34100)), 1);
  EXPECT_EQ(PageHistoryOffset(CommandId(34200)), 0);
  EXPECT_EQ(PageHistoryOffset(CommandId(34201)), std::nullopt);
  EXPECT_EQ(PageHistoryOffset(CommandId(33999)), std::nullopt);
}

}  // namespace
}  // namespace tolvane
