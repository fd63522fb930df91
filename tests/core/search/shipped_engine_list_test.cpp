// The engine list shipped in data/vq_search.eng, as the program reads it.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "core/files/data_file.h"
#include "core/files/env.h"
#include "core/files/raw_line_store.h"
#include "core/files/record_fields.h"
#include "core/search/search_requests.h"
#include "core/stores/category_folder_tree.h"
#include "core/stores/engine_list.h"
#include "core/text/charset_converter.h"

namespace tolvane {
namespace {

constexpr int kFields = 12;  // Id .. Encoding; the list carries no option columns
enum Column { kId, kFolder, kName, kTabName, kShortName, kUrl, kTopUrl, kSearchUrl, kPostData };
constexpr int kEncoding = 11;

std::filesystem::path ShippedPath() {
  return std::filesystem::path(TOLVANE_SOURCE_DIR) / "data" / "vq_search.eng";
}

// Display text: non-empty, and Shift_JIS that comes back unchanged through
// UTF-8 (a code without a character would come back as "?").
void ExpectText(std::string_view sjis, const std::string& where) {
  EXPECT_FALSE(sjis.empty()) << where;
  EXPECT_EQ(Utf8ToSjis(SjisToUtf8(sjis)), sjis) << where;
}

// An address the browser can open as it stands: a web scheme and nothing
// but printable ASCII without spaces (keywords are percent-encoded into it).
bool IsWebAddress(std::string_view url) {
  if (url.rfind("https://", 0) != 0 && url.rfind("http://", 0) != 0) return false;
  for (char c : url) {
    if (c <= ' ' || c > '~') return false;
  }
  return true;
}

bool HasKeywordPlaceholder(std::string_view text) {
  return text.find("$0") != std::string_view::npos || text.find("$1") != std::string_view::npos;
}

class ShippedEngineListTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(ReadWholeFile(ShippedPath(), &bytes_)) << ShippedPath();
    loaded_ = DataFile::Load(StoreType::kEngineList, ShippedPath(), records_);
    ASSERT_EQ(loaded_.status, DataFileLoadResult::Status::kLoaded) << loaded_.message;
  }

  std::string bytes_;
  RawLineStore records_;
  DataFileLoadResult loaded_;
};

TEST_F(ShippedEngineListTest, FrameIsThatOfTheUpdateServer) {
  // CR LF after every line, the last included, and within the reader's limits.
  ASSERT_GE(bytes_.size(), 80u);  // the update check reads an 80-byte head
  EXPECT_EQ(bytes_.substr(bytes_.size() - 2), "\r\n");
  std::size_t start = 0;
  for (std::size_t lf = bytes_.find('\n'); lf != std::string::npos;
       start = lf + 1, lf = bytes_.find('\n', start)) {
    ASSERT_GT(lf, start) << "empty line at byte " << start;
    EXPECT_EQ(bytes_[lf - 1], '\r') << "bare LF at byte " << lf;
    EXPECT_LE(lf - 1 - start, DataFile::kMaxPlainLineBytes) << "line at byte " << start;
  }
  EXPECT_EQ(start, bytes_.size()) << "bytes after the last line end";

  // Header: plain lines, list version, publication date YYYY/MM/DD.
  const RecordFields header(loaded_.version_line);
  ASSERT_EQ(header.size(), 4u) << loaded_.version_line;
  EXPECT_EQ(header[0], "0");
  EXPECT_GE(header.Int(1), 100);
  const std::string_view date = header[3];
  ASSERT_EQ(date.size(), 10u) << date;
  for (std::size_t i = 0; i < date.size(); ++i) {
    if (i == 4 || i == 7) {
      EXPECT_EQ(date[i], '/') << date;
    } else {
      EXPECT_TRUE(date[i] >= '0' && date[i] <= '9') << date;
    }
  }
  const int month = ParseDecimalPrefix(date.substr(5, 2));
  const int day = ParseDecimalPrefix(date.substr(8, 2));
  EXPECT_TRUE(month >= 1 && month <= 12 && day >= 1 && day <= 31) << date;
}

TEST_F(ShippedEngineListTest, CategoriesAreTopLevelAndOutsideTheUserRange) {
  CategoryFolderTree tree(StoreType::kEngineList);
  std::set<int> ids;
  for (const std::string& line : records_.folder_lines()) {
    const RecordFields folder(line);
    ASSERT_EQ(folder.size(), 3u) << line;
    const int id = folder.Int(0);
    EXPECT_TRUE(ids.insert(id).second) << "duplicate folder " << id;
    EXPECT_GE(id, 1000) << line;  // 100-199 are the user's, -9999 the archive
    EXPECT_EQ(folder.Int(2), 0) << line;
    ExpectText(folder[1], line);
    EXPECT_GE(tree.ParseFolderLine(line), 0) << line;
  }
  EXPECT_GE(ids.size(), 6u);
  EXPECT_TRUE(ids.count(9901));  // web search
}

TEST_F(ShippedEngineListTest, EveryEngineIsCompleteAndSearchable) {
  std::set<int> folders;
  for (const std::string& line : records_.folder_lines()) folders.insert(RecordFields(line).Int(0));

  std::set<int> ids;
  std::set<int> used_folders;
  const std::vector<std::string> engines = records_.item_lines();
  EXPECT_GE(engines.size(), 30u);
  for (const std::string& line : engines) {
    const RecordFields engine(line);
    ASSERT_EQ(engine.size(), static_cast<std::size_t>(kFields)) << line;
    const std::string where = SjisToUtf8(line);
    const int id = engine.Int(kId);
    EXPECT_TRUE(ids.insert(id).second) << "duplicate engine " << id;
    EXPECT_FALSE(id >= 100000 && id <= 100999) << "user engine ID: " << where;
    EXPECT_TRUE(folders.count(engine.Int(kFolder))) << "no such folder: " << where;
    used_folders.insert(engine.Int(kFolder));
    for (int column : {kName, kTabName, kShortName}) ExpectText(engine[column], where);
    EXPECT_TRUE(IsWebAddress(engine[kUrl])) << where;
    EXPECT_TRUE(engine[kTopUrl].empty() || IsWebAddress(engine[kTopUrl])) << where;
    EXPECT_TRUE(IsWebAddress(engine[kSearchUrl])) << where;
    EXPECT_TRUE(HasKeywordPlaceholder(engine[kSearchUrl])) << where;
    EXPECT_TRUE(engine[kPostData].empty() || HasKeywordPlaceholder(engine[kPostData])) << where;
    const int encoding = engine.Int(kEncoding, -1);
    EXPECT_TRUE(encoding >= 0 && encoding <= 3) << where;
  }
  EXPECT_EQ(used_folders, folders) << "a category without engines";
}

TEST_F(ShippedEngineListTest, DefaultTabsFindTheirEngines) {
  // The default tabs name these IDs; their shops must not move.
  const std::map<int, std::pair<int, std::string>> expected = {
      {1010001, {1010, "Amazon.co.jp"}},
      {1010002, {1010, "楽天市場"}},
      {1010003, {1010, "Yahoo!ショッピング"}},
      {1021001, {1021, "価格.com"}},
      {9901001, {9901, "Google"}},
  };
  std::map<int, std::pair<int, std::string>> found;
  for (const std::string& line : records_.item_lines()) {
    const RecordFields engine(line);
    if (expected.count(engine.Int(kId))) {
      found[engine.Int(kId)] = {engine.Int(kFolder), SjisToUtf8(engine[kName])};
    }
  }
  EXPECT_EQ(found, expected);
}

TEST_F(ShippedEngineListTest, LoadsIntoTheEngineListAndSearches) {
  EngineList list(StoreType::kEngineList);
  list.ResetHighestId();
  std::set<int> folders;
  for (const std::string& line : records_.item_lines()) {
    const int row = list.ParseRecord(line);
    ASSERT_GE(row, 0) << line;
    // Read column by column and written back, the line is unchanged.
    EXPECT_EQ(list.FormatRecord(static_cast<std::size_t>(row)), line);
    folders.insert(list.folder_id(static_cast<std::size_t>(row)));
  }
  std::size_t listed = 0;
  for (int folder : folders) listed += list.ListFolder(folder).size();
  EXPECT_EQ(listed, list.size());
  // The shipped IDs leave the whole user range free.
  EXPECT_EQ(list.NextId(), std::optional<int>(EngineList::kFirstUserEngineId + 1));

  std::map<int, std::string> urls;
  for (int id : {1010001, 1010002, 1010003, 1021001, 9901001}) {
    const SearchRequests pages = BuildRequests(list, list.FindById(id), Keyword::FromUtf8("東京"));
    ASSERT_EQ(pages.size(), 1u) << id;
    EXPECT_EQ(pages.bodies[0], "") << id;
    urls[id] = pages.urls[0];
  }
  const std::map<int, std::string> expected = {
      {1010001, "https://www.amazon.co.jp/s?k=%E6%9D%B1%E4%BA%AC"},
      {1010002, "https://search.rakuten.co.jp/search/mall/%E6%9D%B1%E4%BA%AC/"},
      {1010003, "https://shopping.yahoo.co.jp/search?p=%E6%9D%B1%E4%BA%AC"},
      {1021001, "https://kakaku.com/search_results/%93%8C%8B%9E/"},  // Shift_JIS
      {9901001, "https://www.google.co.jp/search?q=%E6%9D%B1%E4%BA%AC&ie=UTF-8"},
  };
  EXPECT_EQ(urls, expected);
}

}  // namespace
}  // namespace tolvane
