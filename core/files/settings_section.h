#pragma once

#include <memory>
#include <string>
#include <string_view>

namespace tolvane {

class IniDocument;

// One section of the settings file as it was when SettingsStore::ReadSection
// took it: its keys are looked up without looking at the file again, so a
// list of many entries costs one look at the file, not one per key. Keeps
// the parsed file alive; later changes of the file are not seen.
class SettingsSection {
 public:
  SettingsSection(std::shared_ptr<const IniDocument> document, std::string_view name);

  int GetInt(std::string_view key, int default_value) const;
  std::string GetString(std::string_view key, std::string_view default_value) const;

 private:
  std::shared_ptr<const IniDocument> document_;
  std::string name_;
};

}  // namespace tolvane
