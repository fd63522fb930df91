#include "core/frame/page_history_commands.h"

#include <cstdlib>

#include "core/browser/page_host.h"
#include "core/frame/page_history_menu.h"

namespace tolvane {

const PageHistoryCommands::Row PageHistoryCommands::kRows[] = {
    {kPageHistoryBackFirst, CommandId(kPageHistoryBackFirst.value() + kPageHistoryMaxEntries - 1),
     &PageHistoryCommands::Travel, &PageHistoryCommands::HasEntry},
    {kPageHistoryForwardFirst,
     CommandId(kPageHistoryForwardFirst.value() + kPageHistoryMaxEntries - 1),
     &PageHistoryCommands::Travel, &PageHistoryCommands::HasEntry},
    {kPageHistoryCurrent, &PageHistoryCommands::Stay, &PageHistoryCommands::Shown,
     &PageHistoryCommands::Shown},
};

PageHistoryCommands::PageHistoryCommands(std::function<PageHost*()> active_page)
    : CommandRows(kRows), active_page_(std::move(active_page)) {}

void PageHistoryCommands::Travel(const CommandContext& context) {
  if (!HasEntry(context)) return;
  active_page_()->GoToHistoryOffset(*PageHistoryOffset(context.command));
}

bool PageHistoryCommands::HasEntry(const CommandContext& context) const {
  const PageHost* page = active_page_();
  const std::optional<int> offset = PageHistoryOffset(context.command);
  if (page == nullptr || !offset || *offset == 0) return false;
  const PageHistory history = page->History();
  const auto& entries = *offset < 0 ? history.back : history.forward;
  return static_cast<std::size_t>(std::abs(*offset)) <= entries.size();
}

bool PageHistoryCommands::Shown(const CommandContext&) const { return active_page_() != nullptr; }

}  // namespace tolvane
