// The run's web profile: on disk under the data directory, and what a page
// left there (cookies, cached files) is still there in the next run.
#include <QApplication>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QWebEngineCookieStore>
#include <QWebEnginePage>
#include <QWebEngineProfile>

#include "local_http_server.h"
#include "ui/base/qt_text.h"
#include "ui/browser/browser_profile.h"
#include "ui_test_support.h"

namespace tolvane {
namespace {

constexpr char kVisit[] = "--visit";

// One run of the program in miniature: open the profile, load one page, quit.
int Visit(const QString& data_dir, const QByteArray& url) {
  QWebEngineProfile* profile = BrowserProfile::Open(QStringToPath(data_dir));
  auto* page = new QWebEnginePage(profile);
  QSignalSpy finished(page, &QWebEnginePage::loadFinished);
  QSignalSpy cookies(profile->cookieStore(), &QWebEngineCookieStore::cookieAdded);
  page->load(QUrl::fromEncoded(url, QUrl::StrictMode));
  if (!finished.wait(20000) || !finished.first().first().toBool()) return 1;
  // The page's cookie reaches the store on its own path, which may come
  // after the load's end: quit only once the store has it.
  if (cookies.isEmpty() && !cookies.wait(5000)) return 2;
  delete page;
  return 0;
}

}  // namespace

class BrowserProfileTest : public QObject {
  Q_OBJECT

 private slots:
  void profileIsNamedAndOnDisk() {
    QTemporaryDir dir;
    const std::filesystem::path data = QStringToPath(dir.path());
    QWebEngineProfile* profile = BrowserProfile::Open(data);
    QCOMPARE(BrowserProfile::Open(data / "other"), profile);
    QCOMPARE(BrowserProfile::Current(), profile);
    QVERIFY(!profile->isOffTheRecord());
    QCOMPARE(profile->storageName(), QStringLiteral("Tolvane"));
    QCOMPARE(profile->persistentStoragePath(), PathToQString(data / "browser" / "storage"));
    QCOMPARE(profile->cachePath(), PathToQString(data / "browser" / "cache"));
    QCOMPARE(profile->httpCacheType(), QWebEngineProfile::DiskHttpCache);
    // The engine started with a bounded number of renderer processes.
    QVERIFY(qgetenv("QTWEBENGINE_CHROMIUM_FLAGS").contains("--renderer-process-limit=8"));
  }

  void cookiesAndCacheSurviveARestart() {
    test::LocalHttpServer server;
    QVERIFY(server.ok());
    test::LocalHttpServer::Reply shop;
    shop.body =
        "<html><head><title>shop</title><script src=\"/cached.js\"></script></head>"
        "<body>shop</body></html>";
    shop.extra_headers = {"Set-Cookie: member=42; Max-Age=86400; Path=/"};
    server.route("/shop", shop);
    test::LocalHttpServer::Reply script;
    script.content_type = "text/javascript";
    script.body = "var cached = 1;";
    script.extra_headers = {"Cache-Control: max-age=86400"};
    server.route("/cached.js", script);

    QTemporaryDir dir;
    for (int run = 0; run < 2; ++run) {
      QProcess program;
      program.setProcessChannelMode(QProcess::ForwardedErrorChannel);
      program.start(
          QCoreApplication::applicationFilePath(),
          {QString::fromLatin1(kVisit), dir.path(), QString::fromLatin1(server.base() + "/shop")});
      // The child's requests are answered by this process's event loop.
      QTRY_VERIFY_WITH_TIMEOUT(program.state() == QProcess::NotRunning, 30000);
      QCOMPARE(program.exitStatus(), QProcess::NormalExit);
      QCOMPARE(program.exitCode(), 0);
    }
    const auto shops = server.requestsTo("/shop");
    QCOMPARE(shops.size(), 2);
    QCOMPARE(shops[0].header("Cookie"), QByteArray());
    QCOMPARE(shops[1].header("Cookie"), QByteArray("member=42"));
    QCOMPARE(server.countTo("/cached.js"), 1);
  }
};

}  // namespace tolvane

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  if (argc == 4 && qstrcmp(argv[1], tolvane::kVisit) == 0) {
    return tolvane::Visit(QString::fromLocal8Bit(argv[2]), QByteArray(argv[3]));
  }
  tolvane::BrowserProfileTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "browser_profile_test.moc"
