#include "core/commands/command_table.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "core/commands/accelerator_table.h"
#include "core/commands/command_dispatcher.h"
#include "core/commands/key_name_table.h"
#include "core/files/setting_keys.h"
#include "core/files/string_table.h"
#include "core/text/charset_converter.h"
#include "support/failing_env.h"
#include "support/temp_dir.h"

namespace tolvane {
namespace {

std::string S(std::string_view utf8) { return Utf8ToSjis(utf8); }

// Describe() of the entry of `id`, in UTF-8 for readable failures.
std::string Row(const CommandTable& table, CommandId id) {
  return SjisToUtf8(table.Describe(table.IndexOf(id)));
}

// No engines or tabs: only the commands own gestures.
class NoItems : public ShortcutOwners {
 public:
  int OwnerCount(OwnerType) const override { return 0; }
  std::string_view OwnerField(OwnerType, int, MatchKind) const override { return {}; }
  void RunOwner(OwnerType, int) override {}
  void RunCommand(CommandId) override {}
};

TEST(CommandTableTest, DefaultTableIsWholeAndConsistent) {
  const CommandTable table;
  ASSERT_EQ(table.entries().size(), 79u);
  std::set<int> ids;
  std::map<std::pair<int, int>, int> bindings;
  for (const CommandEntry& e : table.entries()) {
    EXPECT_TRUE(ids.insert(e.id.value()).second) << e.id.value();
    EXPECT_FALSE(CommandTable::ActionName(e.id).empty()) << e.id.value();
    EXPECT_FALSE(CommandTable::Description(e.id).empty()) << e.id.value();
    EXPECT_EQ(SjisToUtf8(LoadString(e.id.value())), LoadStringUtf8(e.id.value()));
    if (e.category != 0) {
      EXPECT_GE(e.category, 2001);
      EXPECT_LE(e.category, 2009);
      EXPECT_FALSE(CommandTable::ActionName(CommandId(e.category)).empty());
    }
    for (const KeyBinding& k : e.keys) {
      if (k.empty()) continue;
      EXPECT_FALSE(KeyNameTable::KeyName(k.key).empty()) << e.id.value();
      auto [it, fresh] = bindings.emplace(std::pair{k.modifiers, k.key}, e.id.value());
      EXPECT_TRUE(fresh) << CommandTable::KeyText(k) << " of " << e.id.value() << " and "
                         << it->second;
    }
  }
  EXPECT_EQ(KeyNameTable::Keys().size(), 69u);  // 68 keys and the empty name
  EXPECT_EQ(SjisToUtf8(CommandTable::ActionName(command::kBack)), "前のページに移動");
  EXPECT_EQ(SjisToUtf8(CommandTable::Description(command::kBack)), "前のページに戻ります。");
  EXPECT_EQ(SjisToUtf8(CommandTable::ActionName(command::kBatchSearch)), "まとめて検索");
  EXPECT_EQ(SjisToUtf8(CommandTable::ActionName(CommandId(-1))), "区切り線");

  EXPECT_EQ(Row(table, command::kFullScreen), "32798 F11||↑→↑");
  EXPECT_EQ(Row(table, command::kBack), "32791 Alt+←|Backspace|←");
  EXPECT_EQ(Row(table, command::kZoomIn), "32832 Ctrl++||");
  EXPECT_EQ(Row(table, command::kPageTabRight), "32904 Ctrl+Alt+→|Ctrl+Tab|↓");
  EXPECT_EQ(Row(table, command::kCloseAllPageTabs), "32978 Shift+Ctrl+Alt+W||↓→↓→");
  EXPECT_EQ(Row(table, command::kAddFavorite), "32799 Ctrl+B|Ctrl+D|↑←↓,←←");
}

TEST(CommandTableTest, AcceleratorsLeavePlainNavigationKeysToThePage) {
  const CommandTable table;
  const AcceleratorTable accelerators(table);
  EXPECT_LE(accelerators.size(), static_cast<std::size_t>(CommandTable::kMaxAccelerators));
  using modifier::kAlt;
  using modifier::kCtrl;
  using modifier::kShift;
  const std::vector<std::pair<KeyBinding, int>> expected = {
      {{0, vk::kF1 + 10}, command::kFullScreen.value()},
      {{kAlt, vk::kLeft}, command::kBack.value()},
      {{kCtrl, vk::kTab}, command::kPageTabRight.value()},
      {{kShift | kCtrl, vk::kTab}, command::kPageTabLeft.value()},
      {{0, vk::kEsc}, command::kStop.value()},
      {{kAlt, vk::kBackspace}, command::kUndo.value()},
      {{kShift | kCtrl | kAlt, 'W'}, command::kCloseAllPageTabs.value()},
      // Bound in the table, but they reach the page or the field.
      {{0, vk::kBackspace}, 0},
      {{0, vk::kTab}, 0},
      {{0, vk::kEnter}, 0},
      {{0, vk::kUp}, 0},
      {{0, vk::kPageDown}, 0},
      {{0, vk::kHome}, 0},
      {{0, vk::kDelete}, 0},
      {{kCtrl, 'J'}, 0},
  };
  for (const auto& [binding, id] : expected) {
    EXPECT_EQ(accelerators.Find(binding).value_or(CommandId()).value(), id)
        << CommandTable::KeyText(binding);
  }

  // Every default key reaches its own command unless it is left to the page,
  // and every alternative of every default gesture runs its own command.
  class Recorder : public NoItems {
   public:
    void RunCommand(CommandId id) override { ran.push_back(id.value()); }
    std::vector<int> ran;
  } commands;
  const CommandDispatcher dispatcher(table, commands);
  int left_to_page = 0;
  for (const CommandEntry& e : table.entries()) {
    for (const KeyBinding& k : e.keys) {
      if (k.empty()) continue;
      const int expected_id = AcceleratorTable::LeftToPage(k) ? 0 : e.id.value();
      left_to_page += expected_id == 0;
      EXPECT_EQ(accelerators.Find(k).value_or(CommandId()).value(), expected_id)
          << CommandTable::KeyText(k);
    }
    std::size_t start = 0;
    while (start < e.gestures.size()) {
      const std::size_t end = std::min(e.gestures.find(',', start), e.gestures.size());
      const std::string gesture = e.gestures.substr(start, end - start);
      commands.ran.clear();
      EXPECT_TRUE(dispatcher.Dispatch(MatchKind::kGesture, gesture, false)) << SjisToUtf8(gesture);
      EXPECT_EQ(commands.ran, std::vector<int>{e.id.value()}) << SjisToUtf8(gesture);
      start = end + 1;
    }
  }
  // ↑ ↓ PageUp PageDown Home End Enter Tab Delete and the second key of back.
  EXPECT_EQ(left_to_page, 10);
}

TEST(CommandTableTest, StoredShortcutsAndGesturesRoundTripAndDamagedPartsAreSkipped) {
  testing::TempDir dir;
  testing::FailingEnv env(dir.path());
  SettingsStore settings(dir / "vq_system.ini", env);

  CommandTable edited;
  NoItems items;
  const CommandDispatcher dispatcher(edited, items);
  ASSERT_EQ(edited.SetShortcut(edited.IndexOf(command::kBack), {}, {}),
            CommandTable::ShortcutResult::kStored);
  ASSERT_EQ(edited.SetShortcut(edited.IndexOf(command::kMinimize), {modifier::kCtrl, 'J'}, {}),
            CommandTable::ShortcutResult::kStored);
  ASSERT_EQ(edited.SetGestures(edited.IndexOf(command::kForward), "", dispatcher),
            CommandTable::GestureResult::kStored);
  ASSERT_EQ(edited.SetGestures(edited.IndexOf(command::kZoomIn), S("↑↑↑,→→→"), dispatcher),
            CommandTable::GestureResult::kStored);
  ASSERT_TRUE(edited.Save(settings));

  // A removed binding or gesture is written, so it is not replaced by the
  // default at the next start.
  EXPECT_NE(Read(settings, settings::kShortCutCustom).find("32791.0.0.0.0;"), std::string::npos);
  EXPECT_NE(Read(settings, settings::kMouseGestureCustom).find("32792.;"), std::string::npos);

  CommandTable loaded;
  loaded.Load(settings);
  EXPECT_EQ(loaded.Listing(), edited.Listing());
  EXPECT_EQ(Row(loaded, command::kBack), "32791 ||←");
  EXPECT_EQ(Row(loaded, command::kForward), "32792 Alt+→||");

  // Damaged parts: too few fields, not a number, an unknown key, a modifier
  // that is not Shift/Ctrl/Alt, a command outside the table, a gesture that
  // is not arrows. Only the good parts are taken.
  CommandTable table;
  table.ApplyShortcuts(
      "32798.8.70.0.0;32791.16;x.8.65.0.0;32795.8.255.0.0;32794.1.27.0.0;"
      "99999.8.65.0.0;;32803.4.112.0.0.extra");
  table.ApplyGestures(S("32798.←→;32791;32792.a;32793.↑.;32799"));
  EXPECT_EQ(Row(table, command::kFullScreen), "32798 Ctrl+F||←→");
  EXPECT_EQ(Row(table, command::kBack), "32791 Alt+←|Backspace|←");
  EXPECT_EQ(Row(table, command::kReload), "32795 F5|Ctrl+R|↑↓");
  EXPECT_EQ(Row(table, command::kStop), "32794 Esc||↓↑");
  EXPECT_EQ(Row(table, command::kHelp), "32803 Shift+F1||");
  EXPECT_EQ(Row(table, command::kForward), "32792 Alt+→||→");
  EXPECT_EQ(Row(table, command::kHome), "32793 Alt+Home||↑");

  table.ResetShortcuts();
  table.ResetGestures();
  EXPECT_EQ(table.Listing(), CommandTable().Listing());
}

TEST(CommandTableTest, EditsThatConflictOrDoNotFitAreRefused) {
  CommandTable table;
  NoItems items;
  const CommandDispatcher dispatcher(table, items);
  const int zoom_out = table.IndexOf(command::kZoomOut);
  using Result = CommandTable::ShortcutResult;

  EXPECT_EQ(table.SetShortcut(zoom_out, {modifier::kCtrl, 'T'}, {}), Result::kFirstConflicts);
  EXPECT_EQ(table.SetShortcut(zoom_out, {modifier::kCtrl, 'J'}, {0, vk::kBackspace}),
            Result::kSecondConflicts);
  EXPECT_EQ(Row(table, command::kZoomOut), "32833 Ctrl+-||");
  // Its own bindings are no conflict.
  EXPECT_EQ(table.SetShortcut(zoom_out, {0, vk::kF1 + 1}, {modifier::kCtrl, vk::kSubtract}),
            Result::kStored);
  EXPECT_EQ(Row(table, command::kZoomOut), "32833 F2|Ctrl+-|");

  using Gesture = CommandTable::GestureResult;
  // "←←" is the second alternative of 32799.
  EXPECT_EQ(table.SetGestures(zoom_out, S("↓↓↓,←←"), dispatcher), Gesture::kConflict);
  EXPECT_EQ(table.SetGestures(zoom_out, S("↓↓↓.;"), dispatcher), Gesture::kInvalid);
  EXPECT_EQ(table.SetGestures(table.IndexOf(command::kAddFavorite), S("←←"), dispatcher),
            Gesture::kStored);
  EXPECT_EQ(Row(table, command::kZoomOut), "32833 F2|Ctrl+-|");

  EXPECT_EQ(CommandTable::BindingFromName("F11", modifier::kShift),
            (KeyBinding{modifier::kShift, vk::kF1 + 10}));
  EXPECT_EQ(CommandTable::BindingFromName(S("←"), 0), (KeyBinding{0, vk::kLeft}));
  EXPECT_EQ(CommandTable::BindingFromName("", 0), KeyBinding{});
  EXPECT_FALSE(CommandTable::BindingFromName("", modifier::kCtrl));
  EXPECT_FALSE(CommandTable::BindingFromName("Space", 0));
}

}  // namespace
}  // namespace tolvane
