#include "ui/sidebar/side_bar_icons.h"

#include <QApplication>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPolygonF>
#include <QStyle>
#include <cmath>
#include <numbers>

#include "core/stores/item_folder_tree.h"
#include "core/stores/store_bar.h"

namespace tolvane {
namespace {

constexpr int kSize = 16;

void DrawMagnifier(QPainter& p) {
  p.setPen(QPen(QColor(0x2a, 0x5d, 0xa8), 2));
  p.drawEllipse(QRectF(2, 2, 8, 8));
  p.setPen(QPen(QColor(0x5a, 0x3a, 0x1a), 3, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(10.5, 10.5), QPointF(14, 14));
}

void DrawTabs(QPainter& p) {
  p.setPen(QPen(QColor(0x40, 0x40, 0x40), 1));
  p.setBrush(QColor(0xc8, 0xd8, 0xf0));
  p.drawRect(QRectF(1.5, 4.5, 9, 8));
  p.setBrush(QColor(0x7f, 0xa8, 0xe0));
  p.drawRect(QRectF(5.5, 2.5, 9, 10));
  p.drawLine(QPointF(5.5, 5.5), QPointF(14.5, 5.5));
}

void DrawStar(QPainter& p) {
  QPolygonF star;
  for (int i = 0; i < 10; ++i) {
    const double radius = i % 2 == 0 ? 7.0 : 3.0;
    const double angle = -std::numbers::pi / 2 + i * std::numbers::pi / 5;
    star << QPointF(8 + radius * std::cos(angle), 8.5 + radius * std::sin(angle));
  }
  p.setPen(QPen(QColor(0xa0, 0x70, 0x00), 1));
  p.setBrush(QColor(0xff, 0xc8, 0x20));
  p.drawPolygon(star);
}

void DrawKey(QPainter& p) {
  p.setPen(QPen(QColor(0x80, 0x60, 0x00), 2));
  p.setBrush(Qt::NoBrush);
  p.drawEllipse(QRectF(1.5, 4.5, 6, 6));
  p.drawLine(QPointF(7.5, 7.5), QPointF(14.5, 7.5));
  p.drawLine(QPointF(12.5, 7.5), QPointF(12.5, 11));
  p.drawLine(QPointF(10, 7.5), QPointF(10, 10));
}

void DrawClock(QPainter& p) {
  p.setPen(QPen(QColor(0x30, 0x60, 0x30), 1.5));
  p.setBrush(QColor(0xf0, 0xf8, 0xf0));
  p.drawEllipse(QRectF(1.5, 1.5, 13, 13));
  p.setPen(QPen(QColor(0x20, 0x20, 0x20), 1.5, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(8, 8), QPointF(8, 4));
  p.drawLine(QPointF(8, 8), QPointF(11, 9.5));
}

}  // namespace

QIcon SideBarPageIcon(int page) {
  void (*const draw[])(QPainter&) = {DrawMagnifier, DrawTabs, DrawStar, DrawKey, DrawClock};
  if (page < 0 || page >= static_cast<int>(std::size(draw))) return {};
  QPixmap pixmap(kSize, kSize);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  draw[page](painter);
  painter.end();
  return QIcon(pixmap);
}

QIcon StoreTreeIcon(int image) {
  // A folder shows its icon + 1, below the trash's own image; pages (the
  // default page image and favicons) come after.
  constexpr int kTrashImage = ItemFolderTree::kTrashIcon + 1;
  QStyle* style = QApplication::style();
  if (image == StoreBar::kRootImage) return style->standardIcon(QStyle::SP_FileDialogContentsView);
  if (image == kTrashImage) return style->standardIcon(QStyle::SP_TrashIcon);
  if (image < kTrashImage) return style->standardIcon(QStyle::SP_DirIcon);
  return style->standardIcon(QStyle::SP_FileIcon);
}

}  // namespace tolvane
