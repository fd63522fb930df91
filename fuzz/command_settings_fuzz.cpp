// Reads arbitrary bytes as the stored shortcuts and gestures of the command
// table and checks that whatever is taken is a valid binding or gesture, that
// the table writes back what it read, and that the accelerators stay within
// their limit.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <string>

#include "core/commands/accelerator_table.h"
#include "core/commands/command_table.h"
#include "core/commands/key_name_table.h"
#include "core/commands/shortcut_text.h"
#include "fuzz_support.h"

using tolvane::CommandTable;
using tolvane::fuzz::Check;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  const std::string shortcuts = input.ConsumeRandomLengthString(2048);
  const std::string gestures = input.ConsumeRemainingBytesAsString();

  CommandTable table;
  table.ApplyShortcuts(shortcuts);
  table.ApplyGestures(gestures);
  Check(table.entries().size() == tolvane::CommandTable().entries().size());
  for (const tolvane::CommandEntry& entry : table.entries()) {
    for (const tolvane::KeyBinding& key : entry.keys) {
      Check((key.modifiers & ~tolvane::modifier::kAll) == 0 && key.modifiers >= 0);
      Check(key.empty() ? key.modifiers == 0 : !tolvane::KeyNameTable::KeyName(key.key).empty());
    }
    Check(tolvane::IsGestureText(entry.gestures));
  }

  // What the table writes reads back to the same table, and reading is
  // idempotent.
  CommandTable reread;
  reread.ApplyShortcuts(table.ShortcutsText());
  reread.ApplyGestures(table.GesturesText());
  Check(reread.Listing() == table.Listing());
  table.ApplyShortcuts(shortcuts);
  table.ApplyGestures(gestures);
  Check(reread.Listing() == table.Listing());

  Check(tolvane::AcceleratorTable(table).size() <=
        static_cast<std::size_t>(CommandTable::kMaxAccelerators));
  return 0;
}
