#include "core/tabs/open_favorite.h"

#include "core/files/setting_keys.h"
#include "core/search/open_page_request.h"

namespace tolvane {

int OpenFavorite(TabArea& area, ItemStore& favorites, const SettingsStore& settings, int item_index,
                 const ModifierState& keys) {
  const ItemList& items = favorites.items();
  if (item_index < 0 || static_cast<std::size_t>(item_index) >= items.size()) return -1;
  const auto i = static_cast<std::size_t>(item_index);
  if (items.deleted(i) || area.current_category() < 0) return -1;
  OpenPageRequest request;
  request.category = area.current_category();
  request.mode = Read(settings, settings::kFavoriteNewPage) == 1 ? OpenPageRequest::kNewPage
                                                                 : OpenPageRequest::kCurrentPage;
  request.origin_kind = OpenPageRequest::kOriginFavorites;
  request.origin_index = item_index;
  request.url = items.url(i);
  request.caption = items.title(i);
  request.keys = keys;
  const int page = area.OpenPage(request);
  if (page >= 0) favorites.IncrementCount(i);
  return page;
}

}  // namespace tolvane
