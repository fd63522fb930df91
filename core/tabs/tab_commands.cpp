#include "core/tabs/tab_commands.h"

#include "core/commands/command_router.h"

namespace tolvane {

TabCommands::TabCommands(TabWorkspace& workspace)
    : target_(workspace),
      categories_(target_),
      pages_(target_),
      tree_(target_, categories_),
      search_(target_) {}

bool TabCommands::AddTo(CommandRouter& router) {
  CommandHandler* handlers[] = {&categories_, &pages_, &tree_, &search_};
  for (std::size_t i = 0; i < std::size(handlers); ++i) {
    if (router.Add(*handlers[i])) continue;
    for (std::size_t added = 0; added < i; ++added) router.Remove(*handlers[added]);
    return false;
  }
  return true;
}

void TabCommands::RemoveFrom(CommandRouter& router) {
  router.Remove(categories_);
  router.Remove(pages_);
  router.Remove(tree_);
  router.Remove(search_);
}

}  // namespace tolvane
