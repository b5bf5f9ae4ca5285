#include "editor/map_zoom.h"

#include <gtest/gtest.h>

#include <iterator>
#include <vector>

#include "editor/map_drawing.h"

namespace corvane {
namespace {

TEST(MapZoomTest, StepsFromAStepBetweenStepsAndBeyondTheEnds) {
  EXPECT_EQ(NextZoom(100, 1), 150);
  EXPECT_EQ(NextZoom(100, -1), 75);
  EXPECT_EQ(NextZoom(100, -10), 25);
  EXPECT_EQ(NextZoom(400, 1), 400);
  // A fitted scale between steps: one step up or down reaches its neighbours.
  EXPECT_EQ(NextZoom(60, 1), 75);
  EXPECT_EQ(NextZoom(60, -1), 50);
  EXPECT_EQ(NextZoom(60, 2), 100);
  // Below the smallest step, zooming out keeps the scale; in goes to 25 %.
  EXPECT_EQ(NextZoom(10, -1), 10);
  EXPECT_EQ(NextZoom(10, 1), 25);
  EXPECT_EQ(NextZoom(100, 0), 100);
}

// The grid point nearest a view pixel at a scale, scrolled to `scroll`.
GridPoint PointAt(ScrollPosition scroll, PixelPoint view, int zoom) {
  return SnapToGrid(scroll.column * kCellWidth + ViewToGridPixels(view.x, zoom),
                    scroll.row * kCellHeight + ViewToGridPixels(view.y, zoom));
}

TEST(MapZoomTest, TheGridPointUnderTheAnchorStaysUnderIt) {
  std::vector<int> scales(std::begin(kZoomSteps), std::end(kZoomSteps));
  scales.push_back(7);                      // a scale Zoom to Fit gives
  const ScrollPosition scroll{4000, 3000};  // far enough from the origin
  for (const int from : scales) {
    for (const int to : scales) {
      for (const PixelPoint anchor :
           {PixelPoint{0, 0}, PixelPoint{317, 211}, PixelPoint{640, 480}, PixelPoint{5, 1000}}) {
        SCOPED_TRACE(std::to_string(from) + "->" + std::to_string(to) + " at " +
                     std::to_string(anchor.x) + "," + std::to_string(anchor.y));
        const ScrollPosition after = ZoomAround(scroll, anchor, from, to);
        EXPECT_EQ(PointAt(after, anchor, to), PointAt(scroll, anchor, from));
      }
    }
  }
  // Near the origin the view cannot scroll before column and row 0.
  EXPECT_EQ(ZoomAround({1, 1}, {500, 400}, 400, 100), (ScrollPosition{0, 0}));
  // The centre of a 640-pixel view shows 32 columns from its left edge at
  // 100 %, 64 at 50 %.
  EXPECT_EQ(ZoomAround({100, 0}, {320, 0}, 100, 50).column, 100 + 32 - 64);
}

TEST(MapZoomTest, FitShowsTheWholeMapAtTheLargestScaleUpToActualSize) {
  const MapExtent extent{198, 40};  // 1980 x 480 pixels, 2000 x 504 with the margin
  const int fit = FitZoom(extent, 1000, 300);
  EXPECT_EQ(fit, 50);
  const PixelSize whole = WholeMapPixels(extent);
  EXPECT_EQ((std::vector<int>{whole.width, whole.height}), (std::vector<int>{2000, 504}));
  EXPECT_GE(ViewToGridPixels(1000, fit), whole.width);
  EXPECT_GE(ViewToGridPixels(300, fit), whole.height);
  EXPECT_LT(ViewToGridPixels(1000, fit + 1), whole.width);
  // A small map is shown at actual size; a huge one as small as it goes.
  EXPECT_EQ(FitZoom({10, 5}, 1000, 300), kActualSize);
  EXPECT_EQ(FitZoom({100000, 5}, 1000, 300), kSmallestFitZoom);
  EXPECT_EQ(FitZoom({10, 5}, 0, 0), kSmallestFitZoom);
}

}  // namespace
}  // namespace corvane
