#include "ui/base/qt_timer_factory.h"

#include "ui/base/qt_timer.h"

namespace tolvane {

std::unique_ptr<Timer> QtTimerFactory::CreateTimer() { return std::make_unique<QtTimer>(); }

}  // namespace tolvane
