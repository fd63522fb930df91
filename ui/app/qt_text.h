#pragma once

#include <QString>
#include <filesystem>
#include <string>
#include <string_view>

namespace tolvane {

// The only crossing between the program's Shift_JIS text and Qt's UTF-16.
QString ToQString(std::string_view sjis);
std::string ToSjis(const QString& text);

// File names are native (UTF-8) bytes, not program text.
QString PathToQString(const std::filesystem::path& path);
std::filesystem::path QStringToPath(const QString& path);

}  // namespace tolvane
