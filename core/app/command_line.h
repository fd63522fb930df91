#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace tolvane {

// The browser's command line: `tolvane [--data-dir DIR] [URL | FILE.URL]`.
// The one free argument steers the first page only (a URL, or an Internet
// shortcut file whose address opens first); it never opens a document.
struct CommandLine {
  std::optional<std::filesystem::path> data_dir;
  std::string argument;  // native (UTF-8) text, empty when none
  bool show_help = false;
  std::string error;  // empty when the line was understood

  // `args` without the program name.
  static CommandLine Parse(const std::vector<std::string>& args);
  static const char* Usage();
};

// Where an installed program keeps its data: "tolvane" in $XDG_DATA_HOME when
// that is an absolute path (the base directory rule ignores relative ones),
// else in ~/.local/share; empty when neither is known.
std::filesystem::path UserDataDirectory(const std::string& xdg_data_home, const std::string& home);

// The data directory: --data-dir when given; else the executable's directory
// while the program may write there (a copy unpacked by the user); else
// `user_data_dir` (an installed program), unless that is unknown.
std::filesystem::path ResolveDataDirectory(const CommandLine& command_line,
                                           const std::filesystem::path& executable_path,
                                           bool executable_dir_writable = true,
                                           const std::filesystem::path& user_data_dir = {});

}  // namespace tolvane
