#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "core/tabs/resource_probe.h"

namespace tolvane {

// The process's own limits: room is short once the open file descriptors
// pass 80% of the soft limit on open files, or the virtual size passes 80%
// of a finite address-space limit. Pages hold descriptors and memory, and
// running out of either breaks new pages in ways the user cannot tell.
class ProcessResourceProbe : public ResourceProbe {
 public:
  // Share of a limit (in percent) from which room is short.
  static constexpr std::uint64_t kPercent = 80;

  bool Ample() override;

  // The pieces, for tests and the status of the guard.
  static std::optional<std::uint64_t> OpenFileCount();
  static std::optional<std::uint64_t> OpenFileLimit();
  // Bytes, from the first field of a statm line ("pages ...").
  static std::optional<std::uint64_t> VirtualSize();
  // Nothing when the limit is infinite.
  static std::optional<std::uint64_t> AddressSpaceLimit();

  // True when `used` stays within kPercent of `limit`.
  static bool Within(std::uint64_t used, std::uint64_t limit);
  // Pages counted by the first field of a /proc/<pid>/statm text.
  static std::optional<std::uint64_t> ParseStatmPages(const std::string& text);
};

}  // namespace tolvane
