#pragma once

#include <QDialog>

#include "core/tabs/workspace_view.h"

class QCheckBox;
class QRadioButton;
class QSpinBox;

namespace tolvane {

// "｢まとめて｣開くオプション": asked before the pages of a favorites or
// history folder open at once, pre-filled with the OptionMultiOpen values:
// where the pages go, how many at most (1-99), and whether to ask again.
// "実行する(&E)" accepts, "キャンセル(&C)" stops.
class CMultiOpenDialog : public QDialog {
  Q_OBJECT

 public:
  CMultiOpenDialog(StoreType store, const MultiOpenChoice& choice, QWidget* parent = nullptr);

  MultiOpenChoice choice() const;

  // The dialog on `choice`; false on Cancel, else `choice` holds the answer.
  static bool Run(StoreType store, MultiOpenChoice& choice, QWidget* parent);

 private:
  QRadioButton* after_page_ = nullptr;
  QRadioButton* new_tab_ = nullptr;
  QSpinBox* max_open_ = nullptr;
  QCheckBox* dont_ask_ = nullptr;
};

}  // namespace tolvane
