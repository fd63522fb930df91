#pragma once

#include <functional>

#include "core/commands/command_handler.h"

class QWebEnginePage;

namespace tolvane {

class CSearchBar;
class SiteSearchAdder;

// The search bar's commands whose work is the window's own: the focus to
// the keyword box (59151), dropping the tab button's menu (32926) and
// adding the shown page's own search as an engine (SiteSearchAdder).
class SearchBarActions : public CommandRows<SearchBarActions> {
 public:
  // `shown_page` gives the page in view, or null. Both objects outlive the
  // handler.
  SearchBarActions(CSearchBar& bar, SiteSearchAdder& adder,
                   std::function<QWebEnginePage*()> shown_page);

  void FocusKeywordBox(const CommandContext& context);
  void ShowTabMenu(const CommandContext& context);
  void AddSiteSearch(const CommandContext& context);
  bool CanAddSiteSearch(const CommandContext& context) const;

  static constexpr Row kRows[] = {
      {command::kKeywordBox, &SearchBarActions::FocusKeywordBox},
      {command::kEngineButton, &SearchBarActions::ShowTabMenu},
      {command::kAddSiteSearch, &SearchBarActions::AddSiteSearch,
       &SearchBarActions::CanAddSiteSearch},
  };

 private:
  CSearchBar& bar_;
  SiteSearchAdder& adder_;
  std::function<QWebEnginePage*()> shown_page_;
};

}  // namespace tolvane
