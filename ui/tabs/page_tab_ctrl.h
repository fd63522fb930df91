#pragma once

#include "ui/tabs/tab_row.h"

namespace tolvane {

// The lower tab row: the page tabs of one category tab. Every page tab has
// the same width, (row width - 24) / pages within the width limits, and a
// new-page button follows the last tab. The close mark is shown on the
// selected tab and on a user clip under the pointer; on a user clip it asks
// for the clip menu instead of closing. A loading page shows a spinner in
// place of its icon.
class CPageTabCtrl : public TabRow {
  Q_OBJECT

 public:
  explicit CPageTabCtrl(QWidget* parent = nullptr);

  // OptionPageTab MinimumSize and MaximumSize; the minimum wins when it is
  // the larger.
  void SetWidthLimits(int minimum, int maximum);
  // The width every page tab has now.
  int tabWidth() const;

 signals:
  // The close mark of a user clip was pressed; `global_pos` lies under it.
  void clipMenuRequested(int index, QPoint global_pos);

 protected:
  std::vector<TabBox> LayOut() override;
  TabHit HitAt(const std::vector<TabBox>& boxes, int x, int y) const override;
  TabBox CloseMarkOf(const TabBox& tab) const override;
  TabBox NewTabButtonOf(const TabBox& last_tab) const override;
  bool ShowsCloseMark(int index) const override;
  Colors RowColors() const override;
  void CloseMarkPressed(int index, QPoint below) override;

 private:
  int minimum_width_ = 50;
  int maximum_width_ = 250;
};

}  // namespace tolvane
