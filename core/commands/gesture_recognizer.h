#pragma once

#include <string>

#include "core/files/settings_store.h"

namespace tolvane {

// A pointer position in the main frame's coordinates.
struct Point {
  int x = 0;
  int y = 0;
};

// "OptionMouseGesture": Enable, Distance (pixels a step must move) and
// Distance2 (pixels a stroke must cover to count twice).
struct GestureSettings {
  bool enabled = true;
  int distance = 10;
  int distance2 = 500;

  static GestureSettings Read(const SettingsStore& settings);
};

// Turns a right-button drag into a gesture text, fed with the pointer
// positions and button events of the whole window (the page included).
// Each step of at least Distance pixels along its longer axis adds an arrow
// unless the text already ends with it (ties count as vertical); a stroke
// that covers Distance2 pixels from where it began doubles its arrow once.
// Dragging right 600 pixels with the defaults gives "→→"; right, up, right
// gives "→↑→".
//
// The recogniser tells its caller what to do with each event; a right click
// that never moved gives the page its held-back press back, so the page
// still shows its own menu.
class GestureRecognizer {
 public:
  explicit GestureRecognizer(GestureSettings settings = {}) : settings_(settings) {}

  void set_settings(GestureSettings settings) { settings_ = settings; }

  // Right button pressed. `over_page`: the press goes to the shown page (or
  // a window inside it). Returns true when the press is held back from the
  // page.
  bool OnRightDown(Point position, bool over_page);

  struct Move {
    bool consumed = false;  // every move while the right button is held
    // A step was taken: capture the mouse, cancel any drag the tab rows had
    // begun, show status_text().
    bool stepped = false;
  };
  Move OnMouseMove(Point position);

  struct Release {
    enum class Action {
      kNone,
      kRunGesture,  // dispatch `gesture` (the release is consumed)
      kReplayPress  // send the held-back press to the page, then the release
    };
    Action action = Action::kNone;
    bool consumed = false;
    std::string gesture;
  };
  // Right button released; the status text is cleared.
  Release OnRightUp();

  // A left-button press ends any gesture without running it.
  void OnLeftDown();

  // String 1007 with the text while a gesture is drawn, else "".
  std::string status_text() const;
  const std::string& text() const { return text_; }
  // Between a right-button press and its release.
  bool armed() const { return armed_; }
  // "armed moved →↑" / "idle", for tests.
  std::string Describe() const;

 private:
  GestureSettings settings_;
  bool armed_ = false;
  bool moved_ = false;
  bool press_held_back_ = false;
  Point reference_;
  Point anchor_;
  std::string text_;
};

}  // namespace tolvane
