#include "core/frame/page_encoding.h"

#include <algorithm>
#include <array>

namespace tolvane {
namespace {

constexpr std::array<PageEncoding, 9> kEncodings = {{
    {CommandId(3609), "自動選択", ""},
    {CommandId(3610), "日本語 (シフト JIS)", "Shift_JIS"},
    {CommandId(3611), "日本語 (EUC)", "EUC-JP"},
    {CommandId(3612), "日本語 (JIS)", "ISO-2022-JP"},
    {CommandId(3613), "Unicode (UTF-8)", "UTF-8"},
    {CommandId(3614), "西ヨーロッパ言語 (Windows)", "windows-1252"},
    {CommandId(3615), "中国語簡体字 (GBK)", "GBK"},
    {CommandId(3616), "中国語繁体字 (Big5)", "Big5"},
    {CommandId(3617), "韓国語 (EUC-KR)", "EUC-KR"},
}};

// Other labels pages use for the same encodings.
struct Alias {
  std::string_view label;
  std::string_view charset;
};
constexpr Alias kAliases[] = {
    {"shift-jis", "Shift_JIS"},     {"sjis", "Shift_JIS"},          {"x-sjis", "Shift_JIS"},
    {"windows-31j", "Shift_JIS"},   {"ms932", "Shift_JIS"},         {"cp932", "Shift_JIS"},
    {"x-euc-jp", "EUC-JP"},         {"csiso2022jp", "ISO-2022-JP"}, {"utf8", "UTF-8"},
    {"iso-8859-1", "windows-1252"}, {"us-ascii", "windows-1252"},   {"gb2312", "GBK"},
    {"big5-hkscs", "Big5"},         {"ks_c_5601-1987", "EUC-KR"},
};

bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b) {
  return std::ranges::equal(a, b, [](char x, char y) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
    return lower(x) == lower(y);
  });
}

}  // namespace

std::span<const PageEncoding> PageEncodings() { return kEncodings; }

std::optional<PageEncoding> PageEncodingFor(CommandId command) {
  for (const PageEncoding& encoding : kEncodings) {
    if (encoding.command == command) return encoding;
  }
  return std::nullopt;
}

std::optional<PageEncoding> PageEncodingOfCharset(std::string_view charset) {
  if (charset.empty()) return std::nullopt;
  for (const Alias& alias : kAliases) {
    if (EqualsIgnoringAsciiCase(alias.label, charset)) charset = alias.charset;
  }
  for (const PageEncoding& encoding : kEncodings) {
    if (!encoding.charset.empty() && EqualsIgnoringAsciiCase(encoding.charset, charset)) {
      return encoding;
    }
  }
  return std::nullopt;
}

}  // namespace tolvane
