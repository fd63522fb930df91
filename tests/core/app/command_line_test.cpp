#include "core/app/command_line.h"

#include <gtest/gtest.h>

namespace tolvane {
namespace {

TEST(CommandLineTest, DataDirectoryAndTheFreeArgument) {
  auto line = CommandLine::Parse({"--data-dir", "/d", "http://127.0.0.1/"});
  EXPECT_EQ(line.error, "");
  EXPECT_EQ(line.data_dir, std::filesystem::path("/d"));
  EXPECT_EQ(line.argument, "http://127.0.0.1/");
  EXPECT_EQ(ResolveDataDirectory(line, "/opt/tolvane/tolvane"), std::filesystem::path("/d"));

  line = CommandLine::Parse({"shop.URL", "--data-dir=/e", "ignored"});
  EXPECT_EQ(line.argument, "shop.URL");
  EXPECT_EQ(line.data_dir, std::filesystem::path("/e"));

  line = CommandLine::Parse({});
  EXPECT_EQ(line.argument, "");
  EXPECT_EQ(ResolveDataDirectory(line, "/opt/tolvane/tolvane"),
            std::filesystem::path("/opt/tolvane"));
}

TEST(CommandLineTest, MistakesAreReported) {
  EXPECT_EQ(CommandLine::Parse({"--data-dir"}).error, "--data-dir needs a directory");
  EXPECT_EQ(CommandLine::Parse({"--data-dir="}).error, "--data-dir needs a directory");
  EXPECT_EQ(CommandLine::Parse({"--bogus"}).error, "unknown option --bogus");
  EXPECT_TRUE(CommandLine::Parse({"--help"}).show_help);
}

}  // namespace
}  // namespace tolvane
