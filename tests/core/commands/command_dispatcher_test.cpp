#include "core/commands/command_dispatcher.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "core/commands/command_table.h"
#include "core/commands/key_name_table.h"
#include "core/commands/typed_shortcut.h"
#include "core/text/charset_converter.h"

namespace tolvane {
namespace {

std::string S(std::string_view utf8) { return Utf8ToSjis(utf8); }

// Engines, engine folders, tabs and tab folders with their two fields; runs
// are logged as "EF0 EE1 32791".
class FakeOwners : public ShortcutOwners {
 public:
  struct Fields {
    std::string typed;
    std::string gesture;
  };
  std::map<OwnerType, std::vector<Fields>> items;
  std::string log;

  int OwnerCount(OwnerType type) const override {
    auto it = items.find(type);
    return it == items.end() ? 0 : static_cast<int>(it->second.size());
  }
  std::string_view OwnerField(OwnerType type, int index, MatchKind kind) const override {
    const Fields& f = items.at(type).at(index);
    return kind == MatchKind::kTypedShortcut ? f.typed : f.gesture;
  }
  std::string OwnerName(OwnerType type, int index) const override {
    static const std::map<OwnerType, std::string> kCodes = {{OwnerType::kEngineFolder, "EF"},
                                                            {OwnerType::kEngine, "EE"},
                                                            {OwnerType::kTabFolder, "TF"},
                                                            {OwnerType::kTab, "TE"}};
    return kCodes.at(type) + std::to_string(index);
  }
  void RunOwner(OwnerType type, int index) override { Add(OwnerName(type, index)); }
  void RunCommand(CommandId id) override { Add(std::to_string(id.value())); }

  std::string Take() { return std::exchange(log, ""); }

 private:
  void Add(const std::string& entry) { log += (log.empty() ? "" : " ") + entry; }
};

class CommandDispatcherTest : public ::testing::Test {
 protected:
  CommandDispatcherTest() {
    owners_.items[OwnerType::kEngineFolder] = {{"bk", ""}, {"x", ""}, {"bk,mu", S("→↓←")}};
    owners_.items[OwnerType::kEngine] = {{"am", ""}, {"ama", S("↓↑↓")}, {"am", ""}};
    owners_.items[OwnerType::kTabFolder] = {{"tf", ""}, {"tf", ""}};
    owners_.items[OwnerType::kTab] = {{"ya", S("←↑")}, {"ya", ""}};
  }

  bool Run(MatchKind kind, std::string_view text) {
    return dispatcher_.Dispatch(kind, text, false);
  }

  CommandTable table_;
  FakeOwners owners_;
  CommandDispatcher dispatcher_{table_, owners_};
};

TEST_F(CommandDispatcherTest, OwnersAreFoundInOrderAndFoldersAllRun) {
  using enum MatchKind;
  EXPECT_TRUE(Run(kTypedShortcut, "bk"));
  EXPECT_EQ(owners_.Take(), "EF0 EF2");
  EXPECT_TRUE(Run(kTypedShortcut, "am"));
  EXPECT_EQ(owners_.Take(), "EE0");
  EXPECT_TRUE(Run(kTypedShortcut, "tf"));
  EXPECT_EQ(owners_.Take(), "TF0 TF1");
  EXPECT_TRUE(Run(kTypedShortcut, "ya"));
  EXPECT_EQ(owners_.Take(), "TE0");
  // Whole alternatives only; commands have no typed shortcuts.
  EXPECT_FALSE(Run(kTypedShortcut, "a"));
  EXPECT_FALSE(Run(kTypedShortcut, "b"));
  EXPECT_FALSE(Run(kTypedShortcut, ""));
  EXPECT_EQ(owners_.Take(), "");

  // Items' gestures come before the commands'; both alternatives of 32799 run it.
  EXPECT_TRUE(Run(kGesture, S("←↑")));
  EXPECT_TRUE(Run(kGesture, S("←")));
  EXPECT_TRUE(Run(kGesture, S("↑←↓")));
  EXPECT_TRUE(Run(kGesture, S("←←")));
  EXPECT_FALSE(Run(kGesture, S("←←←")));
  EXPECT_EQ(owners_.Take(), "TE0 32791 32799 32799");

  // Checking runs nothing and skips the owner being edited.
  EXPECT_TRUE(dispatcher_.Dispatch(kGesture, S("↓↑↓"), true));
  EXPECT_FALSE(dispatcher_.Dispatch(kGesture, S("↓↑↓"), true, Owner{OwnerType::kEngine, 1}));
  EXPECT_FALSE(dispatcher_.Dispatch(kGesture, S("←"), true,
                                    Owner{OwnerType::kCommand, table_.IndexOf(command::kBack)}));
  EXPECT_EQ(owners_.Take(), "");

  // The engine and tab dialogs' checks.
  // An item's own fields are no conflict; tab 1 shares "ya" with tab 0.
  EXPECT_EQ(dispatcher_.CheckItemFields(Owner{OwnerType::kEngineFolder, 2}, "mu,zz", S("→↓←")), 0);
  const Owner tab{OwnerType::kTab, 1};
  EXPECT_EQ(dispatcher_.CheckItemFields(tab, "ya", ""), 1016);
  EXPECT_EQ(dispatcher_.CheckItemFields(tab, "Ya", ""), 1014);
  EXPECT_EQ(dispatcher_.CheckItemFields(tab, "q,mu", ""), 1016);
  EXPECT_EQ(dispatcher_.CheckItemFields(tab, "q", S("↓↓↓,→→")), 1017);  // 32890
  EXPECT_EQ(owners_.Take(), "");
}

TEST_F(CommandDispatcherTest, TypedLettersAfterTheHotKeyRunTheirOwner) {
  TypedShortcut typed(0,
                      [&](std::string_view text) { return Run(MatchKind::kTypedShortcut, text); });
  using key_state::kCtrl;
  using key_state::kShift;
  auto down = [&](int key, int mods = 0, bool repeat = false) {
    return typed.OnKeyDown({key, mods, repeat});
  };
  auto up = [&](int key, int mods = 0) { return typed.OnKeyUp({key, mods}); };

  // Ctrl+Space, release, "a", "m": the engine runs and the mode ends.
  EXPECT_FALSE(down(vk::kControl, kCtrl));
  EXPECT_TRUE(down(vk::kSpace, kCtrl));
  EXPECT_FALSE(down(vk::kSpace, kCtrl, true));
  EXPECT_EQ(typed.Describe(), "held");
  up(vk::kSpace, kCtrl);
  up(vk::kControl);
  EXPECT_EQ(typed.Describe(), "typing ");
  EXPECT_TRUE(down('A'));
  EXPECT_EQ(SjisToUtf8(typed.status_text()), "ショートカットのコマンド：a");
  EXPECT_TRUE(down('M'));
  EXPECT_EQ(owners_.Take(), "EE0");
  EXPECT_EQ(typed.Describe() + typed.status_text(), "idle");

  // Nobody owns "q": the mode stays; a digit ends it and is not consumed.
  down(vk::kSpace, kCtrl);
  up(vk::kControl);
  EXPECT_TRUE(down('Q'));
  EXPECT_EQ(typed.Describe(), "typing q");
  EXPECT_FALSE(down('1'));
  EXPECT_EQ(typed.Describe() + typed.status_text(), "idle");

  // A letter with Shift held ends the mode too.
  down(vk::kSpace, kCtrl);
  up(vk::kControl);
  EXPECT_FALSE(down(vk::kShift, kShift));
  EXPECT_FALSE(down('A', kShift));
  EXPECT_EQ(typed.Describe(), "idle");

  // Another key while the hot key is held cancels; releasing returns to idle.
  down(vk::kSpace, kCtrl);
  EXPECT_FALSE(down('C', kCtrl));
  EXPECT_EQ(typed.Describe(), "cancelled");
  up(vk::kControl);
  EXPECT_EQ(typed.Describe(), "idle");
  EXPECT_EQ(owners_.Take(), "");

  // Shift+Alt as the hot key: releasing Alt first is consumed.
  typed.set_hot_key(4);
  EXPECT_FALSE(down(vk::kAlt, kShift | key_state::kAlt));
  EXPECT_EQ(typed.Describe(), "held");
  EXPECT_TRUE(up(vk::kAlt, kShift));
  up(vk::kShift);
  EXPECT_TRUE(down('Y'));
  EXPECT_TRUE(down('A'));
  EXPECT_EQ(owners_.Take(), "TE0");
}

TEST_F(CommandDispatcherTest, LettersThatStartOrStartWithAnotherOwnersAreRefusedNamingIt) {
  owners_.items = {{OwnerType::kEngineFolder, {{"fold,q", ""}}},
                   {OwnerType::kEngine, {{"kou", ""}, {"ab,cd", ""}}},
                   {OwnerType::kTabFolder, {{"grp", ""}}},
                   {OwnerType::kTab, {{"tab", ""}}}};
  const Owner new_engine{OwnerType::kEngine, -1};
  struct Case {
    Owner item;
    const char* letters;
    const char* holder;  // "" when the letters may be stored
  } cases[] = {
      {new_engine, "ko", "EE0（kou）"},      // the start of another's
      {new_engine, "kouz", "EE0（kou）"},    // starts with another's
      {new_engine, "kou", "EE0（kou）"},     // equal
      {new_engine, "zz,c", "EE1（ab,cd）"},  // per alternative, on both sides
      {new_engine, "fo", "EF0（fold,q）"},
      {new_engine, "qq", "EF0（fold,q）"},
      {new_engine, "g", "TF0（grp）"},
      {new_engine, "tabs", "TE0（tab）"},
      {new_engine, "kx,ac,z,,y", ""},
      {new_engine, "", ""},
      {Owner{OwnerType::kEngine, 0}, "k", ""},  // its own letters
      {Owner{OwnerType::kTab, 0}, "ta,grpx", "TF0（grp）"},
  };
  for (const Case& c : cases) {
    const CommandDispatcher::ItemCheck check = dispatcher_.CheckItem(c.item, c.letters, "");
    const std::string expected =
        *c.holder ? "すでに登録済みのショートカットコマンドです。\n登録先：" + std::string(c.holder)
                  : "";
    EXPECT_EQ(check.message, *c.holder ? 1016 : 0) << c.letters;
    EXPECT_EQ(SjisToUtf8(check.text), expected) << c.letters;
  }

  // A list that already holds "ko" and "kou" runs "ko" as before.
  owners_.items[OwnerType::kEngine].push_back({"ko", ""});
  EXPECT_TRUE(Run(MatchKind::kTypedShortcut, "ko"));
  EXPECT_EQ(owners_.Take(), "EE2");

  // Typed letters that no owner's letters start with say so; the mode goes on.
  TypedShortcut typed(
      0, [&](std::string_view text) { return Run(MatchKind::kTypedShortcut, text); },
      [&](std::string_view text) { return dispatcher_.LettersMayGoOn(text); });
  typed.OnKeyDown({vk::kSpace, key_state::kCtrl});
  typed.OnKeyUp({vk::kControl, 0});
  std::string statuses;
  for (int key : {'T', 'X', 'Y'}) {
    typed.OnKeyDown({key, 0});
    typed.OnKeyUp({key, 0});
    statuses += SjisToUtf8(typed.status_text()) + "|";
  }
  EXPECT_EQ(statuses,
            "ショートカットのコマンド：t|"
            "ショートカットのコマンド：tx（該当する項目はありません）|"
            "ショートカットのコマンド：txy（該当する項目はありません）|");
  EXPECT_EQ(typed.Describe(), "typing txy");
  EXPECT_FALSE(typed.OnKeyDown({vk::kEsc, 0}));
  EXPECT_EQ(typed.Describe() + typed.status_text(), "idle");
  EXPECT_EQ(owners_.Take(), "");
}

}  // namespace
}  // namespace tolvane
