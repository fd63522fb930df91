#include "ui/base/menu_builder.h"

#include <QAction>

#include "ui/base/qt_text.h"

namespace tolvane {

QString MenuText(const MenuEntry& entry) { return ToQString(MenuEntryText(entry)); }

void DrawMenu(MenuId id, QMenu& menu, const MenuDrawing& drawing) {
  const MenuModel& model = Menu(id);
  menu.setObjectName(
      QString::fromUtf8(model.name.data(), static_cast<qsizetype>(model.name.size())));
  if (model.title_id != 0) menu.setTitle(ToQString(MenuTitle(model)));
  for (const MenuEntry& entry : model.entries) {
    switch (entry.kind) {
      case MenuEntry::Kind::kSeparator:
        menu.addSeparator();
        break;
      case MenuEntry::Kind::kSubmenu: {
        auto* submenu = new QMenu(&menu);
        DrawMenu(SubmenuOf(entry), *submenu, drawing);
        menu.addMenu(submenu);
        break;
      }
      case MenuEntry::Kind::kList: {
        QMenu* submenu = menu.addMenu(MenuText(entry));
        submenu->setObjectName(
            QString::fromUtf8(entry.name.data(), static_cast<qsizetype>(entry.name.size())));
        if (drawing.fill_list) {
          drawing.fill_list(entry, *submenu);
        } else {
          submenu->setEnabled(false);
        }
        break;
      }
      case MenuEntry::Kind::kCommand: {
        const bool checkable = (entry.flags & MenuEntry::kCheck) != 0;
        if (drawing.add_command) {
          drawing.add_command(menu, entry.command, MenuText(entry), checkable);
        } else {
          QAction* action = menu.addAction(MenuText(entry));
          action->setData(entry.command.value());
          action->setCheckable(checkable);
        }
        break;
      }
    }
  }
}

std::unique_ptr<QMenu> MakeMenu(MenuId id, QWidget* parent, const MenuDrawing& drawing) {
  auto menu = std::make_unique<QMenu>(parent);
  DrawMenu(id, *menu, drawing);
  return menu;
}

}  // namespace tolvane
