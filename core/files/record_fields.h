#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace tolvane {

// Reads the decimal number at the start of `text`: optional leading white
// space, an optional sign, then digits up to the first non-digit. Text
// without digits reads as 0. A value outside the range of int is clamped to
// INT_MIN / INT_MAX (the digits are still consumed), so a damaged field can
// never wrap around to a plausible-looking small or negative number.
// `had_digits`, when given, tells whether any digit was found.
int ParseDecimalPrefix(std::string_view text, bool* had_digits = nullptr);

// True for the bytes trimmed around record fields: space, TAB, CR, LF,
// vertical tab and form feed.
constexpr bool IsFieldSpace(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

// Strips IsFieldSpace bytes from both ends.
std::string_view TrimField(std::string_view text);

// `text` made fit to be one field of a record line: TAB, CR and LF become
// spaces, so a stray control character in a title or tag can never shift
// the fields of the line it is written into.
std::string FieldSafe(std::string_view text);

// Appends a TAB and the field to a record line being built; text goes
// through FieldSafe (Shift_JIS trail bytes never take the replaced values).
void AppendField(std::string& line, std::string_view text);
void AppendField(std::string& line, int value);

// The fields of one record line. Fields are separated by a single TAB; each
// is trimmed; an empty field between two TABs stays as an empty string; an
// empty last field (a line ending in TAB, perhaps followed by white space) is
// dropped, so "11\tname\t0\t" has three fields. Parsers treat missing
// trailing fields as their defaults.
//
// The fields are views into `line`, which must outlive this object.
class RecordFields {
 public:
  explicit RecordFields(std::string_view line);

  // True when `line` would yield at least one field (cheaper than splitting).
  static bool HasAnyField(std::string_view line);

  std::size_t size() const { return fields_.size(); }
  bool empty() const { return fields_.empty(); }
  bool Has(std::size_t index) const { return index < fields_.size(); }

  // The field, or an empty view when it is missing.
  std::string_view View(std::size_t index) const;
  std::string_view operator[](std::size_t index) const { return View(index); }

  // The field as text, or `fallback` when the record is too short.
  std::string Text(std::size_t index, std::string_view fallback = {}) const;

  // The field read with ParseDecimalPrefix (an empty field reads as 0), or
  // `fallback` when the record is too short.
  int Int(std::size_t index, int fallback = 0) const;

  const std::vector<std::string_view>& fields() const { return fields_; }

 private:
  std::vector<std::string_view> fields_;
};

}  // namespace tolvane
