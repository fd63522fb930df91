#include "core/files/settings_store.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <climits>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <regex>
#include <set>
#include <string>
#include <utility>

#include "core/app/startup_settings.h"
#include "core/files/setting_keys.h"
#include "core/frame/address_list.h"
#include "platform/posix_env.h"
#include "support/failing_env.h"
#include "support/temp_dir.h"

namespace tolvane {
namespace {

namespace fs = std::filesystem;

class SettingsStoreTest : public ::testing::Test {
 protected:
  fs::path IniPath() const { return dir_ / "vq_system.ini"; }
  void WriteRaw(const std::string& bytes) { testing::WriteFile(IniPath(), bytes); }
  std::string ReadRaw() const { return testing::ReadFile(IniPath()); }

  void ExpectEveryDefault(const SettingsStore& store) {
    for (const IntSetting* s : settings::AllIntSettings()) {
      EXPECT_EQ(Read(store, *s), s->default_value) << s->section << "/" << s->key;
    }
    for (const TextSetting* s : settings::AllTextSettings()) {
      EXPECT_EQ(Read(store, *s), s->default_value) << s->section << "/" << s->key;
    }
  }

  testing::TempDir dir_;
  testing::FailingEnv env_{dir_.path()};
};

TEST_F(SettingsStoreTest, MissingOrEmptyFileGivesEveryDefault) {
  SettingsStore store(IniPath(), env_);
  ExpectEveryDefault(store);
  EXPECT_FALSE(fs::exists(IniPath()));

  WriteRaw("");
  ExpectEveryDefault(store);
  // Other sections present do not disturb the defaults either.
  WriteRaw("[Unrelated]\r\nStartMode=0\r\n");
  ExpectEveryDefault(store);
}

TEST_F(SettingsStoreTest, StartupSettingsDefaultsAndStoredValues) {
  SettingsStore store(IniPath(), env_);
  StartupSettings defaults = StartupSettings::Read(store);
  EXPECT_TRUE(defaults.popup_block);
  EXPECT_EQ(defaults.link_mode, 2);
  EXPECT_EQ(defaults.find_tree_hot_key, 0);
  EXPECT_EQ(defaults.category_tab_minimum_size, 30);
  EXPECT_TRUE(defaults.category_tab_show_favicon);
  EXPECT_EQ(defaults.page_tab_maximum_size, 250);
  EXPECT_EQ(defaults.page_tab_minimum_size, 50);
  EXPECT_TRUE(defaults.page_tab_show_favicon);
  EXPECT_TRUE(defaults.gesture_enabled);
  EXPECT_EQ(defaults.gesture_distance, 10);
  EXPECT_EQ(defaults.gesture_large_distance, 500);
  EXPECT_EQ(defaults.page_clip_link_mode, 0);

  WriteRaw(
      "[OptionSecurity]\nPopupBlock=0\n[OptionLink]\nLink=1\n[OptionFindTree]\nHotKey=3\n"
      "[OptionCategoryTab]\nMinimumSize=12\nShowFavicon=0\n"
      "[OptionPageTab]\nMaximumSize=900\nMinimumSize=60\nShowFavicon=0\n"
      "[OptionMouseGesture]\nEnable=0\nDistance=20\nDistance2=300\n"
      "[OptionPageClip]\nLink=2\n");
  StartupSettings stored = StartupSettings::Read(store);
  EXPECT_FALSE(stored.popup_block);
  EXPECT_EQ(stored.link_mode, 1);
  EXPECT_EQ(stored.find_tree_hot_key, 3);
  EXPECT_EQ(stored.category_tab_minimum_size, 12);
  EXPECT_FALSE(stored.category_tab_show_favicon);
  EXPECT_EQ(stored.page_tab_maximum_size, 900);
  EXPECT_EQ(stored.page_tab_minimum_size, 60);
  EXPECT_FALSE(stored.page_tab_show_favicon);
  EXPECT_FALSE(stored.gesture_enabled);
  EXPECT_EQ(stored.gesture_distance, 20);
  EXPECT_EQ(stored.gesture_large_distance, 300);
  EXPECT_EQ(stored.page_clip_link_mode, 2);
}

TEST_F(SettingsStoreTest, FirstWriteCreatesTheFileAndLaterWritesKeepTheRest) {
  SettingsStore store(IniPath(), env_);
  ASSERT_TRUE(store.WriteInt("OptionMain", "StartMode", 3));
  ASSERT_TRUE(store.WriteString("OptionMain", "StartPage", "http://example.com/\x83\x41"));
  ASSERT_TRUE(store.WriteInt("MainWindow", "cx", -20));
  EXPECT_EQ(ReadRaw(),
            "[OptionMain]\r\nStartMode=3\r\nStartPage=http://example.com/\x83\x41\r\n"
            "[MainWindow]\r\ncx=-20\r\n");
  EXPECT_EQ(Read(store, settings::kMainStartMode), 3);
  EXPECT_EQ(Read(store, settings::kMainWindowCx), -20);
  // Nothing is cached: an outside edit is seen at once.
  WriteRaw("[optionmain]\nstartmode=0\n");
  EXPECT_EQ(store.GetInt("OptionMain", "StartMode", 1), 0);
}

TEST_F(SettingsStoreTest, SectionWritesAndDeletes) {
  SettingsStore store(IniPath(), env_);
  WriteRaw("; mine\n[MRU]\nNumItems=1\nURL1=a\n[SideBar]\nWidth=300\n");
  ASSERT_TRUE(store.WriteSection("MRU", {"NumItems=2", "URL1=b", "Title1=c"}));
  EXPECT_EQ(ReadRaw(),
            "; mine\r\n[MRU]\r\nNumItems=2\r\nURL1=b\r\nTitle1=c\r\n[SideBar]\r\nWidth=300\r\n");
  ASSERT_TRUE(store.DeleteKey("MRU", "URL1"));
  EXPECT_EQ(store.GetString("MRU", "URL1", "gone"), "gone");
  ASSERT_TRUE(store.DeleteSection("MRU"));
  EXPECT_EQ(ReadRaw(), "; mine\r\n[SideBar]\r\nWidth=300\r\n");
  EXPECT_FALSE(store.WriteSection("MRU", {"not a key line"}));
  EXPECT_FALSE(store.WriteString("MRU", "URL1", "two\nlines"));
  EXPECT_EQ(ReadRaw(), "; mine\r\n[SideBar]\r\nWidth=300\r\n");
}

TEST_F(SettingsStoreTest, WritesThatChangeNothingDoNotTouchTheFile) {
  SettingsStore store(IniPath(), env_);
  ASSERT_TRUE(store.DeleteSection("MRU"));
  ASSERT_TRUE(store.DeleteKey("OptionMain", "StartMode"));
  EXPECT_FALSE(fs::exists(IniPath()));
  EXPECT_EQ(env_.replace_calls, 0);

  ASSERT_TRUE(store.WriteInt("OptionMain", "StartMode", 2));
  ASSERT_TRUE(store.WriteInt("OptionMain", "StartMode", 2));
  EXPECT_EQ(env_.replace_calls, 1);
}

TEST_F(SettingsStoreTest, FailedWriteReportsFalseAndLeavesTheOldFile) {
  const std::string before = "[OptionMain]\nStartMode=4\n";
  WriteRaw(before);
  SettingsStore store(IniPath(), env_);
  env_.fail_every_replace = true;
  EXPECT_FALSE(store.WriteInt("OptionMain", "StartMode", 1));
  EXPECT_FALSE(store.WriteSection("MRU", {"NumItems=0"}));
  EXPECT_FALSE(store.DeleteSection("OptionMain"));
  EXPECT_EQ(ReadRaw(), before);
  EXPECT_EQ(Read(store, settings::kMainStartMode), 4);
}

TEST_F(SettingsStoreTest, FileThatCannotBeUsedGivesDefaultsIsToldAndIsNeverReplaced) {
  struct Case {
    const char* what;
    std::function<void()> make;
    std::string problem;
  };
  const Case cases[] = {
      {"directory", [&] { fs::create_directory(IniPath()); }, "it is a directory"},
      // A FIFO would block the reader until something writes to it.
      {"fifo", [&] { ASSERT_EQ(::mkfifo(IniPath().c_str(), 0600), 0); },
       "it is not a regular file"},
      {"huge",
       [&] {
         WriteRaw("[OptionMain]\r\nCloseMode=0\r\n");
         fs::resize_file(IniPath(), SettingsStore::kMaxFileBytes + 1);
       },
       "the file is 8388609 bytes, more than the 8388608 it may hold"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    fs::remove_all(IniPath());
    c.make();
    const auto type = fs::status(IniPath()).type();
    SettingsStore store(IniPath(), env_);
    EXPECT_EQ(store.Problem(), c.problem);
    ExpectEveryDefault(store);
    EXPECT_FALSE(store.WriteInt("OptionMain", "CloseMode", 0));
    EXPECT_FALSE(store.WriteSection("MRU", {"NumItems=0"}));
    EXPECT_EQ(fs::status(IniPath()).type(), type);
  }
  EXPECT_EQ(env_.replace_calls, 0);

  // Once the file is usable again, it is read.
  fs::remove_all(IniPath());
  SettingsStore store(IniPath(), env_);
  EXPECT_EQ(store.Problem(), "");
  WriteRaw("[OptionMain]\r\nCloseMode=0\r\n");
  EXPECT_EQ(Read(store, settings::kMainCloseMode), 0);
}

TEST_F(SettingsStoreTest, ByteOrderMarkAndCrLineEndsAreReadAndChangesByOthersAreSeen) {
  // As an editor may save it: a UTF-8 byte order mark, old Mac line ends.
  WriteRaw("\xEF\xBB\xBF[OptionMain]\rStartMode=3\rCloseMode=0\r[OptionLink]\rLink=1");
  SettingsStore store(IniPath(), env_);
  EXPECT_EQ(store.Problem(), "");
  EXPECT_EQ(Read(store, settings::kMainStartMode), 3);
  EXPECT_EQ(Read(store, settings::kMainCloseMode), 0);
  EXPECT_EQ(Read(store, settings::kLinkMode), 1);
  ASSERT_TRUE(store.WriteInt("OptionMain", "StartMode", 2));
  EXPECT_EQ(ReadRaw(),
            "\xEF\xBB\xBF[OptionMain]\r\nStartMode=2\r\nCloseMode=0\r\n[OptionLink]\r\nLink=1\r\n");

  // A change by someone else is seen at the next read, even one of the same
  // size within the same tick of the file clock, and a write keeps it.
  WriteRaw("[OptionMain]\r\nStartMode=5\r\n");
  EXPECT_EQ(Read(store, settings::kMainStartMode), 5);
  WriteRaw("[OptionMain]\r\nStartMode=4\r\n");
  EXPECT_EQ(Read(store, settings::kMainStartMode), 4);
  EXPECT_EQ(Read(store, settings::kMainCloseMode), 1);
  ASSERT_TRUE(store.WriteInt("OptionMain", "CloseMode", 0));
  EXPECT_EQ(ReadRaw(), "[OptionMain]\r\nStartMode=4\r\nCloseMode=0\r\n");
  EXPECT_EQ(Read(store, settings::kMainCloseMode), 0);

  // A file whose stamp is old enough is read once, not once per key: bytes
  // changed behind an unchanged stamp are not seen.
  const auto old_time = fs::last_write_time(IniPath()) - std::chrono::hours(1);
  fs::last_write_time(IniPath(), old_time);
  EXPECT_EQ(Read(store, settings::kMainStartMode), 4);
  WriteRaw("[OptionMain]\r\nStartMode=6\r\nCloseMode=0\r\n");
  fs::last_write_time(IniPath(), old_time);
  EXPECT_EQ(Read(store, settings::kMainStartMode), 4);
}

// A hand-edited count near 2^31 is read as the most the program can list or
// keep (the spans of the commands that list the entries, the option page's
// limits); every other setting reads back as stored.
TEST_F(SettingsStoreTest, CountsAreBoundedAndOtherSettingsReadAsStored) {
  const std::map<const IntSetting*, int> bounded{
      {&settings::kMruMaxNumItems, 99},           {&settings::kMruNumItems, 99},
      {&settings::kAddressListMaxNumItems, 100},  {&settings::kAddressListNumItems, 100},
      {&settings::kFavoriteMaxData, 99999},       {&settings::kKeywordMaxData, 9999},
      {&settings::kHistoryMaxData, 99999},        {&settings::kPageClipMaxData, 99999},
      {&settings::kLoadingMaxLoading, 99},        {&settings::kMultiOpenMaxOpen, 99},
      {&settings::kToolBarSummaryNumToolBars, 16}};
  SettingsStore store(IniPath(), env_);
  for (const char* huge : {"2147483647", "99999999999999"}) {
    std::map<std::string_view, std::string> sections;
    for (const IntSetting* s : settings::AllIntSettings()) {
      sections[s->section] += std::string(s->key) + "=" + huge + "\r\n";
    }
    std::string ini;
    for (const auto& [name, keys] : sections) ini += "[" + std::string(name) + "]\r\n" + keys;
    WriteRaw(ini);
    std::map<const IntSetting*, int> read;
    for (const IntSetting* s : settings::AllIntSettings()) {
      if (Read(store, *s) != INT_MAX) read[s] = Read(store, *s);
      EXPECT_LE(s->default_value, s->max_value) << s->section << "/" << s->key;
    }
    EXPECT_EQ(read, bounded) << huge;
  }
  // Below the bounds: at least one page loads at once, nothing else is
  // negative.
  WriteRaw("[OptionLoading]\r\nMaxLoading=0\r\n[AddressList]\r\nMaxNumItems=-7\r\n");
  EXPECT_EQ(Read(store, settings::kLoadingMaxLoading), 1);
  EXPECT_EQ(Read(store, settings::kAddressListMaxNumItems), 0);
}

// The address list's entries are read with one look at the file, however
// large the counts written by hand.
TEST_F(SettingsStoreTest, ASectionIsReadWithOneLookAtTheFile) {
  std::string ini = "[AddressList]\r\nMaxNumItems=2147483647\r\nNumItems=2147483647\r\n";
  for (int i = 0; i < 300; ++i) {
    ini += "URL" + std::to_string(i) + "=http://s/" + std::to_string(i) + "\r\n";
  }
  WriteRaw(ini);
  SettingsStore store(IniPath(), env_);
  env_.stat_calls = 0;
  const AddressList list = AddressList::Read(store);
  EXPECT_EQ(env_.stat_calls, 1);
  EXPECT_EQ(list.capacity(), 100);
  ASSERT_EQ(list.entries().size(), 100u);
  EXPECT_EQ(list.entries().back(), "http://s/99");
}

TEST(SettingKeysTest, EveryKeyIsListedOnceExceptThoseReadWithTwoDefaults) {
  std::map<std::pair<std::string, std::string>, int> seen;
  for (const IntSetting* s : settings::AllIntSettings())
    ++seen[{std::string(s->section), std::string(s->key)}];
  for (const TextSetting* s : settings::AllTextSettings())
    ++seen[{std::string(s->section), std::string(s->key)}];
  std::set<std::pair<std::string, std::string>> twice;
  for (const auto& [name, count] : seen) {
    if (count > 1) twice.insert(name);
  }
  const std::set<std::pair<std::string, std::string>> expected_twice{
      {"OptionMain", "SavePageTab"},
      {"OptionFindTree", "AddressBarFindEngine"},
      {"OptionFindBar", "ButtonIDs"}};
  EXPECT_EQ(twice, expected_twice);

  // Every named setting in the header is in the lists.
  std::ifstream header(std::string(TOLVANE_SOURCE_DIR) + "/core/files/setting_keys.h");
  const std::string text{std::istreambuf_iterator<char>(header), {}};
  const std::regex declaration("inline constexpr (Int|Text)Setting k");
  const auto declared = std::distance(std::sregex_iterator(text.begin(), text.end(), declaration),
                                      std::sregex_iterator());
  EXPECT_EQ(static_cast<std::size_t>(declared),
            settings::AllIntSettings().size() + settings::AllTextSettings().size());
}

TEST(SettingKeysTest, NumberedNames) {
  EXPECT_EQ(settings::ToolBarInfoSection(3), "ToolBarInfo3");
  EXPECT_EQ(settings::NumberedKey(settings::kUrlKeyPrefix, 12), "URL12");
}

}  // namespace
}  // namespace tolvane
