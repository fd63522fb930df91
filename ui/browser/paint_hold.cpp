#include "ui/browser/paint_hold.h"

#include "ui/browser/scene_graph_choice.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace tolvane {
namespace {

struct Waiting {
  QWidget* window;
  QPointer<QObject> context;
  std::function<void()> work;
};

// The user-interface thread's holds and the work waiting for them.
std::vector<const PaintHold*>& Holds() {
  static std::vector<const PaintHold*> holds;
  return holds;
}

std::vector<Waiting>& Waiters() {
  static std::vector<Waiting> waiters;
  return waiters;
}

// Only a window composed through OpenGL is slow to paint. With the software
// scene graph the window must not stop painting either: it would not paint
// its changes again once the hold ends.
bool ComposesWithOpenGl() { return !SceneGraphChoice::Software(); }

bool Held(const QWidget* window, const std::vector<QWidget*>& windows) {
  return std::find(windows.begin(), windows.end(), window) != windows.end();
}

}  // namespace

PaintHold::PaintHold(QWidget* window) {
  if (window == nullptr) return;
  held_ = window;
  Holds().push_back(this);
  limit_.setSingleShot(true);
  QObject::connect(&limit_, &QTimer::timeout, [this] { Release(); });
  limit_.start(kMaxMs);
  if (!window->isVisible() || !window->updatesEnabled() || !ComposesWithOpenGl()) return;
  window_ = window;
  window_->setUpdatesEnabled(false);
}

PaintHold::~PaintHold() { Release(); }

void PaintHold::Release() {
  limit_.stop();
  if (window_ != nullptr) window_->setUpdatesEnabled(true);
  window_ = nullptr;
  QWidget* released = std::exchange(held_, nullptr);
  if (released == nullptr) return;
  auto& holds = Holds();
  holds.erase(std::remove(holds.begin(), holds.end(), this), holds.end());
  RunAfter(released, nullptr, {});
}

void PaintHold::RunAfter(QWidget* window, QObject* context, std::function<void()> work) {
  auto& waiters = Waiters();
  if (work) waiters.push_back({window, context, std::move(work)});
  std::vector<QWidget*> held;
  for (const PaintHold* hold : Holds()) held.push_back(hold->held_);
  std::vector<Waiting> ready;
  for (auto it = waiters.begin(); it != waiters.end();) {
    if (Held(it->window, held)) {
      ++it;
      continue;
    }
    ready.push_back(std::move(*it));
    it = waiters.erase(it);
  }
  for (Waiting& waiting : ready) {
    if (waiting.context != nullptr) QTimer::singleShot(0, waiting.context, std::move(waiting.work));
  }
}

}  // namespace tolvane
