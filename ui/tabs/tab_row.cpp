#include "ui/tabs/tab_row.h"

#include <cmath>

#include <QApplication>
#include <QContextMenuEvent>
#include <QFontMetricsF>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QToolTip>
#include <QWheelEvent>
#include <algorithm>

namespace tolvane {
namespace {

constexpr int kPadLeft = 8;
constexpr int kPadRight = 10;
constexpr int kIconSize = 16;
constexpr int kIconGap = 6;
// From the end of the text to the right edge when the close mark is shown:
// the mark begins 24 pixels before the edge, 2 more keep the text off it.
constexpr int kMarkRoom = 26;
constexpr int kCorner = 6;
constexpr int kSpinIntervalMs = 50;
constexpr int kSpinStep = 30;

const QColor kText(0x20, 0x21, 0x24);
const QColor kDimText(0x45, 0x48, 0x4d);
const QColor kGlyph(0x5f, 0x63, 0x68);
const QColor kGlyphHover(0x00, 0x00, 0x00, 0x24);
const QColor kClipMark(0xe3, 0x74, 0x00);

bool IsOnTab(const TabHit& hit) {
  return hit.zone == TabHit::Zone::kTab || hit.zone == TabHit::Zone::kCloseMark;
}

QRect ToRect(const TabBox& box) { return {box.left, box.top, box.width(), box.height()}; }

// A chevron of three points around `centre`, pointing along (dx, dy).
void PaintChevron(QPainter& painter, QPointF centre, QPointF dx, QPointF dy) {
  const QPointF points[] = {centre - dx * 2 - dy * 4, centre + dx * 2, centre - dx * 2 + dy * 4};
  painter.drawPolyline(points, 3);
}

}  // namespace

TabRow::TabRow(QWidget* parent) : QWidget(parent) {
  setMouseTracking(true);
  setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
  // A click gives the row the focus, so a search command given after it no
  // longer reads the selection of the page that had the focus before.
  setFocusPolicy(Qt::ClickFocus);
  spin_timer_.setInterval(kSpinIntervalMs);
  connect(&spin_timer_, &QTimer::timeout, this, [this] {
    spin_angle_ = (spin_angle_ + kSpinStep) % 360;
    for (int i = 0; i < count(); ++i) {
      if (const QRect place = loadingIndicatorRect(i); !place.isEmpty()) update(place);
    }
  });
}

void TabRow::SetTabs(std::vector<TabLook> tabs, int current) {
  // A drag names tabs by index; those indexes mean nothing in another row.
  if (tabs.size() != tabs_.size()) CancelDrag();
  tabs_ = std::move(tabs);
  current_ = current >= 0 && current < count() ? current : -1;
  Relayout();
  KeepInView(current_);
  UpdateSpinner();
}

void TabRow::SetTab(int index, TabLook look) {
  if (index < 0 || index >= count()) return;
  tabs_[static_cast<std::size_t>(index)] = std::move(look);
  Relayout();
  UpdateSpinner();
}

void TabRow::SetCurrent(int index) {
  current_ = index >= 0 && index < count() ? index : -1;
  Relayout();
  KeepInView(current_);
}

void TabRow::SetShowIcons(bool show) {
  show_icons_ = show;
  Relayout();
}

QString TabRow::shownCaption(int index) const { return tab(index).caption; }

QRect TabRow::tabRect(int index) const {
  if (index < 0 || index >= static_cast<int>(boxes_.size())) return {};
  return ToWidget(boxes_[static_cast<std::size_t>(index)]);
}

QRect TabRow::closeMarkRect(int index) const {
  if (index < 0 || index >= static_cast<int>(boxes_.size()) || !ShowsCloseMark(index)) return {};
  return ToWidget(CloseMarkOf(boxes_[static_cast<std::size_t>(index)]));
}

QRect TabRow::newTabButtonRect() const {
  if (strip_.shown && !boxes_.empty()) return ToRect(strip_.new_tab);
  return ToWidget(NewTabButtonOf(LastTabOrRowStart()));
}

// An empty row (every tab of the group deleted) still offers its new-tab
// button, at the row's start, so a new tab is one click away.
TabBox TabRow::LastTabOrRowStart() const {
  return boxes_.empty() ? TabBox{kRowLeft, kTabTop, kRowLeft, height()} : boxes_.back();
}

QRect TabRow::scrollButtonRect(int direction) const {
  if (!strip_.shown) return {};
  return ToRect(direction < 0 ? strip_.scroll_left : strip_.scroll_right);
}

QRect TabRow::tabListButtonRect() const { return strip_.shown ? ToRect(strip_.tab_list) : QRect(); }

std::unique_ptr<QMenu> TabRow::CreateTabListMenu() const {
  auto menu = std::make_unique<QMenu>();
  menu->setObjectName(QStringLiteral("tabList"));
  for (int i = 0; i < count(); ++i) {
    // Captions are shown as they are: "&" is no mnemonic.
    QString caption = tab(i).caption;
    caption.replace(QLatin1Char('&'), QStringLiteral("&&"));
    QAction* action = menu->addAction(tab(i).icon, caption);
    action->setData(i);
    action->setCheckable(true);
    action->setChecked(i == current_);
    if (i == current_) {
      QFont bold = menu->font();
      bold.setBold(true);
      action->setFont(bold);
    }
  }
  return menu;
}

QRect TabRow::loadingIndicatorRect(int index) const {
  if (index < 0 || index >= count() || !tab(index).loading) return {};
  const QRect box = tabRect(index);
  if (box.isEmpty()) return {};
  return {box.left() + kPadLeft, box.top() + (box.height() - kIconSize) / 2, kIconSize, kIconSize};
}

void TabRow::CancelDrag() {
  const bool was_dragging = dragging_;
  press_index_ = -1;
  dragging_ = false;
  drop_index_ = -1;
  if (was_dragging) update();
}

QSize TabRow::sizeHint() const {
  return {std::max(ContentRight(), 200), std::max(kRowHeight, fontMetrics().height() + 10)};
}

QSize TabRow::minimumSizeHint() const { return {60, sizeHint().height()}; }

void TabRow::CloseMarkPressed(int index, QPoint /*below*/) { emit closeClicked(index); }

int TabRow::hovered_tab() const { return IsOnTab(hover_) ? hover_.index : -1; }

int TabRow::ContentWidth(const QString& caption, bool with_mark) const {
  // Fractional advances (scalable fonts) are rounded up, or the caption
  // would not fit its own tab and be cut.
  const int text =
      static_cast<int>(std::ceil(QFontMetricsF(font()).horizontalAdvance(caption))) + 1;
  return kPadLeft + (show_icons_ ? kIconSize + kIconGap : 0) + text +
         (with_mark ? kMarkRoom : kPadRight);
}

void TabRow::Relayout() {
  boxes_ = LayOut();
  const int button_right = boxes_.empty() ? 0 : NewTabButtonOf(boxes_.back()).right;
  strip_ = TabBarGeometry::Strip(button_right, width(), kTabTop, height());
  ScrollBy(0);
  if (hover_.index >= count()) hover_ = {};
  update();
}

// --- Painting -------------------------------------------------------------

void TabRow::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  const Colors colors = RowColors();
  painter.fillRect(rect(), colors.row);
  painter.fillRect(QRect(0, height() - 1, width(), 1), colors.border);

  painter.save();
  // The tabs scroll under the strip.
  if (strip_.shown) painter.setClipRect(QRect(0, 0, strip_.tabs_right, height()));
  for (int i = 0; i < count(); ++i) PaintTab(painter, i, colors);
  for (int i = 0; i < count(); ++i) PaintCloseMark(painter, i);
  if (dragging_ && drop_index_ >= 0 && drop_index_ != press_index_) {
    const QRect target = tabRect(drop_index_);
    const int x = drop_index_ > press_index_ ? target.right() : target.left();
    painter.fillRect(QRect(x - 1, target.top(), 3, target.height()), colors.accent);
  }
  painter.restore();
  if (strip_.shown) PaintStrip(painter, colors);
  PaintNewTabButton(painter);
}

void TabRow::PaintStrip(QPainter& painter, const Colors& colors) const {
  painter.fillRect(QRect(strip_.tabs_right, 0, 1, height() - 1), colors.border);
  const int max_scroll = TabBarGeometry::MaxScroll(boxes_, strip_);
  const struct {
    QRect box;
    TabHit::Zone zone;
    bool live;
    QPointF dx, dy;  // the chevron's direction and its cross direction
  } buttons[] = {
      {scrollButtonRect(-1), TabHit::Zone::kScrollLeft, scroll_ > 0, {-1, 0}, {0, 1}},
      {scrollButtonRect(1), TabHit::Zone::kScrollRight, scroll_ < max_scroll, {1, 0}, {0, 1}},
      {tabListButtonRect(), TabHit::Zone::kTabList, true, {0, 1}, {1, 0}},
  };
  for (const auto& button : buttons) {
    if (button.live && hover_.zone == button.zone) {
      painter.setPen(Qt::NoPen);
      painter.setBrush(kGlyphHover);
      painter.drawRoundedRect(QRectF(button.box), 4, 4);
      painter.setBrush(Qt::NoBrush);
    }
    painter.setPen(QPen(button.live ? kGlyph : colors.border, 1.6, Qt::SolidLine, Qt::RoundCap,
                        Qt::RoundJoin));
    PaintChevron(painter, QRectF(button.box).center(), button.dx, button.dy);
  }
}

void TabRow::PaintTab(QPainter& painter, int index, const Colors& colors) const {
  const QRect box = tabRect(index);
  if (box.right() < 0 || box.left() > width()) return;
  const TabLook& look = tab(index);
  const bool selected = index == current_;
  const bool hovered = !dragging_ && hovered_tab() == index;

  painter.save();
  painter.setClipRect(box, Qt::IntersectClip);
  if (selected) {
    // Rounded at the top only: the shape runs on below the row's bottom.
    QPainterPath shape;
    shape.addRoundedRect(QRectF(box.adjusted(1, 0, -1, kCorner * 2)), kCorner, kCorner);
    painter.fillPath(shape, colors.selected);
    painter.fillRect(QRect(box.left() + kCorner, box.top(), box.width() - 2 * kCorner, 2),
                     colors.accent);
  } else if (hovered) {
    QPainterPath shape;
    shape.addRoundedRect(QRectF(box.adjusted(2, 2, -2, -3)), kCorner - 1, kCorner - 1);
    painter.fillPath(shape, colors.hover);
  }
  // Separators between plain tabs, as long as neither side stands out.
  const bool next_stands_out = index + 1 == current_ || (!dragging_ && hovered_tab() == index + 1);
  if (!selected && !hovered && !next_stands_out && index + 1 < count()) {
    painter.fillRect(QRect(box.right(), box.top() + 5, 1, box.height() - 10), colors.border);
  }
  if (look.user_clip) {
    painter.fillRect(QRect(box.left() + kCorner, box.bottom() - 2, box.width() - 2 * kCorner, 2),
                     kClipMark);
  }

  const QRect icon(box.left() + kPadLeft, box.top() + (box.height() - kIconSize) / 2, kIconSize,
                   kIconSize);
  const QRect mark = closeMarkRect(index);
  const int text_right = mark.isEmpty() ? box.right() + 1 - kPadRight : mark.left() - 2;
  // A narrow tab gives its favicon's place to the caption, so that the
  // selected tab (whose mark takes room too) still shows some text.
  const int room = text_right - (icon.right() + 1 + kIconGap);
  const bool narrow = room < 2 * painter.fontMetrics().height() &&
                      room < painter.fontMetrics().horizontalAdvance(shownCaption(index));
  int text_left = box.left() + kPadLeft;
  if (look.loading) {
    PaintSpinner(painter, icon, colors);
    text_left = icon.right() + 1 + kIconGap;
  } else if (show_icons_ && !narrow) {
    if (!look.icon.isNull()) look.icon.paint(&painter, icon);
    text_left = icon.right() + 1 + kIconGap;
  }
  if (text_right > text_left) {
    const QRect text_box(text_left, box.top(), text_right - text_left, box.height());
    painter.setPen(selected ? kText : kDimText);
    painter.drawText(
        text_box, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
        painter.fontMetrics().elidedText(shownCaption(index), Qt::ElideRight, text_box.width()));
  }
  if (selected && hasFocus()) {
    painter.setPen(QPen(colors.accent, 1, Qt::DotLine));
    painter.drawRect(box.adjusted(3, 4, -4, -3));
  }
  painter.restore();
}

void TabRow::PaintCloseMark(QPainter& painter, int index) const {
  const QRect zone = closeMarkRect(index);
  if (zone.isEmpty()) return;
  const QPointF centre = QRectF(zone).center();
  if (hover_.zone == TabHit::Zone::kCloseMark && hover_.index == index && !dragging_) {
    painter.setPen(Qt::NoPen);
    painter.setBrush(kGlyphHover);
    painter.drawEllipse(centre, 8.0, 8.0);
    painter.setBrush(Qt::NoBrush);
  }
  painter.setPen(QPen(kGlyph, 1.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  if (tab(index).user_clip) {
    // A user clip is not closed from here: the mark opens its menu.
    const QPointF points[] = {centre + QPointF(-4, -2), centre + QPointF(0, 2),
                              centre + QPointF(4, -2)};
    painter.drawPolyline(points, 3);
  } else {
    painter.drawLine(centre + QPointF(-3.5, -3.5), centre + QPointF(3.5, 3.5));
    painter.drawLine(centre + QPointF(-3.5, 3.5), centre + QPointF(3.5, -3.5));
  }
}

void TabRow::PaintNewTabButton(QPainter& painter) const {
  const QRect button = newTabButtonRect();
  if (button.isEmpty()) return;
  if (hover_.zone == TabHit::Zone::kNewTabButton) {
    painter.setPen(Qt::NoPen);
    painter.setBrush(kGlyphHover);
    painter.drawRoundedRect(QRectF(button), 4, 4);
    painter.setBrush(Qt::NoBrush);
  }
  const QPointF centre = QRectF(button).center();
  painter.setPen(QPen(kGlyph, 1.6, Qt::SolidLine, Qt::RoundCap));
  painter.drawLine(centre + QPointF(-5, 0), centre + QPointF(5, 0));
  painter.drawLine(centre + QPointF(0, -5), centre + QPointF(0, 5));
}

void TabRow::PaintSpinner(QPainter& painter, const QRect& place, const Colors& colors) const {
  painter.setPen(QPen(colors.accent, 2, Qt::SolidLine, Qt::RoundCap));
  painter.setBrush(Qt::NoBrush);
  painter.drawArc(QRectF(place).adjusted(2, 2, -2, -2), -spin_angle_ * 16, 270 * 16);
}

// --- Input ----------------------------------------------------------------

void TabRow::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) {
    QWidget::mousePressEvent(event);
    return;
  }
  PressZone(HitAtWidget(event->position().toPoint()), event->position().toPoint());
}

void TabRow::PressZone(const TabHit& hit, QPoint pos) {
  // State first: a slot may feed the row again before the emit returns.
  switch (hit.zone) {
    case TabHit::Zone::kNewTabButton:
      emit newTabClicked(hit.index);
      break;
    case TabHit::Zone::kCloseMark: {
      const QRect mark = ToWidget(CloseMarkOf(boxes_[static_cast<std::size_t>(hit.index)]));
      CloseMarkPressed(hit.index, mapToGlobal(QPoint(mark.left(), mark.bottom() + 1)));
      break;
    }
    case TabHit::Zone::kTab:
      press_index_ = hit.index;
      press_pos_ = pos;
      dragging_ = false;
      drop_index_ = -1;
      if (hit.index != current_) emit tabPressed(hit.index);
      break;
    case TabHit::Zone::kScrollLeft:
    case TabHit::Zone::kScrollRight:
      scroll_ = TabBarGeometry::ScrollStep(boxes_, strip_, scroll_,
                                           hit.zone == TabHit::Zone::kScrollLeft ? -1 : 1);
      update();
      break;
    case TabHit::Zone::kTabList:
      ShowTabList();
      break;
    case TabHit::Zone::kNone:
      break;
  }
}

void TabRow::ShowTabList() {
  const std::unique_ptr<QMenu> menu = CreateTabListMenu();
  const QRect button = tabListButtonRect();
  const QAction* chosen = menu->exec(mapToGlobal(QPoint(button.left(), button.bottom() + 1)));
  if (chosen == nullptr) return;
  // The row may have been fed again while the list was open.
  const int index = chosen->data().toInt();
  if (index < 0 || index >= count()) return;
  if (index == current_) {
    KeepInView(index);
  } else {
    emit tabPressed(index);
  }
}

void TabRow::mouseMoveEvent(QMouseEvent* event) {
  const QPoint pos = event->position().toPoint();
  if (press_index_ >= 0 && (event->buttons() & Qt::LeftButton)) {
    if (!dragging_ && (pos - press_pos_).manhattanLength() >= QApplication::startDragDistance()) {
      dragging_ = true;
    }
    if (dragging_) {
      drop_index_ = DropIndexAt(pos.x());
      update();
    }
    return;
  }
  UpdateHover(pos);
}

void TabRow::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) {
    QWidget::mouseReleaseEvent(event);
    return;
  }
  const int from = press_index_;
  const int to = drop_index_;
  const bool dropped = dragging_;
  CancelDrag();
  UpdateHover(event->position().toPoint());
  if (dropped && to >= 0 && to != from) emit tabMoved(from, to);
}

void TabRow::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  const QPoint pos = event->position().toPoint();
  const TabHit hit = HitAtWidget(pos);
  if (hit.zone != TabHit::Zone::kTab) {
    // A quick second click on a mark or button counts as a second press.
    PressZone(hit, pos);
    return;
  }
  press_index_ = hit.index;
  press_pos_ = pos;
  emit tabDoubleClicked(hit.index);
}

void TabRow::leaveEvent(QEvent* event) {
  hover_ = {};
  update();
  QWidget::leaveEvent(event);
}

void TabRow::contextMenuEvent(QContextMenuEvent* event) {
  if (event->reason() == QContextMenuEvent::Mouse) {
    const TabHit hit = HitAtWidget(event->pos());
    emit contextMenuRequested(IsOnTab(hit) ? hit.index : -1, event->globalPos());
    return;
  }
  const QRect box = tabRect(current_);
  emit contextMenuRequested(current_,
                            mapToGlobal(box.isEmpty() ? QPoint(0, height()) : box.bottomLeft()));
}

void TabRow::wheelEvent(QWheelEvent* event) {
  if (!strip_.shown) {
    event->ignore();
    return;
  }
  const QPoint delta = event->angleDelta();
  ScrollBy(-(delta.y() != 0 ? delta.y() : delta.x()) / 2);
  update();
}

void TabRow::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Left:
      if (current_ > 0) emit tabPressed(current_ - 1);
      break;
    case Qt::Key_Right:
      if (current_ >= 0 && current_ + 1 < count()) emit tabPressed(current_ + 1);
      break;
    case Qt::Key_Escape:
      CancelDrag();
      break;
    default:
      QWidget::keyPressEvent(event);
  }
}

bool TabRow::event(QEvent* event) {
  if (event->type() == QEvent::ToolTip) {
    const auto* help = static_cast<QHelpEvent*>(event);
    const TabHit hit = HitAtWidget(help->pos());
    if (hit.zone == TabHit::Zone::kTab) {
      QToolTip::showText(help->globalPos(), tab(hit.index).caption, this, tabRect(hit.index));
    } else {
      QToolTip::hideText();
    }
    return true;
  }
  return QWidget::event(event);
}

void TabRow::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  Relayout();
  KeepInView(current_);
}

// --- Helpers --------------------------------------------------------------

TabHit TabRow::HitAtWidget(QPoint pos) const {
  if (boxes_.empty()) {
    return newTabButtonRect().contains(pos) ? TabHit{TabHit::Zone::kNewTabButton, -1} : TabHit{};
  }
  if (!strip_.shown) return HitAt(boxes_, pos.x() + scroll_, pos.y());
  if (pos.x() >= strip_.tabs_right) {
    return TabBarGeometry::HitStrip(strip_, count() - 1, pos.x(), pos.y());
  }
  // The new-tab button after the last tab is the strip's while it shows.
  const TabHit hit = HitAt(boxes_, pos.x() + scroll_, pos.y());
  return hit.zone == TabHit::Zone::kNewTabButton ? TabHit{} : hit;
}

QRect TabRow::ToWidget(const TabBox& box) const {
  return {box.left - scroll_, box.top, box.width(), box.height()};
}

int TabRow::DropIndexAt(int widget_x) const {
  const int x = widget_x + scroll_;
  for (int i = 0; i < static_cast<int>(boxes_.size()); ++i) {
    if (x < boxes_[static_cast<std::size_t>(i)].right) return i;
  }
  return static_cast<int>(boxes_.size()) - 1;
}

int TabRow::ContentRight() const {
  return boxes_.empty() ? 0 : NewTabButtonOf(boxes_.back()).right + 2;
}

void TabRow::ScrollBy(int dx) {
  scroll_ = std::clamp(scroll_ + dx, 0, TabBarGeometry::MaxScroll(boxes_, strip_));
}

void TabRow::KeepInView(int index) {
  scroll_ = TabBarGeometry::ScrollToShow(boxes_, strip_, scroll_, index);
  update();
}

void TabRow::UpdateHover(QPoint pos) {
  const TabHit hit = HitAtWidget(pos);
  if (hit == hover_) return;
  hover_ = hit;
  update();
}

void TabRow::UpdateSpinner() {
  const bool any =
      std::any_of(tabs_.begin(), tabs_.end(), [](const TabLook& look) { return look.loading; });
  if (any && !spin_timer_.isActive()) spin_timer_.start();
  if (!any) spin_timer_.stop();
}

}  // namespace tolvane
