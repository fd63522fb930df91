#include "core/frame/address_bar.h"

#include <algorithm>

#include "core/commands/command_id.h"

namespace tolvane {

std::optional<CommandId> GoFromAddressBar(std::string_view text, bool searches, AddressList& list) {
  if (text.find_first_not_of(' ') == std::string_view::npos) return std::nullopt;
  list.Add(text);
  return searches ? command::kAddressBarSearch : command::kNavigate;
}

std::vector<int> AddressHistory(const ItemList& items) {
  std::vector<int> shown;
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (!items.deleted(i) && !items.in_trash(i)) shown.push_back(static_cast<int>(i));
  }
  // The dates' fixed-width text sorts as time does.
  std::ranges::stable_sort(shown, {}, [&items](int i) -> const std::string& {
    return items.updated(static_cast<std::size_t>(i));
  });
  return shown;
}

std::vector<AddressCandidate> AddressDropDown(std::string_view typed,
                                              std::span<const std::string> history_urls,
                                              const AddressList& list) {
  std::vector<AddressCandidate> candidates;
  if (!typed.empty()) {
    for (std::size_t i = history_urls.size(); i-- > 0;) {
      if (history_urls[i].starts_with(typed)) {
        candidates.push_back({history_urls[i], static_cast<int>(i)});
      }
    }
    return candidates;
  }
  for (const std::string& entry : list.entries()) {
    const auto it = std::ranges::find(history_urls, entry);
    candidates.push_back(
        {entry, it == history_urls.end() ? -1 : static_cast<int>(it - history_urls.begin())});
  }
  return candidates;
}

}  // namespace tolvane
