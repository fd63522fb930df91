#include "core/search/search_runner.h"

#include <optional>
#include <utility>

#include "core/files/clipboard.h"
#include "core/files/setting_keys.h"
#include "core/search/keyword_boxes.h"
#include "core/search/search_host.h"
#include "core/search/search_requests.h"
#include "core/stores/engine_list.h"
#include "core/stores/item_store.h"

namespace tolvane {
namespace {

// AddressBarFind: what the address bar does with a keyword.
constexpr int kAddressBarFollowsCategory = 0;
constexpr int kAddressBarFixedEngine = 1;
constexpr int kAddressBarOff = 2;

// The new page tab for request `i` of a search over several pages.
OpenPageRequest PageOf(const SearchRequests& requests, std::size_t i, int category) {
  OpenPageRequest request;
  request.category = category;
  request.mode = OpenPageRequest::kNewPage;
  request.url = requests.urls[i];
  request.caption = requests.captions[i];
  request.post_body = requests.bodies[i];
  request.search = requests.searches[i];
  return request;
}

}  // namespace

SearchRunner::SearchRunner(const EngineList& engines, const EngineList& tabs,
                           const SettingsStore& settings, ItemStore& keywords, Prompter& prompter,
                           SearchHost& host, KeywordBoxes& boxes, Clipboard& clipboard)
    : engines_(engines),
      tabs_(tabs),
      settings_(settings),
      keywords_(keywords),
      prompter_(prompter),
      host_(host),
      boxes_(boxes),
      clipboard_(clipboard) {}

const EngineList* SearchRunner::ListOfKind(int list_kind) const {
  if (list_kind == kEngineList) return &engines_;
  if (list_kind == kTabList) return &tabs_;
  return nullptr;
}

bool SearchRunner::RunSearch(int category, const Keyword& keyword, int keep, int list_kind, int row,
                             const CommandContext& given) {
  if (category < 0 || category >= host_.CategoryCount()) return false;
  const EngineList* list = ListOfKind(list_kind);
  if (!list) return false;
  if (row < 0) {
    if (list_kind != kTabList) return false;
    row = host_.CategoryTabRow(category);
    if (row < 0) return false;
  }
  if (static_cast<std::size_t>(row) >= list->size()) return false;

  std::optional<PageContext> page = host_.PageContextNow();
  if (page) page->address_bar_text = given.address_bar_text;
  SearchRequests requests = BuildRequests(*list, row, keyword, page ? &*page : nullptr);

  if (!keyword.empty() && Read(settings_, settings::kFindBarFindOption6) == 1) {
    clipboard_.SetText(keyword.utf8());
  }

  if (requests.size() <= 1) {
    if (requests.empty() || requests.urls[0].empty()) {
      host_.FocusCategoryTabs();
      return false;
    }
    OpenPageRequest request;
    request.category = category;
    request.mode = keep;
    request.origin_kind = list_kind;
    request.origin_index = row;
    request.url = requests.urls[0];
    request.caption = requests.captions[0];
    request.post_body = requests.bodies[0];
    request.search = requests.searches[0];
    OpenPage(std::move(request), given);
    return true;
  }

  host_.FreezeDrawing();
  if (keep == 0) host_.CloseAllPages(category);
  // The first page is made, shown and started on its own; the others, the
  // clips and the row's redraw wait until its request has left. They go
  // behind it in order, unselected: selecting each in turn would hide the
  // loading page and show it again.
  std::size_t next = 0;
  while (next < requests.size() && requests.urls[next].empty()) ++next;
  int first = -1;
  if (next < requests.size()) {
    first = OpenPage(PageOf(requests, next++, category));
    if (first >= 0) host_.SelectPage(category, first);
  }
  auto rest = [this, requests = std::move(requests), next, category, keep, first] {
    int behind = first;
    for (std::size_t i = next; i < requests.size(); ++i) {
      if (requests.urls[i].empty()) continue;
      OpenPageRequest request = PageOf(requests, i, category);
      request.background = first >= 0;
      request.insert_at = first >= 0 ? behind + 1 : -1;
      if (const int added = OpenPage(std::move(request)); added >= 0) behind = added;
    }
    if (keep == 0) host_.PagesRebuilt(category);
    if (first >= 0) host_.SelectPage(category, first);
    host_.UnfreezeDrawing();
  };
  host_.AfterShownRequest(category, std::move(rest));
  return true;
}

int SearchRunner::OpenPage(OpenPageRequest request, const CommandContext& given) {
  request.keys = given.modifiers;
  return host_.OpenPage(request);
}

bool SearchRunner::SearchCurrentCategory(const Keyword& keyword, const CommandContext& given) {
  const bool ran = RunSearch(host_.CurrentCategory(), keyword, 0, kTabList, -1, given);
  EchoAndRecord(keyword);
  host_.FocusCategoryTabs();
  return ran;
}

void SearchRunner::SearchEveryCategory(const Keyword& keyword, const CommandContext& given) {
  const int count = host_.CategoryCount();
  for (int category = 0; category < count; ++category) {
    RunSearch(category, keyword, 0, kTabList, -1, given);
  }
  EchoAndRecord(keyword);
  host_.FocusCategoryTabs();
}

bool SearchRunner::SearchEngine(int engine_row, const Keyword& keyword, int keep, bool echo,
                                const CommandContext& given) {
  const bool ran =
      RunSearch(host_.CurrentCategory(), keyword, keep, kEngineList, engine_row, given);
  if (echo) EchoAndRecord(keyword);
  return ran;
}

void SearchRunner::SearchFromAddressBar(std::string_view text, const CommandContext& given) {
  const int mode = Read(settings_, settings::kFindTreeAddressBarFind);
  if (mode != kAddressBarFollowsCategory && mode != kAddressBarFixedEngine) return;
  const int category = host_.CurrentCategory();
  if (mode == kAddressBarFollowsCategory &&
      (category < 0 || category >= host_.CategoryCount() || host_.CategoryTabRow(category) < 0)) {
    return;
  }
  const Keyword keyword = Keyword::FromSjis(text);
  boxes_.SetSearchBarText(keyword);
  host_.FocusCategoryTabs();
  if (mode == kAddressBarFixedEngine) {
    const int engine_id = Read(settings_, settings::kFindTreeAddressBarFindEngineForSearch);
    RunSearch(category, keyword, 0, kEngineList, engines_.FindById(engine_id), given);
  } else {
    SearchCurrentCategory(keyword, given);
  }
}

void SearchRunner::EchoAndRecord(const Keyword& keyword) {
  if (keyword.empty()) return;
  boxes_.SetSearchBarText(keyword);
  boxes_.SetSideBarText(keyword);
  keywords_.RecordKeyword(keyword, prompter_);
}

bool SearchRunner::AddressBarSearches(std::string_view text) const {
  return IsAddressBarKeyword(text) &&
         Read(settings_, settings::kFindTreeAddressBarFind) != kAddressBarOff;
}

bool IsAddressBarKeyword(std::string_view text) {
  if (text.find_first_not_of(' ') == std::string_view::npos) return false;
  if (text.find('.') != std::string_view::npos) return false;
  const std::size_t scheme_end = text.find("://");
  return scheme_end == std::string_view::npos || scheme_end >= 6;
}

}  // namespace tolvane
