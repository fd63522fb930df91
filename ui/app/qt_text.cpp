#include "ui/app/qt_text.h"

#include <QFile>
#include <QStringView>

#include "core/search/charset_converter.h"

namespace tolvane {

QString ToQString(std::string_view sjis) { return QString::fromStdU16String(SjisToUtf16(sjis)); }

std::string ToSjis(const QString& text) {
  const QStringView view(text);
  return Utf16ToSjis(std::u16string_view(view.utf16(), static_cast<std::size_t>(view.size())));
}

QString PathToQString(const std::filesystem::path& path) {
  return QFile::decodeName(QByteArray::fromStdString(path.native()));
}

std::filesystem::path QStringToPath(const QString& path) {
  return std::filesystem::path(QFile::encodeName(path).toStdString());
}

}  // namespace tolvane
