#pragma once

#include <cstddef>
#include <string>

#include "core/files/clock.h"
#include "core/stores/folder_query.h"

namespace tolvane {

class ItemFolderTree;
class ItemList;

// The test an item folder applies to each item of its store: trash, query
// (on the folder's target), importance filter and period filter. Built once
// per listing; Passes() folds each tested item's text once, into buffers
// the filter keeps, so a listing allocates per folder, not per item.
//
// The trash folder keeps only items in the trash (all of them when its query
// is empty); every other folder keeps only items outside it, and none at all
// when its query has no term.
class ItemFilter {
 public:
  // Importance filter values: 1 keeps importance >= 1, 2-6 keep importance
  // value - 1, 7 keeps importance 0; anything else keeps all.
  static constexpr int kAnyImportance = 1;
  static constexpr int kNoImportance = 7;

  // `folder_index` is an index into `folders`; `now` sets the period cut-off.
  ItemFilter(const ItemFolderTree& folders, std::size_t folder_index, const LocalTime& now);

  // No item can pass: a folder other than the trash without query terms.
  bool lists_nothing() const { return lists_nothing_; }

  bool Passes(const ItemList& items, std::size_t index);

  // The oldest updated date that period filter `filter` keeps at `now`, as
  // "%Y/%m/%d %H:%M:%S"; empty for 0 and other values (no period filter).
  //   1-6: 1, 2, 3, 7, 14, 21 days back; 7-10: 1, 2, 3, 6 months back;
  //   11: one year back.
  // Month and year steps keep day and time of day; a day the target month
  // lacks becomes that month's last day (31 March - 1 month = 28 or 29
  // February), so the period never reaches into the month after.
  static std::string PeriodCutoff(int filter, const LocalTime& now);

 private:
  bool QueryMatches(const ItemList& items, std::size_t index);

  FolderQuery query_;
  bool trash_ = false;
  bool lists_nothing_ = false;
  int target_ = 0;
  int importance_filter_ = 0;
  std::string cutoff_;
  // Scratch space reused from item to item.
  std::string joined_;
  std::string match_text_;
  std::string folded_tags_;
  std::string padded_tags_;
};

}  // namespace tolvane
