#pragma once

#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <functional>

namespace tolvane {

// Keeps a window from repainting for a moment. Painting a window that holds
// a page view composes the whole window in software and takes 15-25 ms,
// and the engine's work that sends a page's request waits behind it in the
// event loop; a page shown to the user therefore holds its window's paint
// from the moment it asks for a load until the engine has handed its
// request on, at most kMaxMs.
//
// A hold only stops painting when the window paints at the time it is
// taken and is composed through OpenGL (see SceneGraphChoice); the window
// paints again when the hold ends (Release, the time limit or destruction),
// unless the window has gone. Work that must not run ahead of the request
// (RunAfter) waits for every hold of its window, painting or not.
class PaintHold {
 public:
  static constexpr int kMaxMs = 100;

  explicit PaintHold(QWidget* window);
  ~PaintHold();
  PaintHold(const PaintHold&) = delete;
  PaintHold& operator=(const PaintHold&) = delete;

  void Release();
  bool holding() const { return window_ != nullptr; }

  // Posts `work` to `context` once no hold of `window` is left (at once
  // when there is none); dropped when `context` goes first.
  static void RunAfter(QWidget* window, QObject* context, std::function<void()> work);

 private:
  QPointer<QWidget> window_;  // null when not holding its paint
  QWidget* held_ = nullptr;   // the window while the hold lasts
  QTimer limit_;
};

}  // namespace tolvane
