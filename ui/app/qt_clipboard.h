#pragma once

#include "core/app/clipboard.h"

namespace tolvane {

// Core's clipboard on the application's: Shift_JIS in, Unicode plain text
// on the clipboard.
class QtClipboard : public Clipboard {
 public:
  void SetText(const std::string& text) override;
};

}  // namespace tolvane
