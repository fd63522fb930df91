#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "core/app/env.h"

namespace tolvane {

// The settings file vq_system.ini, read and written as Shift_JIS bytes with
// the rules of the Windows private-profile calls: section and key names are
// compared without regard to ASCII case (double-byte characters compared
// exactly), values are trimmed, an integer is the leading decimal number
// with its sign, and a missing key gives the caller's default.
//
// Nothing is cached: every call reads the file, every write rewrites it
// through Env::ReplaceFile, so a crash never leaves half a settings file.
class SettingsStore {
 public:
  SettingsStore(std::filesystem::path ini_path, Env& env);

  const std::filesystem::path& path() const { return path_; }

  int GetInt(std::string_view section, std::string_view key, int default_value) const;
  std::string GetString(std::string_view section, std::string_view key,
                        std::string_view default_value) const;

  bool WriteInt(std::string_view section, std::string_view key, int value);
  bool WriteString(std::string_view section, std::string_view key, std::string_view value);
  // Replaces the whole section by these "key=value" lines (created when missing).
  bool WriteSection(std::string_view section, const std::vector<std::string>& lines);
  bool DeleteSection(std::string_view section);
  bool DeleteKey(std::string_view section, std::string_view key);

 private:
  std::filesystem::path path_;
  Env& env_;
};

}  // namespace tolvane
