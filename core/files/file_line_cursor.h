#pragma once

#include <cstddef>
#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>

namespace tolvane {

// Hands out the lines of a file as LineCursor does for bytes in memory (LF
// ends a line, a CR before it belongs to the line end, the last line may
// lack its LF), reading the file a block at a time. A line is cut after
// `max_line_bytes` + 2 bytes and the cursor stops there: the caller sees a
// line longer than it allows and refuses the file without the rest being
// read, however large the file is.
class FileLineCursor {
 public:
  FileLineCursor(const std::filesystem::path& path, std::size_t max_line_bytes);
  ~FileLineCursor();
  FileLineCursor(const FileLineCursor&) = delete;
  FileLineCursor& operator=(const FileLineCursor&) = delete;

  bool is_open() const { return file_ != nullptr; }
  // True when reading failed (not at the end of the file).
  bool read_error() const { return read_error_; }

  // The view stays valid until the next call.
  bool Next(std::string_view* line);

  // 1-based number of the line Next returned last.
  long long number() const { return number_; }
  // True when the line Next returned last ended with its LF (a cut line
  // never does).
  bool ended() const { return ended_; }

 private:
  // Refills the block; false at the end of the file or on a read error.
  bool Fill();

  std::FILE* file_ = nullptr;
  std::size_t max_line_bytes_;
  std::string block_;
  std::size_t block_pos_ = 0;
  std::string line_;
  long long number_ = 0;
  bool read_error_ = false;
  bool ended_ = false;
  bool stopped_ = false;  // a line was cut: nothing after it is read
};

}  // namespace tolvane
