#include "core/app/env.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <system_error>

namespace tolvane {

bool ReadWholeFile(const std::filesystem::path& path, std::string* contents, std::string* error) {
  auto fail = [error](std::string why) {
    if (error) *error = std::move(why);
    return false;
  };
  std::error_code ec;
  const auto status = std::filesystem::status(path, ec);
  if (ec || !std::filesystem::exists(status)) return fail("no such file");
  if (!std::filesystem::is_regular_file(status)) return fail("not a regular file");

  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) return fail(std::strerror(errno));
  // Read straight into a buffer of the file's size; keep reading in case the
  // file grew meanwhile.
  contents->clear();
  const auto size = std::filesystem::file_size(path, ec);
  if (!ec) {
    contents->resize(size);
    contents->resize(std::fread(contents->data(), 1, size, file));
  }
  char chunk[65536];
  while (!std::ferror(file) && !std::feof(file)) {
    contents->append(chunk, std::fread(chunk, 1, sizeof chunk, file));
  }
  const bool ok = !std::ferror(file);
  std::fclose(file);
  return ok || fail("read error");
}

bool Env::CopyFile(const std::filesystem::path& from, const std::filesystem::path& to,
                   std::string* error) {
  // The original is replaced right after this copy: the copy must be on disk
  // first, which ReplaceFile guarantees.
  std::string contents;
  return ReadWholeFile(from, &contents, error) && ReplaceFile(to, contents, error);
}

}  // namespace tolvane
