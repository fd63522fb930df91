#pragma once

#include <string>

#include "core/files/store_type.h"

namespace tolvane {

// What the item properties dialog hands back on OK.
struct ItemEdit {
  std::string title;
  std::string url;
  std::string tags;
};

// The OK step of the item properties dialog. Returns 0 when the edit may be
// stored, after normalising it in place (tags joined with single spaces;
// a keyword's name normalised the same way and copied into its URL);
// otherwise the id of the message to show while the dialog stays open:
// 1004 for an empty name, 1013 for a favorite or history URL that names no
// known scheme.
int CheckItemEdit(StoreType type, ItemEdit& edit);

}  // namespace tolvane
