#include "core/commands/menu_model.h"

#include "core/commands/command_table.h"
#include "core/files/string_table.h"
#include "core/text/cp932_tables.h"

namespace tolvane {

std::string MenuEntryText(const MenuEntry& entry) {
  if (entry.text_id != 0) return LoadString(entry.text_id);
  std::string text = CommandTable::ActionName(entry.command);
  if (entry.key != 0) text += std::string("(&") + entry.key + ")";
  if ((entry.flags & MenuEntry::kDialog) != 0) text += "...";
  return text;
}

std::string MenuTitle(const MenuModel& model) { return LoadString(model.title_id); }

char AccessKey(std::string_view sjis_text) {
  for (std::size_t i = 0; i + 1 < sjis_text.size(); ++i) {
    const auto byte = static_cast<unsigned char>(sjis_text[i]);
    if (cp932::IsLead(byte)) {
      ++i;
      continue;
    }
    if (sjis_text[i] != '&') continue;
    const char next = sjis_text[i + 1];
    if (next == '&') {
      ++i;
      continue;
    }
    return next >= 'a' && next <= 'z' ? static_cast<char>(next - 'a' + 'A') : next;
  }
  return 0;
}

}  // namespace tolvane
