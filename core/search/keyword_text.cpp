#include "core/search/keyword_text.h"

#include <algorithm>

#include "core/search/keyword_forms.h"
#include "core/stores/item_store.h"

namespace tolvane {

Keyword NormaliseKeywordBoxText(const Keyword& typed) {
  // In UTF-8 a space byte is always a space.
  const std::string spaced = FullWidthSpacesToAsciiUtf8(typed.utf8());
  std::string out;
  out.reserve(spaced.size());
  for (std::size_t start = spaced.find_first_not_of(' '); start != std::string::npos;) {
    const std::size_t end = std::min(spaced.find(' ', start), spaced.size());
    if (!out.empty()) out += ' ';
    out.append(spaced, start, end - start);
    start = spaced.find_first_not_of(' ', end);
  }
  return Keyword::FromUtf8(out);
}

std::vector<int> RecentKeywords(const ItemStore& keywords, std::size_t max) {
  const ItemList& items = keywords.items();
  std::vector<int> order;
  order.reserve(items.CountLive());
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (!items.deleted(i)) order.push_back(static_cast<int>(i));
  }
  std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
    return items.updated(static_cast<std::size_t>(a)) < items.updated(static_cast<std::size_t>(b));
  });
  const std::size_t keep = std::min(max, order.size());
  return {order.rbegin(), order.rbegin() + static_cast<std::ptrdiff_t>(keep)};
}

std::vector<KeywordChoice> KeywordChoices(const ItemStore& keywords, std::size_t max) {
  const ItemList& items = keywords.items();
  const std::vector<int> stored = RecentKeywords(keywords, max);
  const std::vector<ItemStore::RunKeyword>& run = keywords.run_keywords();
  std::vector<KeywordChoice> choices;
  std::size_t s = 0;
  std::size_t r = 0;
  while (choices.size() < max && (s < stored.size() || r < run.size())) {
    const bool run_next =
        r < run.size() && (s == stored.size() ||
                           run[r].updated >= items.updated(static_cast<std::size_t>(stored[s])));
    if (run_next) {
      choices.push_back({run[r++].keyword, -1});
    } else {
      const int index = stored[s++];
      choices.push_back({Keyword::FromSjis(items.title(static_cast<std::size_t>(index))), index});
    }
  }
  return choices;
}

}  // namespace tolvane
