// Two real processes on one data directory: the second must end at once.
#include <QTemporaryDir>
#include <QTest>

#include "platform/posix_env.h"
#include "ui/app/qt_text.h"
#include "ui/app/tolvane_app.h"
#include "ui_test_support.h"

namespace tolvane {
class SingleInstanceTest : public QObject {
  Q_OBJECT

 private slots:
  void init() { test::FailOnQtWarnings(); }

  void secondProcessEndsWithStatusThree() {
    QTemporaryDir dir;
    QTemporaryDir runtime_dir;
    const std::filesystem::path lock = QStringToPath(dir.path()) / "vq_searchtree.egt";
    PosixEnv env(PosixEnv::DefaultMutexDirectory());

    test::ProgramProcess first(dir.path(), runtime_dir.path());
    QVERIFY(first.process().waitForStarted(5000));
    QTRY_VERIFY_WITH_TIMEOUT(env.IsFileHeldElsewhere(lock), 10000);

    test::ProgramProcess second(dir.path(), runtime_dir.path());
    QVERIFY(second.process().waitForFinished(10000));
    QCOMPARE(second.process().exitStatus(), QProcess::NormalExit);
    QCOMPARE(second.process().exitCode(), CTolvaneApp::kExitHeldByAnotherCopy);
    const QByteArray error = second.process().readAllStandardError();
    QVERIFY2(error.startsWith("tolvane: ") && error.contains("vq_instance.lock") &&
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
  // the browser closes in order, without the exit dialog, and saves. Nobody
  // can answer the retry question then: a store that cannot be written is
  // named on stderr, the others are written, and the status says it.
  void terminatedBrowserSavesWhatItCan_data() {
    QTest::addColumn<bool>("tab_file_blocked");
    QTest::newRow("every store written") << false;
    QTest::newRow("tab file blocked") << true;
  }
  void terminatedBrowserSavesWhatItCan() {
    QFETCH(bool, tab_file_blocked);
    QTemporaryDir dir;
    QTemporaryDir runtime_dir;
    const std::filesystem::path data = QStringToPath(dir.path());
    PosixEnv env(PosixEnv::DefaultMutexDirectory());

    test::ProgramProcess browser(dir.path(), runtime_dir.path());
    QVERIFY(browser.process().waitForStarted(5000));
    // The lock file comes after every other store is read.
    QTRY_VERIFY_WITH_TIMEOUT(env.IsFileHeldElsewhere(data / "vq_searchtree.egt"), 10000);
    QVERIFY(!std::filesystem::exists(data / "vq_clip.clf"));
    if (tab_file_blocked) std::filesystem::create_directory(data / "vq_tab.tbf");

    browser.process().terminate();
    QVERIFY(browser.process().waitForFinished(10000));
    QCOMPARE(browser.process().exitStatus(), QProcess::NormalExit);
    QCOMPARE(browser.process().exitCode(),
             tab_file_blocked ? CTolvaneApp::kExitNotSaved : CTolvaneApp::kExitOk);
    for (const char* name : {"vq_clip.clf", "vq_history.his"}) {
      QVERIFY2(test::HasCrLfLines(test::ReadBytes(data / name)), name);
    }
    QCOMPARE(test::HasCrLfLines(test::ReadBytes(data / "vq_tab.tbf")), !tab_file_blocked);
    const QByteArray err = browser.process().readAllStandardError();
    QCOMPARE(err.contains("tolvane: closed without saving vq_tab.tbf (6 other files saved):\n" +
                          dir.path().toUtf8() + "/vq_tab.tbf: "),
             tab_file_blocked);
    QCOMPARE(test::ReadBytes(data / "vq_system.ini").contains("CloseMode"), false);
  }
};

}  // namespace tolvane

QTEST_MAIN(tolvane::SingleInstanceTest)
#include "single_instance_test.moc"
