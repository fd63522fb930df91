// The two tab rows: which press emits what, dragging, widths, short
// captions, the loading spinner, the tab menus and the tab dialog.
#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <set>

#include "core/tabs/tab_bar_geometry.h"
#include "ui/tabs/category_tab_ctrl.h"
#include "ui/tabs/page_tab_ctrl.h"
#include "ui/tabs/tab_menus.h"
#include "ui_test_support.h"

namespace tolvane {
namespace {

std::vector<TabLook> Looks(const QStringList& captions) {
  std::vector<TabLook> looks;
  for (const QString& caption : captions) looks.push_back({caption, {}, {}, false, false});
  return looks;
}

// Every signal of a row as one line each, e.g. "close 1".
struct SignalLog {
  QStringList lines;

  explicit SignalLog(TabRow& row) {
    auto add = [this](const char* what, int index) {
      lines << QStringLiteral("%1 %2").arg(QLatin1String(what)).arg(index);
    };
    QObject::connect(&row, &TabRow::tabPressed, [=](int i) { add("press", i); });
    QObject::connect(&row, &TabRow::closeClicked, [=](int i) { add("close", i); });
    QObject::connect(&row, &TabRow::newTabClicked, [=](int i) { add("new", i); });
    QObject::connect(&row, &TabRow::tabDoubleClicked, [=](int i) { add("double", i); });
    QObject::connect(&row, &TabRow::contextMenuRequested, [=](int i, QPoint) { add("menu", i); });
    QObject::connect(&row, &TabRow::tabMoved, [this](int from, int to) {
      lines << QStringLiteral("move %1>%2").arg(from).arg(to);
    });
    if (auto* pages = qobject_cast<CPageTabCtrl*>(&row)) {
      QObject::connect(pages, &CPageTabCtrl::clipMenuRequested,
                       [=](int i, QPoint) { add("clip", i); });
    }
  }
  QString Take() {
    const QString all = lines.join(QStringLiteral("; "));
    lines.clear();
    return all;
  }
};

template <typename Row>
void Show(Row& row, int width) {
  row.resize(width, row.sizeHint().height());
  row.show();
  QVERIFY(QTest::qWaitForWindowExposed(&row));
}

void Click(QWidget& row, QPoint at) { QTest::mouseClick(&row, Qt::LeftButton, Qt::NoModifier, at); }

// Sent directly: the offscreen platform makes neither hover moves nor
// context-menu events out of QTest's clicks.
void Hover(QWidget& row, QPoint at) {
  QMouseEvent move(QEvent::MouseMove, at, row.mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                   Qt::NoModifier);
  QApplication::sendEvent(&row, &move);
}

void RightClick(QWidget& row, QPoint at) {
  QContextMenuEvent menu(QContextMenuEvent::Mouse, at, row.mapToGlobal(at));
  QApplication::sendEvent(&row, &menu);
}

QString Listing(const QMenu& menu) {
  QStringList lines;
  for (const QAction* action : menu.actions()) {
    if (action->isSeparator()) {
      lines << QStringLiteral("--");
    } else if (action->menu() != nullptr) {
      lines << QStringLiteral("> %1%2").arg(
          action->text(), action->isEnabled() ? QString() : QStringLiteral(" (off)"));
    } else {
      lines << QStringLiteral("%1 %2").arg(action->data().toInt()).arg(action->text());
    }
  }
  return lines.join(QLatin1Char('\n'));
}

}  // namespace

class TabBarsTest : public QObject {
  Q_OBJECT

 private slots:
  void init() { test::FailOnQtWarnings(); }

  void categoryRowZones() {
    CCategoryTabCtrl row;
    row.SetTabs(Looks({QStringLiteral("本"), QStringLiteral("家電"), QStringLiteral("音楽")}), 1);
    Show(row, 600);
    SignalLog log(row);

    QVERIFY(row.closeMarkRect(0).isEmpty());
    Click(row, row.tabRect(0).center());
    // Where the selected tab would have its mark, a plain tab is just a tab.
    Click(row, {row.tabRect(2).right() - 10, row.tabRect(2).center().y()});
    Click(row, row.closeMarkRect(1).center());
    Click(row, row.tabRect(1).topLeft() + QPoint(5, 5));
    Click(row, row.newTabButtonRect().center());
    Click(row, {row.width() - 5, 12});
    QCOMPARE(log.Take(), QStringLiteral("press 0; press 2; close 1; new 2"));

    QTest::mouseDClick(&row, Qt::LeftButton, Qt::NoModifier, row.tabRect(1).center());
    RightClick(row, row.tabRect(2).center());
    RightClick(row, {row.width() - 5, 12});
    QCOMPARE(log.Take(), QStringLiteral("double 1; menu 2; menu -1"));

    // Every tab of the group deleted: the row still offers a new tab.
    row.SetTabs({}, -1);
    QVERIFY(!row.newTabButtonRect().isEmpty());
    Click(row, row.newTabButtonRect().center());
    Click(row, {row.width() - 5, 12});
    QCOMPARE(log.Take(), QStringLiteral("new -1"));
  }

  void pageRowZonesAndClipMenu() {
    CPageTabCtrl row;
    auto looks = Looks({QStringLiteral("a"), QStringLiteral("clip"), QStringLiteral("b")});
    looks[1].user_clip = true;
    row.SetTabs(looks, 2);
    Show(row, 800);
    SignalLog log(row);
    const auto mark_of = [&](int i) {
      return QPoint(row.tabRect(i).right() - 12, row.tabRect(i).center().y());
    };

    // The clip's mark shows only under the pointer, but answers regardless.
    QVERIFY(row.closeMarkRect(1).isEmpty());
    Hover(row, row.tabRect(1).center());
    QVERIFY(!row.closeMarkRect(1).isEmpty());
    Click(row, mark_of(0));
    Click(row, mark_of(1));
    Click(row, mark_of(2));
    Click(row, row.newTabButtonRect().center());
    QCOMPARE(log.Take(), QStringLiteral("press 0; clip 1; close 2; new 2"));
    // The new-page button sits right of the last tab at R + 2.
    QCOMPARE(row.newTabButtonRect().left(), row.tabRect(2).right() + 1 + 2);
  }

  void dragReordersOnDrop() {
    CPageTabCtrl row;
    row.SetTabs(
        Looks({QStringLiteral("0"), QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3")}),
        0);
    Show(row, 800);
    SignalLog log(row);
    const int y = row.tabRect(0).center().y();

    QTest::mousePress(&row, Qt::LeftButton, Qt::NoModifier, row.tabRect(0).center());
    QTest::mouseMove(&row, row.tabRect(1).center());
    QTest::mouseMove(&row, {row.tabRect(2).left() + 3, y});
    QTest::mouseRelease(&row, Qt::LeftButton, Qt::NoModifier, {row.tabRect(2).left() + 3, y});
    // (Tab 0 was current: pressing it selected nothing.) Dragged leftwards past the row's start:
    // the first place.
    QTest::mousePress(&row, Qt::LeftButton, Qt::NoModifier, row.tabRect(3).center());
    QTest::mouseMove(&row, {1, y});
    QTest::mouseRelease(&row, Qt::LeftButton, Qt::NoModifier, {1, y});
    // A jitter is a click, and a drag cut short by a gesture moves nothing.
    QTest::mousePress(&row, Qt::LeftButton, Qt::NoModifier, row.tabRect(1).center());
    QTest::mouseMove(&row, row.tabRect(1).center() + QPoint(1, 0));
    QTest::mouseRelease(&row, Qt::LeftButton, Qt::NoModifier,
                        row.tabRect(1).center() + QPoint(1, 0));
    QTest::mousePress(&row, Qt::LeftButton, Qt::NoModifier, row.tabRect(2).center());
    QTest::mouseMove(&row, row.tabRect(0).center());
    row.CancelDrag();
    QTest::mouseRelease(&row, Qt::LeftButton, Qt::NoModifier, row.tabRect(0).center());
    QCOMPARE(log.Take(), QStringLiteral("move 0>2; press 3; move 3>0; press 1; press 2"));
  }

  void pageTabsShareTheRowWithinTheLimits() {
    CPageTabCtrl row;
    Show(row, 1024);
    for (const int pages : {1, 5, 7, 40}) {
      QStringList captions;
      for (int i = 0; i < pages; ++i) captions << QStringLiteral("ページ%1").arg(i);
      row.SetTabs(Looks(captions), pages - 1);
      const int width = TabBarGeometry::PageTabWidth(1024, pages, 50, 250);
      for (int i = 0; i < pages; ++i) QCOMPARE(row.tabRect(i).width(), width);
    }
    // Forty pages at the minimum run past the row: the current one is kept
    // in view left of the overflow buttons.
    QVERIFY(row.tabRect(39).right() < row.scrollButtonRect(-1).left());
    QVERIFY(row.newTabButtonRect().right() < row.width());
    QVERIFY(row.tabRect(0).left() < 0);
    row.SetWidthLimits(300, 200);
    QCOMPARE(row.tabWidth(), 300);
  }

  // Thirty-five pages in a narrow row: the new-page button stays at the
  // right end beside the scroll buttons and the list of every page; the
  // tabs scroll under them and a page chosen from the list is selected.
  void overflowingRowKeepsItsButtonsAndListsEveryTab() {
    CPageTabCtrl row;
    QStringList captions;
    for (int i = 1; i <= 35; ++i) captions << QStringLiteral("e%1 店").arg(i);
    row.SetTabs(Looks(captions), 0);
    Show(row, 500);
    SignalLog log(row);
    const QRect plus = row.newTabButtonRect();
    QCOMPARE(plus.right(), row.width() - 3);
    QVERIFY(row.scrollButtonRect(-1).right() < row.scrollButtonRect(1).left());
    QVERIFY(row.scrollButtonRect(1).right() < row.tabListButtonRect().left());
    QVERIFY(row.tabListButtonRect().right() < plus.left());
    QCOMPARE(row.scrollOffset(), 0);

    // Tabs 50 wide from x = 2: tab 8 (402..452) runs under the strip, which
    // starts at 410, and is hit only where it shows.
    const int seen_right = row.scrollButtonRect(-1).left() - 2;
    QCOMPARE(seen_right, 410);
    Click(row, {seen_right - 1, plus.center().y()});
    Click(row, {seen_right + 1, plus.center().y()});
    Click(row, plus.center());
    Click(row, row.scrollButtonRect(-1).center());  // at the start already
    QCOMPARE(log.Take(), QStringLiteral("press 8; new 34"));
    QCOMPARE(row.scrollOffset(), 0);
    // One step right brings tab 8 whole into view.
    Click(row, row.scrollButtonRect(1).center());
    QCOMPARE(row.scrollOffset(), 42);
    QCOMPARE(row.tabRect(8).right() + 1, seen_right);

    const auto menu = row.CreateTabListMenu();
    QCOMPARE(menu->actions().size(), 35);
    QCOMPARE(menu->actions()[20]->text(), QStringLiteral("e21 店"));
    QVERIFY(menu->actions()[0]->isChecked());
    QVERIFY(!menu->actions()[20]->isChecked());

    // The list from its button: choosing the last page selects it.
    QTimer::singleShot(0, [] {
      auto* popup = qobject_cast<QMenu*>(QApplication::activePopupWidget());
      if (popup == nullptr) return;
      popup->setActiveAction(popup->actions().constLast());
      QTest::keyClick(popup, Qt::Key_Return);
    });
    Click(row, row.tabListButtonRect().center());
    QCOMPARE(log.Take(), QStringLiteral("press 34"));
    row.SetCurrent(34);
    QVERIFY(row.tabRect(34).right() < row.scrollButtonRect(-1).left());
    QVERIFY(row.tabRect(34).left() >= 0);

    // Wide enough again: no strip, the button follows the last tab.
    row.resize(3000, row.height());
    QVERIFY(row.scrollButtonRect(1).isEmpty());
    QCOMPARE(row.scrollOffset(), 0);
    QCOMPARE(row.newTabButtonRect().left(), row.tabRect(34).right() + 1 + 2);
  }

  void categoryWidthsAndShortCaptions() {
    CCategoryTabCtrl row;
    row.SetShowIcons(false);
    auto looks = Looks({QStringLiteral("ファッション・アクセサリー"), QStringLiteral("A"),
                        QStringLiteral("ファッション・アクセサリー")});
    looks[0].short_caption = QStringLiteral("ファ");
    row.SetTabs(looks, 0);
    Show(row, 2000);
    QVERIFY(!row.shortCaptionsInUse());
    QCOMPARE(row.tabRect(1).width(), 30);  // the minimum
    // The same caption selected leaves room for the close mark.
    QVERIFY(row.tabRect(0).width() > row.tabRect(2).width());

    row.resize(row.tabRect(2).right() + 20, row.height());
    QVERIFY(row.shortCaptionsInUse());
    QCOMPARE(row.shownCaption(0), QStringLiteral("ファ"));
    QCOMPARE(row.shownCaption(2), looks[2].caption);  // no short caption: keeps its own
    row.resize(2000, row.height());
    QVERIFY(!row.shortCaptionsInUse());
  }

  void spinnerOnlyWhileLoading() {
    CPageTabCtrl row;
    auto looks = Looks({QStringLiteral("a"), QStringLiteral("b")});
    row.SetTabs(looks, 0);
    Show(row, 600);
    QVERIFY(!row.loadingAnimationRunning());
    looks[1].loading = true;
    row.SetTab(1, looks[1]);
    QVERIFY(row.loadingAnimationRunning());
    QVERIFY(row.loadingIndicatorRect(0).isEmpty());
    QVERIFY(row.tabRect(1).contains(row.loadingIndicatorRect(1)));
    looks[1].loading = false;
    row.SetTab(1, looks[1]);
    QVERIFY(!row.loadingAnimationRunning());
    QVERIFY(row.loadingIndicatorRect(1).isEmpty());
  }

  void menus() {
    const auto category = CreateCategoryTabMenu();
    QCOMPARE(Listing(*category),
             QStringLiteral("32972 タブで検索(&S)\n"
                            "--\n"
                            "32880 新しいカテゴリタブを開く(&N)\n"
                            "32881 タブを複製して新しいカテゴリタブを開く(&D)\n"
                            "> 検索エンジンを指定して新しいタブを開く(&E) (off)\n"
                            "--\n"
                            "> カテゴリタブの切り替え(&T) (off)\n"
                            "32981 タブの設定(&I)\n"
                            "--\n"
                            "32884 カテゴリタブを閉じる(&C)\n"
                            "32973 右側のカテゴリタブをすべて閉じる(&R)\n"
                            "32974 左側のカテゴリタブをすべて閉じる(&L)\n"
                            "32975 このタブ以外のカテゴリタブをすべて閉じる(&O)\n"
                            "32885 すべてのカテゴリタブを閉じる(&A)"));
    QVERIFY(EngineSubmenu(*category) != nullptr);
    QVERIFY(TabSwitchSubmenu(*category) != nullptr);
    QVERIFY(EngineSubmenu(*category) != TabSwitchSubmenu(*category));

    const auto page = CreatePageTabMenu();
    QCOMPARE(Listing(*page), QStringLiteral("32886 新しいページタブを開く(&N)\n"
                                            "32887 タブを複製して新しいページタブを開く(&D)\n"
                                            "--\n"
                                            "32888 このページタブを再読み込み(&R)\n"
                                            "32882 すべてのページタブの再読み込み(&A)\n"
                                            "--\n"
                                            "32890 クリップを実行・解除(&P)\n"
                                            "32979 すべてのタブをクリップ(&K)\n"
                                            "32980 すべてのタブのクリップを解除(&U)\n"
                                            "32883 すべてのタブをお気に入りに追加(&F)\n"
                                            "--\n"
                                            "32891 ページタブを閉じる(&C)\n"
                                            "32892 右側のページタブをすべて閉じる(&G)\n"
                                            "32895 左側のページタブをすべて閉じる(&H)\n"
                                            "32893 このタブ以外のページタブをすべて閉じる(&O)\n"
                                            "32894 すべてのページタブを閉じる(&W)"));
    QCOMPARE(Listing(*CreateClipMenu()), QStringLiteral("32890 このタブのクリップを解除\n"
                                                        "32980 すべてのタブをクリップ解除(&D)\n"
                                                        "32979 すべてのタブをクリップ(&K)"));
    QCOMPARE(CommandText(32890), QStringLiteral("クリップを実行・解除(&P)"));
    QCOMPARE(CommandText(1), QString());

    // An accelerator letter twice in one menu would make one entry unreachable.
    for (const QMenu* menu : {category.get(), page.get()}) {
      std::set<QChar> letters;
      for (const QAction* action : menu->actions()) {
        const qsizetype amp = action->text().indexOf(QLatin1Char('&'));
        if (amp >= 0)
          QVERIFY2(letters.insert(action->text().at(amp + 1)).second, qPrintable(action->text()));
      }
    }
  }
};

}  // namespace tolvane

QTEST_MAIN(tolvane::TabBarsTest)
#include "tab_bars_test.moc"
