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
