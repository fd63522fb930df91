#pragma once

#include <QTimer>
#include <QWidget>
#include <set>

#include "core/app/store_type.h"

namespace tolvane {

class CTolvaneDoc;

// The tab area in the middle of the main window. For now it only holds the
// save timer: every store is written each 60 seconds from the end of the
// first show on.
class CTolvaneView : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kSaveIntervalMs = 60'000;

  explicit CTolvaneView(CTolvaneDoc& doc, QWidget* parent = nullptr);

  // Tests shorten the interval instead of waiting a minute.
  QTimer& save_timer() { return save_timer_; }

  // One tick of the save timer.
  void SaveNow();

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  CTolvaneDoc& doc_;
  QTimer save_timer_;
  bool shown_once_ = false;
  // Stores whose last save failed and were already reported, so a file
  // that keeps failing is reported once and not every minute.
  std::set<StoreType> reported_failures_;
};

}  // namespace tolvane
