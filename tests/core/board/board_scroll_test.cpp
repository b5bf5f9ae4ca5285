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

TEST(NearestStationFrameTest, OnlyFramesWhollyInsideTheWindowCount) {
  BoardLine line;
  line.Frame(-10, 30, 10, 40);    // 1: crosses the left edge
  line.Frame(100, 140, 10, 40);   // 2
  line.Frame(300, 340, 10, 40);   // 3
  line.Frame(300, 340, 10, 40);   // 4: as near as 3
  line.Frame(500, 540, 10, 700);  // 5: reaches the bottom edge
  const BoardView view = Window();
  EXPECT_EQ(NearestStationFrame(view, line.map(), {0, 25}), 2);
  EXPECT_EQ(NearestStationFrame(view, line.map(), {300, 25}), 3);
  EXPECT_EQ(NearestStationFrame(view, line.map(), {520, 600}), 3);
  EXPECT_EQ(NearestStationFrame(view, line.map(), {215, 25}), 2);
  EXPECT_EQ(NearestStationFrame(view, line.map(), {INT_MAX, INT_MIN}), 2);  // no overflow
  BoardView scrolled = view;
  scrolled.scroll_x = -1000;
  EXPECT_EQ(NearestStationFrame(scrolled, line.map(), {0, 0}), 0);
}

}  // namespace
}  // namespace corvane
