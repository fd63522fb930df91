#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace tolvane {

// The browser's command line: `tolvane [--data-dir DIR] [URL | FILE.URL | FILE]`.
// The one free argument steers the first page only (a URL, an Internet
// shortcut file whose address opens first, or a local file shown as its
// file: URL); it never opens a document.
struct CommandLine {
  std::optional<std::filesystem::path> data_dir;
  // Native (UTF-8) text, empty when none. A .url file given as a file: URL
  // (as desktops pass files) is its path.
  std::string argument;
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

// Where the program runs from.
struct ProgramPlace {
  std::filesystem::path executable;
  bool directory_writable = true;
  // Run from an installation (a share/tolvane folder beside its bin
  // folder): its folder is the system's, even for a user who may write
  // there.
  bool installed = false;
};

// The data directory: --data-dir when given; else the executable's directory
// when the program may keep its data there (a copy unpacked by the user);
// else `user_data_dir`, unless that is unknown.
std::filesystem::path ResolveDataDirectory(const CommandLine& command_line,
                                           const ProgramPlace& program,
                                           const std::filesystem::path& user_data_dir = {});

}  // namespace tolvane
