#include "ui/base/model_tree_widget.h"

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
  connect(this, &QWidget::customContextMenuRequested, this, [this](const QPoint& pos) {
    emit contextMenuRequested(ItemIndex(itemAt(pos)), viewport()->mapToGlobal(pos));
  });
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
