#include "core/commands/gesture_recognizer.h"

#include <algorithm>
#include <cstdlib>

#include "core/commands/shortcut_text.h"
#include "core/files/setting_keys.h"
#include "core/files/string_table.h"

namespace tolvane {
namespace {

constexpr int kGestureStatus = 1007;

}  // namespace

GestureSettings GestureSettings::Read(const SettingsStore& settings) {
  return {tolvane::Read(settings, settings::kMouseGestureEnable) != 0,
          tolvane::Read(settings, settings::kMouseGestureDistance),
          tolvane::Read(settings, settings::kMouseGestureDistance2)};
}

bool GestureRecognizer::OnRightDown(Point position, bool over_page) {
  armed_ = true;
  moved_ = false;
  reference_ = position;
  text_.clear();
  press_held_back_ = over_page;
  return over_page;
}

GestureRecognizer::Move GestureRecognizer::OnMouseMove(Point position) {
  if (!armed_) return {};
  Move move{.consumed = true};
  if (!settings_.enabled) return move;
  const int dx = position.x - reference_.x;
  const int dy = position.y - reference_.y;
  // A Distance of 0 or less (a hand-edited settings file) would turn the
  // jitter of a plain right click into a gesture: a step is at least 1 pixel.
  const int distance = std::max(1, settings_.distance);
  if (std::abs(dx) < distance && std::abs(dy) < distance) return move;

  move.stepped = true;
  moved_ = true;
  const Direction direction = std::abs(dx) > std::abs(dy)
                                  ? (dx < 0 ? Direction::kLeft : Direction::kRight)
                                  : (dy < 0 ? Direction::kUp : Direction::kDown);
  const std::string_view arrow = Arrow(direction);
  if (!text_.ends_with(arrow)) {
    text_ += arrow;
    anchor_ = reference_;
  }
  if ((std::abs(position.x - anchor_.x) >= settings_.distance2 ||
       std::abs(position.y - anchor_.y) >= settings_.distance2) &&
      !EndsWithTwo(text_, arrow)) {
    text_ += arrow;
  }
  reference_ = position;
  return move;
}

GestureRecognizer::Release GestureRecognizer::OnRightUp() {
  Release release;
  if (armed_ && moved_) {
    release.action = Release::Action::kRunGesture;
    release.consumed = true;
    release.gesture = text_;
  } else if (armed_ && press_held_back_) {
    release.action = Release::Action::kReplayPress;
  }
  armed_ = false;
  moved_ = false;
  press_held_back_ = false;
  text_.clear();
  return release;
}

void GestureRecognizer::OnLeftDown() {
  armed_ = false;
  moved_ = false;
  press_held_back_ = false;
  text_.clear();
}

std::string GestureRecognizer::status_text() const {
  return armed_ && moved_ ? FormatString(kGestureStatus, {text_}) : std::string();
}

std::string GestureRecognizer::Describe() const {
  if (!armed_) return "idle";
  return std::string(moved_ ? "armed moved " : "armed ") + text_;
}

}  // namespace tolvane
