// The rules of throwing a point on the loaded data: control modes and their
// temporary releases, failures, locking, requested rails and keys.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "interlocking/point_control.h"
#include "support/interlocking_line.h"
#include "support/test_support.h"

namespace corvane {
namespace {

using Lines = std::vector<std::string>;

// The three-way turnout: rightward rail 2 reaches rail 10 (position 0), 12
// (position 1) or 14 (position 2) and on to 4, 6 or 8.
class PointRulesTest : public ::testing::Test {
 protected:
  PointRulesTest() {
    DiaFile file = testing::CompiledTurnout({5, 6, 7});
    file.map.points[1].mode = kPointManual;  // compiled in demand control
    testing::Open(model_, file);
  }

  const PointRecord& point() const { return model_.map().points[1]; }
  const PointRun& point_run() const { return model_.run().points[1]; }
  bool Throw(int step = 1, ThrowCaller caller = ThrowCaller::kBoard, int requested = 0) {
    DiaChange change(model_);
    return ThrowPoint(change, 1, step, caller, requested, log_.Report());
  }
  template <typename F>
  void Change(F&& f) {
    DiaChange change(model_);
    f(change);
  }

  DiaModel model_;
  testing::ReportLog log_;
};

TEST_F(PointRulesTest, StepsWrapBothWaysAndFollowTheLinks) {
  EXPECT_TRUE(Throw(-1));  // from the first position to the last
  EXPECT_EQ(point().position, 2);
  EXPECT_EQ(model_.map().rails[2].l_next, 14);
  EXPECT_TRUE(Throw(1));
  EXPECT_EQ(point().position, 0);
  EXPECT_EQ(model_.map().rails[2].l_next, 10);
  EXPECT_TRUE(log_.lines.empty());
}

TEST_F(PointRulesTest, NoticeControlTakesTwoClicksAndKeepsItsSavedMode) {
  Change([](DiaChange& change) { SetPointMode(change, 1, kPointNotice); });
  EXPECT_FALSE(Throw());
  EXPECT_EQ(point().position, 0);
  EXPECT_EQ(point().mode, kPointDemand);
  EXPECT_EQ(point_run().saved_mode, kPointNotice);
  EXPECT_TRUE(Throw());
  EXPECT_EQ(point().position, 1);
  EXPECT_EQ(point().mode, kPointReset);
  EXPECT_EQ(point_run().saved_mode, kPointNotice);  // the menu shows the temporary release
  EXPECT_EQ(log_.lines, (Lines{kNoticeReleased, kDemandReleased}));
  // Route requests and trains never release a mode.
  Change([](DiaChange& change) { SetPointMode(change, 1, kPointNotice); });
  EXPECT_TRUE(Throw(1, ThrowCaller::kRoute));
  EXPECT_EQ(point().mode, kPointNotice);
}

TEST_F(PointRulesTest, RequestedRailsPickThePositionThatCarriesThem) {
  EXPECT_TRUE(Throw(1, ThrowCaller::kRoute, 14));
  EXPECT_EQ(point().position, 2);
  EXPECT_TRUE(Throw(1, ThrowCaller::kRoute, 14));  // on the path already: nothing to do
  EXPECT_EQ(point().position, 2);
  EXPECT_TRUE(Throw(-1, ThrowCaller::kTrain, 12));
  EXPECT_EQ(point().position, 1);
  // A rail on the path in no position: refused, silently, even manually.
  EXPECT_FALSE(Throw(1, ThrowCaller::kBoard, 2));
  EXPECT_EQ(point().position, 1);
  EXPECT_TRUE(log_.lines.empty());
}

TEST_F(PointRulesTest, FailedPointsRefuseAndOnlyTheBoardSaysSo) {
  Change([](DiaChange& change) { change.run().points[1].failed = true; });
  EXPECT_FALSE(Throw(1, ThrowCaller::kRoute, 12));
  EXPECT_TRUE(log_.lines.empty());
  EXPECT_FALSE(Throw());
  EXPECT_EQ(log_.lines, Lines{std::string("!") + kPointFailed});
  EXPECT_EQ(point().position, 0);
}

TEST_F(PointRulesTest, LockedByBookingsOccupationAndRoutesButNotByItsOwnBookedTrain) {
  Change([](DiaChange& change) {
    change.points()[1].point_key = ShortText("K");
    change.run().rails[10].booking = 3;
  });
  EXPECT_EQ(LockingRail(model_.file(), model_.run(), 1), 10);
  EXPECT_FALSE(Throw());
  EXPECT_EQ(log_.lines, Lines{"!ポイントKは鎖錠中です。"});
  // The point booked for train 3: its booking no longer locks.
  Change([](DiaChange& change) { change.run().points[1].booked_train = 3; });
  EXPECT_EQ(LockingRail(model_.file(), model_.run(), 1), 0);
  // An occupied rail and a route cover lock as well; a negative mark does not.
  Change([](DiaChange& change) {
    change.run().points[1].booked_train = 0;
    change.run().rails[10].booking = -3;
    change.run().rails[12].occupying_train = 1;
  });
  EXPECT_EQ(LockingRail(model_.file(), model_.run(), 1), 12);
  Change([&](DiaChange& change) {
    change.run().rails[12].occupying_train = 0;
    change.run().pieces[model_.map().rails[14].l_pack].route_lever = 1;
  });
  EXPECT_EQ(LockingRail(model_.file(), model_.run(), 1), 13);  // the piece's first rail
}

TEST_F(PointRulesTest, AStandingTrainThatLocksThePointGivesItsLengthHintToEveryCaller) {
  DiaFile file = model_.file();
  testing::AddTrain(file, 10, "急行1");
  file.map.rails[10].name = LongText(testing::Sjis("下り本線"));
  testing::Open(model_, file);
  Change([](DiaChange& change) { change.run().rails[10].booking = 1; });
  EXPECT_FALSE(Throw(1, ThrowCaller::kRoute, 12));
  EXPECT_EQ(log_.lines,
            Lines{"急行1編成の編成長が、下り本線の有効長を超えている可能性があります。"});
  // A running train (state 13 and above) gives none.
  Change([](DiaChange& change) { change.run().trains[1].state = 13; });
  log_.lines.clear();
  EXPECT_FALSE(Throw(1, ThrowCaller::kRoute, 12));
  EXPECT_TRUE(log_.lines.empty());
}

TEST_F(PointRulesTest, ForeignPointsWithoutPositionsAreNeverThrown) {
  DiaFile file = model_.file();
  file.map.points[1].branch_count = 0;
  file.map.points[1].normal_position = 7;
  testing::Open(model_, file);  // no division by zero, no slot beyond the tables
  EXPECT_EQ(point().position, 0);
  EXPECT_FALSE(Throw());
  EXPECT_FALSE(Throw(1, ThrowCaller::kRoute, 12));
  EXPECT_EQ(point().position, 0);
}

TEST_F(PointRulesTest, ModesCycleWithTheirMessages) {
  Lines expected;
  for (int i = 0; i < kPointModes; ++i) {
    Change([this](DiaChange& change) { CyclePointMode(change, 1, log_.Report()); });
    EXPECT_EQ(point().mode, (i + 1) % kPointModes);
    EXPECT_EQ(point_run().saved_mode, point().mode);
  }
  EXPECT_EQ(log_.lines.front(), "ポイントが復位制御に設定されました。");
  EXPECT_EQ(log_.lines.back(), "ポイントが手動制御に設定されました。");
  Change([](DiaChange& change) {
    ThrowPoint(change, 1, 1, ThrowCaller::kBoard, 0, {});
    SetPointNormalPosition(change, 1);
  });
  EXPECT_EQ(point().normal_position, 1);
}

TEST_F(PointRulesTest, KeysThatBeginAnotherAreRefusedEitherWay) {
  DiaFile file = model_.file();
  file.map.points.Grow(2);
  file.map.points[1].point_key = ShortText();
  file.map.points.Append(file.map.points[1]);
  testing::Open(model_, file);
  const auto give = [this](int p, const char* key) {
    DiaChange change(model_);
    return SetPointKey(change, p, key, log_.Report());
  };
  EXPECT_TRUE(give(1, "ab"));
  EXPECT_FALSE(give(2, "A"));
  EXPECT_TRUE(give(1, "a"));
  EXPECT_FALSE(give(2, "AB"));
  EXPECT_TRUE(give(2, "b"));
  ASSERT_EQ(log_.boxes.shown().size(), 2u);
  EXPECT_EQ(log_.boxes.shown()[0].text,
            "このポイントキーは、既に設定されているabと重複するため使用できません。\n");
  EXPECT_EQ(log_.boxes.shown()[1].caption, "ポイントキー設定エラー");
  EXPECT_EQ(model_.map().points[2].point_key, "b");
}

}  // namespace
}  // namespace corvane
