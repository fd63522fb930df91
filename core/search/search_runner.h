#pragma once

#include <string>
#include <string_view>

#include "core/commands/command_context.h"
#include "core/search/open_page_request.h"
#include "core/text/keyword.h"

namespace tolvane {

class Clipboard;
class EngineList;
class ItemStore;
class KeywordBoxes;
class Prompter;
class SearchHost;
class SettingsStore;

// Runs searches: turns a keyword and a target row into pages of a category
// tab, echoes the keyword into the keyword boxes and counts it in the
// keyword store. It keeps no state between calls; it reads the settings and
// the tab area at the moment of the call, and takes what the window held
// when the command was given (the keys, the address bar's text: `given`)
// from the command's context.
//
// A target is a row of the engine list (list kind 0) or of the tab list
// (list kind 7); row -1 with the tab list means the category tab's own row.
class SearchRunner {
 public:
  static constexpr int kEngineList = OpenPageRequest::kOriginEngineList;
  static constexpr int kTabList = OpenPageRequest::kOriginTabList;

  // `keywords` is the keyword store. Every reference must outlive the runner.
  SearchRunner(const EngineList& engines, const EngineList& tabs, const SettingsStore& settings,
               ItemStore& keywords, Prompter& prompter, SearchHost& host, KeywordBoxes& boxes,
               Clipboard& clipboard);

  // Opens the pages of one target in category `category`. `keep` 0 replaces
  // the category's pages when the target yields several, 1 adds to them;
  // for a single page it is the page mode (0 the current page tab, 1 a new
  // one). False when nothing could be searched: no such category, no tab
  // row, no such row, or no URL to open. Row -1 with the engine list (an
  // engine ID that no longer exists) is refused rather than read as the
  // tab row's index in the wrong list. Of several pages only the first is
  // made before the call returns; the host runs the rest once that page's
  // request has left (SearchHost::AfterShownRequest).
  bool RunSearch(int category, const Keyword& keyword, int keep, int list_kind, int row,
                 const CommandContext& given = {});

  // Opens one page with the keys of `given`; the tab area decides whether
  // it takes a new page tab (TabArea::OpenPage). Returns the page index or
  // -1.
  int OpenPage(OpenPageRequest request, const CommandContext& given = {});

  // "タブで検索" (32943): the current category's own tab row.
  bool SearchCurrentCategory(const Keyword& keyword, const CommandContext& given = {});
  // "まとめて検索を実行" (32842): every category tab with its own row.
  void SearchEveryCategory(const Keyword& keyword, const CommandContext& given = {});
  // One engine in the current category (the search tree's engine commands
  // and the per-engine commands). `echo` writes and records the keyword.
  bool SearchEngine(int engine_row, const Keyword& keyword, int keep, bool echo,
                    const CommandContext& given = {});
  // The address bar's search (32927) for text IsAddressBarKeyword accepted
  // (Shift_JIS).
  void SearchFromAddressBar(std::string_view text, const CommandContext& given = {});

  // Writes a non-empty keyword into both keyword boxes as typed and counts
  // its Shift_JIS form in the keyword store.
  void EchoAndRecord(const Keyword& keyword);

  // Whether the address bar's go action should search instead of
  // navigating: the text is a keyword and the address-bar search is on.
  bool AddressBarSearches(std::string_view text) const;

 private:
  const EngineList* ListOfKind(int list_kind) const;

  const EngineList& engines_;
  const EngineList& tabs_;
  const SettingsStore& settings_;
  ItemStore& keywords_;
  Prompter& prompter_;
  SearchHost& host_;
  KeywordBoxes& boxes_;
  Clipboard& clipboard_;
};

// Address bar text is taken as a keyword when it has no "." and no "://"
// starting within its first 6 bytes ("ftp://x" is an address, "keyword://"
// is not). Text of nothing but spaces is no keyword: searching it would
// replace the category's pages by its top pages.
bool IsAddressBarKeyword(std::string_view text);

}  // namespace tolvane
