#include "core/browser/page_host.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/files/setting_keys.h"
#include "core/files/string_table.h"
#include "core/text/charset_converter.h"
#include "support/page_world.h"

namespace tolvane {
namespace {

using Lines = std::vector<std::string>;
using testing::PageWorld;

std::string S(const char* utf8) { return Utf8ToSjis(utf8); }

// History rows as "title url count".
Lines HistoryRows(const ItemStore& history) {
  Lines rows;
  const ItemList& items = history.items();
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (items.deleted(i)) continue;
    rows.push_back(SjisToUtf8(items.title(i)) + " " + items.url(i) + " " +
                   std::to_string(items.count(i)));
  }
  return rows;
}

class PageHostTest : public ::testing::Test {
 protected:
  // One shown page "a" that has loaded http://a/ with nothing else queued.
  static PageHost& LoadedPage(PageWorld& world) {
    world.MakeQueue();
    PageHost& a = world.QueuedPage("a", "http://a/");
    world.Select(a);
    world.timers.RunPending();
    world.Finish(a, "http://a/", "A");
    world.TakeLog();
    return a;
  }
  PageHost& LoadedPage() { return LoadedPage(world_); }

  // The engine loads an opened window into the reply's control.
  NewWindowReply NewWindow(PageHost& page, const std::string& url, bool modifier = false) {
    const NewWindowReply reply = page.OnNewWindow({url, modifier});
    if (reply.target != nullptr)
      static_cast<testing::FakeBrowserControl*>(reply.target)->busy = true;
    return reply;
  }
  static NavigationInfo Link(const std::string& url) {
    NavigationInfo info;
    info.url = url;
    return info;
  }

  PageWorld world_;
};

TEST_F(PageHostTest, QueuedPageLoadsOnlyWhenStartedAndIsRecordedOnce) {
  world_.MakeQueue();
  PageHost& a = world_.QueuedPage("a", "http://a/?q=%93%8C");
  EXPECT_EQ(a.load_state(), LoadState::kWaiting);
  EXPECT_EQ(a.icon(), TabIcon::kWaiting);
  EXPECT_EQ(world_.TakeLog(), Lines{});  // waiting costs nothing: no control yet

  world_.Select(a);
  world_.timers.RunPending();
  EXPECT_EQ(a.load_state(), LoadState::kLoading);
  EXPECT_EQ(SjisToUtf8(a.title()), "読み込み中です．．．");
  world_.timers.Advance(300);  // still busy: nothing ends
  world_.control(a)->events().OnProgressChange(50, 200);
  world_.Finish(a, "http://a/?q=%93%8C", S("東京 - Shop"));
  // A later title change re-runs the poll but is no new visit.
  world_.control(a)->events().OnTitleChange(S("東京 - Shop (2)"));
  world_.timers.Advance(100);

  EXPECT_EQ(world_.TakeLog(), (Lines{
                                  "a: frame a http://a/?q=%93%8C",
                                  "a: status \"待機中です．．．\"",
                                  "a: control made",
                                  "a.Show",
                                  "a.Navigate http://a/?q=%93%8C",
                                  "a: status \"\" loading 0%",
                                  "a: status \"\" loading 25%",
                                  "a: status \"\"",
                                  "a: load ended new 東京 - Shop",
                                  "a: load ended 東京 - Shop (2)",
                              }));
  EXPECT_EQ(a.load_state(), LoadState::kLoaded);
  EXPECT_EQ(a.icon(), TabIcon::kPage);
  EXPECT_EQ(world_.queue->size(), 0u);
  EXPECT_EQ(HistoryRows(world_.history), Lines{"東京 - Shop http://a/?q=%93%8C 1"});
  EXPECT_EQ(a.history_id(), 1);
}

TEST_F(PageHostTest, TitleRules) {
  struct Case {
    const char* name;
    std::string final_url;
    std::string engine_title;
    std::vector<std::string> title_changes;
    std::string expected_title;
    bool recorded;
  };
  const std::string long_title = std::string(999, 'x') + S("東") + "tail";  // 1005 bytes
  const Case cases[] = {
      {"engine title", "http://a/", "Engine", {}, "Engine", true},
      {"title event wins", "http://a/", "Engine", {"Event"}, "Event", true},
      {"blank page", "about:blank", "", {}, "空白", false},
      {"blank title event", "http://a/", "", {"about:blank"}, "空白", true},
      {"cut whole", "http://a/", "", {long_title}, std::string(999, 'x'), true},
      // A page may call itself what the loading caption says; it stays.
      {"own title like the loading one",
       "http://a/",
       "Engine",
       {S("読み込み中です．．．")},
       "読み込み中です．．．",
       true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    PageWorld world;
    world.MakeQueue();
    PageHost& page = world.QueuedPage("p", "http://a/");
    world.Select(page);
    for (const std::string& title : c.title_changes)
      world.control(page)->events().OnTitleChange(title);
    world.control(page)->Finish(c.final_url, c.engine_title);
    world.timers.Advance(PageHost::kPollMs);
    EXPECT_EQ(SjisToUtf8(page.title()), c.expected_title);
    EXPECT_EQ(world.history.items().CountLive(), c.recorded ? 1u : 0u);
  }
}

TEST_F(PageHostTest, BlankPageNeverWaits) {
  world_.MakeQueue();
  PageHost& page = world_.QueuedPage("p", "about:blank");
  EXPECT_EQ(page.load_state(), LoadState::kLoading);
  EXPECT_EQ(world_.queue->size(), 0u);
  world_.Finish(page, "about:blank", "about:blank");
  EXPECT_EQ(world_.TakeLog(),
            (Lines{"p: control made", "p.Navigate about:blank", "p: load ended 空白"}));
  EXPECT_EQ(world_.history.items().CountLive(), 0u);
}

TEST_F(PageHostTest, TimeoutStopsTheLoadFreesTheSlotAndSays157) {
  world_.Set(settings::kLoadingTimeout, 1);
  world_.MakeQueue();
  PageHost& a = world_.QueuedPage("a", "http://a/");
  PageHost& b = world_.QueuedPage("b", "http://b/");
  world_.Select(a);
  world_.timers.RunPending();
  world_.TakeLog();

  world_.timers.Advance(999);
  EXPECT_EQ(a.load_state(), LoadState::kLoading);
  world_.timers.Advance(1);
  world_.timers.RunPending();
  EXPECT_EQ(world_.TakeLog(), (Lines{
                                  "a.Stop",
                                  "a: status \"\"",
                                  "a: load ended ",
                                  "a: status \"表示がタイムアウトしました。\"",
                                  "b: control made",
                                  "b.Navigate http://b/",
                              }));
  EXPECT_EQ(a.load_state(), LoadState::kLoaded);
  EXPECT_EQ(b.load_state(), LoadState::kLoading);
  EXPECT_EQ(world_.history.items().CountLive(), 0u);
}

TEST_F(PageHostTest, EngineReportEndsTheLoadAtOnceAndThePollIsTheFallback) {
  world_.MakeQueue();
  PageHost& a = world_.QueuedPage("a", "http://a/");
  PageHost& b = world_.QueuedPage("b", "http://b/");
  PageHost& c = world_.QueuedPage("c", "http://c/");
  world_.Select(a);
  world_.timers.RunPending();
  world_.TakeLog();

  // Reported: ended now, and the queue's next pass starts b in the same turn.
  world_.Report(a, "http://a/", "A");
  world_.timers.RunPending();
  EXPECT_EQ(world_.timers.now(), 0);
  EXPECT_EQ(world_.TakeLog(), (Lines{
                                  "a: status \"\"",
                                  "a: load ended new A",
                                  "b: control made",
                                  "b.Navigate http://b/",
                              }));
  // A late poll or a repeated report of the same load changes nothing.
  world_.timers.Advance(PageHost::kPollMs);
  world_.control(a)->events().OnLoadFinished({});
  EXPECT_EQ(world_.TakeLog(), Lines{});

  // A report of an earlier load while the next is already asked for
  // (the engine still busy) ends nothing; the poll ends b when the engine
  // goes quiet without a report.
  world_.control(b)->events().OnLoadFinished({LoadOutcome::Kind::kStopped, 0, ""});
  EXPECT_EQ(b.load_state(), LoadState::kLoading);
  world_.Finish(b, "http://b/", "B");
  world_.timers.RunPending();
  EXPECT_EQ(world_.TakeLog(), (Lines{
                                  "b: load ended new B",
                                  "c: control made",
                                  "c.Navigate http://c/",
                              }));
  EXPECT_EQ(HistoryRows(world_.history), (Lines{"A http://a/ 1", "B http://b/ 1"}));
  EXPECT_EQ(c.load_state(), LoadState::kLoading);
}

TEST_F(PageHostTest, FailedLoadShowsItsStateAndIsNoVisit) {
  world_.Set(settings::kLinkMode, 1);
  PageHost& a = LoadedPage();
  world_.TakeLog();
  const auto state = [&] {
    return std::string(1, "WLD"[static_cast<int>(a.load_state())]) + (a.failed() ? " failed" : "") +
           (a.icon() == TabIcon::kFailed ? " icon=failed" : "") + " \"" +
           SjisToUtf8(a.status_text()) +
           "\" history=" + std::to_string(world_.history.items().CountLive());
  };

  // A link into a server error page: the page shows, but it is no visit.
  world_.control(a)->events().OnUserAction();
  EXPECT_FALSE(a.OnBeforeNavigate(Link("http://a/missing")));
  world_.Report(a, "http://a/missing", "Not Found", {LoadOutcome::Kind::kFailed, 404, ""});
  EXPECT_EQ(state(), "D failed icon=failed \"ページを表示できませんでした。(HTTP 404)\" history=1");
  // The error page's late title change re-runs the poll: still no visit.
  world_.control(a)->events().OnTitleChange("404");
  world_.timers.Advance(PageHost::kPollMs);
  EXPECT_EQ(state(), "D failed icon=failed \"ページを表示できませんでした。(HTTP 404)\" history=1");

  // No answer at all, with the failed state on the status bar too.
  a.Refresh();
  EXPECT_EQ(state(), "L \"\" history=1");
  const LoadOutcome refused{LoadOutcome::Kind::kFailed, 0, "net::ERR_CONNECTION_REFUSED"};
  world_.Report(a, "https://a/missing", "", refused);
  EXPECT_EQ(a.StatusValues().text,
            Utf8ToSjis("ページを表示できませんでした。(net::ERR_CONNECTION_REFUSED)"));
  // An https address that never answered is no secure page.
  EXPECT_FALSE(a.StatusValues().secure);
  EXPECT_EQ(a.StatusValues().status_icon, 0);

  // The next load that succeeds is a visit with the page's own icon again.
  a.Refresh();
  world_.Report(a, "http://a/missing", "Found");
  EXPECT_EQ(state(), "D \"\" history=2");
  EXPECT_EQ(a.icon(), TabIcon::kPage);
  EXPECT_EQ(world_.TakeLog(),
            (Lines{
                "a: status \"\" loading 0%",
                "a: status \"ページを表示できませんでした。(HTTP 404)\"",
                "a: load ended Not Found",
                "a: load ended 404",
                "a.Reload",
                "a: status \"\" loading 0%",
                "a: status \"ページを表示できませんでした。(net::ERR_CONNECTION_REFUSED)\"",
                "a: load ended ",
                "a.Reload",
                "a: status \"\" icon=11 loading 0%",
                "a: status \"\"",
                "a: load ended new Found",
            }));
}

TEST_F(PageHostTest, RefusedNavigationEndsAtOnceKeepingTheAddress) {
  world_.MakeQueue();
  PageHost& a = world_.QueuedPage("a", "http://a/");
  world_.refuse_navigate = true;
  world_.Select(a);
  EXPECT_EQ(a.load_state(), LoadState::kLoaded);
  EXPECT_EQ(a.url(), "http://a/");
  EXPECT_EQ(world_.queue->size(), 0u);
}

TEST_F(PageHostTest, PopupsNeedAUserActionWhileBlockingIsOn) {
  PageHost& a = LoadedPage();
  EXPECT_EQ(NewWindow(a, "http://ad/").action, NewWindowReply::Action::kBlock);
  world_.control(a)->events().OnUserAction();  // the engine's view saw a click
  world_.timers.Advance(PopupGate::kUserActionMs - 1);
  const NewWindowReply allowed = NewWindow(a, "http://shop/item");
  ASSERT_EQ(allowed.action, NewWindowReply::Action::kOpenIn);
  EXPECT_EQ(allowed.target, world_.control(*world_.Find("tab1")));
  world_.timers.Advance(1);  // the click is too old now
  EXPECT_EQ(NewWindow(a, "http://ad/").action, NewWindowReply::Action::kBlock);
  EXPECT_EQ(a.blocked_count(), 2);
  EXPECT_TRUE(a.CanShowBlockedPopups());

  // "Show blocked pop-ups" reloads with pop-ups allowed until that load ends.
  a.ShowBlockedPopups();
  EXPECT_EQ(a.blocked_count(), 0);
  EXPECT_EQ(NewWindow(a, "http://ad/").action, NewWindowReply::Action::kOpenIn);
  world_.Finish(a, "http://a/", "A");
  EXPECT_EQ(NewWindow(a, "http://ad/").action, NewWindowReply::Action::kBlock);

  // Allowed on this page until toggled off again.
  a.TogglePopupsAllowed();
  world_.timers.Advance(1000);
  EXPECT_TRUE(a.PopupsAllowed());
  EXPECT_EQ(NewWindow(a, "http://ad/").action, NewWindowReply::Action::kOpenIn);
  a.TogglePopupsAllowed();
  EXPECT_EQ(NewWindow(a, "http://ad/").action, NewWindowReply::Action::kBlock);

  EXPECT_EQ(world_.TakeLog(), (Lines{
                                  "a: status \"ポップアップをブロックしました。\" blocked=1",
                                  "a: open tab1 blank",
                                  "tab1: control made",
                                  "a: status \"ポップアップをブロックしました。\" blocked=2",
                                  "a.Reload",
                                  "a: status \"\" loading 0%",
                                  "a: open tab2 blank",
                                  "tab2: control made",
                                  "a: status \"\"",
                                  "a: load ended new A",
                                  "a: status \"ポップアップをブロックしました。\" blocked=1",
                                  "a: open tab3 blank",
                                  "tab3: control made",
                                  "a: status \"ポップアップをブロックしました。\" blocked=2",
                              }));

  // With blocking off nothing needs a click.
  PageHost::TogglePopupBlockSetting(world_.settings);
  EXPECT_EQ(NewWindow(a, "http://ad/").action, NewWindowReply::Action::kOpenIn);
}

TEST_F(PageHostTest, NewWindowsFollowTheLinkMode) {
  struct Case {
    int link_mode;
    bool clipped;
    bool modifier;
    const char* expected;  // where the window's content goes
  };
  const Case cases[] = {
      {0, false, false, "tab1"}, {1, false, false, "catcher"}, {2, false, false, "tab1"},
      {1, true, false, "tab1"},  {1, false, true, "tab1"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.link_mode) + (c.clipped ? " clipped" : "") +
                 (c.modifier ? " modifier" : ""));
    PageWorld world;
    world.Set(c.clipped ? settings::kPageClipLink : settings::kLinkMode, c.link_mode);
    PageHost& a = LoadedPage(world);
    if (c.clipped) world.clipped.insert(&a);
    // A modifier click needs no gate: the engine reports the click itself.
    if (!c.modifier) a.OnUserAction();
    const NewWindowReply reply = a.OnNewWindow({"http://b/", c.modifier});
    ASSERT_EQ(reply.action, NewWindowReply::Action::kOpenIn);
    auto* target = static_cast<testing::FakeBrowserControl*>(reply.target);
    EXPECT_EQ(target->name(), c.expected);
  }
}

TEST_F(PageHostTest, CatcherSendsThePopupsAddressIntoTheSameTab) {
  world_.Set(settings::kLinkMode, 1);
  PageHost& a = LoadedPage();
  a.OnUserAction();
  const NewWindowReply reply = NewWindow(a, "");
  ASSERT_EQ(reply.target, world_.catcher_control());
  NavigationInfo popup = Link("http://shop/popup?id=1");
  popup.post_body = "x=1";
  EXPECT_TRUE(world_.catcher_control()->events().OnBeforeNavigate(popup));  // cancelled there
  EXPECT_EQ(world_.TakeLog(), (Lines{
                                  "catcher control made",
                                  "a: status \"\" loading 0%",
                                  "a.Navigate http://shop/popup?id=1 post=x=1",
                              }));
  EXPECT_EQ(a.url(), "http://shop/popup?id=1");  // the "?" is kept
  EXPECT_EQ(a.load_state(), LoadState::kLoading);

  // A page that goes away is forgotten by the catcher.
  world_.Destroy(a);
  world_.TakeLog();
  EXPECT_TRUE(world_.catcher_control()->events().OnBeforeNavigate(Link("http://late/")));
  EXPECT_EQ(world_.TakeLog(), Lines{});
}

TEST_F(PageHostTest, LinkClicksFollowTheLinkModeAndModifiers) {
  struct Case {
    int link_mode;
    bool modifier;
    bool travel;
    bool replayable;
    bool new_tab;
  };
  const Case cases[] = {
      {0, false, false, true, true},   {1, false, false, true, false},
      {2, false, false, true, false},  {2, true, false, true, true},
      {1, true, false, true, true},    {0, false, true, true, false},  // back stays in the tab
      {0, false, false, false, false},  // a form the engine cannot repeat stays
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.link_mode) + (c.modifier ? " modifier" : "") +
                 (c.travel ? " travel" : "") + (c.replayable ? "" : " form"));
    PageWorld world;
    world.Set(settings::kLinkMode, c.link_mode);
    PageHost& a = LoadedPage(world);
    world.control(a)->can_go_back = true;

    NavigationInfo info = Link("http://b/");
    info.new_tab_modifier = c.modifier;
    info.replayable = c.replayable;
    if (c.travel) {
      a.GoBack();
      info.kind = NavigationKind::kBackForward;
    } else {
      a.OnUserAction();
    }
    const bool cancelled = a.OnBeforeNavigate(info);
    EXPECT_EQ(cancelled, c.new_tab);
    Lines expected;
    if (c.travel) expected.push_back("a.GoBack");
    if (c.new_tab) {
      expected.push_back("a: open tab1 http://b/");
      EXPECT_EQ(a.load_state(), LoadState::kLoaded);
      EXPECT_EQ(world.Find("tab1")->load_state(), LoadState::kWaiting);
    } else {
      expected.push_back("a: status \"\" loading 0%");
      EXPECT_EQ(a.url(), "http://b/");
      EXPECT_EQ(a.load_state(), LoadState::kLoading);
    }
    EXPECT_EQ(world.TakeLog(), expected);
  }
}

TEST_F(PageHostTest, AutomaticNavigationsAndOtherSchemesAreLeftAlone) {
  world_.Set(settings::kLinkMode, 0);
  PageHost& a = LoadedPage();
  // No user action: a script or redirect goes ahead in place, unbooked.
  EXPECT_FALSE(a.OnBeforeNavigate(Link("http://elsewhere/")));
  // Other schemes never open tabs, even right after a click.
  a.OnUserAction();
  EXPECT_FALSE(a.OnBeforeNavigate(Link("mailto:shop@example.jp")));
  EXPECT_EQ(NewWindow(a, "mailto:shop@example.jp").action, NewWindowReply::Action::kBlock);
  // The gate is still open for the real link; a drive path counts as web.
  EXPECT_TRUE(a.OnBeforeNavigate(Link("c:\\shop\\list.html")));
  EXPECT_EQ(world_.TakeLog(), (Lines{"a: open tab1 c:\\shop\\list.html"}));
  EXPECT_EQ(a.blocked_count(), 0);
  EXPECT_EQ(a.url(), "http://a/");

  // The program's own loads and reloads are never taken for clicks.
  a.TogglePopupsAllowed();
  NavigationInfo own = Link("http://a/");
  own.kind = NavigationKind::kReload;
  EXPECT_FALSE(a.OnBeforeNavigate(own));
  EXPECT_EQ(world_.TakeLog(), Lines{});
}

TEST_F(PageHostTest, UrlFilter) {
  EXPECT_TRUE(PageHost::IsWebUrl("http://a/"));
  EXPECT_TRUE(PageHost::IsWebUrl("HTTPS://a/"));
  EXPECT_TRUE(PageHost::IsWebUrl("shop.html"));
  EXPECT_TRUE(PageHost::IsWebUrl("c:\\x"));
  EXPECT_TRUE(PageHost::IsWebUrl(":x"));
  EXPECT_FALSE(PageHost::IsWebUrl("mailto:a@b"));
  EXPECT_FALSE(PageHost::IsWebUrl("about:blank"));
  EXPECT_FALSE(PageHost::IsWebUrl("javascript:void(0)"));
}

TEST_F(PageHostTest, ScriptClosingTheWindowClosesTheTabOnceWhenIdle) {
  PageHost& a = LoadedPage();
  a.OnWindowCloseRequested();
  a.OnWindowCloseRequested();
  EXPECT_EQ(world_.TakeLog(), Lines{});
  world_.timers.RunPending();
  EXPECT_EQ(world_.TakeLog(), Lines{"a: close tab"});
  world_.Destroy(a);
  EXPECT_EQ(world_.TakeLog(),
            (Lines{"closed page http://a/ A", "a.Stop", "a.Hide", "a: frame cleared"}));
}

TEST_F(PageHostTest, RequeuingALoadingPageStopsTheOldLoad) {
  world_.MakeQueue();
  PageHost& a = world_.QueuedPage("a", "http://a/");
  world_.Select(a);
  world_.timers.RunPending();
  ASSERT_EQ(a.load_state(), LoadState::kLoading);
  world_.TakeLog();

  // A new search into the shown page while it still loads.
  NavigationRequest again;
  again.url = "http://a2/";
  again.title = "a2";
  a.QueueNavigation(again);
  world_.control(a)->events().OnTitleChange("old page");  // late event of the old load
  EXPECT_EQ(a.title(), "a2");
  EXPECT_EQ(a.load_state(), LoadState::kWaiting);
  world_.timers.Advance(PageHost::kPollMs);
  EXPECT_EQ(world_.TakeLog(), (Lines{"a.Stop", "a: status \"待機中です．．．\"",
                                     "a.Navigate http://a2/", "a: status \"\" loading 0%"}));
  world_.Finish(a, "http://a2/", "A2");
  EXPECT_EQ(HistoryRows(world_.history), Lines{"A2 http://a2/ 1"});
}

TEST_F(PageHostTest, StatusBarShowsImportanceSecurityAndScriptErrors) {
  ItemStore::Entry favorite;
  favorite.title = "A";
  favorite.url = "http://a/";
  favorite.importance = 3;
  world_.favorites.AddOrCount(favorite, world_.prompter);
  PageHost& a = LoadedPage();
  EXPECT_EQ(a.StatusValues().status_icon, 4);
  a.OnScriptError();
  EXPECT_EQ(a.StatusValues().status_icon, StatusBarValues::kIconScriptError);
  world_.control(a)->location_url = "https://a/";
  a.Refresh();  // a new load forgets the error
  EXPECT_EQ(a.StatusValues().status_icon, StatusBarValues::kIconSecure);
  EXPECT_EQ(a.icon(), TabIcon::kSecure);
  // Only the page's own scheme counts, not an address inside its query.
  world_.control(a)->location_url = "http://a/?next=https://b/";
  EXPECT_FALSE(a.StatusValues().secure);
  EXPECT_NE(a.icon(), TabIcon::kSecure);
  world_.control(a)->location_url = "HTTPS://a/";
  EXPECT_TRUE(a.StatusValues().secure);
}

TEST_F(PageHostTest, CreateFailsWithoutTimers) {
  world_.timers.FailNext(1);
  PageHost page(world_, {world_.settings, world_.timers, world_.prompter});
  EXPECT_FALSE(page.Create());
  EXPECT_EQ(world_.prompter.stops, Lines{LoadString(string_id::kOutOfResources)});
}

TEST(PageHostText, CutKeepsDoubleByteCharactersWhole) {
  const std::string text = "ab" + Utf8ToSjis("東京");
  EXPECT_EQ(PageHost::CutText(text, 3), "ab");
  EXPECT_EQ(PageHost::CutText(text, 4), text.substr(0, 4));
  EXPECT_EQ(PageHost::CutText(text, 100), text);
  EXPECT_EQ(PageHost::CutText("ab\x93", 3), "ab\x93");  // a lone lead byte at the end
}

}  // namespace
}  // namespace tolvane
