#pragma once

#include <QWidget>

namespace tolvane {

// Where the pages are shown: every page's widget is a child that fills it,
// and the page hosts show and hide their own.
class PageArea : public QWidget {
  Q_OBJECT

 public:
  explicit PageArea(QWidget* parent = nullptr);

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void childEvent(QChildEvent* event) override;

 private:
  void FillWith(QWidget* child);
};

}  // namespace tolvane
