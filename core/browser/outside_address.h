#pragma once

#include <string>
#include <string_view>

namespace tolvane {

// Addresses that reach the program from outside it: the argument of a
// start (the command line, or a second start's through the hand-over
// socket), the URL of a .url file, and the saved page tabs that come back at
// the next start. Only web pages may arrive that way: a script address
// (javascript:), a page made of the address itself (data:), the engine's
// own pages (chrome:, view-source:), another program's scheme (ftp:) or a
// file: URL would run or show what another program chose, in this
// program's window and under its name.
//
//   JudgeOutsideAddress("https://a.example/", kArgument)   -> kWeb
//   JudgeOutsideAddress("/home/u/page.html", kArgument)   -> kLocalFile,
//                                                  "file:///home/u/page.html"
//   JudgeOutsideAddress("/home/u/page.html", kShortcut)   -> kRefused
//   JudgeOutsideAddress("javascript:alert(1)", kArgument)  -> kRefused
struct OutsideAddress {
  enum class Kind {
    kWeb,        // http: or https:, opened as it is
    kLocalFile,  // a file the user names on the command line, as a file: URL
    kRefused,    // any other scheme, an empty or a relative address
  };
  // Where the address came from.
  enum class Source {
    kArgument,  // a start's argument, made absolute when it is a file name
    kShortcut,  // the URL a .url file holds
  };

  Kind kind = Kind::kRefused;
  std::string url;  // what opens (ASCII for a file); empty when refused

  bool refused() const { return kind == Kind::kRefused; }
};

// A scheme of two letters or more before the first ':', so "c:" stays a path.
bool HasUrlScheme(std::string_view text);

// What opens of `address` (a file name in the native encoding, UTF-8; a URL
// as it came). A file name without a scheme must be absolute; its bytes
// outside the unreserved ones are percent-encoded.
OutsideAddress JudgeOutsideAddress(std::string_view address, OutsideAddress::Source source);

// Whether a saved page tab loads its address at start: http:, https: and
// "about:blank". Other records are kept as they are and come back not
// loaded, so an address that came in from outside before such addresses
// were refused does not run again at every start.
bool LoadsAtRestore(std::string_view url);

}  // namespace tolvane
