#include "mapedit/map_view.h"

#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>
#include <algorithm>

#include "mapedit/map_render.h"

namespace corvane {

namespace {

constexpr int kShiftScrollStep = 5;  // columns or rows per arrow key with Shift
constexpr int kWheelNotch = 120;     // angle of one wheel notch

// Moves a scroll bar by `steps` positions, within its range.
void Nudge(QScrollBar* bar, int steps) {
  bar->setValue(std::clamp(bar->value() + steps, bar->minimum(), bar->maximum()));
}

}  // namespace

MapView::MapView(const EditMap& map, QWidget* parent) : QAbstractScrollArea(parent), map_(map) {
  setFocusPolicy(Qt::StrongFocus);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  viewport()->setAutoFillBackground(false);
  viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
  SetExtent(map.Extent());
}

void MapView::SetGridSteps(int grid_x, int grid_y) {
  options_.grid_x = grid_x;
  options_.grid_y = grid_y;
  viewport()->update();
}

void MapView::SetExtent(MapExtent extent) {
  extent_ = extent;
  UpdateScrollRanges();
}

void MapView::UpdateScrollRanges() {
  ranges_ = MapScrollRangesFor(extent_, viewport()->width(), viewport()->height());
  QScrollBar* horizontal = horizontalScrollBar();
  horizontal->setPageStep(ranges_.horizontal.page);
  horizontal->setSingleStep(1);
  horizontal->setRange(0, ranges_.horizontal.max_position);
  QScrollBar* vertical = verticalScrollBar();
  vertical->setPageStep(ranges_.vertical.page);
  vertical->setSingleStep(1);
  vertical->setRange(0, ranges_.vertical.max_position);
  viewport()->update();
}

int MapView::first_column() const { return horizontalScrollBar()->value(); }
int MapView::first_row() const { return verticalScrollBar()->value(); }

void MapView::ScrollTo(int column, int row) {
  horizontalScrollBar()->setValue(column);
  verticalScrollBar()->setValue(row);
}

void MapView::paintEvent(QPaintEvent*) {
  QPainter painter(viewport());
  options_.scroll_x = ranges_.horizontal.PixelOffset(first_column());
  options_.scroll_y = ranges_.vertical.PixelOffset(first_row());
  options_.view_width = viewport()->width();
  options_.view_height = viewport()->height();
  RenderMap(map_, options_, painter);
}

void MapView::resizeEvent(QResizeEvent* event) {
  QAbstractScrollArea::resizeEvent(event);
  UpdateScrollRanges();
}

void MapView::keyPressEvent(QKeyEvent* event) {
  const bool shift = event->modifiers() & Qt::ShiftModifier;
  QScrollBar* horizontal = horizontalScrollBar();
  QScrollBar* vertical = verticalScrollBar();
  switch (event->key()) {
    case Qt::Key_Left:
      Nudge(horizontal, -(shift ? kShiftScrollStep : horizontal->pageStep()));
      break;
    case Qt::Key_Right:
      Nudge(horizontal, shift ? kShiftScrollStep : horizontal->pageStep());
      break;
    case Qt::Key_Up:
      Nudge(vertical, -(shift ? kShiftScrollStep : vertical->pageStep()));
      break;
    case Qt::Key_Down:
      Nudge(vertical, shift ? kShiftScrollStep : vertical->pageStep());
      break;
    default:
      QAbstractScrollArea::keyPressEvent(event);
      return;
  }
  event->accept();
}

void MapView::wheelEvent(QWheelEvent* event) {
  // One page per notch: vertically, or horizontally with Shift (or with a
  // wheel that turns sideways).
  const QPoint angle = event->angleDelta();
  const bool sideways = angle.y() == 0 && angle.x() != 0;
  wheel_remainder_ += sideways ? angle.x() : angle.y();
  const int notches = wheel_remainder_ / kWheelNotch;
  wheel_remainder_ -= notches * kWheelNotch;
  if (notches != 0) {
    const bool horizontal = sideways || (event->modifiers() & Qt::ShiftModifier);
    QScrollBar* bar = horizontal ? horizontalScrollBar() : verticalScrollBar();
    Nudge(bar, -notches * bar->pageStep());
  }
  event->accept();
}

void MapView::scrollContentsBy(int, int) { viewport()->update(); }

}  // namespace corvane
