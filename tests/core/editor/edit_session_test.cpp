#include "editor/edit_session.h"

#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <string>
#include <vector>

#include "editor/map_edit_menu.h"
#include "map/start_walk.h"
#include "mapfile/map_file.h"
#include "support/edit_session_fixture.h"
#include "support/test_support.h"

namespace corvane {
namespace {

using testing::Sjis;

const char kOccupied[] = "重ねての指定は出来ません。\n";
const char kOccupiedCaption[] = "線路重複エラー";
const char kFull[] = "これ以上増やせません。";
const char kFullCaption[] = "サイズエラー";
const char kPositionCaption[] = "位置エラー";

using testing::EditSessionTest;

TEST_F(EditSessionTest, TrackClicksDrawAJoinedLineAndTheSameColumnMovesThePendingPoint) {
  session_.ChooseMode(EditMode::kTrack, kRightwardOnly);
  EXPECT_EQ(session_.Prompt(), "線路の始点を左クリックして下さい。");
  Click(2, 5);
  EXPECT_EQ(session_.Prompt(),
            "線路の終点を左クリックして下さい。左クリックを続けて行うと連続指定出来ます。"
            "連続指定を中止する場合には、右クリックして下さい。");
  Click(6, 5);
  Click(9, 3);
  ASSERT_EQ(map_.rails().count(), 2);
  EXPECT_EQ(Box(map_.rails()[1]), (std::vector<int>{2, 4, 6, 6}));
  const MapRail& second = map_.rails()[2];
  EXPECT_EQ((std::vector<int>{second.x1, second.y1, second.x2, second.y2, second.left_dy,
                              second.right_dy, second.length, second.direction}),
            (std::vector<int>{6, 2, 9, 6, 3, 1, 300, 3}));
  EXPECT_TRUE(map_.modified());
  Click(9, 8);
  EXPECT_EQ(map_.rails().count(), 2);
  EXPECT_EQ(session_.pending(), (GridPoint{9, 8}));
  Right(0, 0);
  EXPECT_FALSE(session_.has_pending());
  // Choosing a tool forgets the pending point.
  Click(20, 5);
  session_.ChooseMode(EditMode::kTrack, kBothWays);
  EXPECT_FALSE(session_.has_pending());
}

// Grid point (0, 0) is a grid point like any other for every tool.
TEST_F(EditSessionTest, ToolsTakeGridPointZeroLikeAnyOther) {
  Draw(kBothWays, {{0, 0}, {4, 0}});
  ASSERT_EQ(map_.rails().count(), 1);
  EXPECT_EQ(Box(map_.rails()[1]), (std::vector<int>{0, -1, 4, 1}));
  Draw(kBothWays, {{6, 8}, {10, 8}});
  session_.ChooseMode(EditMode::kJump);
  Click(0, 0);
  Click(10, 8);
  ASSERT_EQ(map_.jumps().count(), 1);
  EXPECT_EQ(map_.jumps()[1].b(), (GridPoint{0, 0}));

  session_.ChooseMode(EditMode::kSelect, static_cast<int>(SelectionKind::kRange));
  Click(0, 0);
  EXPECT_EQ(session_.pending(), (GridPoint{0, 0}));
  Click(12, 9);
  EXPECT_TRUE(session_.selection().Has(MapTable::kRail, 2));

  // Releasing the button in the move tool without a press before moves
  // nothing, not even what lies at (0, 0).
  map_.Replace(MapContent(map_.content()));
  session_.selection().Set(MapTable::kRail, 1, true);
  session_.ChooseMode(EditMode::kMove);
  session_.LeftUp(3 * kCellWidth, 3 * kCellHeight);
  EXPECT_EQ(Box(map_.rails()[1]), (std::vector<int>{0, -1, 4, 1}));
}

TEST_F(EditSessionTest, TrackRefusals) {
  Draw(kBothWays, {{2, 5}, {6, 5}});
  session_.ChooseMode(EditMode::kTrack, kBothWays);
  ExpectRefusal([&] { Click(4, 5); }, kOccupied, kOccupiedCaption);
  EXPECT_FALSE(session_.has_pending());
  // The row below is free as a point, but a segment there shares cells.
  Click(3, 6);
  ExpectRefusal([&] { Click(5, 6); }, kOccupied, kOccupiedCaption);
  EXPECT_FALSE(session_.has_pending());
  // Two rows below is clear.
  Click(3, 7);
  Click(5, 7);
  EXPECT_EQ(map_.rails().count(), 2);

  Right(0, 0);
  {
    MapChange fill(map_);
    while (!map_.rails().full()) fill.rails().Append(NewRail({0, 100}, {1, 100}, 1));
  }
  Click(20, 20);
  ExpectRefusal([&] { Click(25, 20); }, kFull, kFullCaption);
  EXPECT_FALSE(session_.has_pending());
}

TEST_F(EditSessionTest, TurnoutBranchesAndTheirRefusals) {
  session_.ChooseMode(EditMode::kTurnout);
  EXPECT_EQ(session_.Prompt(), "分岐ポイントの始点（分岐元）を左クリックして下さい。");
  Click(4, 5);
  EXPECT_EQ(session_.Prompt().rfind("分岐ポイントの終点（分岐先）を左クリックして下さい。", 0), 0u);
  Click(8, 5);
  Click(8, 7);
  Click(8, 9);
  ASSERT_EQ(map_.points().count(), 1);
  const MapPoint& point = map_.points()[1];
  EXPECT_EQ(point.kind, kTurnoutJointLeft);
  EXPECT_EQ(point.branch_count, 3);
  EXPECT_EQ(Box(point), (std::vector<int>{4, 4, 8, 10}));
  EXPECT_EQ(Rows(point), (std::vector<int>{5, 5, 5, 7, 5, 9}));
  ExpectRefusal(
      [&] { Click(9, 11); },
      "分岐ポイントを設置出来ません。\n\n分岐ポイントの終点（分岐先）は、横方向に同じ位置（同じ"
      "ｘ座標）で設定する必要があります。\n",
      kPositionCaption);
  EXPECT_FALSE(session_.has_pending());
  EXPECT_EQ(session_.building_point(), 0);

  // Joint at the right; a branch above the box grows it upward.
  Turnout({30, 5}, {{26, 5}, {26, 2}});
  const MapPoint& right = map_.points()[2];
  EXPECT_EQ(right.kind, kTurnoutJointRight);
  EXPECT_EQ(Box(right), (std::vector<int>{26, 1, 30, 6}));
  EXPECT_EQ(Rows(right), (std::vector<int>{5, 5, 2, 5}));

  // A wrong second click takes the one-branch turnout away again.
  session_.ChooseMode(EditMode::kTurnout);
  Click(40, 5);
  Click(44, 6);
  EXPECT_EQ(map_.points().count(), 3);
  Click(45, 7);
  EXPECT_EQ(map_.points().count(), 2);

  // Nineteen branches fit; the twentieth is refused and ends construction.
  std::vector<GridPoint> ends;
  for (int i = 0; i < 19; ++i) ends.push_back({54, 20 + i});
  session_.ChooseMode(EditMode::kTurnout);
  Click(50, 30);
  for (const GridPoint& p : ends) Click(p.x, p.y);
  EXPECT_EQ(map_.points()[3].branch_count, 19);
  ExpectRefusal([&] { Click(54, 40); }, kFull, kFullCaption);
  EXPECT_EQ(session_.building_point(), 0);

  {
    MapChange fill(map_);
    while (!map_.points().full()) fill.points().Append(MapPoint{});
  }
  Click(60, 5);
  ExpectRefusal([&] { Click(64, 5); }, kFull, kFullCaption);
  EXPECT_FALSE(session_.has_pending());
}

TEST_F(EditSessionTest, CrossingCornersAndKindCycling) {
  session_.ChooseMode(EditMode::kCrossing);
  Click(3, 4);
  Click(3, 6);
  EXPECT_NE(session_.Prompt().find("交差ポイントの対角点の3点目（4点中）"), std::string::npos);
  Click(7, 9);
  Right(0, 0);  // takes the last corner back
  Click(7, 6);
  Click(7, 4);
  ASSERT_EQ(map_.points().count(), 1);
  const MapPoint& crossing = map_.points()[1];
  EXPECT_EQ(crossing.kind, 3);
  EXPECT_EQ(Box(crossing), (std::vector<int>{3, 3, 7, 7}));
  EXPECT_EQ(Rows(crossing), (std::vector<int>{4, 4, 4, 6, 6, 4, 6, 6}));
  EXPECT_TRUE(session_.crossing_corners().empty());

  // Clicking it cycles 3..8..3 and marks the map modified.
  std::vector<int> kinds;
  for (int i = 0; i < 6; ++i) {
    map_.MarkSaved();
    ClickInside(5, 5);
    EXPECT_TRUE(map_.modified());
    kinds.push_back(crossing.kind);
  }
  EXPECT_EQ(kinds, (std::vector<int>{4, 5, 6, 7, 8, 3}));

  // Corners that are not two columns of two.
  for (const GridPoint& p : std::vector<GridPoint>{{13, 4}, {13, 6}, {15, 4}}) Click(p.x, p.y);
  ExpectRefusal(
      [&] { Click(17, 6); },
      "交差ポイントを設置出来ません。\n\n交差ポイントの対角点は、横方向に同じ位置（同じｘ座標）"
      "の２点の組で設定する必要があります。\n",
      kPositionCaption);
  EXPECT_TRUE(session_.crossing_corners().empty());

  // A turnout under the click is left alone; Esc drops the corners.
  Turnout({20, 5}, {{24, 5}, {24, 7}});
  session_.ChooseMode(EditMode::kCrossing);
  map_.MarkSaved();
  ClickInside(22, 5);
  EXPECT_EQ(map_.points()[2].kind, kTurnoutJointLeft);
  EXPECT_FALSE(map_.modified());
  Click(30, 4);
  session_.KeyDown(EditKey::kEscape, false);
  EXPECT_TRUE(session_.crossing_corners().empty());
  EXPECT_EQ(session_.mode(), EditMode::kCrossing);
}

TEST_F(EditSessionTest, StationStopSectionAndYardAssignment) {
  // Without stations the dialog can only be left.
  session_.ChooseMode(EditMode::kStation);
  EXPECT_EQ(session_.mode(), EditMode::kNone);

  Draw(kBothWays, {{2, 5}, {6, 5}});         // 1: both ways, length 400
  Draw(kRightwardOnly, {{10, 5}, {14, 5}});  // 2: rightward only
  Turnout({20, 5}, {{24, 5}, {24, 7}});
  MapChange(map_).rails()[1].stop_left = 390;
  MapChange(map_).rails()[1].stop_right = 100;
  ASSERT_EQ(session_.AddStation({}), 1);
  ASSERT_EQ(session_.AddStation({}), 2);
  ASSERT_EQ(session_.AddStopSection({}), 1);

  session_.ChooseMode(EditMode::kStation);
  EXPECT_EQ(session_.current_station(), 2);  // the last one added
  map_.MarkSaved();
  ClickInside(3, 5);
  const MapRail& in_station = map_.rails()[1];
  EXPECT_EQ((std::vector<int>{in_station.station, in_station.target, in_station.yard_station,
                              in_station.yard_target}),
            (std::vector<int>{2, 0, 2, 0}));
  EXPECT_EQ((std::vector<int>{in_station.stop_left, in_station.stop_right}),
            (std::vector<int>{380, 100}));
  EXPECT_TRUE(map_.modified());

  session_.ChooseMode(EditMode::kStopSection);
  ClickInside(3, 5);
  ClickInside(11, 5);
  EXPECT_EQ((std::vector<int>{in_station.station, in_station.target, in_station.yard_station,
                              in_station.yard_target}),
            (std::vector<int>{0, 1, 0, 1}));
  // A rightward-only segment gets only its rightward stop target.
  EXPECT_EQ((std::vector<int>{map_.rails()[2].stop_left, map_.rails()[2].stop_right}),
            (std::vector<int>{0, 380}));

  session_.ChooseMode(EditMode::kStationYard);
  ClickInside(22, 5);
  ClickInside(12, 5);
  EXPECT_EQ(map_.points()[1].yard_station, 2);
  EXPECT_EQ((std::vector<int>{map_.rails()[2].target, map_.rails()[2].yard_station,
                              map_.rails()[2].yard_target}),
            (std::vector<int>{1, 2, 0}));
  session_.ChooseMode(EditMode::kStopSectionYard);
  ClickInside(22, 5);
  EXPECT_EQ((std::vector<int>{map_.points()[1].yard_station, map_.points()[1].yard_target}),
            (std::vector<int>{0, 1}));

  // A right click reopens the dialog; leaving it leaves the tool.
  const int shown = dialogs_.station_dialogs;
  dialogs_.cancel_station = true;
  Right(3, 5);
  EXPECT_EQ(dialogs_.station_dialogs, shown + 1);
  EXPECT_EQ(session_.mode(), EditMode::kNone);
}

TEST_F(EditSessionTest, StationDrawings) {
  Draw(kBothWays, {{2, 5}, {6, 5}});
  session_.AddStation({});
  session_.ChooseMode(EditMode::kStationDrawing);
  EXPECT_EQ(session_.Prompt(),
            "駅描画の設置位置の対角点の１点目（２点中）を左クリックして下さい。");
  Click(10, 2);
  EXPECT_EQ(session_.Prompt(),
            "駅描画の設置位置の対角点の２点目（２点中）を左クリックして下さい。");
  ExpectRefusal([&] { Click(14, 2); },
                "駅描画を設置出来ません。\n\n駅描画は、四角形の対角する２点を指定して下さい。\n",
                kPositionCaption);
  EXPECT_FALSE(session_.has_pending());
  Click(1, 1);
  ExpectRefusal([&] { Click(4, 5); }, kOccupied, kOccupiedCaption);
  Click(14, 3);
  Right(0, 0);
  EXPECT_FALSE(session_.has_pending());
  Click(14, 3);
  Click(10, 1);
  ASSERT_EQ(map_.station_draws().count(), 1);
  const MapStationDraw& draw = map_.station_draws()[1];
  EXPECT_EQ((std::vector<int>{draw.x1, draw.y1, draw.x2, draw.y2, draw.station}),
            (std::vector<int>{10, 1, 14, 3, 1}));

  // The station tool gives a drawing its station when no segment is hit.
  session_.AddStation({});
  session_.ChooseMode(EditMode::kStation);
  ClickInside(12, 1);
  EXPECT_EQ(draw.station, 2);
}

TEST_F(EditSessionTest, JumpsFollowTheConnectionRule) {
  Draw(kBothWays, {{2, 5}, {6, 5}});
  Draw(kBothWays, {{2, 10}, {6, 10}});
  session_.ChooseMode(EditMode::kJump);
  EXPECT_EQ(session_.Prompt(), "ジャンプの設置位置の１点目（２点中）を左クリックして下さい。");
  Click(6, 5);
  EXPECT_EQ(session_.Prompt(), "ジャンプの設置位置の２点目（２点中）を左クリックして下さい。");
  Click(6, 9);  // same column: replaces the first point
  EXPECT_EQ(session_.pending(), (GridPoint{6, 9}));
  ExpectRefusal([&] { Click(3, 10); }, "接続する線路が見つかりません。\n", "設定エラー");
  EXPECT_FALSE(session_.has_pending());
  Click(6, 5);
  Click(2, 10);
  Click(2, 10);  // the other order gives the same jump
  Click(6, 5);
  ASSERT_EQ(map_.jumps().count(), 2);
  for (const MapJump& jump : map_.jumps()) {
    EXPECT_EQ(jump.a(), (GridPoint{6, 5}));
    EXPECT_EQ(jump.b(), (GridPoint{2, 10}));
  }
  EXPECT_EQ(map_.jumps()[2].name, "B");
  EXPECT_EQ(map_.RailContinuingRight({6, 5}), 2);
}

TEST_F(EditSessionTest, DeleteTakesSegmentPointDrawingJumpInThatOrder) {
  // Objects put directly on the map so that all of them lie under cell (4, 5).
  Draw(kBothWays, {{2, 5}, {6, 5}});
  Draw(kBothWays, {{10, 5}, {14, 5}});
  MapPoint turnout;
  turnout.x1 = 3;
  turnout.y1 = 4;
  turnout.x2 = 7;
  turnout.y2 = 6;
  turnout.branch_count = 1;
  turnout.branch_left_dy[1] = turnout.branch_right_dy[1] = 1;
  MapChange(map_).points().Append(turnout);
  MapChange(map_).station_draws().Append({3, 4, 6, 7, 0});
  MapJump jump;
  jump.ax = 4;
  jump.ay = 5;
  jump.bx = 20;
  jump.by = 5;
  MapChange(map_).jumps().Append(jump);
  {
    MapChange change(map_);
    SetStartRail(change, 2);
  }
  session_.ChooseMode(EditMode::kDelete);
  ClickInside(4, 5);
  EXPECT_EQ(map_.rails().count(), 1);
  EXPECT_EQ(map_.header().start.start_rail, 1);  // the same segment under its new number
  ClickInside(4, 5);
  EXPECT_EQ(map_.points().count(), 0);
  ClickInside(4, 5);
  EXPECT_EQ(map_.station_draws().count(), 0);
  map_.MarkSaved();
  ClickInside(4, 5);
  EXPECT_EQ(map_.jumps().count(), 0);
  EXPECT_TRUE(map_.modified());
  ClickInside(11, 5);
  EXPECT_EQ(map_.header().start.start_rail, 0);
}

// A map with something of every kind that the half turn changes.
void BuildRotationMap(EditSession& session, EditMap& map) {
  session.ChooseMode(EditMode::kTrack, kLeftwardOnly);
  for (const GridPoint& p : std::vector<GridPoint>{{2, 5}, {6, 5}, {9, 3}}) {
    session.LeftDown(p.x * kCellWidth, p.y * kCellHeight);
  }
  MapChange change(map);
  MapRail& rail = change.rails()[1];
  rail.signal_left = 2;
  rail.stop_right = 70;
  rail.gradient = 5;
  rail.radius = -400;
  rail.short_left = Sjis("左");
  change.details().Append({1, 0, 100, 150, 45, 3, 600});
  MapPoint turnout;
  turnout.x1 = 9;
  turnout.x2 = 13;
  turnout.y1 = 2;
  turnout.y2 = 6;
  turnout.branch_count = 2;
  turnout.branch_left_dy = {0, 1, 1};
  turnout.branch_right_dy = {0, 1, 3};
  change.points().Append(turnout);
  change.details().Append({0, 1, 10, 30, 25, 0, 0});
  change.station_draws().Append({3, 7, 8, 9, 0});
  MapJump jump;
  jump.ax = 13;
  jump.ay = 5;
  jump.bx = 1;
  jump.by = 12;
  change.jumps().Append(jump);
  change.rails().Append(NewRail({1, 12}, {4, 12}, kBothWays));
}

TEST_F(EditSessionTest, HalfTurnMirrorsEverythingAndTwiceGivesTheMapBack) {
  BuildRotationMap(session_, map_);
  ASSERT_EQ(map_.RailContinuingRight({13, 5}), 3);
  map_.MarkSaved();
  const std::string before = FormatMapText(map_.content());
  session_.KeyDown(EditKey::kTab, true);
  EXPECT_TRUE(map_.modified());

  // Columns 1..13 and rows 2..13 map onto themselves turned about their centre.
  const MapRail& rail = map_.rails()[1];
  EXPECT_EQ(Box(rail), (std::vector<int>{8, 9, 12, 11}));
  EXPECT_EQ((std::vector<int>{rail.LeftRow(), rail.RightRow(), rail.direction}),
            (std::vector<int>{10, 10, kRightwardOnly}));
  EXPECT_EQ((std::vector<int>{rail.signal_left, rail.signal_right, rail.stop_left, rail.stop_right,
                              rail.gradient, rail.radius}),
            (std::vector<int>{1, 2, 70, 0, -5, 400}));
  EXPECT_EQ(rail.short_right, Sjis("左"));
  EXPECT_EQ(map_.details()[1], (MapDetail{1, 0, 250, 300, 45, -3, -600}));
  EXPECT_EQ(map_.details()[2], (MapDetail{0, 1, 70, 90, 25, 0, 0}));
  const MapPoint& turnout = map_.points()[1];
  EXPECT_EQ(turnout.kind, kTurnoutJointRight);
  EXPECT_EQ(Box(turnout), (std::vector<int>{1, 9, 5, 13}));
  EXPECT_EQ(Rows(turnout), (std::vector<int>{12, 12, 10, 12}));
  // The jump still joins the same two segments, now the other way round.
  EXPECT_EQ(map_.jumps()[1].a(), (GridPoint{13, 3}));
  EXPECT_EQ(map_.jumps()[1].b(), (GridPoint{1, 10}));
  EXPECT_EQ(map_.RailContinuingLeft({1, 10}), 3);

  // The second turn straight after the first gives back the map as it was,
  // unmodified; with an edit in between the mark stays.
  session_.KeyDown(EditKey::kTab, true);
  EXPECT_EQ(FormatMapText(map_.content()), before);
  EXPECT_FALSE(map_.modified());
  session_.KeyDown(EditKey::kTab, true);
  session_.CharKey('r');
  session_.KeyDown(EditKey::kTab, true);
  EXPECT_EQ(FormatMapText(map_.content()), before);
  EXPECT_TRUE(map_.modified());
}

TEST_F(EditSessionTest, KeysChooseToolsScrollAndLeaveTools) {
  session_.ChooseMode(EditMode::kTrack, kLeftwardOnly);
  Click(2, 5);
  session_.CharKey('p');
  EXPECT_EQ(session_.mode(), EditMode::kTurnout);
  EXPECT_FALSE(session_.has_pending());
  session_.CharKey('r');
  EXPECT_EQ(session_.mode(), EditMode::kTrack);
  EXPECT_EQ(session_.track_direction(), kBothWays);
  session_.CharKey(' ');
  EXPECT_EQ(session_.mode(), EditMode::kSelect);
  EXPECT_EQ(session_.selection_kind(), SelectionKind::kRange);
  EXPECT_EQ(session_.Prompt(), "選択したい範囲の対角点を左クリックして下さい。");
  EXPECT_TRUE(session_.CharKey('e').clear_check_messages);
  EXPECT_FALSE(session_.CharKey('e').clear_check_messages);
  EXPECT_FALSE(session_.error_display());

  const ScrollRequest page = session_.KeyDown(EditKey::kLeft, false).scroll;
  EXPECT_TRUE(page.pages);
  EXPECT_EQ((std::vector<int>{page.dx, page.dy}), (std::vector<int>{-1, 0}));
  const ScrollRequest cells = session_.KeyDown(EditKey::kDown, true).scroll;
  EXPECT_FALSE(cells.pages);
  EXPECT_EQ((std::vector<int>{cells.dx, cells.dy}), (std::vector<int>{0, 5}));

  // Moving needs a selection.
  ExpectRefusal([&] { session_.CharKey('m'); },
                "移動するオブジェクトを選択してから実行して下さい。\n", "操作エラー");
  EXPECT_EQ(session_.mode(), EditMode::kSelect);
  session_.KeyDown(EditKey::kEscape, false);
  EXPECT_EQ(session_.mode(), EditMode::kNone);
  // Without a tool the prompt line says how to choose one.
  EXPECT_EQ(session_.Prompt().rfind("編集ツールをメニューかキーで選んで下さい。", 0), 0u);

  session_.set_map_open(false);
  EXPECT_FALSE(session_.CharKey('r').handled);
  EXPECT_EQ(session_.mode(), EditMode::kNone);
  EXPECT_EQ(session_.Prompt(), "新規のマップを開始するか、保存データを読み込んで下さい。");
}

TEST_F(EditSessionTest, MovingAndDraggingMarkTheMapModified) {
  Draw(kBothWays, {{2, 5}, {3, 5}});
  Draw(kBothWays, {{10, 5}, {14, 5}});
  session_.selection().Set(MapTable::kRail, 1, true);
  session_.ChooseMode(EditMode::kSelect, static_cast<int>(SelectionKind::kIndividual));
  session_.CharKey('m');
  ASSERT_EQ(session_.mode(), EditMode::kMove);
  map_.MarkSaved();
  // Shift+Left would close the one-column segment: nothing happens.
  EXPECT_FALSE(session_.KeyDown(EditKey::kLeft, true).scroll.any());
  EXPECT_EQ(Box(map_.rails()[1]), (std::vector<int>{2, 4, 3, 6}));
  EXPECT_FALSE(map_.modified());
  session_.KeyDown(EditKey::kDown, false);
  EXPECT_EQ(Box(map_.rails()[1]), (std::vector<int>{2, 5, 3, 7}));
  EXPECT_TRUE(map_.modified());
  session_.KeyDown(EditKey::kUp, true);  // only the right end rises
  EXPECT_EQ((std::vector<int>{map_.rails()[1].LeftRow(), map_.rails()[1].RightRow()}),
            (std::vector<int>{6, 5}));

  // Dragging the left end of the second segment from (10, 5) to (8, 7).
  session_.selection().Set(MapTable::kRail, 1, false);
  session_.selection().Set(MapTable::kRail, 2, true);
  map_.MarkSaved();
  Click(10, 5);
  session_.LeftUp(8 * kCellWidth, 7 * kCellHeight);
  const MapRail& dragged = map_.rails()[2];
  EXPECT_EQ((std::vector<int>{dragged.x1, dragged.LeftRow(), dragged.x2, dragged.RightRow()}),
            (std::vector<int>{8, 7, 14, 5}));
  EXPECT_TRUE(map_.modified());
  session_.RunCommand(kCmdMove);
  EXPECT_EQ(session_.mode(), EditMode::kSelect);
}

TEST_F(EditSessionTest, PropertyToolStoresWhatTheDialogConfirms) {
  Draw(kBothWays, {{2, 5}, {6, 5}});
  MapChange(map_).rails()[1].station = 1;
  MapChange(map_).stations().Append({});
  map_.MarkSaved();
  session_.ChooseMode(EditMode::kProperty);
  ClickInside(3, 5);  // cancelled
  EXPECT_EQ(dialogs_.edited_rail, 1);
  EXPECT_EQ(dialogs_.highlighted, 1);
  EXPECT_EQ(session_.highlight_rail(), 0);
  EXPECT_FALSE(map_.modified());
  dialogs_.edit_rail = [](MapRail& rail) {
    rail.length = 200;
    rail.stop_left = 50;
  };
  ClickInside(3, 5);
  // The record is stored as the dialog returned it.
  EXPECT_EQ((std::vector<int>{map_.rails()[1].length, map_.rails()[1].stop_left,
                              map_.rails()[1].stop_right}),
            (std::vector<int>{200, 50, 0}));
  EXPECT_TRUE(map_.modified());
}

TEST_F(EditSessionTest, ZoomCommandsReportTheScaleBeforeAndFitShowsTheOrigin) {
  Draw(kBothWays, {{2, 5}, {198, 40}});
  session_.SetViewSize(1000, 300);
  KeyResult result = session_.RunCommand(kCmdZoomOut);
  EXPECT_EQ(session_.state().zoom, 75);
  EXPECT_EQ(result.zoomed_from, 100);
  EXPECT_FALSE(result.to_origin);
  result = session_.RunCommand(kCmdZoomToFit);
  EXPECT_EQ(session_.state().zoom, 50);
  EXPECT_EQ(result.zoomed_from, 75);
  EXPECT_TRUE(result.to_origin);
  // Fitting again keeps the scale and still shows the origin.
  result = session_.RunCommand(kCmdZoomToFit);
  EXPECT_TRUE(result.to_origin);
  EXPECT_NE(result.zoomed_from, 0);
  EXPECT_EQ(session_.RunCommand(kCmdZoomIn).zoomed_from, 50);
  EXPECT_EQ(session_.state().zoom, 75);
  session_.RunCommand(kCmdZoomReset);
  EXPECT_EQ(session_.RunCommand(kCmdZoomReset).zoomed_from, 0);  // no change
}

TEST_F(EditSessionTest, AMessageLinkSelectsItsObjectAndCentresIt) {
  MessageLog log;
  session_.FollowLinksOf(&log);
  Draw(kBothWays, {{2, 5}, {6, 5}});
  Draw(kBothWays, {{200, 80}, {210, 80}});
  log.AddLine("＜エラー＞線路が重複しています。",
              MessageLink{static_cast<int>(MapTable::kRail), 2});
  log.AddLine("エラー：1件　警告：0件");
  session_.selection().Set(MapTable::kRail, 1, true);
  session_.SetViewSize(400, 240);

  KeyResult result = session_.ShowLinked(log.Link(0));
  EXPECT_TRUE(result.handled);
  EXPECT_EQ(session_.mode(), EditMode::kSelect);
  EXPECT_EQ(session_.selection().Count(), 1);
  EXPECT_TRUE(session_.selection().Has(MapTable::kRail, 2));
  // Column 205 and row 80 in the middle of a view 40 columns and 20 rows big.
  ASSERT_TRUE(result.scroll_to);
  EXPECT_EQ(*result.scroll_to, (ScrollPosition{185, 70}));
  // A line without an object shows nothing.
  EXPECT_FALSE(session_.ShowLinked(log.Link(1)).handled);

  // The link follows its segment when an earlier one goes, and names
  // nothing once its own segment is gone.
  MapChange(map_).rails().Delete(1);
  EXPECT_EQ(log.Link(0), (MessageLink{static_cast<int>(MapTable::kRail), 1}));
  EXPECT_TRUE(session_.ShowLinked(log.Link(0)).handled);
  MapChange(map_).rails().Delete(1);
  EXPECT_FALSE(session_.ShowLinked(log.Link(0)).handled);
  // Another map: no line names anything of it.
  Draw(kBothWays, {{2, 5}, {6, 5}});
  log.AddLine("＜エラー＞線路が重複しています。",
              MessageLink{static_cast<int>(MapTable::kRail), 1});
  map_.Replace(MapContent(map_.content()));
  EXPECT_FALSE(log.Link(2));
}

TEST(WheelScrollTest, OnePagePerNotchAndShiftTurnsItSideways) {
  int remainder = 0;
  ScrollRequest down = WheelScroll(0, -2 * kWheelNotch, false, &remainder);
  EXPECT_EQ((std::vector<int>{down.dx, down.dy, down.pages}), (std::vector<int>{0, 2, 1}));
  ScrollRequest left = WheelScroll(0, kWheelNotch, true, &remainder);
  EXPECT_EQ((std::vector<int>{left.dx, left.dy}), (std::vector<int>{-1, 0}));
  ScrollRequest sideways = WheelScroll(-kWheelNotch, 0, false, &remainder);
  EXPECT_EQ((std::vector<int>{sideways.dx, sideways.dy}), (std::vector<int>{1, 0}));
  // A fine-grained wheel scrolls once its parts add up to a notch.
  EXPECT_FALSE(WheelScroll(0, 50, false, &remainder).any());
  EXPECT_FALSE(WheelScroll(0, 50, false, &remainder).any());
  EXPECT_EQ(WheelScroll(0, 50, false, &remainder).dy, -1);
  EXPECT_EQ(remainder, 30);
}

TEST(WheelScrollTest, NotchesOfTheZoomWheel) {
  int remainder = 0;
  EXPECT_EQ(WheelNotches(3 * kWheelNotch, &remainder), 3);
  EXPECT_EQ(WheelNotches(-kWheelNotch / 2, &remainder), 0);
  EXPECT_EQ(WheelNotches(-kWheelNotch / 2, &remainder), -1);
  EXPECT_EQ(remainder, 0);
  // A turn back cancels what was not yet a notch.
  EXPECT_EQ(WheelNotches(100, &remainder), 0);
  EXPECT_EQ(WheelNotches(-100, &remainder), 0);
  EXPECT_EQ(remainder, 0);
  // Any angle a wheel reports, without overflow.
  remainder = kWheelNotch - 1;
  EXPECT_EQ(WheelNotches(INT_MAX, &remainder), static_cast<int>((INT_MAX + 119LL) / kWheelNotch));
  EXPECT_EQ(remainder, static_cast<int>((INT_MAX + 119LL) % kWheelNotch));
  remainder = -(kWheelNotch - 1);
  EXPECT_EQ(WheelNotches(INT_MIN, &remainder), static_cast<int>((INT_MIN - 119LL) / kWheelNotch));
}

}  // namespace
}  // namespace corvane
