#pragma once

#include <optional>
#include <string_view>

namespace tolvane {

// The eight kinds of store file. The number is the one the files and the
// rest of the program use, and the index into the marker table.
enum class StoreType : int {
  kEngineList = 0,     // vq_search.eng, from the update server, never saved
  kFavorites = 1,      // vq_favorite.fvf
  kKeywords = 2,       // vq_keyword.kwd
  kHistory = 3,        // vq_history.his
  kEngineOptions = 4,  // vq_searchtree.egt, per-folder and per-engine options
  kClips = 5,          // vq_clip.clf
  kUserEngines = 6,    // vq_custom.eng
  kTabs = 7,           // vq_tab.tbf
};

inline constexpr int kStoreTypeCount = 8;

// First line of a store file, exactly.
std::string_view StoreMarker(StoreType type);

// Fixed file name of the store inside the data directory.
std::string_view StoreFileName(StoreType type);

// The store type whose file has this name, if any.
std::optional<StoreType> StoreTypeFromFileName(std::string_view name);

}  // namespace tolvane
