#pragma once

#include <QDialog>

#include "core/app/shutdown_sequence.h"

class QCheckBox;
class QPushButton;

namespace tolvane {

// "Tolvane！の終了": keep the open page tabs for the next start, close
// without them, or stay. Closing the dialog in any other way (Esc, the
// window's close button) is Cancel.
class CExitDialog : public QDialog {
  Q_OBJECT

 public:
  // `default_button_id` is string_id::kExitSave or string_id::kExitDiscard.
  explicit CExitDialog(int default_button_id, QWidget* parent = nullptr);

  ExitDialogAnswer answer() const { return answer_; }

  QPushButton* save_button() const { return save_; }
  QPushButton* discard_button() const { return discard_; }
  QPushButton* cancel_button() const { return cancel_; }
  QCheckBox* dont_ask_box() const { return dont_ask_; }

 private:
  void Choose(ExitDialogAnswer::Choice choice);

  QPushButton* save_ = nullptr;
  QPushButton* discard_ = nullptr;
  QPushButton* cancel_ = nullptr;
  QCheckBox* dont_ask_ = nullptr;
  ExitDialogAnswer answer_;
};

}  // namespace tolvane
