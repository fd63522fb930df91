#include "core/files/settings_store.h"

#include <chrono>
#include <utility>

#include "core/files/ini_document.h"
#include "core/files/settings_section.h"

namespace tolvane {
namespace {

constexpr std::chrono::seconds kRecentChange{3};

}  // namespace

SettingsStore::SettingsStore(std::filesystem::path ini_path, Env& env)
    : path_(std::move(ini_path)), env_(env), document_(std::make_shared<IniDocument>()) {}

SettingsStore::~SettingsStore() = default;

std::string SettingsStore::Problem() const {
  Current();
  return problem_;
}

const std::shared_ptr<const IniDocument>& SettingsStore::Current() const {
  std::string problem;
  std::optional<Stamp> stamp = ReadStamp(&problem);
  const bool same_stamp = stamp && stamp_ == stamp;
  if (same_stamp && stamp_trusted_) return document_;

  std::string bytes;
  if (stamp && !ReadWholeFile(path_, &bytes, &problem, kMaxFileBytes)) stamp.reset();
  // document_ reads as bytes_ parse (also after a write): a recent file read
  // again, or the program's own write read back, is not parsed again.
  if (bytes != bytes_) {
    document_ = std::make_shared<const IniDocument>(IniDocument::Parse(bytes));
    bytes_ = std::move(bytes);
  }
  stamp_ = stamp;
  // File times advance in coarse steps: a file changed within the last few
  // seconds may change again without its stamp changing, so it is read
  // again until its stamp is old enough to tell every change.
  stamp_trusted_ =
      stamp && stamp->modified + kRecentChange < std::filesystem::file_time_type::clock::now();
  problem_ = std::move(problem);
  return document_;
}

std::optional<SettingsStore::Stamp> SettingsStore::ReadStamp(std::string* problem) const {
  const FileStatus status = env_.StatFile(path_);
  if (status.type == std::filesystem::file_type::not_found) return std::nullopt;
  if (!status.error.empty()) {
    *problem = status.error;
  } else if (status.type == std::filesystem::file_type::directory) {
    *problem = "it is a directory";
  } else if (status.type != std::filesystem::file_type::regular) {
    // Opening a FIFO would wait for a writer, a device may do anything.
    *problem = "it is not a regular file";
  } else {
    return Stamp{status.size, status.modified};
  }
  return std::nullopt;
}

int SettingsStore::GetInt(std::string_view section, std::string_view key, int default_value) const {
  return Current()->GetInt(section, key, default_value);
}

std::string SettingsStore::GetString(std::string_view section, std::string_view key,
                                     std::string_view default_value) const {
  return Current()->GetString(section, key, default_value);
}

SettingsSection SettingsStore::ReadSection(std::string_view section) const {
  return SettingsSection(Current(), section);
}

// A file that cannot be used is never overwritten: the write fails instead
// of replacing the user's settings with one key.
template <typename Edit>
bool SettingsStore::Rewrite(std::string_view section, std::string_view key, Edit edit) {
  IniDocument doc = *Current();
  if (!problem_.empty()) return false;
  bool changed = false;
  if (!edit(doc, &changed)) return false;
  if (!changed) return true;
  std::string new_bytes = doc.Serialize();
  if (stamp_ && new_bytes == bytes_) return true;
  std::string error;
  if (!env_.ReplaceFile(path_, new_bytes, &error)) return false;
  // Keep what was written; the next read checks the file's new stamp.
  document_ = std::make_shared<const IniDocument>(std::move(doc));
  bytes_ = std::move(new_bytes);
  stamp_.reset();
  stamp_trusted_ = false;
  changes_.Notify({.part = StoreChange::Part::kSettings,
                   .section = std::string(section),
                   .key = std::string(key)});
  return true;
}

bool SettingsStore::WriteInt(std::string_view section, std::string_view key, int value) {
  return WriteString(section, key, std::to_string(value));
}

bool SettingsStore::WriteString(std::string_view section, std::string_view key,
                                std::string_view value) {
  return Rewrite(section, key, [&](IniDocument& doc, bool* changed) {
    *changed = true;
    return doc.SetValue(section, key, value);
  });
}

bool SettingsStore::WriteSection(std::string_view section, const std::vector<std::string>& lines) {
  return Rewrite(section, {}, [&](IniDocument& doc, bool* changed) {
    *changed = true;
    return doc.ReplaceSection(section, lines);
  });
}

bool SettingsStore::DeleteSection(std::string_view section) {
  return Rewrite(section, {}, [&](IniDocument& doc, bool* changed) {
    *changed = doc.DeleteSection(section);
    return true;
  });
}

bool SettingsStore::DeleteKey(std::string_view section, std::string_view key) {
  return Rewrite(section, key, [&](IniDocument& doc, bool* changed) {
    *changed = doc.DeleteKey(section, key);
    return true;
  });
}

}  // namespace tolvane
