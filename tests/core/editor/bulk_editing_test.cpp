// Selection kinds, bulk settings, setter clicks, rows and columns and the
// start-point tools of the map edit window.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editor/map_edit_menu.h"
#include "editor/map_edit_title.h"
#include "editor/value_dialogs.h"
#include "support/edit_session_fixture.h"
#include "support/test_support.h"

namespace corvane {
namespace {

using testing::Sjis;

class BulkEditingTest : public testing::EditSessionTest {
 protected:
  void Select(SelectionKind kind) {
    session_.ChooseMode(EditMode::kSelect, static_cast<int>(kind));
  }
  std::vector<int> SelectedRails() const {
    std::vector<int> rails;
    for (int i = 1; i <= map_.rails().count(); ++i) {
      if (session_.selection().Has(MapTable::kRail, i)) rails.push_back(i);
    }
    return rails;
  }
  void Jump(GridPoint a, GridPoint b) {
    session_.ChooseMode(EditMode::kJump);
    Click(a.x, a.y);
    Click(b.x, b.y);
  }
  // Four segments on row 5 in station 1 with directions 1, 2, 3 and 1, and
  // one more outside any station.
  void StationSegments() {
    MapChange change(map_);
    change.stations().Append(MapStation{});
    int x = 2;
    for (const int direction : {kBothWays, kLeftwardOnly, kRightwardOnly, kBothWays, kBothWays}) {
      MapRail rail = NewRail({x, 5}, {x + 4, 5}, direction);
      rail.station = change.map().rails().count() < 4 ? 1 : 0;
      change.rails().Append(rail);
      x += 4;
    }
  }
  void SelectAllRails() {
    for (int i = 1; i <= map_.rails().count(); ++i)
      session_.selection().Set(MapTable::kRail, i, true);
  }
};

TEST_F(BulkEditingTest, BatchSelectionFollowsTheLineThroughJumpsUpToPoints) {
  Draw(kBothWays, {{2, 5}, {6, 5}, {10, 5}});  // 1, 2
  Draw(kBothWays, {{14, 5}, {18, 5}});         // 3, beyond a jump
  Jump({10, 5}, {14, 5});
  Turnout({18, 5}, {{22, 7}});
  Draw(kBothWays, {{22, 5}, {26, 5}});  // 4, beyond the point
  Draw(kBothWays, {{2, 9}, {6, 9}});    // 5, apart
  map_.MarkSaved();
  Select(SelectionKind::kBatch);
  ClickInside(3, 5);
  EXPECT_EQ(SelectedRails(), (std::vector<int>{1, 2, 3}));
  ClickInside(15, 5);  // the same line again: unmarked as a whole
  EXPECT_EQ(SelectedRails(), std::vector<int>{});
  EXPECT_FALSE(map_.modified());  // marks are no change of the map
}

TEST_F(BulkEditingTest, BatchSelectionAroundARingOfSegmentsAndJumpsEnds) {
  Draw(kBothWays, {{2, 5}, {6, 5}});
  Draw(kBothWays, {{10, 5}, {14, 5}});
  Jump({6, 5}, {10, 5});
  Jump({14, 5}, {2, 5});  // closes the ring
  ASSERT_EQ(map_.jumps().count(), 2);
  Select(SelectionKind::kBatch);
  ClickInside(11, 5);
  EXPECT_EQ(SelectedRails(), (std::vector<int>{1, 2}));
}

TEST_F(BulkEditingTest, InvertTwiceSelectsNothingAndClearLeavesTheTool) {
  Draw(kBothWays, {{2, 5}, {6, 5}});
  Draw(kBothWays, {{10, 5}, {14, 5}});
  Jump({6, 5}, {10, 5});
  session_.RunCommand(kCmdInvertSelection);
  EXPECT_EQ(session_.mode(), EditMode::kSelect);
  EXPECT_EQ(session_.selection().Count(), 4);  // two segments, two jump ends
  session_.RunCommand(kCmdInvertSelection);
  EXPECT_TRUE(session_.selection().empty());

  session_.RunCommand(kCmdInvertSelection);
  session_.RunCommand(kCmdClearSelection);  // clears the marks, keeps the tool
  EXPECT_TRUE(session_.selection().empty());
  EXPECT_EQ(session_.mode(), EditMode::kSelect);
  session_.RunCommand(kCmdClearSelection);  // nothing selected: no tool
  EXPECT_EQ(session_.mode(), EditMode::kNone);
}

TEST_F(BulkEditingTest, RangeSelectionTakesOnlyWhollyCoveredObjects) {
  Draw(kBothWays, {{2, 5}, {6, 5}});   // box 2,4 - 6,6
  Draw(kBothWays, {{8, 5}, {14, 5}});  // box 8,4 - 14,6
  Select(SelectionKind::kRange);
  EXPECT_EQ(session_.Prompt(), "選択したい範囲の対角点を左クリックして下さい。");
  ExpectRefusal(
      [&] {
        Click(1, 3);
        Click(12, 3);  // one row
      },
      "四角形の対角する２点を指定して下さい。\n", "範囲エラー");
  EXPECT_FALSE(session_.has_pending());
  Click(12, 7);  // corners given in any order
  Click(2, 4);   // both corners count
  EXPECT_EQ(SelectedRails(), std::vector<int>{1});
  Click(1, 3);
  Click(14, 6);
  EXPECT_EQ(SelectedRails(), std::vector<int>{2});  // inverted: 1 off, 2 on
}

TEST_F(BulkEditingTest, BulkSettingAsksFirstAndAppliesAsClicksWould) {
  StationSegments();
  SelectAllRails();
  Select(SelectionKind::kIndividual);
  map_.MarkSaved();
  session_.tool_values().speed_limit = 65;
  prompter_.ClearShown();
  session_.RunCommand(kCmdSpeedLimit);  // "No": nothing changes
  ASSERT_EQ(prompter_.shown().size(), 1u);
  EXPECT_EQ(prompter_.shown()[0].text, "選択範囲に一括指定します。よろしいですか？");
  EXPECT_EQ(prompter_.shown()[0].caption, "指定確認");
  EXPECT_EQ(map_.rails()[1].speed_limit, 0);
  EXPECT_FALSE(map_.modified());

  prompter_.Queue(PromptAnswer::kYes);
  session_.RunCommand(kCmdSpeedLimit);
  for (int i = 1; i <= 5; ++i) EXPECT_EQ(map_.rails()[i].speed_limit, 65) << i;
  EXPECT_TRUE(map_.modified());
  EXPECT_EQ(session_.mode(), EditMode::kSelect);

  // Stop targets only in stations and on the sides the direction allows.
  session_.tool_values().distance = 150;
  prompter_.Queue(PromptAnswer::kYes);
  session_.RunCommand(kCmdStopLeftward);
  std::vector<int> left;
  for (int i = 1; i <= 5; ++i) left.push_back(map_.rails()[i].stop_left);
  EXPECT_EQ(left, (std::vector<int>{150, 150, 0, 150, 0}));
  prompter_.Queue(PromptAnswer::kYes);
  session_.RunCommand(kCmdStopRightward);
  std::vector<int> right;
  for (int i = 1; i <= 5; ++i) right.push_back(map_.rails()[i].stop_right);
  EXPECT_EQ(right, (std::vector<int>{150, 0, 150, 150, 0}));
}

TEST_F(BulkEditingTest, BulkLengthClampsTheStopTargetsOfStationSegments) {
  StationSegments();
  session_.selection().Set(MapTable::kRail, 1, true);
  session_.selection().Set(MapTable::kRail, 5, true);
  Select(SelectionKind::kIndividual);
  session_.tool_values().distance = 300;
  prompter_.Queue(PromptAnswer::kYes);
  session_.RunCommand(kCmdLength);
  EXPECT_EQ(map_.rails()[1].length, 300);
  EXPECT_EQ(map_.rails()[1].stop_left, 280);
  EXPECT_EQ(map_.rails()[1].stop_right, 280);
  EXPECT_EQ(map_.rails()[5].length, 300);
  EXPECT_EQ(map_.rails()[5].stop_left, 0);  // outside a station
  EXPECT_NE(map_.rails()[2].length, 300);   // not selected
}

TEST_F(BulkEditingTest, SetterClicksStoreTheToolValue) {
  StationSegments();
  Turnout({30, 5}, {{34, 7}});
  map_.MarkSaved();
  session_.RunCommand(kCmdDirectionRightward);
  EXPECT_EQ(session_.mode(), EditMode::kDirectionRightward);
  ClickInside(3, 5);
  EXPECT_EQ(map_.rails()[1].direction, kRightwardOnly);
  EXPECT_TRUE(map_.modified());

  session_.RunCommand(kCmdSingleTrack);
  ClickInside(3, 5);
  EXPECT_EQ(map_.rails()[1].single_track, 1);
  session_.RightDown(3 * kCellWidth + 5, 5 * kCellHeight + 6);
  EXPECT_EQ(map_.rails()[1].single_track, 0);

  session_.tool_values().electric = 2;
  session_.RunCommand(kCmdElectric);
  ClickInside(3, 5);
  ClickInside(31, 5);  // the turnout's box
  EXPECT_EQ(map_.rails()[1].electric, 2);
  EXPECT_EQ(map_.points()[1].electric, 2);

  // Stop targets are not set outside stations.
  session_.tool_values().distance = 40;
  session_.RunCommand(kCmdStopRightward);
  EXPECT_EQ(MapEditTitle("c", session_, false), "c  ＜停止目標距離設定モード（→方向）＞　40m");
  ClickInside(19, 5);
  EXPECT_EQ(map_.rails()[5].stop_right, 0);
}

TEST_F(BulkEditingTest, PointSpeedAsksEveryBranchInTurnUntilCancelled) {
  Turnout({2, 5}, {{6, 5}, {6, 7}, {6, 9}});
  session_.RunCommand(kCmdPointSpeed);
  dialogs_.speeds = {45, testing::FakeDialogs::kCancel};
  ClickInside(3, 5);
  const MapPoint& point = map_.points()[1];
  EXPECT_EQ(dialogs_.speed_branches, (std::vector<int>{1, 2}));
  EXPECT_EQ(point.branch_speed[1], 45);
  EXPECT_EQ(point.branch_speed[2], 0);  // cancelled there
  EXPECT_EQ(point.branch_speed[3], 0);  // never asked
  EXPECT_EQ(session_.state().highlight_point, 0);
}

TEST_F(BulkEditingTest, InsertingAndDeletingRowsAndColumns) {
  Draw(kBothWays, {{2, 5}, {6, 5}});
  Turnout({6, 5}, {{10, 7}});
  Draw(kBothWays, {{10, 5}, {14, 5}});
  Draw(kBothWays, {{18, 9}, {22, 9}});
  Jump({14, 5}, {18, 9});
  ASSERT_EQ(map_.jumps().count(), 1);
  map_.MarkSaved();
  const std::string before = FormatMapText(map_.content());

  session_.RunCommand(kCmdInsertRows);
  Click(3, 1);
  EXPECT_EQ(session_.Prompt(), "挿入したい行の終点を左クリックして下さい。");
  Click(8, 1);  // the same row: a new first click
  Click(8, 3);
  EXPECT_EQ(Box(map_.rails()[1]), (std::vector<int>{2, 6, 6, 8}));
  EXPECT_EQ(map_.jumps()[1].by, 11);
  EXPECT_TRUE(map_.modified());

  session_.RunCommand(kCmdDeleteRows);
  ExpectRefusal(
      [&] {
        Click(0, 5);
        Click(0, 7);  // rows 6 and 7 hold the first segment's top edge
      },
      "指定された範囲を削除出来ません。\n\n削除範囲にオブジェクトが含まれています。\n",
      "削除エラー");
  Click(0, 3);
  Click(0, 1);
  EXPECT_EQ(FormatMapText(map_.content()), before);

  session_.RunCommand(kCmdInsertColumns);
  Click(4, 0);  // inside the first segment: its right end moves
  Click(7, 0);
  EXPECT_EQ(Box(map_.rails()[1]), (std::vector<int>{2, 4, 9, 6}));
  EXPECT_EQ(map_.rails()[1].length, 400);  // lengths are kept
  EXPECT_EQ(map_.jumps()[1].ax, 17);
  session_.RunCommand(kCmdDeleteColumns);
  Click(7, 0);
  Click(4, 0);
  EXPECT_EQ(FormatMapText(map_.content()), before);
}

TEST_F(BulkEditingTest, StartDistanceNeedsAStartPointAndShowsTheDistances) {
  // A line 1 - 2 - 3 of 600 m each.
  Draw(kBothWays, {{2, 5}, {8, 5}, {14, 5}, {20, 5}});
  ExpectRefusal([&] { session_.RunCommand(kCmdStartDistance); }, "起点が指定されていません。\n",
                "起点指定エラー");
  EXPECT_EQ(session_.mode(), EditMode::kStartPoint);
  ClickInside(10, 5);  // not a line end: refused silently
  EXPECT_EQ(map_.header().start.start_rail, 0);
  ClickInside(3, 5);
  EXPECT_EQ(map_.header().start.start_rail, 1);

  // Without stations the command measures from none.
  session_.RunCommand(kCmdStartDistance);
  EXPECT_EQ(session_.mode(), EditMode::kStartDistance);
  EXPECT_EQ(map_.header().start.start_station, 0);
  EXPECT_EQ(MapEditTitle("c", session_, false), "c  ＜起点距離確認モード＞");

  {
    MapChange change(map_);
    for (const char* name : {"東町", "西浜"}) {
      MapStation station;
      station.name = Sjis(name);
      change.stations().Append(station);
    }
    change.rails()[2].station = 1;
    change.rails()[3].station = 2;
  }
  session_.RunCommand(kCmdStartDistance);
  EXPECT_EQ(map_.header().start.start_station, 1);
  ClickInside(15, 5);
  EXPECT_EQ(map_.header().start.start_station, 2);
  const std::string title = MapEditTitle("c", session_, false);
  EXPECT_EQ(title, "c  ＜起点距離確認モード＞　東町－西浜：600m") << title;
}

TEST(ValueDialogsTest, NumbersAreParsedPlainlyButNeverNegativeOrTooLarge) {
  EXPECT_EQ(ParseFieldNumber("120").value, 120);
  EXPECT_EQ(ParseFieldNumber(" 85km").value, 85);
  EXPECT_EQ(ParseFieldNumber("").value, 0);
  EXPECT_EQ(ParseFieldNumber("abc").value, 0);
  EXPECT_EQ(ParseFieldNumber("-0").problem, nullptr);
  EXPECT_NE(ParseFieldNumber("-5").problem, nullptr);
  EXPECT_NE(ParseFieldNumber("99999999999").problem, nullptr);
  EXPECT_EQ(ParseFieldNumber("2147483647").value, 2147483647);

  ScriptedPrompter prompter;
  DistanceDialog distance;
  distance.Find("distance")->text = "-300";
  EXPECT_FALSE(distance.Accept(prompter));
  ASSERT_EQ(prompter.shown().size(), 1u);
  EXPECT_EQ(prompter.shown()[0].caption, "入力データエラー");

  SpeedDialog speed;
  EXPECT_TRUE(speed.Find("speed")->checked);
  speed.Find("speed")->checked = false;  // unchecked: no limit
  speed.Find("speed")->text = "-1";
  EXPECT_TRUE(speed.Accept(prompter));
  EXPECT_EQ(speed.speed(), 0);

  GridDialog grid(0, 4);
  EXPECT_FALSE(grid.Find("grid_x")->checked);
  grid.Find("grid_x")->checked = true;
  grid.Changed("grid_x");
  EXPECT_EQ(grid.Find("grid_x")->text, "10");
  grid.Find("grid_y")->checked = false;
  EXPECT_TRUE(grid.Accept(prompter));
  EXPECT_EQ(grid.grid_x(), 10);
  EXPECT_EQ(grid.grid_y(), 0);
}

}  // namespace
}  // namespace corvane
