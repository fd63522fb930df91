#pragma once

#include <cstddef>
#include <vector>

namespace tolvane {

// The position of the first `id` in `ids`, searching forward from `hint`
// and wrapping around to the start, or -1. Option files are written in
// record order, so with the last match as the hint each line usually
// matches at once.
inline int FindIdFrom(const std::vector<int>& ids, int id, std::size_t hint) {
  const std::size_t n = ids.size();
  const std::size_t start = hint < n ? hint : 0;
  for (std::size_t step = 0; step < n; ++step) {
    const std::size_t i = (start + step) % n;
    if (ids[i] == id) return static_cast<int>(i);
  }
  return -1;
}

}  // namespace tolvane
