#include "core/stores/item_filter.h"

#include <algorithm>

#include "core/stores/item_folder_tree.h"
#include "core/stores/item_list.h"
#include "core/text/text_normaliser.h"

namespace tolvane {
namespace {

bool IsLeapYear(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

int DaysInMonth(int y, int m) {
  static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (m < 1 || m > 12) return 31;
  return m == 2 && IsLeapYear(y) ? 29 : kDays[m - 1];
}

// Days since 1970-01-01 of a proleptic Gregorian date, and back (the
// era-based conversion; exact for every year the stores can hold).
long long DaysFromCivil(int y, int m, int d) {
  y -= m <= 2 ? 1 : 0;
  const long long era = (y >= 0 ? y : y - 399) / 400;
  const long long yoe = y - era * 400;
  const long long doy = (153LL * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
  const long long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

void CivilFromDays(long long z, LocalTime& t) {
  z += 719468;
  const long long era = (z >= 0 ? z : z - 146096) / 146097;
  const long long doe = z - era * 146097;
  const long long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const long long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const long long mp = (5 * doy + 2) / 153;
  const long long d = doy - (153 * mp + 2) / 5 + 1;
  const long long m = mp < 10 ? mp + 3 : mp - 9;
  t.year = static_cast<int>(yoe + era * 400 + (m <= 2 ? 1 : 0));
  t.month = static_cast<int>(m);
  t.day = static_cast<int>(d);
}

LocalTime DaysBack(LocalTime t, int days) {
  CivilFromDays(DaysFromCivil(t.year, t.month, t.day) - days, t);
  return t;
}

LocalTime MonthsBack(LocalTime t, int months) {
  const int total = t.year * 12 + (t.month - 1) - months;
  t.year = total / 12;
  t.month = total % 12 + 1;
  t.day = std::min(t.day, DaysInMonth(t.year, t.month));
  return t;
}

bool TargetHasTitle(int target) {
  return target == ItemFolderTree::kTitleAndTags || target == ItemFolderTree::kTitleOnly ||
         target == ItemFolderTree::kTitleUrlAndTags;
}
bool TargetHasUrl(int target) {
  return target == ItemFolderTree::kUrlOnly || target == ItemFolderTree::kTitleUrlAndTags;
}
bool TargetHasTags(int target) {
  return target == ItemFolderTree::kTitleAndTags || target == ItemFolderTree::kTagsOnly ||
         target == ItemFolderTree::kTitleUrlAndTags;
}

}  // namespace

std::string ItemFilter::PeriodCutoff(int filter, const LocalTime& now) {
  static constexpr int kDays[] = {1, 2, 3, 7, 14, 21};
  static constexpr int kMonths[] = {1, 2, 3, 6};
  if (filter >= 1 && filter <= 6) return FormatTimestamp(DaysBack(now, kDays[filter - 1]));
  if (filter >= 7 && filter <= 10) return FormatTimestamp(MonthsBack(now, kMonths[filter - 7]));
  if (filter == 11) return FormatTimestamp(MonthsBack(now, 12));
  return {};
}

ItemFilter::ItemFilter(const ItemFolderTree& folders, std::size_t folder_index,
                       const LocalTime& now)
    : query_(folders.query(folder_index)),
      trash_(folders.id(folder_index) == ItemFolderTree::kTrashId),
      lists_nothing_(!trash_ && !query_.has_terms()),
      target_(folders.target(folder_index)),
      importance_filter_(folders.importance_filter(folder_index)),
      cutoff_(PeriodCutoff(folders.period_filter(folder_index), now)) {}

bool ItemFilter::Passes(const ItemList& items, std::size_t index) {
  if (lists_nothing_ || items.deleted(index) || items.in_trash(index) != trash_) return false;

  const int importance = items.importance(index);
  if (importance_filter_ == kAnyImportance && importance < 1) return false;
  if (importance_filter_ >= 2 && importance_filter_ <= 6 && importance != importance_filter_ - 1) {
    return false;
  }
  if (importance_filter_ == kNoImportance && importance != 0) return false;

  if (!cutoff_.empty() && items.updated(index) < cutoff_) return false;

  // The cheap tests come first so that only their survivors are folded.
  return !query_.has_terms() || query_.matches_everything() || QueryMatches(items, index);
}

bool ItemFilter::QueryMatches(const ItemList& items, std::size_t index) {
  const bool title = TargetHasTitle(target_);
  const bool url = TargetHasUrl(target_);
  if (title && url) {
    joined_.assign(items.title(index)).append(items.url(index));
    NormaliseInto(joined_, false, match_text_);
  } else if (title || url) {
    NormaliseInto(title ? items.title(index) : items.url(index), false, match_text_);
  } else {
    match_text_.clear();
  }

  padded_tags_.clear();
  if (TargetHasTags(target_) && !items.tags(index).empty()) {
    NormaliseInto(items.tags(index), true, folded_tags_);
    padded_tags_.assign(1, ' ').append(folded_tags_).push_back(' ');
  }
  return query_.Matches(match_text_, padded_tags_);
}

}  // namespace tolvane
