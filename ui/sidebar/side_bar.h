#pragma once

#include <QWidget>
#include <memory>

#include "core/commands/command_context.h"
#include "core/frame/search_tree_commands.h"
#include "core/frame/side_bar_commands.h"
#include "core/search/search_tree.h"

class QComboBox;
class QLabel;
class QStackedWidget;
class QTabBar;
class QToolButton;
class QTreeWidget;

namespace tolvane {

class CSearchBar;
class CSearchTreeCtrl;
class CTolvaneDoc;
class CTolvaneView;
class WindowCore;

// The side bar at the left of the main window: the title band naming the
// shown page, five icon tabs (0 検索, 1 タブ, 2 お気に入り, 3 キーワード,
// 4 履歴), the keyword box (59155) with its search button (59156), and the
// five trees filling one place below them, one shown at a time. Page 0 is
// the search tree, page 1 the view's tab tree; pages 2 to 4 show their
// store's root.
//
// Its page commands (SideBarCommands) and the search tree's
// (SearchTreeCommands, once the tabs exist) belong to the window's core,
// which also holds the search tree model; the bar attaches itself to it.
// Commands given here carry the side bar's keyword and, from the search
// tree's menus, the right-clicked item.
//
// Keys: Enter in the keyword box (its list open or not) runs 59156; Esc
// only closes the list; Tab and Shift+Tab go on to the window
// (FrameFocusRing), which walks the box and the shown tree in its ring.
class CSideBar : public QWidget, public SideBarView, public SearchTreeView {
  Q_OBJECT

 public:
  CSideBar(CTolvaneDoc& doc, CTolvaneView& view, CSearchBar& search_bar, WindowCore& core,
           QWidget* parent = nullptr);
  ~CSideBar() override;
  // Writes Show, Width and ActiveTab (the frame's close).
  void SaveState();
  // Shows the tab page, the bar too (the tab commands' properties).
  void ShowTabPage();

  SideBarCommands& commands() const;
  SearchTree& search_tree() const;
  SearchTreeCommands* search_commands() const;
  CSearchTreeCtrl* search_tree_ctrl() const { return search_tree_ctrl_; }
  QComboBox* keyword_box() const { return keyword_box_; }
  QWidget* tree(int page) const;

  // The context of command `id` given in the side bar now about search
  // tree item `item` (-1: the selection; WindowCore::ContextFor).
  CommandContext Context(CommandId id, int item = -1) const;

  // SideBarView
  void ShowSideBar(bool show) override;
  void ShowSideBarPage(int page) override;
  // SearchTreeView
  std::optional<int> EditEngine(EngineDialog& dialog) override;
  void SearchTreeChanged() override;
  void SearchBarItemsChanged() override;

 signals:
  // The bar was shown or hidden: the frame lays out its splitter.
  void visibilityWanted(bool show);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void CreateKeywordRow();
  void FillKeywordList();
  void RunSearchButton();
  void ShowSearchTreeMenu(int item, const QPoint& global);
  QTreeWidget* MakeStoreTree(int store_type);

  CTolvaneDoc& doc_;
  CTolvaneView& view_;
  CSearchBar& search_bar_;
  WindowCore& core_;
  QLabel* title_ = nullptr;
  QTabBar* tabs_ = nullptr;
  QComboBox* keyword_box_ = nullptr;
  QToolButton* search_button_ = nullptr;
  QStackedWidget* stack_ = nullptr;
  CSearchTreeCtrl* search_tree_ctrl_ = nullptr;
};

}  // namespace tolvane
