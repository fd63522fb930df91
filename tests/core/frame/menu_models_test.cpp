#include "core/frame/menu_models.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "core/commands/command_table.h"
#include "core/text/charset_converter.h"

namespace tolvane {
namespace {

constexpr int kMenuCount = static_cast<int>(MenuId::kCount);

std::string EntryText(const MenuEntry& entry) {
  return entry.kind == MenuEntry::Kind::kSubmenu ? MenuTitle(Menu(SubmenuOf(entry)))
                                                 : MenuEntryText(entry);
}

bool Shared(MenuId menu, CommandId first, CommandId second) {
  for (const SharedAccessKey& shared : SharedAccessKeys()) {
    if (shared.menu == menu && ((shared.first == first && shared.second == second) ||
                                (shared.first == second && shared.second == first))) {
      return true;
    }
  }
  return false;
}

// Two entries of one menu level with one access key: the key only ever
// reaches the first. The listed pairs are the system's own texts.
TEST(MenuModelsTest, NoTwoEntriesOfAMenuShareAnAccessKey) {
  std::string clashes;
  int shared = 0;
  for (int m = 0; m < kMenuCount; ++m) {
    const auto menu = static_cast<MenuId>(m);
    std::map<char, const MenuEntry*> seen;
    for (const MenuEntry& entry : Menu(menu).entries) {
      if (entry.kind == MenuEntry::Kind::kSeparator) continue;
      const char key = AccessKey(EntryText(entry));
      if (key == 0) continue;
      const auto [it, added] = seen.emplace(key, &entry);
      if (added) continue;
      if (Shared(menu, it->second->command, entry.command)) {
        ++shared;
        continue;
      }
      clashes += std::string(Menu(menu).name) + ": " + SjisToUtf8(EntryText(*it->second)) + " / " +
                 SjisToUtf8(EntryText(entry)) + "\n";
    }
  }
  EXPECT_EQ(clashes, "");
  EXPECT_EQ(shared, static_cast<int>(SharedAccessKeys().size()));
  EXPECT_EQ(AccessKey(Utf8ToSjis("A&&B(&t)")), 'T');
  EXPECT_EQ(AccessKey(Utf8ToSjis("表示")), 0);
}

// Every command a menu lists has a name and every menu its text; a
// submenu opens a model that has a title.
TEST(MenuModelsTest, EveryEntryHasItsCommandsTextAndEveryTitleIsWritten) {
  const CommandTable table;
  std::string missing;
  int listed_in_table = 0;
  for (int m = 0; m < kMenuCount; ++m) {
    const MenuModel& menu = Menu(static_cast<MenuId>(m));
    for (const MenuEntry& entry : menu.entries) {
      const std::string where = std::string(menu.name) + " ";
      switch (entry.kind) {
        case MenuEntry::Kind::kSeparator:
          break;
        case MenuEntry::Kind::kSubmenu:
          if (MenuTitle(Menu(SubmenuOf(entry))).empty()) missing += where + "submenu\n";
          break;
        case MenuEntry::Kind::kList:
          if (MenuEntryText(entry).empty() || entry.name.empty()) missing += where + "list\n";
          break;
        case MenuEntry::Kind::kCommand:
          if (CommandTable::ActionName(entry.command).empty() || MenuEntryText(entry).empty()) {
            missing += where + std::to_string(entry.command.value()) + "\n";
          }
          if (table.IndexOf(entry.command) >= 0) ++listed_in_table;
          break;
      }
    }
  }
  EXPECT_EQ(missing, "");
  EXPECT_GT(listed_in_table, 0);
  EXPECT_EQ(SjisToUtf8(MenuEntryText(Menu(MenuId::kZoom).entries.back())),
            "100% → 125% → 150%(&Y)");
}

}  // namespace
}  // namespace tolvane
