#pragma once

#include <vector>

#include "core/commands/command_entry.h"

namespace tolvane {

// The 79 entries of the command table as shipped, in table order (the order
// the option pages list them in).
const std::vector<CommandEntry>& DefaultCommands();

}  // namespace tolvane
