#pragma once

#include <QPointer>
#include <QWidget>

#include <memory>

#include "core/browser/browser_control.h"
#include "ui/browser/page_hooks.h"

class QWebEngineProfile;

namespace tolvane {

// Makes WebEngineControls on one profile, their page areas inside `parent`.
class WebEngineControlFactory : public BrowserControlFactory {
 public:
  // With `spare_pages`, the next page made takes a page made ahead
  // (SparePage).
  WebEngineControlFactory(QWebEngineProfile* profile, QWidget* parent, bool spare_pages = false);

  std::unique_ptr<BrowserControl> CreateBrowserControl(BrowserEvents& events) override;

  // What every control of this factory, made before or after, does with
  // its page's input.
  PageHooks& hooks() { return *hooks_; }

 private:
  QWebEngineProfile* profile_;
  QPointer<QWidget> parent_;
  std::shared_ptr<PageHooks> hooks_;
};

}  // namespace tolvane
