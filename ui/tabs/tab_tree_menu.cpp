#include "ui/tabs/tab_tree_menu.h"

#include <QMenu>

#include "core/tabs/tab_commands.h"
#include "core/tabs/tab_tree.h"

namespace tolvane {
namespace {

void Add(QMenu* menu, const QString& text, int id) { menu->addAction(text)->setData(id); }

}  // namespace

QMenu* CreateTabTreeMenu(QWidget* parent, int kind, bool archived) {
  auto* menu = new QMenu(parent);
  menu->setObjectName(QStringLiteral("tabTreeMenu"));
  using Kind = TabTreeItem::Kind;
  switch (static_cast<Kind>(kind)) {
    case Kind::kTab:
    case Kind::kPage:
      Add(menu, QStringLiteral("タブで検索(&S)"), TabCommands::kSearchInTab);
      Add(menu, QStringLiteral("新しいカテゴリタブを開く(&N)"), TabCommands::kNewCategoryTab);
      Add(menu, QStringLiteral("このタブをコピーしてタブを作成(&C)"), TabCommands::kCopyTreeTab);
      menu->addSeparator();
      Add(menu,
          archived ? QStringLiteral("保管箱から戻す(&R)")
                   : QStringLiteral("カテゴリタブを閉じる(&L)"),
          TabCommands::kCloseCategory);
      Add(menu, QStringLiteral("タブの削除(&D)"), TabCommands::kDeleteTab);
      menu->addSeparator();
      Add(menu, QStringLiteral("タブの設定(&I)"), TabCommands::kTabSettings);
      break;
    case Kind::kGroup:
      Add(menu, QStringLiteral("新しいカテゴリタブを開く(&N)"), TabCommands::kNewCategoryTab);
      menu->addSeparator();
      Add(menu, QStringLiteral("すべてのタブを削除(&A)"), TabCommands::kDeleteAllTabs);
      Add(menu, QStringLiteral("フォルダの削除(&D)"), TabCommands::kDeleteGroup);
      break;
    case Kind::kRoot:
      Add(menu, QStringLiteral("新しいカテゴリタブを開く(&N)"), TabCommands::kNewCategoryTab);
      break;
  }
  return menu;
}

}  // namespace tolvane
