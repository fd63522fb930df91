#pragma once

#include <QWidget>

namespace tolvane {

// Where the pages are shown: every page's widget is a child that fills it,
// and the page hosts show and hide their own.
//
// The keyboard focus stays with the pages across a page switch: when the
// shown page goes (closed, or another page tab selected) while it has the
// focus, the area holds the focus, and hands it to the next page shown.
// Without that, Qt passes the focus of a hidden widget on along the tab
// chain, to the keyword box, whose text a next key would overwrite.
class PageArea : public QWidget {
  Q_OBJECT

 public:
  explicit PageArea(QWidget* parent = nullptr);

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void childEvent(QChildEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void FillWith(QWidget* child);
  // Gives the focus to the page shown in `child` (its web view once made).
  static void FocusPage(QWidget* child);
};

}  // namespace tolvane
