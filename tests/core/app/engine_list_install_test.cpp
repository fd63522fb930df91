#include "core/app/engine_list_install.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "support/failing_env.h"
#include "support/temp_dir.h"

namespace tolvane {
namespace {

namespace fs = std::filesystem;
using Status = EngineListInstall::Status;

const std::string kShipped =
    "@@SearchEngineList@@\r\n0\t100\t\t2026/12/07\r\n1\r\n1010\tshops\t0\r\n1\r\n"
    "1010001\t1010\ta\tb\tc\thttps://a.example/\t\thttps://a.example/?q=$0\t\t\t\t3\r\n";

class EngineListInstallTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(dir_ / "program");
    fs::create_directories(dir_ / "data");
    testing::WriteFile(shipped_, kShipped);
  }

  testing::TempDir dir_;
  testing::FailingEnv env_{dir_.path()};
  const fs::path shipped_ = dir_ / "program" / "vq_search.eng";
  const fs::path target_ = dir_ / "data" / "vq_search.eng";
};

TEST_F(EngineListInstallTest, CopiesIntoADataDirectoryWithoutAList) {
  const EngineListInstall result = InstallEngineList(shipped_, target_, env_);
  EXPECT_EQ(result.status, Status::kInstalled) << result.message;
  EXPECT_EQ(testing::ReadFile(target_), kShipped);
  // Once there, it stays: the next start finds it present.
  EXPECT_EQ(InstallEngineList(shipped_, target_, env_).status, Status::kAlreadyPresent);
  EXPECT_EQ(env_.replace_calls, 1);
}

TEST_F(EngineListInstallTest, NeverReplacesWhatIsThere) {
  // A newer download, a damaged list the document must report, a directory
  // and a dangling link are all left exactly as they are.
  const std::string downloaded = "@@SearchEngineList@@\r\n0\t205\t\t2027/03/01\r\n0\r\n0\r\n";
  testing::WriteFile(target_, downloaded);
  EXPECT_EQ(InstallEngineList(shipped_, target_, env_).status, Status::kAlreadyPresent);
  EXPECT_EQ(testing::ReadFile(target_), downloaded);

  testing::WriteFile(target_, "garbage");
  EXPECT_EQ(InstallEngineList(shipped_, target_, env_).status, Status::kAlreadyPresent);
  EXPECT_EQ(testing::ReadFile(target_), "garbage");

  fs::remove(target_);
  fs::create_directory(target_);
  EXPECT_EQ(InstallEngineList(shipped_, target_, env_).status, Status::kAlreadyPresent);
  EXPECT_TRUE(fs::is_directory(target_));

  fs::remove(target_);
  fs::create_symlink(dir_ / "nowhere", target_);
  EXPECT_EQ(InstallEngineList(shipped_, target_, env_).status, Status::kAlreadyPresent);
  EXPECT_TRUE(fs::is_symlink(fs::symlink_status(target_)));
  EXPECT_EQ(env_.replace_calls, 0);
}

TEST_F(EngineListInstallTest, NothingShippedIsNotAFailure) {
  fs::remove(shipped_);
  const EngineListInstall result = InstallEngineList(shipped_, target_, env_);
  EXPECT_EQ(result.status, Status::kNoShippedList);
  EXPECT_TRUE(result.ok());
  EXPECT_FALSE(fs::exists(target_));
}

TEST_F(EngineListInstallTest, ReportsFailuresAndLeavesNoFileBehind) {
  struct Case {
    const char* what;
    std::string shipped;  // written over the shipped list when not empty
    bool fail_write;
    const char* message_part;
  };
  const Case cases[] = {
      // A damaged list would stop every start; no list only leaves the shops out.
      {"wrong marker", "@@FavoriteList@@\r\n0\r\n0\r\n0\r\n", false, "line 1: "},
      {"truncated", kShipped.substr(0, kShipped.find("1010001")), false, "line 6: "},
      {"full disk", "", true, "no space left on device"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    testing::WriteFile(shipped_, c.shipped.empty() ? kShipped : c.shipped);
    env_.fail_every_replace = c.fail_write;
    const EngineListInstall result = InstallEngineList(shipped_, target_, env_);
    EXPECT_EQ(result.status, Status::kFailed);
    EXPECT_FALSE(result.ok());
    EXPECT_NE(result.message.find(c.message_part), std::string::npos) << result.message;
    EXPECT_EQ(fs::directory_iterator(dir_ / "data"), fs::directory_iterator());
  }

  fs::remove(shipped_);
  fs::create_directory(shipped_);  // unreadable as a file
  const EngineListInstall result = InstallEngineList(shipped_, target_, env_);
  EXPECT_EQ(result.status, Status::kFailed);
  EXPECT_NE(result.message.find(shipped_.string()), std::string::npos) << result.message;
}

}  // namespace
}  // namespace tolvane
