// The main window's bands and address bar, on the whole program started the
// way main() starts it.
#include <QAbstractItemView>
#include <QComboBox>
#include <QCompleter>
#include <QContextMenuEvent>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>
#include <QToolButton>
#include <QUrlQuery>

#include "core/browser/page_host.h"
#include "core/commands/command_id.h"
#include "core/files/settings_store.h"
#include "core/frame/band_layout.h"
#include "core/tabs/tab_workspace.h"
#include "local_http_server.h"
#include "ui/app/tolvane_app.h"
#include "ui/base/message_box_prompter.h"
#include "ui/base/qt_text.h"
#include "ui/frame/address_bar.h"
#include "ui/frame/command_actions.h"
#include "ui/frame/main_frame.h"
#include "ui/frame/standard_bar.h"
#include "ui/search/search_bar.h"
#include "ui/tabs/tolvane_view.h"
#include "ui_test_support.h"

namespace tolvane {
namespace {

std::unique_ptr<CTolvaneApp> Start(const QTemporaryDir& dir) {
  auto app = std::make_unique<CTolvaneApp>();
  if (app->InitInstance(test::AppArguments(dir.path())) != CTolvaneApp::kExitOk) return nullptr;
  CMainFrame* frame = app->main_frame();
  if (frame == nullptr || frame->view()->workspace() == nullptr) return nullptr;
  if (!QTest::qWaitForWindowExposed(frame)) return nullptr;
  return app;
}

const PageHost* ShownPage(const CTolvaneApp& app) {
  return std::as_const(app.main_frame()->view()->workspace()->area()).ActiveHost();
}

// Which bands show, in order: "59394 59392 /59395- 59396" ("/" a new row,
// "-" hidden), and the status bar.
QString Bands(const CMainFrame& frame) {
  const BandLayout layout = frame.CurrentBandLayout();
  QString text;
  for (const Band& band : layout.bands()) {
    if (frame.Band(band.id) == nullptr) continue;
    text += (band.starts_row() ? QStringLiteral("/") : QString()) + QString::number(band.id) +
            (band.hidden() ? QStringLiteral("- ") : QStringLiteral(" "));
  }
  return text +
         (layout.status_bar_shown() ? QStringLiteral("| status") : QStringLiteral("| no status"));
}

}  // namespace

class FrameTest : public QObject {
  Q_OBJECT

 private:
  test::LocalHttpServer server_;

  // One shop (Shift_JIS GET on the local server) in tab 一店, opened at
  // start without a start page; the program closes without asking.
  void WriteShop(const std::filesystem::path& dir) const {
    test::WriteStore(
        dir / "vq_search.eng",
        QStringLiteral("@@SearchEngineList@@\n0\t100\t\t2024/01/01\n1\n500\tテスト\t0\n1\n"
                       "501\t500\tSJIS店\tSJIS店\tS\t%1/shop/\t\t%1/shop/search?q=$0"
                       "\t\t\t\t1\n")
            .arg(QString::fromLatin1(server_.base())));
    test::WriteOneShopTab(dir, 1, 1);
  }

 private slots:
  void initTestCase() {
    QVERIFY(server_.ok());
    test::OpenSharedProfile();
    server_.page("/shop/", "<html><head><link rel=\"icon\" href=\"data:,\"><title>top</title>");
    server_.page("/shop/search", "<html><head><link rel=\"icon\" href=\"data:,\"><title>found");
    server_.page("/typed", "<html><head><link rel=\"icon\" href=\"data:,\"><title>typed</title>");
  }

  void init() { test::FailOnQtWarnings(); }

  void addressBarOpensAnAddressAndSearchesAKeyword() {
    QTemporaryDir dir;
    const std::filesystem::path data = QStringToPath(dir.path());
    WriteShop(data);
    std::unique_ptr<CTolvaneApp> app = Start(dir);
    QVERIFY(app != nullptr);
    CMainFrame& frame = *app->main_frame();
    QLineEdit* edit = frame.address_bar()->box()->lineEdit();
    QVERIFY(test::WaitFor([&] { return edit->text().endsWith(QStringLiteral("/shop/")); }));

    // An address without its scheme opens in the shown page.
    frame.router().Run(command::kAddressBar);
    QVERIFY(edit->hasFocus());
    QCOMPARE(edit->selectedText(), edit->text());
    const QString typed = QString::fromLatin1(server_.base()).mid(7) + QStringLiteral("/typed");
    QTest::keyClicks(edit, typed);
    test::PressEnter();
    QVERIFY(test::WaitFor([&] { return server_.countTo("/typed") == 1; }));
    QVERIFY(test::WaitFor(
        [&] { return ShownPage(*app)->url() == server_.base().toStdString() + "/typed"; }));
    QCOMPARE(edit->text(), QString::fromLatin1(server_.base()) + QStringLiteral("/typed"));
    QCOMPARE(edit->cursorPosition(), 0);
    QVERIFY(!edit->hasFocus());

    // Esc puts the page's address back over what was typed at its end.
    edit->setFocus();
    QTest::keyClick(edit, Qt::Key_End);
    QTest::keyClicks(edit, QStringLiteral("xyz"));
    // What a search's "$s" reads.
    QCOMPARE(QString::fromStdString(frame.ReadInputState().address_bar_text),
             QString::fromLatin1(server_.base()) + QStringLiteral("/typedxyz"));
    QTest::keyClick(edit, Qt::Key_Escape);
    QCOMPARE(edit->text(), QString::fromLatin1(server_.base()) + QStringLiteral("/typed"));

    // A word without a dot searches the shown tab's shop, as typed with an
    // input method; the search bar shows the keyword.
    edit->setFocus();
    edit->clear();
    QInputMethodEvent commit;
    commit.setCommitString(QStringLiteral("東京"));
    QApplication::sendEvent(edit, &commit);
    test::PressEnter();
    QVERIFY(test::WaitFor([&] { return server_.countTo("/shop/search") == 1; }));
    QCOMPARE(server_.requestsTo("/shop/search").first().target,
             QByteArray("/shop/search?q=%93%8C%8B%9E"));
    QCOMPARE(frame.search_bar()->keyword_box()->currentText(), QStringLiteral("東京"));
    QCOMPARE(QString::fromStdString(frame.address_list().Describe()),
             QStringLiteral("%1 | %2").arg(QString::fromStdString(ToSjis(QStringLiteral("東京"))),
                                           typed));

    // The list is kept at close and read at the next start.
    QVERIFY(frame.close());
    app.reset();
    app = Start(dir);
    QVERIFY(app != nullptr);
    QCOMPARE(app->main_frame()->address_list().entries().size(), 2u);
    QComboBox* box = app->main_frame()->address_bar()->box();
    QCOMPARE(box->itemText(1), typed);
    // F4's list opens with no entry chosen.
    box->showPopup();
    QVERIFY(box->view()->isVisible());
    QVERIFY(!box->view()->currentIndex().isValid());
    box->hidePopup();

    // Typing lists the history's addresses that begin with the text; Down
    // takes the first into the box and Enter opens it, not what was typed.
    const QString visited = QString::fromLatin1(server_.base()) + QStringLiteral("/typed");
    MessageBoxPrompter prompter(app->main_frame());
    app->document()->history().AddOrCount({"typed", visited.toStdString(), -1, {}, true}, prompter);
    QLineEdit* field = app->main_frame()->address_bar()->box()->lineEdit();
    field->setFocus();
    field->clear();
    QTest::keyClicks(box, QString::fromLatin1(server_.base()) + QStringLiteral("/ty"));
    QAbstractItemView* matches =
        app->main_frame()->address_bar()->findChild<QCompleter*>()->popup();
    QVERIFY(matches->isVisible());
    QVERIFY(!matches->currentIndex().isValid());
    QVERIFY(!matches->model()->index(0, 0).data(Qt::DecorationRole).isNull());
    QTest::keyClick(matches, Qt::Key_Down);
    QCOMPARE(field->text(), visited);
    QTest::keyClick(matches, Qt::Key_Return);
    QVERIFY(test::WaitFor([&] { return server_.countTo("/typed") == 2; }));
    QVERIFY(test::WaitFor([&] { return ShownPage(*app)->url() == visited.toStdString(); }));
  }

  void bandLayoutAndStatusBarSurviveARestart() {
    QTemporaryDir dir;
    WriteShop(QStringToPath(dir.path()));
    std::unique_ptr<CTolvaneApp> app = Start(dir);
    QVERIFY(app != nullptr);
    CMainFrame* frame = app->main_frame();
    QCOMPARE(Bands(*frame), QStringLiteral("59394 /59392 59396 /59395 | status"));

    // A right click on the menu bar's empty part offers the bands' menu.
    auto* menu_bar = frame->findChild<QMenuBar*>(QStringLiteral("menuBar"));
    const QPoint spot(menu_bar->width() - 5, menu_bar->height() / 2);
    QContextMenuEvent right_click(QContextMenuEvent::Mouse, spot, menu_bar->mapToGlobal(spot));
    QApplication::sendEvent(menu_bar, &right_click);
    auto* bands_menu = frame->findChild<QMenu*>(QStringLiteral("bandsMenu"));
    QVERIFY(bands_menu != nullptr && bands_menu->isVisible());
    bands_menu->close();

    // The search bar dragged to the front of the first row, the address bar
    // and the status bar hidden through their commands.
    frame->insertToolBar(frame->Band(frame_bar::kMenuBar), frame->Band(frame_bar::kSearchBar));
    frame->router().Run(command::kAddressBarToggle);
    frame->router().Run(command::kStatusBar);
    test::WaitFor(
        [&] { return Bands(*frame) == QStringLiteral("59396 59394 /59392 /59395- | no status"); },
        3000);
    QCOMPARE(Bands(*frame), QStringLiteral("59396 59394 /59392 /59395- | no status"));
    QVERIFY(!frame->router().State(command::kAddressBarToggle).checked);
    const std::string before = frame->CurrentBandLayout().Describe();

    QVERIFY(frame->close());
    QCOMPARE(BandLayout::Read(*app->settings()).Describe(), before);
    // The search bar narrowed by hand before the close: the row keeps it so.
    const int narrowed = frame->Band(frame_bar::kSearchBar)->width() - 60;
    QVERIFY(app->settings()->WriteInt("ToolBarInfo0", "cx", narrowed));
    app.reset();

    app = Start(dir);
    QVERIFY(app != nullptr);
    frame = app->main_frame();
    QCOMPARE(Bands(*frame), QStringLiteral("59396 59394 /59392 /59395- | no status"));
    QCOMPARE(frame->Band(frame_bar::kSearchBar)->width(), narrowed);
    QVERIFY(frame->Band(frame_bar::kAddressBar)->isHidden());
  }

  void standardButtonsFollowTheOptionsAndBackListsThePageHistory() {
    QTemporaryDir dir;
    const std::filesystem::path data = QStringToPath(dir.path());
    WriteShop(data);
    test::WriteOneShopTab(
        data, 1, 1,
        QStringLiteral("[OptionToolBar]\nIcons=0,1,99,-1,10,13\nShowText=0\nIconSize=1\n"));
    std::unique_ptr<CTolvaneApp> app = Start(dir);
    QVERIFY(app != nullptr);
    CMainFrame& frame = *app->main_frame();

    // Names under every button, 24-pixel icons; an index past the buttons
    // is left out.
    QStringList buttons;
    for (QAction* action : frame.standard_bar()->actions()) {
      auto* button = qobject_cast<QToolButton*>(frame.standard_bar()->widgetForAction(action));
      if (action->isSeparator()) {
        buttons << QStringLiteral("|");
      } else if (button != nullptr) {
        buttons << button->text() + (button->menu() != nullptr ? QStringLiteral("v") : QString()) +
                       (button->toolButtonStyle() == Qt::ToolButtonTextUnderIcon
                            ? QStringLiteral("_")
                            : QStringLiteral("?"));
        QCOMPARE(button->iconSize(), QSize(24, 24));
      }
    }
    QCOMPARE(buttons.join(QLatin1Char(' ')), QStringLiteral("戻るv_ 進むv_ | 追加v_ タブ_"));

    // Two pages later, the back list holds both earlier pages, nearest
    // first, and its second entry goes back two pages.
    QLineEdit* edit = frame.address_bar()->box()->lineEdit();
    QVERIFY(test::WaitFor([&] { return ShownPage(*app)->load_state() == LoadState::kLoaded; }));
    for (const char* path : {"/typed", "/shop/search"}) {
      edit->setFocus();
      edit->setText(QString::fromLatin1(server_.base() + path));
      test::PressEnter();
      QVERIFY(test::WaitFor([&] {
        return ShownPage(*app)->url() == server_.base().toStdString() + path &&
               ShownPage(*app)->load_state() == LoadState::kLoaded;
      }));
    }
    QMenu* back = frame.standard_bar()->Button(command::kBack)->menu();
    emit back->aboutToShow();
    QStringList entries;
    for (QAction* action : back->actions()) entries << action->text();
    QCOMPARE(entries, QStringList({QStringLiteral("typed"), QStringLiteral("top")}));
    back->actions().at(1)->trigger();
    QVERIFY(test::WaitFor(
        [&] { return ShownPage(*app)->url() == server_.base().toStdString() + "/shop/"; }));
    QMenu* forward = frame.standard_bar()->Button(command::kForward)->menu();
    emit forward->aboutToShow();
    QCOMPARE(forward->actions().size(), 2);
  }

  void fullScreenAndMaximiseKeepTheNormalWindow() {
    QTemporaryDir dir;
    WriteShop(QStringToPath(dir.path()));
    std::unique_ptr<CTolvaneApp> app = Start(dir);
    QVERIFY(app != nullptr);
    CMainFrame* frame = app->main_frame();
    frame->resize(860, 500);
    QVERIFY(test::WaitFor([&] { return frame->size() == QSize(860, 500); }, 3000));

    // Maximised and back, then full screen: the view alone, the bands and
    // the window back as they were after it.
    frame->showMaximized();
    QVERIFY(test::WaitFor([&] { return frame->size() != QSize(860, 500); }, 3000));
    frame->showNormal();
    QVERIFY(test::WaitFor([&] { return frame->size() == QSize(860, 500); }, 3000));
    // Its menu entry names the key of the command table, once.
    QCOMPARE(frame->actions().Action(command::kFullScreen)->text(),
             QStringLiteral("全画面表示(&U)\tF11"));
    frame->router().Run(command::kFullScreen);
    QVERIFY(frame->isFullScreen());
    QVERIFY(frame->router().State(command::kFullScreen).checked);
    QCOMPARE(Bands(*frame), QStringLiteral("59394- /59392- 59396- /59395- | no status"));
    frame->router().Run(command::kFullScreen);
    QVERIFY(test::WaitFor([&] { return frame->size() == QSize(860, 500); }, 3000));
    QCOMPARE(Bands(*frame), QStringLiteral("59394 /59392 59396 /59395 | status"));

    // Closed in full screen entered from maximised: the normal size and the
    // bands as they were before full screen are kept for the next start.
    frame->showMaximized();
    QVERIFY(test::WaitFor([&] { return frame->size() != QSize(860, 500); }, 3000));
    frame->router().Run(command::kFullScreen);
    QVERIFY(frame->isFullScreen());
    QVERIFY(frame->close());
    QCOMPARE(app->settings()->GetInt("MainWindow", "cx", 0), 860);
    QCOMPARE(app->settings()->GetInt("MainWindow", "cy", 0), 500);
    const BandLayout saved = BandLayout::Read(*app->settings());
    QVERIFY(saved.status_bar_shown());
    for (const Band& band : saved.bands()) {
      if (frame->Band(band.id) != nullptr)
        QVERIFY2(!band.hidden(), qPrintable(QString::number(band.id)));
    }
  }
};

}  // namespace tolvane

TOLVANE_APP_TEST_MAIN(tolvane::FrameTest)
#include "frame_test.moc"
