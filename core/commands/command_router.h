#pragma once

#include <vector>

#include "core/commands/command_handler.h"

namespace tolvane {

// The one way a command is given: menus, tool bar buttons, keys, typed
// shortcut letters and gestures all call Run with the command's number and
// its context; menus ask State. Each number belongs to one handler.
class CommandRouter {
 public:
  // Adds the handler's numbers. False (and nothing added) when one of them
  // already has a handler: two owners of a number is a wiring fault.
  bool Add(CommandHandler& handler);
  // Removes every number of the handler.
  void Remove(const CommandHandler& handler);

  // The first number of every Add that was refused, in order: empty in a
  // window whose handlers are wired right.
  const std::vector<CommandId>& refused() const { return refused_; }

  bool Handles(CommandId id) const { return Find(id) != nullptr; }
  // Every number with a handler, in order.
  std::vector<CommandSpan> Spans() const;
  // Runs the command when it has a handler and is enabled in this context;
  // false otherwise. `context.command` and `offset` are set here.
  bool Run(CommandId id, CommandContext context = {});
  // Disabled when no handler has the number.
  CommandState State(CommandId id, CommandContext context = {}) const;

 private:
  struct Entry {
    CommandSpan span;
    CommandHandler* handler;
  };
  const Entry* Find(CommandId id) const;

  std::vector<Entry> entries_;  // sorted by span.first, spans never overlap
  std::vector<CommandId> refused_;
};

}  // namespace tolvane
