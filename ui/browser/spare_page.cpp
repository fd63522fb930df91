#include "ui/browser/spare_page.h"

#include <QUrl>

#include "ui/browser/engine_page.h"
#include "ui/browser/page_view.h"

namespace tolvane {

SparePage::SparePage(QWebEngineProfile* profile, QWidget* parent)
    : QObject(parent), profile_(profile), parent_(parent) {
  timer_.setSingleShot(true);
  connect(&timer_, &QTimer::timeout, this, [this] { Make(); });
  timer_.start(kFirstDelayMs);
}

PageView* SparePage::Take() {
  // Until its blank page has loaded, its load would still be reported.
  PageView* view = ready_ ? view_.data() : nullptr;
  if (view == nullptr) return nullptr;
  view_ = nullptr;
  ready_ = false;
  timer_.start(kNextDelayMs);
  return view;
}

void SparePage::Make() {
  if (view_ != nullptr || parent_ == nullptr) return;
  auto* view = new PageView(parent_);
  view->hide();
  auto* page = new EnginePage(profile_, view);
  view->setPage(page);
  connect(page, &QWebEnginePage::loadFinished, this, [this, view] {
    if (view_ == view) ready_ = true;
  });
  page->load(QUrl(QStringLiteral("about:blank")));
  view_ = view;
}

}  // namespace tolvane
