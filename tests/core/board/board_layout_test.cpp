#include "board/board_layout.h"

#include <gtest/gtest.h>

#include <vector>

#include "example_dia.h"
#include "support/board_line.h"
#include "support/dia_support.h"

namespace corvane {
namespace {

using testing::BoardLine;

BoardView Window(int width = 1000, int height = 700) {
  BoardView view;
  view.width = width;
  view.height = height;
  return view;
}

std::vector<int> RowsOfRails(const DiaModel& model) {
  std::vector<int> rows;
  for (const RailRecord& r : model.map().rails) rows.push_back(r.display_row);
  return rows;
}

std::vector<int> XShifts(const DiaModel& model) {
  std::vector<int> shifts;
  for (const RowRecord& r : model.map().rows) shifts.push_back(r.x_shift);
  return shifts;
}

TEST(CutPositionsTest, RailEndsNoRailOrFrameCrosses) {
  BoardLine line;
  line.Rail(0, 100);
  line.Rail(200, 100);  // touching ends leave 100 free
  line.Rail(150, 250);  // crosses 200
  line.Rail(250, 300);
  line.Rail(300, 400);
  line.Frame(380, 420);  // crosses 400
  line.Rail(400, 400);   // a rail of no length crosses nothing
  EXPECT_EQ(CutPositions(line.map()), (std::vector<int>{0, 100, 250, 300}));
}

TEST(CutNearestToTest, TakesTheNearerCutAndTheRightOneMidway) {
  BoardLine line;
  line.Rail(0, 100);
  line.Rail(100, 200);
  line.Rail(200, 300);
  const std::vector<int> cuts = CutPositions(line.map());
  EXPECT_EQ(CutNearestTo(line.file(), cuts, 1, 150), 200);  // midway: the right one
  EXPECT_EQ(CutNearestTo(line.file(), cuts, 1, 149), 100);
  EXPECT_EQ(CutNearestTo(line.file(), cuts, 1, 200), 200);
  // Only strictly inside the row's bounds (0 … 300).
  EXPECT_EQ(CutNearestTo(line.file(), cuts, 1, 0), std::nullopt);
  EXPECT_EQ(CutNearestTo(line.file(), cuts, 1, 300), std::nullopt);
  EXPECT_EQ(CutNearestTo(line.file(), cuts, 1, 290), 300);
}

TEST(SetRowRightEndTest, EveryKindOfObjectGoesToItsSideOfTheCut) {
  BoardLine line;
  const int left_rail = line.Rail(100, 0);
  const int right_rail = line.Rail(100, 200);
  const int point_rail = line.Rail(100, 100);  // on the cut: stays
  const int left_frame = line.Frame(20, 80);
  const int right_frame = line.Frame(120, 180);
  const int left_label = line.Label(99);
  const int cut_label = line.Label(100);  // at the cut: the right side
  const int unrowed_label = line.Label(150, 0);
  const int jump = line.Jump(50, 150);
  const int lever = line.Lever(50, 150);  // its signal button across the cut
  const int plain_lever = line.Lever(150);
  const int button = line.Button(160);
  DiaModel model;
  model.Replace(line.file());
  int right = 0;
  {
    DiaChange change(model);
    right = SetRowRightEnd(change, 1, 100, kOneToOneScale);
  }
  EXPECT_EQ(right, 2);
  const SystemMap& map = model.map();
  ASSERT_EQ(map.rows.count(), 2);
  EXPECT_EQ(map.rows[2].x_shift, -100);
  EXPECT_EQ(map.rails[left_rail].display_row, 1);
  EXPECT_EQ(map.rails[right_rail].display_row, 2);
  EXPECT_EQ(map.rails[point_rail].display_row, 1);
  EXPECT_EQ(map.station_draws[left_frame].kind, 1);
  EXPECT_EQ(map.station_draws[right_frame].kind, 2);
  EXPECT_EQ(map.points[left_label].label_row, 1);
  EXPECT_EQ(map.points[cut_label].label_row, 2);
  EXPECT_EQ(map.points[unrowed_label].label_row, 0);  // in no row: left alone
  EXPECT_EQ(map.jumps[jump].from_row, 1);
  EXPECT_EQ(map.jumps[jump].to_row, 2);
  const DiaData& dia = model.dia();
  EXPECT_EQ(dia.levers[lever].values[kLeverRow], 1);
  EXPECT_EQ(dia.levers[lever].values[kSignalButtonRow], 2);
  EXPECT_EQ(dia.levers[plain_lever].values[kLeverRow], 2);
  EXPECT_EQ(dia.levers[plain_lever].values[kSignalButtonRow], 1);  // it has none: kept
  EXPECT_EQ(dia.buttons[button].values[kButtonRow], 2);
  EXPECT_EQ(model.actions_committed(), 1);
}

TEST(SetRowRightEndTest, ANewRowCopiesItsNeighbourAndClearsIt) {
  BoardLine line;
  line.Rail(0, 100, 60);
  line.Rail(100, 200, 60);
  line.map().rows[1] = {5, 300, 0, 7};
  DiaModel model;
  model.Replace(line.file());
  {
    DiaChange change(model);
    SetRowRightEnd(change, 1, 100, kOneToOneScale);
  }
  const RowRecord& added = model.map().rows[2];
  EXPECT_EQ(added.x, 5);
  EXPECT_EQ(added.y_shift, 7);
  EXPECT_EQ(added.x_shift, -100);
  // Row 1's bottom: 60 + 16 + 307; row 2's top: 60 - 16 + y + 7.
  EXPECT_EQ(added.y + 7 + 60 - 16, 60 + 16 + 307);
}

TEST(SetRowRightEndTest, RowsLeftWithoutRoomAreRemoved) {
  BoardLine line;
  line.Rail(50, 100);
  line.Rail(100, 200);
  line.Rail(200, 300);
  const int last_label = line.Label(300);
  DiaModel model;
  model.Replace(line.file());
  {
    DiaChange change(model);
    EXPECT_EQ(SetRowRightEnd(change, 1, 100, kOneToOneScale), 2);
    EXPECT_EQ(SetRowRightEnd(change, 2, 200, kOneToOneScale), 3);
  }
  EXPECT_EQ(XShifts(model), (std::vector<int>{0, -100, -200}));
  EXPECT_EQ(RowsOfRails(model), (std::vector<int>{1, 2, 3}));

  // Row 2 cut at its left bound: it would hold nothing and goes; what was
  // in row 3 is now in row 2.
  {
    DiaChange change(model);
    EXPECT_EQ(SetRowRightEnd(change, 2, 100, kOneToOneScale), 2);
  }
  EXPECT_EQ(XShifts(model), (std::vector<int>{0, -100}));
  EXPECT_EQ(RowsOfRails(model), (std::vector<int>{1, 2, 2}));

  // The last row cut at the largest x: the row beyond would start there and
  // is not kept; the label at that x stays in the last row.
  {
    DiaChange change(model);
    EXPECT_EQ(SetRowRightEnd(change, 2, 300, kOneToOneScale), 2);
  }
  EXPECT_EQ(XShifts(model), (std::vector<int>{0, -100}));
  EXPECT_EQ(model.map().points[last_label].label_row, 2);

  // Row 1 ending at the smallest x: row 1 would hold nothing and goes; row
  // 2 becomes row 1 and begins there.
  {
    DiaChange change(model);
    EXPECT_EQ(SetRowRightEnd(change, 1, 50, kOneToOneScale), 1);
  }
  EXPECT_EQ(XShifts(model), (std::vector<int>{-50}));
  EXPECT_EQ(RowsOfRails(model), (std::vector<int>{1, 1, 1}));
}

TEST(SetRowRightEndTest, NoRowBeyondTheMostAFileHolds) {
  BoardLine line;
  line.Rail(0, 100, 60, kMostRows);
  line.Rail(100, 200, 60, kMostRows);
  while (!line.map().rows.full()) line.map().rows.Append({});
  ASSERT_EQ(line.map().rows.count(), kMostRows);
  DiaModel model;
  model.Replace(line.file());
  {
    DiaChange change(model);
    EXPECT_EQ(SetRowRightEnd(change, kMostRows, 100, kOneToOneScale), 0);
  }
  EXPECT_FALSE(model.modified());
  EXPECT_EQ(RowsOfRails(model), (std::vector<int>{kMostRows, kMostRows}));
}

TEST(SmallestGapTest, ColumnsWithoutValueTakeTheNearerBoundOfTheirNeighbours) {
  // Column 5: the row above reaches 50 (the larger of its neighbours).
  EXPECT_EQ(SmallestGap({{0, 10}, {10, 50}}, {{5, 30}}), -20);
  // Columns 0 and 10: the row below is at 30 (the smaller of 30 and 40).
  EXPECT_EQ(SmallestGap({{5, 0}}, {{0, 30}, {10, 40}}), 30);
  EXPECT_EQ(SmallestGap({{0, 0}, {0, 12}}, {{0, 20}, {0, 15}}), 3);  // one value a column
  EXPECT_EQ(SmallestGap({}, {{0, 1}}), std::nullopt);
  EXPECT_EQ(SmallestGap({{0, 1}}, {}), std::nullopt);
}

TEST(SpaceRowsTest, EachRowJustClearsTheOneAbove) {
  BoardLine line;
  line.Rail(0, 100, 60, 1);
  line.Frame(0, 100, 70, 120, 1);  // row 1 reaches 120 + 8 there
  line.Rail(0, 100, 40, 2, 80);    // row 2's top is 40 - 16 at x 0
  line.map().rows[1] = {0, 500, 0, 0};
  line.map().rows.Append({0, 0, 0, 3});
  DiaModel model;
  model.Replace(line.file());
  ASSERT_TRUE(FixBoardSpacing(model, Window()));
  // Row 1's top (60 - 16 + y) meets the top of the board.
  EXPECT_EQ(model.map().rows[1].y, -44);
  // Row 2's top (40 - 16 + y + 3) meets row 1's bottom (128 - 44).
  EXPECT_EQ(model.map().rows[2].y, 84 - 27);
  EXPECT_EQ(model.actions_committed(), 1);
}

TEST(LayoutCommandsTest, DoNothingWithoutRows) {
  BoardLine line;
  line.Rail(0, 100);
  line.map().rows.Clear();
  DiaModel model;
  model.Replace(line.file());
  int events = 0;
  const auto listening = model.Listen([&](const DiaEvent&) { ++events; });
  EXPECT_FALSE(ResetBoardPositions(model));
  EXPECT_FALSE(FixBoardSpacing(model, Window()));
  EXPECT_FALSE(FixBoardPositions(model, Window()));
  EXPECT_EQ(events, 0);
  EXPECT_FALSE(model.modified());
  EXPECT_EQ(model.map().rows.count(), 0);
}

TEST(LayoutCommandsTest, ResetPutsEverythingIntoOneRow) {
  BoardLine line;
  line.Rail(0, 100, 60, 2);
  line.Frame(0, 50, 10, 40, 3);
  line.Label(10, 0);
  line.Button(10, 2);
  line.map().rows.Append({0, 100, -10, 0});
  line.map().rows.Append({0, 200, -20, 0});
  DiaModel model;
  model.Replace(line.file());
  ASSERT_TRUE(ResetBoardPositions(model));
  EXPECT_EQ(model.map().rows.count(), 1);
  EXPECT_EQ(model.map().rails[1].display_row, 1);
  EXPECT_EQ(model.map().station_draws[1].kind, 1);
  EXPECT_EQ(model.map().points[1].label_row, 1);
  EXPECT_EQ(model.dia().buttons[1].values[kButtonRow], 1);
  EXPECT_EQ(model.actions_committed(), 1);
}

TEST(LayoutCommandsTest, PositionFixCutsTheLineIntoRowsAsWideAsTheWindow) {
  BoardLine line;
  for (int x = 0; x < 5000; x += 500) line.Rail(x, x + 500);
  DiaModel model;
  model.Replace(line.file());
  // 920 map units a row: cuts at 500, 1000, … 4500.
  ASSERT_TRUE(FixBoardPositions(model, Window()));
  const Table<RowRecord>& rows = model.map().rows;
  ASSERT_EQ(rows.count(), 10);
  for (int r = 1; r <= 10; ++r) {
    EXPECT_EQ(rows[r].x, 40);
    EXPECT_EQ(rows[r].x_shift, -500 * (r - 1));
    // Rails at y 60 with margins of 16: row 1's top at the board's top.
    EXPECT_EQ(rows[r].y, -44 + 32 * (r - 1));
    EXPECT_EQ(model.map().rails[r].display_row, r);
  }
  EXPECT_EQ(model.actions_committed(), 1);
}

TEST(LayoutCommandsTest, PositionFixEndsWhenNoCutLiesBeyondTheStart) {
  BoardLine line;
  line.Rail(0, 100);
  line.Rail(100, 200);
  line.Frame(150, 400);  // past the last rail end: 200 is no cut
  DiaModel model;
  model.Replace(line.file());
  ASSERT_TRUE(FixBoardPositions(model, Window(100)));  // 20 map units a row
  EXPECT_EQ(XShifts(model), (std::vector<int>{0, -100}));
  EXPECT_EQ(RowsOfRails(model), (std::vector<int>{1, 2}));
  EXPECT_EQ(model.map().station_draws[1].kind, 2);
}

TEST(LayoutCommandsTest, ObjectsInNoRowOrBeyondTheTableAreSafe) {
  BoardLine line;
  line.Rail(0, 100, 60, 1);
  line.Rail(100, 200, 60, 99);  // a row the table does not hold
  line.Rail(200, 300, 60, -5);  // a negative row from a file
  line.Frame(120, 180, 10, 40, 1000);
  line.Label(50, 0);
  line.map().rows.Append({0, 100, -100, 0});
  DiaModel model;
  model.Replace(line.file());
  ASSERT_TRUE(FixBoardSpacing(model, Window()));
  {
    DiaChange change(model);
    RemoveRow(change, 1);
  }
  // Only the rows the table holds move down; the others are left alone.
  EXPECT_EQ(RowsOfRails(model), (std::vector<int>{1, 99, -5}));
  ASSERT_TRUE(FixBoardPositions(model, Window(200)));
  for (const int row : RowsOfRails(model)) {
    EXPECT_TRUE(model.map().rows.Contains(row)) << row;
  }
  EXPECT_TRUE(model.map().rows.Contains(model.map().station_draws[1].kind));
}

TEST(LayoutCommandsTest, ChangedRowsSaveAndReadBack) {
  DiaModel model;
  model.Replace(SampleDiaFile());
  ASSERT_EQ(model.map().rows.count(), 1);
  DiaChange change(model);
  for (int r = 2; r <= 40; ++r) ASSERT_EQ(change.rows().Append({r, 10 * r, -r, r}), r);
  EXPECT_TRUE(testing::DiaFileRoundTrips(model.file()));
  for (int r = 40; r > 3; --r) change.rows().Delete(r);
  EXPECT_TRUE(testing::DiaFileRoundTrips(model.file()));
  const std::string text = FormatDiaText(model.file(), false);
  EXPECT_NE(text.find("Row=3\n"), std::string::npos);
}

}  // namespace
}  // namespace corvane
