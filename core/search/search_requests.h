#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/search/search_placeholders.h"
#include "core/stores/posted_search.h"
#include "core/text/keyword.h"

namespace tolvane {

class EngineList;

// The pages one search target asks for: element i of the four lists is one
// page. An empty URL is a page that is not opened (an engine of a folder
// without a search URL); an empty body means GET. A page posted with an
// engine's own form body carries that search, so it can be sent again.
//
// The lists are kept apart rather than only as TAB-joined text, so a raw
// (encoding 0) keyword holding a TAB cannot split one page into two.
struct SearchRequests {
  std::vector<std::string> urls;
  std::vector<std::string> captions;
  std::vector<std::string> bodies;
  std::vector<PostedSearch> searches;

  std::size_t size() const { return urls.size(); }
  bool empty() const { return urls.empty(); }

  // The TAB-joined forms (no TAB after the last element).
  std::string JoinedUrls() const;
  std::string JoinedCaptions() const;
  std::string JoinedBodies() const;
};

// Resolves row `row` of `list` (engine or tab list) into its engines and
// fills each engine's templates with `keyword` in that engine's encoding.
// Without a keyword every page opens the row's own TopUrl, or each engine's
// Url when the row has none.
//
// The three resolved columns (Url, SearchUrl, PostData) are lined up by
// position; a column with fewer elements repeats its first one (so a tab
// whose Url names a folder but whose SearchUrl is one template uses that
// template for every engine). The pages end at the first position where all
// three are empty. `row` out of range gives no pages.
SearchRequests BuildRequests(const EngineList& list, int row, const Keyword& keyword,
                             const PageContext* page = nullptr);

// The page of `search` made again: its engine's current SearchUrl and
// PostData filled with its keyword in its charset, captioned with the
// engine's name, the search kept with it. No page when the engine is gone
// or has no search URL any more.
SearchRequests BuildPostedSearch(const EngineList& engines, const PostedSearch& search);

}  // namespace tolvane
