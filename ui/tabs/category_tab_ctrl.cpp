#include "ui/tabs/category_tab_ctrl.h"

namespace tolvane {

CCategoryTabCtrl::CCategoryTabCtrl(QWidget* parent) : TabRow(parent) {
  setObjectName(QStringLiteral("categoryTabs"));
}

void CCategoryTabCtrl::SetMinimumTabWidth(int pixels) {
  minimum_width_ = pixels;
  Relayout();
}

QString CCategoryTabCtrl::shownCaption(int index) const {
  return short_captions_ ? ShortCaption(index) : tab(index).caption;
}

QString CCategoryTabCtrl::ShortCaption(int index) const {
  const TabLook& look = tab(index);
  return look.short_caption.isEmpty() ? look.caption : look.short_caption;
}

std::vector<TabBox> CCategoryTabCtrl::LayOutWith(bool short_captions) const {
  std::vector<TabBox> boxes;
  int x = kRowLeft;
  for (int i = 0; i < count(); ++i) {
    const QString caption = short_captions ? ShortCaption(i) : tab(i).caption;
    const int width =
        TabBarGeometry::CategoryTabWidth(ContentWidth(caption, i == current()), minimum_width_);
    boxes.push_back({x, kTabTop, x + width, height()});
    x += width;
  }
  return boxes;
}

std::vector<TabBox> CCategoryTabCtrl::LayOut() {
  std::vector<TabBox> boxes = LayOutWith(false);
  short_captions_ = !boxes.empty() && TabBarGeometry::Overflows(boxes.back().right, width());
  return short_captions_ ? LayOutWith(true) : boxes;
}

TabHit CCategoryTabCtrl::HitAt(const std::vector<TabBox>& boxes, int x, int y) const {
  return TabBarGeometry::HitCategoryRow(boxes, current(), x, y);
}

TabBox CCategoryTabCtrl::CloseMarkOf(const TabBox& tab) const {
  return TabBarGeometry::CategoryCloseMark(tab);
}

TabBox CCategoryTabCtrl::NewTabButtonOf(const TabBox& last_tab) const {
  return TabBarGeometry::CategoryNewTabButton(last_tab);
}

bool CCategoryTabCtrl::ShowsCloseMark(int index) const { return index == current(); }

TabRow::Colors CCategoryTabCtrl::RowColors() const {
  // The selected category merges into the page row below it.
  return {QColor(0xdc, 0xe0, 0xe6), QColor(0xf4, 0xf5, 0xf7), QColor(0xe8, 0xeb, 0xef),
          QColor(0xe3, 0x74, 0x00), QColor(0xc4, 0xc8, 0xce)};
}

}  // namespace tolvane
