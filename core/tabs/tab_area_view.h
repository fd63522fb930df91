#pragma once

#include <functional>
#include <optional>
#include <string>

#include "core/browser/page_host_owner.h"
#include "core/search/search_host.h"

namespace tolvane {

class CCategoryTab;
class PageHost;

// What the tab area tells the windows around it. The Qt view implements
// it: it redraws the two tab rows, the frame title, address and status bar.
// The core around the tab area hears from it through TabAreaEvents.
class TabAreaView {
 public:
  virtual ~TabAreaView() = default;

  // The category row changed: items added, removed or moved, captions or
  // the selection. Redraw it from the tab area.
  virtual void CategoryBarChanged() = 0;
  // The page row of `tab` changed (pages added, removed, moved, selected).
  virtual void PageBarChanged(const CCategoryTab& tab) = 0;
  // One page's caption, icon or load state changed.
  virtual void PageCaptionChanged(const CCategoryTab& tab, int page) = 0;

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
