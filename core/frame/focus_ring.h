#pragma once

#include <optional>

namespace tolvane {

// The places of the main window that Tab walks, in the order it walks them;
// Shift+Tab walks them backward, and both go round. The side bar is two
// places, so coming into it forward reaches its keyword box and backward
// its shown tree.
enum class FocusStop {
  kSearchBar,  // the keyword box
  kSideBarBox,
  kSideBarTree,
  kCategoryTabs,
  kPageTabs,
  kPage,
  kAddressBar,
};

// Which of the window's places are shown now; a hidden one is stepped over.
struct ShownFocusStops {
  bool search_bar = true;
  bool side_bar = true;
  bool category_tabs = true;
  bool page_tabs = true;
  bool page = true;
  bool address_bar = true;

  bool Shows(FocusStop stop) const;
};

// The shown place after `from` (before it when `forward` is false): `from`
// itself when it is the only one shown, nothing when none is.
std::optional<FocusStop> NextFocusStop(FocusStop from, bool forward, const ShownFocusStops& shown);

}  // namespace tolvane
