#include "core/stores/recent_tags.h"

#include <algorithm>

#include "core/files/setting_keys.h"
#include "core/stores/tag_text.h"

namespace tolvane {

std::vector<std::string> RecentTags::List() const {
  auto tags = SplitTags(Read(settings_, settings::kTagTags));
  if (tags.size() > kLimit) tags.resize(kLimit);
  return tags;
}

void RecentTags::Enter(std::string_view tag) {
  if (tag.empty()) return;
  auto tags = List();
  tags.erase(std::remove(tags.begin(), tags.end(), tag), tags.end());
  tags.insert(tags.begin(), std::string(tag));
  if (tags.size() > kLimit) tags.resize(kLimit);
  std::string joined;
  for (const auto& entry : tags) {
    if (!joined.empty()) joined += ' ';
    joined += entry;
  }
  Write(settings_, settings::kTagTags, joined);
}

}  // namespace tolvane
