#pragma once

// Helpers the fuzz targets share.
#include <cstddef>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace tolvane::fuzz {

// Stops the run, so the fuzzer keeps the input, when a property fails.
inline void Check(bool condition) {
  if (!condition) std::abort();
}

// The input cut at "\n"; a last line without one counts too.
inline std::vector<std::string_view> Lines(std::string_view text) {
  std::vector<std::string_view> lines;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    lines.push_back(text.substr(0, end));
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
  }
  return lines;
}

// The non-empty lines `format` gives for slots 0..count-1.
template <typename Format>
std::vector<std::string> Written(std::size_t count, Format format) {
  std::vector<std::string> lines;
  for (std::size_t i = 0; i < count; ++i) {
    if (std::string line = format(i); !line.empty()) lines.push_back(std::move(line));
  }
  return lines;
}

}  // namespace tolvane::fuzz
