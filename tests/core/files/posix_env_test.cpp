#include "platform/posix_env.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>

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

// A store the user linked elsewhere stays linked: the save replaces the
// file the link leads to, beside it, and a link to nothing is not replaced.
TEST(PosixEnvTest, ReplaceFileWritesThroughALinkAndKeepsIt) {
  TempDir data;
  TempDir elsewhere;
  PosixEnv env(data.path());
  WriteFile(elsewhere / "favorites", "old");
  std::filesystem::create_symlink(elsewhere / "favorites", data / "vq_favorite.fvf");
  std::filesystem::create_symlink("vq_favorite.fvf", data / "link-to-link");
  std::filesystem::create_symlink(elsewhere / "gone", data / "vq_tab.tbf");
  std::string error;
  ASSERT_TRUE(env.ReplaceFile(data / "vq_favorite.fvf", "new", &error)) << error;
  ASSERT_TRUE(env.ReplaceFile(data / "link-to-link", "newer", &error)) << error;
  EXPECT_FALSE(env.ReplaceFile(data / "vq_tab.tbf", "x", &error));
  EXPECT_EQ(error, "cannot follow the link " + (data / "vq_tab.tbf").string() +
                       ": No such file or directory");
  std::string copy_error;
  ASSERT_TRUE(env.CopyFile(data / "link-to-link", data / "copy", &copy_error)) << copy_error;

  EXPECT_EQ(std::filesystem::read_symlink(data / "vq_favorite.fvf"), elsewhere / "favorites");
  EXPECT_EQ(std::filesystem::read_symlink(data / "link-to-link"), "vq_favorite.fvf");
  EXPECT_EQ(std::filesystem::read_symlink(data / "vq_tab.tbf"), elsewhere / "gone");
  EXPECT_EQ(ReadFile(elsewhere / "favorites"), "newer");
  EXPECT_EQ(ReadFile(data / "copy"), "newer");
  EXPECT_EQ(Names(data.path()),
            (std::vector<std::string>{"copy", "link-to-link", "vq_favorite.fvf", "vq_tab.tbf"}));
  EXPECT_EQ(Names(elsewhere.path()), std::vector<std::string>{"favorites"});
}

// A damaged store is kept aside before a save replaces it; it may be as
// large as the largest store, so the copy goes a block at a time.
TEST(PosixEnvTest, CopyFileCopiesABigFileInBlocks) {
  TempDir dir;
  constexpr std::uintmax_t kBytes = 64 << 20;
  WriteFile(dir / "vq_clip.clf", "head");
  std::filesystem::resize_file(dir / "vq_clip.clf", kBytes);  // sparse
  WriteFile(dir / "vq_clip.clf.damaged", "earlier");
  struct rusage self {};
  ::getrusage(RUSAGE_SELF, &self);
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    PosixEnv env(dir.path());
    std::string error;
    ::_exit(env.CopyFile(dir / "vq_clip.clf", dir / "vq_clip.clf.damaged", &error) ? 0 : 1);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  struct rusage children {};
  ::getrusage(RUSAGE_CHILDREN, &children);
  // ru_maxrss is in KiB; the child starts with this process's pages.
  EXPECT_LT(children.ru_maxrss, self.ru_maxrss + 16 * 1024);
  EXPECT_EQ(std::filesystem::file_size(dir / "vq_clip.clf.damaged"), kBytes);
  EXPECT_EQ(ReadFile(dir / "vq_clip.clf.damaged").substr(0, 5), std::string("head\0", 5));
  EXPECT_EQ(Names(dir.path()), (std::vector<std::string>{"vq_clip.clf", "vq_clip.clf.damaged"}));
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

// The runtime directory holds the machine-wide mutex and the hand-over
// socket: one that another user made, or may enter, is refused.
TEST(PosixEnvTest, PrivateDirectoriesAreMadeForTheUserAloneAndOthersAreRefused) {
  TempDir dir;
  std::string error;
  ASSERT_TRUE(PosixEnv::PrivateDirectory(dir / "own", &error)) << error;
  struct stat st {};
  ASSERT_EQ(::lstat((dir / "own").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0700u);
  EXPECT_TRUE(PosixEnv::PrivateDirectory(dir / "own", &error)) << "taken again as it is";

  std::filesystem::create_directory(dir / "open");
  ::chmod((dir / "open").c_str(), 01777);
  std::filesystem::create_directory(dir / "theirs", dir / "own");
  // Tests run as root, who may give the directory away.
  ASSERT_EQ(::chown((dir / "theirs").c_str(), ::geteuid() + 1, static_cast<gid_t>(-1)), 0);
  std::filesystem::create_directory_symlink(dir / "own", dir / "link");
  const std::string prefix = dir.path().string() + "/";
  for (const auto& [name, why] : {std::pair{"open", "open: other users may enter it"},
                                  std::pair{"theirs", "theirs: it belongs to another user"},
                                  std::pair{"link", "link: it is not a directory"}}) {
    EXPECT_FALSE(PosixEnv::PrivateDirectory(dir / name, &error)) << name;
    EXPECT_EQ(error, prefix + why);
  }
  EXPECT_EQ(::lstat((dir / "open").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 01777u) << "refused, not repaired";
}

// A mutex someone else holds for ever costs a short wait, not a hang.
TEST(PosixEnvTest, NamedMutexGivesUpAfterItsWait) {
  TempDir dir;
  PosixEnv env(dir.path(), std::chrono::milliseconds(50));
  auto held = env.AcquireNamedMutex("Tolvane.exe");
  ASSERT_NE(held, nullptr);
  // flock holds belong to the open file: a second open is another holder.
  EXPECT_EQ(env.AcquireNamedMutex("Tolvane.exe"), nullptr);
  held.reset();
  EXPECT_NE(env.AcquireNamedMutex("Tolvane.exe"), nullptr);
  EXPECT_EQ(PosixEnv({}).AcquireNamedMutex("Tolvane.exe"), nullptr) << "no directory, no mutex";
}

}  // namespace
}  // namespace tolvane
