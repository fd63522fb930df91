#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/commands/command_entry.h"
#include "core/files/settings_store.h"

namespace tolvane {

class CommandDispatcher;

// The 79 commands a key, a gesture or a menu can run, with their two key
// bindings and their gestures. Made from the default table; the user's
// changes are kept in "OptionShortCut"/"Custon" and
// "OptionMouseGesture"/"Custon":
//
//   shortcuts: "32791.16.37.0.8;32798.0.122.0.0"  (id.mods1.key1.mods2.key2)
//   gestures:  "32791.←;32799.↑←↓,←←"              (id.gestures)
//
// An entry is written when it has a binding (a gesture), or when the user
// took away every binding (gesture) of a command that has one by default,
// so that the removal survives the next start ("32898.0.0.0.0", "32791.").
// Entries not written keep their defaults when read.
class CommandTable {
 public:
  static constexpr int kMaxAccelerators = 158;

  enum class ShortcutResult { kStored = 0, kFirstConflicts = 1, kSecondConflicts = 2 };
  enum class GestureResult { kStored, kConflict, kInvalid };

  // The default table.
  CommandTable();

  const std::vector<CommandEntry>& entries() const { return entries_; }
  const CommandEntry& entry(int index) const { return entries_.at(index); }
  // -1 when the table has no such command.
  int IndexOf(CommandId id) const;

  // Defaults, then the stored gestures and shortcuts.
  void Load(const SettingsStore& settings);
  // Writes both keys; false when either write failed (both are tried).
  bool Save(SettingsStore& settings) const;

  // The stored formats. Apply* takes every part that fits and skips the
  // others: a part needs 5 (shortcuts) or 2 (gestures) "."-separated fields,
  // a decimal command id of the table, modifiers of Shift/Ctrl/Alt only and
  // keys of the KeyNameTable (shortcuts), arrows and "," only (gestures).
  std::string ShortcutsText() const;
  std::string GesturesText() const;
  void ApplyShortcuts(std::string_view text);
  void ApplyGestures(std::string_view text);

  void ResetShortcuts();
  void ResetGestures();

  // Stores the two bindings of entry `index` unless a non-empty one equals a
  // binding of another entry (first binding checked first); nothing is
  // stored on a conflict.
  ShortcutResult SetShortcut(int index, KeyBinding first, KeyBinding second);
  // Stores the gestures of entry `index` unless the text holds anything but
  // arrows and ",", or one of its alternatives is owned by another command
  // or by an engine, engine folder, tab or tab folder (`dispatcher`, checked
  // without running anything).
  GestureResult SetGestures(int index, std::string_view text, const CommandDispatcher& dispatcher);

  // The command whose gestures have `text` as an alternative, skipping
  // entry `excluded_index` (-1 skips none).
  std::optional<CommandId> FindCommand(std::string_view text, int excluded_index) const;

  // "Shift+Ctrl+Alt+X" (modifiers in that order); "" for an empty binding.
  static std::string KeyText(KeyBinding binding);
  std::pair<std::string, std::string> KeyTexts(int index) const;
  // A binding typed on the option page: key name and modifier bits. Empty
  // when the name is not in the KeyNameTable, or is empty while a modifier is
  // set (string 1025); an empty name alone is "no binding".
  static std::optional<KeyBinding> BindingFromName(std::string_view name, int modifiers);

  // Texts from the command's numbered string "description\nname…": the
  // action name is its last segment after the first (the whole string when
  // it has no "\n"); id -1 is the separator, string 177.
  static std::string ActionName(CommandId id);
  static std::string Description(CommandId id);

  // "32791 Alt+←|Backspace|←" for entry `index`, for tests and tools.
  std::string Describe(int index) const;
  // Describe() of every entry, one line each.
  std::string Listing() const;

 private:
  std::vector<CommandEntry> entries_;
};

}  // namespace tolvane
