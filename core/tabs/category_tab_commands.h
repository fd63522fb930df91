#pragma once

#include "core/commands/command_handler.h"
#include "core/tabs/tab_target.h"

namespace tolvane {

// The commands on category tabs: new, copied, closed (alone or beside this
// one) and edited tabs, and moving the focus along the category row. They
// act on "this tab" (TabTarget) and mostly select it first. A tab closed is
// archived; closed from the archive folder, it comes back to its group.
class CategoryTabCommands : public CommandRows<CategoryTabCommands> {
 public:
  explicit CategoryTabCommands(const TabTarget& target);

  // A new tab record after this tab's one (in the tree's group when the
  // tree names a group), asking for its properties when the settings say
  // so, and shows it.
  void NewTab(const CommandContext& context);
  // A copy of tab record `record` with the pages of the category shown
  // before, shown at once.
  void Duplicate(int record);

  static const Row kRows[];

 private:
  void NewTabBeside(const CommandContext& context);
  void DuplicateThis(const CommandContext& context);
  void EditTab(const CommandContext& context);
  void Close(const CommandContext& context);
  void CloseBeside(const CommandContext& context);
  void MoveFocus(const CommandContext& context);

  bool HasCategory(const CommandContext& context) const;
  bool HasRecord(const CommandContext& context) const;
  // From the tree: a tab item; elsewhere: a category tab.
  bool HasTab(const CommandContext& context) const;

  const TabTarget& target_;
};

}  // namespace tolvane
