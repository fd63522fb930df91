#include "ui/frame/exit_dialog.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

#include "core/files/string_table.h"
#include "ui/base/qt_text.h"

namespace tolvane {

CExitDialog::CExitDialog(int default_button_id, QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("exitDialog"));
  setWindowTitle(ToQString(LoadString(string_id::kExitTitle)));
  setModal(true);

  auto* icon = new QLabel(this);
  const int icon_size = style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, this);
  icon->setPixmap(style()
                      ->standardIcon(QStyle::SP_MessageBoxQuestion, nullptr, this)
                      .pixmap(icon_size, icon_size));
  icon->setAlignment(Qt::AlignTop);

  auto* text = new QLabel(ToQString(LoadString(string_id::kExitText)), this);
  auto* question = new QLabel(ToQString(LoadString(string_id::kExitQuestion)), this);
  question->setWordWrap(false);

  auto* texts = new QVBoxLayout;
  texts->addWidget(text);
  texts->addSpacing(6);
  texts->addWidget(question);
  auto* message = new QHBoxLayout;
  message->addWidget(icon);
  message->addSpacing(12);
  message->addLayout(texts, 1);

  save_ = new QPushButton(ToQString(LoadString(string_id::kExitSave)), this);
  save_->setObjectName(QStringLiteral("save"));
  discard_ = new QPushButton(ToQString(LoadString(string_id::kExitDiscard)), this);
  discard_->setObjectName(QStringLiteral("discard"));
  cancel_ = new QPushButton(ToQString(LoadString(string_id::kExitCancel)), this);
  cancel_->setObjectName(QStringLiteral("cancel"));
  // Only the button we name is the default; QDialog would otherwise make the
  // first button that takes focus the default.
  for (QPushButton* button : {save_, discard_, cancel_}) button->setAutoDefault(false);
  QPushButton* default_button = default_button_id == string_id::kExitDiscard ? discard_ : save_;
  default_button->setDefault(true);
  default_button->setFocus();

  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(save_);
  buttons->addWidget(discard_);
  buttons->addWidget(cancel_);

  dont_ask_ = new QCheckBox(ToQString(LoadString(string_id::kExitDontAsk)), this);
  dont_ask_->setObjectName(QStringLiteral("dontAsk"));

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(message);
  layout->addSpacing(12);
  layout->addLayout(buttons);
  layout->addWidget(dont_ask_);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  connect(save_, &QPushButton::clicked, this,
          [this] { Choose(ExitDialogAnswer::Choice::kSaveAndExit); });
  connect(discard_, &QPushButton::clicked, this,
          [this] { Choose(ExitDialogAnswer::Choice::kExitWithoutSaving); });
  connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
  // Esc and the close button end up here too: the answer stays Cancel.
  connect(this, &QDialog::rejected, this, [this] { answer_ = ExitDialogAnswer{}; });
}

void CExitDialog::Choose(ExitDialogAnswer::Choice choice) {
  answer_.choice = choice;
  answer_.dont_ask_again = dont_ask_->isChecked();
  accept();
}

}  // namespace tolvane
