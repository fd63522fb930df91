// Closing the main window: the exit dialog, what each answer writes, and
// the close that never asks.
#include <QCheckBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "core/app/tolvane_doc.h"
#include "core/files/settings_store.h"
#include "core/files/string_table.h"
#include "platform/posix_env.h"
#include "platform/system_clock.h"
#include "ui/base/qt_text.h"
#include "ui/frame/exit_dialog.h"
#include "ui/frame/main_frame.h"
#include "ui_test_support.h"

namespace tolvane {
namespace {

// A document on a fresh data directory and its shown main window.
struct OpenFrame {
  QTemporaryDir dir;
  PosixEnv env{PosixEnv::DefaultMutexDirectory()};
  std::filesystem::path data_dir{QStringToPath(dir.path())};
  SettingsStore settings{data_dir / "vq_system.ini", env};
  SystemClock clock;
  CTolvaneDoc doc{data_dir, settings, env, clock};
  std::unique_ptr<CMainFrame> frame;

  OpenFrame() {
    if (!doc.OnNewDocument().ok()) qFatal("document did not open");
    frame = std::make_unique<CMainFrame>(doc);
    frame->show();
  }
  QByteArray ini() const { return test::ReadBytes(settings.path()); }
};

}  // namespace

class ExitDialogTest : public QObject {
  Q_OBJECT

 private slots:
  void init() { test::FailOnQtWarnings(); }

  void textsAreTheProgramsJapanese() {
    CExitDialog dialog(string_id::kExitSave);
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Tolvane！の終了"));
    QCOMPARE(dialog.save_button()->text(), QStringLiteral("保存して終了(&S)"));
    QCOMPARE(dialog.discard_button()->text(), QStringLiteral("保存せずに終了(&Q)"));
    QCOMPARE(dialog.cancel_button()->text(), QStringLiteral("キャンセル(&C)"));
    QCOMPARE(dialog.dont_ask_box()->text(),
             QStringLiteral("次回からこの確認ダイアログを表示しない"));
    QCOMPARE(ToSjis(QStringLiteral("終了")), std::string("\x8F\x49\x97\xB9"));
    QCOMPARE(ToQString("\x8F\x49\x97\xB9"), QStringLiteral("終了"));
  }

  // Enter presses the default button, so the answer shows which one it was.
  void enterPressesTheDefaultFromSavePageTab_data() {
    QTest::addColumn<int>("save_page_tab");  // -1: no such key
    QTest::addColumn<QString>("default_button");
    QTest::addColumn<int>("written");
    QTest::newRow("1") << 1 << QStringLiteral("save") << 1;
    QTest::newRow("0") << 0 << QStringLiteral("discard") << 0;
    QTest::newRow("missing") << -1 << QStringLiteral("save") << 1;
  }
  void enterPressesTheDefaultFromSavePageTab() {
    QFETCH(int, save_page_tab);
    QFETCH(QString, default_button);
    QFETCH(int, written);
    OpenFrame open;
    if (save_page_tab >= 0) open.settings.WriteInt("OptionMain", "SavePageTab", save_page_tab);

    QString seen_default;
    test::WhenModal([&](QWidget* modal) {
      for (auto* button : modal->findChildren<QPushButton*>()) {
        if (button->isDefault()) seen_default += button->objectName();
      }
      QTest::keyClick(modal, Qt::Key_Return);
    });
    QVERIFY(open.frame->close());
    QCOMPARE(seen_default, default_button);
    QCOMPARE(open.settings.GetInt("OptionMain", "SavePageTab", -1), written);
  }

  void choiceWritesSavePageTabAndCloseMode_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<bool>("dont_ask");
    QTest::addColumn<int>("save_page_tab");
    QTest::addColumn<int>("close_mode");
    QTest::newRow("save") << QStringLiteral("save") << false << 1 << 1;
    QTest::newRow("save, don't ask") << QStringLiteral("save") << true << 1 << 0;
    QTest::newRow("discard") << QStringLiteral("discard") << false << 0 << 1;
    QTest::newRow("discard, don't ask") << QStringLiteral("discard") << true << 0 << 0;
  }
  void choiceWritesSavePageTabAndCloseMode() {
    QFETCH(QString, button);
    QFETCH(bool, dont_ask);
    QFETCH(int, save_page_tab);
    QFETCH(int, close_mode);
    OpenFrame open;
    open.settings.WriteInt("OptionMain", "SavePageTab", 1 - save_page_tab);

    test::WhenModal([&](QWidget* modal) {
      if (dont_ask) modal->findChild<QCheckBox*>(QStringLiteral("dontAsk"))->setChecked(true);
      modal->findChild<QPushButton*>(button)->click();
    });
    QVERIFY(open.frame->close());
    QVERIFY(!open.frame->isVisible());
    QCOMPARE(open.settings.GetInt("OptionMain", "SavePageTab", -1), save_page_tab);
    QCOMPARE(open.settings.GetInt("OptionMain", "CloseMode", -1), close_mode);
  }

  void cancelKeepsTheWindowAndWritesNothing_data() {
    QTest::addColumn<QString>("how");
    QTest::newRow("cancel button") << QStringLiteral("cancel");
    QTest::newRow("Esc") << QStringLiteral("esc");
    QTest::newRow("dialog closed") << QStringLiteral("close");
  }
  void cancelKeepsTheWindowAndWritesNothing() {
    QFETCH(QString, how);
    OpenFrame open;
    open.settings.WriteInt("OptionMain", "SavePageTab", 0);
    const QByteArray ini_before = open.ini();

    test::WhenModal([&](QWidget* modal) {
      modal->findChild<QCheckBox*>(QStringLiteral("dontAsk"))->setChecked(true);
      if (how == QStringLiteral("cancel")) {
        modal->findChild<QPushButton*>(QStringLiteral("cancel"))->click();
      } else if (how == QStringLiteral("esc")) {
        QTest::keyClick(modal, Qt::Key_Escape);
      } else {
        modal->close();
      }
    });
    QVERIFY(!open.frame->close());
    QVERIFY(open.frame->isVisible());
    QCOMPARE(open.ini(), ini_before);
    QVERIFY(!std::filesystem::exists(open.data_dir / "vq_favorite.fvf"));

    // The window still closes afterwards.
    test::WhenModal(
        [](QWidget* modal) { modal->findChild<QPushButton*>(QStringLiteral("discard"))->click(); });
    QVERIFY(open.frame->close());
  }

  void closeModeZeroClosesWithoutAsking() {
    OpenFrame open;
    open.settings.WriteInt("OptionMain", "CloseMode", 0);
    open.settings.WriteInt("OptionMain", "SavePageTab", 0);
    bool asked = false;
    test::WhenModal(
        [&](QWidget* modal) {
          asked = true;
          modal->close();
        },
        200, open.frame.get());
    QVERIFY(open.frame->close());
    QTest::qWait(300);
    QVERIFY(!asked);
    QCOMPARE(open.settings.GetInt("OptionMain", "SavePageTab", -1), 0);
    QCOMPARE(open.settings.GetInt("OptionMain", "CloseMode", -1), 0);
    QVERIFY(std::filesystem::exists(open.data_dir / "vq_favorite.fvf"));
  }
};

}  // namespace tolvane

QTEST_MAIN(tolvane::ExitDialogTest)
#include "exit_dialog_test.moc"
