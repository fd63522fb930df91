#include "core/frame/focus_ring.h"

namespace tolvane {

namespace {

constexpr int kStopCount = static_cast<int>(FocusStop::kAddressBar) + 1;

}  // namespace

bool ShownFocusStops::Shows(FocusStop stop) const {
  switch (stop) {
    case FocusStop::kSearchBar:
      return search_bar;
    case FocusStop::kSideBarBox:
    case FocusStop::kSideBarTree:
      return side_bar;
    case FocusStop::kCategoryTabs:
      return category_tabs;
    case FocusStop::kPageTabs:
      return page_tabs;
    case FocusStop::kPage:
      return page;
    case FocusStop::kAddressBar:
      return address_bar;
  }
  return false;
}

std::optional<FocusStop> NextFocusStop(FocusStop from, bool forward, const ShownFocusStops& shown) {
  const int step = forward ? 1 : kStopCount - 1;
  int at = static_cast<int>(from);
  for (int i = 0; i < kStopCount; ++i) {
    at = (at + step) % kStopCount;
    const auto stop = static_cast<FocusStop>(at);
    if (shown.Shows(stop)) return stop;
  }
  return std::nullopt;
}

}  // namespace tolvane
