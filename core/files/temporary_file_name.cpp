#include "core/files/temporary_file_name.h"

namespace tolvane {
namespace {

constexpr std::string_view kTag = ".tmp";

// Removes a run of one or more decimal digits from the front of `text`.
bool SkipDigits(std::string_view* text) {
  std::size_t n = 0;
  while (n < text->size() && (*text)[n] >= '0' && (*text)[n] <= '9') ++n;
  text->remove_prefix(n);
  return n > 0;
}

}  // namespace

std::string TemporaryFileName(std::string_view name, std::uint64_t pid, std::uint64_t serial) {
  return std::string(name) + std::string(kTag) + std::to_string(pid) + "-" + std::to_string(serial);
}

bool IsTemporaryFileOf(std::string_view file_name, std::string_view name) {
  if (!file_name.starts_with(name)) return false;
  std::string_view rest = file_name.substr(name.size());
  if (!rest.starts_with(kTag)) return false;
  rest.remove_prefix(kTag.size());
  if (!SkipDigits(&rest) || !rest.starts_with('-')) return false;
  rest.remove_prefix(1);
  return SkipDigits(&rest) && rest.empty();
}

}  // namespace tolvane
