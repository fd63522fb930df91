#pragma once

#include <functional>
#include <memory>

namespace tolvane {

// A timer of the user-interface thread. The Qt layer implements it with
// QTimer; tests use a fake driven by a clock they step (tests/support).
//
// Callbacks run on the user-interface thread, never inside Start() or Stop().
// A callback may stop or restart its own timer, or start others, but must not
// destroy the timer it runs on.
class Timer {
 public:
  virtual ~Timer() = default;

  // (Re)starts the timer: `callback` runs once after `ms` milliseconds, or
  // every `ms` milliseconds when `repeating`. Starting an active timer drops
  // its old schedule and callback. `ms` 0 runs the callback as soon as the
  // event loop is free (a posted message).
  virtual void Start(int ms, bool repeating, std::function<void()> callback) = 0;
  virtual void Stop() = 0;
  virtual bool active() const = 0;
};

class TimerFactory {
 public:
  virtual ~TimerFactory() = default;

  // A stopped timer, or null when the system has no timer to give.
  virtual std::unique_ptr<Timer> CreateTimer() = 0;
};

}  // namespace tolvane
