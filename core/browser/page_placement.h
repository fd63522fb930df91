#pragma once

namespace tolvane {

class PageHost;

// Where a page tab stands, as the loading queue ranks it. The tab model
// implements it.
class PagePlacement {
 public:
  // Higher loads first.
  enum class Place {
    kHiddenGroup = 1,       // in no category tab of the bar (a hidden tab group)
    kOtherCategory = 2,     // in a category tab that is not selected
    kSelectedCategory = 3,  // in the selected category tab, not shown
    kShownPage = 4,         // the shown page of the selected category tab
  };

  virtual ~PagePlacement() = default;
  virtual Place PlaceOf(const PageHost& host) const = 0;
};

}  // namespace tolvane
