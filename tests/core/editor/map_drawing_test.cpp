#include "editor/map_drawing.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "support/test_support.h"

namespace corvane {
namespace {

using testing::Sjis;
using Op = RecordingCanvas::Op;
using Call = RecordingCanvas::Call;

constexpr int kWidth = 400;
constexpr int kHeight = 240;

MapDrawOptions View(EditMode mode = EditMode::kNone) {
  MapDrawOptions options;
  options.view_width = kWidth;
  options.view_height = kHeight;
  options.mode = mode;
  return options;
}

std::vector<Call> Draw(const EditMap& map, const MapDrawOptions& options) {
  RecordingCanvas canvas;
  DrawEditMap(map, options, canvas);
  return canvas.calls();
}

std::vector<Call> Only(const std::vector<Call>& calls, Op op, Rgb colour) {
  std::vector<Call> out;
  for (const Call& call : calls) {
    if (call.op == op && call.colour == colour) out.push_back(call);
  }
  return out;
}

// The fill of the object box from (left, top) to (right, bottom); the white
// background is the first call and never an object.
std::optional<Rgb> BoxFill(const std::vector<Call>& calls, int left, int top, int right,
                           int bottom) {
  for (std::size_t i = 1; i < calls.size(); ++i) {
    const Call& call = calls[i];
    if (call.op == Op::kFillRect && call.points[0] == PixelPoint{left, top} &&
        call.points[1] == PixelPoint{right, bottom}) {
      return call.colour;
    }
  }
  return std::nullopt;
}

std::vector<std::pair<PixelPoint, PixelPoint>> Ends(const std::vector<Call>& lines) {
  std::vector<std::pair<PixelPoint, PixelPoint>> ends;
  for (const Call& call : lines) ends.emplace_back(call.points[0], call.points[1]);
  return ends;
}

int AddTrack(EditMap& map, GridPoint a, GridPoint b, int direction = kBothWays) {
  return map.AddRail(NewRail(a, b, direction));
}

// A crossing from corners (3, 4), (3, 6), (7, 4), (7, 6): box 3, 3, 7, 7.
MapPoint Crossing(int kind) {
  MapPoint point;
  point.x1 = 3;
  point.y1 = 3;
  point.x2 = 7;
  point.y2 = 7;
  point.kind = kind;
  point.branch_count = 4;
  const int left[] = {1, 1, 3, 3}, right[] = {1, 3, 1, 3};
  for (int b = 1; b <= 4; ++b) {
    point.branch_left_dy[b] = left[b - 1];
    point.branch_right_dy[b] = right[b - 1];
  }
  return point;
}

TEST(MapDrawingGrid, LinesTwoPixelsWideBlackEveryStep) {
  EditMap map;
  MapDrawOptions options = View();
  options.view_width = 100;
  options.view_height = 48;
  options.grid_x = 5;
  options.grid_y = 2;
  std::vector<Call> calls = Draw(map, options);
  ASSERT_FALSE(calls.empty());
  EXPECT_EQ(calls[0].op, Op::kFillRect);
  EXPECT_EQ(calls[0].colour, kWhite);
  EXPECT_EQ(calls[0].points[1], (PixelPoint{100, 48}));

  auto columns = [](const std::vector<Call>& lines) {
    std::set<int> xs;
    for (const Call& line : lines) {
      EXPECT_EQ(line.width, 2);
      if (line.points[0].x == line.points[1].x) xs.insert(line.points[0].x);
    }
    return xs;
  };
  auto rows = [](const std::vector<Call>& lines) {
    std::set<int> ys;
    for (const Call& line : lines) {
      if (line.points[0].y == line.points[1].y) ys.insert(line.points[0].y);
    }
    return ys;
  };
  const std::vector<Call> black = Only(calls, Op::kLine, kBlack);
  const std::vector<Call> grey = Only(calls, Op::kLine, kMapGrey);
  EXPECT_EQ(columns(black), (std::set<int>{0, 50, 100}));
  EXPECT_EQ(columns(grey), (std::set<int>{-10, 10, 20, 30, 40, 60, 70, 80, 90}));
  EXPECT_EQ(rows(black), (std::set<int>{0, 24, 48}));
  EXPECT_EQ(rows(grey), (std::set<int>{-12, 12, 36}));

  // Scrolled by three columns, column 5 is the first black line; a step of 0
  // leaves the rows grey.
  options.scroll_x = 30;
  options.grid_y = 0;
  calls = Draw(map, options);
  EXPECT_EQ(columns(Only(calls, Op::kLine, kBlack)), (std::set<int>{20, 70}));
  EXPECT_TRUE(rows(Only(calls, Op::kLine, kBlack)).empty());
  EXPECT_EQ(rows(Only(calls, Op::kLine, kMapGrey)), (std::set<int>{-12, 0, 12, 24, 36, 48}));
}

TEST(MapDrawingRail, BoxAndTrackLine) {
  EditMap map;
  AddTrack(map, {3, 5}, {8, 7});  // box 3, 4, 8, 8
  const std::vector<Call> calls = Draw(map, View());
  EXPECT_EQ(BoxFill(calls, 30, 48, 80, 96), kBlack);
  const std::vector<Call> frames = Only(calls, Op::kFrameRect, kWhite);
  ASSERT_EQ(frames.size(), 1u);
  EXPECT_EQ(frames[0].width, 1);
  EXPECT_EQ(frames[0].points[0], (PixelPoint{30, 48}));

  const std::vector<Call> red = Only(calls, Op::kLine, kMapRed);
  ASSERT_EQ(red.size(), 2u);
  EXPECT_EQ(Ends(red)[0], (std::pair<PixelPoint, PixelPoint>{{30, 60}, {80, 84}}));
  EXPECT_EQ(Ends(red)[1], (std::pair<PixelPoint, PixelPoint>{{30, 59}, {80, 83}}));
  for (const Call& line : red) EXPECT_EQ(line.width, 1);
  EXPECT_EQ(Only(calls, Op::kLine, kMapMagenta).size(), 8u);  // two heads, two legs, twice
}

TEST(MapDrawingRail, ArrowheadsByWidthAndDirection) {
  struct Case {
    int columns;
    int direction;
    int leg_dx, leg_dy;  // leg end relative to the end it starts from
    bool left_head, right_head;
  };
  const Case cases[] = {
      {1, kBothWays, 7, 3, true, true},         // 8-pixel legs
      {2, kLeftwardOnly, 9, 4, true, false},    // 10-pixel legs
      {3, kRightwardOnly, 14, 6, false, true},  // 15-pixel legs
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.columns);
    EditMap map;
    AddTrack(map, {2, 5}, {2 + c.columns, 5}, c.direction);
    const PixelPoint left{20, 60}, right{20 + c.columns * 10, 60};
    std::vector<std::pair<PixelPoint, PixelPoint>> want;
    for (const int up : {0, 1}) {
      if (c.left_head) {
        want.push_back({{left.x, left.y - up}, {left.x + c.leg_dx, left.y + c.leg_dy - up}});
        want.push_back({{left.x, left.y - up}, {left.x + c.leg_dx, left.y - c.leg_dy - up}});
      }
      if (c.right_head) {
        want.push_back({{right.x - c.leg_dx, right.y - c.leg_dy - up}, {right.x, right.y - up}});
        want.push_back({{right.x - c.leg_dx, right.y + c.leg_dy - up}, {right.x, right.y - up}});
      }
    }
    std::vector<std::pair<PixelPoint, PixelPoint>> got =
        Ends(Only(Draw(map, View()), Op::kLine, kMapMagenta));
    auto order = [](const auto& a, const auto& b) {
      return std::tie(a.first.x, a.first.y, a.second.x, a.second.y) <
             std::tie(b.first.x, b.first.y, b.second.x, b.second.y);
    };
    std::sort(want.begin(), want.end(), order);
    std::sort(got.begin(), got.end(), order);
    EXPECT_EQ(got, want);
  }
}

TEST(MapDrawingRail, FillFollowsTheTool) {
  struct Case {
    const char* what;
    EditMode mode;
    void (*setup)(MapRail&, MapDrawOptions&);
    Rgb fill;
  };
  const Case cases[] = {
      {"no tool", EditMode::kNone, [](MapRail& r, MapDrawOptions&) { r.station = 2; }, kBlack},
      {"current station", EditMode::kStation,
       [](MapRail& r, MapDrawOptions& o) { r.station = o.current_station = 2; }, kMapBlue},
      {"other station", EditMode::kStation,
       [](MapRail& r, MapDrawOptions& o) { r.station = 1, o.current_station = 2; }, kMapGrey},
      {"no station", EditMode::kStation, [](MapRail&, MapDrawOptions& o) { o.current_station = 2; },
       kBlack},
      {"drawing tool shows yards", EditMode::kStationDrawing,
       [](MapRail& r, MapDrawOptions& o) { r.yard_station = o.current_station = 3; }, kMapBlue},
      {"stop section yard", EditMode::kStopSectionYard,
       [](MapRail& r, MapDrawOptions& o) { r.yard_target = 1, o.current_target = 2; }, kMapGrey},
      {"selected", EditMode::kSelect, [](MapRail& r, MapDrawOptions&) { r.selected = 1; },
       kMapYellow},
      {"leftward tool on two-way", EditMode::kDirectionLeftward, [](MapRail&, MapDrawOptions&) {},
       kBlack},
      {"two-way tool", EditMode::kDirectionBoth, [](MapRail&, MapDrawOptions&) {}, kMapBlue},
      {"electric other kind", EditMode::kElectric,
       [](MapRail& r, MapDrawOptions& o) { r.electric = 0, o.electric = 3; }, kMapGrey},
      {"leftward signal on rightward-only", EditMode::kSignalLeftward,
       [](MapRail& r, MapDrawOptions&) { r.direction = kRightwardOnly; }, kBlack},
      {"rightward signal equal", EditMode::kSignalRightward,
       [](MapRail& r, MapDrawOptions& o) { r.signal_right = o.signal_type = 4; }, kMapBlue},
      {"length tool selected", EditMode::kLength,
       [](MapRail& r, MapDrawOptions&) { r.selected = 1; }, kMapYellow},
      {"stop target outside stations", EditMode::kStopRightward, [](MapRail&, MapDrawOptions&) {},
       kBlack},
      {"stop target in station", EditMode::kStopRightward,
       [](MapRail& r, MapDrawOptions& o) { r.station = 1, r.stop_right = o.distance = 80; },
       kMapBlue},
      {"manual names differ", EditMode::kManualName,
       [](MapRail&, MapDrawOptions& o) { o.names.short_left = "x"; }, kMapGrey},
      {"auto blocks unnamed", EditMode::kBlockNameAuto, [](MapRail&, MapDrawOptions&) {}, kMapGrey},
      {"auto blocks named", EditMode::kBlockNameAuto,
       [](MapRail& r, MapDrawOptions&) { r.block_auto = 1; }, kMapAutoNamed},
      {"auto blocks in station", EditMode::kBlockNameAuto,
       [](MapRail& r, MapDrawOptions&) { r.station = 1; }, kBlack},
      {"yard naming outside yards", EditMode::kYardName, [](MapRail&, MapDrawOptions&) {}, kBlack},
      {"station naming", EditMode::kStationName,
       [](MapRail& r, MapDrawOptions& o) { r.station = 1, r.station_name = o.name_entry = 5; },
       kMapBlue},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EditMap map;
    MapRail rail = NewRail({3, 5}, {8, 5}, kBothWays);
    MapDrawOptions options = View(c.mode);
    c.setup(rail, options);
    map.AddRail(rail);
    EXPECT_EQ(BoxFill(Draw(map, options), 30, 48, 80, 72), c.fill);
  }
}

TEST(MapDrawingRail, StartToolsShowStartAndLineEnds) {
  EditMap map;
  AddTrack(map, {0, 5}, {5, 5});
  AddTrack(map, {5, 5}, {10, 5});
  AddTrack(map, {10, 5}, {15, 5});
  map.rails[2].station = 1;
  map.start.start_rail = 1;
  std::vector<Call> calls = Draw(map, View(EditMode::kStartPoint));
  EXPECT_EQ(BoxFill(calls, 0, 48, 50, 72), kMapBlue);     // the start
  EXPECT_EQ(BoxFill(calls, 50, 48, 100, 72), kBlack);     // joined on both sides
  EXPECT_EQ(BoxFill(calls, 100, 48, 150, 72), kMapGrey);  // another line end

  map.start.start_station = 1;
  calls = Draw(map, View(EditMode::kStartDistance));
  EXPECT_EQ(BoxFill(calls, 50, 48, 100, 72), kMapBlue);
  EXPECT_EQ(BoxFill(calls, 0, 48, 50, 72), kBlack);
}

TEST(MapDrawingRail, DialogAndCheckMarksOverrideTheTool) {
  EditMap map;
  AddTrack(map, {0, 5}, {5, 5});
  AddTrack(map, {5, 5}, {10, 5});
  AddTrack(map, {10, 5}, {15, 5});
  for (MapRail& rail : map.rails) rail.station = 1;
  map.rails[3].selected = 1;

  MapDrawOptions options = View(EditMode::kStation);
  options.current_station = 1;
  options.dialog_rail = 2;
  std::vector<Call> calls = Draw(map, options);
  EXPECT_EQ(BoxFill(calls, 0, 48, 50, 72), kBlack);
  EXPECT_EQ(BoxFill(calls, 50, 48, 100, 72), kMapRed);

  MapCheckMarks marks;
  marks.rails = {CheckMark::kNone, CheckMark::kError, CheckMark::kWarning, CheckMark::kError};
  options = View(EditMode::kSelect);
  options.check_marks = &marks;
  calls = Draw(map, options);  // error display off: the marks do not show
  EXPECT_EQ(BoxFill(calls, 0, 48, 50, 72), kBlack);
  options.show_check_marks = true;
  calls = Draw(map, options);
  EXPECT_EQ(BoxFill(calls, 0, 48, 50, 72), kMapRed);
  EXPECT_EQ(BoxFill(calls, 50, 48, 100, 72), kMapMagenta);
  EXPECT_EQ(BoxFill(calls, 100, 48, 150, 72), kMapYellow);  // selected stays yellow
}

TEST(MapDrawingRail, ValueToolsWriteNumbersInsteadOfTrack) {
  EditMap map;
  AddTrack(map, {3, 5}, {8, 7}, kLeftwardOnly);  // box 30, 48, 80, 96
  map.rails[1].station = 1;
  map.rails[1].stop_left = 480;
  map.rails[1].stop_right = 470;

  std::vector<Call> calls = Draw(map, View(EditMode::kSpeedLimit));  // no limit: nothing
  EXPECT_TRUE(Only(calls, Op::kText, kBlack).empty());
  EXPECT_TRUE(Only(calls, Op::kLine, kMapRed).empty());

  map.rails[1].speed_limit = 80;
  calls = Draw(map, View(EditMode::kSpeedLimit));
  std::vector<Call> texts = Only(calls, Op::kText, kBlack);
  ASSERT_EQ(texts.size(), 1u);
  EXPECT_EQ(texts[0].text, "80");
  EXPECT_EQ(texts[0].points[0], (PixelPoint{(30 + 80 - 12) / 2, (48 + 96 - 12) / 2}));

  texts = Only(Draw(map, View(EditMode::kLength)), Op::kText, kBlack);
  ASSERT_EQ(texts.size(), 1u);
  EXPECT_EQ(texts[0].text, "500");
  texts = Only(Draw(map, View(EditMode::kStopLeftward)), Op::kText, kBlack);
  ASSERT_EQ(texts.size(), 1u);
  EXPECT_EQ(texts[0].text, "480");
  EXPECT_TRUE(Only(Draw(map, View(EditMode::kStopRightward)), Op::kText, kBlack).empty());
}

TEST(MapDrawingPoint, CrossingDrawsOnlyItsBranches) {
  EditMap map;
  map.AddPoint(Crossing(6));
  std::vector<Call> calls = Draw(map, View());
  EXPECT_EQ(BoxFill(calls, 30, 36, 70, 84), kBlack);
  std::vector<std::pair<PixelPoint, PixelPoint>> green = Ends(Only(calls, Op::kLine, kMapGreen));
  EXPECT_EQ(green, (std::vector<std::pair<PixelPoint, PixelPoint>>{
                       {{30, 48}, {70, 72}},
                       {{30, 47}, {70, 71}},  // top-left to bottom-right
                       {{30, 72}, {70, 48}},
                       {{30, 71}, {70, 47}},  // bottom-left to top-right
                   }));
  map.points[1].kind = 3;
  EXPECT_EQ(Only(Draw(map, View()), Op::kLine, kMapGreen).size(), 8u);
}

TEST(MapDrawingPoint, DialogBranchKeyAndValueTools) {
  EditMap map;
  MapPoint turnout;  // joint (4, 5), branch ends (8, 5), (8, 7), (8, 9)
  turnout.x1 = 4;
  turnout.y1 = 4;
  turnout.x2 = 8;
  turnout.y2 = 10;
  turnout.branch_count = 3;
  for (int b = 1; b <= 3; ++b) {
    turnout.branch_left_dy[b] = 1;
    turnout.branch_right_dy[b] = 2 * b - 1;
  }
  turnout.point_key = Sjis("１２");
  turnout.length = 150;
  map.AddPoint(turnout);

  MapDrawOptions options = View(EditMode::kProperty);
  options.dialog_point = 1;
  options.dialog_branch = 2;
  std::vector<Call> calls = Draw(map, options);
  EXPECT_EQ(BoxFill(calls, 40, 48, 80, 120), kMapRed);
  EXPECT_EQ(Only(calls, Op::kLine, kMapGreen).size(), 4u);
  EXPECT_EQ(Ends(Only(calls, Op::kLine, kMapRed))[0],
            (std::pair<PixelPoint, PixelPoint>{{40, 60}, {80, 84}}));
  const std::vector<Call> keys = Only(calls, Op::kText, kWhite);
  ASSERT_EQ(keys.size(), 1u);
  EXPECT_EQ(keys[0].text, "１２");

  options = View(EditMode::kLength);
  options.distance = 150;
  calls = Draw(map, options);
  EXPECT_EQ(BoxFill(calls, 40, 48, 80, 120), kMapBlue);
  EXPECT_TRUE(Only(calls, Op::kLine, kMapGreen).empty());
  ASSERT_EQ(Only(calls, Op::kText, kBlack).size(), 1u);
  EXPECT_EQ(Only(calls, Op::kText, kBlack)[0].text, "150");

  map.points[1].yard_station = 2;
  options = View(EditMode::kStationYard);
  options.current_station = 1;
  EXPECT_EQ(BoxFill(Draw(map, options), 40, 48, 80, 120), kMapGrey);
}

TEST(MapDrawingStationDraw, NameAndFills) {
  EditMap map;
  MapStation station;
  station.short_name = Sjis("東駅");
  map.AddStation(station);
  map.AddStation(station);
  map.AddStationDraw({2, 3, 12, 6, 1});
  map.AddStationDraw({20, 3, 30, 6, 0});

  MapDrawOptions options = View(EditMode::kStation);
  options.current_station = 1;
  std::vector<Call> calls = Draw(map, options);
  EXPECT_EQ(BoxFill(calls, 20, 36, 120, 72), kMapBlue);
  EXPECT_EQ(BoxFill(calls, 200, 36, 300, 72), kBlack);
  EXPECT_EQ(Only(calls, Op::kFrameRect, kMapLightGrey).size(), 2u);
  const std::vector<Call> names = Only(calls, Op::kText, kWhite);
  ASSERT_EQ(names.size(), 1u);
  EXPECT_EQ(names[0].text, "東駅");

  options.current_station = 2;
  EXPECT_EQ(BoxFill(Draw(map, options), 20, 36, 120, 72), kMapGrey);
  map.station_draws[1].selected = 1;
  EXPECT_EQ(BoxFill(Draw(map, View(EditMode::kMove)), 20, 36, 120, 72), kMapYellow);
}

TEST(MapDrawingJump, EndBoxesBesideThePoints) {
  EditMap map;
  MapJump jump;
  jump.ax = 10, jump.ay = 5, jump.bx = 20, jump.by = 8;
  map.AddJump(jump);  // named "A"
  map.jumps[1].selected_b = 1;

  std::vector<Call> calls = Draw(map, View());
  EXPECT_EQ(BoxFill(calls, 100, 48, 110, 72), kBlack);   // end A right of its point
  EXPECT_EQ(BoxFill(calls, 190, 84, 200, 108), kBlack);  // end B left of its point
  std::vector<Call> names = Only(calls, Op::kText, kWhite);
  ASSERT_EQ(names.size(), 2u);
  EXPECT_EQ(names[0].text, "A");
  EXPECT_EQ(names[0].points[0], (PixelPoint{(100 + 110 - 6) / 2, (48 + 72 - 12) / 2}));

  calls = Draw(map, View(EditMode::kSelect));
  EXPECT_EQ(BoxFill(calls, 100, 48, 110, 72), kBlack);
  EXPECT_EQ(BoxFill(calls, 190, 84, 200, 108), kMapYellow);
}

TEST(MapDrawingMarks, PendingPointsBandsAndCorners) {
  EditMap map;
  struct Case {
    EditMode mode;
    SelectionKind kind;
    std::optional<Call> mark;
  };
  const Call red{Op::kFillRect, {{37, 57}, {42, 62}}, kMapRed, 0, {}};
  const Call green{Op::kFillRect, {{37, 57}, {42, 62}}, kMapGreen, 0, {}};
  const Call row{Op::kFillRect, {{0, 57}, {kWidth, 62}}, kMapGreen, 0, {}};
  const Call column{Op::kFillRect, {{37, 0}, {42, kHeight}}, kMapGreen, 0, {}};
  const Case cases[] = {
      {EditMode::kTrack, SelectionKind::kIndividual, red},
      {EditMode::kTurnout, SelectionKind::kIndividual, green},
      {EditMode::kJump, SelectionKind::kIndividual, green},
      {EditMode::kSelect, SelectionKind::kRange, green},
      {EditMode::kSelect, SelectionKind::kIndividual, std::nullopt},
      {EditMode::kDeleteRows, SelectionKind::kIndividual, row},
      {EditMode::kInsertColumns, SelectionKind::kIndividual, column},
      {EditMode::kNone, SelectionKind::kIndividual, std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.mode));
    MapDrawOptions options = View(c.mode);
    options.selection_kind = c.kind;
    options.pending = {4, 5};
    const std::vector<Call> calls = Draw(map, options);
    const Call& last = calls.back();
    if (c.mark) {
      EXPECT_EQ(last.op, Op::kFillRect);
      EXPECT_EQ(last.colour, c.mark->colour);
      EXPECT_EQ(last.points, c.mark->points);
    } else {
      EXPECT_EQ(last.op, Op::kLine);  // the grid is the last thing drawn
    }
  }

  MapDrawOptions options = View(EditMode::kTrack);  // (0, 0) is no pending point
  EXPECT_EQ(Draw(map, options).back().op, Op::kLine);

  options = View(EditMode::kCrossing);
  options.crossing_corners = {{4, 5}, {4, 7}};
  const std::vector<Call> corners = Only(Draw(map, options), Op::kFillRect, kMapGreen);
  ASSERT_EQ(corners.size(), 2u);
  EXPECT_EQ(corners[0].points, (std::vector<PixelPoint>{{38, 58}, {41, 61}}));
  EXPECT_EQ(corners[1].points, (std::vector<PixelPoint>{{38, 82}, {41, 85}}));
}

TEST(MapDrawingCulling, OnlyObjectsNearTheViewAreDrawn) {
  EditMap map;
  AddTrack(map, {3, 5}, {8, 5});      // in view
  AddTrack(map, {100, 5}, {105, 5});  // 1000 pixels to the right
  AddTrack(map, {3, 60}, {8, 60});    // 700 pixels down
  std::vector<Call> calls = Draw(map, View());
  EXPECT_EQ(Only(calls, Op::kFrameRect, kWhite).size(), 1u);
  EXPECT_EQ(Only(calls, Op::kLine, kMapRed).size(), 2u);

  // Scrolled to the second segment, only it is drawn, shifted by the offset.
  MapDrawOptions options = View();
  options.scroll_x = 950;
  calls = Draw(map, options);
  EXPECT_EQ(Only(calls, Op::kFrameRect, kWhite).size(), 1u);
  EXPECT_EQ(BoxFill(calls, 50, 48, 100, 72), kBlack);

  // A full table of segments costs only the visible ones.
  EditMap full;
  for (int i = 0; i < kRailCapacity; ++i) {
    AddTrack(full, {(i % 64) * 4, (i / 64) * 3 + 1}, {(i % 64) * 4 + 3, (i / 64) * 3 + 1});
  }
  ASSERT_EQ(full.rails.count(), kRailCapacity);
  calls = Draw(full, View());
  const std::size_t boxes = Only(calls, Op::kFrameRect, kWhite).size();
  EXPECT_GT(boxes, 50u);
  EXPECT_LT(boxes, 400u);
}

TEST(MapDrawingCulling, FarCoordinatesStayNearTheView) {
  EditMap map;
  MapRail rail = NewRail({-100000000, 5}, {100000000, 9}, kBothWays);
  map.AddRail(rail);
  MapJump jump;
  jump.ax = 2000000000, jump.ay = 5, jump.bx = -2000000000, jump.by = 5;
  map.AddJump(jump);
  for (const Call& call : Draw(map, View())) {
    for (const PixelPoint& p : call.points) {
      EXPECT_GE(p.x, -200);
      EXPECT_LE(p.x, kWidth + 200);
      EXPECT_GE(p.y, -200);
      EXPECT_LE(p.y, kHeight + 200);
    }
  }
  EXPECT_EQ(Only(Draw(map, View()), Op::kLine, kMapRed).size(), 2u);
}

TEST(MapDrawingScroll, RangesFollowTheExtent) {
  MapScrollRanges ranges = MapScrollRangesFor({50, 30}, 1000, 480);
  EXPECT_EQ(ranges.horizontal.page, 90);
  EXPECT_EQ(ranges.horizontal.range, 139);
  EXPECT_EQ(ranges.horizontal.max_position, 50);  // the last column can reach the left edge
  EXPECT_EQ(ranges.horizontal.PixelOffset(7), 70);
  EXPECT_EQ(ranges.vertical.page, 36);
  EXPECT_EQ(ranges.vertical.range, 65);
  EXPECT_EQ(ranges.vertical.max_position, 30);
  EXPECT_EQ(ranges.vertical.max_pixel_offset(), 360);

  ranges = MapScrollRangesFor({0, 0}, 5, 5);  // an empty map in a tiny window
  EXPECT_EQ(ranges.horizontal.page, 0);
  EXPECT_EQ(ranges.horizontal.range, 1);
  EXPECT_EQ(ranges.horizontal.max_position, 1);

  ranges = MapScrollRangesFor({2147483647, 2147483647}, 1000, 1000);
  EXPECT_LE(ranges.horizontal.max_pixel_offset(), 2147483647);
  EXPECT_GT(ranges.horizontal.max_position, 0);

  EditMap map;
  AddTrack(map, {3, 5}, {8, 7});
  MapStationDraw draw{20, 1, 40, 30, 0};
  map.AddStationDraw(draw);
  EXPECT_EQ(RailExtent(map).max_x, 8);
  EXPECT_EQ(RailExtent(map).max_y, 8);
  EXPECT_EQ(MapPixelExtent(RailExtent(map)).width, 80);
  EXPECT_EQ(MapPixelExtent(RailExtent(map)).height, 96);
}

}  // namespace
}  // namespace corvane
