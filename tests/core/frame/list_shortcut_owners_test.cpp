#include "core/frame/list_shortcut_owners.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "core/app/tolvane_doc.h"
#include "core/commands/command_table.h"
#include "core/files/setting_keys.h"
#include "core/tabs/tab_workspace.h"
#include "platform/posix_env.h"
#include "support/doc_world.h"
#include "support/fake_clock.h"
#include "support/fake_prompter.h"
#include "support/fake_timer.h"
#include "support/tab_fakes.h"
#include "support/temp_dir.h"

namespace tolvane {
namespace {

std::string StoreFile(StoreType type, const std::vector<std::string>& folders,
                      const std::vector<std::string>& items) {
  std::string text = std::string(StoreMarker(type)) + "\r\n0\r\n";
  text += std::to_string(folders.size()) + "\r\n";
  for (const auto& line : folders) text += Utf8ToSjis(line) + "\r\n";
  text += std::to_string(items.size()) + "\r\n";
  for (const auto& line : items) text += Utf8ToSjis(line) + "\r\n";
  return text;
}

std::string EngineLine(int id, int folder, const std::string& name) {
  const std::string url = "http://" + name + "/";
  return std::to_string(id) + "\t" + std::to_string(folder) + "\t" + name + "\t\t\t" + url +
         "\t\t" + url + "?q=$0\t\t\t\t1";
}

std::string TabLine(int id, int group, const std::string& name, int engine, int order) {
  const std::string reference = "検索エンジンID[" + std::to_string(engine) + "]";
  return std::to_string(id) + "\t" + std::to_string(group) + "\t" + name + "\t\t\t" + reference +
         "\t\t" + reference + "\t" + reference + "\t\t\t0\t\t0\t" + std::to_string(order);
}

// Back, the only command here, logged.
class Navigation : public CommandRows<Navigation> {
 public:
  Navigation() : CommandRows(kRows) {}
  void Log(const CommandContext& context) { log += std::to_string(context.command.value()); }
  static constexpr Row kRows[] = {{command::kBack, &Navigation::Log}};
  std::string log;
};

// Engine folders Shops {Alpha, Omega} and Books {B1, B2}; tab groups G1
// {Alpha, Omega} and G2 {Beta over B1}. Typed letters: engine Alpha "al",
// folder Books "bk", tab Beta "be", group G2 "gg".
class ListShortcutOwnersTest : public ::testing::Test, protected testing::DocWorld {
 protected:
  ListShortcutOwnersTest() {
    testing::WriteFile(dir_ / "vq_search.eng",
                       StoreFile(StoreType::kEngineList, {"1\tShops\t0", "2\tBooks\t0"},
                                 {EngineLine(1010001, 1, "Alpha"), EngineLine(9901001, 1, "Omega"),
                                  EngineLine(2001, 2, "B1"), EngineLine(2002, 2, "B2")}));
    testing::WriteFile(
        dir_ / "vq_tab.tbf",
        StoreFile(StoreType::kTabs,
                  {"-9999\t保管箱\t0\t0\t99999999\t0\t\t", "1\tG1\t0\t0\t0", "2\tG2\t0\t0\t1"},
                  {TabLine(1, 1, "Alpha", 1010001, 0), TabLine(2, 1, "Omega", 9901001, 1),
                   TabLine(3, 2, "Beta", 2001, 0)}));
    Write(settings_, settings::kTabTreeShowPageTab, 0);
    EXPECT_TRUE(doc_.OnNewDocument().ok());
    doc_.engines().set_shortcut(0, "al");
    doc_.engine_folders().set_shortcut(static_cast<std::size_t>(doc_.engine_folders().Find(2)),
                                       "bk");
    doc_.tabs().set_shortcut(2, "be");
    doc_.tab_folders().set_shortcut(static_cast<std::size_t>(doc_.tab_folders().Find(2)), "gg");
    const TabWorkspace::Services services{
        doc_.workspace_stores(), timers_, prompter_, clock_, controls_, probe_, boxes_, boxes_};
    ws_ = std::make_unique<TabWorkspace>(services, view_);
    ws_->RebuildTree();
    ws_->ChooseTreeItem(ws_->tree().FindTab(0));
    Settle();
    router_.Add(navigation_);
  }

  bool Typed(const std::string& letters) {
    const bool found = dispatcher_.Dispatch(MatchKind::kTypedShortcut, letters, false);
    Settle();
    return found;
  }
  void Settle() { testing::Settle(timers_, controls_); }
  // Every category tab in the bar, then each of its pages' addresses.
  std::string Bar() const {
    std::string out = SjisToUtf8(ws_->area().Describe());
    const TabArea& area = ws_->area();
    for (int i = 0; i < area.category_count(); ++i) {
      for (const auto& page : area.category(i).pages()) out += " " + page->host().url();
    }
    return out;
  }

  std::unique_ptr<TabWorkspace> ws_;
  CommandRouter router_;
  Navigation navigation_;
  ListShortcutOwners owners_{
      doc_.engine_folders(), doc_.engines(), doc_.tab_folders(), doc_.tabs(), router_, [] {
        CommandContext context;
        context.keyword = Keyword::FromUtf8("kw");
        return context;
      }};
  CommandDispatcher dispatcher_{doc_.commands(), owners_};
};

TEST_F(ListShortcutOwnersTest, TypedLettersSearchTheirShopsAndOpenTheirTabs) {
  ASSERT_EQ(Bar(), "[Alpha*: Alpha*][Omega: Omega*] http://Alpha/ http://Omega/");
  // Nothing happens until the workspace is there.
  EXPECT_TRUE(Typed("al"));
  EXPECT_EQ(Bar(), "[Alpha*: Alpha*][Omega: Omega*] http://Alpha/ http://Omega/");
  owners_.set_workspace(ws_.get());

  // An engine searches the keyword in the current category tab.
  EXPECT_TRUE(Typed("al"));
  EXPECT_EQ(Bar(), "[Alpha*: Alpha*][Omega: Omega*] http://Alpha/?q=kw http://Omega/");
  // A tab group opens its tabs; a tab is chosen and searched.
  EXPECT_TRUE(Typed("gg"));
  EXPECT_EQ(Bar(), "[Beta*: Beta*]|[Alpha: Alpha*~][Omega: Omega*~] http://B1/");
  EXPECT_TRUE(Typed("be"));
  EXPECT_EQ(Bar(), "[Beta*: Beta*]|[Alpha: Alpha*~][Omega: Omega*~] http://B1/?q=kw");
  // An engine folder becomes a search tab of the shown group and is searched.
  EXPECT_TRUE(Typed("bk"));
  EXPECT_EQ(Bar(),
            "[Beta: Beta*][Books*: B1* B2]|[Alpha: Alpha*~][Omega: Omega*~] http://B1/?q=kw "
            "http://B1/?q=kw http://B2/?q=kw");
  EXPECT_EQ(doc_.tabs().size(), 4u);
  // Nobody owns "b"; a deleted engine owns nothing; a command's gesture runs it.
  EXPECT_FALSE(Typed("b"));
  doc_.engines().MarkDeleted(0);
  EXPECT_FALSE(Typed("al"));
  EXPECT_TRUE(dispatcher_.Dispatch(MatchKind::kGesture, Utf8ToSjis("←"), false));
  EXPECT_EQ(navigation_.log, "32791");
}

}  // namespace
}  // namespace tolvane
