#include "core/search/open_search_description.h"

#include <optional>

#include "core/files/record_fields.h"
#include "core/files/string_table.h"
#include "core/search/small_xml_reader.h"
#include "core/text/charset_converter.h"
#include "core/text/cp932_tables.h"

namespace tolvane {
namespace {

constexpr std::string_view kSearchTermsPlaceholder = "$0";
constexpr std::size_t kMaxDetailBytes = 100;

std::string Lower(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return out;
}

std::string_view Trim(std::string_view text) {
  const auto first = text.find_first_not_of(" \t\r\n");
  if (first == std::string_view::npos) return {};
  const auto last = text.find_last_not_of(" \t\r\n");
  return text.substr(first, last - first + 1);
}

// Lower case without "-" and "_": "Shift_JIS" -> "shiftjis".
std::string CharsetKey(std::string_view name) {
  std::string key;
  for (char c : Lower(Trim(name))) {
    if (c != '-' && c != '_') key += c;
  }
  return key;
}

// The engine encoding of a charset name, or nullopt.
std::optional<int> EngineEncoding(std::string_view name) {
  const std::string key = CharsetKey(name);
  if (key == "shiftjis" || key == "sjis" || key == "xsjis" || key == "windows31j" ||
      key == "cp932" || key == "ms932" || key == "csshiftjis") {
    return 1;
  }
  if (key == "eucjp" || key == "xeucjp" || key == "cseucpkdfmtjapanese") return 2;
  if (key == "utf8") return 3;
  return std::nullopt;
}

// Bytes that may stand in an address as they are; everything else is
// percent-encoded. "$" is left out so the program's placeholders stay its
// own; "%" is kept, the description's own escapes being already encoded.
bool IsAddressByte(unsigned char c, bool in_form_value) {
  if (c <= 0x20 || c >= 0x7F || c == '$' || c == '"' || c == '<' || c == '>' || c == '\\' ||
      c == '^' || c == '`' || c == '{' || c == '|' || c == '}') {
    return false;
  }
  return !(in_form_value && (c == '&' || c == '=' || c == '+'));
}

void AppendEscaped(std::string_view text, bool in_form_value, std::string& out) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  for (const char ch : text) {
    const auto c = static_cast<unsigned char>(ch);
    if (IsAddressByte(c, in_form_value)) {
      out += ch;
    } else {
      out += '%';
      out += kHex[c >> 4];
      out += kHex[c & 15];
    }
  }
}

// A template or Param value with its parameters filled, or the name of the
// parameter that cannot be.
struct Expanded {
  std::string text;
  bool has_search_terms = false;
  std::string unknown_parameter;
};

Expanded Expand(std::string_view tmpl, const XmlElement& url, std::string_view encoding_name,
                bool in_form_value) {
  Expanded out;
  std::size_t i = 0;
  while (i < tmpl.size()) {
    const auto open = tmpl.find('{', i);
    const auto close = open == std::string_view::npos ? open : tmpl.find('}', open);
    if (close == std::string_view::npos) {
      AppendEscaped(tmpl.substr(i), in_form_value, out.text);
      break;
    }
    AppendEscaped(tmpl.substr(i, open - i), in_form_value, out.text);
    const std::string_view name = tmpl.substr(open + 1, close - open - 1);
    i = close + 1;
    if (name == "searchTerms") {
      out.text += kSearchTermsPlaceholder;
      out.has_search_terms = true;
    } else if (name.ends_with('?')) {
      // Optional and not known to the program: left empty.
    } else if (name == "startIndex" || name == "startPage") {
      const std::string* offset =
          url.Attribute(name == "startIndex" ? "indexOffset" : "pageOffset");
      AppendEscaped(offset ? Trim(*offset) : "1", in_form_value, out.text);
    } else if (name == "count") {
      out.text += "20";
    } else if (name == "language") {
      out.text += "*";
    } else if (name == "inputEncoding" || name == "outputEncoding") {
      AppendEscaped(name == "inputEncoding" ? encoding_name : "UTF-8", in_form_value, out.text);
    } else {
      out.unknown_parameter.assign(name);
      return out;
    }
  }
  return out;
}

// "http://host" or "https://host" at the start (case ignored); the position
// after the host, or npos.
std::size_t HostEnd(std::string_view address) {
  const std::string lower = Lower(address.substr(0, 8));
  std::size_t start;
  if (lower.starts_with("http://")) {
    start = 7;
  } else if (lower.starts_with("https://")) {
    start = 8;
  } else {
    return std::string_view::npos;
  }
  const auto end = address.find_first_of("/?#", start);
  const std::size_t host_end = end == std::string_view::npos ? address.size() : end;
  return host_end > start ? host_end : std::string_view::npos;
}

const XmlElement* FirstChild(const XmlElement& parent, std::string_view local_name) {
  for (const auto& child : parent.children) {
    if (child.LocalName() == local_name) return &child;
  }
  return nullptr;
}

bool IsHtmlType(const XmlElement& url) {
  const std::string* type = url.Attribute("type");
  if (type == nullptr) return false;
  std::string_view mime = *type;
  mime = Trim(mime.substr(0, mime.find(';')));
  return Lower(mime) == "text/html";
}

// A control character (C0, DEL or C1) in UTF-8 text other than the line
// breaks and tabs of XML's white space, which become spaces.
bool HasControlCharacter(std::string_view utf8) {
  for (std::size_t i = 0; i < utf8.size(); ++i) {
    const auto c = static_cast<unsigned char>(utf8[i]);
    if ((c < 0x20 && c != '\t' && c != '\r' && c != '\n') || c == 0x7F) return true;
    if (c == 0xC2 && i + 1 < utf8.size() && static_cast<unsigned char>(utf8[i + 1]) <= 0x9F) {
      return true;
    }
  }
  return false;
}

std::string Name(std::string_view utf8) {
  const std::string sjis = FieldSafe(Utf8ToSjis(Trim(utf8)));
  return std::string(cp932::PrefixWithin(sjis, OpenSearchDescription::kMaxNameBytes));
}

}  // namespace

OpenSearchDescription OpenSearchDescription::Refuse(int error, std::string_view detail_utf8) {
  OpenSearchDescription result;
  result.error_ = error;
  result.detail_ = cp932::PrefixWithin(Utf8ToSjis(detail_utf8), kMaxDetailBytes);
  return result;
}

OpenSearchDescription OpenSearchDescription::Parse(std::string_view document) {
  if (document.size() > kMaxBytes) return Refuse(string_id::kDescriptionTooLarge, "");
  SmallXmlReader reader;
  auto root = reader.Read(document);
  if (!root) return Refuse(string_id::kDescriptionMalformed, reader.error());
  if (const auto& declared = reader.declared_encoding();
      !declared.empty() && CharsetKey(declared) != "utf8" && CharsetKey(declared) != "usascii") {
    // The text was read as UTF-8; a Shift_JIS document is read again after
    // conversion (its markup bytes are ASCII either way). Others cannot be.
    if (EngineEncoding(declared) != 1) {
      return Refuse(string_id::kDescriptionMalformed, "encoding=\"" + declared + "\"");
    }
    root = reader.Read(SjisToUtf8(document));
    if (!root) return Refuse(string_id::kDescriptionMalformed, reader.error());
  }
  if (root->LocalName() != "OpenSearchDescription") {
    return Refuse(string_id::kDescriptionMalformed, root->name);
  }

  std::string encoding_name = "UTF-8";
  if (const XmlElement* input = FirstChild(*root, "InputEncoding")) {
    encoding_name = Trim(input->text);
  }
  const auto encoding = EngineEncoding(encoding_name);
  if (!encoding) return Refuse(string_id::kDescriptionEncoding, encoding_name);

  const XmlElement* url = nullptr;
  for (const auto& child : root->children) {
    if (child.LocalName() == "Url" && IsHtmlType(child)) {
      url = &child;
      break;
    }
  }
  const std::string* tmpl = url ? url->Attribute("template") : nullptr;
  if (tmpl == nullptr) return Refuse(string_id::kDescriptionNoHtmlUrl, "");
  // The scheme in lower case, as the rest of the program compares it.
  std::string address(Trim(*tmpl));
  const std::size_t host_end = HostEnd(address);
  if (host_end != std::string_view::npos) {
    const std::size_t scheme_end = address.find(':');
    address = Lower(address.substr(0, scheme_end)) + address.substr(scheme_end);
  }
  // A parameter in the host would let the keyword choose where it is sent.
  if (host_end == std::string_view::npos || address.find_first_of("{}") < host_end) {
    return Refuse(string_id::kDescriptionBadUrl, Trim(*tmpl));
  }
  // "https://shop.example@127.0.0.1/" reads like one shop and goes to
  // another host.
  if (address.find('@') < host_end) return Refuse(string_id::kDescriptionUserInfo, Trim(*tmpl));

  const std::string* method_attribute = url->Attribute("method");
  const std::string method = Lower(method_attribute ? Trim(*method_attribute) : "get");
  if (method != "get" && method != "post") {
    return Refuse(string_id::kDescriptionMethod, *method_attribute);
  }

  Expanded search = Expand(address, *url, encoding_name, false);
  if (!search.unknown_parameter.empty()) {
    return Refuse(string_id::kDescriptionParameter, search.unknown_parameter);
  }
  bool has_search_terms = search.has_search_terms;
  std::string form;
  for (const auto& param : url->children) {
    if (param.LocalName() != "Param") continue;
    const std::string* name = param.Attribute("name");
    const std::string* value = param.Attribute("value");
    if (name == nullptr || value == nullptr) continue;
    Expanded part = Expand(*value, *url, encoding_name, true);
    if (!part.unknown_parameter.empty()) {
      return Refuse(string_id::kDescriptionParameter, part.unknown_parameter);
    }
    has_search_terms = has_search_terms || part.has_search_terms;
    if (!form.empty()) form += '&';
    AppendEscaped(Trim(*name), true, form);
    form += '=';
    form += part.text;
  }
  if (!has_search_terms) return Refuse(string_id::kDescriptionNoSearchTerms, "");

  const XmlElement* short_name = FirstChild(*root, "ShortName");
  if (short_name != nullptr && HasControlCharacter(Trim(short_name->text))) {
    return Refuse(string_id::kDescriptionBadName, "");
  }
  OpenSearchDescription result;
  EngineDialogValues& engine = result.engine_;
  engine.name = Name(short_name ? short_name->text : "");
  engine.tab_name = engine.name;
  engine.short_name = engine.name;
  AppendEscaped(std::string_view(address).substr(0, host_end), false, engine.url);
  engine.url += '/';
  engine.search_url = std::move(search.text);
  if (method == "post") {
    engine.post_data = std::move(form);
  } else if (!form.empty()) {
    engine.search_url += engine.search_url.find('?') == std::string::npos ? '?' : '&';
    engine.search_url += form;
  }
  engine.encoding = *encoding;
  return result;
}

std::string OpenSearchDescription::Message() const {
  if (ok()) return {};
  return FormatString(error_, {detail_});
}

std::string OpenSearchDescription::Describe() const {
  if (!ok()) return "error " + std::to_string(error_) + " " + detail_;
  return engine_.name + "|" + engine_.url + "|" + engine_.search_url + "|" + engine_.post_data +
         "|" + std::to_string(engine_.encoding);
}

}  // namespace tolvane
