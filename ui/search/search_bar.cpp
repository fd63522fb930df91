#include "ui/search/search_bar.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QHash>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QStyleOptionToolButton>
#include <QStylePainter>
#include <QTimer>
#include <QToolButton>
#include <algorithm>
#include <functional>
#include <utility>

#include "core/commands/command_router.h"
#include "core/commands/command_table.h"
#include "core/files/setting_keys.h"
#include "core/files/string_table.h"
#include "core/search/keyword_text.h"
#include "core/search/search_tree.h"
#include "core/stores/category_folder_tree.h"
#include "core/stores/engine_list.h"
#include "core/stores/item_store.h"
#include "core/tabs/search_entry_commands.h"
#include "core/tabs/tab_workspace.h"
#include "ui/base/menu_builder.h"
#include "ui/base/qt_text.h"
#include "ui/search/engine_item_mime.h"
#include "ui/search/engine_menu.h"
#include "ui/search/tab_tree_images.h"

namespace tolvane {
namespace {

// Narrower than this and the box can no longer be grabbed to widen it again.
constexpr int kMinKeywordWidth = 20;
// The keyword box shrinks down to this when the window is narrow.
constexpr int kShrunkKeywordWidth = 48;
// The keyword box never pushes the window's other parts out of reach.
constexpr int kKeywordWidthMargin = 100;
// Images of the shared image list the bar uses.
constexpr int kSearchImage = 53;
constexpr int kIconChoiceBase = 66;
constexpr const char* kTokenProperty = "searchBarToken";
constexpr const char* kCommandProperty = "searchBarCommand";
// Set on the name buttons and the keyword box while the bar is too narrow
// for the box alone to give way (CSearchBar::GiveWay).
constexpr const char* kGivesWayProperty = "searchBarGivesWay";

// Standard pictures stand in for the image list's own.
QIcon MakeBarImage(int image) {
  const QStyle& style = *QApplication::style();
  switch (image) {
    case kSearchImage:
    case 58:  // 検索を実行
      return style.standardIcon(QStyle::SP_ArrowForward);
    case 54:  // まとめて検索
      return style.standardIcon(QStyle::SP_FileDialogListView);
    case 55:  // ページ内を検索
      return style.standardIcon(QStyle::SP_FileDialogContentsView);
    case 56:  // ハイライト
      return style.standardIcon(QStyle::SP_DialogYesButton);
    case 57:  // まとめてカテゴリ検索
      return style.standardIcon(QStyle::SP_FileDialogDetailedView);
    case SearchBarButtons::kNoImage:
      return style.standardIcon(QStyle::SP_DirIcon);
    default:
      break;
  }
  if (image > kIconChoiceBase && image < kIconChoiceBase + 51) {
    return IconChoiceImage(image - kIconChoiceBase);
  }
  // No icon chosen and no favicon.
  return style.standardIcon(QStyle::SP_FileIcon);
}

// Pictures are made once per image: a rebuild of a hundred buttons would
// otherwise look the style's pictures up a hundred times.
QIcon Cached(QHash<int, QIcon>& made, int image, QIcon (*make)(int)) {
  auto found = made.constFind(image);
  if (found == made.constEnd()) found = made.insert(image, make(image));
  return *found;
}

QIcon BarImage(int image) {
  static QHash<int, QIcon> made;
  return Cached(made, image, MakeBarImage);
}

// The editable keyword box. Up and Down open the list instead of stepping
// through it, and the list is refilled just before it opens.
//
// It asks for its stored width but gives way down to kShrunkKeywordWidth
// before any button of the bar has to leave for the "»" menu.
class KeywordBox : public QComboBox {
 public:
  KeywordBox(QWidget* parent, std::function<void()> before_popup)
      : QComboBox(parent), before_popup_(std::move(before_popup)) {}

  void SetPreferredWidth(int width) {
    preferred_width_ = width;
    setMaximumWidth(width);
    updateGeometry();
  }
  // While the name buttons give way, the box has given all it can.
  QSize sizeHint() const override {
    return {property(kGivesWayProperty).toBool() ? minimumSizeHint().width() : preferred_width_,
            QComboBox::sizeHint().height()};
  }
  QSize minimumSizeHint() const override {
    return {std::min(preferred_width_, kShrunkKeywordWidth), QComboBox::minimumSizeHint().height()};
  }

  // Whether the list was just closed, so an `activated` now is a pick from
  // it. QComboBox also reports `activated` when editing ends with a text
  // that matches an entry; that is not a pick and must not search again.
  bool picking() const { return picking_; }

  void showPopup() override {
    before_popup_();
    QComboBox::showPopup();
  }
  void hidePopup() override {
    picking_ = true;
    QComboBox::hidePopup();
    QTimer::singleShot(0, this, [this] { picking_ = false; });
  }

 protected:
  void keyPressEvent(QKeyEvent* event) override {
    const auto mods =
        event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
    if ((event->key() == Qt::Key_Up || event->key() == Qt::Key_Down) && mods == 0) {
      showPopup();
      return;
    }
    QComboBox::keyPressEvent(event);
  }

 private:
  std::function<void()> before_popup_;
  bool picking_ = false;
  int preferred_width_ = kMinKeywordWidth;
};

// The least width of a name cut with "…": the name's icon or the list's
// arrow and the tool tip still tell which.
int ElidedLeast(const QFontMetrics& metrics) {
  return metrics.horizontalAdvance(QStringLiteral("…"));
}

// A button showing a name (the tab button): while it gives way
// (kGivesWayProperty) and is narrower than its text needs, it shows the
// text cut with "…"; the tool tip has it whole.
class NameButton : public QToolButton {
 public:
  explicit NameButton(QWidget* parent) : QToolButton(parent) {
    setSizePolicy(QSizePolicy::Preferred, sizePolicy().verticalPolicy());
  }

  QSize minimumSizeHint() const override {
    QSize hint = sizeHint();
    const int cut = fontMetrics().horizontalAdvance(text()) - ElidedLeast(fontMetrics());
    if (cut > 0 && property(kGivesWayProperty).toBool()) hint.setWidth(hint.width() - cut);
    return hint;
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QStylePainter painter(this);
    QStyleOptionToolButton option;
    initStyleOption(&option);
    const int short_by = sizeHint().width() - width();
    if (short_by > 0) {
      const int room = fontMetrics().horizontalAdvance(option.text) - short_by;
      option.text = fontMetrics().elidedText(option.text, Qt::ElideRight, room);
    }
    painter.drawComplexControl(QStyle::CC_ToolButton, option);
  }
};

// The tab group drop-down, which gives way as NameButton does (its tool tip
// is set with its entries).
class GroupBox : public QComboBox {
 public:
  explicit GroupBox(QWidget* parent) : QComboBox(parent) {
    setSizeAdjustPolicy(QComboBox::AdjustToContents);
  }

  QSize minimumSizeHint() const override {
    QSize hint = sizeHint();
    int widest = 0;
    for (int i = 0; i < count(); ++i) {
      widest = std::max(widest, fontMetrics().horizontalAdvance(itemText(i)));
    }
    const int cut = widest - ElidedLeast(fontMetrics());
    if (cut > 0 && property(kGivesWayProperty).toBool()) hint.setWidth(hint.width() - cut);
    return hint;
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QStylePainter painter(this);
    painter.setPen(palette().color(QPalette::Text));
    QStyleOptionComboBox option;
    initStyleOption(&option);
    painter.drawComplexControl(QStyle::CC_ComboBox, option);
    const QRect field =
        style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, this);
    if (width() < sizeHint().width()) {
      option.currentText =
          fontMetrics().elidedText(option.currentText, Qt::ElideRight, field.width());
    }
    painter.drawControl(QStyle::CE_ComboBoxLabel, option);
  }
};

// The handle right of the keyword box: dragging it sets the box's width.
class KeywordGrip : public QWidget {
 public:
  KeywordGrip(QWidget* parent, std::function<int()> width_now, std::function<void(int)> resize)
      : QWidget(parent), width_now_(std::move(width_now)), resize_(std::move(resize)) {
    setObjectName(QStringLiteral("keywordGrip"));
    setCursor(Qt::SizeHorCursor);
    setFixedWidth(6);
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::Mid));
    const int x = width() / 2;
    painter.drawLine(x, 4, x, height() - 5);
  }
  void mousePressEvent(QMouseEvent* event) override {
    if (event->button() != Qt::LeftButton) return;
    press_x_ = event->globalPosition().x();
    press_width_ = width_now_();
    dragging_ = true;
  }
  void mouseMoveEvent(QMouseEvent* event) override {
    if (dragging_) {
      resize_(press_width_ + static_cast<int>(event->globalPosition().x() - press_x_));
    }
  }
  void mouseReleaseEvent(QMouseEvent*) override { dragging_ = false; }

 private:
  std::function<int()> width_now_;
  std::function<void(int)> resize_;
  qreal press_x_ = 0;
  int press_width_ = 0;
  bool dragging_ = false;
};

void StyleButton(QToolButton& button, const QString& name) {
  button.setObjectName(name);
  button.setAutoRaise(true);
  button.setFocusPolicy(Qt::TabFocus);
}

QToolButton* NewButton(QToolBar* bar, const QString& name) {
  auto* button = new QToolButton(bar);
  StyleButton(*button, name);
  return button;
}

}  // namespace

CSearchBar::CSearchBar(SettingsStore& settings, const ItemStore& keywords, QWidget* parent)
    : BandToolBar(QString(), parent), settings_(settings), keywords_(keywords) {
  setObjectName(QStringLiteral("searchBar"));
  setAcceptDrops(true);

  tab_button_ = new NameButton(this);
  StyleButton(*tab_button_, QStringLiteral("tabButton"));
  tab_button_->setPopupMode(QToolButton::InstantPopup);
  tab_button_->setMenu(new QMenu(tab_button_));
  connect(tab_button_->menu(), &QMenu::aboutToShow, this,
          [this] { FillTabMenu(*tab_button_->menu()); });
  addWidget(tab_button_);

  group_box_ = new GroupBox(this);
  group_box_->setObjectName(QStringLiteral("groupBox"));
  addWidget(group_box_);
  connect(group_box_, &QComboBox::activated, this, [this](int index) {
    if (!links_ || index < 0) return;
    const int folder = group_box_->itemData(index).toInt();
    links_->workspace.ChooseTreeItem(links_->workspace.tree().FindGroup(folder));
  });

  auto* box = new KeywordBox(this, [this] { FillDropDown(); });
  keyword_box_ = box;
  keyword_box_->setObjectName(QStringLiteral("keywordBox"));
  keyword_box_->setEditable(true);
  // The list only offers recent keywords; typing neither adds to it nor
  // completes from it.
  keyword_box_->setInsertPolicy(QComboBox::NoInsert);
  keyword_box_->setCompleter(nullptr);
  addWidget(keyword_box_);
  grip_ = new KeywordGrip(
      this, [this] { return keyword_box_->width(); },
      [this](int width) { ResizeKeywordBox(width); });
  addWidget(grip_);

  search_button_ = NewButton(this, QStringLiteral("searchButton"));
  search_button_->setIcon(BarImage(kSearchImage));
  search_button_->setPopupMode(QToolButton::MenuButtonPopup);
  search_button_->setMenu(new QMenu(search_button_));
  connect(search_button_->menu(), &QMenu::aboutToShow, this,
          [this] { FillSearchMenu(*search_button_->menu()); });
  addWidget(search_button_);

  connect(keyword_box_->lineEdit(), &QLineEdit::returnPressed, this,
          [this] { Run(CommandId(kTabSearchCommand)); });
  connect(search_button_, &QToolButton::clicked, this,
          [this] { Run(CommandId(kTabSearchCommand)); });
  connect(keyword_box_, &QComboBox::activated, this, [this, box] {
    if (box->picking()) OnKeywordPicked();
  });
  for (QWidget* watched : std::initializer_list<QWidget*>{
           tab_button_, group_box_, keyword_box_, keyword_box_->lineEdit(), search_button_}) {
    watched->installEventFilter(this);
  }

  Rebuild();
}

CSearchBar::~CSearchBar() = default;

void CSearchBar::Attach(const Links& links) {
  links_ = std::make_unique<Links>(links);
  Rebuild();
}

bool CSearchBar::ShowsText() const { return Read(settings_, settings::kFindBarShowNoText) != 1; }

void CSearchBar::Rebuild() {
  rebuild_pending_ = false;
  static_cast<KeywordBox*>(keyword_box_)
      ->SetPreferredWidth(
          std::max(kMinKeywordWidth, Read(settings_, settings::kFindBarKeywordWidth)));
  const Qt::ToolButtonStyle style =
      ShowsText() ? Qt::ToolButtonTextBesideIcon : Qt::ToolButtonIconOnly;
  tab_button_->setToolButtonStyle(style);
  search_button_->setToolButtonStyle(style);
  search_button_->setText(ToQString(LoadString(string_id::kSearchButton)));
  RefreshTabButton();
  RefreshGroupBox();
  const bool style_changed = !buttons_.empty() && buttons_.front()->toolButtonStyle() != style;
  if (links_ && (links_->commands.RefreshButtons() || style_changed)) RebuildButtons();
}

void CSearchBar::RebuildSoon() {
  if (rebuild_pending_) return;
  rebuild_pending_ = true;
  QTimer::singleShot(0, this, [this] {
    if (rebuild_pending_) Rebuild();
  });
}

// The buttons shown are reused in bar order and only made or removed where
// the count changed: making tool buttons is most of a rebuild's cost.
void CSearchBar::RebuildButtons() {
  setUpdatesEnabled(false);
  const std::vector<SearchBarButtons::Button>& layout = links_->commands.buttons().buttons();
  while (buttons_.size() > layout.size()) {
    removeAction(button_actions_.back());
    delete button_actions_.back();
    button_actions_.pop_back();
    buttons_.pop_back();
  }
  for (std::size_t i = 0; i < layout.size(); ++i) {
    if (i == buttons_.size()) {
      buttons_.push_back(MakeButton());
      button_actions_.push_back(addWidget(buttons_.back()));
    }
    ShowButton(*buttons_[i], layout[i]);
  }
  setUpdatesEnabled(true);
}

QToolButton* CSearchBar::MakeButton() {
  QToolButton* made = NewButton(this, QString());
  made->installEventFilter(this);
  connect(made, &QToolButton::clicked, this, [this, made] {
    if (made->menu() == nullptr) Run(CommandId(made->property(kCommandProperty).toInt()));
  });
  return made;
}

void CSearchBar::ShowButton(QToolButton& shown, const SearchBarButtons::Button& button) {
  const QString token = ToQString(SearchBarButtons::Format(button.token));
  shown.setObjectName(QStringLiteral("barButton") + token);
  shown.setProperty(kTokenProperty, token);
  shown.setProperty(kCommandProperty, button.command.value());
  shown.setText(ToQString(button.text));
  shown.setIcon(BarImage(button.image));
  shown.setToolButtonStyle(ShowsText() ? Qt::ToolButtonTextBesideIcon : Qt::ToolButtonIconOnly);
  const bool folder = button.token.kind == SearchBarButtons::Kind::kEngineFolder ||
                      button.token.kind == SearchBarButtons::Kind::kTabGroup;
  shown.setToolTip(ToQString(
      button.text.empty() && !folder ? CommandTable::ActionName(button.command) : button.text));
  // A built-in whose command nothing runs yet (find, highlight) looks
  // disabled rather than doing nothing when clicked.
  shown.setEnabled(button.token.kind != SearchBarButtons::Kind::kBuiltIn ||
                   links_->router.Handles(button.command));
  if (!folder) {
    if (QMenu* menu = shown.menu()) {
      shown.setMenu(nullptr);
      menu->deleteLater();
    }
    shown.setPopupMode(QToolButton::DelayedPopup);
    return;
  }
  shown.setPopupMode(QToolButton::InstantPopup);
  if (shown.menu() != nullptr) return;
  auto* menu = new QMenu(&shown);
  connect(menu, &QMenu::aboutToShow, this, [this, menu, button_ptr = &shown] {
    menu->clear();
    const auto tokens =
        SearchBarButtons::Parse(ToSjis(button_ptr->property(kTokenProperty).toString()));
    for (const auto& listed : links_->commands.buttons().buttons()) {
      if (tokens.size() == 1 && listed.token == tokens[0]) FillFolderMenu(*menu, listed);
    }
  });
  shown.setMenu(menu);
}

void CSearchBar::AddCommandEntry(QMenu& menu, CommandId id, const QString& text, int list_row) {
  QAction* action = menu.addAction(text);
  CommandContext context = links_->context(id);
  context.list_row = list_row;
  action->setEnabled(links_->router.State(id, context).enabled);
  connect(action, &QAction::triggered, this, [this, id, list_row] {
    CommandContext now = links_->context(id);
    now.list_row = list_row;
    links_->router.Run(id, now);
  });
}

// An engine folder's engines, or a tab group's tabs, in list order.
void CSearchBar::FillFolderMenu(QMenu& menu, const SearchBarButtons::Button& button) {
  if (button.token.kind == SearchBarButtons::Kind::kEngineFolder) {
    for (const int row : links_->engines.ListFolder(button.token.id)) {
      const auto r = static_cast<std::size_t>(row);
      AddCommandEntry(menu, command::kEngineCommand, ToQString(links_->engines.DisplayName(r)),
                      row);
      menu.actions().back()->setIcon(BarImage(links_->engines.icon_index(r) > 0
                                                  ? links_->engines.icon_index(r) + kIconChoiceBase
                                                  : EngineList::kNoFaviconImage));
    }
    return;
  }
  const TabTree& tree = links_->workspace.tree();
  for (const int record : tree.TabsOfGroup(tree.FindGroup(button.item))) {
    const auto r = static_cast<std::size_t>(record);
    AddCommandEntry(menu, command::kTabCommand, ToQString(links_->tabs.DisplayName(r)), record);
    menu.actions().back()->setIcon(TabTreeImage(tree.item(tree.FindTab(record)).image));
  }
}

// The tabs of the group shown; the current one checked.
void CSearchBar::FillTabMenu(QMenu& menu) {
  menu.clear();
  if (!links_) return;
  const TabWorkspace& workspace = links_->workspace;
  const TabTree& tree = workspace.tree();
  const int current = workspace.area().RecordAt(workspace.area().current_category());
  int group_item = current >= 0 ? tree.GroupItemOf(tree.FindTab(current)) : -1;
  if (group_item < 0 && workspace.shown_group() >= 0) {
    group_item = tree.FindGroup(workspace.shown_group());
  }
  if (group_item < 0) group_item = tree.root();
  for (const int record : tree.TabsOfGroup(group_item)) {
    AddCommandEntry(menu, command::kTabButtonChoice,
                    ToQString(links_->tabs.DisplayName(static_cast<std::size_t>(record))), record);
    menu.actions().back()->setIcon(TabTreeImage(tree.item(tree.FindTab(record)).image));
    menu.actions().back()->setCheckable(true);
    menu.actions().back()->setChecked(record == current);
  }
}

void CSearchBar::FillSearchMenu(QMenu& menu) {
  menu.clear();
  if (!links_) return;
  MenuDrawing drawing;
  drawing.add_command = [this](QMenu& into, CommandId id, const QString& text, bool) {
    QAction* action = into.addAction(text);
    // The view runs the two tab searches while the router has them not.
    action->setEnabled(!links_->router.Handles(id) ||
                       links_->router.State(id, links_->context(id)).enabled);
    connect(action, &QAction::triggered, this, [this, id] { Run(id); });
    return action;
  };
  DrawMenu(MenuId::kSearchButton, menu, drawing);
}

void CSearchBar::ShowTabMenu() { tab_button_->showMenu(); }

void CSearchBar::FillEngineMenu(QMenu& menu, CommandId id, const CommandContext& base) {
  if (!links_ || engine_tree_ == nullptr) return;
  EngineMenu engines;
  engines.icon = [](int image) { return BarImage(image); };
  engines.engine = [this, id, base](QAction& action, const SearchTreeItem& engine) {
    const int row = engine.record;
    connect(&action, &QAction::triggered, this, [this, id, base, row] {
      CommandContext context = base;
      context.list_row = row;
      links_->router.Run(id, context);
    });
  };
  engines.Fill(menu, *engine_tree_, engine_tree_->root());
}

void CSearchBar::Run(CommandId id) {
  if (links_ && links_->router.Handles(id)) {
    links_->router.Run(id, links_->context(id));
  } else {
    emit commandRequested(id.value());
  }
}

void CSearchBar::RefreshTabButton() {
  QString name = ToQString(LoadString(302));  // "ホーム": nothing selected
  QIcon icon = TabTreeImage(TabTree::kRootImage);
  if (links_) {
    const TabTree& tree = links_->workspace.tree();
    int item = tree.selected();
    if (item >= 0 && tree.item(item).kind == TabTreeItem::Kind::kPage)
      item = tree.item(item).parent;
    if (item >= 0 && tree.item(item).kind != TabTreeItem::Kind::kRoot) {
      name = ToQString(tree.item(item).text);
      icon = TabTreeImage(tree.item(item).image);
    }
  }
  tab_button_->setText(ShowsText() ? name : QString());
  tab_button_->setToolTip(name);
  if (tab_button_->icon().cacheKey() != icon.cacheKey()) tab_button_->setIcon(icon);
  GiveWay();
}

// The tab groups in tree order, indented by depth; the group shown chosen.
// The list is refilled only when it changed, which most tab changes leave.
void CSearchBar::RefreshGroupBox() {
  std::vector<std::pair<QString, int>> groups;
  int chosen = -1;
  if (links_ && links_->workspace.tree().root() >= 0) {
    const TabTree& tree = links_->workspace.tree();
    const int shown = links_->workspace.shown_group();
    const std::function<void(int, int)> add = [&](int item, int depth) {
      for (const int child : tree.item(item).children) {
        const TabTreeItem& entry = tree.item(child);
        if (entry.kind != TabTreeItem::Kind::kGroup || tree.IsArchiveFolder(child)) {
          continue;
        }
        if (entry.record == shown) chosen = static_cast<int>(groups.size());
        groups.emplace_back(QString(depth * 2, QLatin1Char(' ')) + ToQString(entry.text),
                            entry.record);
        add(child, depth + 1);
      }
    };
    add(tree.root(), 0);
  }
  QSignalBlocker block(group_box_);
  bool same = group_box_->count() == static_cast<int>(groups.size());
  for (int i = 0; same && i < group_box_->count(); ++i) {
    const auto& [text, folder] = groups[static_cast<std::size_t>(i)];
    same = group_box_->itemText(i) == text && group_box_->itemData(i).toInt() == folder;
  }
  if (!same) {
    group_box_->clear();
    for (const auto& [text, folder] : groups) group_box_->addItem(text, folder);
  }
  if (chosen >= 0) group_box_->setCurrentIndex(chosen);
  group_box_->setToolTip(group_box_->currentText().trimmed());
  GiveWay();
}

// The name buttons give way only once the keyword box has given all it can
// (then it keeps to its least width), so the bar lets a button go to its
// "»" menu only after both. The width the bar needs with the box at its
// least is the same whether they give way or not, so deciding on it settles.
void CSearchBar::GiveWay() {
  const int keyword_room =
      keyword_box_->sizeHint().width() - keyword_box_->minimumSizeHint().width();
  const bool give = QToolBar::sizeHint().width() - keyword_room > width();
  for (QWidget* part : std::initializer_list<QWidget*>{tab_button_, group_box_, keyword_box_}) {
    if (part->property(kGivesWayProperty).toBool() == give) continue;
    part->setProperty(kGivesWayProperty, give);
    part->updateGeometry();
  }
}

void CSearchBar::resizeEvent(QResizeEvent* event) {
  BandToolBar::resizeEvent(event);
  GiveWay();
}

int CSearchBar::chosen_group() const {
  return group_box_->currentIndex() >= 0 ? group_box_->currentData().toInt() : -1;
}

void CSearchBar::ResizeKeywordBox(int width) {
  const QWidget* frame = window();
  if (width < kMinKeywordWidth || width > frame->width() - kKeywordWidthMargin) return;
  static_cast<KeywordBox*>(keyword_box_)->SetPreferredWidth(width);
  Write(settings_, settings::kFindBarKeywordWidth, width);
}

bool CSearchBar::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::ShortcutOverride && watched == keyword_box_->lineEdit()) {
    // Shift+Left and Shift+Right select in the box, whatever keys are bound.
    const auto* key = static_cast<QKeyEvent*>(event);
    if ((key->key() == Qt::Key_Left || key->key() == Qt::Key_Right) &&
        key->modifiers() == Qt::ShiftModifier) {
      event->accept();
      return true;
    }
  }
  if (event->type() != QEvent::KeyPress) return QToolBar::eventFilter(watched, event);
  const auto* key = static_cast<QKeyEvent*>(event);
  // Up and Down open the group list as they open the keyword list.
  if (watched == group_box_ && (key->key() == Qt::Key_Up || key->key() == Qt::Key_Down) &&
      (key->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier)) == 0) {
    group_box_->showPopup();
    return true;
  }
  const bool tab = key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab;
  if (!tab || (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
    return QToolBar::eventFilter(watched, event);
  }
  if (key->key() == Qt::Key_Backtab || (key->modifiers() & Qt::ShiftModifier)) {
    emit focusBackwardWanted();
  } else if (watched == group_box_) {
    FocusKeywordBox();
  } else {
    emit focusForwardWanted();
  }
  return true;
}

void CSearchBar::dragEnterEvent(QDragEnterEvent* event) {
  if (links_ && event->mimeData()->hasFormat(QString::fromLatin1(kEngineItemMimeType))) {
    event->acceptProposedAction();
  }
}

void CSearchBar::dragMoveEvent(QDragMoveEvent* event) {
  if (links_ && event->mimeData()->hasFormat(QString::fromLatin1(kEngineItemMimeType))) {
    event->acceptProposedAction();
  }
}

// Before the button dropped on, else at the end.
void CSearchBar::dropEvent(QDropEvent* event) {
  if (!links_) return;
  const QByteArray drop = event->mimeData()->data(QString::fromLatin1(kEngineItemMimeType));
  std::optional<SearchBarButtons::Token> before;
  if (auto* target = qobject_cast<QToolButton*>(childAt(event->position().toPoint()))) {
    const std::vector<SearchBarButtons::Token> tokens =
        SearchBarButtons::Parse(ToSjis(target->property(kTokenProperty).toString()));
    if (tokens.size() == 1) before = tokens[0];
  }
  if (links_->commands.DropOnBar(drop.toStdString(), before ? &*before : nullptr)) {
    RebuildButtons();
    event->acceptProposedAction();
  }
}

Keyword CSearchBar::ReadKeyword() const {
  return NormaliseKeywordBoxText(ToKeyword(keyword_box_->currentText()));
}

void CSearchBar::WriteKeyword(const Keyword& keyword) {
  keyword_box_->setEditText(ToQString(keyword));
}

void CSearchBar::FocusKeywordBox() {
  keyword_box_->setFocus(Qt::ShortcutFocusReason);
  keyword_box_->lineEdit()->selectAll();
}

void CSearchBar::FillDropDown() {
  const QString typed = keyword_box_->currentText();
  keyword_box_->clear();
  for (const KeywordChoice& choice : KeywordChoices(keywords_)) {
    keyword_box_->addItem(ToQString(choice.keyword), choice.index);
  }
  keyword_box_->setCurrentIndex(-1);
  keyword_box_->setEditText(typed);
}

void CSearchBar::OnKeywordPicked() {
  if (Read(settings_, settings::kFindBarFindOption2) == 1) Run(CommandId(kTabSearchCommand));
}

}  // namespace tolvane
