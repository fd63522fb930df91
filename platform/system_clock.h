#pragma once

#include "core/files/clock.h"

namespace tolvane {

// The local time of the system clock, in the user's time zone.
class SystemClock : public Clock {
 public:
  LocalTime Now() const override;
};

}  // namespace tolvane
