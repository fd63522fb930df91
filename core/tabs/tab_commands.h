#pragma once

#include "core/tabs/category_tab_commands.h"
#include "core/tabs/page_tab_commands.h"
#include "core/tabs/search_commands.h"
#include "core/tabs/tab_target.h"
#include "core/tabs/tab_tree_commands.h"

namespace tolvane {

class CommandRouter;
class TabWorkspace;

// Every command on tabs, by subject, over one workspace: the handlers the
// main frame's router runs them through, and the plain calls other code
// makes (a new page, a copied tab).
class TabCommands {
 public:
  explicit TabCommands(TabWorkspace& workspace);

  // Adds the four subjects to `router`; false (and none added) when one of
  // their numbers has a handler already.
  bool AddTo(CommandRouter& router);
  void RemoveFrom(CommandRouter& router);

  CategoryTabCommands& categories() { return categories_; }
  PageTabCommands& pages() { return pages_; }

 private:
  TabTarget target_;
  CategoryTabCommands categories_;
  PageTabCommands pages_;
  TabTreeCommands tree_;
  SearchCommands search_;
};

}  // namespace tolvane
