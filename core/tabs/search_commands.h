#pragma once

#include "core/commands/command_handler.h"
#include "core/tabs/tab_target.h"

namespace tolvane {

// The searches into the category tabs: the current tab (the search bar's
// "検索", Enter), every tab ("まとめて検索") and this tab (the category
// row's double-click and menu, the tree's menu, which select it first). The
// keyword is the one given with the command (`context.keyword`); none is an
// empty keyword, which opens the engines' top pages.
class SearchCommands : public CommandRows<SearchCommands> {
 public:
  explicit SearchCommands(const TabTarget& target);

  static const Row kRows[];

 private:
  void Search(const CommandContext& context);
  void SearchEvery(const CommandContext& context);
  void SearchInTab(const CommandContext& context);
  bool HasTab(const CommandContext& context) const;

  const TabTarget& target_;
};

}  // namespace tolvane
