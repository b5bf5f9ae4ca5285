#include "board/board_drawing.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "base/encoding.h"
#include "board/board_dump.h"

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

}  // namespace
}  // namespace corvane
