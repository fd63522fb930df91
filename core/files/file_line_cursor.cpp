#include "core/files/file_line_cursor.h"

#include <cstring>

namespace tolvane {
namespace {

constexpr std::size_t kBlockBytes = 65536;

}  // namespace

FileLineCursor::FileLineCursor(const std::filesystem::path& path, std::size_t max_line_bytes)
    : file_(std::fopen(path.c_str(), "rb")), max_line_bytes_(max_line_bytes) {}

FileLineCursor::~FileLineCursor() {
  if (file_) std::fclose(file_);
}

bool FileLineCursor::Fill() {
  if (!file_) return false;
  block_.resize(kBlockBytes);
  const std::size_t n = std::fread(block_.data(), 1, block_.size(), file_);
  block_.resize(n);
  block_pos_ = 0;
  if (n == 0 && std::ferror(file_)) read_error_ = true;
  return n > 0;
}

bool FileLineCursor::Next(std::string_view* line) {
  if (stopped_) return false;
  line_.clear();
  ended_ = false;
  bool found_any = false;
  // Room for the longest allowed line, its CR, and one byte more to show
  // that the line is longer than allowed.
  const std::size_t limit = max_line_bytes_ + 2;
  for (;;) {
    if (block_pos_ == block_.size() && !Fill()) break;
    found_any = true;
    const char* start = block_.data() + block_pos_;
    const std::size_t available = block_.size() - block_pos_;
    const void* lf = std::memchr(start, '\n', available);
    const std::size_t length =
        lf ? static_cast<std::size_t>(static_cast<const char*>(lf) - start) : available;
    const std::size_t room = limit - line_.size();
    if (length >= room) {
      line_.append(start, room);
      stopped_ = true;
      break;
    }
    line_.append(start, length);
    block_pos_ += lf ? length + 1 : length;
    if (lf) {
      ended_ = true;
      break;
    }
  }
  if (!found_any) return false;
  if (!stopped_ && !line_.empty() && line_.back() == '\r') line_.pop_back();
  ++number_;
  *line = line_;
  return true;
}

}  // namespace tolvane
