// The search bar in the program's own window: an engine button searches its
// shop with the box's keyword, and a shop's page that names its own search
// description becomes a user engine that searches in the shop's charset.
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QMimeData>
#include <QStringDecoder>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <QWebEnginePage>
#include <QWindow>
#include <memory>

#include "core/app/tolvane_doc.h"
#include "core/files/setting_keys.h"
#include "core/files/settings_store.h"
#include "core/stores/category_folder_tree.h"
#include "core/stores/engine_list.h"
#include "core/tabs/tab_workspace.h"
#include "local_http_server.h"
#include "ui/app/tolvane_app.h"
#include "ui/base/qt_text.h"
#include "ui/frame/address_bar.h"
#include "ui/frame/main_frame.h"
#include "ui/search/engine_item_mime.h"
#include "ui/search/search_bar.h"
#include "ui/search/site_search_adder.h"
#include "ui/sidebar/search_tree_ctrl.h"
#include "ui/sidebar/side_bar.h"
#include "ui/tabs/tolvane_view.h"
#include "ui_test_support.h"

namespace tolvane {
namespace {

// The query of the last request to `path`, its one field's value unescaped
// and read as `charset`: what the shop reads.
QString LastQuery(const test::LocalHttpServer& server, const QByteArray& path,
                  const char* charset) {
  const auto requests = server.requestsTo(path);
  if (requests.isEmpty()) return QStringLiteral("no request");
  const QByteArray target = requests.last().target;
  const QByteArray query = target.mid(target.indexOf('?') + 1);
  const qsizetype equals = query.indexOf('=');
  QStringDecoder decode(charset);
  return QString::fromLatin1(query.left(equals)) + QLatin1Char('=') +
         decode(QByteArray::fromPercentEncoding(query.mid(equals + 1)));
}

QByteArray Description(const QByteArray& encoding, const QByteArray& url_template) {
  return "<?xml version=\"1.0\"?><OpenSearchDescription "
         "xmlns=\"http://a9.com/-/spec/opensearch/1.1/\"><ShortName>\xE8\xBE\x9E\xE6\x9B\xB8"
         "\xE5\xBA\x97</ShortName><InputEncoding>" +
         encoding + "</InputEncoding><Url type=\"text/html\" template=\"" + url_template +
         "\"/></OpenSearchDescription>";
}

// A shop's page naming its search description.
constexpr char kShopPage[] =
    "<html><head><link rel=\"icon\" href=\"data:,\"><link rel=\"search\" "
    "type=\"application/opensearchdescription+xml\" href=\"/osd.xml\">"
    "<title>shop</title></head><body>shop</body></html>";

}  // namespace

class SearchBarEndToEndTest : public QObject {
  Q_OBJECT

 private:
  test::LocalHttpServer server_;

  // Shop 501 (Shift_JIS) in folder 500, on the bar by its flag; tab 21
  // searches it and is opened first, showing the shop's top page, which
  // names /osd.xml as its search description, as its result page does.
  void WriteShop(const std::filesystem::path& dir) const {
    const QString base = QString::fromLatin1(server_.base());
    test::WriteStore(
        dir / "vq_search.eng",
        QStringLiteral("@@SearchEngineList@@\n0\t100\t\t2024/01/01\n1\n500\tテスト\t0\n1\n"
                       "501\t500\tSJIS店\tSJIS店\tS\t%1/sjis/\t\t%1/sjis/search?q=$0"
                       "\t\t\t\t1\n")
            .arg(base));
    test::WriteStore(
        dir / "vq_searchtree.egt",
        QStringLiteral("@@SearchEngineListOption@@\n0\n0\n1\n501\t\t0\t0\t\t\t1\t3\n"));
    test::WriteOneShopTab(dir, 1, 0, QStringLiteral("[OptionFindBar]\nButtonIDs=-1,TE21\n"));
  }

  // The program on `dir` holding the shop.
  std::unique_ptr<CTolvaneApp> StartShop(const QTemporaryDir& dir) const {
    WriteShop(QStringToPath(dir.path()));
    return test::StartApp(dir.path());
  }

  // Types into the keyword box as an input method commits, leaving the
  // focus there.
  static void Type(CMainFrame& frame, const QString& keyword) {
    QLineEdit* edit = frame.search_bar()->keyword_box()->lineEdit();
    edit->setFocus();
    edit->clear();
    QInputMethodEvent commit;
    commit.setCommitString(keyword);
    QApplication::sendEvent(edit, &commit);
  }

  // The configurable buttons' texts, "|"-separated.
  static QString Buttons(const CSearchBar& bar) {
    QStringList texts;
    for (const QToolButton* button : bar.buttons()) texts << button->text();
    return texts.join(QLatin1Char('|'));
  }

  // Runs "このサイトの検索を追加" on the shown page; the dialog or message
  // that comes up is answered by `answer`, and its object name and text
  // returned.
  static QString AddSiteSearch(CMainFrame& frame, const std::function<void(QWidget*)>& answer) {
    QObject watch;
    QString seen;
    test::WhenModal(
        [&](QWidget* modal) {
          seen = modal->objectName();
          if (auto* box = qobject_cast<QMessageBox*>(modal)) seen += QLatin1Char(' ') + box->text();
          answer(modal);
        },
        10000, &watch);
    frame.router().Run(command::kAddSiteSearch,
                       frame.core().ContextNow(command::kAddSiteSearch, CommandSource::kSearchBar));
    test::WaitFor([&] { return !seen.isEmpty() && !frame.site_search()->busy(); }, 10000);
    return seen;
  }

 private slots:
  void init() { test::FailOnQtWarnings(); }

  void initTestCase() {
    test::OpenSharedProfile();
    QVERIFY(server_.ok());
    server_.page("/sjis/", kShopPage);
    server_.page("/sjis/search", kShopPage);
    server_.page("/find", "<html><head><link rel=\"icon\" href=\"data:,\"></head></html>");
  }

  void engineButtonAndSiteSearch() {
    QTemporaryDir dir;
    std::unique_ptr<CTolvaneApp> app = StartShop(dir);
    QVERIFY(app != nullptr);
    CMainFrame& frame = *app->main_frame();
    CSearchBar& bar = *frame.search_bar();
    // The flagged engine is appended after the stored tokens; TE21 is not
    // flagged and shows nothing.
    QTRY_COMPARE(Buttons(bar), u"まとめて検索|SJIS店"_qs);
    QCOMPARE(bar.tab_button()->text(), u"一店"_qs);
    QVERIFY(test::WaitFor([&] { return server_.countTo("/sjis/") > 0; }));

    Type(frame, u"東京"_qs);
    bar.buttons().back()->click();
    QVERIFY(test::WaitFor([&] { return server_.countTo("/sjis/search") == 1; }));
    QCOMPARE(LastQuery(server_, "/sjis/search", "Shift_JIS"), u"q=東京"_qs);
    QCOMPARE(ToQString(frame.search_bar()->side_bar_text()), u"東京"_qs);

    // The result page names the shop's description, which is first refused
    // (a template that is no web address, a document too large), then
    // taken.
    QVERIFY(test::WaitFor([&] {
      const QWebEnginePage* page = frame.ShownPage();
      return page != nullptr && page->url().path() == u"/sjis/search"_qs && !page->isLoading();
    }));
    EngineList& engines = app->document()->engines();
    const std::size_t rows = engines.size();
    test::LocalHttpServer::Reply bad;
    bad.content_type = "application/opensearchdescription+xml";
    const QList<QPair<QByteArray, QString>> refusals = {
        {Description("UTF-8", "javascript:alert({searchTerms})"),
         u"http: か https: で始まる必要があります"_qs},
        {Description("UTF-8", "http://x/?q={searchTerms}") + QByteArray(70 * 1024, ' '),
         u"検索の説明が大きすぎるため"_qs},
    };
    for (const auto& [body, message] : refusals) {
      bad.body = body;
      server_.route("/osd.xml", bad);
      const QString refused = AddSiteSearch(frame, [](QWidget* modal) {
        if (auto* box = qobject_cast<QMessageBox*>(modal)) box->accept();
      });
      QVERIFY2(refused.contains(message), qPrintable(refused));
      QCOMPARE(engines.size(), rows);
    }

    test::LocalHttpServer::Reply good = bad;
    good.body =
        Description("EUC-JP", server_.base() + "/find?word={searchTerms}&amp;p={startPage?}");
    server_.route("/osd.xml", good);
    QCOMPARE(AddSiteSearch(frame, [](QWidget* modal) { qobject_cast<QDialog*>(modal)->accept(); }),
             u"enginePropertyDialog"_qs);
    QCOMPARE(engines.size(), rows + 1);
    QCOMPARE(ToQString(engines.name(rows)), u"辞書店"_qs);
    QCOMPARE(engines.encoding(rows), 2);
    // The shop's tab searches a downloaded category: the new shop goes in
    // "追加した検索", made now, and the side bar's tree shows it at once
    // under that category, before 保管箱.
    const CategoryFolderTree& folders = app->document()->engine_folders();
    const int category = folders.Find(engines.folder_id(rows));
    QVERIFY(category >= 0 && folders.IsUser(static_cast<std::size_t>(category)));
    QCOMPARE(ToQString(folders.name(static_cast<std::size_t>(category))), u"追加した検索"_qs);
    const QTreeWidgetItem* root = frame.side_bar()->search_tree_ctrl()->topLevelItem(0);
    QStringList shown;
    for (int i = 0; i < root->childCount(); ++i) {
      shown << root->child(i)->text(0);
      for (int j = 0; j < root->child(i)->childCount(); ++j) {
        shown << u"  "_qs + root->child(i)->child(j)->text(0);
      }
    }
    QCOMPARE(shown.join(QLatin1Char('|')), u"テスト|  SJIS店|追加した検索|  辞書店|保管箱"_qs);

    CommandContext context =
        frame.core().ContextNow(command::kEngineCommand, CommandSource::kSearchBar);
    context.list_row = static_cast<int>(rows);
    context.keyword = Keyword::FromUtf8("東京");
    QVERIFY(frame.router().Run(command::kEngineCommand, context));
    QVERIFY(test::WaitFor([&] { return server_.countTo("/find") == 1; }));
    QCOMPARE(LastQuery(server_, "/find", "EUC-JP"), u"word=東京&p="_qs);
  }

  // Dropping a folder from the search tree, dragging the keyword box's
  // grip and Tab and Shift+Tab in the bar, in the program's window.
  // The built-ins whose commands run are enabled; find in page, highlight
  // and the category batch search have no handler and look disabled.
  void builtInButtonsWithoutHandlerAreDisabled() {
    QTemporaryDir dir;
    test::WriteOneShopTab(QStringToPath(dir.path()), 1, 0,
                          QStringLiteral("[OptionFindBar]\nButtonIDs=-1,-2,-3,-4,-5\n"));
    const std::unique_ptr<CTolvaneApp> app = test::StartApp(dir.path());
    QStringList states;
    for (const QToolButton* button : app->main_frame()->search_bar()->buttons()) {
      states << button->objectName() + (button->isEnabled() ? QStringLiteral("+") : QString());
    }
    QCOMPARE(states.join(QLatin1Char(' ')),
             QStringLiteral("barButton-1+ barButton-2 barButton-3 barButton-4 barButton-5+"));
  }

  // At the window's least width, with long tab and group names, the name
  // buttons and the keyword box give way and the search buttons stay.
  void narrowestWindowKeepsTheSearchButtons() {
    QTemporaryDir dir;
    const std::filesystem::path path = QStringToPath(dir.path());
    test::WriteOneShopTab(path, 1, 0, QStringLiteral("[OptionFindBar]\nButtonIDs=-1,-2,-3\n"));
    const QString tab = u"とても長い名前のショッピングサイトの検索タブ"_qs;
    const QString group = u"とても長い名前のタブグループ"_qs;
    test::WriteStore(path / "vq_tab.tbf",
                     QStringLiteral("@@TabList@@\n0\n2\n-9999\t保管箱\t0\t0\t99999999\t0\n"
                                    "10\t%2\t0\t0\t0\t0\n1\n"
                                    "21\t10\t%1\t%1\t%1\t検索エンジンID[501]\t\t"
                                    "検索エンジンID[501]\t検索エンジンID[501]\t\t\t1\t\t0\t0\n")
                         .arg(tab, group));
    const std::unique_ptr<CTolvaneApp> app = test::StartApp(dir.path());
    QVERIFY(app != nullptr);
    CMainFrame& frame = *app->main_frame();
    CSearchBar& bar = *frame.search_bar();
    auto* tab_button = bar.findChild<QToolButton*>(u"tabButton"_qs);
    QTRY_COMPARE(tab_button->toolTip(), tab);
    QVERIFY(frame.minimumWidth() <= 800);
    frame.resize(100, frame.height());
    QCOMPARE(frame.width(), frame.minimumWidth());
    const auto shown = [&] {
      QStringList names;
      for (const QWidget* part : bar.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (part->isVisible() && !part->objectName().isEmpty() &&
            !part->objectName().startsWith(u"qt_"_qs) && bar.rect().contains(part->geometry())) {
          names << part->objectName();
        }
      }
      names.sort();
      return names.join(QLatin1Char(' '));
    };
    QTRY_COMPARE(shown(), u"barButton-1 groupBox keywordBox keywordGrip searchButton tabButton"_qs);
    QVERIFY(tab_button->width() < tab_button->sizeHint().width());
    QCOMPARE(bar.group_box()->toolTip(), group);
  }

  void dropGripAndFocusKeys() {
    QTemporaryDir dir;
    std::unique_ptr<CTolvaneApp> app = StartShop(dir);
    QVERIFY(app != nullptr);
    CMainFrame& frame = *app->main_frame();
    CSearchBar& bar = *frame.search_bar();
    SettingsStore& settings = app->document()->settings();
    QTRY_COMPARE(Buttons(bar), u"まとめて検索|SJIS店"_qs);
    // Room for every button of the bar beside the standard buttons.
    frame.resize(1600, 800);
    QTRY_VERIFY(bar.buttons().front()->isVisible());

    // Before the batch button; an engine nobody has changes nothing.
    for (const QByteArray& item : {QByteArray("EE999"), QByteArray("EF500")}) {
      QMimeData mime;
      mime.setData(QString::fromLatin1(kEngineItemMimeType), item);
      const QPoint at = bar.buttons().front()->geometry().center();
      QDragEnterEvent enter(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
      QApplication::sendEvent(&bar, &enter);
      QDropEvent drop(QPointF(at), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
      QApplication::sendEvent(&bar, &drop);
    }
    QCOMPARE(Buttons(bar), u"テスト|まとめて検索|SJIS店"_qs);
    QCOMPARE(Read(settings, settings::kFindBarButtonIDs), "EF500,-1,TE21");

    // 250 + 50; then narrower than 20 and wider than the window less 100
    // are both ignored.
    auto* grip = bar.findChild<QWidget*>(u"keywordGrip"_qs);
    QVERIFY(grip != nullptr);
    const QPoint at(grip->width() / 2, grip->height() / 2);
    QTest::mousePress(grip, Qt::LeftButton, {}, at);
    QTest::mouseMove(grip, at + QPoint(50, 0));
    QTest::mouseMove(grip, at + QPoint(-400, 0));
    QTest::mouseMove(grip, at + QPoint(frame.width(), 0));
    QTest::mouseRelease(grip, Qt::LeftButton, {}, at + QPoint(frame.width(), 0));
    QTRY_COMPARE(bar.keyword_box()->width(), 300);
    QCOMPARE(Read(settings, settings::kFindBarKeywordWidth), 300);

    // Tab: from the group list to the keyword box, from there to the side
    // bar; Shift+Tab leaves backward, to the address bar.
    bar.group_box()->setFocus();
    QTest::keyClick(bar.group_box(), Qt::Key_Tab);
    QVERIFY(bar.keyword_box()->lineEdit()->hasFocus());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QVERIFY(frame.side_bar()->keyword_box()->hasFocus());
    bar.keyword_box()->lineEdit()->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, Qt::ShiftModifier);
    QVERIFY(frame.address_bar()->box()->hasFocus());
  }
};

}  // namespace tolvane

TOLVANE_APP_TEST_MAIN(tolvane::SearchBarEndToEndTest)
#include "search_bar_end_to_end_test.moc"
