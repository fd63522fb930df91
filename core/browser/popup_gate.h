#pragma once

#include <memory>

#include "core/files/timer.h"

namespace tolvane {

// Tells whether the next navigation or new window of a page was asked for by
// the user. It starts closed; user actions open it and it closes again by the
// rule of the mode it was opened in:
//   kUserAction    at the next navigation that passes the URL filter, or
//                  after kUserActionMs, whichever comes first (a click in
//                  the page, back/forward, "open link");
//   kUntilLoadEnd  at the next load end ("show blocked pop-ups");
//   kUntilToggled  only by Toggle() (pop-ups allowed on this page).
// Opening an open gate changes nothing.
class PopupGate {
 public:
  enum class Mode { kNone = 0, kUserAction = 1, kUntilLoadEnd = 2, kUntilToggled = 3 };
  static constexpr int kUserActionMs = 50;

  explicit PopupGate(std::unique_ptr<Timer> rearm_timer);

  bool closed() const { return closed_; }
  Mode mode() const { return mode_; }

  void Open(Mode mode);
  void Close();
  // The command that allows pop-ups on the page until used again: opens a
  // closed gate in kUntilToggled, closes an open one.
  void Toggle();

  // A navigation passed the URL filter.
  void OnNavigation();
  void OnLoadEnd();

 private:
  std::unique_ptr<Timer> rearm_timer_;
  bool closed_ = true;
  Mode mode_ = Mode::kNone;
};

}  // namespace tolvane
