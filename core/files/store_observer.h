#pragma once

#include <string>

namespace tolvane {

class ChangeNotifier;

// What changed in a store or in the settings.
struct StoreChange {
  enum class Part {
    kSettings,  // a key or a section of the settings file
    kItems,     // items of an item store; rows of the engine or tab list
    kFolders,   // folders of an item store or of a folder tree
  };
  Part part = Part::kItems;
  // kSettings: the section and the key written; an empty key is the whole
  // section.
  std::string section;
  std::string key;
};

// Hears of the changes of the stores and settings it was added to (the
// trees, bars and option pages that show them redraw).
class StoreObserver {
 public:
  virtual ~StoreObserver() = default;
  // `store` is the notifier of the store that changed (compare it with
  // `xxx.changes()` to tell the stores apart).
  virtual void StoreChanged(const ChangeNotifier& store, const StoreChange& change) = 0;
};

}  // namespace tolvane
