#pragma once

#include "core/files/clipboard.h"

namespace tolvane {

// Core's clipboard on the application's: UTF-8 in, Unicode plain text on the
// clipboard.
class QtClipboard : public Clipboard {
 public:
  void SetText(const std::string& utf8) override;
};

}  // namespace tolvane
