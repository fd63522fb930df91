#pragma once

#include <string>
#include <string_view>

#include "core/stores/posted_search.h"

namespace tolvane {

// What the tab model asks a page host to load. Text is Shift_JIS; the URL is
// ASCII with the query already percent-encoded in the shop's charset.
struct NavigationRequest {
  // Where the page came from (also the origin kinds of OpenPageRequest).
  static constexpr int kOriginEngineList = 0;
  static constexpr int kOriginFavorite = 1;
  static constexpr int kOriginHistory = 3;
  static constexpr int kOriginTabList = 7;
  static constexpr int kOriginNone = -1;

  // Added to a request with a body that names no content type of its own:
  // without it the engine would send none.
  static constexpr std::string_view kFormContentType =
      "Content-Type: application/x-www-form-urlencoded\r\n";

  std::string url;
  std::string post_body;  // the request body; empty for GET
  std::string headers;    // extra request headers, "Name: value\r\n" each
  std::string title;      // shown on the tab while the page waits
  int origin_kind = kOriginNone;
  int origin_index = -1;  // row of the engine or tab list, -1 for none
  std::string extra;      // kept with the page for its owner, not used by the host
  // The search that posted the page, kept so the page can be posted again
  // after a restart; the host does not use it.
  PostedSearch search;
};

}  // namespace tolvane
