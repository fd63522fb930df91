// The view's periodic save: started once the first tabs are open, writes
// the stores, reports a file that cannot be written once.
#include <unistd.h>
#include <QTemporaryDir>
#include <QTest>
#include <cstdio>

#include "core/app/tolvane_doc.h"
#include "ui/app/qt_text.h"
#include "ui/app/tolvane_app.h"
#include "ui/frame/main_frame.h"
#include "ui/tabs/tolvane_view.h"
#include "ui_test_support.h"

namespace tolvane {
namespace {

// Collects what is written to stderr while it lives.
class StderrCapture {
 public:
  StderrCapture() : file_(std::tmpfile()), saved_(dup(STDERR_FILENO)) {
    std::fflush(stderr);
    dup2(fileno(file_), STDERR_FILENO);
  }
  ~StderrCapture() {
    Restore();
    std::fclose(file_);
  }
  QByteArray Take() {
    Restore();
    std::rewind(file_);
    QByteArray text;
    char buffer[512];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, file_)) > 0;) {
      text.append(buffer, static_cast<qsizetype>(n));
    }
    return text;
  }

 private:
  void Restore() {
    if (saved_ < 0) return;
    std::fflush(stderr);
    dup2(saved_, STDERR_FILENO);
    close(saved_);
    saved_ = -1;
  }
  std::FILE* file_;
  int saved_;
};

}  // namespace

class SaveTimerTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { test::OpenSharedProfile(); }
  void init() { test::FailOnQtWarnings(); }

  void timerStartsWithTheFirstTabsAndSavesChanges() {
    QTemporaryDir dir;
    const std::filesystem::path favorites = QStringToPath(dir.path()) / "vq_favorite.fvf";
    CTolvaneApp app;
    QCOMPARE(app.InitInstance(test::AppArguments(dir.path())), CTolvaneApp::kExitOk);
    QTimer& timer = app.main_frame()->view()->save_timer();
    QVERIFY(timer.isActive());
    QCOMPARE(timer.interval(), CTolvaneView::kSaveIntervalMs);

    app.document()
        ->binding(StoreType::kFavorites)
        .ParseItemLine("1\t0\ttimer-check\thttp://example.com/timer");
    QVERIFY(!test::ReadBytes(favorites).contains("timer-check"));
    timer.setInterval(20);
    QTRY_VERIFY_WITH_TIMEOUT(test::ReadBytes(favorites).contains("timer-check"), 5000);
  }

  void failingFileIsReportedOnceAndRetried() {
    QTemporaryDir dir;
    const std::filesystem::path custom = QStringToPath(dir.path()) / "vq_custom.eng";
    CTolvaneApp app;
    QCOMPARE(app.InitInstance(test::AppArguments(dir.path())), CTolvaneApp::kExitOk);
    CTolvaneView* view = app.main_frame()->view();
    view->save_timer().stop();

    // A directory in the file's place makes every write of it fail.
    std::filesystem::create_directory(custom);
    QByteArray reported;
    {
      StderrCapture capture;
      for (int tick = 0; tick < 3; ++tick) view->SaveNow();
      reported = capture.Take();
    }
    QCOMPARE(reported.count('\n'), 1);
    QVERIFY2(reported.startsWith("tolvane: ") && reported.contains("vq_custom.eng"),
             reported.constData());
    QVERIFY(!std::filesystem::exists(QStringToPath(dir.path()) / "vq_favorite.fvf"));

    std::filesystem::remove(custom);
    view->SaveNow();
    QVERIFY(test::HasCrLfLines(test::ReadBytes(custom)));
    QVERIFY(std::filesystem::exists(QStringToPath(dir.path()) / "vq_favorite.fvf"));
  }
};

}  // namespace tolvane

TOLVANE_APP_TEST_MAIN(tolvane::SaveTimerTest)
#include "save_timer_test.moc"
