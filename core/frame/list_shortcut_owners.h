#pragma once

#include <functional>
#include <string_view>

#include "core/commands/command_dispatcher.h"
#include "core/commands/command_router.h"
#include "core/text/keyword.h"

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
//   engine        searches that shop in the current category with the search
//                 bar's keyword (the keyword is echoed and counted);
//   engine folder adds the folder as a new category search tab to the shown
//                 group and searches it, as the search tree's folder search;
//   tab group     is chosen in the tab tree, which opens its tabs;
//   tab           is chosen in the tab tree and searched with the keyword.
// Owners that need the tabs do nothing until a workspace is set.
class ListShortcutOwners : public ShortcutOwners {
 public:
  using KeywordSource = std::function<Keyword()>;

  ListShortcutOwners(const CategoryFolderTree& engine_folders, const EngineList& engines,
                     const CategoryFolderTree& tab_folders, const EngineList& tabs,
                     CommandRouter& router, KeywordSource keyword);

  void set_workspace(TabWorkspace* workspace) { workspace_ = workspace; }

  int OwnerCount(OwnerType type) const override;
  std::string_view OwnerField(OwnerType type, int index, MatchKind kind) const override;
  void RunOwner(OwnerType type, int index) override;
  void RunCommand(CommandId id) override;

 private:
  void SearchEngineFolder(int folder);
  void SearchTab(int record);

  const CategoryFolderTree& engine_folders_;
  const EngineList& engines_;
  const CategoryFolderTree& tab_folders_;
  const EngineList& tabs_;
  CommandRouter& router_;
  KeywordSource keyword_;
  TabWorkspace* workspace_ = nullptr;
};

}  // namespace tolvane
