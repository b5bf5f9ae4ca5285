#include "editor/map_drawing.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "map/map_change.h"
#include "support/test_support.h"

namespace corvane {
namespace {

using testing::Sjis;
using Op = RecordingCanvas::Op;
using Call = RecordingCanvas::Call;
using Stroke = std::pair<PixelPoint, PixelPoint>;

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

std::vector<Stroke> Lines(const std::vector<Call>& calls, Rgb colour) {
  std::vector<Stroke> lines;
  for (const Call& call : Only(calls, Op::kLine, colour)) {
    lines.emplace_back(call.points[0], call.points[1]);
  }
  return lines;
}

std::vector<std::string> Texts(const std::vector<Call>& calls, Rgb colour) {
  std::vector<std::string> texts;
  for (const Call& call : Only(calls, Op::kText, colour)) texts.push_back(call.text);
  return texts;
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

int AddTrack(EditMap& map, GridPoint a, GridPoint b, int direction = kBothWays) {
  return MapChange(map).rails().Append(NewRail(a, b, direction));
}

// A selection of the first segment.
const MapSelection* FirstRailSelected() {
  static const MapSelection selection = [] {
    MapSelection s;
    s.Set(MapTable::kRail, 1, true);
    return s;
  }();
  return &selection;
}

// Three segments in a row on row 5, boxes from pixel 0, 50 and 100 to 50
// pixels further, 48 to 72.
EditMap ThreeInARow() {
  EditMap map;
  for (int x : {0, 5, 10}) AddTrack(map, {x, 5}, {x + 5, 5});
  return map;
}

// A crossing from corners (3, 4), (3, 6), (7, 4), (7, 6): box 3, 3, 7, 7.
MapPoint Crossing(int kind) {
  MapPoint point;
  point.x1 = 3, point.y1 = 3, point.x2 = 7, point.y2 = 7;
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
  MapDrawOptions options = View();
  options.view_width = 100;
  options.view_height = 48;
  options.grid_x = 5;
  options.grid_y = 2;
  // Positions of the vertical (or horizontal) grid lines of one colour.
  auto at = [](const std::vector<Call>& calls, Rgb colour, bool vertical) {
    std::set<int> positions;
    for (const Call& line : Only(calls, Op::kLine, colour)) {
      EXPECT_EQ(line.width, 2);
      const bool is_vertical = line.points[0].x == line.points[1].x;
      if (is_vertical == vertical) positions.insert(vertical ? line.points[0].x : line.points[0].y);
    }
    return positions;
  };
  std::vector<Call> calls = Draw(EditMap(), options);
  EXPECT_EQ(calls[0].op, Op::kFillRect);
  EXPECT_EQ(calls[0].colour, kWhite);
  EXPECT_EQ(calls[0].points[1], (PixelPoint{100, 48}));
  EXPECT_EQ(at(calls, kBlack, true), (std::set<int>{0, 50, 100}));
  EXPECT_EQ(at(calls, kMapGrey, true), (std::set<int>{-10, 10, 20, 30, 40, 60, 70, 80, 90}));
  EXPECT_EQ(at(calls, kBlack, false), (std::set<int>{0, 24, 48}));
  EXPECT_EQ(at(calls, kMapGrey, false), (std::set<int>{-12, 12, 36}));

  // Scrolled by three columns, column 5 is the first black line; a step of 0
  // leaves the rows grey.
  options.scroll_x = 30;
  options.grid_y = 0;
  calls = Draw(EditMap(), options);
  EXPECT_EQ(at(calls, kBlack, true), (std::set<int>{20, 70}));
  EXPECT_TRUE(at(calls, kBlack, false).empty());
  EXPECT_EQ(at(calls, kMapGrey, false), (std::set<int>{-12, 0, 12, 24, 36, 48}));
}

// At small scales every stroke keeps a pixel of the window, in both
// directions, and lines too close to tell apart are left out.
TEST(MapDrawingGrid, SmallScalesKeepRowsAndColumnsVisible) {
  EditMap map;
  AddTrack(map, {2, 5}, {6, 5});
  MapDrawOptions options = View();
  options.view_width = 400;  // 100 pixels of the window at 25 %
  options.view_height = 480;
  struct Case {
    int zoom;
    int width;  // of grid lines and strokes, in pixels of the drawing
    bool grey_columns, grey_rows;
  };
  for (const Case& c : {Case{25, 4, false, false}, Case{35, 3, false, true},
                        Case{50, 2, true, true}, Case{100, 2, true, true}}) {
    SCOPED_TRACE(c.zoom);
    options.zoom = c.zoom;
    const std::vector<Call> calls = Draw(map, options);
    int black_rows = 0, black_columns = 0, grey_rows = 0, grey_columns = 0;
    for (const Call& line : Only(calls, Op::kLine, kBlack)) {
      EXPECT_EQ(line.width, c.width);
      ++(line.points[0].x == line.points[1].x ? black_columns : black_rows);
    }
    for (const Call& line : Only(calls, Op::kLine, kMapGrey)) {
      ++(line.points[0].x == line.points[1].x ? grey_columns : grey_rows);
    }
    EXPECT_GT(black_rows, 0);
    EXPECT_GT(black_columns, 0);
    EXPECT_EQ(grey_columns > 0, c.grey_columns);
    EXPECT_EQ(grey_rows > 0, c.grey_rows);
    // The track: two strokes one pixel of the window apart.
    const std::vector<Call> track = Only(calls, Op::kLine, kMapRed);
    ASSERT_EQ(track.size(), 2u);
    const int stroke = c.zoom < 100 ? (100 + c.zoom - 1) / c.zoom : 1;
    EXPECT_EQ(track[0].width, stroke);
    EXPECT_EQ(track[0].points[0].y - track[1].points[0].y, stroke);
  }
}

TEST(MapDrawingRail, BoxTrackLineAndArrowheads) {
  EditMap map;
  AddTrack(map, {3, 5}, {8, 7});  // box 3, 4, 8, 8
  std::vector<Call> calls = Draw(map, View());
  EXPECT_EQ(BoxFill(calls, 30, 48, 80, 96), kBlack);
  const std::vector<Call> frames = Only(calls, Op::kFrameRect, kWhite);
  ASSERT_EQ(frames.size(), 1u);
  EXPECT_EQ(frames[0].width, 1);
  EXPECT_EQ(frames[0].points[0], (PixelPoint{30, 48}));
  EXPECT_EQ(Lines(calls, kMapRed),
            (std::vector<Stroke>{{{30, 60}, {80, 84}}, {{30, 59}, {80, 83}}}));
  for (const Call& line : Only(calls, Op::kLine, kMapRed)) EXPECT_EQ(line.width, 1);
  EXPECT_EQ(Lines(calls, kMapMagenta).size(), 8u);  // two heads, two legs, each twice

  // Legs of 8, 10 and 15 pixels by the segment's width; heads only on the
  // sides the direction allows.
  struct Case {
    int columns, direction;
    int leg_dx, leg_dy;  // leg end relative to the track end
    bool left_head, right_head;
  };
  const Case cases[] = {
      {1, kBothWays, 7, 3, true, true},
      {2, kLeftwardOnly, 9, 4, true, false},
      {3, kRightwardOnly, 14, 6, false, true},
  };
  auto order = [](const Stroke& a, const Stroke& b) {
    return std::tie(a.first.x, a.first.y, a.second.x, a.second.y) <
           std::tie(b.first.x, b.first.y, b.second.x, b.second.y);
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.columns);
    EditMap one;
    AddTrack(one, {2, 5}, {2 + c.columns, 5}, c.direction);
    const int lx = 20, rx = 20 + c.columns * 10, y = 60;
    std::vector<Stroke> want;
    for (const int up : {0, 1}) {
      if (c.left_head) {
        want.push_back({{lx, y - up}, {lx + c.leg_dx, y + c.leg_dy - up}});
        want.push_back({{lx, y - up}, {lx + c.leg_dx, y - c.leg_dy - up}});
      }
      if (c.right_head) {
        want.push_back({{rx - c.leg_dx, y - c.leg_dy - up}, {rx, y - up}});
        want.push_back({{rx - c.leg_dx, y + c.leg_dy - up}, {rx, y - up}});
      }
    }
    std::vector<Stroke> got = Lines(Draw(one, View()), kMapMagenta);
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
      {"drawing tool shows yards", EditMode::kStationDrawing,
       [](MapRail& r, MapDrawOptions& o) { r.yard_station = o.current_station = 3; }, kMapBlue},
      {"selected", EditMode::kSelect,
       [](MapRail&, MapDrawOptions& o) { o.selection = FirstRailSelected(); }, kMapYellow},
      {"leftward signal on rightward-only", EditMode::kSignalLeftward,
       [](MapRail& r, MapDrawOptions&) { r.direction = kRightwardOnly; }, kBlack},
      {"length tool selected", EditMode::kLength,
       [](MapRail&, MapDrawOptions& o) { o.selection = FirstRailSelected(); }, kMapYellow},
      {"stop target outside stations", EditMode::kStopRightward, [](MapRail&, MapDrawOptions&) {},
       kBlack},
      {"stop target in station", EditMode::kStopRightward,
       [](MapRail& r, MapDrawOptions& o) { r.station = 1, r.stop_right = o.distance = 80; },
       kMapBlue},
      {"auto blocks named", EditMode::kBlockNameAuto,
       [](MapRail& r, MapDrawOptions&) { r.block_auto = 1; }, kMapAutoNamed},
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
    MapChange(map).rails().Append(rail);
    EXPECT_EQ(BoxFill(Draw(map, options), 30, 48, 80, 72), c.fill);
  }
}

TEST(MapDrawingRail, StartDialogAndCheckMarks) {
  EditMap map = ThreeInARow();
  MapChange(map).rails()[2].station = 1;
  MapChange(map).header().start.start_rail = 1;
  std::vector<Call> calls = Draw(map, View(EditMode::kStartPoint));
  EXPECT_EQ(BoxFill(calls, 0, 48, 50, 72), kMapBlue);     // the start
  EXPECT_EQ(BoxFill(calls, 50, 48, 100, 72), kBlack);     // joined on both sides
  EXPECT_EQ(BoxFill(calls, 100, 48, 150, 72), kMapGrey);  // another line end
  MapChange(map).header().start.start_station = 1;
  calls = Draw(map, View(EditMode::kStartDistance));
  EXPECT_EQ(BoxFill(calls, 0, 48, 50, 72), kBlack);
  EXPECT_EQ(BoxFill(calls, 50, 48, 100, 72), kMapBlue);

  // An open information dialog: its segment red, everything else black.
  MapDrawOptions options = View(EditMode::kStation);
  options.current_station = 1;
  options.dialog_rail = 1;
  calls = Draw(map, options);
  EXPECT_EQ(BoxFill(calls, 0, 48, 50, 72), kMapRed);
  EXPECT_EQ(BoxFill(calls, 50, 48, 100, 72), kBlack);

  // Check marks show only with the error display on, and not over the
  // selection's yellow.
  MapSelection selection;
  selection.Set(MapTable::kRail, 3, true);
  MapCheckMarks marks;
  marks.Set(MapTable::kRail, 1, kErrorMark);
  marks.Set(MapTable::kRail, 1, kWarningMark);  // an error outweighs a warning
  marks.Set(MapTable::kRail, 2, kWarningMark);
  marks.Set(MapTable::kRail, 3, kErrorMark);
  options = View(EditMode::kSelect);
  options.selection = &selection;
  options.check_marks = &marks;
  EXPECT_EQ(BoxFill(Draw(map, options), 0, 48, 50, 72), kBlack);
  options.show_check_marks = true;
  calls = Draw(map, options);
  EXPECT_EQ(BoxFill(calls, 0, 48, 50, 72), kMapRed);
  EXPECT_EQ(BoxFill(calls, 50, 48, 100, 72), kMapMagenta);
  EXPECT_EQ(BoxFill(calls, 100, 48, 150, 72), kMapYellow);
}

TEST(MapDrawingRail, ValueToolsWriteNumbersInsteadOfTrack) {
  EditMap map;
  AddTrack(map, {3, 5}, {8, 7}, kLeftwardOnly);  // box 30, 48, 80, 96
  MapChange(map).rails()[1].station = 1;
  MapChange(map).rails()[1].stop_left = 480;
  std::vector<Call> calls = Draw(map, View(EditMode::kSpeedLimit));  // no limit: nothing
  EXPECT_TRUE(Texts(calls, kBlack).empty());
  EXPECT_TRUE(Lines(calls, kMapRed).empty());

  MapChange(map).rails()[1].speed_limit = 80;
  const std::vector<Call> texts = Only(Draw(map, View(EditMode::kSpeedLimit)), Op::kText, kBlack);
  ASSERT_EQ(texts.size(), 1u);
  EXPECT_EQ(texts[0].text, "80");
  EXPECT_EQ(texts[0].points[0], (PixelPoint{(30 + 80 - 12) / 2, (48 + 96 - 12) / 2}));
  EXPECT_EQ(Texts(Draw(map, View(EditMode::kLength)), kBlack), std::vector<std::string>{"500"});
  EXPECT_EQ(Texts(Draw(map, View(EditMode::kStopLeftward)), kBlack),
            std::vector<std::string>{"480"});
  EXPECT_TRUE(Texts(Draw(map, View(EditMode::kStopRightward)), kBlack).empty());  // leftward only
}

TEST(MapDrawingPoint, CrossingDrawsOnlyItsBranches) {
  EditMap map;
  MapChange(map).points().Append(Crossing(6));
  const std::vector<Call> calls = Draw(map, View());
  EXPECT_EQ(BoxFill(calls, 30, 36, 70, 84), kBlack);
  EXPECT_EQ(Lines(calls, kMapGreen), (std::vector<Stroke>{
                                         {{30, 48}, {70, 72}},  // top-left to bottom-right
                                         {{30, 47}, {70, 71}},
                                         {{30, 72}, {70, 48}},  // bottom-left to top-right
                                         {{30, 71}, {70, 47}},
                                     }));
  MapChange(map).points()[1].kind = 3;
  EXPECT_EQ(Lines(Draw(map, View()), kMapGreen).size(), 8u);
}

TEST(MapDrawingPoint, DialogBranchKeyAndValueTools) {
  EditMap map;
  MapPoint turnout;  // joint (4, 5), branch ends (8, 5), (8, 7), (8, 9)
  turnout.x1 = 4, turnout.y1 = 4, turnout.x2 = 8, turnout.y2 = 10;
  turnout.branch_count = 3;
  for (int b = 1; b <= 3; ++b) {
    turnout.branch_left_dy[b] = 1;
    turnout.branch_right_dy[b] = 2 * b - 1;
  }
  turnout.point_key = Sjis("１２");
  turnout.length = 150;
  MapChange(map).points().Append(turnout);

  MapDrawOptions options = View(EditMode::kProperty);
  options.dialog_point = 1;
  options.dialog_branch = 2;
  std::vector<Call> calls = Draw(map, options);
  EXPECT_EQ(BoxFill(calls, 40, 48, 80, 120), kMapRed);
  EXPECT_EQ(Lines(calls, kMapGreen).size(), 4u);
  EXPECT_EQ(Lines(calls, kMapRed),
            (std::vector<Stroke>{{{40, 60}, {80, 84}}, {{40, 59}, {80, 83}}}));
  EXPECT_EQ(Texts(calls, kWhite), std::vector<std::string>{"１２"});

  options = View(EditMode::kLength);
  options.distance = 150;
  calls = Draw(map, options);
  EXPECT_EQ(BoxFill(calls, 40, 48, 80, 120), kMapBlue);
  EXPECT_TRUE(Lines(calls, kMapGreen).empty());
  EXPECT_EQ(Texts(calls, kBlack), std::vector<std::string>{"150"});
}

TEST(MapDrawingStationDraw, NameAndFills) {
  EditMap map;
  MapStation station;
  station.short_name = Sjis("東駅");
  MapChange(map).stations().Append(station);
  MapChange(map).station_draws().Append({2, 3, 12, 6, 1});
  MapChange(map).station_draws().Append({20, 3, 30, 6, 0});
  MapDrawOptions options = View(EditMode::kStation);
  options.current_station = 1;
  const std::vector<Call> calls = Draw(map, options);
  EXPECT_EQ(BoxFill(calls, 20, 36, 120, 72), kMapBlue);
  EXPECT_EQ(BoxFill(calls, 200, 36, 300, 72), kBlack);
  EXPECT_EQ(Only(calls, Op::kFrameRect, kMapLightGrey).size(), 2u);
  EXPECT_EQ(Texts(calls, kWhite), std::vector<std::string>{"東駅"});
  MapSelection selection;
  selection.Set(MapTable::kStationDraw, 1, true);
  options = View(EditMode::kMove);
  options.selection = &selection;
  EXPECT_EQ(BoxFill(Draw(map, options), 20, 36, 120, 72), kMapYellow);
}

TEST(MapDrawingJump, EndBoxesBesideThePoints) {
  EditMap map;
  MapJump jump;
  jump.ax = 10, jump.ay = 5, jump.bx = 20, jump.by = 8;
  MapChange(map).jumps().Append(jump);  // named "A"
  MapSelection selection;
  selection.SetJumpEnd(1, false, true);
  MapDrawOptions options = View();
  options.selection = &selection;
  std::vector<Call> calls = Draw(map, options);
  EXPECT_EQ(BoxFill(calls, 100, 48, 110, 72), kBlack);   // end A right of its point
  EXPECT_EQ(BoxFill(calls, 190, 84, 200, 108), kBlack);  // end B left of it
  const std::vector<Call> names = Only(calls, Op::kText, kWhite);
  ASSERT_EQ(names.size(), 2u);
  EXPECT_EQ(names[0].text, "A");
  EXPECT_EQ(names[0].points[0], (PixelPoint{(100 + 110 - 6) / 2, (48 + 72 - 12) / 2}));

  options.mode = EditMode::kSelect;
  calls = Draw(map, options);
  EXPECT_EQ(BoxFill(calls, 100, 48, 110, 72), kBlack);
  EXPECT_EQ(BoxFill(calls, 190, 84, 200, 108), kMapYellow);
}

TEST(MapDrawingMarks, PendingPointsBandsAndCorners) {
  struct Case {
    EditMode mode;
    SelectionKind kind;
    std::optional<Call> mark;  // the last call, when there is a mark
  };
  const Call red{Op::kFillRect, {{37, 57}, {42, 62}}, kMapRed, 0, {}};
  const Call green{Op::kFillRect, {{37, 57}, {42, 62}}, kMapGreen, 0, {}};
  const Call row{Op::kFillRect, {{0, 57}, {kWidth, 62}}, kMapGreen, 0, {}};
  const Call column{Op::kFillRect, {{37, 0}, {42, kHeight}}, kMapGreen, 0, {}};
  const SelectionKind single = SelectionKind::kIndividual;
  const Case cases[] = {
      {EditMode::kTrack, single, red},
      {EditMode::kJump, single, green},
      {EditMode::kSelect, SelectionKind::kRange, green},
      {EditMode::kSelect, single, std::nullopt},
      {EditMode::kDeleteRows, single, row},
      {EditMode::kInsertColumns, single, column},
      {EditMode::kNone, single, std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.mode));
    MapDrawOptions options = View(c.mode);
    options.selection_kind = c.kind;
    options.pending = {4, 5};
    const Call last = Draw(EditMap(), options).back();
    if (c.mark) {
      EXPECT_EQ(last.op, Op::kFillRect);
      EXPECT_EQ(last.colour, c.mark->colour);
      EXPECT_EQ(last.points, c.mark->points);
    } else {
      EXPECT_EQ(last.op, Op::kLine);  // the grid is the last thing drawn
    }
  }
  MapDrawOptions options = View(EditMode::kTrack);  // no pending point
  EXPECT_EQ(Draw(EditMap(), options).back().op, Op::kLine);
  options.pending = GridPoint{0, 0};  // a pending point like any other
  const Call origin = Draw(EditMap(), options).back();
  EXPECT_EQ(origin.colour, kMapRed);
  EXPECT_EQ(origin.points, (std::vector<PixelPoint>{{-3, -3}, {2, 2}}));

  options = View(EditMode::kCrossing);
  options.crossing_corners = {{4, 5}, {4, 7}};
  const std::vector<Call> corners = Only(Draw(EditMap(), options), Op::kFillRect, kMapGreen);
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
  EXPECT_EQ(Lines(calls, kMapRed).size(), 2u);
  MapDrawOptions options = View();
  options.scroll_x = 950;  // the second segment, shifted by the offset
  calls = Draw(map, options);
  EXPECT_EQ(Only(calls, Op::kFrameRect, kWhite).size(), 1u);
  EXPECT_EQ(BoxFill(calls, 50, 48, 100, 72), kBlack);

  // A full table of segments costs only the visible ones.
  EditMap full;
  for (int i = 0; i < kRailCapacity; ++i) {
    AddTrack(full, {(i % 64) * 4, (i / 64) * 3 + 1}, {(i % 64) * 4 + 3, (i / 64) * 3 + 1});
  }
  const std::size_t boxes = Only(Draw(full, View()), Op::kFrameRect, kWhite).size();
  EXPECT_GT(boxes, 50u);
  EXPECT_LT(boxes, 400u);
}

TEST(MapDrawingCulling, FarCoordinatesStayNearTheView) {
  EditMap map;
  MapChange(map).rails().Append(NewRail({-100000000, 5}, {100000000, 9}, kBothWays));
  MapJump jump;
  jump.ax = 2000000000, jump.ay = 5, jump.bx = -2000000000, jump.by = 5;
  MapChange(map).jumps().Append(jump);
  const std::vector<Call> calls = Draw(map, View());
  for (const Call& call : calls) {
    for (const PixelPoint& p : call.points) {
      EXPECT_TRUE(p.x >= -200 && p.x <= kWidth + 200 && p.y >= -200 && p.y <= kHeight + 200);
    }
  }
  EXPECT_EQ(Lines(calls, kMapRed).size(), 2u);
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

  EditMap map;
  AddTrack(map, {3, 5}, {8, 7});
  MapStationDraw draw{20, 1, 40, 30, 0};
  MapChange(map).station_draws().Append(draw);
  EXPECT_EQ(RailExtent(map).max_x, 8);
  EXPECT_EQ(RailExtent(map).max_y, 8);
  EXPECT_EQ(MapPixelExtent(RailExtent(map)).width, 80);
  EXPECT_EQ(MapPixelExtent(RailExtent(map)).height, 96);
}

}  // namespace
}  // namespace corvane
