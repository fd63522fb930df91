#include "ui/base/qt_timer.h"

namespace tolvane {

QtTimer::QtTimer() {
  QObject::connect(&timer_, &QTimer::timeout, [this] {
    const std::shared_ptr<std::function<void()>> running = callback_;
    if (running && *running) (*running)();
  });
}

void QtTimer::Start(int ms, bool repeating, std::function<void()> callback) {
  timer_.stop();
  callback_ = std::make_shared<std::function<void()>>(std::move(callback));
  timer_.setSingleShot(!repeating);
  timer_.setTimerType(Qt::PreciseTimer);
  timer_.start(ms < 0 ? 0 : ms);
}

void QtTimer::Stop() { timer_.stop(); }

}  // namespace tolvane
