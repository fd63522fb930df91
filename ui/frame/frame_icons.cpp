#include "ui/frame/frame_icons.h"

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

}  // namespace tolvane
