#include "ui/frame/main_frame.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QCursor>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
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
#include <QWebEngineDownloadRequest>
#include <QWebEngineProfile>
#include <algorithm>
#include <cstdio>
#include <string>

#include "core/app/tolvane_doc.h"
#include "core/browser/page_host.h"
#include "core/browser/page_host_owner.h"
#include "core/files/setting_keys.h"
#include "core/files/string_table.h"
#include "core/frame/list_shortcut_owners.h"
#include "core/frame/page_zoom.h"
#include "core/tabs/tab_workspace.h"
#include "ui/app/qt_text.h"
#include "ui/browser/web_engine_control.h"
#include "ui/browser/web_engine_control_factory.h"
#include "ui/frame/command_actions.h"
#include "ui/frame/exit_dialog.h"
#include "ui/frame/frame_input_filter.h"
#include "ui/frame/page_dialog_commands.h"
#include "ui/frame/page_menu.h"
#include "ui/frame/zoom_pane.h"
#include "ui/search/search_bar.h"
#include "ui/tabs/category_tab_ctrl.h"
#include "ui/tabs/page_tab_ctrl.h"
#include "ui/tabs/tab_menus.h"
#include "ui/tabs/tab_tree_ctrl.h"
#include "ui/tabs/tolvane_view.h"

namespace tolvane {
namespace {

constexpr int kDefaultWidth = 1024;
constexpr int kDefaultHeight = 720;
constexpr int kMinimumWidth = 320;
constexpr int kMinimumHeight = 240;
constexpr int kSidePanelWidth = 220;
constexpr int kFocusKeywordBox = 59151;

}  // namespace

CMainFrame::CMainFrame(CTolvaneDoc& doc, QWidget* parent) : QMainWindow(parent), doc_(doc) {
  setObjectName(QStringLiteral("mainFrame"));
  setWindowTitle(ToQString(ProgramTitle()));
  actions_ = new CCommandActions(
      router_,
      [this] {
        return view_ != nullptr ? view_->ContextNow(CommandSource::kMenu) : CommandContext{};
      },
      this);
  search_bar_ = new CSearchBar(doc_.settings(), doc_.keywords(), this);
  search_bar_->setObjectName(QStringLiteral("searchBar"));
  addToolBar(Qt::TopToolBarArea, search_bar_);
  view_ = new CTolvaneView(doc_, router_, this);
  view_->set_search_bar(search_bar_);
  connect(search_bar_, &CSearchBar::commandRequested, this, [this](int id) {
    router_.Run(CommandId(id), view_->ContextNow(CommandSource::kSearchBar));
  });
  CreateSidePanel();
  CreateMenus();
  CreateStatusBar();
  connect(view_, &CTolvaneView::frameTextChanged, this, &CMainFrame::ShowFrameText);
  connect(view_, &CTolvaneView::statusChanged, this, &CMainFrame::ShowStatus);
  connect(view_, &CTolvaneView::saveStatusChanged, this, [this](const QString& text) {
    save_status_->setText(text);
    save_status_->setVisible(!text.isEmpty());
  });
  CreateInputFilter();
  RestorePlacement();
}

CMainFrame::~CMainFrame() {
  // Before the owners it dispatches to.
  delete input_filter_;
  ClearWaitCursor();
  // The view reports its last page going while the window's parts go.
  disconnect(view_, nullptr, this, nullptr);
}

void CMainFrame::CreateInputFilter() {
  shortcut_owners_ = std::make_unique<ListShortcutOwners>(
      doc_.engine_folders(), doc_.engines(), doc_.tab_folders(), doc_.tabs(), router_,
      [this] { return view_->ContextNow(CommandSource::kMenu); });
  FrameInputFilter::Parts parts;
  parts.context = [this] { return view_->ContextNow(CommandSource::kMenu); };
  parts.category_row = view_->category_bar();
  parts.cancel_tab_drags = [this] {
    view_->category_bar()->CancelDrag();
    view_->page_bar()->CancelDrag();
  };
  parts.show_status = [this](const QString& text) { status_text_->setText(text); };
  input_filter_ =
      new FrameInputFilter(*this, doc_.commands(), router_, *shortcut_owners_, std::move(parts));
  input_filter_->Reload(doc_.settings());
  actions_->ShowKeysOf(doc_.commands());
}

void CMainFrame::Start(QWebEngineProfile* profile, bool has_argument,
                       const std::function<std::string()>& start_url,
                       const std::string& clip_list_url) {
  view_->Start(profile, has_argument, start_url, clip_list_url);
  shortcut_owners_->set_workspace(view_->workspace());
  StartPageCommands(profile);
}

void CMainFrame::StartPageCommands(QWebEngineProfile* profile) {
  TabWorkspace* workspace = view_->workspace();
  if (workspace == nullptr) return;
  page_commands_ = std::make_unique<PageCommands>(workspace->area(), doc_.settings(), *this);
  router_.Add(*page_commands_);
  page_dialogs_ = std::make_unique<CPageDialogCommands>(
      profile, [this] { return ActiveControl(); }, [this] { ZoomChanged(); }, this);
  router_.Add(*page_dialogs_);
  page_menu_ = std::make_unique<CPageMenu>(router_, doc_.keywords());

  PageHooks& hooks = view_->controls()->hooks();
  hooks.context_menu = [this](WebEngineControl& control, const QPoint& global) {
    ShowPageMenu(control, global);
  };
  hooks.ctrl_wheel = [this](WebEngineControl& control, int delta) {
    const auto zoom = page_zoom::WheelZoomCommand(delta, true, control.Zoom());
    if (!zoom) return false;
    CommandContext context;
    context.modifiers.ctrl = true;
    router_.Run(*zoom, context);
    return true;
  };
  // Saving a page, a link or an image: the page's own save goes where the
  // user chose already; other downloads ask where to.
  connect(profile, &QWebEngineProfile::downloadRequested, this,
          [this](QWebEngineDownloadRequest* download) {
            if (!download->isSavePageDownload()) {
              const QString path = QFileDialog::getSaveFileName(
                  this, QStringLiteral("名前を付けて保存"),
                  download->downloadDirectory() + QLatin1Char('/') + download->downloadFileName());
              if (path.isEmpty()) return;
              const QFileInfo target(path);
              download->setDownloadDirectory(target.absolutePath());
              download->setDownloadFileName(target.fileName());
            }
            download->accept();
          });
  ZoomChanged();
}

WebEngineControl* CMainFrame::ActiveControl() const {
  TabWorkspace* workspace = view_->workspace();
  PageHost* page = workspace != nullptr ? workspace->area().ActiveHost() : nullptr;
  return page != nullptr ? dynamic_cast<WebEngineControl*>(page->control()) : nullptr;
}

std::unique_ptr<QMenu> CMainFrame::BuildPageMenu(WebEngineControl& control) {
  TabWorkspace* workspace = view_->workspace();
  if (workspace == nullptr || page_menu_ == nullptr) return nullptr;
  const PageContextState state =
      PageContextStateOf(workspace->area(), doc_.tabs(), CPageMenu::ClickedInTextField(control),
                         ToSjis(Utf8ToQString(CPageMenu::ClickedSelection(control))));
  return page_menu_->Build(control, state, this);
}

// Popped up rather than run in a loop of its own: the page may go meanwhile.
void CMainFrame::ShowPageMenu(WebEngineControl& control, const QPoint& global) {
  std::unique_ptr<QMenu> menu = BuildPageMenu(control);
  if (menu == nullptr) return;
  menu->setAttribute(Qt::WA_DeleteOnClose);
  menu.release()->popup(global);
}

void CMainFrame::OpenHandedOver(const std::string& url) {
  if (isMinimized()) showNormal();
  show();
  raise();
  activateWindow();
  if (page_commands_ != nullptr && !url.empty()) page_commands_->OpenInNewPageTab(url);
}

void CMainFrame::AddStatusPane(QWidget* pane) { statusBar()->addPermanentWidget(pane); }

bool CMainFrame::EditFocusedField(EditCommand command) {
  auto* field = qobject_cast<QLineEdit*>(QApplication::focusWidget());
  if (field == nullptr || !isAncestorOf(field)) return false;
  switch (command) {
    case EditCommand::kCut:
      field->cut();
      break;
    case EditCommand::kCopy:
      field->copy();
      break;
    case EditCommand::kPaste:
      field->paste();
      break;
    case EditCommand::kDelete:
      field->del();
      break;
    case EditCommand::kSelectAll:
      field->selectAll();
      break;
    case EditCommand::kUndo:
      field->undo();
      break;
  }
  return true;
}

void CMainFrame::ZoomChanged() {
  if (zoom_pane_ == nullptr) return;
  const WebEngineControl* control = ActiveControl();
  zoom_pane_->ShowZoom(control != nullptr ? control->Zoom() : page_zoom::kUnknown);
}

void CMainFrame::CreateSidePanel() {
  auto* panel = new QWidget;
  panel->setObjectName(QStringLiteral("sidePanel"));
  auto* title = new QLabel(QStringLiteral("タブ"), panel);
  title->setObjectName(QStringLiteral("sidePanelTitle"));
  title->setContentsMargins(6, 4, 6, 4);
  QFont bold = title->font();
  bold.setBold(true);
  title->setFont(bold);
  auto* layout = new QVBoxLayout(panel);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(title);
  layout->addWidget(view_->tab_tree(), 1);

  splitter_ = new QSplitter(Qt::Horizontal, this);
  splitter_->setObjectName(QStringLiteral("mainSplitter"));
  splitter_->addWidget(panel);
  splitter_->addWidget(view_);
  splitter_->setStretchFactor(0, 0);
  splitter_->setStretchFactor(1, 1);
  splitter_->setSizes({kSidePanelWidth, kDefaultWidth - kSidePanelWidth});
  setCentralWidget(splitter_);
  connect(view_, &CTolvaneView::tabTreePageWanted, panel, &QWidget::show);
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
  zoom_pane_ = new CZoomPane(*actions_, statusBar());
  AddStatusPane(zoom_pane_);
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
  ZoomChanged();
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
    for (QAction* action : menu->actions()) {
      const int id = action->data().toInt();
      if (id != 0) {
        action->setText(action->text() +
                        CCommandActions::KeySuffix(doc_.commands(), CommandId(id)));
      }
      if (id == kFocusKeywordBox) {
        connect(action, &QAction::triggered, search_bar_, &CSearchBar::FocusKeywordBox);
      } else if (id != 0) {
        actions_->Bind(*action, CommandId(id), *menu);
      }
    }
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

// The bars of the frame come later: nothing to keep for them yet.
void CMainFrame::SaveBarLayout() {}
void CMainFrame::SaveLists() { doc_.SaveCommands(); }

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
