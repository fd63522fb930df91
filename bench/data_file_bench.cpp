// Store file speed on a large favorites-sized store: writing (with the
// durable replace), formatting alone, loading, and as the yardstick for
// loading, reading the same file and cutting it into lines. Also loading a
// 3 000-engine list with its option file into the engine list, next to
// reading and splitting those two files.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <random>
#include <string>
#include <string_view>

#include <unistd.h>

#include "core/files/data_file.h"
#include "core/files/raw_line_store.h"
#include "core/files/triplet_encoding.h"
#include "core/stores/category_file_binding.h"
#include "core/stores/engine_list.h"
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

// Reads a file whole and finds its lines, nothing more: the floor for
// loading it. Returns the number of lines.
std::size_t ReadAndSplit(const fs::path& path) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  std::string bytes(fs::file_size(path), '\0');
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
  return lines;
}

void BM_ReadAndSplitBaseline(benchmark::State& state) {
  Fixture& f = Shared();
  for (auto _ : state) benchmark::DoNotOptimize(ReadAndSplit(f.plain_path));
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

constexpr int kEngines = 3000;
constexpr int kEngineFolders = 60;

// A downloaded engine list of kEngines shops in kEngineFolders categories,
// and its option file with one line per engine in list order, as start-up
// reads them.
struct EngineFixture {
  EngineFixture() : env(fs::temp_directory_path()) {
    dir = fs::temp_directory_path() / ("tolvane_engine_bench_" + std::to_string(::getpid()));
    fs::create_directories(dir);
    std::mt19937 random(3000);
    auto pick = [&random](int low, int high) {
      return std::uniform_int_distribution<int>(low, high)(random);
    };
    std::string list = "@@SearchEngineList@@\r\n0\t205\t\t2026/03/01\r\n";
    list += std::to_string(kEngineFolders) + "\r\n";
    for (int i = 0; i < kEngineFolders; ++i) {
      list += std::to_string(1000 + i) + "\t\x83\x4a\x83\x65\x83\x53\x83\x8a" + std::to_string(i) +
              "\t0\r\n";  // "カテゴリ" + number
    }
    std::string options = "@@SearchEngineListOption@@\r\n0\r\n0\r\n";
    list += std::to_string(kEngines) + "\r\n";
    options += std::to_string(kEngines) + "\r\n";
    for (int i = 0; i < kEngines; ++i) {
      const std::string id = std::to_string(1010001 + i);
      const std::string host = "http://shop" + std::to_string(i) + ".example.jp/";
      std::string name = "\x83\x56\x83\x87\x83\x62\x83\x76" + std::to_string(i);  // "ショップ"
      list += id + "\t" + std::to_string(1000 + pick(0, kEngineFolders - 1)) + "\t" + name + "\t" +
              name + "\t" + name.substr(0, 6) + "\t" + host + "\t\t" + host +
              "search?keyword=%s&sort=price&page=1\t" + (i % 10 == 0 ? "q=%s&charset=euc" : "") +
              "\t\t\t" + std::to_string(pick(0, 3)) + "\r\n";
      options += id + "\t" + (i % 3 == 0 ? host + "favicon.ico" : "") + "\t" +
                 std::to_string(i % 50 == 0 ? 1 : 0) + "\t" + std::to_string(pick(0, 99)) + "\t" +
                 (i % 20 == 0 ? "UDL" : "") + "\t" + (i % 25 == 0 ? "sh" : "") + "\t" +
                 std::to_string(i % 40 == 0 ? 1 : 0) + "\t0\r\n";
    }
    list_path = dir / "vq_search.eng";
    options_path = dir / "vq_searchtree.egt";
    env.ReplaceFile(list_path, list, nullptr);
    env.ReplaceFile(options_path, options, nullptr);
    file_bytes = list.size() + options.size();
  }
  ~EngineFixture() { fs::remove_all(dir); }

  tolvane::PosixEnv env;
  fs::path dir;
  fs::path list_path;
  fs::path options_path;
  std::uintmax_t file_bytes = 0;
};

EngineFixture& SharedEngines() {
  static EngineFixture fixture;
  return fixture;
}

// Loading a 3 000-engine list with its option file into the engine list, as
// start-up and the reload after an update do.
void BM_LoadEngineList(benchmark::State& state) {
  EngineFixture& f = SharedEngines();
  using tolvane::CategoryFileBinding;
  for (auto _ : state) {
    tolvane::CategoryFolderTree folders(StoreType::kEngineList);
    tolvane::EngineList engines(StoreType::kEngineList);
    engines.ResetHighestId();
    CategoryFileBinding list_file(CategoryFileBinding::File::kEngineList, folders, engines);
    CategoryFileBinding options_file(CategoryFileBinding::File::kEngineOptions, folders, engines);
    auto loaded = DataFile::Load(StoreType::kEngineList, f.list_path, list_file);
    folders.AddArchiveFolder();
    auto options = DataFile::Load(StoreType::kEngineOptions, f.options_path, options_file);
    if (!loaded.ok() || !options.ok() || engines.size() != kEngines) {
      state.SkipWithError("the engine files did not load");
    }
    benchmark::DoNotOptimize(engines);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * f.file_bytes));
  state.counters["file_bytes"] = static_cast<double>(f.file_bytes);
}
BENCHMARK(BM_LoadEngineList)->Unit(benchmark::kMillisecond);

void BM_EngineFilesReadAndSplitBaseline(benchmark::State& state) {
  EngineFixture& f = SharedEngines();
  for (auto _ : state) {
    benchmark::DoNotOptimize(ReadAndSplit(f.list_path) + ReadAndSplit(f.options_path));
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * f.file_bytes));
}
BENCHMARK(BM_EngineFilesReadAndSplitBaseline)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
