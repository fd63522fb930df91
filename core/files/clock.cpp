#include "core/files/clock.h"

#include <cstdio>

namespace tolvane {

std::string FormatTimestamp(const LocalTime& time) {
  char text[64];
  std::snprintf(text, sizeof text, "%04d/%02d/%02d %02d:%02d:%02d", time.year, time.month, time.day,
                time.hour, time.minute, time.second);
  return text;
}

}  // namespace tolvane
