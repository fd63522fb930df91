#pragma once

#include <functional>
#include <string_view>

#include "core/commands/command_dispatcher.h"
#include "core/commands/command_router.h"
#include "core/search/store_shortcut_owners.h"

namespace tolvane {

class CategoryFolderTree;
class EngineList;
class TabWorkspace;

// The owners of typed shortcuts and gestures in the running program: the
// engine folders and engines of the engine list, the tab groups and tabs of
// the tab list, and the commands of the router. Deleted rows and folders own
// nothing.
//
// What an owner does when its letters are typed or its gesture drawn:
//   engine        searches that shop in the current category with the keyword
//                 of the moment (echoed and counted);
//   engine folder adds the folder as a new category search tab to the shown
//                 group and searches it, as the search tree's folder search;
//   tab group     is chosen in the tab tree, which opens its tabs;
//   tab           is chosen in the tab tree and searched with the keyword.
// Owners that need the tabs do nothing until a workspace is set.
class ListShortcutOwners : public StoreShortcutOwners {
 public:
  // The context a command given now has (its keyword is the one searches
  // take); null: an empty context.
  using ContextSource = std::function<CommandContext()>;

  ListShortcutOwners(const CategoryFolderTree& engine_folders, const EngineList& engines,
                     const CategoryFolderTree& tab_folders, const EngineList& tabs,
                     CommandRouter& router, ContextSource context);

  void set_workspace(TabWorkspace* workspace) { workspace_ = workspace; }

  void RunOwner(OwnerType type, int index) override;
  void RunCommand(CommandId id) override;

 private:
  void SearchEngineFolder(int folder);
  void SearchTab(int record);
  CommandContext Context() const { return context_ ? context_() : CommandContext{}; }

  CommandRouter& router_;
  ContextSource context_;
  TabWorkspace* workspace_ = nullptr;
};

}  // namespace tolvane
