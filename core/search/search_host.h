#pragma once

#include <functional>
#include <optional>

#include "core/commands/command_context.h"
#include "core/search/open_page_request.h"
#include "core/search/search_placeholders.h"

namespace tolvane {

// What a search needs from the tab area and the main window. The tab model
// implements it; tests use a recording fake. Categories are indices into the
// category tab bar, pages indices into a category's page tab bar.
class SearchHost {
 public:
  virtual ~SearchHost() = default;

  virtual int CategoryCount() const = 0;
  // The selected category tab, or -1.
  virtual int CurrentCategory() const = 0;
  // The row of the tab list that category tab `category` shows, or -1.
  virtual int CategoryTabRow(int category) const = 0;
  virtual int PageCount(int category) const = 0;
  // False while the current page of `category` is a page clip that links
  // must not replace.
  virtual bool MayReplaceCurrentPage(int category) const = 0;

  // Opens one page as the request says (the mode is final: 0 navigates the
  // current page tab, 1 adds a page tab after it). Returns the page's index
  // in its category, or -1 when it could not be opened.
  virtual int OpenPage(const OpenPageRequest& request) = 0;
  virtual void CloseAllPages(int category) = 0;
  // The category's pages were replaced by those of its tab row: its page
  // clips are added again.
  virtual void PagesRebuilt(int category) = 0;
  virtual void SelectPage(int category, int page) = 0;

  // Runs `rest` of a search over several pages once the request of the
  // category's shown page has left (at once when the category is not the
  // one in view, or nothing is being requested). The host runs a waiting
  // `rest` before any other search and before the category bar changes.
  virtual void AfterShownRequest(int category, std::function<void()> rest) = 0;

  // Many pages open at once without a redraw for each.
  virtual void FreezeDrawing() = 0;
  virtual void UnfreezeDrawing() = 0;
  virtual void FocusCategoryTabs() = 0;

  // The active page's address (PageContext::active_url); nothing while
  // there is no main window. The address bar's text comes with the
  // search's command.
  virtual std::optional<PageContext> PageContextNow() const = 0;
};

}  // namespace tolvane
