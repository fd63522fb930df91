#include "ui/frame/address_bar.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QCompleter>
#include <QFileDialog>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QStandardItemModel>
#include <QTimer>
#include <QToolButton>
#include <QUrl>

#include "core/frame/address_bar.h"
#include "core/frame/address_list.h"
#include "core/stores/item_store.h"
#include "core/stores/store_bar.h"
#include "ui/base/qt_text.h"
#include "ui/frame/frame_icons.h"
#include "ui/sidebar/side_bar_icons.h"

namespace tolvane {
namespace {

// The box's own list is the address list, filled afresh whenever it opens.
class AddressBox : public QComboBox {
 public:
  AddressBox(CAddressBar& bar, QWidget* parent) : QComboBox(parent), bar_(bar) {}

  // The address list opens with no entry chosen: Down picks the first.
  void showPopup() override {
    bar_.RefillList();
    if (count() == 0) return;
    QComboBox::showPopup();
    view()->setCurrentIndex({});
  }

 private:
  CAddressBar& bar_;
};

}  // namespace

CAddressBar::CAddressBar(AddressList& list, const ItemStore& history, QWidget* parent)
    : BandToolBar(QStringLiteral("アドレス"), parent), list_(list), history_(history) {
  box_ = new AddressBox(*this, this);
  box_->setObjectName(QStringLiteral("addressBox"));
  box_->setEditable(true);
  box_->setInsertPolicy(QComboBox::NoInsert);
  box_->setMaxVisibleItems(16);
  box_->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
  box_->setMinimumContentsLength(24);
  box_->lineEdit()->setPlaceholderText(QStringLiteral("アドレスまたはキーワード"));
  // Typed keys reach the box, which has the focus, and only some go on to
  // its field: watch both.
  box_->installEventFilter(this);
  box_->lineEdit()->installEventFilter(this);
  addWidget(box_);

  go_button_ = new QToolButton(this);
  go_button_->setObjectName(QStringLiteral("goButton"));
  go_button_->setIcon(FrameIcon("go"));
  go_button_->setText(QStringLiteral("移動"));
  go_button_->setToolTip(QStringLiteral("移動"));
  go_button_->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
  go_button_->setAutoRaise(true);
  addWidget(go_button_);
  connect(go_button_, &QToolButton::clicked, this, &CAddressBar::Go);

  match_model_ = new QStandardItemModel(this);
  matches_ = new QCompleter(match_model_, this);
  matches_->setWidget(box_->lineEdit());
  matches_->setCompletionMode(QCompleter::UnfilteredPopupCompletion);
  matches_->setMaxVisibleItems(16);
  connect(box_->lineEdit(), &QLineEdit::textEdited, this, &CAddressBar::ShowMatches);
  // Enter reaches the box also through the match list, past event filters.
  connect(box_->lineEdit(), &QLineEdit::returnPressed, this, [this] {
    if (QGuiApplication::keyboardModifiers() == Qt::NoModifier) Go();
  });
  // Moving through the matches puts the entry in the box, which Enter opens.
  connect(matches_, qOverload<const QString&>(&QCompleter::highlighted), this,
          [this](const QString& text) {
            box_->setEditText(text);
            box_->lineEdit()->setModified(true);
          });
  // An entry picked from either list goes at once.
  connect(matches_, qOverload<const QString&>(&QCompleter::activated), this,
          [this](const QString& text) {
            box_->setEditText(text);
            Go();
          });
  connect(box_, &QComboBox::activated, this, [this](int index) {
    box_->setEditText(box_->itemText(index));
    Go();
  });
  RefillList();
  box_->setEditText(QString());
}

// Picking a match with Enter activates it and presses Enter in the box: one go.
void CAddressBar::Go() {
  if (going_) return;
  going_ = true;
  QTimer::singleShot(0, this, [this] { going_ = false; });
  emit goRequested();
}

void CAddressBar::ShowPageAddress(const QString& url) {
  // A blank page shows an empty box, ready for an address.
  page_url_ = url == QStringLiteral("about:blank") ? QString() : url;
  if (box_->lineEdit()->hasFocus() && box_->lineEdit()->isModified()) return;
  box_->setEditText(page_url_);
  box_->lineEdit()->setModified(false);
  // While the user is in the box, what arrives is selected so typing replaces it;
  // otherwise a long address shows its scheme and host, not its end.
  if (box_->lineEdit()->hasFocus()) {
    box_->lineEdit()->selectAll();
  } else {
    box_->lineEdit()->setCursorPosition(0);
  }
}

void CAddressBar::RefillList() {
  const History history = OfferedHistory();
  const QSignalBlocker block(box_);
  // Clearing the list clears the text as well: keep what the box shows.
  const QString text = box_->currentText();
  const bool modified = box_->lineEdit()->isModified();
  box_->clear();
  for (const AddressCandidate& entry : AddressDropDown("", history.urls, list_)) {
    box_->addItem(LineIcon(history, entry.history_index), ToQString(entry.text));
  }
  box_->setEditText(text);
  box_->lineEdit()->setModified(modified);
}

void CAddressBar::ShowMatches(const QString& text) {
  match_model_->clear();
  if (!text.isEmpty()) {
    const History history = OfferedHistory();
    for (const AddressCandidate& entry : AddressDropDown(ToSjis(text), history.urls, list_)) {
      match_model_->appendRow(
          new QStandardItem(LineIcon(history, entry.history_index), ToQString(entry.text)));
    }
  }
  if (match_model_->rowCount() == 0) {
    matches_->popup()->hide();
    return;
  }
  matches_->complete();
  matches_->popup()->setCurrentIndex({});
}

CAddressBar::History CAddressBar::OfferedHistory() const {
  const ItemList& items = history_.items();
  History history{AddressHistory(items), {}};
  history.urls.reserve(history.items.size());
  for (int i : history.items) history.urls.push_back(items.url(static_cast<std::size_t>(i)));
  return history;
}

QIcon CAddressBar::LineIcon(const History& history, int history_index) const {
  if (history_index < 0) return StoreTreeIcon(StoreBar::kDefaultPageImage);
  const auto item =
      static_cast<std::size_t>(history.items[static_cast<std::size_t>(history_index)]);
  return StoreTreeIcon(StoreBar::ItemImage(history_.items(), item));
}

std::string CAddressBar::AddressText() const { return ToSjis(box_->currentText()); }

void CAddressBar::FocusAddressBar() {
  if (!isVisible()) show();
  box_->lineEdit()->setFocus(Qt::ShortcutFocusReason);
  box_->lineEdit()->selectAll();
}

void CAddressBar::LeaveAddressBar() {
  matches_->popup()->hide();
  box_->hidePopup();
  box_->lineEdit()->setModified(false);
  RefillList();
  emit focusLeaving(true);
}

std::string CAddressBar::AskFileToOpen() {
  const QString path = QFileDialog::getOpenFileName(
      window(), QStringLiteral("ファイルを開く"), QString(),
      QStringLiteral("Web ページ (*.html *.htm *.xhtml *.shtml *.txt);;すべてのファイル (*)"));
  if (path.isEmpty()) return {};
  return ToSjis(QUrl::fromLocalFile(path).toString(QUrl::FullyEncoded));
}

bool CAddressBar::eventFilter(QObject* watched, QEvent* event) {
  if ((watched != box_ && watched != box_->lineEdit()) || event->type() != QEvent::KeyPress) {
    return QToolBar::eventFilter(watched, event);
  }
  const auto* key = static_cast<QKeyEvent*>(event);
  const Qt::KeyboardModifiers mods = key->modifiers() & ~Qt::KeypadModifier;
  switch (key->key()) {
    case Qt::Key_Escape:
      box_->setEditText(page_url_);
      box_->lineEdit()->setModified(false);
      box_->lineEdit()->selectAll();
      return true;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
      if (mods & ~Qt::ShiftModifier) return false;
      emit focusLeaving(key->key() == Qt::Key_Backtab || (mods & Qt::ShiftModifier));
      return true;
    default:
      return false;
  }
}

}  // namespace tolvane
