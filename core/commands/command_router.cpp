#include "core/commands/command_router.h"

#include <algorithm>

namespace tolvane {

bool CommandRouter::Add(CommandHandler& handler) {
  const auto spans = handler.Spans();
  for (const CommandSpan& span : spans) {
    bool overlaps = Find(span.first) != nullptr || Find(span.last) != nullptr;
    for (const Entry& entry : entries_) {
      overlaps = overlaps || (span.first <= entry.span.first && entry.span.last <= span.last);
    }
    if (overlaps) {
      refused_.push_back(span.first);
      return false;
    }
  }
  for (const CommandSpan& span : spans) {
    const auto at =
        std::upper_bound(entries_.begin(), entries_.end(), span.first,
                         [](CommandId id, const Entry& entry) { return id < entry.span.first; });
    entries_.insert(at, {span, &handler});
  }
  return true;
}

void CommandRouter::Remove(const CommandHandler& handler) {
  std::erase_if(entries_, [&](const Entry& entry) { return entry.handler == &handler; });
}

std::vector<CommandSpan> CommandRouter::Spans() const {
  std::vector<CommandSpan> spans;
  spans.reserve(entries_.size());
  for (const Entry& entry : entries_) spans.push_back(entry.span);
  return spans;
}

const CommandRouter::Entry* CommandRouter::Find(CommandId id) const {
  auto at =
      std::upper_bound(entries_.begin(), entries_.end(), id,
                       [](CommandId key, const Entry& entry) { return key < entry.span.first; });
  if (at == entries_.begin()) return nullptr;
  --at;
  return id <= at->span.last ? &*at : nullptr;
}

bool CommandRouter::Run(CommandId id, CommandContext context) {
  const Entry* entry = Find(id);
  if (entry == nullptr) return false;
  context.command = id;
  context.offset = id.value() - entry->span.first.value();
  if (!entry->handler->State(context).enabled) return false;
  entry->handler->Run(context);
  return true;
}

CommandState CommandRouter::State(CommandId id, CommandContext context) const {
  const Entry* entry = Find(id);
  if (entry == nullptr) return {};
  context.command = id;
  context.offset = id.value() - entry->span.first.value();
  return entry->handler->State(context);
}

}  // namespace tolvane
