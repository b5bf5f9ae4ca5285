#pragma once
// The Canvas on a QPainter (a widget or a QImage), with the pixel rules of
// the program's drawings: rectangles exclude their right and bottom edges,
// thin lines are drawn without antialiasing and without their end point,
// texts use the interface font with a Japanese fallback.

#include <QFont>
#include <QFontMetrics>
#include <QPainter>

#include "base/canvas.h"

namespace corvane {

class QPainterCanvas : public Canvas {
 public:
  // Draws with `painter`, which must stay active while the canvas is used.
  explicit QPainterCanvas(QPainter& painter);
  QPainterCanvas(QPainter& painter, const QFont& font);

  void FillRect(int left, int top, int right, int bottom, Rgb colour) override;
  void FrameRect(int left, int top, int right, int bottom, Rgb colour, int width) override;
  void Line(PixelPoint from, PixelPoint to, Rgb colour, int width) override;
  void FillPolygon(const std::vector<PixelPoint>& points, Rgb colour) override;
  void Text(PixelPoint origin, std::string_view utf8, Rgb colour) override;
  TextSize MeasureText(std::string_view utf8) override;

 private:
  QPainter& painter_;
  QFont font_;
  QFontMetrics metrics_;
};

// The font the map drawings use: the interface font at a size that fits a
// grid row, with the Japanese fallback.
QFont MapDrawingFont();

}  // namespace corvane
