#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "core/stores/engine_list.h"

namespace tolvane {

class CategoryFolderTree;
class CommandDispatcher;

// The engine properties dialog without its window: the values of one engine
// or tab row being edited, or of a user engine being created, which fields
// may change, the gesture buttons, the checks before saving and the save.
//
// Fields, top to bottom (Field order; labels are strings
// kEngineFieldLabelBase + field): アイコン (51 choices, the first "自動設定";
// tab rows only), ID (never editable), 名前, タブ名, 短縮名, URL, 検索文字列,
// PostData, URLエンコード ("0 - なし" … "3 - UTF-8"), マウスジェスチャ,
// ショートカット, 検索バーに表示する. A downloaded engine's six text fields
// and its encoding are read only; its gesture, shortcut and bar flag are not.
//
// Text is Shift_JIS. TAB and line breaks become spaces and the ends are
// trimmed as values are set, so what is saved reads back the same from the
// files. Setting a field that is read only changes nothing.
//
// Gesture field: built with the buttons; typing into it is allowed only
// after 直接入力. An arrow is appended unless the text already ends with
// that arrow twice; 区切り appends "," to a text that is not empty and does
// not end with one; 削除 removes the last character; クリア empties it.
class EngineDialog {
 public:
  enum class Field {
    kIcon,
    kId,
    kName,
    kTabName,
    kShortName,
    kUrl,
    kSearchUrl,
    kPostData,
    kEncoding,
    kGesture,
    kShortcut,
    kOnSearchBar,
  };
  static constexpr int kFieldCount = 12;
  static constexpr int kIconChoices = 51;
  static constexpr int kEncodingChoices = 4;

  enum class GestureButton { kUp, kDown, kLeft, kRight, kSeparator, kDelete, kClear, kDirectInput };

  // Editing row `row` of `list` (the engine list or the tab list).
  static EngineDialog ForRow(EngineList& list, std::size_t row);
  // A tab row's values (`row`, or -1 for a tab being created) edited for
  // the tab commands, which write them: Save only checks.
  static EngineDialog ForTab(EngineList& tabs, int row, const EngineDialogValues& values);
  // Creating a user engine at `place` of the search tree, starting from
  // `initial` (empty, or what a shop's search description gave).
  static EngineDialog ForNewEngine(EngineList& engines, const EngineCreationPlace& place,
                                   const EngineDialogValues& initial = {});

  // Title string: "検索エンジンの新規作成" when creating, else "基本設定".
  int TitleStringId() const;
  bool creating() const { return creating_; }
  bool Editable(Field field) const;

  static std::string Label(Field field);
  // "自動設定" for choice 0; the other icon choices are pictures only (their
  // image is choice + 66 in the tree's image list), shown with their number.
  static std::string IconChoiceText(int choice);
  static std::string EncodingChoiceText(int choice);

  // The value of a text field (a number for icon, ID and encoding; "1"/"0"
  // for the bar flag). The ID of a new engine is the next free one, empty
  // when none is left.
  std::string Text(Field field) const;
  // False (and nothing changed) for a read-only field, an unknown icon or
  // encoding choice, or typing into the gesture before 直接入力.
  bool SetText(Field field, std::string_view text);
  bool SetIconChoice(int choice);
  bool SetEncodingChoice(int choice);
  void SetOnSearchBar(bool on) { values_.on_search_bar = on; }

  const EngineDialogValues& values() const { return values_; }

  // A user category a new engine may be filed in. kNewCategory stands for
  // "追加した検索", made at the top level when the dialog saves.
  struct CategoryChoice {
    int folder_id = 0;
    std::string name;  // Shift_JIS
  };
  static constexpr int kNewCategory = -1;
  // Creating a shop's search from its page: the user picks the category
  // among the live user categories (100-199) of `folders` that are not in
  // the archive, "追加した検索" being offered as a new one unless a category
  // of that name is there or no category ID is left. The choice starts at
  // `preferred_folder_id` when offered, else at "追加した検索". Without any
  // choice the engine goes where the dialog's place says.
  void OfferUserCategories(CategoryFolderTree& folders, int preferred_folder_id);
  const std::vector<CategoryChoice>& category_choices() const { return category_choices_; }
  // Index into category_choices(); -1 when none is offered.
  int category_choice() const { return category_choice_; }
  bool SetCategoryChoice(int index);

  void PressGestureButton(GestureButton button);
  bool gesture_typing() const { return gesture_typing_; }

  // OK: checks the shortcut and gesture against every other owner
  // (`dispatcher`) and, when they pass, writes the values to the row or
  // creates the engine (a dialog ForTab only checks). Returns 0, or the string id of the message to
  // show with nothing written: 1014, 1016, 1017, or kNoUserEngineIdLeft.
  struct SaveResult {
    int message = 0;
    int row = -1;      // the row written or created
    std::string text;  // the message to show (Shift_JIS), with the owner of refused letters
  };
  SaveResult Save(const CommandDispatcher& dispatcher);

  // "ID*[100001] 名前[Shop] …" in field order, "*" marking read-only fields,
  // then "カテゴリ[name]" when categories are offered.
  std::string Describe() const;

 private:
  EngineDialog(EngineList& list, int row, bool creating);
  bool TextFieldsEditable() const;
  // The place of the engine being created in the category chosen, making
  // "追加した検索" when that was chosen; nullopt when no ID is left for it.
  std::optional<EngineCreationPlace> ChosenPlace();

  EngineList* list_;
  int row_;  // -1 when creating
  bool creating_;
  EngineCreationPlace place_;
  EngineDialogValues values_;
  bool writes_row_ = true;
  bool gesture_typing_ = false;
  CategoryFolderTree* folders_ = nullptr;
  std::vector<CategoryChoice> category_choices_;
  int category_choice_ = -1;
};

}  // namespace tolvane
