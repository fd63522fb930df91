// What the window's input filter costs an ordinary mouse move over a page: a
// move sent to a widget eight levels deep in a window (as the page's engine
// widget sits in the frame), once with the filter on the application and
// once without it, the baseline. A move while a gesture is drawn is measured
// too. Runs on the offscreen platform.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QMouseEvent>
#include <QWidget>
#include <cstdlib>
#include <memory>

#include "core/commands/command_router.h"
#include "core/commands/command_table.h"
#include "ui/frame/frame_input_filter.h"

namespace {

class NoOwners : public tolvane::ShortcutOwners {
 public:
  int OwnerCount(tolvane::OwnerType) const override { return 0; }
  std::string_view OwnerField(tolvane::OwnerType, int, tolvane::MatchKind) const override {
    return {};
  }
  void RunOwner(tolvane::OwnerType, int) override {}
  void RunCommand(tolvane::CommandId) override {}
};

// A window with a category row and, beside it, a chain of eight widgets
// ending in the one the moves go to.
struct Window {
  Window() {
    row = new QWidget(&top);
    QWidget* parent = &top;
    for (int depth = 0; depth < 8; ++depth) parent = new QWidget(parent);
    page = parent;
    page->setMouseTracking(true);
    top.resize(800, 600);
    top.show();
  }
  tolvane::FrameInputFilter::Parts Parts() const {
    tolvane::FrameInputFilter::Parts parts;
    parts.category_row = row;
    return parts;
  }
  QWidget top;
  QWidget* row = nullptr;
  QWidget* page = nullptr;
};

void SendMoves(benchmark::State& state, QWidget& page, Qt::MouseButtons buttons) {
  int x = 100;
  for (auto _ : state) {
    x = x == 500 ? 100 : x + 1;
    QMouseEvent move(QEvent::MouseMove, QPointF(x, 200), page.mapToGlobal(QPointF(x, 200)),
                     Qt::NoButton, buttons, Qt::NoModifier);
    QCoreApplication::sendEvent(&page, &move);
  }
  state.SetItemsProcessed(state.iterations());
}

void BM_MouseMoveWithoutFilter(benchmark::State& state) {
  Window window;
  SendMoves(state, *window.page, Qt::NoButton);
}
BENCHMARK(BM_MouseMoveWithoutFilter);

// The filter as the window has it, over a table of the defaults and a
// router without commands.
struct Filtered {
  explicit Filtered(Window& window) : filter(window.top, table, router, owners, window.Parts()) {}
  const tolvane::CommandTable table;
  tolvane::CommandRouter router;
  NoOwners owners;
  tolvane::FrameInputFilter filter;
};

void BM_MouseMoveWithFilter(benchmark::State& state) {
  Window window;
  Filtered filtered(window);
  SendMoves(state, *window.page, Qt::NoButton);
}
BENCHMARK(BM_MouseMoveWithFilter);

// Moves while the right button is held: each one feeds the recogniser.
void BM_MouseMoveDrawingGesture(benchmark::State& state) {
  Window window;
  Filtered filtered(window);
  QMouseEvent press(QEvent::MouseButtonPress, QPointF(100, 200),
                    window.page->mapToGlobal(QPointF(100, 200)), Qt::RightButton, Qt::RightButton,
                    Qt::NoModifier);
  QCoreApplication::sendEvent(window.page, &press);
  if (!filtered.filter.gestures().armed()) std::abort();
  SendMoves(state, *window.page, Qt::RightButton);
}
BENCHMARK(BM_MouseMoveDrawingGesture);

}  // namespace
