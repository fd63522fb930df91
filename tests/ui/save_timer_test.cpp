// The view's periodic save: started once the first tabs are open, writes the
// stores, tells a file that cannot be written once per streak; the save at
// exit asks to retry or leave.
#include <unistd.h>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
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

  // A directory in a file's place makes every write of it fail; the other
  // stores are still written.
  void failingFileIsToldOncePerStreakAndRetried() {
    QTemporaryDir dir;
    const std::filesystem::path data = QStringToPath(dir.path());
    CTolvaneApp app;
    QCOMPARE(app.InitInstance(test::AppArguments(dir.path())), CTolvaneApp::kExitOk);
    CMainFrame* frame = app.main_frame();
    CTolvaneView* view = frame->view();
    view->save_timer().stop();
    auto* status = frame->findChild<QLabel*>(QStringLiteral("saveStatus"));
    QVERIFY(status != nullptr);

    std::filesystem::create_directory(data / "vq_custom.eng");
    QStringList told;
    QByteArray reported;
    {
      StderrCapture capture;
      for (int tick = 0; tick < 3; ++tick) {
        test::WhenModal(
            [&](QWidget* modal) {
              told << static_cast<QMessageBox*>(modal)->text();
              modal->close();
            },
            1000, frame);
        view->SaveNow();
        QVERIFY(status->isVisible());
      }
      test::Spin(100);
      reported = capture.Take();
    }
    QCOMPARE(told.size(), 1);
    QVERIFY2(told[0].startsWith(QStringLiteral("次のファイルを保存できませんでした。")) &&
                 told[0].contains(PathToQString(data / "vq_custom.eng")),
             qPrintable(told[0]));
    QCOMPARE(status->text(), QStringLiteral("保存できないファイルがあります: vq_custom.eng"));
    QVERIFY2(reported.startsWith("tolvane: not saved:\n") && reported.count('\n') == 2,
             reported.constData());
    QVERIFY(test::HasCrLfLines(test::ReadBytes(data / "vq_favorite.fvf")));

    std::filesystem::remove(data / "vq_custom.eng");
    view->SaveNow();
    QVERIFY(test::HasCrLfLines(test::ReadBytes(data / "vq_custom.eng")));
    QVERIFY(status->isHidden());
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
