#pragma once

#include <QObject>

class QSocketNotifier;

namespace tolvane {

// Turns SIGTERM, SIGINT and SIGHUP (logout, `kill`, Ctrl+C in a terminal)
// into a Qt signal on the GUI thread, so that the program closes in order
// and saves its stores instead of dying with up to a minute of changes.
// The handler only writes a byte to a socket pair; everything else runs in
// the event loop. One instance per process.
class TerminationSignals : public QObject {
  Q_OBJECT

 public:
  explicit TerminationSignals(QObject* parent = nullptr);
  ~TerminationSignals() override;

 signals:
  void terminationRequested();

 private:
  static void OnSignal(int signal_number);
  void Drain();

  int fds_[2] = {-1, -1};
  QSocketNotifier* notifier_ = nullptr;
};

}  // namespace tolvane
