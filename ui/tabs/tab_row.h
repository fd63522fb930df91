#pragma once

#include <QColor>
#include <QIcon>
#include <QPoint>
#include <QString>
#include <QTimer>
#include <QWidget>
#include <memory>
#include <vector>

#include "core/tabs/tab_bar_geometry.h"

class QMenu;

namespace tolvane {

// What one tab of a row shows. Captions are drawn as they are ("&" is not
// a mnemonic here, so it is never doubled).
struct TabLook {
  QString caption;
  QString short_caption;  // category row, while it overflows; empty = caption
  QIcon icon;
  bool loading = false;    // page row: a spinner stands in for the icon
  bool user_clip = false;  // page row: the close mark opens the clip menu
};

// The common part of the category row and the page row: an owner-drawn row
// of tabs fed with TabLooks, which knows nothing of the tab model. It lays
// the tabs out (through the row's own rules), draws them, tracks the hover
// and turns presses into signals; the tab model answers by feeding the row
// again. When the tabs do not fit, the row's right end shows scroll
// buttons, a button listing every tab and the new-tab button
// (OverflowStrip), and the tabs scroll under it (those buttons, the wheel,
// and the current tab is kept in view).
class TabRow : public QWidget {
  Q_OBJECT

 public:
  using TabLook = ::tolvane::TabLook;

  static constexpr int kRowHeight = 26;

  // Replaces every tab; `current` is the selected one (-1 = none).
  void SetTabs(std::vector<TabLook> tabs, int current);
  // One tab's caption, icon or loading state changed.
  void SetTab(int index, TabLook look);
  void SetCurrent(int index);
  void SetShowIcons(bool show);

  int count() const { return static_cast<int>(tabs_.size()); }
  int current() const { return current_; }
  const TabLook& tab(int index) const { return tabs_[static_cast<std::size_t>(index)]; }
  // The caption drawn now (the category row may show the short one).
  virtual QString shownCaption(int index) const;

  // In widget coordinates (after scrolling). The close mark is empty while
  // it is not shown on that tab; the button is empty without tabs.
  QRect tabRect(int index) const;
  QRect closeMarkRect(int index) const;
  QRect newTabButtonRect() const;
  // The overflow strip's buttons; empty while every tab fits.
  QRect scrollButtonRect(int direction) const;
  QRect tabListButtonRect() const;
  int scrollOffset() const { return scroll_; }
  // The list of every tab the list button opens: one checkable entry per
  // tab (its full caption, the current one checked), the index as data.
  std::unique_ptr<QMenu> CreateTabListMenu() const;
  // The place of the loading spinner, empty unless the tab is loading.
  QRect loadingIndicatorRect(int index) const;
  // Whether the spinner animation runs (only while some tab loads).
  bool loadingAnimationRunning() const { return spin_timer_.isActive(); }

  // A mouse gesture started: drop a drag that has begun.
  void CancelDrag();

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

 signals:
  // A press on a tab other than the current one.
  void tabPressed(int index);
  void closeClicked(int index);
  void newTabClicked(int last_index);
  // A tab dragged along the row and dropped at another index.
  void tabMoved(int from, int to);
  // Index -1: the row's empty space.
  void contextMenuRequested(int index, QPoint global_pos);
  void tabDoubleClicked(int index);

 protected:
  explicit TabRow(QWidget* parent);

  struct Colors {
    QColor row;       // the row's background
    QColor selected;  // the selected tab, merging with what lies below the row
    QColor hover;
    QColor accent;  // the selected tab's top line, the spinner, the drop mark
    QColor border;
  };

  // The row's rules: tab boxes in content coordinates (before scrolling),
  // its hit test, where its marks and button sit, and whether tab `index`
  // shows its close mark now.
  virtual std::vector<TabBox> LayOut() = 0;
  virtual TabHit HitAt(const std::vector<TabBox>& boxes, int x, int y) const = 0;
  virtual TabBox CloseMarkOf(const TabBox& tab) const = 0;
  virtual TabBox NewTabButtonOf(const TabBox& last_tab) const = 0;
  virtual bool ShowsCloseMark(int index) const = 0;
  virtual Colors RowColors() const = 0;
  // The close mark was pressed; `below` is the global point under the mark.
  virtual void CloseMarkPressed(int index, QPoint below);

  // Helpers for the rows' layouts.
  const std::vector<TabLook>& tabs() const { return tabs_; }
  bool show_icons() const { return show_icons_; }
  // The tab under the pointer (its body or its mark), or -1.
  int hovered_tab() const;
  // Width a tab needs for `caption`, with or without room for a close mark.
  int ContentWidth(const QString& caption, bool with_mark) const;
  static constexpr int kTabTop = 3;
  static constexpr int kRowLeft = 2;

  // Lays out again and repaints.
  void Relayout();

  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  bool event(QEvent* event) override;

 private:
  TabHit HitAtWidget(QPoint pos) const;
  TabBox LastTabOrRowStart() const;
  QRect ToWidget(const TabBox& box) const;
  void PressZone(const TabHit& hit, QPoint pos);
  int DropIndexAt(int widget_x) const;
  void ScrollBy(int dx);
  void KeepInView(int index);
  void UpdateHover(QPoint pos);
  void UpdateSpinner();
  int ContentRight() const;
  void ShowTabList();

  void PaintTab(QPainter& painter, int index, const Colors& colors) const;
  void PaintCloseMark(QPainter& painter, int index) const;
  void PaintNewTabButton(QPainter& painter) const;
  void PaintStrip(QPainter& painter, const Colors& colors) const;
  void PaintSpinner(QPainter& painter, const QRect& place, const Colors& colors) const;

  std::vector<TabLook> tabs_;
  int current_ = -1;
  bool show_icons_ = true;
  std::vector<TabBox> boxes_;
  OverflowStrip strip_;
  int scroll_ = 0;
  TabHit hover_;
  // A press on a tab body may become a drag.
  int press_index_ = -1;
  QPoint press_pos_;
  bool dragging_ = false;
  int drop_index_ = -1;
  QTimer spin_timer_;
  int spin_angle_ = 0;
};

}  // namespace tolvane
