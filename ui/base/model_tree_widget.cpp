#include "ui/base/model_tree_widget.h"

#include <QApplication>
#include <QMouseEvent>

namespace tolvane {

ModelTreeWidget::ModelTreeWidget(QWidget* parent) : QTreeWidget(parent) {
  setHeaderHidden(true);
  setColumnCount(1);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setContextMenuPolicy(Qt::CustomContextMenu);
  connect(this, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* current) {
    if (!syncing_ && current != nullptr) emit itemChosen(ItemIndex(current));
  });
  connect(this, &QTreeWidget::itemExpanded, this, [this](QTreeWidgetItem* item) {
    if (!syncing_) emit expandedChanged(ItemIndex(item), true);
  });
  connect(this, &QTreeWidget::itemCollapsed, this, [this](QTreeWidgetItem* item) {
    if (!syncing_) emit expandedChanged(ItemIndex(item), false);
  });
  connect(this, &QWidget::customContextMenuRequested, this, &ModelTreeWidget::OpenMenu);
}

// The item right-clicked is lit while its menu is open, without telling the
// model; after it, the tree shows the model's selection again, unless a
// command had the model shown meanwhile.
void ModelTreeWidget::OpenMenu(const QPoint& pos) {
  const int clicked = ItemIndex(itemAt(pos));
  const int before = ItemIndex(currentItem());
  if (clicked >= 0 && clicked != before) {
    const Syncing quiet(*this);
    setCurrentItem(WidgetItem(clicked));
  }
  const int syncs = syncs_;
  emit contextMenuRequested(clicked, viewport()->mapToGlobal(pos));
  if (clicked >= 0 && clicked != before && syncs_ == syncs &&
      QApplication::activePopupWidget() == nullptr) {
    const Syncing quiet(*this);
    setCurrentItem(WidgetItem(before));
  }
}

int ModelTreeWidget::ItemIndex(const QTreeWidgetItem* item) {
  if (item == nullptr) return -1;
  bool ok = false;
  const int index = item->data(0, Qt::UserRole).toInt(&ok);
  return ok ? index : -1;
}

QTreeWidgetItem* ModelTreeWidget::WidgetItem(int item_index) const {
  if (item_index < 0 || static_cast<std::size_t>(item_index) >= items_.size()) return nullptr;
  return items_[static_cast<std::size_t>(item_index)];
}

void ModelTreeWidget::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::RightButton) {
    event->accept();  // the context menu event follows on its own
    return;
  }
  QTreeWidget::mousePressEvent(event);
}

}  // namespace tolvane
