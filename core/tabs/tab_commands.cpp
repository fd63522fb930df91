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
  const auto all = handlers();
  for (std::size_t i = 0; i < all.size(); ++i) {
    if (router.Add(*all[i])) continue;
    for (std::size_t added = 0; added < i; ++added) router.Remove(*all[added]);
    return false;
  }
  return true;
}

void TabCommands::RemoveFrom(CommandRouter& router) {
  for (CommandHandler* handler : handlers()) router.Remove(*handler);
}

}  // namespace tolvane
