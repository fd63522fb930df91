#pragma once

#include <QPoint>
#include <QTreeWidget>
#include <vector>

namespace tolvane {

// A tree widget that draws a core tree model (the tab tree, the search
// tree): every widget item carries its model item index in Qt::UserRole and
// is found again by it. A rebuild of the model makes new indices, so the
// widget is rebuilt with it.
//
// Only what the user does is reported: selection and expansion the widget
// sets from the model (inside a Syncing guard) emit nothing, so a model
// change never loops back into the model.
//
// A right click lights the item under the mouse while the menu it opens
// acts on that item, but selects nothing in the model: what is shown
// changes only when a command is chosen.
class ModelTreeWidget : public QTreeWidget {
  Q_OBJECT

 public:
  explicit ModelTreeWidget(QWidget* parent = nullptr);

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

 protected:
  // While one lives, the widget's own changes are not reported.
  class Syncing {
   public:
    explicit Syncing(ModelTreeWidget& tree) : tree_(tree), was_(tree.syncing_) {
      tree.syncing_ = true;
      ++tree.syncs_;
    }
    ~Syncing() { tree_.syncing_ = was_; }
    Syncing(const Syncing&) = delete;
    Syncing& operator=(const Syncing&) = delete;

   private:
    ModelTreeWidget& tree_;
    bool was_;
  };

  void mousePressEvent(QMouseEvent* event) override;

  std::vector<QTreeWidgetItem*> items_;  // by model item index

 private:
  void OpenMenu(const QPoint& pos);

  bool syncing_ = false;
  int syncs_ = 0;  // Syncing guards made, to see whether a menu's command did
};

}  // namespace tolvane
