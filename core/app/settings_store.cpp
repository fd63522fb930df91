#include "core/app/settings_store.h"

#include <system_error>
#include <utility>

#include "core/app/ini_document.h"

namespace tolvane {
namespace {

enum class LoadResult { kLoaded, kMissing, kUnreadable };

LoadResult LoadFile(const std::filesystem::path& path, std::string* bytes) {
  if (ReadWholeFile(path, bytes)) return LoadResult::kLoaded;
  std::error_code ec;
  const auto status = std::filesystem::symlink_status(path, ec);
  if (status.type() == std::filesystem::file_type::not_found) return LoadResult::kMissing;
  return LoadResult::kUnreadable;
}

IniDocument ReadDocument(const std::filesystem::path& path) {
  std::string bytes;
  if (LoadFile(path, &bytes) != LoadResult::kLoaded) return IniDocument();
  return IniDocument::Parse(bytes);
}

// Reads the file, lets `edit` change it and writes it back when its bytes
// changed. A file that exists but cannot be read is never overwritten: the
// write fails instead of replacing the user's settings with one key.
template <typename Edit>
bool Rewrite(const std::filesystem::path& path, Env& env, Edit edit) {
  std::string old_bytes;
  const LoadResult loaded = LoadFile(path, &old_bytes);
  if (loaded == LoadResult::kUnreadable) return false;
  IniDocument doc = IniDocument::Parse(old_bytes);
  bool changed = false;
  if (!edit(doc, &changed)) return false;
  if (!changed) return true;
  std::string new_bytes = doc.Serialize();
  if (loaded == LoadResult::kLoaded && new_bytes == old_bytes) return true;
  std::string error;
  return env.ReplaceFile(path, new_bytes, &error);
}

}  // namespace

SettingsStore::SettingsStore(std::filesystem::path ini_path, Env& env)
    : path_(std::move(ini_path)), env_(env) {}

int SettingsStore::GetInt(std::string_view section, std::string_view key, int default_value) const {
  return ReadDocument(path_).GetInt(section, key, default_value);
}

std::string SettingsStore::GetString(std::string_view section, std::string_view key,
                                     std::string_view default_value) const {
  return ReadDocument(path_).GetString(section, key, default_value);
}

bool SettingsStore::WriteInt(std::string_view section, std::string_view key, int value) {
  return WriteString(section, key, std::to_string(value));
}

bool SettingsStore::WriteString(std::string_view section, std::string_view key,
                                std::string_view value) {
  return Rewrite(path_, env_, [&](IniDocument& doc, bool* changed) {
    *changed = true;
    return doc.SetValue(section, key, value);
  });
}

bool SettingsStore::WriteSection(std::string_view section, const std::vector<std::string>& lines) {
  return Rewrite(path_, env_, [&](IniDocument& doc, bool* changed) {
    *changed = true;
    return doc.ReplaceSection(section, lines);
  });
}

bool SettingsStore::DeleteSection(std::string_view section) {
  return Rewrite(path_, env_, [&](IniDocument& doc, bool* changed) {
    *changed = doc.DeleteSection(section);
    return true;
  });
}

bool SettingsStore::DeleteKey(std::string_view section, std::string_view key) {
  return Rewrite(path_, env_, [&](IniDocument& doc, bool* changed) {
    *changed = doc.DeleteKey(section, key);
    return true;
  });
}

}  // namespace tolvane
