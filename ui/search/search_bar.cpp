#include "ui/search/search_bar.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTimer>
#include <QToolButton>
#include <algorithm>
#include <functional>
#include <string_view>
#include <utility>

#include "core/files/setting_keys.h"
#include "core/files/string_table.h"
#include "core/search/keyword_text.h"
#include "core/stores/item_store.h"
#include "ui/app/qt_text.h"

namespace tolvane {
namespace {

// Narrower than this and the box can no longer be grabbed to widen it again.
constexpr int kMinKeywordWidth = 20;

// The editable keyword box. Up and Down open the list instead of stepping
// through it, and the list is refilled just before it opens.
class KeywordBox : public QComboBox {
 public:
  KeywordBox(QWidget* parent, std::function<void()> before_popup)
      : QComboBox(parent), before_popup_(std::move(before_popup)) {}

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
};

// Whether the comma-separated list holds `token` (fields trimmed).
bool HasToken(std::string_view list, std::string_view token) {
  while (true) {
    const std::size_t comma = list.find(',');
    std::string_view field = list.substr(0, comma);
    const std::size_t first = field.find_first_not_of(" \t");
    const std::size_t last = field.find_last_not_of(" \t");
    if (first != std::string_view::npos && field.substr(first, last - first + 1) == token) {
      return true;
    }
    if (comma == std::string_view::npos) return false;
    list.remove_prefix(comma + 1);
  }
}

// A command's button name: the second line of its string.
QString ButtonName(int command) {
  const std::string& text = LoadString(command);
  const std::size_t newline = text.find('\n');
  return ToQString(newline == std::string::npos ? text : text.substr(newline + 1));
}

QToolButton* AddButton(QToolBar* bar, const QString& name, const QString& text) {
  auto* button = new QToolButton(bar);
  button->setObjectName(name);
  button->setText(text);
  button->setToolButtonStyle(Qt::ToolButtonTextOnly);
  button->setAutoRaise(true);
  return button;
}

}  // namespace

CSearchBar::CSearchBar(SettingsStore& settings, const ItemStore& keywords, QWidget* parent)
    : QToolBar(parent), settings_(settings), keywords_(keywords) {
  setObjectName(QStringLiteral("searchBar"));

  auto* box = new KeywordBox(this, [this] { FillDropDown(); });
  keyword_box_ = box;
  keyword_box_->setObjectName(QStringLiteral("keywordBox"));
  keyword_box_->setEditable(true);
  // The list only offers recent keywords; typing neither adds to it nor
  // completes from it.
  keyword_box_->setInsertPolicy(QComboBox::NoInsert);
  keyword_box_->setCompleter(nullptr);
  addWidget(keyword_box_);

  search_button_ = AddButton(this, QStringLiteral("searchButton"),
                             ToQString(LoadString(string_id::kSearchButton)));
  addWidget(search_button_);
  batch_button_ =
      AddButton(this, QStringLiteral("batchSearchButton"), ButtonName(kBatchSearchCommand));
  batch_action_ = addWidget(batch_button_);

  connect(keyword_box_->lineEdit(), &QLineEdit::returnPressed, this,
          [this] { emit commandRequested(kTabSearchCommand); });
  connect(search_button_, &QToolButton::clicked, this,
          [this] { emit commandRequested(kTabSearchCommand); });
  connect(batch_button_, &QToolButton::clicked, this,
          [this] { emit commandRequested(kBatchSearchCommand); });
  connect(keyword_box_, &QComboBox::activated, this, [this, box] {
    if (box->picking()) OnKeywordPicked();
  });

  Rebuild();
}

void CSearchBar::Rebuild() {
  keyword_box_->setFixedWidth(
      std::max(kMinKeywordWidth, Read(settings_, settings::kFindBarKeywordWidth)));
  batch_action_->setVisible(HasToken(Read(settings_, settings::kFindBarButtonIDs), "-1"));
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
  const ItemList& items = keywords_.items();
  for (int index : RecentKeywords(keywords_)) {
    keyword_box_->addItem(ToQString(items.title(static_cast<std::size_t>(index))), index);
  }
  keyword_box_->setCurrentIndex(-1);
  keyword_box_->setEditText(typed);
}

void CSearchBar::OnKeywordPicked() {
  if (Read(settings_, settings::kFindBarFindOption2) == 1) emit commandRequested(kTabSearchCommand);
}

}  // namespace tolvane
