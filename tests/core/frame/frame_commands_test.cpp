#include "core/frame/frame_commands.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "core/browser/page_host.h"
#include "core/commands/command_router.h"
#include "core/frame/band_layout.h"
#include "core/frame/page_history_commands.h"
#include "frame_settings_fixture.h"
#include "support/page_world.h"

namespace tolvane {
namespace {

// A window with every band but the three store bars.
class FakeWindow : public FrameWindow {
 public:
  bool HasBar(int id) const override { return shown_.contains(id); }
  bool BarShown(int id) const override { return HasBar(id) && shown_.at(id); }
  void ShowBar(int id, bool shown) override { shown_[id] = shown; }
  void FixBands(bool fixed) override { log_ += fixed ? "fixed " : "movable "; }
  bool FullScreen() const override { return full_screen_; }
  void SetFullScreen(bool on) override { full_screen_ = on; }
  void Minimize() override { log_ += "minimize "; }
  void ShowAbout() override { log_ += "about "; }
  void Close() override { log_ += "close "; }

  // "59392 59394- … | full screen | log": "-" a hidden bar.
  std::string Describe() const {
    std::string text;
    for (const auto& [id, shown] : shown_) text += std::to_string(id) + (shown ? " " : "- ");
    return text + (full_screen_ ? "| full " : "| normal ") + "| " + log_;
  }

 private:
  std::map<int, bool> shown_ = {
      {59392, true}, {59393, true}, {59394, true}, {59395, true}, {59396, true}};
  bool full_screen_ = false;
  std::string log_;
};

using FrameCommandsTest = FrameSettingsTest;

TEST_F(FrameCommandsTest, TogglesBarsByIdAndMenuCommandFixesBandsAndGoesFullScreen) {
  FakeWindow window;
  FrameCommands commands(window, settings_);
  CommandRouter router;
  ASSERT_TRUE(router.Add(commands));

  // The menu's toggles and the bar ids reach the same bars.
  for (int id : {32776, 59392, 32777, 59396, 59393}) EXPECT_TRUE(router.Run(CommandId(id)));
  EXPECT_TRUE(router.Run(CommandId(59394)));  // the menu bar again, by its id
  EXPECT_EQ(router.State(CommandId(32777)).checked, false);
  EXPECT_EQ(router.State(CommandId(32778)).checked, false);
  // The store bars have no band in this window: disabled, nothing run.
  for (int id : {32779, 32780, 32781, 59397, 59398, 59399}) {
    EXPECT_FALSE(router.State(CommandId(id)).enabled) << id;
    EXPECT_FALSE(router.Run(CommandId(id))) << id;
  }

  EXPECT_FALSE(router.State(command::kFixBands).checked);
  router.Run(command::kFixBands);
  EXPECT_TRUE(router.State(command::kFixBands).checked);
  router.Run(command::kFullScreen);
  EXPECT_TRUE(router.State(command::kFullScreen).checked);
  router.Run(command::kMinimize);
  router.Run(command::kAbout);
  router.Run(command::kExit);

  EXPECT_EQ(window.Describe(),
            "59392- 59393- 59394 59395- 59396- | full | fixed minimize about close ");
  EXPECT_EQ(Read(settings_, settings::kToolBarFixToolBar), 1);
  router.Run(command::kFixBands);
  EXPECT_EQ(Read(settings_, settings::kToolBarFixToolBar), 0);
}

TEST(PageHistoryCommandsTest, EntriesTravelAsFarAsTheirPlaceWhileTheHistoryHoldsThem) {
  testing::PageWorld world;
  PageHost& page = world.QueuedPage("p", "http://a.jp/");
  world.MakeQueue();
  PageHost* active = nullptr;
  PageHistoryCommands commands([&] { return active; });
  CommandRouter router;
  ASSERT_TRUE(router.Add(commands));

  // No page shown: nothing enabled.
  EXPECT_FALSE(router.State(CommandId(34000)).enabled);
  EXPECT_FALSE(router.State(CommandId(34200)).checked);

  active = &page;
  page.StartNavigation();
  testing::FakeBrowserControl& engine = *world.control(page);
  engine.history = {{"b0", "b1"}, {"f0"}};
  world.TakeLog();

  EXPECT_TRUE(router.Run(CommandId(34001)));
  EXPECT_TRUE(router.Run(CommandId(34100)));
  EXPECT_FALSE(router.Run(CommandId(34002)));  // past the oldest entry
  EXPECT_FALSE(router.Run(CommandId(34101)));
  EXPECT_TRUE(router.State(CommandId(34200)).checked);
  EXPECT_EQ(world.TakeLog(),
            (std::vector<std::string>{"p.GoToHistoryOffset -2", "p.GoToHistoryOffset 1"}));
}

}  // namespace
}  // namespace tolvane
