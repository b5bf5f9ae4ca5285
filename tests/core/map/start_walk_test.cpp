#include "map/start_walk.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <limits>

namespace corvane {
namespace {

MapRail Rail(int x1, int row1, int x2, int row2) { return NewRail({x1, row1}, {x2, row2}, 1); }

MapJump Jump(int ax, int ay, int bx, int by) {
  MapJump jump;
  jump.ax = ax;
  jump.ay = ay;
  jump.bx = bx;
  jump.by = by;
  return jump;
}

// A turnout with its joint at the left on `joint_row`, branching to `rows`.
MapPoint TurnoutJointLeft(int x1, int x2, int joint_row, std::array<int, 2> rows) {
  MapPoint point;
  point.kind = kTurnoutJointLeft;
  point.x1 = x1;
  point.x2 = x2;
  point.y1 = std::min({joint_row, rows[0], rows[1]}) - 1;
  point.y2 = std::max({joint_row, rows[0], rows[1]}) + 1;
  point.branch_count = 2;
  for (int b = 1; b <= 2; ++b) {
    point.branch_left_dy[b] = joint_row - point.y1;
    point.branch_right_dy[b] = rows[b - 1] - point.y1;
  }
  return point;
}

// Row 1: segment 1 (0..10), segment 2 in station 1 (10..20), a turnout at
// 20..22 branching to rows 1 and 3, segment 3 in station 2 on row 1 and
// segment 4 in stop section 1 on row 3 (both 22..30).
class StartWalkTest : public ::testing::Test {
 protected:
  void SetUp() override {
    edit_.stations().Append({});
    edit_.stations().Append({});
    edit_.targets().Append({});
    edit_.rails().Append(Rail(0, 1, 10, 1));
    MapRail rail = Rail(10, 1, 20, 1);
    rail.station = 1;
    rail.stop_right = 300;
    rail.stop_left = 200;
    edit_.rails().Append(rail);
    edit_.points().Append(TurnoutJointLeft(20, 22, 1, {1, 3}));
    rail = Rail(22, 1, 30, 1);
    rail.station = 2;
    rail.stop_right = 500;
    rail.stop_left = 400;
    edit_.rails().Append(rail);
    rail = Rail(22, 3, 30, 3);
    rail.target = 1;
    rail.stop_right = 600;
    rail.stop_left = 100;
    edit_.rails().Append(rail);
  }

  EditMap map_;
  MapChange edit_{map_};
};

TEST_F(StartWalkTest, OnlyLineEndsCanBeTheStart) {
  EXPECT_TRUE(map_.CanBeStartRail(1));
  EXPECT_FALSE(map_.CanBeStartRail(2));  // segment on the left, turnout on the right
  EXPECT_TRUE(map_.CanBeStartRail(3));
  EXPECT_TRUE(map_.CanBeStartRail(4));
  EXPECT_FALSE(map_.CanBeStartRail(0));
  EXPECT_FALSE(map_.CanBeStartRail(99));

  // Continuing through a jump counts; a jump that leads nowhere does not.
  edit_.jumps().Append(Jump(30, 1, 40, 8));
  EXPECT_TRUE(map_.CanBeStartRail(3));
  edit_.rails().Append(Rail(40, 8, 45, 8));
  EXPECT_FALSE(map_.CanBeStartRail(3));
}

TEST_F(StartWalkTest, WalkFromTheLeftEndMarksStationsAndStopSections) {
  SetStartRail(edit_, 1);
  EXPECT_EQ(map_.header().start.start_rail, 1);
  // Segment 2 starts 100 units (1000 m) on; its rightward stop target adds 30.
  EXPECT_EQ(map_.stations()[1].start_marks[0], 130);
  EXPECT_EQ(map_.stations()[1].start_marks[1], 130);
  EXPECT_EQ(map_.stations()[1].start_marks[2], -1);
  EXPECT_EQ(map_.stations()[1].previous_station, 0);
  // Both branches leave the turnout at 200 + 10.
  EXPECT_EQ(map_.stations()[2].start_marks[0], 260);
  EXPECT_EQ(map_.stations()[2].previous_station, 1);
  EXPECT_EQ(map_.targets()[1].start_marks[0], -1);
  EXPECT_EQ(map_.targets()[1].start_marks[1], 270);
  EXPECT_EQ(map_.header().first_station, 1);
  EXPECT_EQ(map_.header().first_target, 0);  // a station came first

  // Clearing the start forgets every mark; the station met before is only
  // ever written by a walk that reaches the station.
  SetStartRail(edit_, 0);
  EXPECT_EQ(map_.header().start.start_rail, 0);
  EXPECT_EQ(map_.stations()[2].start_marks[0], -1);
  EXPECT_EQ(map_.stations()[2].previous_station, 1);
  EXPECT_EQ(map_.targets()[1].start_marks[1], -1);
  EXPECT_EQ(map_.header().first_station, 0);
}

TEST_F(StartWalkTest, StationsTheWalkDoesNotReachKeepTheirStationBefore) {
  // Station 3 lies on a segment of its own, off the line; an isolated start
  // segment reaches no station at all.
  edit_.stations().Append({});
  edit_.stations()[3].previous_station = 2;
  edit_.stations()[2].previous_station = 3;
  MapRail alone = Rail(40, 9, 50, 9);
  alone.station = 3;
  edit_.rails().Append(alone);  // 5
  SetStartRail(edit_, 1);
  EXPECT_EQ(map_.stations()[2].previous_station, 1);
  EXPECT_EQ(map_.stations()[3].previous_station, 2);
  EXPECT_EQ(map_.stations()[3].start_marks[0], -1);

  edit_.rails().Append(Rail(60, 9, 70, 9));  // 6: isolated
  SetStartRail(edit_, 6);
  EXPECT_EQ(map_.stations()[1].previous_station, 0);
  EXPECT_EQ(map_.stations()[2].previous_station, 1);
  EXPECT_EQ(map_.stations()[3].previous_station, 2);
  EXPECT_EQ(map_.stations()[2].start_marks[0], -1);
}

TEST_F(StartWalkTest, WalkFromARightEndTurnsBackAtTheTurnout) {
  // From the free right end of segment 4 the line runs leftward, so leftward
  // distances grow; the turnout's other branch is walked back rightward.
  SetStartRail(edit_, 4);
  EXPECT_EQ(map_.targets()[1].start_marks[1], 10);
  EXPECT_EQ(map_.header().first_target, 1);  // met before any station
  EXPECT_EQ(map_.header().first_station, 1);
  // 80 for segment 4, 10 for the turnout, then segment 2's leftward stop 20.
  EXPECT_EQ(map_.stations()[1].start_marks[0], 110);
  EXPECT_EQ(map_.stations()[1].previous_station, 0);
  // Segment 3 begins at the turnout's right column (80) and runs back.
  EXPECT_EQ(map_.stations()[2].start_marks[0], 30);
  EXPECT_EQ(map_.stations()[2].previous_station, 1);
}

TEST_F(StartWalkTest, WalkFollowsJumpsToSegmentsOnly) {
  // Fold the line: segment 1 now starts at the end of a jump from row 8,
  // and the row-1 branch ends in a jump straight onto another turnout.
  edit_.rails()[3].station = 0;
  edit_.rails().Append(Rail(0, 8, 10, 8));  // 5: the new start
  edit_.jumps().Append(Jump(10, 8, 0, 1));
  edit_.jumps().Append(Jump(30, 1, 50, 11));
  edit_.points().Append(TurnoutJointLeft(50, 52, 11, {11, 13}));
  MapRail rail = Rail(52, 13, 60, 13);
  rail.station = 2;
  rail.stop_right = 700;
  edit_.rails().Append(rail);

  EXPECT_TRUE(map_.CanBeStartRail(5));
  EXPECT_FALSE(map_.CanBeStartRail(1));
  // A jump leads on only to a segment: segment 3 ends the line.
  EXPECT_TRUE(map_.CanBeStartRail(3));
  SetStartRail(edit_, 5);
  EXPECT_EQ(map_.stations()[1].start_marks[0], 230);
  EXPECT_EQ(map_.stations()[2].start_marks[0], -1);

  // With a segment between the jump and the turnout the walk goes on: 300
  // to the first turnout, 10 through it, 80 on segment 3, 100 on the new
  // segment, 10 through the second turnout, then the stop target 70.
  edit_.jumps()[2].bx = 40;
  edit_.rails().Append(Rail(40, 11, 50, 11));
  EXPECT_FALSE(map_.CanBeStartRail(3));
  SetStartRail(edit_, 5);
  EXPECT_EQ(map_.stations()[2].start_marks[0], 570);
}

TEST(StartWalkLoopTest, RingsOfTrackEndTheWalk) {
  // A passing loop: both turnouts are entered once, the loop track twice.
  EditMap map;
  MapChange edit(map);
  edit.stations().Append({});
  edit.rails().Append(Rail(0, 1, 10, 1));
  edit.points().Append(TurnoutJointLeft(10, 12, 1, {1, 3}));
  MapRail loop = Rail(12, 3, 20, 3);
  loop.station = 1;
  edit.rails().Append(Rail(12, 1, 20, 1));
  edit.rails().Append(loop);
  MapPoint right = TurnoutJointLeft(20, 22, 1, {1, 3});
  right.kind = kTurnoutJointRight;
  right.branch_left_dy = right.branch_right_dy;
  right.branch_right_dy.fill(right.branch_left_dy[1]);
  edit.points().Append(right);
  edit.rails().Append(Rail(22, 1, 30, 1));
  SetStartRail(edit, 1);
  EXPECT_NE(map.stations()[1].start_marks[0], -1);

  // Segments joined into a circle by jumps, with no point to stop at.
  EditMap circle;
  MapChange circle_edit(circle);
  circle_edit.stations().Append({});
  MapRail rail = Rail(0, 1, 10, 1);
  rail.station = 1;
  rail.stop_right = 90;
  circle_edit.rails().Append(rail);
  circle_edit.rails().Append(Rail(0, 5, 10, 5));
  circle_edit.jumps().Append(Jump(10, 1, 0, 5));
  circle_edit.jumps().Append(Jump(10, 5, 0, 1));
  EXPECT_FALSE(circle.CanBeStartRail(1));
  SetStartRail(circle_edit, 1);
  EXPECT_EQ(circle.stations()[1].start_marks[0], 9);
}

TEST(StartWalkLoopTest, ForeignNumbersStayInRange) {
  EditMap map;
  MapChange edit(map);
  edit.stations().Append({});
  for (int i = 0; i < 11; ++i) {
    MapRail rail = Rail(i * 10, 1, i * 10 + 10, 1);
    rail.length = std::numeric_limits<int>::max();
    edit.rails().Append(rail);
  }
  edit.rails()[1].station = 7;  // no such station or stop section
  edit.rails()[1].target = -2;
  MapRail rail = Rail(110, 1, 120, 1);
  rail.station = 1;
  edit.rails().Append(rail);
  rail = Rail(120, 1, 130, 1);
  rail.y1 = 2000000000;  // ends beyond the grid
  rail.left_dy = 2000000000;
  edit.rails().Append(rail);

  SetStartRail(edit, 1);
  EXPECT_EQ(map.header().first_station, 1);
  EXPECT_EQ(map.stations()[1].start_marks[0], std::numeric_limits<int>::max());
  EXPECT_TRUE(map.CanBeStartRail(13));
  SetStartRail(edit, 99);
  EXPECT_EQ(map.header().start.start_rail, 0);
}

}  // namespace
}  // namespace corvane
