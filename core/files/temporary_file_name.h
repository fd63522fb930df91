#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tolvane {

// The name a durable replacement of the file `name` writes first, beside it:
// "<name>.tmp<pid>-<serial>", e.g. "vq_tab.tbf.tmp4711-93". A copy killed
// while writing leaves such a file behind; the next start removes it.
std::string TemporaryFileName(std::string_view name, std::uint64_t pid, std::uint64_t serial);

// True when `file_name` is exactly a name TemporaryFileName gives for `name`
// (both numbers present, decimal digits only).
bool IsTemporaryFileOf(std::string_view file_name, std::string_view name);

}  // namespace tolvane
