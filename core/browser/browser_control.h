#pragma once

#include <memory>
#include <string>
#include <vector>

namespace tolvane {

class BrowserControl;

// Why the engine navigates.
enum class NavigationKind {
  kLink,         // a link or a script of the page
  kForm,         // a form submission
  kBackForward,  // the page's history
  kReload,       // Reload() or the engine's own reload
  kProgram,      // Navigate() of this control
  kRedirect,     // the server or a meta refresh sent the load elsewhere
  kOther,
};

// What a navigation the engine is about to make looks like to the host.
struct NavigationInfo {
  std::string url;  // Shift_JIS bytes, the address as the engine has it
  NavigationKind kind = NavigationKind::kLink;
  bool top_level = true;     // false: a frame or iframe of the page
  std::string target_frame;  // named target, empty for the page itself
  std::string post_body;     // empty when none or not known
  std::string headers;       // empty when none or not known
  // True when Ctrl or Shift was held or the middle button clicked. Engines
  // that turn such clicks into new windows leave it false.
  bool new_tab_modifier = false;
  // False when the engine cannot say everything needed to send the same
  // request again elsewhere (a form submission whose body it does not
  // expose); such a navigation is never moved into another tab.
  bool replayable = true;
};

// A window the page asks for (window.open, target="_blank", or a link the
// user opened with a modifier key or the middle button).
struct NewWindowInfo {
  std::string url;  // empty when the engine does not tell it before loading
  // The user opened a link with Ctrl, Shift or the middle button (engines
  // report these clicks as new-window requests).
  bool by_modifier_click = false;
};

// The host's answer to a new-window request.
struct NewWindowReply {
  enum class Action {
    kBlock,   // no window: the request is dropped
    kOpenIn,  // load the new window's content into `target`
  };
  Action action = Action::kBlock;
  // A control made by the same program; from the hand-over until the new
  // window's first load ends its Busy() is true.
  BrowserControl* target = nullptr;

  static NewWindowReply Block() { return {}; }
  static NewWindowReply OpenIn(BrowserControl* control) { return {Action::kOpenIn, control}; }
};

// How the engine says a load of the page ended.
struct LoadOutcome {
  enum class Kind {
    kSucceeded,
    kFailed,   // no page from the server (DNS, refused, reset) or an HTTP error status
    kStopped,  // Stop(), or a new load took its place
  };
  Kind kind = Kind::kSucceeded;
  // The server's status for an error page it sent (404, 500...), else 0.
  int http_status = 0;
  // The engine's words for a failure without a status, ASCII (net::ERR_...).
  std::string error;
};

// Events of one browser control, raised on the user-interface thread. The
// page host implements them. A handler may call the control's operations
// (the engine must allow that) but the control is never destroyed inside one.
class BrowserEvents {
 public:
  virtual ~BrowserEvents() = default;

  // Text the page wants in the status bar (a hovered link, or empty).
  virtual void OnStatusTextChange(const std::string& text) = 0;
  virtual void OnProgressChange(int progress, int progress_max) = 0;
  virtual void OnTitleChange(const std::string& title) = 0;
  // Before every navigation of the page or one of its frames, including
  // those the program asked for. Returns true to cancel it.
  virtual bool OnBeforeNavigate(const NavigationInfo& info) = 0;
  virtual NewWindowReply OnNewWindow(const NewWindowInfo& info) = 0;
  // The page's document has been parsed (once per navigation of the page;
  // more calls are harmless).
  virtual void OnDocumentComplete() = 0;
  // A script of the page closed its window (window.close()).
  virtual void OnWindowCloseRequested() = 0;
  // A script of the page failed; shown as the script-error status icon.
  virtual void OnScriptError() = 0;
  // The user pressed or released the left button over the page, or Space or
  // Enter in it: what the page opens next is the user's.
  virtual void OnUserAction() = 0;
  // The engine finished a load of the page (not of a frame). Busy() is
  // already false unless another load was asked for meanwhile.
  virtual void OnLoadFinished(const LoadOutcome& outcome) = 0;
};

// The page's own navigation history around the shown entry: the titles of
// the entries behind it and ahead of it, nearest first (Shift_JIS).
struct PageHistory {
  std::vector<std::string> back;
  std::vector<std::string> forward;
};

// Where a navigation goes and what it carries.
struct NavigateParams {
  std::string url;           // Shift_JIS bytes; percent-encoded ASCII for built URLs
  std::string post_body;     // non-empty: a POST with exactly these bytes
  std::string headers;       // "Name: value\r\n" lines, sent as given
  std::string target_frame;  // empty: the page itself
};

// The edit commands a page takes (the focused field or the page's selection).
enum class EditCommand { kCut, kCopy, kPaste, kDelete, kSelectAll, kUndo };

// Scrolling the page as the keys would.
enum class ScrollCommand { kLineUp, kLineDown, kPageUp, kPageDown, kTop, kBottom };

// One embedded browser engine instance showing one page. The Qt layer
// implements it with a WebEngine page and view (ui/browser); tests use a fake.
//
// Text across this interface is Shift_JIS bytes; the implementation converts
// at its boundary and never re-encodes a URL's percent escapes.
class BrowserControl {
 public:
  virtual ~BrowserControl() = default;

  // Starts loading; false when the engine refuses (bad URL). From a true
  // return until that load ends Busy() is true, even before the engine has
  // reported the load as started.
  virtual bool Navigate(const NavigateParams& params) = 0;
  virtual void Reload() = 0;
  virtual void Stop() = 0;
  virtual void GoBack() = 0;
  virtual void GoForward() = 0;
  virtual bool CanGoBack() const = 0;
  virtual bool CanGoForward() const = 0;
  virtual PageHistory History() const = 0;
  // Travels `offset` entries through the history (negative: back); an
  // offset outside it does nothing.
  virtual void GoToHistoryOffset(int offset) = 0;

  // True while a load of the page is under way.
  virtual bool Busy() const = 0;
  // The address of the page shown (committed), empty when none.
  virtual std::string LocationUrl() const = 0;
  // The page title as the engine has it, empty when none.
  virtual std::string LocationName() const = 0;

  // The selected text of the page or any frame, in UTF-8 as the page has it
  // (a search sends it to UTF-8 shops unchanged); never text of a password
  // field.
  virtual std::string SelectedText() const = 0;
  // Whether the focused element (in any frame) is a one-line text or
  // password input or a text area.
  virtual bool FocusIsTextField() const = 0;
  // Types `text` into that field at the caret; false when there is none.
  virtual bool PutTextInFocusedField(const std::string& text) = 0;

  // The page's zoom in percent; -1 while the engine cannot say (no page yet).
  // The engine keeps the zoom within its own limits.
  virtual int Zoom() const = 0;
  virtual void SetZoom(int percent) = 0;
  // The text size, 0 (smallest) … 4 (largest); -1 while the engine cannot say.
  virtual int TextSize() const = 0;
  virtual void SetTextSize(int size) = 0;
  virtual void Edit(EditCommand command) = 0;
  virtual void Scroll(ScrollCommand command) = 0;
  // The charset the shown document was read with (a WHATWG label as the
  // engine reports it), empty when not known.
  virtual std::string Charset() const = 0;
  // The charset the user chose for this page, empty for the page's own.
  virtual std::string ChosenCharset() const = 0;
  // Reads the page again with `charset` (empty: as the page declares).
  virtual void ReloadWithCharset(const std::string& charset) = 0;

  // The page becomes the visible one of its tab area (optionally taking the
  // keyboard focus), or is hidden.
  virtual void Show(bool take_focus) = 0;
  virtual void Hide() = 0;
};

// Makes browser controls that raise their events on `events`. The pop-up
// catcher gets one from the main frame; page hosts ask their owner.
class BrowserControlFactory {
 public:
  virtual ~BrowserControlFactory() = default;

  // Null when no control can be made.
  virtual std::unique_ptr<BrowserControl> CreateBrowserControl(BrowserEvents& events) = 0;
};

}  // namespace tolvane
