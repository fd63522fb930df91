#include "core/browser/popup_gate.h"

#include <utility>

namespace tolvane {

PopupGate::PopupGate(std::unique_ptr<Timer> rearm_timer) : rearm_timer_(std::move(rearm_timer)) {}

void PopupGate::Open(Mode mode) {
  if (!closed_) return;
  closed_ = false;
  mode_ = mode;
  if (mode == Mode::kUserAction && rearm_timer_ != nullptr) {
    rearm_timer_->Start(kUserActionMs, false, [this] { Close(); });
  }
}

void PopupGate::Close() {
  closed_ = true;
  if (rearm_timer_ != nullptr) rearm_timer_->Stop();
}

void PopupGate::Toggle() {
  if (closed_) {
    Open(Mode::kUntilToggled);
  } else {
    Close();
  }
}

void PopupGate::OnNavigation() {
  if (!closed_ && mode_ == Mode::kUserAction) Close();
}

void PopupGate::OnLoadEnd() {
  if (!closed_ && mode_ == Mode::kUntilLoadEnd) Close();
}

}  // namespace tolvane
