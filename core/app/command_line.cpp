#include "core/app/command_line.h"

#include <string_view>

namespace tolvane {

CommandLine CommandLine::Parse(const std::vector<std::string>& args) {
  constexpr std::string_view kDataDir = "--data-dir";
  CommandLine line;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == kDataDir) {
      if (i + 1 >= args.size() || args[i + 1].empty()) {
        line.error = "--data-dir needs a directory";
        return line;
      }
      line.data_dir = args[++i];
    } else if (arg.rfind(std::string(kDataDir) + "=", 0) == 0) {
      std::string dir = arg.substr(kDataDir.size() + 1);
      if (dir.empty()) {
        line.error = "--data-dir needs a directory";
        return line;
      }
      line.data_dir = dir;
    } else if (arg == "-h" || arg == "--help") {
      line.show_help = true;
    } else if (arg.size() > 1 && arg[0] == '-' && arg[1] == '-' && line.argument.empty() &&
               arg != "--") {
      line.error = "unknown option " + arg;
      return line;
    } else if (line.argument.empty()) {
      line.argument = arg;
    }
    // Further free arguments are ignored, as the first one alone steers the start.
  }
  return line;
}

const char* CommandLine::Usage() {
  return "usage: tolvane [--data-dir DIR] [URL | FILE.url]\n"
         "  --data-dir DIR  keep settings and stores in DIR instead of the program's directory\n"
         "                  (~/.local/share/tolvane when the program may not write there)\n"
         "  URL, FILE.url   the page the first page tab opens\n";
}

std::filesystem::path UserDataDirectory(const std::string& xdg_data_home, const std::string& home) {
  const std::filesystem::path xdg(xdg_data_home);
  if (xdg.is_absolute()) return xdg / "tolvane";
  const std::filesystem::path home_dir(home);
  if (home_dir.is_absolute()) return home_dir / ".local" / "share" / "tolvane";
  return {};
}

std::filesystem::path ResolveDataDirectory(const CommandLine& command_line,
                                           const std::filesystem::path& executable_path,
                                           bool executable_dir_writable,
                                           const std::filesystem::path& user_data_dir) {
  if (command_line.data_dir) return *command_line.data_dir;
  if (!executable_dir_writable && !user_data_dir.empty()) return user_data_dir;
  return executable_path.parent_path();
}

}  // namespace tolvane
