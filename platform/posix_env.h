#pragma once

#include <filesystem>
#include <functional>
#include <string>

#include "core/files/env.h"

namespace tolvane {

// Env on Linux: fsync + rename for durable saves, flock(2) for the holds.
// flock locks belong to the open file description, so they vanish with the
// process that took them: a crashed copy never leaves the data directory
// locked.
class PosixEnv : public Env {
 public:
  // Named mutexes are lock files "<name>.lock" in `mutex_dir` (the user's
  // runtime directory), shared by every copy of the program of this user.
  explicit PosixEnv(std::filesystem::path mutex_dir);

  // The user's runtime directory: $XDG_RUNTIME_DIR, else the temp directory.
  static std::filesystem::path DefaultMutexDirectory();

  // A link at `path` is kept: the file it leads to is replaced, beside it.
  bool ReplaceFile(const std::filesystem::path& path, std::string_view contents,
                   std::string* error) override;
  // Copies a block at a time, replacing `to` as ReplaceFile does.
  bool CopyFile(const std::filesystem::path& from, const std::filesystem::path& to,
                std::string* error) override;
  std::unique_ptr<Hold> HoldFileExclusively(const std::filesystem::path& path,
                                            HoldRefusal* refusal) override;
  bool IsFileHeldElsewhere(const std::filesystem::path& path) override;
  std::unique_ptr<Hold> AcquireNamedMutex(std::string_view name) override;

 private:
  // Writes a temporary file beside `path` (or beside the file a link at
  // `path` leads to) with `write`, syncs it and renames it over. `write`
  // returns false with its reason, or leaves it empty for a failed write.
  bool ReplaceWith(const std::filesystem::path& path,
                   const std::function<bool(int fd, std::string* why)>& write, std::string* error);

  std::filesystem::path mutex_dir_;
};

}  // namespace tolvane
