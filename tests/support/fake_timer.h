#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <set>
#include <utility>

#include "core/files/timer.h"

namespace tolvane::testing {

// Timers driven by a clock the test steps. Due timers fire in order of due
// time, equal times in the order they were started; a timer a callback
// starts for "now" fires in the same Advance. Nothing sleeps.
class FakeTimerFactory : public TimerFactory {
 public:
  class FakeTimer : public Timer {
   public:
    explicit FakeTimer(FakeTimerFactory& factory) : factory_(factory) {}
    ~FakeTimer() override { factory_.live_.erase(this); }

    void Start(int ms, bool repeating, std::function<void()> callback) override {
      interval_ = ms < 0 ? 0 : ms;
      repeating_ = repeating;
      callback_ = std::move(callback);
      due_ = factory_.now_ + interval_;
      sequence_ = ++factory_.sequence_;
      active_ = true;
    }
    void Stop() override { active_ = false; }
    bool active() const override { return active_; }

    std::int64_t interval() const { return interval_; }
    std::int64_t due() const { return due_; }

   private:
    friend class FakeTimerFactory;
    FakeTimerFactory& factory_;
    std::function<void()> callback_;
    std::int64_t interval_ = 0;
    std::int64_t due_ = 0;
    std::uint64_t sequence_ = 0;
    bool repeating_ = false;
    bool active_ = false;
  };

  std::unique_ptr<Timer> CreateTimer() override {
    if (fail_next_ > 0) {
      --fail_next_;
      return nullptr;
    }
    auto timer = std::make_unique<FakeTimer>(*this);
    live_.insert(timer.get());
    return timer;
  }

  std::int64_t now() const { return now_; }
  // The next `n` CreateTimer() calls give null.
  void FailNext(int n) { fail_next_ = n; }

  // Moves the clock forward by `ms`, firing every timer that falls due on
  // the way, each at its own time.
  void Advance(std::int64_t ms) {
    const std::int64_t end = now_ + ms;
    while (FakeTimer* timer = NextDue(end)) {
      now_ = timer->due_;
      if (timer->repeating_) {
        timer->due_ = now_ + (timer->interval_ > 0 ? timer->interval_ : 1);
        timer->sequence_ = ++sequence_;
      } else {
        timer->active_ = false;
      }
      auto callback = timer->callback_;  // the callback may restart the timer
      callback();
    }
    now_ = end;
  }
  // Fires what is due now (posted work).
  void RunPending() { Advance(0); }

 private:
  FakeTimer* NextDue(std::int64_t end) const {
    FakeTimer* best = nullptr;
    for (FakeTimer* t : live_) {
      if (!t->active_ || t->due_ > end) continue;
      if (best == nullptr || t->due_ < best->due_ ||
          (t->due_ == best->due_ && t->sequence_ < best->sequence_)) {
        best = t;
      }
    }
    return best;
  }

  std::set<FakeTimer*> live_;
  std::int64_t now_ = 0;
  std::uint64_t sequence_ = 0;
  int fail_next_ = 0;
};

}  // namespace tolvane::testing
