#pragma once

namespace tolvane {

// Where an index into a row of tabs points after the row changed, so a
// selection or a right-clicked tab stays on the same tab.

// The item at `from` moved to `to`.
inline int IndexAfterMove(int index, int from, int to) {
  if (index == from) return to;
  if (from < index && index <= to) return index - 1;
  if (to <= index && index < from) return index + 1;
  return index;
}

// The item at `removed` left the row; -1 when it was the one.
inline int IndexAfterRemoval(int index, int removed) {
  if (index == removed) return -1;
  return index > removed ? index - 1 : index;
}

}  // namespace tolvane
