#include "core/app/env.h"

#include <fstream>
#include <sstream>
#include <system_error>

namespace tolvane {

bool ReadWholeFile(const std::filesystem::path& path, std::string* contents, std::string* error) {
  std::error_code ec;
  auto status = std::filesystem::status(path, ec);
  if (ec || !std::filesystem::exists(status)) {
    if (error) *error = "no such file";
    return false;
  }
  if (!std::filesystem::is_regular_file(status)) {
    if (error) *error = "not a regular file";
    return false;
  }
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    if (error) *error = "cannot be opened for reading";
    return false;
  }
  std::ostringstream buffer;
  buffer << in.rdbuf();
  if (in.bad()) {
    if (error) *error = "read error";
    return false;
  }
  *contents = std::move(buffer).str();
  return true;
}

}  // namespace tolvane
