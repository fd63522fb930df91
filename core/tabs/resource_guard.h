#pragma once

#include <vector>

namespace tolvane {

class CategoryFolderTree;
class EngineList;
class ResourceProbe;

// Chooses what to do when the tab area holds too many pages: unload the
// loaded tab group that was used longest ago, but never the group shown;
// when that one is the oldest, warn instead, once until the pages fall back
// below the limit (a warning on every page load would flood the user).
//
// Groups are folder indices of the tab group tree; a loaded group is the
// group of a pool object (the effective folder of its tab record, so an
// archived tab counts under the archive folder). Only groups with a
// last-use stamp take part; the stamp text sorts in time order.
class ResourceGuard {
 public:
  struct Decision {
    enum class Action { kNone, kUnload, kWarn };
    Action action = Action::kNone;
    int group = -1;  // the group to unload (folder index)
  };

  ResourceGuard(const EngineList& tabs, const CategoryFolderTree& groups, ResourceProbe& probe,
                int page_limit);

  // `loaded` holds the tab record of every pool object, `shown` the record
  // of the selected category tab or -1.
  Decision Check(int page_count, const std::vector<int>& loaded, int shown);

  // Folder index of the group tab record `record` is filed under, or -1.
  int GroupOf(int record) const;

 private:
  const EngineList& tabs_;
  const CategoryFolderTree& groups_;
  ResourceProbe& probe_;
  int page_limit_;
  bool warned_ = false;
};

}  // namespace tolvane
