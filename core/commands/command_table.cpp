#include "core/commands/command_table.h"

#include <charconv>

#include "core/commands/command_dispatcher.h"
#include "core/commands/default_commands.h"
#include "core/commands/key_name_table.h"
#include "core/commands/shortcut_text.h"
#include "core/files/setting_keys.h"
#include "core/files/string_table.h"

namespace tolvane {
namespace {

constexpr int kSeparatorString = 177;

std::vector<std::string_view> Split(std::string_view text, char separator) {
  std::vector<std::string_view> parts;
  std::size_t start = 0;
  while (true) {
    const std::size_t end = text.find(separator, start);
    if (end == std::string_view::npos) {
      parts.push_back(text.substr(start));
      return parts;
    }
    parts.push_back(text.substr(start, end - start));
    start = end + 1;
  }
}

std::optional<int> ParseDecimal(std::string_view field) {
  int value = 0;
  const char* end = field.data() + field.size();
  auto [ptr, ec] = std::from_chars(field.data(), end, value);
  if (field.empty() || ec != std::errc() || ptr != end) return std::nullopt;
  return value;
}

std::optional<KeyBinding> ParseBinding(std::string_view modifiers, std::string_view key) {
  const std::optional<int> m = ParseDecimal(modifiers);
  const std::optional<int> k = ParseDecimal(key);
  if (!m || !k || (*m & ~modifier::kAll) != 0 || *m < 0) return std::nullopt;
  if (*k == 0) return KeyBinding{};
  if (KeyNameTable::KeyName(*k).empty()) return std::nullopt;
  return KeyBinding{*m, *k};
}

}  // namespace

CommandTable::CommandTable() : entries_(DefaultCommands()) {}

int CommandTable::IndexOf(CommandId id) const {
  for (std::size_t i = 0; i < entries_.size(); ++i) {
    if (entries_[i].id == id) return static_cast<int>(i);
  }
  return -1;
}

void CommandTable::Load(const SettingsStore& settings) {
  entries_ = DefaultCommands();
  ApplyGestures(Read(settings, settings::kMouseGestureCustom));
  ApplyShortcuts(Read(settings, settings::kShortCutCustom));
}

bool CommandTable::Save(SettingsStore& settings) const {
  const bool shortcuts = Write(settings, settings::kShortCutCustom, ShortcutsText());
  const bool gestures = Write(settings, settings::kMouseGestureCustom, GesturesText());
  return shortcuts && gestures;
}

std::string CommandTable::ShortcutsText() const {
  const std::vector<CommandEntry>& defaults = DefaultCommands();
  std::string text;
  for (std::size_t i = 0; i < entries_.size(); ++i) {
    const CommandEntry& e = entries_[i];
    const bool bound = !e.keys[0].empty() || !e.keys[1].empty();
    const bool bound_by_default = !defaults[i].keys[0].empty() || !defaults[i].keys[1].empty();
    if (!bound && !bound_by_default) continue;
    if (!text.empty()) text += ';';
    text += std::to_string(e.id.value()) + '.' + std::to_string(e.keys[0].modifiers) + '.' +
            std::to_string(e.keys[0].key) + '.' + std::to_string(e.keys[1].modifiers) + '.' +
            std::to_string(e.keys[1].key);
  }
  return text;
}

std::string CommandTable::GesturesText() const {
  const std::vector<CommandEntry>& defaults = DefaultCommands();
  std::string text;
  for (std::size_t i = 0; i < entries_.size(); ++i) {
    const CommandEntry& e = entries_[i];
    if (e.gestures.empty() && defaults[i].gestures.empty()) continue;
    if (!text.empty()) text += ';';
    text += std::to_string(e.id.value()) + '.' + e.gestures;
  }
  return text;
}

void CommandTable::ApplyShortcuts(std::string_view text) {
  for (std::string_view part : Split(text, ';')) {
    const std::vector<std::string_view> fields = Split(part, '.');
    if (fields.size() < 5) continue;
    const std::optional<int> id = ParseDecimal(fields[0]);
    const std::optional<KeyBinding> first = ParseBinding(fields[1], fields[2]);
    const std::optional<KeyBinding> second = ParseBinding(fields[3], fields[4]);
    if (!id || !first || !second) continue;
    for (CommandEntry& e : entries_) {
      if (e.id.value() == *id) {
        e.keys[0] = *first;
        e.keys[1] = *second;
      }
    }
  }
}

void CommandTable::ApplyGestures(std::string_view text) {
  for (std::string_view part : Split(text, ';')) {
    const std::vector<std::string_view> fields = Split(part, '.');
    if (fields.size() < 2 || !IsGestureText(fields[1])) continue;
    const std::optional<int> id = ParseDecimal(fields[0]);
    if (!id) continue;
    for (CommandEntry& e : entries_) {
      if (e.id.value() == *id) e.gestures = std::string(fields[1]);
    }
  }
}

void CommandTable::ResetShortcuts() {
  const std::vector<CommandEntry>& defaults = DefaultCommands();
  for (std::size_t i = 0; i < entries_.size(); ++i) {
    entries_[i].keys[0] = defaults[i].keys[0];
    entries_[i].keys[1] = defaults[i].keys[1];
  }
}

void CommandTable::ResetGestures() {
  const std::vector<CommandEntry>& defaults = DefaultCommands();
  for (std::size_t i = 0; i < entries_.size(); ++i) entries_[i].gestures = defaults[i].gestures;
}

CommandTable::ShortcutResult CommandTable::SetShortcut(int index, KeyBinding first,
                                                       KeyBinding second) {
  auto taken = [&](KeyBinding binding) {
    if (binding.empty()) return false;
    for (std::size_t i = 0; i < entries_.size(); ++i) {
      if (static_cast<int>(i) == index) continue;
      if (entries_[i].keys[0] == binding || entries_[i].keys[1] == binding) return true;
    }
    return false;
  };
  if (taken(first)) return ShortcutResult::kFirstConflicts;
  if (taken(second)) return ShortcutResult::kSecondConflicts;
  CommandEntry& e = entries_.at(index);
  e.keys[0] = first.empty() ? KeyBinding{} : first;
  e.keys[1] = second.empty() ? KeyBinding{} : second;
  return ShortcutResult::kStored;
}

CommandTable::GestureResult CommandTable::SetGestures(int index, std::string_view text,
                                                      const CommandDispatcher& dispatcher) {
  if (!IsGestureText(text)) return GestureResult::kInvalid;
  for (std::string_view alternative : Split(text, ',')) {
    if (dispatcher.Dispatch(MatchKind::kGesture, alternative, true,
                            Owner{OwnerType::kCommand, index})) {
      return GestureResult::kConflict;
    }
  }
  entries_.at(index).gestures = std::string(text);
  return GestureResult::kStored;
}

std::optional<CommandId> CommandTable::FindCommand(std::string_view text,
                                                   int excluded_index) const {
  for (std::size_t i = 0; i < entries_.size(); ++i) {
    if (static_cast<int>(i) == excluded_index) continue;
    if (HasAlternative(entries_[i].gestures, text)) return entries_[i].id;
  }
  return std::nullopt;
}

std::string CommandTable::KeyText(KeyBinding binding) {
  if (binding.empty()) return {};
  std::string text;
  if (binding.modifiers & modifier::kShift) text += "Shift+";
  if (binding.modifiers & modifier::kCtrl) text += "Ctrl+";
  if (binding.modifiers & modifier::kAlt) text += "Alt+";
  text += KeyNameTable::KeyName(binding.key);
  return text;
}

std::pair<std::string, std::string> CommandTable::KeyTexts(int index) const {
  const CommandEntry& e = entries_.at(index);
  return {KeyText(e.keys[0]), KeyText(e.keys[1])};
}

std::optional<KeyBinding> CommandTable::BindingFromName(std::string_view name, int modifiers) {
  if (name.empty()) {
    if (modifiers != 0) return std::nullopt;
    return KeyBinding{};
  }
  const int code = KeyNameTable::KeyCode(name);
  if (code == 0 || (modifiers & ~modifier::kAll) != 0) return std::nullopt;
  return KeyBinding{modifiers, code};
}

std::string CommandTable::ActionName(CommandId id) {
  if (id.value() == -1) return LoadString(kSeparatorString);
  const std::string& text = LoadString(id.value());
  const std::size_t first = text.find('\n');
  if (first == std::string::npos) return text;
  return text.substr(text.rfind('\n') + 1);
}

std::string CommandTable::Description(CommandId id) {
  if (id.value() == -1) return LoadString(kSeparatorString);
  const std::string& text = LoadString(id.value());
  return text.substr(0, text.find('\n'));
}

std::string CommandTable::Describe(int index) const {
  const CommandEntry& e = entries_.at(index);
  return std::to_string(e.id.value()) + ' ' + KeyText(e.keys[0]) + '|' + KeyText(e.keys[1]) + '|' +
         e.gestures;
}

std::string CommandTable::Listing() const {
  std::string listing;
  for (std::size_t i = 0; i < entries_.size(); ++i) {
    listing += Describe(static_cast<int>(i)) + '\n';
  }
  return listing;
}

}  // namespace tolvane
