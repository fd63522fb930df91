#include "ui/tabs/page_tab_ctrl.h"

namespace tolvane {

CPageTabCtrl::CPageTabCtrl(QWidget* parent) : TabRow(parent) {
  setObjectName(QStringLiteral("pageTabs"));
}

void CPageTabCtrl::SetWidthLimits(int minimum, int maximum) {
  minimum_width_ = minimum;
  maximum_width_ = maximum;
  Relayout();
}

int CPageTabCtrl::tabWidth() const {
  return TabBarGeometry::PageTabWidth(width(), count(), minimum_width_, maximum_width_);
}

std::vector<TabBox> CPageTabCtrl::LayOut() {
  const int width = tabWidth();
  std::vector<TabBox> boxes;
  for (int i = 0; i < count(); ++i) {
    const int left = kRowLeft + i * width;
    boxes.push_back({left, kTabTop, left + width, height()});
  }
  return boxes;
}

TabHit CPageTabCtrl::HitAt(const std::vector<TabBox>& boxes, int x, int y) const {
  std::vector<bool> user_clip;
  user_clip.reserve(tabs().size());
  for (const TabLook& look : tabs()) user_clip.push_back(look.user_clip);
  return TabBarGeometry::HitPageRow(boxes, current(), user_clip, x, y);
}

TabBox CPageTabCtrl::CloseMarkOf(const TabBox& tab) const {
  return TabBarGeometry::PageCloseMark(tab);
}

TabBox CPageTabCtrl::NewTabButtonOf(const TabBox& last_tab) const {
  return TabBarGeometry::PageNewPageButton(last_tab);
}

bool CPageTabCtrl::ShowsCloseMark(int index) const {
  return index == current() || (tab(index).user_clip && hovered_tab() == index);
}

TabRow::Colors CPageTabCtrl::RowColors() const {
  // The selected page merges into the web page below it.
  return {QColor(0xf4, 0xf5, 0xf7), QColor(0xff, 0xff, 0xff), QColor(0xe6, 0xe8, 0xeb),
          QColor(0x1a, 0x73, 0xe8), QColor(0xd3, 0xd6, 0xdb)};
}

void CPageTabCtrl::CloseMarkPressed(int index, QPoint below) {
  if (tab(index).user_clip) {
    emit clipMenuRequested(index, below);
  } else {
    emit closeClicked(index);
  }
}

}  // namespace tolvane
