#include "core/files/settings_section.h"

#include <utility>

#include "core/files/ini_document.h"

namespace tolvane {

SettingsSection::SettingsSection(std::shared_ptr<const IniDocument> document, std::string_view name)
    : document_(std::move(document)), name_(name) {}

int SettingsSection::GetInt(std::string_view key, int default_value) const {
  return document_->GetInt(name_, key, default_value);
}

std::string SettingsSection::GetString(std::string_view key, std::string_view default_value) const {
  return document_->GetString(name_, key, default_value);
}

}  // namespace tolvane
