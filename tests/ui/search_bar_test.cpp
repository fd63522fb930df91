// The search bar's keyword box and buttons, and the tab tree widget: what
// the user does becomes commands and choices, what the program sets does not.
#include <QAbstractItemView>
#include <QComboBox>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/files/settings_store.h"
#include "core/stores/category_folder_tree.h"
#include "core/stores/engine_list.h"
#include "core/stores/item_store.h"
#include "core/tabs/tab_tree.h"
#include "core/text/charset_converter.h"
#include "platform/posix_env.h"
#include "platform/system_clock.h"
#include "ui/base/qt_text.h"
#include "ui/search/search_bar.h"
#include "ui/tabs/tab_tree_ctrl.h"
#include "ui_test_support.h"

namespace tolvane {
namespace {

// A search bar over a keyword store on a fresh settings file; the commands
// it asks for, in order.
struct Bar {
  QTemporaryDir dir;
  PosixEnv env{QStringToPath(dir.path())};
  SettingsStore settings{QStringToPath(dir.path()) / "vq_system.ini", env};
  SystemClock clock;
  ItemStore keywords{StoreType::kKeywords, settings, clock};
  CSearchBar bar{settings, keywords};
  std::vector<int> commands;

  Bar() {
    keywords.ResetToDefaults();
    QObject::connect(&bar, &CSearchBar::commandRequested,
                     [this](int id) { commands.push_back(id); });
    bar.show();
    if (!QTest::qWaitForWindowExposed(&bar)) qFatal("search bar not shown");
  }
  // A keyword last searched `minute` minutes after midnight.
  int AddKeyword(const QString& keyword, int minute) {
    const std::string stamp = QStringLiteral("2025/03/01 %1:%2:00")
                                  .arg(minute / 60, 2, 10, QLatin1Char('0'))
                                  .arg(minute % 60, 2, 10, QLatin1Char('0'))
                                  .toStdString();
    return keywords.items().ParseItemLine("-1\t" + ToSjis(keyword) + "\t\t0\t\t1\t" + stamp + "\t" +
                                          stamp);
  }
  QComboBox* box() const { return bar.keyword_box(); }
  QToolButton* button(const char* name) const {
    return bar.findChild<QToolButton*>(QString::fromLatin1(name));
  }
  QWidget* popup() const { return box()->view()->window(); }
};

std::string S(const char16_t* text) { return ToSjis(QString::fromUtf16(text)); }

// The widget's items depth-first, indented two spaces a level; " bold" and
// " open" where they apply and " *" on the current item.
QString Listing(const CTabTreeCtrl& tree) {
  QString out;
  const std::function<void(QTreeWidgetItem*, int)> add = [&](QTreeWidgetItem* item, int depth) {
    out += QString(depth * 2, QLatin1Char(' ')) + item->text(0);
    if (item->font(0).bold()) out += QStringLiteral(" bold");
    if (item->isExpanded() && item->childCount() > 0) out += QStringLiteral(" open");
    if (item == tree.currentItem()) out += QStringLiteral(" *");
    out += QLatin1Char('\n');
    for (int i = 0; i < item->childCount(); ++i) add(item->child(i), depth + 1);
  };
  for (int i = 0; i < tree.topLevelItemCount(); ++i) add(tree.topLevelItem(i), 0);
  return out;
}

class FakePages : public TabTreePages {
 public:
  std::vector<TabTreePage> PagesOf(int record) const override {
    if (record != 0) return {};
    return {{reinterpret_cast<const PageHost*>(this), S(u"ページ")}};
  }
  bool IsLoaded(int record) const override { return record == 0; }
};

// Group 本 with the tabs 文庫 (one page, loaded) and 漫画, and the archive.
struct TabModel {
  QTemporaryDir dir;
  PosixEnv env{QStringToPath(dir.path())};
  SettingsStore settings{QStringToPath(dir.path()) / "vq_system.ini", env};
  EngineList engines{StoreType::kEngineList};
  CategoryFolderTree groups{StoreType::kTabs};
  EngineList tabs{StoreType::kTabs};
  FakePages pages;
  TabTree tree{groups, tabs, settings};

  TabModel() {
    groups.Reset();
    groups.set_members(&tabs);
    tabs.ResetHighestId();
    tabs.set_engines(&engines);
    groups.ParseFolderLine(S(u"1\t本\t0\t0\t0"));
    tabs.ParseRecord(S(u"1\t1\t文庫\t\t\t\t\t\t\t\t\t0\t\t0\t0"));
    tabs.ParseRecord(S(u"2\t1\t漫画\t\t\t\t\t\t\t\t\t0\t\t0\t1"));
    tree.Build(pages);
    tree.SetExpanded(tree.FindGroup(1), true);
  }
};

}  // namespace

class SearchBarTest : public QObject {
  Q_OBJECT

 private slots:
  void init() { test::FailOnQtWarnings(); }

  void enterAndTheButtonsAskForTheirSearches() {
    Bar b;
    QCOMPARE(b.button("searchButton")->text(), u"検索"_qs);
    b.box()->setFocus();
    b.box()->lineEdit()->insert(u"  東京　　タワー "_qs);  // keyClicks types ASCII only
    QTest::keyClick(b.box(), Qt::Key_Return);
    b.button("searchButton")->click();
    QCOMPARE(b.commands, (std::vector<int>{32943, 32943}));
    QCOMPARE(b.bar.ReadKeyword(), Keyword::FromUtf8("東京 タワー"));
    QCOMPARE(b.box()->currentText(), u"  東京　　タワー "_qs);  // shown as typed
    b.bar.SetSearchBarText(Keyword::FromUtf8("靴"));
    QCOMPARE(b.box()->currentText(), u"靴"_qs);

    // What code page 932 lacks stays in the box and in the keyword's typed
    // form; only its Shift_JIS form has "?".
    b.box()->lineEdit()->clear();
    b.box()->lineEdit()->insert(u"Pokémon 𠮷野家"_qs);
    const Keyword typed = b.bar.ReadKeyword();
    QCOMPARE(QString::fromStdString(typed.utf8()), u"Pokémon 𠮷野家"_qs);
    QCOMPARE(ToQString(typed.sjis()), u"Pok?mon ?野家"_qs);
    b.bar.SetSearchBarText(typed);
    QCOMPARE(b.box()->currentText(), u"Pokémon 𠮷野家"_qs);
  }

  // Down opens the list: the 100 most recent keywords, newest first,
  // each with its store index; the typed text stays.
  void theDropDownListsTheHundredNewestKeywords() {
    Bar b;
    for (int i = 0; i < 105; ++i) b.AddKeyword(u"kw%1"_qs.arg(i), (i * 37) % 105);
    b.box()->setFocus();
    QTest::keyClicks(b.box(), u"typed"_qs);
    QTest::keyClick(b.box(), Qt::Key_Down);
    QVERIFY(b.popup()->isVisible());
    QCOMPARE(b.box()->count(), 100);
    QCOMPARE(b.box()->currentText(), u"typed"_qs);
    // Minute 104 is keyword 17 (17 * 37 = 5 * 105 + 104), minute 5 keyword 20.
    QCOMPARE(b.box()->itemText(0), u"kw17"_qs);
    QCOMPARE(b.box()->itemData(0).toInt(), 17);
    QCOMPARE(b.box()->itemText(99), u"kw20"_qs);
    QTest::keyClick(b.popup(), Qt::Key_Escape);
    QVERIFY(!b.popup()->isVisible());
    QVERIFY(b.commands.empty());
  }

  void pickingAKeywordSearchesWithFindOption2_data() {
    QTest::addColumn<int>("find_option2");
    QTest::addColumn<int>("searches");
    QTest::newRow("1") << 1 << 1;
    QTest::newRow("0") << 0 << 0;
  }
  void pickingAKeywordSearchesWithFindOption2() {
    QFETCH(int, find_option2);
    QFETCH(int, searches);
    Bar b;
    b.settings.WriteInt("OptionFindBar", "FindOption2", find_option2);
    b.AddKeyword(u"古い"_qs, 1);
    b.AddKeyword(u"新しい"_qs, 2);
    b.box()->setFocus();
    QTest::keyClick(b.box(), Qt::Key_Up);
    QVERIFY(b.popup()->isVisible());
    QTest::keyClick(b.box()->view(), Qt::Key_Down);
    QTest::keyClick(b.box()->view(), Qt::Key_Return);
    QVERIFY(!b.popup()->isVisible());
    QCOMPARE(b.bar.ReadKeyword(), Keyword::FromUtf8("古い"));
    QCOMPARE(b.commands, std::vector<int>(static_cast<std::size_t>(searches), 32943));

    // Typing a listed keyword and pressing Enter is one search, not a pick.
    b.commands.clear();
    QTest::qWait(0);
    b.box()->lineEdit()->clear();
    b.box()->lineEdit()->insert(u"新しい"_qs);
    QTest::keyClick(b.box(), Qt::Key_Return);
    QCOMPARE(b.commands, std::vector<int>{32943});
  }

  void rebuildFollowsKeywordWidth_data() {
    QTest::addColumn<int>("keyword_width");  // -1: no key
    QTest::addColumn<int>("shown_width");
    QTest::newRow("default") << -1 << 250;
    QTest::newRow("set") << 300 << 300;
    QTest::newRow("too narrow") << 5 << 20;
  }
  void rebuildFollowsKeywordWidth() {
    QFETCH(int, keyword_width);
    QFETCH(int, shown_width);
    Bar b;
    if (keyword_width >= 0) b.settings.WriteInt("OptionFindBar", "KeywordWidth", keyword_width);
    b.bar.Rebuild();
    QCOMPARE(b.box()->sizeHint().width(), shown_width);
  }

  // What the program sets is drawn and reported nowhere; a click or a key
  // is the user's choice.
  void theTabTreeReportsOnlyTheUsersChoices() {
    TabModel m;
    TabTree& model = m.tree;

    CTabTreeCtrl tree;
    QSignalSpy chosen(&tree, &CTabTreeCtrl::itemChosen);
    tree.Rebuild(model);
    tree.show();
    QVERIFY(QTest::qWaitForWindowExposed(&tree));
    QVERIFY(tree.isHeaderHidden());
    QCOMPARE(Listing(tree),
             u"タブ open *\n"
             u"  本 bold open\n"
             u"    文庫\n"
             u"      ページ\n"
             u"    漫画\n"
             u"  保管箱\n"_qs);

    const int manga = model.FindTab(1);
    model.Select(manga);
    tree.SyncSelection(model);
    QCOMPARE(tree.currentItem()->text(0), u"漫画"_qs);
    QCOMPARE(chosen.count(), 0);

    const int bunko = model.FindTab(0);
    QTreeWidgetItem* bunko_item = tree.WidgetItem(bunko);
    QCOMPARE(CTabTreeCtrl::ItemIndex(bunko_item), bunko);
    QTest::mouseClick(tree.viewport(), Qt::LeftButton, {},
                      tree.visualItemRect(bunko_item).center());
    QTest::keyClick(&tree, Qt::Key_Down);
    QCOMPARE(chosen.count(), 2);
    QCOMPARE(chosen.at(0).at(0).toInt(), bunko);
    QCOMPARE(chosen.at(1).at(0).toInt(), manga);  // past 文庫's folded page
  }

  void aDropInTheTabTreeIsReportedAndMovesNoItem() {
    TabModel m;
    CTabTreeCtrl tree;
    tree.Rebuild(m.tree);
    tree.show();
    QVERIFY(QTest::qWaitForWindowExposed(&tree));
    QSignalSpy dropped(&tree, &CTabTreeCtrl::itemDropped);
    const QString before = Listing(tree);
    const int manga = m.tree.FindTab(1);
    const int archive = m.tree.FindGroup(0);
    QVERIFY(!(tree.WidgetItem(m.tree.root())->flags() & Qt::ItemIsDragEnabled));
    QVERIFY(tree.WidgetItem(manga)->flags() & Qt::ItemIsDragEnabled);

    // 漫画 carried as QTreeWidget drags it, dropped on 保管箱.
    const QModelIndex book = tree.model()->index(0, 0, tree.model()->index(0, 0));
    std::unique_ptr<QMimeData> mime(tree.model()->mimeData({tree.model()->index(1, 0, book)}));
    const QPoint on_archive = tree.visualItemRect(tree.WidgetItem(archive)).center();
    QDropEvent drop(on_archive, Qt::MoveAction, mime.get(), Qt::LeftButton, {});
    tree.DropOwnItem(drop);
    QCOMPARE(dropped.count(), 1);
    QCOMPARE(dropped.at(0).at(0).toInt(), manga);
    QCOMPARE(dropped.at(0).at(1).toInt(), archive);
    QCOMPARE(drop.dropAction(), Qt::IgnoreAction);
    QCOMPARE(Listing(tree), before);

    // A drag from elsewhere is turned away.
    QDropEvent foreign(on_archive, Qt::MoveAction, mime.get(), Qt::LeftButton, {});
    QApplication::sendEvent(tree.viewport(), &foreign);
    QCOMPARE(dropped.count(), 1);
    QCOMPARE(Listing(tree), before);
  }
};

}  // namespace tolvane

QTEST_MAIN(tolvane::SearchBarTest)
#include "search_bar_test.moc"
