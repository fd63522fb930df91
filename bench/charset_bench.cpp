// Converting and percent-encoding 1 MB of Japanese shop-search text, each
// conversion next to glibc iconv doing the same work.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdlib>
#include <string>

#include "core/text/charset_converter.h"
#include "core/text/query_encoding.h"
#include "support/iconv_converter.h"

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

using tolvane::testing::IconvConverter;

// The benchmark text always converts; anything else is a broken set-up.
std::string MustConvert(IconvConverter& iconv, const std::string& in, size_t factor) {
  auto out = iconv.Convert(in, factor);
  if (!out) std::abort();
  return *std::move(out);
}

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
  IconvConverter iconv("UTF-8", "CP932");
  if (MustConvert(iconv, text, 3) != tolvane::SjisToUtf8(text)) {
    state.SkipWithError("outputs differ");
    return;
  }
  for (auto _ : state) benchmark::DoNotOptimize(MustConvert(iconv, text, 3));
  Finish(state);
}

void BM_SjisToEucJp_Tolvane(benchmark::State& state) {
  const std::string& text = JapaneseText();
  for (auto _ : state) benchmark::DoNotOptimize(tolvane::SjisToEucJp(text));
  Finish(state);
}

void BM_SjisToEucJp_Iconv(benchmark::State& state) {
  const std::string& text = JapaneseText();
  IconvConverter iconv("EUC-JP-MS", "CP932");
  if (MustConvert(iconv, text, 2) != tolvane::SjisToEucJp(text)) {
    state.SkipWithError("outputs differ");
    return;
  }
  for (auto _ : state) benchmark::DoNotOptimize(MustConvert(iconv, text, 2));
  Finish(state);
}

void BM_EncodeUtf8_Tolvane(benchmark::State& state) {
  const std::string& text = JapaneseText();
  for (auto _ : state) benchmark::DoNotOptimize(tolvane::Encode(3, text));
  Finish(state);
}

void BM_EncodeUtf8_Iconv(benchmark::State& state) {
  const std::string& text = JapaneseText();
  IconvConverter iconv("UTF-8", "CP932");
  for (auto _ : state)
    benchmark::DoNotOptimize(tolvane::PercentEncode(MustConvert(iconv, text, 3)));
  Finish(state);
}

void BM_EncodeEucJp_Tolvane(benchmark::State& state) {
  const std::string& text = JapaneseText();
  for (auto _ : state) benchmark::DoNotOptimize(tolvane::Encode(2, text));
  Finish(state);
}

void BM_EncodeEucJp_Iconv(benchmark::State& state) {
  const std::string& text = JapaneseText();
  IconvConverter iconv("EUC-JP-MS", "CP932");
  for (auto _ : state)
    benchmark::DoNotOptimize(tolvane::PercentEncode(MustConvert(iconv, text, 2)));
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
