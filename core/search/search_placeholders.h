#pragma once

#include <string>
#include <string_view>

#include "core/search/keyword_forms.h"

// Filling an engine's URL or form template with a keyword.
//
// Placeholders, replaced over the whole template in this order (so text put
// in by one step is seen by the later ones):
//   $0      the whole keyword (full-width spaces made ASCII)
//   $1..$9  the keyword's words, empty when the keyword has fewer words
//   $a      the address of the active page
//   $h      its host: "http://" and "https://" removed, cut before the first
//           "/" that is not at position 0
//   $s      the address bar text without scheme, cut before its last "/" or
//           "\" ("." when it has neither)
// $a, $h and $s are only replaced while there is a window to read them from.
// The keyword goes in through Encode() in the engine's encoding (UTF-8 takes
// the text as typed, see KeywordForms); with an
// encoding Encode() does not know, $0 and the placeholders of existing words
// stay in the text as they are.
//
// Example, encoding 3, keyword "東京　駅" (full-width space):
//   "q=$0&w=$2"  ->  "q=%E6%9D%B1%E4%BA%AC+%E9%A7%85&w=%E9%A7%85"
namespace tolvane {

// What $a, $h and $s are made from (Shift_JIS).
struct PageContext {
  std::string active_url;        // empty when no page tab is active
  std::string address_bar_text;  // as typed or shown
};

// The host part of an address, as $h gives it.
std::string HostOfAddress(std::string_view url);
// The directory part of an address bar text, as $s gives it.
std::string DirectoryOfAddress(std::string_view text);

// `page` is null when there is no main window; `keyword` is Shift_JIS.
std::string SubstitutePlaceholders(std::string_view tmpl, int encoding, std::string_view keyword,
                                   const PageContext* page = nullptr);
// The same with the keyword's forms made beforehand (and kept for the next
// template).
std::string SubstitutePlaceholders(std::string_view tmpl, int encoding, KeywordForms& keyword,
                                   const PageContext* page = nullptr);

}  // namespace tolvane
