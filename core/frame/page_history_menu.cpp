#include "core/frame/page_history_menu.h"

#include <algorithm>

#include "core/files/string_table.h"

namespace tolvane {
namespace {

constexpr int kShownPage = 158;  // "表示中のページ"

void AddDirection(std::span<const std::string> titles, CommandId first,
                  std::vector<PageHistoryEntry>& entries) {
  const std::size_t count =
      std::min(titles.size(), static_cast<std::size_t>(kPageHistoryMaxEntries));
  for (std::size_t k = 0; k < count; ++k) {
    entries.push_back({CommandId(first.value() + static_cast<int>(k)),
                       titles[k].empty() ? LoadString(kShownPage) : titles[k], false});
  }
}

}  // namespace

std::vector<PageHistoryEntry> PageHistoryEntries(PageHistoryMenu menu,
                                                 std::span<const std::string> back_titles,
                                                 std::span<const std::string> forward_titles) {
  std::vector<PageHistoryEntry> entries;
  if (menu != PageHistoryMenu::kForward) AddDirection(back_titles, kPageHistoryBackFirst, entries);
  if (menu == PageHistoryMenu::kCombined) {
    entries.push_back({kPageHistoryCurrent, LoadString(kShownPage), true});
  }
  if (menu != PageHistoryMenu::kBack) {
    AddDirection(forward_titles, kPageHistoryForwardFirst, entries);
  }
  return entries;
}

std::optional<int> PageHistoryOffset(CommandId command) {
  const int id = command.value();
  if (id == kPageHistoryCurrent.value()) return 0;
  const int back = id - kPageHistoryBackFirst.value();
  if (back >= 0 && back < kPageHistoryMaxEntries) return -(back + 1);
  const int forward = id - kPageHistoryForwardFirst.value();
  if (forward >= 0 && forward < kPageHistoryMaxEntries) return forward + 1;
  return std::nullopt;
}

}  // namespace tolvane
