#include "mapedit/map_render.h"

#include <cstdint>

#include "platform/qpainter_canvas.h"

namespace corvane {

void RenderMap(const EditMap& map, const MapDrawOptions& options, QPainter& painter) {
  QPainterCanvas canvas(painter);
  DrawEditMap(map, options, canvas);
}

QSize WholeMapSize(const EditMap& map) {
  const PixelSize size = WholeMapPixels(map.Extent());
  return QSize(size.width, size.height);
}

QImage RenderWholeMap(const EditMap& map, int grid_x, int grid_y) {
  const QSize size = WholeMapSize(map);
  if (size.width() > kLargestImageSide || size.height() > kLargestImageSide) return QImage();
  QImage image(size, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  MapDrawOptions options;
  options.view_width = size.width();
  options.view_height = size.height();
  options.grid_x = grid_x;
  options.grid_y = grid_y;
  RenderMap(map, options, painter);
  return image;
}

}  // namespace corvane
