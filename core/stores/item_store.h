#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/files/change_notifier.h"
#include "core/files/clock.h"
#include "core/files/prompter.h"
#include "core/files/settings_store.h"
#include "core/files/store_binding.h"
#include "core/stores/item_folder_tree.h"
#include "core/stores/item_list.h"
#include "core/text/keyword.h"

namespace tolvane {

// One of the three stores of the same shape (favorites, keywords, history):
// its saved-search folders, its items, and the operations that keep the two
// consistent. It is also the binding through which its file is read and
// written.
class ItemStore : public StoreBinding {
 public:
  // What add-or-count is told about a page or keyword.
  struct Entry {
    std::string title;    // for keywords the keyword
    std::string url;      // ignored for keywords (the keyword is the key)
    int importance = -1;  // -1: leave as is (0 for a new item)
    std::string tags;     // may be empty
    bool count = true;    // keywords: count this search
  };

  ItemStore(StoreType type, SettingsStore& settings, const Clock& clock);

  StoreType type() const { return folders_.type(); }
  ItemFolderTree& folders() { return folders_; }
  const ItemFolderTree& folders() const { return folders_; }
  ItemList& items() { return items_; }
  const ItemList& items() const { return items_; }
  // Told after each operation below that changed items (kItems) or folders
  // (kFolders); not while the file is read.
  ChangeNotifier& changes() { return changes_; }

  // The item limit of this store (Option*/MaxData).
  int MaxData() const;

  // Records a page (favorites, history) or a keyword: finds it by its key
  // and refreshes it, or adds it, trimming the least recently updated items
  // of keywords and history to make room. Favorites at their limit show
  // message 1019 and add nothing. Returns the item's index, or -1.
  int AddOrCount(const Entry& entry, Prompter& prompter);

  // Records a searched keyword (keywords only). One the Shift_JIS file can
  // hold is added or counted as AddOrCount does; any other is kept for the
  // run only, never written, so it is never read back with "?" in it.
  void RecordKeyword(const Keyword& keyword, Prompter& prompter);

  // The keywords kept for the run only, newest first, each with the stamp
  // it was last searched at, at most MaxData of them.
  struct RunKeyword {
    Keyword keyword;
    std::string updated;  // the items' stamp form, "%Y/%m/%d %H:%M:%S"
  };
  const std::vector<RunKeyword>& run_keywords() const { return run_keywords_; }

  // Marks the `n` least recently updated live items deleted (equal dates:
  // the one stored first goes first).
  void TrimOldest(std::size_t n);

  // Creates a saved-search folder under the store's tag folder for each tag
  // of `tags` that has none yet.
  void MakeTagFolders(std::string_view tags);

  // The items a folder shows, in its order (see ListFolder in item_lister.h).
  std::vector<int> ListFolder(int folder_id) const;

  // Raises an item's count by one (a favorite opened, a page viewed).
  void IncrementCount(std::size_t index) {
    items_.IncrementCount(index);
    Changed(true, false);
  }

  // Commands of the side-bar trees. Those that destroy data ask first (No is
  // the default) and return whether they went ahead.
  void ToggleItemTrash(std::size_t index);
  bool DeleteItem(std::size_t index, Prompter& prompter);
  void TrashAllIn(int folder_id);
  bool DeleteAllIn(int folder_id, Prompter& prompter);
  void ToggleFolderTrash(std::size_t folder_index) {
    folders_.ToggleTrash(folder_index);
    Changed(false, true);
  }
  bool DeleteFolder(std::size_t folder_index, Prompter& prompter);
  // Back to the default folders and no items, run keywords included (the
  // option page's clear).
  bool Clear(Prompter& prompter);

  // StoreBinding
  void ResetToDefaults() override;
  int ParseFolderLine(std::string_view line) override { return folders_.ParseFolderLine(line); }
  int ParseItemLine(std::string_view line) override { return items_.ParseItemLine(line); }
  std::size_t FolderSlotCount() const override { return folders_.size(); }
  std::string FormatFolderLine(std::size_t index) const override {
    return folders_.FormatFolderLine(index);
  }
  std::size_t ItemSlotCount() const override { return items_.size(); }
  std::string FormatItemLine(std::size_t index, const SaveContext&) const override {
    return items_.FormatItemLine(index);
  }

 private:
  // The store word of the menus ("お気に入り", "キーワード", "履歴").
  const std::string& StoreWord() const;
  int TagFolderSetting() const;
  // TrimOldest and MakeTagFolders without telling; whether anything changed.
  bool TrimOldestItems(std::size_t n);
  bool AddTagFolders(std::string_view tags);
  void Changed(bool items, bool folders);

  SettingsStore& settings_;
  const Clock& clock_;
  ItemFolderTree folders_;
  ItemList items_;
  std::vector<RunKeyword> run_keywords_;
  ChangeNotifier changes_;
};

}  // namespace tolvane
