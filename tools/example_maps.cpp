#include "example_maps.h"

#include <algorithm>
#include <initializer_list>
#include <string>
#include <vector>

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

namespace {

// A yard of the largest line: a station's or a stop section's.
struct Yard {
  int station = 0;
  int target = 0;
};

// Lays the largest line out from left to right, row after row.
class LargestLineLayout {
 public:
  explicit LargestLineLayout(MapChange& change) : change_(change) {}

  // A block section; a row that has grown long enough continues on the
  // next row through a jump (rows end and start with a block section, so
  // no jump end lies beside a turnout).
  int Block() {
    if (x_ >= kRowEnd && last_was_block_) NextRow();
    last_was_block_ = true;
    return Segment({x_, row_}, {x_ + kBlockWidth, row_}, Yard{}, 0, kBlockWidth);
  }
  // A track inside a yard between its points, without a stop.
  void YardTrack(Yard yard) {
    last_was_block_ = false;
    Segment({x_, row_}, {x_ + kBlockWidth, row_}, yard, 0, kBlockWidth);
  }
  // A turnout onto two platform tracks (each with its stops) and back.
  void PassingLoop(Yard yard) {
    last_was_block_ = false;
    AddPoint(Turnout(0, kTurnoutJointLeft, x_, row_, x_ + kBlockWidth, {row_, row_ + 2}), yard);
    x_ += kBlockWidth;
    if (yard.station != 0) {
      MapStationDraw draw;
      draw.x1 = x_;
      draw.y1 = row_ - 3;
      draw.x2 = x_ + kPlatformWidth;
      draw.y2 = row_ - 2;
      draw.station = yard.station;
      change_.station_draws().Append(draw);
    }
    Segment({x_, row_ + 2}, {x_ + kPlatformWidth, row_ + 2}, yard, kPlatformStop, 0);
    Segment({x_, row_}, {x_ + kPlatformWidth, row_}, yard, kPlatformStop, kPlatformWidth);
    AddPoint(Turnout(0, kTurnoutJointRight, x_ + kBlockWidth, row_, x_, {row_, row_ + 2}), yard);
    x_ += kBlockWidth;
  }
  // The end of the line: a turnout onto two platform tracks.
  void Terminus(Yard yard) {
    last_was_block_ = false;
    AddPoint(Turnout(0, kTurnoutJointLeft, x_, row_, x_ + kBlockWidth, {row_, row_ + 2}), yard);
    x_ += kBlockWidth;
    Segment({x_, row_ + 2}, {x_ + kPlatformWidth, row_ + 2}, yard, kPlatformStop, 0);
    Segment({x_, row_}, {x_ + kPlatformWidth, row_}, yard, kPlatformStop, kPlatformWidth);
  }

 private:
  static constexpr int kRowStart = 2;
  static constexpr int kRowEnd = 240;
  static constexpr int kRowSpacing = 8;
  static constexpr int kBlockWidth = 4;
  static constexpr int kPlatformWidth = 6;  // 600 m
  static constexpr int kPlatformStop = 300;

  // A two-way segment from `a` to `b`; the cursor moves on by `advance`.
  int Segment(GridPoint a, GridPoint b, Yard yard, int stop, int advance) {
    MapRail rail = NewRail(a, b, kBothWays);
    rail.yard_station = yard.station;
    rail.yard_target = yard.target;
    if (stop != 0) {
      rail.station = yard.station;
      rail.target = yard.target;
      rail.stop_left = rail.stop_right = stop;
    }
    x_ += advance;
    return change_.rails().Append(rail);
  }

  // Every point gets a three-letter key of its own: keys of one length
  // never begin one another.
  void AddPoint(MapPoint point, Yard yard) {
    point.yard_station = yard.station;
    point.yard_target = yard.target;
    const int n = change_.map().points().count();
    point.point_key =
        std::string{static_cast<char>('A' + n / (26 * 26)), static_cast<char>('A' + n / 26 % 26),
                    static_cast<char>('A' + n % 26)};
    change_.points().Append(point);
  }

  void NextRow() {
    MapJump jump;
    jump.ax = x_;
    jump.ay = row_;
    jump.bx = kRowStart;
    jump.by = row_ + kRowSpacing;
    change_.jumps().Append(jump);
    x_ = kRowStart;
    row_ += kRowSpacing;
  }

  MapChange& change_;
  int x_ = kRowStart;
  int row_ = 4;
  bool last_was_block_ = true;
};

// Bands of 15 km/h up to `top`, where the top aspect stays.
MapSignalType FifteenKmBands(int top) {
  MapSignalType type;
  for (int v = 0; v < kAspectSpeeds; ++v) {
    const int low = v >= top ? top : v / 15 * 15;
    type.aspects[static_cast<std::size_t>(v)].band_low = low;
    type.aspects[static_cast<std::size_t>(v)].aspect_speed = low >= top ? kNoStepUp : low + 15;
  }
  return type;
}

}  // namespace

void BuildLargestLine(EditMap& map) {
  MapChange change(map);
  change.header().map_code = 1001;
  change.header().map_name = Utf8ToSjis("最大路線");
  change.header().settings.use_area = 1;
  if (map.content().signal_types.count() == 0) {
    change.signal_types().Append(FifteenKmBands(change.header().settings.max_speed));
  }

  std::vector<Yard> yards;
  for (int s = 1; s <= kStationCapacity; ++s) {
    const std::string n = std::to_string(s);
    change.stations().Append(Station("駅", ("駅" + n).c_str(), ("第" + n + "駅").c_str()));
    yards.push_back({s, 0});
  }
  for (int t = 1; t <= kTargetCapacity; ++t) {
    const std::string n = std::to_string(t);
    MapTarget target;
    target.one_char_name = Utf8ToSjis("区");
    target.short_name = Utf8ToSjis("区" + n);
    target.name = Utf8ToSjis("停車区画" + n);
    change.targets().Append(target);
    yards.push_back({0, t});
  }

  // Two turnouts a loop; the last yard holds a second loop and the terminus.
  const int loops = (kPointCapacity - 1) / 2;
  const int yard_count = static_cast<int>(yards.size());
  const int platforms = 2 * loops + 2;
  const int yard_tracks = 2;  // in the last yard, between its points
  const int blocks = kRailCapacity - platforms - yard_tracks;
  LargestLineLayout line(change);
  int start = 0;
  for (int y = 0; y < yard_count; ++y) {
    const int gap = blocks / yard_count + (y < blocks % yard_count ? 1 : 0);
    for (int b = 0; b < gap; ++b) {
      const int rail = line.Block();
      if (start == 0) start = rail;
    }
    const Yard yard = yards[static_cast<std::size_t>(y)];
    line.PassingLoop(yard);
    if (y + 1 == yard_count) {
      line.YardTrack(yard);
      line.PassingLoop(yard);
      line.YardTrack(yard);
      line.Terminus(yard);
    }
  }
  SetStartRail(change, start);
}

MapRail LargestMapRail(int i) {
  const int row = 4 + (i / 60) * 4;
  const int column = 2 + (i % 60) * 4;
  return NewRail({column, row}, {column + 4, row}, kBothWays);
}

}  // namespace corvane
