#include "ui/tabs/tab_tree_ctrl.h"

#include <QDataStream>
#include <QMap>
#include <QMimeData>
#include <QStyle>
#include <QVariant>

#include "core/tabs/tab_tree.h"
#include "ui/base/qt_text.h"
#include "ui/search/engine_item_mime.h"
#include "ui/search/tab_tree_images.h"

namespace tolvane {
namespace {

// The model image an item was made with: an item whose image changes (a tab
// turned group, an archived group) is made anew, icon and drag flags too.
constexpr int kImageRole = Qt::UserRole + 1;

// Each item by its model image (a tab by its icon choice); pages alike.
QIcon ItemIcon(const QStyle& style, const TabTreeItem& item) {
  if (item.kind == TabTreeItem::Kind::kPage) return style.standardIcon(QStyle::SP_FileIcon);
  return TabTreeImage(item.image);
}

// The model item of the widget item a drag carries: QTreeWidget writes each
// dragged item's roles into the item-model mime format.
int DraggedItem(const QMimeData* mime) {
  const QString format = QStringLiteral("application/x-qabstractitemmodeldatalist");
  if (mime == nullptr || !mime->hasFormat(format)) return -1;
  QByteArray data = mime->data(format);
  QDataStream stream(&data, QIODevice::ReadOnly);
  int row = 0;
  int column = 0;
  QMap<int, QVariant> roles;
  stream >> row >> column >> roles;
  if (stream.status() != QDataStream::Ok) return -1;
  bool ok = false;
  const int index = roles.value(Qt::UserRole).toInt(&ok);
  return ok ? index : -1;
}

}  // namespace

CTabTreeCtrl::CTabTreeCtrl(QWidget* parent) : ModelTreeWidget(parent) {
  setObjectName(QStringLiteral("tabTree"));
  setDragDropMode(QAbstractItemView::InternalMove);
  setDropIndicatorShown(true);
}

void CTabTreeCtrl::Rebuild(const TabTree& tree) {
  const Syncing quiet(*this);
  clear();
  items_.assign(static_cast<std::size_t>(tree.size()), nullptr);
  if (tree.root() >= 0) AddItem(tree, tree.root(), nullptr);
  ApplyState(tree);
}

void CTabTreeCtrl::AddItem(const TabTree& tree, int index, QTreeWidgetItem* parent) {
  const TabTreeItem& model = tree.item(index);
  auto* item = parent != nullptr ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(this);
  item->setData(0, Qt::UserRole, index);
  item->setData(0, kImageRole, model.image);
  // Only tabs and groups move; anything takes a drop (a page stands for
  // its tab).
  const bool movable =
      model.kind == TabTreeItem::Kind::kTab || model.kind == TabTreeItem::Kind::kGroup;
  item->setFlags(movable ? item->flags() | Qt::ItemIsDragEnabled
                         : item->flags() & ~Qt::ItemIsDragEnabled);
  item->setIcon(0, ItemIcon(*style(), model));
  items_[static_cast<std::size_t>(index)] = item;
  for (int child : model.children) AddItem(tree, child, item);
}

void CTabTreeCtrl::SyncSelection(const TabTree& tree) {
  if (!SameShape(tree)) {
    Rebuild(tree);
    return;
  }
  const Syncing quiet(*this);
  ApplyState(tree);
}

bool CTabTreeCtrl::SameShape(const TabTree& tree) const {
  if (static_cast<std::size_t>(tree.size()) != items_.size()) return false;
  for (int i = 0; i < tree.size(); ++i) {
    const QTreeWidgetItem* item = WidgetItem(i);
    if (item == nullptr || item->parent() != WidgetItem(tree.item(i).parent) ||
        item->data(0, kImageRole).toInt() != tree.item(i).image) {
      return false;
    }
  }
  return true;
}

void CTabTreeCtrl::dropEvent(QDropEvent* event) {
  const QString search_item = QString::fromLatin1(kEngineItemMimeType);
  if (event->source() != this && event->mimeData()->hasFormat(search_item)) {
    const int target = ItemIndex(itemAt(event->position().toPoint()));
    event->setDropAction(Qt::CopyAction);
    event->accept();
    stopAutoScroll();
    setState(NoState);
    if (target >= 0) emit searchItemDropped(event->mimeData()->data(search_item), target);
    return;
  }
  if (event->source() != this) {
    event->ignore();
    return;
  }
  DropOwnItem(*event);
}

// Items of the search tree are taken as copies; their drops never move
// anything of this tree.
void CTabTreeCtrl::dragEnterEvent(QDragEnterEvent* event) {
  if (event->mimeData()->hasFormat(QString::fromLatin1(kEngineItemMimeType))) {
    event->setDropAction(Qt::CopyAction);
    event->accept();
    return;
  }
  QTreeWidget::dragEnterEvent(event);
}

void CTabTreeCtrl::dragMoveEvent(QDragMoveEvent* event) {
  if (event->mimeData()->hasFormat(QString::fromLatin1(kEngineItemMimeType))) {
    QTreeWidget::dragMoveEvent(event);  // auto-scroll and the drop indicator
    event->setDropAction(Qt::CopyAction);
    event->accept();
    return;
  }
  QTreeWidget::dragMoveEvent(event);
}

void CTabTreeCtrl::DropOwnItem(QDropEvent& event) {
  const int dragged = DraggedItem(event.mimeData());
  const int target = ItemIndex(itemAt(event.position().toPoint()));
  // Accepted without an action, so the drag does not remove the item
  // either; the view ends its drag state as its own drop would.
  event.setDropAction(Qt::IgnoreAction);
  event.accept();
  stopAutoScroll();
  setState(NoState);
  viewport()->update();
  // Last: the model's rebuild replaces every item.
  if (dragged >= 0 && target >= 0 && dragged != target) emit itemDropped(dragged, target);
}

void CTabTreeCtrl::ApplyState(const TabTree& tree) {
  for (int i = 0; i < tree.size(); ++i) {
    const TabTreeItem& model = tree.item(i);
    QTreeWidgetItem* item = WidgetItem(i);
    if (item == nullptr) continue;  // not reachable from the root
    item->setText(0, ToQString(model.text));
    if (item->font(0).bold() != model.bold) {
      QFont font = item->font(0);
      font.setBold(model.bold);
      item->setFont(0, font);
    }
    item->setExpanded(model.expanded);
  }
  if (QTreeWidgetItem* selected = WidgetItem(tree.selected())) {
    setCurrentItem(selected);
    scrollToItem(selected);
  } else {
    setCurrentItem(nullptr);
  }
}

}  // namespace tolvane
