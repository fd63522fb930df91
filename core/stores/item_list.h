#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/files/clock.h"
#include "core/files/store_type.h"

namespace tolvane {

// The items of a favorites, keywords or history store: parallel arrays
// indexed by position. An item belongs to no folder; folders select items
// by their words, tags, importance and dates. Items are appended, changed in
// place and marked deleted; the writer leaves deleted ones out.
//
// Every change through a setter that the user sees as an edit (title, URL,
// importance, tags) stamps `updated` with the clock's time.
class ItemList {
 public:
  ItemList(StoreType type, const Clock& clock);

  StoreType type() const { return type_; }

  // Empties the list; the highest ID goes back to 0.
  void Reset();

  // Adds the item of one file line (11 TAB-separated fields, the first three
  // required; ID -1 allocates the next one; missing dates are now). Returns
  // the new index, or -1 when the line has fewer than three fields.
  int ParseItemLine(std::string_view line);

  // The file line of an item; empty for a deleted one.
  std::string FormatItemLine(std::size_t index) const;

  std::size_t size() const { return ids_.size(); }
  std::size_t CountLive() const { return ids_.size() - deleted_count_; }
  int highest_id() const { return highest_id_; }

  // First live item whose URL equals `url` byte for byte, or -1.
  int FindByUrl(std::string_view url) const;
  int FindById(int id) const;

  void SetTitle(std::size_t i, std::string title);
  // Also takes the item out of the trash.
  void SetUrl(std::size_t i, std::string url);
  void SetImportance(std::size_t i, int importance);
  void SetTags(std::size_t i, std::string tags);
  void IncrementCount(std::size_t i);
  void SetFaviconKey(std::size_t i, std::string key) { favicon_keys_[i] = std::move(key); }
  void SetBarFlag(std::size_t i, bool on) { bar_flags_[i] = on ? 1 : 0; }
  void SetInTrash(std::size_t i, bool on) { in_trash_[i] = on ? 1 : 0; }
  void MarkDeleted(std::size_t i);
  void SetImageNumber(std::size_t i, int image) { image_numbers_[i] = image; }
  void ClearFaviconKeys();

  int id(std::size_t i) const { return ids_[i]; }
  const std::string& title(std::size_t i) const { return titles_[i]; }
  const std::string& url(std::size_t i) const { return urls_[i]; }
  int importance(std::size_t i) const { return importances_[i]; }
  const std::string& tags(std::size_t i) const { return tags_[i]; }
  int count(std::size_t i) const { return counts_[i]; }
  const std::string& registered(std::size_t i) const { return registered_[i]; }
  const std::string& updated(std::size_t i) const { return updated_[i]; }
  const std::string& favicon_key(std::size_t i) const { return favicon_keys_[i]; }
  bool bar_flag(std::size_t i) const { return bar_flags_[i] != 0; }
  bool in_trash(std::size_t i) const { return in_trash_[i] != 0; }
  bool deleted(std::size_t i) const { return deleted_[i] != 0; }
  int image_number(std::size_t i) const { return image_numbers_[i]; }

 private:
  void Touch(std::size_t i);

  StoreType type_;
  const Clock& clock_;
  int highest_id_ = 0;
  std::size_t deleted_count_ = 0;
  std::vector<int> ids_;
  std::vector<std::string> titles_;
  std::vector<std::string> urls_;
  std::vector<std::int16_t> importances_;
  std::vector<std::string> tags_;
  std::vector<int> counts_;
  std::vector<std::string> registered_;
  std::vector<std::string> updated_;
  std::vector<std::string> favicon_keys_;
  std::vector<std::uint8_t> bar_flags_;
  std::vector<std::uint8_t> in_trash_;
  std::vector<std::uint8_t> deleted_;
  std::vector<int> image_numbers_;
};

}  // namespace tolvane
