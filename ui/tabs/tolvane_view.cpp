#include "ui/tabs/tolvane_view.h"

#include <QApplication>
#include <QGuiApplication>
#include <QMenu>
#include <QPalette>
#include <QStyle>
#include <QVBoxLayout>
#include <cstdio>
#include <functional>
#include <utility>

#include "core/app/tolvane_doc.h"
#include "core/app/window_core.h"
#include "core/commands/command_router.h"
#include "core/files/setting_keys.h"
#include "core/stores/item_dialog.h"
#include "core/tabs/tab_workspace.h"
#include "ui/base/icon_cache.h"
#include "ui/base/qt_text.h"
#include "ui/base/qt_timer.h"
#include "ui/browser/paint_hold.h"
#include "ui/browser/web_engine_control_factory.h"
#include "ui/search/engine_property_dialog.h"
#include "ui/search/search_bar.h"
#include "ui/search/tab_tree_images.h"
#include "ui/stores/item_property_dialog.h"
#include "ui/tabs/category_tab_ctrl.h"
#include "ui/tabs/multi_open_dialog.h"
#include "ui/tabs/page_area.h"
#include "ui/tabs/page_tab_ctrl.h"
#include "ui/tabs/tab_menus.h"
#include "ui/tabs/tab_tree_ctrl.h"

namespace tolvane {
namespace {

// Marks the actions of the tab switch menu with the tab record they choose.
constexpr const char* kTabRecordProperty = "tabRecord";

QIcon PageIcon(const PageHost& host) {
  switch (host.icon()) {
    case TabIcon::kFavicon:
      return IconCache::OfFile(PathToQString(host.favicon_file()));
    case TabIcon::kWaiting:
      return IconCache::Standard(QStyle::SP_FileDialogInfoView);
    case TabIcon::kSecure:
      return IconCache::Standard(QStyle::SP_DialogApplyButton);
    case TabIcon::kFailed:
      return IconCache::Standard(QStyle::SP_MessageBoxCritical);
    case TabIcon::kPage:
      break;
  }
  return IconCache::Standard(QStyle::SP_FileIcon);
}

}  // namespace

CTolvaneView::CTolvaneView(CTolvaneDoc& doc, WindowCore& core, QWidget* parent)
    : QWidget(parent), doc_(doc), core_(core) {
  setObjectName(QStringLiteral("tolvaneView"));
  setMinimumSize(200, 120);

  category_bar_ = new CCategoryTabCtrl(this);
  category_bar_->setObjectName(QStringLiteral("categoryTabs"));
  page_bar_ = new CPageTabCtrl(this);
  page_bar_->setObjectName(QStringLiteral("pageTabs"));
  page_area_ = new PageArea(this);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(category_bar_);
  layout->addWidget(page_bar_);
  layout->addWidget(page_area_, 1);

  tab_tree_ = new CTabTreeCtrl();
  tab_tree_->setObjectName(QStringLiteral("tabTree"));

  connect(qApp, &QApplication::focusChanged, this, &CTolvaneView::OnFocusChanged);
}

CTolvaneView::~CTolvaneView() {
  // The window's core, and with it the pages, went first.
  delete tab_tree_.data();
}

QWidget* CTolvaneView::page_area() const { return page_area_; }

TabWorkspace* CTolvaneView::workspace() const { return core_.workspace(); }

QTimer& CTolvaneView::save_timer() { return static_cast<QtTimer&>(core_.save_timer()).timer(); }

void CTolvaneView::Start(QWebEngineProfile* profile, bool has_argument,
                         const std::function<std::string()>& start_url,
                         const std::string& clip_list_url) {
  controls_ = std::make_unique<WebEngineControlFactory>(profile, page_area_, true);
  ConnectCategoryRow();
  ConnectPageRow();
  ConnectTree();
  SettingsStore& settings = doc_.settings();
  category_bar_->SetMinimumTabWidth(Read(settings, settings::kCategoryTabMinimumSize));
  category_bar_->SetShowIcons(Read(settings, settings::kCategoryTabShowFavicon) == 1);
  page_bar_->SetWidthLimits(Read(settings, settings::kPageTabMinimumSize),
                            Read(settings, settings::kPageTabMaximumSize));
  page_bar_->SetShowIcons(Read(settings, settings::kPageTabShowFavicon) == 1);

  core_.Start({.controls = *controls_,
               .view = *this,
               .boxes = *search_bar_,
               .observer = this,
               .has_argument = has_argument,
               .start_url = start_url,
               .clip_list_url = clip_list_url});
  RefreshCategoryBar();
  RefreshTree();
}

// The category row's clicks: a press selects, the marks and double-click
// run their command on the tab clicked.
void CTolvaneView::ConnectCategoryRow() {
  connect(category_bar_, &CCategoryTabCtrl::tabPressed, this, [this](int index) {
    if (index != workspace()->area().current_category()) {
      workspace()->area().SelectCategoryTab(index, true);
    }
  });
  connect(category_bar_, &CCategoryTabCtrl::closeClicked, this, [this](int index) {
    core_.router().Run(command::kCloseCategoryTab, OnCategoryTab(index));
  });
  connect(category_bar_, &CCategoryTabCtrl::newTabClicked, this,
          [this](int index) { core_.router().Run(command::kNewTabButton, OnCategoryTab(index)); });
  connect(category_bar_, &CCategoryTabCtrl::tabDoubleClicked, this,
          [this](int index) { core_.router().Run(command::kSearchInTab, OnCategoryTab(index)); });
  connect(category_bar_, &CCategoryTabCtrl::tabMoved, this,
          [this](int from, int to) { workspace()->MoveCategoryTab(from, to); });
  connect(category_bar_, &CCategoryTabCtrl::contextMenuRequested, this,
          &CTolvaneView::ShowCategoryMenu);
}

void CTolvaneView::ConnectPageRow() {
  connect(page_bar_, &CPageTabCtrl::tabPressed, this, [this](int index) {
    const int category = workspace()->area().current_category();
    if (category >= 0) workspace()->area().SelectPage(category, index, true, true);
  });
  connect(page_bar_, &CPageTabCtrl::closeClicked, this, [this](int index) {
    const int category = workspace()->area().current_category();
    if (category >= 0) workspace()->area().ClosePage(category, index);
  });
  connect(page_bar_, &CPageTabCtrl::newTabClicked, this,
          [this](int) { core_.Run(command::kNewPageTab, CommandSource::kPageBar); });
  connect(page_bar_, &CPageTabCtrl::tabMoved, this, [this](int from, int to) {
    const int category = workspace()->area().current_category();
    if (category >= 0) workspace()->area().MovePage(category, from, to);
  });
  connect(page_bar_, &CPageTabCtrl::tabDoubleClicked, this,
          [this](int index) { core_.router().Run(command::kReload, OnPageTab(index)); });
  connect(page_bar_, &CPageTabCtrl::contextMenuRequested, this, &CTolvaneView::ShowPageMenu);
  connect(page_bar_, &CPageTabCtrl::clipMenuRequested, this, &CTolvaneView::ShowClipMenu);
}

void CTolvaneView::ConnectTree() {
  connect(tab_tree_, &CTabTreeCtrl::itemChosen, this,
          [this](int item) { workspace()->ChooseTreeItem(item); });
  connect(tab_tree_, &CTabTreeCtrl::expandedChanged, this,
          [this](int item, bool expanded) { workspace()->tree().SetExpanded(item, expanded); });
  connect(tab_tree_, &CTabTreeCtrl::contextMenuRequested, this, &CTolvaneView::ShowTreeMenu);
  connect(tab_tree_, &CTabTreeCtrl::itemDropped, this,
          [this](int dragged, int target) { workspace()->DropOnTreeItem(dragged, target); });
}

// Commands and menus given on one tab of a row act on that tab ("this
// tab", "this page") instead of the current one.
CommandContext CTolvaneView::OnCategoryTab(int index) const {
  CommandContext context = core_.ContextNow(CommandId(), CommandSource::kCategoryBar);
  context.category = index;
  return context;
}

CommandContext CTolvaneView::OnPageTab(int index) const {
  CommandContext context = core_.ContextNow(CommandId(), CommandSource::kPageBar);
  context.page = index;
  return context;
}

bool CTolvaneView::RunCommand(CommandId id) { return core_.Run(id); }

void CTolvaneView::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (shown_once_) return;
  shown_once_ = true;
  // Once the window is up: damaged stores the start went past (on stderr
  // already), and one that could not be kept aside, left untouched for the
  // whole run: the user must know both.
  QTimer::singleShot(0, this, [this] { core_.TellStartFailures(); });
}

// ---- Drawing the workspace ----

void CTolvaneView::RefreshCategoryBar() {
  if (!workspace()) return;
  const TabArea& area = workspace()->area();
  std::vector<TabLook> looks;
  for (int i = 0; i < area.category_count(); ++i) {
    const CCategoryTab& tab = area.category(i);
    TabLook look;
    look.caption = ToQString(tab.caption());
    look.short_caption = ToQString(tab.short_caption());
    // The tab tree's tab icon, or the failed page's when the tab's shown
    // page failed to load.
    const PageHost* shown =
        tab.current_page() >= 0 ? &tab.page(tab.current_page()).host() : nullptr;
    const TabTree& tree = workspace()->tree();
    const int in_tree = tree.FindTab(area.RecordAt(i));
    look.icon = shown != nullptr && shown->failed()
                    ? PageIcon(*shown)
                    : TabTreeImage(in_tree >= 0 ? tree.item(in_tree).image : TabTree::kTabImage);
    looks.push_back(std::move(look));
  }
  category_bar_->SetTabs(std::move(looks), area.current_category());
  RefreshPageBar();
  emit tabsChanged();
}

void CTolvaneView::RefreshPageBar() {
  if (!workspace()) return;
  const TabArea& area = workspace()->area();
  std::vector<TabLook> looks;
  int current = -1;
  if (const int category = area.current_category(); category >= 0) {
    const CCategoryTab& tab = area.category(category);
    for (int i = 0; i < tab.page_count(); ++i) looks.push_back(PageLook(area, category, i));
    current = tab.current_page();
  }
  page_bar_->SetTabs(std::move(looks), current);
}

TabLook CTolvaneView::PageLook(const TabArea& area, int category, int page) {
  const PageHost& host = area.category(category).page(page).host();
  TabLook look;
  look.caption = ToQString(host.title().empty() ? host.url() : host.title());
  look.icon = PageIcon(host);
  look.loading = host.load_state() == LoadState::kLoading && host.url() != TabArea::kBlankUrl;
  look.user_clip = area.IsUserClip(category, page);
  return look;
}

void CTolvaneView::RefreshTree() {
  tree_dirty_ = false;
  tree_sync_pending_ = false;
  // Items are remade only when the tree's shape changed: remaking them
  // under a press would end the drag that press starts.
  if (workspace() && tab_tree_) tab_tree_->SyncSelection(workspace()->tree());
  emit tabsChanged();
}

void CTolvaneView::CategoryBarChanged() {
  if (freeze_depth_ == 0) RefreshCategoryBar();
}

void CTolvaneView::PageBarChanged(const CCategoryTab& tab) {
  if (freeze_depth_ > 0 || !workspace()) return;
  const TabArea& area = workspace()->area();
  if (area.current_category() >= 0 && &area.category(area.current_category()) == &tab) {
    RefreshPageBar();
  }
}

void CTolvaneView::TabInserted(const CCategoryTab&, int, bool) { CategoryBarChanged(); }

void CTolvaneView::TabRemoved(int, int index, bool) {
  if (index >= 0) CategoryBarChanged();
}

void CTolvaneView::TabMoved(int, int) { CategoryBarChanged(); }

void CTolvaneView::TabSelected(const CCategoryTab& tab, int, bool) {
  CategoryBarChanged();
  PageBarChanged(tab);
}

void CTolvaneView::TabUpdated(const CCategoryTab&, int index) {
  if (index >= 0) CategoryBarChanged();
}

void CTolvaneView::PageInserted(const CCategoryTab& tab, int) { PageBarChanged(tab); }
void CTolvaneView::PageRemoved(const CCategoryTab& tab, int) { PageBarChanged(tab); }
void CTolvaneView::PageMoved(const CCategoryTab& tab, int, int) { PageBarChanged(tab); }
void CTolvaneView::PageSelected(const CCategoryTab& tab, int, bool) { PageBarChanged(tab); }

// A category tab shows its shown page's failure, so that page's changes
// redraw both rows.
void CTolvaneView::PageUpdated(const CCategoryTab& tab, int page) {
  if (page == tab.current_page() && page >= 0) {
    CategoryBarChanged();
    return;
  }
  // One loading page changes its own look only.
  if (freeze_depth_ > 0 || !workspace() || page < 0) return;
  const TabArea& area = workspace()->area();
  const int category = area.current_category();
  if (category < 0 || &area.category(category) != &tab || page >= page_bar_->count()) {
    PageBarChanged(tab);
    return;
  }
  page_bar_->SetTab(page, PageLook(area, category, page));
}

void CTolvaneView::FreezeDrawing() {
  if (freeze_depth_++ == 0) setUpdatesEnabled(false);
}

void CTolvaneView::UnfreezeDrawing() {
  if (freeze_depth_ == 0 || --freeze_depth_ > 0) return;
  RefreshCategoryBar();
  setUpdatesEnabled(true);
}

// The shown page's request is held in its window's paint hold.
void CTolvaneView::AfterShownRequest(std::function<void()> then) {
  PaintHold::RunAfter(window(), this, std::move(then));
}

// Tree updates come in bursts (every title change of every page): draw
// once when the burst is over.
void CTolvaneView::TreeRebuilt() {
  if (tree_dirty_) return;
  tree_dirty_ = true;
  QTimer::singleShot(0, this, [this] {
    if (tree_dirty_) RefreshTree();
  });
}

void CTolvaneView::TreeChanged() {
  if (tree_dirty_ || tree_sync_pending_) return;
  tree_sync_pending_ = true;
  QTimer::singleShot(0, this, [this] {
    if (!tree_sync_pending_) return;
    tree_sync_pending_ = false;
    if (workspace() && tab_tree_) tab_tree_->SyncSelection(workspace()->tree());
  });
}

void CTolvaneView::ShowPageInFrame(const std::string& caption, const std::string& url) {
  emit frameTextChanged(ToQString(caption), ToQString(url));
}

void CTolvaneView::ClearFrame() {
  emit frameTextChanged(QString(), QString());
  emit statusChanged(QString(), false, 0, false, 0, 0);
}

void CTolvaneView::UpdateStatusBar(const StatusBarValues& values) {
  emit statusChanged(ToQString(values.text), values.loading, values.progress, values.secure,
                     values.status_icon, values.blocked_count);
}

void CTolvaneView::FocusCategoryTabs() { category_bar_->setFocus(Qt::OtherFocusReason); }
void CTolvaneView::FocusPageTabs() { page_bar_->setFocus(Qt::OtherFocusReason); }

void CTolvaneView::FocusAddressBar() {
  if (focus_address_bar_) focus_address_bar_();
}

bool CTolvaneView::EditTab(const std::string& title, int record, EngineDialogValues& values) {
  EngineDialog dialog = EngineDialog::ForTab(doc_.tabs(), record, values);
  if (!CEnginePropertyDialog::Run(dialog, doc_, this, ToQString(title))) return false;
  values = dialog.values();
  return true;
}

bool CTolvaneView::EditItem(ItemStore& store, std::size_t index) {
  ItemDialog dialog(store, index, doc_.settings());
  return CItemPropertyDialog::Run(dialog, this);
}

bool CTolvaneView::ConfirmMultiOpen(StoreType store, MultiOpenChoice& choice) {
  return CMultiOpenDialog::Run(store, choice, this);
}

void CTolvaneView::ShowTabTreePage() { emit tabTreePageWanted(); }

// The page counts only while it was the last widget of the program to take
// the focus: a tab row, the tab tree, the search bar or a dialog taking it
// ends that. Null is the focus leaving the program, which gives it back to
// the same widget; menus take no focus, so a menu command still sees the
// widget the user left.
void CTolvaneView::OnFocusChanged(QWidget*, QWidget* now) {
  if (now == nullptr) return;
  page_had_focus_ = page_area_->isAncestorOf(now);
}

// ---- Menus ----

// The context is built when the menu opens: what it was opened on. A
// script closing pages while it is open may leave that index without a
// page, which the commands check.
void CTolvaneView::RunMenu(QMenu& menu, const QPoint& global, const CommandContext& context) {
  for (QAction* action : menu.actions()) {
    if (action->data().isValid() && !action->menu()) {
      action->setEnabled(core_.router().State(CommandId(action->data().toInt()), context).enabled);
    }
  }
  QAction* chosen = menu.exec(global);
  if (chosen == nullptr) return;
  if (const QVariant record = chosen->property(kTabRecordProperty); record.isValid()) {
    workspace()->ChooseTreeItem(workspace()->tree().FindTab(record.toInt()));
  } else if (chosen->data().isValid()) {
    // The keys held and the keyword are those of the moment it is chosen.
    const CommandId id(chosen->data().toInt());
    CommandContext now = core_.ContextNow(id, context.source);
    now.category = context.category;
    now.page = context.page;
    now.tree_item = context.tree_item;
    core_.router().Run(id, now);
  }
}

// "カテゴリタブの切り替え": the tab tree's groups and tabs; choosing a tab
// switches to it as choosing it in the tree does.
void CTolvaneView::FillTabSwitchMenu(QMenu& menu, int item) {
  const TabTree& tree = workspace()->tree();
  for (const int child : tree.item(item).children) {
    const TabTreeItem& entry = tree.item(child);
    if (entry.kind == TabTreeItem::Kind::kGroup && !tree.IsArchiveFolder(child)) {
      QMenu* group = menu.addMenu(ToQString(entry.text));
      FillTabSwitchMenu(*group, child);
      group->setEnabled(!group->isEmpty());
    } else if (entry.kind == TabTreeItem::Kind::kTab) {
      QAction* action = menu.addAction(ToQString(entry.text));
      action->setProperty(kTabRecordProperty, entry.record);
      action->setCheckable(true);
      action->setChecked(entry.record ==
                         workspace()->area().RecordAt(workspace()->area().current_category()));
    }
  }
}

void CTolvaneView::ShowCategoryMenu(int index, const QPoint& global) {
  if (!workspace()) return;
  std::unique_ptr<QMenu> menu = CreateCategoryTabMenu(this);
  if (QMenu* tabs = TabSwitchSubmenu(*menu); tabs != nullptr && workspace()->tree().root() >= 0) {
    FillTabSwitchMenu(*tabs, workspace()->tree().root());
    tabs->setEnabled(!tabs->isEmpty());
  }
  if (QMenu* engines = EngineSubmenu(*menu); engines != nullptr && search_bar_ != nullptr) {
    CommandContext context;
    context.source = CommandSource::kCategoryBar;
    context.category = index;
    search_bar_->FillEngineMenu(*engines, command::kNewTabWithEngine, context);
  }
  RunMenu(*menu, global, OnCategoryTab(index));
}

void CTolvaneView::ShowPageMenu(int index, const QPoint& global) {
  if (workspace()) RunMenu(*CreatePageTabMenu(this), global, OnPageTab(index));
}

void CTolvaneView::ShowClipMenu(int index, const QPoint& global) {
  if (workspace()) RunMenu(*CreateClipMenu(this), global, OnPageTab(index));
}

// The menu is about the item right-clicked; the tree's selection, and what
// the tab area shows, stay as they are until a command is chosen.
void CTolvaneView::ShowTreeMenu(int item, const QPoint& global) {
  if (!workspace() || item < 0 || item >= workspace()->tree().size()) return;
  const TabTree& tree = workspace()->tree();
  const TabTreeItem& clicked = tree.item(item);
  TabTreeSpot spot = TabTreeSpot::kRoot;
  if (clicked.kind == TabTreeItem::Kind::kTab || clicked.kind == TabTreeItem::Kind::kPage) {
    spot = tree.IsArchived(item) ? TabTreeSpot::kArchivedTab : TabTreeSpot::kTab;
  } else if (clicked.kind == TabTreeItem::Kind::kGroup) {
    spot = tree.IsArchiveFolder(item) ? TabTreeSpot::kArchiveFolder
           : workspace()->groups().archived(static_cast<std::size_t>(clicked.record))
               ? TabTreeSpot::kArchivedGroup
               : TabTreeSpot::kGroup;
  }
  std::unique_ptr<QMenu> menu = CreateTabTreeMenu(spot, this);
  if (QMenu* engines = CreateTabWithEngineSubmenu(*menu);
      engines != nullptr && search_bar_ != nullptr) {
    CommandContext on_item;
    on_item.source = CommandSource::kTabTree;
    on_item.tree_item = item;
    search_bar_->FillEngineMenu(*engines, command::kCreateTabWithEngine, on_item);
  }
  CommandContext context = core_.ContextNow(CommandId(), CommandSource::kTabTree);
  context.tree_item = item;
  RunMenu(*menu, global, context);
}

}  // namespace tolvane
