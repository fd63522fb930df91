#include "core/app/save_failure_reporter.h"

#include <gtest/gtest.h>

#include "core/text/charset_converter.h"

namespace tolvane {
namespace {

SaveReport Failing(std::vector<std::string> names) {
  SaveReport report;
  for (const auto& name : names) {
    report.failures.push_back({StoreType::kTabs, "/d/" + name, "no space left on device"});
  }
  return report;
}

// One save as the window sees it: the message it shows (or "-") and the
// status text in brackets.
std::string Step(SaveFailureReporter& reporter, const SaveReport& report) {
  const std::string message = reporter.AfterPeriodicSave(report);
  return (message.empty() ? "-" : SjisToUtf8(message)) + " [" + SjisToUtf8(reporter.status_text()) +
         "]\n";
}

TEST(SaveFailureReporterTest, TellsOncePerFailureStreakAndKeepsTheStatusUntilASaveSucceeds) {
  SaveFailureReporter reporter;
  std::string trace;
  trace += Step(reporter, {});
  trace += Step(reporter, Failing({"vq_tab.tbf"}));
  trace += Step(reporter, Failing({"vq_tab.tbf", "vq_clip.clf"}));
  trace += Step(reporter, {});
  trace += Step(reporter, Failing({"vq_clip.clf"}));
  EXPECT_EQ(
      trace,
      "- []\n"
      "次のファイルを保存できませんでした。\n\n"
      "/d/vq_tab.tbf: no space left on device\n\n"
      "保存できるまで1分ごとに保存し直します。 [保存できないファイルがあります: vq_tab.tbf]\n"
      "- [保存できないファイルがあります: vq_tab.tbf, vq_clip.clf]\n"
      "- []\n"
      "次のファイルを保存できませんでした。\n\n"
      "/d/vq_clip.clf: no space left on device\n\n"
      "保存できるまで1分ごとに保存し直します。 [保存できないファイルがあります: vq_clip.clf]\n");
}

TEST(SaveFailureReporterTest, WithheldStoreIsToldOnceInTheRun) {
  SaveFailureReporter reporter;
  const std::vector<StoreSaveFailure> withheld = {
      {StoreType::kClips, "/d/vq_clip.clf", "could not be kept as vq_clip.clf.damaged: EACCES"}};
  EXPECT_EQ(SjisToUtf8(reporter.TakeWithheldNotice(withheld)),
            "/d/vq_clip.clfを読み込めませんでした。壊れた元のファイルの控えを残せないため、"
            "今回の実行中はこのファイルを上書きせず、保存もしません。\n\n"
            "could not be kept as vq_clip.clf.damaged: EACCES");
  SaveReport report;
  report.withheld = withheld;
  EXPECT_EQ(reporter.AfterPeriodicSave(report), "");
  EXPECT_EQ(reporter.TakeWithheldNotice(withheld), "");
}

}  // namespace
}  // namespace tolvane
