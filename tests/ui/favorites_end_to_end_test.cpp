// Adding the shown page to the favorites in the program as main starts it:
// Ctrl+D over a shop page on 127.0.0.1, the item properties dialog filled
// and accepted, then the store, the recent tags, the status icon and the
// page's own menu.
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QWebEngineView>
#include <QWindow>
#include <memory>

#include "core/files/setting_keys.h"
#include "core/stores/item_store.h"
#include "core/tabs/tab_workspace.h"
#include "local_http_server.h"
#include "ui/app/tolvane_app.h"
#include "ui/base/qt_text.h"
#include "ui/frame/main_frame.h"
#include "ui/tabs/tolvane_view.h"
#include "ui_test_support.h"

namespace tolvane {
namespace {

TabWorkspace& Workspace(const CTolvaneApp& app) { return *app.main_frame()->view()->workspace(); }

// The shown page's title once it has loaded, else "".
QString ShownTitle(const CTolvaneApp& app) {
  const PageHost* host = Workspace(app).area().ActiveHost();
  if (host == nullptr || host->load_state() != LoadState::kLoaded) return {};
  return ToQString(host->title());
}

// Every favorite as "title url importance [tags]", one a line.
QString Favorites(TabWorkspace& ws) {
  const ItemList& items = ws.favorites().items();
  QString out;
  for (std::size_t i = 0; i < items.size(); ++i) {
    out += ToQString(items.title(i)) + QLatin1Char(' ') + ToQString(items.url(i)) +
           QLatin1Char(' ') + QString::number(items.importance(i)) + QStringLiteral(" [") +
           ToQString(items.tags(i)) + QStringLiteral("]\n");
  }
  return out;
}

}  // namespace

class FavoritesEndToEndTest : public QObject {
  Q_OBJECT

 private:
  test::LocalHttpServer server_;

 private slots:
  void initTestCase() {
    QVERIFY(server_.ok());
    test::OpenSharedProfile();
    // Served as Shift_JIS, as the shops are.
    server_.page("/a", QByteArray::fromStdString(
                           ToSjis(QStringLiteral("<html><head><link rel=\"icon\" href=\"data:,\">"
                                                 "<title>靴の店</title></head><body><p>shoes</p>"
                                                 "</body></html>"))));
  }

  void init() { test::FailOnQtWarnings(); }

  void ctrlDAddsTheShownPageThroughItsPropertiesDialog() {
    QTemporaryDir dir;
    const std::filesystem::path data = QStringToPath(dir.path());
    const QString base = QString::fromLatin1(server_.base());
    test::WriteStore(data / "vq_search.eng",
                     QStringLiteral("@@SearchEngineList@@\n0\t100\t\t2024/01/01\n1\n"
                                    "500\tテスト\t0\n1\n501\t500\t店\t店\tS\t%1/a\t\t%1/a?q=$0"
                                    "\t\t\t\t3\n")
                         .arg(base));
    test::WriteOneShopTab(data, 3, 0, QStringLiteral("[Tag]\nTags=古い\n"));
    auto app = std::make_unique<CTolvaneApp>();
    QCOMPARE(app->InitInstance(test::AppArguments(dir.path())), CTolvaneApp::kExitOk);
    CMainFrame* frame = app->main_frame();
    test::WaitFor([&] { return ShownTitle(*app) == QStringLiteral("靴の店"); });
    QCOMPARE(ShownTitle(*app), QStringLiteral("靴の店"));
    auto* status_icon = frame->findChild<QLabel*>(QStringLiteral("statusIcon"));
    QVERIFY(status_icon->isHidden());

    // The dialog shows the page; importance 3, a typed tag and a recent one.
    QString shown;
    test::WhenModal([&](QWidget* modal) {
      auto* dialog = qobject_cast<QDialog*>(modal);
      if (dialog == nullptr) return;
      shown = dialog->windowTitle() + QLatin1Char(' ') +
              dialog->findChild<QLineEdit*>(QStringLiteral("title"))->text() + QLatin1Char(' ') +
              dialog->findChild<QLineEdit*>(QStringLiteral("count"))->text();
      dialog->findChild<QComboBox*>(QStringLiteral("importance"))->setCurrentIndex(3);
      dialog->findChild<QLineEdit*>(QStringLiteral("tags"))->setText(QStringLiteral("靴"));
      auto* tag_menu = dialog->findChild<QMenu*>(QStringLiteral("tagMenu"));
      emit tag_menu->aboutToShow();
      tag_menu->actions().value(0)->trigger();
      dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
    });
    QWebEngineView* view = test::InputReadyView(*app);
    QVERIFY(view != nullptr);
    // Keys go where the user's would: to the page that has the focus.
    view->window()->activateWindow();
    view->setFocus();
    QVERIFY(test::WaitFor([&] { return QApplication::focusWidget() == view->focusProxy(); }));
    QTest::keyClick(view->focusProxy(), Qt::Key_D, Qt::ControlModifier);
    QVERIFY(test::WaitFor([&] { return !shown.isEmpty(); }));

    TabWorkspace& ws = Workspace(*app);
    QCOMPARE(shown, QStringLiteral("お気に入り 靴の店 0"));
    QCOMPARE(Favorites(ws), QStringLiteral("靴の店 %1/a 3 [靴 古い]\n").arg(base));
    QCOMPARE(ToQString(Read(ws.settings(), settings::kTagTags)), QStringLiteral("古い 靴"));
    QVERIFY(status_icon->isVisible());
    QCOMPARE(status_icon->toolTip(), QStringLiteral("重要度3"));

    // The page's own menu offers the same command, enabled.
    view = test::InputReadyView(*app);
    QVERIFY(view != nullptr);
    QWindow* window = frame->windowHandle();
    const QPoint middle = view->mapTo(frame, view->rect().center());
    QTest::mousePress(window, Qt::RightButton, {}, middle);
    QTest::mouseRelease(window, Qt::RightButton, {}, middle);
    QVERIFY(test::WaitFor([] { return qobject_cast<QMenu*>(QApplication::activePopupWidget()); }));
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    QAction* add = nullptr;
    for (QAction* action : menu->actions()) {
      if (action->text().startsWith(QStringLiteral("このページをお気に入りに追加"))) add = action;
    }
    QVERIFY(add != nullptr);
    QVERIFY(add->isEnabled());
    menu->close();
    QVERIFY(frame->close());
  }
};

}  // namespace tolvane

TOLVANE_APP_TEST_MAIN(tolvane::FavoritesEndToEndTest)
#include "favorites_end_to_end_test.moc"
