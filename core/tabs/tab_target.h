#pragma once

#include <optional>

#include "core/commands/command_context.h"

namespace tolvane {

class PageHost;
class TabWorkspace;

// What a tab command is about, read from its context: "this tab" is the
// category tab of `context.category` (from the category row), the tab of
// the tree item (from the tab tree) or else the current one; "this page" is
// page `context.page` of the current category, else its current page; the
// tree item is `context.tree_item`, else the tree's selection. Opening a
// menu changes nothing: the target travels with the command.
class TabTarget {
 public:
  explicit TabTarget(TabWorkspace& workspace) : ws_(workspace) {}

  TabWorkspace& workspace() const { return ws_; }

  // The tree item; -1 when none.
  int TreeItem(const CommandContext& context) const;
  // "This tab": bar index, or -1 (a tree item whose tab is not shown).
  int Category(const CommandContext& context) const;
  // The tab record the command is about (the tree item's from the tree).
  int Record(const CommandContext& context) const;
  // Selects this tab; from the tree, a tab not shown is chosen first, as a
  // click on it would (which rebuilds the tree: `context.tree_item` may then
  // name another item). Returns the current category, or -1.
  int SelectCategory(const CommandContext& context) const;
  // Group folder index of the tree item (a group, or a tab's or page's
  // group); -1 when none.
  int Group(const CommandContext& context) const;
  // "This page" in the current category; -1 / null when none.
  int Page(const CommandContext& context) const;
  PageHost* Host(const CommandContext& context) const;

  // Where a new tab record goes: beside the tab the command is about (its
  // group and Order), at the end of the selected group, of the group shown
  // or of the first tab's group. Nullopt when there is no tab at all.
  struct NewTabPlace {
    int group_id = 0;
    int order = 0;
  };
  std::optional<NewTabPlace> PlaceForNewTab(const CommandContext& context) const;

  // The tabs (or pages) a "close …" command picks beside this one.
  enum class Side { kRight, kLeft, kOthers, kAll };
  static bool Picks(Side side, int index, int self) {
    return side == Side::kAll || (side == Side::kRight && index > self) ||
           (side == Side::kLeft && index < self) || (side == Side::kOthers && index != self);
  }

  // The same command about the tree item of `context`.
  static CommandContext InTree(const CommandContext& context);

 private:
  TabWorkspace& ws_;
};

}  // namespace tolvane
