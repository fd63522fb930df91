#pragma once

#include <QToolButton>

namespace tolvane {

class CCommandActions;

// The status bar's zoom pane: the shown page's zoom ("125%"); a click runs
// the zoom cycle (100 → 125 → 150 → 100), its arrow opens the "Zoom" menu of
// the presets and the zoom dialog. Hidden while the page has no zoom.
class CZoomPane : public QToolButton {
 public:
  CZoomPane(CCommandActions& actions, QWidget* parent = nullptr);

  // `zoom` in percent, or -1 (unknown).
  void ShowZoom(int zoom);
};

}  // namespace tolvane
