#include "core/search/small_xml_reader.h"

#include <charconv>
#include <cstdint>

namespace tolvane {
namespace {

bool IsXmlSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

bool IsNameChar(char c) {
  return !IsXmlSpace(c) && c != '/' && c != '>' && c != '<' && c != '=' && c != '"' && c != '\'' &&
         c != '&' && c != '?' && c != '!';
}

void AppendUtf8(char32_t c, std::string& out) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

std::string_view LocalPart(std::string_view name) {
  const auto colon = name.rfind(':');
  return colon == std::string_view::npos ? name : name.substr(colon + 1);
}

}  // namespace

std::string_view XmlElement::LocalName() const { return LocalPart(name); }

const std::string* XmlElement::Attribute(std::string_view wanted) const {
  for (const auto& [key, value] : attributes) {
    if (LocalPart(key) == wanted) return &value;
  }
  return nullptr;
}

bool SmallXmlReader::Fail(std::string why) {
  if (error_.empty()) error_ = std::move(why) + " at byte " + std::to_string(pos_);
  return false;
}

void SmallXmlReader::SkipSpace() {
  while (!AtEnd() && IsXmlSpace(doc_[pos_])) ++pos_;
}

bool SmallXmlReader::SkipPast(std::string_view end) {
  const auto at = doc_.find(end, pos_);
  if (at == std::string_view::npos) {
    pos_ = doc_.size();
    return false;
  }
  pos_ = at + end.size();
  return true;
}

bool SmallXmlReader::ReadName(std::string& name) {
  const std::size_t start = pos_;
  while (!AtEnd() && IsNameChar(doc_[pos_])) ++pos_;
  if (pos_ == start) return Fail("name expected");
  name.assign(doc_.substr(start, pos_ - start));
  return true;
}

bool SmallXmlReader::Decode(std::string_view raw, std::string& out) {
  std::size_t i = 0;
  while (i < raw.size()) {
    const auto amp = raw.find('&', i);
    out.append(raw.substr(i, amp == std::string_view::npos ? std::string_view::npos : amp - i));
    if (amp == std::string_view::npos) break;
    const auto semi = raw.find(';', amp);
    if (semi == std::string_view::npos || semi - amp > 10) return Fail("bad reference");
    const std::string_view ref = raw.substr(amp + 1, semi - amp - 1);
    if (ref == "lt") {
      out += '<';
    } else if (ref == "gt") {
      out += '>';
    } else if (ref == "amp") {
      out += '&';
    } else if (ref == "quot") {
      out += '"';
    } else if (ref == "apos") {
      out += '\'';
    } else if (ref.size() > 1 && ref[0] == '#') {
      const bool hex = ref[1] == 'x';
      const std::string_view digits = ref.substr(hex ? 2 : 1);
      std::uint32_t code = 0;
      const auto [ptr, ec] =
          std::from_chars(digits.data(), digits.data() + digits.size(), code, hex ? 16 : 10);
      if (digits.empty() || ec != std::errc() || ptr != digits.data() + digits.size() ||
          code == 0 || (code >= 0xD800 && code <= 0xDFFF) || code > 0x10FFFF) {
        return Fail("bad character reference");
      }
      AppendUtf8(static_cast<char32_t>(code), out);
    } else {
      return Fail("unknown entity");
    }
    i = semi + 1;
  }
  return true;
}

bool SmallXmlReader::ReadDeclaration() {
  // "<?xml" has been seen; the pseudo-attributes are read like attributes.
  const std::size_t end = doc_.find("?>", pos_);
  if (end == std::string_view::npos) return Fail("unclosed declaration");
  const std::string_view body = doc_.substr(pos_ + 5, end - pos_ - 5);
  const auto at = body.find("encoding");
  if (at != std::string_view::npos) {
    std::size_t i = at + 8;
    while (i < body.size() && (IsXmlSpace(body[i]) || body[i] == '=')) ++i;
    if (i < body.size() && (body[i] == '"' || body[i] == '\'')) {
      const auto close = body.find(body[i], i + 1);
      if (close == std::string_view::npos) return Fail("bad declaration");
      declared_encoding_.assign(body.substr(i + 1, close - i - 1));
    }
  }
  pos_ = end + 2;
  return true;
}

bool SmallXmlReader::ReadElement(XmlElement& element, int depth) {
  // At "<" of a start tag.
  if (depth > kMaxDepth) return Fail("nested too deeply");
  if (++elements_ > kMaxElements) return Fail("too many elements");
  ++pos_;
  if (!ReadName(element.name)) return false;
  for (;;) {
    const std::size_t before = pos_;
    SkipSpace();
    if (AtEnd()) return Fail("unclosed tag");
    if (StartsWith("/>")) {
      pos_ += 2;
      return true;
    }
    if (doc_[pos_] == '>') {
      ++pos_;
      return ReadContent(element, depth);
    }
    if (pos_ == before) return Fail("space expected before attribute");
    std::string key;
    if (!ReadName(key)) return false;
    SkipSpace();
    if (AtEnd() || doc_[pos_] != '=') return Fail("'=' expected");
    ++pos_;
    SkipSpace();
    if (AtEnd() || (doc_[pos_] != '"' && doc_[pos_] != '\'')) return Fail("quote expected");
    const char quote = doc_[pos_++];
    const auto close = doc_.find(quote, pos_);
    if (close == std::string_view::npos) return Fail("unclosed attribute");
    const std::string_view raw = doc_.substr(pos_, close - pos_);
    if (raw.find('<') != std::string_view::npos) return Fail("'<' in attribute");
    std::string value;
    if (!Decode(raw, value)) return false;
    pos_ = close + 1;
    element.attributes.emplace_back(std::move(key), std::move(value));
  }
}

bool SmallXmlReader::ReadContent(XmlElement& element, int depth) {
  for (;;) {
    if (AtEnd()) return Fail("unclosed element " + element.name);
    if (StartsWith("</")) {
      pos_ += 2;
      std::string name;
      if (!ReadName(name)) return false;
      SkipSpace();
      if (AtEnd() || doc_[pos_] != '>') return Fail("'>' expected");
      ++pos_;
      if (name != element.name) return Fail("mismatched end tag " + name);
      return true;
    }
    if (StartsWith("<!--")) {
      if (!SkipPast("-->")) return Fail("unclosed comment");
    } else if (StartsWith("<![CDATA[")) {
      pos_ += 9;
      const auto end = doc_.find("]]>", pos_);
      if (end == std::string_view::npos) return Fail("unclosed CDATA");
      element.text.append(doc_.substr(pos_, end - pos_));
      pos_ = end + 3;
    } else if (StartsWith("<?")) {
      if (!SkipPast("?>")) return Fail("unclosed processing instruction");
    } else if (StartsWith("<!")) {
      return Fail("declaration inside an element");
    } else if (doc_[pos_] == '<') {
      element.children.emplace_back();
      if (!ReadElement(element.children.back(), depth + 1)) return false;
    } else {
      const auto lt = doc_.find('<', pos_);
      const std::size_t end = lt == std::string_view::npos ? doc_.size() : lt;
      if (!Decode(doc_.substr(pos_, end - pos_), element.text)) return false;
      pos_ = end;
    }
  }
}

std::optional<XmlElement> SmallXmlReader::Read(std::string_view document) {
  doc_ = document;
  pos_ = 0;
  elements_ = 0;
  error_.clear();
  declared_encoding_.clear();
  if (StartsWith("\xEF\xBB\xBF")) pos_ = 3;
  XmlElement root;
  bool have_root = false;
  for (;;) {
    SkipSpace();
    if (AtEnd()) break;
    if (StartsWith("<?xml") && pos_ <= 3 && !have_root) {
      if (!ReadDeclaration()) return std::nullopt;
    } else if (StartsWith("<?")) {
      if (!SkipPast("?>")) return Fail("unclosed processing instruction"), std::nullopt;
    } else if (StartsWith("<!--")) {
      if (!SkipPast("-->")) return Fail("unclosed comment"), std::nullopt;
    } else if (StartsWith("<!")) {
      return Fail("document type declarations are not read"), std::nullopt;
    } else if (doc_[pos_] == '<' && !have_root) {
      if (!ReadElement(root, 1)) return std::nullopt;
      have_root = true;
    } else {
      return Fail(have_root ? "content after the root element" : "text before the root element"),
             std::nullopt;
    }
  }
  if (!have_root) return Fail("no root element"), std::nullopt;
  return root;
}

}  // namespace tolvane
