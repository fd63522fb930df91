#include "core/files/ini_document.h"

#include <algorithm>
#include <unordered_set>
#include <utility>

#include "core/files/record_fields.h"
#include "core/text/cp932_tables.h"

namespace tolvane {
namespace {

constexpr std::size_t kNone = static_cast<std::size_t>(-1);
constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f'; }

// None of the blank bytes can be the second byte of a double-byte
// character, so trimming bytes never splits one.
std::string_view Trim(std::string_view s) {
  std::size_t begin = 0;
  while (begin < s.size() && IsBlank(s[begin])) ++begin;
  std::size_t end = s.size();
  while (end > begin && IsBlank(s[end - 1])) --end;
  return s.substr(begin, end - begin);
}

bool IsBlankLine(std::string_view s) { return Trim(s).empty(); }

using cp932::IsLead;

// Bytes of the character starting at s[i]: 2 for a lead byte followed by a
// valid second byte, else 1 (a stray lead byte stands alone).
std::size_t CharLength(std::string_view s, std::size_t i) {
  return cp932::IsDoubleByteAt(s, i) ? 2 : 1;
}

char FoldAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool EqualNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  std::size_t i = 0;
  while (i < a.size()) {
    const std::size_t len = CharLength(a, i);
    if (CharLength(b, i) != len) return false;
    if (len == 2) {
      if (a[i] != b[i] || a[i + 1] != b[i + 1]) return false;
    } else if (FoldAscii(a[i]) != FoldAscii(b[i])) {
      return false;
    }
    i += len;
  }
  return true;
}

// A form of the name under which equal names are identical strings.
std::string FoldName(std::string_view s) {
  std::string out(s);
  for (std::size_t i = 0; i < out.size();) {
    const std::size_t len = CharLength(out, i);
    if (len == 1) out[i] = FoldAscii(out[i]);
    i += len;
  }
  return out;
}

// Position of the last "]" that is a character of its own, or kNone.
std::size_t FindClosingBracket(std::string_view s, std::size_t from) {
  std::size_t found = kNone;
  for (std::size_t i = from; i < s.size(); i += CharLength(s, i)) {
    if (s[i] == ']') found = i;
  }
  return found;
}

bool HasLineBreakOrNul(std::string_view s) {
  return s.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos;
}

bool EndsInsideDoubleByte(std::string_view s) {
  std::size_t i = 0;
  std::size_t last_len = 0;
  while (i < s.size()) {
    last_len = CharLength(s, i);
    i += last_len;
  }
  return last_len == 1 && IsLead(static_cast<unsigned char>(s.back()));
}

}  // namespace

IniDocument::Line IniDocument::Classify(std::string text) {
  Line line;
  line.text = std::move(text);
  std::string_view s = line.text;
  std::size_t p = 0;
  while (p < s.size() && IsBlank(s[p])) ++p;
  if (p == s.size() || s[p] == ';') return line;
  if (s[p] == '[') {
    const std::size_t close = FindClosingBracket(s, p + 1);
    if (close != kNone) {
      line.kind = LineKind::kSection;
      line.name = Trim(s.substr(p + 1, close - p - 1));
    }
    return line;
  }
  const std::size_t eq = s.find('=', p);  // '=' is never a second byte
  if (eq == std::string_view::npos) return line;
  std::string_view key = Trim(s.substr(p, eq - p));
  if (key.empty()) return line;
  line.kind = LineKind::kKey;
  line.name = key;
  line.value_begin = eq + 1;
  return line;
}

IniDocument::Line IniDocument::MakeKeyLine(std::string_view key, std::string_view value) {
  std::string text;
  text.reserve(key.size() + 1 + value.size());
  text.append(key).append("=").append(value);
  return Classify(std::move(text));
}

IniDocument::Line IniDocument::MakeSectionLine(std::string_view section) {
  std::string text;
  text.reserve(section.size() + 2);
  text.append("[").append(section).append("]");
  return Classify(std::move(text));
}

IniDocument IniDocument::Parse(std::string_view bytes) {
  IniDocument doc;
  if (bytes.starts_with(kUtf8ByteOrderMark)) {
    doc.byte_order_mark_ = true;
    bytes.remove_prefix(kUtf8ByteOrderMark.size());
  }
  doc.lines_.reserve(static_cast<std::size_t>(std::count(bytes.begin(), bytes.end(), '\n')) + 1);
  std::size_t start = 0;
  while (start < bytes.size()) {
    // A line ends at CR LF, LF or a CR alone (files saved with old Mac line ends).
    std::size_t end = bytes.find_first_of("\r\n", start);
    if (end == std::string_view::npos) end = bytes.size();
    std::size_t next = end;
    if (next < bytes.size() && bytes[next] == '\r') ++next;
    if (next < bytes.size() && bytes[next] == '\n') ++next;
    doc.lines_.push_back(Classify(std::string(bytes.substr(start, end - start))));
    start = next;
  }
  return doc;
}

const IniDocument::IndexedSection* IniDocument::Indexed(std::string_view section) const {
  if (!indexed_) {
    // One pass; the first section of a name and its first key win.
    IndexedSection* current = nullptr;
    for (std::size_t i = 0; i < lines_.size(); ++i) {
      const Line& line = lines_[i];
      if (line.kind == LineKind::kSection) {
        const auto [it, added] = index_.try_emplace(FoldName(line.name));
        if (added) it->second.header = i;
        current = added ? &it->second : nullptr;
      } else if (line.kind == LineKind::kKey && current != nullptr) {
        current->keys.try_emplace(FoldName(line.name), i);
      }
    }
    indexed_ = true;
  }
  const auto it = index_.find(FoldName(section));
  return it == index_.end() ? nullptr : &it->second;
}

std::size_t IniDocument::FindSection(std::string_view section) const {
  const IndexedSection* found = Indexed(section);
  return found == nullptr ? kNone : found->header;
}

std::size_t IniDocument::SectionEnd(std::size_t header) const {
  std::size_t i = header + 1;
  while (i < lines_.size() && lines_[i].kind != LineKind::kSection) ++i;
  return i;
}

std::size_t IniDocument::FindKey(std::size_t header, std::string_view key) const {
  for (std::size_t i = header + 1; i < lines_.size(); ++i) {
    const Line& line = lines_[i];
    if (line.kind == LineKind::kSection) break;
    if (line.kind == LineKind::kKey && EqualNoCase(line.name, key)) return i;
  }
  return kNone;
}

std::optional<std::string> IniDocument::FindValue(std::string_view section,
                                                  std::string_view key) const {
  const IndexedSection* found = Indexed(Trim(section));
  if (found == nullptr) return std::nullopt;
  const auto it = found->keys.find(FoldName(Trim(key)));
  if (it == found->keys.end()) return std::nullopt;
  const Line& line = lines_[it->second];
  return std::string(CleanValue(std::string_view(line.text).substr(line.value_begin)));
}

std::string IniDocument::GetString(std::string_view section, std::string_view key,
                                   std::string_view default_value) const {
  auto value = FindValue(section, key);
  return value ? std::move(*value) : std::string(default_value);
}

int IniDocument::GetInt(std::string_view section, std::string_view key, int default_value) const {
  auto value = FindValue(section, key);
  return value ? ParseLeadingInt(*value, default_value) : default_value;
}

bool IniDocument::HasSection(std::string_view section) const {
  return FindSection(Trim(section)) != kNone;
}

std::vector<std::string> IniDocument::SectionNames() const {
  std::vector<std::string> names;
  std::unordered_set<std::string> seen;
  for (const Line& line : lines_) {
    if (line.kind == LineKind::kSection && seen.insert(FoldName(line.name)).second) {
      names.push_back(line.name);
    }
  }
  return names;
}

std::vector<std::string> IniDocument::KeyNames(std::string_view section) const {
  std::vector<std::string> names;
  const std::size_t header = FindSection(Trim(section));
  if (header == kNone) return names;
  std::unordered_set<std::string> seen;
  const std::size_t end = SectionEnd(header);
  for (std::size_t i = header + 1; i < end; ++i) {
    const Line& line = lines_[i];
    if (line.kind == LineKind::kKey && seen.insert(FoldName(line.name)).second) {
      names.push_back(line.name);
    }
  }
  return names;
}

bool IniDocument::SetValue(std::string_view section, std::string_view key, std::string_view value) {
  if (!IsStorableSectionName(section) || !IsStorableKeyName(key) || !IsStorableValue(value)) {
    return false;
  }
  section = Trim(section);
  key = Trim(key);
  const std::size_t header = FindSection(section);
  Changed();
  if (header == kNone) {
    lines_.push_back(MakeSectionLine(section));
    lines_.push_back(MakeKeyLine(key, value));
    return true;
  }
  if (const std::size_t index = FindKey(header, key); index != kNone) {
    // The key keeps the spelling it has in the file.
    lines_[index] = MakeKeyLine(lines_[index].name, value);
    return true;
  }
  // After the section's last non-blank line, so that a blank line that
  // separates it from the next section stays where it is.
  std::size_t at = SectionEnd(header);
  while (at > header + 1 && IsBlankLine(lines_[at - 1].text)) --at;
  lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(at), MakeKeyLine(key, value));
  return true;
}

bool IniDocument::DeleteKey(std::string_view section, std::string_view key) {
  const std::size_t header = FindSection(Trim(section));
  if (header == kNone) return false;
  key = Trim(key);
  const auto first = lines_.begin() + static_cast<std::ptrdiff_t>(header + 1);
  const auto last = lines_.begin() + static_cast<std::ptrdiff_t>(SectionEnd(header));
  const auto kept = std::remove_if(first, last, [&](const Line& line) {
    return line.kind == LineKind::kKey && EqualNoCase(line.name, key);
  });
  if (kept == last) return false;
  lines_.erase(kept, last);
  Changed();
  return true;
}

bool IniDocument::ReplaceSection(std::string_view section, const std::vector<std::string>& lines) {
  if (!IsStorableSectionName(section)) return false;
  std::vector<Line> body;
  body.reserve(lines.size());
  for (const std::string& text : lines) {
    if (!IsStorableValue(text)) return false;
    Line line = Classify(text);
    if (line.kind != LineKind::kKey) return false;
    body.push_back(std::move(line));
  }
  section = Trim(section);
  const std::size_t header = FindSection(section);
  Changed();
  if (header == kNone) {
    lines_.push_back(MakeSectionLine(section));
    lines_.insert(lines_.end(), std::make_move_iterator(body.begin()),
                  std::make_move_iterator(body.end()));
    return true;
  }
  const std::size_t end = SectionEnd(header);
  std::size_t tail = end;
  while (tail > header + 1 && IsBlankLine(lines_[tail - 1].text)) --tail;
  const std::size_t body_size = body.size();
  auto first = lines_.begin() + static_cast<std::ptrdiff_t>(header + 1);
  first = lines_.erase(first, lines_.begin() + static_cast<std::ptrdiff_t>(tail));
  lines_.insert(first, std::make_move_iterator(body.begin()), std::make_move_iterator(body.end()));
  RemoveSectionsFrom(section, header + 1 + body_size + (end - tail));
  return true;
}

bool IniDocument::DeleteSection(std::string_view section) {
  return RemoveSectionsFrom(Trim(section), 0);
}

bool IniDocument::RemoveSectionsFrom(std::string_view section, std::size_t from) {
  // One pass, so that a file with many copies of a section stays linear.
  bool removing = false;
  bool removed = false;
  std::size_t out = from;
  for (std::size_t i = from; i < lines_.size(); ++i) {
    if (lines_[i].kind == LineKind::kSection) removing = EqualNoCase(lines_[i].name, section);
    if (removing) {
      removed = true;
      continue;
    }
    if (out != i) lines_[out] = std::move(lines_[i]);
    ++out;
  }
  lines_.resize(out);
  if (removed) Changed();
  return removed;
}

std::string IniDocument::Serialize() const {
  std::size_t size = 0;
  for (const Line& line : lines_) size += line.text.size() + 2;
  std::string out;
  out.reserve(size + kUtf8ByteOrderMark.size());
  if (byte_order_mark_) out.append(kUtf8ByteOrderMark);
  for (const Line& line : lines_) out.append(line.text).append("\r\n");
  return out;
}

int IniDocument::ParseLeadingInt(std::string_view text, int default_value) {
  bool had_digits = false;
  const int value = ParseDecimalPrefix(Trim(text), &had_digits);
  return had_digits ? value : default_value;
}

std::string_view IniDocument::CleanValue(std::string_view raw) {
  std::string_view value = Trim(raw);
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
      value.back() == value.front()) {
    value = value.substr(1, value.size() - 2);
  }
  return value;
}

bool IniDocument::IsStorableSectionName(std::string_view name) {
  std::string_view trimmed = Trim(name);
  return !trimmed.empty() && !HasLineBreakOrNul(name) && !EndsInsideDoubleByte(trimmed);
}

bool IniDocument::IsStorableKeyName(std::string_view name) {
  std::string_view trimmed = Trim(name);
  return !trimmed.empty() && !HasLineBreakOrNul(name) &&
         trimmed.find('=') == std::string_view::npos && trimmed.front() != '[' &&
         trimmed.front() != ';';
}

bool IniDocument::IsStorableValue(std::string_view value) { return !HasLineBreakOrNul(value); }

bool IniDocument::NamesEqual(std::string_view a, std::string_view b) {
  return EqualNoCase(Trim(a), Trim(b));
}

}  // namespace tolvane
