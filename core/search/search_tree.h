#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace tolvane {

class CategoryFolderTree;
class EngineList;
class SettingsStore;

// One item of the search tree.
struct SearchTreeItem {
  enum class Kind { kRoot, kFolder, kEngine };
  Kind kind = Kind::kRoot;
  // kFolder: index in the engine folder tree; kEngine: engine list row;
  // kRoot: -1.
  int record = -1;
  std::string text;  // Shift_JIS
  // Root 0, folders 1, the archive folder 52; engines IconIndex + 66 when
  // an icon is chosen, else their favicon's ImageIndex (OptionFindTree/
  // ShowFavicon on), else 64.
  int image = 0;
  bool expanded = false;
  int parent = -1;  // item index; -1 for the root
  std::vector<int> children;
};

// The side bar's search tree: the root "検索", the engine categories with
// their subcategories, and in each category its engines as the engine
// list's ListFolder gives them. A model the Qt tree draws; items are indices
// into item(), and a rebuild makes new indices, so callers find items again
// by record.
//
//   検索 #0 open *
//     本 #1 open
//       Books A #64
//     保管箱 #52
//
// Sibling categories are listed by their order key, the archive folder
// last; a category filed under a missing or deleted parent is not listed.
class SearchTree {
 public:
  static constexpr int kRootImage = 0;
  static constexpr int kFolderImage = 1;
  static constexpr int kArchiveImage = 52;
  static constexpr int kNoIconImage = 64;
  static constexpr int kIconChoiceBase = 66;

  SearchTree(const CategoryFolderTree& folders, const EngineList& engines,
             const SettingsStore& settings);

  // Rebuilds every item. The selection and the open categories are kept
  // where their records are still listed; otherwise the root is selected.
  void Build();

  int size() const { return static_cast<int>(items_.size()); }
  const SearchTreeItem& item(int index) const { return items_[static_cast<std::size_t>(index)]; }
  int root() const { return items_.empty() ? -1 : 0; }
  int FindFolder(int folder_index) const;
  int FindEngine(int row) const;

  int selected() const { return selected_; }
  // Moves the selection and keeps it in view; a collapsed item with
  // children opens, and unless OptionFindTree/TreeOpen is 1 the other
  // items of its level close first.
  void Select(int item);
  void SetExpanded(int item, bool expanded);

  // The children a menu of engines offers under `item`: its categories
  // but the archive folder (archived engines and categories are not
  // offered), then its engines.
  std::vector<int> MenuChildren(int item) const;

  // The engine folder an item stands for: a category's own, an engine's
  // effective folder, 0 for the root. -1 for no item.
  int FolderIdOf(int item) const;

  // The search-bar token a dragged item carries: "EE" + engine ID, "EF" +
  // folder ID; empty for the root. ItemOfToken finds the item again (-1
  // when the token names nothing listed).
  std::string Token(int item) const;
  int ItemOfToken(std::string_view token) const;

  // One line per item, depth-first, indented two spaces a level: text,
  // "#image", then " open" (expanded with children) and " *" (selected).
  std::string Describe() const;

 private:
  int AddItem(SearchTreeItem item);
  struct BuildState;
  void AddLevel(int parent_item, int folder_id, BuildState& state);
  int EngineImage(std::size_t row, bool show_favicon) const;

  const CategoryFolderTree& folders_;
  const EngineList& engines_;
  const SettingsStore& settings_;
  std::vector<SearchTreeItem> items_;
  int selected_ = -1;
};

}  // namespace tolvane
