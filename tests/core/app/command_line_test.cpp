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

// An installed program cannot write beside itself: the user's data location
// takes over, unless --data-dir names a directory.
TEST(CommandLineTest, InstalledProgramKeepsItsDataInTheUsersDataLocation) {
  EXPECT_EQ(UserDataDirectory("/x/data", "/home/u"), std::filesystem::path("/x/data/tolvane"));
  EXPECT_EQ(UserDataDirectory("relative", "/home/u"),
            std::filesystem::path("/home/u/.local/share/tolvane"));
  EXPECT_EQ(UserDataDirectory("", ""), std::filesystem::path());

  const auto user = UserDataDirectory("", "/home/u");
  EXPECT_EQ(ResolveDataDirectory(CommandLine::Parse({}), "/usr/bin/tolvane", false, user),
            std::filesystem::path("/home/u/.local/share/tolvane"));
  EXPECT_EQ(ResolveDataDirectory(CommandLine::Parse({}), "/opt/t/tolvane", true, user),
            std::filesystem::path("/opt/t"));
  EXPECT_EQ(ResolveDataDirectory(CommandLine::Parse({"--data-dir", "/d"}), "/usr/bin/tolvane",
                                 false, user),
            std::filesystem::path("/d"));
  // Nowhere else to go: the program's directory, whose failure is reported.
  EXPECT_EQ(ResolveDataDirectory(CommandLine::Parse({}), "/usr/bin/tolvane", false, {}),
            std::filesystem::path("/usr/bin"));
}

TEST(CommandLineTest, MistakesAreReported) {
  EXPECT_EQ(CommandLine::Parse({"--data-dir"}).error, "--data-dir needs a directory");
  EXPECT_EQ(CommandLine::Parse({"--data-dir="}).error, "--data-dir needs a directory");
  EXPECT_EQ(CommandLine::Parse({"--bogus"}).error, "unknown option --bogus");
  EXPECT_TRUE(CommandLine::Parse({"--help"}).show_help);
}

}  // namespace
}  // namespace tolvane
