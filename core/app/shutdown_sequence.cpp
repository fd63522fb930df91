#include "core/app/shutdown_sequence.h"

#include "core/app/save_failure_reporter.h"
#include "core/files/setting_keys.h"
#include "core/files/string_table.h"

namespace tolvane {

ShutdownSequence::ShutdownSequence(SettingsStore& settings, CTolvaneDoc& doc)
    : settings_(settings), doc_(doc) {}

bool ShutdownSequence::Run(ShutdownFrame& frame, Asking asking) {
  // Without the dialog the answer given when it was switched off still
  // holds: keep the open pages whenever SavePageTab says so.
  bool keep_pages = Read(settings_, settings::kMainSavePageTab) != 0;
  if (asking == Asking::kAsConfigured && Read(settings_, settings::kMainCloseMode) == 1) {
    const int default_button = Read(settings_, settings::kMainSavePageTab) != 0
                                   ? string_id::kExitSave
                                   : string_id::kExitDiscard;
    const ExitDialogAnswer answer = frame.AskExit(default_button);
    if (answer.choice == ExitDialogAnswer::Choice::kCancel) return false;
    keep_pages = answer.choice == ExitDialogAnswer::Choice::kSaveAndExit;
    Write(settings_, settings::kMainSavePageTab, keep_pages ? 1 : 0);
    Write(settings_, settings::kMainCloseMode, answer.dont_ask_again ? 0 : 1);
  }
  if (keep_pages) frame.SaveOpenPageTabs();

  frame.ShowWaitCursor();
  frame.LeaveFullScreen();
  Write(settings_, settings::kMainLastActiveTab, frame.ActiveTabId());
  frame.SaveBarLayout();
  if (auto rect = frame.RestoredWindowRect()) {
    Write(settings_, settings::kMainWindowX, rect->x);
    Write(settings_, settings::kMainWindowY, rect->y);
    Write(settings_, settings::kMainWindowCx, rect->cx);
    Write(settings_, settings::kMainWindowCy, rect->cy);
  }
  last_save_ = doc_.SaveAll();
  // Nobody can answer a close that may not ask (a logout waits for no one):
  // it leaves with what could be written.
  while (!last_save_.ok() && asking == Asking::kAsConfigured &&
         frame.AskRetrySave(SaveFailureReporter::ExitFailureText(last_save_))) {
    last_save_ = doc_.SaveAll();
  }
  frame.HideWindow();
  frame.SaveLists();
  return true;
}

}  // namespace tolvane
