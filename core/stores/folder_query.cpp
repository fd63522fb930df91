#include "core/stores/folder_query.h"

#include "core/text/cp932_tables.h"
#include "core/text/text_normaliser.h"

namespace tolvane {
namespace {

std::string_view TrimWhitespace(std::string_view s) {
  constexpr std::string_view kWhitespace = " \t\r\n\v\f";
  const std::size_t first = s.find_first_not_of(kWhitespace);
  if (first == std::string_view::npos) return {};
  return s.substr(first, s.find_last_not_of(kWhitespace) - first + 1);
}

}  // namespace

FolderQuery::FolderQuery(std::string_view query) : matches_everything_(query == "*") {
  bool conjunctive = false;
  bool negated = false;
  std::string word;
  std::size_t pos = 0;
  while (pos <= query.size()) {
    std::size_t space = query.find(' ', pos);
    if (space == std::string_view::npos) space = query.size();
    NormaliseInto(TrimWhitespace(query.substr(pos, space - pos)), false, word);
    pos = space + 1;
    if (word.empty()) continue;
    if (word == "not") {
      conjunctive = true;
      negated = true;
    } else if (word == "and") {
      conjunctive = true;
    } else if (word == "or") {
      conjunctive = false;
    } else {
      padded_terms_.push_back(" " + word + " ");
      terms_.push_back({word, conjunctive, negated});
      conjunctive = false;
      negated = false;
    }
  }
}

bool FolderQuery::ContainsCharacters(std::string_view text, std::string_view needle) {
  std::size_t boundary = 0;  // a known character start at or before `found`
  for (std::size_t found = text.find(needle); found != std::string_view::npos;
       found = text.find(needle, found + 1)) {
    while (boundary < found) {
      boundary += cp932::IsDoubleByteAt(text, boundary) ? 2 : 1;
    }
    if (boundary == found) return true;
  }
  return false;
}

bool FolderQuery::TermMatches(std::size_t index, std::string_view match_text,
                              std::string_view padded_tags) const {
  const bool found =
      ContainsCharacters(match_text, terms_[index].text) ||
      (!padded_tags.empty() && ContainsCharacters(padded_tags, padded_terms_[index]));
  return found != terms_[index].negated;
}

bool FolderQuery::Matches(std::string_view match_text, std::string_view padded_tags) const {
  if (terms_.empty()) return false;
  bool result = TermMatches(0, match_text, padded_tags);
  for (std::size_t i = 1; i < terms_.size(); ++i) {
    // Terms have no side effects, so a settled result needs no more tests.
    if (terms_[i].conjunctive ? !result : result) continue;
    result = TermMatches(i, match_text, padded_tags);
  }
  return result;
}

}  // namespace tolvane
