#include "core/tabs/tab_bar_geometry.h"

#include <algorithm>
#include <cstddef>

namespace tolvane {
namespace {

// Buttons first (they lie outside every tab), then the live close marks
// (the page mark reaches one row above its tab), then the tab bodies.
template <typename IsLive, typename MarkOf>
TabHit Hit(const std::vector<TabBox>& tabs, const TabBox& button, IsLive is_live, MarkOf mark_of,
           int x, int y) {
  if (tabs.empty()) return {};
  const int last = static_cast<int>(tabs.size()) - 1;
  if (button.Contains(x, y)) return {TabHit::Zone::kNewTabButton, last};
  for (int i = 0; i <= last; ++i) {
    if (is_live(i) && mark_of(tabs[static_cast<std::size_t>(i)]).Contains(x, y)) {
      return {TabHit::Zone::kCloseMark, i};
    }
  }
  for (int i = 0; i <= last; ++i) {
    if (tabs[static_cast<std::size_t>(i)].Contains(x, y)) return {TabHit::Zone::kTab, i};
  }
  return {};
}

}  // namespace

int TabBarGeometry::PageTabWidth(int client_width, int page_count, int minimum, int maximum) {
  const int width = (client_width - kPageRowReserve) / std::max(page_count, 1);
  return std::max(std::min(width, maximum), minimum);
}

int TabBarGeometry::CategoryTabWidth(int content_width, int minimum) {
  return std::max(content_width, minimum);
}

bool TabBarGeometry::Overflows(int last_tab_right, int client_width) {
  return last_tab_right >= client_width - kOverflowMargin;
}

TabBox TabBarGeometry::CategoryCloseMark(const TabBox& tab) {
  return {tab.right - 23, tab.top, tab.right - 2, tab.bottom};
}

TabBox TabBarGeometry::CategoryNewTabButton(const TabBox& last_tab) {
  return {last_tab.right + 4, last_tab.bottom - 21, last_tab.right + 4 + kButtonSize,
          last_tab.bottom - 21 + kButtonSize};
}

TabBox TabBarGeometry::PageCloseMark(const TabBox& tab) {
  return {tab.right - 24, tab.top - 1, tab.right - 2, tab.bottom};
}

TabBox TabBarGeometry::PageNewPageButton(const TabBox& last_tab) {
  const int top = last_tab.top + (last_tab.height() - 16) / 2 - 1;
  return {last_tab.right + 2, top, last_tab.right + 2 + kButtonSize, top + kButtonSize};
}

OverflowStrip TabBarGeometry::Strip(int button_right, int client_width, int top, int bottom) {
  OverflowStrip strip;
  if (button_right <= client_width) return strip;
  strip.shown = true;
  const int button_top = top + (bottom - top - kButtonSize) / 2;
  int right = client_width - kStripGap;
  TabBox* const buttons[] = {&strip.new_tab, &strip.tab_list, &strip.scroll_right,
                             &strip.scroll_left};
  for (TabBox* button : buttons) {
    *button = {right - kButtonSize, button_top, right, button_top + kButtonSize};
    right -= kButtonSize + kStripGap;
  }
  strip.tabs_right = std::max(0, strip.scroll_left.left - kStripGap);
  return strip;
}

int TabBarGeometry::MaxScroll(const std::vector<TabBox>& tabs, const OverflowStrip& strip) {
  if (!strip.shown || tabs.empty()) return 0;
  return std::max(0, tabs.back().right - strip.tabs_right);
}

int TabBarGeometry::ScrollStep(const std::vector<TabBox>& tabs, const OverflowStrip& strip,
                               int scroll, int direction) {
  if (tabs.empty()) return 0;
  const int row_left = tabs.front().left;
  int target = scroll;
  if (direction < 0) {
    // The last tab that starts left of the seen part.
    for (const TabBox& tab : tabs) {
      if (tab.left < scroll + row_left) target = tab.left - row_left;
    }
  } else {
    const int seen_right = scroll + strip.tabs_right;
    for (const TabBox& tab : tabs) {
      if (tab.right > seen_right) {
        target = tab.right - strip.tabs_right;
        break;
      }
    }
  }
  return std::clamp(target, 0, MaxScroll(tabs, strip));
}

int TabBarGeometry::ScrollToShow(const std::vector<TabBox>& tabs, const OverflowStrip& strip,
                                 int scroll, int index) {
  if (index < 0 || static_cast<std::size_t>(index) >= tabs.size()) return scroll;
  const TabBox& tab = tabs[static_cast<std::size_t>(index)];
  const int row_left = tabs.front().left;
  int target = scroll;
  if (tab.left - scroll < row_left) {
    target = tab.left - row_left;
  } else if (tab.right - scroll > strip.tabs_right) {
    target = tab.right - strip.tabs_right;
  }
  return std::clamp(target, 0, MaxScroll(tabs, strip));
}

TabHit TabBarGeometry::HitStrip(const OverflowStrip& strip, int last_index, int x, int y) {
  if (!strip.shown) return {};
  if (strip.new_tab.Contains(x, y)) return {TabHit::Zone::kNewTabButton, last_index};
  if (strip.tab_list.Contains(x, y)) return {TabHit::Zone::kTabList, -1};
  if (strip.scroll_right.Contains(x, y)) return {TabHit::Zone::kScrollRight, -1};
  if (strip.scroll_left.Contains(x, y)) return {TabHit::Zone::kScrollLeft, -1};
  return {};
}

TabHit TabBarGeometry::HitCategoryRow(const std::vector<TabBox>& tabs, int selected, int x, int y) {
  const TabBox button = tabs.empty() ? TabBox{} : CategoryNewTabButton(tabs.back());
  return Hit(
      tabs, button, [&](int i) { return i == selected; }, CategoryCloseMark, x, y);
}

TabHit TabBarGeometry::HitPageRow(const std::vector<TabBox>& tabs, int selected,
                                  const std::vector<bool>& user_clip, int x, int y) {
  const TabBox button = tabs.empty() ? TabBox{} : PageNewPageButton(tabs.back());
  const auto is_live = [&](int i) {
    const auto at = static_cast<std::size_t>(i);
    return i == selected || (at < user_clip.size() && user_clip[at]);
  };
  return Hit(tabs, button, is_live, PageCloseMark, x, y);
}

}  // namespace tolvane
