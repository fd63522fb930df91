#pragma once

#include <span>
#include <string>
#include <string_view>

#include "core/commands/command_id.h"

namespace tolvane {

// The entries a menu generates when it opens, from the state of the moment:
// the engine tree, the tab tree, the shown page's history, the encodings.
enum class MenuList {
  kNone,
  kEngines,      // the engine tree, categories as submenus; runs the entry's command
  kTabSwitch,    // the tab tree's groups and tabs; choosing one switches to it
  kPageHistory,  // the shown page's history, back and forward
  kEncodings,    // the page encodings, the page's own checked
};

// One entry of a menu model. Its text is the numbered string `text_id`
// when given, else the command's name with "(&key)" and "..." added:
//
//   {command::kCloseCategoryTab, 'C'}        → カテゴリタブを閉じる(&C)
//   {command::kZoomCustom, 'C', kDialog}     → カスタム(&C)...
//   Separator()                              → a line
//   Submenu(MenuId::kZoom)                   → the title of that model
//   List(MenuList::kEngines, 61040, command) → a submenu filled on opening
struct MenuEntry {
  enum class Kind { kCommand, kSeparator, kSubmenu, kList };
  enum Flag { kPlain = 0, kCheck = 1, kDialog = 2 };

  Kind kind = Kind::kCommand;
  CommandId command;
  char key = 0;
  int flags = kPlain;
  int text_id = 0;
  // kSubmenu: the index of the model it opens (a MenuId).
  int submenu = -1;
  MenuList list = MenuList::kNone;
  // kList: the object name of its submenu.
  std::string_view name;
};

// A menu: its object name (how the window and tests find it), its title
// (a numbered string; 0 for a menu that only pops up) and its entries.
struct MenuModel {
  std::string_view name;
  int title_id = 0;
  std::span<const MenuEntry> entries;
};

// The text an entry shows, Shift_JIS, with its access key; without the
// shortcut, which the command table names.
std::string MenuEntryText(const MenuEntry& entry);
std::string MenuTitle(const MenuModel& model);

// The access key of a menu text ("検索(&S)" → 'S', upper-cased); 0 when it
// has none. "&&" is a plain "&".
char AccessKey(std::string_view sjis_text);

}  // namespace tolvane
