#include "ui/sidebar/side_bar.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QStackedWidget>
#include <QStyle>
#include <QTabBar>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <functional>
#include <utility>

#include "core/app/tolvane_doc.h"
#include "core/app/window_core.h"
#include "core/commands/command_router.h"
#include "core/commands/command_table.h"
#include "core/files/string_table.h"
#include "core/search/keyword_text.h"
#include "core/stores/item_store.h"
#include "core/tabs/tab_workspace.h"
#include "ui/base/menu_builder.h"
#include "ui/base/qt_text.h"
#include "ui/search/engine_property_dialog.h"
#include "ui/search/search_bar.h"
#include "ui/sidebar/search_tree_ctrl.h"
#include "ui/sidebar/side_bar_icons.h"
#include "ui/tabs/category_tab_ctrl.h"
#include "ui/tabs/tab_tree_ctrl.h"
#include "ui/tabs/tolvane_view.h"

namespace tolvane {
namespace {

constexpr int kKeywordBoxId = 59155;
constexpr std::size_t kKeywordListSize = 100;

// The editable keyword box; its list is refilled just before it opens.
class SideKeywordBox : public QComboBox {
 public:
  SideKeywordBox(QWidget* parent, std::function<void()> before_popup)
      : QComboBox(parent), before_popup_(std::move(before_popup)) {}

  void showPopup() override {
    before_popup_();
    QComboBox::showPopup();
  }

 private:
  std::function<void()> before_popup_;
};

}  // namespace

CSideBar::CSideBar(CTolvaneDoc& doc, CTolvaneView& view, CSearchBar& search_bar, WindowCore& core,
                   QWidget* parent)
    : QWidget(parent), doc_(doc), view_(view), search_bar_(search_bar), core_(core) {
  setObjectName(QStringLiteral("sideBar"));
  // The search bar's menus of engines show this tree.
  search_bar_.set_engine_tree(&core_.search_tree());
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(2);

  title_ = new QLabel(this);
  title_->setObjectName(QStringLiteral("sideBarTitle"));
  title_->setContentsMargins(6, 3, 6, 3);
  title_->setAutoFillBackground(true);
  title_->setBackgroundRole(QPalette::Mid);
  QFont bold = title_->font();
  bold.setBold(true);
  title_->setFont(bold);
  layout->addWidget(title_);

  tabs_ = new QTabBar(this);
  tabs_->setObjectName(QStringLiteral("sideBarTabs"));
  tabs_->setExpanding(false);
  tabs_->setIconSize(QSize(16, 16));
  tabs_->setDocumentMode(true);
  tabs_->setUsesScrollButtons(false);
  // Icons only, no minimum width: the five fit the bar's default width.
  tabs_->setStyleSheet(QStringLiteral(
      "QTabBar::tab { width: 32px; height: 22px; padding: 0px; margin-right: 1px;"
      " border: 1px solid palette(mid); border-bottom: none; background: palette(button); }"
      "QTabBar::tab:selected { background: palette(base); }"
      "QTabBar::tab:!selected { margin-top: 3px; }"));
  for (int page = 0; page < SideBarCommands::kPageCount; ++page) {
    const int tab = tabs_->addTab(SideBarPageIcon(page), QString());
    tabs_->setTabToolTip(tab, ToQString(SideBarCommands::PageName(page)));
  }
  layout->addWidget(tabs_);

  CreateKeywordRow();

  stack_ = new QStackedWidget(this);
  stack_->setObjectName(QStringLiteral("sideBarTrees"));
  search_tree_ctrl_ = new CSearchTreeCtrl(stack_);
  stack_->addWidget(search_tree_ctrl_);
  stack_->addWidget(view_.tab_tree());
  for (int type = 1; type <= 3; ++type) stack_->addWidget(MakeStoreTree(type));
  layout->addWidget(stack_, 1);

  search_tree_ctrl_->Rebuild(search_tree());
  connect(search_tree_ctrl_, &CSearchTreeCtrl::itemChosen, this, [this](int item) {
    search_tree().Select(item);
    search_tree_ctrl_->ApplyState(search_tree());
  });
  connect(search_tree_ctrl_, &CSearchTreeCtrl::expandedChanged, this,
          [this](int item, bool expanded) { search_tree().SetExpanded(item, expanded); });
  connect(search_tree_ctrl_, &CSearchTreeCtrl::contextMenuRequested, this,
          &CSideBar::ShowSearchTreeMenu);
  connect(tabs_, &QTabBar::currentChanged, this, [this](int page) {
    if (page != commands().page()) commands().ShowPage(page);
  });
  connect(&search_bar_, &CSearchBar::sideBarTextSet, this,
          [this] { keyword_box_->setEditText(ToQString(search_bar_.side_bar_text())); });

  core_.AttachSideBar(*this, *this);
}

// The window's core, and with it the bar's commands, went first.
CSideBar::~CSideBar() = default;

SideBarCommands& CSideBar::commands() const { return *core_.side_bar_commands(); }
SearchTree& CSideBar::search_tree() const { return core_.search_tree(); }
SearchTreeCommands* CSideBar::search_commands() const { return core_.search_tree_commands(); }

void CSideBar::CreateKeywordRow() {
  auto* row = new QWidget(this);
  row->setObjectName(QStringLiteral("sideBarKeywordRow"));
  auto* line = new QHBoxLayout(row);
  line->setContentsMargins(2, 0, 2, 0);
  line->setSpacing(2);
  keyword_box_ = new SideKeywordBox(row, [this] { FillKeywordList(); });
  keyword_box_->setObjectName(QStringLiteral("sideBarKeywordBox"));
  keyword_box_->setProperty("controlId", kKeywordBoxId);
  keyword_box_->setEditable(true);
  keyword_box_->setInsertPolicy(QComboBox::NoInsert);
  keyword_box_->setMaxVisibleItems(20);
  keyword_box_->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
  keyword_box_->setMinimumContentsLength(4);
  keyword_box_->lineEdit()->installEventFilter(this);
  keyword_box_->view()->installEventFilter(this);
  line->addWidget(keyword_box_, 1);
  search_button_ = new QToolButton(row);
  search_button_->setObjectName(QStringLiteral("sideBarSearchButton"));
  search_button_->setText(ToQString(CommandTable::ActionName(command::kSearchSelectedEngine)));
  search_button_->setToolTip(ToQString(CommandTable::Description(command::kSearchSelectedEngine)));
  search_button_->setIcon(SideBarPageIcon(SideBarCommands::kSearchPage));
  search_button_->setToolButtonStyle(Qt::ToolButtonIconOnly);
  connect(search_button_, &QToolButton::clicked, this, &CSideBar::RunSearchButton);
  line->addWidget(search_button_);
  static_cast<QVBoxLayout*>(layout())->addWidget(row);
}

QTreeWidget* CSideBar::MakeStoreTree(int store_type) {
  auto* tree = new QTreeWidget(stack_);
  static const char* const kNames[] = {"", "favoritesTree", "keywordTree", "historyTree"};
  tree->setObjectName(QString::fromLatin1(kNames[store_type]));
  tree->setHeaderHidden(true);
  auto* root = new QTreeWidgetItem(tree);
  root->setText(0, ToQString(LoadString(string_id::kStoreWordBase + store_type)));
  root->setIcon(0, SideBarPageIcon(store_type + 1));
  return tree;
}

QWidget* CSideBar::tree(int page) const { return stack_->widget(page); }

void CSideBar::SaveState() {
  if (isVisible()) commands().set_width(width());
  commands().Save(doc_.settings());
}

void CSideBar::ShowTabPage() {
  if (!commands().visible()) {
    commands().SetVisible(true);
    ShowSideBar(true);
  }
  commands().ShowPage(SideBarCommands::kTabPage);
}

CommandContext CSideBar::Context(CommandId id, int item) const {
  CommandContext context = core_.ContextNow(id, CommandSource::kSideBar);
  context.tree_item = item;
  return context;
}

void CSideBar::ShowSideBar(bool show) {
  setVisible(show);
  emit visibilityWanted(show);
}

void CSideBar::ShowSideBarPage(int page) {
  stack_->setCurrentIndex(page);
  if (tabs_->currentIndex() != page) {
    const QSignalBlocker quiet(tabs_);
    tabs_->setCurrentIndex(page);
  }
  title_->setText(ToQString(SideBarCommands::PageName(page)));
  if (isVisible()) tree(page)->setFocus(Qt::OtherFocusReason);
}

std::optional<int> CSideBar::EditEngine(EngineDialog& dialog) {
  return CEnginePropertyDialog::Run(dialog, doc_, window());
}

void CSideBar::SearchTreeChanged() { search_tree_ctrl_->Rebuild(search_tree()); }

void CSideBar::SearchBarItemsChanged() { search_bar_.Rebuild(); }

void CSideBar::FillKeywordList() {
  const QString typed = keyword_box_->currentText();
  keyword_box_->clear();
  for (const KeywordChoice& choice : KeywordChoices(doc_.keywords(), kKeywordListSize)) {
    keyword_box_->addItem(ToQString(choice.keyword), choice.index);
  }
  keyword_box_->setCurrentIndex(-1);
  keyword_box_->setEditText(typed);
}

void CSideBar::RunSearchButton() {
  core_.router().Run(command::kSearchSelectedEngine, Context(command::kSearchSelectedEngine));
}

void CSideBar::ShowSearchTreeMenu(int item, const QPoint& global) {
  if (item < 0 || item == search_tree().root()) return;
  const bool engine = search_tree().item(item).kind == SearchTreeItem::Kind::kEngine;
  QMenu menu(this);
  MenuDrawing drawing;
  drawing.add_command = [this, item](QMenu& into, CommandId id, const QString& text,
                                     bool checkable) {
    // The archive entry says whether it files the item or brings it back.
    QAction* action = into.addAction(
        id == command::kArchiveItem ? ToQString(search_commands()->ArchiveText(item)) : text);
    action->setData(id.value());
    const CommandState state = core_.router().State(id, Context(id, item));
    action->setEnabled(state.enabled);
    action->setCheckable(checkable);
    action->setChecked(checkable && state.checked);
    return action;
  };
  DrawMenu(engine ? MenuId::kSearchTreeEngine : MenuId::kSearchTreeCategory, menu, drawing);
  QAction* chosen = menu.exec(global);
  if (chosen == nullptr) return;
  const CommandId id(chosen->data().toInt());
  core_.router().Run(id, Context(id, item));
}

bool CSideBar::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress) return QWidget::eventFilter(watched, event);
  auto* key = static_cast<QKeyEvent*>(event);
  if (watched == keyword_box_->view()) {
    // Enter in the open list takes the entry under the cursor and searches.
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
      const QModelIndex current = keyword_box_->view()->currentIndex();
      const QString text =
          current.isValid() ? current.data().toString() : keyword_box_->currentText();
      keyword_box_->hidePopup();
      keyword_box_->setEditText(text);
      RunSearchButton();
      return true;
    }
    return QWidget::eventFilter(watched, event);
  }
  if (watched == keyword_box_->lineEdit()) {
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
      RunSearchButton();
      return true;
    }
    if (key->key() == Qt::Key_Escape) return true;  // nothing else: the list is closed
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace tolvane
