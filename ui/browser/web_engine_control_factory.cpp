#include "ui/browser/web_engine_control_factory.h"

#include "ui/browser/web_engine_control.h"

namespace tolvane {

std::unique_ptr<BrowserControl> WebEngineControlFactory::CreateBrowserControl(
    BrowserEvents& events) {
  return std::make_unique<WebEngineControl>(events, profile_, parent_, hooks_);
}

}  // namespace tolvane
