#pragma once

#include <string>

#include "core/commands/command_handler.h"
#include "core/search/search_bar_buttons.h"

namespace tolvane {

class CategoryFolderTree;
class EngineList;
class KeywordBoxes;
class SettingsStore;
class TabWorkspace;

// The search entry points besides the tab search and the batch search: the
// page's selected text (59153, 59154), the tab group drop-down's tabs
// (34600 + i), the search bar's configurable buttons (34700 + i), one engine
// or one tab named in the context (the entries of the bar's folder, group
// and tab button menus), and a new tab made from an engine (32971 from the
// category menu, 32950 from the tab tree).
//
// It also keeps the layout of the bar's buttons that is shown, so a button's
// command is always read against the buttons the user saw.
//
// Engine command (an "EE" button or an engine of a menu): the keyword goes
// into the side bar's box and is searched with that engine in the current
// category; given while the tab tree or the category row had the focus it
// adds the engine as a tab of the tree's selected group instead.
// Tab command (a "TE" button or a tab of a menu): the tab is chosen in the
// tab tree and searched with the keyword; with the tabs focused, or from the
// tab button's menu when FindOption1 is 0, it is only chosen.
class SearchEntryCommands : public CommandRows<SearchEntryCommands> {
 public:
  // What the buttons and the new tabs are made from; all outlive the
  // handler.
  struct Stores {
    SettingsStore& settings;
    CategoryFolderTree& engine_folders;
    EngineList& engines;
    CategoryFolderTree& tab_groups;
    EngineList& tabs;
  };

  SearchEntryCommands(TabWorkspace& workspace, KeywordBoxes& boxes, const Stores& stores);

  // Works the buttons out again from ButtonIDs, ShowNoText and the lists;
  // true when they differ from the ones shown, which they then replace.
  bool RefreshButtons();
  const SearchBarButtons& buttons() const { return buttons_; }

  // A folder or engine dropped on the bar before the button of `before`
  // (at the end when null): flags it, moves its token in ButtonIDs and
  // works the buttons out again. False when `drop` names no live item.
  // `drop` is a token text, "EF<folder id>" or "EE<engine id>".
  bool DropOnBar(const std::string& drop, const SearchBarButtons::Token* before);

  // The keyword a command of the bar or of the page takes, as the window
  // tells it: "the page had the focus" reads its selection, "the keyword
  // box had it" the box; anything else the side bar's box.
  void SearchSelection(const CommandContext& context);
  void BatchSearchSelection(const CommandContext& context);
  void GroupTab(const CommandContext& context);
  void BarButton(const CommandContext& context);
  void EngineCommand(const CommandContext& context);
  void TabCommand(const CommandContext& context);
  void TabButtonChoice(const CommandContext& context);
  void NewTabWithEngine(const CommandContext& context);
  void CreateTabWithEngine(const CommandContext& context);

  bool HasCategory(const CommandContext& context) const;
  bool HasBarButton(const CommandContext& context) const;
  bool HasEngine(const CommandContext& context) const;
  bool HasTab(const CommandContext& context) const;
  bool HasGroupTab(const CommandContext& context) const;

  // "[EE5 34701 Shop #64]…" of the shown buttons, for tests.
  std::string Describe() const { return buttons_.Describe(); }

  static constexpr Row kRows[] = {
      {command::kSearchSelection, &SearchEntryCommands::SearchSelection,
       &SearchEntryCommands::HasCategory},
      {command::kBatchSearchSelection, &SearchEntryCommands::BatchSearchSelection,
       &SearchEntryCommands::HasCategory},
      {command::kTabGroupTabFirst, command::kTabGroupTabLast, &SearchEntryCommands::GroupTab,
       &SearchEntryCommands::HasGroupTab},
      {command::kBarButtonFirst, command::kBarButtonLast, &SearchEntryCommands::BarButton,
       &SearchEntryCommands::HasBarButton},
      {command::kEngineCommand, &SearchEntryCommands::EngineCommand,
       &SearchEntryCommands::HasEngine},
      {command::kTabCommand, &SearchEntryCommands::TabCommand, &SearchEntryCommands::HasTab},
      {command::kTabButtonChoice, &SearchEntryCommands::TabButtonChoice,
       &SearchEntryCommands::HasTab},
      {command::kNewTabWithEngine, &SearchEntryCommands::NewTabWithEngine,
       &SearchEntryCommands::HasEngine},
      {command::kCreateTabWithEngine, &SearchEntryCommands::CreateTabWithEngine,
       &SearchEntryCommands::HasEngine},
  };

 private:
  void SearchEngineRow(int row, const CommandContext& context);
  void ChooseTab(int record, const CommandContext& context, bool search);
  // Adds engine `row` as a tab of `group_item`'s group, ordered like tab
  // `beside` (-1: at the group's end), and chooses it.
  void AddEngineTab(int row, int group_item, int beside);
  void AddEngineTabAtTreeSelection(int row);
  bool LiveRow(bool tabs, int row) const;

  TabWorkspace& ws_;
  KeywordBoxes& boxes_;
  Stores stores_;
  SearchBarButtons buttons_;
};

}  // namespace tolvane
