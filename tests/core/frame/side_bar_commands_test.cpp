#include "core/frame/side_bar_commands.h"

#include <gtest/gtest.h>

#include <string>

#include "core/commands/command_router.h"
#include "core/text/charset_converter.h"
#include "frame_settings_fixture.h"

namespace tolvane {
namespace {

class RecordingSideBar : public SideBarView {
 public:
  void ShowSideBar(bool show) override { log += show ? "show;" : "hide;"; }
  void ShowSideBarPage(int page) override { log += "page" + std::to_string(page) + ";"; }
  std::string log;
};

class SideBarCommandsTest : public FrameSettingsTest {
 protected:
  std::string State() const { return SjisToUtf8(commands_.Describe()); }

  RecordingSideBar view_;
  SideBarCommands commands_{view_};
  CommandRouter router_;
};

TEST_F(SideBarCommandsTest, FirstStartShowsTheTabPageAndSavesWhatTheUserLeft) {
  commands_.Restore(settings_);
  EXPECT_EQ(State(), "shown page 1 タブ width 200");
  EXPECT_EQ(view_.log, "page1;show;");

  ASSERT_TRUE(router_.Add(commands_));
  router_.Run(command::kShowFavoritesTree);
  commands_.set_width(260);
  commands_.Save(settings_);
  EXPECT_EQ(Ini(), "[SideBar]\nShow=1\nWidth=260\nActiveTab=2\n");

  // A page number out of range reads as the tab page; Show 0 hides.
  SetIni("[SideBar]\nShow=0\nWidth=150\nActiveTab=7\n");
  SettingsStore again{ini_path(), env_};
  view_.log.clear();
  commands_.Restore(again);
  EXPECT_EQ(State(), "hidden page 1 タブ width 150");
  EXPECT_EQ(view_.log, "page1;hide;");
}

TEST_F(SideBarCommandsTest, APageCommandShowsItsPageAndHidesTheBarWhenItIsShownAlready) {
  commands_.Restore(settings_);
  ASSERT_TRUE(router_.Add(commands_));
  view_.log.clear();

  EXPECT_TRUE(router_.State(command::kShowTabTree).checked);
  EXPECT_FALSE(router_.State(command::kShowSearchTree).checked);
  router_.Run(command::kShowSearchTree);
  EXPECT_EQ(State(), "shown page 0 検索 width 200");
  router_.Run(command::kShowSearchTree);
  EXPECT_EQ(State(), "hidden page 0 検索 width 200");
  EXPECT_FALSE(router_.State(command::kShowSearchTree).checked);
  // Hidden: the same page's command shows the bar again.
  router_.Run(command::kShowSearchTree);
  router_.Run(command::kShowHistoryTree);
  commands_.ShowPage(3);  // the user picked the keyword tab
  EXPECT_EQ(State(), "shown page 3 キーワード width 200");
  EXPECT_EQ(view_.log, "page0;hide;show;page0;page4;page3;");
}

}  // namespace
}  // namespace tolvane
