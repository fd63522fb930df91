#pragma once

#include <string>
#include <string_view>

#include "core/commands/command_dispatcher.h"

namespace tolvane {

class CategoryFolderTree;
class EngineList;

// The typed shortcuts and gestures of the engine folders, engines, tab
// groups and tabs, read from their stores, for the checks of the engine and
// tab dialogs (CommandDispatcher::CheckItemFields). Deleted rows and
// folders own nothing. Running an owner is the frame's (ListShortcutOwners);
// here it does nothing, so a dispatcher made on these owners is for checks.
class StoreShortcutOwners : public ShortcutOwners {
 public:
  StoreShortcutOwners(const CategoryFolderTree& engine_folders, const EngineList& engines,
                      const CategoryFolderTree& tab_folders, const EngineList& tabs)
      : engine_folders_(engine_folders),
        engines_(engines),
        tab_folders_(tab_folders),
        tabs_(tabs) {}

  int OwnerCount(OwnerType type) const override;
  std::string_view OwnerField(OwnerType type, int index, MatchKind kind) const override;
  // The tree's name of a folder, the name of an engine or tab.
  std::string OwnerName(OwnerType type, int index) const override;
  void RunOwner(OwnerType, int) override {}
  void RunCommand(CommandId) override {}

 protected:
  const CategoryFolderTree& engine_folders_;
  const EngineList& engines_;
  const CategoryFolderTree& tab_folders_;
  const EngineList& tabs_;
};

}  // namespace tolvane
