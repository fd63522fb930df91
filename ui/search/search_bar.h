#pragma once

#include <QToolBar>
#include <string>

#include "core/search/keyword_boxes.h"

class QAction;
class QComboBox;
class QToolButton;

namespace tolvane {

class ItemStore;
class SettingsStore;

// The search tool bar: the keyword box, the search button and the batch
// search button. It starts nothing itself; every search leaves as
// commandRequested with the command id, for the frame to run.
//
// The keyword box's drop-down is refilled from the keyword store each time
// it opens, so it never holds stale indices. The keyword crosses to core as
// typed beside its Shift_JIS form (Keyword), so no search rewrites what the
// user typed.
//
// It is also the core's pair of keyword boxes: the side bar's box is held
// here until the side bar has one of its own.
class CSearchBar : public QToolBar, public KeywordBoxes {
  Q_OBJECT

 public:
  static constexpr int kTabSearchCommand = 32943;    // "タブで検索"
  static constexpr int kBatchSearchCommand = 32842;  // "まとめて検索を実行"

  // `keywords` must outlive the bar.
  CSearchBar(SettingsStore& settings, const ItemStore& keywords, QWidget* parent = nullptr);

  // Re-reads ButtonIDs and KeywordWidth (at start-up and after the option
  // page was applied).
  void Rebuild();

  // The keyword as a search takes it (see NormaliseKeywordBoxText).
  Keyword ReadKeyword() const;
  // Replaces the box's text; the drop-down list stays.
  void WriteKeyword(const Keyword& keyword);
  void FocusKeywordBox();

  QComboBox* keyword_box() const { return keyword_box_; }
  const Keyword& side_bar_text() const { return side_bar_text_; }

  // KeywordBoxes
  void SetSearchBarText(const Keyword& keyword) override { WriteKeyword(keyword); }
  void SetSideBarText(const Keyword& keyword) override {
    side_bar_text_ = keyword;
    emit sideBarTextSet();
  }

 signals:
  void commandRequested(int id);
  // A search wrote side_bar_text(): the side bar's box shows it.
  void sideBarTextSet();

 private:
  void FillDropDown();
  void OnKeywordPicked();

  SettingsStore& settings_;
  const ItemStore& keywords_;
  QComboBox* keyword_box_ = nullptr;
  QToolButton* search_button_ = nullptr;
  QToolButton* batch_button_ = nullptr;
  QAction* batch_action_ = nullptr;
  Keyword side_bar_text_;
};

}  // namespace tolvane
