#pragma once

#include <span>
#include <vector>

#include "core/commands/command_context.h"

namespace tolvane {

// The numbers a handler answers: one command, or a numbered range
// (34600 + i, …) when `last` is above `first`.
struct CommandSpan {
  CommandId first;
  CommandId last;
};

// One subject's commands (category tabs, page tabs, the tab tree, search,
// the frame, …) behind the router.
class CommandHandler {
 public:
  virtual ~CommandHandler() = default;

  // Every number this handler answers; no two handlers of a router share one.
  virtual std::span<const CommandSpan> Spans() const = 0;
  virtual void Run(const CommandContext& context) = 0;
  virtual CommandState State(const CommandContext& context) const = 0;
};

// A handler whose commands are rows of id → member functions, so the run path
// and the state path of a command are one row and cannot drift apart.
//
//   class PageCommands : public CommandRows<PageCommands> {
//     static constexpr Row kRows[] = {
//         {command::kBack, &PageCommands::Back, &PageCommands::CanGoBack},
//         {CommandId(34000), CommandId(34099), &PageCommands::GoBackTo, &PageCommands::HasBack},
//     };
//     ...
//   };
//
// `enabled` null: always enabled. `checked` null: not a check item.
template <class Subject>
class CommandRows : public CommandHandler {
 public:
  struct Row {
    constexpr Row(CommandId id, void (Subject::*run_fn)(const CommandContext&),
                  bool (Subject::*enabled_fn)(const CommandContext&) const = nullptr,
                  bool (Subject::*checked_fn)(const CommandContext&) const = nullptr)
        : first(id), last(id), run(run_fn), enabled(enabled_fn), checked(checked_fn) {}
    constexpr Row(CommandId first_id, CommandId last_id,
                  void (Subject::*run_fn)(const CommandContext&),
                  bool (Subject::*enabled_fn)(const CommandContext&) const = nullptr,
                  bool (Subject::*checked_fn)(const CommandContext&) const = nullptr)
        : first(first_id), last(last_id), run(run_fn), enabled(enabled_fn), checked(checked_fn) {}

    CommandId first;
    CommandId last;
    void (Subject::*run)(const CommandContext&);
    bool (Subject::*enabled)(const CommandContext&) const;
    bool (Subject::*checked)(const CommandContext&) const;
  };

  std::span<const CommandSpan> Spans() const final { return {spans_.data(), spans_.size()}; }

  void Run(const CommandContext& context) final {
    if (const Row* row = Find(context.command)) (self().*row->run)(context);
  }

  CommandState State(const CommandContext& context) const final {
    const Row* row = Find(context.command);
    if (row == nullptr) return {};
    CommandState state;
    state.enabled = row->enabled == nullptr || (self().*row->enabled)(context);
    state.checked = row->checked != nullptr && (self().*row->checked)(context);
    return state;
  }

 protected:
  explicit CommandRows(std::span<const Row> rows) : rows_(rows) {
    spans_.reserve(rows.size());
    for (const Row& row : rows) spans_.push_back({row.first, row.last});
  }

 private:
  const Row* Find(CommandId id) const {
    for (const Row& row : rows_) {
      if (row.first <= id && id <= row.last) return &row;
    }
    return nullptr;
  }
  Subject& self() { return static_cast<Subject&>(*this); }
  const Subject& self() const { return static_cast<const Subject&>(*this); }

  std::span<const Row> rows_;
  std::vector<CommandSpan> spans_;
};

}  // namespace tolvane
