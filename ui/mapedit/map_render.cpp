#include "mapedit/map_render.h"

#include "platform/qpainter_canvas.h"

namespace corvane {

void RenderMap(const EditMap& map, const MapRenderOptions& options, QPainter& painter) {
  (void)map;
  QPainterCanvas canvas(painter);
  canvas.FillRect(0, 0, options.width, options.height, kWhite);
}

QSize WholeMapSize(const EditMap& map) {
  const MapExtent extent = map.Extent();
  return QSize((extent.max_x + kRenderMarginColumns) * kCellWidth,
               (extent.max_y + kRenderMarginRows) * kCellHeight);
}

QImage RenderWholeMap(const EditMap& map, int grid_x, int grid_y) {
  const QSize size = WholeMapSize(map);
  QImage image(size, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  MapRenderOptions options;
  options.grid_x = grid_x;
  options.grid_y = grid_y;
  options.width = size.width();
  options.height = size.height();
  RenderMap(map, options, painter);
  return image;
}

}  // namespace corvane
