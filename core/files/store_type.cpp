#include "core/files/store_type.h"

#include <array>

namespace tolvane {
namespace {

struct StoreNames {
  std::string_view marker;
  std::string_view file;
};

constexpr std::array<StoreNames, kStoreTypeCount> kNames = {{
    {"@@SearchEngineList@@", "vq_search.eng"},
    {"@@FavoriteList@@", "vq_favorite.fvf"},
    {"@@KeywordList@@", "vq_keyword.kwd"},
    {"@@HistoryList@@", "vq_history.his"},
    {"@@SearchEngineListOption@@", "vq_searchtree.egt"},
    {"@@ClipPageList@@", "vq_clip.clf"},
    {"@@CustomSearchEngine@@", "vq_custom.eng"},
    {"@@TabList@@", "vq_tab.tbf"},
}};

}  // namespace

std::string_view StoreMarker(StoreType type) { return kNames[static_cast<int>(type)].marker; }

std::string_view StoreFileName(StoreType type) { return kNames[static_cast<int>(type)].file; }

std::optional<StoreType> StoreTypeFromFileName(std::string_view name) {
  for (int i = 0; i < kStoreTypeCount; ++i) {
    if (kNames[i].file == name) return static_cast<StoreType>(i);
  }
  return std::nullopt;
}

}  // namespace tolvane
