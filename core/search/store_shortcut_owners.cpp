#include "core/search/store_shortcut_owners.h"

#include "core/stores/category_folder_tree.h"
#include "core/stores/engine_list.h"

namespace tolvane {
namespace {

std::string_view FieldOf(const CategoryFolderTree& folders, std::size_t i, MatchKind kind) {
  if (folders.deleted(i)) return {};
  return kind == MatchKind::kTypedShortcut ? folders.shortcut(i) : folders.gesture(i);
}

std::string_view FieldOf(const EngineList& list, std::size_t i, MatchKind kind) {
  if (list.deleted(i)) return {};
  return kind == MatchKind::kTypedShortcut ? list.shortcut(i) : list.gesture(i);
}

}  // namespace

int StoreShortcutOwners::OwnerCount(OwnerType type) const {
  switch (type) {
    case OwnerType::kEngineFolder:
      return static_cast<int>(engine_folders_.size());
    case OwnerType::kEngine:
      return static_cast<int>(engines_.size());
    case OwnerType::kTabFolder:
      return static_cast<int>(tab_folders_.size());
    case OwnerType::kTab:
      return static_cast<int>(tabs_.size());
    case OwnerType::kCommand:
      break;
  }
  return 0;
}

std::string_view StoreShortcutOwners::OwnerField(OwnerType type, int index, MatchKind kind) const {
  const auto i = static_cast<std::size_t>(index);
  switch (type) {
    case OwnerType::kEngineFolder:
      return FieldOf(engine_folders_, i, kind);
    case OwnerType::kEngine:
      return FieldOf(engines_, i, kind);
    case OwnerType::kTabFolder:
      return FieldOf(tab_folders_, i, kind);
    case OwnerType::kTab:
      return FieldOf(tabs_, i, kind);
    case OwnerType::kCommand:
      break;
  }
  return {};
}

std::string StoreShortcutOwners::OwnerName(OwnerType type, int index) const {
  const auto i = static_cast<std::size_t>(index);
  switch (type) {
    case OwnerType::kEngineFolder:
      return engine_folders_.DisplayName(i);
    case OwnerType::kEngine:
      return engines_.name(i);
    case OwnerType::kTabFolder:
      return tab_folders_.DisplayName(i);
    case OwnerType::kTab:
      return tabs_.name(i);
    case OwnerType::kCommand:
      break;
  }
  return {};
}

}  // namespace tolvane
