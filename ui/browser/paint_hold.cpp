#include "ui/browser/paint_hold.h"

namespace tolvane {

PaintHold::PaintHold(QWidget* window) {
  if (window == nullptr || !window->isVisible() || !window->updatesEnabled()) return;
  window_ = window;
  window_->setUpdatesEnabled(false);
  limit_.setSingleShot(true);
  QObject::connect(&limit_, &QTimer::timeout, [this] { Release(); });
  limit_.start(kMaxMs);
}

PaintHold::~PaintHold() { Release(); }

void PaintHold::Release() {
  limit_.stop();
  if (window_ != nullptr) window_->setUpdatesEnabled(true);
  window_ = nullptr;
}

}  // namespace tolvane
