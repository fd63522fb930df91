#pragma once

#include <filesystem>
#include <string>

#include "core/files/env.h"

namespace tolvane {

// Outcome of InstallEngineList.
struct EngineListInstall {
  enum class Status {
    kInstalled,       // the shipped list was copied into place
    kAlreadyPresent,  // the data directory has a list (or something by that name): untouched
    kNoShippedList,   // nothing to copy: the program starts with no engines
    kFailed,          // shipped list unreadable or damaged, or the copy could not be written
  };
  Status status = Status::kFailed;
  std::string message;  // with kFailed: what went wrong, naming the file (English)

  bool ok() const { return status != Status::kFailed; }
};

// Gives a data directory without an engine list the one shipped with the
// program, so that a first start has shops to search before any update.
//
// `target` (the data directory's vq_search.eng) is never replaced once it
// exists: it may be a newer list from the update server, and a damaged one
// is for the document to report. The shipped file must load as an engine
// list first, since a damaged engine list stops the program's start, while a
// missing one only leaves it without engines. The copy goes through
// Env::ReplaceFile, so a crash never leaves half a list behind.
EngineListInstall InstallEngineList(const std::filesystem::path& shipped,
                                    const std::filesystem::path& target, Env& env);

}  // namespace tolvane
