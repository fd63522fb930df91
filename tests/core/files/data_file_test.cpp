#include "core/files/data_file.h"

#include <filesystem>
#include <random>
#include <string>
#include <tuple>
#include <vector>

#include <gtest/gtest.h>

#include <sys/stat.h>

#include "core/files/file_line_cursor.h"
#include "core/files/raw_line_store.h"
#include "core/files/triplet_encoding.h"
#include "platform/posix_env.h"
#include "support/failing_env.h"
#include "support/temp_dir.h"

namespace tolvane {
namespace {

namespace fs = std::filesystem;
using Status = DataFileLoadResult::Status;
using Lines = std::vector<std::string>;

// Every line of `body` (LF-separated) encoded, with the divisors cycling.
std::string EncodeLines(const Lines& lines) {
  int next = 0;
  auto random = [&next](int low, int high) { return low + (next++ % (high - low + 1)); };
  std::string out;
  for (const std::string& line : lines) out += TripletEncoding::Encode(line, random) + "\r\n";
  return out;
}

struct Loaded {
  DataFileLoadResult result;
  RawLineStore store;
};

Loaded LoadBytes(std::string_view bytes, StoreType type = StoreType::kFavorites) {
  Loaded loaded;
  loaded.result = DataFile::LoadFromBytes(type, bytes, loaded.store);
  return loaded;
}

// Expects the whole outcome of a load: status, line, and the store's records.
void ExpectOutcome(const Loaded& loaded, Status status, int line, const Lines& folders,
                   const Lines& items) {
  EXPECT_EQ(loaded.result.status, status) << loaded.result.message;
  EXPECT_EQ(loaded.result.line, line) << loaded.result.message;
  EXPECT_EQ(loaded.store.folder_lines(), folders);
  EXPECT_EQ(loaded.store.item_lines(), items);
  if (status != Status::kLoaded && status != Status::kMissing) {
    EXPECT_EQ(loaded.result.message.rfind("line " + std::to_string(line) + ": ", 0), 0u)
        << loaded.result.message;
  }
}

class DataFileTest : public ::testing::Test {
 protected:
  testing::TempDir dir_;
  PosixEnv env_{dir_.path()};
};

RawLineStore SampleStore() {
  RawLineStore store;
  store.ParseFolderLine("11\t\x82\xa8\x8b\x43\x82\xc9\x93\xfc\x82\xe8\t0\t");  // Shift_JIS name
  store.ParseFolderLine("12\tdeleted\t11");
  store.ParseFolderLine("13\tsub\t11");
  store.ParseItemLine("http://a.example/\ttitle A\t2024/01/02 03:04:05");
  store.ParseItemLine("http://b.example/\tdeleted");
  store.ParseItemLine("http://c.example/\t\t\t5");
  store.MarkFolderDeleted(1);
  store.MarkItemDeleted(1);
  return store;
}

TEST_F(DataFileTest, WrittenFileHasTheExactFrameAndReadsBackWithoutDeletedRecords) {
  const fs::path path = dir_ / "vq_favorite.fvf";
  const RawLineStore store = SampleStore();
  const DataFileSaveResult saved = DataFile::Save(StoreType::kFavorites, path, store, {}, env_);
  ASSERT_TRUE(saved.ok) << saved.message;
  EXPECT_EQ(saved.dropped_lines, 0u);
  EXPECT_EQ(testing::ReadFile(path),
            "@@FavoriteList@@\r\n0\r\n2\r\n"
            "11\t\x82\xa8\x8b\x43\x82\xc9\x93\xfc\x82\xe8\t0\t\r\n13\tsub\t11\r\n"
            "2\r\nhttp://a.example/\ttitle A\t2024/01/02 03:04:05\r\nhttp://c.example/\t\t\t5\r\n");

  RawLineStore reloaded;
  const DataFileLoadResult result = DataFile::Load(StoreType::kFavorites, path, reloaded);
  EXPECT_EQ(result.status, Status::kLoaded) << result.message;
  EXPECT_EQ(result.version_line, "0");
  EXPECT_EQ(reloaded.folder_lines(), store.folder_lines());
  EXPECT_EQ(reloaded.item_lines(), store.item_lines());
  EXPECT_EQ(reloaded.reset_count(), 0);
  EXPECT_EQ(DataFile::Format(StoreType::kFavorites, reloaded, {}), testing::ReadFile(path));
}

TEST_F(DataFileTest, EngineListAndClipFilesAreWrittenWithoutFolders) {
  const RawLineStore store = SampleStore();
  for (StoreType type : {StoreType::kEngineList, StoreType::kClips}) {
    EXPECT_EQ(DataFile::Format(type, store, {}),
              std::string(StoreMarker(type)) +
                  "\r\n0\r\n0\r\n2\r\nhttp://a.example/\ttitle A\t2024/01/02 03:04:05\r\n"
                  "http://c.example/\t\t\t5\r\n");
  }
  // Folder lines in a clip file are read past, not handed to the store.
  ExpectOutcome(LoadBytes("@@ClipPageList@@\n0\n1\nfolder\n1\nclip\n", StoreType::kClips),
                Status::kLoaded, 0, {}, {"clip"});
}

TEST_F(DataFileTest, WriterLeavesOutLinesNoReaderCouldTakeBack) {
  RawLineStore store;
  store.ParseItemLine("first");
  store.ParseItemLine(std::string(DataFile::kMaxPlainLineBytes + 1, 'x'));
  store.ParseItemLine("two\nlines");
  store.ParseItemLine(std::string(DataFile::kMaxPlainLineBytes, 'y'));
  const fs::path path = dir_ / "vq_keyword.kwd";
  const DataFileSaveResult saved = DataFile::Save(StoreType::kKeywords, path, store, {}, env_);
  EXPECT_TRUE(saved.ok);
  EXPECT_EQ(saved.dropped_lines, 2u);
  EXPECT_FALSE(saved.message.empty());
  Loaded loaded = LoadBytes(testing::ReadFile(path), StoreType::kKeywords);
  ExpectOutcome(loaded, Status::kLoaded, 0, {},
                {"first", std::string(DataFile::kMaxPlainLineBytes, 'y')});
}

TEST_F(DataFileTest, FailedReplaceKeepsThePreviousFile) {
  const fs::path path = dir_ / "vq_history.his";
  testing::WriteFile(path, "@@HistoryList@@\r\n0\r\n0\r\n1\r\nold\r\n");
  testing::FailingEnv failing(dir_.path());
  failing.fail_every_replace = true;
  failing.failure = "disk full";
  const DataFileSaveResult saved =
      DataFile::Save(StoreType::kHistory, path, SampleStore(), {}, failing);
  EXPECT_FALSE(saved.ok);
  EXPECT_NE(saved.message.find("disk full"), std::string::npos) << saved.message;
  EXPECT_EQ(testing::ReadFile(path), "@@HistoryList@@\r\n0\r\n0\r\n1\r\nold\r\n");
}

TEST_F(DataFileTest, EncodedBodyReadsLikeThePlainFile) {
  const Lines body = {"2", "11\tfolder\t0\t", "12\t\x83\x65\x83\x58\x83\x67\t11", "1",
                      "http://x/\t\x95\x5c\x8e\xa6"};
  std::string plain = "@@TabList@@\r\n0\r\n";
  for (const std::string& line : body) plain += line + "\r\n";
  const Loaded expected = LoadBytes(plain, StoreType::kTabs);
  ExpectOutcome(expected, Status::kLoaded, 0, {body[1], body[2]}, {body[4]});

  // Version 1, and an empty version line, both mean an encoded body.
  for (std::string version : {"1", "", "7\tmore"}) {
    const Loaded loaded =
        LoadBytes("@@TabList@@\r\n" + version + "\r\n" + EncodeLines(body), StoreType::kTabs);
    ExpectOutcome(loaded, Status::kLoaded, 0, {body[1], body[2]}, {body[4]});
    EXPECT_EQ(loaded.result.version_line, version);
  }
}

TEST_F(DataFileTest, AcceptsLfAndCrLf) {
  ExpectOutcome(LoadBytes("@@FavoriteList@@\n0\n1\nf\r\n2\nitem one\nitem two\n"), Status::kLoaded,
                0, {"f"}, {"item one", "item two"});
  // Rejected lines are skipped but still counted; what follows the items is ignored.
  ExpectOutcome(LoadBytes("@@FavoriteList@@\r\n0\t2024\r\n0\r\n3\r\n \r\na\tb\t\r\n\r\nextra\r\n"),
                Status::kLoaded, 0, {}, {"a\tb\t"});
  // A CR that is not part of the line end stays in the line.
  ExpectOutcome(LoadBytes("@@FavoriteList@@\r\n0\r\n0\r\n1\r\nx\ry\r\r\n"), Status::kLoaded, 0, {},
                {"x\ry\r"});
}

// A needed line without its line end was cut wherever the cut falls, on
// disk as in memory (each store type: tolvane_doc_test).
TEST_F(DataFileTest, ALineCutBeforeItsLineEndIsATruncatedFile) {
  const std::string whole = "@@FavoriteList@@\r\n0\r\n1\r\nf\r\n2\r\nitem one\r\nitem two\r\n";
  const std::vector<std::tuple<std::size_t, int, Lines, Lines>> cuts = {
      {2, 7, {"f"}, {"item one"}},  // no CR LF
      {1, 7, {"f"}, {"item one"}},  // CR, no LF
      {5, 7, {"f"}, {"item one"}},  // inside the text
      {22, 5, {"f"}, {}},           // inside the item count
      {33, 1, {}, {}},              // inside the marker line end
  };
  for (const auto& [cut, line, folders, items] : cuts) {
    const std::string bytes = whole.substr(0, whole.size() - cut);
    SCOPED_TRACE(bytes);
    const Loaded loaded = LoadBytes(bytes);
    ExpectOutcome(loaded, Status::kTruncated, line, folders, items);
    EXPECT_EQ(loaded.result.message,
              "line " + std::to_string(line) +
                  ": the file ends inside this line, before its line end: the file was cut short");
    testing::WriteFile(dir_ / "vq_favorite.fvf", bytes);
    RawLineStore from_file;
    EXPECT_EQ(DataFile::Load(StoreType::kFavorites, dir_ / "vq_favorite.fvf", from_file).message,
              loaded.result.message);
  }
}

TEST_F(DataFileTest, WrongMarkerLeavesTheStoreAlone) {
  Loaded loaded = LoadBytes("@@KeywordList@@\r\n0\r\n0\r\n1\r\nkeyword\r\n");
  ExpectOutcome(loaded, Status::kWrongMarker, 1, {}, {});
  EXPECT_NE(loaded.result.message.find("vq_keyword.kwd"), std::string::npos);
  EXPECT_EQ(loaded.store.reset_count(), 0);
  // Near misses are wrong too: the marker must match exactly.
  ExpectOutcome(LoadBytes("@@FavoriteList@@ \r\n0\r\n0\r\n0\r\n"), Status::kWrongMarker, 1, {}, {});
  ExpectOutcome(LoadBytes("\xef\xbb\xbf@@FavoriteList@@\r\n0\r\n0\r\n0\r\n"), Status::kWrongMarker,
                1, {}, {});
}

TEST_F(DataFileTest, ShortFilesFailAfterKeepingTheRecordsRead) {
  ExpectOutcome(LoadBytes(""), Status::kTruncated, 1, {}, {});
  ExpectOutcome(LoadBytes("@@FavoriteList@@\r\n"), Status::kTruncated, 2, {}, {});
  ExpectOutcome(LoadBytes("@@FavoriteList@@\r\n0\r\n"), Status::kTruncated, 3, {}, {});
  ExpectOutcome(LoadBytes("@@FavoriteList@@\r\n0\r\n2\r\nf1\r\n"), Status::kTruncated, 5, {"f1"},
                {});
  ExpectOutcome(LoadBytes("@@FavoriteList@@\r\n0\r\n1\r\nf1\r\n"), Status::kTruncated, 5, {"f1"},
                {});
  Loaded loaded = LoadBytes("@@FavoriteList@@\r\n0\r\n0\r\n5\r\na\r\nb\r\nc\r\n");
  ExpectOutcome(loaded, Status::kTruncated, 8, {}, {"a", "b", "c"});
  EXPECT_EQ(loaded.result.message,
            "line 8: expected 5 item lines after line 4, the file ends after 3");
  // Absurd counts are trusted only as far as the lines go.
  ExpectOutcome(LoadBytes("@@FavoriteList@@\r\n0\r\n2147483647\r\nf\r\n"), Status::kTruncated, 5,
                {"f"}, {});
  ExpectOutcome(LoadBytes("@@FavoriteList@@\r\n0\r\n0\r\n99999999999999999999\r\ni\r\n"),
                Status::kTruncated, 6, {}, {"i"});
}

TEST_F(DataFileTest, CountsMustBeNumbers) {
  ExpectOutcome(LoadBytes("@@FavoriteList@@\r\n0\r\n-1\r\n0\r\n"), Status::kBadCount, 3, {}, {});
  ExpectOutcome(LoadBytes("@@FavoriteList@@\r\n0\r\n1\r\nf\r\nabc\r\n"), Status::kBadCount, 5,
                {"f"}, {});
  ExpectOutcome(LoadBytes("@@FavoriteList@@\r\n0\r\n\r\n0\r\n"), Status::kBadCount, 3, {}, {});
  // A number prefix is enough, as for any numeric field.
  ExpectOutcome(LoadBytes("@@FavoriteList@@\r\n0\r\n 1\t\r\nf\r\n1x\r\ni\r\n"), Status::kLoaded, 0,
                {"f"}, {"i"});
}

TEST_F(DataFileTest, LinesOverTheLimitsFailInsteadOfSplitting) {
  const std::string longest(DataFile::kMaxPlainLineBytes, 'a');
  const std::string too_long(DataFile::kMaxPlainLineBytes + 1, 'a');
  const std::string head = "@@FavoriteList@@\r\n0\r\n0\r\n2\r\n";
  ExpectOutcome(LoadBytes(head + longest + "\r\n" + longest + "\n"), Status::kLoaded, 0, {},
                {longest, longest});
  ExpectOutcome(LoadBytes(head + "ok\r\n" + too_long + "\r\n"), Status::kLineTooLong, 6, {},
                {"ok"});
  ExpectOutcome(LoadBytes("@@FavoriteList@@\r\n" + too_long + "\r\n0\r\n0\r\n"),
                Status::kLineTooLong, 2, {}, {});

  // Encoded: at most 63 998 characters, decoding to at most 15 998 bytes.
  const std::string encoded_head = "@@FavoriteList@@\r\n1\r\n" + EncodeLines({"0", "1"});
  const Lines fits = {longest};
  ExpectOutcome(LoadBytes(encoded_head + EncodeLines(fits)), Status::kLoaded, 0, {}, {longest});
  ExpectOutcome(LoadBytes(encoded_head + EncodeLines({too_long})), Status::kLineTooLong, 5, {}, {});
  ExpectOutcome(LoadBytes(encoded_head + std::string(DataFile::kMaxEncodedLineBytes + 1, '0')),
                Status::kLineTooLong, 5, {}, {});
}

TEST_F(DataFileTest, DamagedContentFailsWithTheLineItIsOn) {
  std::string encoded = "@@FavoriteList@@\r\n1\r\n" + EncodeLines({"0", "2", "good"});
  Loaded loaded = LoadBytes(encoded + "0ab0a!0ab\r\n");
  ExpectOutcome(loaded, Status::kBadEncoding, 6, {}, {"good"});
  EXPECT_NE(loaded.result.message.find("character 6"), std::string::npos) << loaded.result.message;

  std::string garbage;
  std::mt19937 random(7);
  for (int i = 0; i < 4096; ++i) garbage += static_cast<char>(random() & 0xff);
  ExpectOutcome(LoadBytes(garbage), Status::kWrongMarker, 1, {}, {});
  const std::string binary("\0\xff\t\x81", 4);
  ExpectOutcome(LoadBytes("@@FavoriteList@@\r\n0\r\n0\r\n1\r\n" + binary + "\r\n"), Status::kLoaded,
                0, {}, {binary});
}

TEST_F(DataFileTest, MissingFileResetsAndUnopenableFileFails) {
  RawLineStore store = SampleStore();
  DataFileLoadResult result = DataFile::Load(StoreType::kFavorites, dir_ / "nothing.fvf", store);
  EXPECT_EQ(result.status, Status::kMissing);
  EXPECT_TRUE(result.ok());
  EXPECT_EQ(store.reset_count(), 1);
  EXPECT_EQ(store.folder_lines(), Lines{});
  EXPECT_EQ(store.item_lines(), Lines{});

  // The option and user-engine files add to the engine tree that the engine
  // list filled: their absence must not clear it.
  for (StoreType overlay : {StoreType::kEngineOptions, StoreType::kUserEngines}) {
    store = SampleStore();
    result = DataFile::Load(overlay, dir_ / "nothing.egt", store);
    EXPECT_EQ(result.status, Status::kMissing);
    EXPECT_EQ(store.reset_count(), 0);
    EXPECT_EQ(store.item_lines(), SampleStore().item_lines());
  }

  store = SampleStore();
  fs::create_directory(dir_ / "vq_tab.tbf");
  result = DataFile::Load(StoreType::kTabs, dir_ / "vq_tab.tbf", store);
  EXPECT_EQ(result.status, Status::kCannotOpen);
  EXPECT_FALSE(result.ok());
  EXPECT_NE(result.message.find("directory"), std::string::npos) << result.message;
  EXPECT_EQ(store.reset_count(), 0);
  EXPECT_EQ(store.item_lines(), SampleStore().item_lines());

  fs::create_symlink(dir_ / "gone", dir_ / "vq_clip.clf");
  result = DataFile::Load(StoreType::kClips, dir_ / "vq_clip.clf", store);
  EXPECT_EQ(result.status, Status::kCannotOpen);
  EXPECT_EQ(store.reset_count(), 0);
}

}  // namespace
}  // namespace tolvane

namespace tolvane {
namespace {

TEST_F(DataFileTest, FilesOnDiskReadLikeBytesAndOddOrHugeFilesAreRefusedUnread) {
  // The file reader hands out the same lines as the reader of bytes: CR LF,
  // LF, a last line without its line end, a line just past the limit.
  const std::string head = "@@FavoriteList@@\r\n0\r\n0\r\n3\nitem 1\r\n";
  for (const std::string& bytes :
       {head + "item 2\r\nitem 3", head + "item 2\r\n" + std::string(15999, 'x') + "\r\n"}) {
    testing::WriteFile(dir_ / "vq_favorite.fvf", bytes);
    RawLineStore from_file;
    const auto loaded = DataFile::Load(StoreType::kFavorites, dir_ / "vq_favorite.fvf", from_file);
    const Loaded from_bytes = LoadBytes(bytes);
    EXPECT_EQ(loaded.status, from_bytes.result.status) << loaded.message;
    EXPECT_EQ(loaded.message, from_bytes.result.message);
    EXPECT_EQ(from_file.item_lines(), from_bytes.store.item_lines());
  }

  // Anything but a regular file is refused before it is opened: a FIFO
  // would block the reader until something writes to it.
  const fs::path fifo = dir_ / "fifo.fvf";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  RawLineStore store = SampleStore();
  auto result = DataFile::Load(StoreType::kFavorites, fifo, store);
  EXPECT_EQ(result.status, Status::kCannotOpen);
  EXPECT_EQ(result.message, "the file cannot be opened: it is not a regular file");
  EXPECT_EQ(store.item_lines(), SampleStore().item_lines());

  // Past the largest store there can be, a file is refused by its size.
  const fs::path huge = dir_ / "huge.fvf";
  testing::WriteFile(huge, "");
  fs::resize_file(huge, DataFile::kMaxFileBytes + 1);  // sparse: costs no disk
  result = DataFile::Load(StoreType::kFavorites, huge, store);
  EXPECT_EQ(result.status, Status::kTooLarge);
  EXPECT_EQ(result.message,
            "the file is 1600000001 bytes, more than the 1600000000 a store file "
            "may hold");

  // Below it, a file without its marker costs one cut line, not the file.
  fs::resize_file(huge, 64 << 20);
  FileLineCursor cursor(huge, DataFile::kMaxEncodedLineBytes);
  std::string_view line;
  ASSERT_TRUE(cursor.Next(&line));
  EXPECT_EQ(line, std::string(DataFile::kMaxEncodedLineBytes + 2, '\0'));
  EXPECT_FALSE(cursor.Next(&line));
  result = DataFile::Load(StoreType::kFavorites, huge, store);
  EXPECT_EQ(result.status, Status::kWrongMarker);

  // An empty store is damaged, the engine options file too: the program
  // never leaves it empty.
  testing::WriteFile(dir_ / "vq_searchtree.egt", "");
  EXPECT_EQ(DataFile::Load(StoreType::kEngineOptions, dir_ / "vq_searchtree.egt", store).status,
            Status::kTruncated);
  testing::WriteFile(dir_ / "vq_custom.eng", "");
  EXPECT_EQ(DataFile::Load(StoreType::kUserEngines, dir_ / "vq_custom.eng", store).status,
            Status::kTruncated);
  EXPECT_EQ(store.reset_count(), 0);
}

}  // namespace
}  // namespace tolvane
