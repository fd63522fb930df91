#pragma once

#include <QDialog>

#include "core/stores/engine_list.h"

class QComboBox;
class QLineEdit;

namespace tolvane {

// The properties of a tab record: its names, the engine or engine folder
// references it opens and searches, and the keyword encoding.
class CTabPropertyDialog : public QDialog {
  Q_OBJECT

 public:
  CTabPropertyDialog(const QString& title, const EngineDialogValues& values,
                     QWidget* parent = nullptr);

  // What the fields hold now (Shift_JIS).
  EngineDialogValues values() const;

 private:
  EngineDialogValues initial_;
  QLineEdit* name_ = nullptr;
  QLineEdit* tab_name_ = nullptr;
  QLineEdit* short_name_ = nullptr;
  QLineEdit* url_ = nullptr;
  QLineEdit* search_url_ = nullptr;
  QLineEdit* post_data_ = nullptr;
  QComboBox* encoding_ = nullptr;
};

}  // namespace tolvane
