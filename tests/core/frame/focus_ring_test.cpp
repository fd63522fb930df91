#include "core/frame/focus_ring.h"

#include <gtest/gtest.h>

#include <vector>

namespace tolvane {
namespace {

// The places reached by pressing the key again and again from `from`, until
// it comes back there (at most ten presses).
std::vector<FocusStop> Walk(FocusStop from, bool forward, const ShownFocusStops& shown) {
  std::vector<FocusStop> reached;
  std::optional<FocusStop> at = from;
  for (int i = 0; i < 10; ++i) {
    at = NextFocusStop(*at, forward, shown);
    if (!at) break;
    reached.push_back(*at);
    if (*at == from) break;
  }
  return reached;
}

using enum FocusStop;

TEST(FocusRingTest, EverythingShownIsOneRingBothWays) {
  const ShownFocusStops all;
  EXPECT_EQ(Walk(kSearchBar, true, all), (std::vector{kSideBarBox, kSideBarTree, kCategoryTabs,
                                                      kPageTabs, kPage, kAddressBar, kSearchBar}));
  EXPECT_EQ(Walk(kSearchBar, false, all), (std::vector{kAddressBar, kPage, kPageTabs, kCategoryTabs,
                                                       kSideBarTree, kSideBarBox, kSearchBar}));
}

TEST(FocusRingTest, HiddenPlacesAreSteppedOverAndALonePlaceGoesNowhere) {
  ShownFocusStops shown;
  shown.side_bar = false;
  shown.page = false;
  shown.address_bar = false;
  EXPECT_EQ(Walk(kPageTabs, true, shown), (std::vector{kSearchBar, kCategoryTabs, kPageTabs}));
  EXPECT_EQ(Walk(kPageTabs, false, shown), (std::vector{kCategoryTabs, kSearchBar, kPageTabs}));
  // A place the focus is in while hidden still leads on to its neighbours.
  EXPECT_EQ(NextFocusStop(kAddressBar, true, shown), kSearchBar);
  EXPECT_EQ(NextFocusStop(kSideBarTree, false, shown), kSearchBar);

  const ShownFocusStops none{false, false, false, false, false, false};
  EXPECT_EQ(NextFocusStop(kPage, true, none), std::nullopt);
  ShownFocusStops only_page = none;
  only_page.page = true;
  EXPECT_EQ(NextFocusStop(kPage, false, only_page), kPage);
}

}  // namespace
}  // namespace tolvane
