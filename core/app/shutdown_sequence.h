#pragma once

#include <optional>
#include <string>

#include "core/app/tolvane_doc.h"
#include "core/files/settings_store.h"
#include "core/frame/window_placement.h"

namespace tolvane {

// Answer of the exit dialog.
struct ExitDialogAnswer {
  enum class Choice { kSaveAndExit, kExitWithoutSaving, kCancel };
  Choice choice = Choice::kCancel;
  bool dont_ask_again = false;  // "次回からこの確認ダイアログを表示しない"
};

// What the close of the main window needs from the frame. The frame
// implements it with real windows; tests record the calls.
class ShutdownFrame {
 public:
  virtual ~ShutdownFrame() = default;
  // Shows the exit dialog with the given default button (string_id::kExitSave
  // or kExitDiscard) and returns what the user chose.
  virtual ExitDialogAnswer AskExit(int default_button_id) = 0;
  // Enters the page tabs of every category tab into the clip list as saved pages.
  virtual void SaveOpenPageTabs() = 0;
  virtual void ShowWaitCursor() = 0;
  virtual void LeaveFullScreen() = 0;
  // ID of the tab record of the active category tab, or 0 when there is none.
  virtual int ActiveTabId() = 0;
  virtual void SaveBarLayout() = 0;
  // The window rectangle, or nothing while minimised or maximised.
  virtual std::optional<WindowRect> RestoredWindowRect() = 0;
  virtual void HideWindow() = 0;
  // Address list, shortcut and gesture assignments.
  virtual void SaveLists() = 0;
  // Some stores could not be written: shows `text` (Shift_JIS, naming the
  // files and why) and returns true to try saving again, false to leave
  // without saving them.
  virtual bool AskRetrySave(const std::string& text) = 0;
};

// The order in which the program closes; the stores rely on it: ask
// whether to keep the open pages, keep them as exit-saved clips, remember
// the active tab and the window, write every store, then hide. When a store
// cannot be written the user chooses between saving again and leaving
// without it; a close that may not ask leaves at once. Either way the
// program then ends with a failure status (left_unsaved()).
class ShutdownSequence {
 public:
  ShutdownSequence(SettingsStore& settings, CTolvaneDoc& doc);

  enum class Asking {
    kAsConfigured,  // the exit dialog when CloseMode is 1
    kNever,         // the session ends or the process is told to stop: nobody can answer
  };

  // Runs the whole close. Returns false when the user cancelled: then
  // nothing was written and the program goes on.
  bool Run(ShutdownFrame& frame, Asking asking = Asking::kAsConfigured);

  // The report of the final save-all of the last Run.
  const SaveReport& last_save() const { return last_save_; }
  // The last Run closed with stores that could not be written.
  bool left_unsaved() const { return !last_save_.ok(); }

 private:
  SettingsStore& settings_;
  CTolvaneDoc& doc_;
  SaveReport last_save_;
};

}  // namespace tolvane
