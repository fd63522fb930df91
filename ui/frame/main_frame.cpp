#include "ui/frame/main_frame.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QCursor>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QSplitter>
#include <QStatusBar>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <cstdio>
#include <string>

#include "core/app/tolvane_doc.h"
#include "core/browser/page_host_owner.h"
#include "core/files/setting_keys.h"
#include "core/files/string_table.h"
#include "core/tabs/tab_workspace.h"
#include "ui/app/qt_text.h"
#include "ui/frame/command_actions.h"
#include "ui/frame/exit_dialog.h"
#include "ui/search/search_bar.h"
#include "ui/sidebar/side_bar.h"
#include "ui/tabs/tab_menus.h"
#include "ui/tabs/tab_tree_ctrl.h"
#include "ui/tabs/tolvane_view.h"

namespace tolvane {
namespace {

constexpr int kDefaultWidth = 1024;
constexpr int kDefaultHeight = 720;
constexpr int kMinimumWidth = 320;
constexpr int kMinimumHeight = 240;
constexpr int kFocusKeywordBox = 59151;

}  // namespace

CMainFrame::CMainFrame(CTolvaneDoc& doc, QWidget* parent) : QMainWindow(parent), doc_(doc) {
  setObjectName(QStringLiteral("mainFrame"));
  setWindowTitle(ToQString(ProgramTitle()));
  actions_ = new CCommandActions(router_, {}, this);
  search_bar_ = new CSearchBar(doc_.settings(), doc_.keywords(), this);
  search_bar_->setObjectName(QStringLiteral("searchBar"));
  addToolBar(Qt::TopToolBarArea, search_bar_);
  view_ = new CTolvaneView(doc_, this);
  view_->set_search_bar(search_bar_);
  connect(search_bar_, &CSearchBar::commandRequested, view_, &CTolvaneView::RunCommand);
  CreateSidePanel();
  CreateMenus();
  CreateStatusBar();
  connect(view_, &CTolvaneView::frameTextChanged, this, &CMainFrame::ShowFrameText);
  connect(view_, &CTolvaneView::statusChanged, this, &CMainFrame::ShowStatus);
  connect(view_, &CTolvaneView::saveStatusChanged, this, [this](const QString& text) {
    save_status_->setText(text);
    save_status_->setVisible(!text.isEmpty());
  });
  RestorePlacement();
}

CMainFrame::~CMainFrame() {
  ClearWaitCursor();
  // Before the router goes: the side bar takes its handlers off it.
  delete side_bar_;
}

void CMainFrame::Start(QWebEngineProfile* profile, bool has_argument,
                       const std::function<std::string()>& start_url,
                       const std::string& clip_list_url) {
  view_->Start(profile, has_argument, start_url, clip_list_url);
  side_bar_->Start();
}

void CMainFrame::CreateSidePanel() {
  side_bar_ = new CSideBar(doc_, *view_, *search_bar_, router_, this);
  splitter_ = new QSplitter(Qt::Horizontal, this);
  splitter_->setObjectName(QStringLiteral("mainSplitter"));
  splitter_->addWidget(side_bar_);
  splitter_->addWidget(view_);
  splitter_->setStretchFactor(0, 0);
  splitter_->setStretchFactor(1, 1);
  splitter_->setCollapsible(1, false);
  const int bar_width = side_bar_->commands().width();
  splitter_->setSizes({bar_width, std::max(kDefaultWidth - bar_width, 1)});
  setCentralWidget(splitter_);
  // The bar dragged shut counts as hidden, as its commands hide it.
  connect(splitter_, &QSplitter::splitterMoved, this, [this] {
    const int shown = splitter_->sizes().value(0);
    side_bar_->commands().SetVisible(shown > 0);
    if (shown > 0) side_bar_->commands().set_width(shown);
  });
  connect(side_bar_, &CSideBar::visibilityWanted, this, [this](bool show) {
    if (show && splitter_->sizes().value(0) == 0) {
      const int restored = side_bar_->commands().width();
      splitter_->setSizes({restored, std::max(splitter_->width() - restored, 1)});
    }
  });
  connect(view_, &CTolvaneView::tabTreePageWanted, side_bar_, &CSideBar::ShowTabPage);
  connect(view_->tab_tree(), &CTabTreeCtrl::searchItemDropped, this,
          [this](const QByteArray& token, int target) {
            if (SearchTreeCommands* commands = side_bar_->search_commands()) {
              commands->DropOnTabTree(side_bar_->search_tree().ItemOfToken(token.toStdString()),
                                      target);
            }
          });
}

void CMainFrame::CreateStatusBar() {
  statusBar()->setObjectName(QStringLiteral("statusBar"));
  status_icon_ = new QLabel(statusBar());
  status_icon_->setObjectName(QStringLiteral("statusIcon"));
  status_icon_->hide();
  statusBar()->addWidget(status_icon_);
  // A status bar message is cleared by every menu hover; a label stays.
  status_text_ = new QLabel(statusBar());
  status_text_->setObjectName(QStringLiteral("statusText"));
  status_text_->setContentsMargins(4, 0, 4, 0);
  status_text_->setMinimumWidth(1);
  statusBar()->addWidget(status_text_, 1);
  // The pop-ups blocked on the shown page: an icon and the count.
  blocked_pane_ = new QToolButton(statusBar());
  blocked_pane_->setObjectName(QStringLiteral("blockedPopups"));
  blocked_pane_->setAutoRaise(true);
  blocked_pane_->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
  blocked_pane_->setIcon(style()->standardIcon(QStyle::SP_MessageBoxInformation));
  blocked_pane_->setToolTip(ToQString(LoadString(string_id::kPopupBlocked)));
  blocked_pane_->hide();
  statusBar()->addPermanentWidget(blocked_pane_);
  secure_mark_ = new QLabel(statusBar());
  secure_mark_->setObjectName(QStringLiteral("secureMark"));
  secure_mark_->setPixmap(style()->standardIcon(QStyle::SP_DialogApplyButton).pixmap(16, 16));
  secure_mark_->setToolTip(QStringLiteral("保護された通信"));
  secure_mark_->hide();
  statusBar()->addPermanentWidget(secure_mark_);
  // Stays until a save writes every file again.
  save_status_ = new QLabel(statusBar());
  save_status_->setObjectName(QStringLiteral("saveStatus"));
  save_status_->setStyleSheet(QStringLiteral("color: #b00000;"));
  save_status_->hide();
  statusBar()->addPermanentWidget(save_status_);
  progress_ = new QProgressBar(statusBar());
  progress_->setObjectName(QStringLiteral("pageProgress"));
  progress_->setRange(0, 100);
  progress_->setMaximumWidth(120);
  progress_->setMaximumHeight(14);
  progress_->setTextVisible(false);
  progress_->hide();
  statusBar()->addPermanentWidget(progress_);
}

// The address goes to the address bar, which comes with the frame's bars.
void CMainFrame::ShowFrameText(const QString& caption, const QString& /*url*/) {
  const QString program = ToQString(ProgramTitle());
  setWindowTitle(caption.isEmpty() ? program : caption + QStringLiteral(" - ") + program);
}

void CMainFrame::ShowStatus(const QString& text, bool loading, int progress, bool secure,
                            int status_icon, int blocked_count) {
  status_text_->setText(text);
  status_icon_->setVisible(status_icon != 0);
  if (status_icon != 0) {
    // Standard icons stand in for the program's own images.
    QStyle::StandardPixmap pixmap = QStyle::SP_FileLinkIcon;  // a favorite's importance
    QString tip =
        ToQString(FormatString(string_id::kImportance, {std::to_string(status_icon - 1)}));
    if (status_icon == StatusBarValues::kIconSecure) {
      pixmap = QStyle::SP_DialogApplyButton;
      tip = secure_mark_->toolTip();
    } else if (status_icon == StatusBarValues::kIconScriptError) {
      pixmap = QStyle::SP_MessageBoxWarning;
      tip.clear();
    }
    status_icon_->setPixmap(style()->standardIcon(pixmap).pixmap(16, 16));
    status_icon_->setToolTip(tip);
  }
  blocked_pane_->setVisible(blocked_count > 0);
  blocked_pane_->setText(QString::number(blocked_count));
  progress_->setVisible(loading);
  progress_->setValue(std::clamp(progress, 0, 100));
  secure_mark_->setVisible(secure);
}

void CMainFrame::CloseWithoutAsking() {
  if (close_without_asking_) return;
  close_without_asking_ = true;
  // Nobody is there to answer a box that is up (the exit dialog, the save
  // question, a message): dismiss it, so the close cannot wait for ever.
  for (auto* dialog : findChildren<QDialog*>()) {
    if (dialog->isVisible()) dialog->reject();
  }
  // Within the exit dialog or the save question the close goes on by itself.
  if (!closing_) close();
}

void CMainFrame::CreateMenus() {
  QMenu* file = menuBar()->addMenu(QStringLiteral("ファイル(&F)"));
  file->setObjectName(QStringLiteral("fileMenu"));
  QAction* exit_action = file->addAction(QStringLiteral("終了(&X)"));
  exit_action->setObjectName(QStringLiteral("exitAction"));
  connect(exit_action, &QAction::triggered, this, &QWidget::close);

  for (const MenuBarMenu which : {MenuBarMenu::kView, MenuBarMenu::kTabs, MenuBarMenu::kSearch}) {
    QMenu* menu = CreateMenuBarMenu(which, menuBar()).release();  // owned by the menu bar
    menuBar()->addMenu(menu);
    connect(menu, &QMenu::triggered, this, [this](QAction* action) {
      const int id = action->data().toInt();
      if (id == kFocusKeywordBox) {
        search_bar_->FocusKeywordBox();
      } else {
        view_->RunCommand(id);
      }
    });
  }
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
  // No periodic save (and its message) while the close asks and saves.
  const bool timer_was_active = view_->save_timer().isActive();
  view_->save_timer().stop();
  ShutdownSequence sequence(doc_.settings(), doc_);
  bool may_close =
      sequence.Run(*this, close_without_asking_ ? ShutdownSequence::Asking::kNever
                                                : ShutdownSequence::Asking::kAsConfigured);
  // Told to stop while the exit dialog was up: the dialog was dismissed,
  // now close without it.
  if (!may_close && close_without_asking_) {
    may_close = sequence.Run(*this, ShutdownSequence::Asking::kNever);
  }
  ClearWaitCursor();
  closing_ = false;
  if (!may_close) {
    if (timer_was_active) view_->save_timer().start();
    event->ignore();
    return;
  }
  if (sequence.left_unsaved()) {
    left_unsaved_ = true;
    std::fprintf(stderr, "tolvane: closed without saving:\n%s",
                 sequence.last_save().Describe().c_str());
  }
  event->accept();
}

ExitDialogAnswer CMainFrame::AskExit(int default_button_id) {
  if (close_without_asking_) return {ExitDialogAnswer::Choice::kCancel, false};
  CExitDialog dialog(default_button_id, this);
  dialog.exec();
  return dialog.answer();
}

void CMainFrame::SaveOpenPageTabs() {
  if (TabWorkspace* workspace = view_->workspace()) workspace->area().SaveOpenPages();
}

int CMainFrame::ActiveTabId() {
  TabWorkspace* workspace = view_->workspace();
  return workspace != nullptr ? workspace->ActiveTabId() : 0;
}

void CMainFrame::SaveBarLayout() { side_bar_->SaveState(); }
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

bool CMainFrame::AskRetrySave(const std::string& text) {
  if (close_without_asking_) return false;
  QMessageBox box(QMessageBox::Critical, ToQString(ProgramTitle()), ToQString(text),
                  QMessageBox::NoButton, this);
  box.setObjectName(QStringLiteral("saveFailedQuestion"));
  QPushButton* retry =
      box.addButton(ToQString(LoadString(string_id::kRetrySave)), QMessageBox::AcceptRole);
  retry->setObjectName(QStringLiteral("retry"));
  QPushButton* leave =
      box.addButton(ToQString(LoadString(string_id::kExitDiscard)), QMessageBox::DestructiveRole);
  leave->setObjectName(QStringLiteral("leave"));
  box.setDefaultButton(retry);
  // The wait cursor of the close would hide that the box waits for an answer.
  QApplication::setOverrideCursor(Qt::ArrowCursor);
  box.exec();
  QApplication::restoreOverrideCursor();
  // Dismissed because the process was told to stop: leave.
  return !close_without_asking_ && box.clickedButton() == retry;
}

}  // namespace tolvane
