#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <utility>

#include "core/files/env.h"
#include "core/files/store_type.h"

namespace tolvane {

// Lets tolvanectl load a data directory the way start-up does without
// touching it: no hold is taken (a running browser may own the directory),
// no lock file is created, no damaged file is copied aside, no temporary file is removed, no
// store file of `dir` is written, and other writes go to `inner` only
// (roundtrip writes into its output directory, shortcuts into the settings).
class ReadOnlyEnv : public Env {
 public:
  ReadOnlyEnv(Env& inner, std::filesystem::path dir) : inner_(inner), dir_(std::move(dir)) {}

  bool ReplaceFile(const std::filesystem::path& path, std::string_view contents,
                   std::string* error) override {
    for (int i = 0; i < kStoreTypeCount; ++i) {
      if (path == dir_ / std::string(StoreFileName(static_cast<StoreType>(i)))) {
        if (error) *error = "tolvanectl writes no store file of the directory it reads";
        return false;
      }
    }
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
  std::filesystem::path dir_;
};

}  // namespace tolvane
