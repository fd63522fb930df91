#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tolvane {

// One element of a document read by SmallXmlReader. Text is UTF-8 with the
// entities and character references replaced; `text` joins every piece of
// character data directly inside the element (CDATA included).
struct XmlElement {
  std::string name;  // as written, prefix included ("os:Url")
  std::vector<std::pair<std::string, std::string>> attributes;
  std::string text;
  std::vector<XmlElement> children;

  // The name without its namespace prefix ("Url").
  std::string_view LocalName() const;
  // The first attribute whose local name is `name`; null when none.
  const std::string* Attribute(std::string_view name) const;
};

// A small, bounded reader for the little XML documents the program reads
// from shops (search descriptions): elements, attributes, character data,
// CDATA, comments and processing instructions, the five predefined entities
// and character references. It refuses, rather than guesses: document type
// declarations (so no entity of the document's own is ever expanded), other
// entities, mismatched or unclosed tags, anything after the root, nesting
// deeper than kMaxDepth and more than kMaxElements elements. Recursion is
// bounded by kMaxDepth. Namespaces are not resolved; LocalName() drops the
// prefix.
class SmallXmlReader {
 public:
  static constexpr int kMaxDepth = 16;
  static constexpr int kMaxElements = 2000;

  // The root element, or nullopt with error() saying why (ASCII).
  std::optional<XmlElement> Read(std::string_view document);
  const std::string& error() const { return error_; }
  // The encoding named by the XML declaration, "" when there is none.
  const std::string& declared_encoding() const { return declared_encoding_; }

 private:
  bool Fail(std::string why);
  bool AtEnd() const { return pos_ >= doc_.size(); }
  bool StartsWith(std::string_view s) const { return doc_.substr(pos_).starts_with(s); }
  void SkipSpace();
  // Moves past `end`; false at the end of the document.
  bool SkipPast(std::string_view end);
  bool ReadName(std::string& name);
  // Appends `raw` to `out` with references replaced.
  bool Decode(std::string_view raw, std::string& out);
  bool ReadDeclaration();
  bool ReadElement(XmlElement& element, int depth);
  bool ReadContent(XmlElement& element, int depth);

  std::string_view doc_;
  std::size_t pos_ = 0;
  int elements_ = 0;
  std::string error_;
  std::string declared_encoding_;
};

}  // namespace tolvane
