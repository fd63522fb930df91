#include <QMessageBox>
#include <QPushButton>
#include <QtTest>
#include <functional>

#include "core/files/string_table.h"
#include "ui/base/message_box_prompter.h"
#include "ui/base/qt_text.h"
#include "ui_test_support.h"

namespace tolvane {

class PrompterTest : public QObject {
  Q_OBJECT

 private slots:
  void init() { test::FailOnQtWarnings(); }

  // Enter takes the default answer, which must be No for every question
  // that destroys data.
  void questionsDefaultToNo() {
    QWidget window;
    MessageBoxPrompter prompter(&window);
    QString shown;
    test::WhenModal([&](QWidget* box) {
      shown = qobject_cast<QMessageBox*>(box)->text();
      QTest::keyClick(box, Qt::Key_Return);
    });
    QVERIFY(!prompter.AskYesNo(FormatString(string_id::kConfirmDelete, {ToSjis(u"靴"_qs)})));
    QCOMPARE(shown, u"\"靴\" は完全に削除され元に戻すことはできません。本当に削除しますか?"_qs);

    test::WhenModal(
        [](QWidget* box) { qobject_cast<QMessageBox*>(box)->button(QMessageBox::Yes)->click(); });
    QVERIFY(prompter.AskYesNo("?"));
  }

  // A stop carries the stop sign, a warning the exclamation mark.
  void messagesShowTheTextWithTheirIcon() {
    MessageBoxPrompter prompter(nullptr);
    // What the box showed, as "icon: first line"; Enter closes it.
    const auto shown_by = [](const std::function<void()>& show) {
      QString shown;
      test::WhenModal([&](QWidget* box) {
        const auto* message = qobject_cast<QMessageBox*>(box);
        shown = QString::number(message->icon()) + u": "_qs + message->text().section(u'\n', 0, 0);
        QTest::keyClick(box, Qt::Key_Return);
      });
      show();
      return shown;
    };
    QCOMPARE(shown_by([&] { prompter.ShowStop(LoadString(string_id::kFavoritesLimit)); }),
             QString::number(QMessageBox::Critical) +
                 u": お気に入りの登録件数が最大値を超えました。"_qs);
    QCOMPARE(shown_by([&] { prompter.ShowWarning(LoadString(string_id::kTooManyTabs)); }),
             QString::number(QMessageBox::Warning) +
                 u": 多くのタブが開いているため、リソースが圧迫されています。"_qs);
  }
};

}  // namespace tolvane

QTEST_MAIN(tolvane::PrompterTest)
#include "prompter_test.moc"
