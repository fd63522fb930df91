#pragma once

#include <QObject>
#include <QPointer>
#include <QTimer>

class QWebEngineProfile;
class QWidget;

namespace tolvane {

class PageView;

// One page view with its engine page made ahead of need, so that the page a
// search (or a new tab) makes next starts at once: making an engine page
// and starting its first navigation costs 15-30 ms, which a search over
// several shops would otherwise spend between Enter and its first request.
//
// The spare is made kFirstDelayMs after the window starts and kNextDelayMs
// after each take, hidden, and has shown about:blank so its renderer is up.
// The control that takes it drops that blank entry from the page's history
// once its own first load has ended.
class SparePage : public QObject {
  Q_OBJECT

 public:
  static constexpr int kFirstDelayMs = 2000;
  static constexpr int kNextDelayMs = 1000;

  // Views go inside `parent`, on `profile`.
  SparePage(QWebEngineProfile* profile, QWidget* parent);

  // The view made ahead (its page set, hidden, without a parent of its own
  // choosing: the caller re-parents and shows it), or nullptr when none is
  // ready. The next one is made kNextDelayMs after a take.
  PageView* Take();

 private:
  void Make();

  QWebEngineProfile* profile_;
  QPointer<QWidget> parent_;
  QPointer<PageView> view_;
  bool ready_ = false;  // view_'s blank page has loaded
  QTimer timer_;
};

}  // namespace tolvane
