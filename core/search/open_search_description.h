#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "core/stores/engine_list.h"

namespace tolvane {

// A shop's own description of its search (an OpenSearch description
// document, which a page names with <link rel="search"
// type="application/opensearchdescription+xml">) turned into the values of
// a new user engine, which the engine dialog then shows for checking.
//
// Mapping:
//   ShortName            -> 名前, タブ名 and 短縮名
//   the text/html Url    -> 検索文字列 (GET) or the form's address with
//                           its Param elements as PostData (POST); URL is
//                           the template's scheme and host
//   {searchTerms}        -> $0; other parameters ending in "?" are removed;
//                           startIndex, startPage, count, language and the
//                           encodings get their usual values
//   InputEncoding        -> URLエンコード 1 (Shift_JIS), 2 (EUC-JP),
//                           3 (UTF-8, also when none is given)
// For example
//   <Url type="text/html" template="https://s.example/find?q={searchTerms}&amp;p={startPage?}"/>
// gives 検索文字列 "https://s.example/find?q=$0&p=" and URL "https://s.example/".
//
// Refused, with a message and no values: a document larger than kMaxBytes,
// one that is no well-formed XML or whose root is not
// OpenSearchDescription, no Url of type text/html, an address that is not
// http or https (javascript: among them), has no host or a parameter in
// its host, user-info before its host ("https://shop.example@127.0.0.1/"
// reads like a shop and goes elsewhere), no {searchTerms}, a name with a
// control character in it,
// a required parameter the program cannot fill, a method other than GET or
// POST, and an input encoding other than the three. Non-ASCII bytes,
// spaces and "$" in addresses are percent-encoded, so nothing in the
// description can be mistaken for a placeholder of the program's own.
class OpenSearchDescription {
 public:
  static constexpr std::size_t kMaxBytes = 64 * 1024;
  // Names are cut to this many Shift_JIS bytes, characters kept whole.
  static constexpr std::size_t kMaxNameBytes = 128;

  static OpenSearchDescription Parse(std::string_view document);

  bool ok() const { return error_ == 0; }
  // 0, or the string id of the refusal.
  int error() const { return error_; }
  // The message to show (Shift_JIS); empty when ok.
  std::string Message() const;
  // The new engine's values (Shift_JIS); empty unless ok.
  const EngineDialogValues& engine() const { return engine_; }

  // "名前|URL|検索文字列|PostData|encoding" or "error <id> <detail>", for tests.
  std::string Describe() const;

 private:
  OpenSearchDescription() = default;
  static OpenSearchDescription Refuse(int error, std::string_view detail_utf8);

  int error_ = 0;
  std::string detail_;  // Shift_JIS, the %s of the message
  EngineDialogValues engine_;
};

}  // namespace tolvane
