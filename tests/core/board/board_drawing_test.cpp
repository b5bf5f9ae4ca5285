#include "board/board_drawing.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "base/encoding.h"
#include "board/board_dump.h"
#include "board/train_state.h"
#include "map/map_settings.h"

namespace corvane {
namespace {

// A line cut into two strips: row 1 as drawn, row 2 moved left by 60 and
// down by 108 map units (x 40, y 96, x shift -100, y shift 12).
class BoardDrawingTest : public ::testing::Test {
 protected:
  BoardDrawingTest() {
    SystemMap& map = file_.map;
    map.rows.Append({0, 0, 0, 0});
    map.rows.Append({40, 96, -100, 12});
    // Rails 1, 2: a double track in row 1 (1 leftward, 2 rightward); rail 3
    // leftward in row 2; rail 4 linked to nothing; rail 5 a point's rail
    // off its path.
    AddRail(1, 20, 100, 60, 60, 2, 0);
    AddRail(1, 100, 20, 60, 60, 0, 1);
    AddRail(2, 140, 240, 60, 60, 5, 0);
    AddRail(1, 300, 400, 60, 60, 0, 0);
    AddRail(2, 100, 140, 60, 84, 0, 3);
    map.prails.Append({0, 0, 5, 0, 0});  // the piece of rail 5, not in use
    map.rails[5].l_pack = 1;

    PointRecord point;
    point.mode = 2;  // demand control
    point.label_row = 2;
    point.label_x = 120;
    point.label_y = 120;
    point.point_key = ShortText(Utf8ToSjis("A"));
    map.points.Append(point);

    JumpRecord jump;
    jump.from_row = 1;
    jump.to_row = 2;
    jump.x_from = 100;
    jump.y_from = 60;
    jump.x_to = 100;
    jump.y_to = 60;
    jump.label = ShortText(Utf8ToSjis("*R1"));
    map.jumps.Append(jump);

    StationRecord station;
    station.name = LongText(Utf8ToSjis("東\\町\"駅"));
    map.stations.Append(station);
    map.station_draws.Append({1, 2, 120, 180, 24, 36});

    scene_settings_.rail_view = kTrackCircuits;  // white unless occupied
  }

  void AddRail(int row, int x_exit, int x_entry, int y_exit, int y_entry, int next, int back) {
    RailRecord rail;
    rail.display_row = row;
    rail.x_exit = x_exit;
    rail.x_entry = x_entry;
    rail.y_exit = y_exit;
    rail.y_entry = y_entry;
    rail.l_next = next;
    rail.l_back = back;
    rail.length = 100;
    rail.direction = x_exit < x_entry ? 1 : 2;
    file_.map.rails.Append(rail);
  }

  BoardScene Scene(int width = 1000, int height = 700) {
    run_ = BuildRunState(file_);
    BoardScene scene{file_, run_, {}, scene_settings_};
    scene.view.width = width;
    scene.view.height = height;
    return scene;
  }

  std::vector<std::string> DumpLines(const BoardScene& scene) {
    std::vector<std::string> lines;
    const std::string dump = DumpBoard(scene);
    std::size_t start = 0;
    while (start < dump.size()) {
      const std::size_t end = dump.find('\n', start);
      lines.push_back(dump.substr(start, end - start));
      start = end + 1;
    }
    return lines;
  }

  DiaFile file_;
  RunState run_;
  ViewSettings scene_settings_;
};

TEST_F(BoardDrawingTest, TheDumpAppliesRowOffsetsAndLeavesUnlinkedRailsOut) {
  const std::vector<std::string> expected = {
      "board 1000x700 scale 4096,4096 scroll 0,0 track 3",
      "text point 1 \"A\" at 60,228 align center top rgb 0,255,0",
      "text jump 1 \"*R1\" at 100,60 align left middle rgb 255,255,255",
      "text jump 1 \"*R1\" at 40,168 align right middle rgb 255,255,255",
      "frame 1 station 1 rect 60,132 120,144 rgb 128,128,128",
      // The name converted to UTF-8, its backslash and quote escaped.
      "text frame 1 \"東\\\\町\\\"駅\" at 90,138 align center middle rgb 0,0,0",
      // A leftward rail lies one track width below its map y.
      "rail 1 line 20,63 100,63 width 3 rgb 255,255,255",
      "rail 2 line 100,60 20,60 width 3 rgb 255,255,255",
      "rail 3 line 80,171 180,171 width 3 rgb 255,255,255",
      // Rail 4 has no link; rail 5 is off its point's path.
      "rail 5 line 40,171 80,195 width 3 rgb 128,128,128",
  };
  EXPECT_EQ(DumpLines(Scene()), expected);
}

TEST_F(BoardDrawingTest, TheDumpFollowsScaleAndScrollWithFloorDivision) {
  BoardScene scene = Scene(640, 480);
  scene.view.scale_x = 6144;  // 1.5 pixels a unit
  scene.view.scale_y = 2048;  // half a pixel a unit: the track is 1 pixel
  scene.view.scroll_x = -20;
  scene.view.scroll_y = -40;
  const std::vector<std::string> lines = DumpLines(scene);
  ASSERT_GE(lines.size(), 8U);
  EXPECT_EQ(lines[0], "board 640x480 scale 6144,2048 scroll -20,-40 track 1");
  // Rail 1: x 20 -> 30 - 20; y 60 -> 30 - 40, + 1 track width.
  EXPECT_EQ(lines[6], "rail 1 line 10,-9 130,-9 width 1 rgb 255,255,255");
  // Row 2 moves x by -60: 80 x 1.5 - 20 = 100; a negative product rounds
  // down (floor), as an arithmetic shift does.
  EXPECT_EQ(lines[8], "rail 3 line 100,45 250,45 width 1 rgb 255,255,255");
}

TEST_F(BoardDrawingTest, ObjectsInRowZeroOrBeyondTheRowsGetNoOffset) {
  file_.map.rails[3].display_row = 0;
  file_.map.points[1].label_row = 7;
  const std::vector<std::string> lines = DumpLines(Scene());
  EXPECT_EQ(lines[1], "text point 1 \"A\" at 120,120 align center top rgb 0,255,0");
  EXPECT_EQ(lines[8], "rail 3 line 140,63 240,63 width 3 rgb 255,255,255");
}

TEST_F(BoardDrawingTest, PointLabelColoursFollowTheControlMode) {
  const auto colour_of = [this](int mode, int position, int normal) {
    PointRecord& point = file_.map.points[1];
    point.mode = mode;
    point.position = position;
    point.normal_position = normal;
    const std::string line = DumpLines(Scene())[1];
    return line.substr(line.find("rgb"));
  };
  EXPECT_EQ(colour_of(0, 0, 0), "rgb 255,255,255");
  EXPECT_EQ(colour_of(1, 1, 1), "rgb 0,0,255");
  EXPECT_EQ(colour_of(1, 0, 1), "rgb 255,0,255");
  EXPECT_EQ(colour_of(3, 0, 0), "rgb 255,255,0");
  EXPECT_EQ(colour_of(4, 0, 0), "rgb 0,128,0");
  EXPECT_EQ(colour_of(5, 0, 0), "rgb 128,0,0");
  // With interlocking in use every label is white.
  file_.header.settings.use_interlocking = 1;
  EXPECT_EQ(colour_of(2, 0, 0), "rgb 255,255,255");
}

TEST_F(BoardDrawingTest, TrackCircuitsShowOccupiedRailsAndTheirTwinsRed) {
  file_.map.rails[1].l_dual = 2;
  file_.map.rails[2].l_dual = 1;
  BoardScene scene = Scene();
  run_.rails[1].occupying_train = 1;
  const std::vector<std::string> lines = DumpLines(scene);
  EXPECT_EQ(lines[6], "rail 1 line 20,63 100,63 width 3 rgb 255,0,0");
  EXPECT_EQ(lines[7], "rail 2 line 100,60 20,60 width 3 rgb 255,0,0");
  EXPECT_EQ(lines[8], "rail 3 line 80,171 180,171 width 3 rgb 255,255,255");
}

TEST_F(BoardDrawingTest, AspectColoursEndOnARingOfRailsWithoutSignals) {
  // Rails 1 -> 2 -> 1: no signal anywhere, and every piece holds a point,
  // so the walk for the governing rail would go round for ever.
  SystemMap& map = file_.map;
  map.rails[1].l_next = 2;
  map.rails[2].l_next = -1;
  map.prails.Append({0, 0, 1, 2, 1});
  map.rails[1].l_pack = map.rails[2].l_pack = 2;
  scene_settings_.rail_view = kAspectAndLimit;
  BoardScene scene = Scene();
  run_.pieces[2].point = 1;
  const std::vector<std::string> lines = DumpLines(scene);
  EXPECT_EQ(lines[6], "rail 1 line 20,63 100,63 width 3 rgb 0,0,255");
  scene.settings.rail_view = kAspectOnly;
  EXPECT_EQ(DumpLines(scene)[6], "rail 1 line 20,63 100,63 width 3 rgb 255,255,255");
}

TEST_F(BoardDrawingTest, AspectModesTakeTheSignalAheadAndItsColour) {
  SystemMap& map = file_.map;
  MapSignalType signal;
  signal.aspects[0].colour = 1;   // stop: red
  signal.aspects[45].colour = 2;  // caution: yellow
  map.signal_sets.Append(signal);
  map.colours.Append({255, 0, 0});
  map.colours.Append({255, 255, 0});
  map.rails[1].signal = 1;
  map.rails[1].speed_limit = 40;
  scene_settings_.rail_view = kAspectAndLimit;
  BoardScene scene = Scene();
  EXPECT_EQ(DumpLines(scene)[6], "rail 1 line 20,63 100,63 width 3 rgb 255,0,0");
  run_.rails[1].aspect = 45;
  EXPECT_EQ(DumpLines(scene)[6], "rail 1 line 20,63 100,63 width 3 rgb 255,255,0");
  // Signal aspect alone: an aspect not below the rail's limit is white.
  scene.settings.rail_view = kAspectOnly;
  EXPECT_EQ(DumpLines(scene)[6], "rail 1 line 20,63 100,63 width 3 rgb 255,255,255");
  // A colour number beyond the table is white, not a read past it.
  map.signal_sets[1].aspects[45].colour = 99;
  scene.settings.rail_view = kAspectAndLimit;
  EXPECT_EQ(DumpLines(scene)[6], "rail 1 line 20,63 100,63 width 3 rgb 255,255,255");
}

TEST_F(BoardDrawingTest, BookingsAccidentsAndLayoutModesRecolourRails) {
  BoardScene scene = Scene();
  run_.rails[1].booking = -1;
  run_.rails[2].accident = true;
  std::vector<std::string> lines = DumpLines(scene);
  EXPECT_EQ(lines[6], "rail 1 line 20,63 100,63 width 3 rgb 95,95,95");
  EXPECT_EQ(lines[7], "rail 2 line 100,60 20,60 width 3 rgb 192,192,192");
  scene.view.layout = LayoutMode::kRailProperty;
  scene.selected_rail = 2;
  lines = DumpLines(scene);
  EXPECT_EQ(lines[6], "rail 1 line 20,63 100,63 width 3 rgb 128,128,128");
  EXPECT_EQ(lines[7], "rail 2 line 100,60 20,60 width 3 rgb 255,255,255");
  // Row-division editing: rows shown flat, rails of other rows dark gray.
  scene.view.layout = LayoutMode::kRowPosition;
  scene.layout_row = 2;
  lines = DumpLines(scene);
  EXPECT_EQ(lines[7], "rail 2 line 100,60 20,60 width 3 rgb 95,95,95");
  EXPECT_EQ(lines[8], "rail 3 line 80,171 180,171 width 3 rgb 255,255,255");
  scene.view.layout = LayoutMode::kRowDivision;
  lines = DumpLines(scene);
  EXPECT_EQ(lines[8], "rail 3 line 140,63 240,63 width 3 rgb 255,255,255");
}

TEST_F(BoardDrawingTest, LayoutModesDrawTheirMarks) {
  BoardScene scene = Scene(200, 100);
  scene.view.layout = LayoutMode::kRowDivision;
  scene.layout_cut = 150;
  RecordingCanvas canvas;
  DrawBoard(scene, canvas);
  ASSERT_GE(canvas.calls().size(), 2U);
  const RecordingCanvas::Call& cut = canvas.calls()[1];
  EXPECT_EQ(cut.op, RecordingCanvas::Op::kLine);
  EXPECT_EQ(cut.points, (std::vector<PixelPoint>{{150, 0}, {150, 100}}));
  EXPECT_EQ(cut.colour, (Rgb{128, 128, 128}));

  scene.view.layout = LayoutMode::kRowPosition;
  scene.layout_row = 2;
  canvas.Clear();
  DrawBoard(scene, canvas);
  ASSERT_GE(canvas.calls().size(), 3U);
  EXPECT_EQ(canvas.calls()[1].points, (std::vector<PixelPoint>{{30, 96}, {51, 96}}));
  EXPECT_EQ(canvas.calls()[2].points, (std::vector<PixelPoint>{{40, 86}, {40, 107}}));
  EXPECT_EQ(canvas.calls()[2].colour, (Rgb{0, 255, 0}));
}

// The index finds what lies in a zoomed window; drawing through it draws
// the same rails as drawing every record.
TEST_F(BoardDrawingTest, DrawingThroughTheIndexDrawsWhatLiesInTheWindow) {
  for (int k = 0; k < 300; ++k) AddRail(1, 1000 + 40 * k, 1040 + 40 * k, 280, 280, 1, 0);
  BoardScene scene = Scene(300, 200);
  scene.view.scale_x = scene.view.scale_y = 16384;
  scene.view.scroll_x = -4 * 3000;
  scene.view.scroll_y = -4 * 250;
  const BoardIndex index(file_, LayoutMode::kNormal);
  const auto rail_lines = [&scene](const BoardIndex* with) {
    scene.index = with;
    RecordingCanvas canvas;
    DrawBoard(scene, canvas);
    std::vector<std::vector<PixelPoint>> lines;
    for (const auto& call : canvas.calls()) {
      const bool inside = std::any_of(call.points.begin(), call.points.end(), [](PixelPoint p) {
        return p.x >= 0 && p.x < 300 && p.y >= 0 && p.y < 200;
      });
      if (call.op == RecordingCanvas::Op::kLine && inside) lines.push_back(call.points);
    }
    return lines;
  };
  const auto through_index = rail_lines(&index);
  EXPECT_FALSE(through_index.empty());
  EXPECT_EQ(through_index, rail_lines(nullptr));
  std::vector<int> found;
  index.Find(BoardKind::kRail, VisibleArea(scene.view, 0), &found);
  EXPECT_LT(found.size(), 10U);
}

// Trains on a rightward rail 6 at y 400 from x 200 (its entry, where
// position 0 lies) to x 300, 100 m long; train 1 runs to diagram 1
// ("101M", type 普通, bound for 南浦) with a delay of two minutes.
class BoardTrainTest : public BoardDrawingTest {
 protected:
  BoardTrainTest() {
    AddRail(1, 300, 200, 400, 400, 0, 0);
    DiaData& dia = file_.dia;
    TrainTypeRecord type;
    type.short_name = ShortText(Utf8ToSjis("普通"));
    dia.train_types.Append(type);
    TargetRecord target;
    target.short_name = ShortText(Utf8ToSjis("南浦"));
    file_.map.targets.Append(target);
    DiagramRecord diagram;
    diagram.direction = 1;
    diagram.values[0] = 1;
    diagram.values[6] = 1;
    diagram.text1 = ShortText(Utf8ToSjis("101M"));
    diagram.events = {{6, 21600, kEventDeparture}, {6, 21700, kEventEnd}};
    dia.diagrams.Append(diagram);
    scene_settings_.rail_view = kTrackCircuits;
  }

  int AddTrain(int diagram, int rail, int position) {
    TrainRecord train;
    train.value1 = diagram;
    train.rail = rail;
    train.value3 = 1;
    const int n = file_.dia.trains.Append(train);
    positions_.push_back(position);
    return n;
  }

  // The scene with the trains' run-time values: each at its position,
  // two minutes late.
  BoardScene TrainScene(int width = 1000, int height = 700) {
    BoardScene scene = Scene(width, height);
    for (std::size_t k = 0; k < positions_.size(); ++k) {
      run_.trains[k + 1].position = positions_[k];
      run_.trains[k + 1].delay = 120;
    }
    return scene;
  }

  static std::vector<RecordingCanvas::Call> Texts(const BoardScene& scene) {
    RecordingCanvas canvas;
    DrawBoard(scene, canvas);
    std::vector<RecordingCanvas::Call> texts;
    for (const auto& call : canvas.calls()) {
      if (call.op == RecordingCanvas::Op::kText) texts.push_back(call);
    }
    return texts;
  }
  static const RecordingCanvas::Call* Find(const std::vector<RecordingCanvas::Call>& texts,
                                           const std::string& text) {
    for (const auto& call : texts) {
      if (call.text == text) return &call;
    }
    return nullptr;
  }
  static int Count(const std::vector<RecordingCanvas::Call>& texts, const std::string& text) {
    return static_cast<int>(std::count_if(texts.begin(), texts.end(),
                                          [&text](const auto& call) { return call.text == text; }));
  }

  std::vector<int> positions_;
};

TEST_F(BoardTrainTest, ATrainIsPlacedAlongItsRailOrAtItsMiddleOrStart) {
  const int train = AddTrain(1, 6, 25);
  BoardScene scene = TrainScene();
  EXPECT_EQ(TrainPlace(scene, train), (PixelPoint{225, 400}));
  run_.trains[1].position = 500;  // beyond the rail's end: at its end
  EXPECT_EQ(TrainPlace(scene, train), (PixelPoint{300, 400}));
  scene.settings.track_view = true;
  EXPECT_EQ(TrainPlace(scene, train), (PixelPoint{250, 400}));
  // A rail without a length keeps its train at its start, not a division
  // by zero.
  scene.settings.track_view = false;
  file_.map.rails[6].length = 0;
  EXPECT_EQ(TrainPlace(scene, train), (PixelPoint{200, 400}));
  // A rail the map does not have: no place.
  file_.dia.trains[train].rail = 99;
  EXPECT_EQ(TrainPlace(scene, train), std::nullopt);
}

TEST_F(BoardTrainTest, TheLabelShowsNumberTypeDestinationDelayAndSpeed) {
  AddTrain(1, 6, 50);
  BoardScene scene = TrainScene();
  run_.trains[1].direction = 2;
  run_.trains[1].speed = 45;
  run_.trains[1].permitted_speed = 75;
  run_.trains[1].state = 15;
  run_.trains[1].route_ahead = true;
  const auto texts = Texts(scene);
  const auto* number = Find(texts, "101M→");
  ASSERT_NE(number, nullptr);
  EXPECT_EQ(number->colour, (Rgb{0, 255, 255}));  // running: cyan
  ASSERT_NE(Find(texts, "普通"), nullptr);
  ASSERT_NE(Find(texts, "南浦"), nullptr);
  const auto* delay = Find(texts, "2遅");
  ASSERT_NE(delay, nullptr);
  EXPECT_EQ(delay->colour, (Rgb{255, 0, 255}));
  // Bottom-aligned on the train's y; rightward: status, delay, type,
  // destination, number from left to right.
  EXPECT_EQ(number->points[0].y, 400 - 12);
  EXPECT_LT(delay->points[0].x, Find(texts, "普通")->points[0].x);
  EXPECT_LT(Find(texts, "南浦")->points[0].x, number->points[0].x);
  // Speed over the permitted speed, three digits on a line of 120 km/h.
  const auto* speed = Find(texts, " 45/ 75");
  ASSERT_NE(speed, nullptr);
  EXPECT_EQ(speed->points[0].y, 405);
  // A train that has left its last stop shows no delay.
  run_.trains[1].event = 1;
  EXPECT_EQ(Find(Texts(scene), "2遅"), nullptr);
}

TEST_F(BoardTrainTest, ATrainWithoutADiagramHasAGrayNumber) {
  AddTrain(-1, 6, 0);
  AddTrain(1, 1, 0);
  const auto texts = Texts(TrainScene());
  ASSERT_EQ(Count(texts, "101M"), 2);
  EXPECT_EQ(Find(texts, "101M")->colour, (Rgb{128, 128, 128}));
  EXPECT_EQ(texts.back().colour, kWhite);
}

TEST_F(BoardTrainTest, TheTrackCircuitViewDrawsNoSpeed) {
  AddTrain(1, 6, 25);
  BoardScene scene = TrainScene();
  EXPECT_NE(Find(Texts(scene), "  0/  0"), nullptr);
  scene.settings.track_view = true;
  const auto texts = Texts(scene);
  EXPECT_EQ(Find(texts, "  0/  0"), nullptr);
  // The marker stands at the middle of the rail.
  RecordingCanvas canvas;
  DrawBoard(scene, canvas);
  const auto marker = std::find_if(canvas.calls().begin(), canvas.calls().end(), [](const auto& c) {
    return c.op == RecordingCanvas::Op::kFillRect && c.points[0] == PixelPoint{248, 400};
  });
  ASSERT_NE(marker, canvas.calls().end());
  EXPECT_EQ(marker->points[1], (PixelPoint{253, 404}));
}

TEST_F(BoardTrainTest, TheRightOfTwoCloseTrainsLosesDelayTypeAndDestination) {
  AddTrain(1, 6, 0);   // x 200
  AddTrain(1, 6, 40);  // x 240
  const auto texts = Texts(TrainScene());
  EXPECT_EQ(Count(texts, "101M"), 2);
  EXPECT_EQ(Count(texts, "普通"), 1);
  EXPECT_EQ(Count(texts, "南浦"), 1);
  EXPECT_EQ(Count(texts, "2遅"), 1);
  // The one kept is the left train's: its label is centred left of the
  // right one's.
  EXPECT_LT(Find(texts, "普通")->points[0].x, 240);
}

TEST_F(BoardTrainTest, TrainsFarOffThePictureAreDrawnSafely) {
  // Rails far above, below and beside the window: the label grid is never
  // written or read outside itself.
  AddRail(1, 0, 100, -250000, -250000, 0, 0);
  AddRail(1, 500000, 500100, 700 + 1000, 700 + 1000, 0, 0);
  AddTrain(1, 7, 50);
  AddTrain(1, 8, 50);
  AddTrain(1, 6, 50);
  BoardScene scene = TrainScene(64, 48);
  scene.view.scroll_y = -1000;
  EXPECT_FALSE(Texts(scene).empty());
  scene.view.scroll_y = 3000;
  scene.view.scroll_x = INT32_MIN / 2;
  EXPECT_NO_FATAL_FAILURE(Texts(scene));
  // A window of a single pixel.
  EXPECT_NO_FATAL_FAILURE(Texts(TrainScene(1, 1)));
}

TEST_F(BoardTrainTest, StatusMarksAndTheSimpleView) {
  AddTrain(1, 6, 50);
  BoardScene scene = TrainScene();
  run_.trains[1].departure_command = 2;
  run_.trains[1].departure_seconds = -30;
  EXPECT_NE(Find(Texts(scene), "早発"), nullptr);
  run_.trains[1].failed = true;
  const auto texts = Texts(scene);
  ASSERT_NE(Find(texts, "故障"), nullptr);
  EXPECT_EQ(Find(texts, "故障")->colour, (Rgb{255, 0, 0}));
  // The simple view: one character, and no delay beside a mark.
  scene.settings.smart_view = true;
  const auto simple = Texts(scene);
  EXPECT_NE(Find(simple, "故"), nullptr);
  EXPECT_EQ(Find(simple, "2"), nullptr);
  run_.trains[1].failed = false;
  run_.trains[1].departure_command = 0;
  EXPECT_NE(Find(Texts(scene), "2"), nullptr);
}

TEST_F(BoardTrainTest, TheFollowedTrainScrollsTheWindowOnlyWhenItHasMovedFar) {
  AddTrain(1, 6, 0);
  BoardScene scene = TrainScene(100, 100);
  FollowedPlace followed;
  // No following train, or one beyond the trains: nothing.
  EXPECT_FALSE(FollowTrain(scene, followed).x.has_value());
  scene.settings.flattery_train = 5;
  EXPECT_FALSE(FollowTrain(scene, followed).x.has_value());
  scene.settings.flattery_train = 1;
  const ScrollPositions first = FollowTrain(scene, followed);
  EXPECT_EQ(first.x, 150 / 20);  // 200 - 50
  EXPECT_EQ(first.y, 350 / 20);  // 400 - 50
  // Moved 10 pixels: within a fifth of the client, no scroll.
  run_.trains[1].position = 10;
  EXPECT_FALSE(FollowTrain(scene, followed).x.has_value());
}

TEST_F(BoardTrainTest, TheStateTableGivesTextsAndColours) {
  TrainRun run;
  TrainStateContext context;
  context.to_diagram = true;
  run.state = 5;
  EXPECT_EQ(TrainStateOf(run, context).text, "発車待");
  context.english = true;
  EXPECT_EQ(TrainStateOf(run, context).text, "Wait  ");
  EXPECT_EQ(TrainStateOf(run, context).colour, kWhite);
  run.state = 15;
  run.route_ahead = true;
  EXPECT_EQ(TrainStateOf(run, context).colour, kWhite);  // motion colours not asked for
  context.motion_colours = true;
  EXPECT_EQ(TrainStateOf(run, context).colour, (Rgb{0, 255, 255}));
  run.route_ahead = false;  // no route ahead: orange
  EXPECT_EQ(TrainStateOf(run, context).colour, (Rgb{255, 127, 0}));
  run.state = 17;
  run.route_ahead = true;
  run.permitted_speed = 45;
  run.signal_distance = 300;
  context.safety_device = kSafetyAts;
  EXPECT_EQ(TrainStateOf(run, context).text, "ＡＴＳ");
  EXPECT_EQ(TrainStateOf(run, context).colour, (Rgb{255, 0, 0}));
  run.guidance = true;
  EXPECT_EQ(TrainStateOf(run, context).text, "誘導中");
  run.failed = true;
  EXPECT_EQ(TrainStateOf(run, context).text, "故障中");
  run.state = 99;  // a code beyond the table
  run.failed = false;
  context.to_diagram = false;
  EXPECT_EQ(TrainStateOf(run, context).colour, (Rgb{128, 128, 128}));
}

TEST_F(BoardTrainTest, TheClockStandsInItsCorner) {
  EXPECT_EQ(ClockText(21600), "06:00:00");
  EXPECT_EQ(ClockText(86400 + 3661), "01:01:01");
  BoardScene scene = TrainScene(200, 100);
  run_.time = 21600;
  scene.settings.clock_position = 4;
  const auto texts = Texts(scene);
  ASSERT_FALSE(texts.empty());
  EXPECT_EQ(texts.back().text, "06:00:00");
  EXPECT_EQ(texts.back().colour, kBlack);
  EXPECT_EQ(texts.back().points[0], (PixelPoint{200 - 1 - 48, 100 - 1 - 12}));
}

// A lever on rail 1 (leftward, reset control at its normal route) with a
// signal button, and a button on rail 3.
TEST_F(BoardDrawingTest, LeversAndButtonsOnlyWithInterlocking) {
  DiaData& dia = file_.dia = DiaData(DiaCounts{0, 0, 0, 1, 1, {}});
  LeverRecord lever;
  lever.values = {1, 0, 0, 0, 1, 1, 1, 50, 60, 1, 1, 60, 60};
  dia.levers.Append(lever);
  ButtonRecord button;
  button.values = {0, 0, 2, 0, 2, 200, 60};
  dia.buttons.Append(button);
  file_.map.rails[1].lever = 1;
  file_.map.rails[3].button = 1;
  BoardScene scene = Scene();
  const auto polygons = [&scene] {
    RecordingCanvas canvas;
    DrawBoard(scene, canvas);
    std::vector<RecordingCanvas::Call> found;
    for (const auto& call : canvas.calls()) {
      if (call.op == RecordingCanvas::Op::kFillPolygon) found.push_back(call);
    }
    return found;
  };
  EXPECT_TRUE(polygons().empty());
  file_.header.settings.use_interlocking = 1;
  auto handles = polygons();
  ASSERT_EQ(handles.size(), 1U);
  EXPECT_EQ(handles[0].colour, (Rgb{0, 0, 255}));
  // Upright around its pivot 1.5 track widths below (50, 60).
  EXPECT_EQ(handles[0].points[0], (PixelPoint{52, 64}));
  EXPECT_EQ(handles[0].points[2], (PixelPoint{48, 52}));
  // Chosen: red and tilted.
  scene.chosen_lever = 1;
  handles = polygons();
  ASSERT_EQ(handles.size(), 1U);
  EXPECT_EQ(handles[0].colour, (Rgb{255, 0, 0}));
  EXPECT_NE(handles[0].points[2], (PixelPoint{48, 52}));
  // The main display leaves out a lever that is not a main one.
  scene.settings.inter_view = kMainPanel;
  file_.dia.levers[1].values[5] = 0;
  EXPECT_TRUE(polygons().empty());
}

// Every stored number the drawing uses, at the ends of the int range and
// just outside its table: the drawing range-checks them (the sanitizer
// build proves no read outside a table and no overflow).
TEST_F(BoardTrainTest, StoredNumbersAtTheEndsOfTheirRangesDrawSafely) {
  AddTrain(1, 6, 50);
  file_.header.settings.use_interlocking = 1;
  file_.dia = DiaData(DiaCounts{1, 0, 1, 1, 1, {}});
  file_.dia.trains.Append({1, 6, 1, {}});
  file_.dia.diagrams.Append(DiagramRecord{});
  file_.dia.levers.Append(LeverRecord{});
  file_.dia.buttons.Append(ButtonRecord{});
  file_.map.rails[1].lever = 1;
  file_.map.rails[2].button = 1;
  std::vector<int*> numbers;
  for (int n = 1; n <= file_.map.rails.count(); ++n) {
    RailRecord& r = file_.map.rails[n];
    for (int* field : {&r.display_row, &r.l_next, &r.l_back, &r.l_dual, &r.l_pack, &r.signal,
                       &r.speed_limit, &r.length, &r.x_exit, &r.y_entry}) {
      numbers.push_back(field);
    }
  }
  PointRecord& point = file_.map.points[1];
  JumpRecord& jump = file_.map.jumps[1];
  StationDrawRecord& frame = file_.map.station_draws[1];
  RowRecord& row = file_.map.rows[2];
  TrainRecord& train = file_.dia.trains[1];
  DiagramRecord& diagram = file_.dia.diagrams[1];
  for (int* field : {&point.label_row, &point.mode, &point.position, &jump.to_row, &jump.x_to,
                     &frame.station, &frame.kind, &frame.y_bottom, &row.x_shift, &row.y,
                     &train.value1, &train.rail, &diagram.values[0], &diagram.values[6]}) {
    numbers.push_back(field);
  }
  for (int& value : file_.dia.levers[1].values) numbers.push_back(&value);
  for (int& value : file_.dia.buttons[1].values) numbers.push_back(&value);
  for (int* number : numbers) {
    const int kept = *number;
    for (const int value : {INT_MIN, INT_MAX, -1, 2, 1'000'000'000}) {
      *number = value;
      BoardScene scene = TrainScene(320, 200);
      scene.chosen_lever = 1;
      run_.trains[1].event = value;
      run_.trains[1].state = value;
      run_.rails[1].aspect = value;
      scene.settings.flattery_train = 1;
      scene.settings.clock_position = 2;
      RecordingCanvas canvas;
      DrawBoard(scene, canvas);
      EXPECT_FALSE(DumpBoard(scene).empty());
      FollowedPlace followed;
      FollowTrain(scene, followed);
    }
    *number = kept;
  }
}

// A canvas with 16 x 16 pictures that records where they are drawn.
class PictureCanvas : public RecordingCanvas {
 public:
  void Image(PixelPoint origin, std::string_view name) override {
    images.emplace_back(std::string(name), origin);
  }
  TextSize ImageSize(std::string_view) override { return {16, 16}; }
  std::vector<std::pair<std::string, PixelPoint>> images;
};

TEST_F(BoardTrainTest, TheSeriesIconStandsOnTheBaselineBetweenItsPieces) {
  AddTrain(1, 6, 50);  // x 250, y 400
  SeriesRecord series;
  series.icon = LongText("205_16.bmp");
  file_.dia.series.Append(series);
  file_.dia.units.Append({1, 1, 0, 0, 1, {}});
  BoardScene scene = TrainScene();
  run_.trains[1].direction = 1;
  PictureCanvas canvas;
  DrawBoard(scene, canvas);
  ASSERT_EQ(canvas.images.size(), 1U);
  EXPECT_EQ(canvas.images[0].first, "205_16.bmp");
  // Leftward: the number "←101M" (7 bytes, 42 pixels) first, then the
  // icon 2 pixels on.
  const auto& calls = canvas.calls();
  const auto number =
      std::find_if(calls.begin(), calls.end(), [](const auto& c) { return c.text == "←101M"; });
  ASSERT_NE(number, calls.end());
  EXPECT_EQ(canvas.images[0].second, (PixelPoint{number->points[0].x + 42 + 2, 400 - 16}));
  // Icons off: none drawn.
  scene.settings.view_image16 = false;
  PictureCanvas plain;
  DrawBoard(scene, plain);
  EXPECT_TRUE(plain.images.empty());
}

TEST_F(BoardTrainTest, TheFollowedTrainsNumberHasADottedBox) {
  AddTrain(1, 6, 50);
  BoardScene scene = TrainScene();
  scene.settings.flattery_train = 1;
  const auto dots = [&scene] {
    RecordingCanvas canvas;
    DrawBoard(scene, canvas);
    std::vector<PixelPoint> found;
    for (const auto& call : canvas.calls()) {
      if (call.op == RecordingCanvas::Op::kFillRect && call.colour == Rgb{128, 128, 128} &&
          call.points[1].x - call.points[0].x == 1) {
        found.push_back(call.points[0]);
      }
    }
    return found;
  };
  const std::vector<PixelPoint> box = dots();
  // "101M" is 24 x 12 pixels; the box one pixel around it, 26 x 14, has 76
  // edge pixels, every other one drawn.
  EXPECT_EQ(box.size(), 38U);
  for (std::size_t k = 1; k < box.size(); ++k) {
    EXPECT_EQ((box[k].x + box[k].y - box[0].x - box[0].y) % 2, 0);
  }
  scene.settings.flattery_view = false;
  EXPECT_TRUE(dots().empty());
}

}  // namespace
}  // namespace corvane
