#include "board/point_boxes.h"

#include <gtest/gtest.h>

#include "support/board_line.h"

namespace corvane {
namespace {

using testing::BoardLine;

TEST(PointBoxesTest, ABoxHoldsTheRailsOfThePointsPiecesAsDrawn) {
  BoardLine line;
  SystemMap& map = line.map();
  const int left = line.Rail(0, 100, 60);            // leftward: one track width lower
  const int branch = line.Rail(100, 40, 80, 1, 90);  // rightward, sloping
  const int plain = line.Rail(200, 300, 60);         // a piece of no point
  const int far = line.Rail(500, 600, 60, 7);        // a row the table lacks
  map.prails.Append({0, 0, left, 0, 1});
  map.prails.Append({0, 0, branch, 0, 1});
  map.prails.Append({0, 0, plain, 0, 1});
  map.rails[left].l_pack = 1;
  map.rails[branch].l_pack = 2;
  map.rails[plain].l_pack = 3;
  map.rails[far].l_pack = 99;  // no such piece
  PointRecord point;
  point.entry_count = 2;
  point.entry_rails[0] = left;
  point.entry_rails[1] = branch;
  map.points.Append(point);
  map.points.Append(PointRecord{});  // a point without rails

  BoardView view;
  const RunState run = BuildRunState(line.file());
  const auto boxes = PointBoxes(view, line.file(), run);
  ASSERT_EQ(boxes.size(), 3U);
  EXPECT_FALSE(boxes[0].has_value());
  ASSERT_TRUE(boxes[1].has_value());
  EXPECT_EQ(*boxes[1], (PixelBox{0, 63, 100, 92}));
  EXPECT_FALSE(boxes[2].has_value());

  // Zoom and scroll move the box with the rails.
  view.scale_x = 8192;
  view.scroll_y = -10;
  EXPECT_EQ(*PointBoxes(view, line.file(), run)[1], (PixelBox{0, 53, 200, 82}));
  // A run-time list built for fewer pieces is read only as far as it goes.
  EXPECT_FALSE(PointBoxes(view, line.file(), RunState{})[1].has_value());
}

}  // namespace
}  // namespace corvane
