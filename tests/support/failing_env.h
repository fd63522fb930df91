#pragma once

#include <filesystem>
#include <set>
#include <string>

#include "platform/posix_env.h"

namespace tolvane::testing {

// The real POSIX Env, except that replacing a file fails as a full disk
// would: every replacement with `fail_every_replace`, else those of the file
// names in `failing_files`. Counts how often a file is looked at.
class FailingEnv : public PosixEnv {
 public:
  explicit FailingEnv(const std::filesystem::path& mutex_dir) : PosixEnv(mutex_dir) {}

  std::set<std::string> failing_files;
  bool fail_every_replace = false;
  std::string failure = "no space left on device";

  int replace_calls = 0;                 // attempts, failed ones included
  std::set<std::string> replaced_files;  // names written, in any order
  int stat_calls = 0;

  FileStatus StatFile(const std::filesystem::path& path) override {
    ++stat_calls;
    return PosixEnv::StatFile(path);
  }

  bool ReplaceFile(const std::filesystem::path& path, std::string_view contents,
                   std::string* error) override {
    ++replace_calls;
    const auto name = path.filename().string();
    if (fail_every_replace || failing_files.count(name)) {
      if (error) *error = failure;
      return false;
    }
    replaced_files.insert(name);
    return PosixEnv::ReplaceFile(path, contents, error);
  }

  // A copy replaces `to` too, and fails the same way.
  bool CopyFile(const std::filesystem::path& from, const std::filesystem::path& to,
                std::string* error) override {
    if (fail_every_replace || failing_files.count(to.filename().string())) {
      if (error) *error = failure;
      return false;
    }
    return PosixEnv::CopyFile(from, to, error);
  }
};

}  // namespace tolvane::testing
