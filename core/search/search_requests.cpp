#include "core/search/search_requests.h"

#include <algorithm>

#include "core/files/record_fields.h"
#include "core/stores/engine_list.h"

namespace tolvane {
namespace {

std::string Join(const std::vector<std::string>& parts) {
  std::string joined;
  for (std::size_t i = 0; i < parts.size(); ++i) {
    if (i) joined.push_back('\t');
    joined += parts[i];
  }
  return joined;
}

// Element i, else element 0, else empty.
std::string_view At(const RecordFields& fields, std::size_t i) {
  return fields.View(fields.Has(i) ? i : 0);
}

}  // namespace

std::string SearchRequests::JoinedUrls() const { return Join(urls); }
std::string SearchRequests::JoinedCaptions() const { return Join(captions); }
std::string SearchRequests::JoinedBodies() const { return Join(bodies); }

SearchRequests BuildRequests(const EngineList& list, int row, const Keyword& keyword,
                             const PageContext* page) {
  SearchRequests requests;
  if (row < 0 || static_cast<std::size_t>(row) >= list.size()) return requests;
  const auto r = static_cast<std::size_t>(row);

  // The resolved texts must outlive the field views into them.
  const EngineList::ResolvedRow resolved = list.ResolveRow(r);
  const RecordFields urls(resolved.urls);
  const RecordFields names(resolved.names);
  const RecordFields searches(resolved.search_urls);
  const RecordFields posts(resolved.post_data);
  const std::vector<int>& encodings = resolved.encodings;

  KeywordForms forms(keyword);
  const std::size_t n = std::max({urls.size(), searches.size(), posts.size()});
  requests.urls.reserve(n);
  requests.captions.reserve(n);
  requests.bodies.reserve(n);
  requests.searches.reserve(n);
  for (std::size_t i = 0; i < n; ++i) {
    const std::string_view url = At(urls, i);
    const std::string_view search = At(searches, i);
    const std::string_view post = At(posts, i);
    if (url.empty() && search.empty() && post.empty()) break;
    const int encoding = i < encodings.size() ? encodings[i] : list.encoding(r);
    if (!keyword.empty()) {
      requests.urls.push_back(SubstitutePlaceholders(search, encoding, forms, page));
      requests.bodies.push_back(SubstitutePlaceholders(post, encoding, forms, page));
    } else {
      const std::string& top = list.top_url(r);
      requests.urls.emplace_back(top.empty() ? url : std::string_view(top));
      requests.bodies.emplace_back();
    }
    PostedSearch& posted = requests.searches.emplace_back();
    if (!requests.bodies.back().empty() && i < resolved.post_engine_ids.size()) {
      posted = {resolved.post_engine_ids[i], encoding, keyword.utf8()};
    }
    requests.captions.emplace_back(At(names, i));
  }
  return requests;
}

SearchRequests BuildPostedSearch(const EngineList& engines, const PostedSearch& search) {
  SearchRequests requests;
  const int row = search.empty() ? -1 : engines.FindById(search.engine_id);
  if (row < 0 || engines.deleted(static_cast<std::size_t>(row))) return requests;
  const auto r = static_cast<std::size_t>(row);
  if (engines.search_url(r).empty()) return requests;
  const Keyword keyword = Keyword::FromUtf8(search.keyword);
  KeywordForms forms(keyword);
  requests.urls.push_back(SubstitutePlaceholders(engines.search_url(r), search.encoding, forms));
  requests.bodies.push_back(SubstitutePlaceholders(engines.post_data(r), search.encoding, forms));
  requests.captions.push_back(engines.name(r));
  requests.searches.push_back(search);
  return requests;
}

}  // namespace tolvane
