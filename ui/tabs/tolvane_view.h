#pragma once

#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <memory>
#include <string>

#include "core/tabs/tab_area_observer.h"
#include "core/tabs/tab_commands.h"
#include "core/tabs/workspace_view.h"
#include "ui/tabs/tab_tree_ctrl.h"

class QMenu;
class QWebEngineProfile;

namespace tolvane {

class CCategoryTabCtrl;
class CommandRouter;
class CPageTabCtrl;
class CSearchBar;
class CTolvaneDoc;
class MessageBoxPrompter;
class PageArea;
class ProcessResourceProbe;
class QtClipboard;
class SaveFailureReporter;
class QtTimerFactory;
class TabWorkspace;
class WebEngineControlFactory;

// The tab area in the middle of the main window: the category tab row over
// the page tab row over the pages. It draws the tab workspace (core) and
// forwards the user's clicks, drags and menu choices to it as commands; it
// also keeps the side bar's tab tree and the search bar in step, and writes
// every store each 60 seconds once the first tabs are open.
class CTolvaneView : public QWidget, public WorkspaceView, public TabAreaObserver {
  Q_OBJECT

 public:
  static constexpr int kSaveIntervalMs = 60'000;

  // The tab commands run through `router` (the frame's), where Start adds
  // them.
  CTolvaneView(CTolvaneDoc& doc, CommandRouter& router, QWidget* parent = nullptr);
  ~CTolvaneView() override;

  // Makes the tab workspace, its pages on `profile`, adds the tab commands
  // to the router, opens the first tabs (TabWorkspace::RestoreTabs) and
  // starts the save timer. The search bar must be set before.
  void Start(QWebEngineProfile* profile, bool has_argument,
             const std::function<std::string()>& start_url, const std::string& clip_list_url);
  // The search bar: where tab searches read their keyword and echo it
  // (owned by the frame).
  void set_search_bar(CSearchBar* bar) { search_bar_ = bar; }
  // What the address bar holds now (Shift_JIS); set by the frame.
  void set_address_bar_text(std::function<std::string()> text) {
    address_bar_text_ = std::move(text);
  }
  // Puts the keyboard focus into the address bar; set by the frame.
  void set_focus_address_bar(std::function<void()> focus) { focus_address_bar_ = std::move(focus); }

  TabWorkspace* workspace() const { return workspace_.get(); }
  TabCommands* commands() const { return commands_.get(); }
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

  // The context of a command given now from `source`: the keys held and
  // the search keyword (the search bar's keyword box, or the selected text
  // of the shown page when the page had the focus last); the current tab
  // and page.
  CommandContext ContextNow(CommandSource source) const;
  // Runs command `id` through the router with ContextNow(kMenu).
  bool RunCommand(CommandId id);

  // Tests shorten the interval instead of waiting a minute.
  QTimer& save_timer() { return save_timer_; }
  // One tick of the save timer: writes every store and tells a failure
  // (SaveFailureReporter decides when).
  void SaveNow();

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
  ModifierState ModifiersNow() const override;
  std::string AddressBarText() const override;
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
  // What the status bar says about saving: empty unless the last periodic
  // save left a file unwritten.
  void saveStatusChanged(const QString& text);
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
  Keyword SearchKeyword() const;
  void RefreshCategoryBar();
  void RefreshPageBar();
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
  CommandRouter& router_;
  std::unique_ptr<QtTimerFactory> timers_;
  std::unique_ptr<MessageBoxPrompter> prompter_;
  std::unique_ptr<QtClipboard> clipboard_;
  std::unique_ptr<ProcessResourceProbe> probe_;
  std::unique_ptr<WebEngineControlFactory> controls_;
  std::unique_ptr<TabWorkspace> workspace_;
  std::unique_ptr<TabCommands> commands_;
  CCategoryTabCtrl* category_bar_ = nullptr;
  CPageTabCtrl* page_bar_ = nullptr;
  PageArea* page_area_ = nullptr;
  QPointer<CTabTreeCtrl> tab_tree_;
  CSearchBar* search_bar_ = nullptr;
  std::function<std::string()> address_bar_text_;
  std::function<void()> focus_address_bar_;
  bool page_had_focus_ = false;
  int freeze_depth_ = 0;
  bool tree_dirty_ = false;
  bool tree_sync_pending_ = false;
  QTimer save_timer_;
  bool shown_once_ = false;
  std::unique_ptr<SaveFailureReporter> save_reporter_;
};

}  // namespace tolvane
