#pragma once

#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <memory>
#include <string>

#include "core/app/window_core.h"
#include "core/tabs/tab_area_observer.h"
#include "core/tabs/tab_commands.h"
#include "core/tabs/workspace_view.h"
#include "ui/tabs/tab_row.h"
#include "ui/tabs/tab_tree_ctrl.h"

class QMenu;
class QWebEngineProfile;

namespace tolvane {

class CCategoryTabCtrl;
class CPageTabCtrl;
class CSearchBar;
class CTolvaneDoc;
class PageArea;
class TabArea;
class TabWorkspace;
class WebEngineControlFactory;

// The tab area in the middle of the main window: the category tab row over
// the page tab row over the pages. It draws the tab workspace (core) and
// forwards the user's clicks, drags and menu choices to it as commands; it
// also keeps the side bar's tab tree and the search bar in step. The
// workspace and its commands belong to the window's core.
class CTolvaneView : public QWidget, public WorkspaceView, public TabAreaObserver {
  Q_OBJECT

 public:
  static constexpr int kSaveIntervalMs = WindowCore::kSaveIntervalMs;

  CTolvaneView(CTolvaneDoc& doc, WindowCore& core, QWidget* parent = nullptr);
  ~CTolvaneView() override;

  // Makes the pages' controls on `profile` and starts the core
  // (WindowCore::Start: the tab workspace, its commands, the first tabs,
  // the periodic save). The search bar must be set before.
  void Start(QWebEngineProfile* profile, bool has_argument,
             const std::function<std::string()>& start_url, const std::string& clip_list_url);
  // The search bar: where tab searches read their keyword and echo it
  // (owned by the frame).
  void set_search_bar(CSearchBar* bar) { search_bar_ = bar; }
  // Puts the keyboard focus into the address bar; set by the frame.
  void set_focus_address_bar(std::function<void()> focus) { focus_address_bar_ = std::move(focus); }

  TabWorkspace* workspace() const;
  CCategoryTabCtrl* category_bar() const { return category_bar_; }
  CPageTabCtrl* page_bar() const { return page_bar_; }
  // The side bar's tab tree; the frame places it.
  CTabTreeCtrl* tab_tree() const { return tab_tree_; }
  QWidget* page_area() const;
  // Makes the controls of the pages (null before Start).
  WebEngineControlFactory* controls() const { return controls_.get(); }

  // Whether the shown page was the last widget of the program to take the
  // focus: a search then takes its selected text.
  bool page_had_focus() const { return page_had_focus_; }

  // Runs command `id` as given from the menu bar now (WindowCore::Run).
  bool RunCommand(CommandId id);

  // The core's periodic save timer; tests shorten its interval instead of
  // waiting a minute.
  QTimer& save_timer();

  // TabAreaObserver: the rows are redrawn from the tab area.
  void TabInserted(const CCategoryTab& tab, int index, bool created) override;
  void TabRemoved(int record, int index, bool destroyed) override;
  void TabMoved(int from, int to) override;
  void TabSelected(const CCategoryTab& tab, int index, bool follow) override;
  void TabUpdated(const CCategoryTab& tab, int index) override;
  void PageInserted(const CCategoryTab& tab, int page) override;
  void PageRemoved(const CCategoryTab& tab, int page) override;
  void PageMoved(const CCategoryTab& tab, int from, int to) override;
  void PageSelected(const CCategoryTab& tab, int page, bool follow) override;
  void PageUpdated(const CCategoryTab& tab, int page) override;

  // WorkspaceView
  void ShowPageInFrame(const std::string& caption, const std::string& url) override;
  void ClearFrame() override;
  void UpdateStatusBar(const StatusBarValues& values) override;
  void FocusCategoryTabs() override;
  void FreezeDrawing() override;
  void UnfreezeDrawing() override;
  void AfterShownRequest(std::function<void()> then) override;
  void TreeRebuilt() override;
  void TreeChanged() override;
  bool EditTab(const std::string& title, int record, EngineDialogValues& values) override;
  bool EditItem(ItemStore& store, std::size_t index) override;
  bool ConfirmMultiOpen(StoreType store, MultiOpenChoice& choice) override;
  void ShowTabTreePage() override;
  void FocusPageTabs() override;
  void FocusAddressBar() override;

 signals:
  // The shown page's caption and address (empty when none).
  void frameTextChanged(const QString& caption, const QString& url);
  // The shown page's status bar values (StatusBarValues).
  void statusChanged(const QString& text, bool loading, int progress, bool secure, int status_icon,
                     int blocked_count);
  // The side bar should show its tab page.
  void tabTreePageWanted();
  // The category row or the tab tree was redrawn: tabs, their names, icons
  // or flags, or the current tab may have changed.
  void tabsChanged();

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void ConnectCategoryRow();
  void ConnectPageRow();
  void ConnectTree();
  // The context of a command given on category tab `index` or page tab
  // `index` of a row: "this tab", "this page".
  CommandContext OnCategoryTab(int index) const;
  CommandContext OnPageTab(int index) const;
  void RefreshCategoryBar();
  void RefreshPageBar();
  // How page `page` of category `category` shows in the page row.
  static TabLook PageLook(const TabArea& area, int category, int page);
  void RefreshTree();
  // The category row changed: items, captions or the selection.
  void CategoryBarChanged();
  // The page row of `tab` changed (redrawn when it is the one shown).
  void PageBarChanged(const CCategoryTab& tab);
  void ShowCategoryMenu(int index, const QPoint& global);
  void ShowPageMenu(int index, const QPoint& global);
  void ShowClipMenu(int index, const QPoint& global);
  void ShowTreeMenu(int item, const QPoint& global);
  void RunMenu(QMenu& menu, const QPoint& global, const CommandContext& context);
  void FillTabSwitchMenu(QMenu& menu, int item);
  void OnFocusChanged(QWidget* old_widget, QWidget* now);

  CTolvaneDoc& doc_;
  WindowCore& core_;
  std::unique_ptr<WebEngineControlFactory> controls_;
  CCategoryTabCtrl* category_bar_ = nullptr;
  CPageTabCtrl* page_bar_ = nullptr;
  PageArea* page_area_ = nullptr;
  QPointer<CTabTreeCtrl> tab_tree_;
  CSearchBar* search_bar_ = nullptr;
  std::function<void()> focus_address_bar_;
  bool page_had_focus_ = false;
  int freeze_depth_ = 0;
  bool tree_dirty_ = false;
  bool tree_sync_pending_ = false;
  bool shown_once_ = false;
};

}  // namespace tolvane
