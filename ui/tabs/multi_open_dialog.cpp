#include "ui/tabs/multi_open_dialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <algorithm>

#include "core/files/string_table.h"
#include "ui/base/qt_text.h"

namespace tolvane {
namespace {

constexpr int kMinOpen = 1;
constexpr int kMaxOpen = 99;

}  // namespace

CMultiOpenDialog::CMultiOpenDialog(StoreType store, const MultiOpenChoice& choice, QWidget* parent)
    : QDialog(parent) {
  setObjectName(QStringLiteral("multiOpenDialog"));
  setWindowTitle(QStringLiteral("｢まとめて｣開くオプション"));
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(
      new QLabel(store == StoreType::kHistory
                     ? QStringLiteral("フォルダ内の履歴ページを｢まとめて｣開きます。")
                     : QStringLiteral("フォルダ内のお気に入りページを｢まとめて｣開きます。")));
  after_page_ = new QRadioButton(
      QStringLiteral("選択中のページタブの後ろに、お気に入り・履歴ページをまとめて開く"));
  after_page_->setObjectName(QStringLiteral("afterPage"));
  new_tab_ = new QRadioButton(
      QStringLiteral("新しいカテゴリタブを開いて、その中にお気に入り・履歴ページをまとめて開く"));
  new_tab_->setObjectName(QStringLiteral("newTab"));
  (choice.open_mode == 0 ? after_page_ : new_tab_)->setChecked(true);
  layout->addWidget(after_page_);
  layout->addWidget(new_tab_);

  auto* count = new QHBoxLayout;
  count->addWidget(new QLabel(QStringLiteral("一度に開くお気に入り・履歴の件数： 最大")));
  max_open_ = new QSpinBox;
  max_open_->setObjectName(QStringLiteral("maxOpen"));
  max_open_->setRange(kMinOpen, kMaxOpen);
  max_open_->setValue(std::clamp(choice.max_open, kMinOpen, kMaxOpen));
  count->addWidget(max_open_);
  count->addWidget(new QLabel(QStringLiteral("件まで")));
  count->addStretch(1);
  layout->addLayout(count);

  dont_ask_ = new QCheckBox(QStringLiteral("次回からこの確認ダイアログを表示しない"));
  dont_ask_->setObjectName(QStringLiteral("dontAsk"));
  dont_ask_->setChecked(choice.dont_ask_again);
  layout->addWidget(dont_ask_);

  auto* buttons = new QDialogButtonBox;
  QPushButton* run =
      buttons->addButton(QStringLiteral("実行する(&E)"), QDialogButtonBox::AcceptRole);
  run->setDefault(true);
  buttons->addButton(ToQString(LoadString(string_id::kExitCancel)), QDialogButtonBox::RejectRole);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);
}

MultiOpenChoice CMultiOpenDialog::choice() const {
  return {.open_mode = after_page_->isChecked() ? 0 : 1,
          .max_open = max_open_->value(),
          .dont_ask_again = dont_ask_->isChecked()};
}

bool CMultiOpenDialog::Run(StoreType store, MultiOpenChoice& choice, QWidget* parent) {
  CMultiOpenDialog dialog(store, choice, parent);
  if (dialog.exec() != QDialog::Accepted) return false;
  choice = dialog.choice();
  return true;
}

}  // namespace tolvane
