#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/files/change_notifier.h"
#include "core/files/env.h"

namespace tolvane {

class IniDocument;
class SettingsSection;

// The settings file vq_system.ini, read and written as Shift_JIS bytes with
// the rules of the Windows private-profile calls: section and key names are
// compared without regard to ASCII case (double-byte characters compared
// exactly), values are trimmed, an integer is the leading decimal number
// with its sign, and a missing key gives the caller's default.
//
// Every call sees the file as it is now: each looks at the file's size and
// modification time (Env::StatFile), and the parsed file is kept as long as
// they stay the same. Since file times advance in coarse steps, a file
// changed within the last few seconds is read again at each call, but parsed
// again only when its bytes differ. A reader of many keys of one section
// takes the section once (ReadSection) and looks at the file once. Every write
// rewrites it through Env::ReplaceFile, so a crash never leaves half a
// settings file.
//
// A file that exists but is not a regular file (a directory, FIFO, device),
// cannot be read, or is larger than kMaxFileBytes is never opened for
// writing: reads give the defaults, writes fail, and Problem() says why.
class SettingsStore {
 public:
  static constexpr std::string_view kFileName = "vq_system.ini";
  // Far above what the program writes (a few kilobytes; lists of at most a
  // hundred addresses): a larger file is not a settings file.
  static constexpr std::uintmax_t kMaxFileBytes = 8u << 20;

  SettingsStore(std::filesystem::path ini_path, Env& env);
  ~SettingsStore();

  const std::filesystem::path& path() const { return path_; }

  // Why the file cannot be used (English, e.g. "it is a directory"); empty
  // when it can (a missing file can: it gives the defaults and is created by the
  // first write).
  std::string Problem() const;

  int GetInt(std::string_view section, std::string_view key, int default_value) const;
  std::string GetString(std::string_view section, std::string_view key,
                        std::string_view default_value) const;
  // The section as the file holds it now, for reading several of its keys.
  SettingsSection ReadSection(std::string_view section) const;

  bool WriteInt(std::string_view section, std::string_view key, int value);
  bool WriteString(std::string_view section, std::string_view key, std::string_view value);
  // Replaces the whole section by these "key=value" lines (created when missing).
  bool WriteSection(std::string_view section, const std::vector<std::string>& lines);
  bool DeleteSection(std::string_view section);
  bool DeleteKey(std::string_view section, std::string_view key);

  // Told of every write that changed the file (section and key; an empty
  // key for a whole section).
  ChangeNotifier& changes() { return changes_; }

 private:
  struct Stamp {
    std::uintmax_t size = 0;
    std::filesystem::file_time_type modified;
    bool operator==(const Stamp&) const = default;
  };

  // The file as it is now, read again only when its stamp changed or is
  // recent. Sets problem_ when it cannot be used.
  const std::shared_ptr<const IniDocument>& Current() const;
  // The file's stamp; nullopt when it is missing or, with *problem set,
  // when it cannot be used.
  std::optional<Stamp> ReadStamp(std::string* problem) const;
  // Reads the file, lets `edit` change the document and writes it back when
  // its bytes changed.
  // `section`/`key` name what changes, for the observers.
  template <typename Edit>
  bool Rewrite(std::string_view section, std::string_view key, Edit edit);

  std::filesystem::path path_;
  Env& env_;
  ChangeNotifier changes_;
  // Shared with the sections handed out, which keep the file as it was.
  mutable std::shared_ptr<const IniDocument> document_;
  mutable std::string bytes_;           // what document_ was read from
  mutable std::optional<Stamp> stamp_;  // of the file bytes_ came from
  mutable bool stamp_trusted_ = false;  // old enough to tell every change
  mutable std::string problem_;
};

}  // namespace tolvane
