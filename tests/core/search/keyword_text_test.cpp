#include "core/search/keyword_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/files/data_file.h"
#include "core/files/settings_store.h"
#include "core/stores/item_store.h"
#include "core/text/charset_converter.h"
#include "platform/posix_env.h"
#include "support/fake_clock.h"
#include "support/fake_prompter.h"
#include "support/temp_dir.h"

namespace tolvane {
namespace {

// Both forms, the typed one and the Shift_JIS one (shown in UTF-8), as
// "typed | sjis".
TEST(NormaliseKeywordBoxTextTest, JoinsTheWordsWithOneAsciiSpaceAndKeepsWhatWasTyped) {
  struct Case {
    const char* typed;  // UTF-8
    const char* keyword;
  };
  const Case cases[] = {
      {"  東京　　タワー ", "東京 タワー | 東京 タワー"},
      {"東京", "東京 | 東京"},
      {"a  b\xE3\x80\x80 c", "a b c | a b c"},
      {"　 　", " | "},
      {"", " | "},
      // "ａ" ends in 0x81 in Shift_JIS; "@" after it makes no space.
      {"ａ@ｂ", "ａ@ｂ | ａ@ｂ"},
      {"ー\t-", "ー\t- | ー\t-"},  // only spaces split
      // Characters code page 932 lacks stay as typed; "?" in Shift_JIS only.
      {" Café　한국  € ü 𠮷野家", "Café 한국 € ü 𠮷野家 | Caf? ?? ? ? ?野家"},
  };
  for (const Case& c : cases) {
    const Keyword keyword = NormaliseKeywordBoxText(Keyword::FromUtf8(c.typed));
    EXPECT_EQ(keyword.utf8() + " | " + SjisToUtf8(keyword.sjis()), c.keyword) << c.typed;
  }
}

class RecentKeywordsTest : public ::testing::Test {
 protected:
  RecentKeywordsTest() : settings_(dir_.path() / "vq_system.ini", env_) {
    store_.ResetToDefaults();
  }

  void Add(const std::string& keyword, const std::string& updated) {
    store_.items().ParseItemLine("-1\t" + keyword + "\t\t0\t\t1\t2020/01/01 00:00:00\t" + updated);
  }
  std::vector<std::string> Titles(std::size_t max) const {
    std::vector<std::string> titles;
    for (int i : RecentKeywords(store_, max)) {
      titles.push_back(store_.items().title(static_cast<std::size_t>(i)));
    }
    return titles;
  }

  testing::TempDir dir_;
  PosixEnv env_{dir_.path()};
  SettingsStore settings_;
  testing::FakeClock clock_;
  ItemStore store_{StoreType::kKeywords, settings_, clock_};
};

TEST_F(RecentKeywordsTest, NewestFirstWithoutDeletedAndEqualStampsLaterStoredFirst) {
  Add("old", "2024/05/01 09:00:00");
  Add("new", "2025/01/02 03:04:05");
  Add("gone", "2026/01/01 00:00:00");
  Add("tie1", "2024/06/01 00:00:00");
  Add("tie2", "2024/06/01 00:00:00");
  store_.items().MarkDeleted(2);

  EXPECT_EQ(Titles(100), (std::vector<std::string>{"new", "tie2", "tie1", "old"}));
  EXPECT_EQ(Titles(2), (std::vector<std::string>{"new", "tie2"}));
  EXPECT_TRUE(Titles(0).empty());
}

// A keyword Shift_JIS cannot hold is offered for the run exactly as searched
// and never written, so no run reads it back as "Caf? ?? ?".
TEST_F(RecentKeywordsTest, KeywordsOutsideShiftJisAreKeptForTheRunOnly) {
  testing::FakePrompter prompter;
  auto search = [&](const char* utf8, int second) {
    clock_.Set({2026, 12, 7, 10, 0, second});
    store_.RecordKeyword(Keyword::FromUtf8(utf8), prompter);
  };
  auto choices = [](const ItemStore& store) {
    std::string out;
    for (const KeywordChoice& c : KeywordChoices(store)) {
      out += c.keyword.utf8() + (c.index < 0 ? "*|" : "|");
    }
    return out;
  };
  search("東京", 1);
  search("Café 한국 𠮷", 2);
  search("ü", 3);
  search("駅", 4);
  search("Café 한국 𠮷", 5);                                // again: first, once
  EXPECT_EQ(choices(store_), "Café 한국 𠮷*|駅|ü*|東京|");  // "*": for the run only
  EXPECT_EQ(KeywordChoices(store_, 2).size(), 2u);
  EXPECT_EQ(Titles(100), (std::vector<std::string>{Utf8ToSjis("駅"), Utf8ToSjis("東京")}));

  const std::string file = DataFile::Format(StoreType::kKeywords, store_, {});
  EXPECT_EQ(file.find("Caf"), std::string::npos);
  EXPECT_EQ(file.find('?'), std::string::npos);
  ItemStore next_run{StoreType::kKeywords, settings_, clock_};
  ASSERT_TRUE(DataFile::LoadFromBytes(StoreType::kKeywords, file, next_run).ok());
  EXPECT_EQ(choices(next_run), "駅|東京|");

  // The option page's clear forgets them too.
  ASSERT_TRUE(store_.Clear(prompter));
  EXPECT_EQ(choices(store_), "");
}

}  // namespace
}  // namespace tolvane
