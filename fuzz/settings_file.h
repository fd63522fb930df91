#pragma once

// A settings file for fuzz targets that read through SettingsStore: the
// input is written to a file of this process, and writes replace it in
// place (no durability needed here).
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <string_view>

#include "core/files/env.h"
#include "core/files/settings_store.h"

namespace tolvane::fuzz {

class PlainFileEnv : public Env {
 public:
  bool ReplaceFile(const std::filesystem::path& path, std::string_view contents,
                   std::string* error) override {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(contents.data(), static_cast<std::streamsize>(contents.size()));
    if (!out.flush()) *error = "write failed";
    return static_cast<bool>(out);
  }
  std::unique_ptr<Hold> HoldFileExclusively(const std::filesystem::path&, HoldRefusal*) override {
    return nullptr;
  }
  bool IsFileHeldElsewhere(const std::filesystem::path&) override { return false; }
  std::unique_ptr<Hold> AcquireNamedMutex(std::string_view) override { return nullptr; }
};

class SettingsFile {
 public:
  explicit SettingsFile(std::string_view name)
      : path_(std::filesystem::temp_directory_path() /
              (std::string(name) + "." + std::to_string(getpid()) + ".ini")),
        store_(path_, env_) {}
  ~SettingsFile() {
    std::error_code ignored;
    std::filesystem::remove(path_, ignored);
  }

  SettingsStore& Holding(std::string_view bytes) {
    std::string error;
    env_.ReplaceFile(path_, bytes, &error);
    return store_;
  }

 private:
  std::filesystem::path path_;
  PlainFileEnv env_;
  SettingsStore store_;
};

}  // namespace tolvane::fuzz
