#pragma once

#include <QDialog>
#include <optional>

#include "core/search/engine_dialog.h"

class QCheckBox;
class QComboBox;
class QFormLayout;
class QLineEdit;

namespace tolvane {

class CTolvaneDoc;
class CommandDispatcher;

// The engine properties dialog (title "基本設定", or "検索エンジンの新規作成"
// when creating) drawn over an EngineDialog: アイコン, ID, 名前, タブ名,
// 短縮名, URL, 検索文字列, PostData, URLエンコード, マウスジェスチャ with its
// buttons, ショートカット, 検索バーに表示する, and カテゴリ after the ID when
// the model offers categories. Fields the model keeps read
// only are read only here. OK writes the fields into the model and saves
// it; a refused save (1014, 1016, 1017, no ID left) shows its message and
// the dialog stays open.
class CEnginePropertyDialog : public QDialog {
  Q_OBJECT

 public:
  // `title` replaces the model's title when not empty (the tab dialogs'
  // "タブの設定" and "タブの新規作成").
  CEnginePropertyDialog(EngineDialog& model, const CommandDispatcher& dispatcher,
                        const QString& title = QString(), QWidget* parent = nullptr);

  // The dialog on `model`, checked against every owner of the document's
  // stores; the saved row, or nullopt on Cancel.
  static std::optional<int> Run(EngineDialog& model, CTolvaneDoc& doc, QWidget* parent,
                                const QString& title = QString());

  int saved_row() const { return saved_row_; }

  void accept() override;

 private:
  QLineEdit* AddText(EngineDialog::Field field, const char* name);
  void AddGestureRow();
  void PressGesture(EngineDialog::GestureButton button);
  // Writes every editable widget into the model.
  void StoreFields();

  EngineDialog& model_;
  const CommandDispatcher& dispatcher_;
  QComboBox* icon_ = nullptr;
  QComboBox* encoding_ = nullptr;
  // Only when the model offers categories (a shop's search from its page).
  QComboBox* category_ = nullptr;
  QLineEdit* gesture_ = nullptr;
  QCheckBox* on_search_bar_ = nullptr;
  std::vector<std::pair<EngineDialog::Field, QLineEdit*>> texts_;
  QFormLayout* form_ = nullptr;
  int saved_row_ = -1;
};

}  // namespace tolvane
