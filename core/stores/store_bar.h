#pragma once

#include <string>
#include <vector>

#include "core/files/setting_keys.h"
#include "core/files/settings_store.h"
#include "core/stores/item_store.h"

namespace tolvane {

// One button of a store's bar: a folder (a saved search, whose button drops
// down its data menu) or an item (whose button opens it).
struct StoreBarButton {
  enum class Kind { kFolder, kItem };
  Kind kind = Kind::kFolder;
  int index = -1;     // folder index in the store's tree, or item index in its list
  std::string token;  // "F<folder ID>" or "E<item ID>", as ButtonIDs keeps it
  std::string text;   // Shift_JIS, at most kMaxTextBytes bytes
  int image = 0;      // the store tree's image of the folder or item
};

// The bar of one item store (favorites, keywords, history): which buttons it
// shows and in which order. The order lives in the bar's ButtonIDs setting,
// a list of tokens separated by ","; flagged folders and items that the
// setting does not name yet follow it, folders first, each in index order.
// A token is shown only while its folder or item exists, carries the bar
// flag and is not deleted.
//
// Example: a fresh favorites store with ButtonIDs "E7,F9,F2" (item 7 flagged,
// folder 9 unknown) shows E7, F2, F1, F3, F4, F5.
//
// The bar holds at most kMaxButtons, the span of its commands from 34700;
// the entries after them keep their place in the setting.
class StoreBar {
 public:
  static constexpr std::size_t kMaxButtons = 100;
  // Button texts are cut to this many bytes, double-byte characters whole.
  static constexpr std::size_t kMaxTextBytes = 30;
  // The tree image of an item without a favicon, and of the root folder.
  static constexpr int kDefaultPageImage = 64;
  static constexpr int kRootImage = 0;

  StoreBar(const ItemStore& store, SettingsStore& settings);

  // The store tree's image of a folder (its icon + 1; the root 0) and of
  // an item (its favicon's image, or the default page image).
  static int FolderImage(const ItemFolderTree& folders, std::size_t index);
  static int ItemImage(const ItemList& items, std::size_t index);

  // The ButtonIDs setting of the bar of store `type`.
  static const TextSetting& ButtonIdsSetting(StoreType type);

  // The buttons the bar shows now, at most kMaxButtons. Reads the setting,
  // writes nothing, so a menu may show them without changing the file.
  std::vector<StoreBarButton> Buttons() const;

  // Writes ButtonIDs anew as the order of every entry that shows (the bar's
  // build does this): tokens of folders and items that no longer show leave
  // it; those past kMaxButtons stay.
  void SaveOrder();

  // "F1:新規登録 | E7:shop" (text in UTF-8), for tests and debugging.
  static std::string Describe(const std::vector<StoreBarButton>& buttons);

 private:
  // Every entry that shows, in order, without text or image; at most `limit`.
  std::vector<StoreBarButton> Entries(std::size_t limit) const;

  const ItemStore& store_;
  SettingsStore& settings_;
};

}  // namespace tolvane
