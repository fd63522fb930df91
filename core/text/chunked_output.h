#pragma once

#include <cstddef>
#include <string>

namespace tolvane {

// Output buffer for the converters: characters are written into a small
// buffer on the stack and appended to the result 1000 bytes at a time. With
// the result reserved for the worst case up front, this allocates once and
// touches only the memory the output really uses (a resize to the worst case
// would zero all of it, three times the input for UTF-8).
//
//   ChunkedOutput<char> out(&result);
//   char* p = out.Room(4); ... p += n; out.Commit(p);
//   out.Finish();
template <typename CharT>
class ChunkedOutput {
 public:
  static constexpr std::size_t kCapacity = 1000 / sizeof(CharT);

  explicit ChunkedOutput(std::basic_string<CharT>* result) : result_(result) {}
  ChunkedOutput(const ChunkedOutput&) = delete;
  ChunkedOutput& operator=(const ChunkedOutput&) = delete;

  // Where to write at least `n` (<= kCapacity) more characters.
  CharT* Room(std::size_t n) {
    if (kCapacity - used_ < n) Flush();
    return buffer_ + used_;
  }
  // How many characters fit before the next flush.
  std::size_t Free() const { return kCapacity - used_; }
  // Marks everything up to `end` (a pointer from Room) as written.
  void Commit(CharT* end) { used_ = static_cast<std::size_t>(end - buffer_); }
  void Finish() { Flush(); }

 private:
  void Flush() {
    result_->append(buffer_, used_);
    used_ = 0;
  }

  std::basic_string<CharT>* result_;
  std::size_t used_ = 0;
  CharT buffer_[kCapacity];
};

}  // namespace tolvane
