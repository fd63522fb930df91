#pragma once

#include <QMenu>
#include <QString>
#include <functional>
#include <memory>

#include "core/frame/menu_models.h"

namespace tolvane {

// How a window draws the menu models: who makes a command's action and who
// fills the generated lists.
struct MenuDrawing {
  // Makes the action of a command entry and adds it to `menu`. Without it
  // a plain action whose data() is the command id is added; the caller runs
  // the chosen one.
  std::function<QAction*(QMenu& menu, CommandId id, const QString& text, bool checkable)>
      add_command;
  // Hooks up a list entry's submenu, made with its title and object name.
  // Without it the submenu stays empty and disabled for the caller to fill.
  std::function<void(const MenuEntry& entry, QMenu& submenu)> fill_list;
};

// The one way a menu model becomes a QMenu: entries in order, submenus
// drawn the same way, texts with their access keys.
void DrawMenu(MenuId id, QMenu& menu, const MenuDrawing& drawing = {});
std::unique_ptr<QMenu> MakeMenu(MenuId id, QWidget* parent = nullptr,
                                const MenuDrawing& drawing = {});

QString MenuText(const MenuEntry& entry);

}  // namespace tolvane
