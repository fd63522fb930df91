#pragma once

#include <string>

namespace tolvane {

// The two keyword boxes a search echoes its keyword into: the search bar's
// and the side bar's (above the search tree). Text is Shift_JIS.
class KeywordBoxes {
 public:
  virtual ~KeywordBoxes() = default;

  virtual void SetSearchBarText(const std::string& text) = 0;
  virtual void SetSideBarText(const std::string& text) = 0;
};

}  // namespace tolvane
