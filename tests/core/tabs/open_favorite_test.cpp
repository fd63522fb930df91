#include "core/tabs/open_favorite.h"

#include <gtest/gtest.h>

#include "core/files/setting_keys.h"
#include "core/text/charset_converter.h"
#include "support/tab_area_parts.h"

namespace tolvane {
namespace {

class CountingObserver : public StoreObserver {
 public:
  void StoreChanged(const ChangeNotifier&, const StoreChange& change) override {
    if (change.part == StoreChange::Part::kItems) ++items;
  }
  int items = 0;
};

TEST(OpenFavoriteTest, OpensInTheCurrentCategoryAndCountsEachClick) {
  testing::TabAreaParts parts;
  ItemStore favorites{StoreType::kFavorites, parts.settings, parts.clock};
  favorites.ResetToDefaults();
  favorites.ParseItemLine("4\tShop\thttp://shop/\t0\t\t5");
  const int gone = favorites.ParseItemLine("5\tGone\thttp://gone/");
  favorites.items().MarkDeleted(static_cast<std::size_t>(gone));
  CountingObserver observer;
  favorites.changes().AddObserver(observer);
  TabArea area(parts.Services(), parts.view);

  // No category tab: nothing opens, nothing is counted.
  EXPECT_EQ(OpenFavorite(area, favorites, parts.settings, 0), -1);

  area.SelectCategoryTab(area.OpenCategoryTab(testing::SearchLists::kOne), false);
  Write(parts.settings, settings::kFavoriteNewPage, 0);
  EXPECT_EQ(OpenFavorite(area, favorites, parts.settings, 0), 0);
  testing::Settle(parts.timers, parts.controls);
  EXPECT_EQ(SjisToUtf8(area.Describe()), "[One*: Shop*]");
  Write(parts.settings, settings::kFavoriteNewPage, 1);
  EXPECT_EQ(OpenFavorite(area, favorites, parts.settings, 0), 1);
  testing::Settle(parts.timers, parts.controls);
  EXPECT_EQ(SjisToUtf8(area.Describe()), "[One*: Shop Shop*]");
  const PageHost& host = area.category(0).page(1).host();
  EXPECT_EQ(host.request().url, "http://shop/");
  EXPECT_EQ(host.request().origin_kind, OpenPageRequest::kOriginFavorites);
  EXPECT_EQ(host.request().origin_index, 0);

  // A deleted favorite or an index outside the list opens nothing.
  EXPECT_EQ(OpenFavorite(area, favorites, parts.settings, gone), -1);
  EXPECT_EQ(OpenFavorite(area, favorites, parts.settings, 9), -1);
  testing::Settle(parts.timers, parts.controls);
  EXPECT_EQ(SjisToUtf8(area.Describe()), "[One*: Shop Shop*]");

  EXPECT_EQ(favorites.items().count(0), 7);
  EXPECT_EQ(observer.items, 2);
  favorites.changes().RemoveObserver(observer);
}

}  // namespace
}  // namespace tolvane
