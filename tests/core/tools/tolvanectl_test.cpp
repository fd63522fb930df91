#include "tools/tolvanectl/tolvanectl.h"

#include <gtest/gtest.h>

#include <sstream>

#include "core/files/store_type.h"
#include "core/text/charset_converter.h"
#include "support/temp_dir.h"

namespace tolvane {
namespace {

using testing::ReadFile;
using testing::TempDir;
using testing::WriteFile;

struct Run {
  int rc;
  std::string out;
  std::string err;
};

Run Ctl(const std::vector<std::string>& args) {
  std::ostringstream out, err;
  int rc = RunTolvanectl(args, out, err);
  return {rc, out.str(), err.str()};
}

std::string Store(StoreType type, std::string_view body) {
  return std::string(StoreMarker(type)) + "\r\n0\r\n" + std::string(body);
}

TEST(TolvanectlTest, CheckPrintsEveryStoreInLoadOrderAndTouchesNothing) {
  TempDir dir;
  WriteFile(dir / "vq_favorite.fvf",
            Store(StoreType::kFavorites,
                  "3\r\n11\t0\t0\tA\r\nshort\r\n12\t0\t0\tB\r\n1\r\n1\tt\thttp://x/\r\n"));
  // Tab records need twelve fields; the short one is skipped.
  const std::string tab = "\t0\ttab\ttab\ttab\thttp://t/\t\t\t\t\t\t0\n";
  WriteFile(dir / "vq_tab.tbf", Store(StoreType::kTabs, "0\n3\n1" + tab + "2\tshort\n3" + tab));
  // A running browser's save in progress is not check's to remove; an
  // empty options file was cut (the program writes it whole before its
  // hold): told, and left as it is.
  WriteFile(dir / "vq_tab.tbf.tmp12-34", "saving");
  WriteFile(dir / "vq_searchtree.egt", "");
  auto run = Ctl({"check", dir.path().string()});
  EXPECT_EQ(run.rc, 1);
  EXPECT_EQ(run.out,
            "vq_search.eng\t0\t0\n"
            "vq_favorite.fvf\t2\t1\n"
            "vq_keyword.kwd\t0\t0\n"
            "vq_history.his\t0\t0\n"
            "vq_custom.eng\t0\t0\n"
            "vq_tab.tbf\t0\t2\n"
            "vq_searchtree.egt\t0\t0\n"
            "vq_clip.clf\t0\t0\n");
  EXPECT_EQ(run.err, "tolvanectl: " + (dir / "vq_searchtree.egt").string() +
                         ": line 1: the file is empty; line 1 should be the marker "
                         "\"@@SearchEngineListOption@@\"\n");
  EXPECT_EQ(ReadFile(dir / "vq_searchtree.egt"), "");
  EXPECT_EQ(ReadFile(dir / "vq_tab.tbf.tmp12-34"), "saving");
  EXPECT_FALSE(std::filesystem::exists(dir / "vq_instance.lock")) << "check must not create files";
}

TEST(TolvanectlTest, CheckNamesTheDamagedFileAndFails) {
  TempDir dir;
  WriteFile(dir / "vq_history.his", "@@HistoryList@@\r\n0\r\n0\r\n4\r\nonly one\r\n");
  auto run = Ctl({"check", dir.path().string()});
  EXPECT_EQ(run.rc, 1);
  EXPECT_NE(run.err.find("vq_history.his: "), std::string::npos) << run.err;
  EXPECT_NE(run.err.find("line"), std::string::npos) << run.err;

  TempDir clips;
  WriteFile(clips / "vq_clip.clf", "not a clip file\r\n");
  run = Ctl({"check", clips.path().string()});
  EXPECT_EQ(run.rc, 1);
  EXPECT_NE(run.err.find("vq_clip.clf: "), std::string::npos) << run.err;
  EXPECT_NE(run.out.find("vq_clip.clf\t0\t0\n"), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(clips / "vq_clip.clf.damaged")) << "check copies nothing";

  // A huge file is refused by its size, not read.
  TempDir huge;
  WriteFile(huge / "vq_favorite.fvf", "");
  std::filesystem::resize_file(huge / "vq_favorite.fvf", 40ull << 30);
  run = Ctl({"check", huge.path().string()});
  EXPECT_EQ(run.rc, 1);
  EXPECT_NE(run.err.find("vq_favorite.fvf: the file is 42949672960 bytes"), std::string::npos)
      << run.err;

  run = Ctl({"check", (dir / "nowhere").string()});
  EXPECT_EQ(run.rc, 1);
  EXPECT_NE(run.err.find("not a directory"), std::string::npos);
}

TEST(TolvanectlTest, RoundtripWritesWhatSaveAllWrites) {
  TempDir dir, out;
  const std::string item = "\t0\ttag\t1\t2026/01/01 00:00:00\t2026/01/01 00:00:00\t\t0\t0";
  const std::string favorites =
      Store(StoreType::kFavorites,
            "1\r\n11\t0\t0\tA\t*\t0\t0\t4\t0\t0\t0\t99999999\t0\t0\r\n2\r\n1\tb\thttp://b/" + item +
                "\r\n2\tc\thttp://c/" + item + "\r\n");
  WriteFile(dir / "vq_favorite.fvf", favorites);
  WriteFile(dir / "vq_keyword.kwd",
            "@@KeywordList@@\n0\n0\n1\n1\tkw\tkw" + item + "\n");  // LF only
  const std::string engine = "\tE\tE\tE\thttp://e/\t\thttp://e/?q=%s\t\t\t\t1";
  WriteFile(dir / "vq_search.eng",
            Store(StoreType::kEngineList, "0\r\n2\r\ne\r\n1010001\t1" + engine + "\r\n"));
  const std::string user_engines =
      Store(StoreType::kUserEngines, "1\r\n100\tmine\t0\r\n1\r\n100001\t100" + engine + "\r\n");
  WriteFile(dir / "vq_custom.eng", user_engines);
  auto run = Ctl({"roundtrip", dir.path().string(), out.path().string()});
  ASSERT_EQ(run.rc, 0) << run.err;
  EXPECT_EQ(ReadFile(out / "vq_favorite.fvf"), favorites);
  EXPECT_EQ(ReadFile(out / "vq_keyword.kwd"),
            "@@KeywordList@@\r\n0\r\n0\r\n1\r\n1\tkw\tkw" + item + "\r\n");
  EXPECT_FALSE(std::filesystem::exists(out / "vq_search.eng"));
  // Only the user's own categories and engines; every engine's options.
  EXPECT_EQ(ReadFile(out / "vq_custom.eng"), user_engines);
  EXPECT_EQ(ReadFile(out / "vq_searchtree.egt"),
            Store(StoreType::kEngineOptions,
                  "2\r\n100\t0\t99999999\t0\t\t\r\n-9999\t0\t99999999\t0\t\t\r\n2\r\n"
                  "1010001\t\t0\t99999999\t\t\t0\t0\r\n100001\t\t0\t99999999\t\t\t0\t0\r\n"));
  for (const char* name : {"vq_tab.tbf", "vq_history.his", "vq_clip.clf"}) {
    EXPECT_TRUE(std::filesystem::exists(out / name)) << name;
  }
  EXPECT_FALSE(std::filesystem::exists(dir / "vq_searchtree.egt"));
}

TEST(TolvanectlTest, ListPrintsAFolderInItsOrder) {
  TempDir dir;
  auto item = [](const char* id, const char* title, const char* updated, const char* trash) {
    return std::string(id) + "\t" + title + "\thttp://" + id + "/\t0\t\t0\t2026/01/01 00:00:00\t" +
           updated + "\t\t0\t" + trash + "\r\n";
  };
  // Folder 3 lists by title, folder 12 only the titles holding "cam".
  WriteFile(dir / "vq_history.his", Store(StoreType::kHistory,
                                          "3\r\n-9999\t0\t51\tTrash\r\n3\t0\t0\tABC\t*"
                                          "\t0\t0\t4\r\n12\t0\t0\tcams\tcam\t2\t0\t1\r\n4\r\n" +
                                              item("7", "camera", "2026/01/03 00:00:00", "0") +
                                              item("8", "Webcam", "2026/01/02 00:00:00", "0") +
                                              item("9", "apple", "2026/01/04 00:00:00", "0") +
                                              item("10", "cambium", "2026/01/05 00:00:00", "1")));
  auto run = Ctl({"list", dir.path().string(), "history", "3"});
  EXPECT_EQ(run.rc, 0) << run.err;
  EXPECT_EQ(run.out, "8\tWebcam\n9\tapple\n7\tcamera\n");
  EXPECT_EQ(Ctl({"list", dir.path().string(), "history", "12"}).out, "8\tWebcam\n7\tcamera\n");
  EXPECT_EQ(Ctl({"list", dir.path().string(), "history", "-9999"}).out, "10\tcambium\n");

  auto missing = Ctl({"list", dir.path().string(), "history", "44"});
  EXPECT_EQ(missing.rc, 1);
  EXPECT_NE(missing.err.find("no folder 44"), std::string::npos);
  EXPECT_EQ(Ctl({"list", dir.path().string(), "bookmarks", "3"}).rc, 2);
  EXPECT_EQ(Ctl({"list", dir.path().string(), "history", "x"}).rc, 2);
  EXPECT_FALSE(std::filesystem::exists(dir / "vq_searchtree.egt"));
}

TEST(TolvanectlTest, EncodeTakesUtf8OrShiftJisHex) {
  EXPECT_EQ(Ctl({"encode", "1", "東京"}).out, "%93%8C%8B%9E\n");
  EXPECT_EQ(Ctl({"encode", "2", "東京"}).out, "%C5%EC%B5%FE\n");
  EXPECT_EQ(Ctl({"encode", "3", "東京 タワー"}).out,
            "%E6%9D%B1%E4%BA%AC+%E3%82%BF%E3%83%AF%E3%83%BC\n");
  EXPECT_EQ(Ctl({"encode", "0", "東京 x"}).out, "東京 x\n");
  // UTF-8 sends what was typed; the other charsets "?" where they lack it.
  EXPECT_EQ(Ctl({"encode", "3", "Pokémon"}).out, "Pok%C3%A9mon\n");
  EXPECT_EQ(Ctl({"encode", "1", "Pokémon"}).out, "Pok%3Fmon\n");
  EXPECT_EQ(Ctl({"encode", "--sjis-hex", "938C8b9E", "2"}).out, "%C5%EC%B5%FE\n");
  EXPECT_EQ(Ctl({"encode", "--sjis-hex", "B1", "2"}).out, "%8E%B1\n");

  auto bad = Ctl({"encode", "4", "x"});
  EXPECT_EQ(bad.rc, 1);
  EXPECT_NE(bad.err.find("encoding 4"), std::string::npos);
  EXPECT_EQ(Ctl({"encode", "--sjis-hex", "9G", "1"}).rc, 2);
  EXPECT_EQ(Ctl({"frobnicate"}).rc, 2);
}

TEST(TolvanectlTest, RequestsPrintsThePagesOfASearch) {
  TempDir dir;
  WriteFile(dir / "vq_search.eng",
            Utf8ToSjis(Store(StoreType::kEngineList,
                             "0\r\n2\r\n"
                             "1\t12\tA\tA\tA\thttp://a/\t\thttp://a/?q=$0\t\t\t\t3\r\n"
                             "2\t12\tB\tB\tB\thttp://b/\t\thttp://b/?q=$0\tw=$1\t\t\t0\r\n")));
  WriteFile(dir / "vq_tab.tbf",
            Utf8ToSjis(Store(StoreType::kTabs,
                             "0\r\n1\r\n5\t1\tShops\t\t\t検索フォルダID[12]\t\t"
                             "検索フォルダID[12]\t検索フォルダID[12]\t\t\t0\r\n")));
  const std::string d = dir.path().string();
  EXPECT_EQ(Ctl({"requests", d, "engine", "1", "東京"}).out,
            "http://a/?q=%E6%9D%B1%E4%BA%AC\tA\t\n");
  // Encoding 0 puts the keyword in as it is.
  EXPECT_EQ(Ctl({"requests", d, "tab", "5", "東京 駅"}).out,
            "http://a/?q=%E6%9D%B1%E4%BA%AC+%E9%A7%85\tA\t\n"
            "http://b/?q=東京 駅\tB\tw=東京\n");
  EXPECT_EQ(Ctl({"requests", d, "tab", "5"}).out, "http://a/\tA\t\nhttp://b/\tB\t\n");
  EXPECT_EQ(Ctl({"requests", d, "tab", "5", "한국 駅"}).out,
            "http://a/?q=%ED%95%9C%EA%B5%AD+%E9%A7%85\tA\t\n"
            "http://b/?q=?? 駅\tB\tw=??\n");

  auto missing = Ctl({"requests", d, "engine", "5", "x"});
  EXPECT_EQ(missing.rc, 1);
  EXPECT_EQ(missing.out, "");
  EXPECT_NE(missing.err.find("no engine has ID 5"), std::string::npos) << missing.err;
  EXPECT_EQ(Ctl({"requests", d, "folder", "5"}).rc, 2);
  EXPECT_EQ(Ctl({"requests", d, "tab", "x"}).rc, 2);
  EXPECT_EQ(Ctl({"requests", d, "tab"}).rc, 2);
  EXPECT_FALSE(std::filesystem::exists(dir / "vq_searchtree.egt"));
}

TEST(TolvanectlTest, ShortcutsEditTheCommandTableWithTheOptionPagesMessages) {
  TempDir dir;
  // Tab 5 owns the letters "sh" and the gesture ↓↑↓; tab 6 owns nothing.
  const std::string columns = "\t0\ttab\ttab\ttab\thttp://t/\t\t\t\t\t\t0\t\t0\t0\t";
  WriteFile(dir / "vq_tab.tbf",
            Utf8ToSjis(Store(StoreType::kTabs,
                             "0\r\n2\r\n5" + columns + "↓↑↓\tsh\t0\r\n6" + columns + "\t\t0\r\n")));
  const std::string d = dir.path().string();
  // The lines of four commands in the listing.
  auto rows = [&] {
    std::string picked;
    std::istringstream lines(Ctl({"shortcuts", d}).out);
    for (std::string line; std::getline(lines, line);) {
      for (const char* id : {"32791\t", "32832\t", "32833\t", "59148\t"}) {
        if (line.starts_with(id)) picked += line + "\n";
      }
    }
    return picked;
  };
  const std::string defaults =
      "59148\t\t\t↓→↓\tウィンドウの最小化\n"
      "32832\tCtrl++\t\t\t表示の拡大\n"
      "32833\tCtrl+-\t\t\t表示の縮小\n"
      "32791\tAlt+←\tBackspace\t←\t前のページに移動\n";
  EXPECT_EQ(rows(), defaults);
  EXPECT_FALSE(std::filesystem::exists(dir / "vq_system.ini"))
      << "an unchanged table is not written";

  const std::string taken =
      ": このショートカットは、すでに登録されています。\n異なる値を指定してください。\n";
  EXPECT_EQ(Ctl({"shortcuts", d, "keys", "59148", "Shift+Ctrl+J", "Alt+F12"}).rc, 0);
  EXPECT_EQ(Ctl({"shortcuts", d, "keys", "32791"}).rc, 0);
  auto run = Ctl({"shortcuts", d, "keys", "32833", "F9", "Ctrl+T"});
  EXPECT_EQ(run.rc, 1);
  EXPECT_EQ(run.err, "tolvanectl: Ctrl+T" + taken);
  run = Ctl({"shortcuts", d, "keys", "32833", "Ctrl+Space"});
  EXPECT_EQ(run.err, "tolvanectl: Ctrl+Space: 指定されたショートカットキーは無効です。\n");
  // A tab's gesture is taken as well as a command's.
  run = Ctl({"shortcuts", d, "gestures", "32832", "↑↑↑,↓↑↓"});
  EXPECT_EQ(run.err, "tolvanectl: ↑↑↑,↓↑↓" + taken);
  EXPECT_EQ(Ctl({"shortcuts", d, "gestures", "32832", "↑↑↑,→↓→"}).rc, 0);
  EXPECT_EQ(rows(),
            "59148\tShift+Ctrl+J\tAlt+F12\t↓→↓\tウィンドウの最小化\n"
            "32832\tCtrl++\t\t↑↑↑,→↓→\t表示の拡大\n"
            "32833\tCtrl+-\t\t\t表示の縮小\n"
            "32791\t\t\t←\t前のページに移動\n");

  // The engine and tab dialogs' checks; a tab's own fields are no conflict.
  EXPECT_EQ(Ctl({"shortcuts", d, "check", "tab", "5", "sh", "↓↑↓"}).out, "ok\n");
  EXPECT_EQ(Ctl({"shortcuts", d, "check", "tab", "6", "sh"}).err,
            "tolvanectl: tab 6: すでに登録済みのショートカットコマンドです。\n登録先：tab（sh）\n");
  EXPECT_EQ(Ctl({"shortcuts", d, "check", "tab", "6", "zz,s"}).rc, 1);
  EXPECT_EQ(Ctl({"shortcuts", d, "check", "tab", "6", "Sh"}).err,
            "tolvanectl: tab 6: ショートカットコマンドは、英字のみ使用可能です。\n");
  EXPECT_EQ(Ctl({"shortcuts", d, "check", "tab", "6", "zz", "→↓→"}).err,
            "tolvanectl: tab 6: すでに登録済みのマウスジェスチャコマンドです。\n");

  // A reset asks first.
  run = Ctl({"shortcuts", d, "reset", "keys"});
  EXPECT_EQ(run.rc, 1);
  EXPECT_EQ(run.err,
            "すべてのショートカットの割り当ては初期状態に戻されます。\n実行しますか?\n"
            "(tolvanectl: add --yes to reset)\n");
  EXPECT_EQ(Ctl({"shortcuts", d, "reset", "keys", "--yes"}).rc, 0);
  EXPECT_EQ(Ctl({"shortcuts", d, "reset", "gestures", "--yes"}).rc, 0);
  EXPECT_EQ(rows(), defaults);
  EXPECT_EQ(Ctl({"shortcuts", d, "keys", "99999"}).rc, 1);
  EXPECT_EQ(Ctl({"shortcuts", d, "reset", "all"}).rc, 2);
}

}  // namespace
}  // namespace tolvane
