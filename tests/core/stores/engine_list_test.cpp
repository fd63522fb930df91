#include "core/stores/engine_list.h"

#include <gtest/gtest.h>

#include <climits>

#include "core/files/data_file.h"
#include "core/stores/category_file_binding.h"
#include "core/stores/clip_list.h"
#include "core/text/charset_converter.h"

namespace tolvane {
namespace {

// A 12-field engine record: ID, folder, name, tab name, short name, URL,
// top URL, search URL, POST data, two extras, encoding.
std::string Record(int id, int folder, const std::string& url = "http://e/",
                   const std::string& search = "", int encoding = 1) {
  const std::string n = "e" + std::to_string(id);
  return std::to_string(id) + "\t" + std::to_string(folder) + "\t" + n + "\t" + n + "\t" + n +
         "\t" + url + "\t\t" + search + "\t\t\t\t" + std::to_string(encoding);
}

// Every row as its record line and option line, deleted ones as "-".
std::string Dump(const EngineList& list) {
  std::string text;
  for (std::size_t i = 0; i < list.size(); ++i) {
    text += list.deleted(i) ? "-" : list.FormatRecord(i) + " | " + list.FormatOptionLine(i);
    text += "\n";
  }
  return text;
}

std::string Rows(const std::vector<int>& rows) {
  std::string text;
  for (int row : rows) text += std::to_string(row) + " ";
  return text;
}

TEST(EngineListTest, RecordLinesTakeDefaultsAndKeepTheLowBitsOfSmallColumns) {
  EngineList engines(StoreType::kEngineList);
  EngineList tabs(StoreType::kTabs);
  const std::string twelve = "  7\t1\tn\tt\ts\thttp://u/\ttop\tsearch\tpost\tx9\tx10\t2\t";
  EXPECT_EQ(engines.ParseRecord("7\t1\tn\tt\ts\thttp://u/\ttop\tsearch\tpost\tx9\t2"), -1);
  EXPECT_EQ(engines.ParseRecord(twelve), 0);
  EXPECT_EQ(engines.ParseRecord(Record(8, 1) + "\tfav\t1\t5\tG\tS"), 1);  // 17 fields
  EXPECT_EQ(tabs.ParseRecord(Record(9, 1) + "\tfav\t257\t-3\tG\tS\t513\t65537\textra"), 0);
  EXPECT_EQ(tabs.ParseRecord(twelve), 1);

  EXPECT_EQ(Dump(engines),
            "7\t1\tn\tt\ts\thttp://u/\ttop\tsearch\tpost\tx9\tx10\t2"
            " | 7\t\t0\t99999999\t\t\t0\t0\n" +
                Record(8, 1) + " | 8\tfav\t1\t5\tG\tS\t0\t0\n");
  // The tab file keeps all 19 columns in the record line.
  EXPECT_EQ(tabs.FormatRecord(0), Record(9, 1) + "\tfav\t1\t-3\tG\tS\t1\t1");
  EXPECT_EQ(tabs.FormatRecord(1),
            "7\t1\tn\tt\ts\thttp://u/\ttop\tsearch\tpost\tx9\tx10\t2\t\t0\t99999999\t\t\t0\t0");
  EXPECT_EQ(engines.image_index(0), 0);

  // Text put in later cannot shift the columns of the written line.
  engines.set_name(0, "a\tb\r\nc");
  EXPECT_EQ(engines.FormatRecord(0).substr(0, 14), "7\t1\ta b  c\tt\ts");
}

TEST(EngineListTest, NextIdStaysInTheUserRangeForEnginesAndCountsEveryTabId) {
  struct Case {
    StoreType type;
    std::vector<std::string> ids;
    std::optional<int> next;
  };
  const std::vector<Case> cases = {
      {StoreType::kEngineList, {"5", "100003", "250000"}, 100004},
      {StoreType::kEngineList, {"5", "99999"}, 100001},
      {StoreType::kEngineList, {"100998"}, 100999},
      {StoreType::kEngineList, {"100999"}, std::nullopt},
      {StoreType::kEngineList, {"2147483647", "99999999999", "-5"}, 100001},
      {StoreType::kTabs, {"1", "2", "7"}, 8},
      {StoreType::kTabs, {"-4"}, 1},
      {StoreType::kTabs, {"2147483646"}, INT_MAX},
      {StoreType::kTabs, {"99999999999"}, std::nullopt},  // clamped to INT_MAX
  };
  for (const auto& c : cases) {
    EngineList list(c.type);
    std::string ids;
    for (const auto& id : c.ids) {
      list.ParseRecord(id + "\t0\tn\tn\tn\tu\t\t\t\t\t\t0");
      ids += id + " ";
    }
    EXPECT_EQ(list.NextId(), c.next) << ids;
  }

  // Clear keeps the highest ID, so a reload never hands an ID out twice.
  EngineList engines(StoreType::kEngineList);
  engines.ParseRecord(Record(100007, 1));
  engines.Clear();
  EXPECT_EQ(engines.size(), 0u);
  EXPECT_EQ(engines.NextId(), 100008);
  engines.ResetHighestId();
  EXPECT_EQ(engines.NextId(), 100001);
  engines.ParseRecord(Record(1, 1));
  engines.set_id(0, 100500);
  EXPECT_EQ(engines.NextId(), 100501);
}

TEST(EngineListTest, FolderListingOrdersByOrderKeepingLoadOrderAndShowsArchivedOnlyInTheArchive) {
  EngineList engines(StoreType::kEngineList);
  engines.ParseRecord(Record(1, 12) + "\t\t0\t5");
  engines.ParseRecord(Record(2, 12) + "\t\t0\t3");
  engines.ParseRecord(Record(3, 12) + "\t\t0\t5");
  engines.ParseRecord(Record(4, 12) + "\t\t1\t1");  // archived
  engines.ParseRecord(Record(5, 12));               // no order: last
  engines.ParseRecord(Record(6, 13) + "\t\t1\t0");
  engines.ParseRecord(Record(7, -9999));  // filed in the archive, but not archived
  engines.ParseRecord(Record(8, 12) + "\t\t0\t0");
  engines.MarkDeleted(7);

  EXPECT_EQ(Rows(engines.ListFolder(12)), "1 0 2 4 ");
  EXPECT_EQ(Rows(engines.ListFolder(-9999)), "5 3 ");
  EXPECT_EQ(Rows(engines.ListFolder(13)), "");
  EXPECT_EQ(engines.EffectiveFolder(3), -9999);
  EXPECT_EQ(engines.EffectiveFolder(6), -9999);

  // A folder reference has no archive condition: it takes every live row
  // whose effective folder is the archive.
  engines.set_url(0, EngineList::FolderReference(-9999));
  EXPECT_EQ(engines.ResolveUrls(0), "http://e/\thttp://e/\thttp://e/\t");
  EXPECT_EQ(engines.ResolveNames(0), "e1");  // folder names only in tab rows
}

TEST(EngineListTest, OptionLinesMatchFromTheLastHitAndWrapAround) {
  EngineList engines(StoreType::kEngineList);
  EXPECT_EQ(engines.ParseOptionLine("1\tkey\t0\t4\tG\tS\t1\t2"), -1);  // empty list
  for (int id : {1, 2, 3, 4}) engines.ParseRecord(Record(id, 0));
  struct Case {
    std::string line;
    int row;
  };
  const std::vector<Case> cases = {
      {"3\tk3\t0\t30\t\t\t1\t2", 2},    {"4\tk4\t1\t40\tG\tS\t0", 3},  // seven fields: IconIndex 0
      {"1\tk1\t0\t10\tU\t\t0\t0", 0},                                  // wraps around from the hint
      {"2\tk2\t0\t20\t\t\t0\t0\tx", 1},                                // extra fields ignored
      {"2\tshort\t0\t20\t\t1", -1},                                    // six fields
      {"9\tk9\t0\t90\t\t\t0\t0", -1},                                  // no such engine
      {"4\tk4b\t0\t41\t\t\t0\t0", 3},  // the hint moved on with every hit
  };
  for (const auto& c : cases) EXPECT_EQ(engines.ParseOptionLine(c.line), c.row) << c.line;
  std::string options;
  for (std::size_t i = 0; i < engines.size(); ++i) options += engines.FormatOptionLine(i) + "\n";
  EXPECT_EQ(options,
            "1\tk1\t0\t10\tU\t\t0\t0\n"
            "2\tk2\t0\t20\t\t\t0\t0\n"
            "3\tk3\t0\t30\t\t\t1\t2\n"
            "4\tk4b\t0\t41\t\t\t0\t0\n");

  engines.ClearFaviconKeys();
  EXPECT_EQ(engines.favicon_key(2), "");
}

TEST(EngineListTest, ReferencesResolveAgainstTheEngineListWhicheverListHoldsThem) {
  const std::string folder12 = EngineList::FolderReference(12);
  EngineList engines(StoreType::kEngineList);
  engines.ParseRecord(Record(1, 12, "http://a/", "http://a/?q=%s", 1) + "\t\t0\t2");
  engines.ParseRecord(Record(2, 12, "http://b/", "http://b/?q=%s", 3) + "\t\t0\t1");
  engines.ParseRecord(Record(3, 12, "http://gone/"));
  engines.ParseRecord(Record(4, 0, EngineList::EngineReference(1), folder12));
  engines.MarkDeleted(2);

  EngineList tabs(StoreType::kTabs);
  tabs.set_engines(&engines);
  tabs.ParseRecord("1\t0\tshops\tshops\tshops\t" + folder12 + "\t\t" + folder12 + "\t" + folder12 +
                   "\t\t\t0");
  tabs.ParseRecord("2\t0\tmine\tm\tm\t" + EngineList::EngineReference(2) + "\t\t" +
                   EngineList::EngineReference(2) + "\t\t\t\t0");
  tabs.ParseRecord("3\t0\tlost\tl\tl\t" + EngineList::EngineReference(99) + "\t\t" +
                   EngineList::EngineReference(99) + "\t\t\t\t0");
  tabs.ParseRecord("4\t0\tempty\te\te\t" + EngineList::FolderReference(77) + "\t\t" +
                   EngineList::FolderReference(77) + "\t\t\t\t0");

  auto resolved = [](const EngineList& list, std::size_t i) {
    std::string text = list.ResolveUrls(i) + "|" + list.ResolveNames(i) + "|" +
                       list.ResolveSearchUrls(i) + "|" + list.ResolvePostData(i) + "|";
    for (int encoding : list.ResolveEncodings(i)) text += std::to_string(encoding);
    return text;
  };
  EXPECT_EQ(resolved(tabs, 0),
            "http://b/\thttp://a/\t|e2\te1\t|http://b/?q=%s\thttp://a/?q=%s\t|\t\t|31");
  EXPECT_EQ(resolved(tabs, 1), "http://b/|mine|http://b/?q=%s||3");
  EXPECT_EQ(resolved(tabs, 2), "|lost|||");
  EXPECT_EQ(resolved(tabs, 3), "||||");
  // In the engine list an engine reference is plain text; a folder
  // reference still resolves.
  EXPECT_EQ(resolved(engines, 3),
            EngineList::EngineReference(1) + "|e4|http://b/?q=%s\thttp://a/?q=%s\t||31");

  // The prefixes compare as Shift_JIS bytes; the number sits between "[" and
  // the last character, and a value too short for one reads as 0.
  EXPECT_EQ(EngineList::FolderReference(12), Utf8ToSjis("検索フォルダID[12]"));
  EXPECT_EQ(EngineList::EngineReference(-3), Utf8ToSjis("検索エンジンID[-3]"));
  struct Case {
    std::string value;
    EngineList::ReferenceKind kind;
    int id;
  };
  using Kind = EngineList::ReferenceKind;
  const std::vector<Case> cases = {
      {"検索フォルダID[12]", Kind::kFolder, 12}, {"検索フォルダID[12", Kind::kFolder, 1},
      {"検索フォルダID[", Kind::kFolder, 0},     {"検索フォルダID", Kind::kFolder, 0},
      {"検索フォルダID[x]", Kind::kFolder, 0},   {"検索エンジンID[5]", Kind::kEngine, 5},
      {"検索エンジンid[5]", Kind::kNone, 0},     {"http://検索フォルダID[1]", Kind::kNone, 0},
  };
  for (const auto& c : cases) {
    const auto reference = tabs.ParseReference(Utf8ToSjis(c.value));
    EXPECT_EQ(reference.kind, c.kind) << c.value;
    EXPECT_EQ(reference.id, c.id) << c.value;
  }
  EXPECT_EQ(engines.ParseReference(Utf8ToSjis("検索エンジンID[5]")).kind, Kind::kNone);
}

TEST(EngineListTest, DeletedRowsAreLeftOutOfTheFilesAndTheirCounts) {
  CategoryFolderTree folders(StoreType::kEngineList);
  EngineList engines(StoreType::kEngineList);
  folders.set_members(&engines);
  folders.ParseFolderLine("1\tshops\t0");
  folders.ParseFolderLine("100\tmine\t0");
  folders.ParseFolderLine("101\tsub\t100");
  engines.ParseRecord(Record(1010001, 1));
  engines.ParseRecord(Record(100001, 100));
  engines.ParseRecord(Record(100002, 101));
  engines.ParseRecord(Record(100003, 1));
  engines.MarkDeleted(3);

  CategoryFileBinding user_file(CategoryFileBinding::File::kUserEngines, folders, engines);
  EXPECT_EQ(engines.size(), 4u);
  EXPECT_EQ(engines.CountLive(), 3u);
  EXPECT_EQ(engines.CountLiveUserEngines(), 2u);
  EXPECT_EQ(DataFile::Format(StoreType::kUserEngines, user_file, {}),
            "@@CustomSearchEngine@@\r\n0\r\n2\r\n100\tmine\t0\r\n101\tsub\t100\r\n2\r\n" +
                Record(100001, 100) + "\r\n" + Record(100002, 101) + "\r\n");

  // Deleting a category removes its engines and those of its subfolders.
  folders.Delete(1);
  EXPECT_EQ(Dump(engines), Record(1010001, 1) + " | 1010001\t\t0\t99999999\t\t\t0\t0\n-\n-\n-\n");
  EXPECT_EQ(DataFile::Format(StoreType::kUserEngines, user_file, {}),
            "@@CustomSearchEngine@@\r\n0\r\n0\r\n0\r\n");
  EXPECT_EQ(engines.FindById(100002), 2) << "deleted rows are still found";
  EXPECT_EQ(engines.EngineName(100002), "e100002");
  EXPECT_EQ(engines.EngineName(5), std::nullopt);
}

TEST(EngineListTest, DeletingATabDeletesItsPageClips) {
  ClipList clips(100);
  for (const char* line : {"5\ta\thttp://a/", "6\tb\thttp://b/", "5\tc\thttp://c/"}) {
    clips.ParseItemLine(line);
  }
  EngineList tabs(StoreType::kTabs);
  tabs.set_clips(&clips);
  tabs.ParseRecord(Record(5, 0));
  tabs.ParseRecord(Record(6, 0));
  tabs.MarkDeleted(0);
  EXPECT_TRUE(clips.deleted(0));
  EXPECT_FALSE(clips.deleted(1));
  EXPECT_TRUE(clips.deleted(2));
  EXPECT_EQ(tabs.FormatRecord(0), "");
  EXPECT_EQ(tabs.FormatOptionLine(0), "");
}

TEST(EngineListTest, DisplayNameFallsBackToTheUrlThenUntitled) {
  EngineList engines(StoreType::kEngineList);
  engines.ParseRecord("1\t0\tname\tt\ts\thttp://u/\t\t\t\t\t\t0");
  engines.ParseRecord("2\t0\t\tt\ts\thttp://u/\t\t\t\t\t\t0");
  engines.ParseRecord("3\t0\t\tt\ts\t\t\t\t\t\t\t0");
  EXPECT_EQ(engines.DisplayName(0), "name");
  EXPECT_EQ(engines.DisplayName(1), "http://u/");
  EXPECT_EQ(engines.DisplayName(2), Utf8ToSjis("無題"));
}

TEST(EngineListTest, CreatedEnginesSitNextToTheSelectionAndStopAtTheEndOfTheUserRange) {
  EngineList engines(StoreType::kEngineList);
  engines.ParseRecord(Record(1010001, 7) + "\t\t0\t42");
  engines.ParseRecord(Record(1010002, 7) + "\t\t1\t43");  // archived
  EngineDialogValues values;
  values.name = "new\tname";
  values.tab_name = "tab";
  values.short_name = "sh";
  values.url = "http://n/";
  values.search_url = "http://n/?q=%s";
  values.post_data = "q=%s";
  values.encoding = 3;
  values.gesture = "UD";
  values.shortcut = "nn";
  values.on_search_bar = true;

  EXPECT_EQ(engines.CreateUserEngine(values, {7, -1}), 2);
  EXPECT_EQ(engines.CreateUserEngine(values, {0, 0}), 3);
  EXPECT_EQ(engines.CreateUserEngine(values, {0, 1}), 4);
  EXPECT_EQ(engines.CreateUserEngine(values, {-9999, -1}), 5);
  const std::string columns = "\tnew name\ttab\tsh\thttp://n/\t\thttp://n/?q=%s\tq=%s\t\t\t3 | ";
  std::string created;
  for (std::size_t i = 2; i < engines.size(); ++i) {
    created += engines.FormatRecord(i) + " | " + engines.FormatOptionLine(i) + "\n";
  }
  EXPECT_EQ(created, "100001\t7" + columns + "100001\t\t0\t9999\tUD\tnn\t1\t0\n" + "100002\t7" +
                         columns + "100002\t\t0\t42\tUD\tnn\t1\t0\n" + "100003\t7" + columns +
                         "100003\t\t1\t43\tUD\tnn\t1\t0\n" + "100004\t0" + columns +
                         "100004\t\t1\t9999\tUD\tnn\t1\t0\n");
  // A new engine in the archive is listed there, not lost between folders.
  EXPECT_EQ(Rows(engines.ListFolder(-9999)), "1 4 5 ");

  engines.ParseRecord(Record(100999, 7));
  const std::size_t rows = engines.size();
  EXPECT_EQ(engines.CreateUserEngine(values, {7, -1}), std::nullopt);
  EXPECT_EQ(engines.size(), rows);
}

}  // namespace
}  // namespace tolvane
