#include "core/search/engine_dialog.h"

#include <gtest/gtest.h>

#include <string>

#include "core/commands/command_dispatcher.h"
#include "core/commands/command_table.h"
#include "core/files/string_table.h"
#include "core/stores/category_folder_tree.h"
#include "core/text/charset_converter.h"

namespace tolvane {
namespace {

using Field = EngineDialog::Field;
using Button = EngineDialog::GestureButton;

std::string S(std::string_view utf8) { return Utf8ToSjis(utf8); }

// The engine and tab lists as the dispatcher sees them (no folders).
class ListOwners : public ShortcutOwners {
 public:
  ListOwners(const EngineList& engines, const EngineList& tabs) : engines_(engines), tabs_(tabs) {}
  int OwnerCount(OwnerType type) const override {
    if (type == OwnerType::kEngine) return static_cast<int>(engines_.size());
    if (type == OwnerType::kTab) return static_cast<int>(tabs_.size());
    return 0;
  }
  std::string_view OwnerField(OwnerType type, int index, MatchKind kind) const override {
    const EngineList& list = type == OwnerType::kEngine ? engines_ : tabs_;
    const auto row = static_cast<std::size_t>(index);
    return kind == MatchKind::kTypedShortcut ? list.shortcut(row) : list.gesture(row);
  }
  void RunOwner(OwnerType, int) override {}
  void RunCommand(CommandId) override {}

 private:
  const EngineList& engines_;
  const EngineList& tabs_;
};

// A downloaded engine (row 0), a user engine (row 1) and one tab.
class EngineDialogTest : public ::testing::Test {
 protected:
  EngineDialogTest() {
    engines_.ResetHighestId();
    tabs_.ResetHighestId();
    engines_.ParseRecord(
        S("5\t12\tShop\tShopTab\tS\thttp://s/\t\thttp://s/?q=$0\t\t\t\t1\t\t0\t7\t↑↓\tam"));
    engines_.ParseRecord(
        S("100001\t12\tMine\tMine\tM\thttp://m/\t\thttp://m/?q=$0\t\t\t\t3\t\t0\t8"
          "\t\tyo"));
    tabs_.ParseRecord(S("3\t1\tTab\t\t\t検索フォルダID[12]\t\t検索フォルダID[12]\t\t\t\t0"));
  }

  std::string Row(const EngineList& list, std::size_t row) const {
    return SjisToUtf8(list.FormatRecord(row) + " | " + list.FormatOptionLine(row));
  }

  EngineList engines_{StoreType::kEngineList};
  EngineList tabs_{StoreType::kTabs};
  CommandTable table_;
  ListOwners owners_{engines_, tabs_};
  CommandDispatcher dispatcher_{table_, owners_};
};

TEST_F(EngineDialogTest, DownloadedEnginesKeepTheirTextWhileGestureShortcutAndFlagChange) {
  EngineDialog dialog = EngineDialog::ForRow(engines_, 0);
  EXPECT_EQ(dialog.TitleStringId(), string_id::kEngineDialogTitle);
  EXPECT_FALSE(dialog.SetText(Field::kName, "Other"));
  EXPECT_FALSE(dialog.SetEncodingChoice(3));
  EXPECT_FALSE(dialog.SetIconChoice(2));
  EXPECT_TRUE(dialog.SetText(Field::kShortcut, "ab,cd"));
  dialog.SetOnSearchBar(true);

  // Gesture buttons: a third equal arrow is refused, a separator is never
  // doubled, 削除 takes one whole character, typing needs 直接入力.
  for (Button b : {Button::kClear, Button::kLeft, Button::kLeft, Button::kLeft, Button::kDown,
                   Button::kSeparator, Button::kSeparator, Button::kDown, Button::kUp,
                   Button::kLeft, Button::kUp, Button::kDelete}) {
    dialog.PressGestureButton(b);
  }
  EXPECT_EQ(SjisToUtf8(dialog.Text(Field::kGesture)), "←←↓,↓↑←");
  EXPECT_FALSE(dialog.SetText(Field::kGesture, S("→")));
  dialog.PressGestureButton(Button::kDirectInput);
  EXPECT_TRUE(dialog.SetText(Field::kGesture, S(" ←←↓,↓↑←\t→ ")));

  EXPECT_EQ(SjisToUtf8(dialog.Describe()),
            "アイコン*[0] ID*[5] 名前*[Shop] タブ名*[ShopTab] 短縮名*[S] URL*[http://s/] "
            "検索文字列*[http://s/?q=$0] PostData*[] URLエンコード*[1] マウスジェスチャ[←←↓,↓↑← →] "
            "ショートカット[ab,cd] 検索バーに表示する[1]");
  EXPECT_EQ(dialog.Save(dispatcher_).message, 0);
  EXPECT_EQ(Row(engines_, 0),
            "5\t12\tShop\tShopTab\tS\thttp://s/\t\thttp://s/?q=$0\t\t\t\t1 | "
            "5\t\t0\t7\t←←↓,↓↑← →\tab,cd\t1\t0");

  // Tab rows edit every text field and the icon; TAB and line breaks in a
  // value become spaces so the saved line keeps its fields.
  EngineDialog tab = EngineDialog::ForRow(tabs_, 0);
  EXPECT_TRUE(tab.SetText(Field::kName, "New\tname\n"));
  EXPECT_TRUE(tab.SetIconChoice(50));
  EXPECT_FALSE(tab.SetIconChoice(51));
  EXPECT_TRUE(tab.SetEncodingChoice(2));
  EXPECT_EQ(tab.Save(dispatcher_).message, 0);
  EXPECT_EQ(Row(tabs_, 0),
            "3\t1\tNew name\t\t\t検索フォルダID[12]\t\t検索フォルダID[12]\t\t\t\t2\t\t0\t99999999"
            "\t\t\t0\t50 | 3\t\t0\t99999999\t\t\t0\t50");
}

TEST_F(EngineDialogTest, ShortcutsAndGesturesOwnedElsewhereAreRefusedAndNothingIsWritten) {
  const std::string before = Row(engines_, 1);
  struct Case {
    const char* shortcut;
    const char* gesture;
    int message;
  } cases[] = {
      {"Ab", "", 1014},     {"x1", "", 1014}, {"zz,am", "", 1016},
      {"zz", "←,↑↓", 1017}, {"yo", "←↓←", 0},  // its own shortcut is no conflict
  };
  for (const auto& c : cases) {
    EngineDialog dialog = EngineDialog::ForRow(engines_, 1);
    dialog.PressGestureButton(Button::kDirectInput);
    dialog.SetText(Field::kShortcut, c.shortcut);
    dialog.SetText(Field::kGesture, S(c.gesture));
    EXPECT_EQ(dialog.Save(dispatcher_).message, c.message) << c.shortcut << " " << c.gesture;
    if (c.message != 0) {
      EXPECT_EQ(Row(engines_, 1), before);
    }
  }
  EXPECT_EQ(Row(engines_, 1),
            "100001\t12\tMine\tMine\tM\thttp://m/\t\thttp://m/?q=$0\t\t\t\t3 | "
            "100001\t\t0\t8\t←↓←\tyo\t0\t0");
}

TEST_F(EngineDialogTest, NewUserEnginesTakeTheNextIdUntilNoneIsLeft) {
  EngineDialogValues initial;
  initial.name = "Found";
  initial.search_url = "https://f/?q=$0";
  initial.encoding = 3;
  EngineDialog dialog = EngineDialog::ForNewEngine(engines_, {12, 1}, initial);
  EXPECT_EQ(dialog.TitleStringId(), string_id::kNewEngineTitle);
  EXPECT_EQ(dialog.Text(Field::kId), "100002");
  EXPECT_TRUE(dialog.SetText(Field::kUrl, "https://f/"));
  EXPECT_FALSE(dialog.SetIconChoice(4));
  dialog.SetText(Field::kShortcut, "yo");
  EXPECT_EQ(dialog.Save(dispatcher_).message, 1016);
  dialog.SetText(Field::kShortcut, "fo");
  const auto saved = dialog.Save(dispatcher_);
  ASSERT_EQ(saved.message, 0);
  EXPECT_EQ(Row(engines_, static_cast<std::size_t>(saved.row)),
            "100002\t12\tFound\t\t\thttps://f/\t\thttps://f/?q=$0\t\t\t\t3 | "
            "100002\t\t0\t8\t\tfo\t0\t0");

  engines_.ParseRecord("100999\t12\tLast\t\t\t\t\t\t\t\t\t0");
  EngineDialog full = EngineDialog::ForNewEngine(engines_, {12, -1});
  EXPECT_EQ(full.Text(Field::kId), "");
  const std::size_t rows = engines_.size();
  EXPECT_EQ(full.Save(dispatcher_).message, string_id::kNoUserEngineIdLeft);
  EXPECT_EQ(engines_.size(), rows);
}

// A shop's search added from its page is filed in a user category the user
// picks: live ones outside the archive, and "追加した検索", made only by the
// save that passes its checks and offered as itself from then on.
TEST_F(EngineDialogTest, AddedSearchesGoInTheUserCategoryChosenMadeOnFirstUse) {
  struct Told : StoreObserver {
    void StoreChanged(const ChangeNotifier&, const StoreChange& change) override {
      parts += change.part == StoreChange::Part::kFolders ? "F" : "I";
    }
    std::string parts;
  } told;
  CategoryFolderTree folders(StoreType::kEngineList);
  for (const char* line :
       {"12\tDownloaded\t0", "100\tBooks\t0", "101\tOld\t0\t1", "150\tGone\t0"}) {
    folders.ParseFolderLine(line);
  }
  folders.Delete(static_cast<std::size_t>(folders.Find(150)));
  folders.changes().AddObserver(told);
  engines_.changes().AddObserver(told);
  const auto choices = [](const EngineDialog& dialog) {
    std::string text;
    for (const EngineDialog::CategoryChoice& choice : dialog.category_choices()) {
      text += std::to_string(choice.folder_id) + ":" + SjisToUtf8(choice.name) + " ";
    }
    return text + "@" + std::to_string(dialog.category_choice());
  };

  EngineDialogValues found;
  found.name = "Found";
  found.shortcut = "yo";  // Mine's
  EngineDialog dialog = EngineDialog::ForNewEngine(engines_, {12, 0}, found);
  dialog.OfferUserCategories(folders, 12);
  EXPECT_EQ(choices(dialog), "100:Books -1:追加した検索 @1");
  EXPECT_TRUE(SjisToUtf8(dialog.Describe()).ends_with(" カテゴリ[追加した検索]"));
  EXPECT_EQ(dialog.Save(dispatcher_).message, 1016);
  EXPECT_EQ(folders.size(), 4u);
  dialog.SetText(Field::kShortcut, "fo");
  const auto saved = dialog.Save(dispatcher_);
  ASSERT_EQ(saved.message, 0);
  EXPECT_EQ(SjisToUtf8(folders.FormatFolderLine(4)), "151\t追加した検索\t0");
  // In the new category, not beside engine 0 of category 12.
  const auto row = static_cast<std::size_t>(saved.row);
  EXPECT_EQ(engines_.folder_id(row), 151);
  EXPECT_EQ(engines_.order(row), EngineList::kCreatedInFolderOrder);
  EXPECT_EQ(told.parts, "FI");

  EngineDialog next = EngineDialog::ForNewEngine(engines_, {100, 1}, found);
  next.OfferUserCategories(folders, 100);
  EXPECT_EQ(choices(next), "100:Books 151:追加した検索 @0");
  EXPECT_FALSE(next.SetCategoryChoice(2));
  next.OfferUserCategories(folders, -1);
  EXPECT_EQ(choices(next), "100:Books 151:追加した検索 @1");

  // No category ID left: the categories there are, and no new one.
  CategoryFolderTree full(StoreType::kEngineList);
  full.ParseFolderLine("100\tBooks\t0");
  full.ParseFolderLine("199\tLast\t0");
  next.OfferUserCategories(full, -1);
  EXPECT_EQ(choices(next), "100:Books 199:Last @0");
}

}  // namespace
}  // namespace tolvane
