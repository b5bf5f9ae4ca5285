#include "mapedit/map_view.h"

#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>
#include <algorithm>

#include "mapedit/map_render.h"
#include "platform/qpainter_canvas.h"

namespace corvane {

namespace {

constexpr int kShiftScrollStep = 5;  // columns or rows per arrow key with Shift
constexpr int kWheelNotch = 120;     // angle of one wheel notch

struct ScrollRange {
  int column_page = 1, max_column = 0;
  int row_page = 1, max_row = 0;
};

// Pages are nine tenths of the window; the range reaches the map's last
// column and row.
ScrollRange MapScrollRange(const MapExtent& extent, int width, int height) {
  ScrollRange range;
  range.column_page = std::max(1, width * 9 / 100);
  range.row_page = std::max(1, height * 9 / 120);
  const int columns = std::max(1, extent.max_x + range.column_page - 1);
  const int rows = std::max(1, extent.max_y + range.row_page - 1);
  range.max_column = std::max(0, columns - range.column_page + 1);
  range.max_row = std::max(0, rows - range.row_page + 1);
  return range;
}

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
  UpdateScrollRanges();
}

void MapView::SetGridSteps(int grid_x, int grid_y) {
  grid_x_ = grid_x;
  grid_y_ = grid_y;
  viewport()->update();
}

void MapView::UpdateScrollRanges() {
  const ScrollRange range =
      MapScrollRange(map_.Extent(), viewport()->width(), viewport()->height());
  horizontalScrollBar()->setPageStep(range.column_page);
  horizontalScrollBar()->setSingleStep(1);
  horizontalScrollBar()->setRange(0, range.max_column);
  verticalScrollBar()->setPageStep(range.row_page);
  verticalScrollBar()->setSingleStep(1);
  verticalScrollBar()->setRange(0, range.max_row);
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
  MapRenderOptions options;
  options.grid_x = grid_x_;
  options.grid_y = grid_y_;
  options.first_column = first_column();
  options.first_row = first_row();
  options.width = viewport()->width();
  options.height = viewport()->height();
  RenderMap(map_, options, painter);
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
  // One page per notch: vertically, or horizontally with Shift.
  const QPoint angle = event->angleDelta();
  wheel_remainder_ += angle.y() != 0 ? angle.y() : angle.x();
  const int notches = wheel_remainder_ / kWheelNotch;
  wheel_remainder_ -= notches * kWheelNotch;
  if (notches != 0) {
    QScrollBar* bar =
        (event->modifiers() & Qt::ShiftModifier) ? horizontalScrollBar() : verticalScrollBar();
    Nudge(bar, -notches * bar->pageStep());
  }
  event->accept();
}

void MapView::scrollContentsBy(int, int) { viewport()->update(); }

}  // namespace corvane
