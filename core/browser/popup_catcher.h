#pragma once

#include <memory>

#include "core/browser/browser_control.h"

namespace tolvane {

class PageHost;

// The main frame's hidden browser control that pop-ups are handed to when
// links open in the same tab: the first address the pop-up loads is sent to
// the page that asked for it, and the catcher itself never loads anything.
// Its control is made the first time it is needed.
class PopupCatcher : public BrowserEvents {
 public:
  explicit PopupCatcher(BrowserControlFactory& factory);
  ~PopupCatcher() override;
  PopupCatcher(const PopupCatcher&) = delete;
  PopupCatcher& operator=(const PopupCatcher&) = delete;

  // The control to give the pop-up of `requester`; null when none can be
  // made. A later Catch() replaces the requester.
  BrowserControl* Catch(PageHost& requester);
  // `host` is going away.
  void Forget(const PageHost& host);

  // BrowserEvents
  void OnStatusTextChange(const std::string&) override {}
  void OnProgressChange(int, int) override {}
  void OnTitleChange(const std::string&) override {}
  bool OnBeforeNavigate(const NavigationInfo& info) override;
  NewWindowReply OnNewWindow(const NewWindowInfo&) override { return NewWindowReply::Block(); }
  void OnDocumentComplete() override {}
  void OnWindowCloseRequested() override {}
  void OnScriptError() override {}
  void OnUserAction() override {}
  void OnLoadFinished(const LoadOutcome&) override {}

 private:
  BrowserControlFactory& factory_;
  std::unique_ptr<BrowserControl> control_;
  PageHost* requester_ = nullptr;
};

}  // namespace tolvane
