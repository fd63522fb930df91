#include "ui/frame/frame_icons.h"

#include <QFont>
#include <QPainter>
#include <QString>
#include <array>

namespace tolvane {

QIcon FrameIcon(std::string_view name) {
  const QString base = QStringLiteral(":/icons/") +
                       QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size()));
  QIcon icon;
  icon.addFile(base + QStringLiteral("_16.png"), QSize(16, 16));
  icon.addFile(base + QStringLiteral("_24.png"), QSize(24, 24));
  return icon;
}

QIcon StandardButtonIcon(int index) {
  static constexpr std::array<std::string_view, 14> kNames = {
      "back",    "forward", "stop",  "reload", "home", "search", "favorites",
      "keyword", "history", "print", "add",    "clip", "close",  "tab"};
  if (index < 0 || index >= static_cast<int>(kNames.size())) return {};
  return FrameIcon(kNames[static_cast<std::size_t>(index)]);
}

QPixmap ImportancePixmap(int importance, int size) {
  QPixmap pixmap = FrameIcon("favorites").pixmap(size, size);
  if (importance <= 0) return pixmap;
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  const qreal badge = size * 0.6;
  const QRectF corner(size - badge, size - badge, badge, badge);
  painter.setPen(Qt::NoPen);
  painter.setBrush(QColor(0xc0, 0x39, 0x2b));
  painter.drawEllipse(corner);
  QFont font = painter.font();
  font.setBold(true);
  font.setPixelSize(static_cast<int>(badge * 0.85));
  painter.setFont(font);
  painter.setPen(Qt::white);
  painter.drawText(corner, Qt::AlignCenter, QString::number(importance));
  return pixmap;
}

}  // namespace tolvane
