#include "core/frame/page_commands.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "core/browser/page_host.h"
#include "core/commands/command_router.h"
#include "core/files/setting_keys.h"
#include "core/tabs/tab_area.h"
#include "core/text/charset_converter.h"
#include "support/tab_area_parts.h"

namespace tolvane {
namespace {

using testing::Controls;
using testing::FakeBrowserControl;
using testing::SearchLists;

// The window's own fields: the address bar takes edits while it has the focus.
class Window : public PageCommandWindow {
 public:
  bool EditFocusedField(EditCommand) override { return field_focused; }
  bool FieldHasFocus() const override { return field_focused; }
  void ZoomChanged() override { ++zoom_changes; }
  void FollowFocusedLink() override { ++link_keys; }
  void ShowFocusedLinkMenu() override { ++link_keys; }
  bool field_focused = false;
  int zoom_changes = 0;
  int link_keys = 0;
};

// A tab area with one category tab whose page D has loaded, and the page
// commands on a router as the main frame has them.
class PageCommandsTest : public ::testing::Test {
 protected:
  PageCommandsTest() {
    area_ = std::make_unique<TabArea>(parts_.Services(), parts_.view);
    area_->AddObserver(parts_.view);
    commands_ = std::make_unique<PageCommands>(*area_, parts_.settings, window_);
    router_.Add(*commands_);
  }
  ~PageCommandsTest() override {
    router_.Remove(*commands_);
    commands_.reset();
    area_.reset();
  }

  void OpenPage() {
    area_->SelectCategoryTab(area_->OpenCategoryTab(SearchLists::kOne), true);
    testing::Settle(parts_.timers, parts_.controls);
  }
  FakeBrowserControl& Page() { return *parts_.controls.made.at(area_->ActiveHost()); }
  bool Enabled(CommandId id) { return router_.State(id).enabled; }
  bool Checked(CommandId id) { return router_.State(id).checked; }
  void Run(int id) { router_.Run(CommandId(id)); }
  std::string TakeLog() {
    std::string text;
    for (const auto& line : parts_.controls.log) {
      if (line.find(".Edit") != std::string::npos || line.find(".Scroll") != std::string::npos ||
          line.find(".Reload") != std::string::npos) {
        text += line + ";";
      }
    }
    parts_.controls.log.clear();
    return text;
  }

  testing::TabAreaParts parts_;
  std::unique_ptr<TabArea> area_;
  Window window_;
  CommandRouter router_;
  std::unique_ptr<PageCommands> commands_;
};

TEST_F(PageCommandsTest, NothingToActOnWithoutAShownPage) {
  for (const CommandId id :
       {command::kZoomIn, command::kZoomCycle, command::kTextSizeSmallest, command::kCopy,
        command::kEncodingFirst, command::kScrollTop, command::kViewSource,
        command::kShowBlockedPopups, command::kAllowPopupsHere}) {
    EXPECT_FALSE(Enabled(id)) << id.value();
  }
  // Switching pop-up blocking is the program's, not the page's.
  EXPECT_TRUE(Enabled(command::kUsePopupBlock));
  EXPECT_TRUE(Checked(command::kUsePopupBlock));
  Run(32914);
  EXPECT_FALSE(Checked(command::kUsePopupBlock));
  EXPECT_TRUE(Checked(command::kDisablePopupBlock));
  EXPECT_EQ(Read(parts_.settings, settings::kSecurityPopupBlock), 0);
}

TEST_F(PageCommandsTest, ZoomAndTextSizeStepWithinTheLimitsAndMarkTheCurrentEntry) {
  OpenPage();
  FakeBrowserControl& page = Page();
  Run(32832);
  EXPECT_EQ(page.zoom, 110);
  Run(32837);  // 125 %
  EXPECT_EQ(page.zoom, 125);
  EXPECT_TRUE(Checked(CommandId(32837)));
  EXPECT_FALSE(Checked(CommandId(32838)));
  Run(32830);
  EXPECT_EQ(page.zoom, 150);
  Run(32830);
  EXPECT_EQ(page.zoom, 100);
  EXPECT_EQ(window_.zoom_changes, 4);
  page.zoom = 1000;
  EXPECT_FALSE(Enabled(command::kZoomIn));
  EXPECT_TRUE(Enabled(command::kZoomOut));
  page.zoom = -1;  // the engine cannot say: no zoom command
  EXPECT_FALSE(Enabled(command::kZoomOut));
  EXPECT_FALSE(Enabled(command::kZoomCycle));

  Run(32823);
  EXPECT_EQ(page.text_size, 4);
  EXPECT_TRUE(Checked(command::kTextSizeLargest));
  EXPECT_FALSE(Checked(command::kTextSizeSmallest));
  page.text_size = -1;
  EXPECT_FALSE(Enabled(command::kTextSizeSmallest));
}

TEST_F(PageCommandsTest, EditScrollAndEncodingGoToTheFieldOrThePage) {
  // No page yet: the edit commands work only in a focused field.
  EXPECT_FALSE(Enabled(command::kPaste));
  window_.field_focused = true;
  EXPECT_TRUE(Enabled(command::kPaste));
  window_.field_focused = false;
  OpenPage();
  FakeBrowserControl& page = Page();
  TakeLog();
  Run(57634);  // copy
  window_.field_focused = true;
  Run(57637);  // paste into the address bar, not the page
  window_.field_focused = false;
  Run(57642);
  Run(59158);
  Run(59163);
  EXPECT_EQ(TakeLog(), "page.Edit Copy;page.Edit SelectAll;page.Scroll Top;page.Scroll PageDown;");

  // The page reads itself as UTF-8 and nothing was chosen: both marked.
  EXPECT_TRUE(Checked(CommandId(3609)));
  EXPECT_TRUE(Checked(CommandId(3613)));
  Run(3611);
  page.charset = "euc-jp";
  EXPECT_EQ(TakeLog(), "page.Reload charset=EUC-JP;");
  EXPECT_FALSE(Checked(CommandId(3609)));
  EXPECT_TRUE(Checked(CommandId(3611)));
  EXPECT_FALSE(Checked(CommandId(3613)));
  Run(3609);
  EXPECT_EQ(TakeLog(), "page.Reload charset=;");
}

// Enter and Shift+F10 stay with a field, a tree or a tab row that has the
// focus: the link commands take them only from the shown page.
TEST_F(PageCommandsTest, LinkKeysGoToThePageOnlyWhileItHasTheFocus) {
  CommandContext on_page;
  on_page.focus = InputFocus::kPage;
  EXPECT_FALSE(router_.State(command::kFollowLink, on_page).enabled);  // no page yet
  OpenPage();
  for (const InputFocus focus :
       {InputFocus::kOther, InputFocus::kKeywordBox, InputFocus::kSideBarBox,
        InputFocus::kAddressBar, InputFocus::kTabTree, InputFocus::kCategoryRow}) {
    CommandContext elsewhere;
    elsewhere.focus = focus;
    EXPECT_FALSE(router_.Run(command::kFollowLink, elsewhere));
    EXPECT_FALSE(router_.Run(command::kLinkMenu, elsewhere));
  }
  EXPECT_EQ(window_.link_keys, 0);
  EXPECT_TRUE(router_.Run(command::kFollowLink, on_page));
  EXPECT_TRUE(router_.Run(command::kLinkMenu, on_page));
  EXPECT_EQ(window_.link_keys, 2);
}

TEST_F(PageCommandsTest, SourceOpensInAShownPageTabRightOfThePage) {
  OpenPage();
  EXPECT_TRUE(Enabled(command::kViewSource));
  Run(32796);
  testing::Settle(parts_.timers, parts_.controls);
  EXPECT_EQ(SjisToUtf8(area_->Describe()), "[One*: D view-source:http://d/*]");
  EXPECT_EQ(area_->ActiveHost()->url(), "view-source:http://d/");
}

TEST_F(PageCommandsTest, PopupsAreAllowedOnThePageWhileBlockingIsOn) {
  OpenPage();
  EXPECT_FALSE(Enabled(command::kShowBlockedPopups));
  EXPECT_TRUE(Enabled(command::kAllowPopupsHere));
  Run(32913);
  EXPECT_TRUE(Checked(command::kAllowPopupsHere));
  Run(32913);
  EXPECT_FALSE(Checked(command::kAllowPopupsHere));
  Run(32923);
  EXPECT_FALSE(Enabled(command::kAllowPopupsHere));
}

}  // namespace
}  // namespace tolvane
