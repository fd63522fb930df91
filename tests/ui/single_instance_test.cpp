// Two real processes on one data directory: the second must end at once.
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "platform/posix_env.h"
#include "ui/app/qt_text.h"
#include "ui/app/tolvane_app.h"
#include "ui_test_support.h"

namespace tolvane {
namespace {

// A started browser that is never left running, whatever the test does.
class Browser {
 public:
  Browser(const QString& data_dir, const QString& runtime_dir) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime_dir);
    process_.setProcessEnvironment(environment);
    process_.setProgram(QStringLiteral(TOLVANE_EXE));
    process_.setArguments({QStringLiteral("--data-dir"), data_dir});
    process_.start();
  }
  ~Browser() {
    if (process_.state() == QProcess::NotRunning) return;
    process_.terminate();
    if (!process_.waitForFinished(5000)) {
      process_.kill();
      process_.waitForFinished(5000);
    }
  }
  QProcess& process() { return process_; }

 private:
  QProcess process_;
};

}  // namespace

class SingleInstanceTest : public QObject {
  Q_OBJECT

 private slots:
  void init() { test::FailOnQtWarnings(); }

  void secondProcessEndsWithStatusThree() {
    QTemporaryDir dir;
    QTemporaryDir runtime_dir;  // a private one keeps Qt from warning about its absence
    const std::filesystem::path lock = QStringToPath(dir.path()) / "vq_searchtree.egt";
    PosixEnv env(PosixEnv::DefaultMutexDirectory());

    Browser first(dir.path(), runtime_dir.path());
    QVERIFY(first.process().waitForStarted(5000));
    QTRY_VERIFY_WITH_TIMEOUT(env.IsFileHeldElsewhere(lock), 10000);

    Browser second(dir.path(), runtime_dir.path());
    QVERIFY(second.process().waitForFinished(10000));
    QCOMPARE(second.process().exitStatus(), QProcess::NormalExit);
    QCOMPARE(second.process().exitCode(), CTolvaneApp::kExitHeldByAnotherCopy);
    const QByteArray error = second.process().readAllStandardError();
    QVERIFY2(error.startsWith("tolvane: ") && error.contains("vq_searchtree.egt") &&
                 error.count('\n') == 1,
             error.constData());
    QCOMPARE(second.process().readAllStandardOutput(), QByteArray());

    QCOMPARE(first.process().state(), QProcess::Running);
    first.process().terminate();
    QVERIFY(first.process().waitForFinished(10000));
    // Ended copies leave no hold behind.
    QVERIFY(!env.IsFileHeldElsewhere(lock));
  }

  // A logout or `kill` must not cost the changes since the last timed save:
  // the browser closes in order, without the exit dialog, and saves.
  void terminatedBrowserSavesAndEndsCleanly() {
    QTemporaryDir dir;
    QTemporaryDir runtime_dir;
    const std::filesystem::path data = QStringToPath(dir.path());
    PosixEnv env(PosixEnv::DefaultMutexDirectory());

    Browser browser(dir.path(), runtime_dir.path());
    QVERIFY(browser.process().waitForStarted(5000));
    QTRY_VERIFY_WITH_TIMEOUT(env.IsFileHeldElsewhere(data / "vq_searchtree.egt"), 10000);
    QVERIFY(!std::filesystem::exists(data / "vq_clip.clf"));

    browser.process().terminate();
    QVERIFY(browser.process().waitForFinished(10000));
    QCOMPARE(browser.process().exitStatus(), QProcess::NormalExit);
    QCOMPARE(browser.process().exitCode(), 0);
    for (const char* name : {"vq_clip.clf", "vq_history.his", "vq_tab.tbf"}) {
      QVERIFY2(test::HasCrLfLines(test::ReadBytes(data / name)), name);
    }
    QCOMPARE(test::ReadBytes(data / "vq_system.ini").contains("CloseMode"), false);
  }
};

}  // namespace tolvane

QTEST_MAIN(tolvane::SingleInstanceTest)
#include "single_instance_test.moc"
