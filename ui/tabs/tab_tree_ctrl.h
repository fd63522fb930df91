#pragma once

#include <QDropEvent>

#include "ui/base/model_tree_widget.h"

namespace tolvane {

class TabTree;

// Draws a TabTree (ModelTreeWidget): the root "タブ", the tab groups, their
// tabs and each opened tab's pages.
//
// Tabs and groups can be dragged inside the tree. The widget never moves
// its items itself: a drop is reported as itemDropped and the model's
// rebuild redraws the tree.
class CTabTreeCtrl : public ModelTreeWidget {
  Q_OBJECT

 public:
  explicit CTabTreeCtrl(QWidget* parent = nullptr);

  // Replaces every item with the model's, then takes over its state as
  // SyncSelection does.
  void Rebuild(const TabTree& tree);
  // Takes over the model's selection, expanded items, texts and bold marks
  // (selecting in the model may expand and collapse; page captions change
  // in place). Rebuilds when the model's items are no longer the widget's.
  void SyncSelection(const TabTree& tree);

 signals:
  // Model item `dragged_item` was dropped on model item `target_item`.
  void itemDropped(int dragged_item, int target_item);
  // A search tree item (its token, kEngineItemMimeType) was dropped on
  // model item `target_item`.
  void searchItemDropped(const QByteArray& token, int target_item);

 public:
  // The drop of an item dragged from this tree (dropEvent, once it has seen
  // the drag come from here; tests call it directly, as only a real drag
  // has a source).
  void DropOwnItem(QDropEvent& event);

 protected:
  void dropEvent(QDropEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dragMoveEvent(QDragMoveEvent* event) override;

 private:
  void AddItem(const TabTree& tree, int index, QTreeWidgetItem* parent);
  bool SameShape(const TabTree& tree) const;
  void ApplyState(const TabTree& tree);
};

}  // namespace tolvane
