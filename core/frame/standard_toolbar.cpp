#include "core/frame/standard_toolbar.h"

#include <string_view>

#include "core/commands/command_id.h"
#include "core/text/charset_converter.h"

namespace tolvane {
namespace {

struct ButtonEntry {
  CommandId command;
  std::string_view name;  // UTF-8
  bool drop_down;
  bool named_in_list_style;
};

// Indexed by the button index stored in "Icons".
constexpr ButtonEntry kButtons[ToolbarOptions::kButtonCount] = {
    {command::kBack, "戻る", true, false},
    {command::kForward, "進む", true, false},
    {command::kStop, "中止", false, false},
    {command::kReload, "更新", false, false},
    {command::kHome, "ホーム", false, false},
    {command::kShowSearchTree, "検索", false, true},
    {command::kShowFavoritesTree, "お気に入り", false, true},
    {command::kShowKeywordTree, "キーワード", false, true},
    {command::kShowHistoryTree, "履歴", false, true},
    {command::kPrint, "印刷", false, false},
    {command::kAddFavorite, "追加", true, false},
    {command::kPageClip, "ページクリップ", false, false},
    {command::kClosePage, "閉じる", false, false},
    {command::kShowTabTree, "タブ", false, true},
};

}  // namespace

ToolbarButton StandardButton(int index) {
  if (index < 0 || index >= ToolbarOptions::kButtonCount) return {};
  const ButtonEntry& entry = kButtons[index];
  return {index, entry.command, Utf8ToSjis(entry.name), entry.drop_down, true};
}

std::vector<ToolbarButton> StandardToolbar(const ToolbarOptions& options) {
  std::vector<ToolbarButton> buttons;
  for (int index : options.icons) {
    ToolbarButton button = StandardButton(index);
    if (!button.separator()) {
      switch (options.names) {
        case ToolbarOptions::ButtonNames::kUnderAll:
          break;
        case ToolbarOptions::ButtonNames::kRightOfSome:
          button.shows_name = kButtons[index].named_in_list_style;
          break;
        case ToolbarOptions::ButtonNames::kNone:
          button.shows_name = false;
          break;
      }
    }
    buttons.push_back(std::move(button));
  }
  return buttons;
}

std::string DescribeToolbar(const std::vector<ToolbarButton>& buttons) {
  std::string text;
  for (const ToolbarButton& button : buttons) {
    if (!text.empty()) text += ' ';
    if (button.separator()) {
      text += '|';
      continue;
    }
    text += SjisToUtf8(button.name) + "(" + std::to_string(button.command.value()) + ")";
    if (button.drop_down) text += 'v';
    if (button.shows_name) text += '*';
  }
  return text;
}

}  // namespace tolvane
