#include "ui/browser/engine_url.h"

#include <QByteArray>
#include <algorithm>

namespace tolvane {
namespace {

bool IsHex(char c) {
  return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
}

// Characters a URL may carry as they are; '%' and '#' are decided by the
// caller.
bool IsUrlCharacter(char c) {
  if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9')) return true;
  switch (c) {
    case '-':
    case '.':
    case '_':
    case '~':
    case ':':
    case '/':
    case '?':
    case '@':
    case '!':
    case '$':
    case '&':
    case '\'':
    case '(':
    case ')':
    case '*':
    case '+':
    case ',':
    case ';':
    case '=':
      return true;
    default:
      return false;
  }
}

bool HasScheme(std::string_view address) {
  // A scheme is a letter and then letters, digits, '+', '-' or '.', of two
  // or more characters, so "c:\x" is a drive path and not a scheme.
  const std::size_t colon = address.find(':');
  if (colon == std::string_view::npos || colon < 2) return false;
  for (std::size_t i = 0; i < colon; ++i) {
    const char c = address[i];
    const bool letter = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
    if (!letter && (i == 0 || !((c >= '0' && c <= '9') || c == '+' || c == '-' || c == '.'))) {
      return false;
    }
  }
  return true;
}

}  // namespace

QUrl ToEngineUrl(std::string_view address) {
  // Leading and trailing blanks come from pasted or typed text.
  while (!address.empty() && (address.front() == ' ' || address.front() == '\t')) {
    address.remove_prefix(1);
  }
  while (!address.empty() && (address.back() == ' ' || address.back() == '\t' ||
                              address.back() == '\r' || address.back() == '\n')) {
    address.remove_suffix(1);
  }
  if (address.empty()) return {};

  QByteArray encoded;
  encoded.reserve(static_cast<qsizetype>(address.size()) + 16);
  if (!HasScheme(address)) encoded += address.front() == '/' ? "file://" : "http://";
  // Brackets belong to an IPv6 host and nowhere else.
  std::size_t host_begin = 0;
  if (const std::size_t slashes = address.find("://");
      HasScheme(address) && slashes != std::string_view::npos) {
    host_begin = slashes + 3;
  }
  const std::size_t host_end = std::min(address.find_first_of("/?#", host_begin), address.size());
  bool in_fragment = false;
  for (std::size_t i = 0; i < address.size(); ++i) {
    const char c = address[i];
    const bool kept_escape =
        c == '%' && i + 2 < address.size() && IsHex(address[i + 1]) && IsHex(address[i + 2]);
    const bool first_hash = c == '#' && !in_fragment;
    if (first_hash) in_fragment = true;
    const bool host_bracket = (c == '[' || c == ']') && i >= host_begin && i < host_end;
    if (IsUrlCharacter(c) || kept_escape || first_hash || host_bracket) {
      encoded += c;
    } else {
      static constexpr char kHex[] = "0123456789ABCDEF";
      const auto byte = static_cast<unsigned char>(c);
      encoded += '%';
      encoded += kHex[byte >> 4];
      encoded += kHex[byte & 0x0F];
    }
  }
  QUrl url = QUrl::fromEncoded(encoded, QUrl::StrictMode);
  return url.isValid() ? url : QUrl();
}

std::string FromEngineUrl(const QUrl& url) {
  const QByteArray encoded = url.toEncoded();
  return std::string(encoded.constData(), static_cast<std::size_t>(encoded.size()));
}

}  // namespace tolvane
