#pragma once

#include "core/files/clock.h"

namespace tolvane::testing {

// A clock the test sets; it only moves when told.
class FakeClock : public Clock {
 public:
  explicit FakeClock(LocalTime now = {2026, 12, 7, 10, 0, 0}) : now_(now) {}
  LocalTime Now() const override { return now_; }
  void Set(LocalTime now) { now_ = now; }

 private:
  LocalTime now_;
};

}  // namespace tolvane::testing
