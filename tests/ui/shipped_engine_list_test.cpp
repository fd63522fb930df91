// The engine list shipped beside the program reaches a new data directory.
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include "platform/posix_env.h"
#include "ui/app/shipped_engine_list.h"
#include "ui/base/qt_text.h"
#include "ui_test_support.h"

namespace tolvane {

class ShippedEngineListTest : public QObject {
  Q_OBJECT

 private slots:
  void init() { test::FailOnQtWarnings(); }

  void foundBesideTheProgramElseInShare() {
    QTemporaryDir dir;
    const std::filesystem::path root = QStringToPath(dir.path());
    const std::filesystem::path bin = root / "bin";
    const std::filesystem::path share = root / "share" / "tolvane";
    std::filesystem::create_directories(bin);
    std::filesystem::create_directories(share);

    QCOMPARE(FindShippedEngineList(bin), std::filesystem::path());
    test::WriteBytes(share / "vq_search.eng", "@@SearchEngineList@@\r\n");
    QCOMPARE(FindShippedEngineList(bin), share / "vq_search.eng");
    // Not a list: a directory of that name is passed over.
    std::filesystem::create_directory(bin / "vq_search.eng");
    QCOMPARE(FindShippedEngineList(bin), share / "vq_search.eng");
    std::filesystem::remove(bin / "vq_search.eng");
    test::WriteBytes(bin / "vq_search.eng", "@@SearchEngineList@@\r\n");
    QCOMPARE(FindShippedEngineList(bin), bin / "vq_search.eng");
  }

  // The build puts the list beside the program; a first start on an empty
  // data directory copies it there before the document reads it.
  void firstStartInstallsTheShippedList() {
    const QString exe = QStringLiteral(TOLVANE_EXE);
    const QByteArray shipped = test::ReadBytes(
        QStringToPath(QFileInfo(exe).dir().filePath(QStringLiteral("vq_search.eng"))));
    QVERIFY2(shipped.startsWith("@@SearchEngineList@@\r\n"), "no list beside the program");

    QTemporaryDir dir;
    QTemporaryDir runtime_dir;
    const std::filesystem::path data = QStringToPath(dir.path());
    test::ProgramProcess browser(dir.path(), runtime_dir.path());
    QVERIFY(browser.process().waitForStarted(5000));
    // The hold on the lock file comes after every store was read.
    PosixEnv env(PosixEnv::DefaultMutexDirectory());
    QTRY_VERIFY_WITH_TIMEOUT(env.IsFileHeldElsewhere(data / "vq_searchtree.egt"), 10000);
    browser.process().terminate();
    QVERIFY(browser.process().waitForFinished(10000));
    QCOMPARE(browser.process().exitCode(), 0);
    QCOMPARE(test::ReadBytes(data / "vq_search.eng"), shipped);
    QCOMPARE(browser.process().readAllStandardError().contains("engine list"), false);
  }
};

}  // namespace tolvane

QTEST_MAIN(tolvane::ShippedEngineListTest)
#include "shipped_engine_list_test.moc"
