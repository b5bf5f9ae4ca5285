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
    right =
        std::max<std::int64_t>(right, MapToPixelX(flat, std::max(r.x_exit, r.x_entry) + shift.dx));
    bottom =
        std::max<std::int64_t>(bottom, MapToPixelY(flat, std::max(r.y_exit, r.y_entry) + shift.dy));
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

std::optional<BoardView> WholeBoardView(const BoardView& view, const SystemMap& map,
                                        std::int64_t most_pixels) {
  const BoardScrollRanges ranges = ScrollRangesOf(view, map, 0);
  const auto side = [](const ScrollRange& range, int client) {
    const std::int64_t positions =
        std::int64_t{range.maximum} - range.minimum + std::max(range.page, 1);
    return std::max<std::int64_t>(client, positions * kScrollStep);
  };
  const std::int64_t width = side(ranges.horizontal, view.width);
  const std::int64_t height = side(ranges.vertical, view.height);
  if (width <= 0 || height <= 0 || width > most_pixels / height) return std::nullopt;
  BoardView whole = view;
  whole.width = static_cast<int>(width);
  whole.height = static_cast<int>(height);
  whole.scroll_x = ScrollOffsetOf(ranges.horizontal.minimum);
  whole.scroll_y = ScrollOffsetOf(ranges.vertical.minimum);
  return whole;
}

int ClampScrollPosition(const ScrollRange& range, int position) {
  const std::int64_t last = std::int64_t{range.maximum} - range.page + 1;
  return ClampToInt(std::max<std::int64_t>(range.minimum, std::min<std::int64_t>(position, last)));
}

int ScrollPositionOf(int offset) { return ClampToInt(-std::int64_t{offset} / kScrollStep); }

int ScrollOffsetOf(int position) { return ClampToInt(-std::int64_t{position} * kScrollStep); }

void ScrollBoardTo(BoardView& view, const BoardScrollRanges& ranges, int x, int y) {
  view.scroll_x = ScrollOffsetOf(ClampScrollPosition(ranges.horizontal, x));
  view.scroll_y = ScrollOffsetOf(ClampScrollPosition(ranges.vertical, y));
}

void ScrollBoard(BoardView& view, const BoardScrollRanges& ranges, BoardScroll command) {
  int dx = 0;
  int dy = 0;
  switch (command) {
    case BoardScroll::kPageLeft:
      dx = -kScrollPageStep;
      break;
    case BoardScroll::kLineLeft:
      dx = -kScrollLineStep;
      break;
    case BoardScroll::kLineRight:
      dx = kScrollLineStep;
      break;
    case BoardScroll::kPageRight:
      dx = kScrollPageStep;
      break;
    case BoardScroll::kPageUp:
      dy = -kScrollPageStep;
      break;
    case BoardScroll::kLineUp:
      dy = -kScrollLineStep;
      break;
    case BoardScroll::kLineDown:
      dy = kScrollLineStep;
      break;
    case BoardScroll::kPageDown:
      dy = kScrollPageStep;
      break;
  }
  const auto moved = [](int position, int step) {
    return ClampToInt(std::int64_t{position} + step);
  };
  ScrollBoardTo(view, ranges, moved(ScrollPositionOf(view.scroll_x), dx),
                moved(ScrollPositionOf(view.scroll_y), dy));
}

}  // namespace corvane
