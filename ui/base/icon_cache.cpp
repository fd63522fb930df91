#include "ui/base/icon_cache.h"

#include <QApplication>
#include <QHash>

namespace tolvane {

QIcon IconCache::Standard(QStyle::StandardPixmap which) {
  static QHash<int, QIcon> made;
  auto found = made.constFind(which);
  if (found == made.constEnd()) {
    found = made.insert(which, QApplication::style()->standardIcon(which));
  }
  return *found;
}

QIcon IconCache::OfFile(const QString& path) {
  static QHash<QString, QIcon> made;
  auto found = made.constFind(path);
  if (found != made.constEnd()) return *found;
  // A long run with many shops starts over rather than growing.
  if (made.size() >= kMaxFiles) made.clear();
  return *made.insert(path, QIcon(path));
}

}  // namespace tolvane
