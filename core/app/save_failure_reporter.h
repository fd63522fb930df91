#pragma once

#include <set>
#include <string>
#include <vector>

#include "core/app/save_report.h"

namespace tolvane {

// Decides what the user is told about saving; the window shows it (message
// boxes through its Prompter, the status bar).
//
// The periodic save runs every minute and retries a failing file each
// time: the first failing save of a streak is told, the following ones only
// keep the status text up to date, and a save that writes everything ends
// the streak and clears the status text, so the next failure is told again:
//
//   save   ok   fail   fail   fail   ok   fail
//   told   -    yes    -      -      -    yes
//
// A store withheld because its damaged original could not be kept aside is
// told once per run.
class SaveFailureReporter {
 public:
  // The message about withheld stores not told before in this run
  // (Shift_JIS), or empty; they count as told from now on.
  std::string TakeWithheldNotice(const std::vector<StoreSaveFailure>& withheld);

  // After a periodic save: updates the streak and the status text and
  // returns the message to show now (Shift_JIS), or empty.
  std::string AfterPeriodicSave(const SaveReport& report);

  // The status bar text (Shift_JIS): empty unless the last save failed.
  const std::string& status_text() const { return status_text_; }

  // The question of a failing save at exit, answered with
  // string_id::kRetrySave or string_id::kExitDiscard.
  static std::string ExitFailureText(const SaveReport& report);

 private:
  bool in_streak_ = false;
  std::string status_text_;
  std::set<StoreType> told_withheld_;
};

}  // namespace tolvane
