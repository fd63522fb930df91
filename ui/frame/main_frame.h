#pragma once

#include <QMainWindow>
#include <QRect>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>

class QLabel;
class QLineEdit;
class QMenu;
class QMenuBar;
class QProgressBar;
class QToolBar;
class QToolButton;
class QSplitter;
class QWebEnginePage;
class QWebEngineProfile;

#include "core/app/shutdown_sequence.h"
#include "core/app/window_core.h"
#include "core/frame/band_layout.h"
#include "core/frame/frame_commands.h"
#include "core/frame/page_commands.h"
#include "core/frame/page_history_menu.h"

namespace tolvane {

class BandToolBar;
class CAddressBar;
class CCommandActions;
class CPageDialogCommands;
class CPageMenu;
class DataMenuView;
class CZoomPane;
class WebEngineControl;
class CSearchBar;
class FrameFocusRing;
class FrameInputFilter;
struct MenuDrawing;
class CStandardBar;
class CSideBar;
class CTolvaneDoc;
class CTolvaneView;
class MessageBoxPrompter;
class ProcessResourceProbe;
class QtClipboard;
class QtTimerFactory;
class SearchBarActions;
class SiteSearchAdder;

// The main window: the bands on top (menu bar, standard buttons, address
// bar, search bar: movable tool bars in one area, laid out as
// "ToolBarSummary"/"ToolBarInfo<n>" say), the side panel with the tab tree
// beside the tab area, and the status bar with its panes. Closing it runs
// the program's close order (ShutdownSequence); the close is abandoned when
// the user cancels the exit dialog.
class CMainFrame : public QMainWindow,
                   public ShutdownFrame,
                   public FrameWindow,
                   public PageCommandWindow {
  Q_OBJECT

 public:
  explicit CMainFrame(CTolvaneDoc& doc, QWidget* parent = nullptr);
  ~CMainFrame() override;

  CTolvaneView* view() const { return view_; }
  CSearchBar* search_bar() const { return search_bar_; }
  CAddressBar* address_bar() const { return address_bar_; }
  CStandardBar* standard_bar() const { return standard_bar_; }
  CSideBar* side_bar() const { return side_bar_; }
  // The window's core: its tabs, command handlers and router (the actions
  // are the menu items and buttons made from the router).
  WindowCore& core() { return *core_; }
  CommandRouter& router() { return core_->router(); }
  CCommandActions& actions() const { return *actions_; }
  // Adds the shown page's own search as an engine (command kAddSiteSearch
  // runs it too); null before Start.
  SiteSearchAdder* site_search() const { return site_search_; }
  // The window as a command finds it now: the focus, both keyword boxes,
  // the page's selection, the address bar, the keys held, the search bar's
  // group (WindowCore::ContextFor makes the command's context of it).
  InputState ReadInputState() const;
  // The page in view, or null.
  QWebEnginePage* ShownPage() const;

  // Keys, typed shortcut letters and mouse gestures over the whole window.
  FrameInputFilter& input_filter() const { return *input_filter_; }
  const AddressList& address_list() const { return core_->address_list(); }

  // Opens the first tabs on `profile` (see CTolvaneView::Start).
  void Start(QWebEngineProfile* profile, bool has_argument,
             const std::function<std::string()>& start_url, const std::string& clip_list_url);

  // An address handed over by a second start: opens in a new page tab, and
  // the window comes to the front.
  void OpenHandedOver(const std::string& url);

  // A message over the status bar's text for a few seconds.
  void ShowMessage(const QString& text);

  // A pane at the right end of the status bar.
  void AddStatusPane(QWidget* pane);

  // The shown page's control, null when no page or not loaded yet.
  WebEngineControl* ActiveControl() const;
  // The context menu for what the user last right-clicked in `control`'s
  // page (owned by the caller); ShowPageMenu pops it up.
  std::unique_ptr<QMenu> BuildPageMenu(WebEngineControl& control);
  void ShowPageMenu(WebEngineControl& control, const QPoint& global);
  CZoomPane* zoom_pane() const { return zoom_pane_; }

  // PageCommandWindow
  bool EditFocusedField(EditCommand command) override;
  bool FieldHasFocus() const override;
  void ZoomChanged() override;
  void FollowFocusedLink() override;
  void ShowFocusedLinkMenu() override;

  // Closes in order without the exit dialog, keeping the open pages as
  // SavePageTab says: the session ends or the process was told to stop.
  void CloseWithoutAsking();

  // The window closed with stores that could not be written: the program
  // ends with a failure status.
  bool left_unsaved() const { return left_unsaved_; }

  // The band of bar `id` (frame_bar::k…), null for a bar this window lacks.
  QToolBar* Band(int id) const;
  // The bands as they stand now, in order, and the status bar.
  BandLayout CurrentBandLayout() const;
  // Puts the bands in the layout's order, rows, widths and visibility.
  void ApplyBandLayout(const BandLayout& layout);
  // The "PopupBlock" menu of the blocked pop-ups pane.
  QMenu* popup_menu() const { return popup_menu_; }

  // ShutdownFrame
  ExitDialogAnswer AskExit(int default_button_id) override;
  void SaveOpenPageTabs() override;
  void ShowWaitCursor() override;
  void LeaveFullScreen() override;
  int ActiveTabId() override;
  void SaveBarLayout() override;
  std::optional<WindowRect> RestoredWindowRect() override;
  void HideWindow() override;
  void SaveLists() override;
  bool AskRetrySave(const std::string& text) override;

  // FrameWindow
  bool HasBar(int id) const override;
  bool BarShown(int id) const override;
  void ShowBar(int id, bool shown) override;
  void FixBands(bool fixed) override;
  bool FullScreen() const override;
  void SetFullScreen(bool on) override;
  void Minimize() override;
  void ShowAbout() override;
  void Close() override;

 protected:
  bool focusNextPrevChild(bool next) override;
  void closeEvent(QCloseEvent* event) override;
  QMenu* createPopupMenu() override;
  void changeEvent(QEvent* event) override;
  void moveEvent(QMoveEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  QLineEdit* FocusedField() const;
  void CreateBands();
  void CreateMenus();
  void CreateInputFilter();
  // Draws the menu models with the window's shared command actions and
  // the generated lists of the moment.
  MenuDrawing CommandDrawing();
  void CreateSidePanel();
  void CreateStatusBar();
  void FillPageHistoryMenu(QMenu& menu, PageHistoryMenu which);
  QMenu* PageHistoryMenuFor(PageHistoryMenu which, const QString& name);
  void GoFromAddressBar();
  void ShowFrameText(const QString& caption, const QString& url);
  void ShowStatus(const QString& text, bool loading, int progress, bool secure, int status_icon,
                  int blocked_count);
  void RememberNormalRect();
  void RestorePlacement();
  void ClearWaitCursor();
  void StartPageCommands(QWebEngineProfile* profile);
  void FillSearchTreeMenu(QMenu& menu, int item, const CommandContext& context);
  void StartSearchCommands();

  CTolvaneDoc& doc_;
  // The platform parts the core runs on, made before it.
  std::unique_ptr<QtTimerFactory> timers_;
  std::unique_ptr<MessageBoxPrompter> prompter_;
  std::unique_ptr<QtClipboard> clipboard_;
  std::unique_ptr<ProcessResourceProbe> probe_;
  std::unique_ptr<WindowCore> core_;
  CCommandActions* actions_ = nullptr;
  FrameInputFilter* input_filter_ = nullptr;
  std::unique_ptr<FrameFocusRing> focus_ring_;
  CTolvaneView* view_ = nullptr;
  CSearchBar* search_bar_ = nullptr;
  CAddressBar* address_bar_ = nullptr;
  CStandardBar* standard_bar_ = nullptr;
  BandToolBar* menu_band_ = nullptr;
  QMenuBar* menu_bar_ = nullptr;
  std::map<int, BandToolBar*> bands_;
  // The layout last applied: the order hidden bands keep their places in.
  BandLayout applied_;
  std::unique_ptr<SearchBarActions> search_bar_actions_;
  SiteSearchAdder* site_search_ = nullptr;
  CSideBar* side_bar_ = nullptr;
  QSplitter* splitter_ = nullptr;
  QLabel* status_icon_ = nullptr;
  QLabel* status_text_ = nullptr;
  QToolButton* blocked_pane_ = nullptr;
  QToolButton* lock_pane_ = nullptr;
  QLabel* save_status_ = nullptr;
  QProgressBar* progress_ = nullptr;
  QMenu* popup_menu_ = nullptr;
  // The bands as they were before full screen hid them.
  std::optional<BandLayout> before_full_screen_;
  bool maximized_before_full_screen_ = false;
  // The last rectangle of the window in its normal state (frame position,
  // client size), kept across maximise, minimise and full screen.
  QRect normal_rect_;
  bool closing_ = false;
  bool close_without_asking_ = false;
  bool left_unsaved_ = false;
  int wait_cursors_ = 0;
  CZoomPane* zoom_pane_ = nullptr;
  std::unique_ptr<CPageDialogCommands> page_dialogs_;
  std::unique_ptr<CPageMenu> page_menu_;
  std::unique_ptr<DataMenuView> favorite_menus_;
};

}  // namespace tolvane
