#include "core/app/save_report.h"

namespace tolvane {

std::string SaveReport::Describe() const {
  std::string text;
  for (const StoreSaveFailure& failure : failures) {
    text += failure.file.string() + ": " + failure.reason + "\n";
  }
  return text;
}

std::string SaveReport::FileNames() const {
  std::string names;
  for (const StoreSaveFailure& failure : failures) {
    if (!names.empty()) names += ", ";
    names += failure.file.filename().string();
  }
  return names;
}

std::string SaveReport::ExitSummary() const {
  return "closed without saving " + FileNames() + " (" + std::to_string(saved) + " other file" +
         (saved == 1 ? "" : "s") + " saved):\n" + Describe();
}

}  // namespace tolvane
