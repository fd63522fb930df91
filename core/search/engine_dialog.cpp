#include "core/search/engine_dialog.h"

#include "core/commands/command_dispatcher.h"
#include "core/commands/shortcut_text.h"
#include "core/files/record_fields.h"
#include "core/files/string_table.h"
#include "core/stores/category_folder_tree.h"
#include "core/text/cp932_tables.h"

namespace tolvane {
namespace {

using Field = EngineDialog::Field;

std::string Clean(std::string_view text) { return std::string(TrimField(FieldSafe(text))); }

// The text without its last character, double-byte characters kept whole.
std::string WithoutLastCharacter(std::string_view text) {
  std::size_t last = 0;
  for (std::size_t i = 0; i < text.size(); i += cp932::IsDoubleByteAt(text, i) ? 2 : 1) last = i;
  return std::string(text.substr(0, last));
}

template <typename Values>
auto TextColumn(Values& values, Field field) -> decltype(&values.name) {
  switch (field) {
    case Field::kName:
      return &values.name;
    case Field::kTabName:
      return &values.tab_name;
    case Field::kShortName:
      return &values.short_name;
    case Field::kUrl:
      return &values.url;
    case Field::kSearchUrl:
      return &values.search_url;
    case Field::kPostData:
      return &values.post_data;
    case Field::kGesture:
      return &values.gesture;
    case Field::kShortcut:
      return &values.shortcut;
    default:
      return nullptr;
  }
}

}  // namespace

EngineDialog::EngineDialog(EngineList& list, int row, bool creating)
    : list_(&list), row_(row), creating_(creating) {}

EngineDialog EngineDialog::ForRow(EngineList& list, std::size_t row) {
  EngineDialog dialog(list, static_cast<int>(row), false);
  EngineDialogValues& v = dialog.values_;
  v.name = list.name(row);
  v.tab_name = list.tab_name(row);
  v.short_name = list.short_name(row);
  v.url = list.url(row);
  v.search_url = list.search_url(row);
  v.post_data = list.post_data(row);
  v.encoding = list.encoding(row);
  v.gesture = list.gesture(row);
  v.shortcut = list.shortcut(row);
  v.on_search_bar = list.on_search_bar(row);
  v.icon_index = list.icon_index(row);
  return dialog;
}

EngineDialog EngineDialog::ForTab(EngineList& tabs, int row, const EngineDialogValues& values) {
  EngineDialog dialog(tabs, row, false);
  dialog.values_ = values;
  dialog.writes_row_ = false;
  return dialog;
}

EngineDialog EngineDialog::ForNewEngine(EngineList& engines, const EngineCreationPlace& place,
                                        const EngineDialogValues& initial) {
  EngineDialog dialog(engines, -1, true);
  dialog.place_ = place;
  dialog.values_ = initial;
  for (Field field : {Field::kName, Field::kTabName, Field::kShortName, Field::kUrl,
                      Field::kSearchUrl, Field::kPostData, Field::kGesture, Field::kShortcut}) {
    std::string* column = TextColumn(dialog.values_, field);
    *column = Clean(*column);
  }
  return dialog;
}

int EngineDialog::TitleStringId() const {
  return creating_ ? string_id::kNewEngineTitle : string_id::kEngineDialogTitle;
}

bool EngineDialog::TextFieldsEditable() const {
  return creating_ || list_->type() == StoreType::kTabs || row_ < 0 ||
         list_->IsUserEngine(static_cast<std::size_t>(row_));
}

bool EngineDialog::Editable(Field field) const {
  switch (field) {
    case Field::kIcon:
      return list_->type() == StoreType::kTabs;
    case Field::kId:
      return false;
    case Field::kGesture:
    case Field::kShortcut:
    case Field::kOnSearchBar:
      return true;
    default:
      return TextFieldsEditable();
  }
}

std::string EngineDialog::Label(Field field) {
  return LoadString(string_id::kEngineFieldLabelBase + static_cast<int>(field));
}

std::string EngineDialog::IconChoiceText(int choice) {
  if (choice == 0) return LoadString(string_id::kAutomaticIcon);
  return choice > 0 && choice < kIconChoices ? std::to_string(choice) : std::string();
}

std::string EngineDialog::EncodingChoiceText(int choice) {
  if (choice < 0 || choice >= kEncodingChoices) return {};
  return LoadString(string_id::kEncodingNone + choice);
}

std::string EngineDialog::Text(Field field) const {
  switch (field) {
    case Field::kIcon:
      return std::to_string(values_.icon_index);
    case Field::kId: {
      if (row_ >= 0) return std::to_string(list_->id(static_cast<std::size_t>(row_)));
      const auto id = list_->NextId();
      return id ? std::to_string(*id) : std::string();
    }
    case Field::kEncoding:
      return std::to_string(values_.encoding);
    case Field::kOnSearchBar:
      return values_.on_search_bar ? "1" : "0";
    default:
      return *TextColumn(values_, field);
  }
}

bool EngineDialog::SetText(Field field, std::string_view text) {
  if (!Editable(field)) return false;
  if (field == Field::kGesture && !gesture_typing_) return false;
  std::string* column = TextColumn(values_, field);
  if (column == nullptr) return false;
  *column = Clean(text);
  return true;
}

bool EngineDialog::SetIconChoice(int choice) {
  if (!Editable(Field::kIcon) || choice < 0 || choice >= kIconChoices) return false;
  values_.icon_index = choice;
  return true;
}

bool EngineDialog::SetEncodingChoice(int choice) {
  if (!Editable(Field::kEncoding) || choice < 0 || choice >= kEncodingChoices) return false;
  values_.encoding = choice;
  return true;
}

void EngineDialog::PressGestureButton(GestureButton button) {
  std::string& gesture = values_.gesture;
  switch (button) {
    case GestureButton::kUp:
    case GestureButton::kDown:
    case GestureButton::kLeft:
    case GestureButton::kRight: {
      const auto arrow = Arrow(static_cast<Direction>(static_cast<int>(button)));
      if (!EndsWithTwo(gesture, arrow)) gesture += arrow;
      break;
    }
    case GestureButton::kSeparator:
      if (!gesture.empty() && !gesture.ends_with(',')) gesture += ',';
      break;
    case GestureButton::kDelete:
      gesture = WithoutLastCharacter(gesture);
      break;
    case GestureButton::kClear:
      gesture.clear();
      break;
    case GestureButton::kDirectInput:
      gesture_typing_ = true;
      break;
  }
}

EngineDialog::SaveResult EngineDialog::Save(const CommandDispatcher& dispatcher) {
  const Owner self{list_->type() == StoreType::kTabs ? OwnerType::kTab : OwnerType::kEngine, row_};
  if (auto check = dispatcher.CheckItem(self, values_.shortcut, values_.gesture); check.message) {
    return {check.message, -1, std::move(check.text)};
  }
  if (!writes_row_) return {0, row_, {}};
  if (creating_) {
    const std::optional<EngineCreationPlace> place = list_->NextId() ? ChosenPlace() : std::nullopt;
    const auto row = place ? list_->CreateUserEngine(values_, *place) : std::nullopt;
    if (!row) {
      return {string_id::kNoUserEngineIdLeft, -1, LoadString(string_id::kNoUserEngineIdLeft)};
    }
    return {0, *row, {}};
  }
  const auto row = static_cast<std::size_t>(row_);
  if (TextFieldsEditable()) {
    list_->set_name(row, values_.name);
    list_->set_tab_name(row, values_.tab_name);
    list_->set_short_name(row, values_.short_name);
    list_->set_url(row, values_.url);
    list_->set_search_url(row, values_.search_url);
    list_->set_post_data(row, values_.post_data);
    list_->set_encoding(row, values_.encoding);
  }
  if (Editable(Field::kIcon)) list_->set_icon_index(row, values_.icon_index);
  list_->set_gesture(row, values_.gesture);
  list_->set_shortcut(row, values_.shortcut);
  list_->set_on_search_bar(row, values_.on_search_bar);
  list_->changes().Notify(StoreChange::Part::kItems);
  return {0, row_, {}};
}

void EngineDialog::OfferUserCategories(CategoryFolderTree& folders, int preferred_folder_id) {
  folders_ = &folders;
  category_choices_.clear();
  const std::string added = LoadString(string_id::kAddedSearchCategory);
  bool added_there = false;
  for (std::size_t i = 0; i < folders.size(); ++i) {
    if (folders.deleted(i) || !folders.IsUser(i) || folders.archived(i)) continue;
    category_choices_.push_back({folders.id(i), folders.DisplayName(i)});
    added_there = added_there || folders.name(i) == added;
  }
  if (!added_there && folders.NextId()) category_choices_.push_back({kNewCategory, added});
  category_choice_ = -1;
  for (std::size_t c = 0; c < category_choices_.size(); ++c) {
    const CategoryChoice& choice = category_choices_[c];
    if (choice.folder_id == preferred_folder_id) {
      category_choice_ = static_cast<int>(c);
      break;
    }
    if (choice.name == added && category_choice_ < 0) category_choice_ = static_cast<int>(c);
  }
  if (category_choice_ < 0 && !category_choices_.empty()) category_choice_ = 0;
}

bool EngineDialog::SetCategoryChoice(int index) {
  if (index < 0 || index >= static_cast<int>(category_choices_.size())) return false;
  category_choice_ = index;
  return true;
}

std::optional<EngineCreationPlace> EngineDialog::ChosenPlace() {
  if (category_choice_ < 0) return place_;
  const CategoryChoice& choice = category_choices_[static_cast<std::size_t>(category_choice_)];
  int folder_id = choice.folder_id;
  if (folder_id == kNewCategory) {
    const auto index = folders_->AddFolder(choice.name, CategoryFolderTree::kTopLevelId);
    if (!index) return std::nullopt;
    folder_id = folders_->id(static_cast<std::size_t>(*index));
    // A second save (after a refusal) files into the category made now.
    category_choices_[static_cast<std::size_t>(category_choice_)].folder_id = folder_id;
  }
  // Next to the selected engine only when it is in the category chosen.
  const int beside = place_.selected_engine;
  const bool keeps_engine = beside >= 0 && static_cast<std::size_t>(beside) < list_->size() &&
                            list_->EffectiveFolder(static_cast<std::size_t>(beside)) == folder_id;
  return EngineCreationPlace{folder_id, keeps_engine ? beside : -1};
}

std::string EngineDialog::Describe() const {
  std::string out;
  for (int f = 0; f < kFieldCount; ++f) {
    const auto field = static_cast<Field>(f);
    if (!out.empty()) out += ' ';
    out += Label(field);
    if (!Editable(field)) out += '*';
    out += '[' + Text(field) + ']';
  }
  if (category_choice_ >= 0) {
    out += ' ' + LoadString(string_id::kEngineCategoryLabel) + '[' +
           category_choices_[static_cast<std::size_t>(category_choice_)].name + ']';
  }
  return out;
}

}  // namespace tolvane
