#include "ui/search/tab_tree_images.h"

#include <QApplication>
#include <QHash>
#include <QPainter>
#include <QPixmap>
#include <QStyle>

#include "core/tabs/tab_tree.h"

namespace tolvane {

QIcon IconChoiceImage(int choice) {
  QPixmap pixmap(16, 16);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setBrush(QColor::fromHsv((choice * 47) % 360, 160, 220));
  painter.setPen(QColor::fromHsv((choice * 47) % 360, 200, 140));
  painter.drawEllipse(QRectF(1.5, 1.5, 13, 13));
  return QIcon(pixmap);
}

namespace {

QIcon MakeTabTreeImage(int image) {
  const QStyle& style = *QApplication::style();
  if (image == TabTree::kRootImage) return style.standardIcon(QStyle::SP_DirHomeIcon);
  if (image == TabTree::kGroupImage) return style.standardIcon(QStyle::SP_DirIcon);
  if (image == TabTree::kArchiveImage) return style.standardIcon(QStyle::SP_DriveHDIcon);
  if (image >= TabTree::kTabIconBase) return IconChoiceImage(image - TabTree::kTabIconBase);
  return style.standardIcon(QStyle::SP_FileDialogContentsView);
}

}  // namespace

QIcon TabTreeImage(int image) {
  static QHash<int, QIcon> made;
  auto found = made.constFind(image);
  if (found == made.constEnd()) found = made.insert(image, MakeTabTreeImage(image));
  return *found;
}

}  // namespace tolvane
