#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "core/files/store_type.h"

namespace tolvane {

// One store file that a save left as it was, and why.
struct StoreSaveFailure {
  StoreType store;
  std::filesystem::path file;
  std::string reason;  // English, as the system gave it
};

// What one save-all did. Every store is tried in the save order, whatever
// happened to the ones before it (each write replaces its file atomically
// and on its own), so `failures` lists every file that is not up to date.
// `withheld` lists the stores not written on purpose in this run: their
// damaged original could not be kept aside, and rewriting it would lose it.
struct SaveReport {
  std::vector<StoreSaveFailure> failures;
  std::vector<StoreSaveFailure> withheld;
  int saved = 0;  // files written

  bool ok() const { return failures.empty(); }
  // One line per failure, "<path>: <reason>", in save order; empty when ok.
  std::string Describe() const;
  // The failing files' names, separated by ", ".
  std::string FileNames() const;
  // What a close that left files unwritten says on stderr: a header naming
  // only the files not saved, and how many were, then Describe(), e.g.
  //   "closed without saving vq_tab.tbf, vq_clip.clf (5 other files saved):\n…"
  std::string ExitSummary() const;
};

}  // namespace tolvane
