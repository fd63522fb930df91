#pragma once

#include <QIcon>
#include <QString>
#include <QStyle>

namespace tolvane {

// Icons made once and shared. Making a standard or file icon reads and
// decodes its picture every time, and the tab rows ask for one per page on
// every change of a loading page.
class IconCache {
 public:
  // The application style's standard icon.
  static QIcon Standard(QStyle::StandardPixmap which);
  // The picture in file `path` (a saved favicon). A file rewritten in the
  // run is seen once kMaxFiles other files have been asked for since.
  static QIcon OfFile(const QString& path);

  static constexpr int kMaxFiles = 512;
};

}  // namespace tolvane
