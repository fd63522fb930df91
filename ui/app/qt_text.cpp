#include "ui/app/qt_text.h"

#include <QFile>
#include <QStringView>

#include "core/search/charset_converter.h"
#include "core/search/keyword.h"

namespace tolvane {

QString ToQString(std::string_view sjis) { return QString::fromStdU16String(SjisToUtf16(sjis)); }

std::string ToSjis(const QString& text) {
  const QStringView view(text);
  return Utf16ToSjis(std::u16string_view(view.utf16(), static_cast<std::size_t>(view.size())));
}

Keyword ToKeyword(const QString& text) {
  const QStringView view(text);
  return Keyword::FromUtf16(
      std::u16string_view(view.utf16(), static_cast<std::size_t>(view.size())));
}

QString ToQString(const Keyword& keyword) { return Utf8ToQString(keyword.utf8()); }

QString Utf8ToQString(std::string_view utf8) {
  return QString::fromStdU16String(Utf8ToUtf16(utf8));
}

QString PathToQString(const std::filesystem::path& path) {
  return QFile::decodeName(QByteArray::fromStdString(path.native()));
}

std::filesystem::path QStringToPath(const QString& path) {
  return std::filesystem::path(QFile::encodeName(path).toStdString());
}

}  // namespace tolvane
