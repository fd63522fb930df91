#include "core/frame/page_context_menu.h"

#include <gtest/gtest.h>

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
