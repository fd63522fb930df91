#include "ui/base/qt_clipboard.h"

#include <QClipboard>
#include <QGuiApplication>

#include "ui/base/qt_text.h"

namespace tolvane {

void QtClipboard::SetText(const std::string& utf8) {
  QGuiApplication::clipboard()->setText(Utf8ToQString(utf8));
}

}  // namespace tolvane
