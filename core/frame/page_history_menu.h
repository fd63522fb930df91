#pragma once

#include <optional>
#include <span>
#include <string>
#include <vector>

#include "core/commands/command_id.h"

namespace tolvane {

// The drop-down menus of 戻る and 進む and the combined page display history
// menu, built from the page's history titles (Shift_JIS, nearest first).
// Entry k of the back list has command 34000+k, of the forward list
// 34100+k; the combined menu lists the back entries, the shown page
// ("表示中のページ", command 34200, radio-marked), then the forward entries.
// At most 100 entries per direction; an empty title shows "表示中のページ".
struct PageHistoryEntry {
  CommandId command;
  std::string title;
  bool current = false;

  friend bool operator==(const PageHistoryEntry&, const PageHistoryEntry&) = default;
};

enum class PageHistoryMenu { kBack, kForward, kCombined };

inline constexpr CommandId kPageHistoryBackFirst{34000};
inline constexpr CommandId kPageHistoryForwardFirst{34100};
inline constexpr CommandId kPageHistoryCurrent{34200};
inline constexpr int kPageHistoryMaxEntries = 100;

std::vector<PageHistoryEntry> PageHistoryEntries(PageHistoryMenu menu,
                                                 std::span<const std::string> back_titles,
                                                 std::span<const std::string> forward_titles);

// How far a history menu command travels: -(k+1) for back entry k, k+1 for
// forward entry k, 0 for the shown page; nothing for other commands.
std::optional<int> PageHistoryOffset(CommandId command);

}  // namespace tolvane
