#pragma once

#include <chrono>
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
  // How long AcquireNamedMutex waits for a hold of another process: the
  // mutex only covers short moments (a start taking its directory, the
  // search tree file rewritten), so a longer hold is not one of ours.
  static constexpr std::chrono::milliseconds kMutexWait{3000};

  // Named mutexes are lock files "<name>.lock" in `mutex_dir` (the user's
  // runtime directory), shared by every copy of the program of this user;
  // with an empty `mutex_dir` there are none.
  explicit PosixEnv(std::filesystem::path mutex_dir,
                    std::chrono::milliseconds mutex_wait = kMutexWait);

  // The user's runtime directory, which holds the named mutexes and the
  // hand-over socket: $XDG_RUNTIME_DIR when it is a private directory
  // (PrivateDirectory), else "tolvane-<uid>" in the temp directory, made
  // private. Empty, with the reason in *error, when that one is refused: a
  // directory anyone else may reach is never shared with them.
  static std::filesystem::path DefaultMutexDirectory(std::string* error = nullptr);

  // Makes `dir` with mode 0700 unless it exists. True when it then is a
  // directory (not a link) owned by this user that nobody else may enter;
  // false with the reason in *error otherwise (it is refused, not repaired:
  // another user may have made it).
  static bool PrivateDirectory(const std::filesystem::path& dir, std::string* error);

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
  std::chrono::milliseconds mutex_wait_;
};

}  // namespace tolvane
