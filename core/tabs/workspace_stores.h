#pragma once

namespace tolvane {

class CategoryFolderTree;
class ClipList;
class EngineList;
class ItemStore;
class SettingsStore;

// The stores the tab workspace reads and changes, handed in by whoever owns
// them (the document), so the tabs do not depend on the layer above.
struct WorkspaceStores {
  EngineList& tabs;
  EngineList& engines;
  CategoryFolderTree& groups;  // the tab groups
  CategoryFolderTree& engine_folders;
  ClipList& clips;
  SettingsStore& settings;
  ItemStore& keywords;
  ItemStore& history;
  ItemStore& favorites;
  // Whether the clips failed to load, read each time the tabs are restored
  // (it picks the clip list page as a start tab).
  const bool& clip_load_failed;
};

}  // namespace tolvane
