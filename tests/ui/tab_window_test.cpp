// The tab area as a user meets it in the program's window: keys and clicks
// go through the window, the program is built as main builds it.
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWebEngineView>
#include <QWindow>
#include <functional>
#include <memory>

#include "core/app/tolvane_doc.h"
#include "core/commands/command_table.h"
#include "core/tabs/tab_commands.h"
#include "core/tabs/tab_workspace.h"
#include "local_http_server.h"
#include "ui/app/tolvane_app.h"
#include "ui/base/qt_text.h"
#include "ui/frame/address_bar.h"
#include "ui/frame/main_frame.h"
#include "ui/search/search_bar.h"
#include "ui/search/tab_tree_images.h"
#include "ui/tabs/category_tab_ctrl.h"
#include "ui/tabs/tab_menus.h"
#include "ui/tabs/tab_tree_ctrl.h"
#include "ui/tabs/tolvane_view.h"
#include "ui_test_support.h"

namespace tolvane {
namespace {

using test::WriteStore;

// The web view holding the keyboard focus, null when the focus is not in a
// page.
QWebEngineView* FocusedPage() {
  for (QWidget* w = QApplication::focusWidget(); w != nullptr; w = w->parentWidget()) {
    if (auto* view = qobject_cast<QWebEngineView*>(w)) return view;
  }
  return nullptr;
}

// The tree's selection as the model has it and as the widget shows it:
// "tab 一店", "page 空白", "group お店" (widget and model agree) or
// "widget differs".
QString TreeSelection(const TabWorkspace& ws, const CTabTreeCtrl& widget) {
  const TabTree& tree = ws.tree();
  if (CTabTreeCtrl::ItemIndex(widget.currentItem()) != tree.selected()) {
    return QStringLiteral("widget differs");
  }
  const TabTreeItem& item = tree.item(tree.selected());
  const char* kinds[] = {"root", "group", "tab", "page"};
  return QLatin1String(kinds[static_cast<int>(item.kind)]) + QLatin1Char(' ') +
         ToQString(item.text);
}

}  // namespace

class TabWindowTest : public QObject {
  Q_OBJECT

 private:
  test::LocalHttpServer server_;

  // One shop; group お店 with tab 一店 (the shop), group 他 with tab 空
  // (no pages of its own); 一店 opens first.
  void WriteData(const std::filesystem::path& dir) const {
    WriteStore(dir / "vq_search.eng",
               QStringLiteral("@@SearchEngineList@@\n0\t100\t\t2024/01/01\n1\n500\tテスト\t0\n1\n"
                              "501\t500\t店\t店\t店\t%1/shop/\t\t%1/shop/?q=$0\t\t\t\t1\n")
                   .arg(QString::fromLatin1(server_.base())));
    WriteStore(dir / "vq_tab.tbf",
               QStringLiteral("@@TabList@@\n0\n3\n"
                              "-9999\t保管箱\t0\t0\t99999999\t0\n"
                              "10\tお店\t0\t0\t0\t0\n"
                              "11\t他\t0\t0\t1\t0\n"
                              "2\n"
                              "20\t10\t一店\t一店\t一店\t検索エンジンID[501]\t\t検索エンジンID[501]"
                              "\t検索エンジンID[501]\t\t\t1\t\t0\t0\t\t\t0\t5\n"
                              "21\t11\t空\t空\t空\t\t\t\t\t\t\t0\t\t0\t0\n"));
    WriteStore(dir / "vq_system.ini",
               QStringLiteral("[OptionMain]\nStartMode=4\nStartTab=20\nCloseMode=0\n"));
  }

  static std::unique_ptr<CTolvaneApp> Start(const QTemporaryDir& dir) {
    auto app = std::make_unique<CTolvaneApp>();
    if (app->InitInstance(test::AppArguments(dir.path())) != CTolvaneApp::kExitOk) return nullptr;
    CMainFrame* frame = app->main_frame();
    if (frame == nullptr || frame->view()->workspace() == nullptr) return nullptr;
    frame->activateWindow();
    return QTest::qWaitForWindowActive(frame) ? std::move(app) : nullptr;
  }

  // Right-clicks `item` of the tab tree through the window; `in_menu` runs
  // while the menu is open and returns the command to choose, 0 for none.
  static void RightClickTreeItem(CMainFrame& frame, int item,
                                 const std::function<int(QMenu&)>& in_menu) {
    CTabTreeCtrl& tree = *frame.view()->tab_tree();
    const QPoint at =
        tree.viewport()->mapTo(&frame, tree.visualItemRect(tree.WidgetItem(item)).center());
    bool ran = false;
    auto* poll = new QTimer(&frame);
    QObject::connect(poll, &QTimer::timeout, poll, [&ran, poll, in_menu] {
      auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
      if (menu == nullptr) return;
      poll->deleteLater();
      ran = true;
      const int id = in_menu(*menu);
      QAction* chosen = nullptr;
      for (QAction* action : menu->actions()) {
        if (id != 0 && action->data().toInt() == id && action->isEnabled()) chosen = action;
      }
      menu->setActiveAction(chosen);
      QTest::keyClick(menu, chosen != nullptr ? Qt::Key_Return : Qt::Key_Escape);
    });
    poll->start(10);
    QTest::mouseClick(frame.windowHandle(), Qt::RightButton, {}, at);
    QVERIFY(test::WaitFor([&ran] { return ran; }, 5000));
  }

 private slots:
  void initTestCase() {
    QVERIFY(server_.ok());
    test::OpenSharedProfile();
    test::LocalHttpServer::Reply shop;
    shop.content_type = "text/html; charset=UTF-8";
    shop.body = QStringLiteral(
                    "<html><head><link rel=\"icon\" href=\"data:,\"><title>店</title>"
                    "</head><body><p>店</p></body></html>")
                    .toUtf8();
    server_.route("/shop/", shop);
  }

  void init() { test::FailOnQtWarnings(); }

  // New and closed pages keep the focus in the pages and the keyword as
  // typed; the tree shows the page the row shows; the tree's menu changes
  // nothing until a command is chosen, which acts on the item clicked.
  void keysAndMenusKeepTheFocusAndWhatIsShown() {
    QTemporaryDir dir;
    WriteData(QStringToPath(dir.path()));
    std::unique_ptr<CTolvaneApp> app = Start(dir);
    QVERIFY(app != nullptr);
    CMainFrame& frame = *app->main_frame();
    TabWorkspace& ws = *frame.view()->workspace();
    const TabArea& area = ws.area();
    const CTabTreeCtrl& tree = *frame.view()->tab_tree();
    QWindow* window = frame.windowHandle();
    QVERIFY(test::WaitFor([&] {
      return area.ActiveHost() != nullptr && area.ActiveHost()->load_state() == LoadState::kLoaded;
    }));
    QLineEdit* keyword = frame.search_bar()->keyword_box()->lineEdit();
    keyword->setText(QStringLiteral("東京"));

    // Tab 一店 has icon choice 5, 空 none: the tree draws each by its choice
    // and the category row the open one as the tree does.
    const auto shows = [](const QIcon& icon, int image) {
      return icon.cacheKey() == TabTreeImage(image).cacheKey();
    };
    QVERIFY(shows(tree.WidgetItem(ws.tree().FindTab(0))->icon(0), TabTree::kTabIconBase + 5));
    QVERIFY(shows(tree.WidgetItem(ws.tree().FindTab(1))->icon(0), TabTree::kTabImage));
    QVERIFY(shows(frame.view()->category_bar()->tab(0).icon, TabTree::kTabIconBase + 5));

    // The user reads the page: a click in it gives it the focus.
    QWidget* pages = frame.view()->page_area();
    QTest::mouseClick(window, Qt::LeftButton, {}, pages->mapTo(&frame, pages->rect().center()));
    QVERIFY(test::WaitFor([] { return FocusedPage() != nullptr; }, 5000));

    // A new page waits for its address: the focus is in the address bar, which is empty.
    QTest::keyClick(window, Qt::Key_T, Qt::ControlModifier);
    QLineEdit* address = frame.address_bar()->box()->lineEdit();
    QVERIFY(test::WaitFor([&] {
      return address->hasFocus() && area.category(0).page_count() == 2 &&
             area.ActiveHost()->load_state() == LoadState::kLoaded;
    }));
    test::Spin(50);
    QVERIFY(address->hasFocus());
    QCOMPARE(address->text(), QString());
    QCOMPARE(ToQString(area.Describe()), QStringLiteral("[一店*: 店 空白*]"));
    QCOMPARE(TreeSelection(ws, tree), QStringLiteral("page 空白"));

    // Closed from inside the page, the next page takes the focus on.
    QTest::mouseClick(window, Qt::LeftButton, {}, pages->mapTo(&frame, pages->rect().center()));
    QVERIFY(test::WaitFor([] { return FocusedPage() != nullptr; }, 5000));
    QTest::keyClick(window, Qt::Key_W, Qt::ControlModifier);
    QVERIFY(test::WaitFor([&] { return area.category(0).page_count() == 1; }));
    QVERIFY(test::WaitFor([&] { return FocusedPage() != nullptr && FocusedPage()->isVisible(); }));
    test::Spin(50);
    QCOMPARE(ToQString(area.Describe()), QStringLiteral("[一店*: 店*]"));
    QCOMPARE(TreeSelection(ws, tree), QStringLiteral("page 店"));
    // The next key goes to the page, not over the keyword.
    QTest::keyClick(window, Qt::Key_X);
    QCOMPARE(keyword->text(), QStringLiteral("東京"));

    // A menu on another group's tab and on the archive folder: the item
    // right-clicked is lit while the menu is open; nothing else changes
    // then or when it is left.
    const QString shown = ToQString(area.Describe());
    // The user opens group 他 (collapsed when 一店 was chosen) by its arrow.
    CTabTreeCtrl& tree_widget = *frame.view()->tab_tree();
    tree_widget.expandItem(tree_widget.WidgetItem(ws.tree().item(ws.tree().FindTab(1)).parent));
    const auto text_of = [&](int item) {
      return item >= 0 ? ToQString(ws.tree().item(item).text) : QStringLiteral("none");
    };
    QString while_open;
    RightClickTreeItem(frame, ws.tree().FindTab(1), [&](QMenu& menu) {
      while_open = menu.actions().value(0)->text() + QLatin1Char(' ') + ToQString(area.Describe()) +
                   QLatin1Char(' ') + text_of(ws.tree().selected()) + QStringLiteral(" lit ") +
                   text_of(CTabTreeCtrl::ItemIndex(tree.currentItem()));
      return 0;
    });
    QCOMPARE(while_open, QStringLiteral("タブで検索(&S) ") + shown + QStringLiteral(" 店 lit 空"));
    QCOMPARE(TreeSelection(ws, tree), QStringLiteral("page 店"));
    const int archive = ws.tree().FindGroup(app->document()->tab_folders().Find(-9999));
    QStringList archive_menu;
    RightClickTreeItem(frame, archive, [&](QMenu& menu) {
      for (QAction* action : menu.actions()) {
        if (!action->isSeparator()) archive_menu << action->text();
      }
      return 0;
    });
    QCOMPARE(archive_menu, QStringList({QStringLiteral("新しいカテゴリタブを開く(&N)"),
                                        QStringLiteral("すべてのタブを削除(&A)")}));
    test::Spin(50);
    QCOMPARE(ToQString(area.Describe()), shown);
    QCOMPARE(TreeSelection(ws, tree), QStringLiteral("page 店"));

    // Chosen, "タブで検索" searches the tab right-clicked.
    RightClickTreeItem(frame, ws.tree().FindTab(1),
                       [](QMenu&) { return command::kSearchInTab.value(); });
    QVERIFY(test::WaitFor([&] { return area.current_category() == 0 && area.RecordAt(0) == 1; }));
    // The tab's blank page loads in the engine first.
    QTRY_COMPARE_WITH_TIMEOUT(ToQString(area.Describe()),
                              QStringLiteral("[空*: 空白*]|[一店: 店*~]"), 5000);
    QCOMPARE(TreeSelection(ws, tree), QStringLiteral("tab 空"));
  }

  // Every tab command reaches the window's router and has a text: the
  // string table's name, or its entry in a tab menu. No handler of the
  // window claims a number another one has.
  void everyTabCommandHasAHandlerAndAText() {
    QTemporaryDir dir;
    WriteData(QStringToPath(dir.path()));
    std::unique_ptr<CTolvaneApp> app = Start(dir);
    QVERIFY(app != nullptr);
    CMainFrame& frame = *app->main_frame();
    QStringList without_text;
    for (const CommandHandler* handler : frame.core().tab_commands()->handlers()) {
      for (const CommandSpan& span : handler->Spans()) {
        for (int id = span.first.value(); id <= span.last.value(); ++id) {
          QVERIFY2(frame.router().Handles(CommandId(id)), qPrintable(QString::number(id)));
          if (CommandTable::ActionName(CommandId(id)).empty() && CommandText(id).isEmpty()) {
            without_text << QString::number(id);
          }
        }
      }
    }
    QCOMPARE(without_text, QStringList());
    QVERIFY(frame.router().refused().empty());
  }

  // A clip file of the current layout that cannot be read is set aside and
  // told once the window shows; no clip list page was written for it, so
  // none is shown.
  void damagedClipFileShowsNoClipListPage() {
    QTemporaryDir dir;
    const std::filesystem::path data = QStringToPath(dir.path());
    test::WriteBytes(data / "vq_clip.clf", "@@ClipPageList@@\r\n0\r\nnot a count\r\n");
    std::unique_ptr<CTolvaneApp> app = Start(dir);
    QVERIFY(app != nullptr);
    QMessageBox* notice = nullptr;
    QVERIFY(test::WaitFor(
        [&] {
          return (notice = app->main_frame()->findChild<QMessageBox*>(QStringLiteral("notice"))) !=
                 nullptr;
        },
        5000));
    QCOMPARE(notice->text(),
             QStringLiteral("vq_clip.clfを読み込めなかったため、読み込めた内容で続けます。\n") +
                 PathToQString(data / "vq_clip.clf") +
                 QStringLiteral(": line 3: the folder count \"not a count\" is not a number\n"
                                "元のファイルは vq_clip.clf.damaged として残してあります。"));
    QVERIFY(app->document()->clip_load_failed());
    QVERIFY(!std::filesystem::exists(data / "クリップ.html"));
    const TabArea& area = app->main_frame()->view()->workspace()->area();
    QCOMPARE(area.category_count(), 1);
    QCOMPARE(area.category(0).page_count(), 1);
    QCOMPARE(area.category(0).page(0).host().request().url, app->start_url());
  }
};

}  // namespace tolvane

TOLVANE_APP_TEST_MAIN(tolvane::TabWindowTest)
#include "tab_window_test.moc"
