#pragma once
// Zoom and scroll of a display window: the zoom steps, the scroll ranges,
// the scroll-bar positions and the eight scroll commands.

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

// The view that shows everything the scroll bars of `view` reach at its
// zoom, in one picture (as the board is copied whole): scrolled to the
// ranges' minimum, as wide and high as the ranges with their page, never
// smaller than the window. None when the picture would hold more than
// `most_pixels`.
std::optional<BoardView> WholeBoardView(const BoardView& view, const SystemMap& map,
                                        std::int64_t most_pixels);

// `position` within minimum … maximum - page + 1 (minimum when the page is
// larger than the range).
int ClampScrollPosition(const ScrollRange& range, int position);

// The scroll-bar position a pixel offset stands for (offset = -20 x the
// position), and back.
int ScrollPositionOf(int offset);
int ScrollOffsetOf(int position);

// Scrolls `view` to the scroll-bar positions (`x`, `y`), each clamped within
// its range.
void ScrollBoardTo(BoardView& view, const BoardScrollRanges& ranges, int x, int y);

// The scroll commands of a display window (keys, no menu lines): a line or
// a page along one axis.
enum class BoardScroll {
  kPageLeft,
  kLineLeft,
  kLineRight,
  kPageRight,
  kPageUp,
  kLineUp,
  kLineDown,
  kPageDown,
};
void ScrollBoard(BoardView& view, const BoardScrollRanges& ranges, BoardScroll command);

}  // namespace corvane
