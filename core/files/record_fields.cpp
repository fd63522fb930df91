#include "core/files/record_fields.h"

#include <climits>

namespace tolvane {

int ParseDecimalPrefix(std::string_view text, bool* had_digits) {
  std::size_t i = 0;
  while (i < text.size() && IsFieldSpace(text[i])) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  // Accumulate as a negative number so that INT_MIN is reachable exactly.
  long long value = 0;
  bool digits = false;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    digits = true;
    if (value > -(static_cast<long long>(INT_MAX) + 2)) value = value * 10 - (text[i] - '0');
  }
  if (had_digits) *had_digits = digits;
  if (negative) return value < INT_MIN ? INT_MIN : static_cast<int>(value);
  return -value > INT_MAX ? INT_MAX : static_cast<int>(-value);
}

std::string_view TrimField(std::string_view text) {
  std::size_t begin = 0;
  std::size_t end = text.size();
  while (begin < end && IsFieldSpace(text[begin])) ++begin;
  while (end > begin && IsFieldSpace(text[end - 1])) --end;
  return text.substr(begin, end - begin);
}

RecordFields::RecordFields(std::string_view line) {
  std::size_t start = 0;
  while (true) {
    const std::size_t tab = line.find('\t', start);
    if (tab == std::string_view::npos) {
      std::string_view last = TrimField(line.substr(start));
      if (!last.empty()) fields_.push_back(last);
      break;
    }
    fields_.push_back(TrimField(line.substr(start, tab - start)));
    start = tab + 1;
  }
}

bool RecordFields::HasAnyField(std::string_view line) {
  for (char c : line) {
    if (c == '\t' || !IsFieldSpace(c)) return true;
  }
  return false;
}

std::string_view RecordFields::View(std::size_t index) const {
  return index < fields_.size() ? fields_[index] : std::string_view();
}

std::string RecordFields::Text(std::size_t index, std::string_view fallback) const {
  return std::string(index < fields_.size() ? fields_[index] : fallback);
}

int RecordFields::Int(std::size_t index, int fallback) const {
  return index < fields_.size() ? ParseDecimalPrefix(fields_[index]) : fallback;
}

std::string FieldSafe(std::string_view text) {
  std::string safe(text);
  for (char& c : safe) {
    if (c == '\t' || c == '\r' || c == '\n') c = ' ';
  }
  return safe;
}

void AppendField(std::string& line, std::string_view text) {
  line += '\t';
  line += FieldSafe(text);
}

void AppendField(std::string& line, int value) {
  line += '\t';
  line += std::to_string(value);
}

}  // namespace tolvane
