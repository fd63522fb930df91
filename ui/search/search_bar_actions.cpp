#include "ui/search/search_bar_actions.h"

#include <utility>

#include "ui/search/search_bar.h"
#include "ui/search/site_search_adder.h"

namespace tolvane {

SearchBarActions::SearchBarActions(CSearchBar& bar, SiteSearchAdder& adder,
                                   std::function<QWebEnginePage*()> shown_page)
    : CommandRows(kRows), bar_(bar), adder_(adder), shown_page_(std::move(shown_page)) {}

void SearchBarActions::FocusKeywordBox(const CommandContext&) { bar_.FocusKeywordBox(); }

void SearchBarActions::ShowTabMenu(const CommandContext&) { bar_.ShowTabMenu(); }

void SearchBarActions::AddSiteSearch(const CommandContext& context) {
  adder_.AddFrom(shown_page_(), context.source == CommandSource::kSideBar ? context.tree_item : -1);
}

bool SearchBarActions::CanAddSiteSearch(const CommandContext&) const {
  return !adder_.busy() && shown_page_() != nullptr;
}

}  // namespace tolvane
