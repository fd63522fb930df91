#include "core/search/keyword_text.h"

#include <algorithm>

#include "core/search/cp932_tables.h"
#include "core/stores/item_store.h"

namespace tolvane {

std::string NormaliseKeywordBoxText(std::string_view sjis) {
  std::string out;
  out.reserve(sjis.size());
  bool pending_space = false;
  for (std::size_t i = 0; i < sjis.size();) {
    std::size_t width = cp932::IsDoubleByteAt(sjis, i) ? 2 : 1;
    const bool space = width == 1 ? sjis[i] == ' ' : sjis[i] == '\x81' && sjis[i + 1] == '\x40';
    if (space) {
      pending_space = !out.empty();
    } else {
      if (pending_space) out += ' ';
      pending_space = false;
      out.append(sjis.substr(i, width));
    }
    i += width;
  }
  return out;
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

}  // namespace tolvane
