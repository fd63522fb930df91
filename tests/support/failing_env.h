#pragma once

#include <filesystem>
#include <set>
#include <string>

#include "core/app/env.h"
#include "platform/posix_env.h"

namespace tolvane::testing {

// The real POSIX Env, except that replacing a file whose name is in
// `failing_files` fails as a full disk would.
class FailingEnv : public Env {
 public:
  explicit FailingEnv(const std::filesystem::path& mutex_dir) : real_(mutex_dir) {}

  std::set<std::string> failing_files;
  std::set<std::string> replaced_files;  // names written, in any order

  bool ReplaceFile(const std::filesystem::path& path, std::string_view contents,
                   std::string* error) override {
    const auto name = path.filename().string();
    if (failing_files.count(name)) {
      if (error) *error = "no space left on device";
      return false;
    }
    replaced_files.insert(name);
    return real_.ReplaceFile(path, contents, error);
  }
  std::unique_ptr<Hold> HoldFileExclusively(const std::filesystem::path& path) override {
    return real_.HoldFileExclusively(path);
  }
  bool IsFileHeldElsewhere(const std::filesystem::path& path) override {
    return real_.IsFileHeldElsewhere(path);
  }
  std::unique_ptr<Hold> AcquireNamedMutex(std::string_view name) override {
    return real_.AcquireNamedMutex(name);
  }

 private:
  PosixEnv real_;
};

}  // namespace tolvane::testing
