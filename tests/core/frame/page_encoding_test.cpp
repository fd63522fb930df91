#include "core/frame/page_encoding.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "core/commands/command_id.h"

namespace tolvane {
namespace {

TEST(PageEncodingTest, MenuCommandsAreConsecutiveInRangeAndCharsetsResolveBack) {
  std::set<std::string> charsets;
  int expected = command::kEncodingFirst.value();
  for (const PageEncoding& encoding : PageEncodings()) {
    EXPECT_EQ(encoding.command.value(), expected++);
    EXPECT_LE(encoding.command, command::kEncodingLast);
    EXPECT_TRUE(charsets.insert(std::string(encoding.charset)).second) << encoding.charset;
    EXPECT_EQ(PageEncodingFor(encoding.command)->name, encoding.name);
    if (!encoding.charset.empty()) {
      EXPECT_EQ(PageEncodingOfCharset(encoding.charset)->command, encoding.command);
    }
  }
  EXPECT_FALSE(PageEncodingFor(CommandId(3608)));
  EXPECT_FALSE(PageEncodingFor(CommandId(expected)));

  EXPECT_EQ(PageEncodingOfCharset("WINDOWS-31J")->charset, "Shift_JIS");
  EXPECT_EQ(PageEncodingOfCharset("euc-jp")->charset, "EUC-JP");
  EXPECT_EQ(PageEncodingOfCharset("ISO-8859-1")->charset, "windows-1252");
  EXPECT_FALSE(PageEncodingOfCharset("koi8-r"));
  EXPECT_FALSE(PageEncodingOfCharset(""));
}

}  // namespace
}  // namespace tolvane
