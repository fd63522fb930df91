#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/commands/command_id.h"
#include "core/frame/address_list.h"
#include "core/stores/item_list.h"

namespace tolvane {

// Enter or the go button in the address bar with `text` (Shift_JIS): the
// command to run, command::kAddressBarSearch when `searches` (what
// SearchRunner::AddressBarSearches says of the text) or else
// command::kNavigate, with the text added to `list` either way. Blank
// text runs nothing and is not added.
std::optional<CommandId> GoFromAddressBar(std::string_view text, bool searches, AddressList& list);

// One line of the address bar's drop-down: the text and the history item
// whose image it shows (its position in the listing given, -1 for none:
// the default image).
struct AddressCandidate {
  std::string text;
  int history_index = -1;

  friend bool operator==(const AddressCandidate&, const AddressCandidate&) = default;
};

// The history items the address bar offers, as indices into `items`: those
// neither deleted nor in the trash, least recently visited (updated) first,
// equal dates in store order. Reversed, the drop-down lists the latest
// visits first.
std::vector<int> AddressHistory(const ItemList& items);

// The drop-down for the typed text. `history_urls` are the history items'
// URLs in the history store's current sort order. With text: the items
// whose URL begins with it (bytes compared), last of that order first. With
// empty text (F4 or the drop-down button): the address list, each entry with
// the first history item of the same URL.
std::vector<AddressCandidate> AddressDropDown(std::string_view typed,
                                              std::span<const std::string> history_urls,
                                              const AddressList& list);

}  // namespace tolvane
