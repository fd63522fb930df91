#include "ui/stores/item_property_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>

#include "core/files/string_table.h"
#include "ui/base/property_form.h"
#include "ui/base/qt_text.h"

namespace tolvane {
namespace {

using Field = ItemDialog::Field;

}  // namespace

CItemPropertyDialog::CItemPropertyDialog(ItemDialog& model, QWidget* parent)
    : QDialog(parent), model_(model) {
  setObjectName(QStringLiteral("itemPropertyDialog"));
  setWindowTitle(ToQString(model.StoreWord()));
  form_ = new QFormLayout;

  importance_ = new QComboBox;
  importance_->setObjectName(QStringLiteral("importance"));
  for (int choice = 0; choice < ItemDialog::kImportanceChoices; ++choice) {
    importance_->addItem(ToQString(ItemDialog::ImportanceChoiceText(choice)), choice);
  }
  // A stored importance outside 0-5 stays as it is unless the user picks one.
  const int importance = model.importance();
  if (importance_->findData(importance) < 0) {
    importance_->addItem(QString::number(importance), importance);
  }
  importance_->setCurrentIndex(importance_->findData(importance));
  form_->addRow(ToQString(model.Label(Field::kImportance)), importance_);

  title_ = AddText(Field::kTitle, "title", false);
  url_ = AddText(Field::kUrl, "url", false);

  tags_ = new QLineEdit(ToQString(model.Text(Field::kTags)));
  tags_->setObjectName(QStringLiteral("tags"));
  tag_button_ = new QPushButton(ToQString(ItemDialog::TagButtonText()));
  tag_button_->setObjectName(QStringLiteral("tagButton"));
  tag_button_->setAutoDefault(false);
  tag_menu_ = new QMenu(tag_button_);
  tag_menu_->setObjectName(QStringLiteral("tagMenu"));
  connect(tag_menu_, &QMenu::aboutToShow, this, &CItemPropertyDialog::FillTagMenu);
  tag_button_->setMenu(tag_menu_);
  tag_button_->setEnabled(!model.RecentTagList().empty());
  auto* tag_row = new QHBoxLayout;
  tag_row->addWidget(tags_, 1);
  tag_row->addWidget(tag_button_);
  form_->addRow(ToQString(model.Label(Field::kTags)), tag_row);

  AddText(Field::kRegistered, "registered", true);
  AddText(Field::kUpdated, "updated", true);
  AddText(Field::kCount, "count", true);

  bar_flag_ = new QCheckBox(ToQString(model.Label(Field::kBarFlag)));
  bar_flag_->setObjectName(QStringLiteral("barFlag"));
  bar_flag_->setChecked(model.bar_flag());
  form_->addRow(QString(), bar_flag_);

  LayOutWithOkCancel(*this, form_);
  title_->setFocus();
  title_->selectAll();
}

QLineEdit* CItemPropertyDialog::AddText(Field field, const char* name, bool read_only) {
  auto* edit = new QLineEdit(ToQString(model_.Text(field)));
  edit->setObjectName(QString::fromLatin1(name));
  edit->setMinimumWidth(360);
  ShowReadOnly(*edit, read_only);
  form_->addRow(ToQString(model_.Label(field)), edit);
  return edit;
}

// Built each time it opens: the recent tags change with every OK.
void CItemPropertyDialog::FillTagMenu() {
  tag_menu_->clear();
  const std::vector<std::string> tags = model_.RecentTagList();
  for (const std::string& tag : tags) {
    QAction* action = tag_menu_->addAction(ToQString(tag));
    connect(action, &QAction::triggered, this, [this, tag] {
      model_.SetTags(ToSjis(tags_->text()));
      model_.AppendTag(tag);
      tags_->setText(ToQString(model_.Text(Field::kTags)));
    });
  }
}

void CItemPropertyDialog::StoreFields() {
  model_.SetImportance(importance_->currentData().toInt());
  model_.SetTitle(ToSjis(title_->text()));
  model_.SetUrl(ToSjis(url_->text()));
  model_.SetTags(ToSjis(tags_->text()));
  model_.SetBarFlag(bar_flag_->isChecked());
}

void CItemPropertyDialog::accept() {
  StoreFields();
  if (const int message = model_.Save(); message != 0) {
    QMessageBox::warning(this, ToQString(ProgramTitle()), ToQString(LoadString(message)));
    return;
  }
  QDialog::accept();
}

bool CItemPropertyDialog::Run(ItemDialog& model, QWidget* parent) {
  CItemPropertyDialog dialog(model, parent);
  return dialog.exec() == QDialog::Accepted;
}

}  // namespace tolvane
