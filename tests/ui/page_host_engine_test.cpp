// Page hosts on the real web engine, against a local server: loading,
// request bytes, time-outs, pop-ups, link modes and modifier clicks.
#include <QDesktopServices>
#include <QTemporaryDir>
#include <QTest>
#include <QWebEngineProfile>

#include "core/files/setting_keys.h"
#include "core/files/string_table.h"
#include "core/text/charset_converter.h"
#include "local_http_server.h"
#include "test_page_tabs.h"
#include "ui/base/qt_text.h"
#include "ui/browser/browser_profile.h"
#include "ui/browser/web_engine_control.h"
#include "ui_test_support.h"

namespace tolvane {
namespace {

QByteArray Sjis(const char* utf8) { return QByteArray::fromStdString(Utf8ToSjis(utf8)); }

QByteArray Html(const QByteArray& title, const QByteArray& body) {
  // A data: icon keeps the engine from asking for /favicon.ico.
  return "<html><head><link rel=\"icon\" href=\"data:,\"><title>" + title +
         "</title></head><body>" + body + "</body></html>";
}

// Where an element of the shown page is, in view coordinates.
QPoint ElementCenter(QWebEnginePage* page, const char* selector) {
  QVariant rect;
  bool done = false;
  page->runJavaScript(
      QStringLiteral("(function(){var r=document.querySelector('%1')"
                     ".getBoundingClientRect();return [r.left,r.top,r.width,r.height];})()")
          .arg(QLatin1String(selector)),
      [&](const QVariant& result) {
        rect = result;
        done = true;
      });
  if (!test::WaitFor([&] { return done; }, 5000)) return {};
  const QVariantList r = rect.toList();
  if (r.size() != 4) return {};
  return QPoint(static_cast<int>(r[0].toDouble() + r[2].toDouble() / 2),
                static_cast<int>(r[1].toDouble() + r[3].toDouble() / 2));
}

// Clicks an element of a loaded, shown page the way a user would.
bool Click(WebEngineControl* control, const char* selector, Qt::MouseButton button = Qt::LeftButton,
           Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
  if (control == nullptr || control->view() == nullptr) return false;
  QWebEngineView* view = control->view();
  if (!test::WaitFor([&] { return view->focusProxy() != nullptr; }, 5000)) return false;
  // The renderer takes input a little after the load has ended.
  test::Spin(300);
  const QPoint at = ElementCenter(control->page(), selector);
  if (at.isNull()) return false;
  QTest::mouseClick(view->focusProxy(), button, modifiers, at);
  return true;
}

// Takes mailto: addresses that the engine hands to the desktop.
class MailCatcher : public QObject {
  Q_OBJECT

 public:
  QList<QUrl> urls;

 public slots:
  void open(const QUrl& url) { urls.append(url); }
};

}  // namespace

class PageHostEngineTest : public QObject {
  Q_OBJECT

 private:
  QTemporaryDir data_;
  test::LocalHttpServer server_;
  MailCatcher mail_;

  std::string Url(const QByteArray& path) const { return (server_.base() + path).toStdString(); }

  // Starts `tabs` on screen with `path` loaded in the first page; null when
  // the area never showed or the page never loaded.
  PageHost* StartWithLoadedPage(test::TestPageTabs& tabs, const QByteArray& path) {
    tabs.Start();
    if (!QTest::qWaitForWindowExposed(&tabs.area())) return nullptr;
    PageHost* page = tabs.Open(Url(path));
    const bool loaded =
        test::WaitFor([&] { return page->load_state() == LoadState::kLoaded; }, 15000);
    return loaded ? page : nullptr;
  }

 private slots:
  void initTestCase() {
    QVERIFY(server_.ok());
    QDesktopServices::setUrlHandler(QStringLiteral("mailto"), &mail_, "open");
    BrowserProfile::Open(QStringToPath(data_.path()));
    server_.page("/shop", Html(Sjis("東京の店"), "<p>shop</p>"));
    server_.page("/echo", Html("echo", "<p>echo</p>"));
    server_.page("/other", Html("other", "<p>other</p>"));
    server_.page("/popup", Html("popup", "<p>popup</p>"));
    server_.page("/opens-on-load",
                 Html("opens", "<script>window.open('/popup');</script><p>opens</p>"));
    for (const char* ms : {"0", "300", "1500"}) {
      server_.page(QByteArray("/opens-after-") + ms,
                   Html("opens",
                        "<button id=\"b\" style=\"width:200px;height:80px\" "
                        "onclick=\"setTimeout(function(){window.open('/popup')}," +
                            QByteArray(ms) + ")\">open</button>"));
    }
    server_.page(
        "/links",
        Html("links",
             "<a id=\"plain\" href=\"/other\" style=\"display:block;height:60px\">plain</a>"
             "<a id=\"blank\" href=\"/other\" target=\"_blank\" "
             "style=\"display:block;height:60px\">blank</a>"
             "<a id=\"mail\" href=\"mailto:shop@example.com\" "
             "style=\"display:block;height:60px\">mail</a>"
             "<a id=\"mailblank\" href=\"mailto:shop@example.com\" target=\"_blank\" "
             "style=\"display:block;height:60px\">mail</a>"
             "<div id=\"script\" style=\"height:60px\" "
             "onclick=\"location.href='/other'\">script</div>"));
    test::LocalHttpServer::Reply slow;
    slow.body = Html("slow", "<p>slow</p>");
    slow.delay_ms = 400;
    server_.route("/slow/*", slow);
    test::LocalHttpServer::Reply never;
    never.never_answer = true;
    server_.route("/never", never);
  }

  void cleanupTestCase() { QDesktopServices::unsetUrlHandler(QStringLiteral("mailto")); }

  void init() {
    test::FailOnQtWarnings();
    server_.resetCounts();
  }

  void waitingPageHasNoEngineAndLoadedPageReportsTitleAndUrl() {
    test::TestPageTabs tabs(BrowserProfile::Current());
    Write(tabs.settings(), settings::kLoadingMode, 0);
    tabs.Start();
    tabs.Open(Url("/shop"));
    PageHost* waiting = tabs.Open(Url("/other"));
    QVERIFY(test::WaitFor([&] { return tabs.host(0).load_state() == LoadState::kLoaded; }, 15000));
    QCOMPARE(QByteArray::fromStdString(tabs.Listing()),
             "[D" + Sjis("東京の店") + "* W" + QByteArray::fromStdString(Url("/other")) + "]");
    QCOMPARE(tabs.host(0).url(), Url("/shop"));
    QVERIFY(!waiting->has_control());
    QCOMPARE(server_.countTo("/other"), 0);
    QCOMPARE(tabs.history().items().size(), std::size_t{1});
    QCOMPARE(tabs.history().items().url(0), Url("/shop"));
    QCOMPARE(tabs.history().items().title(0), Utf8ToSjis("東京の店"));
  }

  void postBodyArrivesWithFormContentType() {
    test::TestPageTabs tabs(BrowserProfile::Current());
    tabs.Start();
    const std::string body = "q=%93%8C%8B%9E&n=1";
    tabs.Open(Url("/echo"), body);
    QVERIFY(test::WaitFor([&] { return tabs.AllLoaded(); }, 15000));
    const auto posts = server_.requestsTo("/echo");
    QCOMPARE(posts.size(), 1);
    QCOMPARE(posts[0].method, QByteArray("POST"));
    QCOMPARE(posts[0].body, QByteArray::fromStdString(body));
    QCOMPARE(posts[0].header("Content-Type"), QByteArray("application/x-www-form-urlencoded"));
  }

  void queryBytesArriveAsBuilt_data() {
    QTest::addColumn<QByteArray>("query");
    QTest::addColumn<QByteArray>("sent");
    QTest::newRow("shift_jis escapes")
        << QByteArray("q=%93%8C%8B%9E") << QByteArray("q=%93%8C%8B%9E");
    QTest::newRow("euc-jp escapes") << QByteArray("q=%C5%EC%B5%FE") << QByteArray("q=%C5%EC%B5%FE");
    QTest::newRow("raw shift_jis bytes") << Sjis("q=東京") << QByteArray("q=%93%8C%8B%9E");
    QTest::newRow("blank, plus, lone percent")
        << QByteArray("q=a b+c&r=50%") << QByteArray("q=a%20b+c&r=50%25");
    QTest::newRow("unreserved escapes") << QByteArray("q=%83%5F%7E") << QByteArray("q=%83_~");
    QTest::newRow("escaped delimiters") << QByteArray("q=%26%3D%2B") << QByteArray("q=%26%3D%2B");
  }

  void queryBytesArriveAsBuilt() {
    QFETCH(QByteArray, query);
    QFETCH(QByteArray, sent);
    test::TestPageTabs tabs(BrowserProfile::Current());
    tabs.Start();
    tabs.Open(Url("/echo?" + query));
    QVERIFY(test::WaitFor([&] { return tabs.AllLoaded(); }, 15000));
    const auto requests = server_.requestsTo("/echo");
    QCOMPARE(requests.size(), 1);
    QCOMPARE(requests[0].target, "/echo?" + sent);
    QCOMPARE(tabs.host(0).url(), Url("/echo?" + sent));
  }

  void serverThatNeverAnswersTimesOutAndFreesTheSlot() {
    test::TestPageTabs tabs(BrowserProfile::Current());
    Write(tabs.settings(), settings::kLoadingTimeout, 1);
    Write(tabs.settings(), settings::kLoadingMode, 1);
    tabs.Start();
    tabs.Open(Url("/never"));
    tabs.Open(Url("/other"));
    QVERIFY(test::WaitFor([&] { return server_.countTo("/never") == 1; }, 15000));
    // One slot in mode 1, held by the page that never ends.
    test::Spin(300);
    QCOMPARE(server_.countTo("/other"), 0);
    QVERIFY(test::WaitFor([&] { return tabs.AllLoaded(); }, 15000));
    QCOMPARE(tabs.host(0).status_text(), LoadString(string_id::kLoadTimedOut));
    QCOMPARE(tabs.status().text, LoadString(string_id::kLoadTimedOut));
    QCOMPARE(server_.countTo("/other"), 1);
    QCOMPARE(tabs.queue().size(), std::size_t{0});
    QCOMPARE(tabs.history().items().size(), std::size_t{1});
    QCOMPARE(tabs.history().items().url(0), Url("/other"));
  }

  void parallelLoadingStaysWithinMaxLoading() {
    test::TestPageTabs tabs(BrowserProfile::Current());
    Write(tabs.settings(), settings::kLoadingMode, 2);
    Write(tabs.settings(), settings::kLoadingMaxLoading, 3);
    tabs.Start();
    for (int i = 0; i < 10; ++i) tabs.Open(Url("/slow/" + QByteArray::number(i)));
    QVERIFY(test::WaitFor([&] { return tabs.AllLoaded(); }, 30000));
    QCOMPARE(server_.requests().size(), 10);
    QCOMPARE(server_.maxOpen(), 3);
    QCOMPARE(QByteArray::fromStdString(tabs.Listing()),
             QByteArray("[Dslow* Dslow Dslow Dslow Dslow Dslow Dslow Dslow Dslow Dslow]"));
  }

  void hiddenPagesAreNotReloadedWhenShown() {
    test::TestPageTabs tabs(BrowserProfile::Current());
    Write(tabs.settings(), settings::kLoadingMode, 2);
    tabs.Start();
    for (int i = 0; i < 3; ++i) tabs.Open(Url("/slow/" + QByteArray::number(i)));
    QVERIFY(test::WaitFor([&] { return tabs.AllLoaded(); }));
    for (std::size_t i : {1, 2, 0}) {
      tabs.Select(i);
      test::Spin(200);
    }
    QCOMPARE(server_.requests().size(), 3);
    for (std::size_t i = 0; i < tabs.size(); ++i) {
      QCOMPARE(tabs.control(tabs.host(i))->page()->lifecycleState(),
               QWebEnginePage::LifecycleState::Active);
    }
  }

  void popupsOpenOnlyAfterAClick_data() {
    QTest::addColumn<QByteArray>("path");
    QTest::addColumn<bool>("click");
    QTest::addColumn<bool>("opens");
    QTest::newRow("during load") << QByteArray("/opens-on-load") << false << false;
    QTest::newRow("on click") << QByteArray("/opens-after-0") << true << true;
    // The engine reports what a click caused from another process, so a
    // late report still counts; a script acting much later does not.
    QTest::newRow("300 ms after a click") << QByteArray("/opens-after-300") << true << true;
    QTest::newRow("1500 ms after a click") << QByteArray("/opens-after-1500") << true << false;
  }

  void popupsOpenOnlyAfterAClick() {
    QFETCH(QByteArray, path);
    QFETCH(bool, click);
    QFETCH(bool, opens);
    test::TestPageTabs tabs(BrowserProfile::Current());
    PageHost* page = StartWithLoadedPage(tabs, path);
    QVERIFY(page != nullptr);
    if (click) QVERIFY(Click(tabs.control(*page), "#b"));
    if (opens) {
      QVERIFY(test::WaitFor([&] { return tabs.size() == 2 && tabs.AllLoaded(); }, 15000));
      QCOMPARE(tabs.host(1).url(), Url("/popup"));
      QCOMPARE(page->blocked_count(), 0);
    } else {
      QVERIFY(test::WaitFor([&] { return page->blocked_count() == 1; }, 5000));
      QCOMPARE(page->status_text(), LoadString(string_id::kPopupBlocked));
    }
    QCOMPARE(QByteArray::fromStdString(tabs.Listing()),
             opens ? QByteArray("[Dopens Dpopup*]") : QByteArray("[Dopens*]"));
    QCOMPARE(server_.countTo("/popup"), opens ? 1 : 0);
  }

  void linksFollowTheLinkMode_data() {
    QTest::addColumn<int>("mode");
    QTest::addColumn<QByteArray>("link");
    QTest::addColumn<QByteArray>("listing");
    // 0 always a new tab, 1 always this tab, 2 as the link's target says.
    QTest::newRow("0 plain") << 0 << QByteArray("#plain") << QByteArray("[Dlinks Dother*]");
    QTest::newRow("0 blank") << 0 << QByteArray("#blank") << QByteArray("[Dlinks Dother*]");
    QTest::newRow("1 plain") << 1 << QByteArray("#plain") << QByteArray("[Dother*]");
    QTest::newRow("1 blank") << 1 << QByteArray("#blank") << QByteArray("[Dother*]");
    QTest::newRow("2 plain") << 2 << QByteArray("#plain") << QByteArray("[Dother*]");
    QTest::newRow("2 blank") << 2 << QByteArray("#blank") << QByteArray("[Dlinks Dother*]");
  }

  void linksFollowTheLinkMode() {
    QFETCH(int, mode);
    QFETCH(QByteArray, link);
    QFETCH(QByteArray, listing);
    test::TestPageTabs tabs(BrowserProfile::Current());
    Write(tabs.settings(), settings::kLinkMode, mode);
    PageHost* page = StartWithLoadedPage(tabs, "/links");
    QVERIFY(page != nullptr);
    QVERIFY(Click(tabs.control(*page), link.constData()));
    test::WaitFor([&] {
      return server_.countTo("/other") == 1 && tabs.AllLoaded() &&
             tabs.Listing() == listing.toStdString();
    });
    QCOMPARE(server_.countTo("/other"), 1);
    QCOMPARE(QByteArray::fromStdString(tabs.Listing()), listing);
    QCOMPARE(tabs.host(tabs.size() - 1).url(), Url("/other"));
  }

  void modifierAndMiddleClicksOpenANewTab_data() {
    QTest::addColumn<QByteArray>("link");
    QTest::addColumn<int>("button");
    QTest::addColumn<int>("modifiers");
    QTest::newRow("ctrl") << QByteArray("#plain") << int(Qt::LeftButton)
                          << int(Qt::ControlModifier);
    QTest::newRow("shift") << QByteArray("#plain") << int(Qt::LeftButton) << int(Qt::ShiftModifier);
    QTest::newRow("middle") << QByteArray("#plain") << int(Qt::MiddleButton) << int(Qt::NoModifier);
    QTest::newRow("ctrl+shift target") << QByteArray("#blank") << int(Qt::LeftButton)
                                       << int(Qt::ControlModifier | Qt::ShiftModifier);
    // A script navigation is no new window to the engine; the held key
    // still sends it to a new tab.
    QTest::newRow("ctrl script") << QByteArray("#script") << int(Qt::LeftButton)
                                 << int(Qt::ControlModifier);
  }

  void modifierAndMiddleClicksOpenANewTab() {
    QFETCH(QByteArray, link);
    QFETCH(int, button);
    QFETCH(int, modifiers);
    test::TestPageTabs tabs(BrowserProfile::Current());
    Write(tabs.settings(), settings::kLinkMode, 1);  // links stay in their tab
    PageHost* page = StartWithLoadedPage(tabs, "/links");
    QVERIFY(page != nullptr);
    QVERIFY(Click(tabs.control(*page), link.constData(), static_cast<Qt::MouseButton>(button),
                  Qt::KeyboardModifiers(modifiers)));
    QVERIFY(test::WaitFor(
        [&] { return tabs.size() == 2 && tabs.AllLoaded() && tabs.host(1).url() == Url("/other"); },
        15000));
    QCOMPARE(QByteArray::fromStdString(tabs.Listing()), QByteArray("[Dlinks Dother*]"));
    QCOMPARE(server_.countTo("/other"), 1);
  }

  void mailLinksOpenNoTab_data() {
    QTest::addColumn<QByteArray>("link");
    QTest::addColumn<int>("mode");
    QTest::newRow("plain, mode 0") << QByteArray("#mail") << 0;
    QTest::newRow("target, mode 2") << QByteArray("#mailblank") << 2;
  }

  void mailLinksOpenNoTab() {
    QFETCH(QByteArray, link);
    QFETCH(int, mode);
    mail_.urls.clear();
    test::TestPageTabs tabs(BrowserProfile::Current());
    Write(tabs.settings(), settings::kLinkMode, mode);
    PageHost* page = StartWithLoadedPage(tabs, "/links");
    QVERIFY(page != nullptr);
    QVERIFY(Click(tabs.control(*page), link.constData()));
    test::Spin(1000);
    QCOMPARE(QByteArray::fromStdString(tabs.Listing()), QByteArray("[Dlinks*]"));
    QCOMPARE(page->url(), Url("/links"));
    // A plain mail link goes to the desktop's mail program, as it would
    // from any other browser.
    if (link == "#mail")
      QCOMPARE(mail_.urls, QList<QUrl>{QUrl(QStringLiteral("mailto:shop@example.com"))});
  }
};

}  // namespace tolvane

QTEST_MAIN(tolvane::PageHostEngineTest)
#include "page_host_engine_test.moc"
