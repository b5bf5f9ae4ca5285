#include "platform/qpainter_canvas.h"

#include <QGuiApplication>
#include <QPolygon>
#include <algorithm>
#include <cstdlib>

#include "platform/qt_text.h"
#include "platform/ui_font.h"

namespace corvane {

namespace {

constexpr int kMapFontPixelSize = 12;

QColor ToQColor(Rgb colour) { return QColor(colour.red, colour.green, colour.blue); }

}  // namespace

QFont MapDrawingFont() {
  QFont font = WithJapaneseFallback(QGuiApplication::font());
  font.setPixelSize(kMapFontPixelSize);
  return font;
}

QPainterCanvas::QPainterCanvas(QPainter& painter) : QPainterCanvas(painter, MapDrawingFont()) {}

QPainterCanvas::QPainterCanvas(QPainter& painter, const QFont& font)
    : painter_(painter), font_(font), metrics_(font, painter.device()) {
  painter_.setRenderHint(QPainter::Antialiasing, false);
  painter_.setFont(font_);
}

void QPainterCanvas::FillRect(int left, int top, int right, int bottom, Rgb colour) {
  if (right <= left || bottom <= top) return;
  painter_.fillRect(QRect(left, top, right - left, bottom - top), ToQColor(colour));
}

void QPainterCanvas::FrameRect(int left, int top, int right, int bottom, Rgb colour, int width) {
  if (right <= left || bottom <= top || width <= 0) return;
  // Bands inside the edges; a frame wider than the rectangle fills it.
  const int band_x = std::min(width, (right - left + 1) / 2);
  const int band_y = std::min(width, (bottom - top + 1) / 2);
  FillRect(left, top, right, top + band_y, colour);
  FillRect(left, bottom - band_y, right, bottom, colour);
  FillRect(left, top + band_y, left + band_x, bottom - band_y, colour);
  FillRect(right - band_x, top + band_y, right, bottom - band_y, colour);
}

void QPainterCanvas::Line(PixelPoint from, PixelPoint to, Rgb colour, int width) {
  if (from == to) return;
  width = std::max(width, 1);
  // A pen `width` pixels wide covers, for each pixel of the thin line, the
  // square from (x - width / 2, y - width / 2).
  const int offset = width / 2;
  const QColor color = ToQColor(colour);
  if (from.y == to.y || from.x == to.x) {
    // Straight along an axis: one rectangle, the end pixel left out.
    int left = std::min(from.x, to.x), right = std::max(from.x, to.x) + 1;
    int top = std::min(from.y, to.y), bottom = std::max(from.y, to.y) + 1;
    if (from.y == to.y) {
      if (to.x > from.x)
        --right;
      else
        ++left;
    } else {
      if (to.y > from.y)
        --bottom;
      else
        ++top;
    }
    painter_.fillRect(
        QRect(left - offset, top - offset, right - left + width - 1, bottom - top + width - 1),
        color);
    return;
  }
  // Bresenham's walk, the end point excluded.
  const int dx = std::abs(to.x - from.x), sx = from.x < to.x ? 1 : -1;
  const int dy = -std::abs(to.y - from.y), sy = from.y < to.y ? 1 : -1;
  int error = dx + dy;
  int x = from.x, y = from.y;
  while (x != to.x || y != to.y) {
    painter_.fillRect(QRect(x - offset, y - offset, width, width), color);
    const int twice = 2 * error;
    if (twice >= dy) {
      error += dy;
      x += sx;
    }
    if (twice <= dx) {
      error += dx;
      y += sy;
    }
  }
}

void QPainterCanvas::FillPolygon(const std::vector<PixelPoint>& points, Rgb colour) {
  if (points.size() < 3) return;
  QPolygon polygon;
  for (const PixelPoint& p : points) polygon << QPoint(p.x, p.y);
  painter_.save();
  painter_.setPen(Qt::NoPen);
  painter_.setBrush(ToQColor(colour));
  painter_.drawPolygon(polygon);
  painter_.restore();
}

void QPainterCanvas::Text(PixelPoint origin, std::string_view utf8, Rgb colour) {
  if (utf8.empty()) return;
  painter_.setPen(ToQColor(colour));
  painter_.drawText(QPoint(origin.x, origin.y + metrics_.ascent()), Qs(utf8));
}

TextSize QPainterCanvas::MeasureText(std::string_view utf8) {
  return {metrics_.horizontalAdvance(Qs(utf8)), metrics_.height()};
}

}  // namespace corvane
