#include "core/app/command_line.h"

#include <gtest/gtest.h>

namespace tolvane {
namespace {

TEST(CommandLineTest, DataDirectoryAndTheFreeArgument) {
  auto line = CommandLine::Parse({"--data-dir", "/d", "http://127.0.0.1/"});
  EXPECT_EQ(line.error, "");
  EXPECT_EQ(line.data_dir, std::filesystem::path("/d"));
  EXPECT_EQ(line.argument, "http://127.0.0.1/");
  EXPECT_EQ(ResolveDataDirectory(line, {"/opt/tolvane/tolvane"}), std::filesystem::path("/d"));

  line = CommandLine::Parse({"shop.URL", "--data-dir=/e", "ignored"});
  EXPECT_EQ(line.argument, "shop.URL");
  EXPECT_EQ(line.data_dir, std::filesystem::path("/e"));

  line = CommandLine::Parse({});
  EXPECT_EQ(line.argument, "");
  EXPECT_EQ(ResolveDataDirectory(line, {"/opt/tolvane/tolvane"}),
            std::filesystem::path("/opt/tolvane"));

  // Desktops pass files as file: URLs; a shortcut file is read from its path.
  EXPECT_EQ(CommandLine::Parse({"file:///home/u/%E5%BA%97%20a.URL"}).argument, "/home/u/店 a.URL");
  EXPECT_EQ(CommandLine::Parse({"file:///home/u/page.html"}).argument, "file:///home/u/page.html");
  EXPECT_EQ(CommandLine::Parse({"file://host/a.url"}).argument, "file://host/a.url");
}

// An installed program cannot write beside itself: the user's data location
// takes over, unless --data-dir names a directory.
TEST(CommandLineTest, InstalledProgramKeepsItsDataInTheUsersDataLocation) {
  EXPECT_EQ(UserDataDirectory("/x/data", "/home/u"), std::filesystem::path("/x/data/tolvane"));
  EXPECT_EQ(UserDataDirectory("relative", "/home/u"),
            std::filesystem::path("/home/u/.local/share/tolvane"));
  EXPECT_EQ(UserDataDirectory("", ""), std::filesystem::path());

  const auto user = UserDataDirectory("", "/home/u");
  const CommandLine plain = CommandLine::Parse({});
  EXPECT_EQ(ResolveDataDirectory(plain, {"/usr/bin/tolvane", false, true}, user), user);
  // Also for a user who may write into the installation.
  EXPECT_EQ(ResolveDataDirectory(plain, {"/usr/bin/tolvane", true, true}, user), user);
  EXPECT_EQ(ResolveDataDirectory(plain, {"/opt/t/tolvane", false, false}, user), user);
  EXPECT_EQ(ResolveDataDirectory(plain, {"/opt/t/tolvane", true, false}, user),
            std::filesystem::path("/opt/t"));
  EXPECT_EQ(ResolveDataDirectory(CommandLine::Parse({"--data-dir", "/d"}),
                                 {"/usr/bin/tolvane", false, true}, user),
            std::filesystem::path("/d"));
  // Nowhere else to go: the program's directory, whose failure is reported.
  EXPECT_EQ(ResolveDataDirectory(plain, {"/usr/bin/tolvane", false, true}, {}),
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
