#include "core/app/window_core.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "core/app/tolvane_doc.h"
#include "core/commands/command_table.h"
#include "core/files/string_table.h"
#include "core/files/timer.h"
#include "core/frame/address_bar_commands.h"
#include "core/frame/frame_commands.h"
#include "core/frame/page_commands.h"
#include "core/frame/search_tree_commands.h"
#include "core/frame/side_bar_commands.h"
#include "core/tabs/category_tab.h"
#include "core/tabs/tab_area.h"
#include "core/tabs/tab_workspace.h"
#include "core/text/charset_converter.h"
#include "support/doc_world.h"

namespace tolvane {
namespace {

// The window around the core: every view interface, doing nothing.
class QuietWindow : public FrameWindow,
                    public PageCommandWindow,
                    public AddressBarView,
                    public SideBarView,
                    public SearchTreeView {
 public:
  bool HasBar(int) const override { return true; }
  bool BarShown(int) const override { return true; }
  void ShowBar(int, bool) override {}
  void FixBands(bool) override {}
  bool FullScreen() const override { return false; }
  void SetFullScreen(bool) override {}
  void Minimize() override {}
  void ShowAbout() override {}
  void Close() override {}
  bool EditFocusedField(EditCommand) override { return false; }
  bool FieldHasFocus() const override { return false; }
  void ZoomChanged() override {}
  void FollowFocusedLink() override {}
  void ShowFocusedLinkMenu() override {}
  void FocusAddressBar() override {}
  void LeaveAddressBar() override {}
  std::string AskFileToOpen() override { return {}; }
  void ShowSideBar(bool) override {}
  void ShowSideBarPage(int) override {}
  std::optional<int> EditEngine(EngineDialog&) override { return std::nullopt; }
  void SearchTreeChanged() override { ++tree_drawn; }
  void SearchBarItemsChanged() override { ++bar_drawn; }

  int tree_drawn = 0;
  int bar_drawn = 0;
};

// A first start's window core, its tabs open.
class WindowCoreTest : public ::testing::Test, protected testing::DocWorld {
 protected:
  WindowCoreTest() {
    EXPECT_TRUE(doc_.OnNewDocument().ok());
    core_.AttachAddressBar(window_);
    core_.AttachSideBar(window_, window_);
    core_.Start({.controls = controls_,
                 .view = view_,
                 .boxes = boxes_,
                 .observer = &view_,
                 .start_url = [] { return std::string(); }});
  }

  QuietWindow window_;
  WindowCore core_{doc_, {timers_, prompter_, boxes_, probe_}, window_, window_};
};

// Each command of the table is carried out by a handler of the core, or is
// listed as one it leaves on purpose (the focused widget's keys, the
// window's own dialogs, a feature still to come) — never both. Each
// handler's command has its text.
TEST_F(WindowCoreTest, EveryCommandIsHandledOrListedAndEveryHandlerHasItsText) {
  EXPECT_TRUE(core_.router().refused().empty());
  std::string unaccounted;
  for (const CommandEntry& entry : doc_.commands().entries()) {
    bool listed = false;
    for (const WindowCore::Unhandled& unhandled : WindowCore::UnhandledCommands()) {
      listed = listed || unhandled.id == entry.id;
    }
    if (listed == core_.router().Handles(entry.id)) {
      unaccounted += std::to_string(entry.id.value()) + (listed ? " both " : " none ");
    }
  }
  EXPECT_EQ(unaccounted, "");

  // Ranges are named by what they list (pages, engines, encodings).
  std::string without_text;
  for (const CommandSpan& span : core_.router().Spans()) {
    if (span.first == span.last && LoadString(span.first.value()).empty()) {
      without_text += std::to_string(span.first.value()) + " ";
    }
  }
  EXPECT_EQ(without_text, "");
  EXPECT_TRUE(core_.save_timer().active());
}

// One table of how a command's context comes out of the input state: the
// keyword by command, source and focus; the keys, focus and address bar
// text as read; the tabs' focus; the search bar's chosen group.
TEST_F(WindowCoreTest, ContextFollowsCommandSourceAndFocus) {
  using S = CommandSource;
  using F = InputFocus;
  const struct {
    CommandId id;
    S source;
    F focus;
    const char* selection;
    const char* keyword;
  } cases[] = {
      {command::kSearchInTab, S::kMenu, F::kOther, "sel", "box"},
      {command::kSearchInTab, S::kMenu, F::kPage, "sel", "sel"},
      {command::kSearchInTab, S::kMenu, F::kPage, "", "box"},
      {command::kSearchSelection, S::kSearchBar, F::kOther, "sel", "sel"},
      {command::kEngineCommand, S::kSearchBar, F::kKeywordBox, "sel", "box"},
      {command::kEngineCommand, S::kSearchBar, F::kPage, "sel", "sel"},
      {command::kEngineCommand, S::kSearchBar, F::kTabTree, "sel", "side"},
      {command::kEngineCommand, S::kMenu, F::kCategoryRow, "sel", "box"},
      {command::kSearchSelectedEngine, S::kSideBar, F::kPage, "sel", "side"},
      {command::kSearchEngineInNewTab, S::kSideBar, F::kSideBarBox, "sel", "box"},
  };
  for (const auto& c : cases) {
    InputState input;
    input.focus = c.focus;
    input.search_bar_text = Keyword::FromUtf8("box");
    input.side_bar_text = Keyword::FromUtf8("side");
    input.selection = c.selection;
    input.address_bar_text = "http://typed/";
    input.keys.shift = true;
    const CommandContext context = core_.ContextFor(c.id, c.source, input);
    const bool tabs = c.focus == F::kTabTree || c.focus == F::kCategoryRow;
    EXPECT_EQ(context.keyword.value_or(Keyword()).utf8(), c.keyword) << c.id.value();
    EXPECT_TRUE(context.source == c.source && context.focus == c.focus &&
                context.tabs_focused == tabs && context.modifiers.shift &&
                !context.modifiers.ctrl && context.address_bar_text == "http://typed/" &&
                context.tree_item == -1)
        << c.id.value();
  }

  // A group's tab command is about the group the search bar chose.
  const int folder = doc_.tab_folders().size() > 1 ? 1 : 0;
  InputState input;
  input.group_choice = folder;
  const int group = core_.workspace()->tree().FindGroup(folder);
  ASSERT_GE(group, 0);
  EXPECT_EQ(core_.ContextFor(command::kTabGroupTabFirst, S::kSearchBar, input).tree_item, group);
}

// Whoever changes the engines or their categories, the list tells the
// window: the search tree is rebuilt and the tree and the search bar are
// drawn again. A shop's search added from a page starts in the user
// category of the right-clicked item, else in the one the current category
// tab searches, else in "追加した検索".
TEST_F(WindowCoreTest, EngineChangesRedrawTheViewsAndAddedSearchesStartInTheTabsCategory) {
  CategoryFolderTree& folders = doc_.engine_folders();
  EngineList& engines = doc_.engines();
  const std::optional<int> books = folders.AddFolder("Books", 0);
  ASSERT_TRUE(books.has_value());
  const int books_id = folders.id(static_cast<std::size_t>(*books));
  EngineDialogValues shop;
  shop.name = "Shop";
  const std::optional<int> row = engines.CreateUserEngine(shop, {books_id, -1});
  ASSERT_TRUE(row.has_value());
  EXPECT_EQ(SjisToUtf8(core_.search_tree().Describe()),
            "検索 #0 open *\n  Books #1\n    Shop #64\n  保管箱 #52\n");
  EXPECT_EQ(std::pair(window_.tree_drawn, window_.bar_drawn), std::pair(2, 2));

  const auto chosen = [&](int tree_item) {
    const EngineDialog dialog = core_.SiteSearchDialog(shop, tree_item);
    return SjisToUtf8(
        dialog.category_choices()[static_cast<std::size_t>(dialog.category_choice())].name);
  };
  TabArea& area = core_.workspace()->area();
  const auto show_tab = [&](const std::string& reference) {
    const int tab =
        doc_.tabs().ParseRecord("9" + std::to_string(doc_.tabs().size()) + "\t0\tT\t\t\t" +
                                reference + "\t\t" + reference + "\t\t\t\t0");
    area.SelectCategoryTab(area.OpenCategoryTab(tab), false);
  };
  show_tab(EngineList::FolderReference(books_id));
  EXPECT_EQ(chosen(-1), "Books");
  show_tab("http://elsewhere/");
  EXPECT_EQ(chosen(-1), "追加した検索");
  EXPECT_EQ(chosen(core_.search_tree().FindEngine(*row)), "Books");
  show_tab(EngineList::EngineReference(engines.id(static_cast<std::size_t>(*row))));
  EXPECT_EQ(chosen(-1), "Books");
}

}  // namespace
}  // namespace tolvane
