#include "editor/map_zoom.h"

#include <algorithm>
#include <cstdint>
#include <iterator>

#include "editor/map_drawing.h"

namespace corvane {

namespace {

// Floor division, also for negative numbers.
std::int64_t FloorDiv(std::int64_t a, std::int64_t b) {
  const std::int64_t q = a / b;
  return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

// The new first column (row) that puts the grid line nearest grid pixel
// `at` (of cells `cell` wide) nearest to the view pixel that shows grid
// pixel `shown` from the first column.
int KeepLine(std::int64_t at, std::int64_t shown, int cell) {
  const std::int64_t line = FloorDiv(at + cell / 2, cell);
  const std::int64_t cells_before = FloorDiv(shown + cell / 2, cell);
  return static_cast<int>(std::clamp<std::int64_t>(line - cells_before, 0, INT32_MAX));
}

}  // namespace

int ViewToGridPixels(int view, int zoom) {
  // Floor division: every view pixel belongs to the grid pixel it shows.
  return static_cast<int>(FloorDiv(std::int64_t{view} * kActualSize, std::max(zoom, 1)));
}

int NextZoom(int zoom, int steps) {
  const int* begin = std::begin(kZoomSteps);
  const int* end = std::end(kZoomSteps);
  const std::ptrdiff_t count = end - begin;
  // The first step at or above the scale; a scale between two steps counts
  // as half a step above the lower one.
  const std::ptrdiff_t above = std::lower_bound(begin, end, zoom) - begin;
  const bool on_step = above < count && kZoomSteps[above] == zoom;
  std::ptrdiff_t to = 0;
  if (steps > 0) {
    to = (on_step ? above : above - 1) + steps;
    if (above == count) return zoom;
  } else if (steps < 0) {
    to = above + steps;
    if (above == 0 && !on_step) return zoom;
  } else {
    return zoom;
  }
  return kZoomSteps[std::clamp<std::ptrdiff_t>(to, 0, count - 1)];
}

ScrollPosition ZoomAround(ScrollPosition scroll, PixelPoint anchor, int from, int to) {
  const std::int64_t grid_x =
      std::int64_t{scroll.column} * kCellWidth + ViewToGridPixels(anchor.x, from);
  const std::int64_t grid_y =
      std::int64_t{scroll.row} * kCellHeight + ViewToGridPixels(anchor.y, from);
  return {KeepLine(grid_x, ViewToGridPixels(anchor.x, to), kCellWidth),
          KeepLine(grid_y, ViewToGridPixels(anchor.y, to), kCellHeight)};
}

ScrollPosition CentredOn(int x1, int y1, int x2, int y2, int zoom, int view_width,
                         int view_height) {
  // The middle in grid pixels, and where the view's middle shows from its
  // first column and row.
  const std::int64_t middle_x = (std::int64_t{x1} + x2) * kCellWidth / 2;
  const std::int64_t middle_y = (std::int64_t{y1} + y2) * kCellHeight / 2;
  return {KeepLine(middle_x, ViewToGridPixels(view_width / 2, zoom), kCellWidth),
          KeepLine(middle_y, ViewToGridPixels(view_height / 2, zoom), kCellHeight)};
}

int FitZoom(MapExtent extent, int view_width, int view_height) {
  const PixelSize map = WholeMapPixels(extent);
  // The largest whole percent at which each side fits.
  const std::int64_t across =
      std::int64_t{std::max(view_width, 0)} * kActualSize / std::max(map.width, 1);
  const std::int64_t down =
      std::int64_t{std::max(view_height, 0)} * kActualSize / std::max(map.height, 1);
  return static_cast<int>(
      std::clamp<std::int64_t>(std::min(across, down), kSmallestFitZoom, kActualSize));
}

}  // namespace corvane
