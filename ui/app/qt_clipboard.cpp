#include "ui/app/qt_clipboard.h"

#include <QClipboard>
#include <QGuiApplication>

#include "ui/app/qt_text.h"

namespace tolvane {

void QtClipboard::SetText(const std::string& text) {
  QGuiApplication::clipboard()->setText(ToQString(text));
}

}  // namespace tolvane
