#include "core/browser/loading_queue.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/browser/page_host.h"
#include "core/files/setting_keys.h"
#include "support/page_world.h"

namespace tolvane {
namespace {

using Lines = std::vector<std::string>;
using Place = PagePlacement::Place;
using testing::PageWorld;

// "p0:L p1:W p2:D": each page with Waiting, Loading or Done.
std::string States(const std::vector<PageHost*>& pages, const PageWorld& world) {
  std::string out;
  for (const PageHost* page : pages) {
    if (!out.empty()) out += ' ';
    const char state = page->load_state() == LoadState::kWaiting   ? 'W'
                       : page->load_state() == LoadState::kLoading ? 'L'
                                                                   : 'D';
    out += world.Name(*page) + ':' + state;
  }
  return out;
}

// Only the navigations of the log, "p3" for "p3.Navigate http://p3/".
Lines Started(const Lines& log) {
  Lines out;
  for (const std::string& line : log) {
    if (const auto dot = line.find(".Navigate"); dot != std::string::npos) {
      out.push_back(line.substr(0, dot));
    }
  }
  return out;
}

class LoadingQueueTest : public ::testing::Test {
 protected:
  std::vector<PageHost*> Pages(const std::string& prefix, int n, int origin_kind = -1) {
    std::vector<PageHost*> pages;
    for (int i = 0; i < n; ++i) {
      const std::string name = prefix + std::to_string(i);
      pages.push_back(&world_.QueuedPage(name, "http://" + name + "/", origin_kind, i));
    }
    return pages;
  }
  void Finish(PageHost& page) {
    const std::string name = world_.Name(page);
    world_.Finish(page, "http://" + name + "/", name);
    world_.timers.RunPending();
  }

  PageWorld world_;
};

TEST_F(LoadingQueueTest, ParallelModeNeverRunsMoreThanMaxLoadingAndEndsAllLoaded) {
  world_.Set(settings::kLoadingMode, 2);
  world_.Set(settings::kLoadingMaxLoading, 3);
  world_.MakeQueue();
  std::vector<PageHost*> pages = Pages("p", 10);
  world_.Select(*pages[4]);
  world_.timers.RunPending();
  EXPECT_EQ(States(pages, world_), "p0:L p1:L p2:W p3:W p4:L p5:W p6:W p7:W p8:W p9:W");

  // Finish the newest load each time; a slot never stays empty while pages wait.
  std::size_t most = 0;
  for (int round = 0; round < 10; ++round) {
    std::size_t loading = 0;
    PageHost* newest = nullptr;
    for (PageHost* page : pages) {
      if (page->load_state() != LoadState::kLoading) continue;
      ++loading;
      newest = page;
    }
    most = std::max(most, loading);
    EXPECT_EQ(loading, std::min<std::size_t>(3, 10 - static_cast<std::size_t>(round)));
    ASSERT_NE(newest, nullptr);
    Finish(*newest);
  }
  EXPECT_EQ(most, 3u);
  EXPECT_EQ(States(pages, world_), "p0:D p1:D p2:D p3:D p4:D p5:D p6:D p7:D p8:D p9:D");
  EXPECT_EQ(Started(world_.TakeLog()),
            (Lines{"p4", "p0", "p1", "p2", "p3", "p5", "p6", "p7", "p8", "p9"}));
  EXPECT_EQ(world_.queue->size(), 0u);
  EXPECT_EQ(world_.history.items().CountLive(), 10u);
}

TEST_F(LoadingQueueTest, ModeZeroLoadsOnlyShownPages) {
  world_.Set(settings::kLoadingMode, 0);
  world_.MakeQueue();
  std::vector<PageHost*> pages = Pages("p", 5);
  world_.Select(*pages[0]);
  world_.timers.RunPending();
  Finish(*pages[0]);
  EXPECT_EQ(States(pages, world_), "p0:D p1:W p2:W p3:W p4:W");
  world_.Select(*pages[3]);
  world_.timers.RunPending();
  EXPECT_EQ(States(pages, world_), "p0:D p1:W p2:W p3:L p4:W");
  // Pages that wait hold no browser control.
  EXPECT_EQ(world_.control(*pages[1]), nullptr);
}

TEST_F(LoadingQueueTest, PrefetchOrderAndActiveCategoryOnly) {
  struct Case {
    int mode;
    int active_category_only;
    Lines order;
  };
  // Selected category s0 (shown), s1; other category o0; hidden group h0.
  const Case cases[] = {
      {1, 1, {"s0", "s1"}},
      {1, 0, {"s0", "s1", "o0", "h0"}},
      {0, 0, {"s0"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.mode) + "/" + std::to_string(c.active_category_only));
    PageWorld world;
    world.Set(settings::kLoadingMode, c.mode);
    world.Set(settings::kLoadingActiveCateOnly, c.active_category_only);
    world.MakeQueue();
    PageHost& h0 = world.QueuedPage("h0", "http://h0/");
    PageHost& o0 = world.QueuedPage("o0", "http://o0/");
    PageHost& s1 = world.QueuedPage("s1", "http://s1/");
    PageHost& s0 = world.QueuedPage("s0", "http://s0/");
    world.places[&h0] = Place::kHiddenGroup;
    world.places[&o0] = Place::kOtherCategory;
    world.Select(s0);
    world.timers.RunPending();
    for (PageHost* page : {&s0, &s1, &o0, &h0}) {
      if (page->load_state() == LoadState::kLoading) {
        world.Finish(*page, page->url(), "t");
        world.timers.RunPending();
      }
    }
    EXPECT_EQ(Started(world.TakeLog()), c.order);
  }
}

TEST_F(LoadingQueueTest, ArchivedOriginsLoadOnlyWhenShownWithoutHoldingOthersBack) {
  world_.Set(settings::kLoadingMode, 1);
  world_.MakeQueue();
  world_.archived.insert({NavigationRequest::kOriginEngineList, 0});
  world_.archived.insert({NavigationRequest::kOriginTabList, 1});
  // e0 (engine 0) and t1 (tab 1) lie in the archive folder; e1 and the
  // favorite f0 do not.
  PageHost& e0 = world_.QueuedPage("e0", "http://e0/", NavigationRequest::kOriginEngineList, 0);
  PageHost& t1 = world_.QueuedPage("t1", "http://t1/", NavigationRequest::kOriginTabList, 1);
  PageHost& e1 = world_.QueuedPage("e1", "http://e1/", NavigationRequest::kOriginEngineList, 1);
  PageHost& f0 = world_.QueuedPage("f0", "http://f0/", NavigationRequest::kOriginFavorite, 0);
  EXPECT_TRUE(world_.queue->no_prefetch(0));
  EXPECT_TRUE(world_.queue->no_prefetch(1));
  EXPECT_FALSE(world_.queue->no_prefetch(2));
  world_.timers.RunPending();
  Finish(e1);
  Finish(f0);
  EXPECT_EQ(States({&e0, &t1, &e1, &f0}, world_), "e0:W t1:W e1:D f0:D");
  world_.Select(t1);
  world_.timers.RunPending();
  EXPECT_EQ(States({&e0, &t1, &e1, &f0}, world_), "e0:W t1:L e1:D f0:D");
}

TEST_F(LoadingQueueTest, RequeuingKeepsThePlaceAndDestroyedPagesLeave) {
  world_.Set(settings::kLoadingMode, 0);
  world_.MakeQueue();
  std::vector<PageHost*> pages = Pages("p", 3);
  NavigationRequest again;
  again.url = "http://other/";
  pages[0]->QueueNavigation(again);
  ASSERT_EQ(world_.queue->size(), 3u);
  EXPECT_EQ(world_.queue->host(0), pages[0]);
  world_.Destroy(*pages[1]);
  ASSERT_EQ(world_.queue->size(), 2u);
  EXPECT_EQ(world_.queue->host(1), pages[2]);
}

TEST(LoadingQueueOptions, ReadDefaultsAndKeepTheCountInRange) {
  PageWorld world;
  CLoadingQueue::Options options = CLoadingQueue::Options::Read(world.settings);
  EXPECT_EQ(options.mode, 1);
  EXPECT_EQ(options.max_loading, 10);
  EXPECT_TRUE(options.active_category_only);
  world.Set(settings::kLoadingMaxLoading, 0);
  EXPECT_EQ(CLoadingQueue::Options::Read(world.settings).max_loading, 1);
  world.Set(settings::kLoadingMaxLoading, 500);
  EXPECT_EQ(CLoadingQueue::Options::Read(world.settings).max_loading, 99);
}

}  // namespace
}  // namespace tolvane
