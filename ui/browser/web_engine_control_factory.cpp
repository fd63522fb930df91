#include "ui/browser/web_engine_control_factory.h"

#include "ui/browser/spare_page.h"
#include "ui/browser/web_engine_control.h"

namespace tolvane {

WebEngineControlFactory::WebEngineControlFactory(QWebEngineProfile* profile, QWidget* parent,
                                                 bool spare_pages)
    : profile_(profile), parent_(parent), hooks_(std::make_shared<PageHooks>()) {
  if (!spare_pages) return;
  QPointer<SparePage> spare = new SparePage(profile, parent);
  hooks_->take_spare = [spare]() -> PageView* { return spare ? spare->Take() : nullptr; };
}

std::unique_ptr<BrowserControl> WebEngineControlFactory::CreateBrowserControl(
    BrowserEvents& events) {
  return std::make_unique<WebEngineControl>(events, profile_, parent_, hooks_);
}

}  // namespace tolvane
