#include "platform/process_resource_probe.h"

#include <dirent.h>
#include <sys/resource.h>
#include <unistd.h>

#include <charconv>
#include <fstream>
#include <iterator>

namespace tolvane {
namespace {

std::optional<std::uint64_t> SoftLimit(int resource) {
  rlimit limit{};
  if (getrlimit(resource, &limit) != 0 || limit.rlim_cur == RLIM_INFINITY) return std::nullopt;
  return static_cast<std::uint64_t>(limit.rlim_cur);
}

}  // namespace

bool ProcessResourceProbe::Within(std::uint64_t used, std::uint64_t limit) {
  // limit * 80 / 100 without overflow for limits near the top.
  return used <= limit / 100 * kPercent + limit % 100 * kPercent / 100;
}

std::optional<std::uint64_t> ProcessResourceProbe::OpenFileCount() {
  DIR* dir = opendir("/proc/self/fd");
  if (dir == nullptr) return std::nullopt;
  std::uint64_t count = 0;
  while (const dirent* entry = readdir(dir)) {
    if (entry->d_name[0] != '.') ++count;
  }
  closedir(dir);
  // The directory stream itself held one descriptor while it was read.
  return count > 0 ? count - 1 : 0;
}

std::optional<std::uint64_t> ProcessResourceProbe::OpenFileLimit() {
  return SoftLimit(RLIMIT_NOFILE);
}

std::optional<std::uint64_t> ProcessResourceProbe::ParseStatmPages(const std::string& text) {
  std::uint64_t pages = 0;
  const char* end = text.data() + text.size();
  const auto [ptr, ec] = std::from_chars(text.data(), end, pages);
  if (ec != std::errc() || ptr == text.data()) return std::nullopt;
  return pages;
}

std::optional<std::uint64_t> ProcessResourceProbe::VirtualSize() {
  std::ifstream in("/proc/self/statm");
  if (!in) return std::nullopt;
  const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  const std::optional<std::uint64_t> pages = ParseStatmPages(text);
  const long page_size = sysconf(_SC_PAGESIZE);
  if (!pages || page_size <= 0) return std::nullopt;
  return *pages * static_cast<std::uint64_t>(page_size);
}

std::optional<std::uint64_t> ProcessResourceProbe::AddressSpaceLimit() {
  return SoftLimit(RLIMIT_AS);
}

bool ProcessResourceProbe::Ample() {
  // What cannot be read is no reason to unload pages.
  const auto files = OpenFileCount();
  const auto file_limit = OpenFileLimit();
  if (files && file_limit && !Within(*files, *file_limit)) return false;
  const auto size = VirtualSize();
  const auto size_limit = AddressSpaceLimit();
  return !(size && size_limit && !Within(*size, *size_limit));
}

}  // namespace tolvane
