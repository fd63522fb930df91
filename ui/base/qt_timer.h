#pragma once

#include <QTimer>
#include <functional>
#include <memory>

#include "core/files/timer.h"

namespace tolvane {

// Core's timer on a QTimer of the user-interface thread.
class QtTimer : public Timer {
 public:
  QtTimer();

  void Start(int ms, bool repeating, std::function<void()> callback) override;
  void Stop() override;
  bool active() const override { return timer_.isActive(); }
  // The QTimer under it (tests shorten its interval).
  QTimer& timer() { return timer_; }

 private:
  QTimer timer_;
  // Shared so that a callback that restarts its own timer (replacing the
  // callback) keeps running on the copy it started with.
  std::shared_ptr<std::function<void()>> callback_;
};

}  // namespace tolvane
