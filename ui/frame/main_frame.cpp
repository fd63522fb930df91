#include "ui/frame/main_frame.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QCursor>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>
#include <algorithm>

#include "core/app/setting_keys.h"
#include "core/app/string_table.h"
#include "core/app/tolvane_doc.h"
#include "ui/app/qt_text.h"
#include "ui/frame/exit_dialog.h"
#include "ui/tabs/tolvane_view.h"

namespace tolvane {
namespace {

constexpr int kDefaultWidth = 1024;
constexpr int kDefaultHeight = 720;
constexpr int kMinimumWidth = 320;
constexpr int kMinimumHeight = 240;

}  // namespace

CMainFrame::CMainFrame(CTolvaneDoc& doc, QWidget* parent) : QMainWindow(parent), doc_(doc) {
  setObjectName(QStringLiteral("mainFrame"));
  setWindowTitle(ToQString(ProgramTitle()));
  view_ = new CTolvaneView(doc_, this);
  setCentralWidget(view_);
  CreateMenus();
  statusBar()->setObjectName(QStringLiteral("statusBar"));
  // A status bar message is cleared by every menu hover; a label stays.
  start_url_ = new QLabel(statusBar());
  start_url_->setObjectName(QStringLiteral("startUrl"));
  start_url_->setContentsMargins(4, 0, 4, 0);
  statusBar()->addWidget(start_url_, 1);
  RestorePlacement();
}

CMainFrame::~CMainFrame() { ClearWaitCursor(); }

void CMainFrame::SetStartUrl(const QString& url) { start_url_->setText(url); }

void CMainFrame::CloseWithoutAsking() {
  if (close_without_asking_) return;
  close_without_asking_ = true;
  if (closing_) {
    // The exit dialog is up; dismissing it lets closeEvent go on without it.
    if (auto* dialog = findChild<CExitDialog*>()) dialog->reject();
    return;
  }
  close();
}

void CMainFrame::CreateMenus() {
  QMenu* file = menuBar()->addMenu(QStringLiteral("ファイル(&F)"));
  file->setObjectName(QStringLiteral("fileMenu"));
  QAction* exit_action = file->addAction(QStringLiteral("終了(&X)"));
  exit_action->setObjectName(QStringLiteral("exitAction"));
  connect(exit_action, &QAction::triggered, this, &QWidget::close);
}

void CMainFrame::RestorePlacement() {
  SettingsStore& settings = doc_.settings();
  const int cx = Read(settings, settings::kMainWindowCx);
  const int cy = Read(settings, settings::kMainWindowCy);
  if (cx == 0) {
    resize(kDefaultWidth, kDefaultHeight);
    return;
  }
  const QRect saved(Read(settings, settings::kMainWindowX), Read(settings, settings::kMainWindowY),
                    std::max(cx, kMinimumWidth), std::max(cy, kMinimumHeight));
  resize(saved.size());
  // A window saved on a screen that is gone would open out of reach; then
  // let the window manager place it.
  for (const QScreen* screen : QGuiApplication::screens()) {
    if (screen->availableGeometry().intersects(saved)) {
      move(saved.topLeft());
      return;
    }
  }
}

void CMainFrame::closeEvent(QCloseEvent* event) {
  // A second close request while the exit dialog is up is the same close.
  if (closing_) {
    event->ignore();
    return;
  }
  closing_ = true;
  bool may_close = ShutdownSequence(doc_.settings(), doc_)
                       .Run(*this, close_without_asking_ ? ShutdownSequence::Asking::kNever
                                                         : ShutdownSequence::Asking::kAsConfigured);
  // Told to stop while the exit dialog was up: the dialog was dismissed,
  // now close without it.
  if (!may_close && close_without_asking_) {
    may_close =
        ShutdownSequence(doc_.settings(), doc_).Run(*this, ShutdownSequence::Asking::kNever);
  }
  ClearWaitCursor();
  closing_ = false;
  if (may_close) {
    event->accept();
  } else {
    event->ignore();
  }
}

ExitDialogAnswer CMainFrame::AskExit(int default_button_id) {
  if (close_without_asking_) return {ExitDialogAnswer::Choice::kCancel, false};
  CExitDialog dialog(default_button_id, this);
  dialog.exec();
  return dialog.answer();
}

// There are no page tabs, bars or lists yet: nothing to keep for them.
void CMainFrame::SaveOpenPageTabs() {}
int CMainFrame::ActiveTabId() { return 0; }
void CMainFrame::SaveBarLayout() {}
void CMainFrame::SaveLists() {}

void CMainFrame::ShowWaitCursor() {
  QApplication::setOverrideCursor(Qt::WaitCursor);
  ++wait_cursors_;
}

void CMainFrame::ClearWaitCursor() {
  for (; wait_cursors_ > 0; --wait_cursors_) QApplication::restoreOverrideCursor();
}

void CMainFrame::LeaveFullScreen() {
  if (isFullScreen()) showNormal();
}

std::optional<WindowRect> CMainFrame::RestoredWindowRect() {
  if (isMinimized() || isMaximized() || isFullScreen()) return std::nullopt;
  // Frame position and client size: what move() and resize() take back.
  return WindowRect{pos().x(), pos().y(), width(), height()};
}

void CMainFrame::HideWindow() { hide(); }

}  // namespace tolvane
