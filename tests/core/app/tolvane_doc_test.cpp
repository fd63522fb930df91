#include "core/app/tolvane_doc.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <functional>
#include <set>
#include <sstream>
#include <utility>

#include "core/text/charset_converter.h"
#include "support/failing_env.h"
#include "support/fake_clock.h"
#include "support/fake_prompter.h"
#include "support/temp_dir.h"

namespace tolvane {
namespace {

using testing::FailingEnv;
using testing::ReadFile;
using testing::TempDir;
using testing::WriteFile;

std::string StoreFile(StoreType type, const std::vector<std::string>& folders,
                      const std::vector<std::string>& items) {
  std::string text = std::string(StoreMarker(type)) + "\r\n0\r\n";
  text += std::to_string(folders.size()) + "\r\n";
  for (const auto& line : folders) text += line + "\r\n";
  text += std::to_string(items.size()) + "\r\n";
  for (const auto& line : items) text += line + "\r\n";
  return text;
}

// A 12-field engine record.
std::string Engine(const std::string& id, const std::string& folder, const std::string& url) {
  return id + "\t" + folder + "\tE" + id + "\tE\tE\t" + url + "\t\t" + url + "?q=%s\t\t\t\t1";
}

// The names in `dir`, sorted, one a line; directories end in "/".
std::string Listing(const std::filesystem::path& dir) {
  std::set<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(dir)) {
    names.insert(entry.path().filename().string() + (entry.is_directory() ? "/" : ""));
  }
  std::string text;
  for (const auto& name : names) text += name + "\n";
  return text;
}

std::string CountsText(const CTolvaneDoc& doc) {
  std::ostringstream out;
  for (const auto& count : doc.load_counts()) {
    out << StoreFileName(count.type) << ' ' << count.folders << '/' << count.items
        << (count.file_present ? "" : " missing") << '\n';
  }
  return out.str();
}

// One data directory with its settings, env and document, as start-up makes them.
struct Session {
  explicit Session(const TempDir& dir)
      : env(dir.path() / "mutex"),
        settings(dir.path() / "data" / "vq_system.ini", env),
        doc(dir.path() / "data", settings, env, clock) {}
  FailingEnv env;
  SettingsStore settings;
  testing::FakeClock clock;
  CTolvaneDoc doc;
};

class DocumentTest : public ::testing::Test {
 protected:
  void SetUp() override { std::filesystem::create_directories(data()); }
  std::filesystem::path data() const { return dir_.path() / "data"; }
  std::filesystem::path file(StoreType type) const {
    return data() / std::string(StoreFileName(type));
  }
  // A clip file of no known layout and an option file that ends early:
  // both tolerated at start-up.
  void WriteDamagedClipsAndOptions() {
    WriteFile(file(StoreType::kClips), bad_clips);
    WriteFile(file(StoreType::kEngineOptions), bad_options);
  }
  const std::string bad_clips = "garbage\r\n";
  const std::string bad_options =
      std::string(StoreMarker(StoreType::kEngineOptions)) + "\r\n0\r\n3\r\n";
  TempDir dir_;
};

TEST_F(DocumentTest, FirstRunLoadsDefaultsCreatesTheLockFileAndSavesEveryWritableStore) {
  Session session(dir_);
  ASSERT_TRUE(session.doc.OnNewDocument().ok());
  EXPECT_EQ(CountsText(session.doc),
            "vq_search.eng 0/0 missing\n"
            "vq_favorite.fvf 0/0 missing\n"
            "vq_keyword.kwd 0/0 missing\n"
            "vq_history.his 0/0 missing\n"
            "vq_custom.eng 0/0 missing\n"
            "vq_tab.tbf 0/0 missing\n"
            "vq_searchtree.egt 0/0 missing\n"
            "vq_clip.clf 0/0 missing\n");
  // Written whole before the hold takes it, so it is never left empty.
  EXPECT_EQ(ReadFile(file(StoreType::kEngineOptions)),
            StoreFile(StoreType::kEngineOptions, {"-9999\t0\t99999999\t0\t\t"}, {}));
  EXPECT_TRUE(session.doc.holds_data_directory());
  EXPECT_FALSE(session.doc.clip_load_failed());
  EXPECT_EQ(session.doc.ToleratedFailureNotice(), "");

  ASSERT_TRUE(session.doc.SaveAll().ok());
  const std::string archive = Utf8ToSjis("保管箱");
  EXPECT_EQ(ReadFile(file(StoreType::kEngineOptions)),
            StoreFile(StoreType::kEngineOptions, {"-9999\t0\t99999999\t0\t\t"}, {}));
  EXPECT_EQ(ReadFile(file(StoreType::kTabs)),
            StoreFile(StoreType::kTabs, {"-9999\t" + archive + "\t0\t0\t99999999\t0\t\t"}, {}));
  for (StoreType type : {StoreType::kUserEngines, StoreType::kClips}) {
    EXPECT_EQ(ReadFile(file(type)), StoreFile(type, {}, {})) << StoreFileName(type);
  }
  // The item stores start with their seven fixed folders and no items.
  for (StoreType type : {StoreType::kFavorites, StoreType::kKeywords, StoreType::kHistory}) {
    const std::string text = ReadFile(file(type));
    EXPECT_EQ(text.rfind(std::string(StoreMarker(type)) + "\r\n0\r\n7\r\n0\t-1\t0\t", 0), 0u);
    EXPECT_EQ(text.substr(text.size() - 5), "\r\n0\r\n");
  }
  EXPECT_FALSE(std::filesystem::exists(file(StoreType::kEngineList)))
      << "the engine list is only replaced by an update";
}

TEST_F(DocumentTest, LoadsEveryStoreInOrderAndSavesItBackUnchanged) {
  const std::string sjis_name = Utf8ToSjis("本");
  const std::string dates = "2026/01/01 00:00:00\t2026/01/02 03:04:05";
  auto item = [&](const std::string& id, const std::string& text) {
    return id + "\t" + text + "\t" + text + "\t2\ttag\t7\t" + dates + "\tkey\t1\t0";
  };
  WriteFile(file(StoreType::kEngineList),
            StoreFile(StoreType::kEngineList, {"1\tshops\t0"},
                      {Engine("1010001", "1", "http://a/"), Engine("1010002", "1", "http://b/")}));
  WriteFile(file(StoreType::kFavorites),
            StoreFile(StoreType::kFavorites,
                      {"11\t0\t3\t" + sjis_name + "\t*\t4\t1\t5\t1\t2\t3\t9\t0\t1"},
                      {item("1", "http://x/")}));
  WriteFile(
      file(StoreType::kKeywords),
      StoreFile(StoreType::kKeywords, {}, {item("1", "k1"), item("2", "k2"), item("3", "k3")}));
  WriteFile(file(StoreType::kHistory),
            StoreFile(StoreType::kHistory, {}, {item("9", "http://h/")}));
  WriteFile(file(StoreType::kUserEngines), StoreFile(StoreType::kUserEngines, {"100\tmine\t0"},
                                                     {Engine("100001", "100", "http://m/")}));
  const std::string folder_tab =
      "1\t1\tT\tT\tT\t" + EngineList::FolderReference(1) + "\t\t\t\t\t\t1\t\t0\t5\t\t\t0\t3";
  WriteFile(file(StoreType::kTabs),
            StoreFile(StoreType::kTabs, {"1\tgroup\t0\t0\t5\t1\tL\tK"},
                      {folder_tab, Engine("2", "1", EngineList::EngineReference(100001)) +
                                       "\tkey\t1\t2\tG\tS\t1\t0"}));
  // Options of a downloaded and a user engine; the third names no engine.
  WriteFile(file(StoreType::kEngineOptions),
            StoreFile(StoreType::kEngineOptions, {"1\t1\t5\t1\tL\tK", "404\t0\t0\t0"},
                      {"1010002\tkey\t0\t7\tL\tK\t1\t0", "100001\t\t1\t3\t\t\t0\t0",
                       "77\t\t0\t0\t\t\t0"}));
  WriteFile(file(StoreType::kClips),
            StoreFile(StoreType::kClips, {}, {"3\t" + sjis_name + "\thttp://c/\t0\t1\t0"}));

  Session session(dir_);
  ASSERT_TRUE(session.doc.OnNewDocument().ok());
  EXPECT_EQ(CountsText(session.doc),
            "vq_search.eng 1/2\n"
            "vq_favorite.fvf 1/1\n"
            "vq_keyword.kwd 0/3\n"
            "vq_history.his 0/1\n"
            "vq_custom.eng 1/1\n"
            "vq_tab.tbf 1/2\n"
            "vq_searchtree.egt 1/2\n"
            "vq_clip.clf 0/1\n");
  EXPECT_EQ(session.doc.engine_list_header(), "0");

  // The archive folder joins the engine tree after the files are read; the
  // options then apply to every category, whichever file brought it.
  const CategoryFolderTree& engines = session.doc.engine_folders();
  ASSERT_EQ(engines.size(), 3u);
  EXPECT_EQ(engines.id(2), CategoryFolderTree::kArchiveId);
  EXPECT_EQ(engines.name(2), Utf8ToSjis("保管箱"));
  EXPECT_TRUE(engines.archived(0));
  // The tabs resolve against the engine list, whose options are applied:
  // engine 1010002 now sorts first, the archived user engine drops out.
  EXPECT_EQ(session.doc.tabs().ResolveUrls(0), "http://b/\thttp://a/\t");
  EXPECT_EQ(session.doc.tabs().ResolveUrls(1), "http://m/");
  EXPECT_EQ(session.doc.engines().ListFolder(CategoryFolderTree::kArchiveId), std::vector<int>{2});

  TempDir out;
  session.doc.set_save_directory(out.path());
  ASSERT_TRUE(session.doc.SaveAll().ok());
  for (StoreType type : {StoreType::kFavorites, StoreType::kKeywords, StoreType::kHistory,
                         StoreType::kUserEngines, StoreType::kClips}) {
    EXPECT_EQ(ReadFile(out.path() / std::string(StoreFileName(type))), ReadFile(file(type)))
        << StoreFileName(type);
  }
  // A tab file without the archive folder gets one, so closed tabs have a
  // place in the tab tree.
  EXPECT_EQ(ReadFile(out.path() / "vq_tab.tbf"),
            StoreFile(StoreType::kTabs,
                      {"1\tgroup\t0\t0\t5\t1\tL\tK",
                       "-9999\t" + Utf8ToSjis("保管箱") + "\t0\t0\t99999999\t0\t\t"},
                      {folder_tab, Engine("2", "1", EngineList::EngineReference(100001)) +
                                       "\tkey\t1\t2\tG\tS\t1\t0"}));
  // One option line per category and per engine; the ones for a category
  // or engine that no longer exists are gone.
  EXPECT_EQ(ReadFile(out.path() / "vq_searchtree.egt"),
            StoreFile(StoreType::kEngineOptions,
                      {"1\t1\t5\t1\tL\tK", "100\t0\t99999999\t0\t\t", "-9999\t0\t99999999\t0\t\t"},
                      {"1010001\t\t0\t99999999\t\t\t0\t0", "1010002\tkey\t0\t7\tL\tK\t1\t0",
                       "100001\t\t1\t3\t\t\t0\t0"}));
}

TEST_F(DocumentTest, DamagedStoreStopsStartUpNamesTheFileAndIsNeverOverwritten) {
  const std::string damaged = StoreFile(StoreType::kKeywords, {}, {"not a favorite"});
  WriteFile(file(StoreType::kFavorites), damaged);
  WriteFile(file(StoreType::kHistory), StoreFile(StoreType::kHistory, {}, {"h"}));

  Session session(dir_);
  auto opened = session.doc.OnNewDocument();
  ASSERT_FALSE(opened.ok());
  EXPECT_EQ(opened.status, DocumentOpenResult::Status::kStoreFailed);
  EXPECT_EQ(opened.store, StoreType::kFavorites);
  EXPECT_EQ(opened.file, file(StoreType::kFavorites));
  EXPECT_NE(opened.Describe().find("vq_favorite.fvf: "), std::string::npos) << opened.Describe();
  EXPECT_NE(opened.Describe().find("@@FavoriteList@@"), std::string::npos) << opened.Describe();
  // Loading stopped at the damaged file.
  EXPECT_EQ(CountsText(session.doc),
            "vq_search.eng 0/0 missing\n"
            "vq_favorite.fvf 0/0\n");
  EXPECT_EQ(ReadFile(file(StoreType::kFavorites)), damaged);
}

TEST_F(DocumentTest, TruncatedStoreIsAFailureWithTheLine) {
  WriteFile(file(StoreType::kTabs),
            std::string(StoreMarker(StoreType::kTabs)) + "\r\n0\r\n0\r\n5\r\na\r\n");
  Session session(dir_);
  auto opened = session.doc.OnNewDocument();
  ASSERT_EQ(opened.status, DocumentOpenResult::Status::kStoreFailed);
  EXPECT_EQ(opened.store, StoreType::kTabs);
  EXPECT_NE(opened.reason.find("line"), std::string::npos) << opened.reason;
}

TEST_F(DocumentTest, DamagedClipsAndOptionsDoNotStopStartUpAndAreKeptAside) {
  WriteDamagedClipsAndOptions();

  // A run that ends before its first save; the next one finds the same
  // damaged files already kept.
  ASSERT_TRUE(std::make_unique<Session>(dir_)->doc.OnNewDocument().ok());
  Session session(dir_);
  ASSERT_TRUE(session.doc.OnNewDocument().ok());
  EXPECT_FALSE(std::filesystem::exists(data() / "vq_clip.clf.damaged.2"));
  EXPECT_TRUE(session.doc.withheld().empty());
  EXPECT_TRUE(session.doc.clip_load_failed());
  ASSERT_EQ(session.doc.tolerated_failures().size(), 2u);
  EXPECT_EQ(session.doc.tolerated_failures()[0].store, StoreType::kEngineOptions);
  EXPECT_EQ(session.doc.tolerated_failures()[1].store, StoreType::kClips);

  ASSERT_TRUE(session.doc.SaveAll().ok());
  EXPECT_EQ(ReadFile(data() / "vq_clip.clf.damaged"), bad_clips);
  EXPECT_EQ(ReadFile(data() / "vq_searchtree.egt.damaged"), bad_options);
}

TEST_F(DocumentTest, AFileLargerThanAnyStoreStopsStartUpAndIsNeitherCopiedNorReplaced) {
  for (StoreType type : {StoreType::kFavorites, StoreType::kClips}) {
    SCOPED_TRACE(StoreFileName(type));
    std::filesystem::remove_all(data());
    std::filesystem::create_directories(data());
    WriteFile(file(type), "");
    std::filesystem::resize_file(file(type), 40ull << 30);  // sparse: costs no disk
    Session session(dir_);
    auto refused = session.doc.OnNewDocument();
    EXPECT_EQ(refused.status, DocumentOpenResult::Status::kStoreFailed);
    EXPECT_EQ(refused.Describe(), file(type).string() +
                                      ": the file is 42949672960 bytes, more than the "
                                      "1600000000 a store file may hold");
    EXPECT_EQ(std::filesystem::file_size(file(type)), 40ull << 30);
    EXPECT_FALSE(std::filesystem::exists(file(type).string() + ".damaged"));
  }
}

TEST_F(DocumentTest, OnlyOneDocumentHoldsADataDirectoryWhateverStateItsFilesAreIn) {
  const std::filesystem::path lock = data() / "vq_instance.lock";
  const std::filesystem::path options = file(StoreType::kEngineOptions);
  // The options file is missing (a first run), an odd file, or is replaced
  // by a save: none of it may let a second copy in.
  const std::vector<std::pair<const char*, std::function<void()>>> cases = {
      {"missing", [] {}},
      {"directory", [&] { std::filesystem::create_directory(options); }},
      {"fifo", [&] { ASSERT_EQ(::mkfifo(options.c_str(), 0600), 0); }},
  };
  for (const auto& [what, make] : cases) {
    SCOPED_TRACE(what);
    std::filesystem::remove_all(options);
    make();
    auto first = std::make_unique<Session>(dir_);
    ASSERT_TRUE(first->doc.OnNewDocument().ok());
    first->doc.SaveAll();

    Session second(dir_);
    auto refused = second.doc.OnNewDocument();
    EXPECT_EQ(refused.status, DocumentOpenResult::Status::kHeldByAnotherCopy);
    EXPECT_EQ(refused.Describe(),
              lock.string() + ": the data directory is in use by another running copy");
    EXPECT_TRUE(second.doc.load_counts().empty()) << "nothing is read by the refused copy";

    first.reset();
    Session third(dir_);
    EXPECT_TRUE(third.doc.OnNewDocument().ok());
  }
  // An odd options file is not read (a FIFO would block the start) and is
  // told; it is never replaced.
  Session session(dir_);
  ASSERT_TRUE(session.doc.OnNewDocument().ok());
  ASSERT_EQ(session.doc.tolerated_failures().size(), 1u);
  EXPECT_EQ(session.doc.tolerated_failures()[0].Describe(),
            options.string() + ": the file cannot be opened: it is not a regular file");
  EXPECT_TRUE(std::filesystem::is_fifo(options));
}

TEST_F(DocumentTest, ALockFileThatCannotBeHeldStopsStartUpBeforeAnythingIsRead) {
  const std::filesystem::path lock = data() / "vq_instance.lock";
  const std::vector<std::pair<std::function<void()>, std::string>> cases = {
      {[&] { std::filesystem::create_directory(lock); }, "it is a directory"},
      {[&] { ASSERT_EQ(::mkfifo(lock.c_str(), 0600), 0); }, "it is a FIFO"},
  };
  for (const auto& [make, why] : cases) {
    std::filesystem::remove_all(lock);
    make();
    Session session(dir_);
    auto refused = session.doc.OnNewDocument();
    EXPECT_EQ(refused.status, DocumentOpenResult::Status::kCannotLock);
    EXPECT_EQ(refused.Describe(), lock.string() + ": the data directory cannot be locked: " + why);
    EXPECT_TRUE(session.doc.load_counts().empty());
    EXPECT_FALSE(session.doc.holds_data_directory());
  }
  EXPECT_EQ(Listing(data()), "vq_instance.lock\n");
}

// A copy killed while saving leaves temporary files. The program never
// leaves the options file empty: cut to nothing, it is told (nothing to
// keep aside) and its options start from the defaults.
TEST_F(DocumentTest, StartRemovesStaleTemporaryFilesOfItsOwnAndTellsAnEmptyOptionsFile) {
  for (const char* name :
       {"vq_tab.tbf.tmp4711-93", "vq_system.ini.tmp1-0", "vq_searchtree.egt.tmp22-999999",
        "vq_tab.tbf.tmp4711-93x", "vq_tab.tbf.tmp-1", "vq_tab.tbf.tmp12", "notes.txt.tmp1-2",
        "xvq_tab.tbf.tmp1-2", "vq_searchtree.egt"}) {
    WriteFile(data() / name, "");
  }
  std::filesystem::create_directory(data() / "vq_clip.clf.tmp1-1");

  Session session(dir_);
  ASSERT_TRUE(session.doc.OnNewDocument().ok());
  EXPECT_EQ(Listing(data()),
            "notes.txt.tmp1-2\n"
            "vq_clip.clf.tmp1-1/\n"
            "vq_instance.lock\n"
            "vq_searchtree.egt\n"
            "vq_tab.tbf.tmp-1\n"
            "vq_tab.tbf.tmp12\n"
            "vq_tab.tbf.tmp4711-93x\n"
            "xvq_tab.tbf.tmp1-2\n");
  EXPECT_NE(CountsText(session.doc).find("vq_searchtree.egt 0/0\n"), std::string::npos);
  ASSERT_EQ(session.doc.tolerated_failures().size(), 1u);
  const std::string options = file(StoreType::kEngineOptions).string();
  EXPECT_EQ(session.doc.tolerated_failures()[0].Describe(),
            options +
                ": line 1: the file is empty; line 1 should be the marker "
                "\"@@SearchEngineListOption@@\"");
  EXPECT_EQ(SjisToUtf8(session.doc.ToleratedFailureNotice()),
            "vq_searchtree.egtを読み込めなかったため、読み込めた内容で続けます。\n" + options +
                ": line 1: the file is empty; line 1 should be the marker "
                "\"@@SearchEngineListOption@@\"\n"
                "読み込めなかったカテゴリとエンジンのオプションは初期設定に戻ります。");
  EXPECT_TRUE(session.doc.withheld().empty());
  ASSERT_TRUE(session.doc.SaveAll().ok());
  EXPECT_NE(ReadFile(file(StoreType::kEngineOptions)), "");
}

// Every store the program writes ends each line with CR LF: one cut inside
// its last line is refused at start like a short one (the stores that stop
// the start), or kept aside and told (the tolerated ones). The engine list
// from the update server may end without a line end.
TEST_F(DocumentTest, AStoreCutInsideItsLastLineIsTreatedAsShort) {
  const std::vector<std::pair<StoreType, std::string>> records = {
      {StoreType::kEngineList, Engine("1010001", "0", "http://e/")},
      {StoreType::kFavorites, "1\tfav\thttp://f/"},
      {StoreType::kKeywords, "1\tkw\t\t0"},
      {StoreType::kHistory, "1\this\thttp://h/"},
      {StoreType::kEngineOptions, "1010001\t0\t1\t0"},
      {StoreType::kClips, "0\tclip\thttp://c/"},
      {StoreType::kUserEngines, Engine("9000001", "0", "http://u/")},
      {StoreType::kTabs, Engine("1", "0", "http://t/")},
  };
  for (const auto& [type, record] : records) {
    SCOPED_TRACE(StoreFileName(type));
    std::filesystem::remove_all(data());
    std::filesystem::create_directories(data());
    std::string bytes = StoreFile(type, {}, {record});
    bytes.resize(bytes.size() - 2);  // the last line end
    WriteFile(file(type), bytes);
    Session session(dir_);
    const DocumentOpenResult opened = session.doc.OnNewDocument();
    const std::string why =
        "line 5: the file ends inside this line, before its line end: the file was cut short";
    if (type == StoreType::kEngineList) {
      EXPECT_TRUE(opened.ok()) << opened.Describe();
      EXPECT_EQ(session.doc.engines().size(), 1u);
    } else if (type == StoreType::kEngineOptions || type == StoreType::kClips) {
      ASSERT_TRUE(opened.ok()) << opened.Describe();
      ASSERT_EQ(session.doc.tolerated_failures().size(), 1u);
      EXPECT_EQ(session.doc.tolerated_failures()[0].Describe(), file(type).string() + ": " + why);
      EXPECT_EQ(session.doc.tolerated_failures()[0].kept_as, file(type).string() + ".damaged");
      EXPECT_NE(SjisToUtf8(session.doc.ToleratedFailureNotice())
                    .find("元のファイルは " + std::string(StoreFileName(type)) +
                          ".damaged として残してあります。"),
                std::string::npos);
      EXPECT_EQ(session.doc.clip_load_failed(), type == StoreType::kClips);
      ASSERT_TRUE(session.doc.SaveAll().ok());
      EXPECT_EQ(ReadFile(file(type).string() + ".damaged"), bytes);
    } else {
      EXPECT_EQ(opened.status, DocumentOpenResult::Status::kStoreFailed);
      EXPECT_EQ(opened.store, type);
      EXPECT_EQ(opened.Describe(), file(type).string() + ": " + why);
      EXPECT_EQ(ReadFile(file(type)), bytes);
    }
  }
}

TEST_F(DocumentTest, FailedWritesLeaveTheirFilesAndEveryOtherStoreIsStillWritten) {
  Session session(dir_);
  testing::FakePrompter prompter;
  ASSERT_TRUE(session.doc.OnNewDocument().ok());
  ASSERT_TRUE(session.doc.SaveAll().ok());
  const std::string old_tabs = ReadFile(file(StoreType::kTabs));
  session.doc.history().AddOrCount({"new item", "http://n/", -1, "", true}, prompter);
  session.doc.tabs().ParseRecord(Engine("1", "0", "http://t/"));

  // The lock file and the tab file cannot be written; the smaller stores
  // after them still fit.
  session.env.failing_files = {"vq_searchtree.egt", "vq_tab.tbf"};
  session.env.replaced_files.clear();
  const SaveReport saved = session.doc.SaveAll();
  EXPECT_FALSE(saved.ok());
  const std::string why =
      ": the file could not be written (no space left on device); any previous file is kept\n";
  EXPECT_EQ(saved.Describe(),
            file(StoreType::kEngineOptions).string() + why + file(StoreType::kTabs).string() + why);
  EXPECT_EQ(saved.FileNames(), "vq_searchtree.egt, vq_tab.tbf");
  EXPECT_EQ(saved.ExitSummary(),
            "closed without saving vq_searchtree.egt, vq_tab.tbf (5 other files saved):\n" +
                saved.Describe());
  EXPECT_EQ(session.env.replaced_files,
            (std::set<std::string>{"vq_custom.eng", "vq_favorite.fvf", "vq_keyword.kwd",
                                   "vq_history.his", "vq_clip.clf"}));
  EXPECT_EQ(ReadFile(file(StoreType::kTabs)), old_tabs);
  EXPECT_NE(ReadFile(file(StoreType::kHistory)).find("\tnew item\thttp://n/\t"), std::string::npos);
  EXPECT_TRUE(session.doc.holds_data_directory()) << "a failed lock-file write keeps the hold";

  // The next save tries again and gets everything out.
  session.env.failing_files.clear();
  ASSERT_TRUE(session.doc.SaveAll().ok());
  EXPECT_NE(ReadFile(file(StoreType::kTabs)).find("\thttp://t/"), std::string::npos);
}

TEST_F(DocumentTest, DamagedStoreIsWrittenOverOnlyOnceACopyIsKeptAndNoEarlierCopyIsReplaced) {
  WriteDamagedClipsAndOptions();
  // A directory stands in the options' copy's way; the clips' copy of an
  // earlier run is kept, and the next name finds a full disk.
  std::filesystem::create_directories(data() / "vq_searchtree.egt.damaged" / "x");
  WriteFile(data() / "vq_clip.clf.damaged", "earlier copy");

  Session session(dir_);
  session.env.failing_files = {"vq_clip.clf.damaged.2"};
  ASSERT_TRUE(session.doc.OnNewDocument().ok());
  ASSERT_EQ(session.doc.withheld().size(), 1u);
  EXPECT_EQ(session.doc.withheld()[0].store, StoreType::kClips);
  EXPECT_EQ(session.doc.withheld()[0].reason,
            "could not be kept as vq_clip.clf.damaged.2: no space left on device");

  testing::FakePrompter prompter;
  session.doc.clips().AddClip(1, "mine", "http://clip/", prompter);
  session.env.failing_files.clear();
  const SaveReport saved = session.doc.SaveAll();
  EXPECT_TRUE(saved.ok()) << "withholding is no failure of the save";
  ASSERT_EQ(saved.withheld.size(), 1u);
  EXPECT_EQ(saved.withheld[0].file, file(StoreType::kClips));
  EXPECT_EQ(ReadFile(file(StoreType::kClips)), bad_clips);
  EXPECT_EQ(ReadFile(data() / "vq_clip.clf.damaged"), "earlier copy");
  EXPECT_FALSE(std::filesystem::exists(data() / "vq_clip.clf.damaged.2"));
  EXPECT_EQ(ReadFile(data() / "vq_searchtree.egt.damaged.2"), bad_options);
  EXPECT_NE(ReadFile(file(StoreType::kEngineOptions)), bad_options);
  EXPECT_TRUE(session.doc.holds_data_directory());
}

TEST_F(DocumentTest, ReloadEnginesReadsTheNewListAndKeepsUserEnginesAndOptions) {
  WriteFile(file(StoreType::kEngineList), StoreFile(StoreType::kEngineList, {"1\tshops\t0"},
                                                    {Engine("1010001", "1", "http://old/"),
                                                     Engine("1010002", "1", "http://b/")}));
  WriteFile(file(StoreType::kUserEngines), StoreFile(StoreType::kUserEngines, {"100\tmine\t0"},
                                                     {Engine("100001", "100", "http://m/")}));
  WriteFile(file(StoreType::kEngineOptions),
            StoreFile(StoreType::kEngineOptions, {},
                      {"1010002\tkey\t0\t7\tL\tK\t1\t0", "100001\t\t0\t3\tG\t\t0\t0"}));
  Session session(dir_);
  ASSERT_TRUE(session.doc.OnNewDocument().ok());
  // Made and changed since the last save: the reload must not lose them.
  EngineList& engines = session.doc.engines();
  EngineDialogValues made;
  made.name = "new";
  made.url = "http://n/";
  ASSERT_EQ(engines.CreateUserEngine(made, {100, -1}), 3);
  engines.set_shortcut(1, "s");

  WriteFile(file(StoreType::kEngineList),
            std::string(StoreMarker(StoreType::kEngineList)) + "\r\n0\t205\t\t2026/12/01\r\n1\r\n" +
                "1\tshops\t0\r\n2\r\n" + Engine("1010002", "1", "http://b2/") + "\r\n" +
                Engine("1010003", "1", "http://c/") + "\r\n");
  ASSERT_TRUE(session.doc.ReloadEngines());
  auto rows = [&] {
    std::string text;
    for (std::size_t i = 0; i < engines.size(); ++i) {
      text += engines.FormatRecord(i) + " | " + engines.FormatOptionLine(i) + "\n";
    }
    return text;
  };
  EXPECT_EQ(rows(),
            Engine("1010002", "1", "http://b2/") + " | 1010002\tkey\t0\t7\tL\ts\t1\t0\n" +
                Engine("1010003", "1", "http://c/") + " | 1010003\t\t0\t99999999\t\t\t0\t0\n" +
                Engine("100001", "100", "http://m/") + " | 100001\t\t0\t3\tG\t\t0\t0\n" +
                "100002\t100\tnew\t\t\thttp://n/\t\t\t\t\t\t0 | 100002\t\t0\t9999\t\t\t0\t0\n");
  EXPECT_EQ(session.doc.engine_folders().Find(100), 1);
  EXPECT_EQ(session.doc.engine_list_header(), "0\t205\t\t2026/12/01");
  EXPECT_TRUE(session.doc.holds_data_directory());

  // A new list that cannot be read still brings the user's engines back.
  WriteFile(file(StoreType::kEngineList), "@@broken@@\r\n");
  EXPECT_FALSE(session.doc.ReloadEngines());
  EXPECT_EQ(engines.size(), 2u);
  EXPECT_EQ(engines.CountLiveUserEngines(), 2u);
}

TEST_F(DocumentTest, OldClipFileFailsToLoadAndIsExportedWithEngineNames) {
  WriteFile(file(StoreType::kEngineList),
            StoreFile(StoreType::kEngineList, {"1\tshops\t0"},
                      {"1010001\t1\tBig <Shop>\tB\tB\thttp://b/\t\t\t\t\t\t1"}));
  WriteFile(file(StoreType::kClips),
            "@@ClipList@@\r\nx\r\nx\r\n2\r\n"
            "555\t2\tsecond\thttp://2/\r\n"
            "1010001\t1\tfirst\thttp://1/\r\n");
  Session session(dir_);
  ASSERT_TRUE(session.doc.OnNewDocument().ok());
  ASSERT_TRUE(session.doc.clip_load_failed());
  ASSERT_EQ(session.doc.ExportOldClips(), ClipExport::Status::kExported);

  const std::string page = ReadFile(ClipExport::OutputPath(data()));
  const auto first = page.find("<div class=\"clip_title\">Big &lt;Shop&gt;</div>");
  const auto second = page.find("<div class=\"clip_title\">" + Utf8ToSjis("無題") + "</div>");
  EXPECT_NE(first, std::string::npos);
  EXPECT_NE(second, std::string::npos);
  EXPECT_LT(first, second);
  EXPECT_TRUE(std::filesystem::exists(file(StoreType::kClips).string() + ".damaged"));
}

TEST_F(DocumentTest, StartUrlFollowsTheCommandLineAndTheStartMode) {
  Session session(dir_);
  auto& settings = session.settings;
  const std::string portal = session.doc.StartUrl("");  // StartMode 1 by default
  EXPECT_FALSE(portal.empty());

  EXPECT_EQ(session.doc.StartUrl("http://127.0.0.1/a b"), "http://127.0.0.1/a b");
  EXPECT_EQ(session.doc.StartUrl("http://127.0.0.1/東京"), Utf8ToSjis("http://127.0.0.1/東京"));

  const auto shortcut = dir_.path() / "Shop.UrL";
  WriteFile(shortcut, "[InternetShortcut]\r\nURL=http://127.0.0.1/from-shortcut\r\n");
  EXPECT_EQ(session.doc.StartUrl(shortcut.string()), "http://127.0.0.1/from-shortcut");
  EXPECT_EQ(session.doc.StartUrl((dir_.path() / "missing.url").string()), "");

  // From outside only web pages, and a file named on the command line;
  // what is refused is named for the message and opens nothing.
  WriteFile(dir_.path() / "script.url", "[InternetShortcut]\r\nURL=javascript:alert(1)\r\n");
  WriteFile(dir_.path() / "local.url", "[InternetShortcut]\r\nURL=/etc/passwd\r\n");
  for (const auto& [argument, refused] :
       {std::pair<std::string, std::string>{"javascript:alert(1)", "javascript:alert(1)"},
        {"data:text/html,東京", Utf8ToSjis("data:text/html,東京")},
        {(dir_.path() / "script.url").string(), "javascript:alert(1)"},
        {(dir_.path() / "local.url").string(), "/etc/passwd"},
        {"file:///etc/passwd", "file:///etc/passwd"}}) {
    std::string named;
    EXPECT_EQ(session.doc.StartUrl(argument, &named), "") << argument;
    EXPECT_EQ(named, refused) << argument;
  }
  std::string named;
  EXPECT_EQ(session.doc.StartUrl("/home/u/a b.html", &named), "file:///home/u/a%20b.html");
  EXPECT_EQ(named, "");

  settings.WriteInt("OptionMain", "StartMode", 2);
  settings.WriteString("OptionMain", "StartPage", "http://127.0.0.1/home");
  EXPECT_EQ(session.doc.StartUrl(""), "http://127.0.0.1/home");

  // Mode 3 opens the page left open last time once, then falls back to the home page.
  settings.WriteInt("OptionMain", "StartMode", 3);
  settings.WriteString("OptionMain", "LastActivePage", "http://127.0.0.1/last");
  EXPECT_EQ(session.doc.StartUrl(""), "http://127.0.0.1/last");
  EXPECT_EQ(settings.GetString("OptionMain", "LastActivePage", "unset"), "");
  EXPECT_EQ(session.doc.StartUrl(""), "http://127.0.0.1/home");

  settings.WriteInt("OptionMain", "StartMode", 1);
  EXPECT_EQ(session.doc.StartUrl(""), portal);
}

}  // namespace
}  // namespace tolvane
