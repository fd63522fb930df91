#pragma once

#include <string>

namespace tolvane {

// The message boxes core asks for. The texts are Shift_JIS; the Qt layer
// shows them as boxes over the main window, tests answer them.
class Prompter {
 public:
  virtual ~Prompter() = default;

  // An error the user must acknowledge (stop sign, OK only).
  virtual void ShowStop(const std::string& text) = 0;

  // A warning the user must acknowledge (exclamation mark, OK only): the
  // program goes on as it was.
  virtual void ShowWarning(const std::string& text) = 0;

  // A problem the user is told of while the program goes on at once: the
  // box does not wait for its OK, so timers and signals keep running. A
  // notice still up is replaced by the next one.
  virtual void ShowNotice(const std::string& text) = 0;

  // A Yes/No question with No as the default button; true on Yes.
  virtual bool AskYesNo(const std::string& text) = 0;
};

}  // namespace tolvane
