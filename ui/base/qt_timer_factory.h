#pragma once

#include "core/files/timer.h"

namespace tolvane {

// Makes QtTimers; Qt always has one to give.
class QtTimerFactory : public TimerFactory {
 public:
  std::unique_ptr<Timer> CreateTimer() override;
};

}  // namespace tolvane
