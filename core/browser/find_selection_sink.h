#pragma once

#include <string>

namespace tolvane {

// Where the text the user selected in a page with the mouse goes (the find
// bar takes it as what to look for).
class FindSelectionSink {
 public:
  virtual ~FindSelectionSink() = default;
  // `selection` in UTF-8, never empty.
  virtual void SelectionMade(const std::string& selection) = 0;
};

}  // namespace tolvane
