#pragma once

#include <optional>

#include "core/frame/focus_ring.h"

class QSplitter;
class QWidget;

namespace tolvane {

class CAddressBar;
class CSearchBar;
class CSideBar;
class CTolvaneView;

// Tab and Shift+Tab over the main window's places (core/frame/focus_ring.h):
// reads which of them are shown and where the focus is, and moves it on.
// Tab keys no widget uses reach it through the window's
// focusNextPrevChild; the page hands the focus over when its own elements
// run out.
class FrameFocusRing {
 public:
  struct Parts {
    CSearchBar* search_bar = nullptr;
    CSideBar* side_bar = nullptr;
    QSplitter* splitter = nullptr;  // the side bar dragged shut is hidden
    CTolvaneView* view = nullptr;
    CAddressBar* address_bar = nullptr;
  };

  explicit FrameFocusRing(const Parts& parts) : parts_(parts) {}

  // Moves the focus on from the place holding widget `from`; false when
  // `from` is in none of them (a bar of buttons, the status bar), or no
  // place is shown.
  bool Move(const QWidget* from, bool forward);
  // Moves the focus on from place `from`.
  bool MoveFrom(FocusStop from, bool forward);

 private:
  std::optional<FocusStop> StopOf(const QWidget* widget) const;
  ShownFocusStops Shown() const;
  QWidget* ShownPage() const;
  void Enter(FocusStop stop, bool forward);

  Parts parts_;
};

}  // namespace tolvane
