#include "ui/base/qt_text.h"

#include <QFile>
#include <QStringView>

#include "core/text/charset_converter.h"
#include "core/text/keyword.h"

namespace tolvane {
namespace {

std::u16string_view Utf16Of(const QString& text) {
  const QStringView view(text);
  return {view.utf16(), static_cast<std::size_t>(view.size())};
}

}  // namespace

QString ToQString(std::string_view sjis) { return QString::fromStdU16String(SjisToUtf16(sjis)); }

std::string ToSjis(const QString& text) { return Utf16ToSjis(Utf16Of(text)); }

Keyword ToKeyword(const QString& text) { return Keyword::FromUtf16(Utf16Of(text)); }

QString ToQString(const Keyword& keyword) { return Utf8ToQString(keyword.utf8()); }

QString Utf8ToQString(std::string_view utf8) {
  return QString::fromStdU16String(Utf8ToUtf16(utf8));
}

std::string ToUtf8(const QString& text) { return Utf16ToUtf8(Utf16Of(text)); }

QString PathToQString(const std::filesystem::path& path) {
  return QFile::decodeName(QByteArray::fromStdString(path.native()));
}

std::filesystem::path QStringToPath(const QString& path) {
  return std::filesystem::path(QFile::encodeName(path).toStdString());
}

}  // namespace tolvane
