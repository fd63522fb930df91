#include "core/app/save_failure_reporter.h"

#include "core/files/string_table.h"
#include "core/text/charset_converter.h"

namespace tolvane {
namespace {

// Paths are UTF-8 on this system (a data directory may have a Japanese
// name); the system's reasons are ASCII.
std::string FailureLines(const SaveReport& report) { return Utf8ToSjis(report.Describe()); }

}  // namespace

std::string SaveFailureReporter::TakeWithheldNotice(const std::vector<StoreSaveFailure>& withheld) {
  std::string notice;
  for (const StoreSaveFailure& kept : withheld) {
    if (!told_withheld_.insert(kept.store).second) continue;
    if (!notice.empty()) notice += "\n\n";
    notice += FormatString(string_id::kStoreWithheld,
                           {Utf8ToSjis(kept.file.string()), Utf8ToSjis(kept.reason)});
  }
  return notice;
}

std::string SaveFailureReporter::AfterPeriodicSave(const SaveReport& report) {
  const bool starts_streak = !report.ok() && !in_streak_;
  in_streak_ = !report.ok();
  status_text_ = report.ok()
                     ? std::string()
                     : FormatString(string_id::kSaveFailedStatus, {Utf8ToSjis(report.FileNames())});
  std::string message;
  if (starts_streak) message = FormatString(string_id::kSaveFailedPeriodic, {FailureLines(report)});
  const std::string withheld = TakeWithheldNotice(report.withheld);
  if (!message.empty() && !withheld.empty()) message += "\n\n";
  return message + withheld;
}

std::string SaveFailureReporter::ExitFailureText(const SaveReport& report) {
  return FormatString(string_id::kSaveFailedAtExit, {FailureLines(report)});
}

}  // namespace tolvane
