#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace tolvane {

class ItemStore;

// The keyword a search takes from a keyword box: full-width spaces count as
// spaces, the words are joined by one ASCII space, and leading, trailing and
// repeated spaces disappear. Text is Shift_JIS, read character by character:
// a character ending in 0x81 followed by "@" (0x40) is not a full-width space.
std::string NormaliseKeywordBoxText(std::string_view sjis);

// The keyword box's drop-down: indices of the live keywords, newest first,
// at most `max`. "Newest" is the update stamp text (the stores' fixed
// "%Y/%m/%d %H:%M:%S" form sorts as dates); equal stamps keep store order,
// so of two equal ones the later stored comes first.
std::vector<int> RecentKeywords(const ItemStore& keywords, std::size_t max = 100);

}  // namespace tolvane
