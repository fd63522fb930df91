#pragma once

#include <QToolBar>

namespace tolvane {

// A band of the main frame: a tool bar that can ask for the width its band
// had when the layout was saved. Qt lays a row of tool bars out by their
// size hints (and by what the user dragged since), so the stored width
// stands in for the hint; the last band of a row takes the rest of the row
// whatever it asks for.
class BandToolBar : public QToolBar {
  Q_OBJECT

 public:
  explicit BandToolBar(const QString& title, QWidget* parent = nullptr);

  // The width asked for; Band::kOwnWidth (or below 1) for the bar's own.
  void set_stored_width(int width);
  int stored_width() const { return stored_width_; }

  QSize sizeHint() const override;

 private:
  int stored_width_ = -1;
};

}  // namespace tolvane
