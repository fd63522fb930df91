// The engine properties dialog over its model: what a downloaded engine
// lets the user change, the gesture buttons, a refused save that keeps the
// dialog open, and a tab row's values with an encoding outside the choices.
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

#include "core/commands/command_dispatcher.h"
#include "core/commands/command_table.h"
#include "core/search/engine_dialog.h"
#include "core/search/store_shortcut_owners.h"
#include "core/stores/category_folder_tree.h"
#include "ui/base/qt_text.h"
#include "ui/search/engine_property_dialog.h"
#include "ui_test_support.h"

namespace tolvane {

class EnginePropertyDialogTest : public QObject {
  Q_OBJECT

 private:
  CategoryFolderTree engine_folders_{StoreType::kEngineList};
  CategoryFolderTree tab_folders_{StoreType::kTabs};
  EngineList engines_{StoreType::kEngineList};
  EngineList tabs_{StoreType::kTabs};
  CommandTable table_;
  StoreShortcutOwners owners_{engine_folders_, engines_, tab_folders_, tabs_};
  CommandDispatcher dispatcher_{table_, owners_};

  template <typename W>
  static W* Child(QWidget& dialog, const char* name) {
    return dialog.findChild<W*>(QString::fromLatin1(name));
  }

  // Every field as "label=value", "*" after a read-only one.
  static QString Fields(QWidget& dialog) {
    QStringList out;
    for (const char* name : {"id", "name", "tabName", "url", "searchUrl", "shortcut", "gesture"}) {
      auto* edit = Child<QLineEdit>(dialog, name);
      out << QString::fromLatin1(name) + (edit->isReadOnly() ? QStringLiteral("*") : QString()) +
                 QLatin1Char('=') + edit->text();
    }
    out << QStringLiteral("icon") +
               (Child<QComboBox>(dialog, "icon")->isEnabled() ? QString() : QStringLiteral("*")) +
               QLatin1Char('=') + Child<QComboBox>(dialog, "icon")->currentText();
    out << QStringLiteral("encoding") +
               (Child<QComboBox>(dialog, "encoding")->isEnabled() ? QString()
                                                                  : QStringLiteral("*")) +
               QLatin1Char('=') + Child<QComboBox>(dialog, "encoding")->currentText();
    return out.join(QLatin1Char(' '));
  }

 private slots:
  void init() {
    test::FailOnQtWarnings();
    engines_.Clear();
    engines_.ResetHighestId();
    engines_.ParseRecord(ToSjis(QStringLiteral(
        "5\t12\tShop\tShopTab\tS\thttp://s/\t\thttp://s/?q=$0\t\t\t\t1\t\t0\t7\t↑\tam")));
    engines_.ParseRecord(ToSjis(QStringLiteral(
        "6\t12\tOther\tOther\tO\thttp://o/\t\thttp://o/?q=$0\t\t\t\t2\t\t0\t8\t\tzz")));
  }

  void downloadedEngineKeepsItsTextAndARefusedSaveStaysOpen() {
    EngineDialog model = EngineDialog::ForRow(engines_, 0);
    CEnginePropertyDialog dialog(model, dispatcher_);
    QCOMPARE(dialog.windowTitle(), QStringLiteral("基本設定"));
    QCOMPARE(Fields(dialog), QStringLiteral("id*=5 name*=Shop tabName*=ShopTab url*=http://s/ "
                                            "searchUrl*=http://s/?q=$0 shortcut=am gesture*=↑ "
                                            "icon*=自動設定 encoding*=1 - SJIS"));
    QCOMPARE(Child<QComboBox>(dialog, "icon")->count(), 51);

    // The buttons build the gesture (one the command table leaves free);
    // typing needs 直接入力.
    for (const char* button : {"gestureClear", "gestureLeft", "gestureUp", "gestureLeft",
                               "gestureSeparator", "gestureSeparator", "gestureDelete"}) {
      Child<QPushButton>(dialog, button)->click();
    }
    QCOMPARE(Child<QLineEdit>(dialog, "gesture")->text(), QStringLiteral("←↑←"));
    Child<QPushButton>(dialog, "gestureDirectInput")->click();
    QVERIFY(!Child<QLineEdit>(dialog, "gesture")->isReadOnly());

    // Another engine's shortcut: the message, the dialog stays, nothing written.
    Child<QLineEdit>(dialog, "shortcut")->setText(QStringLiteral("zz"));
    QString message;
    test::WhenModal([&](QWidget* box) {
      if (auto* shown = qobject_cast<QMessageBox*>(box)) message = shown->text();
      QTest::keyClick(box, Qt::Key_Return);
    });
    dialog.accept();
    QCOMPARE(message,
             QStringLiteral("すでに登録済みのショートカットコマンドです。\n登録先：Other（zz）"));
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    QCOMPARE(ToQString(engines_.shortcut(0)), QStringLiteral("am"));

    Child<QLineEdit>(dialog, "shortcut")->setText(QStringLiteral("sh"));
    Child<QCheckBox>(dialog, "onSearchBar")->setChecked(true);
    dialog.accept();
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(ToQString(engines_.FormatOptionLine(0)), QStringLiteral("5\t\t0\t7\t←↑←\tsh\t1\t0"));
  }

  // A tab row may hold an encoding outside the four choices: it stays
  // unless the user picks one of them; the icon is a tab row's to choose.
  void tabRowKeepsAnUnlistedEncodingAndChoosesItsIcon() {
    EngineDialogValues stored;
    stored.encoding = 7;
    EngineDialog model = EngineDialog::ForTab(tabs_, -1, stored);
    CEnginePropertyDialog dialog(model, dispatcher_, QStringLiteral("タブの新規作成"));
    QCOMPARE(dialog.windowTitle(), QStringLiteral("タブの新規作成"));
    auto* box = Child<QComboBox>(dialog, "encoding");
    QStringList items;
    for (int i = 0; i < box->count(); ++i) items << box->itemText(i);
    QCOMPARE(items.join(u'|'), QStringLiteral("0 - なし|1 - SJIS|2 - EUC|3 - UTF-8|7"));
    QCOMPARE(box->currentText(), QStringLiteral("7"));
    Child<QComboBox>(dialog, "icon")->setCurrentIndex(4);
    Child<QLineEdit>(dialog, "name")->setText(QStringLiteral("新しい\tタブ "));
    dialog.accept();
    QCOMPARE(model.values().encoding, 7);
    QCOMPARE(model.values().icon_index, 4);
    QCOMPARE(ToQString(model.values().name), QStringLiteral("新しい タブ"));
    QCOMPARE(tabs_.size(), std::size_t{0});  // the tab commands write the row
  }
};

}  // namespace tolvane

QTEST_MAIN(tolvane::EnginePropertyDialogTest)
#include "engine_property_dialog_test.moc"
