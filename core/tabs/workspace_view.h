#pragma once

#include <string>

#include <cstddef>

#include "core/files/store_type.h"
#include "core/stores/engine_list.h"
#include "core/tabs/tab_area_view.h"

namespace tolvane {

class ItemStore;

// What the confirmation of opening a folder's pages at once shows and hands
// back: the OptionMultiOpen values, and whether to ask again.
struct MultiOpenChoice {
  int open_mode = 1;  // 0 after the current page, 1 in a new category tab
  int max_open = 20;
  bool dont_ask_again = false;
};

// The windows around the tab workspace: the tab rows and frame (as the tab
// area sees them), the side bar's tab tree, the search bar and the tab
// property dialog. The Qt view implements it; tests record the calls.
class WorkspaceView : public TabAreaView {
 public:
  // The tab tree was rebuilt: draw it again from TabWorkspace::tree().
  virtual void TreeRebuilt() = 0;
  // Only the selection, the page items or the bold marks changed.
  virtual void TreeChanged() = 0;
  // The tab property dialog, titled `title`, on `values` of tab row
  // `record` (-1: a tab being created); false on Cancel.
  virtual bool EditTab(const std::string& title, int record, EngineDialogValues& values) = 0;
  // The item properties dialog on item `index` of `store`; OK writes the
  // item (ItemDialog). False on Cancel.
  virtual bool EditItem(ItemStore& store, std::size_t index) = 0;
  // The confirmation before the pages of a favorites or history folder open
  // at once, on `choice`; false on Cancel.
  virtual bool ConfirmMultiOpen(StoreType store, MultiOpenChoice& choice) = 0;
  // The side bar shows its tab page.
  virtual void ShowTabTreePage() = 0;
  // The keyboard focus goes to the page tab row.
  virtual void FocusPageTabs() = 0;
  // The keyboard focus goes to the address bar, its text selected.
  virtual void FocusAddressBar() = 0;
};

}  // namespace tolvane
