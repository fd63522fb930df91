// Store file speed on a large favorites-sized store: writing (with the
// durable replace), formatting alone, loading, and as the yardstick for
// loading, reading the same file and cutting it into lines.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <random>
#include <string>
#include <string_view>

#include <unistd.h>

#include "core/app/data_file.h"
#include "core/app/raw_line_store.h"
#include "core/app/triplet_encoding.h"
#include "platform/posix_env.h"

namespace {

namespace fs = std::filesystem;
using tolvane::DataFile;
using tolvane::RawLineStore;
using tolvane::StoreType;

constexpr int kItems = 10000;
constexpr int kFolders = 40;

// About 200 bytes: an address, a Shift_JIS title, a date, counters and tags.
std::string ItemLine(std::mt19937& random, int index) {
  auto pick = [&random](int low, int high) {
    return std::uniform_int_distribution<int>(low, high)(random);
  };
  std::string line = "http://shop" + std::to_string(pick(1, 300)) + ".example.jp/item/" +
                     std::to_string(index) + "?ref=search&page=" + std::to_string(pick(1, 50));
  line += '\t';
  for (int i = pick(45, 55); i > 0; --i) {  // hiragana, katakana and kanji
    switch (pick(0, 2)) {
      case 0:
        line += '\x82';
        line += static_cast<char>(pick(0x9f, 0xf1));
        break;
      case 1:
        line += '\x83';
        line += static_cast<char>(pick(0x40, 0x7e));
        break;
      default:
        line += static_cast<char>(pick(0x88, 0x9f));
        line += static_cast<char>(pick(0x40, 0x7e));
    }
  }
  line += " " + std::to_string(pick(100, 99999)) + "\x89\x7e";  // price in yen
  line += "\t2024/0" + std::to_string(pick(1, 9)) + "/1" + std::to_string(pick(0, 9)) + " 12:3" +
          std::to_string(pick(0, 9)) + ":00\t" + std::to_string(pick(0, 5)) + '\t' +
          std::to_string(pick(0, 500)) + "\t" + std::to_string(pick(11, 11 + kFolders)) +
          "\tsale,new\t";
  return line;
}

struct Fixture {
  Fixture() : env(fs::temp_directory_path()) {
    dir = fs::temp_directory_path() / ("tolvane_data_file_bench_" + std::to_string(::getpid()));
    fs::create_directories(dir);
    std::mt19937 random(2024);
    for (int i = 0; i < kFolders; ++i) {
      store.ParseFolderLine(std::to_string(11 + i) + "\tfolder " + std::to_string(i) + "\t0\t");
    }
    for (int i = 0; i < kItems; ++i) store.ParseItemLine(ItemLine(random, i));
    plain_path = dir / "vq_favorite.fvf";
    env.ReplaceFile(plain_path, DataFile::Format(StoreType::kFavorites, store, {}), nullptr);
    file_bytes = fs::file_size(plain_path);
  }
  ~Fixture() { fs::remove_all(dir); }

  tolvane::PosixEnv env;
  fs::path dir;
  fs::path plain_path;
  RawLineStore store;
  std::uintmax_t file_bytes = 0;
};

Fixture& Shared() {
  static Fixture fixture;
  return fixture;
}

void BM_Save(benchmark::State& state) {
  Fixture& f = Shared();
  for (auto _ : state) {
    auto result = DataFile::Save(StoreType::kFavorites, f.dir / "saved.fvf", f.store, {}, f.env);
    if (!result.ok) state.SkipWithError(result.message.c_str());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * f.file_bytes));
}
BENCHMARK(BM_Save)->Unit(benchmark::kMillisecond);

void BM_FormatOnly(benchmark::State& state) {
  Fixture& f = Shared();
  for (auto _ : state) {
    benchmark::DoNotOptimize(DataFile::Format(StoreType::kFavorites, f.store, {}));
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * f.file_bytes));
}
BENCHMARK(BM_FormatOnly)->Unit(benchmark::kMillisecond);

void BM_Load(benchmark::State& state) {
  Fixture& f = Shared();
  for (auto _ : state) {
    RawLineStore loaded;
    auto result = DataFile::Load(StoreType::kFavorites, f.plain_path, loaded);
    if (result.status != tolvane::DataFileLoadResult::Status::kLoaded) {
      state.SkipWithError(result.message.c_str());
    }
    benchmark::DoNotOptimize(loaded);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * f.file_bytes));
  state.counters["file_bytes"] = static_cast<double>(f.file_bytes);
}
BENCHMARK(BM_Load)->Unit(benchmark::kMillisecond);

// The floor for loading: read the file whole and find its lines, nothing more.
void BM_ReadAndSplitBaseline(benchmark::State& state) {
  Fixture& f = Shared();
  for (auto _ : state) {
    std::FILE* file = std::fopen(f.plain_path.c_str(), "rb");
    std::string bytes(fs::file_size(f.plain_path), '\0');
    bytes.resize(std::fread(bytes.data(), 1, bytes.size(), file));
    std::fclose(file);
    std::size_t lines = 0;
    std::string_view rest = bytes;
    while (!rest.empty()) {
      const void* lf = std::memchr(rest.data(), '\n', rest.size());
      std::size_t length =
          lf ? static_cast<std::size_t>(static_cast<const char*>(lf) - rest.data()) : rest.size();
      std::string_view line = rest.substr(0, length);
      benchmark::DoNotOptimize(line);
      rest.remove_prefix(lf ? length + 1 : length);
      ++lines;
    }
    benchmark::DoNotOptimize(lines);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * f.file_bytes));
}
BENCHMARK(BM_ReadAndSplitBaseline)->Unit(benchmark::kMillisecond);

// A version 1 file of the same records: three times the bytes, decoded on reading.
void BM_LoadEncoded(benchmark::State& state) {
  Fixture& f = Shared();
  const std::string plain = DataFile::Format(StoreType::kFavorites, f.store, {});
  std::string encoded = "@@FavoriteList@@\r\n1\r\n";
  std::string_view rest = std::string_view(plain).substr(plain.find("\r\n0\r\n") + 5);
  while (!rest.empty()) {
    const std::size_t end = rest.find("\r\n");
    encoded += tolvane::TripletEncoding::Encode(rest.substr(0, end)) + "\r\n";
    rest.remove_prefix(end + 2);
  }
  for (auto _ : state) {
    RawLineStore loaded;
    DataFile::LoadFromBytes(StoreType::kFavorites, encoded, loaded);
    benchmark::DoNotOptimize(loaded);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * encoded.size()));
  state.counters["file_bytes"] = static_cast<double>(encoded.size());
}
BENCHMARK(BM_LoadEncoded)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
