#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "core/commands/command_id.h"

namespace tolvane {

class CommandTable;

// Kinds of items that own typed shortcuts and gestures, with their two-letter
// codes: "EF" engine folder, "EE" engine, "TF" tab folder, "TE" tab, "" a
// command of the command table.
enum class OwnerType { kEngineFolder, kEngine, kTabFolder, kTab, kCommand };

// What a text is matched against: the typed-shortcut fields or the gesture
// fields. Commands have gestures only.
enum class MatchKind { kTypedShortcut = 0, kGesture = 1 };

// One owner: its type and its index (row of the engine list or tab list,
// entry of the command table).
struct Owner {
  OwnerType type = OwnerType::kCommand;
  int index = -1;
  friend bool operator==(const Owner&, const Owner&) = default;
};

// What the engine list, the tab tree and the frame give the dispatcher:
// the fields of the engines, engine folders, tabs and tab folders, and how
// an owner or a command is run.
class ShortcutOwners {
 public:
  virtual ~ShortcutOwners() = default;

  // Number of owners of `type` (never asked for kCommand).
  virtual int OwnerCount(OwnerType type) const = 0;
  // The typed-shortcut or gesture field of one owner.
  virtual std::string_view OwnerField(OwnerType type, int index, MatchKind kind) const = 0;
  // The name a refusal gives for an owner (Shift_JIS); empty when unknown.
  virtual std::string OwnerName(OwnerType, int) const { return {}; }
  // Engine or engine folder: select it in the search tree and run
  // command::kSearchSelectedEngine. Tab folder: select and open it in the tab
  // tree. Tab: select and activate it, then search it with the search bar's
  // keyword.
  virtual void RunOwner(OwnerType type, int index) = 0;
  // A command found by its gesture (origin: key, typed shortcut or gesture).
  virtual void RunCommand(CommandId id) = 0;
};

// Decides who owns a typed shortcut or a gesture, in this order, and runs
// it unless only checking:
//   1. engine folders: every match runs (checking: the first match answers);
//   2. engines: the first match runs and ends the search;
//   3. tab folders: every match runs;
//   4. tabs: the first match runs and ends the search;
//   5. commands, by their gestures: the first match runs.
// The `excluded` owner is skipped, so an item being edited never conflicts
// with itself.
class CommandDispatcher {
 public:
  CommandDispatcher(const CommandTable& table, ShortcutOwners& owners)
      : table_(table), owners_(owners) {}

  // True when an owner was found (and, unless check_only, run); a folder
  // that ran counts, so the typed-shortcut mode ends after it.
  bool Dispatch(MatchKind kind, std::string_view text, bool check_only,
                std::optional<Owner> excluded = std::nullopt) const;

  // The checks of an item's fields in the engine and tab dialogs: 0 when
  // they may be stored, else the string id of the message: 1014 (typed
  // shortcut not made of "a"-"z" and ","), 1016 (an alternative of the
  // typed shortcut is owned elsewhere), 1017 (one of the gestures is).
  //
  // Typed letters are refused when an alternative equals, starts or starts
  // with an alternative of another owner (LettersOverlap): typing runs the
  // first owner whose letters are whole, so the longer could never be
  // reached. Lists that already hold such pairs run as they are.
  int CheckItemFields(Owner item, std::string_view typed_shortcut,
                      std::string_view gestures) const {
    return CheckItem(item, typed_shortcut, gestures).message;
  }

  // The same check with the text to show: the message and, for letters,
  // the owner that holds them ("登録先：楽天市場（kou）").
  struct ItemCheck {
    int message = 0;
    std::string text;  // Shift_JIS; empty when the fields may be stored
  };
  ItemCheck CheckItem(Owner item, std::string_view typed_shortcut, std::string_view gestures) const;

  // True when some owner's letters start with `typed`, so typing on may
  // still reach one.
  bool LettersMayGoOn(std::string_view typed) const;

 private:
  bool AnyAlternativeOwned(MatchKind kind, std::string_view field, Owner item) const;
  // The first owner other than `item` whose letters overlap an alternative
  // of `field`, with its letters.
  std::optional<std::pair<Owner, std::string_view>> LetterHolder(std::string_view field,
                                                                 Owner item) const;

  const CommandTable& table_;
  ShortcutOwners& owners_;
};

}  // namespace tolvane
