#pragma once

#include <QDropEvent>
#include <QPoint>
#include <QTreeWidget>
#include <vector>

namespace tolvane {

class TabTree;

// Draws a TabTree: the root "タブ", the tab groups, their tabs and each
// opened tab's pages. Every widget item carries its model item index in
// Qt::UserRole; a rebuild of the model makes new indices, so the widget is
// rebuilt with it.
//
// Only what the user does is reported: selection and expansion set from the
// model (Rebuild, SyncSelection) emit nothing, so a model change never loops
// back into the model.
//
// A right click selects nothing: the menu it opens acts on the item under
// the mouse, and what is shown changes only when a command is chosen.
//
// Tabs and groups can be dragged inside the tree. The widget never moves
// its items itself: a drop is reported as itemDropped and the model's
// rebuild redraws the tree.
class CTabTreeCtrl : public QTreeWidget {
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

  // The model item of a widget item; -1 for none.
  static int ItemIndex(const QTreeWidgetItem* item);
  // The widget item of a model item; null when there is none.
  QTreeWidgetItem* WidgetItem(int item_index) const;

 signals:
  // The user selected an item with the mouse or the keyboard.
  void itemChosen(int item_index);
  void expandedChanged(int item_index, bool expanded);
  // Right click or the menu key, at `global`; -1 when not over an item.
  void contextMenuRequested(int item_index, QPoint global);
  // Model item `dragged_item` was dropped on model item `target_item`.
  void itemDropped(int dragged_item, int target_item);
  // A search tree item (its token, kSearchTreeMimeType) was dropped on
  // model item `target_item`.
  void searchItemDropped(const QByteArray& token, int target_item);

 public:
  // The drop of an item dragged from this tree (dropEvent, once it has seen
  // the drag come from here; tests call it directly, as only a real drag
  // has a source).
  void DropOwnItem(QDropEvent& event);

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void dropEvent(QDropEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dragMoveEvent(QDragMoveEvent* event) override;

 private:
  void AddItem(const TabTree& tree, int index, QTreeWidgetItem* parent);
  bool SameShape(const TabTree& tree) const;
  void ApplyState(const TabTree& tree);

  std::vector<QTreeWidgetItem*> items_;  // by model item index
  bool syncing_ = false;
};

}  // namespace tolvane
