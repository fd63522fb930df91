#pragma once

#include <string>
#include <vector>

#include "core/files/prompter.h"

namespace tolvane::testing {

// Records every message and answers questions with a fixed reply.
class FakePrompter : public Prompter {
 public:
  explicit FakePrompter(bool answer = true) : answer_(answer) {}
  void ShowStop(const std::string& text) override { stops.push_back(text); }
  void ShowWarning(const std::string& text) override { warnings.push_back(text); }
  void ShowNotice(const std::string& text) override { notices.push_back(text); }
  bool AskYesNo(const std::string& text) override {
    questions.push_back(text);
    return answer_;
  }
  void set_answer(bool answer) { answer_ = answer; }

  std::vector<std::string> stops;
  std::vector<std::string> warnings;
  std::vector<std::string> notices;
  std::vector<std::string> questions;

 private:
  bool answer_;
};

}  // namespace tolvane::testing
