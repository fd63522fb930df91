#include "core/files/string_table.h"

#include <gtest/gtest.h>

#include "core/text/charset_converter.h"

namespace tolvane {
namespace {

TEST(StringTableTest, StringsAreShiftJisAndUnknownIdsAreEmpty) {
  EXPECT_EQ(LoadString(string_id::kArchiveFolder), "\x95\xdb\x8a\xc7\x94\xa0");  // 保管箱
  EXPECT_EQ(SjisToUtf8(LoadString(string_id::kExitSave)), "保存して終了(&S)");
  EXPECT_EQ(SjisToUtf8(LoadString(1023)),
            "最大登録件数に登録済みの件数より小さな値が指定されています。\n"
            "このまま実行すると古いデータは削除されます。\nよろしいですか？");
  EXPECT_EQ(LoadString(99999), "");
}

TEST(StringTableTest, EveryStringSurvivesTheConversionWhole) {
  // A character code page 932 lacks would come back as "?".
  int strings = 0;
  for (int id = 0; id < 40000; ++id) {
    const std::string_view utf8 = LoadStringUtf8(id);
    if (utf8.empty()) continue;
    ++strings;
    EXPECT_EQ(SjisToUtf8(LoadString(id)), utf8) << id;
  }
  EXPECT_GT(strings, 80);
}

}  // namespace
}  // namespace tolvane
