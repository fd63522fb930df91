#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace tolvane {

class CategoryFolderTree;
class EngineList;
class PageHost;
class SettingsStore;

// A page tab as the tab tree lists it under its tab.
struct TabTreePage {
  const PageHost* host = nullptr;
  std::string title;
};

// What the tree needs to know about the opened tabs; the tab area answers.
class TabTreePages {
 public:
  virtual ~TabTreePages() = default;
  // The page tabs of tab record `record`'s category object, in bar order;
  // empty when it has none.
  virtual std::vector<TabTreePage> PagesOf(int record) const = 0;
  // Whether `record` has a category object in the pool.
  virtual bool IsLoaded(int record) const = 0;
};

// One item of the tab tree.
struct TabTreeItem {
  enum class Kind { kRoot, kGroup, kTab, kPage };
  Kind kind = Kind::kRoot;
  // kGroup: folder index in the tab group tree; kTab: tab list row; else -1.
  int record = -1;
  const PageHost* page = nullptr;  // kPage only
  std::string text;                // Shift_JIS
  // Root 0, archive folder 52, other groups 1, tabs 64 or IconIndex + 67.
  int image = 0;
  bool bold = false;  // a group whose category tabs are loaded
  bool expanded = false;
  int parent = -1;  // item index; -1 for the root
  std::vector<int> children;
};

// The side bar's tree of tab groups and tabs, with each opened tab's pages
// under it: a model the Qt tree draws. Items are indices into items(); a
// rebuild makes new indices, so callers find items again by record.
//
// Building renumbers the Order of groups and tabs outside the archive
// folder 0, 1, 2 ... in the order shown, so the stored order stays dense.
class TabTree {
 public:
  static constexpr int kRootImage = 0;
  static constexpr int kGroupImage = 1;
  static constexpr int kArchiveImage = 52;
  static constexpr int kTabImage = 64;
  static constexpr int kTabIconBase = 67;

  TabTree(CategoryFolderTree& groups, EngineList& tabs, const SettingsStore& settings);

  // Rebuilds every item from the tab list and the pages. The selection and
  // the expanded groups are kept where their records still exist;
  // otherwise the root is selected.
  void Build(const TabTreePages& pages);
  // Refreshes the page items of one tab (ShowPageTab on) and the bold marks.
  void UpdatePages(int record, const TabTreePages& pages);
  void UpdateBold(const TabTreePages& pages);

  int size() const { return static_cast<int>(items_.size()); }
  const TabTreeItem& item(int index) const { return items_[static_cast<std::size_t>(index)]; }
  int root() const { return items_.empty() ? -1 : 0; }

  int FindTab(int record) const;
  int FindGroup(int folder_index) const;  // by folder index
  int FindPage(const PageHost* host) const;
  // The first tab item, depth-first from the root; -1 when there is none.
  int FirstTabItem() const;
  // The group an item belongs to: the group itself, a tab's group, a page's
  // tab's group (folder index), or -1 for the root.
  int GroupOf(int item) const;
  // The group item of GroupOf(item), or -1.
  int GroupItemOf(int item) const;
  // Tab records under a group item, in tree order (direct children).
  std::vector<int> TabsOfGroup(int group_item) const;
  // Previous sibling, else next sibling, else the parent.
  int Neighbour(int item) const;
  // Whether the item is the archive folder itself (a group filed in it is
  // not).
  bool IsArchiveFolder(int item) const;
  // Whether the item is kept in the archive as its menu sees it: the archive
  // folder or an archived tab.
  bool IsArchived(int item) const;

  int selected() const { return selected_; }
  // Moves the selection; a collapsed item is expanded, and unless
  // OptionTabTree/TreeOpen is 1 every other item of its level is collapsed
  // first.
  void Select(int item);
  void SetExpanded(int item, bool expanded);

  // One line per item, depth-first, indented two spaces a level: text,
  // "#image", then " bold", " open" (expanded with children) and " *"
  // (selected) where they apply. For tests and debugging.
  std::string Describe() const;

 private:
  struct BuildState;
  int AddItem(TabTreeItem item);
  // The groups below folder `folder_id`, each followed by its own level,
  // then the tabs filed in it.
  void AddLevel(int parent_item, int folder_id, BuildState& state);
  void AddPages(int tab_item, const std::vector<TabTreePage>& pages);
  int TabImage(std::size_t record) const;

  CategoryFolderTree& groups_;
  EngineList& tabs_;
  const SettingsStore& settings_;
  std::vector<TabTreeItem> items_;
  int selected_ = -1;
};

}  // namespace tolvane
