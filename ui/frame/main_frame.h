#pragma once

#include <QMainWindow>
#include <functional>
#include <string>

class QLabel;
class QProgressBar;
class QToolButton;
class QSplitter;
class QWebEngineProfile;

#include "core/app/shutdown_sequence.h"
#include "core/commands/command_router.h"

namespace tolvane {

class CCommandActions;
class CSearchBar;
class CSideBar;
class CTolvaneDoc;
class CTolvaneView;

// The main window: the search bar on top, the side bar (CSideBar) beside
// the tab area, the menu and status bars around them. Closing it runs the program's close
// order (ShutdownSequence); the close is abandoned when the user cancels the exit dialog.
class CMainFrame : public QMainWindow, public ShutdownFrame {
  Q_OBJECT

 public:
  explicit CMainFrame(CTolvaneDoc& doc, QWidget* parent = nullptr);
  ~CMainFrame() override;

  CTolvaneView* view() const { return view_; }
  CSearchBar* search_bar() const { return search_bar_; }
  CSideBar* side_bar() const { return side_bar_; }
  // Every command of the window runs through this router; the actions are
  // the menu items and buttons made from it.
  CommandRouter& router() { return router_; }
  CCommandActions& actions() const { return *actions_; }

  // Opens the first tabs on `profile` (see CTolvaneView::Start).
  void Start(QWebEngineProfile* profile, bool has_argument,
             const std::function<std::string()>& start_url, const std::string& clip_list_url);

  // Closes in order without the exit dialog, keeping the open pages as
  // SavePageTab says: the session ends or the process was told to stop.
  void CloseWithoutAsking();

  // The window closed with stores that could not be written: the program
  // ends with a failure status.
  bool left_unsaved() const { return left_unsaved_; }

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

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void CreateMenus();
  void CreateSidePanel();
  void CreateStatusBar();
  void ShowFrameText(const QString& caption, const QString& url);
  void ShowStatus(const QString& text, bool loading, int progress, bool secure, int status_icon,
                  int blocked_count);
  void RestorePlacement();
  void ClearWaitCursor();

  CTolvaneDoc& doc_;
  CommandRouter router_;
  CCommandActions* actions_ = nullptr;
  CTolvaneView* view_ = nullptr;
  CSearchBar* search_bar_ = nullptr;
  CSideBar* side_bar_ = nullptr;
  QSplitter* splitter_ = nullptr;
  QLabel* status_icon_ = nullptr;
  QLabel* status_text_ = nullptr;
  QToolButton* blocked_pane_ = nullptr;
  QLabel* secure_mark_ = nullptr;
  QLabel* save_status_ = nullptr;
  QProgressBar* progress_ = nullptr;
  bool closing_ = false;
  bool close_without_asking_ = false;
  bool left_unsaved_ = false;
  int wait_cursors_ = 0;
};

}  // namespace tolvane
