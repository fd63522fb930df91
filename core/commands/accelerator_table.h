#pragma once

#include <cstdint>
#include <optional>
#include <unordered_map>

#include "core/commands/command_entry.h"
#include "core/commands/command_table.h"

namespace tolvane {

// The key bindings that become commands before any window sees the key:
// every binding of the command table except a key without modifiers that
// belongs to the page or the focused field (Backspace, Tab, Enter, PageUp,
// PageDown, End, Home, the arrows, Delete). At most
// CommandTable::kMaxAccelerators; when two entries have the same binding the
// first in table order wins. Rebuilt from the table after every change.
class AcceleratorTable {
 public:
  AcceleratorTable() = default;
  explicit AcceleratorTable(const CommandTable& table);

  std::optional<CommandId> Find(KeyBinding binding) const;
  std::size_t size() const { return commands_.size(); }

  // True for an unmodified key that is left to the page or field.
  static bool LeftToPage(KeyBinding binding);

 private:
  static std::uint32_t Key(KeyBinding binding) {
    return static_cast<std::uint32_t>(binding.modifiers) << 16 |
           static_cast<std::uint32_t>(binding.key);
  }

  std::unordered_map<std::uint32_t, CommandId> commands_;
};

}  // namespace tolvane
