#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/files/settings_store.h"

namespace tolvane {

// The address bar's list of typed addresses, newest first, without equal
// entries (exact bytes), at most capacity() long. Stored in section
// "AddressList": MaxNumItems (only read), NumItems and URL0, URL1, ...
// Example: capacity 3 holding [c b a], Add("b") → [b c a], Add("d") → [d b c].
class AddressList {
 public:
  explicit AddressList(int capacity = kDefaultCapacity);

  static constexpr int kDefaultCapacity = 100;

  // Reads the stored list in one look at the file. Entries Add would refuse,
  // and entries equal to an earlier one, are skipped; entries past the
  // capacity are left out. MaxNumItems reads as 0 (nothing is kept) to
  // kDefaultCapacity.
  static AddressList Read(const SettingsStore& settings);
  // Rewrites the whole section with NumItems and the entries in order; a
  // MaxNumItems written by hand is not kept.
  bool Write(SettingsStore& settings) const;

  // Puts `text` at the front, removing an equal entry, and cuts the list to
  // its capacity. Text the settings file cannot give back as it is (empty,
  // with a line break or NUL, spaces or quotes around it) is not added.
  void Add(std::string_view text);

  const std::vector<std::string>& entries() const { return entries_; }
  int capacity() const { return capacity_; }

  // The entries joined by " | ".
  std::string Describe() const;

 private:
  int capacity_;
  std::vector<std::string> entries_;
};

}  // namespace tolvane
