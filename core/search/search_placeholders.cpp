#include "core/search/search_placeholders.h"

#include "core/text/cp932_tables.h"

namespace tolvane {
namespace {

// Replaces every occurrence of `from`, left to right, without looking at
// what was just put in (a later call does).
void ReplaceAll(std::string& text, std::string_view from, std::string_view to) {
  std::size_t pos = text.find(from);
  if (pos == std::string::npos) return;
  std::string out;
  out.reserve(text.size() + to.size());
  std::size_t start = 0;
  do {
    out.append(text, start, pos - start);
    out.append(to);
    start = pos + from.size();
    pos = text.find(from, start);
  } while (pos != std::string::npos);
  out.append(text, start, std::string::npos);
  text = std::move(out);
}

std::string WithoutSchemes(std::string_view text) {
  std::string out(text);
  // "http://" alone would leave "https:" as the host of every secure page.
  ReplaceAll(out, "https://", "");
  ReplaceAll(out, "http://", "");
  return out;
}

}  // namespace

std::string HostOfAddress(std::string_view url) {
  std::string host = WithoutSchemes(url);
  const std::size_t slash = host.find('/');
  if (slash != std::string::npos && slash != 0) host.resize(slash);
  return host;
}

std::string DirectoryOfAddress(std::string_view text) {
  const std::string bare = WithoutSchemes(text);
  // A "\" can be the trail byte of a double-byte character; only whole
  // characters count as separators.
  std::size_t last = std::string::npos;
  for (std::size_t i = 0; i < bare.size();) {
    if (cp932::IsDoubleByteAt(bare, i)) {
      i += 2;
      continue;
    }
    if (bare[i] == '/' || bare[i] == '\\') last = i;
    ++i;
  }
  if (last == std::string::npos) return ".";
  return bare.substr(0, last);
}

std::string SubstitutePlaceholders(std::string_view tmpl, int encoding, std::string_view keyword,
                                   const PageContext* page) {
  if (tmpl.find('$') == std::string_view::npos) return std::string(tmpl);
  KeywordForms forms(Keyword::FromSjis(keyword));
  return SubstitutePlaceholders(tmpl, encoding, forms, page);
}

std::string SubstitutePlaceholders(std::string_view tmpl, int encoding, KeywordForms& keyword,
                                   const PageContext* page) {
  std::string out(tmpl);
  if (out.find('$') == std::string::npos) return out;

  if (out.find("$0") != std::string::npos) {
    if (const std::string* encoded = keyword.Whole(encoding)) ReplaceAll(out, "$0", *encoded);
  }
  char placeholder[] = "$1";
  for (std::size_t j = 1; j <= 9; ++j) {
    placeholder[1] = static_cast<char>('0' + j);
    if (out.find(placeholder) == std::string::npos) continue;
    if (j > keyword.words().size()) {
      ReplaceAll(out, placeholder, "");
    } else if (const std::string* encoded = keyword.Word(encoding, j - 1)) {
      ReplaceAll(out, placeholder, *encoded);
    }
  }
  if (page) {
    ReplaceAll(out, "$a", page->active_url);
    if (out.find("$h") != std::string::npos) ReplaceAll(out, "$h", HostOfAddress(page->active_url));
    if (out.find("$s") != std::string::npos) {
      ReplaceAll(out, "$s", DirectoryOfAddress(page->address_bar_text));
    }
  }
  return out;
}

}  // namespace tolvane
