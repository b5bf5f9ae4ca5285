#include "data/stop_times.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

TEST(StopTimesTest, SetReplacesTheEntryOfItsKeyAndAppendsOthers) {
  StopTimeList list;
  ASSERT_TRUE(SetStopTime(list, {3, 0, kStopTime, 0, 0}, 30));
  ASSERT_TRUE(SetStopTime(list, {3, 0, kTurnTime, 0, 0}, 60));
  ASSERT_TRUE(SetStopTime(list, {3, 0, kStopTime, 2, 0}, 15));
  ASSERT_TRUE(SetStopTime(list, {0, 3, kStopTime, 0, 0}, 45));  // rail 3, not target 3
  ASSERT_TRUE(SetStopTime(list, {3, 0, kStopTime, 0, 0}, 90));
  // A target key ignores the rail it is given.
  ASSERT_TRUE(SetStopTime(list, {3, 7, kTurnTime, 0, 0}, 75));
  const StopTimeList expected = {
      {3, 0, kStopTime, 90, 0, 0},
      {3, 0, kTurnTime, 75, 0, 0},
      {3, 0, kStopTime, 15, 2, 0},
      {0, 3, kStopTime, 45, 0, 0},
  };
  EXPECT_EQ(list, expected);

  EXPECT_EQ(FindStopTimeForTarget(list, 3, kStopTime, 2, 0)->seconds, 15);
  EXPECT_EQ(FindStopTimeForRail(list, 3, kStopTime, 0, 0)->seconds, 45);
  EXPECT_EQ(FindStopTimeForRail(list, 3, kTurnTime, 0, 0), nullptr);
  EXPECT_EQ(FindStopTimeForTarget(list, 3, kStopTime, 0, 1), nullptr);
}

TEST(StopTimesTest, AKeyNamingNothingIsRefusedAsItWouldEndTheStoredList) {
  StopTimeList list = {{1, 0, kStopTime, 30, 0, 0}};
  EXPECT_FALSE(SetStopTime(list, {0, 0, kStopTime, 0, 0}, 15));
  EXPECT_EQ(list.size(), 1u);
  EXPECT_EQ(FindStopTime(list, {0, 0, kStopTime, 0, 0}), nullptr);
  RemoveStopTime(list, {0, 0, kStopTime, 0, 0});
  EXPECT_EQ(list.size(), 1u);
}

TEST(StopTimesTest, RemoveTakesOnlyTheNamedEntryAndMovesTheLaterOnesDown) {
  StopTimeList list = {
      {1, 0, kStopTime, 30, 0, 0},
      {1, 0, kStopTime, 45, 1, 0},
      {0, 4, kStopTime, 60, 0, 0},
  };
  RemoveStopTime(list, {1, 0, kStopTime, 0, 2});  // no such entry
  EXPECT_EQ(list.size(), 3u);
  RemoveStopTime(list, {1, 0, kStopTime, 0, 0});
  const StopTimeList expected = {{1, 0, kStopTime, 45, 1, 0}, {0, 4, kStopTime, 60, 0, 0}};
  EXPECT_EQ(list, expected);
  RemoveStopTime(list, {0, 4, kStopTime, 0, 0});
  EXPECT_EQ(list.size(), 1u);
}

class StopTimeOnRailTest : public ::testing::Test {
 protected:
  StopTimeOnRailTest() {
    map_.targets.Append(TargetRecord{});
    map_.targets.Append(TargetRecord{});
    for (const int target : {1, 2, 0, 500, -3}) {
      RailRecord rail;
      rail.target = target;
      map_.rails.Append(rail);
    }
    units_.standard = 45;
    units_.reverse = 120;
  }
  int On(int rail, int kind) const { return StopTimeOnRail(list_, map_, units_, rail, kind); }

  SystemMap map_;
  TimeUnits units_;
  StopTimeList list_;
};

TEST_F(StopTimeOnRailTest, TheRailsOwnEntryThenItsTargetsThenTheDiaWideTime) {
  EXPECT_EQ(On(1, kStopTime), 45);
  EXPECT_EQ(On(1, kTurnTime), 120);

  SetStopTime(list_, {1, 0, kStopTime, 0, 0}, 30);
  EXPECT_EQ(On(1, kStopTime), 30);
  EXPECT_EQ(On(1, kTurnTime), 120);
  EXPECT_EQ(On(2, kStopTime), 45);  // another target

  SetStopTime(list_, {0, 1, kStopTime, 0, 0}, 0);  // the rail passes
  EXPECT_EQ(On(1, kStopTime), 0);

  // Entries limited to a type take no part.
  SetStopTime(list_, {2, 0, kTurnTime, 1, 0}, 300);
  SetStopTime(list_, {0, 2, kTurnTime, 0, 1}, 600);
  EXPECT_EQ(On(2, kTurnTime), 120);
}

TEST_F(StopTimeOnRailTest, ATargetOutsideTheMapOrARailOutsideItFallsBackSafely) {
  for (int target = 1; target <= 2; ++target) {
    SetStopTime(list_, {target, 0, kStopTime, 0, 0}, 15 * target);
  }
  EXPECT_EQ(On(3, kStopTime), 45);  // no target
  EXPECT_EQ(On(4, kStopTime), 45);  // beyond the targets
  EXPECT_EQ(On(5, kStopTime), 45);  // negative
  EXPECT_EQ(On(99, kStopTime), 45);
  EXPECT_EQ(On(0, kStopTime), 45);
  // A rail number the map lacks still finds its own entry.
  SetStopTime(list_, {0, 99, kStopTime, 0, 0}, 75);
  EXPECT_EQ(On(99, kStopTime), 75);
}

}  // namespace
}  // namespace corvane
