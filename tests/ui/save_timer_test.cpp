// The view's periodic save: started once the first tabs are open, writes the
// stores, tells a file that cannot be written once per streak; the save at
// exit asks to retry or leave.
#include <unistd.h>
#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <cstdio>

#include "core/app/tolvane_doc.h"
#include "ui/app/tolvane_app.h"
#include "ui/base/qt_text.h"
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

  // A directory in a file's place makes every write of it fail; the other
  // stores are still written. The failure is told once per streak in a
  // notice that does not wait for its OK: while it is up the timer goes on
  // saving, and the first save that writes everything clears the status.
  void failingFileIsToldOncePerStreakAndSavingGoesOn() {
    QTemporaryDir dir;
    const std::filesystem::path data = QStringToPath(dir.path());
    CTolvaneApp app;
    QCOMPARE(app.InitInstance(test::AppArguments(dir.path())), CTolvaneApp::kExitOk);
    CMainFrame* frame = app.main_frame();
    CTolvaneView* view = frame->view();
    auto* status = frame->findChild<QLabel*>(QStringLiteral("saveStatus"));
    QVERIFY(status != nullptr);

    std::filesystem::create_directory(data / "vq_custom.eng");
    QByteArray reported;
    {
      StderrCapture capture;
      view->save_timer().setInterval(10);
      QTRY_VERIFY_WITH_TIMEOUT(frame->findChild<QMessageBox*>(QStringLiteral("notice")), 5000);
      // Three more ticks with the notice still up.
      QSignalSpy ticks(&view->save_timer(), &QTimer::timeout);
      QTRY_VERIFY_WITH_TIMEOUT(ticks.count() >= 3, 5000);
      reported = capture.Take();
    }
    const QList<QMessageBox*> notices = frame->findChildren<QMessageBox*>();
    QCOMPARE(notices.size(), 1);
    QVERIFY(notices[0]->isVisible() && !notices[0]->isModal());
    QVERIFY2(
        notices[0]->text().startsWith(QStringLiteral("次のファイルを保存できませんでした。")) &&
            notices[0]->text().contains(PathToQString(data / "vq_custom.eng")),
        qPrintable(notices[0]->text()));
    QCOMPARE(QApplication::activeModalWidget(), nullptr);
    QCOMPARE(status->text(), QStringLiteral("保存できないファイルがあります: vq_custom.eng"));
    QVERIFY(status->isVisible());
    QVERIFY2(reported.startsWith("tolvane: not saved:\n") && reported.count("not saved") == 1,
             reported.constData());
    QVERIFY(test::HasCrLfLines(test::ReadBytes(data / "vq_favorite.fvf")));

    // Room again: the next tick writes the file, no one having clicked.
    std::filesystem::remove(data / "vq_custom.eng");
    QTRY_VERIFY_WITH_TIMEOUT(test::HasCrLfLines(test::ReadBytes(data / "vq_custom.eng")), 5000);
    QTRY_VERIFY_WITH_TIMEOUT(status->isHidden(), 5000);
    view->save_timer().stop();
  }

  // At exit the user chooses: retry (after making room) closes with
  // everything written; leaving without saving ends with a failure status.
  void failedSaveAtExitAsksRetryOrLeave() {
    for (const bool retry : {true, false}) {
      QTemporaryDir dir;
      const std::filesystem::path data = QStringToPath(dir.path());
      CTolvaneApp app;
      QCOMPARE(app.InitInstance(test::AppArguments(dir.path())), CTolvaneApp::kExitOk);
      app.settings()->WriteInt("OptionMain", "CloseMode", 0);
      std::filesystem::create_directory(data / "vq_tab.tbf");

      QString question;
      QStringList buttons;
      test::WhenModal([&](QWidget* modal) {
        question = static_cast<QMessageBox*>(modal)->text();
        for (auto* button : modal->findChildren<QPushButton*>()) buttons << button->text();
        if (retry) std::filesystem::remove(data / "vq_tab.tbf");
        modal->findChild<QPushButton*>(retry ? QStringLiteral("retry") : QStringLiteral("leave"))
            ->click();
      });
      QVERIFY(app.main_frame()->close());
      QVERIFY2(question.contains(PathToQString(data / "vq_tab.tbf")), qPrintable(question));
      buttons.sort();
      QCOMPARE(buttons,
               (QStringList{QStringLiteral("保存せずに終了(&Q)"), QStringLiteral("再試行(&R)")}));
      QCOMPARE(app.ExitStatus(), retry ? CTolvaneApp::kExitOk : CTolvaneApp::kExitNotSaved);
      QCOMPARE(test::HasCrLfLines(test::ReadBytes(data / "vq_tab.tbf")), retry);
      QVERIFY(test::HasCrLfLines(test::ReadBytes(data / "vq_clip.clf")));
    }
  }
};

}  // namespace tolvane

TOLVANE_APP_TEST_MAIN(tolvane::SaveTimerTest)
#include "save_timer_test.moc"
