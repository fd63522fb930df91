#include "platform/posix_env.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "support/temp_dir.h"

namespace tolvane {
namespace {

using testing::ReadFile;
using testing::TempDir;
using testing::WriteFile;

std::vector<std::string> Names(const std::filesystem::path& dir) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(dir)) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

TEST(PosixEnvTest, ReplaceFileSwapsContentsAndLeavesNoTemporaryBehind) {
  TempDir dir;
  PosixEnv env(dir.path());
  std::string error;
  ASSERT_TRUE(env.ReplaceFile(dir / "a.txt", "first", &error)) << error;
  ASSERT_TRUE(env.ReplaceFile(dir / "a.txt", std::string(100000, 'x'), &error)) << error;
  EXPECT_EQ(ReadFile(dir / "a.txt"), std::string(100000, 'x'));
  EXPECT_EQ(Names(dir.path()), std::vector<std::string>{"a.txt"});
}

TEST(PosixEnvTest, ReplaceFileFailsCleanlyAndKeepsTheOldFile) {
  TempDir dir;
  PosixEnv env(dir.path());
  std::string error;
  std::filesystem::create_directory(dir / "store.fvf");
  EXPECT_FALSE(env.ReplaceFile(dir / "store.fvf", "x", &error));
  EXPECT_NE(error.find("store.fvf"), std::string::npos) << error;
  EXPECT_TRUE(std::filesystem::is_directory(dir / "store.fvf"));

  EXPECT_FALSE(env.ReplaceFile(dir / "no-such-dir" / "f", "x", &error));
  EXPECT_EQ(Names(dir.path()), std::vector<std::string>{"store.fvf"});
}

TEST(PosixEnvTest, AnExclusiveHoldKeepsOthersOutUntilReleased) {
  TempDir dir;
  PosixEnv env(dir.path());
  const auto file = dir / "vq_searchtree.egt";
  EXPECT_FALSE(env.IsFileHeldElsewhere(file));  // missing: nobody holds it

  auto hold = env.HoldFileExclusively(file, nullptr);
  ASSERT_NE(hold, nullptr);
  EXPECT_TRUE(std::filesystem::exists(file)) << "the hold creates the file";
  EXPECT_TRUE(env.IsFileHeldElsewhere(file));
  HoldRefusal refusal;
  EXPECT_EQ(env.HoldFileExclusively(file, &refusal), nullptr);
  EXPECT_TRUE(refusal.held_elsewhere);
  EXPECT_EQ(refusal.reason, "another process holds it");

  hold.reset();
  EXPECT_FALSE(env.IsFileHeldElsewhere(file));
  EXPECT_NE(env.HoldFileExclusively(file, nullptr), nullptr);
}

// Opening a FIFO for reading waits for a writer; nothing may wait.
TEST(PosixEnvTest, HoldsRefuseWhatIsNotARegularFileWithoutOpeningIt) {
  TempDir dir;
  PosixEnv env(dir.path());
  ASSERT_EQ(::mkfifo((dir / "fifo").c_str(), 0600), 0);
  std::filesystem::create_directory(dir / "dir");
  for (const auto& [name, reason] :
       {std::pair{"fifo", "it is a FIFO"}, std::pair{"dir", "it is a directory"}}) {
    HoldRefusal refusal;
    EXPECT_EQ(env.HoldFileExclusively(dir / name, &refusal), nullptr);
    EXPECT_FALSE(refusal.held_elsewhere);
    EXPECT_EQ(refusal.reason, reason);
    EXPECT_FALSE(env.IsFileHeldElsewhere(dir / name));
  }
}

TEST(PosixEnvTest, HoldingNeverTruncates) {
  TempDir dir;
  PosixEnv env(dir.path());
  WriteFile(dir / "f", "options");
  auto hold = env.HoldFileExclusively(dir / "f", nullptr);
  EXPECT_EQ(ReadFile(dir / "f"), "options");
}

TEST(PosixEnvTest, NamedMutexCanBeTakenAgainAfterRelease) {
  TempDir dir;
  PosixEnv env(dir / "runtime");
  { auto first = env.AcquireNamedMutex("Tolvane.exe"); }
  auto again = env.AcquireNamedMutex("Tolvane.exe");
  EXPECT_NE(again, nullptr);
  EXPECT_TRUE(std::filesystem::exists(dir / "runtime" / "Tolvane.exe.lock"));
}

}  // namespace
}  // namespace tolvane
