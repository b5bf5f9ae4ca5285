#include "board/display_windows.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "support/test_support.h"

namespace corvane {
namespace {

using testing::Sjis;

WindowSections OpenWindows(std::initializer_list<int> numbers) {
  WindowSections windows;
  for (int n : numbers) windows[static_cast<std::size_t>(n)].open = true;
  return windows;
}

TEST(DisplayWindowNumbersTest, NewWindowsTakeTheFirstFreeNumberAndNoneWhenAllAreOpen) {
  EXPECT_EQ(FirstFreeDisplayWindow(DefaultWindowSections()), 1);
  EXPECT_EQ(FirstFreeDisplayWindow(OpenWindows({0, 1, 2, 4, 5})), 3);
  WindowSections all;
  for (DisplayWindowSection& w : all) w.open = true;
  EXPECT_EQ(FirstFreeDisplayWindow(all), -1);
}

TEST(DisplayWindowNumbersTest, SwitchingGoesToTheNextOpenWindowAndWraps) {
  const WindowSections windows = OpenWindows({0, 3, 9});
  EXPECT_EQ(NextOpenDisplayWindow(windows, 0), 3);
  EXPECT_EQ(NextOpenDisplayWindow(windows, 3), 9);
  EXPECT_EQ(NextOpenDisplayWindow(windows, 9), 0);
  EXPECT_EQ(NextOpenDisplayWindow(DefaultWindowSections(), 0), 0);
  EXPECT_EQ(OpenDisplayWindows(windows), (std::vector<int>{0, 3, 9}));
}

TEST(DisplayWindowPlacementTest, AStoredPlaceBeyondTheScreenIsPulledBack) {
  const WindowRect far{99999, 40, 100399, 450, true};
  EXPECT_EQ(PlaceDisplayWindow(far, 1920, 1080), (WindowRect{1820, 40, 2220, 450, true}));
  const WindowRect low{0, 5000, 700, 5410, true};
  EXPECT_EQ(PlaceDisplayWindow(low, 1920, 1080), (WindowRect{0, 980, 700, 1390, true}));
  // A window on the screen stays; one off to the left or top is no concern
  // of this rule.
  const WindowRect on{-50, -20, 600, 400, true};
  EXPECT_EQ(PlaceDisplayWindow(on, 1920, 1080), on);
}

TEST(DisplayWindowPlacementTest, NumbersNearTheIntLimitsPlaceWithoutOverflow) {
  // A window as wide as the int range and placed at its end: moved in one
  // step (the pixel loop would take billions) and kept within int.
  const WindowRect huge{INT_MAX - 10, INT_MAX - 5, INT_MAX, INT_MAX, true};
  const WindowRect placed = PlaceDisplayWindow(huge, 800, 600);
  EXPECT_EQ(placed.left, 700);
  EXPECT_EQ(placed.top, 500);
  EXPECT_EQ(placed.right, 710);
  EXPECT_EQ(placed.bottom, 505);
  const WindowRect wide{INT_MAX, 0, INT_MIN, 10, true};
  EXPECT_EQ(PlaceDisplayWindow(wide, 800, 600).left, 700);
  EXPECT_EQ(PlaceDisplayWindow(wide, 800, 600).right, INT_MIN);
  // A screen of no size (none reported) still places the window.
  EXPECT_EQ(PlaceDisplayWindow({5, 5, 50, 50, true}, 0, 0),
            (WindowRect{-100, -100, -55, -55, true}));
}

TEST(DisplayWindowOpeningTest, AWindowFromABoardIsZoomedAndCentredOnTheClick) {
  ViewSettings board;
  board.rail_view = kTrackCircuits;
  const ViewSettings view = ViewCentredOn(board, 1000, 500, 400, 300);
  EXPECT_EQ(view.scale_x, 6144);
  EXPECT_EQ(view.scale_y, 6144);
  // 1000 units at 1.5 pixels a unit is 1500 pixels, minus half the width,
  // in steps of 20 pixels.
  EXPECT_EQ(view.scroll_pos_x, (1500 - 200) / 20);
  EXPECT_EQ(view.scroll_pos_y, (750 - 150) / 20);
  EXPECT_EQ(view.rail_view, kTrackCircuits);  // the board's options come along

  // At the largest zoom the factor stays in range, and a point far out
  // keeps the scroll position within what a window can scroll to.
  board.scale_x = 65000;
  const ViewSettings far = ViewCentredOn(board, INT_MAX, -INT_MAX, 10, 10);
  EXPECT_EQ(far.scale_x, kLargestScale);
  EXPECT_EQ(far.scroll_pos_x, kScrollPositionLimit);
  EXPECT_EQ(far.scroll_pos_y, -kScrollPositionLimit);

  const ViewSettings following = ViewFollowingTrain(ViewSettings{}, 4);
  EXPECT_EQ(following.flattery_train, 4);
  EXPECT_EQ(following.scale_x, 6144);
}

TEST(DisplayWindowOpeningTest, SettingsFileAndDataDecideTheWindowsPlace) {
  DisplayWindowLayout layout;
  layout.place = {200, 100, 600, 400, true};
  layout.view_tool_bar = false;
  layout.font.point_size = 14;
  const DisplayWindowSection fresh = NewDisplayWindow(layout);
  EXPECT_TRUE(fresh.open);
  EXPECT_EQ(fresh.place, layout.place);
  EXPECT_FALSE(fresh.view.view_tool_bar);
  EXPECT_EQ(fresh.font.point_size, 14);

  DisplayWindowSection from_data;
  from_data.view.clock_position = kClockTopLeft;
  EXPECT_EQ(WindowOpenedByData(from_data, layout).place, layout.place);
  from_data.place = {1, 2, 3, 4, true};
  EXPECT_EQ(WindowOpenedByData(from_data, layout).place, from_data.place);

  // Closing keeps the last place while the window has none (minimised).
  DisplayWindowSection minimised = fresh;
  minimised.place.has_position = false;
  EXPECT_EQ(LayoutOfWindow(minimised, layout, true).place, layout.place);
  EXPECT_TRUE(LayoutOfWindow(minimised, layout, true).open);
}

// A line of stations: frame n of station n at map (x1, y1)-(x2, y2) in row 1.
SystemMap MapWithFrames(std::initializer_list<std::array<int, 4>> frames) {
  SystemMap map;
  map.rows.Append({0, 0, 0, 0});
  int n = 0;
  for (const auto& f : frames) {
    ++n;
    StationRecord station;
    station.name = Sjis("駅") + std::to_string(n);
    map.stations.Append(station);
    map.station_draws.Append({n, 1, f[0], f[1], f[2], f[3]});
  }
  return map;
}

BoardView Window(int width, int height) {
  BoardView view;
  view.width = width;
  view.height = height;
  return view;
}

std::string Name(int n) { return "駅" + std::to_string(n); }

TEST(DisplayWindowTitleTest, TheStationTextNamesTheFramesNearTheCornersAndCentre) {
  const BoardView view = Window(1000, 700);
  // No frame wholly inside: no text.
  EXPECT_EQ(StationTextOfWindow(MapWithFrames({{-10, 100, 300, 340}}), view), "");
  EXPECT_EQ(StationTextOfWindow(MapWithFrames({}), view), "");
  // One frame: its name.
  EXPECT_EQ(StationTextOfWindow(MapWithFrames({{100, 200, 300, 340}}), view), Name(1));
  // One station along the top, another along the bottom.
  EXPECT_EQ(StationTextOfWindow(MapWithFrames({{100, 900, 50, 100}, {100, 900, 600, 650}}), view),
            Name(1) + "-" + Name(2));
  // One on the left, one on the right.
  EXPECT_EQ(StationTextOfWindow(MapWithFrames({{10, 60, 100, 600}, {900, 990, 100, 600}}), view),
            Name(1) + "-" + Name(2));
  // One in each corner: clockwise from the top left.
  EXPECT_EQ(
      StationTextOfWindow(
          MapWithFrames(
              {{10, 50, 10, 50}, {950, 990, 10, 50}, {10, 50, 650, 690}, {950, 990, 650, 690}}),
          view),
      Name(1) + "-" + Name(2) + "-" + Name(4) + "-" + Name(3));
  // Three corners and more than four frames: top left, top right and bottom.
  EXPECT_EQ(StationTextOfWindow(MapWithFrames({{10, 50, 10, 50},
                                               {950, 990, 10, 50},
                                               {400, 600, 650, 690},
                                               {480, 520, 300, 320},
                                               {300, 320, 300, 320}}),
                                view),
            Name(1) + "-" + Name(2) + "-" + Name(3));
  // A frame ending on the window's edge is not wholly inside.
  EXPECT_EQ(StationTextOfWindow(MapWithFrames({{0, 50, 10, 50}}), view), "");
}

TEST(DisplayWindowTitleTest, FramesMoveWithTheirRowAndTheView) {
  SystemMap map = MapWithFrames({{100, 200, 10, 20}, {120, 180, 15, 25}});
  map.rows.Append({0, 400, -100, 0});
  map.station_draws[2].kind = 2;  // row 2: 400 units lower, 100 units left
  BoardView view = Window(1000, 700);
  const std::vector<FrameOnScreen> frames = FramesWhollyInside(map, view);
  ASSERT_EQ(frames.size(), 2u);
  EXPECT_EQ(frames[1].x1, 20);
  EXPECT_EQ(frames[1].y1, 415);
  EXPECT_EQ(NearestStationFrame(map, view, 0, 700), 2);
  EXPECT_EQ(NearestStationFrame(map, view, 0, 0), 1);
  // Frames and points at the ends of the int range compare without
  // overflow.
  const FrameOnScreen far[] = {{3, INT_MIN, INT_MIN, INT_MIN, INT_MIN},
                               {4, INT_MAX, INT_MAX, INT_MAX, INT_MAX}};
  EXPECT_EQ(NearestStationFrame(far, INT_MAX, INT_MAX), 4);
  EXPECT_EQ(NearestStationFrame(far, INT_MIN, 0), 3);
  // Ties go to the first frame.
  const FrameOnScreen twins[] = {{7, 0, 0, 10, 10}, {8, 20, 0, 30, 10}};
  EXPECT_EQ(NearestStationFrame(twins, 15, 5), 7);
  // Scrolled so that row 1 lies above the window: only row 2's frame.
  view.scroll_y = -100;
  EXPECT_EQ(NearestStationFrame(map, view, 0, 0), 2);
  EXPECT_EQ(StationTextOfWindow(map, view), Name(2));
}

TEST(DisplayWindowTitleTest, TheTitleNamesTheFollowedTrainOrTheStations) {
  DiaFile file;
  file.map = MapWithFrames({{100, 900, 50, 100}, {100, 900, 600, 650}});
  TrainTypeRecord type;
  type.short_name = Sjis("急行");
  file.dia.train_types.Store(3, type);
  DiagramRecord run;
  run.direction = 1;
  run.text1 = "101M";
  run.values[6] = 3;
  run.destination = Sjis("西浜");
  file.dia.diagrams.Append(run);
  TrainRecord on_run;
  on_run.value1 = 1;
  TrainRecord idle;
  idle.value1 = -1;
  idle.name = Sjis("回送");
  file.dia.trains.Append(on_run);
  file.dia.trains.Append(idle);

  const BoardView view = Window(1000, 700);
  ViewSettings settings;
  EXPECT_EQ(DisplayWindowTitle("Board", 4, file, settings, view),
            "Board No.4 " + Name(1) + "-" + Name(2));
  settings.flattery_train = 1;
  EXPECT_EQ(DisplayWindowTitle("Board", 4, file, settings, view), "Board No.4  101M 急行 西浜");
  settings.flattery_train = 2;
  EXPECT_EQ(DisplayWindowTitle("Board", 0, file, settings, view), "Board No.0  回送");
  // A following train the data does not hold: the stations.
  settings.flattery_train = 3;
  EXPECT_EQ(DisplayWindowTitle("Board", 0, file, settings, view),
            "Board No.0 " + Name(1) + "-" + Name(2));
}

TEST(DisplayWindowCloseTest, ClosingWindowZeroAsksWhetherToEndTheProgram) {
  ScriptedPrompter prompter({PromptAnswer::kNo, PromptAnswer::kYes});
  EXPECT_EQ(CloseDisplayWindow(5, prompter), DisplayWindowClose::kClose);
  EXPECT_TRUE(prompter.shown().empty());
  EXPECT_EQ(CloseDisplayWindow(0, prompter), DisplayWindowClose::kStayOpen);
  EXPECT_EQ(CloseDisplayWindow(0, prompter), DisplayWindowClose::kEndProgram);
  ASSERT_EQ(prompter.shown().size(), 2u);
  EXPECT_EQ(prompter.shown()[0].caption, "終了確認");
  EXPECT_EQ(prompter.shown()[0].buttons, PromptButtons::kYesNo);
}

}  // namespace
}  // namespace corvane
