#pragma once

#include <QUrl>
#include <string>
#include <string_view>

namespace tolvane {

// The crossing of addresses between the program (Shift_JIS bytes) and the
// web engine. An address the program built may hold raw Shift_JIS or EUC-JP
// bytes, blanks or a lone '%'; Qt would read raw bytes as UTF-8 (destroying
// them) and re-escape every '%' of a component that has a lone one. So every
// byte a URL may not hold is percent-encoded here, the escapes already there
// are kept byte for byte, and the URL is parsed strictly.
//
//   "http://h/s?q=\x93\x8C&r=50%"  ->  http://h/s?q=%93%8C&r=50%25
//   "www.example.jp/a b"            ->  http://www.example.jp/a%20b
//   "/home/u/page.html"             ->  file:///home/u/page.html
//
// An address with no scheme is taken as http, or as a local file when it
// starts with '/'. Returns an invalid QUrl when the result is still not a
// URL (for instance an empty address).
QUrl ToEngineUrl(std::string_view address);

// The engine's address as the program keeps it: the encoded form, which is
// ASCII and so also Shift_JIS.
std::string FromEngineUrl(const QUrl& url);

}  // namespace tolvane
