#include "core/tabs/search_commands.h"

#include "core/tabs/tab_workspace.h"

namespace tolvane {

const SearchCommands::Row SearchCommands::kRows[] = {
    {command::kSearch, &SearchCommands::Search},
    {command::kBatchSearch, &SearchCommands::SearchEvery},
    {command::kSearchInTab, &SearchCommands::SearchInTab, &SearchCommands::HasTab},
};

SearchCommands::SearchCommands(const TabTarget& target) : CommandRows(kRows), target_(target) {}

bool SearchCommands::HasTab(const CommandContext& context) const {
  return context.source == CommandSource::kTabTree ? target_.Record(context) >= 0
                                                   : target_.Category(context) >= 0;
}

void SearchCommands::Search(const CommandContext& context) {
  target_.workspace().area().search().SearchCurrentCategory(context.keyword.value_or(Keyword()),
                                                            context);
}

void SearchCommands::SearchEvery(const CommandContext& context) {
  target_.workspace().area().search().SearchEveryCategory(context.keyword.value_or(Keyword()),
                                                          context);
}

void SearchCommands::SearchInTab(const CommandContext& context) {
  if (target_.SelectCategory(context) >= 0) Search(context);
}

}  // namespace tolvane
