// Start-up and close of the whole application on a temporary data directory.
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <map>
#include <set>

#include "core/files/settings_store.h"
#include "core/tabs/tab_workspace.h"
#include "ui/app/tolvane_app.h"
#include "ui/base/qt_text.h"
#include "ui/frame/main_frame.h"
#include "ui/tabs/tolvane_view.h"
#include "ui_test_support.h"

namespace tolvane {
namespace {

std::set<std::string> FilesIn(const std::filesystem::path& dir) {
  std::set<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(dir)) {
    names.insert(entry.path().filename().string());
  }
  return names;
}

// Every regular file's name with its bytes.
std::map<std::string, QByteArray> Contents(const std::filesystem::path& dir) {
  std::map<std::string, QByteArray> files;
  for (const auto& entry : std::filesystem::directory_iterator(dir)) {
    if (entry.is_regular_file()) files[entry.path().filename().string()] = test::ReadBytes(entry);
  }
  return files;
}

}  // namespace

class StartupTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { test::OpenSharedProfile(); }
  void init() { test::FailOnQtWarnings(); }

  void firstStartAndCloseWriteEveryStore() {
    QTemporaryDir dir;
    const std::filesystem::path data = QStringToPath(dir.path());
    {
      CTolvaneApp app;
      QCOMPARE(app.InitInstance(test::AppArguments(dir.path())), CTolvaneApp::kExitOk);
      CMainFrame* frame = app.main_frame();
      QVERIFY(frame != nullptr);
      QVERIFY(QTest::qWaitForWindowExposed(frame));
      QVERIFY2(frame->windowTitle().endsWith(QStringLiteral("Tolvane！")),
               qPrintable(frame->windowTitle()));
      // A first start shows the start page in the first page tab of "ホーム".
      QVERIFY(!app.start_url().empty());
      const TabArea& area = frame->view()->workspace()->area();
      QCOMPARE(area.current_category(), 0);
      QCOMPARE(ToQString(area.category(0).caption()), QStringLiteral("ホーム"));
      QCOMPARE(area.category(0).page(0).host().request().url, app.start_url());
      // The first start takes the data directory by creating the lock file.
      QVERIFY(std::filesystem::exists(data / "vq_searchtree.egt"));

      app.settings()->WriteInt("OptionMain", "CloseMode", 0);
      QVERIFY(frame->close());
      QCOMPARE(app.settings()->GetInt("MainWindow", "cx", 0), frame->width());
      QCOMPARE(app.settings()->GetInt("MainWindow", "cy", 0), frame->height());
    }
    for (const char* name : {"vq_custom.eng", "vq_tab.tbf", "vq_favorite.fvf", "vq_keyword.kwd",
                             "vq_history.his", "vq_clip.clf", "vq_searchtree.egt"}) {
      const QByteArray bytes = test::ReadBytes(data / name);
      QVERIFY2(test::HasCrLfLines(bytes), name);
    }
    // vq_search.eng comes from the update server only.
    QVERIFY(!std::filesystem::exists(data / "vq_search.eng"));
  }

  void windowComesBackWhereItWasLeft() {
    QTemporaryDir dir;
    const std::filesystem::path data = QStringToPath(dir.path());
    test::WriteBytes(data / "vq_system.ini",
                     "[MainWindow]\r\nx=60\r\ny=50\r\ncx=900\r\ncy=500\r\n"
                     "[OptionMain]\r\nCloseMode=0\r\n");
    CTolvaneApp app;
    QCOMPARE(app.InitInstance(test::AppArguments(dir.path())), CTolvaneApp::kExitOk);
    QCOMPARE(app.main_frame()->size(), QSize(900, 500));
    QCOMPARE(app.main_frame()->pos(), QPoint(60, 50));
    app.main_frame()->resize(840, 480);
    QVERIFY(app.main_frame()->close());
    QCOMPARE(app.settings()->GetInt("MainWindow", "cx", 0), 840);
    QCOMPARE(app.settings()->GetInt("MainWindow", "cy", 0), 480);
  }

  void damagedStoreStopsTheStartAndIsLeftAlone() {
    QTemporaryDir dir;
    const std::filesystem::path data = QStringToPath(dir.path());
    const QByteArray damaged = "@@KeywordList@@\r\n0\t\x83\x65\x83\x58\x83\x67\r\n";
    test::WriteBytes(data / "vq_favorite.fvf", damaged);

    QString object_name, title, text;
    test::WhenModal([&](QWidget* modal) {
      object_name = modal->objectName();
      title = modal->windowTitle();
      if (auto* box = qobject_cast<QMessageBox*>(modal)) text = box->text();
      modal->close();
    });
    CTolvaneApp app;
    QCOMPARE(app.InitInstance(test::AppArguments(dir.path())), CTolvaneApp::kExitStoreFailed);
    QVERIFY(app.main_frame() == nullptr);
    QCOMPARE(object_name, QStringLiteral("storeLoadError"));
    QCOMPARE(title, QStringLiteral("Tolvane！"));
    QVERIFY2(text.contains(QStringLiteral("起動できません")), qPrintable(text));
    QVERIFY2(text.contains(QStringLiteral("vq_favorite.fvf")), qPrintable(text));
    QCOMPARE(test::ReadBytes(data / "vq_favorite.fvf"), damaged);
    // The lock file stays: removing it would let two copies hold two files.
    QCOMPARE(FilesIn(data), (std::set<std::string>{"vq_favorite.fvf", "vq_instance.lock"}));
  }

  // A settings file that cannot be used is told and the run goes on with
  // the defaults, never writing over it; a lock file that cannot be held
  // stops the start with a message.
  void oddSettingsAndLockFilesAreTold() {
    QTemporaryDir dir;
    const std::filesystem::path data = QStringToPath(dir.path());
    std::filesystem::create_directory(data / "vq_system.ini");
    QStringList shown;
    auto note_and_close = [&](QWidget* modal) {
      auto* box = qobject_cast<QMessageBox*>(modal);
      shown << modal->objectName() + QLatin1Char(' ') + (box ? box->text() : QString());
      modal->close();
    };
    test::WhenModal(note_and_close);
    {
      CTolvaneApp app;
      QCOMPARE(app.InitInstance(test::AppArguments(dir.path())), CTolvaneApp::kExitOk);
      // As at logout: the close writes the settings it always writes.
      app.main_frame()->CloseWithoutAsking();
      QVERIFY(!app.main_frame()->isVisible());
    }
    QVERIFY(std::filesystem::is_directory(data / "vq_system.ini"));

    std::filesystem::remove(data / "vq_instance.lock");
    std::filesystem::create_directory(data / "vq_instance.lock");
    test::WhenModal(note_and_close);
    CTolvaneApp app;
    QCOMPARE(app.InitInstance(test::AppArguments(dir.path())), CTolvaneApp::kExitHeldByAnotherCopy);
    QCOMPARE(shown.size(), 2);
    QVERIFY2(shown[0].startsWith(QStringLiteral("settingsUnusable 設定ファイルを読み込めない")) &&
                 shown[0].contains(QStringLiteral("vq_system.ini\nit is a directory")),
             qPrintable(shown[0]));
    QVERIFY2(shown[1].startsWith(QStringLiteral("lockError データフォルダをロックできない")) &&
                 shown[1].contains(QStringLiteral("vq_instance.lock\nit is a directory")),
             qPrintable(shown[1]));
  }

  // SIGTERM while the settings box is up closes the box and ends the start
  // there: no window, and nothing written after the box appeared.
  void stopRequestDuringTheSettingsBoxEndsTheStart() {
    QTemporaryDir dir;
    const std::filesystem::path data = QStringToPath(dir.path());
    std::filesystem::create_directory(data / "vq_system.ini");
    std::map<std::string, QByteArray> at_box;
    test::WhenModal([&](QWidget*) {
      at_box = Contents(data);
      ::raise(SIGTERM);
    });
    CTolvaneApp app;
    QCOMPARE(app.InitInstance(test::AppArguments(dir.path())), CTolvaneApp::kExitOk);
    QVERIFY(app.main_frame() == nullptr);
    QVERIFY(!at_box.empty());
    QVERIFY(Contents(data) == at_box);
    QVERIFY(std::filesystem::is_directory(data / "vq_system.ini"));
  }

  void dataDirectoryIsCreatedWhenMissing() {
    QTemporaryDir dir;
    const QString nested = dir.filePath(QStringLiteral("データ/tolvane"));
    CTolvaneApp app;
    QCOMPARE(app.InitInstance(test::AppArguments(nested)), CTolvaneApp::kExitOk);
    QVERIFY(QFileInfo(nested).isDir());
    QVERIFY(QFileInfo::exists(nested + QStringLiteral("/vq_searchtree.egt")));
  }
};

}  // namespace tolvane

TOLVANE_APP_TEST_MAIN(tolvane::StartupTest)
#include "startup_test.moc"
