#pragma once

#include "core/text/keyword.h"

namespace tolvane {

// The two keyword boxes a search echoes its keyword into: the search bar's
// and the side bar's (above the search tree). They show the keyword as typed
// (Keyword::utf8), never its Shift_JIS form.
class KeywordBoxes {
 public:
  virtual ~KeywordBoxes() = default;

  virtual void SetSearchBarText(const Keyword& keyword) = 0;
  virtual void SetSideBarText(const Keyword& keyword) = 0;
};

}  // namespace tolvane
