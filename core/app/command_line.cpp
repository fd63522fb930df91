#include "core/app/command_line.h"

#include <string_view>

namespace tolvane {
namespace {

bool EndsWithUrlFileSuffix(std::string_view text) {
  if (text.size() < 4) return false;
  const std::string_view tail = text.substr(text.size() - 4);
  return tail[0] == '.' && (tail[1] | 0x20) == 'u' && (tail[2] | 0x20) == 'r' &&
         (tail[3] | 0x20) == 'l';
}

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// "file:///dir/a%20b.url" → "/dir/a b.url"; anything else as it is.
std::string UrlFilePath(const std::string& argument) {
  constexpr std::string_view kPrefix = "file://";
  if (argument.rfind(kPrefix, 0) != 0 || !EndsWithUrlFileSuffix(argument)) return argument;
  const std::string_view rest = std::string_view(argument).substr(kPrefix.size());
  if (rest.empty() || rest[0] != '/') return argument;  // another host's file
  std::string path;
  for (std::size_t i = 0; i < rest.size(); ++i) {
    if (rest[i] == '%' && i + 2 < rest.size() && HexValue(rest[i + 1]) >= 0 &&
        HexValue(rest[i + 2]) >= 0) {
      path += static_cast<char>(HexValue(rest[i + 1]) * 16 + HexValue(rest[i + 2]));
      i += 2;
    } else {
      path += rest[i];
    }
  }
  return path;
}

}  // namespace

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
      line.argument = UrlFilePath(arg);
    }
    // Further free arguments are ignored, as the first one alone steers the start.
  }
  return line;
}

const char* CommandLine::Usage() {
  return "usage: tolvane [--data-dir DIR] [URL | FILE.url | FILE]\n"
         "  --data-dir DIR  keep settings and stores in DIR instead of the program's directory\n"
         "                  (~/.local/share/tolvane when the program may not write there)\n"
         "  URL, FILE.url   the page the first page tab opens (http or https only)\n"
         "  FILE            a local file the first page tab shows\n";
}

std::filesystem::path UserDataDirectory(const std::string& xdg_data_home, const std::string& home) {
  const std::filesystem::path xdg(xdg_data_home);
  if (xdg.is_absolute()) return xdg / "tolvane";
  const std::filesystem::path home_dir(home);
  if (home_dir.is_absolute()) return home_dir / ".local" / "share" / "tolvane";
  return {};
}

std::filesystem::path ResolveDataDirectory(const CommandLine& command_line,
                                           const ProgramPlace& program,
                                           const std::filesystem::path& user_data_dir) {
  if (command_line.data_dir) return *command_line.data_dir;
  const bool beside_program = program.directory_writable && !program.installed;
  if (!beside_program && !user_data_dir.empty()) return user_data_dir;
  return program.executable.parent_path();
}

}  // namespace tolvane
