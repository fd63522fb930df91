#include "core/app/shutdown_sequence.h"

#include <gtest/gtest.h>

#include <functional>

#include "core/files/string_table.h"
#include "core/text/charset_converter.h"
#include "support/failing_env.h"
#include "support/fake_clock.h"
#include "support/temp_dir.h"

namespace tolvane {
namespace {

using testing::FailingEnv;
using testing::TempDir;

// Records what the close asked of the frame, in order.
class RecordingFrame : public ShutdownFrame {
 public:
  ExitDialogAnswer answer;
  std::optional<WindowRect> rect = WindowRect{10, 20, 800, 600};
  std::string calls;
  int asked_default = 0;

  ExitDialogAnswer AskExit(int default_button_id) override {
    asked_default = default_button_id;
    calls += "ask ";
    return answer;
  }
  void SaveOpenPageTabs() override { calls += "keep-pages "; }
  void ShowWaitCursor() override { calls += "wait "; }
  void LeaveFullScreen() override { calls += "restore "; }
  int ActiveTabId() override {
    calls += "active-tab ";
    return 0;
  }
  void SaveBarLayout() override { calls += "bars "; }
  std::optional<WindowRect> RestoredWindowRect() override { return rect; }
  void HideWindow() override { calls += "hide "; }
  void SaveLists() override { calls += "lists"; }
  bool AskRetrySave(const std::string& text) override {
    calls += "ask-retry ";
    questions.push_back(text);
    const bool retry = retries-- > 0;
    if (on_retry && retry) on_retry(retries);
    return retry;
  }

  int retries = 0;  // answers "再試行" this many times, then "保存せずに終了"
  std::function<void(int)> on_retry;
  std::vector<std::string> questions;
};

class ShutdownTest : public ::testing::Test {
 protected:
  ShutdownTest()
      : env_(dir_.path()),
        settings_(dir_ / "vq_system.ini", env_),
        doc_(dir_.path(), settings_, env_, clock_) {
    EXPECT_TRUE(doc_.OnNewDocument().ok());
  }
  std::string Ini() { return testing::ReadFile(dir_ / "vq_system.ini"); }

  TempDir dir_;
  FailingEnv env_;
  SettingsStore settings_;
  testing::FakeClock clock_;
  CTolvaneDoc doc_;
  RecordingFrame frame_;
};

TEST_F(ShutdownTest, SaveAndExitKeepsThePagesAndWritesEverythingInOrder) {
  frame_.answer = {ExitDialogAnswer::Choice::kSaveAndExit, false};
  ShutdownSequence close(settings_, doc_);
  ASSERT_TRUE(close.Run(frame_));
  EXPECT_EQ(frame_.asked_default, string_id::kExitSave);  // SavePageTab missing reads 1
  EXPECT_EQ(frame_.calls, "ask keep-pages wait restore active-tab bars hide lists");
  EXPECT_EQ(settings_.GetInt("OptionMain", "SavePageTab", -1), 1);
  EXPECT_EQ(settings_.GetInt("OptionMain", "CloseMode", -1), 1);
  EXPECT_EQ(settings_.GetInt("OptionMain", "LastActiveTab", -1), 0);
  EXPECT_EQ(settings_.GetInt("MainWindow", "cx", -1), 800);
  EXPECT_EQ(settings_.GetInt("MainWindow", "y", -1), 20);
  EXPECT_TRUE(close.last_save().ok());
  EXPECT_TRUE(std::filesystem::exists(dir_ / "vq_clip.clf"));
}

TEST_F(ShutdownTest, DiscardWithDontAskAgainWritesBothFlagsAndKeepsNoPages) {
  settings_.WriteInt("OptionMain", "SavePageTab", 0);
  frame_.answer = {ExitDialogAnswer::Choice::kExitWithoutSaving, true};
  frame_.rect.reset();  // maximised: the stored placement stays as it was
  ASSERT_TRUE(ShutdownSequence(settings_, doc_).Run(frame_));
  EXPECT_EQ(frame_.asked_default, string_id::kExitDiscard);
  EXPECT_EQ(frame_.calls, "ask wait restore active-tab bars hide lists");
  EXPECT_EQ(settings_.GetInt("OptionMain", "SavePageTab", -1), 0);
  EXPECT_EQ(settings_.GetInt("OptionMain", "CloseMode", -1), 0);
  EXPECT_EQ(settings_.GetInt("MainWindow", "cx", -1), -1);
}

TEST_F(ShutdownTest, CancelWritesNothingAndKeepsRunning) {
  frame_.answer = {ExitDialogAnswer::Choice::kCancel, true};
  const std::string before = Ini();
  EXPECT_FALSE(ShutdownSequence(settings_, doc_).Run(frame_));
  EXPECT_EQ(frame_.calls, "ask ");
  EXPECT_EQ(Ini(), before);
  EXPECT_FALSE(std::filesystem::exists(dir_ / "vq_clip.clf"));
}

TEST_F(ShutdownTest, WithoutTheDialogTheRememberedAnswerHolds) {
  settings_.WriteInt("OptionMain", "CloseMode", 0);
  settings_.WriteInt("OptionMain", "SavePageTab", 1);
  ASSERT_TRUE(ShutdownSequence(settings_, doc_).Run(frame_));
  EXPECT_EQ(frame_.calls, "keep-pages wait restore active-tab bars hide lists");
  EXPECT_EQ(settings_.GetInt("OptionMain", "SavePageTab", -1), 1);

  // Told to stop (logout, kill): nobody can answer, the remembered choice holds.
  settings_.WriteInt("OptionMain", "CloseMode", 1);
  frame_.calls.clear();
  ASSERT_TRUE(ShutdownSequence(settings_, doc_).Run(frame_, ShutdownSequence::Asking::kNever));
  EXPECT_EQ(frame_.calls, "keep-pages wait restore active-tab bars hide lists");
  EXPECT_EQ(settings_.GetInt("OptionMain", "CloseMode", -1), 1);

  settings_.WriteInt("OptionMain", "CloseMode", 0);
  settings_.WriteInt("OptionMain", "SavePageTab", 0);
  frame_.calls.clear();
  ASSERT_TRUE(ShutdownSequence(settings_, doc_).Run(frame_));
  EXPECT_EQ(frame_.calls, "wait restore active-tab bars hide lists");
  EXPECT_EQ(settings_.GetInt("OptionMain", "SavePageTab", -1), 0);
  EXPECT_EQ(settings_.GetInt("OptionMain", "CloseMode", -1), 0);
}

TEST_F(ShutdownTest, FailedSaveAsksToRetryUntilItSucceedsOrTheUserLeaves) {
  settings_.WriteInt("OptionMain", "CloseMode", 0);
  env_.failing_files = {"vq_tab.tbf", "vq_clip.clf"};
  frame_.retries = 2;
  // The first retry frees room for the clips only; the second for both.
  frame_.on_retry = [this](int left) {
    env_.failing_files = left == 1 ? std::set<std::string>{"vq_tab.tbf"} : std::set<std::string>{};
  };
  ShutdownSequence close(settings_, doc_);
  ASSERT_TRUE(close.Run(frame_));
  EXPECT_EQ(frame_.calls, "keep-pages wait restore active-tab bars ask-retry ask-retry hide lists");
  ASSERT_EQ(frame_.questions.size(), 2u);
  const std::string why =
      ": the file could not be written (no space left on device); any previous file is kept\n";
  EXPECT_EQ(SjisToUtf8(frame_.questions[0]), "次のファイルを保存できませんでした。\n\n" +
                                                 (dir_ / "vq_tab.tbf").string() + why +
                                                 (dir_ / "vq_clip.clf").string() + why +
                                                 "\n再試行するか、保存せずに終了してください。");
  EXPECT_FALSE(close.left_unsaved());

  // Leaving without saving: every other store written, the close reports it.
  env_.failing_files = {"vq_history.his"};
  frame_ = RecordingFrame();
  ASSERT_TRUE(close.Run(frame_));
  EXPECT_EQ(frame_.calls, "keep-pages wait restore active-tab bars ask-retry hide lists");
  EXPECT_TRUE(close.left_unsaved());
  EXPECT_EQ(close.last_save().FileNames(), "vq_history.his");

  // Told to stop: nobody is asked, the close leaves at once and says so.
  frame_ = RecordingFrame();
  ASSERT_TRUE(close.Run(frame_, ShutdownSequence::Asking::kNever));
  EXPECT_EQ(frame_.calls, "keep-pages wait restore active-tab bars hide lists");
  EXPECT_TRUE(close.left_unsaved());
}

}  // namespace
}  // namespace tolvane
