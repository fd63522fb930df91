#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace tolvane {

// An INI file held as its lines, so that a rewrite keeps every line it did
// not change byte for byte (comments, blank lines, lines it cannot parse).
//
// Reading follows the Windows private-profile rules, on Shift_JIS bytes:
// - lines end in CR LF, LF or a CR alone; a missing final line feed is fine;
// - "[name]" starts a section (leading blanks allowed; the name runs to the
//   last "]" of the line); a "[" line without "]" is an ordinary line;
// - "key=value" inside a section is a key; lines starting with ";", lines
//   without "=" and lines before the first section are ignored on lookup;
// - names and values are trimmed of spaces, tabs, CR, VT and FF; a value
//   enclosed in a matching pair of ' or " loses the pair;
// - names compare without regard to ASCII case; double-byte characters
//   compare exactly (their second byte may look like a letter);
// - the first section of a name wins, and within it the first key.
// A UTF-8 byte order mark that an editor put at the start is skipped on
// reading and written back.
//
// Writing always produces CR LF line ends. Lookups go through an index of
// the sections and their keys, made at the first lookup after a change, so
// reading every key of a large file stays linear in its size.
class IniDocument {
 public:
  IniDocument() = default;
  static IniDocument Parse(std::string_view bytes);

  // The value of the key, trimmed and unquoted; nullopt when the section or
  // the key is missing.
  std::optional<std::string> FindValue(std::string_view section, std::string_view key) const;
  std::string GetString(std::string_view section, std::string_view key,
                        std::string_view default_value) const;
  // The value's leading decimal number (see ParseLeadingInt).
  int GetInt(std::string_view section, std::string_view key, int default_value) const;

  bool HasSection(std::string_view section) const;
  // Names as written in the file, first occurrence of each only.
  std::vector<std::string> SectionNames() const;
  std::vector<std::string> KeyNames(std::string_view section) const;

  // Sets section/key to value: replaces the first such key line, else adds
  // one at the end of the section, else appends the section at the end of
  // the document. Returns false, changing nothing, when the names or the
  // value cannot be stored so that they read back (see IsStorable*).
  bool SetValue(std::string_view section, std::string_view key, std::string_view value);

  // Removes every line of this key in the section that lookups use.
  // Returns whether anything was removed.
  bool DeleteKey(std::string_view section, std::string_view key);

  // Replaces the body of the section by `lines` ("key=value" each); the
  // header line and the blank lines that end the old body are kept; later
  // sections of the same name are removed so that nothing stale
  // resurfaces. A missing section is appended. Returns false, changing
  // nothing, when a line is not a storable "key=value".
  bool ReplaceSection(std::string_view section, const std::vector<std::string>& lines);

  // Removes every section of this name with its body. Returns whether
  // anything was removed.
  bool DeleteSection(std::string_view section);

  std::string Serialize() const;

  // The leading decimal number of `text` after trimming, with an optional
  // sign: "12abc" is 12, " +7" is 7, "-5" is -5. Text without a leading
  // digit gives `default_value`. Numbers beyond the int range are clamped
  // to INT_MIN / INT_MAX.
  static int ParseLeadingInt(std::string_view text, int default_value);

  // What a lookup does to a stored value: trimming and quote removal.
  static std::string_view CleanValue(std::string_view raw);

  // Names a writer may use: not empty after trimming, no CR, LF or NUL, not
  // ending in the first byte of a double-byte character; a key also holds
  // no "=" and does not start with "[" or ";".
  static bool IsStorableSectionName(std::string_view name);
  static bool IsStorableKeyName(std::string_view name);
  // Values may hold anything but CR, LF and NUL.
  static bool IsStorableValue(std::string_view value);

  // Names compare equal under the rules above (after trimming both).
  static bool NamesEqual(std::string_view a, std::string_view b);

 private:
  enum class LineKind { kOther, kSection, kKey };
  struct Line {
    std::string text;  // the bytes of the line, without its line end
    LineKind kind = LineKind::kOther;
    std::string name;             // trimmed section or key name
    std::size_t value_begin = 0;  // kKey: offset just past the "="
  };

  // Where lookups find a section: its first header and the first line of
  // each of its keys, by folded name.
  struct IndexedSection {
    std::size_t header = 0;
    std::unordered_map<std::string, std::size_t> keys;
  };

  static Line Classify(std::string text);
  static Line MakeKeyLine(std::string_view key, std::string_view value);
  static Line MakeSectionLine(std::string_view section);

  // The indexed section of this (trimmed) name, or null.
  const IndexedSection* Indexed(std::string_view section) const;
  // Every change of lines_ calls this before the next lookup.
  void Changed() {
    index_.clear();
    indexed_ = false;
  }

  // Index of the first header of this section, or npos.
  std::size_t FindSection(std::string_view section) const;
  // One past the last line of the section whose header is at `header`.
  std::size_t SectionEnd(std::size_t header) const;
  std::size_t FindKey(std::size_t header, std::string_view key) const;
  // Removes the sections of this name whose header is at or after `from`
  // (`from` must not lie inside such a section's body).
  bool RemoveSectionsFrom(std::string_view section, std::size_t from);

  std::vector<Line> lines_;
  bool byte_order_mark_ = false;
  mutable std::unordered_map<std::string, IndexedSection> index_;
  mutable bool indexed_ = false;
};

}  // namespace tolvane
