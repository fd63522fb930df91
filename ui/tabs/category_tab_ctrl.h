#pragma once

#include "ui/tabs/tab_row.h"

namespace tolvane {

// The upper tab row: the category tabs of the tab group shown. Each tab is
// as wide as its caption (at least the minimum width); the selected one
// also makes room for its close mark, and a new-tab button follows the
// last tab. When the full captions would run within 35 pixels of the right
// edge, every tab shows its short caption instead, until a later layout
// finds room again.
class CCategoryTabCtrl : public TabRow {
  Q_OBJECT

 public:
  explicit CCategoryTabCtrl(QWidget* parent = nullptr);

  // OptionCategoryTab MinimumSize.
  void SetMinimumTabWidth(int pixels);
  int minimumTabWidth() const { return minimum_width_; }

  bool shortCaptionsInUse() const { return short_captions_; }
  QString shownCaption(int index) const override;

 protected:
  std::vector<TabBox> LayOut() override;
  TabHit HitAt(const std::vector<TabBox>& boxes, int x, int y) const override;
  TabBox CloseMarkOf(const TabBox& tab) const override;
  TabBox NewTabButtonOf(const TabBox& last_tab) const override;
  bool ShowsCloseMark(int index) const override;
  Colors RowColors() const override;

 private:
  QString ShortCaption(int index) const;
  std::vector<TabBox> LayOutWith(bool short_captions) const;

  int minimum_width_ = 30;
  bool short_captions_ = false;
};

}  // namespace tolvane
