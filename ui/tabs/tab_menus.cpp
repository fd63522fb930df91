#include "ui/tabs/tab_menus.h"

#include "ui/base/menu_builder.h"

namespace tolvane {

std::unique_ptr<QMenu> CreateCategoryTabMenu(QWidget* parent) {
  return MakeMenu(MenuId::kCategoryTab, parent);
}

std::unique_ptr<QMenu> CreatePageTabMenu(QWidget* parent) {
  return MakeMenu(MenuId::kPageTab, parent);
}

std::unique_ptr<QMenu> CreateClipMenu(QWidget* parent) { return MakeMenu(MenuId::kClip, parent); }

std::unique_ptr<QMenu> CreateTabTreeMenu(TabTreeSpot spot, QWidget* parent) {
  return MakeMenu(TabTreeMenu(spot), parent);
}

QMenu* EngineSubmenu(const QMenu& category_menu) {
  return category_menu.findChild<QMenu*>(QStringLiteral("engineSubmenu"));
}

QMenu* TabSwitchSubmenu(const QMenu& category_menu) {
  return category_menu.findChild<QMenu*>(QStringLiteral("tabSwitchSubmenu"));
}

QMenu* CreateTabWithEngineSubmenu(const QMenu& tree_menu) {
  return tree_menu.findChild<QMenu*>(QStringLiteral("createTabWithEngine"));
}

QString CommandText(int id) {
  for (const MenuId menu :
       {MenuId::kCategoryTab, MenuId::kPageTab, MenuId::kClip, MenuId::kTreeTab, MenuId::kTreeGroup,
        MenuId::kTreeRoot, MenuId::kTabs, MenuId::kSearch}) {
    for (const MenuEntry& entry : Menu(menu).entries) {
      if (entry.kind == MenuEntry::Kind::kCommand && entry.command.value() == id && id > 0) {
        return MenuText(entry);
      }
    }
  }
  return {};
}

}  // namespace tolvane
