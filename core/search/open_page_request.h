#pragma once

#include <string>

#include "core/commands/input_state.h"

#include "core/stores/posted_search.h"

namespace tolvane {

// One page that a search (or another opener) asks the tab model to show.
struct OpenPageRequest {
  // How the page is placed in its category.
  static constexpr int kCurrentPage = 0;  // navigate the current page tab
  static constexpr int kNewPage = 1;      // a new page tab after the current one
  static constexpr int kNewPageToo = 2;   // accepted, acts as kNewPage
  // The tab area decides once whether a kCurrentPage request gets a new
  // page tab anyway (TabArea::OpenPage).

  // Where the page came from: a row of the engine list or the tab list, or
  // nothing (pages of a search that yields several pages).
  static constexpr int kOriginEngineList = 0;
  static constexpr int kOriginFavorites = 1;
  static constexpr int kOriginTabList = 7;
  static constexpr int kOriginNone = -1;

  int category = -1;  // index of the category tab that receives the page
  int mode = kCurrentPage;
  int origin_kind = kOriginNone;
  int origin_index = -1;
  std::string url;
  std::string caption;
  std::string post_body;  // the request body; empty for GET
  std::string headers;    // extra request headers
  std::string frame;      // passed through unchanged
  PostedSearch search;    // the search a posted page sends, kept with the page
  // The keys held when the command that opens it was given: any of Shift,
  // Ctrl or the middle button asks for a new page tab, Ctrl keeps it behind.
  ModifierState keys;
  // A new page added behind the page shown (the other pages of a search
  // over several shops): not selected, so the shown page stays on screen
  // while it loads.
  bool background = false;
  // Where a new page goes in its row; -1: after the current page.
  int insert_at = -1;

  bool opens_new_page() const { return mode != kCurrentPage; }
};

}  // namespace tolvane
