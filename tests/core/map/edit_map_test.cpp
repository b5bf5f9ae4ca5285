#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "map/map_change.h"
#include "support/test_support.h"

namespace corvane {
namespace {

using testing::Records;
using testing::Sjis;

MapRail Rail(int x1, int row1, int x2, int row2) { return NewRail({x1, row1}, {x2, row2}, 1); }

MapJump Jump(int ax, int ay, int bx, int by) {
  MapJump jump;
  jump.ax = ax;
  jump.ay = ay;
  jump.bx = bx;
  jump.by = by;
  return jump;
}

TEST(EditMapTest, ReplacingWithANewMapGivesTheNewMapState) {
  EditMap map;
  {
    MapChange edit(map);
    edit.rails().Append(Rail(0, 1, 5, 1));
    edit.header().map_code = 5;
    edit.header().start.start_rail = 1;
    edit.header().version = 1100;
    edit.signal_types().Append(MapSignalType{});
    edit.colours().Append({1, 2, 3});
    edit.details().Append({1, 0, 0, 10});
  }
  EXPECT_TRUE(map.modified());
  map.Replace(NewMapContent());

  EXPECT_EQ(map.rails().count(), 0);
  EXPECT_TRUE(map.details().empty());
  EXPECT_EQ(map.header().map_code, 99999);
  EXPECT_EQ(map.header().version, 1220);
  EXPECT_EQ(map.header().start.start_rail, 0);
  EXPECT_FALSE(map.modified());
  EXPECT_FALSE(map.CanUndo());
  EXPECT_EQ(map.signal_types().count(), 0);
  EXPECT_EQ(map.images().count(), 0);
  EXPECT_EQ(map.colours().count(), 0);
  EXPECT_EQ(map.colours()[0], (AspectColour{255, 255, 255}));

  ASSERT_EQ(map.Names(NameTable::kBlock).count(), 1);
  EXPECT_EQ(map.Names(NameTable::kBlock)[1].short_left, Sjis("　"));
  ASSERT_EQ(map.Names(NameTable::kYard).count(), 2);
  EXPECT_EQ(map.Names(NameTable::kYard)[2].short_right, Sjis("下出"));
  EXPECT_EQ(map.Names(NameTable::kYard)[2].name_left, Sjis("上り場内"));
  ASSERT_EQ(map.Names(NameTable::kStation).count(), 18);
  EXPECT_EQ(map.Names(NameTable::kStation)[10].short_left, Sjis("０番"));
  EXPECT_EQ(map.Names(NameTable::kStation)[18].name_right, Sjis("８番"));
  ASSERT_EQ(map.Names(NameTable::kTarget).count(), 9);
  EXPECT_EQ(map.Names(NameTable::kTarget)[1].name_left, Sjis("引上げ"));
  EXPECT_EQ(map.Names(NameTable::kTarget)[2].short_left, Sjis("１番"));
  EXPECT_EQ(map.Names(NameTable::kTarget)[9].name_right, Sjis("８番"));
}

TEST(EditMapTest, NewRailIsTheSameForEitherClickOrder) {
  for (const MapRail& r : {NewRail({3, 5}, {8, 7}, 2), NewRail({8, 7}, {3, 5}, 2)}) {
    EXPECT_EQ((std::vector<int>{r.x1, r.y1, r.x2, r.y2, r.left_dy, r.right_dy, r.length}),
              (std::vector<int>{3, 4, 8, 8, 1, 3, 500}));
    EXPECT_EQ((std::vector<int>{r.direction, r.electric, r.signal_left, r.signal_right}),
              (std::vector<int>{2, 3, 1, 1}));
  }
  // Clicks far out on the grid do not overflow the length.
  EXPECT_EQ(NewRail({-2000000000, 0}, {2000000000, 0}, 1).length, 2147483647);
}

TEST(EditMapTest, FullTablesRefuseWithTheirMessages) {
  EditMap map;
  MapChange edit(map);
  for (int i = 1; i <= kStationCapacity; ++i) ASSERT_EQ(edit.stations().Append({}), i);
  Refusal refusal;
  EXPECT_EQ(edit.stations().Append({}, &refusal), 0);
  EXPECT_EQ(map.stations().count(), kStationCapacity);
  EXPECT_EQ(refusal.text, "これ以上は追加できません。");
  EXPECT_EQ(refusal.caption, "操作エラー");

  EXPECT_EQ(FullTableRefusal(MapTable::kTarget).caption, "操作エラー");
  EXPECT_EQ(FullTableRefusal(MapTable::kYardName).text, "これ以上増やせません。");
  EXPECT_EQ(FullTableRefusal(MapTable::kJump).caption, "サイズエラー");
}

TEST(EditMapTest, DeletingSegmentsAndPointsRenumbersDetailsAndStart) {
  EditMap map;
  MapChange edit(map);
  for (int i = 0; i < 4; ++i) edit.rails().Append(Rail(i * 5, 1, i * 5 + 5, 1));
  edit.points().Append({});
  edit.points().Append({});
  edit.SetDetails({{1, 0, 0, 10, 0, 0, 0},
                   {2, 0, 0, 20, 0, 0, 0},
                   {0, 1, 0, 30, 0, 0, 0},
                   {4, 0, 0, 40, 0, 0, 0},
                   {0, 2, 0, 50, 0, 0, 0},
                   {2, 0, 5, 60, 0, 0, 0}});
  edit.header().start.start_rail = 4;

  edit.rails().Delete(2);
  EXPECT_EQ(map.rails().count(), 3);
  EXPECT_EQ(map.rails()[2].x1, 10);
  EXPECT_EQ(map.header().start.start_rail, 3);  // the same segment under its new number
  EXPECT_EQ(Records(map.details()), (std::vector<MapDetail>{{1, 0, 0, 10, 0, 0, 0},
                                                            {0, 1, 0, 30, 0, 0, 0},
                                                            {3, 0, 0, 40, 0, 0, 0},
                                                            {0, 2, 0, 50, 0, 0, 0}}));

  edit.points().Delete(1);
  EXPECT_EQ(map.points().count(), 1);
  EXPECT_EQ(Records(map.details()),
            (std::vector<MapDetail>{
                {1, 0, 0, 10, 0, 0, 0}, {3, 0, 0, 40, 0, 0, 0}, {0, 1, 0, 50, 0, 0, 0}}));

  edit.header().start.start_station = 1;
  edit.rails().Delete(3);
  EXPECT_EQ(map.header().start.start_rail, 0);
  EXPECT_EQ(map.header().start.start_station, 1);  // only the start segment goes

  edit.rails().Delete(0);
  edit.rails().Delete(99);
  EXPECT_EQ(map.rails().count(), 2);
}

TEST(EditMapTest, DeletingStationsAndStopSectionsRenumbersEveryReference) {
  EditMap map;
  MapChange edit(map);
  for (int i = 0; i < 3; ++i) {
    edit.stations().Append({});
    edit.targets().Append({});
  }
  for (int s = 1; s <= 3; ++s) {
    MapRail rail = Rail(s * 10, 1, s * 10 + 5, 1);
    rail.station = s;
    rail.yard_station = 4 - s;
    rail.target = s;
    rail.yard_target = 4 - s;
    edit.rails().Append(rail);
    MapPoint point;
    point.yard_station = s;
    point.yard_target = 4 - s;
    edit.points().Append(point);
    edit.station_draws().Append({s, 0, s + 1, 1, s});
  }
  edit.station_draws().Append({9, 0, 10, 1, 2});
  edit.stations()[3].previous_station = 2;
  edit.stations()[2].previous_station = 1;
  edit.header().start.start_station = 3;
  edit.header().start.start_target = 2;

  edit.stations().Delete(2);
  ASSERT_EQ(map.stations().count(), 2);
  EXPECT_EQ(map.stations()[2].previous_station, 0);
  EXPECT_EQ(map.header().start.start_station, 2);
  std::vector<int> got;
  for (const MapRail& r : map.rails()) got.insert(got.end(), {r.station, r.yard_station});
  EXPECT_EQ(got, (std::vector<int>{1, 2, 0, 0, 2, 1}));
  got.clear();
  for (const MapPoint& p : map.points()) got.push_back(p.yard_station);
  EXPECT_EQ(got, (std::vector<int>{1, 0, 2}));
  // Both drawings of station 2 are gone; station 3's now shows station 2.
  got.clear();
  for (const MapStationDraw& d : map.station_draws()) got.insert(got.end(), {d.x1, d.station});
  EXPECT_EQ(got, (std::vector<int>{1, 1, 3, 2}));

  edit.targets().Delete(2);
  EXPECT_EQ(map.targets().count(), 2);
  EXPECT_EQ(map.header().start.start_target, 0);
  got.clear();
  for (const MapRail& r : map.rails()) got.insert(got.end(), {r.target, r.yard_target});
  EXPECT_EQ(got, (std::vector<int>{1, 2, 0, 0, 2, 1}));
  got.clear();
  for (const MapPoint& p : map.points()) got.push_back(p.yard_target);
  EXPECT_EQ(got, (std::vector<int>{2, 0, 1}));
  edit.header().start.start_target = 2;
  edit.targets().Delete(1);
  EXPECT_EQ(map.header().start.start_target, 1);
}

TEST(EditMapTest, DeletingNameEntriesRenumbersOnlyTheirOwnReferences) {
  EditMap map;
  MapChange edit(map);
  MapRail rail = Rail(0, 1, 5, 1);
  rail.block_name = 1;
  rail.yard_name = 2;
  rail.station_name = 3;
  rail.target_name = 2;
  edit.rails().Append(rail);
  edit.rails().Append(Rail(5, 1, 9, 1));
  edit.rails()[2].yard_name = 1;
  MapPoint point;
  point.yard_name = 2;
  edit.points().Append(point);

  edit.names(NameTable::kYard).Delete(1);
  EXPECT_EQ(map.Names(NameTable::kYard).count(), 1);
  EXPECT_EQ(map.Names(NameTable::kYard)[1].short_left, Sjis("上場"));
  EXPECT_EQ(map.rails()[1].yard_name, 1);
  EXPECT_EQ(map.rails()[2].yard_name, 0);
  EXPECT_EQ(map.points()[1].yard_name, 1);
  EXPECT_EQ(map.rails()[1].target_name, 2);  // other tables untouched
  EXPECT_EQ(map.rails()[1].station_name, 3);

  edit.names(NameTable::kStation).Delete(2);
  edit.names(NameTable::kTarget).Delete(2);
  edit.names(NameTable::kBlock).Delete(1);
  EXPECT_EQ(map.rails()[1].station_name, 2);
  EXPECT_EQ(map.rails()[1].target_name, 0);
  EXPECT_EQ(map.rails()[1].block_name, 0);
  EXPECT_EQ(map.rails()[1].yard_name, 1);
}

TEST(EditMapTest, JumpNamesFollowTheCount) {
  EXPECT_EQ(JumpNameFor(1, 1), "A");
  EXPECT_EQ(JumpNameFor(26, 36), "Z");
  EXPECT_EQ(JumpNameFor(27, 36), "0");
  EXPECT_EQ(JumpNameFor(36, 36), "9");
  EXPECT_EQ(JumpNameFor(1, 37), "AA");
  EXPECT_EQ(JumpNameFor(27, 37), "BA");
  EXPECT_EQ(JumpNameFor(676, 1000), "ZZ");
  EXPECT_EQ(JumpNameFor(677, 677), "AAA");
  EXPECT_EQ(JumpNameFor(678, 1000), "AAB");
  EXPECT_EQ(JumpNameFor(703, 1000), "ABA");
  EXPECT_EQ(JumpNameFor(1023, 1023), "ANI");
  EXPECT_EQ(JumpNameFor(0, 5), "");

  EditMap map;
  MapChange edit(map);
  for (int i = 0; i < 36; ++i) edit.jumps().Append(Jump(i, 0, i, 5));
  EXPECT_EQ(map.jumps()[36].name, "9");
  edit.jumps().Append({});
  EXPECT_EQ(map.jumps()[1].name, "AA");
  EXPECT_EQ(map.jumps()[37].name, "BK");
  edit.jumps().Delete(1);
  EXPECT_EQ(map.jumps()[1].ax, 1);
  EXPECT_EQ(map.jumps()[1].name, "A");
  EXPECT_EQ(map.jumps()[36].name, "9");
}

TEST(EditMapTest, BoxFreeAndGridPointFree) {
  EditMap map;
  MapChange edit(map);
  edit.rails().Append(Rail(3, 5, 5, 5));
  EXPECT_FALSE(map.BoxFree(4, 5, 6, 7));  // a row-6 segment shares row 5 of the box
  EXPECT_TRUE(map.BoxFree(3, 6, 5, 8));   // a row-7 segment does not
  EXPECT_TRUE(map.BoxFree(5, 4, 9, 6));   // end to end on the same row
  EXPECT_TRUE(map.BoxFree(0, 4, 3, 6));
  EXPECT_FALSE(map.BoxFree(-100, -100, 100, 100));  // a box around it
  EXPECT_TRUE(map.BoxFree(4, 5, 4, 7));             // an empty box holds no cells

  MapPoint point;
  point.x1 = 10;
  point.y1 = 0;
  point.x2 = 12;
  point.y2 = 3;
  edit.points().Append(point);
  EXPECT_FALSE(map.BoxFree(11, 2, 12, 3));
  EXPECT_TRUE(map.BoxFree(12, 0, 14, 3));

  // Ends lie on the box border, so they stay free for the next segment.
  EXPECT_TRUE(map.GridPointFree({3, 5}));
  EXPECT_TRUE(map.GridPointFree({5, 5}));
  EXPECT_FALSE(map.GridPointFree({4, 5}));
  EXPECT_TRUE(map.GridPointFree({4, 6}));
  EXPECT_FALSE(map.GridPointFree({11, 1}));
}

TEST(EditMapTest, HitTestsNeedThePixelStrictlyInside) {
  EditMap map;
  MapChange edit(map);
  edit.rails().Append(Rail(3, 5, 8, 7));  // box 30..80 x 48..96
  edit.rails().Append(Rail(3, 5, 8, 7));
  EXPECT_EQ(map.RailAt(31, 49), 1);
  EXPECT_EQ(map.RailAt(79, 95), 1);
  EXPECT_EQ(map.RailAt(30, 60), 0);
  EXPECT_EQ(map.RailAt(80, 60), 0);
  EXPECT_EQ(map.RailAt(50, 48), 0);
  EXPECT_EQ(map.RailAt(50, 96), 0);
  EXPECT_EQ(map.RailAt(50, 60, 1), 2);

  edit.station_draws().Append({0, 0, 2, 2, 1});
  EXPECT_EQ(map.StationDrawAt(19, 23), 1);
  EXPECT_EQ(map.StationDrawAt(20, 23), 0);
  EXPECT_EQ(map.StationDrawAt(19, 23, 1), 0);

  MapPoint point;
  point.x1 = 20;
  point.y1 = 1;
  point.x2 = 22;
  point.y2 = 4;
  edit.points().Append(point);
  EXPECT_EQ(map.PointAt(201, 13), 1);
  EXPECT_EQ(map.PointAt(220, 20), 0);

  // End A is gripped right of its grid point, end B left of it.
  edit.jumps().Append(Jump(10, 2, 10, 2));
  EXPECT_EQ(map.JumpEndAt(105, 24).jump, 1);
  EXPECT_TRUE(map.JumpEndAt(105, 24).end_a);
  EXPECT_FALSE(map.JumpEndAt(95, 13).end_a);
  EXPECT_EQ(map.JumpEndAt(95, 35).jump, 1);
  EXPECT_EQ(map.JumpEndAt(100, 24).jump, 0);
  EXPECT_EQ(map.JumpEndAt(110, 24).jump, 0);
  EXPECT_EQ(map.JumpEndAt(105, 12).jump, 0);
  EXPECT_EQ(map.JumpEndAt(105, 36).jump, 0);
  EXPECT_EQ(map.JumpEndAt(105, 24, 1).jump, 0);

  // Boxes far out on the grid compare without overflow (in 32 bits these
  // would wrap round to -2147483646 .. -6 and hold the pixel).
  edit.rails().Append(Rail(214748365, 0, 429496729, 0));
  EXPECT_EQ(map.RailAt(-100, 0), 0);
}

TEST(EditMapTest, ConnectionsFollowJumpsAndStopOnARing) {
  EditMap map;
  MapChange edit(map);
  edit.rails().Append(Rail(0, 1, 5, 1));
  edit.rails().Append(Rail(0, 10, 5, 10));
  edit.jumps().Append(Jump(5, 1, 20, 20));   // A at rail 1's right end
  edit.jumps().Append(Jump(20, 20, 0, 10));  // chained on to rail 2's left end
  EXPECT_EQ(map.RailWithLeftEndAt({0, 10}), 2);
  EXPECT_EQ(map.RailWithRightEndAt({5, 1}), 1);
  EXPECT_EQ(map.RailWithLeftEndAt({5, 1}), 0);
  EXPECT_EQ(map.RailContinuingRight({5, 1}), 2);
  EXPECT_EQ(map.RailContinuingLeft({0, 10}), 1);
  EXPECT_EQ(map.RailContinuingLeft({5, 1}), 1);  // its own right end
  EXPECT_EQ(map.RailContinuingRight({5, 10}), 0);

  // Jumps that lead back to where they started.
  edit.jumps().Append(Jump(30, 1, 40, 1));
  edit.jumps().Append(Jump(40, 1, 30, 1));
  EXPECT_EQ(map.RailContinuingRight({30, 1}), 0);
  EXPECT_EQ(map.RailContinuingLeft({40, 1}), 0);
  edit.jumps().Append(Jump(50, 1, 50, 1));  // a jump onto itself
  EXPECT_EQ(map.RailContinuingRight({50, 1}), 0);
}

TEST(EditMapTest, PointBranchesFollowTheKind) {
  MapPoint crossing;
  crossing.branch_count = 4;
  std::vector<int> exists;
  for (int kind : {3, 6, 8}) {
    crossing.kind = kind;
    for (int b = 1; b <= 4; ++b) exists.push_back(BranchExists(crossing, b));
  }
  EXPECT_EQ(exists, (std::vector<int>{1, 1, 1, 1, 0, 1, 1, 0, 0, 1, 1, 1}));
  crossing.kind = 9;
  EXPECT_FALSE(BranchExists(crossing, 1));
  crossing.kind = 3;
  crossing.branch_count = 19;
  EXPECT_FALSE(BranchExists(crossing, 5));

  MapPoint turnout;
  turnout.kind = kTurnoutJointRight;
  turnout.branch_count = 1000;
  EXPECT_TRUE(BranchExists(turnout, 19));
  EXPECT_FALSE(BranchExists(turnout, 20));
  EXPECT_FALSE(BranchExists(turnout, 0));

  // A missing crossing slot does not connect, even with rows stored in it.
  EditMap map;
  MapChange edit(map);
  MapPoint diagonal;
  diagonal.kind = 6;
  diagonal.x1 = 10;
  diagonal.y1 = 0;
  diagonal.x2 = 12;
  diagonal.y2 = 5;
  diagonal.branch_count = 4;
  diagonal.branch_left_dy = {0, 3, 1, 4, 4};
  diagonal.branch_right_dy = {0, 3, 4, 1, 4};
  edit.points().Append(diagonal);
  EXPECT_EQ(map.PointWithLeftBranchAt({10, 3}), 0);  // slot 1
  EXPECT_EQ(map.PointWithLeftBranchAt({10, 1}), 1);  // slot 2
  EXPECT_EQ(map.PointWithRightBranchAt({12, 1}), 1);
  EXPECT_EQ(map.PointWithRightBranchAt({10, 1}), 0);
  edit.points()[1].branch_count = 1 << 30;  // foreign garbage reads no further than slot 19
  EXPECT_EQ(map.PointWithLeftBranchAt({10, 1}), 1);
}

TEST(EditMapTest, ExtentCoversEveryKindOfObject) {
  EditMap map;
  MapChange edit(map);
  EXPECT_EQ(map.Extent().max_x, 0);
  edit.rails().Append(Rail(0, 1, 5, 1));
  EXPECT_EQ(map.Extent().max_x, 5);
  EXPECT_EQ(map.Extent().max_y, 2);
  edit.station_draws().Append({1, 1, 7, 3, 1});
  edit.jumps().Append(Jump(2, 9, 8, 4));
  MapPoint point;
  point.x1 = 2;
  point.x2 = 6;
  point.y2 = 4;
  edit.points().Append(point);
  EXPECT_EQ(map.Extent().max_x, 8);
  EXPECT_EQ(map.Extent().max_y, 9);
}

}  // namespace
}  // namespace corvane
