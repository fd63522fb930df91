#pragma once

#include <QPointer>
#include <QTimer>
#include <QWidget>

namespace tolvane {

// Keeps a window from repainting for a moment. Painting a window that holds
// a page view composes the whole window in software and takes 15-25 ms,
// and the engine's work that sends a page's request waits behind it in the
// event loop; a page shown to the user therefore holds its window's paint
// from the moment it asks for a load until the engine reports the load
// started (when the request is on its way), at most kMaxMs.
//
// A hold only acts when the window paints at the time it is taken; the
// window paints again when the hold ends (Release, the time limit or
// destruction), unless the window has gone.
class PaintHold {
 public:
  static constexpr int kMaxMs = 100;

  explicit PaintHold(QWidget* window);
  ~PaintHold();
  PaintHold(const PaintHold&) = delete;
  PaintHold& operator=(const PaintHold&) = delete;

  void Release();
  bool holding() const { return window_ != nullptr; }

 private:
  QPointer<QWidget> window_;  // null when not holding
  QTimer limit_;
};

}  // namespace tolvane
