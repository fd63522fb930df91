// The shown page's commands, its own context menu and a second start, in the
// program's real window.
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QWebEngineView>
#include <QWheelEvent>
#include <memory>

#include "core/app/handoff.h"
#include "core/app/tolvane_doc.h"
#include "core/browser/page_host.h"
#include "core/stores/item_store.h"
#include "core/tabs/category_tab.h"
#include "core/tabs/tab_area.h"
#include "core/tabs/tab_workspace.h"
#include "local_http_server.h"
#include "ui/app/tolvane_app.h"
#include "ui/base/message_box_prompter.h"
#include "ui/base/qt_text.h"
#include "ui/browser/web_engine_control.h"
#include "ui/frame/address_bar.h"
#include "ui/frame/main_frame.h"
#include "ui/frame/zoom_pane.h"
#include "ui/tabs/tolvane_view.h"
#include "ui_test_support.h"

namespace tolvane {
namespace {

TabArea& Area(const CTolvaneApp& app) { return app.main_frame()->view()->workspace()->area(); }

// The current category's pages: "url*" for the shown one, "~" while loading.
QString Pages(const TabArea& area) {
  const CCategoryTab& tab = area.category(area.current_category());
  QStringList pages;
  for (int i = 0; i < tab.page_count(); ++i) {
    const PageHost& host = tab.page(i).host();
    QString page = ToQString(host.url()).section(QLatin1Char('/'), 0, 0) +
                   ToQString(host.url()).section(QLatin1Char('/'), 3);
    if (host.load_state() != LoadState::kLoaded) page += QLatin1Char('~');
    if (i == tab.current_page()) page += QLatin1Char('*');
    pages << page;
  }
  return pages.join(QLatin1Char(' '));
}

// "text" per entry, "-" for a separator, "(off)" after a disabled one, a
// submenu's entries in braces.
QString Listing(const QMenu& menu) {
  QStringList entries;
  for (const QAction* action : menu.actions()) {
    if (action->isSeparator()) {
      entries << QStringLiteral("-");
      continue;
    }
    QString entry = action->text();
    if (action->menu() != nullptr) {
      entry += QStringLiteral(" {") + Listing(*action->menu()) + QLatin1Char('}');
    }
    if (!action->isEnabled()) entry += QStringLiteral("(off)");
    entries << entry;
  }
  return entries.join(QStringLiteral(" | "));
}

// Right-clicks the element `id` of the shown page and gives the menu that
// came up (the caller closes it).
QMenu* RightClick(const CTolvaneApp& app, const char* id) {
  QWebEngineView* view = test::InputReadyView(app);
  if (view == nullptr) return nullptr;
  const QVariantList r =
      test::RunScript(view, QStringLiteral("(function(){var r=document.getElementById('%1')"
                                           ".getBoundingClientRect();return [r.left,r.top,r.width,"
                                           "r.height];})()")
                                .arg(QLatin1String(id)))
          .toList();
  if (r.size() != 4) return nullptr;
  const QPoint at(static_cast<int>(r[0].toDouble() + 8), static_cast<int>(r[1].toDouble() + 6));
  QTest::mouseClick(view->focusProxy(), Qt::RightButton, Qt::NoModifier, at);
  QMenu* shown = nullptr;
  test::WaitFor([&] {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
      if (widget->objectName() == QLatin1String("pageMenu") && widget->isVisible()) {
        shown = qobject_cast<QMenu*>(widget);
      }
    }
    return shown != nullptr;
  });
  return shown;
}

QAction* Find(const QMenu& menu, const QString& text) {
  for (QAction* action : menu.actions()) {
    if (action->text() == text) return action;
  }
  return nullptr;
}

}  // namespace

class PageCommandsTest : public QObject {
  Q_OBJECT

 private:
  test::LocalHttpServer server_;

  QString Url(const char* path) const {
    return QString::fromLatin1(server_.base()) + QLatin1String(path);
  }

 private slots:
  void initTestCase() {
    QVERIFY(server_.ok());
    test::OpenSharedProfile();
    server_.page("/page",
                 "<html><head><link rel=\"icon\" href=\"data:,\"><title>page</title></head><body>"
                 "<p><a id=\"link\" href=\"/next\">next page</a></p>"
                 "<p><input id=\"field\" type=\"text\" value=\"\" style=\"width:300px\"></p>"
                 "<p style=\"height:3000px\">text</p></body></html>");
    server_.page("/next",
                 "<html><head><link rel=\"icon\" href=\"data:,\"><title>next</title></head>"
                 "<body>next</body></html>");
    // Shift_JIS text, no charset from the server or the page: "日本語のページ"
    // and enough of it for a guess.
    test::LocalHttpServer::Reply undeclared;
    undeclared.content_type = "text/html";
    undeclared.body = "<html><head><title>x</title></head><body><p>" +
                      QByteArray::fromStdString(ToSjis(QStringLiteral("日本語のページです。"))) +
                      "</p></body></html>";
    server_.route("/undeclared", undeclared);
    server_.page("/handed",
                 "<html><head><link rel=\"icon\" href=\"data:,\"><title>handed</title></head>"
                 "<body>handed</body></html>");
  }

  void init() { test::FailOnQtWarnings(); }

  void zoomSourceAndThePagesOwnMenu() {
    QTemporaryDir dir;
    CTolvaneApp app;
    QStringList arguments = test::AppArguments(dir.path());
    arguments << Url("/page");
    QCOMPARE(app.InitInstance(arguments), CTolvaneApp::kExitOk);
    CMainFrame& frame = *app.main_frame();
    TabArea& area = Area(app);
    QVERIFY(test::WaitFor([&] {
      return frame.ActiveControl() != nullptr &&
             area.ActiveHost()->load_state() == LoadState::kLoaded;
    }));
    WebEngineControl& page = *frame.ActiveControl();
    const CZoomPane& pane = *frame.zoom_pane();
    QCOMPARE(pane.text(), QStringLiteral("100%"));

    // Ctrl++ runs zoom in through the router; Ctrl and the wheel, the pane's
    // menu and a click on the pane do the same commands.
    QVERIFY(frame.router().Run(command::kZoomIn));
    QCOMPARE(page.Zoom(), 110);
    QCOMPARE(pane.text(), QStringLiteral("110%"));
    QWebEngineView* view = test::InputReadyView(app);
    QVERIFY(view != nullptr);
    const QPoint middle = view->rect().center();
    QWheelEvent wheel(middle, view->mapToGlobal(middle), {}, QPoint(0, -120), Qt::NoButton,
                      Qt::ControlModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(view->focusProxy(), &wheel);
    QCOMPARE(page.Zoom(), 100);
    QMenu& zoom_menu = *pane.menu();
    emit zoom_menu.aboutToShow();
    QCOMPARE(Listing(zoom_menu),
             QStringLiteral("拡大(&I)\tCtrl++ | 縮小(&O)\tCtrl+- | - | "
                            "400% | 200% | 150% | 125% | 100% | 75% | 50% | - | "
                            "カスタム(&C)..."));
    QVERIFY(Find(zoom_menu, QStringLiteral("100%"))->isChecked());
    Find(zoom_menu, QStringLiteral("125%"))->trigger();
    QCOMPARE(pane.text(), QStringLiteral("125%"));
    const_cast<CZoomPane&>(pane).click();
    QCOMPARE(page.Zoom(), 150);
    QCOMPARE(pane.text(), QStringLiteral("150%"));
    QVERIFY(frame.router().Run(CommandId(32838)));  // 100 %
    QCOMPARE(pane.text(), QStringLiteral("100%"));
    // The View menu's entries name each key once, as the command table has it.
    QStringList keyed;
    for (const QAction* action : frame.findChild<QMenu*>(QStringLiteral("zoomMenu"))->actions()) {
      if (action->text().contains(QLatin1Char('\t'))) keyed << action->text();
    }
    QCOMPARE(keyed,
             QStringList({QStringLiteral("拡大(&I)\tCtrl++"), QStringLiteral("縮小(&O)\tCtrl+-")}));

    // The context menu on a link: the program's entries, then the link's.
    QMenu* menu = RightClick(app, "link");
    QVERIFY(menu != nullptr);
    QCOMPARE(
        Listing(*menu),
        QStringLiteral(
            "まとめて検索 | 検索エンジンを選択 {}(off) | - | お気に入りバー {新規登録 {} | "
            "登録日順 {} | 五十音順 {} | 重要度順 {} | タグ別 {}} | "
            "このページをお気に入りに追加 | "
            "このサイトの検索を追加 | - | "
            "リンクを新しいタブで開く | - | 対象をファイルに保存 | ショートカットのコピー | - | "
            "要素の検証"));
    Find(*menu, QStringLiteral("リンクを新しいタブで開く"))->trigger();
    menu->close();
    QVERIFY(
        test::WaitFor([&] { return area.category(area.current_category()).page_count() == 2; }));
    QVERIFY(test::WaitFor([&] { return !Pages(area).contains(QLatin1Char('~')); }));
    QCOMPARE(Pages(area), QStringLiteral("http:page http:next*"));
    area.SelectPage(area.current_category(), 0, true, true);

    // In a text field: the stored keywords go into the field.
    MessageBoxPrompter prompter(&frame);
    app.document()->keywords().AddOrCount({ToSjis(QStringLiteral("電卓")), {}, -1, {}, true},
                                          prompter);
    menu = RightClick(app, "field");
    QVERIFY(menu != nullptr);
    QCOMPARE(Listing(*menu),
             QStringLiteral("キーワードの入力 {電卓} | まとめて検索 | 検索エンジンを選択 {}(off) | "
                            "- | 元に戻す(off) | やり直し(off) | - | 切り取り(off) | コピー(off) | "
                            "貼り付け | 書式なしで貼り付け | すべて選択(off) | - | 要素の検証"));
    Find(*menu->actions().first()->menu(), QStringLiteral("電卓"))->trigger();
    // The inspector opens in a window of its own, on the page's element.
    Find(*menu, QStringLiteral("要素の検証"))->trigger();
    menu->close();
    QWidget* tools = view->findChild<QWidget*>(QStringLiteral("devTools"));
    QVERIFY(tools != nullptr && tools->isWindow() && tools->isVisible());
    QVERIFY(test::WaitFor(
        [&] { return view->page()->devToolsPage()->url().scheme() == QLatin1String("devtools"); }));
    // Its own close button closes the window and lets the page go.
    QPointer<QWidget> closing(tools);
    emit view->page()->devToolsPage()->windowCloseRequested();
    QVERIFY(test::WaitFor([&] { return closing == nullptr; }));
    QVERIFY(view->page()->devToolsPage() == nullptr);
    QCOMPARE(test::InputReadyView(app), view);  // the user comes back to the page
    QVERIFY(test::WaitFor([&] {
      return test::RunScript(view, QStringLiteral("document.getElementById('field').value")) ==
             QStringLiteral("電卓");
    }));

    // A middle click over the field puts the clipboard in place of its text.
    QApplication::clipboard()->setText(QStringLiteral("貼り付けた"));
    const QPoint field_at(
        20,
        static_cast<int>(test::RunScript(view, QStringLiteral("document.getElementById('field')"
                                                              ".getBoundingClientRect().top + 5"))
                             .toDouble()));
    QTest::mouseClick(view->focusProxy(), Qt::MiddleButton, Qt::NoModifier, field_at);
    QVERIFY(test::WaitFor([&] {
      return test::RunScript(view, QStringLiteral("document.getElementById('field').value")) ==
             QStringLiteral("貼り付けた");
    }));

    // The source opens in a page tab right of the page, shown.
    QVERIFY(frame.router().Run(command::kViewSource));
    QVERIFY(test::WaitFor([&] { return !Pages(area).contains(QLatin1Char('~')); }));
    QCOMPARE(Pages(area), QStringLiteral("http:page view-source:http:page* http:next"));
    QCOMPARE(frame.ActiveControl()->page()->url().scheme(), QStringLiteral("view-source"));

    // A page that declares no charset is read again in the one chosen.
    area.SelectPage(area.current_category(), 0, true, true);
    PageHost& shown = *area.ActiveHost();
    QVERIFY(shown.Navigate({ToSjis(Url("/undeclared")), {}, {}, {}}));
    WebEngineControl& shown_page = *frame.ActiveControl();
    QVERIFY(test::WaitFor([&] { return !shown_page.Busy() && !shown_page.Charset().empty(); }));
    QCOMPARE(shown_page.Charset(), std::string("Shift_JIS"));  // the engine's guess
    const auto read_as = [&](const char* charset) {
      return test::WaitFor([&] {
        return shown_page.Charset() == charset && shown.load_state() == LoadState::kLoaded;
      });
    };
    QVERIFY(frame.router().Run(CommandId(3611)));  // EUC-JP
    QVERIFY(read_as("EUC-JP"));
    QCOMPARE(ToQString(shown.url()), Url("/undeclared"));
    QVERIFY(frame.router().State(CommandId(3611)).checked);
    QVERIFY(!frame.router().State(CommandId(3609)).checked);
    QVERIFY(frame.router().Run(CommandId(3609)));  // automatic: the page's own again
    QVERIFY(read_as("Shift_JIS"));
    QCOMPARE(test::RunScript(shown_page.view(), QStringLiteral("document.body.innerText")),
             QStringLiteral("日本語のページです。"));
    QVERIFY(frame.router().State(CommandId(3609)).checked);

    // Offline, reading the page again (as it is or in another charset)
    // fetches nothing and keeps the page instead of the engine's error page.
    const int reads = server_.countTo("/undeclared");
    QVERIFY(frame.router().Run(command::kWorkOffline));
    QVERIFY(frame.router().State(command::kWorkOffline).checked);
    QVERIFY(frame.router().Run(command::kReload));
    QVERIFY(frame.router().Run(CommandId(3611)));  // EUC-JP
    QVERIFY(test::WaitFor([&] { return shown.load_state() == LoadState::kLoaded; }));
    test::Spin(500);
    QVERIFY(frame.router().Run(command::kWorkOffline));
    QCOMPARE(
        QStringList({QString::number(server_.countTo("/undeclared") - reads),
                     test::RunScript(shown_page.view(), QStringLiteral("document.body.innerText"))
                         .toString(),
                     ToQString(shown.title())}),
        QStringList(
            {QStringLiteral("0"), QStringLiteral("日本語のページです。"), QStringLiteral("x")}));

    // While the address bar has the focus, the edit commands act on its
    // line, not on the page behind it.
    frame.activateWindow();
    frame.address_bar()->FocusAddressBar();
    QVERIFY(test::WaitFor([&] { return frame.address_bar()->box()->hasFocus(); }));
    QLineEdit& line = *frame.address_bar()->box()->lineEdit();
    line.deselect();
    QVERIFY(frame.router().Run(command::kSelectAll));
    QVERIFY(frame.router().Run(command::kCopy));
    QVERIFY(frame.router().Run(command::kDelete));
    const QString deleted = line.text();
    QVERIFY(frame.router().Run(command::kUndo));
    test::Spin(100);
    QCOMPARE(QStringList({deleted, line.text(), QApplication::clipboard()->text(),
                          shown_page.page()->selectedText()}),
             QStringList({QString(), Url("/undeclared"), Url("/undeclared"), QString()}));

    // The preview draws the page (the engine prints it) before it shows.
    QString preview_class;
    test::WhenModal(
        [&](QWidget* dialog) {
          preview_class = QString::fromLatin1(dialog->metaObject()->className());
          QMetaObject::invokeMethod(dialog, "reject", Qt::QueuedConnection);
        },
        20000);
    QVERIFY(frame.router().Run(command::kPrintPreview));
    QCOMPARE(preview_class, QStringLiteral("QPrintPreviewDialog"));

    // Printed into a PDF file the page keeps its text (a font, not a
    // picture of the sheet) and stays small.
    const QString pdf = dir.filePath(QStringLiteral("printed.pdf"));
    test::WhenModal([&](QWidget* dialog) {
      auto* file = dialog->findChild<QLineEdit*>(QStringLiteral("filename"));
      if (file != nullptr) file->setText(pdf);
      QMetaObject::invokeMethod(dialog, "accept", Qt::QueuedConnection);
    });
    QVERIFY(frame.router().Run(command::kPrint));
    QByteArray bytes;
    QVERIFY(test::WaitFor(
        [&] {
          QFile printed(pdf);
          bytes = printed.open(QIODevice::ReadOnly) ? printed.readAll() : QByteArray();
          return bytes.trimmed().endsWith("%%EOF");
        },
        20000));
    QVERIFY(bytes.startsWith("%PDF"));
    QVERIFY(bytes.contains("/Font"));
    QVERIFY2(bytes.size() < 300 * 1024, QByteArray::number(bytes.size()).constData());
    // A file that cannot be written is not a silent success.
    test::WhenModal([&](QWidget* dialog) {
      dialog->findChild<QLineEdit*>(QStringLiteral("filename"))
          ->setText(dir.filePath(QStringLiteral("missing/printed.pdf")));
      QMetaObject::invokeMethod(dialog, "accept", Qt::QueuedConnection);
    });
    QVERIFY(frame.router().Run(command::kPrint));
    QString said;
    test::WhenModal(
        [&](QWidget* box) {
          auto* message = qobject_cast<QMessageBox*>(box);
          said = message != nullptr ? message->text() : QStringLiteral("?");
          box->close();
        },
        20000);
    QVERIFY(test::WaitFor([&] { return !said.isEmpty(); }, 20000));
    QCOMPARE(said, QStringLiteral("ページを印刷できませんでした。"));

    // Qt's own texts are Japanese.
    QMessageBox box(QMessageBox::Question, QStringLiteral("t"), QStringLiteral("t"),
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    QCOMPARE(box.button(QMessageBox::Yes)->text().left(2), QStringLiteral("はい"));
    QCOMPARE(box.button(QMessageBox::No)->text().left(3), QStringLiteral("いいえ"));
    QCOMPARE(box.button(QMessageBox::Cancel)->text().left(5), QStringLiteral("キャンセル"));
    // So are the engine's own pages, whatever the system's locale.
    QVERIFY(shown.Navigate({"http://127.0.0.1:1/", {}, {}, {}}));
    QVERIFY(test::WaitFor([&] {
      return test::RunScript(shown_page.view(), QStringLiteral("document.body.innerText"))
          .toString()
          .contains(QStringLiteral("このサイトにアクセスできません"));
    }));
  }

  // The favorites bar's submenu: a flagged folder holds its data menu, a
  // flagged favorite opens as the favorites' options say and is counted.
  void favoritesBarSubmenuOpensAFavorite() {
    QTemporaryDir dir;
    const std::filesystem::path data = QStringToPath(dir.path());
    test::WriteStore(data / "vq_favorite.fvf",
                     QStringLiteral("@@FavoriteList@@\n0\n5\n"
                                    "0\t-1\t0\tお気に入り\n-9999\t0\t51\tゴミ箱\n"
                                    "11\t0\t0\tお店\tshop\t0\t1\t4\n12\t0\t0\t隠し\t*\n"
                                    "13\t0\t0\t空\tnothing\t0\t1\t4\n"
                                    "2\n"
                                    "1\tローカル店\t%1\t0\tshop\t0\t\t\t\t1\n"
                                    "2\tA&B 二号店\t%2\t0\tshop\n")
                         .arg(Url("/next"), Url("/handed")));
    test::WriteStore(data / "vq_system.ini",
                     QStringLiteral("[OptionFavorite]\nNewPage=1\n"
                                    "[OptionMultiOpen]\nOpenMode=0\nShowConfirm=0\n"));
    CTolvaneApp app;
    QStringList arguments = test::AppArguments(dir.path());
    arguments << Url("/page");
    QCOMPARE(app.InitInstance(arguments), CTolvaneApp::kExitOk);
    TabArea& area = Area(app);
    QVERIFY(test::WaitFor([&] {
      return app.main_frame()->ActiveControl() != nullptr &&
             area.ActiveHost()->load_state() == LoadState::kLoaded;
    }));

    QMenu* menu = RightClick(app, "link");
    QVERIFY(menu != nullptr);
    QMenu* bar = Find(*menu, QStringLiteral("お気に入りバー"))->menu();
    QCOMPARE(Listing(*bar), QStringLiteral("お店 {} | 空 {} | ローカル店"));
    QMenu* empty = bar->actions().at(1)->menu();
    emit empty->aboutToShow();
    QCOMPARE(Listing(*empty), QStringLiteral("(なし)(off)"));
    QMenu* shop = bar->actions().first()->menu();
    emit shop->aboutToShow();
    QCOMPARE(Listing(*shop),
             QStringLiteral("お気に入りをまとめて開く | - | A&&B 二号店 | ローカル店"));
    QCOMPARE(Find(*shop, QStringLiteral("ローカル店"))->icon().isNull(), false);
    Find(*bar, QStringLiteral("ローカル店"))->trigger();
    menu->close();

    QVERIFY(test::WaitFor([&] { return !Pages(area).contains(QLatin1Char('~')); }));
    QCOMPARE(Pages(area), QStringLiteral("http:page http:next*"));
    const ItemList& favorites = app.document()->favorites().items();
    QCOMPARE(favorites.count(static_cast<std::size_t>(favorites.FindById(1))), 1);
    QCOMPARE(favorites.count(static_cast<std::size_t>(favorites.FindById(2))), 0);
    // Showing the menu leaves the bar's stored order alone.
    QCOMPARE(app.settings()->GetString("OptionFavoriteBar", "ButtonIDs", "none"),
             std::string("none"));

    // The folder's pages at once, after the current page.
    area.SelectPage(area.current_category(), 0, true, true);
    menu = RightClick(app, "link");
    QVERIFY(menu != nullptr);
    shop = Find(*menu, QStringLiteral("お気に入りバー"))->menu()->actions().first()->menu();
    emit shop->aboutToShow();
    Find(*shop, QStringLiteral("お気に入りをまとめて開く"))->trigger();
    menu->close();
    QVERIFY(test::WaitFor([&] { return !Pages(area).contains(QLatin1Char('~')); }));
    QCOMPARE(Pages(area), QStringLiteral("http:page http:handed* http:next http:next"));
  }

  // A link clicked in another program starts a second copy: the running
  // copy opens the address, the second one ends at once.
  void secondStartHandsItsAddressToTheRunningCopy() {
    server_.resetCounts();
    QTemporaryDir dir;
    QTemporaryDir runtime_dir;
    test::ProgramProcess first(dir.path(), runtime_dir.path(), {Url("/page")});
    const std::filesystem::path socket =
        handoff::SocketPath(QStringToPath(runtime_dir.path()), QStringToPath(dir.path()));
    QVERIFY(test::WaitFor([&] { return std::filesystem::exists(socket); }, 20000));
    QVERIFY(test::WaitFor([&] { return server_.countTo("/page") == 1; }));

    test::ProgramProcess second(dir.path(), runtime_dir.path(), {Url("/handed")});
    QVERIFY(second.process().waitForFinished(5000));
    QCOMPARE(second.process().exitCode(), CTolvaneApp::kExitHeldByAnotherCopy);
    QVERIFY(test::WaitFor([&] { return server_.countTo("/handed") == 1; }));
    QCOMPARE(first.process().state(), QProcess::Running);

    first.process().terminate();
    QVERIFY(first.process().waitForFinished(10000));
    QVERIFY(!std::filesystem::exists(socket));
  }
};

}  // namespace tolvane

TOLVANE_APP_TEST_MAIN(tolvane::PageCommandsTest)
#include "page_commands_test.moc"
