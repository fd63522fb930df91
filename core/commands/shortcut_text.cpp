#include "core/commands/shortcut_text.h"

#include "core/commands/key_name_table.h"

namespace tolvane {

std::string_view Arrow(Direction direction) {
  switch (direction) {
    case Direction::kUp:
      return KeyNameTable::KeyName(vk::kUp);
    case Direction::kDown:
      return KeyNameTable::KeyName(vk::kDown);
    case Direction::kLeft:
      return KeyNameTable::KeyName(vk::kLeft);
    case Direction::kRight:
      return KeyNameTable::KeyName(vk::kRight);
  }
  return {};
}

bool EndsWithTwo(std::string_view text, std::string_view arrow) {
  return text.size() >= 2 * arrow.size() && text.ends_with(arrow) &&
         text.substr(0, text.size() - arrow.size()).ends_with(arrow);
}

bool IsGestureText(std::string_view text) {
  constexpr Direction kAll[] = {Direction::kUp, Direction::kDown, Direction::kLeft,
                                Direction::kRight};
  while (!text.empty()) {
    if (text.front() == ',') {
      text.remove_prefix(1);
      continue;
    }
    bool arrow = false;
    for (Direction d : kAll) {
      if (text.starts_with(Arrow(d))) {
        text.remove_prefix(Arrow(d).size());
        arrow = true;
        break;
      }
    }
    if (!arrow) return false;
  }
  return true;
}

bool IsTypedShortcutText(std::string_view text) {
  for (char c : text) {
    if (c != ',' && (c < 'a' || c > 'z')) return false;
  }
  return true;
}

namespace {

// True when `test` holds for one of the non-empty alternatives of `field`.
template <typename Test>
bool AnyAlternative(std::string_view field, Test test) {
  std::size_t start = 0;
  while (start <= field.size()) {
    std::size_t end = field.find(',', start);
    if (end == std::string_view::npos) end = field.size();
    const std::string_view alternative = field.substr(start, end - start);
    if (!alternative.empty() && test(alternative)) return true;
    start = end + 1;
  }
  return false;
}

}  // namespace

bool HasAlternative(std::string_view field, std::string_view text) {
  return AnyAlternative(field, [&](std::string_view a) { return a == text; });
}

bool LettersOverlap(std::string_view field, std::string_view other) {
  return AnyAlternative(field, [&](std::string_view a) {
    return AnyAlternative(other,
                          [&](std::string_view b) { return a.starts_with(b) || b.starts_with(a); });
  });
}

bool MayBeTypedOn(std::string_view field, std::string_view typed) {
  return !typed.empty() &&
         AnyAlternative(field, [&](std::string_view a) { return a.starts_with(typed); });
}

}  // namespace tolvane
