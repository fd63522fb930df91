#include "core/tabs/resource_guard.h"

#include <algorithm>

#include "core/stores/category_folder_tree.h"
#include "core/stores/engine_list.h"
#include "core/tabs/resource_probe.h"

namespace tolvane {

ResourceGuard::ResourceGuard(const EngineList& tabs, const CategoryFolderTree& groups,
                             ResourceProbe& probe, int page_limit)
    : tabs_(tabs), groups_(groups), probe_(probe), page_limit_(page_limit) {}

int ResourceGuard::GroupOf(int record) const {
  if (record < 0 || static_cast<std::size_t>(record) >= tabs_.size()) return -1;
  return groups_.Find(tabs_.EffectiveFolder(static_cast<std::size_t>(record)));
}

ResourceGuard::Decision ResourceGuard::Check(int page_count, const std::vector<int>& loaded,
                                             int shown) {
  // The probe is asked only below the page limit: it reads the process's
  // state and need not run when the count already decides.
  if (page_count < page_limit_ && probe_.Ample()) {
    warned_ = false;
    return {};
  }
  int oldest = -1;
  for (const int record : loaded) {
    const int group = GroupOf(record);
    if (group < 0 || group == oldest) continue;
    const std::string& stamp = groups_.time_stamp(static_cast<std::size_t>(group));
    if (stamp.empty()) continue;
    if (oldest < 0 || stamp < groups_.time_stamp(static_cast<std::size_t>(oldest))) {
      oldest = group;
    }
  }
  if (oldest < 0) return {};
  if (shown < 0 || GroupOf(shown) != oldest) {
    return {Decision::Action::kUnload, oldest};
  }
  if (warned_) return {};
  warned_ = true;
  return {Decision::Action::kWarn, oldest};
}

}  // namespace tolvane
