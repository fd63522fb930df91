#include "ui/frame/main_frame.h"

#include <QtWebEngineCore/qtwebenginecoreglobal.h>
#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QCursor>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMoveEvent>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QSplitter>
#include <QStatusBar>
#include <QStyle>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWebEngineDownloadRequest>
#include <QWebEngineProfile>
#include <QWebEngineView>
#include <algorithm>
#include <cstdio>
#include <string>

#include "core/app/tolvane_doc.h"
#include "core/browser/page_host.h"
#include "core/browser/page_host_owner.h"
#include "core/files/setting_keys.h"
#include "core/files/string_table.h"
#include "core/frame/address_bar_commands.h"
#include "core/frame/list_shortcut_owners.h"
#include "core/frame/page_encoding.h"
#include "core/frame/page_zoom.h"
#include "core/frame/search_tree_commands.h"
#include "core/frame/toolbar_options.h"
#include "core/stores/store_bar.h"
#include "core/tabs/multi_open.h"
#include "core/tabs/open_favorite.h"
#include "core/tabs/search_entry_commands.h"
#include "core/tabs/tab_workspace.h"
#include "platform/process_resource_probe.h"
#include "ui/base/band_tool_bar.h"
#include "ui/base/menu_builder.h"
#include "ui/base/message_box_prompter.h"
#include "ui/base/qt_clipboard.h"
#include "ui/base/qt_text.h"
#include "ui/base/qt_timer_factory.h"
#include "ui/browser/web_engine_control.h"
#include "ui/browser/web_engine_control_factory.h"
#include "ui/frame/address_bar.h"
#include "ui/frame/command_actions.h"
#include "ui/frame/data_menu_view.h"
#include "ui/frame/exit_dialog.h"
#include "ui/frame/frame_focus_ring.h"
#include "ui/frame/frame_icons.h"
#include "ui/frame/frame_input_filter.h"
#include "ui/frame/page_dialog_commands.h"
#include "ui/frame/page_menu.h"
#include "ui/frame/standard_bar.h"
#include "ui/frame/zoom_pane.h"
#include "ui/search/engine_menu.h"
#include "ui/search/engine_property_dialog.h"
#include "ui/search/search_bar.h"
#include "ui/search/search_bar_actions.h"
#include "ui/search/site_search_adder.h"
#include "ui/sidebar/side_bar.h"
#include "ui/tabs/category_tab_ctrl.h"
#include "ui/tabs/page_tab_ctrl.h"
#include "ui/tabs/tab_tree_ctrl.h"
#include "ui/tabs/tolvane_view.h"

namespace tolvane {
namespace {

constexpr int kDefaultWidth = 1024;
constexpr int kDefaultHeight = 720;
// Narrow as this, the search bar still shows its search buttons beside the
// standard buttons.
constexpr int kMinimumWidth = 800;
constexpr int kMinimumHeight = 240;
constexpr int kStatusBarMinimumHeight = 26;
// How long ShowMessage covers the status text.
constexpr int kMessageMs = 15000;
constexpr int kProgressPaneWidth = 100;
constexpr int kBlockedPaneWidth = 40;
const char kBandIdProperty[] = "tolvaneBandId";

// The stored layout; without one the built-in order on three rows (menu
// bar; standard buttons and search bar; address bar), as tool bars do not
// wrap into the next row by themselves.
BandLayout StartBandLayout(const SettingsStore& settings) {
  BandLayout layout = BandLayout::Read(settings);
  if (Read(settings, settings::kToolBarSummaryNumToolBars) >= 1) return layout;
  std::vector<Band> bands;
  for (const int id : {frame_bar::kMenuBar, frame_bar::kStandardButtons, frame_bar::kSearchBar,
                       frame_bar::kAddressBar}) {
    const bool starts_row = id == frame_bar::kStandardButtons || id == frame_bar::kAddressBar;
    bands.push_back({id, BandLayout::DefaultWidth(id), starts_row ? Band::kStyleBreak : 0});
  }
  layout.SetBands(bands);
  return layout;
}

}  // namespace

// The platform parts first, then the window's core, then the widgets that
// draw it and attach themselves to it.
CMainFrame::CMainFrame(CTolvaneDoc& doc, QWidget* parent)
    : QMainWindow(parent),
      doc_(doc),
      timers_(std::make_unique<QtTimerFactory>()),
      prompter_(std::make_unique<MessageBoxPrompter>(this)),
      clipboard_(std::make_unique<QtClipboard>()),
      probe_(std::make_unique<ProcessResourceProbe>()),
      core_(std::make_unique<WindowCore>(
          doc, WindowCore::Platform{*timers_, *prompter_, *clipboard_, *probe_}, *this, *this)) {
  setObjectName(QStringLiteral("mainFrame"));
  setWindowTitle(ToQString(ProgramTitle()));
  setWindowIcon(FrameIcon("app"));
  core_->set_input_reader([this] { return ReadInputState(); });
  actions_ = new CCommandActions(
      core_->router(), [this] { return core_->ContextNow(CommandId(), CommandSource::kMenu); },
      this);
  search_bar_ = new CSearchBar(doc_.settings(), doc_.keywords(), this);
  search_bar_->setObjectName(QStringLiteral("searchBar"));
  view_ = new CTolvaneView(doc_, *core_, this);
  view_->set_search_bar(search_bar_);
  connect(search_bar_, &CSearchBar::commandRequested, this,
          [this](int id) { core_->Run(CommandId(id), CommandSource::kSearchBar); });
  address_bar_ = new CAddressBar(core_->address_list(), doc_.history(), this);
  address_bar_->setObjectName(QStringLiteral("addressBar"));
  connect(address_bar_, &CAddressBar::goRequested, this, &CMainFrame::GoFromAddressBar);
  core_->AttachAddressBar(*address_bar_);
  view_->set_focus_address_bar([bar = QPointer<CAddressBar>(address_bar_)] {
    if (bar != nullptr && bar->isVisible()) bar->FocusAddressBar();
  });
  connect(address_bar_, &CAddressBar::focusLeaving, this,
          [this](bool backward) { focus_ring_->MoveFrom(FocusStop::kAddressBar, !backward); });

  CreateSidePanel();
  CreateBands();
  CreateStatusBar();
  ApplyBandLayout(StartBandLayout(doc_.settings()));
  connect(view_, &CTolvaneView::frameTextChanged, this, &CMainFrame::ShowFrameText);
  connect(view_, &CTolvaneView::statusChanged, this, &CMainFrame::ShowStatus);
  core_->set_save_status([this](const std::string& status, const std::string& told) {
    if (!told.empty()) std::fprintf(stderr, "tolvane: not saved:\n%s", told.c_str());
    save_status_->setText(ToQString(status));
    save_status_->setVisible(!status.empty());
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
  // The pages go before the widgets they live in, those widgets before the
  // core they draw.
  core_->Finish();
  delete splitter_;
}

void CMainFrame::CreateInputFilter() {
  FrameInputFilter::Parts parts;
  parts.context = [this] { return core_->ContextNow(CommandId(), CommandSource::kMenu); };
  parts.category_row = view_->category_bar();
  parts.cancel_tab_drags = [this] {
    view_->category_bar()->CancelDrag();
    view_->page_bar()->CancelDrag();
  };
  parts.show_status = [this](const QString& text) { status_text_->setText(text); };
  input_filter_ = new FrameInputFilter(*this, doc_.commands(), core_->router(),
                                       core_->shortcut_owners(), std::move(parts));
  input_filter_->Reload(doc_.settings());
  actions_->ShowKeysOf(doc_.commands());
}

void CMainFrame::Start(QWebEngineProfile* profile, bool has_argument,
                       const std::function<std::string()>& start_url,
                       const std::string& clip_list_url) {
  view_->Start(profile, has_argument, start_url, clip_list_url);
  StartPageCommands(profile);
  StartSearchCommands();
}

void CMainFrame::StartPageCommands(QWebEngineProfile* profile) {
  TabWorkspace* workspace = core_->workspace();
  if (workspace == nullptr) return;
  page_dialogs_ = std::make_unique<CPageDialogCommands>(
      profile, [this] { return ActiveControl(); }, [this] { ZoomChanged(); }, this);
  core_->router().Add(*page_dialogs_);
  page_menu_ = std::make_unique<CPageMenu>(core_->router(), doc_.keywords());
  page_menu_->fill_search_tree = [this](QMenu& menu, const CommandContext& context) {
    if (core_->search_tree().root() >= 0) {
      FillSearchTreeMenu(menu, core_->search_tree().root(), context);
    }
  };
  DataMenuView::Actions favorite_actions;
  favorite_actions.open_item = [this, workspace](int item) {
    OpenFavorite(workspace->area(), doc_.favorites(), doc_.settings(), item, ReadInputState().keys);
  };
  favorite_actions.open_all = [this, workspace](int folder) {
    const ItemStore& favorites = doc_.favorites();
    MultiOpen(*workspace, favorites, favorites.folders().id(static_cast<std::size_t>(folder)));
  };
  favorite_menus_ = std::make_unique<DataMenuView>(doc_.favorites(), std::move(favorite_actions));
  page_menu_->fill_favorites_bar = [this](QMenu& menu) {
    favorite_menus_->AddBarButtons(menu, StoreBar(doc_.favorites(), doc_.settings()).Buttons());
  };

  PageHooks& hooks = view_->controls()->hooks();
  hooks.context_menu = [this](WebEngineControl& control, const QPoint& global) {
    ShowPageMenu(control, global);
  };
  hooks.ctrl_wheel = [this](WebEngineControl& control, int delta) {
    const auto zoom = page_zoom::WheelZoomCommand(delta, true, control.Zoom());
    if (!zoom) return false;
    CommandContext context;
    context.modifiers.ctrl = true;
    core_->router().Run(*zoom, context);
    return true;
  };
  hooks.offline = [this] { return page_dialogs_ != nullptr && page_dialogs_->offline(); };
  // Tab past the page's last element goes on along the window's ring.
  hooks.leave_page = [this](WebEngineControl&, bool backward) {
    return focus_ring_->MoveFrom(FocusStop::kPage, !backward);
  };
  // Saving a page, a link or an image: the page's own save goes where the
  // user chose already; other downloads ask where to.
  connect(profile, &QWebEngineProfile::downloadRequested, this,
          [this](QWebEngineDownloadRequest* download) {
            if (!download->isSavePageDownload()) {
              const QString path = QFileDialog::getSaveFileName(
                  this, QStringLiteral("名前を付けて保存"),
                  CPageDialogCommands::SaveFolder(download->downloadDirectory()) +
                      QLatin1Char('/') + download->downloadFileName());
              if (path.isEmpty()) return;
              const QFileInfo target(path);
              download->setDownloadDirectory(target.absolutePath());
              download->setDownloadFileName(target.fileName());
            }
            download->accept();
          });
  ZoomChanged();
}

// The search tree as menus: each engine searches the context's keyword
// with it.
void CMainFrame::FillSearchTreeMenu(QMenu& menu, int item, const CommandContext& context) {
  EngineMenu engines;
  engines.engine = [this, context](QAction& action, const SearchTreeItem& engine) {
    CommandContext with_engine = context;
    with_engine.list_row = engine.record;
    connect(&action, &QAction::triggered, this,
            [this, with_engine] { core_->router().Run(command::kEngineCommand, with_engine); });
  };
  engines.Fill(menu, core_->search_tree(), item);
}

WebEngineControl* CMainFrame::ActiveControl() const {
  TabWorkspace* workspace = core_->workspace();
  PageHost* page = workspace != nullptr ? workspace->area().ActiveHost() : nullptr;
  return page != nullptr ? dynamic_cast<WebEngineControl*>(page->control()) : nullptr;
}

std::unique_ptr<QMenu> CMainFrame::BuildPageMenu(WebEngineControl& control) {
  TabWorkspace* workspace = core_->workspace();
  if (workspace == nullptr || page_menu_ == nullptr) return nullptr;
  PageContextState state =
      PageContextStateOf(workspace->area(), doc_.tabs(), CPageMenu::ClickedInTextField(control),
                         ToSjis(Utf8ToQString(CPageMenu::ClickedSelection(control))));
  const SearchBarButtons::Sources sources{doc_.engine_folders(), doc_.engines(), doc_.tab_folders(),
                                          doc_.tabs()};
  state.bar_buttons = SearchBarButtonEntries(
      state,
      SearchBarButtons::Build(Read(doc_.settings(), settings::kFindBarButtonIDs), false, sources),
      sources);
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
  TabWorkspace* workspace = core_->workspace();
  if (workspace == nullptr || core_->page_commands() == nullptr || url.empty()) return;
  // Without a category tab (start mode 0) the address would go nowhere.
  if (workspace->ShowSomeCategory()) core_->page_commands()->OpenInNewPageTab(url);
}

void CMainFrame::ShowMessage(const QString& text) { statusBar()->showMessage(text, kMessageMs); }

void CMainFrame::AddStatusPane(QWidget* pane) { statusBar()->addPermanentWidget(pane); }

// The window's one-line field that has the keyboard focus, or null. The
// address bar and the keyword box are editable combo boxes: the box holds
// the focus for its line.
QLineEdit* CMainFrame::FocusedField() const {
  QWidget* focus = QApplication::focusWidget();
  auto* field = qobject_cast<QLineEdit*>(focus);
  if (auto* box = qobject_cast<QComboBox*>(focus); box != nullptr && box->isEditable()) {
    field = box->lineEdit();
  }
  return field != nullptr && isAncestorOf(field) ? field : nullptr;
}

bool CMainFrame::FieldHasFocus() const { return FocusedField() != nullptr; }

bool CMainFrame::EditFocusedField(EditCommand command) {
  QLineEdit* field = FocusedField();
  if (field == nullptr) return false;
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

// The page does what its own keys do: Enter follows the focused link (or
// sends the focused form), Shift+F10 opens the menu of the focused element,
// which is the program's page menu.
void CMainFrame::FollowFocusedLink() {
  input_filter_->PassKey(Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
}

void CMainFrame::ShowFocusedLinkMenu() { input_filter_->PassKey(Qt::Key_F10, Qt::ShiftModifier); }

void CMainFrame::ZoomChanged() {
  if (zoom_pane_ == nullptr) return;
  const WebEngineControl* control = ActiveControl();
  zoom_pane_->ShowZoom(control != nullptr ? control->Zoom() : page_zoom::kUnknown);
}

// The search bar's own commands and its links to the core's search
// commands, which Start made.
void CMainFrame::StartSearchCommands() {
  SearchEntryCommands* search_commands = core_->search_commands();
  if (search_commands == nullptr) return;
  SiteSearchAdder::Hooks hooks;
  hooks.create = [this](const EngineDialogValues& values, int tree_item) -> std::optional<int> {
    EngineDialog dialog = core_->SiteSearchDialog(values, tree_item);
    return CEnginePropertyDialog::Run(dialog, doc_, this);
  };
  site_search_ = new SiteSearchAdder(*prompter_, std::move(hooks), this);
  search_bar_actions_ = std::make_unique<SearchBarActions>(*search_bar_, *site_search_,
                                                           [this] { return ShownPage(); });
  core_->router().Add(*search_bar_actions_);

  search_bar_->Attach(
      {core_->router(), *search_commands, *core_->workspace(), doc_.engine_folders(),
       doc_.engines(), doc_.tab_folders(), doc_.tabs(),
       [this](CommandId id) { return core_->ContextNow(id, CommandSource::kSearchBar); }});
  connect(view_, &CTolvaneView::tabsChanged, search_bar_, &CSearchBar::RebuildSoon);
  connect(search_bar_, &CSearchBar::focusForwardWanted, this,
          [this] { focus_ring_->MoveFrom(FocusStop::kSearchBar, true); });
  connect(search_bar_, &CSearchBar::focusBackwardWanted, this,
          [this] { focus_ring_->MoveFrom(FocusStop::kSearchBar, false); });
}

// The one place the window is read for a command: at the moment it is given.
InputState CMainFrame::ReadInputState() const {
  InputState input;
  const QWidget* focus = QApplication::focusWidget();
  const auto within = [focus](const QWidget* area) {
    return focus != nullptr && area != nullptr && (focus == area || area->isAncestorOf(focus));
  };
  if (view_->page_had_focus()) {
    input.focus = InputFocus::kPage;
  } else if (within(search_bar_->keyword_box())) {
    input.focus = InputFocus::kKeywordBox;
  } else if (side_bar_ != nullptr && within(side_bar_->keyword_box())) {
    input.focus = InputFocus::kSideBarBox;
  } else if (within(address_bar_)) {
    input.focus = InputFocus::kAddressBar;
  } else if (within(view_->tab_tree())) {
    input.focus = InputFocus::kTabTree;
  } else if (within(view_->category_bar())) {
    input.focus = InputFocus::kCategoryRow;
  }
  input.search_bar_text = ToKeyword(search_bar_->keyword_box()->currentText());
  if (side_bar_ != nullptr)
    input.side_bar_text = ToKeyword(side_bar_->keyword_box()->currentText());
  if (const TabWorkspace* workspace = core_->workspace()) {
    if (const PageHost* host = workspace->area().ActiveHost())
      input.selection = host->SelectedText();
  }
  input.address_bar_text = address_bar_->AddressText();
  const Qt::KeyboardModifiers keys = QGuiApplication::queryKeyboardModifiers();
  input.keys = {keys.testFlag(Qt::ShiftModifier), keys.testFlag(Qt::ControlModifier),
                QGuiApplication::mouseButtons().testFlag(Qt::MiddleButton),
                keys.testFlag(Qt::AltModifier)};
  input.group_choice = search_bar_->chosen_group();
  return input;
}

QWebEnginePage* CMainFrame::ShownPage() const {
  for (QWebEngineView* page_view : view_->page_area()->findChildren<QWebEngineView*>()) {
    if (page_view->isVisible()) return page_view->page();
  }
  return nullptr;
}

void CMainFrame::CreateSidePanel() {
  side_bar_ = new CSideBar(doc_, *view_, *search_bar_, *core_, this);
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
  focus_ring_ = std::make_unique<FrameFocusRing>(
      FrameFocusRing::Parts{search_bar_, side_bar_, splitter_, view_, address_bar_});
  connect(view_->tab_tree(), &CTabTreeCtrl::searchItemDropped, this,
          [this](const QByteArray& token, int target) {
            if (SearchTreeCommands* commands = core_->search_tree_commands()) {
              commands->DropOnTabTree(core_->search_tree().ItemOfToken(token.toStdString()),
                                      target);
            }
          });
}

void CMainFrame::CreateStatusBar() {
  statusBar()->setObjectName(QStringLiteral("statusBar"));
  statusBar()->setMinimumHeight(kStatusBarMinimumHeight);
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
  // Stays until a save writes every file again.
  save_status_ = new QLabel(statusBar());
  save_status_->setObjectName(QStringLiteral("saveStatus"));
  save_status_->setStyleSheet(QStringLiteral("color: #b00000;"));
  save_status_->hide();
  statusBar()->addPermanentWidget(save_status_);
  progress_ = new QProgressBar(statusBar());
  progress_->setObjectName(QStringLiteral("pageProgress"));
  progress_->setRange(0, 100);
  progress_->setFixedWidth(kProgressPaneWidth);
  progress_->setMaximumHeight(14);
  progress_->setTextVisible(false);
  progress_->hide();
  statusBar()->addPermanentWidget(progress_);
  // The pop-ups blocked on the shown page: an icon and the count while there
  // are any; a click opens the pop-up menu whatever the count.
  blocked_pane_ = new QToolButton(statusBar());
  blocked_pane_->setObjectName(QStringLiteral("blockedPopups"));
  blocked_pane_->setAutoRaise(true);
  blocked_pane_->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
  blocked_pane_->setMinimumWidth(kBlockedPaneWidth);
  blocked_pane_->setToolTip(ToQString(LoadString(string_id::kPopupBlocked)));
  blocked_pane_->setMenu(popup_menu_);
  blocked_pane_->setPopupMode(QToolButton::InstantPopup);
  blocked_pane_->setStyleSheet(QStringLiteral("QToolButton::menu-indicator { image: none; }"));
  statusBar()->addPermanentWidget(blocked_pane_);
  // The lock of a secure page; a click asks for the security report.
  lock_pane_ = new QToolButton(statusBar());
  lock_pane_->setObjectName(QStringLiteral("secureMark"));
  lock_pane_->setAutoRaise(true);
  lock_pane_->setIconSize(QSize(16, 16));
  lock_pane_->setFixedWidth(22);
  connect(lock_pane_, &QToolButton::clicked, this,
          [this] { core_->router().Run(command::kSecurityReport); });
  statusBar()->addPermanentWidget(lock_pane_);
  zoom_pane_ = new CZoomPane(*actions_, statusBar());
  AddStatusPane(zoom_pane_);
}

// The bands' own menu (a right click on them): the bar toggles and the lock.
QMenu* CMainFrame::createPopupMenu() {
  auto* menu = new QMenu(this);
  DrawMenu(MenuId::kBands, *menu, CommandDrawing());
  actions_->RefreshMenu(*menu);
  return menu;
}

void CMainFrame::ShowFrameText(const QString& caption, const QString& url) {
  const QString program = ToQString(ProgramTitle());
  setWindowTitle(caption.isEmpty() ? program : caption + QStringLiteral(" - ") + program);
  address_bar_->ShowPageAddress(url);
  actions_->RefreshAllSoon();
}

void CMainFrame::GoFromAddressBar() {
  core_->address_commands()->Go(core_->router(),
                                core_->ContextNow(CommandId(), CommandSource::kMenu));
}

void CMainFrame::ShowStatus(const QString& text, bool loading, int progress, bool secure,
                            int status_icon, int blocked_count) {
  status_text_->setText(text);
  status_icon_->setVisible(status_icon != 0);
  if (status_icon != 0) {
    const char* icon = "favorites";  // a favorite's importance
    QString tip =
        ToQString(FormatString(string_id::kImportance, {std::to_string(status_icon - 1)}));
    if (status_icon == StatusBarValues::kIconSecure) {
      icon = "lock";
      tip = QStringLiteral("保護された通信");
    } else if (status_icon == StatusBarValues::kIconScriptError) {
      icon = "script_error";
      tip.clear();
    } else if (status_icon > StatusBarValues::kIconScriptError) {
      icon = "page_action";
      tip.clear();
    }
    status_icon_->setPixmap(status_icon < StatusBarValues::kIconSecure
                                ? ImportancePixmap(status_icon - 1, 16)
                                : FrameIcon(icon).pixmap(16, 16));
    status_icon_->setToolTip(tip);
  }
  blocked_pane_->setIcon(blocked_count > 0 ? FrameIcon("popup_blocked") : QIcon());
  blocked_pane_->setText(blocked_count > 0 ? QString::number(blocked_count) : QString());
  progress_->setVisible(loading);
  progress_->setValue(std::clamp(progress, 0, 100));
  lock_pane_->setIcon(secure ? FrameIcon("lock") : QIcon());
  lock_pane_->setToolTip(secure ? QStringLiteral("保護された通信") : QString());
  actions_->RefreshAllSoon();
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

void CMainFrame::CreateBands() {
  menu_band_ = new BandToolBar(QStringLiteral("メニューバー"), this);
  menu_band_->setObjectName(QStringLiteral("menuBand"));
  menu_bar_ = new QMenuBar(menu_band_);
  menu_bar_->setObjectName(QStringLiteral("menuBar"));
  menu_bar_->setNativeMenuBar(false);
  // The menu bar keeps a right click to itself: the bands' menu over it too.
  menu_bar_->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(menu_bar_, &QWidget::customContextMenuRequested, this, [this](const QPoint& pos) {
    QMenu* bands = createPopupMenu();
    bands->setAttribute(Qt::WA_DeleteOnClose);
    bands->popup(menu_bar_->mapToGlobal(pos));
  });
  menu_band_->addWidget(menu_bar_);
  // The menus first: their texts, with the access keys, name the actions
  // the buttons share.
  CreateMenus();

  const auto history_menu = [this](PageHistoryMenu which, const QString& name) {
    return PageHistoryMenuFor(which, name);
  };
  QMenu* add_menu = MakeMenu(MenuId::kAddFavorite, this, CommandDrawing()).release();
  standard_bar_ = new CStandardBar(
      *actions_,
      {history_menu(PageHistoryMenu::kBack, QStringLiteral("backMenu")),
       history_menu(PageHistoryMenu::kForward, QStringLiteral("forwardMenu")), add_menu},
      this);
  standard_bar_->setObjectName(QStringLiteral("standardBar"));
  standard_bar_->Rebuild(ToolbarOptions::Read(doc_.settings()));

  bands_ = {{frame_bar::kMenuBar, menu_band_},
            {frame_bar::kStandardButtons, standard_bar_},
            {frame_bar::kAddressBar, address_bar_},
            {frame_bar::kSearchBar, search_bar_}};
  for (auto& [id, bar] : bands_) {
    bar->setProperty(kBandIdProperty, id);
    bar->setAllowedAreas(Qt::TopToolBarArea);
    bar->setFloatable(false);
    // The band's own hide entry would bypass the commands; its menu lists
    // the toggles instead.
    bar->toggleViewAction()->setVisible(false);
  }
}

QMenu* CMainFrame::PageHistoryMenuFor(PageHistoryMenu which, const QString& name) {
  auto* menu = new QMenu(this);
  menu->setObjectName(name);
  connect(menu, &QMenu::aboutToShow, this,
          [this, menu, which] { FillPageHistoryMenu(*menu, which); });
  return menu;
}

void CMainFrame::FillPageHistoryMenu(QMenu& menu, PageHistoryMenu which) {
  menu.clear();
  PageHistory history;
  if (TabWorkspace* workspace = core_->workspace()) {
    if (const PageHost* page = workspace->area().ActiveHost()) history = page->History();
  }
  auto* group = new QActionGroup(&menu);
  for (const PageHistoryEntry& entry : PageHistoryEntries(which, history.back, history.forward)) {
    QAction* action = menu.addAction(ToQString(entry.title));
    action->setData(entry.command.value());
    if (entry.current) {
      action->setCheckable(true);
      action->setChecked(true);
      action->setActionGroup(group);
    }
    const CommandId id = entry.command;
    connect(action, &QAction::triggered, this, [this, id] { core_->router().Run(id); });
  }
}

MenuDrawing CMainFrame::CommandDrawing() {
  MenuDrawing drawing;
  drawing.add_command = [this](QMenu& menu, CommandId id, const QString& text, bool checkable) {
    return actions_->AddEntry(menu, id, text, checkable);
  };
  drawing.fill_list = [this](const MenuEntry& entry, QMenu& menu) {
    if (entry.list == MenuList::kPageHistory) {
      connect(&menu, &QMenu::aboutToShow, this,
              [this, &menu] { FillPageHistoryMenu(menu, PageHistoryMenu::kCombined); });
    } else if (entry.list == MenuList::kEncodings) {
      for (const PageEncoding& encoding : PageEncodings()) {
        actions_->AddTo(menu, encoding.command, Utf8ToQString(encoding.name), true);
      }
    }
  };
  return drawing;
}

void CMainFrame::CreateMenus() {
  const MenuDrawing drawing = CommandDrawing();
  for (const MenuEntry& entry : Menu(MenuId::kMenuBar).entries) {
    auto* menu = new QMenu(menu_bar_);  // owned by the menu bar
    DrawMenu(SubmenuOf(entry), *menu, drawing);
    menu_bar_->addMenu(menu);
  }
  actions_->Action(command::kExit)->setObjectName(QStringLiteral("exitAction"));
  popup_menu_ = menu_bar_->findChild<QMenu*>(QStringLiteral("PopupBlock"));
}

QToolBar* CMainFrame::Band(int id) const {
  const auto found = bands_.find(id);
  return found == bands_.end() ? nullptr : found->second;
}

void CMainFrame::ApplyBandLayout(const BandLayout& layout) {
  const bool fixed = Read(doc_.settings(), settings::kToolBarFixToolBar) != 0;
  for (auto& [id, bar] : bands_) removeToolBar(bar);
  bool first = true;
  const std::vector<tolvane::Band>& bands = layout.bands();
  for (std::size_t i = 0; i < bands.size(); ++i) {
    const tolvane::Band& band = bands[i];
    const auto found = bands_.find(band.id);
    if (found == bands_.end()) continue;
    BandToolBar* bar = found->second;
    if (band.starts_row() && !first) addToolBarBreak(Qt::TopToolBarArea);
    addToolBar(Qt::TopToolBarArea, bar);
    // The last shown band of a row takes the rest of the row: its stored
    // width is only what was left for it.
    bool last_in_row = true;
    for (std::size_t next = i + 1; next < bands.size(); ++next) {
      if (Band(bands[next].id) == nullptr || bands[next].hidden()) continue;
      last_in_row = bands[next].starts_row();
      break;
    }
    bar->set_stored_width(last_in_row ? tolvane::Band::kOwnWidth : band.cx);
    bar->setMovable((BandLayout::InsertStyle(band.style, fixed) & tolvane::Band::kStyleGripper) !=
                    0);
    bar->setVisible(!band.hidden());
    first = false;
  }
  statusBar()->setVisible(layout.status_bar_shown());
  applied_ = layout;
}

// The order comes from where the bands stand on screen (top to bottom, left
// to right); a hidden band keeps its place among them, and a band this
// window lacks stays as it was read.
BandLayout CMainFrame::CurrentBandLayout() const {
  const bool fixed = Read(doc_.settings(), settings::kToolBarFixToolBar) != 0;
  std::vector<tolvane::Band> bands = applied_.bands();
  std::vector<QToolBar*> shown;
  for (tolvane::Band& band : bands) {
    QToolBar* bar = Band(band.id);
    if (bar == nullptr) continue;
    if (bar->isHidden()) {
      band.style |= tolvane::Band::kStyleHidden;
    } else {
      band.style &= ~tolvane::Band::kStyleHidden;
      shown.push_back(bar);
    }
  }
  if (isVisible()) {
    std::ranges::stable_sort(shown, [](const QToolBar* a, const QToolBar* b) {
      return std::pair(a->y(), a->x()) < std::pair(b->y(), b->x());
    });
    std::size_t next = 0;
    int row_y = -1;
    for (tolvane::Band& band : bands) {
      QToolBar* slot = Band(band.id);
      if (slot == nullptr || slot->isHidden()) continue;
      QToolBar* bar = shown[next++];
      const bool starts_row = row_y >= 0 && bar->y() > row_y;
      band = {bar->property(kBandIdProperty).toInt(), bar->width(),
              starts_row ? tolvane::Band::kStyleBreak : 0};
      row_y = bar->y();
    }
  }
  for (tolvane::Band& band : bands) {
    if (Band(band.id) != nullptr) band.style = BandLayout::InsertStyle(band.style, fixed);
  }
  BandLayout layout;
  layout.SetBands(bands);
  layout.set_status_bar_shown(!statusBar()->isHidden());
  return layout;
}

void CMainFrame::RestorePlacement() {
  setMinimumSize(kMinimumWidth, kMinimumHeight);
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
  normal_rect_ = saved;
  // A window saved on a screen that is gone would open out of reach; then
  // let the window manager place it.
  for (const QScreen* screen : QGuiApplication::screens()) {
    if (screen->availableGeometry().intersects(saved)) {
      move(saved.topLeft());
      return;
    }
  }
}

// Every Tab key no widget used comes here from the focus widget's parents.
bool CMainFrame::focusNextPrevChild(bool next) {
  return focus_ring_->Move(QApplication::focusWidget(), next) ||
         QMainWindow::focusNextPrevChild(next);
}

void CMainFrame::closeEvent(QCloseEvent* event) {
  // A second close request while the exit dialog is up is the same close.
  if (closing_) {
    event->ignore();
    return;
  }
  closing_ = true;
  // No periodic save (and its message) while the close asks and saves.
  core_->PausePeriodicSave();
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
    core_->ResumePeriodicSave();
    event->ignore();
    return;
  }
  if (sequence.left_unsaved()) {
    left_unsaved_ = true;
    std::fprintf(stderr, "tolvane: %s", sequence.last_save().ExitSummary().c_str());
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
  if (TabWorkspace* workspace = core_->workspace()) workspace->area().SaveOpenPages();
}

int CMainFrame::ActiveTabId() {
  TabWorkspace* workspace = core_->workspace();
  return workspace != nullptr ? workspace->ActiveTabId() : 0;
}

void CMainFrame::SaveBarLayout() {
  side_bar_->SaveState();
  if (!CurrentBandLayout().Write(doc_.settings())) {
    std::fprintf(stderr, "tolvane: the band layout could not be written\n");
  }
}

void CMainFrame::SaveLists() {
  if (!core_->address_list().Write(doc_.settings())) {
    std::fprintf(stderr, "tolvane: the address list could not be written\n");
  }
  doc_.SaveCommands();
}

void CMainFrame::ShowWaitCursor() {
  QApplication::setOverrideCursor(Qt::WaitCursor);
  ++wait_cursors_;
}

void CMainFrame::ClearWaitCursor() {
  for (; wait_cursors_ > 0; --wait_cursors_) QApplication::restoreOverrideCursor();
}

void CMainFrame::LeaveFullScreen() { SetFullScreen(false); }

// Frame position and client size: what move() and resize() take back. A
// maximised, minimised or full-screen window gives its last normal
// rectangle.
std::optional<WindowRect> CMainFrame::RestoredWindowRect() {
  QRect rect = normal_rect_;
  if (!isMinimized() && !isMaximized() && !isFullScreen()) rect = QRect(pos(), size());
  if (!rect.isValid()) return std::nullopt;
  return WindowRect{rect.x(), rect.y(), rect.width(), rect.height()};
}

// Taken once the events of a change have settled: a platform may resize the
// window before it reports the maximised state that caused it.
void CMainFrame::RememberNormalRect() {
  QTimer::singleShot(0, this, [this] {
    if (isVisible() &&
        (windowState() & (Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen)) == 0) {
      normal_rect_ = QRect(pos(), size());
    }
  });
}

void CMainFrame::moveEvent(QMoveEvent* event) {
  QMainWindow::moveEvent(event);
  RememberNormalRect();
}

void CMainFrame::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  RememberNormalRect();
}

void CMainFrame::changeEvent(QEvent* event) {
  QMainWindow::changeEvent(event);
  if (event->type() == QEvent::WindowStateChange) RememberNormalRect();
}

bool CMainFrame::HasBar(int id) const { return id == frame_bar::kStatusBar || Band(id) != nullptr; }

bool CMainFrame::BarShown(int id) const {
  if (id == frame_bar::kStatusBar) return !statusBar()->isHidden();
  const QToolBar* bar = Band(id);
  return bar != nullptr && !bar->isHidden();
}

void CMainFrame::ShowBar(int id, bool shown) {
  if (id == frame_bar::kStatusBar) {
    statusBar()->setVisible(shown);
  } else if (QToolBar* bar = Band(id)) {
    bar->setVisible(shown);
  }
}

void CMainFrame::FixBands(bool fixed) {
  for (auto& [id, bar] : bands_) bar->setMovable(!fixed);
}

bool CMainFrame::FullScreen() const { return isFullScreen(); }

// Full screen shows the view alone; leaving it puts back the bands and the
// status bar as they were, and the window as it was (maximised or at its
// normal rectangle).
void CMainFrame::SetFullScreen(bool on) {
  if (on == isFullScreen()) return;
  if (on) {
    before_full_screen_ = CurrentBandLayout();
    maximized_before_full_screen_ = isMaximized();
    for (auto& [id, bar] : bands_) bar->hide();
    statusBar()->hide();
    showFullScreen();
    return;
  }
  if (maximized_before_full_screen_) {
    showMaximized();
  } else {
    showNormal();
  }
  if (before_full_screen_) ApplyBandLayout(*before_full_screen_);
  before_full_screen_.reset();
}

void CMainFrame::ShowAbout() {
  const QString text =
      QStringLiteral(
          "<h3>%1</h3><p>バージョン %2</p>"
          "<p>Qt %3 (GNU LGPL v3)<br>Qt WebEngine / Chromium %4 "
          "(GNU LGPL v3 / BSD ほか)</p>"
          "<p>ブラウザエンジン: %5</p>")
          .arg(ToQString(ProgramTitle()).toHtmlEscaped(), QStringLiteral(TOLVANE_VERSION),
               QString::fromLatin1(qVersion()), QString::fromLatin1(qWebEngineChromiumVersion()),
               QWebEngineProfile::defaultProfile()->httpUserAgent().toHtmlEscaped());
  QMessageBox box(QMessageBox::NoIcon, QStringLiteral("バージョン情報"), text, QMessageBox::Ok,
                  this);
  box.setObjectName(QStringLiteral("aboutBox"));
  box.setIconPixmap(FrameIcon("app").pixmap(24, 24));
  box.exec();
}

void CMainFrame::Minimize() { showMinimized(); }

void CMainFrame::Close() { close(); }

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
