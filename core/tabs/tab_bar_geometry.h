#pragma once

#include <vector>

namespace tolvane {

// A rectangle of a tab row in pixels, half-open like a window rectangle:
// `right` and `bottom` are the first column and row outside it.
struct TabBox {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;

  int width() const { return right - left; }
  int height() const { return bottom - top; }
  bool Contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
  bool operator==(const TabBox&) const = default;
};

// Where a press or hover falls in a tab row.
struct TabHit {
  enum class Zone { kNone, kTab, kCloseMark, kNewTabButton, kScrollLeft, kScrollRight, kTabList };
  Zone zone = Zone::kNone;
  int index = -1;  // the tab; for the new-tab button the last tab

  bool operator==(const TabHit&) const = default;
};

// The right end of a row whose tabs and new-tab button do not fit: two
// scroll buttons, the button listing every tab, and the new-tab button,
// pinned to the right edge so that adding a tab is always one press away.
// The tabs scroll under the rest of the row. Boxes are in row (widget)
// coordinates, unlike the tabs' boxes, which are before scrolling:
//
//   | tab | tab | ta|  <  >  v  + |
//                   ^ tabs_right
struct OverflowStrip {
  bool shown = false;
  int tabs_right = 0;  // the tabs are seen left of this
  TabBox scroll_left;
  TabBox scroll_right;
  TabBox tab_list;
  TabBox new_tab;

  bool operator==(const OverflowStrip&) const = default;
};

// The sizes and mouse zones of the category row and the page row, without
// any drawing. Zones are placed relative to a tab's box (right edge R, top
// T, bottom B); the buttons that add a tab sit right of the last tab, so
// the rows leave room for them at their right end.
class TabBarGeometry {
 public:
  // The page row keeps this much of its width for the new-page button.
  static constexpr int kPageRowReserve = 24;
  // The category row overflows when its last tab ends this close to the
  // right edge (room for the new-tab button).
  static constexpr int kOverflowMargin = 35;
  static constexpr int kButtonSize = 20;
  // Between the buttons of the overflow strip, and right of the last one.
  static constexpr int kStripGap = 2;

  // One width for every page tab: the row shared out, at most `maximum`,
  // then at least `minimum` (so `minimum` wins when it is the larger).
  static int PageTabWidth(int client_width, int page_count, int minimum, int maximum);
  // A category tab is as wide as its content, but never below `minimum`.
  static int CategoryTabWidth(int content_width, int minimum);
  // Whether the category row must fall back to its short captions.
  static bool Overflows(int last_tab_right, int client_width);

  // Category row: the close mark of the selected tab (R-23 .. R-2, full
  // height) and the 20 x 20 new-tab button (R+4 .. R+24, B-21 .. B-1).
  static TabBox CategoryCloseMark(const TabBox& tab);
  static TabBox CategoryNewTabButton(const TabBox& last_tab);
  // Page row: the close mark (R-24 .. R-2, T-1 .. B) and the 20 x 20
  // new-page button (R+2 .. R+22, top centred on a 16-pixel icon).
  static TabBox PageCloseMark(const TabBox& tab);
  static TabBox PageNewPageButton(const TabBox& last_tab);

  // The category row: only the selected tab has a close mark.
  static TabHit HitCategoryRow(const std::vector<TabBox>& tabs, int selected, int x, int y);
  // The page row: the close mark is live on the selected tab and on every
  // user clip (a user clip's mark opens its clip menu instead of closing).
  static TabHit HitPageRow(const std::vector<TabBox>& tabs, int selected,
                           const std::vector<bool>& user_clip, int x, int y);

  // The strip of a row `client_width` wide whose new-tab button, after the
  // last tab, ends at `button_right`; not shown while that fits. `top` and
  // `bottom` are the tabs' rows the buttons centre on.
  static OverflowStrip Strip(int button_right, int client_width, int top, int bottom);
  // How far the tabs may scroll: with the strip, until the last tab's right
  // edge meets it; without, not at all.
  static int MaxScroll(const std::vector<TabBox>& tabs, const OverflowStrip& strip);
  // The scroll offset after a press on a scroll button (`direction` -1
  // left, +1 right): the tab cut off at that side, or the next one beyond
  // it, comes fully into view; then clamped to 0 .. MaxScroll.
  static int ScrollStep(const std::vector<TabBox>& tabs, const OverflowStrip& strip, int scroll,
                        int direction);
  // The scroll offset that brings tab `index` into view, moving as little
  // as it can; unchanged when the tab is seen whole already.
  static int ScrollToShow(const std::vector<TabBox>& tabs, const OverflowStrip& strip, int scroll,
                          int index);
  // A press at row point (x, y) on the strip's buttons; kNone elsewhere.
  // The new-tab button reports `last_index`.
  static TabHit HitStrip(const OverflowStrip& strip, int last_index, int x, int y);
};

}  // namespace tolvane
