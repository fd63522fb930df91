// The tab area end to end: the program on a temporary data directory, three
// shops on a local server searched at once from the keyword box, open pages
// kept across a restart, clips, closing pages and category tabs, the default
// tabs of a first start, and two timings.
#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QStringDecoder>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>
#include <QWebEngineHistory>
#include <QWebEngineView>
#include <QWindow>
#include <memory>

#include "core/app/tolvane_doc.h"
#include "core/files/settings_store.h"
#include "core/search/keyword_text.h"
#include "core/tabs/tab_commands.h"
#include "core/tabs/tab_workspace.h"
#include "local_http_server.h"
#include "ui/app/tolvane_app.h"
#include "ui/base/qt_text.h"
#include "ui/browser/spare_page.h"
#include "ui/frame/main_frame.h"
#include "ui/search/search_bar.h"
#include "ui/tabs/page_tab_ctrl.h"
#include "ui/tabs/tolvane_view.h"
#include "ui_test_support.h"

namespace tolvane {
namespace {

// Tab records of the shop data directory.
constexpr int kShopsTab = 20;    // 三店: every shop of folder 500
constexpr int kOneShopTab = 21;  // 一店: the Shift_JIS shop alone

// Typed as two words, so the shops' $1 and $2 get one word each.
const QString kKeyword = QStringLiteral("東京 タワー");

QByteArray Html(const QByteArray& title) {
  // A data: icon keeps the engine from asking for /favicon.ico.
  return "<html><head><link rel=\"icon\" href=\"data:,\"><title>" + title +
         "</title></head><body><p>" + title + "</p></body></html>";
}

TabArea& Area(const CTolvaneApp& app) { return app.main_frame()->view()->workspace()->area(); }
TabWorkspace& Workspace(const CTolvaneApp& app) { return *app.main_frame()->view()->workspace(); }

// The addresses a category's pages were opened with, in row order.
QStringList PageUrls(const CCategoryTab& tab) {
  QStringList urls;
  for (const auto& page : tab.pages()) urls << ToQString(page->host().request().url);
  return urls;
}

bool AllLoaded(const CCategoryTab& tab) {
  for (const auto& page : tab.pages()) {
    if (page->host().load_state() != LoadState::kLoaded) return false;
  }
  return tab.page_count() > 0;
}

// The groups of the tab tree, one a line with their tabs; "*" marks the
// selected item. Page items are left out: their titles follow the loads.
QString Outline(const TabTree& tree) {
  QString out;
  for (int i = 0; i < tree.size(); ++i) {
    const TabTreeItem& group = tree.item(i);
    if (group.kind != TabTreeItem::Kind::kGroup) continue;
    out +=
        ToQString(group.text) + (i == tree.selected() ? QStringLiteral("*:") : QStringLiteral(":"));
    for (const int child : group.children) {
      if (tree.item(child).kind != TabTreeItem::Kind::kTab) continue;
      out += QLatin1Char(' ') + ToQString(tree.item(child).text) +
             (child == tree.selected() ? QStringLiteral("*") : QString());
    }
    out += QLatin1Char('\n');
  }
  return out;
}

// The folder and item lines of a store file.
struct StoreLines {
  QStringList folders;
  QStringList items;
};

StoreLines ReadStore(const std::filesystem::path& path) {
  const QStringList lines =
      ToQString(test::ReadBytes(path).toStdString()).split(QStringLiteral("\r\n"));
  // Marker, version, folder count, folders, item count, items, "".
  StoreLines store;
  if (lines.size() < 4) return store;
  const qsizetype folders = lines[2].toInt();
  store.folders = lines.mid(3, folders);
  store.items = lines.mid(4 + folders, lines.value(3 + folders).toInt());
  return store;
}

}  // namespace

class TabsEndToEndTest : public QObject {
  Q_OBJECT

 private:
  test::LocalHttpServer server_;

  QString Url(const char* path) const { return QString::fromLatin1(server_.base() + path); }

  // vq_search.eng with folder 500 of three shops (Shift_JIS GET, EUC-JP
  // GET, UTF-8 POST), vq_tab.tbf with group "お店" holding 三店 (the folder)
  // and 一店 (the first shop alone), and vq_system.ini holding `ini`.
  void WriteShops(const std::filesystem::path& dir, const QString& ini) const {
    test::WriteStore(
        dir / "vq_search.eng",
        QStringLiteral("@@SearchEngineList@@\n0\t100\t\t2024/01/01\n1\n500\tテスト\t0\n3\n"
                       "501\t500\tSJIS店\tSJIS店\tS\t%1/sjis/\t\t%1/sjis/search?q=$0&w=$1"
                       "\t\t\t\t1\n"
                       "502\t500\tEUC店\tEUC店\tE\t%1/euc/\t\t%1/euc/search?k=$0&second=$2"
                       "\t\t\t\t2\n"
                       "503\t500\tUTF店\tUTF店\tU\t%1/utf8/\t\t%1/utf8/search"
                       "\tq=$0&first=$1\t\t\t3\n")
            .arg(QString::fromLatin1(server_.base())));
    test::WriteStore(
        dir / "vq_tab.tbf",
        QStringLiteral("@@TabList@@\n0\n2\n"
                       "-9999\t保管箱\t0\t0\t99999999\t0\n"
                       "10\tお店\t0\t0\t0\t0\n"
                       "2\n"
                       "20\t10\t三店\t三店\t三店\t検索フォルダID[500]\t\t検索フォルダID[500]"
                       "\t検索フォルダID[500]\t\t\t0\t\t0\t0\n"
                       "21\t10\t一店\t一店\t一店\t検索エンジンID[501]\t\t検索エンジンID[501]"
                       "\t検索エンジンID[501]\t\t\t1\t\t0\t1\n"));
    test::WriteStore(dir / "vq_system.ini", ini);
  }

  // Opens tab 三店 without a start page; the exit dialog asks.
  static QString OpenShopsTab() {
    return QStringLiteral("[OptionMain]\nStartMode=4\nStartTab=20\nCloseMode=1\n");
  }

  // The program on `dir` with its window on screen; null when it did not
  // get there.
  static std::unique_ptr<CTolvaneApp> Start(const QTemporaryDir& dir) {
    return test::StartApp(dir.path());
  }

  // Types the keyword into the search bar as a user with an input method
  // does (each word committed, a space between) and presses Enter.
  static void TypeAndEnter(CMainFrame& frame, const QString& keyword) {
    auto* box = frame.findChild<QComboBox*>(QStringLiteral("keywordBox"));
    QVERIFY(box != nullptr && box->lineEdit() != nullptr);
    QLineEdit* edit = box->lineEdit();
    edit->setFocus();
    edit->clear();
    test::TypeWithInputMethod(edit, keyword);
    QCOMPARE(edit->text(), keyword);
    test::PressEnter();
  }

  // Milliseconds from Enter to the first shop's request reaching the server
  // and to the load end of its page; -1 when that did not happen.
  struct SearchTimes {
    qint64 request = -1;
    qint64 loaded = -1;
  };

  // Searches 三店 (the current category) for kKeyword and waits until its
  // three result pages have loaded.
  SearchTimes SearchShops(CTolvaneApp& app) {
    TabArea& area = Area(app);
    server_.resetCounts();
    QElapsedTimer since_enter;
    since_enter.start();
    TypeAndEnter(*app.main_frame(), kKeyword);
    SearchTimes times;
    if (QTest::currentTestFailed() || area.current_category() != 0) return times;
    const CCategoryTab& shops = area.category(0);
    // The other shops' pages are made once the first one's request has left.
    if (!test::WaitFor([&] { return shops.page_count() == 3; }) || shops.current_page() != 0) {
      return times;
    }
    if (test::WaitFor([&] { return server_.countTo("/sjis/search") > 0; })) {
      times.request = since_enter.elapsed();
    }
    if (test::WaitFor([&] { return shops.page(0).host().load_state() == LoadState::kLoaded; })) {
      times.loaded = since_enter.elapsed();
    }
    if (!test::WaitFor([&] { return AllLoaded(shops); })) times.loaded = -1;
    return times;
  }

  // Closes the main window answering the exit dialog with the button
  // `button` ("save" or "discard"), then ends the program.
  static bool ExitWith(std::unique_ptr<CTolvaneApp>& app, const QString& button) {
    QObject watch;
    QString asked_by;
    test::WhenModal(
        [&](QWidget* modal) {
          asked_by = modal->objectName();
          if (auto* chosen = modal->findChild<QPushButton*>(button)) chosen->click();
        },
        5000, &watch);
    const bool closed = app->main_frame()->close();
    app.reset();
    return closed && asked_by == QStringLiteral("exitDialog");
  }

 private slots:
  void initTestCase() {
    QVERIFY(server_.ok());
    test::OpenSharedProfile();
    const auto page = [this](const QByteArray& path, const QByteArray& title,
                             const QByteArray& charset) {
      test::LocalHttpServer::Reply reply;
      reply.content_type = "text/html; charset=" + charset;
      reply.body = Html(title);
      // Every visit must reach the server, restored pages too.
      reply.extra_headers = {"Cache-Control: no-store"};
      server_.route(path, reply);
    };
    page("/sjis/", "SJIS top", "Shift_JIS");
    page("/euc/", "EUC top", "EUC-JP");
    page("/utf8/", "UTF-8 top", "UTF-8");
    page("/sjis/search", "SJIS result", "Shift_JIS");
    page("/euc/search", "EUC result", "EUC-JP");
    page("/utf8/search", "UTF-8 result", "UTF-8");
    page("/saved/*", "saved", "UTF-8");
  }

  void init() { test::FailOnQtWarnings(); }

  void batchSearchSendsEachShopItsEncoding() {
    QTemporaryDir dir;
    WriteShops(QStringToPath(dir.path()), OpenShopsTab());
    std::unique_ptr<CTolvaneApp> app = Start(dir);
    QVERIFY(app != nullptr);
    TabArea& area = Area(*app);
    QCOMPARE(test::CategoryRow(area), QStringLiteral("三店* 一店"));
    QCOMPARE(PageUrls(area.category(0)), QStringList({Url("/sjis/"), Url("/euc/"), Url("/utf8/")}));

    // A page made ahead waits, blank and hidden, for the next page shown.
    QWebEnginePage* spare = nullptr;
    QVERIFY(test::WaitFor(
        [&] {
          for (auto* view : app->main_frame()->findChildren<QWebEngineView*>()) {
            if (view->isHidden() && view->url() == QUrl(QStringLiteral("about:blank")) &&
                !view->page()->isLoading()) {
              spare = view->page();
            }
          }
          return spare != nullptr;
        },
        SparePage::kFirstDelayMs + 5000));

    const SearchTimes times = SearchShops(*app);
    QVERIFY(times.request >= 0 && times.loaded >= 0);
    qInfo("Enter to the first shop's request: %lld ms, to its result page loaded: %lld ms",
          times.request, times.loaded);
    QCOMPARE(test::CategoryRow(area), QStringLiteral("三店* 一店"));
    QStringList paths;
    for (const QString& url : PageUrls(area.category(0))) paths << QUrl(url).path();
    QCOMPARE(paths, QStringList({QStringLiteral("/sjis/search"), QStringLiteral("/euc/search"),
                                 QStringLiteral("/utf8/search")}));
    // The first shop's page stays the one shown while the others are added;
    // it is the page made ahead, on screen, without its blank entry to go
    // back to.
    QCOMPARE(area.category(0).current_page(), 0);
    QCOMPARE(app->main_frame()->ShownPage(), spare);
    QVERIFY(QWebEngineView::forPage(spare) != nullptr &&
            QWebEngineView::forPage(spare)->isVisible());
    QCOMPARE(spare->history()->count(), 1);
    QVERIFY(!spare->history()->canGoBack());

    // Each shop reads the keyword in its own charset, words in $1 and $2.
    const QList<test::LocalHttpServer::Request> sjis = server_.requestsTo("/sjis/search");
    const QList<test::LocalHttpServer::Request> euc = server_.requestsTo("/euc/search");
    const QList<test::LocalHttpServer::Request> utf8 = server_.requestsTo("/utf8/search");
    QCOMPARE(sjis.size(), 1);
    QCOMPARE(euc.size(), 1);
    QCOMPARE(utf8.size(), 1);
    QCOMPARE(sjis[0].method, QByteArray("GET"));
    QCOMPARE(test::FormText(test::QueryOf(sjis[0].target), "Shift_JIS"),
             QStringLiteral("q=東京 タワー&w=東京"));
    QCOMPARE(euc[0].method, QByteArray("GET"));
    QCOMPARE(test::FormText(test::QueryOf(euc[0].target), "EUC-JP"),
             QStringLiteral("k=東京 タワー&second=タワー"));
    QCOMPARE(utf8[0].method, QByteArray("POST"));
    QCOMPARE(test::QueryOf(utf8[0].target), QByteArray());
    QVERIFY2(utf8[0].header("Content-Type").startsWith("application/x-www-form-urlencoded"),
             utf8[0].header("Content-Type").constData());
    QCOMPARE(test::FormText(utf8[0].body, "UTF-8"), QStringLiteral("q=東京 タワー&first=東京"));

    // The keyword went into the keyword store once and stays in the box.
    const ItemList& keywords = app->document()->keywords().items();
    int found = 0;
    for (std::size_t i = 0; i < keywords.size(); ++i) {
      if (!keywords.deleted(i) && keywords.title(i) == ToSjis(kKeyword)) ++found;
    }
    QCOMPARE(found, 1);
    auto* box = app->main_frame()->findChild<QComboBox*>(QStringLiteral("keywordBox"));
    QCOMPARE(box->currentText(), kKeyword);

    // Characters code page 932 lacks reach the UTF-8 shop as typed; the
    // others read "?" for each; the box keeps what was typed, and the
    // keyword store, whose Shift_JIS file cannot hold it, keeps it for the
    // run only, as typed.
    server_.resetCounts();
    const QString typed = QStringLiteral("Café 𠮷野家");
    TypeAndEnter(*app->main_frame(), typed);
    QVERIFY(test::WaitFor([&] {
      return server_.countTo("/sjis/search") == 1 && server_.countTo("/euc/search") == 1 &&
             server_.countTo("/utf8/search") == 1;
    }));
    QCOMPARE(
        test::FormText(test::QueryOf(server_.requestsTo("/sjis/search")[0].target), "Shift_JIS"),
        QStringLiteral("q=Caf? ?野家&w=Caf?"));
    QCOMPARE(test::FormText(test::QueryOf(server_.requestsTo("/euc/search")[0].target), "EUC-JP"),
             QStringLiteral("k=Caf? ?野家&second=?野家"));
    QCOMPARE(test::FormText(server_.requestsTo("/utf8/search")[0].body, "UTF-8"),
             QStringLiteral("q=Café 𠮷野家&first=Café"));
    QCOMPARE(box->currentText(), typed);
    QVERIFY(keywords.FindByUrl(ToSjis(QStringLiteral("Caf? ?野家"))) < 0);
    QCOMPARE(ToQString(KeywordChoices(app->document()->keywords()).front().keyword), typed);
  }

  // A tab search takes the shown page's selection only while the page was
  // the last to hold the focus: a click on a tab row or the tab tree ends
  // that, and a click back in the page starts it again. The command comes
  // from the menu bar, which takes no focus.
  void searchTakesThePageSelectionOnlyWhileThePageHadTheFocus() {
    QTemporaryDir dir;
    WriteShops(QStringToPath(dir.path()), OpenShopsTab());
    std::unique_ptr<CTolvaneApp> app = Start(dir);
    QVERIFY(app != nullptr);
    CMainFrame& frame = *app->main_frame();
    CTolvaneView& view = *frame.view();
    const CCategoryTab& shops = Area(*app).category(0);
    auto* box = frame.findChild<QComboBox*>(QStringLiteral("keywordBox"));
    box->setEditText(QStringLiteral("靴"));

    // Puts "Café 𠮷野家" at the top of the shown page, selects it and clicks
    // into the page.
    const auto select_in_page = [&] {
      QVERIFY(
          test::WaitFor([&] { return shops.page(0).host().load_state() == LoadState::kLoaded; }));
      QWebEngineView* shown = nullptr;
      for (auto* candidate : view.page_area()->findChildren<QWebEngineView*>()) {
        if (candidate->isVisible()) shown = candidate;
      }
      QVERIFY(shown != nullptr);
      shown->page()->runJavaScript(QStringLiteral(
          "document.body.insertAdjacentHTML('afterbegin', '<p id=s>Café 𠮷野家</p>');"
          "getSelection().selectAllChildren(document.getElementById('s'))"));
      QVERIFY(test::WaitFor([&] { return !shown->page()->selectedText().isEmpty(); }));
      QWidget* inside = shown->focusProxy() != nullptr ? shown->focusProxy() : shown;
      inside->setFocus(Qt::MouseFocusReason);
      QVERIFY(inside->hasFocus());
    };
    // Runs the tab search and hands back what the Shift_JIS and the UTF-8
    // shop read.
    const auto search = [&] {
      server_.resetCounts();
      view.RunCommand(CommandId(CSearchBar::kTabSearchCommand));
      if (!test::WaitFor([&] {
            return server_.countTo("/sjis/search") == 1 && server_.countTo("/utf8/search") == 1;
          })) {
        return QString();
      }
      return test::FormText(test::QueryOf(server_.requestsTo("/sjis/search")[0].target),
                            "Shift_JIS") +
             QStringLiteral(" | ") +
             test::FormText(server_.requestsTo("/utf8/search")[0].body, "UTF-8");
    };

    select_in_page();
    QTest::mouseClick(view.page_bar(), Qt::LeftButton, Qt::NoModifier,
                      view.page_bar()->tabRect(0).center());
    QVERIFY(view.page_bar()->hasFocus());
    QCOMPARE(search(), QStringLiteral("q=靴&w=靴 | q=靴&first=靴"));

    // The selection reaches the UTF-8 shop as the page has it, and is
    // echoed into the keyword box.
    select_in_page();
    QCOMPARE(search(), QStringLiteral("q=Caf? ?野家&w=Caf? | q=Café 𠮷野家&first=Café"));
    QCOMPARE(box->currentText(), QStringLiteral("Café 𠮷野家"));

    box->setEditText(QStringLiteral("靴"));
    select_in_page();
    // Below the last item: a click that chooses nothing.
    QWidget* tree = view.tab_tree()->viewport();
    QTest::mouseClick(tree, Qt::LeftButton, Qt::NoModifier, QPoint(5, tree->height() - 3));
    QVERIFY(view.tab_tree()->hasFocus());
    QCOMPARE(search(), QStringLiteral("q=靴&w=靴 | q=靴&first=靴"));

    app->settings()->WriteInt("OptionMain", "CloseMode", 0);
    QVERIFY(frame.close());
  }

  // The UTF-8 shop's result was posted: it comes back as its search, posted
  // again with the same body; the GET results come back by their addresses.
  void savedPagesComeBackInOrderWithTheirSelection() {
    QTemporaryDir dir;
    const std::filesystem::path data = QStringToPath(dir.path());
    WriteShops(data, OpenShopsTab());
    std::unique_ptr<CTolvaneApp> app = Start(dir);
    QVERIFY(app != nullptr);
    QVERIFY(SearchShops(*app).loaded >= 0);
    QCOMPARE(server_.countTo("/utf8/search"), 1);
    const QByteArray posted = server_.requestsTo("/utf8/search")[0].body;
    TabArea& area = Area(*app);
    area.SelectPage(0, 1, true, true);
    QStringList urls;
    for (const auto& page : area.category(0).pages()) urls << ToQString(page->host().url());
    QCOMPARE(urls.size(), 3);
    QCOMPARE(urls[2], Url("/utf8/search"));
    QVERIFY(ExitWith(app, QStringLiteral("save")));

    // Pages of the pool, last created first: 一店 never loaded its page.
    QCOMPARE(ReadStore(data / "vq_clip.clf").items,
             QStringList({QStringLiteral("21\t一店\t%1\t0\t1\t0").arg(Url("/sjis/")),
                          QStringLiteral("20\tSJIS result\t%1\t0\t0\t0").arg(urls[0]),
                          QStringLiteral("20\tEUC result\t%1\t1\t1\t0").arg(urls[1]),
                          QStringLiteral("20\tUTF-8 result\t%1\t2\t0\t0\t503\t3\t"
                                         "%E6%9D%B1%E4%BA%AC+%E3%82%BF%E3%83%AF%E3%83%BC")
                              .arg(urls[2])}));

    server_.resetCounts();
    app = Start(dir);
    QVERIFY(app != nullptr);
    QCOMPARE(app->settings()->GetInt("OptionMain", "SavePageTab", -1), 1);
    QCOMPARE(app->settings()->GetInt("OptionMain", "LastActiveTab", -1), kShopsTab);
    TabArea& again = Area(*app);
    QCOMPARE(test::CategoryRow(again), QStringLiteral("三店* 一店"));
    const CCategoryTab& shops = again.category(0);
    QCOMPARE(PageUrls(shops), urls);
    QCOMPARE(shops.current_page(), 1);
    QVERIFY(test::WaitFor([&] { return shops.page(1).host().load_state() == LoadState::kLoaded; }));
    QCOMPARE(ToQString(shops.page(1).host().title()), QStringLiteral("EUC result"));
    QCOMPARE(PageUrls(again.category(1)), QStringList{Url("/sjis/")});
    again.SelectPage(0, 2, true, true);
    QVERIFY(test::WaitFor([&] {
      return shops.page(2).host().load_state() == LoadState::kLoaded &&
             server_.countTo("/utf8/search") == 1;
    }));
    QVERIFY(!shops.page(2).host().failed());
    QCOMPARE(ToQString(shops.page(2).host().url()), urls[2]);
    QCOMPARE(ToQString(shops.page(2).host().title()), QStringLiteral("UTF-8 result"));
    const test::LocalHttpServer::Request again_posted = server_.requestsTo("/utf8/search")[0];
    QCOMPARE(again_posted.method, QByteArray("POST"));
    QCOMPARE(again_posted.body, posted);
    QVERIFY(again_posted.header("Content-Type").startsWith("application/x-www-form-urlencoded"));
    for (const test::LocalHttpServer::Request& request : server_.requests()) {
      if (request.path() != "/utf8/search") QCOMPARE(request.method, QByteArray("GET"));
    }
    app->settings()->WriteInt("OptionMain", "CloseMode", 0);
    QVERIFY(app->main_frame()->close());
  }

  void clippedPageOutlivesAnExitWithoutSaving() {
    QTemporaryDir dir;
    const std::filesystem::path data = QStringToPath(dir.path());
    WriteShops(data, OpenShopsTab());
    std::unique_ptr<CTolvaneApp> app = Start(dir);
    QVERIFY(app != nullptr);
    QVERIFY(SearchShops(*app).loaded >= 0);
    TabArea& area = Area(*app);
    area.SelectPage(0, 1, true, true);
    const QString clipped = ToQString(area.category(0).page(1).host().url());
    const QStringList results = PageUrls(area.category(0));
    // The clip opens as a page of its own right after the page.
    app->main_frame()->view()->RunCommand(command::kToggleClip);
    QCOMPARE(area.category(0).page_count(), 4);
    QVERIFY(area.IsUserClip(0, 2));
    QVERIFY(!area.IsUserClip(0, 1));
    QCOMPARE(ToQString(area.category(0).page(2).host().request().url), clipped);
    QVERIFY(ExitWith(app, QStringLiteral("discard")));

    QCOMPARE(ReadStore(data / "vq_clip.clf").items,
             QStringList{QStringLiteral("20\tEUC result\t%1\t0\t0\t1").arg(clipped)});
    app = Start(dir);
    QVERIFY(app != nullptr);
    QCOMPARE(app->settings()->GetInt("OptionMain", "SavePageTab", -1), 0);
    TabArea& again = Area(*app);
    // The tab's own pages, then its clip; the result pages are gone.
    QCOMPARE(PageUrls(again.category(0)),
             QStringList({Url("/sjis/"), Url("/euc/"), Url("/utf8/"), clipped}));
    QVERIFY(again.IsUserClip(0, 3));
    for (const QString& result : results) {
      QVERIFY2(!PageUrls(again.category(0)).contains(result) || result == clipped,
               qPrintable(result));
    }
    app->settings()->WriteInt("OptionMain", "CloseMode", 0);
    QVERIFY(app->main_frame()->close());
  }

  void closingTheLastPageLeavesABlankPage() {
    QTemporaryDir dir;
    WriteShops(QStringToPath(dir.path()), OpenShopsTab());
    std::unique_ptr<CTolvaneApp> app = Start(dir);
    QVERIFY(app != nullptr);
    CTolvaneView& view = *app->main_frame()->view();
    const CCategoryTab& shops = Area(*app).category(0);
    const auto shown = [&](int count) {
      return shops.page_count() == count && shops.current_page() == 0 &&
             shops.page(0).host().active_view();
    };
    QCOMPARE(shops.page_count(), 3);
    // A closed page hands the selection to its left neighbour, page 0 to
    // the page that moves into its place, and the last to a blank page.
    Area(*app).SelectPage(0, 1, true, true);
    view.RunCommand(command::kClosePageTab);
    QVERIFY(test::WaitFor([&] { return shown(2); }));
    QCOMPARE(PageUrls(shops), QStringList({Url("/sjis/"), Url("/utf8/")}));
    view.RunCommand(command::kClosePageTab);
    QVERIFY(test::WaitFor([&] { return shown(1); }));
    QCOMPARE(PageUrls(shops), QStringList{Url("/utf8/")});
    view.RunCommand(command::kClosePageTab);
    QVERIFY(test::WaitFor([&] {
      return shown(1) && shops.page(0).host().request().url == TabArea::kBlankUrl &&
             shops.page(0).host().load_state() == LoadState::kLoaded;
    }));
    QCOMPARE(ToQString(shops.page(0).host().title()), QStringLiteral("空白"));
    app->settings()->WriteInt("OptionMain", "CloseMode", 0);
    QVERIFY(app->main_frame()->close());
  }

  void closedCategoryGoesToTheArchiveAndComesBack() {
    QTemporaryDir dir;
    WriteShops(QStringToPath(dir.path()), OpenShopsTab());
    std::unique_ptr<CTolvaneApp> app = Start(dir);
    QVERIFY(app != nullptr);
    TabWorkspace& workspace = Workspace(*app);
    TabArea& area = workspace.area();
    const EngineList& tabs = app->document()->tabs();
    const int shops = tabs.FindById(kShopsTab);
    QCOMPARE(Outline(workspace.tree()), QStringLiteral("お店: 三店* 一店\n保管箱:\n"));

    app->main_frame()->view()->RunCommand(command::kCloseCategoryTab);
    QVERIFY(tabs.archived(static_cast<std::size_t>(shops)));
    QCOMPARE(test::CategoryRow(area), QStringLiteral("一店*"));
    QCOMPARE(area.PoolState(shops), 0);
    QCOMPARE(Outline(workspace.tree()), QStringLiteral("お店: 一店*\n保管箱: 三店\n"));

    // Closing it again from the tree puts it back in its group.
    workspace.ChooseTreeItem(workspace.tree().FindTab(shops));
    QCOMPARE(Outline(workspace.tree()), QStringLiteral("お店: 一店\n保管箱: 三店*\n"));
    QCOMPARE(test::CategoryRow(area), QString());
    CommandContext in_tree;
    in_tree.source = CommandSource::kTabTree;
    QVERIFY(app->main_frame()->router().Run(command::kCloseCategoryTab, in_tree));
    QVERIFY(!tabs.archived(static_cast<std::size_t>(shops)));
    QCOMPARE(Outline(workspace.tree()), QStringLiteral("お店: 三店* 一店\n保管箱:\n"));
    QCOMPARE(test::CategoryRow(area), QStringLiteral("三店* 一店"));
    QCOMPARE(PageUrls(area.category(0)), QStringList({Url("/sjis/"), Url("/euc/"), Url("/utf8/")}));
    QCOMPARE(tabs.id(static_cast<std::size_t>(area.RecordAt(1))), kOneShopTab);
    app->settings()->WriteInt("OptionMain", "CloseMode", 0);
    QVERIFY(app->main_frame()->close());
  }

  // The build puts the shipped list beside this test, as beside the
  // program; there is no internet, so the shops' pages simply fail.
  void firstStartMakesTheDefaultTabs() {
    const QByteArray shipped = test::ReadBytes(
        QStringToPath(QCoreApplication::applicationDirPath() + QStringLiteral("/vq_search.eng")));
    QVERIFY2(shipped.startsWith("@@SearchEngineList@@\r\n"), "no list beside the test");
    QTemporaryDir dir;
    const std::filesystem::path data = QStringToPath(dir.path());
    std::unique_ptr<CTolvaneApp> app = Start(dir);
    QVERIFY(app != nullptr);
    QCOMPARE(test::ReadBytes(data / "vq_search.eng"), shipped);
    TabWorkspace& workspace = Workspace(*app);
    QCOMPARE(Outline(workspace.tree()),
             QStringLiteral("タブグループ: ホーム* Amazon.co.jp 楽天市場 Yahoo!ショッピング "
                            "価格.com Google\n保管箱:\n"));
    QCOMPARE(test::CategoryRow(workspace.area()),
             QStringLiteral("ホーム* Amazon 楽天市場 Yahoo!ショッピング 価格.com Google"));
    QCOMPARE(PageUrls(workspace.area().category(0)), QStringList{ToQString(app->start_url())});
    QCOMPARE(PageUrls(workspace.area().category(1)),
             QStringList{QStringLiteral("https://www.amazon.co.jp/")});

    app->settings()->WriteInt("OptionMain", "CloseMode", 0);
    QVERIFY(app->main_frame()->close());
    app.reset();
    // The group (unnamed) and the tabs; the shops' tabs refer to them by
    // ID, so a new engine list keeps them.
    const StoreLines written = ReadStore(data / "vq_tab.tbf");
    QCOMPARE(written.folders, QStringList({QStringLiteral("-9999\t保管箱\t0\t0\t1\t0\t\t"),
                                           QStringLiteral("1\t\t0\t0\t0\t0\t\t")}));
    QStringList tabs = {QStringLiteral("1\t1\tホーム\t\t\t\t\t\t\t\t\t0\t\t0\t0\t\t\t0\t0")};
    const char* const shops[][4] = {
        {"1010001", "Amazon.co.jp", "Amazon", "アマゾン"},
        {"1010002", "楽天市場", "楽天市場", "楽天"},
        {"1010003", "Yahoo!ショッピング", "Yahoo!ショッピング", "Yショッピング"},
        {"1021001", "価格.com", "価格.com", "価格"},
        {"9901001", "Google", "Google", "グーグル"}};
    for (const auto& shop : shops) {
      const int row = static_cast<int>(tabs.size());
      const QString reference = QStringLiteral("検索エンジンID[%1]").arg(QLatin1String(shop[0]));
      tabs << QStringLiteral("%1\t1\t%2\t%3\t%4\t%5\t\t%5\t%5\t\t\t%6\t\t0\t%7\t\t\t0\t0")
                  .arg(row + 1)
                  .arg(QString::fromUtf8(shop[1]), QString::fromUtf8(shop[2]),
                       QString::fromUtf8(shop[3]), reference,
                       // 価格.com reads Shift_JIS, the others UTF-8.
                       QLatin1String(row == 4 ? "1" : "3"))
                  .arg(row);
    }
    QCOMPARE(written.items, tabs);
  }

  // Figures only: fifty pages saved at exit come back in one start.
  void measureRestoringFiftySavedPages() {
    QTemporaryDir dir;
    const std::filesystem::path data = QStringToPath(dir.path());
    WriteShops(data, QStringLiteral("[OptionMain]\nStartMode=4\nStartTab=20\nSavePageTab=1\n"
                                    "LastActiveTab=20\nCloseMode=0\n"));
    constexpr int kPages = 50;
    constexpr int kShown = 25;
    QString clips = QStringLiteral("@@ClipPageList@@\n0\n0\n%1\n").arg(kPages);
    for (int i = 0; i < kPages; ++i) {
      clips += QStringLiteral("20\tsaved %1\t%2/saved/%1\t%1\t%3\t0\n")
                   .arg(i)
                   .arg(QString::fromLatin1(server_.base()))
                   .arg(i == kShown ? 1 : 0);
    }
    test::WriteStore(data / "vq_clip.clf", clips);

    QElapsedTimer clock;
    clock.start();
    std::unique_ptr<CTolvaneApp> app = Start(dir);
    QVERIFY(app != nullptr);
    const qint64 started_ms = clock.elapsed();
    const CCategoryTab& shops = Area(*app).category(0);
    QCOMPARE(shops.page_count(), kPages);
    QCOMPARE(shops.current_page(), kShown);
    QVERIFY(test::WaitFor(
        [&] { return shops.page(kShown).host().load_state() == LoadState::kLoaded; }));
    const qint64 shown_ms = clock.elapsed();
    int waiting = 0;
    for (const auto& page : shops.pages()) {
      if (page->host().load_state() == LoadState::kWaiting) ++waiting;
    }
    QVERIFY(waiting >= kPages - 3);
    QVERIFY(test::WaitFor([&] { return AllLoaded(shops); }, 60000));
    const qint64 all_ms = clock.elapsed();
    qInfo(
        "restoring %d saved pages: window up %lld ms, shown page loaded %lld ms (%d waiting "
        "then), all loaded %lld ms",
        kPages, started_ms, shown_ms, waiting, all_ms);
    QVERIFY(app->main_frame()->close());
  }
};

}  // namespace tolvane

TOLVANE_APP_TEST_MAIN(tolvane::TabsEndToEndTest)
#include "tabs_end_to_end_test.moc"
