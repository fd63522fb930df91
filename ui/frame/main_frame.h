#pragma once

#include <QMainWindow>

class QLabel;

#include "core/app/shutdown_sequence.h"

namespace tolvane {

class CTolvaneDoc;
class CTolvaneView;

// The main window: the tab area in the middle, the menu and status bars
// around it. Closing it runs the program's close order (ShutdownSequence);
// the close is abandoned when the user cancels the exit dialog.
class CMainFrame : public QMainWindow, public ShutdownFrame {
  Q_OBJECT

 public:
  explicit CMainFrame(CTolvaneDoc& doc, QWidget* parent = nullptr);
  ~CMainFrame() override;

  CTolvaneView* view() const { return view_; }

  // The page the first page tab opens; shown in the status bar until page
  // tabs exist.
  void SetStartUrl(const QString& url);

  // Closes in order without the exit dialog, keeping the open pages as
  // SavePageTab says: the session ends or the process was told to stop.
  void CloseWithoutAsking();

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

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void CreateMenus();
  void RestorePlacement();
  void ClearWaitCursor();

  CTolvaneDoc& doc_;
  CTolvaneView* view_ = nullptr;
  QLabel* start_url_ = nullptr;
  bool closing_ = false;
  bool close_without_asking_ = false;
  int wait_cursors_ = 0;
};

}  // namespace tolvane
