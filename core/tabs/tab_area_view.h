#pragma once

#include <functional>
#include <optional>
#include <string>

#include "core/browser/page_host_owner.h"
#include "core/search/search_host.h"

namespace tolvane {

// What the tab area asks of the window around it: the frame title,
// address and status bar of the shown page, the keyboard focus, drawing,
// the keys held and the address bar. The Qt view implements it. Changes of
// the tabs themselves go to the area's observers (TabAreaObserver).
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

  virtual ModifierState ModifiersNow() const = 0;
  // The address bar's text (Shift_JIS).
  virtual std::string AddressBarText() const = 0;
  // A keyword was recorded: the keyword views show it.
  virtual void KeywordsChanged() = 0;
};

}  // namespace tolvane
