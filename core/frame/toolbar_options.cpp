#include "core/frame/toolbar_options.h"

#include <charconv>

#include "core/files/setting_keys.h"

namespace tolvane {
namespace {

std::string_view TrimSpaces(std::string_view text) {
  const std::size_t first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

}  // namespace

std::vector<int> ParseToolbarIcons(std::string_view text) {
  std::vector<int> icons;
  while (icons.size() < ToolbarOptions::kMaxIcons) {
    const std::size_t comma = text.find(',');
    std::string_view entry = TrimSpaces(text.substr(0, comma));
    if (!entry.empty() && entry.front() == '+') entry.remove_prefix(1);
    int value = 0;
    const auto [end, error] = std::from_chars(entry.data(), entry.data() + entry.size(), value);
    if (!entry.empty() && error == std::errc() && end == entry.data() + entry.size() &&
        value >= ToolbarOptions::kSeparator && value < ToolbarOptions::kButtonCount) {
      icons.push_back(value);
    }
    if (comma == std::string_view::npos) break;
    text.remove_prefix(comma + 1);
  }
  return icons;
}

std::string FormatToolbarIcons(std::span<const int> icons) {
  std::string text;
  for (int icon : icons) {
    if (!text.empty()) text += ',';
    text += std::to_string(icon);
  }
  return text;
}

ToolbarOptions ToolbarOptions::Read(const SettingsStore& settings) {
  ToolbarOptions options;
  options.icons = ParseToolbarIcons(tolvane::Read(settings, settings::kToolBarIcons));
  const int show_text = tolvane::Read(settings, settings::kToolBarShowText);
  if (show_text >= 0 && show_text <= 2) options.names = static_cast<ButtonNames>(show_text);
  options.large_icons = tolvane::Read(settings, settings::kToolBarIconSize) != 0;
  options.fixed = tolvane::Read(settings, settings::kToolBarFixToolBar) != 0;
  return options;
}

bool ToolbarOptions::Write(SettingsStore& settings) const {
  bool ok = tolvane::Write(settings, settings::kToolBarIcons, FormatToolbarIcons(icons));
  ok &= tolvane::Write(settings, settings::kToolBarShowText, static_cast<int>(names));
  ok &= tolvane::Write(settings, settings::kToolBarIconSize, large_icons ? 1 : 0);
  ok &= tolvane::Write(settings, settings::kToolBarFixToolBar, fixed ? 1 : 0);
  return ok;
}

}  // namespace tolvane
