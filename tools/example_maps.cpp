#include "example_maps.h"

#include <algorithm>
#include <initializer_list>

#include "base/encoding.h"
#include "editor/start_walk.h"

namespace corvane {

namespace {

MapStation Station(const char* one_char, const char* short_name, const char* name) {
  MapStation station;
  station.one_char_name = Utf8ToSjis(one_char);
  station.short_name = Utf8ToSjis(short_name);
  station.name = Utf8ToSjis(name);
  return station;
}

int AddRail(MapChange& change, GridPoint a, GridPoint b, int station = 0) {
  MapRail rail = NewRail(a, b, kBothWays);
  rail.station = station;
  rail.yard_station = station;
  return change.rails().Append(rail);
}

// A turnout whose joint is at `joint` and whose branches end on `rows` at
// the other column.
MapPoint Turnout(int kind, int joint_x, int joint_row, int other_x,
                 std::initializer_list<int> rows) {
  MapPoint point;
  point.kind = kind;
  int top = joint_row, bottom = joint_row;
  for (const int row : rows) {
    top = std::min(top, row);
    bottom = std::max(bottom, row);
  }
  point.x1 = std::min(joint_x, other_x);
  point.x2 = std::max(joint_x, other_x);
  point.y1 = top - 1;
  point.y2 = bottom + 1;
  for (const int row : rows) {
    const int slot = ++point.branch_count;  // branch j lives in slot j
    const int joint_dy = joint_row - point.y1;
    const int end_dy = row - point.y1;
    point.branch_left_dy[slot] = kind == kTurnoutJointLeft ? joint_dy : end_dy;
    point.branch_right_dy[slot] = kind == kTurnoutJointLeft ? end_dy : joint_dy;
  }
  return point;
}

}  // namespace

void BuildSampleLine(EditMap& map) {
  MapChange change(map);
  change.header().map_code = 1001;
  change.header().map_name = Utf8ToSjis("コルヴェイン本線");

  const int higashi = change.stations().Append(Station("東", "東町", "東町駅"));
  const int chuo = change.stations().Append(Station("中", "中央", "中央駅"));
  const int nishi = change.stations().Append(Station("西", "西浜", "西浜駅"));
  change.stations()[chuo].stop_time = 31;  // 30 seconds

  // Row 5: the main line from 東町 to 西浜.
  AddRail(change, {2, 5}, {10, 5}, higashi);
  const int approach = AddRail(change, {10, 5}, {20, 5});
  change.points().Append(Turnout(kTurnoutJointLeft, 20, 5, 24, {5, 7}));
  AddRail(change, {24, 5}, {34, 5}, chuo);
  AddRail(change, {24, 7}, {34, 7}, chuo);
  change.points().Append(Turnout(kTurnoutJointRight, 38, 5, 34, {5, 7}));
  AddRail(change, {38, 5}, {48, 5});
  AddRail(change, {42, 7}, {48, 7});

  // A diamond crossing with all four branches.
  MapPoint crossing;
  crossing.kind = kCrossingFirst;
  crossing.x1 = 48;
  crossing.x2 = 52;
  crossing.y1 = 4;
  crossing.y2 = 8;
  crossing.branch_count = 4;
  const int top = 1, bottom = 3;
  const int left[] = {top, top, bottom, bottom};
  const int right[] = {top, bottom, top, bottom};
  for (int k = 0; k < 4; ++k) {
    crossing.branch_left_dy[k + 1] = left[k];
    crossing.branch_right_dy[k + 1] = right[k];
  }
  change.points().Append(crossing);

  AddRail(change, {52, 5}, {60, 5}, nishi);
  AddRail(change, {52, 7}, {60, 7}, nishi);

  // The line folds back to row 12 through a jump, ending in a stop section.
  MapJump jump;
  jump.ax = 60;
  jump.ay = 5;
  jump.bx = 2;
  jump.by = 12;
  change.jumps().Append(jump);
  MapTarget siding;
  siding.one_char_name = Utf8ToSjis("引");
  siding.short_name = Utf8ToSjis("引上");
  siding.name = Utf8ToSjis("西浜引上線");
  const int siding_number = change.targets().Append(siding);
  const int tail = AddRail(change, {2, 12}, {12, 12});
  change.rails()[tail].target = siding_number;
  change.rails()[tail].yard_target = siding_number;
  change.rails()[tail].stop_right = 50;

  // Station drawings above each station's tracks.
  const int draws[][5] = {{3, 2, 9, 3, higashi}, {25, 2, 33, 3, chuo}, {53, 2, 59, 3, nishi}};
  for (const auto& d : draws) {
    MapStationDraw draw;
    draw.x1 = d[0];
    draw.y1 = d[1];
    draw.x2 = d[2];
    draw.y2 = d[3];
    draw.station = d[4];
    change.station_draws().Append(draw);
  }

  // A 60 km/h restriction over part of the approach, on a rising gradient.
  MapDetail detail;
  detail.rail = approach;
  detail.start = 200;
  detail.end = 600;
  detail.speed = 60;
  detail.gradient = 10;
  change.details().Append(detail);

  SetStartRail(change, 1);
}

MapRail LargestMapRail(int i) {
  const int row = 4 + (i / 60) * 4;
  const int column = 2 + (i % 60) * 4;
  return NewRail({column, row}, {column + 4, row}, kBothWays);
}

}  // namespace corvane
