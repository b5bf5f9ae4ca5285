#pragma once
// The map edit window's picture on a QPainter: the window paints its
// visible part with it, the headless tool the whole map into an image.

#include <QImage>
#include <QPainter>

#include "editor/edit_map.h"

namespace corvane {

struct MapRenderOptions {
  int grid_x = 10;       // every grid_x-th column line dark (0: none)
  int grid_y = 4;        // every grid_y-th row line dark (0: none)
  int first_column = 0;  // scrolled origin
  int first_row = 0;
  int width = 0;  // size of the picture in pixels
  int height = 0;
};

// Draws the map as the map edit window shows it, with no tool active.
void RenderMap(const EditMap& map, const MapRenderOptions& options, QPainter& painter);

// Columns and rows beyond the map's extent in a whole-map picture.
inline constexpr int kRenderMarginColumns = 2;
inline constexpr int kRenderMarginRows = 2;

// The size of a picture of the whole map: its extent plus the margin.
QSize WholeMapSize(const EditMap& map);

// The whole map in an image of WholeMapSize; needs a QGuiApplication.
QImage RenderWholeMap(const EditMap& map, int grid_x, int grid_y);

}  // namespace corvane
