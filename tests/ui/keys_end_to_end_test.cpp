// Keys, typed shortcut letters and mouse gestures in the program as main
// starts it, over a shop page on 127.0.0.1: real synthetic input on the
// window, and where the page, the status text and the server end up.
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QTemporaryDir>
#include <QTest>
#include <QWebEngineView>
#include <QWindow>
#include <algorithm>
#include <memory>

#include "core/app/tolvane_doc.h"
#include "core/tabs/tab_workspace.h"
#include "local_http_server.h"
#include "ui/app/tolvane_app.h"
#include "ui/base/qt_text.h"
#include "ui/frame/address_bar.h"
#include "ui/frame/main_frame.h"
#include "ui/search/search_bar.h"
#include "ui/sidebar/side_bar.h"
#include "ui/tabs/category_tab_ctrl.h"
#include "ui/tabs/page_tab_ctrl.h"
#include "ui/tabs/tolvane_view.h"
#include "ui_test_support.h"

namespace tolvane {
namespace {

QByteArray Html(const QByteArray& title, const QByteArray& body) {
  return "<html><head><link rel=\"icon\" href=\"data:,\"><title>" + title +
         "</title></head><body style=\"height:2000px\">" + body + "</body></html>";
}

TabArea& Area(const CTolvaneApp& app) { return app.main_frame()->view()->workspace()->area(); }

// "path title" of the shown page once it has loaded, else "".
QString Shown(const CTolvaneApp& app) {
  const TabArea& area = Area(app);
  const PageHost* host = area.ActiveHost();
  if (host == nullptr || host->load_state() != LoadState::kLoaded) return {};
  return QUrl(ToQString(host->url())).path() + QLatin1Char(' ') + ToQString(host->title());
}

QString StatusText(const CTolvaneApp& app) {
  return app.main_frame()->findChild<QLabel*>(QStringLiteral("statusText"))->text();
}

// The shown page's view once it takes input, null when it never does.
QWebEngineView* InputReadyView(const CTolvaneApp& app) {
  QWebEngineView* shown = nullptr;
  const bool ready = test::WaitFor([&] {
    shown = nullptr;
    for (QWebEngineView* view :
         app.main_frame()->view()->page_area()->findChildren<QWebEngineView*>()) {
      if (view->isVisible() && view->focusProxy() != nullptr) shown = view;
    }
    return shown != nullptr;
  });
  if (!ready) return nullptr;
  // Keys go where the user's would: to the page that has the focus.
  shown->window()->activateWindow();
  shown->setFocus();
  if (!test::WaitFor([&] { return QApplication::focusWidget() == shown->focusProxy(); })) {
    return nullptr;
  }
  test::Spin(300);  // the renderer takes input a little after the load
  return shown;
}

}  // namespace

class KeysEndToEndTest : public QObject {
  Q_OBJECT

 private:
  test::LocalHttpServer server_;

  // Shop 501 (top page /a) as tab 21; shop 502 searches /find and owns the
  // typed shortcut "bs".
  void WriteShops(const std::filesystem::path& dir) const {
    const QString base = QString::fromLatin1(server_.base());
    test::WriteStore(
        dir / "vq_search.eng",
        QStringLiteral("@@SearchEngineList@@\n0\t100\t\t2024/01/01\n1\n500\tテスト\t0\n2\n"
                       "501\t500\t店\t店\tS\t%1/a\t\t%1/a?q=$0\t\t\t\t3\n"
                       "502\t500\t別店\t別店\tB\t%1/b\t\t%1/find?q=$0\t\t\t\t3\n")
            .arg(base));
    test::WriteStore(
        dir / "vq_searchtree.egt",
        QStringLiteral("@@SearchEngineListOption@@\n0\n0\n1\n502\t\t0\t1\t\tbs\t0\t0\n"));
    test::WriteOneShopTab(dir, 3, 0);
  }

 private slots:
  void initTestCase() {
    QVERIFY(server_.ok());
    test::OpenSharedProfile();
    server_.page("/a",
                 Html("a",
                      "<a href=\"/item\" "
                      "style=\"position:absolute;left:0;top:0;width:60px;height:40px\">item</a>"));
    server_.page("/item", Html("item", "<p>item</p>"));
    server_.page("/find", Html("found", "<p>found</p>"));
  }

  void init() { test::FailOnQtWarnings(); }

  void gesturesKeysAndTypedLettersRunTheirCommands() {
    QTemporaryDir dir;
    WriteShops(QStringToPath(dir.path()));
    auto app = std::make_unique<CTolvaneApp>();
    QCOMPARE(app->InitInstance(test::AppArguments(dir.path())), CTolvaneApp::kExitOk);
    CMainFrame* frame = app->main_frame();
    QVERIFY(test::WaitFor([&] { return Shown(*app) == QStringLiteral("/a a"); }));
    QWindow* window = frame->windowHandle();
    QVERIFY(test::WaitFor([&] { return window->isExposed(); }));

    // A second page in the same page tab: a click on a link of the first.
    QWebEngineView* view = InputReadyView(*app);
    QVERIFY(view != nullptr);
    QTest::mouseClick(view->focusProxy(), Qt::LeftButton, {}, QPoint(12, 12));
    QVERIFY(test::WaitFor([&] { return Shown(*app) == QStringLiteral("/item item"); }));
    QCOMPARE(Area(*app).category(0).page_count(), 1);
    view = InputReadyView(*app);
    QVERIFY(view != nullptr);
    const QPoint middle = view->mapTo(frame, view->rect().center());

    // A right click that does not move gives the page its own menu.
    QTest::mousePress(window, Qt::RightButton, {}, middle);
    QTest::mouseRelease(window, Qt::RightButton, {}, middle);
    QVERIFY(test::WaitFor([] { return qobject_cast<QMenu*>(QApplication::activePopupWidget()); }));
    QApplication::activePopupWidget()->close();
    QCOMPARE(Shown(*app), QStringLiteral("/item item"));

    // A drag to the left over the page: the status text follows it, the
    // release goes back.
    QTest::mousePress(window, Qt::RightButton, {}, middle);
    for (int dx = 8; dx <= 120; dx += 8) QTest::mouseMove(window, middle - QPoint(dx, 0));
    QCOMPARE(StatusText(*app), QStringLiteral("マウスジェスチャのコマンド：←"));
    QTest::mouseRelease(window, Qt::RightButton, {}, middle - QPoint(120, 0));
    QCOMPARE(StatusText(*app), QString());
    test::WaitFor([&] { return Shown(*app) == QStringLiteral("/a a"); });
    QCOMPARE(Shown(*app), QStringLiteral("/a a"));
    QVERIFY(QApplication::activePopupWidget() == nullptr);

    // Alt+→ over the page goes forward.
    view = InputReadyView(*app);
    QVERIFY(view != nullptr);
    QTest::keyClick(view->focusProxy(), Qt::Key_Right, Qt::AltModifier);
    QVERIFY(test::WaitFor([&] { return Shown(*app) == QStringLiteral("/item item"); }));

    // Ctrl+Space, then "b" and "s": shop 502 searches the keyword box's text.
    frame->search_bar()->WriteKeyword(Keyword::FromUtf8("靴"));
    QWidget* page = InputReadyView(*app)->focusProxy();
    QTest::keyPress(page, Qt::Key_Control);
    QTest::keyClick(page, Qt::Key_Space, Qt::ControlModifier);
    QTest::keyRelease(page, Qt::Key_Control);
    QCOMPARE(StatusText(*app), QStringLiteral("ショートカットのコマンド："));
    QTest::keyClick(page, Qt::Key_B);
    QCOMPARE(StatusText(*app), QStringLiteral("ショートカットのコマンド：b"));
    QTest::keyClick(page, Qt::Key_S);
    QVERIFY(test::WaitFor([&] { return Shown(*app) == QStringLiteral("/find found"); }));
    QCOMPARE(server_.countTo("/find"), 1);
    QCOMPARE(server_.requestsTo("/find").first().target, QByteArray("/find?q=%E9%9D%B4"));

    // Tab walks the window's places as one ring from the page (which has
    // no element of its own to stop at) and Shift+Tab the other way round,
    // with the side bar shown and hidden.
    CSideBar& side = *frame->side_bar();
    for (const bool side_shown : {true, false}) {
      side.ShowSideBar(side_shown);
      QWidget* page_view = InputReadyView(*app)->focusProxy();
      QList<QWidget*> ring = {frame->address_bar()->box(), frame->search_bar()->keyword_box()};
      if (side_shown) ring << side.keyword_box() << side.tree(side.commands().page());
      ring << frame->view()->category_bar() << frame->view()->page_bar() << page_view;
      for (const bool forward : {true, false}) {
        QWidget* start = QApplication::focusWidget();
        QCOMPARE(start, page_view);
        QList<QWidget*> reached;
        for (qsizetype i = 0; i < ring.size(); ++i) {
          QTest::keyClick(QApplication::focusWidget(), forward ? Qt::Key_Tab : Qt::Key_Backtab,
                          forward ? Qt::NoModifier : Qt::ShiftModifier);
          test::WaitFor([&] { return QApplication::focusWidget() != start; });
          start = QApplication::focusWidget();
          const auto at = std::find_if(ring.begin(), ring.end(),
                                       [](QWidget* place) { return place->hasFocus(); });
          reached << (at != ring.end() ? *at : start);
        }
        QList<QWidget*> expected = ring;
        if (!forward) {
          std::reverse(expected.begin(), expected.end() - 1);
        }
        QCOMPARE(reached, expected);
      }
    }
    side.ShowSideBar(true);

    // Ctrl+L reaches the address bar; there the field's own keys stay with
    // it instead of becoming page commands (select all, stop, delete).
    QTest::keyClick(InputReadyView(*app)->focusProxy(), Qt::Key_L, Qt::ControlModifier);
    QComboBox* box = frame->address_bar()->box();
    QVERIFY(test::WaitFor([&] { return box->hasFocus(); }));
    QLineEdit* address = box->lineEdit();
    const QString page_address = address->text();
    QVERIFY(page_address.endsWith(QStringLiteral("/find?q=%E9%9D%B4")));
    QTest::keyClick(box, Qt::Key_End);
    QTest::keyClicks(box, QStringLiteral("xyz"));
    QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
    QCOMPARE(address->selectedText(), page_address + QStringLiteral("xyz"));
    QTest::keyClick(box, Qt::Key_Escape);
    QCOMPARE(address->text(), page_address);
    QTest::keyClick(box, Qt::Key_Delete);
    QCOMPARE(address->text(), QString());
    QVERIFY(frame->close());
  }
};

}  // namespace tolvane

TOLVANE_APP_TEST_MAIN(tolvane::KeysEndToEndTest)
#include "keys_end_to_end_test.moc"
