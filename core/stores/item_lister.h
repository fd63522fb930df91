#pragma once

#include <vector>

#include "core/files/clock.h"

namespace tolvane {

class CategoryMembers;
class ItemFolderTree;
class ItemList;

// Sort modes of an item folder, in the order the folder dialog offers them.
// Text keys compare byte by byte, numbers as signed integers. A descending
// mode is the ascending listing reversed, so items with equal keys come out
// newest-stored first.
enum ItemSortMode : int {
  kSortUpdatedNewest = 0,
  kSortUpdatedOldest = 1,
  kSortRegisteredNewest = 2,
  kSortRegisteredOldest = 3,
  kSortTitleAscending = 4,
  kSortTitleDescending = 5,
  kSortUrlAscending = 6,
  kSortUrlDescending = 7,
  kSortCountMost = 8,
  kSortCountLeast = 9,
  kSortImportanceHighest = 10,
  kSortImportanceLowest = 11,
};

// The indices into `items` that item folder `folder_id` shows, in its sort
// order: the items that pass its ItemFilter at `now`, sorted stably, then,
// when the folder puts important items first, those with importance above 0
// moved to the front in the same order. Empty when there is no such folder
// or its sort mode is not one of the above.
//
// One pass over the store, each item's text folded at most once, and an
// O(n log n) sort: a listing of 100 000 items stays well within a frame.
std::vector<int> ListFolder(const ItemFolderTree& folders, const ItemList& items, int folder_id,
                            const LocalTime& now);

// The indices of the members of category folder `folder_id` (engines of a
// category, tabs of a tab group) in ascending order key, equal keys in index
// order. Deleted members are left out; archived members are listed only by
// the archive folder (-9999), and the archive lists nothing else.
std::vector<int> ListCategory(const CategoryMembers& members, int folder_id);

}  // namespace tolvane
