#pragma once
// The scale of the map edit window's view: the steps of Zoom In and Zoom
// Out, view pixels as grid pixels, the scroll position that keeps the grid
// point under the pointer (or the view's centre) in place when the scale
// changes, and the scale of Zoom to Fit.

#include "base/canvas.h"
#include "map/edit_map.h"

namespace corvane {

// The scales Zoom In and Zoom Out step through, in percent.
inline constexpr int kZoomSteps[] = {25, 50, 75, 100, 150, 200, 300, 400};
inline constexpr int kActualSize = 100;
// The smallest scale Zoom to Fit goes down to for a very large map.
inline constexpr int kSmallestFitZoom = 5;

// A view pixel at scale `zoom` (percent) as a grid pixel, before scrolling.
int ViewToGridPixels(int view, int zoom);

// The scale `steps` steps of kZoomSteps up (down for negative steps) from
// `zoom`. From a scale between two steps the first step up lands on the
// step above it, the first step down on the one below; beyond the last
// step the scale stays.
int NextZoom(int zoom, int steps);

// The view's scroll position: its first column and row.
struct ScrollPosition {
  int column = 0;
  int row = 0;
  friend bool operator==(const ScrollPosition&, const ScrollPosition&) = default;
};

// The scroll position after the scale changed from `from` to `to` that
// keeps the grid point nearest view pixel `anchor` at that pixel, as near
// as whole columns and rows allow (never before column and row 0).
ScrollPosition ZoomAround(ScrollPosition scroll, PixelPoint anchor, int from, int to);

// The scroll position that puts the middle of the grid box from (x1, y1) to
// (x2, y2) at the middle of a view of this size at scale `zoom`, as near as
// whole columns and rows allow (never before column and row 0).
ScrollPosition CentredOn(int x1, int y1, int x2, int y2, int zoom, int view_width, int view_height);

// The largest scale (percent, at most actual size, at least
// kSmallestFitZoom) at which a view of this size shows the whole map of
// `extent` from column and row 0, with the margin a whole-map picture has.
int FitZoom(MapExtent extent, int view_width, int view_height);

}  // namespace corvane
