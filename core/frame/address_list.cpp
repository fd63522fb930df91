#include "core/frame/address_list.h"

#include <algorithm>

#include "core/files/ini_document.h"
#include "core/files/setting_keys.h"

namespace tolvane {
namespace {

// Whether the settings file gives `text` back as it is: not empty, no line
// break or NUL, no spaces or one pair of quotes around it.
bool Storable(std::string_view text) {
  return !text.empty() && IniDocument::IsStorableValue(text) &&
         IniDocument::CleanValue(text) == text;
}

}  // namespace

AddressList::AddressList(int capacity) : capacity_(std::max(capacity, 0)) {}

AddressList AddressList::Read(const SettingsStore& settings) {
  const SettingsSection section = settings.ReadSection(settings::kAddressListSection);
  AddressList list(tolvane::Read(section, settings::kAddressListMaxNumItems));
  const int count =
      std::min(tolvane::Read(section, settings::kAddressListNumItems), list.capacity_);
  for (int i = 0; i < count; ++i) {
    std::string entry = section.GetString(settings::NumberedKey(settings::kUrlKeyPrefix, i), "");
    if (!Storable(entry) || std::ranges::find(list.entries_, entry) != list.entries_.end())
      continue;
    list.entries_.push_back(std::move(entry));
  }
  return list;
}

bool AddressList::Write(SettingsStore& settings) const {
  std::vector<std::string> lines;
  lines.push_back(std::string(settings::kAddressListNumItems.key) + "=" +
                  std::to_string(entries_.size()));
  for (std::size_t i = 0; i < entries_.size(); ++i) {
    lines.push_back(settings::NumberedKey(settings::kUrlKeyPrefix, static_cast<int>(i)) + "=" +
                    entries_[i]);
  }
  return settings.WriteSection(settings::kAddressListSection, lines);
}

void AddressList::Add(std::string_view text) {
  if (!Storable(text)) return;
  std::erase(entries_, text);
  entries_.insert(entries_.begin(), std::string(text));
  if (entries_.size() > static_cast<std::size_t>(capacity_)) entries_.resize(capacity_);
}

std::string AddressList::Describe() const {
  std::string text;
  for (const std::string& entry : entries_) {
    if (!text.empty()) text += " | ";
    text += entry;
  }
  return text;
}

}  // namespace tolvane
