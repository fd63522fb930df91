#pragma once

#include <QString>
#include <filesystem>
#include <string>
#include <string_view>

namespace tolvane {

class Keyword;

// The only crossing between the program's Shift_JIS text and Qt's UTF-16.
QString ToQString(std::string_view sjis);
std::string ToSjis(const QString& text);

// A search keyword keeps what was typed beside its Shift_JIS form (see
// core/text/keyword.h); the keyword boxes show it as typed.
Keyword ToKeyword(const QString& text);
QString ToQString(const Keyword& keyword);
QString Utf8ToQString(std::string_view utf8);
std::string ToUtf8(const QString& text);

// File names are native (UTF-8) bytes, not program text.
QString PathToQString(const std::filesystem::path& path);
std::filesystem::path QStringToPath(const QString& path);

}  // namespace tolvane
