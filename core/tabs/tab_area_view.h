#pragma once

#include <functional>
#include <optional>
#include <string>

#include "core/browser/page_host_owner.h"
#include "core/search/search_host.h"

namespace tolvane {

// What the tab area asks of the window around it: the frame title,
// address and status bar of the shown page, the keyboard focus and drawing.
// It never asks for the keys held or a bar's text: those come with the
// command (CommandContext) or the request (OpenPageRequest::keys). The Qt view implements it.
// Changes of the tabs themselves go to the area's observers (TabAreaObserver).
class TabAreaView {
 public:
  virtual ~TabAreaView() = default;

  // The shown page's caption and address for the window title and the
  // address bar; ClearFrame empties them and the status bar.
  virtual void ShowPageInFrame(const std::string& caption, const std::string& url) = 0;
  virtual void ClearFrame() = 0;
  virtual void UpdateStatusBar(const StatusBarValues& values) = 0;

  virtual void FocusCategoryTabs() = 0;
  // Many changes follow; draw once at the end.
  virtual void FreezeDrawing() = 0;
  virtual void UnfreezeDrawing() = 0;
  // Calls `then` once the shown page's request has gone to the network,
  // the engine gave up on it, or a short time limit passed; with no such
  // request under way, at once or soon.
  virtual void AfterShownRequest(std::function<void()> then) = 0;
};

}  // namespace tolvane
