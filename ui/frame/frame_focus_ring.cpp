#include "ui/frame/frame_focus_ring.h"

#include <QComboBox>
#include <QSplitter>
#include <QWebEngineView>

#include "ui/frame/address_bar.h"
#include "ui/search/search_bar.h"
#include "ui/sidebar/side_bar.h"
#include "ui/tabs/category_tab_ctrl.h"
#include "ui/tabs/page_tab_ctrl.h"
#include "ui/tabs/tolvane_view.h"

namespace tolvane {

namespace {

bool Within(const QWidget* area, const QWidget* widget) {
  return area != nullptr && widget != nullptr && (area == widget || area->isAncestorOf(widget));
}

}  // namespace

bool FrameFocusRing::Move(const QWidget* from, bool forward) {
  const std::optional<FocusStop> stop = StopOf(from);
  return stop && MoveFrom(*stop, forward);
}

bool FrameFocusRing::MoveFrom(FocusStop from, bool forward) {
  const std::optional<FocusStop> next = NextFocusStop(from, forward, Shown());
  if (!next) return false;
  Enter(*next, forward);
  return true;
}

std::optional<FocusStop> FrameFocusRing::StopOf(const QWidget* widget) const {
  if (Within(parts_.search_bar, widget)) return FocusStop::kSearchBar;
  if (Within(parts_.address_bar, widget)) return FocusStop::kAddressBar;
  if (Within(parts_.side_bar, widget)) {
    return Within(parts_.side_bar->tree(parts_.side_bar->commands().page()), widget)
               ? FocusStop::kSideBarTree
               : FocusStop::kSideBarBox;
  }
  if (Within(parts_.view->category_bar(), widget)) return FocusStop::kCategoryTabs;
  if (Within(parts_.view->page_bar(), widget)) return FocusStop::kPageTabs;
  if (Within(parts_.view->page_area(), widget)) return FocusStop::kPage;
  return std::nullopt;
}

ShownFocusStops FrameFocusRing::Shown() const {
  ShownFocusStops shown;
  shown.search_bar = parts_.search_bar->isVisible();
  shown.side_bar = parts_.side_bar->isVisible() && parts_.splitter->sizes().value(0) > 0;
  shown.category_tabs = parts_.view->category_bar()->isVisible();
  shown.page_tabs = parts_.view->page_bar()->isVisible();
  shown.page = ShownPage() != nullptr;
  shown.address_bar = parts_.address_bar->isVisible();
  return shown;
}

QWidget* FrameFocusRing::ShownPage() const {
  for (QObject* child : parts_.view->page_area()->children()) {
    auto* page = qobject_cast<QWidget*>(child);
    if (page != nullptr && !page->isWindow() && page->isVisible()) return page;
  }
  return nullptr;
}

// Coming into the page forward starts at its first element, backward at
// its last (the engine reads the focus reason).
void FrameFocusRing::Enter(FocusStop stop, bool forward) {
  const Qt::FocusReason reason = forward ? Qt::TabFocusReason : Qt::BacktabFocusReason;
  switch (stop) {
    case FocusStop::kSearchBar:
      parts_.search_bar->FocusKeywordBox();
      return;
    case FocusStop::kSideBarBox:
      parts_.side_bar->keyword_box()->setFocus(reason);
      return;
    case FocusStop::kSideBarTree:
      parts_.side_bar->tree(parts_.side_bar->commands().page())->setFocus(reason);
      return;
    case FocusStop::kCategoryTabs:
      parts_.view->category_bar()->setFocus(reason);
      return;
    case FocusStop::kPageTabs:
      parts_.view->page_bar()->setFocus(reason);
      return;
    case FocusStop::kPage: {
      QWidget* page = ShownPage();
      auto* web = page != nullptr ? page->findChild<QWebEngineView*>() : nullptr;
      (web != nullptr ? static_cast<QWidget*>(web) : page)->setFocus(reason);
      return;
    }
    case FocusStop::kAddressBar:
      parts_.address_bar->FocusAddressBar();
      return;
  }
}

}  // namespace tolvane
