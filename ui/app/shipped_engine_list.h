#pragma once

#include <filesystem>

namespace tolvane {

class Env;

// The engine list that ships with the program: beside the executable (a
// build tree, or a program directory that doubles as data directory), else
// in <executable dir>/../share/tolvane (an installed program). Empty when
// neither place has one.
std::filesystem::path FindShippedEngineList(const std::filesystem::path& executable_dir);

// Run before the document loads: a data directory without vq_search.eng
// gets the shipped list, found from QCoreApplication::applicationDirPath().
// A failure is told on stderr only; the program then starts without engines
// until the update brings a list.
void InstallShippedEngineList(const std::filesystem::path& data_dir, Env& env);

}  // namespace tolvane
