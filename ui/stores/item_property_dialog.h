#pragma once

#include <QDialog>

#include "core/stores/item_dialog.h"

class QCheckBox;
class QComboBox;
class QFormLayout;
class QLineEdit;
class QMenu;
class QPushButton;

namespace tolvane {

// The item properties dialog of favorites, keywords and history drawn over
// an ItemDialog: 重要度, 名前, URL, タグ with the "タグ入力" button (its menu
// offers the recent tags; the chosen one is appended), 登録日 and 更新日 and
// the count (read only), and the "%sバーに表示する" check box. OK writes the
// fields into the model and saves it; a refused save (1004, 1013) shows its
// message and the dialog stays open. Cancel changes nothing.
class CItemPropertyDialog : public QDialog {
  Q_OBJECT

 public:
  explicit CItemPropertyDialog(ItemDialog& model, QWidget* parent = nullptr);

  // The dialog on `model`; false on Cancel.
  static bool Run(ItemDialog& model, QWidget* parent);

  void accept() override;

 private:
  QLineEdit* AddText(ItemDialog::Field field, const char* name, bool read_only);
  void FillTagMenu();
  void StoreFields();

  ItemDialog& model_;
  QComboBox* importance_ = nullptr;
  QLineEdit* title_ = nullptr;
  QLineEdit* url_ = nullptr;
  QLineEdit* tags_ = nullptr;
  QPushButton* tag_button_ = nullptr;
  QMenu* tag_menu_ = nullptr;
  QCheckBox* bar_flag_ = nullptr;
  QFormLayout* form_ = nullptr;
};

}  // namespace tolvane
