#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "core/commands/command_id.h"

namespace tolvane {

// One entry of the page's encoding menu: the command (3609 …), the name shown
// and the charset the page is read with (WHATWG label; empty: the page's own
// declaration decides).
struct PageEncoding {
  CommandId command;
  std::string_view name;  // UTF-8
  std::string_view charset;
};

// The encoding menu in order: automatic first, then the Japanese encodings,
// Unicode and the neighbouring scripts. Commands are consecutive from 3609
// and stay within 3609-3699.
std::span<const PageEncoding> PageEncodings();

// The entry of a menu command; nothing outside the table.
std::optional<PageEncoding> PageEncodingFor(CommandId command);

// The entry carrying the radio mark for the charset a page reports: its
// label or an alias of it compared without ASCII case ("shift-jis",
// "windows-31j" and "x-sjis" are Shift_JIS); nothing for another charset.
std::optional<PageEncoding> PageEncodingOfCharset(std::string_view charset);

}  // namespace tolvane
