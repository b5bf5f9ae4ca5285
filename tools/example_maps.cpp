#include "example_maps.h"

#include <algorithm>
#include <initializer_list>

#include "base/encoding.h"
#include "map/start_walk.h"

namespace corvane {

namespace {

MapStation Station(const char* one_char, const char* short_name, const char* name) {
  MapStation station;
  station.one_char_name = Utf8ToSjis(one_char);
  station.short_name = Utf8ToSjis(short_name);
  station.name = Utf8ToSjis(name);
  return station;
}

// A two-way segment; in a station both directions stop `stop` metres in.
int AddRail(MapChange& change, GridPoint a, GridPoint b, int station = 0, int stop = 0) {
  MapRail rail = NewRail(a, b, kBothWays);
  rail.station = station;
  rail.yard_station = station;
  rail.stop_left = rail.stop_right = stop;
  return change.rails().Append(rail);
}

// A turnout in the yard of `station` whose joint is at `joint` and whose
// branches end on `rows` at the other column.
MapPoint Turnout(int station, int kind, int joint_x, int joint_row, int other_x,
                 std::initializer_list<int> rows) {
  MapPoint point;
  point.kind = kind;
  point.yard_station = station;
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
  // Station yards in use, every point inside one: the line can be given
  // route levers and buttons.
  change.header().settings.use_area = 1;

  const int higashi = change.stations().Append(Station("東", "東町", "東町駅"));
  const int chuo = change.stations().Append(Station("中", "中央", "中央駅"));
  const int nishi = change.stations().Append(Station("西", "西浜", "西浜駅"));
  change.stations()[chuo].stop_time = 31;  // 30 seconds

  // Row 5: the terminus 東町, a block section, and 中央 with its passing
  // loop on row 7 between two turnouts.
  const int start = AddRail(change, {2, 5}, {6, 5}, higashi, 200);
  AddRail(change, {6, 5}, {16, 5});
  change.points().Append(Turnout(chuo, kTurnoutJointLeft, 16, 5, 20, {5, 7}));
  AddRail(change, {20, 5}, {26, 5}, chuo, 300);
  AddRail(change, {20, 7}, {26, 7}, chuo, 300);
  change.points().Append(Turnout(chuo, kTurnoutJointRight, 30, 5, 26, {5, 7}));
  AddRail(change, {30, 5}, {40, 5});

  // The line folds onto row 12 through a jump: a block section with a speed
  // restriction on a rising gradient, then the terminus 西浜 with two
  // platform tracks behind a turnout.
  MapJump jump;
  jump.ax = 40;
  jump.ay = 5;
  jump.bx = 4;
  jump.by = 12;
  jump.name = Utf8ToSjis("西浜方面");
  change.jumps().Append(jump);
  const int approach = AddRail(change, {4, 12}, {14, 12});
  change.points().Append(Turnout(nishi, kTurnoutJointLeft, 14, 12, 18, {12, 14}));
  AddRail(change, {18, 12}, {24, 12}, nishi, 300);
  AddRail(change, {18, 14}, {24, 14}, nishi, 300);

  // Station drawings above each station's tracks.
  const int draws[][5] = {{2, 2, 6, 3, higashi}, {20, 2, 26, 3, chuo}, {18, 9, 24, 10, nishi}};
  for (const auto& d : draws) {
    MapStationDraw draw;
    draw.x1 = d[0];
    draw.y1 = d[1];
    draw.x2 = d[2];
    draw.y2 = d[3];
    draw.station = d[4];
    change.station_draws().Append(draw);
  }

  MapDetail detail;
  detail.rail = approach;
  detail.start = 200;
  detail.end = 600;
  detail.speed = 60;
  detail.gradient = 10;
  change.details().Append(detail);

  SetStartRail(change, start);
}

MapRail LargestMapRail(int i) {
  const int row = 4 + (i / 60) * 4;
  const int column = 2 + (i % 60) * 4;
  return NewRail({column, row}, {column + 4, row}, kBothWays);
}

}  // namespace corvane
