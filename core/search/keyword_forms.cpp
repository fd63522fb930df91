#include "core/search/keyword_forms.h"

#include "core/files/record_fields.h"
#include "core/text/cp932_tables.h"
#include "core/text/query_encoding.h"

namespace tolvane {
namespace {

std::vector<std::string> SplitWords(std::string_view keyword) {
  std::vector<std::string> words;
  std::size_t start = 0;
  while (true) {
    const std::size_t space = keyword.find(' ', start);
    if (space == std::string_view::npos) {
      std::string_view last = TrimField(keyword.substr(start));
      if (!last.empty()) words.emplace_back(last);
      return words;
    }
    words.emplace_back(TrimField(keyword.substr(start, space - start)));
    start = keyword.find_first_not_of(' ', space);
    if (start == std::string_view::npos) return words;
  }
}

bool Known(int encoding) { return encoding >= 0 && encoding < 4; }

}  // namespace

std::string FullWidthSpacesToAscii(std::string_view keyword) {
  std::string out;
  out.reserve(keyword.size());
  for (std::size_t i = 0; i < keyword.size();) {
    if (!cp932::IsDoubleByteAt(keyword, i)) {
      out.push_back(keyword[i++]);
      continue;
    }
    if (keyword[i] == '\x81' && keyword[i + 1] == '\x40') {
      out.push_back(' ');
    } else {
      out.append(keyword.substr(i, 2));
    }
    i += 2;
  }
  return out;
}

std::string FullWidthSpacesToAsciiUtf8(std::string_view keyword) {
  // UTF-8 is self-synchronising: E3 80 80 is always U+3000.
  static constexpr std::string_view kIdeographicSpace = "\xE3\x80\x80";
  std::string out;
  out.reserve(keyword.size());
  for (std::size_t start = 0;;) {
    const std::size_t found = keyword.find(kIdeographicSpace, start);
    out.append(keyword.substr(start, found - start));
    if (found == std::string_view::npos) return out;
    out.push_back(' ');
    start = found + kIdeographicSpace.size();
  }
}

std::optional<std::string> EncodeKeyword(int encoding, std::string_view sjis,
                                         std::string_view typed_utf8) {
  if (encoding == kEncodingUtf8) return PercentEncode(typed_utf8);
  return Encode(encoding, sjis);
}

KeywordForms::KeywordForms(const Keyword& keyword)
    : spaced_(FullWidthSpacesToAscii(keyword.sjis())),
      words_(SplitWords(spaced_)),
      typed_spaced_(FullWidthSpacesToAsciiUtf8(keyword.utf8())),
      typed_words_(SplitWords(typed_spaced_)) {}

const std::string* KeywordForms::Whole(int encoding) {
  if (!Known(encoding)) return nullptr;
  auto& slot = whole_[static_cast<std::size_t>(encoding)];
  if (!slot) slot = EncodeKeyword(encoding, spaced_, typed_spaced_);
  return slot ? &*slot : nullptr;
}

const std::string* KeywordForms::Word(int encoding, std::size_t index) {
  if (!Known(encoding) || index >= words_.size()) return nullptr;
  auto& slots = encoded_words_[static_cast<std::size_t>(encoding)];
  if (slots.empty()) slots.resize(words_.size());
  if (!slots[index]) {
    const std::string_view typed =
        index < typed_words_.size() ? std::string_view(typed_words_[index]) : std::string_view();
    slots[index] = EncodeKeyword(encoding, words_[index], typed);
  }
  return slots[index] ? &*slots[index] : nullptr;
}

}  // namespace tolvane
