#include "ui/sidebar/search_tree_ctrl.h"

#include <QMimeData>
#include <QStyle>

#include "core/search/search_tree.h"
#include "ui/base/qt_text.h"
#include "ui/search/engine_item_mime.h"

namespace tolvane {

CSearchTreeCtrl::CSearchTreeCtrl(QWidget* parent) : ModelTreeWidget(parent) {
  setObjectName(QStringLiteral("searchTree"));
  setDragDropMode(QAbstractItemView::DragOnly);
  setUniformRowHeights(true);
  root_icon_ = style()->standardIcon(QStyle::SP_FileDialogContentsView);
  folder_icon_ = style()->standardIcon(QStyle::SP_DirIcon);
  archive_icon_ = style()->standardIcon(QStyle::SP_DriveHDIcon);
  engine_icon_ = style()->standardIcon(QStyle::SP_FileIcon);
}

// Favicons and the chosen icons of engines are drawn with one picture
// until the favicon cache gives the tree its images.
const QIcon& CSearchTreeCtrl::IconOf(int image) const {
  switch (image) {
    case SearchTree::kRootImage:
      return root_icon_;
    case SearchTree::kFolderImage:
      return folder_icon_;
    case SearchTree::kArchiveImage:
      return archive_icon_;
    default:
      return engine_icon_;
  }
}

void CSearchTreeCtrl::Rebuild(const SearchTree& tree) {
  const Syncing quiet(*this);
  tree_ = &tree;
  setUpdatesEnabled(false);
  clear();
  items_.assign(static_cast<std::size_t>(tree.size()), nullptr);
  // Children are made before they join their parent, and the top item joins
  // the widget last: one insertion instead of one per item.
  for (int i = 0; i < tree.size(); ++i) {
    const SearchTreeItem& model = tree.item(i);
    auto* item = new QTreeWidgetItem;
    item->setData(0, Qt::UserRole, i);
    item->setText(0, ToQString(model.text));
    item->setIcon(0, IconOf(model.image));
    if (model.kind == SearchTreeItem::Kind::kRoot) {
      item->setFlags(item->flags() & ~Qt::ItemIsDragEnabled);
    }
    items_[static_cast<std::size_t>(i)] = item;
  }
  for (int i = 0; i < tree.size(); ++i) {
    const SearchTreeItem& model = tree.item(i);
    if (model.children.empty()) continue;
    QList<QTreeWidgetItem*> children;
    children.reserve(static_cast<qsizetype>(model.children.size()));
    for (int child : model.children) children.append(items_[static_cast<std::size_t>(child)]);
    items_[static_cast<std::size_t>(i)]->addChildren(children);
  }
  if (tree.root() >= 0) addTopLevelItem(items_[static_cast<std::size_t>(tree.root())]);
  ApplyState(tree);
  setUpdatesEnabled(true);
}

void CSearchTreeCtrl::ApplyState(const SearchTree& tree) {
  if (static_cast<std::size_t>(tree.size()) != items_.size()) {
    Rebuild(tree);
    return;
  }
  const Syncing quiet(*this);
  for (int i = 0; i < tree.size(); ++i) {
    const SearchTreeItem& model = tree.item(i);
    if (!model.children.empty()) items_[static_cast<std::size_t>(i)]->setExpanded(model.expanded);
  }
  if (QTreeWidgetItem* selected = WidgetItem(tree.selected())) {
    setCurrentItem(selected);
    scrollToItem(selected);
  }
}

QStringList CSearchTreeCtrl::mimeTypes() const {
  return {QString::fromLatin1(kEngineItemMimeType)};
}

QMimeData* CSearchTreeCtrl::mimeData(const QList<QTreeWidgetItem*>& items) const {
  if (items.isEmpty() || tree_ == nullptr) return nullptr;
  const std::string token = tree_->Token(ItemIndex(items.front()));
  if (token.empty()) return nullptr;
  auto* mime = new QMimeData;
  mime->setData(QString::fromLatin1(kEngineItemMimeType), QByteArray::fromStdString(token));
  return mime;
}

}  // namespace tolvane
