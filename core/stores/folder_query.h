#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tolvane {

// The words of an item folder's query, ready to test items against.
//
// The query is split at ASCII spaces; each word is folded with Normalise
// (spaces removed, so a full-width space joins the two halves into one
// word). The folded words "and", "or" and "not" set how the next word
// combines: "ＮＯＴ" and "Not" act the same. Every other word is a term.
//
//   "bag ＡＮＤ red not used"  ->  [bag] &[red] &![used]
//
// Terms are combined strictly left to right, without precedence: the first
// term's value starts the result (its operator is ignored), later '&' terms
// AND into it and '|' terms OR into it.
class FolderQuery {
 public:
  struct Term {
    std::string text;          // folded, never empty
    bool conjunctive = false;  // '&' rather than '|'
    bool negated = false;

    friend bool operator==(const Term&, const Term&) = default;
  };

  explicit FolderQuery(std::string_view query);

  // The query is exactly "*": every item passes without a test.
  bool matches_everything() const { return matches_everything_; }
  // A query without terms (empty, or only operators) lists no item.
  bool has_terms() const { return !terms_.empty(); }
  const std::vector<Term>& terms() const { return terms_; }

  // `match_text`: the searched text folded without spaces. `padded_tags`:
  // the item's tags folded keeping spaces, with one space added before and
  // after, or empty when tags are not searched; a term there must be a
  // whole tag. A term matches only at a character boundary, so "a" does not
  // match the second byte of a double-byte character.
  bool Matches(std::string_view match_text, std::string_view padded_tags) const;

  // `needle` occurs in `text` (both Shift_JIS) starting on a character
  // boundary.
  static bool ContainsCharacters(std::string_view text, std::string_view needle);

 private:
  bool TermMatches(std::size_t index, std::string_view match_text,
                   std::string_view padded_tags) const;

  bool matches_everything_ = false;
  std::vector<Term> terms_;
  std::vector<std::string> padded_terms_;  // " term ", for whole-tag tests
};

}  // namespace tolvane
