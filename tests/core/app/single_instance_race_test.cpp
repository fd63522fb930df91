// Copies of the program started at the same instant, as separate processes
// through the real platform Env: exactly one may keep a data directory.
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "core/app/tolvane_doc.h"
#include "core/files/settings_store.h"
#include "platform/posix_env.h"
#include "support/fake_clock.h"
#include "support/temp_dir.h"

namespace tolvane {
namespace {

// The two ends of a pipe.
struct Pipe {
  int read = -1;
  int write = -1;
};

// Runs the document's start-up in a child once `go` closes, reports '1'
// (opened) or '0' on `report`, and keeps what it took until `stay` closes.
pid_t StartCopy(const std::filesystem::path& root, Pipe go_pipe, Pipe report_pipe, Pipe stay_pipe) {
  const pid_t pid = ::fork();
  if (pid != 0) return pid;
  // Only the test holds the ends that it closes to tell the copies.
  for (int fd : {go_pipe.write, report_pipe.read, stay_pipe.write}) ::close(fd);
  const int go = go_pipe.read, report = report_pipe.write, stay = stay_pipe.read;
  char byte;
  while (::read(go, &byte, 1) > 0) {
  }
  PosixEnv env(root / "mutex");
  SettingsStore settings(root / "data" / SettingsStore::kFileName, env);
  testing::FakeClock clock;
  CTolvaneDoc doc(root / "data", settings, env, clock);
  const char opened = doc.OnNewDocument().ok() ? '1' : '0';
  if (::write(report, &opened, 1) != 1) ::_exit(2);
  while (::read(stay, &byte, 1) > 0) {
  }
  ::_exit(0);
}

TEST(SingleInstanceRaceTest, TwoCopiesStartedTogetherOnAFreshDirectoryLeaveExactlyOne) {
  constexpr int kRounds = 30;
  std::string outcomes;
  for (int round = 0; round < kRounds; ++round) {
    testing::TempDir root;
    std::filesystem::create_directories(root / "data");
    // Every third round the options file is a directory: it used to decide.
    if (round % 3 == 2) std::filesystem::create_directories(root / "data" / "vq_searchtree.egt");
    Pipe go, report, stay;
    for (Pipe* p : {&go, &report, &stay}) {
      int fds[2];
      ASSERT_EQ(::pipe(fds), 0);
      *p = {fds[0], fds[1]};
    }
    pid_t copies[2];
    for (pid_t& copy : copies) {
      copy = StartCopy(root.path(), go, report, stay);
      ASSERT_GT(copy, 0);
    }
    ::close(go.write);  // both start now
    char opened[2] = {};
    for (char& one : opened) ASSERT_EQ(::read(report.read, &one, 1), 1);
    outcomes += (opened[0] == '1') + (opened[1] == '1') == 1 ? '.' : 'X';
    ::close(stay.write);
    for (pid_t copy : copies) {
      int status = 0;
      ASSERT_EQ(::waitpid(copy, &status, 0), copy);
      EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    for (int fd : {go.read, report.read, report.write, stay.read}) ::close(fd);
  }
  EXPECT_EQ(outcomes, std::string(kRounds, '.')) << "X: not exactly one copy kept the directory";
}

}  // namespace
}  // namespace tolvane
