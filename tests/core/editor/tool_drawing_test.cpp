// The drawing of every tool, pinned down call by call: a map with objects of
// every kind and relation is drawn under each tool number with views that
// exercise the fills, the numbers, the dialog highlight, the check marks,
// the pending marks and the previews; the recording of each tool is compared
// with a digest taken when the drawing was known to be right. A change to
// what any tool draws shows here, naming the tool.

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "editor/map_drawing.h"
#include "map/map_change.h"
#include "support/test_support.h"

namespace corvane {
namespace {

using testing::Sjis;
using Call = RecordingCanvas::Call;

MapNameEntry ToolNames() {
  MapNameEntry names;
  names.short_left = Sjis("上");
  names.name_left = Sjis("上り本線");
  names.short_right = Sjis("下");
  names.name_right = Sjis("下り本線");
  return names;
}

MapRail Rail(GridPoint a, GridPoint b, int direction) { return NewRail(a, b, direction); }

// Two stations, two stop sections, segments inside and outside them with
// every field a tool looks at, a turnout, a crossing, station drawings and
// jumps, some of them out of view.
EditMap RichMap() {
  EditMap map;
  MapChange change(map);
  for (const char* name : {"東駅", "西駅"}) {
    MapStation station;
    station.short_name = Sjis(name);
    station.name = Sjis(name);
    change.stations().Append(station);
  }
  for (const char* name : {"信号場", "車庫"}) {
    MapTarget target;
    target.short_name = Sjis(name);
    change.targets().Append(target);
  }

  MapRail r = Rail({2, 3}, {7, 3}, kBothWays);  // 1: station 1, the start
  r.station = 1;
  r.yard_station = 1;
  r.stop_left = 100;
  r.stop_right = 200;
  r.speed_limit = 80;
  r.length = 500;
  r.station_name = 1;
  r.short_left = Sjis("上");
  r.name_left = Sjis("上り本線");
  r.short_right = Sjis("下");
  r.name_right = Sjis("下り本線");
  change.rails().Append(r);
  r = Rail({7, 3}, {12, 3}, kLeftwardOnly);  // 2: station 2, leftward
  r.station = 2;
  r.yard_station = 2;
  r.stop_left = 150;
  r.signal_left = 2;
  r.electric = 1;
  r.station_name = 2;
  change.rails().Append(r);
  r = Rail({12, 3}, {17, 5}, kRightwardOnly);  // 3: stop section 1, sloping
  r.right_dy = 2;
  r.y2 = 6;
  r.target = 1;
  r.yard_target = 1;
  r.stop_right = 300;
  r.single_track = 1;
  r.signal_right = 3;
  r.target_name = 2;
  change.rails().Append(r);
  r = Rail({17, 5}, {22, 5}, kBothWays);  // 4: station 1's yard
  r.yard_station = 1;
  r.yard_name = 2;
  r.speed_limit = 45;
  change.rails().Append(r);
  r = Rail({22, 5}, {27, 5}, kBothWays);  // 5: plain, named automatically
  r.block_name = 1;
  r.block_auto = 1;
  r.length = 300;
  change.rails().Append(r);
  r = Rail({27, 5}, {32, 5}, kLeftwardOnly);  // 6: plain, a line end
  r.block_name = 2;
  r.electric = 2;
  change.rails().Append(r);
  r = Rail({2, 10}, {6, 10}, kRightwardOnly);  // 7: stop section 2's yard
  r.yard_target = 2;
  r.yard_name = 1;
  change.rails().Append(r);
  r = Rail({5, 14}, {10, 16}, kLeftwardOnly);  // 8: stop section 2, steep
  r.left_dy = 2;
  r.y1 = 13;
  r.y2 = 17;
  r.target = 2;
  r.target_name = 2;
  r.stop_left = 60;
  change.rails().Append(r);
  change.rails().Append(Rail({200, 5}, {205, 5}, kBothWays));  // 9: out of view

  MapPoint turnout;  // 1: joint (12, 7), branches to rows 7, 9, 11
  turnout.x1 = 12, turnout.y1 = 6, turnout.x2 = 16, turnout.y2 = 12;
  turnout.branch_count = 3;
  for (int b = 1; b <= 3; ++b) {
    turnout.branch_left_dy[b] = 1;
    turnout.branch_right_dy[b] = 2 * b - 1;
  }
  turnout.yard_station = 1;
  turnout.yard_name = 1;
  turnout.electric = 1;
  turnout.signal_left = 2;
  turnout.speed_limit = 25;
  turnout.length = 150;
  turnout.point_key = Sjis("１２");
  turnout.short_left = Sjis("上");
  turnout.name_left = Sjis("上り本線");
  turnout.short_right = Sjis("下");
  turnout.name_right = Sjis("下り本線");
  change.points().Append(turnout);
  MapPoint crossing;  // 2: corners (20, 8), (20, 10), (24, 8), (24, 10)
  crossing.x1 = 20, crossing.y1 = 7, crossing.x2 = 24, crossing.y2 = 11;
  crossing.kind = 6;
  crossing.branch_count = 4;
  const int left[] = {1, 1, 3, 3}, right[] = {1, 3, 1, 3};
  for (int b = 1; b <= 4; ++b) {
    crossing.branch_left_dy[b] = left[b - 1];
    crossing.branch_right_dy[b] = right[b - 1];
  }
  crossing.yard_target = 1;
  crossing.signal_right = 3;
  crossing.point_key = Sjis("21");
  change.points().Append(crossing);

  change.station_draws().Append({2, 0, 12, 2, 1});
  change.station_draws().Append({14, 0, 20, 2, 2});
  change.station_draws().Append({26, 12, 34, 15, 0});

  MapJump jump;
  jump.ax = 33, jump.ay = 5, jump.bx = 3, jump.by = 18;
  change.jumps().Append(jump);
  jump.ax = 28, jump.ay = 9, jump.bx = 150, jump.by = 9;
  change.jumps().Append(jump);

  change.header().start.start_rail = 1;
  change.header().start.start_station = 1;
  return map;
}

// The same map with the start at the stop section and no start segment.
EditMap StartAtStopSection() {
  EditMap map = RichMap();
  MapChange change(map);
  change.header().start = {0, 0, 2};
  return map;
}

const MapSelection& Selection() {
  static const MapSelection selection = [] {
    MapSelection s;
    s.Set(MapTable::kRail, 2, true);
    s.Set(MapTable::kRail, 5, true);
    s.Set(MapTable::kPoint, 1, true);
    s.Set(MapTable::kStationDraw, 1, true);
    s.SetJumpEnd(1, false, true);
    s.SetJumpEnd(2, true, true);
    return s;
  }();
  return selection;
}

const MapCheckMarks& Marks() {
  static const MapCheckMarks marks = [] {
    MapCheckMarks m;
    m.Set(MapTable::kRail, 2, kErrorMark);  // selected: stays yellow
    m.Set(MapTable::kRail, 3, kErrorMark);
    m.Set(MapTable::kRail, 4, kWarningMark);
    m.Set(MapTable::kPoint, 2, kWarningMark);
    m.Set(MapTable::kStationDraw, 2, kErrorMark);
    m.Set(MapTable::kJump, 1, kWarningMark);
    return m;
  }();
  return marks;
}

// Tool values that match rail 1 and the turnout.
MapDrawOptions Base() {
  MapDrawOptions o;
  o.view_width = 400;
  o.view_height = 240;
  o.current_station = 1;
  o.current_target = 1;
  o.electric = 1;
  o.signal_type = 2;
  o.speed_limit = 80;
  o.distance = 150;
  o.names = ToolNames();
  o.name_entry = 1;
  o.selection = &Selection();
  return o;
}

// The views each tool is drawn with.
std::vector<MapDrawOptions> Views() {
  std::vector<MapDrawOptions> views;
  auto add = [&views](void (*change)(MapDrawOptions&)) {
    MapDrawOptions o = Base();
    change(o);
    views.push_back(o);
  };
  add([](MapDrawOptions&) {});
  add([](MapDrawOptions& o) {
    o.show_check_marks = true;
    o.check_marks = &Marks();
  });
  add([](MapDrawOptions& o) {  // other values, nothing selected
    o.current_station = 2;
    o.current_target = 2;
    o.electric = kDefaultElectric;
    o.signal_type = 3;
    o.speed_limit = 0;
    o.distance = 300;
    o.names = {};
    o.name_entry = 2;
    o.selection = nullptr;
  });
  add([](MapDrawOptions& o) { o.dialog_rail = 3; });
  add([](MapDrawOptions& o) {
    o.dialog_point = 1;
    o.dialog_branch = 2;
    o.show_check_marks = true;
    o.check_marks = &Marks();
  });
  add([](MapDrawOptions& o) {  // a pending point alone
    o.selection_kind = SelectionKind::kRange;
    o.pending = GridPoint{3, 5};
  });
  add([](MapDrawOptions& o) {  // the next click elsewhere
    o.selection_kind = SelectionKind::kRange;
    o.pending = GridPoint{3, 5};
    o.hover = GridPoint{9, 7};
    o.crossing_corners = {{1, 1}, {4, 4}, {4, 1}};
  });
  add([](MapDrawOptions& o) {  // the next click in the same column
    o.selection_kind = SelectionKind::kRange;
    o.pending = GridPoint{3, 5};
    o.hover = GridPoint{3, 9};
  });
  add([](MapDrawOptions& o) {  // the next click in the same row
    o.selection_kind = SelectionKind::kBatch;
    o.pending = GridPoint{3, 5};
    o.hover = GridPoint{9, 5};
    o.crossing_corners = {{1, 1}};
  });
  add([](MapDrawOptions& o) {  // the next click right to left
    o.selection_kind = SelectionKind::kRange;
    o.pending = GridPoint{9, 7};
    o.hover = GridPoint{3, 5};
  });
  add([](MapDrawOptions& o) {  // the pointer over the pending point
    o.selection_kind = SelectionKind::kRange;
    o.pending = GridPoint{3, 5};
    o.hover = GridPoint{3, 5};
  });
  add([](MapDrawOptions& o) {  // no pending point
    o.hover = GridPoint{9, 7};
    o.crossing_corners = {{2, 2}};
  });
  add([](MapDrawOptions& o) {  // scrolled and zoomed out
    o.scroll_x = 25;
    o.scroll_y = 30;
    o.zoom = 50;
    o.selection_kind = SelectionKind::kRange;
    o.pending = GridPoint{1, 1};
    o.hover = GridPoint{30, 20};
  });
  add([](MapDrawOptions& o) {  // marks out of the view
    o.selection_kind = SelectionKind::kRange;
    o.pending = GridPoint{-10, -10};
    o.hover = GridPoint{100, 90};
    o.crossing_corners = {{-5, -5}, {60, 40}};
  });
  return views;
}

void Append(std::string& out, const Call& call) {
  out += std::to_string(static_cast<int>(call.op));
  for (const PixelPoint& p : call.points) {
    out += ' ' + std::to_string(p.x) + ',' + std::to_string(p.y);
  }
  out += ' ' + std::to_string(call.colour.red) + '.' + std::to_string(call.colour.green) + '.' +
         std::to_string(call.colour.blue) + ' ' + std::to_string(call.width) + ' ' + call.text +
         '\n';
}

// Every call of every view of one tool, as text.
std::string Recording(EditMode mode) {
  std::string out;
  const EditMap maps[] = {RichMap(), StartAtStopSection()};
  for (const EditMap& map : maps) {
    for (MapDrawOptions options : Views()) {
      options.mode = mode;
      RecordingCanvas canvas;
      DrawEditMap(map, options, canvas);
      for (const Call& call : canvas.calls()) Append(out, call);
      out += "--\n";
    }
  }
  return out;
}

std::uint64_t Digest(const std::string& text) {
  std::uint64_t hash = 14695981039346656037ull;  // FNV-1a
  for (const char c : text) {
    hash ^= static_cast<unsigned char>(c);
    hash *= 1099511628211ull;
  }
  return hash;
}

struct Expected {
  int mode;
  std::uint64_t digest;
};

// Tool numbers 0 to 42, the unused ones included (they draw like no tool).
constexpr Expected kExpected[] = {
    {0, 0x5b1ad365243b71cfull},  {1, 0x5b1ad365243b71cfull},  {2, 0xdf87aa22357c7713ull},
    {3, 0x808a7d6e6d4ba173ull},  {4, 0x4ca75919c71b7545ull},  {5, 0xb6e063c3438eaaa7ull},
    {6, 0xc4ac7c7e40256743ull},  {7, 0xb8b920e6986c2257ull},  {8, 0xaf0d2f4145098825ull},
    {9, 0x7a9e77534fabf82full},  {10, 0xb9400140b04000e3ull}, {11, 0x5b1ad365243b71cfull},
    {12, 0xd3baa400798f98a5ull}, {13, 0x300a517f2d0910efull}, {14, 0xd31d36c0361b85efull},
    {15, 0x23665979eb9d13dbull}, {16, 0xd8a3fc88011af48bull}, {17, 0x0240f1b16143e417ull},
    {18, 0x9728c61f0e81804full}, {19, 0x1382958a08a3178bull}, {20, 0x310b059aa0d0b645ull},
    {21, 0x4317ebefcdd69de3ull}, {22, 0x5b1ad365243b71cfull}, {23, 0xbf07251153c6375full},
    {24, 0x3fc4bd2084335325ull}, {25, 0x8ea136e1208a4f4full}, {26, 0xce54b2813edb4223ull},
    {27, 0xbe017e40c7443e1full}, {28, 0xe4cf9462291ecce7ull}, {29, 0xcf0983a2eef38365ull},
    {30, 0x39e76aba60e28f95ull}, {31, 0xf4d1066501a3cd49ull}, {32, 0x5b1ad365243b71cfull},
    {33, 0x849a5aee3c57e065ull}, {34, 0x845b9d62b237c057ull}, {35, 0x5b1ad365243b71cfull},
    {36, 0x5b1ad365243b71cfull}, {37, 0x5b1ad365243b71cfull}, {38, 0x5b1ad365243b71cfull},
    {39, 0xf2f1b248d2423595ull}, {40, 0x77e8a23294b9cb43ull}, {41, 0xf2f1b248d2423595ull},
    {42, 0x77e8a23294b9cb43ull},
};

TEST(MapDrawingEveryTool, RecordingsAsPinnedDown) {
  std::string table;
  bool all_equal = true;
  for (int number = 0; number <= 42; ++number) {
    const std::uint64_t digest = Digest(Recording(static_cast<EditMode>(number)));
    char line[64];
    std::snprintf(line, sizeof line, "    {%d, 0x%016llxull},\n", number,
                  static_cast<unsigned long long>(digest));
    table += line;
    std::optional<std::uint64_t> expected;
    for (const Expected& e : kExpected) {
      if (e.mode == number) expected = e.digest;
    }
    if (expected != digest) {
      all_equal = false;
      ADD_FAILURE() << "tool " << number << " draws differently";
    }
  }
  if (!all_equal) std::printf("The digests of this drawing:\n%s", table.c_str());
}

}  // namespace
}  // namespace corvane
