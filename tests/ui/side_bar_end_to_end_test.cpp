// The side bar end to end, in the program's own window: its pages, a shop
// picked in the search tree and searched from the side bar's keyword box
// (the shop gets the keyword in its charset), the category added as a
// category search tab, and a shop dragged onto the tab tree.
#include <QApplication>
#include <QComboBox>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QWindow>
#include <memory>

#include "core/commands/command_router.h"
#include "core/search/search_tree.h"
#include "core/tabs/tab_workspace.h"
#include "local_http_server.h"
#include "ui/app/tolvane_app.h"
#include "ui/base/qt_text.h"
#include "ui/frame/main_frame.h"
#include "ui/search/engine_item_mime.h"
#include "ui/search/search_bar.h"
#include "ui/sidebar/search_tree_ctrl.h"
#include "ui/sidebar/side_bar.h"
#include "ui/tabs/tab_tree_ctrl.h"
#include "ui/tabs/tolvane_view.h"
#include "ui_test_support.h"

namespace tolvane {
namespace {

const QString kKeyword = QStringLiteral("東京 タワー");

// Clicks the widget item of search tree item `item`, as the user would.
void ClickSearchItem(CSearchTreeCtrl& tree, int item) {
  QTreeWidgetItem* widget = tree.WidgetItem(item);
  QVERIFY(widget != nullptr);
  tree.scrollToItem(widget);
  QTest::mouseClick(tree.viewport(), Qt::LeftButton, {}, tree.visualItemRect(widget).center());
}

int ItemNamed(const SearchTree& tree, const QString& text) {
  for (int i = 0; i < tree.size(); ++i) {
    if (ToQString(tree.item(i).text) == text) return i;
  }
  return -1;
}

}  // namespace

class SideBarEndToEndTest : public QObject {
  Q_OBJECT

 private:
  test::LocalHttpServer server_;

  // Folder 500 "テスト" of a Shift_JIS shop and an EUC-JP shop; tab 一店
  // (the Shift_JIS shop) in group お店, opened first.
  void WriteShops(const std::filesystem::path& dir) const {
    test::WriteStore(
        dir / "vq_search.eng",
        QStringLiteral("@@SearchEngineList@@\n0\t100\t\t2024/01/01\n1\n500\tテスト\t0\n2\n"
                       "501\t500\tSJIS店\tSJIS店\tS\t%1/sjis/\t\t%1/sjis/search?q=$0"
                       "\t\t\t\t1\n"
                       "502\t500\tEUC店\tEUC店\tE\t%1/euc/\t\t%1/euc/search?k=$0&"
                       "second=$2\t\t\t\t2\n")
            .arg(QString::fromLatin1(server_.base())));
    test::WriteOneShopTab(dir, 1, 1);
  }

 private slots:
  void initTestCase() {
    QVERIFY(server_.ok());
    test::OpenSharedProfile();
    for (const char* path : {"/sjis/", "/euc/", "/sjis/search", "/euc/search"}) {
      test::LocalHttpServer::Reply reply;
      reply.content_type = QByteArray(path).startsWith("/euc") ? "text/html; charset=EUC-JP"
                                                               : "text/html; charset=Shift_JIS";
      reply.body =
          "<html><head><link rel=\"icon\" href=\"data:,\"><title>shop</title></head></html>";
      server_.route(path, reply);
    }
  }

  void init() { test::FailOnQtWarnings(); }

  void pickAShopSearchItAndAddItsCategoryAsATab() {
    QTemporaryDir dir;
    WriteShops(QStringToPath(dir.path()));
    auto app = std::make_unique<CTolvaneApp>();
    QCOMPARE(app->InitInstance(test::AppArguments(dir.path())), CTolvaneApp::kExitOk);
    CMainFrame& frame = *app->main_frame();
    QVERIFY(
        test::WaitFor([&] { return frame.windowHandle() && frame.windowHandle()->isExposed(); }));
    CSideBar& side = *frame.side_bar();
    TabArea& area = frame.view()->workspace()->area();
    QCOMPARE(test::CategoryRow(area), QStringLiteral("一店*"));

    // A first start shows the tab page; Ctrl+E's command the search tree.
    auto* title = side.findChild<QLabel*>(QStringLiteral("sideBarTitle"));
    QCOMPARE(ToQString(side.commands().Describe()), QStringLiteral("shown page 1 タブ width 200"));
    QCOMPARE(title->text(), QStringLiteral("タブ"));
    QVERIFY(frame.router().Run(command::kShowSearchTree));
    QCOMPARE(title->text(), QStringLiteral("検索"));
    QCOMPARE(side.findChild<QStackedWidget*>()->currentWidget(), side.search_tree_ctrl());
    const SearchTree& tree = side.search_tree();
    QCOMPARE(ToQString(tree.Describe()),
             QStringLiteral("検索 #0 open *\n  テスト #1\n    SJIS店 #64\n    EUC店 #64\n"
                            "  保管箱 #52\n"));

    // The EUC shop picked with the mouse, the keyword typed in the side
    // bar's box (each word committed by the input method), Enter.
    ClickSearchItem(*side.search_tree_ctrl(), ItemNamed(tree, QStringLiteral("テスト")));
    ClickSearchItem(*side.search_tree_ctrl(), ItemNamed(tree, QStringLiteral("EUC店")));
    QCOMPARE(tree.selected(), ItemNamed(tree, QStringLiteral("EUC店")));
    QLineEdit* edit = side.keyword_box()->lineEdit();
    edit->setFocus();
    test::TypeWithInputMethod(edit, kKeyword);
    QTest::keyClick(edit, Qt::Key_Return);
    QVERIFY(test::WaitFor([&] { return server_.countTo("/euc/search") == 1; }));
    QCOMPARE(test::FormText(test::QueryOf(server_.requestsTo("/euc/search")[0].target), "EUC-JP"),
             QStringLiteral("k=東京 タワー&second=タワー"));
    // Searched in the current category tab, the keyword echoed into the
    // search bar's box.
    QCOMPARE(test::CategoryRow(area), QStringLiteral("一店*"));
    QCOMPARE(frame.search_bar()->ReadKeyword().utf8(), kKeyword.toStdString());

    // The category as a category search tab (32952 of its menu).
    ClickSearchItem(*side.search_tree_ctrl(), ItemNamed(tree, QStringLiteral("テスト")));
    QVERIFY(frame.router().Run(command::kAddFolderAsSearchTab,
                               side.Context(command::kAddFolderAsSearchTab)));
    QCOMPARE(test::CategoryRow(area), QStringLiteral("一店 テスト*"));
    QVERIFY(test::WaitFor([&] { return area.category(1).page_count() == 2; }));

    // The Shift_JIS shop dragged onto the tab 一店 of the tab tree: a tab
    // placed before it.
    CTabTreeCtrl& tabs = *frame.view()->tab_tree();
    const TabTree& tab_tree = frame.view()->workspace()->tree();
    QVERIFY(frame.router().Run(command::kShowTabTree));
    QMimeData mime;
    mime.setData(QString::fromLatin1(kEngineItemMimeType), "EE501");
    QTreeWidgetItem* target = tabs.WidgetItem(tab_tree.FindTab(0));
    QVERIFY(target != nullptr);
    const QPoint at = tabs.visualItemRect(target).center();
    QDragEnterEvent enter(at, Qt::CopyAction, &mime, Qt::LeftButton, {});
    QApplication::sendEvent(tabs.viewport(), &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(at, Qt::CopyAction, &mime, Qt::LeftButton, {});
    QApplication::sendEvent(tabs.viewport(), &drop);
    QCOMPARE(test::CategoryRow(area), QStringLiteral("SJIS店* 一店 テスト"));

    // A user engine made next to the EUC shop from its menu's 検索エンジンの作成.
    QVERIFY(frame.router().Run(command::kShowSearchTree));
    ClickSearchItem(*side.search_tree_ctrl(), ItemNamed(tree, QStringLiteral("EUC店")));
    QString title_shown;
    test::WhenModal([&](QWidget* dialog) {
      title_shown = dialog->windowTitle();
      dialog->findChild<QLineEdit*>(QStringLiteral("name"))->setText(QStringLiteral("新店"));
      dialog->findChild<QLineEdit*>(QStringLiteral("searchUrl"))
          ->setText(QStringLiteral("http://new/?q=$0"));
      QMetaObject::invokeMethod(dialog, "accept");
    });
    QVERIFY(frame.router().Run(
        command::kCreateEngine,
        side.Context(command::kCreateEngine, ItemNamed(tree, QStringLiteral("EUC店")))));
    QCOMPARE(title_shown, QStringLiteral("検索エンジンの新規作成"));
    QCOMPARE(ToQString(tree.Describe()),
             QStringLiteral("検索 #0 open\n  テスト #1 open\n    SJIS店 #64\n    EUC店 #64\n"
                            "    新店 #64 *\n  保管箱 #52\n"));

    // Into the archive and back; the search-bar flag as a check item; the
    // user engine deleted after the question, the selection on its
    // neighbour.
    const int shop = ItemNamed(tree, QStringLiteral("SJIS店"));
    QVERIFY(frame.router().Run(command::kArchiveItem, side.Context(command::kArchiveItem, shop)));
    QCOMPARE(ToQString(tree.Describe()),
             QStringLiteral("検索 #0 open\n  テスト #1 open\n    EUC店 #64\n    新店 #64\n"
                            "  保管箱 #52 open\n    SJIS店 #64 *\n"));
    QCOMPARE(ToQString(side.search_commands()->ArchiveText(tree.selected())),
             QStringLiteral("保管箱から戻す(&R)"));
    QVERIFY(frame.router().Run(command::kArchiveItem, side.Context(command::kArchiveItem)));
    QCOMPARE(ItemNamed(tree, QStringLiteral("SJIS店")), tree.selected());
    QCOMPARE(tree.item(tree.item(tree.selected()).parent).text, tree.item(1).text);
    const CommandContext on_new =
        side.Context(command::kToggleSearchBar, ItemNamed(tree, QStringLiteral("新店")));
    QVERIFY(!frame.router().State(command::kToggleSearchBar, on_new).checked);
    QVERIFY(frame.router().Run(command::kToggleSearchBar, on_new));
    QVERIFY(frame.router().State(command::kToggleSearchBar, on_new).checked);
    QVERIFY(
        !frame.router().State(command::kDeleteItem, side.Context(command::kDeleteItem)).enabled);
    QString asked;
    test::WhenModal([&](QWidget* box) {
      asked = qobject_cast<QMessageBox*>(box)->text();
      qobject_cast<QMessageBox*>(box)->button(QMessageBox::Yes)->click();
    });
    QVERIFY(frame.router().Run(
        command::kDeleteItem,
        side.Context(command::kDeleteItem, ItemNamed(tree, QStringLiteral("新店")))));
    QCOMPARE(asked, QStringLiteral(
                        "\"新店\" は完全に削除され元に戻すことはできません。本当に削除しますか?"));
    QCOMPARE(ToQString(tree.Describe()),
             QStringLiteral("検索 #0 open\n  テスト #1 open\n    SJIS店 #64\n    EUC店 #64 *\n"
                            "  保管箱 #52\n"));

    // The shown page's command hides the bar; given again it comes back as
    // wide as it was.
    QVERIFY(frame.router().Run(command::kShowSearchTree));
    QVERIFY(!side.isVisible());
    QVERIFY(frame.router().Run(command::kShowSearchTree));
    QVERIFY(side.isVisible());
    QCOMPARE(side.width(), 200);

    QVERIFY(frame.close());
    app.reset();
  }
};

}  // namespace tolvane

TOLVANE_APP_TEST_MAIN(tolvane::SideBarEndToEndTest)
#include "side_bar_end_to_end_test.moc"
