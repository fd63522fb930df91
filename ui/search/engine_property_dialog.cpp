#include "ui/search/engine_property_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

#include "core/app/tolvane_doc.h"
#include "core/commands/command_dispatcher.h"
#include "core/commands/command_table.h"
#include "core/files/string_table.h"
#include "core/search/store_shortcut_owners.h"
#include "ui/base/property_form.h"
#include "ui/base/qt_text.h"

namespace tolvane {
namespace {

using Field = EngineDialog::Field;
using Button = EngineDialog::GestureButton;

QString Label(Field field) { return ToQString(EngineDialog::Label(field)); }

}  // namespace

CEnginePropertyDialog::CEnginePropertyDialog(EngineDialog& model,
                                             const CommandDispatcher& dispatcher,
                                             const QString& title, QWidget* parent)
    : QDialog(parent), model_(model), dispatcher_(dispatcher) {
  setObjectName(QStringLiteral("enginePropertyDialog"));
  setWindowTitle(title.isEmpty() ? ToQString(LoadString(model.TitleStringId())) : title);
  form_ = new QFormLayout;

  icon_ = new QComboBox;
  icon_->setObjectName(QStringLiteral("icon"));
  for (int choice = 0; choice < EngineDialog::kIconChoices; ++choice) {
    icon_->addItem(ToQString(EngineDialog::IconChoiceText(choice)), choice);
  }
  icon_->setCurrentIndex(std::stoi(model.Text(Field::kIcon)));
  icon_->setEnabled(model.Editable(Field::kIcon));
  form_->addRow(Label(Field::kIcon), icon_);

  auto* id = new QLineEdit(ToQString(model.Text(Field::kId)));
  id->setObjectName(QStringLiteral("id"));
  ShowReadOnly(*id, true);
  form_->addRow(Label(Field::kId), id);

  if (!model.category_choices().empty()) {
    category_ = new QComboBox;
    category_->setObjectName(QStringLiteral("category"));
    for (const EngineDialog::CategoryChoice& choice : model.category_choices()) {
      category_->addItem(ToQString(choice.name));
    }
    category_->setCurrentIndex(model.category_choice());
    form_->addRow(ToQString(LoadString(string_id::kEngineCategoryLabel)), category_);
  }

  AddText(Field::kName, "name");
  AddText(Field::kTabName, "tabName");
  AddText(Field::kShortName, "shortName");
  AddText(Field::kUrl, "url");
  AddText(Field::kSearchUrl, "searchUrl");
  AddText(Field::kPostData, "postData");

  encoding_ = new QComboBox;
  encoding_->setObjectName(QStringLiteral("encoding"));
  for (int choice = 0; choice < EngineDialog::kEncodingChoices; ++choice) {
    encoding_->addItem(ToQString(EngineDialog::EncodingChoiceText(choice)), choice);
  }
  // A record may hold any number (searches then leave its placeholders as
  // they are); it stays as stored unless the user picks one of the four.
  const int encoding = std::stoi(model.Text(Field::kEncoding));
  if (encoding_->findData(encoding) < 0) encoding_->addItem(QString::number(encoding), encoding);
  encoding_->setCurrentIndex(encoding_->findData(encoding));
  encoding_->setEnabled(model.Editable(Field::kEncoding));
  form_->addRow(Label(Field::kEncoding), encoding_);

  AddGestureRow();
  QLineEdit* shortcut = AddText(Field::kShortcut, "shortcut");
  // Typed shortcuts are lower-case letters; alternatives are separated by ",".
  shortcut->setValidator(
      new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[a-z,]*")), shortcut));

  on_search_bar_ = new QCheckBox(Label(Field::kOnSearchBar));
  on_search_bar_->setObjectName(QStringLiteral("onSearchBar"));
  on_search_bar_->setChecked(model.Text(Field::kOnSearchBar) == "1");
  form_->addRow(QString(), on_search_bar_);

  LayOutWithOkCancel(*this, form_);
  // The focus starts in the first field the user may change.
  for (const auto& [field, edit] : texts_) {
    if (!edit->isReadOnly()) {
      edit->setFocus();
      break;
    }
  }
}

QLineEdit* CEnginePropertyDialog::AddText(Field field, const char* name) {
  auto* edit = new QLineEdit(ToQString(model_.Text(field)));
  edit->setObjectName(QString::fromLatin1(name));
  edit->setMinimumWidth(360);
  ShowReadOnly(*edit, !model_.Editable(field));
  form_->addRow(Label(field), edit);
  texts_.emplace_back(field, edit);
  return edit;
}

void CEnginePropertyDialog::AddGestureRow() {
  gesture_ = new QLineEdit(ToQString(model_.Text(Field::kGesture)));
  gesture_->setObjectName(QStringLiteral("gesture"));
  ShowReadOnly(*gesture_, true);
  auto* row = new QWidget;
  auto* column = new QVBoxLayout(row);
  column->setContentsMargins(0, 0, 0, 0);
  column->addWidget(gesture_);
  auto* buttons = new QHBoxLayout;
  buttons->setSpacing(2);
  const struct {
    QString text;
    Button button;
    const char* name;
  } kButtons[] = {
      {QStringLiteral("↑"), Button::kUp, "gestureUp"},
      {QStringLiteral("↓"), Button::kDown, "gestureDown"},
      {QStringLiteral("←"), Button::kLeft, "gestureLeft"},
      {QStringLiteral("→"), Button::kRight, "gestureRight"},
      {ToQString(LoadString(string_id::kGestureSeparator)), Button::kSeparator, "gestureSeparator"},
      {ToQString(LoadString(string_id::kGestureDelete)), Button::kDelete, "gestureDelete"},
      {ToQString(LoadString(string_id::kGestureClear)), Button::kClear, "gestureClear"},
      {ToQString(LoadString(string_id::kGestureDirectInput)), Button::kDirectInput,
       "gestureDirectInput"},
  };
  for (const auto& b : kButtons) {
    auto* push = new QPushButton(b.text);
    push->setObjectName(QString::fromLatin1(b.name));
    push->setAutoDefault(false);
    // Arrows are square; the word buttons take their text's width.
    if (b.text.size() == 1) push->setFixedWidth(push->sizeHint().height() + 4);
    connect(push, &QPushButton::clicked, this, [this, button = b.button] { PressGesture(button); });
    buttons->addWidget(push);
  }
  buttons->addStretch(1);
  column->addLayout(buttons);
  form_->addRow(Label(Field::kGesture), row);
}

void CEnginePropertyDialog::PressGesture(Button button) {
  // What was typed since 直接入力 counts before the button acts on it.
  if (model_.gesture_typing()) model_.SetText(Field::kGesture, ToSjis(gesture_->text()));
  model_.PressGestureButton(button);
  gesture_->setText(ToQString(model_.Text(Field::kGesture)));
  ShowReadOnly(*gesture_, !model_.gesture_typing());
  if (button == Button::kDirectInput) gesture_->setFocus();
}

void CEnginePropertyDialog::StoreFields() {
  for (const auto& [field, edit] : texts_) {
    if (model_.Editable(field)) model_.SetText(field, ToSjis(edit->text()));
  }
  if (model_.gesture_typing()) model_.SetText(Field::kGesture, ToSjis(gesture_->text()));
  model_.SetIconChoice(icon_->currentData().toInt());
  const int encoding = encoding_->currentData().toInt();
  if (encoding != std::stoi(model_.Text(Field::kEncoding))) model_.SetEncodingChoice(encoding);
  model_.SetOnSearchBar(on_search_bar_->isChecked());
  if (category_ != nullptr) model_.SetCategoryChoice(category_->currentIndex());
}

void CEnginePropertyDialog::accept() {
  StoreFields();
  const EngineDialog::SaveResult result = model_.Save(dispatcher_);
  if (result.message != 0) {
    QMessageBox::warning(this, ToQString(ProgramTitle()), ToQString(result.text));
    return;
  }
  saved_row_ = result.row;
  QDialog::accept();
}

std::optional<int> CEnginePropertyDialog::Run(EngineDialog& model, CTolvaneDoc& doc,
                                              QWidget* parent, const QString& title) {
  CommandTable table;
  table.Load(doc.settings());
  StoreShortcutOwners owners(doc.engine_folders(), doc.engines(), doc.tab_folders(), doc.tabs());
  const CommandDispatcher dispatcher(table, owners);
  CEnginePropertyDialog dialog(model, dispatcher, title, parent);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.saved_row();
}

}  // namespace tolvane
