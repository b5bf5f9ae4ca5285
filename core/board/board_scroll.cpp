#include "board/board_scroll.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace corvane {

namespace {

// One axis of the scroll ranges: `extent` the largest rail coordinate in
// pixels (without scrolling), `client` the window's size along the axis,
// `start` the pixels the range reaches before 0.
ScrollRange RangeOf(std::int64_t extent, int client, std::int64_t start) {
  if (extent + kScrollStep <= client) return {0, 0, 1};
  ScrollRange range;
  range.minimum = ClampToInt(std::min<std::int64_t>(0, (start - kScrollStep) / kScrollStep));
  range.maximum =
      ClampToInt(std::max<std::int64_t>(range.minimum, (extent + client / 4) / kScrollStep));
  range.page = std::max(1, client / kScrollStep);
  return range;
}

}  // namespace

void ZoomBoard(BoardView& view, ZoomAxis axis, int step) {
  int& scale = axis == ZoomAxis::kHorizontal ? view.scale_x : view.scale_y;
  scale = ClampScale(std::int64_t{ClampScale(scale)} + step);
}

BoardScrollRanges ScrollRangesOf(const BoardView& view, const SystemMap& map, int edited_row) {
  BoardView flat = view;  // pixels from the board's own origin
  flat.scroll_x = 0;
  flat.scroll_y = 0;
  std::int64_t right = std::numeric_limits<std::int64_t>::min();
  std::int64_t bottom = std::numeric_limits<std::int64_t>::min();
  for (const RailRecord& r : map.rails) {
    const RowShift shift = ShiftOfRow(map.rows, r.display_row, view.layout);
    right = std::max<std::int64_t>(
        right, MapToPixelX(flat, std::max(r.x_exit, r.x_entry) + shift.dx));
    bottom = std::max<std::int64_t>(
        bottom, MapToPixelY(flat, std::max(r.y_exit, r.y_entry) + shift.dy));
  }
  if (map.rails.empty()) right = bottom = 0;
  std::int64_t left = 0;
  std::int64_t top = 0;
  if (view.layout == LayoutMode::kRowPosition && map.rows.Contains(edited_row)) {
    left = std::min<std::int64_t>(0, MapToPixelX(flat, map.rows[edited_row].x));
    top = std::min<std::int64_t>(0, MapToPixelY(flat, map.rows[edited_row].y));
  }
  return {RangeOf(right, view.width, left), RangeOf(bottom, view.height, top)};
}

int ClampScrollPosition(const ScrollRange& range, int position) {
  const std::int64_t last = std::int64_t{range.maximum} - range.page + 1;
  return ClampToInt(std::max<std::int64_t>(range.minimum, std::min<std::int64_t>(position, last)));
}

int NearestStationFrame(const BoardView& view, const SystemMap& map, PixelPoint point) {
  int nearest = 0;
  std::int64_t best = 0;
  for (int i = 1; i <= map.station_draws.count(); ++i) {
    const StationDrawRecord& s = map.station_draws[i];
    const PixelPoint a = MapToPixel(view, map.rows, s.kind, s.x_left, s.y_top);
    const PixelPoint b = MapToPixel(view, map.rows, s.kind, s.x_right, s.y_bottom);
    const auto inside = [](int v, int size) { return v > 0 && v < size; };
    if (!inside(a.x, view.width) || !inside(b.x, view.width) || !inside(a.y, view.height) ||
        !inside(b.y, view.height)) {
      continue;
    }
    // Differences kept below 2^30 so that the sum of squares fits.
    const auto difference = [](int a1, int a2, int p) {
      constexpr std::int64_t kFar = std::int64_t{1} << 30;
      return std::clamp(std::int64_t{a1} + a2 - 2 * std::int64_t{p}, -kFar, kFar);
    };
    const std::int64_t dx = difference(a.x, b.x, point.x);
    const std::int64_t dy = difference(a.y, b.y, point.y);
    const std::int64_t distance = dx * dx + 4 * dy * dy;
    if (nearest == 0 || distance < best) {
      nearest = i;
      best = distance;
    }
  }
  return nearest;
}

}  // namespace corvane
