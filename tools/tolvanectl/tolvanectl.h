#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace tolvane {

// The command-line companion: checks, converts and inspects data
// directories. `args` excludes the program name; text arguments and output
// are UTF-8. Returns the process exit code.
int RunTolvanectl(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace tolvane
