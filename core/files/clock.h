#pragma once

#include <string>

namespace tolvane {

// A moment of local wall-clock time, as the stores write it.
struct LocalTime {
  int year = 2000;
  int month = 1;  // 1-12
  int day = 1;    // 1-31
  int hour = 0;
  int minute = 0;
  int second = 0;

  friend bool operator==(const LocalTime&, const LocalTime&) = default;
};

// "%Y/%m/%d %H:%M:%S", the form every stored date has; its byte order is
// time order.
std::string FormatTimestamp(const LocalTime& time);

// The current local time. platform/ reads the system clock; tests use a
// fake they can set and step.
class Clock {
 public:
  virtual ~Clock() = default;
  virtual LocalTime Now() const = 0;

  std::string NowText() const { return FormatTimestamp(Now()); }
};

}  // namespace tolvane
