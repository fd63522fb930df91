// Converting and percent-encoding 1 MB of Japanese shop-search text, each
// conversion next to glibc iconv doing the same work.
#include <benchmark/benchmark.h>
#include <iconv.h>

#include <cstdint>
#include <cstdlib>
#include <string>

#include "core/search/charset_converter.h"
#include "core/search/query_encoding.h"

namespace {

// Mixed Shift_JIS text, fixed seed: ASCII words and numbers, hiragana,
// katakana, JIS level 1 kanji and half-width katakana, all valid codes so
// iconv converts all of it.
const std::string& JapaneseText() {
  static const std::string text = [] {
    std::string s;
    std::uint32_t seed = 12345;
    auto next = [&seed](std::uint32_t n) {
      seed = seed * 1103515245u + 12345u;
      return (seed >> 8) % n;
    };
    while (s.size() < (1u << 20)) {
      const std::uint32_t kind = next(10);
      const std::uint32_t run = 1 + next(8);
      for (std::uint32_t i = 0; i < run; ++i) {
        if (kind < 3) {
          s += static_cast<char>(next(3) ? 'a' + next(26) : '0' + next(10));
        } else if (kind < 5) {
          s += '\x82';
          s += static_cast<char>(0x9F + next(0xF1 - 0x9F + 1));
        } else if (kind < 6) {
          s += '\x83';
          const auto trail = 0x40 + next(0x96 - 0x40 + 1);
          s += static_cast<char>(trail == 0x7F ? 0x80 : trail);
        } else if (kind < 9) {
          s += static_cast<char>(0x89 + next(0x97 - 0x89 + 1));
          const auto trail = 0x40 + next(0xFC - 0x40 + 1);
          s += static_cast<char>(trail == 0x7F ? 0x80 : trail);
        } else {
          s += static_cast<char>(0xA1 + next(0xDF - 0xA1 + 1));
        }
      }
      if (next(4) == 0) s += ' ';
    }
    return s;
  }();
  return text;
}

std::string IconvConvert(const char* to, const char* from, const std::string& in, size_t factor) {
  iconv_t cd = iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1)) std::abort();
  std::string input = in;
  std::string output(in.size() * factor, '\0');
  char* src = input.data();
  size_t src_left = input.size();
  char* dst = output.data();
  size_t dst_left = output.size();
  if (iconv(cd, &src, &src_left, &dst, &dst_left) == static_cast<size_t>(-1)) std::abort();
  iconv_close(cd);
  output.resize(output.size() - dst_left);
  return output;
}

// iconv with the descriptor opened once, as a caller converting many texts would.
class Converter {
 public:
  Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {
    if (cd_ == reinterpret_cast<iconv_t>(-1)) std::abort();
  }
  ~Converter() { iconv_close(cd_); }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;

  std::string Run(const std::string& in, size_t factor) {
    iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    std::string output(in.size() * factor, '\0');
    char* src = const_cast<char*>(in.data());
    size_t src_left = in.size();
    char* dst = output.data();
    size_t dst_left = output.size();
    if (iconv(cd_, &src, &src_left, &dst, &dst_left) == static_cast<size_t>(-1)) std::abort();
    output.resize(output.size() - dst_left);
    return output;
  }

 private:
  iconv_t cd_;
};

void Finish(benchmark::State& state) {
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                          static_cast<std::int64_t>(JapaneseText().size()));
}

void BM_SjisToUtf8_Tolvane(benchmark::State& state) {
  const std::string& text = JapaneseText();
  for (auto _ : state) benchmark::DoNotOptimize(tolvane::Utf16ToUtf8(tolvane::SjisToUtf16(text)));
  Finish(state);
}

// The same in one pass, as Encode(3) does it.
void BM_SjisToUtf8Direct_Tolvane(benchmark::State& state) {
  const std::string& text = JapaneseText();
  for (auto _ : state) benchmark::DoNotOptimize(tolvane::SjisToUtf8(text));
  Finish(state);
}

// The two halves of the above, to see where the time goes.
void BM_SjisToUtf16_Tolvane(benchmark::State& state) {
  const std::string& text = JapaneseText();
  for (auto _ : state) benchmark::DoNotOptimize(tolvane::SjisToUtf16(text));
  Finish(state);
}

void BM_Utf16ToUtf8_Tolvane(benchmark::State& state) {
  const std::u16string utf16 = tolvane::SjisToUtf16(JapaneseText());
  for (auto _ : state) benchmark::DoNotOptimize(tolvane::Utf16ToUtf8(utf16));
  Finish(state);
}

void BM_SjisToUtf8_Iconv(benchmark::State& state) {
  const std::string& text = JapaneseText();
  if (IconvConvert("UTF-8", "CP932", text, 3) != tolvane::SjisToUtf8(text)) {
    state.SkipWithError("outputs differ");
    return;
  }
  Converter iconv("UTF-8", "CP932");
  for (auto _ : state) benchmark::DoNotOptimize(iconv.Run(text, 3));
  Finish(state);
}

void BM_SjisToEucJp_Tolvane(benchmark::State& state) {
  const std::string& text = JapaneseText();
  for (auto _ : state) benchmark::DoNotOptimize(tolvane::SjisToEucJp(text));
  Finish(state);
}

void BM_SjisToEucJp_Iconv(benchmark::State& state) {
  const std::string& text = JapaneseText();
  if (IconvConvert("EUC-JP-MS", "CP932", text, 2) != tolvane::SjisToEucJp(text)) {
    state.SkipWithError("outputs differ");
    return;
  }
  Converter iconv("EUC-JP-MS", "CP932");
  for (auto _ : state) benchmark::DoNotOptimize(iconv.Run(text, 2));
  Finish(state);
}

void BM_EncodeUtf8_Tolvane(benchmark::State& state) {
  const std::string& text = JapaneseText();
  for (auto _ : state) benchmark::DoNotOptimize(tolvane::Encode(3, text));
  Finish(state);
}

void BM_EncodeUtf8_Iconv(benchmark::State& state) {
  const std::string& text = JapaneseText();
  Converter iconv("UTF-8", "CP932");
  for (auto _ : state) benchmark::DoNotOptimize(tolvane::PercentEncode(iconv.Run(text, 3)));
  Finish(state);
}

void BM_EncodeEucJp_Tolvane(benchmark::State& state) {
  const std::string& text = JapaneseText();
  for (auto _ : state) benchmark::DoNotOptimize(tolvane::Encode(2, text));
  Finish(state);
}

void BM_EncodeEucJp_Iconv(benchmark::State& state) {
  const std::string& text = JapaneseText();
  Converter iconv("EUC-JP-MS", "CP932");
  for (auto _ : state) benchmark::DoNotOptimize(tolvane::PercentEncode(iconv.Run(text, 2)));
  Finish(state);
}

void BM_PercentEncode(benchmark::State& state) {
  const std::string& text = JapaneseText();
  for (auto _ : state) benchmark::DoNotOptimize(tolvane::PercentEncode(text));
  Finish(state);
}

BENCHMARK(BM_SjisToUtf8_Tolvane);
BENCHMARK(BM_SjisToUtf8Direct_Tolvane);
BENCHMARK(BM_SjisToUtf16_Tolvane);
BENCHMARK(BM_Utf16ToUtf8_Tolvane);
BENCHMARK(BM_SjisToUtf8_Iconv);
BENCHMARK(BM_SjisToEucJp_Tolvane);
BENCHMARK(BM_SjisToEucJp_Iconv);
BENCHMARK(BM_EncodeUtf8_Tolvane);
BENCHMARK(BM_EncodeUtf8_Iconv);
BENCHMARK(BM_EncodeEucJp_Tolvane);
BENCHMARK(BM_EncodeEucJp_Iconv);
BENCHMARK(BM_PercentEncode);

}  // namespace

BENCHMARK_MAIN();
