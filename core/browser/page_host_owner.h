#pragma once

#include <memory>
#include <string>

#include "core/browser/browser_control.h"
#include "core/browser/navigation_request.h"

namespace tolvane {

class PageHost;

// What the status bar shows for the active page.
struct StatusBarValues {
  // Status icons: the importance of a favorite with the page's URL plus 1
  // (1-6), or one of these; 0 is none.
  static constexpr int kIconSecure = 11;
  static constexpr int kIconScriptError = 12;

  std::string text;  // pane 0
  int status_icon = 0;
  int blocked_count = 0;
  bool secure = false;
  bool loading = false;
  int progress = 0;  // 0-100, meaningful while loading

  friend bool operator==(const StatusBarValues&, const StatusBarValues&) = default;
};

// The tab model and main frame as the page hosts see them: one owner serves
// every host and is told which one speaks. The owner outlives its hosts.
class PageHostOwner {
 public:
  virtual ~PageHostOwner() = default;

  // Makes the browser control of `host`'s page; its events go to `host`.
  // Asked only when the page first needs one (never while it waits in the
  // loading queue). Null when none can be made.
  virtual std::unique_ptr<BrowserControl> CreateBrowserControl(PageHost& host) = 0;

  // Inserts a page tab right after `opener`'s one for a link the user opened
  // there, selects it and marks the category as opened by a link. An empty
  // request.url asks for a blank page that a new window is about to fill
  // (the owner only creates its host then). Returns the new page's host, or
  // null when no tab was made.
  virtual PageHost* OpenPageTabAfter(PageHost& opener, const NavigationRequest& request) = 0;

  // A script closed the page's window: close its tab and give the keyboard
  // focus back to the category tabs. The host may be inside a callback of
  // its own; destroy it later, not inside this call.
  virtual void ClosePageTab(PageHost& host) = 0;

  // Links of a clipped page follow their own link mode.
  virtual bool IsClippedTab(const PageHost& host) const = 0;
  // Whether the engine (origin kind 0) or tab (kind 7) at `origin_index`
  // lies in the archive folder; such pages load only when shown.
  virtual bool OriginInArchive(int origin_kind, int origin_index) const = 0;

  // The tab's caption, icon or load state changed.
  virtual void PageChanged(PageHost& host) = 0;
  // A load ended. `new_page` is false for a stop, a time-out or a repeated
  // end of a page already recorded; favicon fetch and keyword highlighting
  // start only for new pages.
  virtual void LoadEnded(PageHost& host, bool new_page) = 0;

  // The active page's caption (at most 256 bytes) and address for the
  // window title and the address bar; ClearFrame empties them and the
  // status bar when the active page is hidden.
  virtual void ShowPageInFrame(PageHost& host, const std::string& caption,
                               const std::string& url) = 0;
  virtual void ClearFrame(PageHost& host) = 0;
  // Only ever called for the active page.
  virtual void UpdateStatusBar(PageHost& host, const StatusBarValues& values) = 0;

  // A loaded page is being closed: it joins the closed-page list.
  virtual void AddClosedPage(const std::string& url, const std::string& title) = 0;
};

}  // namespace tolvane
