#pragma once

#include <string>

namespace tolvane {

// The search that made a page by posting a form: enough to send it again
// (the engine's current templates filled with the same keyword in the same
// charset). Kept with a page and with its page clip; engine ID 0 is none.
struct PostedSearch {
  int engine_id = 0;    // an engine of the engine list
  int encoding = 0;     // the charset the keyword was sent in (Encoding column)
  std::string keyword;  // as typed, UTF-8

  bool empty() const { return engine_id == 0 || keyword.empty(); }
  friend bool operator==(const PostedSearch&, const PostedSearch&) = default;
};

}  // namespace tolvane
