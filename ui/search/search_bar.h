#pragma once

#include <functional>
#include <string>
#include <vector>

#include "core/commands/command_context.h"
#include "core/search/keyword_boxes.h"
#include "core/search/search_bar_buttons.h"
#include "ui/base/band_tool_bar.h"

class QAction;
class QComboBox;
class QMenu;
class QToolButton;

namespace tolvane {

class CategoryFolderTree;
class CommandRouter;
class EngineList;
class ItemStore;
class SearchEntryCommands;
class SearchTree;
class SettingsStore;
class TabWorkspace;

// The search tool bar, left to right: the tab button (the selected tab's
// name and icon; its menu lists the tabs of the group shown), the tab group
// drop-down, the keyword box with its resize grip, the search button (its
// arrow opens a menu of search commands) and the configurable buttons
// (SearchBarButtons): built-in commands, engines and tabs, and engine
// folders and tab groups, which drop a menu of their engines or tabs.
//
// It starts nothing itself: every button and menu entry runs its command
// through the router with a context made at that moment (the keyword, the
// focus, the keys held). A built-in command the router does not have yet
// leaves as commandRequested, for the view to run.
//
// The keyword box's drop-down is refilled from the keyword store each time
// it opens, so it never holds stale indices. The keyword crosses to core as
// typed beside its Shift_JIS form (Keyword), so no search rewrites what the
// user typed.
//
// It is also the core's pair of keyword boxes: the side bar's box is held
// here until the side bar has one of its own.
class CSearchBar : public BandToolBar, public KeywordBoxes {
  Q_OBJECT

 public:
  static constexpr int kTabSearchCommand = 32943;    // "タブで検索"
  static constexpr int kBatchSearchCommand = 32842;  // "まとめて検索を実行"
  // `keywords` must outlive the bar.
  CSearchBar(SettingsStore& settings, const ItemStore& keywords, QWidget* parent = nullptr);
  ~CSearchBar() override;

  // What the bar's buttons, menus and commands need once the tabs exist.
  // Everything outlives the bar.
  struct Links {
    CommandRouter& router;
    SearchEntryCommands& commands;
    TabWorkspace& workspace;
    const CategoryFolderTree& engine_folders;
    const EngineList& engines;
    const CategoryFolderTree& tab_groups;
    const EngineList& tabs;
    // The context of a command given now from the bar.
    std::function<CommandContext(CommandId)> context;
  };
  void Attach(const Links& links);

  // Re-reads KeywordWidth and rebuilds the buttons when they differ from
  // the ones shown (SearchEntryCommands::RefreshButtons); refreshes the tab
  // button and the group drop-down.
  void Rebuild();
  // Rebuild, once, when the event loop is next idle: tab and engine
  // changes come in bursts.
  void RebuildSoon();

  // The keyword as a search takes it (see NormaliseKeywordBoxText).
  Keyword ReadKeyword() const;
  // Replaces the box's text; the drop-down list stays.
  void WriteKeyword(const Keyword& keyword);
  void FocusKeywordBox();
  // Drops the tab button's menu (command 32926).
  void ShowTabMenu();
  // The engine folders as submenus with their engines, each entry running
  // `id` with `base` and its engine's row (the category menu's "open a new
  // tab with an engine", the tab tree's "make a tab with an engine").
  void FillEngineMenu(QMenu& menu, CommandId id, const CommandContext& base);
  // The search tree those menus show (the side bar's); none: they stay
  // empty.
  void set_engine_tree(const SearchTree* tree) { engine_tree_ = tree; }

  QComboBox* keyword_box() const { return keyword_box_; }
  QComboBox* group_box() const { return group_box_; }
  QToolButton* tab_button() const { return tab_button_; }
  QToolButton* search_button() const { return search_button_; }
  // The configurable buttons, in bar order.
  const std::vector<QToolButton*>& buttons() const { return buttons_; }
  const Keyword& side_bar_text() const { return side_bar_text_; }
  // The group the drop-down shows (folder index), -1 when none.
  int chosen_group() const;

  // KeywordBoxes
  void SetSearchBarText(const Keyword& keyword) override { WriteKeyword(keyword); }
  void SetSideBarText(const Keyword& keyword) override {
    side_bar_text_ = keyword;
    emit sideBarTextSet();
  }

 signals:
  void commandRequested(int id);
  // A search wrote side_bar_text(): the side bar's box shows it.
  void sideBarTextSet();
  // Tab leaves the bar forward, Shift+Tab backward.
  void focusForwardWanted();
  void focusBackwardWanted();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dragMoveEvent(QDragMoveEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  void Run(CommandId id);
  void RebuildButtons();
  void RefreshTabButton();
  void RefreshGroupBox();
  // Lets the name buttons give way when the keyword box alone cannot.
  void GiveWay();
  QToolButton* MakeButton();
  void ShowButton(QToolButton& shown, const SearchBarButtons::Button& button);
  void FillFolderMenu(QMenu& menu, const SearchBarButtons::Button& button);
  void FillTabMenu(QMenu& menu);
  void FillSearchMenu(QMenu& menu);
  void AddCommandEntry(QMenu& menu, CommandId id, const QString& text, int list_row = -1);
  void FillDropDown();
  void OnKeywordPicked();
  void ResizeKeywordBox(int width);
  bool ShowsText() const;

  SettingsStore& settings_;
  const ItemStore& keywords_;
  std::unique_ptr<Links> links_;
  const SearchTree* engine_tree_ = nullptr;
  QToolButton* tab_button_ = nullptr;
  QComboBox* group_box_ = nullptr;
  QComboBox* keyword_box_ = nullptr;
  QWidget* grip_ = nullptr;
  QToolButton* search_button_ = nullptr;
  std::vector<QToolButton*> buttons_;
  std::vector<QAction*> button_actions_;
  Keyword side_bar_text_;
  bool rebuild_pending_ = false;
};

}  // namespace tolvane
