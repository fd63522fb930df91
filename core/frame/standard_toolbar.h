#pragma once

#include <string>
#include <vector>

#include "core/commands/command_id.h"
#include "core/frame/toolbar_options.h"

namespace tolvane {

// One entry of the standard tool bar: a button or a separator.
struct ToolbarButton {
  int index = ToolbarOptions::kSeparator;  // the button's index in "Icons"
  CommandId command;                       // none for a separator
  std::string name;                        // Shift_JIS
  bool drop_down = false;                  // back, forward and 追加 open a menu
  bool shows_name = false;                 // the name is drawn with the icon

  bool separator() const { return index == ToolbarOptions::kSeparator; }
};

// The standard tool bar built from the options: the buttons of "Icons" in
// order. Names show on every button (names under all), on 検索, お気に入り,
// キーワード, 履歴 and タブ (names at the right of some), or on none.
std::vector<ToolbarButton> StandardToolbar(const ToolbarOptions& options);

// The button of an index 0..13 (its name shown); a separator otherwise.
ToolbarButton StandardButton(int index);

// "戻る(32791)v* | 中止(32794)" in UTF-8: "v" a drop-down, "*" a shown
// name, "|" a separator.
std::string DescribeToolbar(const std::vector<ToolbarButton>& buttons);

}  // namespace tolvane
