#include "core/frame/page_context_menu.h"

#include <gtest/gtest.h>

#include "core/stores/category_folder_tree.h"
#include "core/stores/engine_list.h"
#include "core/text/charset_converter.h"

namespace tolvane {
namespace {

TEST(PageContextMenuTest, EntriesFollowTheFocusAndTheSelection) {
  PageContextState state;
  state.category_name = Utf8ToSjis("本");
  EXPECT_EQ(DescribeContextMenu(PageContextMenuEntries(state)),
            "buttons | tree:検索エンジンを選択 | - | favorites:お気に入りバー | "
            "item:このページをお気に入りに追加:32799 | -");
  EXPECT_EQ(DescribeContextMenu({BatchSearchMenuEntry(state)}), "item:まとめて検索:32842:off");

  state.text_field_focused = true;
  state.selection = Utf8ToSjis("シャツ");
  state.category_tab_current = true;
  EXPECT_EQ(DescribeContextMenu(PageContextMenuEntries(state)),
            "keywords:キーワードの入力 | item:\"シャツ\"を本で検索:32943:off | buttons | "
            "tree:検索エンジンを指定して検索 | -");
  EXPECT_EQ(DescribeContextMenu({BatchSearchMenuEntry(state)}),
            "item:\"シャツ\"をまとめて検索:32842");

  state.text_field_focused = false;
  state.category_searches = true;
  EXPECT_EQ(DescribeContextMenu(PageContextMenuEntries(state)),
            "item:\"シャツ\"を本で検索:32943 | buttons | tree:検索エンジンを指定して検索 | -");
}

// The search bar's buttons as the menu lists them: built-ins by name, an
// engine or a tab on its row, a folder or a group as a submenu of its
// members; fifteen at most.
TEST(PageContextMenuTest, SearchBarButtonsAreListedAsTheBarHasThem) {
  CategoryFolderTree engine_folders{StoreType::kEngineList};
  CategoryFolderTree tab_groups{StoreType::kTabs};
  EngineList engines{StoreType::kEngineList};
  EngineList tabs{StoreType::kTabs};
  engines.ResetHighestId();
  tabs.ResetHighestId();
  engine_folders.ParseFolderLine("12\tBooks\t0\t0\t1\t1");
  engines.ParseRecord("1\t12\tA\t\t\thttp://a/\t\t\t\t\t\t3\t\t0\t1\t\t\t1");
  engines.ParseRecord("2\t12\tB\t\t\thttp://b/\t\t\t\t\t\t3\t\t0\t2");
  tab_groups.ParseFolderLine("1\tGroup\t0\t0\t1\t1");
  tabs.ParseRecord("8\t1\tTab\t\t\thttp://t/\t\t\t\t\t\t0\t\t0\t1\t\t\t1");
  const SearchBarButtons::Sources sources{engine_folders, engines, tab_groups, tabs};
  PageContextState state;
  state.selection = Utf8ToSjis("靴");
  state.category_tab_current = true;

  EXPECT_EQ(
      DescribeContextMenu(SearchBarButtonEntries(
          state, SearchBarButtons::Build("-2,EE1,-1,EF12,TF1,TE8,-4", false, sources), sources)),
      "item:ページ内を検索:32843 | item:A:34900@0 | item:\"靴\"をまとめて検索:32842 | "
      "submenu:Books[item:A:34900@0 | item:B:34900@1] | "
      "submenu:Group[item:Tab:34901@0] | item:Tab:34901@0 | "
      "item:まとめてカテゴリ検索:32942");
  std::string many = "-1";
  for (int i = 0; i < 20; ++i) many += ",-2";
  EXPECT_EQ(
      SearchBarButtonEntries(state, SearchBarButtons::Build(many, true, sources), sources).size(),
      kMaxBarButtons);
}

TEST(PageContextMenuTest, TheQuotedSelectionKeepsDoubleByteCharactersWhole) {
  EXPECT_EQ(QuotedSelection(std::string(30, 'a')), std::string(30, 'a'));
  EXPECT_EQ(QuotedSelection(std::string(31, 'a')), std::string(30, 'a') + "...");
  // 29 single bytes then a two-byte character: the character would end at
  // byte 31, so it is left out.
  const std::string text = std::string(29, 'a') + Utf8ToSjis("東");
  EXPECT_EQ(QuotedSelection(text), std::string(29, 'a') + "...");
  EXPECT_EQ(QuotedSelection(""), "");
}

}  // namespace
}  // namespace tolvane
