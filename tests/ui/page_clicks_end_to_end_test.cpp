// Clicks and keys in pages of the program as main starts it: a local shop
// page on 127.0.0.1, real synthetic input on the page's view, and what the
// tab rows, the status bar, the history and the clip file show afterwards.
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <QWebEngineView>
#include <QWindow>
#include <memory>

#include "core/app/tolvane_doc.h"
#include "core/tabs/tab_workspace.h"
#include "local_http_server.h"
#include "ui/app/tolvane_app.h"
#include "ui/base/qt_text.h"
#include "ui/frame/main_frame.h"
#include "ui/tabs/tolvane_view.h"
#include "ui_test_support.h"

namespace tolvane {
namespace {

constexpr int kShopTab = 21;

QByteArray Html(const QByteArray& title, const QByteArray& body) {
  // A data: icon keeps the engine from asking for /favicon.ico.
  return "<html><head><link rel=\"icon\" href=\"data:,\"><title>" + title +
         "</title></head><body>" + body + "</body></html>";
}

using test::WriteStore;

TabArea& Area(const CTolvaneApp& app) { return app.main_frame()->view()->workspace()->area(); }

// The current category's page row: "[state title ...]", the load state as
// W/L/D (D! a failed load) before each title, '*' after the selected page,
// '+' after a user clip.
QString Row(const TabArea& area) {
  const int category = area.current_category();
  if (category < 0) return QStringLiteral("[]");
  const CCategoryTab& tab = area.category(category);
  QStringList pages;
  for (int i = 0; i < tab.page_count(); ++i) {
    const PageHost& host = tab.page(i).host();
    QString page = QLatin1Char("WLD"[static_cast<int>(host.load_state())]) +
                   QLatin1String(host.failed() ? "!" : "") + ToQString(host.title());
    if (area.IsUserClip(category, i)) page += QLatin1Char('+');
    if (i == tab.current_page()) page += QLatin1Char('*');
    pages << page;
  }
  return QLatin1Char('[') + pages.join(QLatin1Char(' ')) + QLatin1Char(']');
}

bool RowSettled(const TabArea& area) {
  const int category = area.current_category();
  if (category < 0) return false;
  for (const auto& page : area.category(category).pages()) {
    if (page->host().load_state() != LoadState::kLoaded) return false;
  }
  return true;
}

// Clicks the element `id` of the shown page with the left button.
bool ClickElement(const CTolvaneApp& app, const char* id) {
  QWebEngineView* view = test::InputReadyView(app);
  if (view == nullptr) return false;
  const QVariantList r =
      test::RunScript(
          view,
          QStringLiteral("(function(){var r=document.getElementById('%1')"
                         ".getBoundingClientRect();return [r.left,r.top,r.width,r.height];})()")
              .arg(QLatin1String(id)))
          .toList();
  if (r.size() != 4) return false;
  const QPoint at(static_cast<int>(r[0].toDouble() + r[2].toDouble() / 2),
                  static_cast<int>(r[1].toDouble() + r[3].toDouble() / 2));
  QTest::mouseClick(view->focusProxy(), Qt::LeftButton, Qt::NoModifier, at);
  return true;
}

// Focuses the element `id` of the shown page and presses `key` on it.
bool PressOnElement(const CTolvaneApp& app, const char* id, Qt::Key key) {
  QWebEngineView* view = test::InputReadyView(app);
  if (view == nullptr) return false;
  view->setFocus();
  test::RunScript(view,
                  QStringLiteral("document.getElementById('%1').focus()").arg(QLatin1String(id)));
  QTest::keyClick(view->focusProxy(), key);
  return true;
}

}  // namespace

class PageClicksEndToEndTest : public QObject {
  Q_OBJECT

 private:
  test::LocalHttpServer server_;

  // One shop whose top page is /links, one tab "一店" over it; `clips` are
  // the lines of vq_clip.clf, `ini` lines of vq_system.ini.
  void WriteShop(const std::filesystem::path& dir, const QString& ini,
                 const QStringList& clips = {}) const {
    const QString base = QString::fromLatin1(server_.base());
    WriteStore(dir / "vq_search.eng",
               QStringLiteral("@@SearchEngineList@@\n0\t100\t\t2024/01/01\n1\n500\tテスト\t0\n1\n"
                              "501\t500\t店\t店\tS\t%1/links\t\t%1/search?q=$0\t\t\t\t1\n")
                   .arg(base));
    WriteStore(dir / "vq_tab.tbf",
               QStringLiteral("@@TabList@@\n0\n2\n"
                              "-9999\t保管箱\t0\t0\t99999999\t0\n"
                              "10\tお店\t0\t0\t0\t0\n"
                              "1\n"
                              "21\t10\t一店\t一店\t一店\t検索エンジンID[501]\t\t検索エンジンID[501]"
                              "\t検索エンジンID[501]\t\t\t1\t\t0\t0\n"));
    WriteStore(
        dir / "vq_clip.clf",
        QStringLiteral("@@ClipPageList@@\n0\n0\n%1\n").arg(clips.size()) + clips.join(QString()));
    WriteStore(
        dir / "vq_system.ini",
        QStringLiteral("[OptionMain]\nStartMode=4\nStartTab=%1\nCloseMode=0\n").arg(kShopTab) +
            ini);
  }

  // The program on `dir` with its window on screen and every page of the
  // shop tab loaded; null when it did not get there.
  static std::unique_ptr<CTolvaneApp> Start(const QTemporaryDir& dir) {
    auto app = std::make_unique<CTolvaneApp>();
    if (app->InitInstance(test::AppArguments(dir.path())) != CTolvaneApp::kExitOk) return nullptr;
    CMainFrame* frame = app->main_frame();
    if (frame == nullptr || frame->view()->workspace() == nullptr) return nullptr;
    const bool ready = test::WaitFor([&] {
      return frame->windowHandle() != nullptr && frame->windowHandle()->isExposed() &&
             RowSettled(Area(*app));
    });
    return ready ? std::move(app) : nullptr;
  }

  static QString StatusText(const CTolvaneApp& app) {
    return app.main_frame()->findChild<QLabel*>(QStringLiteral("statusText"))->text();
  }

 private slots:
  void initTestCase() {
    QVERIFY(server_.ok());
    test::OpenSharedProfile();
    server_.page("/links",
                 Html("links",
                      "<a id=\"blank\" href=\"/item\" target=\"_blank\" "
                      "style=\"display:block;height:60px\">item</a>"
                      "<a id=\"plain\" href=\"/item\" style=\"display:block;height:60px\">item</a>"
                      "<a id=\"keyed\" href=\"/other\" target=\"_blank\">other</a>"
                      "<a id=\"broken\" href=\"/missing\" style=\"display:block;height:60px\">"
                      "missing</a>"));
    server_.page("/item", Html("item", "<p>item</p>"));
    server_.page("/other", Html("other", "<p>other</p>"));
    test::LocalHttpServer::Reply missing;
    missing.status = 404;
    missing.body = Html("no such item", "<p>no such item</p>");
    server_.route("/missing", missing);
  }

  void init() { test::FailOnQtWarnings(); }

  // Pop-up blocking is on (the default) and links follow their target.
  void userClicksAndKeysOpenLinksAndFailuresShow() {
    QTemporaryDir dir;
    WriteShop(QStringToPath(dir.path()), QString());
    std::unique_ptr<CTolvaneApp> app = Start(dir);
    QVERIFY(app != nullptr);
    TabArea& area = Area(*app);
    QCOMPARE(Row(area), QStringLiteral("[Dlinks*]"));

    // A plain click on a target="_blank" link is the user's: a new page tab.
    QVERIFY(ClickElement(*app, "blank"));
    QVERIFY(test::WaitFor([&] { return area.category(0).page_count() == 2 && RowSettled(area); }));
    QCOMPARE(Row(area), QStringLiteral("[Dlinks Ditem*]"));
    QCOMPARE(area.category(0).page(0).host().blocked_count(), 0);

    // Enter on a focused link opens the gate as a click does.
    area.SelectPage(0, 0, true, true);
    QVERIFY(PressOnElement(*app, "keyed", Qt::Key_Return));
    QVERIFY(test::WaitFor([&] { return area.category(0).page_count() == 3 && RowSettled(area); }));
    QCOMPARE(Row(area), QStringLiteral("[Dlinks Dother* Ditem]"));

    // A link to a page the server does not have: the page shows the
    // server's answer, failed, on the tab and in the status bar, and the
    // history has no visit of it.
    area.SelectPage(0, 0, true, true);
    QVERIFY(ClickElement(*app, "broken"));
    QVERIFY(test::WaitFor([&] { return area.category(0).page(0).host().failed(); }));
    QCOMPARE(Row(area), QStringLiteral("[D!no such item* Dother Ditem]"));
    QCOMPARE(StatusText(*app), QStringLiteral("ページを表示できませんでした。(HTTP 404)"));
    QStringList visits;
    const ItemList& history = app->document()->history().items();
    for (std::size_t i = 0; i < history.size(); ++i) {
      if (!history.deleted(i)) visits << QUrl(ToQString(history.url(i))).path();
    }
    visits.sort();
    QCOMPARE(visits, QStringList({QStringLiteral("/item"), QStringLiteral("/links"),
                                  QStringLiteral("/other")}));
    QVERIFY(app->main_frame()->close());
  }

  // OptionPageClip/Link 0: every link of a clipped page opens a new tab.
  void plainClickInAClipOpensANewTabAndTheClipKeepsItsAddress() {
    QTemporaryDir dir;
    const std::filesystem::path data = QStringToPath(dir.path());
    WriteShop(data, QStringLiteral("[OptionPageClip]\nLink=0\n"),
              {QStringLiteral("21\tclipped links\t%1/links\t0\t0\t1\n")
                   .arg(QString::fromLatin1(server_.base()))});
    std::unique_ptr<CTolvaneApp> app = Start(dir);
    QVERIFY(app != nullptr);
    TabArea& area = Area(*app);
    area.SelectPage(0, 1, true, true);
    QVERIFY(test::WaitFor([&] { return RowSettled(area); }));
    QCOMPARE(Row(area), QStringLiteral("[Dlinks Dlinks+*]"));

    QVERIFY(ClickElement(*app, "plain"));
    QVERIFY(test::WaitFor([&] { return area.category(0).page_count() == 3 && RowSettled(area); }));
    QCOMPARE(Row(area), QStringLiteral("[Dlinks Dlinks+ Ditem*]"));
    QCOMPARE(QUrl(ToQString(area.category(0).page(1).host().url())).path(),
             QStringLiteral("/links"));
    app->main_frame()->core().SaveNow();
    const QByteArray clips = test::ReadBytes(data / "vq_clip.clf");
    QVERIFY2(clips.contains(server_.base() + "/links\t") && !clips.contains("/item"),
             clips.constData());
    QVERIFY(app->main_frame()->close());
  }
};

}  // namespace tolvane

TOLVANE_APP_TEST_MAIN(tolvane::PageClicksEndToEndTest)
#include "page_clicks_end_to_end_test.moc"
