#pragma once

#include <iconv.h>

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace tolvane::testing {

// glibc's iconv with its descriptor opened once: the independent converter
// the charset tables are checked against and the benchmarks compare with.
class IconvConverter {
 public:
  IconvConverter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
  ~IconvConverter() {
    if (Ok()) iconv_close(cd_);
  }
  IconvConverter(const IconvConverter&) = delete;
  IconvConverter& operator=(const IconvConverter&) = delete;

  bool Ok() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

  // Nothing when any of the input cannot be converted. The output may take
  // up to `output_per_input_byte` bytes for each input byte.
  std::optional<std::string> Convert(std::string_view in, std::size_t output_per_input_byte = 4) {
    iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    std::string output(in.size() * output_per_input_byte + 16, '\0');
    char* src = const_cast<char*>(in.data());  // iconv never writes its input
    std::size_t src_left = in.size();
    char* dst = output.data();
    std::size_t dst_left = output.size();
    if (iconv(cd_, &src, &src_left, &dst, &dst_left) == static_cast<std::size_t>(-1)) return {};
    if (iconv(cd_, nullptr, nullptr, &dst, &dst_left) == static_cast<std::size_t>(-1)) return {};
    output.resize(output.size() - dst_left);
    return output;
  }

 private:
  iconv_t cd_;
};

}  // namespace tolvane::testing
