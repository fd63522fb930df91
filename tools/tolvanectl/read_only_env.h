#pragma once

#include <memory>

#include "core/files/env.h"

namespace tolvane {

// Lets tolvanectl load a data directory the way start-up does without
// touching it: no hold is taken (a running browser may own the directory),
// no lock file is created, no damaged file is copied aside, no temporary file is removed, and
// writes go to `inner` only (roundtrip writes into its output directory).
class ReadOnlyEnv : public Env {
 public:
  explicit ReadOnlyEnv(Env& inner) : inner_(inner) {}

  bool ReplaceFile(const std::filesystem::path& path, std::string_view contents,
                   std::string* error) override {
    return inner_.ReplaceFile(path, contents, error);
  }
  std::unique_ptr<Hold> HoldFileExclusively(const std::filesystem::path&, HoldRefusal*) override {
    return std::make_unique<Hold>();
  }
  bool IsFileHeldElsewhere(const std::filesystem::path&) override { return false; }
  std::unique_ptr<Hold> AcquireNamedMutex(std::string_view) override {
    return std::make_unique<Hold>();
  }
  bool CopyFile(const std::filesystem::path&, const std::filesystem::path&, std::string*) override {
    return true;
  }
  // A running browser's temporary files are its own.
  bool RemoveFile(const std::filesystem::path&) override { return false; }

 private:
  Env& inner_;
};

}  // namespace tolvane
