#pragma once
// The map edit window's picture on a QPainter: the window paints its
// visible part with it, the headless tool the whole map into an image.

#include <QImage>
#include <QPainter>
#include <QSize>

#include "editor/map_drawing.h"
#include "map/edit_map.h"

namespace corvane {

// Draws the map through the core's drawing on a QPainterCanvas.
void RenderMap(const EditMap& map, const MapDrawOptions& options, QPainter& painter);

// The size of a picture of the whole map (WholeMapPixels).
QSize WholeMapSize(const EditMap& map);

// The longest side of a whole-map picture, in pixels.
inline constexpr int kLargestImageSide = 32000;

// The whole map as the window shows it with no tool active, in an image of
// WholeMapSize; a null image when a side would exceed kLargestImageSide.
// Needs a QGuiApplication (for the fonts).
QImage RenderWholeMap(const EditMap& map, int grid_x, int grid_y);

}  // namespace corvane
