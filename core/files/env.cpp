#include "core/files/env.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <system_error>

namespace tolvane {

bool ReadWholeFile(const std::filesystem::path& path, std::string* contents, std::string* error,
                   std::uintmax_t max_bytes) {
  auto fail = [error](std::string why) {
    if (error) *error = std::move(why);
    return false;
  };
  std::error_code ec;
  const auto status = std::filesystem::status(path, ec);
  if (ec || !std::filesystem::exists(status)) return fail("no such file");
  if (!std::filesystem::is_regular_file(status)) return fail("not a regular file");

  const auto size = std::filesystem::file_size(path, ec);
  auto too_large = [&](std::uintmax_t bytes) {
    return fail("the file is " + std::to_string(bytes) + " bytes, more than the " +
                std::to_string(max_bytes) + " it may hold");
  };
  if (!ec && size > max_bytes) return too_large(size);

  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) return fail(std::strerror(errno));
  // Read straight into a buffer of the file's size; keep reading in case the
  // file grew meanwhile.
  contents->clear();
  if (!ec) {
    contents->resize(size);
    contents->resize(std::fread(contents->data(), 1, size, file));
  }
  char chunk[65536];
  while (!std::ferror(file) && !std::feof(file) && contents->size() <= max_bytes) {
    contents->append(chunk, std::fread(chunk, 1, sizeof chunk, file));
  }
  const bool ok = !std::ferror(file);
  std::fclose(file);
  if (ok && contents->size() > max_bytes) {
    const auto grown = contents->size();
    contents->clear();
    return too_large(grown);
  }
  return ok || fail("read error");
}

bool Env::CopyFile(const std::filesystem::path& from, const std::filesystem::path& to,
                   std::string* error) {
  // The original is replaced right after this copy: the copy must be on disk
  // first, which ReplaceFile guarantees.
  std::string contents;
  return ReadWholeFile(from, &contents, error) && ReplaceFile(to, contents, error);
}

bool Env::RemoveFile(const std::filesystem::path& path) {
  std::error_code ec;
  if (!std::filesystem::is_regular_file(std::filesystem::symlink_status(path, ec))) return false;
  return std::filesystem::remove(path, ec);
}

FileStatus Env::StatFile(const std::filesystem::path& path) {
  FileStatus status;
  std::error_code ec;
  status.type = std::filesystem::status(path, ec).type();
  if (status.type == std::filesystem::file_type::regular) {
    status.size = std::filesystem::file_size(path, ec);
    if (!ec) status.modified = std::filesystem::last_write_time(path, ec);
  }
  if (ec && status.type != std::filesystem::file_type::not_found) status.error = ec.message();
  return status;
}

}  // namespace tolvane
