#pragma once
// Zoom and scroll of a display window, and the station frame nearest a
// pixel: the rules the windows follow, apart from the drawing.

#include "base/canvas.h"
#include "board/board_view.h"
#include "data/system_map.h"

namespace corvane {

// The zoom steps: each factor moves on its own by a large or a small step,
// and stays within kSmallestScale … kLargestScale.
inline constexpr int kLargeZoomStep = 256;
inline constexpr int kSmallZoomStep = 64;
enum class ZoomAxis { kHorizontal, kVertical };
void ZoomBoard(BoardView& view, ZoomAxis axis, int step);

// A scroll bar's range in positions of kScrollStep pixels.
struct ScrollRange {
  int minimum = 0;
  int maximum = 0;
  int page = 1;
  friend bool operator==(const ScrollRange&, const ScrollRange&) = default;
};
// Line steps and page steps of the board's scroll bars, in positions.
inline constexpr int kScrollLineStep = 1;
inline constexpr int kScrollPageStep = 10;

struct BoardScrollRanges {
  ScrollRange horizontal;
  ScrollRange vertical;
};

// The scroll ranges that reach every rail at the view's scale, with a
// quarter of the window to spare beyond the last; 0 … 0 when the rails fit
// in the window. `edited_row` is the row being placed in row-position
// editing (its origin stays reachable on the left and top), 0 otherwise.
BoardScrollRanges ScrollRangesOf(const BoardView& view, const SystemMap& map, int edited_row);

// `position` within minimum … maximum - page + 1 (minimum when the page is
// larger than the range).
int ClampScrollPosition(const ScrollRange& range, int position);

// The station frame (a `station_draws` record) nearest `point` among those
// lying wholly inside the window, the first on ties; 0 when none does.
int NearestStationFrame(const BoardView& view, const SystemMap& map, PixelPoint point);

}  // namespace corvane
