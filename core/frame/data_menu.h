#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "core/stores/item_store.h"

namespace tolvane {

// One entry of a store's data menu.
struct DataMenuEntry {
  enum class Kind {
    kOpenAll,  // "お気に入りをまとめて開く" / "履歴をまとめて開く": the folder's pages at once
    kFolder,   // a child folder: a submenu holding its own data menu
    kItem,     // an item: opens it
    kMore,     // the trailing submenu holding the rest of the level
    kSeparator,
  };
  Kind kind = Kind::kSeparator;
  // kOpenAll, kFolder, kMore: a folder index of the store's tree; kItem: an
  // item index of its list.
  int index = -1;
  // kMore: where in the folder's content the rest begins.
  std::size_t start = 0;
  std::string text;  // Shift_JIS; empty for separators
  int image = 0;     // the store tree's image (folders and items)
};

// The data menus of an item store: the content of one folder as a menu. A
// folder's content is its child folders (live, not in the trash, in sibling
// order) followed by the items its saved search lists (ListFolder). One menu
// level shows at most kMaxEntries of them; the rest goes, after a separator,
// into a trailing submenu "これ以降の…", itself a level of the same kind. A
// favorites or history folder listing more than one item starts with the
// entry that opens them all and a separator.
//
// Each call lists one level only, so a menu is filled when it opens and a
// store of many thousand items costs one listing per level shown.
class DataMenu {
 public:
  static constexpr std::size_t kMaxEntries = 30;

  explicit DataMenu(const ItemStore& store) : store_(store) {}

  // The level of folder `folder_index` whose content begins at `start` (0:
  // the folder's own menu; kMore entries give the start of theirs). Empty
  // for a folder index outside the tree or a deleted folder.
  std::vector<DataMenuEntry> Entries(int folder_index, std::size_t start = 0) const;

  // "open-all:text | - | folder:text | item:text | more:text@30", text in
  // UTF-8, for tests and debugging.
  static std::string Describe(const std::vector<DataMenuEntry>& entries);

 private:
  // The child folders of `folder_index` in sibling order.
  std::vector<int> ChildFolders(int folder_index) const;

  const ItemStore& store_;
};

}  // namespace tolvane
