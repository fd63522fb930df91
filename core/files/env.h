#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

namespace tolvane {

// A hold on a resource that is released when the object is destroyed.
class Hold {
 public:
  virtual ~Hold() = default;
};

// Why Env::HoldFileExclusively gave no hold.
struct HoldRefusal {
  bool held_elsewhere = false;  // another process holds the file right now
  std::string reason;           // what is wrong with the file (English), e.g. "it is a FIFO"
};

// What a file is now: its type and, for a regular file, its size and
// modification time. `error` is set when the file exists but could not be
// looked at.
struct FileStatus {
  std::filesystem::file_type type = std::filesystem::file_type::not_found;
  std::uintmax_t size = 0;
  std::filesystem::file_time_type modified;
  std::string error;
};

// What core needs of the operating system beyond the C++ standard library:
// durable file replacement and the cross-process holds that keep one copy of
// the program per data directory. platform/PosixEnv implements it; tests may
// wrap it to inject failures.
class Env {
 public:
  virtual ~Env() = default;

  // Replaces `path` with `contents`: written to a temporary file in the same
  // directory, flushed to disk, then renamed over `path`. On failure returns
  // false with a reason in *error; the previous file is left untouched and
  // no temporary file remains.
  virtual bool ReplaceFile(const std::filesystem::path& path, std::string_view contents,
                           std::string* error) = 0;

  // Opens `path` (creating it empty when missing, never truncating) and
  // holds it exclusively against other processes until the hold is
  // destroyed. Never blocks: returns nullptr, saying why in *refusal when
  // given, when another process holds it, when it is not a regular file
  // (a FIFO, device, socket or directory is never opened for reading or
  // writing) or when it cannot be opened.
  virtual std::unique_ptr<Hold> HoldFileExclusively(const std::filesystem::path& path,
                                                    HoldRefusal* refusal) = 0;

  // True when another process holds `path` exclusively right now. Never
  // blocks; false for a file that is missing or not a regular file.
  virtual bool IsFileHeldElsewhere(const std::filesystem::path& path) = 0;

  // Takes the machine-wide mutex of this name, waiting a few seconds at
  // most; nullptr when it could not be had (the caller goes on without it:
  // each data directory is kept to one copy by its own hold).
  virtual std::unique_ptr<Hold> AcquireNamedMutex(std::string_view name) = 0;

  // Copies `from` to `to`, replacing it as ReplaceFile does (durably, and
  // `to` stays as it was on failure): how a damaged store file is kept aside
  // before a save overwrites it. False with a reason in *error when the copy
  // failed.
  virtual bool CopyFile(const std::filesystem::path& from, const std::filesystem::path& to,
                        std::string* error);

  // Removes the regular file `path` (not a directory, not what a link
  // points to). False when nothing was removed.
  virtual bool RemoveFile(const std::filesystem::path& path);

  // Looks at `path` (following a link) without opening it.
  virtual FileStatus StatFile(const std::filesystem::path& path);
};

// Reads a whole regular file (standard C++ only). Returns false when it is
// missing, not a regular file, unreadable or larger than `max_bytes`; the
// type and size are checked before the file is opened, so a FIFO never
// blocks the caller and a huge file costs nothing.
bool ReadWholeFile(const std::filesystem::path& path, std::string* contents,
                   std::string* error = nullptr, std::uintmax_t max_bytes = UINTMAX_MAX);

}  // namespace tolvane
