#include "core/commands/gesture_recognizer.h"

#include <gtest/gtest.h>

#include <string>

#include "core/text/charset_converter.h"

namespace tolvane {
namespace {

using Action = GestureRecognizer::Release::Action;

// Moves from `from` to `to` in steps of `step` pixels along x then y, as a
// mouse reports a drag.
void Drag(GestureRecognizer& g, Point& at, Point to, int step = 5) {
  while (at.x != to.x || at.y != to.y) {
    auto advance = [step](int from, int target) {
      return from < target ? std::min(from + step, target) : std::max(from - step, target);
    };
    at = at.x != to.x ? Point{advance(at.x, to.x), at.y} : Point{at.x, advance(at.y, to.y)};
    EXPECT_TRUE(g.OnMouseMove(at).consumed);
  }
}

std::string Utf8(const std::string& sjis) { return SjisToUtf8(sjis); }

TEST(GestureRecognizerTest, ClickWithoutMovementGivesThePageItsMenu) {
  GestureRecognizer g;
  EXPECT_TRUE(g.OnRightDown({100, 100}, true));
  EXPECT_FALSE(g.OnMouseMove({109, 91}).stepped);  // under Distance
  EXPECT_EQ(g.Describe(), "armed ");
  const auto release = g.OnRightUp();
  EXPECT_EQ(release.action, Action::kReplayPress);
  EXPECT_FALSE(release.consumed);
  EXPECT_EQ(g.Describe(), "idle");
  EXPECT_FALSE(g.OnMouseMove({300, 300}).consumed);

  // Outside the page nothing is held back, so nothing is replayed.
  EXPECT_FALSE(g.OnRightDown({100, 100}, false));
  EXPECT_EQ(g.OnRightUp().action, Action::kNone);

  // With gestures off, moves are still swallowed while the button is held
  // and the page gets its press back.
  g.set_settings({.enabled = false});
  g.OnRightDown({100, 100}, true);
  EXPECT_FALSE(g.OnMouseMove({400, 100}).stepped);
  EXPECT_EQ(g.OnRightUp().action, Action::kReplayPress);

  // A Distance of 0 still needs the pointer to move.
  g.set_settings({.distance = 0});
  g.OnRightDown({100, 100}, true);
  EXPECT_FALSE(g.OnMouseMove({100, 100}).stepped);
  EXPECT_EQ(g.OnRightUp().action, Action::kReplayPress);
}

TEST(GestureRecognizerTest, StrokesBecomeArrowsAndLongStrokesDoubleOnce) {
  GestureRecognizer g;
  Point at{100, 100};
  g.OnRightDown(at, true);
  Drag(g, at, {110, 100});
  EXPECT_EQ(Utf8(g.status_text()), "マウスジェスチャのコマンド：→");
  Drag(g, at, {700, 100});
  EXPECT_EQ(Utf8(g.text()), "→→");
  Drag(g, at, {1700, 100});
  auto release = g.OnRightUp();
  EXPECT_EQ(release.action, Action::kRunGesture);
  EXPECT_TRUE(release.consumed);
  EXPECT_EQ(Utf8(release.gesture), "→→");
  EXPECT_EQ(g.status_text(), "");

  // Right, up, right; a diagonal step counts as vertical on a tie.
  at = {100, 100};
  g.OnRightDown(at, false);
  Drag(g, at, {200, 100});
  Drag(g, at, {200, 0});
  Drag(g, at, {300, 0});
  g.OnMouseMove({320, 20});
  EXPECT_EQ(Utf8(g.OnRightUp().gesture), "→↑→↓");

  // A left press drops the gesture: the release runs nothing.
  at = {100, 100};
  g.OnRightDown(at, true);
  Drag(g, at, {50, 100});
  g.OnLeftDown();
  EXPECT_EQ(g.OnRightUp().action, Action::kNone);

  // Distance and Distance2 come from the settings.
  g.set_settings({.enabled = true, .distance = 30, .distance2 = 100});
  at = {0, 0};
  g.OnRightDown(at, true);
  EXPECT_FALSE(g.OnMouseMove({0, 29}).stepped);
  EXPECT_TRUE(g.OnMouseMove({0, 30}).stepped);
  g.OnMouseMove({0, 70});
  EXPECT_EQ(Utf8(g.text()), "↓");
  g.OnMouseMove({0, 100});
  EXPECT_EQ(Utf8(g.text()), "↓↓");
}

}  // namespace
}  // namespace tolvane
