#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/files/settings_store.h"

namespace tolvane {

// Section "OptionToolBar": the standard buttons in order, how their names
// show, the icon size and whether the bands are fixed.
struct ToolbarOptions {
  // ShowText: names under every button, at the right of some buttons (the
  // list style), or none.
  enum class ButtonNames { kUnderAll = 0, kRightOfSome = 1, kNone = 2 };

  std::vector<int> icons;  // button indices, kSeparator between groups
  ButtonNames names = ButtonNames::kRightOfSome;
  bool large_icons = false;  // IconSize: 0 16 px, anything else 24 px
  bool fixed = false;        // FixToolBar: bands without grippers

  static constexpr int kSeparator = -1;
  static constexpr int kButtonCount = 14;  // indices 0..13
  // A bar holds at most this many entries, separators included; a button
  // may be listed more than once.
  static constexpr std::size_t kMaxIcons = 100;

  // A ShowText outside 0..2 reads as the default (1).
  static ToolbarOptions Read(const SettingsStore& settings);
  bool Write(SettingsStore& settings) const;

  int icon_pixels() const { return large_icons ? 24 : 16; }
  // Every button sizes itself to its content unless names show under all.
  bool buttons_fit_content() const { return names != ButtonNames::kUnderAll; }

  friend bool operator==(const ToolbarOptions&, const ToolbarOptions&) = default;
};

// The "Icons" text: indices separated by ",", each an optional sign and
// digits with spaces around. Entries that are not such a number, and numbers
// that are neither a button index nor kSeparator, are left out; those after
// the first kMaxIcons kept are too.
std::vector<int> ParseToolbarIcons(std::string_view text);
std::string FormatToolbarIcons(std::span<const int> icons);

}  // namespace tolvane
