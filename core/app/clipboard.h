#pragma once

#include <string>

namespace tolvane {

// The system clipboard, as far as core writes to it. The Qt layer converts
// the Shift_JIS text; tests record it.
class Clipboard {
 public:
  virtual ~Clipboard() = default;

  // Replaces the clipboard's contents with plain text (Shift_JIS).
  virtual void SetText(const std::string& text) = 0;
};

}  // namespace tolvane
