#include "compiler/compile_checks.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "map/map_change.h"
#include "support/test_support.h"

namespace corvane {
namespace {

using Lines = std::vector<std::string>;

constexpr const char kStopCaption[] = "コンパイルエラー";
constexpr const char kGoOnCaption[] = "コンパイル警告";

// A map with two signal types whose first segment, (2,5)-(6,5), is its
// start point; the checks' lines, progress texts and boxes are kept.
class CompileChecksTest : public ::testing::Test {
 protected:
  CompileChecksTest() {
    MapChange change(map_);
    change.signal_types().Append(MapSignalType{});
    change.signal_types().Append(MapSignalType{});
    change.rails().Append(NewRail({2, 5}, {6, 5}, kBothWays));
    change.header().start.start_rail = 1;
  }

  bool Check() {
    lines_.clear();
    progress_.clear();
    prompter_.ClearShown();
    CheckOutput output;
    output.message = [this](std::string_view line) { lines_.emplace_back(line); };
    output.progress = [this](std::string_view text) { progress_.emplace_back(text); };
    output.prompter = &prompter_;
    return CheckForCompile(map_, marks_, output);
  }
  // The findings and counter lines after the opening empty line.
  Lines Findings() const { return Lines(lines_.begin() + 1, lines_.end()); }
  std::vector<std::string> Captions() const {
    std::vector<std::string> captions;
    for (const ShownPrompt& shown : prompter_.shown()) captions.push_back(shown.caption);
    return captions;
  }

  int AddRail(GridPoint a, GridPoint b, int direction = kBothWays) {
    return MapChange(map_).rails().Append(NewRail(a, b, direction));
  }
  // A kind-1 turnout at (x, 5) with branches ending on the given rows to the
  // right, each row relative to the box top (row 4).
  int AddTurnout(int x, std::vector<int> right_rows) {
    MapPoint point;
    point.x1 = x;
    point.x2 = x + 4;
    point.y1 = 4;
    point.y2 = 4;
    point.branch_count = static_cast<int>(right_rows.size());
    for (int j = 1; j <= point.branch_count; ++j) {
      point.branch_left_dy[j] = 1;
      point.branch_right_dy[j] = right_rows[static_cast<std::size_t>(j) - 1];
      point.branch_piece[j] = j * 10;
      point.y2 = std::max(point.y2, 4 + point.branch_right_dy[j] + 1);
    }
    return MapChange(map_).points().Append(point);
  }
  // A station with segment `rail` in it, stop targets as given.
  void InStation(int rail, int stop_left, int stop_right) {
    MapChange change(map_);
    if (map_.stations().count() == 0) change.stations().Append(MapStation{});
    change.rails()[rail].station = 1;
    change.rails()[rail].stop_left = stop_left;
    change.rails()[rail].stop_right = stop_right;
  }

  EditMap map_;
  MapCheckMarks marks_;
  ScriptedPrompter prompter_;
  Lines lines_;
  Lines progress_;
};

TEST_F(CompileChecksTest, AGoodMapPassesEveryStage) {
  EXPECT_TRUE(Check());
  EXPECT_EQ(lines_, Lines{""});
  EXPECT_TRUE(prompter_.shown().empty());
  EXPECT_TRUE(marks_.empty());
  EXPECT_EQ(progress_, (Lines{"初期チェック中", "線路サイズチェック中", "ポイントサイズチェック中",
                              "停車区画サイズチェック中", "重複オブジェクトチェック中",
                              "駅指定・停車区画指定整合性チェック中", "ポイント整合性チェック中",
                              "区間距離チェック中", "停止目標距離チェック中",
                              "停止目標距離チェック中", "方向設定チェック中"}));
}

TEST_F(CompileChecksTest, StartPointMissingOrNotALineEndStopsWithoutMarks) {
  MapChange(map_).header().start.start_rail = 0;
  EXPECT_FALSE(Check());
  EXPECT_EQ(Findings(), (Lines{"＜エラー＞起点が指定されていません。", "エラー：1件　警告：0件"}));
  EXPECT_EQ(Captions(), Lines{kStopCaption});
  EXPECT_TRUE(marks_.empty());
  EXPECT_EQ(progress_.size(), 1u);  // stopped after the first stage

  AddRail({6, 5}, {10, 5});
  AddRail({10, 5}, {14, 5});
  MapChange(map_).header().start.start_rail = 2;  // continues on both sides
  EXPECT_FALSE(Check());
  EXPECT_EQ(Findings(),
            (Lines{"＜エラー＞起点が不正です。再設定してください。", "エラー：1件　警告：0件"}));
}

TEST_F(CompileChecksTest, OverlapsAreExactAtTheEdgesAndFoundOncePerTest) {
  AddRail({6, 5}, {10, 5});  // 2: touches 1 only
  EXPECT_TRUE(Check());

  AddRail({8, 6}, {12, 6});  // 3: shares cells with 2
  MapPoint point;            // 1: shares cells with 3
  point.x1 = 11;
  point.y1 = 5;
  point.x2 = 13;
  point.y2 = 7;
  point.length = 100;
  MapChange(map_).points().Append(point);
  MapJump jump;  // end A's cells (20, 4), (20, 5) inside segment 4; end B clear
  jump.ax = 20;
  jump.ay = 5;
  jump.bx = 40;
  jump.by = 5;
  MapChange(map_).jumps().Append(jump);
  AddRail({18, 5}, {24, 5});  // 4
  EXPECT_FALSE(Check());
  EXPECT_EQ(Findings(), (Lines{
                            "＜エラー＞線路が重複しています。",            // 2 with 3
                            "＜エラー＞線路が重複しています。",            // 3 with 2
                            "＜エラー＞線路とポイントが重複しています。",  // 3 with point 1
                            "＜エラー＞線路とジャンプが重複しています。",  // 4 with end A
                            "＜エラー＞線路とポイントが重複しています。",  // point 1 with 3
                            "＜エラー＞線路とジャンプが重複しています。",  // end A with 4
                            "エラー：6件　警告：0件",
                        }));
  EXPECT_EQ(marks_.Of(MapTable::kRail, 1), 0);
  for (const int rail : {2, 3, 4}) EXPECT_EQ(marks_.Of(MapTable::kRail, rail), kErrorMark);
  EXPECT_EQ(marks_.Of(MapTable::kPoint, 1), kErrorMark);
  EXPECT_EQ(marks_.Of(MapTable::kJump, 1), kErrorMark);
}

TEST_F(CompileChecksTest, JumpEndsAgainstPointsAndOtherJumps) {
  MapJump first;  // end B at (30, 5): its cells (29, 4), (29, 5); beyond it (30, 4), (30, 5)
  first.ax = 10;
  first.ay = 9;
  first.bx = 30;
  first.by = 5;
  MapJump second = first;  // end A at (30, 5): its cells (30, 4), (30, 5)
  second.ax = 30;
  second.ay = 5;
  second.bx = 50;
  second.by = 9;
  MapChange(map_).jumps().Append(first);
  MapChange(map_).jumps().Append(second);
  EXPECT_FALSE(Check());
  // First's cells beyond end B hold second's end A: found by the first jump;
  // second's cells beyond end A, (29, 4) and (29, 5), hold first's end B.
  EXPECT_EQ(Findings(), (Lines{"＜エラー＞ジャンプが重複しています。",
                               "＜エラー＞ジャンプが重複しています。", "エラー：2件　警告：0件"}));
}

TEST_F(CompileChecksTest, JumpsSharingAnEndAreMarkedBoth) {
  // Both ends A on (30, 5): the line would go on in two places at once.
  MapJump first;
  first.ax = 30;
  first.ay = 5;
  first.bx = 50;
  first.by = 9;
  MapJump second = first;
  second.bx = 70;
  second.by = 12;
  MapChange(map_).jumps().Append(first);
  MapChange(map_).jumps().Append(second);
  EXPECT_FALSE(Check());
  EXPECT_EQ(Findings(), (Lines{"＜エラー＞ジャンプが重複しています。",
                               "＜エラー＞ジャンプが重複しています。", "エラー：2件　警告：0件"}));
  EXPECT_EQ(marks_.Of(MapTable::kJump, 1), kErrorMark);
  EXPECT_EQ(marks_.Of(MapTable::kJump, 2), kErrorMark);

  // Ends B on one grid point likewise; ends elsewhere pass.
  MapChange(map_).jumps()[2].ax = 40;
  MapChange(map_).jumps()[2].bx = 50;
  MapChange(map_).jumps()[2].by = 9;
  EXPECT_FALSE(Check());
  EXPECT_EQ(Findings().size(), 3u);
  MapChange(map_).jumps()[2].by = 15;
  EXPECT_TRUE(Check());
}

TEST_F(CompileChecksTest, RepairsOfReferencesWarnAndStay) {
  const int rail = AddRail({6, 5}, {10, 5});
  MapChange(map_).rails()[rail].station = -1;
  MapChange(map_).rails()[rail].target = 3;  // the map has no stop sections
  prompter_.Queue(PromptAnswer::kYes);
  EXPECT_TRUE(Check());
  EXPECT_EQ(Findings(), (Lines{"＜警告＞不正な駅指定がありました。自動修正されました。",
                               "＜警告＞不正な停車区画指定がありました。自動修正されました。",
                               "エラー：0件　警告：2件"}));
  EXPECT_EQ(Captions(), Lines{kGoOnCaption});
  EXPECT_EQ(map_.rails()[rail].station, 0);
  EXPECT_EQ(map_.rails()[rail].target, 0);
  EXPECT_EQ(marks_.Of(MapTable::kRail, rail), kWarningMark);

  MapChange(map_).rails()[rail].signal_right = 9;  // no such signal type
  EXPECT_FALSE(Check());
  EXPECT_EQ(Findings().front(), "＜エラー＞存在しない信号機の種類が指定されています。");
}

TEST_F(CompileChecksTest, WhatADiaFileCannotHoldIsRepairedOrStops) {
  // A station drawing naming no station loses the reference.
  MapStationDraw drawing;
  drawing.x1 = 20;
  drawing.y1 = 2;
  drawing.x2 = 24;
  drawing.y2 = 3;
  drawing.station = 4;
  MapChange(map_).station_draws().Append(drawing);
  prompter_.Queue(PromptAnswer::kYes);
  EXPECT_TRUE(Check());
  EXPECT_EQ(Findings(), (Lines{"＜警告＞不正な駅指定がありました。自動修正されました。",
                               "エラー：0件　警告：1件"}));
  EXPECT_EQ(map_.station_draws()[1].station, 0);
  EXPECT_EQ(marks_.Of(MapTable::kStationDraw, 1), kWarningMark);

  // Each detail of the two-way segment becomes two detail records.
  MapDetail detail;
  detail.rail = 1;
  detail.end = 10;
  {
    MapChange change(map_);
    for (int i = 0; i < 32767; ++i) change.details().Append(detail);
  }
  EXPECT_TRUE(Check());
  MapChange(map_).details().Append(detail);
  EXPECT_FALSE(Check());
  EXPECT_EQ(Findings(), (Lines{"＜エラー＞線路詳細設定が多すぎます。", "エラー：1件　警告：0件"}));
}

TEST_F(CompileChecksTest, TurnoutBranchesAreCountedAndDuplicatesRemoved) {
  const std::vector<int> ten = {1, 3, 5, 7, 9, 11, 13, 15, 17, 19};
  const int point = AddTurnout(20, ten);
  EXPECT_TRUE(Check());
  {
    MapChange change(map_);
    MapPoint& eleven = change.points()[point];
    eleven.branch_count = 11;
    eleven.branch_left_dy[11] = 1;
    eleven.branch_right_dy[11] = 21;
    eleven.y2 = 4 + 22;
  }
  EXPECT_FALSE(Check());
  EXPECT_EQ(Findings(),
            (Lines{"＜エラー＞ポイントの分岐数が多すぎます。", "エラー：1件　警告：0件"}));

  // Branches 1, 2 and 3 all end on row 1: only branch 1 stays.
  MapChange(map_).points().Delete(point);
  const int same = AddTurnout(20, {1, 1, 1, 3});
  map_.MarkSaved();
  EXPECT_TRUE(Check());
  const MapPoint& kept = map_.points()[same];
  EXPECT_EQ(kept.branch_count, 2);
  EXPECT_EQ(kept.branch_piece[1], 10);
  EXPECT_EQ(kept.branch_piece[2], 40);
  EXPECT_EQ(kept.branch_right_dy[2], 3);
  EXPECT_TRUE(map_.modified());
}

TEST_F(CompileChecksTest, LengthsMustBeSet) {
  MapChange(map_).rails()[1].length = 0;
  EXPECT_FALSE(Check());
  EXPECT_EQ(Findings(),
            (Lines{"＜エラー＞区間距離が設定されていません。", "エラー：1件　警告：0件"}));
  EXPECT_EQ(marks_.Of(MapTable::kRail, 1), kErrorMark);
}

TEST_F(CompileChecksTest, StopTargetsAgainstTheSegmentLength) {
  const int rail = AddRail({6, 5}, {7, 5});  // length 100
  auto findings_for = [&](int stop_left) {
    InStation(rail, stop_left, 0);
    prompter_.Queue(PromptAnswer::kYes);
    Check();
    return Findings();
  };
  const std::string kMargin =
      "＜警告＞停止目標距離の余裕が足りません。ＡＴＳマップには20[m]以上確保してください。";
  const std::string kTiny = "＜警告＞停止目標距離が極端に小さくなっています。";
  EXPECT_EQ(findings_for(96),
            (Lines{"＜エラー＞停止目標距離が大きすぎます。", "エラー：1件　警告：0件"}));
  EXPECT_EQ(findings_for(95), (Lines{kMargin, "エラー：0件　警告：1件"}));
  EXPECT_EQ(findings_for(81), (Lines{kMargin, "エラー：0件　警告：1件"}));
  EXPECT_EQ(findings_for(80), Lines{});
  EXPECT_EQ(findings_for(25), Lines{});
  EXPECT_EQ(findings_for(24), (Lines{kTiny, "エラー：0件　警告：1件"}));
  EXPECT_EQ(findings_for(5), (Lines{kTiny, "エラー：0件　警告：1件"}));
  EXPECT_EQ(findings_for(4),
            (Lines{"＜エラー＞停止目標距離が小さすぎます。", "エラー：1件　警告：0件"}));
  EXPECT_EQ(findings_for(0),
            (Lines{"＜エラー＞停止目標距離が設定されていません。", "エラー：1件　警告：0件"}));

  // An ATC map keeps no margin; a leftward segment ignores its rightward target.
  MapChange(map_).header().settings.safety_device = kSafetyAtc;
  EXPECT_EQ(findings_for(95), Lines{});
  MapChange(map_).rails()[rail].direction = kLeftwardOnly;
  InStation(rail, 50, 99);
  EXPECT_TRUE(Check());
}

TEST_F(CompileChecksTest, AnsweredWarningsAreNotAskedAgainUnlessNewOnesCome) {
  const int rail = AddRail({6, 5}, {7, 5});
  InStation(rail, 90, 50);  // a margin warning at the stop-target stage
  prompter_.Queue(PromptAnswer::kYes);
  EXPECT_TRUE(Check());
  EXPECT_EQ(Captions(), Lines{kGoOnCaption});

  MapChange(map_).rails()[1].speed_limit = 500;  // above the maximum speed: asked again
  prompter_.Queue(PromptAnswer::kYes);
  prompter_.Queue(PromptAnswer::kYes);
  EXPECT_TRUE(Check());
  EXPECT_EQ(Captions(), (Lines{kGoOnCaption, kGoOnCaption}));
  EXPECT_EQ(lines_.back(), "エラー：0件　警告：1件");

  prompter_.Queue(PromptAnswer::kNo);  // No stops at once
  EXPECT_FALSE(Check());
  EXPECT_EQ(Captions(), Lines{kGoOnCaption});
}

TEST_F(CompileChecksTest, SpeedLimitsOfSegmentsPointsAndBranches) {
  const int point = AddTurnout(20, {1, 3});
  MapChange(map_).points()[point].speed_limit = 130;
  MapChange(map_).points()[point].branch_speed[2] = 200;
  MapChange(map_).points()[point].branch_speed[3] = 200;  // no such branch
  prompter_.Queue(PromptAnswer::kYes);
  EXPECT_TRUE(Check());
  EXPECT_EQ(Findings(),
            (Lines{"＜警告＞制限速度がマップ最高速度を超えています。",
                   "＜警告＞ポイントの個別に設定された制限速度がマップ最高速度を超えています。",
                   "エラー：0件　警告：2件"}));
  EXPECT_EQ(marks_.Of(MapTable::kPoint, point), kWarningMark);
}

TEST_F(CompileChecksTest, SingleTrackOnOneWaySegmentsWarns) {
  MapChange(map_).rails()[1].single_track = 1;  // both ways: fine
  EXPECT_TRUE(Check());
  const int leftward = AddRail({6, 5}, {10, 5}, kLeftwardOnly);
  const int rightward = AddRail({10, 5}, {14, 5}, kRightwardOnly);
  MapChange(map_).rails()[leftward].single_track = 1;
  MapChange(map_).rails()[rightward].single_track = 1;
  prompter_.Queue(PromptAnswer::kYes);
  EXPECT_TRUE(Check());
  EXPECT_EQ(Findings(),
            (Lines{"＜警告＞←方向の線路に単線指定がされています。",
                   "＜警告＞→方向の線路に単線指定がされています。", "エラー：0件　警告：2件"}));
}

}  // namespace
}  // namespace corvane
