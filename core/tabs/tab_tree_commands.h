#pragma once

#include "core/commands/command_handler.h"
#include "core/tabs/tab_target.h"

namespace tolvane {

class CategoryTabCommands;
struct TabTreeItem;

// The commands of the tab tree's menu on tab records and groups: copy a
// tab, delete a tab, every tab of a group, or a group; file a group in the
// archive folder or take it back out. Deleting asks first unless given on
// the category row. The archive folder and the last group outside it are
// never deleted nor archived: a set-up without a group has nowhere to put a
// new tab but the archive.
class TabTreeCommands : public CommandRows<TabTreeCommands> {
 public:
  TabTreeCommands(const TabTarget& target, CategoryTabCommands& categories);

  static const Row kRows[];

 private:
  void CopyTab(const CommandContext& context);
  void DeleteTab(const CommandContext& context);
  void DeleteAllTabs(const CommandContext& context);
  void DeleteGroup(const CommandContext& context);
  void ToggleGroupArchived(const CommandContext& context);

  bool HasRecord(const CommandContext& context) const;
  bool HasGroup(const CommandContext& context) const;
  // The tree item is a group that may be deleted: not the archive folder,
  // and some group outside the archive stays.
  bool MayDeleteGroup(const CommandContext& context) const;
  // A group filed in the archive may always come back; one outside it goes
  // in as it could be deleted.
  bool MayArchiveGroup(const CommandContext& context) const;
  // After a delete: the neighbour of the deleted item, or its parent group.
  void SelectNext(const TabTreeItem& next);

  const TabTarget& target_;
  CategoryTabCommands& categories_;
};

}  // namespace tolvane
