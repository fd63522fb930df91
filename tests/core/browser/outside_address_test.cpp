#include "core/browser/outside_address.h"

#include <gtest/gtest.h>

#include <string>

namespace tolvane {
namespace {

using Kind = OutsideAddress::Kind;
using Source = OutsideAddress::Source;

// Every address another program may hand over, from the command line (also
// through a second start) and from a .url file; and whether a saved page of
// that address loads at start.
TEST(OutsideAddressTest, OnlyWebPagesAndNamedFilesComeInFromOutside) {
  struct Case {
    std::string address;
    Kind argument;
    Kind shortcut;
    std::string url;  // what opens from the command line
    bool loads_at_restore;
  };
  const Case cases[] = {
      {"http://shop.example/a?q=1", Kind::kWeb, Kind::kWeb, "http://shop.example/a?q=1", true},
      {"HTTPS://shop.example/", Kind::kWeb, Kind::kWeb, "HTTPS://shop.example/", true},
      {"/home/u/東京 1.html", Kind::kLocalFile, Kind::kRefused,
       "file:///home/u/%E6%9D%B1%E4%BA%AC%201.html", false},
      {"javascript:alert(document.cookie)", Kind::kRefused, Kind::kRefused, "", false},
      {"JavaScript:alert(1)", Kind::kRefused, Kind::kRefused, "", false},
      {"file:///etc/passwd", Kind::kRefused, Kind::kRefused, "", false},
      {"data:text/html,<script>alert(1)</script>", Kind::kRefused, Kind::kRefused, "", false},
      {"view-source:http://shop.example/", Kind::kRefused, Kind::kRefused, "", false},
      {"chrome://version", Kind::kRefused, Kind::kRefused, "", false},
      {"ftp://files.example/x", Kind::kRefused, Kind::kRefused, "", false},
      {"about:blank", Kind::kRefused, Kind::kRefused, "", true},
      {"http:shop.example", Kind::kRefused, Kind::kRefused, "", false},
      {" http://shop.example/", Kind::kRefused, Kind::kRefused, "", false},
      {"shop.example", Kind::kRefused, Kind::kRefused, "", false},  // relative
      {"", Kind::kRefused, Kind::kRefused, "", false},
  };
  for (const Case& c : cases) {
    const OutsideAddress argument = JudgeOutsideAddress(c.address, Source::kArgument);
    EXPECT_EQ(argument.kind, c.argument) << c.address;
    EXPECT_EQ(argument.url, c.url) << c.address;
    EXPECT_EQ(argument.refused(), c.url.empty()) << c.address;
    EXPECT_EQ(JudgeOutsideAddress(c.address, Source::kShortcut).kind, c.shortcut) << c.address;
    EXPECT_EQ(LoadsAtRestore(c.address), c.loads_at_restore) << c.address;
  }
}

}  // namespace
}  // namespace tolvane
