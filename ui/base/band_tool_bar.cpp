#include "ui/base/band_tool_bar.h"

#include <algorithm>

namespace tolvane {

BandToolBar::BandToolBar(const QString& title, QWidget* parent) : QToolBar(title, parent) {}

void BandToolBar::set_stored_width(int width) {
  stored_width_ = width;
  updateGeometry();
}

// Never narrower than the bar's own minimum (grip and chevron).
QSize BandToolBar::sizeHint() const {
  QSize hint = QToolBar::sizeHint();
  if (stored_width_ > 0) hint.setWidth(std::max(stored_width_, minimumSizeHint().width()));
  return hint;
}

}  // namespace tolvane
