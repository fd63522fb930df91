#pragma once

#include <cstddef>
#include <functional>
#include <vector>

#include "core/frame/data_menu.h"
#include "core/stores/store_bar.h"

class QMenu;

namespace tolvane {

// A store's data menus as Qt menus: each QMenu shows one DataMenu level and
// a folder's submenu is filled only when it opens, so a store of many
// thousand items costs nothing until the user looks into a folder.
class DataMenuView {
 public:
  struct Actions {
    // Opens an item of the store (its item index).
    std::function<void(int item_index)> open_item;
    // Opens the pages a folder lists at once (its folder index).
    std::function<void(int folder_index)> open_all;
  };

  DataMenuView(const ItemStore& store, Actions actions);

  // The bar's buttons as entries of `menu`: a folder a submenu holding its
  // data menu, an item an entry that opens it.
  void AddBarButtons(QMenu& menu, const std::vector<StoreBarButton>& buttons) const;

  // Fills `menu` with the level of folder `folder_index` that begins at
  // `start`.
  void Fill(QMenu& menu, int folder_index, std::size_t start = 0) const;

 private:
  // A submenu of `menu` filled with that level when it first opens.
  QMenu* AddFolderMenu(QMenu& menu, const std::string& text, int image, int folder_index,
                       std::size_t start) const;
  void AddItem(QMenu& menu, const std::string& text, int image, int item_index) const;

  DataMenu model_;
  Actions actions_;
};

}  // namespace tolvane
