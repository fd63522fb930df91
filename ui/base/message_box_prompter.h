#pragma once

#include <QMessageBox>
#include <QPointer>
#include <QWidget>

#include "core/files/prompter.h"

namespace tolvane {

// Core's prompts as message boxes over `parent`, titled with the program's
// name: modal ones, and notices that are shown without waiting. Questions
// default to No, so a stray Enter destroys nothing.
class MessageBoxPrompter : public Prompter {
 public:
  explicit MessageBoxPrompter(QWidget* parent) : parent_(parent) {}

  void ShowStop(const std::string& text) override;
  void ShowWarning(const std::string& text) override;
  void ShowNotice(const std::string& text) override;
  bool AskYesNo(const std::string& text) override;

 private:
  QPointer<QWidget> parent_;
  // The notice on screen, if any; it deletes itself when closed.
  QPointer<QMessageBox> notice_;
};

}  // namespace tolvane
