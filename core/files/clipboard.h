#pragma once

#include <string>

namespace tolvane {

// The system clipboard, as far as core writes to it: a search keyword as
// typed. The Qt layer converts the UTF-8 text; tests record it.
class Clipboard {
 public:
  virtual ~Clipboard() = default;

  // Replaces the clipboard's contents with plain text (UTF-8).
  virtual void SetText(const std::string& utf8) = 0;
};

}  // namespace tolvane
