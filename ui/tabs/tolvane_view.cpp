#include "ui/tabs/tolvane_view.h"

#include <QPalette>
#include <cstdio>

#include "core/app/tolvane_doc.h"

namespace tolvane {

CTolvaneView::CTolvaneView(CTolvaneDoc& doc, QWidget* parent) : QWidget(parent), doc_(doc) {
  setObjectName(QStringLiteral("tolvaneView"));
  setAutoFillBackground(true);
  QPalette light = palette();
  light.setColor(QPalette::Window, QColor(0xF4, 0xF6, 0xF8));
  setPalette(light);
  setMinimumSize(200, 120);

  save_timer_.setObjectName(QStringLiteral("saveTimer"));
  save_timer_.setInterval(kSaveIntervalMs);
  connect(&save_timer_, &QTimer::timeout, this, &CTolvaneView::SaveNow);
}

void CTolvaneView::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (shown_once_) return;
  shown_once_ = true;
  // The start pages and the engine-list check will come before this.
  save_timer_.start();
}

void CTolvaneView::SaveNow() {
  const SaveAllResult result = doc_.SaveAll();
  if (result.ok) {
    reported_failures_.clear();
    return;
  }
  // A failed periodic save is retried on the next tick; say it once per file.
  if (reported_failures_.insert(*result.failed_store).second) {
    std::fprintf(stderr, "tolvane: %s\n", result.message.c_str());
  }
}

}  // namespace tolvane
