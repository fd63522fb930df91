#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace tolvane {

class ItemStore;
class SettingsStore;

// The item properties dialog without its window, the same for favorites,
// keywords and history: the values of one item being edited, the labels,
// the importance choices, the recent tags offered by the tag button, and
// OK.
//
// Fields, top to bottom: 重要度 ("指定なし", "重要度:1" … "重要度:5" =
// importance 0-5), 名前, URL, タグ, 登録日 and 更新日 (read only), the count
// under its store's label ("クリック回数", "検索回数", "表示回数"; read only)
// and the check box "%sバーに表示する" with the store word (the bar flag).
//
// The window is titled with the store word.
//
// OK checks the edit (CheckItemEdit: strings 1004 and 1013 keep the dialog
// open with nothing written), then writes what changed through the item
// list's setters (a changed title, URL, importance or tags stamps the
// updated date), enters each tag into the recent tags, makes tag folders
// for new tags as add-or-count does, and has the store announce its change.
// An OK that changes nothing leaves the item's dates as they were.
class ItemDialog {
 public:
  enum class Field { kImportance, kTitle, kUrl, kTags, kRegistered, kUpdated, kCount, kBarFlag };
  static constexpr int kImportanceChoices = 6;

  // Item `index` of `store`; the recent tags are kept in `settings`.
  ItemDialog(ItemStore& store, std::size_t index, SettingsStore& settings);

  std::string Label(Field field) const;
  // "お気に入り", "キーワード" or "履歴": the dialog's title.
  std::string StoreWord() const;
  static std::string ImportanceChoiceText(int choice);
  static std::string TagButtonText();
  static bool Editable(Field field);

  // The value of a field as the dialog shows it (a number for importance
  // and count, "1"/"0" for the bar flag). Text is Shift_JIS.
  std::string Text(Field field) const;
  int importance() const { return importance_; }
  bool bar_flag() const { return bar_flag_; }
  void SetTitle(std::string_view title) { title_ = title; }
  void SetUrl(std::string_view url) { url_ = url; }
  void SetTags(std::string_view tags) { tags_ = tags; }
  // False (nothing changed) for a choice outside 0-5.
  bool SetImportance(int choice);
  void SetBarFlag(bool on) { bar_flag_ = on; }

  // The tag button's menu: the recent tags, most recent first.
  std::vector<std::string> RecentTagList() const;
  // A tag chosen from that menu goes after the tags typed so far, unless
  // they hold it already.
  void AppendTag(std::string_view tag);

  // OK. Returns 0 when the item was written, else the id of the message to
  // show while the dialog stays open.
  int Save();

  // "重要度[3] 名前[…] URL[…] タグ[…] 登録日*[…] 更新日*[…] クリック回数*[2]
  // お気に入りバーに表示する[1]" in field order, "*" marking read-only fields.
  std::string Describe() const;

 private:
  ItemStore& store_;
  std::size_t index_;
  SettingsStore& settings_;
  int importance_;
  std::string title_;
  std::string url_;
  std::string tags_;
  bool bar_flag_;
};

}  // namespace tolvane
