#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tolvane {

// The tags of a tag text: full-width spaces count as spaces (as do TAB, CR
// and LF, which a record field cannot hold), runs of spaces separate, empty
// words are dropped. The text is Shift_JIS; trail bytes are never taken for
// separators.
std::vector<std::string> SplitTags(std::string_view text);

// The same tags joined again with single spaces: the form every stored tag
// text has.
std::string NormaliseTags(std::string_view text);

// True when the space-separated `tags` hold `tag` as a whole word.
bool HasTag(std::string_view tags, std::string_view tag);

}  // namespace tolvane
