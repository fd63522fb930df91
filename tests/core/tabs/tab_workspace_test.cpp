#include "core/tabs/tab_workspace.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "core/app/tolvane_doc.h"
#include "core/commands/command_router.h"
#include "core/files/setting_keys.h"
#include "core/files/settings_store.h"
#include "core/files/string_table.h"
#include "core/stores/item_dialog.h"
#include "core/tabs/multi_open.h"
#include "core/tabs/search_entry_commands.h"
#include "core/tabs/tab_commands.h"
#include "core/text/charset_converter.h"
#include "platform/posix_env.h"
#include "support/doc_world.h"
#include "support/fake_clock.h"
#include "support/fake_prompter.h"
#include "support/fake_timer.h"
#include "support/tab_fakes.h"
#include "support/temp_dir.h"

namespace tolvane {
namespace {

using Source = CommandSource;

// A store file from UTF-8 record lines.
std::string StoreFile(StoreType type, const std::vector<std::string>& folders,
                      const std::vector<std::string>& items) {
  std::string text = std::string(StoreMarker(type)) + "\r\n0\r\n";
  text += std::to_string(folders.size()) + "\r\n";
  for (const auto& line : folders) text += Utf8ToSjis(line) + "\r\n";
  text += std::to_string(items.size()) + "\r\n";
  for (const auto& line : items) text += Utf8ToSjis(line) + "\r\n";
  return text;
}

std::string EngineLine(int id, int folder, const std::string& name, int order) {
  const std::string url = "http://" + name + "/";
  return std::to_string(id) + "\t" + std::to_string(folder) + "\t" + name + "\t\t\t" + url +
         "\t\t" + url + "?q=$0\t\t\t\t1\t\t0\t" + std::to_string(order);
}

std::string TabLine(int id, int group, const std::string& name, const std::string& reference,
                    int order) {
  return std::to_string(id) + "\t" + std::to_string(group) + "\t" + name + "\t\t\t" + reference +
         "\t\t" + reference + "\t" + reference + "\t\t\t0\t\t0\t" + std::to_string(order);
}

// The engine list holds two of the default engines (1010001 Alpha, 9901001
// Omega) in folder 1 and three more in folder 2.
// With tabs, group G1 holds Books (engine folder 2), Alpha and Omega; group
// G2 holds Beta and Plain (nothing to open). Rows are numbered as below.
class TabWorkspaceTest : public ::testing::Test, protected testing::DocWorld {
 protected:
  enum Row { kBooks, kAlpha, kOmega, kBeta, kPlain };

  TabWorkspaceTest() {
    testing::WriteFile(dir_ / "vq_search.eng",
                       StoreFile(StoreType::kEngineList, {"1\tShops\t0", "2\tBooks\t0"},
                                 {EngineLine(1010001, 1, "Alpha", 0),
                                  EngineLine(9901001, 1, "Omega", 1), EngineLine(2001, 2, "B1", 0),
                                  EngineLine(2002, 2, "B2", 1), EngineLine(2003, 2, "B3", 2)}));
    Set(settings::kTabTreeShowPageTab, 0);
  }
  void WriteTabs() {
    testing::WriteFile(
        dir_ / "vq_tab.tbf",
        StoreFile(
            StoreType::kTabs,
            {"-9999\t保管箱\t0\t0\t99999999\t0\t\t", "1\tG1\t0\t0\t0", "2\tG2\t0\t0\t1"},
            {TabLine(1, 1, "Books", "検索フォルダID[2]", 0),
             TabLine(2, 1, "Alpha", "検索エンジンID[1010001]", 1),
             TabLine(3, 1, "Omega", "検索エンジンID[9901001]", 2),
             TabLine(4, 2, "Beta", "検索エンジンID[2001]", 0), TabLine(5, 2, "Plain", "", 1)}));
  }
  // Loads the data directory and builds the workspace over it.
  TabWorkspace& Start() {
    EXPECT_TRUE(doc_.OnNewDocument().ok());
    Restart();
    return *ws_;
  }
  // With the tab file, G1 shown and Books selected, every page loaded.
  void StartInG1() {
    WriteTabs();
    Start();
    Choose(kBooks);
    Settle();
  }

  // A new workspace over the same document, as after a restart.
  void Restart() {
    if (commands_) commands_->RemoveFrom(router_);
    commands_.reset();
    ws_.reset();
    const TabWorkspace::Services services{
        doc_.workspace_stores(), timers_, prompter_, clock_, controls_, probe_, boxes_, boxes_};
    ws_ = std::make_unique<TabWorkspace>(services, view_);
    commands_ = std::make_unique<TabCommands>(*ws_);
    ASSERT_TRUE(commands_->AddTo(router_));
    ws_->RebuildTree();
  }

  static std::string StartPage() { return "http://start/"; }
  void Set(const IntSetting& key, int value) { Write(settings_, key, value); }
  void Settle() { testing::Settle(timers_, controls_); }
  void Choose(int record) { ws_->ChooseTreeItem(ws_->tree().FindTab(record)); }
  void ChooseGroup(int id) {
    ws_->ChooseTreeItem(ws_->tree().FindGroup(doc_.tab_folders().Find(id)));
  }
  // A command's context as a menu gives it: where, and the tree item.
  struct On {
    On(Source source = Source::kMenu, int tree_item = -1)  // NOLINT: implicit
    {
      context.source = source;
      context.tree_item = tree_item;
    }
    CommandContext context;
  };
  // The category row's menu on tab `index`.
  static On OnCategory(int index) {
    On on(Source::kCategoryBar);
    on.context.category = index;
    return on;
  }
  // Through the router, as the window runs them; searches take `keyword_`.
  void Run(CommandId id, On on = {}) {
    ASSERT_TRUE(router_.Handles(id)) << id.value();
    if (!keyword_.empty()) on.context.keyword = Keyword::FromUtf8(keyword_);
    router_.Run(id, on.context);
  }
  bool Enabled(CommandId id, On on = {}) { return router_.State(id, on.context).enabled; }
  int TabItem(int record) const { return ws_->tree().FindTab(record); }
  int GroupItem(int id) { return ws_->tree().FindGroup(doc_.tab_folders().Find(id)); }

  std::string Bar() const { return SjisToUtf8(ws_->area().Describe()); }
  std::string Tree() const { return SjisToUtf8(ws_->tree().Describe()); }
  // Whether group `id` has a last-use stamp.
  bool Stamped(int id) {
    return !doc_.tab_folders()
                .time_stamp(static_cast<std::size_t>(doc_.tab_folders().Find(id)))
                .empty();
  }
  // The address of every page in the bar, a line per category tab.
  std::string Urls() const {
    std::string out;
    const TabArea& area = ws_->area();
    for (int i = 0; i < area.category_count(); ++i) {
      for (const auto& page : area.category(i).pages()) out += page->host().url() + " ";
      out += "\n";
    }
    return out;
  }
  // Order of every tab row.
  std::string Orders() const {
    std::string out;
    for (std::size_t i = 0; i < doc_.tabs().size(); ++i) {
      out += (i == 0 ? "" : " ") + std::to_string(doc_.tabs().order(i));
    }
    return out;
  }

  std::unique_ptr<TabWorkspace> ws_;
  std::unique_ptr<TabCommands> commands_;
  CommandRouter router_;
  std::string keyword_;  // UTF-8, the keyword the search bar gives
};

TEST_F(TabWorkspaceTest, FirstStartMakesTheDefaultTabsAndOpensHomeWithTheStartPage) {
  Set(settings::kTabTreeShowPageTab, 1);
  Start().RestoreTabs(false, StartPage, "");
  Settle();
  const std::string bar = "[ホーム*: http://start/*][Alpha: Alpha*][Omega: Omega*]";
  const std::string tree =
      "タブ #0 open\n"
      "  タブグループ #1 bold open\n"
      "    ホーム #64 *\n"
      "      http://start/ #64\n"
      "    Alpha #64\n"
      "      Alpha #64\n"
      "    Omega #64\n"
      "      Omega #64\n"
      "  保管箱 #52\n";
  EXPECT_EQ(Bar(), bar);
  EXPECT_EQ(Tree(), tree);
  EXPECT_EQ(view_.frame, "http://start/ http://start/");
  EXPECT_EQ(ws_->ActiveTabId(), doc_.tabs().id(0));

  // A new engine list: the default group of this run goes and is made anew.
  view_.TakeLog();
  ws_->EngineListReloaded("http://start/");
  EXPECT_EQ(view_.TakeLog(), std::vector<std::string>{});
  Settle();
  EXPECT_EQ(Bar(), bar);
  EXPECT_EQ(Tree(), tree);
  EXPECT_EQ(doc_.tabs().size(), 6u);
}

// The start page is asked for only where one opens: reading it in mode 3
// would use up LastActivePage. An address handed over later needs a category
// tab: where none opened, the first tab opens for it.
TEST_F(TabWorkspaceTest, StartModesPickTheFirstTabTheLastActiveOneTheChosenOneOrNone) {
  struct Case {
    const char* name;
    int mode;
    int save_page_tab;
    int last_active;
    int start_tab;
    const char* bar;
    int start_page_asked;
    const char* bar_for_handover = nullptr;  // when not `bar`
  };
  const char* const kFirstTab = "[Books*: B1* B2 B3][Alpha: Alpha*][Omega: Omega*]";
  const Case cases[] = {
      {"mode 1", 1, 0, 0, -1, "[Books*: http://start/* B1 B2 B3][Alpha: Alpha*][Omega: Omega*]", 1},
      {"mode 3, last active Beta", 1, 1, 4, -1, "[Beta*: Beta*][Plain: 空白*]", 0},
      {"mode 3 set, last active Beta", 3, 0, 4, -1, "[Beta*: Beta*][Plain: 空白*]", 0},
      {"mode 0", 0, 0, 4, 3, "", 0, kFirstTab},
      {"mode 3, none active", 3, 0, 0, -1, "", 0, kFirstTab},
      {"mode 4", 4, 0, 0, 3, "[Books: B1* B2 B3][Alpha: Alpha*][Omega*: Omega*]", 0},
      {"mode 4, no such tab", 4, 0, 0, 99, "", 0, kFirstTab},
  };
  WriteTabs();
  Start();
  for (const Case& c : cases) {
    Set(settings::kMainStartMode, c.mode);
    Set(settings::kMainSavePageTab, c.save_page_tab);
    Set(settings::kMainLastActiveTab, c.last_active);
    Set(settings::kMainStartTab, c.start_tab);
    Restart();
    int asked = 0;
    ws_->RestoreTabs(
        false,
        [&asked] {
          ++asked;
          return StartPage();
        },
        "");
    Settle();
    EXPECT_EQ(Bar(), c.bar) << c.name;
    EXPECT_EQ(asked, c.start_page_asked) << c.name;
    EXPECT_TRUE(ws_->ShowSomeCategory()) << c.name;
    Settle();
    EXPECT_EQ(Bar(), c.bar_for_handover ? c.bar_for_handover : c.bar) << c.name;
  }
}

TEST_F(TabWorkspaceTest, GroupSwitchKeepsTheHiddenGroupLoadedAndReusesIt) {
  WriteTabs();
  Start();
  ChooseGroup(2);  // never opened: its first tab is selected
  Settle();
  EXPECT_EQ(Bar(), "[Beta*: Beta*][Plain: 空白*]");
  EXPECT_TRUE(Stamped(2));
  EXPECT_FALSE(Stamped(1));

  Choose(kOmega);
  Settle();
  EXPECT_EQ(Bar(),
            "[Books: B1* B2 B3][Alpha: Alpha*][Omega*: Omega*]|[Beta: Beta*~][Plain: 空白*~]");
  EXPECT_EQ(ws_->area().PoolState(kBeta), 1);
  EXPECT_TRUE(Stamped(1));

  ChooseGroup(2);  // back: the same objects, Beta selected again
  EXPECT_EQ(Bar(),
            "[Beta*: Beta*~][Plain: 空白*~]|[Books: B1*~ B2~ B3~][Alpha: Alpha*~][Omega: Omega*~]");
  ChooseGroup(1);
  EXPECT_EQ(ws_->area().current_category(), 2);
  EXPECT_EQ(ws_->area().pool_size(), 5u);
  EXPECT_EQ(Tree(),
            "タブ #0 open\n"
            "  G1 #1 bold open *\n"
            "    Books #64\n"
            "    Alpha #64\n"
            "    Omega #64\n"
            "  G2 #1 bold open\n"
            "    Beta #64\n"
            "    Plain #64\n"
            "  保管箱 #52\n");

  ChooseGroup(EngineList::kArchiveFolderId);  // opens nothing
  EXPECT_EQ(ws_->area().category_count(), 0);
  EXPECT_EQ(ws_->ActiveTabId(), 0);
  EXPECT_EQ(ws_->area().pool_size(), 5u);
}

TEST_F(TabWorkspaceTest, MovingACategoryTabRenumbersTheGroup) {
  StartInG1();
  ws_->MoveCategoryTab(0, 2);
  EXPECT_EQ(Bar(), "[Alpha: Alpha*][Omega: Omega*][Books*: B1* B2 B3]");
  EXPECT_EQ(Orders(), "2 0 1 0 1");
  EXPECT_EQ(ws_->tree().selected(), ws_->tree().FindTab(kBooks));
  EXPECT_EQ(ws_->tree().TabsOfGroup(ws_->tree().GroupItemOf(ws_->tree().selected())),
            (std::vector<int>{kAlpha, kOmega, kBooks}));
}

TEST_F(TabWorkspaceTest, DroppingATabInTheTreeMovesItsRowAndKeepsItLoaded) {
  StartInG1();
  const PageHost* alpha_page = &ws_->area().category(1).page(0).host();
  EXPECT_TRUE(ws_->DropOnTreeItem(TabItem(kAlpha), TabItem(kPlain)));
  Settle();
  EXPECT_EQ(Bar(),
            "[Beta: Beta*][Alpha*: Alpha*~][Plain: 空白*]|[Books: B1*~ B2~ B3~][Omega: Omega*~]");
  EXPECT_EQ(&ws_->area().category(1).page(0).host(), alpha_page);
  EXPECT_EQ(doc_.tabs().folder_id(kAlpha), 2);
  EXPECT_EQ(Orders(), "0 1 1 0 2");
  EXPECT_EQ(Tree(),
            "タブ #0 open\n"
            "  G1 #1 bold open\n"
            "    Books #64\n"
            "    Omega #64\n"
            "  G2 #1 bold open\n"
            "    Beta #64\n"
            "    Alpha #64 *\n"
            "    Plain #64\n"
            "  保管箱 #52\n");

  // Onto a group: at its end. Inside the shown group the row follows.
  EXPECT_TRUE(ws_->DropOnTreeItem(TabItem(kBeta), GroupItem(2)));
  Settle();
  EXPECT_EQ(Bar(),
            "[Alpha: Alpha*~][Plain: 空白*][Beta*: Beta*]|[Books: B1*~ B2~ B3~][Omega: Omega*~]");
  EXPECT_EQ(Orders(), "0 0 1 2 1");
  EXPECT_FALSE(ws_->DropOnTreeItem(TabItem(kBeta), TabItem(kBeta)));
  EXPECT_FALSE(ws_->DropOnTreeItem(TabItem(kBeta), ws_->tree().root()));
  EXPECT_FALSE(ws_->DropOnTreeItem(ws_->tree().root(), GroupItem(2)));
  EXPECT_EQ(Orders(), "0 0 1 2 1");
}

// Into the archive a tab is closed as by the close command (its pages go,
// the group it left stays shown) and keeps its group and place; out of it,
// it takes the group it is dropped in.
TEST_F(TabWorkspaceTest, DroppingATabIntoTheArchiveClosesItAndOutOfItRestoresIt) {
  StartInG1();
  EXPECT_TRUE(ws_->DropOnTreeItem(TabItem(kAlpha), GroupItem(EngineList::kArchiveFolderId)));
  Choose(kOmega);  // and onto a tab in the archive
  EXPECT_TRUE(ws_->DropOnTreeItem(TabItem(kOmega), TabItem(kAlpha)));
  EXPECT_FALSE(ws_->DropOnTreeItem(TabItem(kOmega), TabItem(kAlpha)));  // already there
  EXPECT_TRUE(doc_.tabs().archived(kAlpha));
  EXPECT_TRUE(doc_.tabs().archived(kOmega));
  EXPECT_EQ(doc_.tabs().folder_id(kAlpha), 1);
  EXPECT_EQ(Orders(), "0 1 1 0 1");
  Settle();
  EXPECT_EQ(Bar(), "[Books*: B1* B2 B3]");

  EXPECT_TRUE(ws_->DropOnTreeItem(TabItem(kAlpha), TabItem(kPlain)));
  Settle();
  EXPECT_FALSE(doc_.tabs().archived(kAlpha));
  EXPECT_EQ(doc_.tabs().folder_id(kAlpha), 2);
  EXPECT_EQ(Bar(), "[Beta: Beta*][Alpha*: Alpha*][Plain: 空白*]|[Books: B1*~ B2~ B3~]");
  EXPECT_EQ(Tree(),
            "タブ #0 open\n"
            "  G1 #1 bold open\n"
            "    Books #64\n"
            "  G2 #1 bold open\n"
            "    Beta #64\n"
            "    Alpha #64 *\n"
            "    Plain #64\n"
            "  保管箱 #52\n"
            "    Omega #64\n");
}

TEST_F(TabWorkspaceTest, DroppingAGroupFilesItUnderTheTargetButNeverBelowItself) {
  StartInG1();
  const int archive = EngineList::kArchiveFolderId;
  EXPECT_TRUE(ws_->DropOnTreeItem(GroupItem(2), GroupItem(1)));
  Settle();
  EXPECT_EQ(Tree(),
            "タブ #0 open\n"
            "  G1 #1 bold open\n"
            "    G2 #1 bold open *\n"
            "      Beta #64\n"
            "      Plain #64\n"
            "    Books #64\n"
            "    Alpha #64\n"
            "    Omega #64\n"
            "  保管箱 #52\n");
  EXPECT_EQ(Bar(),
            "[Beta*: Beta*][Plain: 空白*]|[Books: B1*~ B2~ B3~][Alpha: Alpha*~][Omega: Omega*~]");
  const std::string nested = Tree();
  struct Refused {
    const char* name;
    int dragged;
    int target;
  };
  const Refused refused[] = {
      {"onto itself", GroupItem(1), GroupItem(1)},
      {"onto its subgroup", GroupItem(1), GroupItem(2)},
      {"onto a tab of its subgroup", GroupItem(1), TabItem(kBeta)},
      {"into the archive", GroupItem(2), GroupItem(archive)},
      {"the archive", GroupItem(archive), ws_->tree().root()},
  };
  for (const Refused& r : refused) {
    EXPECT_FALSE(ws_->DropOnTreeItem(r.dragged, r.target)) << r.name;
    EXPECT_EQ(Tree(), nested) << r.name;
  }

  // Onto the root: the top level, still ahead of the archive.
  EXPECT_TRUE(ws_->DropOnTreeItem(GroupItem(2), ws_->tree().root()));
  EXPECT_EQ(SjisToUtf8(ws_->tree().item(ws_->tree().item(0).children[1]).text), "G2");
  // Onto a tab: just before the tab's group.
  EXPECT_TRUE(ws_->DropOnTreeItem(GroupItem(2), TabItem(kAlpha)));
  EXPECT_EQ(Tree(),
            "タブ #0 open\n"
            "  G2 #1 bold open *\n"
            "    Beta #64\n"
            "    Plain #64\n"
            "  G1 #1 bold open\n"
            "    Books #64\n"
            "    Alpha #64\n"
            "    Omega #64\n"
            "  保管箱 #52\n");
}

// 保管箱へ移動 files a group, tabs and all, in the archive folder, and
// 保管箱から戻す brings it back where it was. The last group outside the
// archive stays there, and a group in the archive is no home for new tabs:
// the last group outside is not deleted either.
TEST_F(TabWorkspaceTest, ArchivingAGroupFilesItInTheArchiveAndBackWhereItWas) {
  StartInG1();
  const On archive{Source::kTabTree, GroupItem(EngineList::kArchiveFolderId)};
  EXPECT_FALSE(Enabled(command::kArchiveTabGroup, archive));
  Run(command::kArchiveTabGroup, {Source::kTabTree, GroupItem(1)});
  Settle();
  EXPECT_EQ(Tree(),
            "タブ #0 open\n"
            "  G2 #1\n"
            "    Beta #64\n"
            "    Plain #64\n"
            "  保管箱 #52 open\n"
            "    G1 #1 bold open *\n"
            "      Books #64\n"
            "      Alpha #64\n"
            "      Omega #64\n");
  const On last{Source::kTabTree, GroupItem(2)};
  EXPECT_FALSE(Enabled(command::kArchiveTabGroup, last));
  EXPECT_FALSE(Enabled(command::kDeleteGroup, last));

  EXPECT_TRUE(Enabled(command::kArchiveTabGroup, {Source::kTabTree, GroupItem(1)}));
  Run(command::kArchiveTabGroup, {Source::kTabTree, GroupItem(1)});
  Settle();
  EXPECT_EQ(Tree(),
            "タブ #0 open\n"
            "  G1 #1 bold open *\n"
            "    Books #64\n"
            "    Alpha #64\n"
            "    Omega #64\n"
            "  G2 #1\n"
            "    Beta #64\n"
            "    Plain #64\n"
            "  保管箱 #52\n");
}

TEST_F(TabWorkspaceTest, ClosingATabArchivesItAndClosingItThereRestoresIt) {
  StartInG1();
  Choose(kAlpha);
  Run(command::kCloseCategoryTab);
  EXPECT_EQ(Bar(), "[Books*: B1* B2 B3][Omega: Omega*]");
  EXPECT_EQ(Tree(),
            "タブ #0 open\n"
            "  G1 #1 bold open\n"
            "    Books #64 *\n"
            "    Omega #64\n"
            "  G2 #1\n"
            "    Beta #64\n"
            "    Plain #64\n"
            "  保管箱 #52\n"
            "    Alpha #64\n");

  Choose(kAlpha);  // in the archive: nothing opens
  EXPECT_EQ(Bar(), "|[Books: B1*~ B2~ B3~][Omega: Omega*~]");
  Run(command::kCloseCategoryTab, Source::kTabTree);
  Settle();
  EXPECT_EQ(Bar(), "[Books: B1*~ B2~ B3~][Alpha*: Alpha*][Omega: Omega*~]");
  EXPECT_EQ(SjisToUtf8(ws_->tree().item(ws_->tree().selected()).text), "Alpha");
}

TEST_F(TabWorkspaceTest, ClosingTabsBesideThisOne) {
  StartInG1();
  Choose(kOmega);
  Settle();
  Run(command::kCloseCategoryTabsRight);  // the last tab: nothing to close
  EXPECT_EQ(Bar(), "[Books: B1* B2 B3][Alpha: Alpha*][Omega*: Omega*]");

  Run(command::kCloseCategoryTabsLeft, OnCategory(1));
  Settle();
  EXPECT_EQ(Bar(), "[Alpha*: Alpha*][Omega: Omega*]");
  Run(command::kCloseOtherCategoryTabs);
  EXPECT_EQ(Bar(), "[Alpha*: Alpha*]");
  Run(command::kCloseAllCategoryTabs);
  EXPECT_EQ(Bar(), "");
  EXPECT_EQ(Tree(),
            "タブ #0 open\n"
            "  G1 #1 *\n"
            "  G2 #1\n"
            "    Beta #64\n"
            "    Plain #64\n"
            "  保管箱 #52\n"
            "    Books #64\n"
            "    Alpha #64\n"
            "    Omega #64\n");
}

TEST_F(TabWorkspaceTest, NewAndDuplicatedTabsOpenInTheShownGroup) {
  StartInG1();
  ChooseGroup(1);
  Run(command::kNewCategoryTab);  // a group selected: at its end
  Settle();
  EXPECT_EQ(Bar(), "[Books: B1* B2 B3][Alpha: Alpha*][Omega: Omega*][無題*: 空白*]");
  EXPECT_EQ(Orders(), "0 1 2 0 1 3");

  // With the property dialog, Cancel makes nothing.
  Set(settings::kTabTreeCTabShowProperties, 1);
  view_.edit_answer = false;
  Run(command::kNewCategoryTab);
  EXPECT_EQ(view_.TakeLog(), std::vector<std::string>{"edit タブの新規作成"});
  EXPECT_EQ(doc_.tabs().size(), 6u);

  // Books's pages are replaced by Y on the first, X added after the last.
  ws_->area().SelectCategoryTab(0, false);
  OpenPageRequest request;
  request.category = 0;
  request.url = "http://y/";
  request.caption = "Y";
  ws_->area().OpenPage(request);
  ws_->area().AddPage(0, {.url = "http://x/", .caption = "X"});
  Run(command::kDuplicateCategoryTab);
  Settle();
  // The copy's first page was in view when its address was queued, so it
  // started at once and is still loading.
  EXPECT_EQ(Bar(),
            "[Books: Y B2 B3 X*][Books*: 読み込み中です．．． B2 B3 X* B2 B3][Alpha: Alpha*]"
            "[Omega: Omega*][無題: 空白*]");
}

TEST_F(TabWorkspaceTest, DeletingTabsAsksFirstFromTheTree) {
  StartInG1();
  Choose(kAlpha);
  Settle();
  prompter_.set_answer(false);
  Run(command::kDeleteTab, Source::kTabTree);
  EXPECT_EQ(prompter_.questions,
            std::vector<std::string>{Utf8ToSjis(
                "\"Alpha\" は完全に削除され元に戻すことはできません。本当に削除しますか?")});
  EXPECT_FALSE(doc_.tabs().deleted(kAlpha));
  EXPECT_EQ(Bar(), "[Books: B1* B2 B3][Alpha*: Alpha*][Omega: Omega*]");

  prompter_.set_answer(true);
  Run(command::kDeleteTab, Source::kTabTree);
  EXPECT_TRUE(doc_.tabs().deleted(kAlpha));
  EXPECT_EQ(Bar(), "[Books*: B1* B2 B3][Omega: Omega*]");

  // From the category row nobody is asked.
  Run(command::kDeleteTab, OnCategory(1));
  EXPECT_EQ(prompter_.questions.size(), 2u);
  EXPECT_EQ(Bar(), "[Books*: B1* B2 B3]");

  Choose(kPlain);
  Run(command::kDeleteAllTabs, Source::kTabTree);
  EXPECT_EQ(SjisToUtf8(prompter_.questions.back()),
            "\"G2\" 内のすべてのタブは完全に削除され元に戻すことはできません。本当に削除しますか?");
  EXPECT_EQ(Bar(), "|[Books: B1*~ B2~ B3~]");
  EXPECT_EQ(Tree(),
            "タブ #0 open\n"
            "  G1 #1 bold open\n"
            "    Books #64\n"
            "  G2 #1 *\n"
            "  保管箱 #52\n");
}

TEST_F(TabWorkspaceTest, PageClosesSkipUserClips) {
  struct Case {
    CommandId id;
    int current;
    const char* bar;
  };
  const Case cases[] = {
      {command::kClosePageTab, 2, "[Plain*: 空白 a*+ c d+]"},
      {command::kClosePageTab, 1, "[Plain*: 空白 a*+ b c d+]"},
      {command::kClosePageTabsRight, 2, "[Plain*: 空白 a+ b* d+]"},
      {command::kClosePageTabsLeft, 2, "[Plain*: a+ b* c d+]"},
      {command::kCloseOtherPageTabs, 2, "[Plain*: a+ b* d+]"},
      {command::kCloseAllPagesOfRow, 2, "[Plain*: a*+ d+]"},
  };
  WriteTabs();
  Start();
  Set(settings::kPageClipAction, 0);
  for (const Case& c : cases) {
    doc_.clips().Clear();
    Restart();
    Choose(kPlain);
    ws_->area().DestroyPoolObject(kBeta);
    for (const char* page : {"a", "b", "c", "d"}) {
      ws_->area().AddPage(0, {.url = std::string("http://") + page + "/", .caption = page});
    }
    ws_->area().ToggleClip(0, 1);
    ws_->area().ToggleClip(0, 4);
    ws_->area().SelectPage(0, c.current, false, false);
    Run(c.id);
    Settle();
    EXPECT_EQ(Bar(), c.bar) << c.id.value() << " at " << c.current;
  }
}

TEST_F(TabWorkspaceTest, ClipsAndFavorites) {
  StartInG1();
  Set(settings::kPageClipAction, 0);
  Run(command::kToggleClip);
  EXPECT_EQ(Bar(), "[Books*: B1*+ B2 B3][Alpha: Alpha*][Omega: Omega*]");
  Run(command::kClipAllTabs);
  EXPECT_EQ(Bar(), "[Books*: B1*+ B2+ B3+][Alpha: Alpha*][Omega: Omega*]");
  Run(command::kUnclipAllTabs);
  EXPECT_EQ(Bar(), "[Books*: B1*~ B2~ B3~][Alpha: Alpha*][Omega: Omega*]");

  Run(command::kAddAllTabsToFavorites);
  const ItemList& favorites = doc_.favorites().items();
  std::string listed;
  for (std::size_t i = 0; i < favorites.size(); ++i) {
    listed += favorites.title(i) + " " + favorites.url(i) + "\n";
  }
  EXPECT_EQ(listed, "B1 http://B1/\nB2 http://B2/\nB3 http://B3/\n");

  // The standard buttons ページクリップ and 閉じる: the shown page clipped
  // and unclipped, then closed.
  Run(command::kPageClip);
  EXPECT_EQ(Bar(), "[Books*: B1*+ B2~ B3~][Alpha: Alpha*][Omega: Omega*]");
  Run(command::kPageClip);
  Run(command::kClosePage);
  Settle();
  EXPECT_EQ(Bar(), "[Books*: B2*~ B3~][Alpha: Alpha*][Omega: Omega*]");
}

TEST_F(TabWorkspaceTest, FocusMovesWrapAround) {
  StartInG1();
  struct Step {
    CommandId id;
    const char* bar;
  };
  const Step steps[] = {
      {command::kCategoryTabLeft, "[Books: B1* B2 B3][Alpha: Alpha*][Omega*: Omega*]"},
      {command::kCategoryTabRight, "[Books*: B1* B2 B3][Alpha: Alpha*][Omega: Omega*]"},
      {command::kPageTabLeft, "[Books*: B1 B2 B3*][Alpha: Alpha*][Omega: Omega*]"},
      {command::kPageTabRight, "[Books*: B1* B2 B3][Alpha: Alpha*][Omega: Omega*]"},
      {command::kPreviousTab, "[Books: B1* B2 B3][Alpha: Alpha*][Omega*: Omega*]"},
      {command::kNextTab, "[Books*: B1* B2 B3][Alpha: Alpha*][Omega: Omega*]"},
      {command::kNextTab, "[Books*: B1 B2* B3][Alpha: Alpha*][Omega: Omega*]"},
      {command::kCategoryTabLast, "[Books: B1 B2* B3][Alpha: Alpha*][Omega*: Omega*]"},
  };
  for (const Step& step : steps) {
    Run(step.id);
    Settle();
    EXPECT_EQ(Bar(), step.bar) << step.id.value();
    EXPECT_EQ(view_.frozen, 0) << step.id.value();
  }
  EXPECT_EQ(ws_->tree().item(ws_->tree().selected()).record, kOmega);
}

TEST_F(TabWorkspaceTest, SearchesUseTheViewsKeywordAndRecordIt) {
  StartInG1();
  keyword_ = "本";
  Run(command::kSearch);
  Settle();
  EXPECT_EQ(Urls(),
            "http://B1/?q=%96%7B http://B2/?q=%96%7B http://B3/?q=%96%7B \n"
            "http://Alpha/ \n"
            "http://Omega/ \n");
  keyword_ = "cd";
  Run(command::kBatchSearch);
  Settle();
  EXPECT_EQ(Urls(),
            "http://B1/?q=cd http://B2/?q=cd http://B3/?q=cd \n"
            "http://Alpha/?q=cd \n"
            "http://Omega/?q=cd \n");
  const ItemList& keywords = doc_.keywords().items();
  ASSERT_EQ(keywords.size(), 2u);
  EXPECT_EQ(SjisToUtf8(keywords.title(0)), "本");
  EXPECT_EQ(keywords.title(1), "cd");
}

// A tab filed outside every group (as a tab made in the archive folder and
// restored ends up) opens with the other top-level tabs as one row.
TEST_F(TabWorkspaceTest, TopLevelTabsOpenAsTheirOwnRow) {
  testing::WriteFile(dir_ / "vq_tab.tbf",
                     StoreFile(StoreType::kTabs, {"1\tG1\t0\t0\t0"},
                               {TabLine(1, 1, "Books", "検索フォルダID[2]", 0),
                                TabLine(2, 0, "Alpha", "検索エンジンID[1010001]", 0),
                                TabLine(3, 0, "Plain", "", 1)}));
  Start();
  ws_->ChooseTreeItem(ws_->tree().FindTab(1));
  Settle();
  EXPECT_EQ(Bar(), "[Alpha*: Alpha*][Plain: 空白*]");
  EXPECT_EQ(ws_->shown_group(), TabWorkspace::kTopLevel);
  ws_->ChooseTreeItem(ws_->tree().FindTab(0));
  Settle();
  EXPECT_EQ(Bar(), "[Books*: B1* B2 B3]|[Alpha: Alpha*~][Plain: 空白*~]");
}

// Ctrl+T holds Ctrl, which keeps pages opened by a Ctrl-click in the
// background; the command's own page is selected anyway, next to the page
// read, and the tree highlights the page the row shows.
TEST_F(TabWorkspaceTest, NewPageCommandsSelectTheirPageWhileCtrlIsHeld) {
  Set(settings::kTabTreeShowPageTab, 1);
  StartInG1();
  ws_->area().SelectPage(0, 1, true, true);
  On ctrl;
  ctrl.context.modifiers.ctrl = true;
  view_.log.clear();
  Run(command::kNewPageTab, ctrl);
  // The blank page's address is typed next.
  EXPECT_EQ(view_.log.back(), "focus address");
  Run(command::kDuplicatePageTab, ctrl);
  Settle();
  EXPECT_EQ(Bar(), "[Books*: B1 B2 空白 空白* B3][Alpha: Alpha*][Omega: Omega*]");
  EXPECT_EQ(Tree(),
            "タブ #0 open\n"
            "  G1 #1 bold open\n"
            "    Books #64 open\n"
            "      B1 #64\n"
            "      B2 #64\n"
            "      空白 #64\n"
            "      空白 #64 *\n"
            "      B3 #64\n"
            "    Alpha #64\n"
            "      Alpha #64\n"
            "    Omega #64\n"
            "      Omega #64\n"
            "  G2 #1\n"
            "    Beta #64\n"
            "    Plain #64\n"
            "  保管箱 #52\n");

  // A page a Ctrl-click opens stays behind the page read.
  OpenPageRequest request;
  request.category = 0;
  request.url = "http://c/";
  request.caption = "C";
  request.keys.ctrl = true;
  ws_->area().OpenPage(request);
  EXPECT_EQ(Bar(), "[Books*: B1 B2 空白 空白* C B3][Alpha: Alpha*][Omega: Omega*]");
}

// The menu of a tree item acts on that item, not on the tree's selection;
// the archive folder and the last group outside it are not deleted, and
// nobody is asked about them.
TEST_F(TabWorkspaceTest, TreeCommandsActOnTheirItemAndKeepAGroup) {
  StartInG1();
  const std::string g1_shown = "[Books*: B1* B2 B3][Alpha: Alpha*][Omega: Omega*]";
  const On archive{Source::kTabTree, GroupItem(EngineList::kArchiveFolderId)};
  EXPECT_FALSE(Enabled(command::kDeleteGroup, archive));
  Run(command::kDeleteGroup, archive);
  prompter_.set_answer(false);
  Run(command::kDeleteAllTabs, {Source::kTabTree, TabItem(kPlain)});
  EXPECT_EQ(SjisToUtf8(prompter_.questions.back()),
            "\"G2\" 内のすべてのタブは完全に削除され元に戻すことはできません。本当に削除しますか?");
  EXPECT_EQ(prompter_.questions.size(), 1u);
  EXPECT_EQ(Bar(), g1_shown);
  EXPECT_EQ(ws_->tree().selected(), TabItem(kBooks));

  // Chosen on a tab of the hidden group: that tab is shown and searched.
  keyword_ = "x";
  Run(command::kSearchInTab, {Source::kTabTree, TabItem(kBeta)});
  Settle();
  EXPECT_EQ(Bar(),
            "[Beta*: Beta*][Plain: 空白*]|[Books: B1*~ B2~ B3~][Alpha: Alpha*~][Omega: Omega*~]");
  EXPECT_EQ(Urls(), "http://B1/?q=x \nabout:blank \n");

  prompter_.set_answer(true);
  EXPECT_TRUE(Enabled(command::kDeleteGroup, {Source::kTabTree, GroupItem(1)}));
  Run(command::kDeleteGroup, {Source::kTabTree, GroupItem(1)});
  const On last{Source::kTabTree, GroupItem(2)};
  EXPECT_FALSE(Enabled(command::kDeleteGroup, last));
  Run(command::kDeleteGroup, last);
  EXPECT_EQ(prompter_.questions.size(), 2u);
  Run(command::kNewCategoryTab, last);
  Settle();
  EXPECT_EQ(Bar(), "[Beta: Beta*][Plain: 空白*][無題*: 空白*]");
  EXPECT_EQ(Tree(),
            "タブ #0 open\n"
            "  G2 #1 bold open\n"
            "    Beta #64\n"
            "    Plain #64\n"
            "    無題 #64 *\n"
            "  保管箱 #52\n");
}

// With OptionPageClip/Action 1 a clip is a copy in a tab of its own; a
// press on the page whose copy is open leads there instead of cloning it
// again, and a press on the copy releases it.
// Back, forward and stop act on the page shown; home loads the start page
// there.
TEST_F(TabWorkspaceTest, PageNavigationCommandsActOnTheShownPage) {
  Write(settings_, settings::kMainStartPage, std::string("http://home/"));
  StartInG1();
  TabArea& area = ws_->area();
  PageHost& shown = area.category(0).page(area.category(0).current_page()).host();
  testing::FakeBrowserControl& engine = *controls_.made.at(&shown);
  engine.can_go_back = true;
  EXPECT_TRUE(Enabled(command::kBack, {}));
  EXPECT_FALSE(Enabled(command::kForward, {}));
  // A page that is not loading has nothing to stop: the router refuses it.
  EXPECT_FALSE(Enabled(command::kStop, {}));
  controls_.log.clear();
  Run(command::kBack);
  Run(command::kStop);
  Run(command::kHome);
  EXPECT_EQ(controls_.log, (std::vector<std::string>{"page.GoBack", "page.Navigate http://home/"}));
  Settle();
  EXPECT_EQ(Bar(), "[Books*: http://home/* B2 B3][Alpha: Alpha*][Omega: Omega*]");
}

TEST_F(TabWorkspaceTest, ClipCopiesAreMadeOnce) {
  StartInG1();
  Run(command::kToggleClip);
  Run(command::kToggleClip);
  Settle();
  EXPECT_EQ(Bar(), "[Books*: B1 B1*+ B2 B3][Alpha: Alpha*][Omega: Omega*]");
  Run(command::kToggleClip);
  EXPECT_EQ(Bar(), "[Books*: B1 B1*~ B2 B3][Alpha: Alpha*][Omega: Omega*]");
  EXPECT_EQ(doc_.clips().size(), 1u);
}

// Each start shows the start page and the pages kept at the last exit;
// starting and leaving again and again keeps the same pages.
TEST_F(TabWorkspaceTest, StartAndExitCyclesKeepTheSavedPages) {
  Set(settings::kMainStartMode, 2);
  std::string first_bar;
  for (int cycle = 0; cycle < 3; ++cycle) {
    if (cycle == 0) {
      Start();
    } else {
      Restart();
    }
    ws_->RestoreTabs(false, StartPage, "");
    Settle();
    if (cycle == 0) first_bar = Bar();
    EXPECT_EQ(Bar(), cycle == 0 ? "[ホーム*: http://start/*][Alpha: Alpha*][Omega: Omega*]"
                                : "[ホーム*: http://start/*~][Alpha: Alpha*~][Omega: Omega*~]")
        << cycle;
    ws_->area().SaveOpenPages();
    EXPECT_EQ(doc_.clips().size(), 3u) << cycle;
  }
}

// Pages saved when another program could still hand over any address come
// back not loaded unless they are web pages, and the next save keeps their
// records as they were. Refresh loads one.
TEST_F(TabWorkspaceTest, SavedPagesOfOtherSchemesComeBackNotLoaded) {
  Set(settings::kMainStartMode, 2);
  Start();
  ws_->RestoreTabs(false, StartPage, "");
  for (const char* url : {"javascript:alert(1)", "HTTPS://shop/", "file:///etc/passwd",
                          "data:text/html,<b>x</b>", "view-source:http://a/", "about:blank"}) {
    ws_->area().AddPage(0, {.url = url, .activate = false});
  }
  Settle();
  ws_->area().SaveOpenPages();
  auto records = [this] {
    std::string out;
    for (std::size_t i = 0; i < doc_.clips().size(); ++i) {
      out += doc_.clips().title(i) + "|" + doc_.clips().url(i) + "\n";
    }
    return out;
  };
  const std::string saved = records();

  Restart();
  ws_->RestoreTabs(false, StartPage, "");
  Settle();
  auto pages = [this] {
    std::string out;
    for (const auto& page : ws_->area().category(0).pages()) {
      const PageHost& host = page->host();
      out += host.url() + (host.load_state() == LoadState::kLoaded ? "" : " (not loaded)") + "\n";
    }
    return out;
  };
  EXPECT_EQ(pages(),
            "http://start/\n"
            "javascript:alert(1) (not loaded)\n"
            "HTTPS://shop/\n"
            "file:///etc/passwd (not loaded)\n"
            "data:text/html,<b>x</b> (not loaded)\n"
            "view-source:http://a/ (not loaded)\n"
            "about:blank\n");
  EXPECT_EQ(SjisToUtf8(ws_->area().category(0).page(1).host().status_text()),
            "読み込んでいません。更新すると読み込みます。");
  ws_->area().SaveOpenPages();
  EXPECT_EQ(records(), saved);

  ws_->area().category(0).page(5).host().Refresh();
  Settle();
  EXPECT_EQ(ws_->area().category(0).page(5).host().load_state(), LoadState::kLoaded);
}

// The search bar's buttons and menus: an engine searches in the shown
// category or, with the tabs focused, becomes a tab beside the selection; a
// tab is chosen and searched, or only chosen where the keys say so.
TEST_F(TabWorkspaceTest, BarButtonsSearchTheirEngineOrTabOrAddTheEngineAsATab) {
  Set(settings::kFindBarFindOption1, 0);
  Write(settings_, settings::kFindBarButtonIDs, "-1,EE2001,XX,TE4,EE2002");
  StartInG1();
  SearchEntryCommands search(
      *ws_, boxes_,
      {settings_, doc_.engine_folders(), doc_.engines(), doc_.tab_folders(), doc_.tabs()});
  doc_.engines().set_on_search_bar(2, true);  // B1
  doc_.tabs().set_on_search_bar(kBeta, true);
  ASSERT_TRUE(search.RefreshButtons());
  EXPECT_FALSE(search.RefreshButtons());
  // EE2002 is not flagged: no button, and its number goes to nobody.
  EXPECT_EQ(SjisToUtf8(search.Describe()),
            "[-1 32842 まとめて検索 #54][EE2001 34701 B1 #64][TE4 34702 Beta #64]");

  CommandRouter router;
  ASSERT_TRUE(router.Add(search));
  CommandContext context;
  context.keyword = Keyword::FromUtf8("cd");
  EXPECT_FALSE(router.State(CommandId(34703)).enabled);
  ASSERT_TRUE(router.Run(CommandId(34701), context));
  Settle();
  EXPECT_EQ(Urls(), "http://B1/?q=cd http://B2/ http://B3/ \nhttp://Alpha/ \nhttp://Omega/ \n");

  context.tabs_focused = true;
  ASSERT_TRUE(router.Run(CommandId(34701), context));
  Settle();
  EXPECT_EQ(Bar(), "[Books: B1* B2 B3][B1*: B1*][Alpha: Alpha*][Omega: Omega*]");

  context.tabs_focused = false;
  ASSERT_TRUE(router.Run(CommandId(34702), context));
  Settle();
  EXPECT_EQ(Urls(), "http://B1/?q=cd \nabout:blank \n");

  // From the tab button's menu with FindOption1 0 the tab is only chosen.
  context.list_row = kAlpha;
  ASSERT_TRUE(router.Run(command::kTabButtonChoice, context));
  Settle();
  EXPECT_EQ(Bar(),
            "[Books: B1*~ B2~ B3~][B1: B1*~][Alpha*: Alpha*~][Omega: Omega*~]|"
            "[Beta: Beta*~][Plain: 空白*~]");
  EXPECT_EQ(
      Urls(),
      "http://B1/?q=cd http://B2/ http://B3/ \nhttp://B1/ \nhttp://Alpha/ \nhttp://Omega/ \n");
}

// The page's selection, the tab group drop-down's tabs and the engine
// submenus of the category menu and the tab tree.
TEST_F(TabWorkspaceTest, SelectionGroupTabAndEngineMenuCommands) {
  StartInG1();
  SearchEntryCommands search(
      *ws_, boxes_,
      {settings_, doc_.engine_folders(), doc_.engines(), doc_.tab_folders(), doc_.tabs()});
  CommandRouter router;
  ASSERT_TRUE(router.Add(search));
  CommandContext context;
  // No selection: nothing searched, nothing counted.
  ASSERT_TRUE(router.Run(command::kSearchSelection, context));
  context.keyword = Keyword::FromUtf8("");
  ASSERT_TRUE(router.Run(command::kSearchSelection, context));
  EXPECT_EQ(doc_.keywords().items().size(), 0u);

  context.keyword = Keyword::FromUtf8("ab");
  ASSERT_TRUE(router.Run(command::kBatchSearchSelection, context));
  Settle();
  EXPECT_EQ(Urls(),
            "http://B1/?q=ab http://B2/?q=ab http://B3/?q=ab \nhttp://Alpha/?q=ab "
            "\nhttp://Omega/?q=ab \n");

  // The second tab of G2 (Plain, nothing to search) and of G1 (Alpha).
  context.keyword = Keyword::FromUtf8("xy");
  context.tree_item = GroupItem(1);
  EXPECT_FALSE(router.State(CommandId(34603), context).enabled);
  ASSERT_TRUE(router.Run(CommandId(34601), context));
  Settle();
  EXPECT_EQ(Urls(),
            "http://B1/?q=ab http://B2/?q=ab http://B3/?q=ab \nhttp://Alpha/?q=xy "
            "\nhttp://Omega/?q=ab \n");
  EXPECT_EQ(Bar(), "[Books: B1* B2 B3][Alpha*: Alpha*][Omega: Omega*]");

  // 32971 on the category row's Books: the engine B2 as a tab beside it.
  CommandContext menu;
  menu.source = CommandSource::kCategoryBar;
  menu.category = 0;
  menu.list_row = 3;
  ASSERT_TRUE(router.Run(command::kNewTabWithEngine, menu));
  Settle();
  EXPECT_EQ(Bar(), "[Books: B1* B2 B3][B2*: B2*][Alpha: Alpha*][Omega: Omega*]");
  // 32950 on group G2 in the tab tree: at the group's end.
  menu.source = CommandSource::kTabTree;
  menu.tree_item = GroupItem(2);
  menu.list_row = 4;
  ASSERT_TRUE(router.Run(command::kCreateTabWithEngine, menu));
  Settle();
  EXPECT_EQ(Bar(),
            "[Beta: Beta*][Plain: 空白*][B3*: B3*]|"
            "[Books: B1*~ B2~ B3~][Alpha: Alpha*~][Omega: Omega*~][B2: B2*~]");
  menu.list_row = 99;
  EXPECT_FALSE(router.State(command::kCreateTabWithEngine, menu).enabled);
}

// A folder or engine dropped from the search tree gets its button where it
// was dropped; an unknown item changes nothing.
TEST_F(TabWorkspaceTest, DropsOnTheSearchBarFlagTheItemAndMoveItsToken) {
  Write(settings_, settings::kFindBarButtonIDs, "-1, EE2001 ,-2");
  StartInG1();
  SearchEntryCommands search(
      *ws_, boxes_,
      {settings_, doc_.engine_folders(), doc_.engines(), doc_.tab_folders(), doc_.tabs()});
  search.RefreshButtons();
  const SearchBarButtons::Token before{SearchBarButtons::Kind::kBuiltIn, 2};
  EXPECT_TRUE(search.DropOnBar("EF2", &before));
  EXPECT_TRUE(search.DropOnBar("EE2003", nullptr));
  EXPECT_FALSE(search.DropOnBar("EE77", nullptr));
  EXPECT_FALSE(search.DropOnBar("TE1", nullptr));
  EXPECT_EQ(Read(settings_, settings::kFindBarButtonIDs), "-1,EE2001,EF2,-2,EE2003");
  EXPECT_EQ(SjisToUtf8(search.Describe()),
            "[-1 32842 まとめて検索 #54][EF2 34701 Books][-2 32843 ページ内を検索 #55]"
            "[EE2003 34703 B3 #64]");
}

}  // namespace
}  // namespace tolvane

namespace tolvane {
namespace {

// Every number of the tab subjects, in row order.
std::vector<CommandId> TabCommandIds(TabCommands& commands) {
  std::vector<CommandId> ids;
  for (const CommandHandler* handler : commands.handlers()) {
    for (const CommandSpan& span : handler->Spans()) {
      for (int id = span.first.value(); id <= span.last.value(); ++id) ids.emplace_back(id);
    }
  }
  return ids;
}

// The router the window builds has a handler for every tab command; which
// of them are enabled where follows what each needs (a tab, a page, a
// tree item of the right kind, a page that can go back or is loading); and
// every one runs from every place a command is given without harm.
TEST_F(TabWorkspaceTest, EveryTabCommandHasAHandlerAStateAndARun) {
  StartInG1();
  const std::vector<CommandId> ids = TabCommandIds(*commands_);
  const std::vector<std::pair<std::string, On>> places = {
      {"menu", On()},
      {"row", OnCategory(1)},
      {"tab item", On(Source::kTabTree, TabItem(kAlpha))},
      {"group item", On(Source::kTabTree, GroupItem(2))},
      {"archive", On(Source::kTabTree, GroupItem(EngineList::kArchiveFolderId))},
  };
  std::string disabled;
  for (const auto& [name, on] : places) {
    disabled += name + ":";
    for (const CommandId id : ids) {
      ASSERT_TRUE(router_.Handles(id)) << id.value();
      if (!Enabled(id, on)) disabled += " " + std::to_string(id.value());
    }
    disabled += "\n";
  }
  // From the tree a group names no tab: only what needs no tab, the
  // current page's commands and the group's own stay enabled.
  const std::string no_tab =
      " 32881 32981 32884 32973 32974 32975 32885 32901 32902 32917 32916 32791 32792 32794"
      " 32882 32892 32895 32893 32894 32978 32979 32980 32883 32903 32904 32918 32919 32905"
      " 32907 32948 32949";
  EXPECT_EQ(disabled,
            "menu: 32791 32792 32794 32957 32966\n"
            "row: 32791 32792 32794 32957 32966\n"
            "tab item: 32791 32792 32794 32957 32966\n"
            "group item:" +
                no_tab +
                " 32972\n"
                "archive:" +
                no_tab + " 32957 32966 32972\n");

  // Deletes are answered No and the property dialog is cancelled: what runs
  // changes tabs and pages only. Each place sees the state the last left.
  prompter_.set_answer(false);
  view_.edit_answer = false;
  for (const auto& [name, on] : places) {
    for (const CommandId id : ids) {
      Run(id, on);
      Settle();
    }
  }
  EXPECT_EQ(view_.frozen, 0);
  EXPECT_GE(ws_->tree().selected(), 0);
}

// Favorites folder 11 "Shops" lists shop1..shop5 by title (not "other");
// the same lines make history folder 11.
class MultiOpenTest : public TabWorkspaceTest {
 protected:
  MultiOpenTest() {
    const std::vector<std::string> folders = {"0\t-1\t0\tお気に入り", "5\t0\t0\tタグ別",
                                              "11\t0\t0\tShops\tshop\t0\t0\t4"};
    const std::vector<std::string> items = {"1\tshop3\thttp://s3/", "2\tshop1\thttp://s1/",
                                            "3\tother\thttp://o/",  "4\tshop2\thttp://s2/",
                                            "5\tshop5\thttp://s5/", "6\tshop4\thttp://s4/"};
    testing::WriteFile(dir_ / "vq_favorite.fvf", StoreFile(StoreType::kFavorites, folders, items));
    testing::WriteFile(dir_ / "vq_history.his", StoreFile(StoreType::kHistory, folders, items));
  }
  // Origin kind and record of every page of the current category.
  std::string Origins() const {
    std::string out;
    const TabArea& area = ws_->area();
    for (const auto& page : area.category(area.current_category()).pages()) {
      out += std::to_string(page->origin_kind()) + "/" + std::to_string(page->origin_index()) + " ";
    }
    return out;
  }
};

TEST_F(MultiOpenTest, OpensTheFolderListingAfterThePageOrInANewTab) {
  StartInG1();
  view_.TakeLog();
  struct Step {
    const char* what;
    const ItemStore& store;
    int mode, max_open, confirm;
    int first_item;
    int opened;
    const char* bar;
    const char* origins;  // of the current category's pages, when checked
  };
  const char* const kAfterHistory =
      "[Books*: B1 shop1 shop2* shop3 shop2 shop3 shop4 shop5 B2 B3][Alpha: Alpha*]"
      "[Omega: Omega*]";
  const Step steps[] = {
      {"mode 0: after the current page, in the folder's order", doc_.favorites(), 0, 20, 0, -1, 5,
       "[Books*: B1 shop1* shop2 shop3 shop4 shop5 B2 B3][Alpha: Alpha*][Omega: Omega*]",
       "-1/-1 1/1 1/3 1/0 1/5 1/4 -1/-1 -1/-1 "},
      {"from an item on, at most MaxOpen", doc_.history(), 0, 2, 0, 3, 2, kAfterHistory,
       "-1/-1 1/1 3/3 3/0 1/3 1/0 1/5 1/4 -1/-1 -1/-1 "},
      {"an item the folder does not list", doc_.favorites(), 0, 20, 0, 2, 0, kAfterHistory,
       nullptr},
      {"keywords are not opened", doc_.keywords(), 0, 20, 0, -1, 0, kAfterHistory, nullptr},
      {"the confirmation cancelled", doc_.favorites(), 0, 20, 1, -1, 0, kAfterHistory, nullptr},
      {"mode 1: a new tab named after the folder", doc_.favorites(), 1, 3, 0, -1, 3,
       "[Books: B1 shop1 shop2* shop3 shop2 shop3 shop4 shop5 B2 B3][Shops*: shop1* shop2 shop3]"
       "[Alpha: Alpha*][Omega: Omega*]",
       "1/1 1/3 1/0 "},
  };
  for (const Step& step : steps) {
    Set(settings::kMultiOpenOpenMode, step.mode);
    Set(settings::kMultiOpenMaxOpen, step.max_open);
    Set(settings::kMultiOpenShowConfirm, step.confirm);
    EXPECT_EQ(MultiOpen(*ws_, step.store, 11, step.first_item), step.opened) << step.what;
    Settle();
    EXPECT_EQ(Bar(), step.bar) << step.what;
    if (step.origins != nullptr) {
      EXPECT_EQ(Origins(), step.origins) << step.what;
    }
  }
  EXPECT_EQ(view_.TakeLog(), std::vector<std::string>{"confirm 1 0 20"});
  EXPECT_EQ(doc_.tabs().size(), 6U) << "one tab record, for the folder";
}

// The answer of the confirmation decides and is kept; not asking again
// then uses the kept values.
TEST_F(MultiOpenTest, TheConfirmationsAnswerIsWrittenBack) {
  StartInG1();
  view_.multi_open = MultiOpenChoice{.open_mode = 1, .max_open = 2, .dont_ask_again = true};
  EXPECT_EQ(MultiOpen(*ws_, doc_.history(), 11), 2);
  Settle();
  EXPECT_EQ(Bar(), "[Books: B1* B2 B3][Shops*: shop1* shop2][Alpha: Alpha*][Omega: Omega*]");
  EXPECT_EQ(Read(settings_, settings::kMultiOpenOpenMode), 1);
  EXPECT_EQ(Read(settings_, settings::kMultiOpenMaxOpen), 2);
  EXPECT_EQ(Read(settings_, settings::kMultiOpenShowConfirm), 0);

  view_.TakeLog();
  EXPECT_EQ(MultiOpen(*ws_, doc_.favorites(), 11, 0), 2);
  Settle();
  EXPECT_EQ(Bar(),
            "[Books: B1* B2 B3][Shops: shop1* shop2][Shops*: shop3* shop4][Alpha: Alpha*]"
            "[Omega: Omega*]");
  for (const std::string& entry : view_.TakeLog())
    EXPECT_EQ(entry.rfind("confirm", 0), std::string::npos);
}

// "このページをお気に入りに追加": add-or-count, then the properties dialog;
// the status icon follows the favorite at once.
TEST_F(MultiOpenTest, AddingThisPageToTheFavorites) {
  StartInG1();
  view_.TakeLog();
  view_.item_edit = [this](ItemStore& store, std::size_t index) {
    ItemDialog dialog(store, index, settings_);
    dialog.SetImportance(2);
    EXPECT_EQ(dialog.Save(), 0);
  };
  const ItemList& items = doc_.favorites().items();
  auto favorite = [&items](const std::string& url) {
    const int i = items.FindByUrl(url);
    return i < 0 ? std::string("none")
                 : SjisToUtf8(items.title(static_cast<std::size_t>(i))) + " " +
                       std::to_string(items.importance(static_cast<std::size_t>(i)));
  };
  On second;
  second.context.page = 1;
  On third;
  third.context.page = 2;

  EXPECT_TRUE(Enabled(command::kAddFavorite));
  Run(command::kAddFavorite);
  EXPECT_EQ(favorite("http://B1/"), "B1 2");
  EXPECT_EQ(view_.status_icon, 3);
  // Already a favorite: refreshed, and the dialog opens on it again.
  view_.item_edit = nullptr;
  clock_.Set({2026, 12, 7, 11, 0, 0});
  Run(command::kAddFavorite);
  EXPECT_EQ(favorite("http://B1/"), "B1 2");
  EXPECT_EQ(items.updated(static_cast<std::size_t>(items.FindByUrl("http://B1/"))),
            "2026/12/07 11:00:00");
  // Without the dialog, on the page the menu was opened on.
  Set(settings::kFavoriteShowProperties, 0);
  Run(command::kAddFavorite, second);
  EXPECT_EQ(favorite("http://B2/"), "B2 0");
  // At the limit: string 1019, no item, no dialog.
  Set(settings::kFavoriteShowProperties, 1);
  Set(settings::kFavoriteMaxData, static_cast<int>(items.CountLive()));
  Run(command::kAddFavorite, third);
  EXPECT_EQ(favorite("http://B3/"), "none");
  EXPECT_EQ(prompter_.stops, std::vector<std::string>{LoadString(string_id::kFavoritesLimit)});
  EXPECT_EQ(view_.TakeLog(), (std::vector<std::string>{"edit item B1", "edit item B1"}));
  EXPECT_EQ(items.CountLive(), 8U);
}

}  // namespace
}  // namespace tolvane
