#pragma once

#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "core/files/settings_store.h"
#include "platform/posix_env.h"
#include "support/temp_dir.h"

namespace tolvane {

// A settings file of its own in a fresh directory.
class FrameSettingsTest : public ::testing::Test {
 protected:
  void SetIni(std::string_view text) { testing::WriteFile(ini_path(), text); }
  // The file with its CR LF line ends read as LF.
  std::string Ini() const {
    std::string text = testing::ReadFile(ini_path());
    std::erase(text, '\r');
    return text;
  }
  std::filesystem::path ini_path() const { return dir_.path() / "vq_system.ini"; }

  testing::TempDir dir_;
  PosixEnv env_{dir_.path()};
  SettingsStore settings_{ini_path(), env_};
};

}  // namespace tolvane
