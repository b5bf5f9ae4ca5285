#include "mapedit/map_view.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

#include "mapedit/map_render.h"

namespace corvane {

namespace {

// Moves a scroll bar by `steps` positions, within its range.
void Nudge(QScrollBar* bar, int steps) {
  bar->setValue(std::clamp(bar->value() + steps, bar->minimum(), bar->maximum()));
}

}  // namespace

MapView::MapView(EditSession& session, QWidget* parent)
    : QAbstractScrollArea(parent), session_(session) {
  setFocusPolicy(Qt::StrongFocus);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  viewport()->setAutoFillBackground(false);
  viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
  // The preview of the next click and the status line follow the pointer.
  viewport()->setMouseTracking(true);
  SetExtent(session_.map().Extent());
}

void MapView::SetExtent(MapExtent extent) {
  extent_ = extent;
  UpdateScrollRanges();
}

QSize MapView::GridPixels() const {
  const int zoom = session_.state().zoom;
  return {ViewToGridPixels(viewport()->width(), zoom) + 1,
          ViewToGridPixels(viewport()->height(), zoom) + 1};
}

QPoint MapView::GridPixelAt(QPointF view) const {
  const int zoom = session_.state().zoom;
  return QPoint(ViewToGridPixels(static_cast<int>(std::floor(view.x())), zoom),
                ViewToGridPixels(static_cast<int>(std::floor(view.y())), zoom)) +
         ScrollOffset();
}

void MapView::UpdateScrollRanges() {
  zoom_ = session_.state().zoom;
  const QSize area = GridPixels();
  ranges_ = MapScrollRangesFor(extent_, area.width(), area.height());
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

QPoint MapView::ScrollOffset() const {
  return {ranges_.horizontal.PixelOffset(first_column()),
          ranges_.vertical.PixelOffset(first_row())};
}

void MapView::paintEvent(QPaintEvent*) {
  if (zoom_ != session_.state().zoom) UpdateScrollRanges();
  QPainter painter(viewport());
  // The map is drawn in grid pixels; the painter scales them to the view.
  const double scale = session_.state().zoom / 100.0;
  painter.scale(scale, scale);
  session_.FillDrawOptions(&options_);
  const QPoint offset = ScrollOffset();
  options_.scroll_x = offset.x();
  options_.scroll_y = offset.y();
  const QSize area = GridPixels();
  options_.view_width = area.width();
  options_.view_height = area.height();
  RenderMap(session_.map(), options_, painter);
}

void MapView::resizeEvent(QResizeEvent* event) {
  QAbstractScrollArea::resizeEvent(event);
  session_.SetViewSize(viewport()->width(), viewport()->height());
  UpdateScrollRanges();
}

void MapView::mousePressEvent(QMouseEvent* event) {
  // The session works in grid pixels: the view's pixel at the view's scale,
  // plus the scroll offset.
  const QPoint at = GridPixelAt(event->position());
  if (event->button() == Qt::LeftButton) {
    session_.LeftDown(at.x(), at.y());
  } else if (event->button() == Qt::RightButton) {
    session_.RightDown(at.x(), at.y());
  } else {
    QAbstractScrollArea::mousePressEvent(event);
    return;
  }
  event->accept();
  emit Edited();
}

void MapView::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) {
    QAbstractScrollArea::mouseReleaseEvent(event);
    return;
  }
  const QPoint at = GridPixelAt(event->position());
  session_.LeftUp(at.x(), at.y());
  event->accept();
  emit Edited();
}

void MapView::keyPressEvent(QKeyEvent* event) {
  const bool shift = event->modifiers() & Qt::ShiftModifier;
  switch (event->key()) {
    case Qt::Key_Escape:
      KeyDone(session_.KeyDown(EditKey::kEscape, shift));
      break;
    case Qt::Key_Left:
      KeyDone(session_.KeyDown(EditKey::kLeft, shift));
      break;
    case Qt::Key_Right:
      KeyDone(session_.KeyDown(EditKey::kRight, shift));
      break;
    case Qt::Key_Up:
      KeyDone(session_.KeyDown(EditKey::kUp, shift));
      break;
    case Qt::Key_Down:
      KeyDone(session_.KeyDown(EditKey::kDown, shift));
      break;
    case Qt::Key_Backtab:
      // Shift+Tab arrives as its own key.
      KeyDone(session_.KeyDown(EditKey::kTab, true));
      break;
    case Qt::Key_Tab:
      KeyDone(session_.KeyDown(EditKey::kTab, shift));
      break;
    default: {
      // The tools' letter keys and space, as typed (lower case); keys with
      // Ctrl or Alt belong to the menus.
      const QString text = event->text();
      const bool command =
          event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
      if (command || text.size() != 1 || text[0].unicode() >= 0x80) {
        QAbstractScrollArea::keyPressEvent(event);
        return;
      }
      const KeyResult result = session_.CharKey(static_cast<char>(text[0].unicode()));
      if (!result.handled) {
        QAbstractScrollArea::keyPressEvent(event);
        return;
      }
      KeyDone(result);
      break;
    }
  }
  event->accept();
}

void MapView::KeyDone(const KeyResult& result) {
  ShowResult(result);
  if (result.clear_check_messages) emit ErrorDisplayOn();
  emit Edited();
}

void MapView::ShowResult(const KeyResult& result) {
  Scroll(result.scroll);
  if (result.scroll_to) ScrollTo(result.scroll_to->column, result.scroll_to->row);
  FollowZoom(result, viewport()->rect().center());
}

void MapView::FollowZoom(const KeyResult& result, QPoint anchor) {
  if (result.zoomed_from == 0) return;
  const ScrollPosition before{first_column(), first_row()};
  UpdateScrollRanges();
  if (result.to_origin) {
    ScrollTo(0, 0);
    return;
  }
  const ScrollPosition after =
      ZoomAround(before, {anchor.x(), anchor.y()}, result.zoomed_from, session_.state().zoom);
  ScrollTo(after.column, after.row);
}

void MapView::Scroll(const ScrollRequest& request) {
  if (!request.any()) return;
  QScrollBar* horizontal = horizontalScrollBar();
  QScrollBar* vertical = verticalScrollBar();
  Nudge(horizontal, request.dx * (request.pages ? horizontal->pageStep() : 1));
  Nudge(vertical, request.dy * (request.pages ? vertical->pageStep() : 1));
}

void MapView::mouseMoveEvent(QMouseEvent* event) {
  const QPoint at = GridPixelAt(event->position());
  session_.Hover(at.x(), at.y());
  viewport()->update();
  emit PointerMoved();
  QAbstractScrollArea::mouseMoveEvent(event);
}

void MapView::leaveEvent(QEvent* event) {
  session_.LeaveView();
  viewport()->update();
  emit PointerMoved();
  QAbstractScrollArea::leaveEvent(event);
}

void MapView::wheelEvent(QWheelEvent* event) {
  const QPoint angle = event->angleDelta();
  if (event->modifiers() & Qt::ControlModifier) {
    // Ctrl with the wheel changes the scale, a step per notch.
    const int steps = WheelNotches(angle.y(), &zoom_notches_);
    if (steps != 0) {
      // The grid point under the pointer stays under it.
      FollowZoom(session_.ZoomBy(steps), event->position().toPoint());
      emit Edited();
    }
    event->accept();
    return;
  }
  Scroll(
      WheelScroll(angle.x(), angle.y(), event->modifiers() & Qt::ShiftModifier, &wheel_remainder_));
  event->accept();
}

void MapView::scrollContentsBy(int, int) { viewport()->update(); }

bool MapView::focusNextPrevChild(bool) { return false; }

}  // namespace corvane
