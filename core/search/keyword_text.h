#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "core/text/keyword.h"

namespace tolvane {

class ItemStore;

// The keyword a search takes from a keyword box's text as typed: full-width
// spaces count as spaces, the words are joined by one ASCII space, and
// leading, trailing and repeated spaces disappear. Every other character
// stays as typed; the Shift_JIS form is made from the result.
Keyword NormaliseKeywordBoxText(const Keyword& typed);

// The keyword box's drop-down: indices of the live keywords, newest first,
// at most `max`. "Newest" is the update stamp text (the stores' fixed
// "%Y/%m/%d %H:%M:%S" form sorts as dates); equal stamps keep store order,
// so of two equal ones the later stored comes first.
std::vector<int> RecentKeywords(const ItemStore& keywords, std::size_t max = 100);

// The keyword boxes' drop-downs: the recent keywords above merged, by their
// stamps, with the keywords kept for the run only (ItemStore::RecordKeyword),
// newest first, at most `max`; each as it was searched.
struct KeywordChoice {
  Keyword keyword;
  int index = -1;  // in the store; -1 for a keyword kept for the run only
};
std::vector<KeywordChoice> KeywordChoices(const ItemStore& keywords, std::size_t max = 100);

}  // namespace tolvane
