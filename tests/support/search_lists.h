#pragma once

#include <string>
#include <vector>

#include "core/files/store_type.h"
#include "core/stores/engine_list.h"
#include "core/text/charset_converter.h"

namespace tolvane::testing {

// An engine list and a tab list as loaded from record lines, for the search
// tests. Engine folder 12 holds C, B, A in that Order (C has no SearchUrl,
// B posts a form, and a deleted engine sorts first); folder 13 holds D
// alone; folder 14 holds E, an engine with nothing in it, then G.
struct SearchLists {
  // Rows of `engines`.
  enum EngineRow { kA, kB, kC, kGone, kD, kE, kEmpty, kG, kRaw, kOddEncoding };
  // Rows of `tabs`.
  enum TabRow {
    kFolder12,
    kFolder12Top,
    kEngineB,
    kMissing,
    kMixed,
    kEmptyFolder,
    kFolder14,
    kOne
  };

  SearchLists() {
    engines.ResetHighestId();
    tabs.ResetHighestId();
    tabs.set_engines(&engines);
    const std::vector<std::string> engine_lines = {
        "1\t12\tA\tA\tA\thttp://a/\t\thttp://a/s?q=$0\t\t\t\t3\t\t0\t3",
        "2\t12\tB\tB\tB\thttp://b/\t\thttp://b/s\tk=$0&w=$2\t\t\t1\t\t0\t2",
        "3\t12\tC\tC\tC\thttp://c/\t\t\t\t\t\t2\t\t0\t1",
        "4\t12\tGone\t\t\thttp://gone/\t\thttp://gone/?$0\t\t\t\t1\t\t0\t0",
        "5\t13\tD\t\t\thttp://d/\thttp://d/top\thttp://d/?q=$1&site=$h\t\t\t\t2",
        "6\t14\tE\t\t\thttp://e/\t\thttp://e/?$0\t\t\t\t1\t\t0\t1",
        "7\t14\tF\t\t\t\t\t\t\t\t\t1\t\t0\t2",
        "8\t14\tG\t\t\thttp://g/\t\thttp://g/?$0\t\t\t\t1\t\t0\t3",
        "9\t0\tRaw\t\t\thttp://r/\t\thttp://r/?q=$0\t\t\t\t0",
        "10\t0\tOdd\t\t\thttp://o/\t\thttp://o/?q=$0&w=$1\t\t\t\t9",
    };
    for (const auto& line : engine_lines) engines.ParseRecord(Utf8ToSjis(line));
    engines.MarkDeleted(kGone);
    const std::vector<std::string> tab_lines = {
        "1\t1\tFolder12\t\t\t検索フォルダID[12]\t\t検索フォルダID[12]\t検索フォルダID[12]\t\t\t0",
        "2\t1\tTop\t\t\t検索フォルダID[12]\thttp://top/"
        "\t検索フォルダID[12]\t検索フォルダID[12]\t\t\t0",
        "3\t1\tTabB\t\t\t検索エンジンID[2]\t\t検索エンジンID[2]\t検索エンジンID[2]\t\t\t0",
        "4\t1\tMissing\t\t\t検索エンジンID[77]\t\t検索エンジンID[77]\t検索エンジンID[77]\t\t\t0",
        "5\t1\tMixed\t\t\t検索フォルダID[12]\t\thttp://all/?q=$0\t\t\t\t1",
        "6\t1\tEmpty\t\t\t検索フォルダID[99]\t\t検索フォルダID[99]\t検索フォルダID[99]\t\t\t0",
        "7\t1\tStops\t\t\t検索フォルダID[14]\t\t検索フォルダID[14]\t検索フォルダID[14]\t\t\t0",
        "8\t1\tOne\t\t\t検索フォルダID[13]\t\t検索フォルダID[13]\t検索フォルダID[13]\t\t\t0",
    };
    for (const auto& line : tab_lines) tabs.ParseRecord(Utf8ToSjis(line));
  }

  EngineList engines{StoreType::kEngineList};
  EngineList tabs{StoreType::kTabs};
};

}  // namespace tolvane::testing
