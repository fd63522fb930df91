#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/files/settings_store.h"

namespace tolvane {

// The tags the user entered last, most recent first, offered by the item
// dialog's tag button. Kept in the settings file (Tag/Tags), separated by
// spaces, at most kLimit of them.
class RecentTags {
 public:
  static constexpr std::size_t kLimit = 20;

  explicit RecentTags(SettingsStore& settings) : settings_(settings) {}

  std::vector<std::string> List() const;

  // Moves `tag` to the front (removing an equal entry) and cuts the list to
  // kLimit. Empty tags are not entered.
  void Enter(std::string_view tag);

 private:
  SettingsStore& settings_;
};

}  // namespace tolvane
