#pragma once

namespace tolvane {

class ItemStore;
class TabWorkspace;

// Opens the pages of favorites or history folder `folder_id` of `store` as page tabs,
// starting at `first_item` (an index into the store's items; -1: the folder's first item),
// as OptionMultiOpen says. Returns how many pages it opened (0 when cancelled, nothing
// to open, or another store).
//
// The pages are the folder's listing (ListFolder) from the start item on, at
// most MaxOpen of them; a start item the folder does not list opens nothing.
// With ShowConfirm 1 the view asks first and the answer is written back. In
// OpenMode 1, or with no category tab shown, a new tab record named after the
// folder opens (its blank page closed) and takes the pages from position 0;
// in OpenMode 0 they go right after the current page. Each page carries the
// store as its origin kind and the item as its origin record, loads when the
// queue gives it a slot, and the first one is selected at the end.
int MultiOpen(TabWorkspace& workspace, const ItemStore& store, int folder_id, int first_item = -1);

}  // namespace tolvane
