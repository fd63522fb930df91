// The engine-free parts of the page view: address conversion, the input
// tracker and the Qt timers.
#include <QMouseEvent>
#include <QTest>
#include <QWidget>
#include <memory>

#include "ui/base/qt_timer.h"
#include "ui/browser/engine_url.h"
#include "ui/browser/page_input_tracker.h"
#include "ui/browser/paint_hold.h"
#include "ui_test_support.h"

namespace tolvane {

class BrowserPartsTest : public QObject {
  Q_OBJECT

 private slots:
  void init() { test::FailOnQtWarnings(); }

  void addressesKeepTheirBytes_data() {
    QTest::addColumn<QByteArray>("address");
    QTest::addColumn<QByteArray>("url");  // empty: refused
    QTest::newRow("escapes kept") << QByteArray("http://h/s?q=%93%8C%8B%9E")
                                  << QByteArray("http://h/s?q=%93%8C%8B%9E");
    QTest::newRow("lower-case escapes")
        << QByteArray("http://h/s?q=%c5%ec") << QByteArray("http://h/s?q=%C5%EC");
    QTest::newRow("raw bytes, lone percent")
        << QByteArray("http://h/s?q=\x93\x8C&r=50%") << QByteArray("http://h/s?q=%93%8C&r=50%25");
    QTest::newRow("percent before one hex digit")
        << QByteArray("http://h/?a=%9&b=%%5C") << QByteArray("http://h/?a=%259&b=%25%5C");
    // Qt writes escapes of letters, digits and "-._~" as the characters:
    // the same URL, and the same bytes once the server decodes it.
    QTest::newRow("unreserved escapes")
        << QByteArray("http://h/?q=%83%5F%83%41%7E") << QByteArray("http://h/?q=%83_%83A~");
    QTest::newRow("blanks and quotes")
        << QByteArray("  http://h/a b\"<>|  \r\n") << QByteArray("http://h/a%20b%22%3C%3E%7C");
    QTest::newRow("no scheme") << QByteArray("www.example.jp/a")
                               << QByteArray("http://www.example.jp/a");
    QTest::newRow("local file") << QByteArray("/home/u/a.html")
                                << QByteArray("file:///home/u/a.html");
    QTest::newRow("ipv6 host, brackets in query")
        << QByteArray("http://[::1]:8080/x?a=[1]") << QByteArray("http://[::1]:8080/x?a=%5B1%5D");
    QTest::newRow("second hash") << QByteArray("http://h/p#a#b") << QByteArray("http://h/p#a%23b");
    QTest::newRow("mailto") << QByteArray("mailto:shop@example.com")
                            << QByteArray("mailto:shop@example.com");
    QTest::newRow("about:blank") << QByteArray("about:blank") << QByteArray("about:blank");
    QTest::newRow("empty") << QByteArray("  ") << QByteArray();
    QTest::newRow("drive path") << QByteArray("c:\\shop\\a.html") << QByteArray();
  }

  void addressesKeepTheirBytes() {
    QFETCH(QByteArray, address);
    QFETCH(QByteArray, url);
    const QUrl engine = ToEngineUrl(address.toStdString());
    QCOMPARE(engine.isValid(), !url.isEmpty());
    QCOMPARE(QByteArray::fromStdString(FromEngineUrl(engine)), url);
  }

  void trackerTellsHeldModifiersAndRecentClicks() {
    qint64 now = 0;
    QWidget view;
    PageInputTracker tracker(nullptr, [&now] { return now; });
    tracker.Watch(&view);
    int actions = 0;
    tracker.SetUserActionHandler([&actions] { ++actions; });
    // The engine's render widget comes later than the view.
    auto* render = new QWidget(&view);

    QTest::keyPress(render, Qt::Key_Control);
    QVERIFY(tracker.NewTabModifierHeld());
    QTest::keyRelease(render, Qt::Key_Control);
    QVERIFY(!tracker.NewTabModifierHeld());

    QTest::mouseClick(render, Qt::LeftButton, Qt::ShiftModifier, QPoint(5, 5));
    QCOMPARE(actions, 2);  // press and release
    QVERIFY(tracker.NewTabModifierHeld());
    now += PageInputTracker::kHeldMs + 1;
    QVERIFY(!tracker.NewTabModifierHeld());
    QVERIFY(!tracker.TakeRecentClick());

    QTest::mouseClick(render, Qt::MiddleButton, Qt::NoModifier, QPoint(5, 5));
    QCOMPARE(actions, 2);
    QVERIFY(tracker.NewTabModifierHeld());
    QVERIFY(!tracker.TakeRecentClick());

    QTest::mouseClick(render, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    QVERIFY(!tracker.NewTabModifierHeld());
    QVERIFY(tracker.TakeRecentClick());
    QVERIFY(!tracker.TakeRecentClick());  // one click, one taker

    // Space or Enter on a focused link acts as a click; other keys do not.
    QTest::keyClick(render, Qt::Key_A);
    QCOMPARE(actions, 4);
    QVERIFY(!tracker.TakeRecentClick());
    QTest::keyClick(render, Qt::Key_Return);
    QTest::keyClick(render, Qt::Key_Space);
    QCOMPARE(actions, 8);  // key down and key up of each
    QVERIFY(tracker.TakeRecentClick());
  }

  void paintHoldEndsOnReleaseOrAfterItsLimit() {
    QWidget window;
    {
      PaintHold unseen(&window);  // a window not on screen paints nothing anyway
      QVERIFY(!unseen.holding());
    }
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    {
      PaintHold hold(&window);
      QVERIFY(hold.holding() && !window.updatesEnabled());
      PaintHold nested(&window);  // the first hold keeps the window
      QVERIFY(!nested.holding());
      hold.Release();
      QVERIFY(window.updatesEnabled());
    }
    PaintHold forgotten(&window);
    QVERIFY(!window.updatesEnabled());
    QVERIFY(test::WaitFor([&] { return window.updatesEnabled(); }, PaintHold::kMaxMs * 5));
    QVERIFY(!forgotten.holding());
  }

  // Work kept for a window (the rest of a search) runs once every hold of
  // that window has ended, painting or not; never inside the call, and not
  // at all when its context went first.
  void workWaitsForEveryHoldOfItsWindow() {
    QWidget window;
    QWidget other;
    QObject context;
    QStringList log;
    PaintHold::RunAfter(&window, &context, [&] { log << QStringLiteral("free"); });
    QVERIFY(log.isEmpty());
    QTRY_COMPARE(log, QStringList{QStringLiteral("free")});

    log.clear();
    auto first = std::make_unique<PaintHold>(&window);  // not on screen: waits all the same
    auto second = std::make_unique<PaintHold>(&window);
    PaintHold elsewhere(&other);
    PaintHold::RunAfter(&window, &context, [&] { log << QStringLiteral("after"); });
    auto gone = std::make_unique<QObject>();
    PaintHold::RunAfter(&window, gone.get(), [&] { log << QStringLiteral("dropped"); });
    gone.reset();
    first.reset();
    QTest::qWait(20);
    QVERIFY(log.isEmpty());
    second->Release();
    QTRY_COMPARE(log, QStringList{QStringLiteral("after")});
    QTest::qWait(20);
    QCOMPARE(log, QStringList{QStringLiteral("after")});
  }

  void timersMayRestartThemselvesAndPostWork() {
    QtTimer timer;
    QStringList log;
    timer.Start(0, false, [&] {
      log << QStringLiteral("first");
      QVERIFY(!timer.active());
      // Replacing the running callback must not cut it short.
      timer.Start(5, true, [&] {
        log << QStringLiteral("tick");
        if (log.size() == 3) timer.Stop();
      });
      log << QStringLiteral("first end");
    });
    QVERIFY(log.isEmpty());  // never inside Start()
    QTRY_COMPARE(log, (QStringList{QStringLiteral("first"), QStringLiteral("first end"),
                                   QStringLiteral("tick")}));
    QVERIFY(!timer.active());
  }
};

}  // namespace tolvane

QTEST_MAIN(tolvane::BrowserPartsTest)
#include "browser_parts_test.moc"
