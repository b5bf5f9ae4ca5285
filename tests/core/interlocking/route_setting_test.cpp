#include "interlocking/route_setting.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "data/dia_file.h"
#include "interlocking/point_control.h"
#include "support/dia_support.h"
#include "support/interlocking_line.h"
#include "support/test_support.h"

namespace corvane {
namespace {

using Lines = std::vector<std::string>;
using Rails = std::vector<int>;

// The turnout line with interlocking: lever 1 on rail 2 (rightward, before
// the point), button 1 on rail 4 (straight on, position 0) and button 2 on
// rail 6 (the branch, position 1); lever 2 on rail 3 (leftward, beyond
// the straight branch) with button 3 on rail 1. Rails 7/8 and 9/10 are the
// point's, 7 and 8 twins.
class RouteSettingTest : public ::testing::Test {
 protected:
  RouteSettingTest() : file_(testing::CompiledTurnout({5, 6})) {
    file_.header.settings.use_interlocking = 1;
    file_.map.points[1].point_key = ShortText("P");
    file_.map.points[1].mode = kPointManual;
    file_.map.rails[2].name = LongText(testing::Sjis("上り出発"));
    file_.map.rails[3].name = LongText(testing::Sjis("下り出発"));
    testing::MakeRouteTables(file_);
    testing::AddLever(file_, 2);
    testing::AddButton(file_, 4);
    testing::AddButton(file_, 6);
    testing::AddLever(file_, 3);
    testing::AddButton(file_, 1);
    Open();
  }
  void Open() { testing::Open(model_, file_); }

  bool Set(int start, int end, const Rails* rails = nullptr,
           RoutePreference preference = RoutePreference::kNormalPath) {
    DiaChange change(model_);
    return SetRoute(change, start, end, rails, preference, true, log_.Report());
  }
  int Current(int lever) const { return CurrentRoute(model_.file(), lever); }
  int Cover(int rail) const { return CoveringLever(model_.file(), model_.run(), rail); }
  const DiaFile& file() const { return model_.file(); }

  DiaFile file_;
  DiaModel model_;
  testing::ReportLog log_;
};

TEST_F(RouteSettingTest, TheSearchTakesTheNormalWayFirstAndNeverPassesAButton) {
  EXPECT_EQ(SearchRoute(file(), model_.run(), 2, 4, RoutePreference::kNormalPath), (Rails{8, 4}));
  // Rail 8 leads to button 1 on rail 4, so the way to rail 6 is the branch.
  EXPECT_EQ(SearchRoute(file(), model_.run(), 2, 6, RoutePreference::kNormalPath), (Rails{10, 6}));
  // Leftward the point is passed trailing.
  EXPECT_EQ(SearchRoute(file(), model_.run(), 3, 1, RoutePreference::kNormalPath), (Rails{7, 1}));
  EXPECT_TRUE(SearchRoute(file(), model_.run(), 2, 3, RoutePreference::kNormalPath).empty());
  // Free rails first: the branch's piece is not in use.
  EXPECT_EQ(SearchRoute(file(), model_.run(), 2, 4, RoutePreference::kFreeRails), (Rails{8, 4}));
}

TEST_F(RouteSettingTest, SettingThrowsThePointsRecordsAndCoversAndReleasingFreesAll) {
  ASSERT_TRUE(Set(2, 6));
  EXPECT_EQ(file().map.points[1].position, 1);
  EXPECT_EQ(Current(1), 2);
  EXPECT_EQ(RouteFrom(file(), 2), 1);
  EXPECT_EQ((Rails{Cover(2), Cover(10), Cover(6), Cover(8)}), (Rails{0, 1, 1, 0}));
  // The covered point is locked.
  {
    DiaChange change(model_);
    EXPECT_FALSE(ThrowPoint(change, 1, 1, ThrowCaller::kBoard, 0, log_.Report()));
  }
  EXPECT_EQ(log_.lines, Lines{"!ポイントPは鎖錠中です。"});
  {
    DiaChange change(model_);
    ReleaseRoute(change, 1);
  }
  EXPECT_EQ(Current(1), 0);
  EXPECT_EQ(RouteFrom(file(), 2), 0);
  EXPECT_EQ(Cover(10), 0);
  EXPECT_EQ(LockingRail(file(), model_.run(), 1), 0);
}

TEST_F(RouteSettingTest, EndPointsTakenByAnotherRouteOrAnOpposingOneAreRefused) {
  ASSERT_TRUE(Set(2, 4));
  EXPECT_FALSE(Set(2, 4));
  EXPECT_EQ(log_.lines.back(),
            "!指定された着点は競合する別進路（発点：上り出発）が設定されています。");
  // Rail 1 is the twin of rail 2, whose lever has its route set.
  EXPECT_FALSE(Set(3, 1));
  EXPECT_EQ(log_.lines.back(),
            "!指定された着点は競合する対向進路（発点：上り出発）が設定されています。");
  EXPECT_EQ(Current(2), 0);
}

TEST_F(RouteSettingTest, TrainsInTheWayButNotOneWaitingToCouple) {
  testing::AddTrain(file_, 4, "普通3");
  Open();
  EXPECT_FALSE(Set(2, 4));
  EXPECT_EQ(log_.lines, Lines{"!指定された区間に先行列車が在線します。"});
  EXPECT_EQ(Current(1), 0);
  {
    DiaChange change(model_);
    change.run().trains[1].state = 1;  // waiting to couple
  }
  EXPECT_TRUE(Set(2, 4));
  // A train in the route keeps the lever from releasing it on a click.
  {
    DiaChange change(model_);
    EXPECT_EQ(ClickStartLever(change, 2, log_.Report()), StartClick::kRefused);
  }
  EXPECT_EQ(log_.lines.back(), "!普通3編成が進路内に存在します。");
  EXPECT_EQ(Current(1), 1);
}

TEST_F(RouteSettingTest, OfTwoConflictsTheLastOneMetIsShown) {
  // A train on rail 8, and a route ending at a button on its twin, rail 7.
  testing::AddTrain(file_, 8);
  file_.dia.buttons[testing::AddButton(file_, 7)].values[kButtonRouteFrom] = 2;
  Open();
  EXPECT_FALSE(Set(2, 4));
  EXPECT_EQ(log_.lines, Lines{"!指定された区間に競合する対向進路が設定されています。"});
  // Without the report flag nothing is said; an explicit list is checked as given.
  const Rails rails{8, 4};
  DiaChange change(model_);
  EXPECT_FALSE(SetRoute(change, 2, 4, &rails, RoutePreference::kNormalPath, false, {}));
  EXPECT_EQ(log_.lines.size(), 1u);
}

TEST_F(RouteSettingTest, AButtonInBetweenMakesTheRouteFailSilently) {
  file_.map.rails[8].button = 3;  // a button on the point's straight rail
  Open();
  EXPECT_FALSE(Set(2, 4));
  EXPECT_TRUE(log_.lines.empty());
  EXPECT_EQ(Current(1), 0);
}

TEST_F(RouteSettingTest, ALockedPointRefusesTheRouteAndPointsThrownBeforeStay) {
  {
    DiaChange change(model_);
    change.run().points[1].failed = true;
  }
  EXPECT_FALSE(Set(2, 6));
  EXPECT_EQ(log_.lines, Lines{"!ポイントPが鎖錠中です。"});
  EXPECT_EQ(Current(1), 0);
  EXPECT_EQ(Cover(10), 0);
}

TEST_F(RouteSettingTest, ClicksOnLeversChooseReleaseOrRefuse) {
  DiaChange change(model_);
  EXPECT_EQ(ClickStartLever(change, 2, log_.Report()), StartClick::kChosen);
  ASSERT_TRUE(SetRoute(change, 2, 4, nullptr, RoutePreference::kNormalPath, true, {}));
  // Lever 2's rail 3 is the twin of rail 4, where lever 1's route ends.
  EXPECT_EQ(ClickStartLever(change, 3, log_.Report()), StartClick::kRefused);
  EXPECT_EQ(log_.lines, Lines{"!指定された発点は競合する対向進路が設定されています。"});
  EXPECT_EQ(ClickStartLever(change, 2, log_.Report()), StartClick::kReleased);
  EXPECT_EQ(CurrentRoute(model_.file(), 1), 0);
}

TEST_F(RouteSettingTest, RebuildingPrefersFreeRails) {
  ASSERT_TRUE(Set(2, 6));
  {
    DiaChange change(model_);
    RebuildRoute(change, 1, log_.Report());
  }
  EXPECT_EQ(Current(1), 2);
  EXPECT_EQ(Cover(10), 1);
  EXPECT_TRUE(log_.lines.empty());
}

TEST_F(RouteSettingTest, LeverModesCycleAndFlagsToggle) {
  DiaChange change(model_);
  for (int i = 0; i < 3; ++i) CycleLeverMode(change, 1, log_.Report());
  EXPECT_EQ(log_.lines,
            (Lines{"進路が復位制御に設定されました。", "進路が要求制御に設定されました。",
                   "進路が手動制御に設定されました。"}));
  ToggleLeverMain(change, 1);
  ToggleSignalButton(change, 1);
  ToggleButtonMain(change, 2);
  ToggleRouteAfterStop(change, 1);
  EXPECT_EQ(model_.dia().levers[1].values[kLeverMain], 1);
  EXPECT_EQ(model_.dia().levers[1].values[kLeverHasSignalButton], 1);
  EXPECT_EQ(model_.dia().buttons[2].values[kButtonMain], 1);
  EXPECT_TRUE(model_.run().levers[1].route_after_stop);
}

TEST_F(RouteSettingTest, ANormalRouteMarksItsRailsAndStillLocksAfterSaveAndReopen) {
  ASSERT_TRUE(Set(2, 4));
  {
    DiaChange change(model_);
    ASSERT_TRUE(SetLeverNormalRoute(change, 1, log_.Report()));
  }
  EXPECT_EQ(file().dia.levers[1].values[kLeverNormalRoute], 1);
  EXPECT_EQ(file().map.rails[8].normal_lever, 1);
  EXPECT_EQ(file().map.rails[4].normal_lever, 1);
  EXPECT_EQ(file().map.rails[7].normal_lever, 0);  // the other direction
  // Saved and opened again: the covers are rebuilt, the point stays locked.
  testing::ScratchFolder folder;
  ScriptedPrompter prompter;
  const std::string path = folder.File("routes.kvb");
  ASSERT_TRUE(SaveDiaPath(file(), path, prompter));
  DiaFile reread;
  ASSERT_EQ(OpenDiaFile(path, folder.path(), prompter, reread), DiaReadResult::kRead);
  testing::Open(model_, reread);
  EXPECT_EQ(Current(1), 1);
  EXPECT_EQ(Cover(8), 1);
  EXPECT_NE(LockingRail(file(), model_.run(), 1), 0);
  // Another lever's normal route on a rail of the route: refused with a box.
  {
    DiaChange change(model_);
    change.rails()[4].normal_lever = 2;
    EXPECT_FALSE(SetLeverNormalRoute(change, 1, log_.Report()));
  }
  ASSERT_EQ(log_.boxes.shown().size(), 1u);
  EXPECT_EQ(log_.boxes.shown()[0].caption, "進路エラー");
}

TEST_F(RouteSettingTest, OpeningReleasesRoutesThatAreNotTheirLeversNormalRoute) {
  file_.dia.levers[1].values[kLeverCurrentRoute] = 2;
  file_.dia.buttons[2].values[kButtonRouteFrom] = 1;
  file_.dia.levers[1].values[kLeverNormalRoute] = 1;
  Open();
  EXPECT_EQ(Current(1), 0);
  EXPECT_EQ(RouteFrom(file(), 2), 0);
  EXPECT_EQ(model_.run().levers[1].reset_time, file().header.start_time + 10);
  EXPECT_FALSE(model_.modified());
}

}  // namespace
}  // namespace corvane
