#pragma once

#include <cstring>
#include <string_view>

namespace tolvane {

// Hands out the lines of a file held in memory. A line ends at LF; a CR
// right before the LF belongs to the line end (the files are written with
// CR LF). The last line may lack its LF (ended() tells). Lines are taken
// whole whatever their length; callers decide what is too long.
class LineCursor {
 public:
  explicit LineCursor(std::string_view bytes) : rest_(bytes) {}

  bool Next(std::string_view* line) {
    if (rest_.empty()) return false;
    const void* lf = std::memchr(rest_.data(), '\n', rest_.size());
    const std::size_t length =
        lf ? static_cast<std::size_t>(static_cast<const char*>(lf) - rest_.data()) : rest_.size();
    *line = rest_.substr(0, length);
    rest_.remove_prefix(lf ? length + 1 : length);
    ended_ = lf != nullptr;
    if (!line->empty() && line->back() == '\r') line->remove_suffix(1);
    ++number_;
    return true;
  }

  // 1-based number of the line Next returned last.
  long long number() const { return number_; }
  // True when the line Next returned last ended with its LF.
  bool ended() const { return ended_; }

 private:
  std::string_view rest_;
  long long number_ = 0;
  bool ended_ = false;
};

}  // namespace tolvane
