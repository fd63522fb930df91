#include "core/stores/tag_text.h"

#include "core/text/cp932_tables.h"

namespace tolvane {

std::vector<std::string> SplitTags(std::string_view text) {
  std::vector<std::string> tags;
  std::string word;
  auto finish_word = [&] {
    if (!word.empty()) tags.push_back(std::move(word));
    word.clear();
  };
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (cp932::IsLead(c) && i + 1 < text.size()) {
      if (c == 0x81 && static_cast<unsigned char>(text[i + 1]) == 0x40) {
        finish_word();  // full-width space
      } else {
        word += text[i];
        word += text[i + 1];
      }
      ++i;
    } else if (c == ' ' || c == '\t' || c == '\r' || c == '\n') {
      finish_word();
    } else {
      word += text[i];
    }
  }
  finish_word();
  return tags;
}

std::string NormaliseTags(std::string_view text) {
  std::string joined;
  for (const auto& tag : SplitTags(text)) {
    if (!joined.empty()) joined += ' ';
    joined += tag;
  }
  return joined;
}

bool HasTag(std::string_view tags, std::string_view tag) {
  const std::string padded = ' ' + std::string(tags) + ' ';
  const std::string needle = ' ' + std::string(tag) + ' ';
  return padded.find(needle) != std::string::npos;
}

}  // namespace tolvane
