#include "board/board_scroll.h"

#include <gtest/gtest.h>

#include <climits>

#include "support/board_line.h"

namespace corvane {
namespace {

using testing::BoardLine;

BoardView Window(int width = 1000, int height = 700) {
  BoardView view;
  view.width = width;
  view.height = height;
  return view;
}

TEST(ZoomBoardTest, StepsKeepEachFactorWithinItsRange) {
  BoardView view = Window();
  for (int i = 0; i < 20; ++i) ZoomBoard(view, ZoomAxis::kHorizontal, -kLargeZoomStep);
  EXPECT_EQ(view.scale_x, kSmallestScale);
  EXPECT_EQ(view.scale_y, kOneToOneScale);  // the other axis is left alone
  ZoomBoard(view, ZoomAxis::kHorizontal, kSmallZoomStep);
  EXPECT_EQ(view.scale_x, kSmallestScale + 64);
  for (int i = 0; i < 300; ++i) ZoomBoard(view, ZoomAxis::kVertical, kLargeZoomStep);
  EXPECT_EQ(view.scale_y, kLargestScale);
  ZoomBoard(view, ZoomAxis::kVertical, -kSmallZoomStep);
  EXPECT_EQ(view.scale_y, kLargestScale - 64);
  EXPECT_EQ(view.TrackWidth(), 3 * (kLargestScale - 64) / 4096);
}

TEST(ScrollRangesTest, RangesReachTheLastRailWithAQuarterWindowToSpare) {
  BoardLine line;
  line.Rail(0, 2000, 60);
  line.Rail(0, 100, 1400);
  const BoardScrollRanges ranges = ScrollRangesOf(Window(), line.map(), 0);
  EXPECT_EQ(ranges.horizontal, (ScrollRange{-1, (2000 + 250) / 20, 50}));
  EXPECT_EQ(ranges.vertical, (ScrollRange{-1, (1400 + 175) / 20, 35}));

  // Rails that fit in the window need no scrolling; row offsets count.
  BoardLine small;
  small.Rail(0, 970, 60);
  EXPECT_EQ(ScrollRangesOf(Window(), small.map(), 0).horizontal, (ScrollRange{0, 0, 1}));
  small.map().rows[1].x_shift = 20;
  EXPECT_EQ(ScrollRangesOf(Window(), small.map(), 0).horizontal.maximum, (990 + 250) / 20);
  // Row-division editing shows the rails flat.
  BoardView flat = Window();
  flat.layout = LayoutMode::kRowDivision;
  EXPECT_EQ(ScrollRangesOf(flat, small.map(), 0).horizontal, (ScrollRange{0, 0, 1}));
}

TEST(WholeBoardTest, ThePictureCoversEveryScrollPositionAndNoLessThanTheWindow) {
  BoardLine line;
  line.Rail(0, 2000, 60);
  line.Rail(0, 100, 1400);
  BoardView view = Window();
  view.scroll_x = -400;  // where the window stands does not matter
  const std::optional<BoardView> whole = WholeBoardView(view, line.map(), 1 << 28);
  ASSERT_TRUE(whole.has_value());
  // Positions -1 .. 112 with a page of 50 across, -1 .. 78 with 35 down.
  EXPECT_EQ(whole->width, (112 + 1 + 50) * 20);
  EXPECT_EQ(whole->height, (78 + 1 + 35) * 20);
  EXPECT_EQ(whole->scroll_x, 20);
  EXPECT_EQ(whole->scroll_y, 20);
  EXPECT_EQ(whole->scale_x, view.scale_x);

  BoardLine small;
  small.Rail(0, 100, 60);
  const std::optional<BoardView> fits = WholeBoardView(Window(), small.map(), 1 << 28);
  ASSERT_TRUE(fits.has_value());
  EXPECT_EQ(fits->width, 1000);
  EXPECT_EQ(fits->height, 700);
  EXPECT_EQ(fits->scroll_x, 0);

  // A picture beyond the limit is refused, not made.
  BoardLine huge;
  huge.Rail(0, kBoardLimit, kBoardLimit);
  BoardView zoomed = Window();
  zoomed.scale_x = zoomed.scale_y = kLargestScale;
  EXPECT_FALSE(WholeBoardView(zoomed, huge.map(), 1 << 28).has_value());
}

TEST(ScrollRangesTest, TheFarthestRailAtTheLargestScaleNeedsNoOverflow) {
  BoardLine line;
  line.Rail(0, kBoardLimit, kBoardLimit);
  BoardView view = Window();
  view.scale_x = view.scale_y = kLargestScale;
  const BoardScrollRanges ranges = ScrollRangesOf(view, line.map(), 0);
  EXPECT_EQ(ranges.horizontal.maximum, (std::int64_t{kBoardLimit} * 16 + 250) / 20);
  EXPECT_EQ(ranges.vertical.maximum, (std::int64_t{kBoardLimit} * 16 + 175) / 20);
  BoardView scrolled = view;
  ScrollBoardTo(scrolled, ranges, INT_MAX, INT_MAX);
  EXPECT_EQ(scrolled.scroll_x, -20 * (ranges.horizontal.maximum - 50 + 1));
}

TEST(ScrollRangesTest, RowPositionEditingReachesTheRowOrigin) {
  BoardLine line;
  line.Rail(0, 2000, 60);
  line.map().rows[1] = {-410, -50, 0, 0};
  BoardView view = Window();
  view.layout = LayoutMode::kRowPosition;
  const BoardScrollRanges ranges = ScrollRangesOf(view, line.map(), 1);
  EXPECT_EQ(ranges.horizontal.minimum, -21);  // (-410 - 20) / 20, toward zero
  EXPECT_EQ(ranges.horizontal.maximum, (2000 - 410 + 250) / 20);
  view.layout = LayoutMode::kNormal;
  EXPECT_EQ(ScrollRangesOf(view, line.map(), 1).horizontal.minimum, -1);
}

TEST(ScrollRangesTest, PositionsStayWithinTheRange) {
  const ScrollRange range{-1, 112, 50};
  EXPECT_EQ(ClampScrollPosition(range, 100), 63);
  EXPECT_EQ(ClampScrollPosition(range, -5), -1);
  EXPECT_EQ(ClampScrollPosition(range, 10), 10);
  EXPECT_EQ(ClampScrollPosition({0, 0, 1}, 7), 0);
  EXPECT_EQ(ClampScrollPosition({0, 10, 50}, 7), 0);  // a page larger than the range
}

TEST(ScrollBoardTest, CommandsMoveByLinesAndPagesWithinTheRange) {
  const BoardScrollRanges ranges{{-1, 112, 50}, {0, 30, 35}};
  BoardView view = Window();
  ScrollBoard(view, ranges, BoardScroll::kPageRight);
  EXPECT_EQ(view.scroll_x, -200);
  ScrollBoard(view, ranges, BoardScroll::kLineRight);
  EXPECT_EQ(view.scroll_x, -220);
  for (int i = 0; i < 10; ++i) ScrollBoard(view, ranges, BoardScroll::kPageRight);
  EXPECT_EQ(view.scroll_x, -20 * 63);  // the last page
  for (int i = 0; i < 10; ++i) ScrollBoard(view, ranges, BoardScroll::kPageLeft);
  EXPECT_EQ(view.scroll_x, 20);  // position -1
  ScrollBoard(view, ranges, BoardScroll::kLineLeft);
  EXPECT_EQ(view.scroll_x, 20);
  // The vertical range is smaller than a page: the board stays at the top.
  ScrollBoard(view, ranges, BoardScroll::kPageDown);
  ScrollBoard(view, ranges, BoardScroll::kLineDown);
  EXPECT_EQ(view.scroll_y, 0);
  EXPECT_EQ(view.scroll_x, 20);  // one axis at a time
  // An offset between two positions (row-division editing sets 50 pixels)
  // counts as the position toward zero.
  view.scroll_y = 50;
  ScrollBoard(view, {{0, 100, 10}, {-10, 100, 10}}, BoardScroll::kLineUp);
  EXPECT_EQ(view.scroll_y, 60);
}

}  // namespace
}  // namespace corvane
