#pragma once

#include <QPointer>
#include <QWidget>

#include "core/browser/browser_control.h"

class QWebEngineProfile;

namespace tolvane {

// Makes WebEngineControls on one profile, their page areas inside `parent`.
class WebEngineControlFactory : public BrowserControlFactory {
 public:
  WebEngineControlFactory(QWebEngineProfile* profile, QWidget* parent)
      : profile_(profile), parent_(parent) {}

  std::unique_ptr<BrowserControl> CreateBrowserControl(BrowserEvents& events) override;

 private:
  QWebEngineProfile* profile_;
  QPointer<QWidget> parent_;
};

}  // namespace tolvane
