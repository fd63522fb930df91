#include "ui/tabs/tab_menus.h"

#include <QAction>
#include <string_view>

namespace tolvane {
namespace {

// The tab tree's menu differs by the kind of item right-clicked.
enum class Menu {
  kCategoryTab,
  kPageTab,
  kClip,
  kTreeTab,
  kTreeGroup,
  kTreeRoot,
  kMenuBarView,
  kMenuBarTab,
  kMenuBarSearch,
};

// Rows that are not commands.
constexpr int kSeparator = 0;
constexpr int kEngineSubmenu = -1;
constexpr int kTabSwitchSubmenu = -2;

struct MenuRow {
  Menu menu;
  int id;
  std::u16string_view text;
};

// Every entry of the three menus, in menu order.
constexpr MenuRow kRows[] = {
    {Menu::kCategoryTab, 32972, u"タブで検索(&S)"},
    {Menu::kCategoryTab, kSeparator, u""},
    {Menu::kCategoryTab, 32880, u"新しいカテゴリタブを開く(&N)"},
    {Menu::kCategoryTab, 32881, u"タブを複製して新しいカテゴリタブを開く(&D)"},
    {Menu::kCategoryTab, kEngineSubmenu, u"検索エンジンを指定して新しいタブを開く(&E)"},
    {Menu::kCategoryTab, kSeparator, u""},
    {Menu::kCategoryTab, kTabSwitchSubmenu, u"カテゴリタブの切り替え(&T)"},
    {Menu::kCategoryTab, 32981, u"タブの設定(&I)"},
    {Menu::kCategoryTab, kSeparator, u""},
    {Menu::kCategoryTab, 32884, u"カテゴリタブを閉じる(&C)"},
    {Menu::kCategoryTab, 32973, u"右側のカテゴリタブをすべて閉じる(&R)"},
    {Menu::kCategoryTab, 32974, u"左側のカテゴリタブをすべて閉じる(&L)"},
    {Menu::kCategoryTab, 32975, u"このタブ以外のカテゴリタブをすべて閉じる(&O)"},
    {Menu::kCategoryTab, 32885, u"すべてのカテゴリタブを閉じる(&A)"},

    {Menu::kPageTab, 32886, u"新しいページタブを開く(&N)"},
    {Menu::kPageTab, 32887, u"タブを複製して新しいページタブを開く(&D)"},
    {Menu::kPageTab, kSeparator, u""},
    {Menu::kPageTab, 32888, u"このページタブを再読み込み(&R)"},
    {Menu::kPageTab, 32882, u"すべてのページタブの再読み込み(&A)"},
    {Menu::kPageTab, kSeparator, u""},
    {Menu::kPageTab, 32890, u"クリップを実行・解除(&P)"},
    {Menu::kPageTab, 32979, u"すべてのタブをクリップ(&K)"},
    {Menu::kPageTab, 32980, u"すべてのタブのクリップを解除(&U)"},
    {Menu::kPageTab, 32883, u"すべてのタブをお気に入りに追加(&F)"},
    {Menu::kPageTab, kSeparator, u""},
    {Menu::kPageTab, 32891, u"ページタブを閉じる(&C)"},
    {Menu::kPageTab, 32892, u"右側のページタブをすべて閉じる(&G)"},
    {Menu::kPageTab, 32895, u"左側のページタブをすべて閉じる(&H)"},
    {Menu::kPageTab, 32893, u"このタブ以外のページタブをすべて閉じる(&O)"},
    {Menu::kPageTab, 32894, u"すべてのページタブを閉じる(&W)"},

    {Menu::kClip, 32890, u"このタブのクリップを解除"},
    {Menu::kClip, 32980, u"すべてのタブをクリップ解除(&D)"},
    {Menu::kClip, 32979, u"すべてのタブをクリップ(&K)"},

    {Menu::kTreeTab, 32972, u"タブで検索(&S)"},
    {Menu::kTreeTab, 32953, u"新しいカテゴリタブを開く(&N)"},
    {Menu::kTreeTab, 32948, u"このタブをコピーしてタブを作成(&C)"},
    {Menu::kTreeTab, kSeparator, u""},
    {Menu::kTreeTab, 32884, u"カテゴリタブを閉じる(&L)"},
    {Menu::kTreeTab, 32949, u"タブの削除(&D)"},
    {Menu::kTreeTab, kSeparator, u""},
    {Menu::kTreeTab, 32981, u"タブの設定(&I)"},

    {Menu::kTreeGroup, 32953, u"新しいカテゴリタブを開く(&N)"},
    {Menu::kTreeGroup, kSeparator, u""},
    {Menu::kTreeGroup, 32954, u"すべてのタブを削除(&A)"},
    {Menu::kTreeGroup, 32957, u"フォルダの削除(&D)"},

    {Menu::kTreeRoot, 32953, u"新しいカテゴリタブを開く(&N)"},

    {Menu::kMenuBarView, 32791, u"戻る(&B)"},
    {Menu::kMenuBarView, 32792, u"進む(&F)"},
    {Menu::kMenuBarView, 32794, u"中止(&S)"},
    {Menu::kMenuBarView, 32795, u"更新(&R)"},
    {Menu::kMenuBarView, 32793, u"ホーム(&H)"},

    {Menu::kMenuBarTab, 32953, u"新しいカテゴリタブを開く(&N)"},
    {Menu::kMenuBarTab, 32881, u"タブを複製して新しいカテゴリタブを開く(&U)"},
    {Menu::kMenuBarTab, 32884, u"カテゴリタブを閉じる(&C)"},
    {Menu::kMenuBarTab, 32885, u"すべてのカテゴリタブを閉じる"},
    {Menu::kMenuBarTab, kSeparator, u""},
    {Menu::kMenuBarTab, 32886, u"新しいページタブを開く(&T)"},
    {Menu::kMenuBarTab, 32887, u"タブを複製して新しいページタブを開く(&D)"},
    {Menu::kMenuBarTab, 32891, u"ページタブを閉じる(&W)"},
    {Menu::kMenuBarTab, 32892, u"右側のページタブをすべて閉じる"},
    {Menu::kMenuBarTab, 32895, u"左側のページタブをすべて閉じる"},
    {Menu::kMenuBarTab, 32978, u"すべてのページタブを閉じる"},
    {Menu::kMenuBarTab, 32795, u"現在のWeb ページを更新(&R)"},
    {Menu::kMenuBarTab, 32882, u"すべてのページタブの再読み込み"},
    {Menu::kMenuBarTab, kSeparator, u""},
    {Menu::kMenuBarTab, 32890, u"クリップを実行・解除(&K)"},
    {Menu::kMenuBarTab, 32979, u"すべてのタブをクリップ"},
    {Menu::kMenuBarTab, 32980, u"すべてのタブのクリップを解除"},
    {Menu::kMenuBarTab, 32883, u"すべてのタブをお気に入りに追加"},
    {Menu::kMenuBarTab, kSeparator, u""},
    {Menu::kMenuBarTab, 32901, u"カテゴリタブのフォーカス移動(左)"},
    {Menu::kMenuBarTab, 32902, u"カテゴリタブのフォーカス移動(右)"},
    {Menu::kMenuBarTab, 32917, u"カテゴリタブのフォーカス移動(左端)"},
    {Menu::kMenuBarTab, 32916, u"カテゴリタブのフォーカス移動(右端)"},
    {Menu::kMenuBarTab, 32903, u"ページタブのフォーカス移動(左)"},
    {Menu::kMenuBarTab, 32904, u"ページタブのフォーカス移動(右)"},
    {Menu::kMenuBarTab, 32918, u"ページタブのフォーカス移動(左端)"},
    {Menu::kMenuBarTab, 32919, u"ページタブのフォーカス移動(右端)"},
    {Menu::kMenuBarTab, 32905, u"ひとつ前のタブに移動"},
    {Menu::kMenuBarTab, 32907, u"ひとつ次のタブに移動"},
    {Menu::kMenuBarSearch, 32943, u"検索を実行(&S)"},
    {Menu::kMenuBarSearch, 32842, u"まとめて検索(&M)"},
    {Menu::kMenuBarSearch, 59151, u"キーワード入力ボックスを選択(&K)"},
};

// On a tab in the archive folder the close command brings it back.
constexpr int kCloseCategoryTab = 32884;
constexpr int kDeleteGroup = 32957;
constexpr std::u16string_view kRestoreText = u"保管箱から戻す(&R)";

QString Text(std::u16string_view text) {
  return QStringView(text.data(), static_cast<qsizetype>(text.size())).toString();
}

QString SubmenuName(int row_id) {
  return row_id == kEngineSubmenu ? QStringLiteral("engineSubmenu")
                                  : QStringLiteral("tabSwitchSubmenu");
}

std::unique_ptr<QMenu> Build(Menu which, QWidget* parent) {
  auto menu = std::make_unique<QMenu>(parent);
  for (const MenuRow& row : kRows) {
    if (row.menu != which) continue;
    if (row.id == kSeparator) {
      menu->addSeparator();
    } else if (row.id < 0) {
      QMenu* submenu = menu->addMenu(Text(row.text));
      submenu->setObjectName(SubmenuName(row.id));
      submenu->setEnabled(false);
    } else {
      QAction* action = menu->addAction(Text(row.text));
      action->setData(row.id);
    }
  }
  return menu;
}

}  // namespace

std::unique_ptr<QMenu> CreateCategoryTabMenu(QWidget* parent) {
  return Build(Menu::kCategoryTab, parent);
}

std::unique_ptr<QMenu> CreatePageTabMenu(QWidget* parent) { return Build(Menu::kPageTab, parent); }

std::unique_ptr<QMenu> CreateClipMenu(QWidget* parent) { return Build(Menu::kClip, parent); }

std::unique_ptr<QMenu> CreateMenuBarMenu(MenuBarMenu which, QWidget* parent) {
  struct Look {
    Menu menu;
    QString title;
    QString name;
  };
  const Look look =
      which == MenuBarMenu::kView
          ? Look{Menu::kMenuBarView, QStringLiteral("表示(&V)"), QStringLiteral("viewMenu")}
      : which == MenuBarMenu::kTabs
          ? Look{Menu::kMenuBarTab, QStringLiteral("タブ(&T)"), QStringLiteral("tabMenu")}
          : Look{Menu::kMenuBarSearch, QStringLiteral("検索(&S)"), QStringLiteral("searchMenu")};
  std::unique_ptr<QMenu> menu = Build(look.menu, parent);
  menu->setTitle(look.title);
  menu->setObjectName(look.name);
  return menu;
}

std::unique_ptr<QMenu> CreateTabTreeMenu(TabTreeItem::Kind kind, bool archived, QWidget* parent) {
  using Kind = TabTreeItem::Kind;
  const Menu which = kind == Kind::kTab || kind == Kind::kPage ? Menu::kTreeTab
                     : kind == Kind::kGroup                    ? Menu::kTreeGroup
                                                               : Menu::kTreeRoot;
  std::unique_ptr<QMenu> menu = Build(which, parent);
  menu->setObjectName(QStringLiteral("tabTreeMenu"));
  if (archived) {
    for (QAction* action : menu->actions()) {
      if (action->data().toInt() == kCloseCategoryTab) action->setText(Text(kRestoreText));
      if (action->data().toInt() == kDeleteGroup) menu->removeAction(action);
    }
  }
  return menu;
}

QMenu* EngineSubmenu(const QMenu& category_menu) {
  return category_menu.findChild<QMenu*>(SubmenuName(kEngineSubmenu));
}

QMenu* TabSwitchSubmenu(const QMenu& category_menu) {
  return category_menu.findChild<QMenu*>(SubmenuName(kTabSwitchSubmenu));
}

QString CommandText(int id) {
  for (const MenuRow& row : kRows) {
    if (row.id == id && (row.menu == Menu::kCategoryTab || row.menu == Menu::kPageTab)) {
      return Text(row.text);
    }
  }
  return {};
}

}  // namespace tolvane
