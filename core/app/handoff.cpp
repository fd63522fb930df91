#include "core/app/handoff.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>

#include "core/browser/outside_address.h"

namespace tolvane::handoff {

std::filesystem::path SocketPath(const std::filesystem::path& runtime_dir,
                                 const std::filesystem::path& data_dir) {
  // FNV-1a over the absolute path: two spellings of one directory
  // ("a/../b", "b/") are made one first.
  std::filesystem::path normal = std::filesystem::absolute(data_dir).lexically_normal();
  if (normal.filename().empty()) normal = normal.parent_path();  // "dir/" is "dir"
  const std::string path = normal.string();
  std::uint64_t hash = 0xcbf29ce484222325ULL;
  for (const char c : path) {
    hash ^= static_cast<unsigned char>(c);
    hash *= 0x100000001b3ULL;
  }
  char name[40];
  std::snprintf(name, sizeof name, "tolvane-%016llx.sock", static_cast<unsigned long long>(hash));
  return runtime_dir / name;
}

namespace {

// "www.example.jp" or "shop.example:8080/list": a dotted host of letters,
// digits and hyphens before any '/', ':' or '?', not a file name's suffix.
bool ReadsAsHostName(std::string_view name) {
  const std::size_t end = name.find_first_of("/:?#");
  const std::string_view host = name.substr(0, end);
  const std::size_t dot = host.find('.');
  if (dot == std::string_view::npos || dot == 0 || host.ends_with('.')) return false;
  for (const char c : host) {
    const bool allowed = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                         (c >= '0' && c <= '9') || c == '-' || c == '.';
    if (!allowed) return false;
  }
  static constexpr std::string_view kFileSuffixes[] = {".url", ".htm", ".html", ".txt"};
  for (const std::string_view suffix : kFileSuffixes) {
    if (host.size() >= suffix.size() &&
        std::equal(suffix.begin(), suffix.end(), host.end() - suffix.size(),
                   [](char a, char b) { return a == (b | 0x20); })) {
      return false;
    }
  }
  return true;
}

}  // namespace

std::string Message(const std::string& argument, const std::filesystem::path& cwd) {
  if (argument.empty() || HasUrlScheme(argument)) return argument;
  const std::filesystem::path path(argument);
  if (path.is_absolute()) return argument;
  const std::filesystem::path file = (cwd / path).lexically_normal();
  std::error_code error;
  if (!std::filesystem::exists(file, error) && ReadsAsHostName(argument)) {
    return "http://" + argument;
  }
  return file.string();
}

std::optional<std::string> ReadMessage(std::string_view bytes) {
  if (bytes.empty() || bytes.size() > kMaxMessageBytes) return std::nullopt;
  for (const char c : bytes) {
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) return std::nullopt;
  }
  return std::string(bytes);
}

}  // namespace tolvane::handoff
