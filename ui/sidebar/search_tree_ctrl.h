#pragma once

#include <QIcon>
#include <QPoint>
#include <QTreeWidget>
#include <vector>

namespace tolvane {

class SearchTree;

// The drag format of a search tree item: its search-bar token ("EE" +
// engine ID, "EF" + folder ID) as Latin-1 bytes. The tab tree takes it (the
// item becomes a tab there), and so may the search bar (a button).
inline constexpr char kSearchTreeMimeType[] = "application/x-tolvane-search-item";

// Draws a SearchTree: the root "検索", the engine categories and their
// engines. Every widget item carries its model item index in Qt::UserRole;
// a rebuild of the model makes new indices, so the widget is rebuilt with
// it.
//
// Only what the user does is reported: selection and expansion set from the
// model emit nothing. A right click selects nothing: its menu acts on the
// item under the mouse.
class CSearchTreeCtrl : public QTreeWidget {
  Q_OBJECT

 public:
  explicit CSearchTreeCtrl(QWidget* parent = nullptr);

  // Replaces every item with the model's, then its open items and
  // selection.
  void Rebuild(const SearchTree& tree);
  // Takes over the model's selection and open items.
  void ApplyState(const SearchTree& tree);

  static int ItemIndex(const QTreeWidgetItem* item);
  QTreeWidgetItem* WidgetItem(int item_index) const;

 signals:
  void itemChosen(int item_index);
  void expandedChanged(int item_index, bool expanded);
  // Right click or the menu key, at `global`; -1 when not over an item.
  void contextMenuRequested(int item_index, QPoint global);

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  QMimeData* mimeData(const QList<QTreeWidgetItem*>& items) const override;
  QStringList mimeTypes() const override;

 private:
  const QIcon& IconOf(int image) const;

  const SearchTree* tree_ = nullptr;
  std::vector<QTreeWidgetItem*> items_;  // by model item index
  QIcon root_icon_;
  QIcon folder_icon_;
  QIcon archive_icon_;
  QIcon engine_icon_;
  bool syncing_ = false;
};

}  // namespace tolvane
