#pragma once

#include <QIcon>

#include "ui/base/model_tree_widget.h"

namespace tolvane {

class SearchTree;

// Draws a SearchTree (ModelTreeWidget): the root "検索", the engine
// categories and their engines. Items are dragged as their search-bar
// token.
class CSearchTreeCtrl : public ModelTreeWidget {
  Q_OBJECT

 public:
  explicit CSearchTreeCtrl(QWidget* parent = nullptr);

  // Replaces every item with the model's, then its open items and
  // selection.
  void Rebuild(const SearchTree& tree);
  // Takes over the model's selection and open items.
  void ApplyState(const SearchTree& tree);

 protected:
  QMimeData* mimeData(const QList<QTreeWidgetItem*>& items) const override;
  QStringList mimeTypes() const override;

 private:
  const QIcon& IconOf(int image) const;

  const SearchTree* tree_ = nullptr;
  QIcon root_icon_;
  QIcon folder_icon_;
  QIcon archive_icon_;
  QIcon engine_icon_;
};

}  // namespace tolvane
