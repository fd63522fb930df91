#include "core/commands/accelerator_table.h"

#include "core/commands/key_name_table.h"

namespace tolvane {

AcceleratorTable::AcceleratorTable(const CommandTable& table) {
  std::size_t added = 0;
  for (const CommandEntry& entry : table.entries()) {
    for (const KeyBinding& binding : entry.keys) {
      if (binding.empty() || LeftToPage(binding)) continue;
      if (added == CommandTable::kMaxAccelerators) return;
      ++added;
      commands_.emplace(Key(binding), entry.id);
    }
  }
}

std::optional<CommandId> AcceleratorTable::Find(KeyBinding binding) const {
  auto it = commands_.find(Key(binding));
  if (it == commands_.end()) return std::nullopt;
  return it->second;
}

bool AcceleratorTable::LeftToPage(KeyBinding binding) {
  if (binding.modifiers != 0) return false;
  switch (binding.key) {
    case vk::kBackspace:
    case vk::kTab:
    case vk::kEnter:
    case vk::kPageUp:
    case vk::kPageDown:
    case vk::kEnd:
    case vk::kHome:
    case vk::kLeft:
    case vk::kUp:
    case vk::kRight:
    case vk::kDown:
    case vk::kDelete:
      return true;
    default:
      return false;
  }
}

}  // namespace tolvane
