#include "core/commands/command_dispatcher.h"

#include "core/commands/command_table.h"
#include "core/commands/shortcut_text.h"
#include "core/files/string_table.h"

namespace tolvane {
namespace {

constexpr int kNotAShortcut = 1014;
constexpr int kShortcutOwnedElsewhere = 1016;
constexpr int kGestureOwnedElsewhere = 1017;

constexpr OwnerType kItemOwners[] = {OwnerType::kEngineFolder, OwnerType::kEngine,
                                     OwnerType::kTabFolder, OwnerType::kTab};

}  // namespace

bool CommandDispatcher::Dispatch(MatchKind kind, std::string_view text, bool check_only,
                                 std::optional<Owner> excluded) const {
  if (text.empty()) return false;
  bool found = false;
  for (OwnerType type : kItemOwners) {
    // Folders all run; the first engine or tab ends the search.
    const bool every_match = type == OwnerType::kEngineFolder || type == OwnerType::kTabFolder;
    const int count = owners_.OwnerCount(type);
    for (int i = 0; i < count; ++i) {
      if (excluded && *excluded == Owner{type, i}) continue;
      if (!HasAlternative(owners_.OwnerField(type, i, kind), text)) continue;
      if (check_only) return true;
      owners_.RunOwner(type, i);
      if (!every_match) return true;
      found = true;
    }
  }
  const int excluded_index =
      excluded && excluded->type == OwnerType::kCommand ? excluded->index : -1;
  const std::optional<CommandId> id = table_.FindCommand(text, excluded_index);
  if (!id) return found;  // a folder that ran counts as found
  if (!check_only) owners_.RunCommand(*id);
  return true;
}

bool CommandDispatcher::AnyAlternativeOwned(MatchKind kind, std::string_view field,
                                            Owner item) const {
  std::size_t start = 0;
  while (start <= field.size()) {
    std::size_t end = field.find(',', start);
    if (end == std::string_view::npos) end = field.size();
    if (Dispatch(kind, field.substr(start, end - start), true, item)) return true;
    start = end + 1;
  }
  return false;
}

std::optional<std::pair<Owner, std::string_view>> CommandDispatcher::LetterHolder(
    std::string_view field, Owner item) const {
  for (OwnerType type : kItemOwners) {
    const int count = owners_.OwnerCount(type);
    for (int i = 0; i < count; ++i) {
      if (item == Owner{type, i}) continue;
      const std::string_view letters = owners_.OwnerField(type, i, MatchKind::kTypedShortcut);
      if (LettersOverlap(letters, field)) return std::pair{Owner{type, i}, letters};
    }
  }
  return std::nullopt;
}

CommandDispatcher::ItemCheck CommandDispatcher::CheckItem(Owner item,
                                                          std::string_view typed_shortcut,
                                                          std::string_view gestures) const {
  if (!IsTypedShortcutText(typed_shortcut)) return {kNotAShortcut, LoadString(kNotAShortcut)};
  if (const auto holder = LetterHolder(typed_shortcut, item)) {
    const auto [owner, letters] = *holder;
    return {kShortcutOwnedElsewhere,
            LoadString(kShortcutOwnedElsewhere) + '\n' +
                FormatString(string_id::kLettersHolder,
                             {owners_.OwnerName(owner.type, owner.index), letters})};
  }
  if (AnyAlternativeOwned(MatchKind::kGesture, gestures, item)) {
    return {kGestureOwnedElsewhere, LoadString(kGestureOwnedElsewhere)};
  }
  return {};
}

bool CommandDispatcher::LettersMayGoOn(std::string_view typed) const {
  for (OwnerType type : kItemOwners) {
    const int count = owners_.OwnerCount(type);
    for (int i = 0; i < count; ++i) {
      if (MayBeTypedOn(owners_.OwnerField(type, i, MatchKind::kTypedShortcut), typed)) return true;
    }
  }
  return false;
}

}  // namespace tolvane
