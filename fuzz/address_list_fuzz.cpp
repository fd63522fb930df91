// Reads arbitrary bytes as a settings file holding the address list, adds
// addresses taken from the input, and checks that the list stays unique,
// without empty entries and within its capacity, and that what is written
// reads back the same.
#include <cstddef>
#include <cstdint>
#include <set>
#include <string>
#include <string_view>

#include "core/files/ini_document.h"
#include "core/frame/address_bar.h"
#include "core/frame/address_list.h"
#include "fuzz_support.h"
#include "settings_file.h"

using tolvane::fuzz::Check;

namespace {

void CheckInvariants(const tolvane::AddressList& list) {
  Check(list.capacity() >= 0);
  Check(list.entries().size() <= static_cast<std::size_t>(list.capacity()));
  const std::set<std::string> unique(list.entries().begin(), list.entries().end());
  Check(unique.size() == list.entries().size());
  Check(!unique.contains(""));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static tolvane::fuzz::SettingsFile file("address_list_fuzz");
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  // The part after the first NUL gives the addresses typed, one a line.
  const std::size_t split = bytes.find('\0');
  tolvane::SettingsStore& settings = file.Holding(bytes.substr(0, split));

  tolvane::AddressList list = tolvane::AddressList::Read(settings);
  CheckInvariants(list);
  if (split != std::string_view::npos) {
    for (std::string_view typed : tolvane::fuzz::Lines(bytes.substr(split + 1))) {
      tolvane::GoFromAddressBar(typed, false, list);
      CheckInvariants(list);
      const bool kept = !typed.empty() && tolvane::IniDocument::IsStorableValue(typed) &&
                        tolvane::IniDocument::CleanValue(typed) == typed;
      Check(!kept || list.capacity() == 0 || list.entries().front() == typed);
    }
  }
  for (const auto& candidate : tolvane::AddressDropDown("", list.entries(), list)) {
    Check(candidate.history_index >= 0);
  }

  if (list.Write(settings)) {
    const tolvane::AddressList reread = tolvane::AddressList::Read(settings);
    Check(reread.entries() == list.entries());
  }
  return 0;
}
