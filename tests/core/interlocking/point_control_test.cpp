#include "interlocking/point_control.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "compiler/map_compiler.h"
#include "interlocking/operation_data.h"
#include "map/map_change.h"
#include "support/dia_support.h"

namespace corvane {
namespace {

// (next, back) links of a rail.
using Links = std::pair<int, int>;

Links LinksOf(const SystemMap& map, int rail) {
  return {map.rails[rail].l_next, map.rails[rail].l_back};
}
int InUse(const SystemMap& map, int rail) { return map.prails[map.rails[rail].l_pack].in_use; }

// Points compiled from a small map: segments left and right of a point
// whose box spans columns 10..14 and rows 4..8.
class PointControlTest : public ::testing::Test {
 protected:
  PointControlTest() { MapChange(map_).signal_types().Append(MapSignalType{}); }

  void Segment(GridPoint a, GridPoint b) {
    MapChange(map_).rails().Append(NewRail(a, b, kBothWays));
  }
  void Point(int kind, const std::vector<std::pair<int, int>>& rows) {
    MapPoint point;
    point.kind = kind;
    point.x1 = 10;
    point.x2 = 14;
    point.y1 = 4;
    point.y2 = 8;
    point.branch_count = static_cast<int>(rows.size());
    for (std::size_t j = 1; j <= rows.size(); ++j) {
      point.branch_left_dy[j] = rows[j - 1].first - 4;
      point.branch_right_dy[j] = rows[j - 1].second - 4;
    }
    MapChange(map_).points().Append(point);
  }
  DiaFile Compiled() {
    MapCheckMarks marks;
    CheckOutput output;
    CheckRun run(marks, output);
    return ConvertMap(map_, run).file;
  }

  EditMap map_;
};

// A turnout with its joint on the left: from rails 1, 2 (row 5) to rails
// 3, 4 (branch 1, row 5) or 5, 6 (branch 2, row 6). The branches are rails
// 7, 8 and 9, 10 (leftward, rightward).
class TurnoutTest : public PointControlTest {
 protected:
  TurnoutTest() {
    Segment({6, 5}, {10, 5});
    Segment({14, 5}, {18, 5});
    Segment({14, 6}, {18, 6});
    Point(kTurnoutJointLeft, {{5, 5}, {5, 6}});
    map_file_ = Compiled();
  }
  DiaFile map_file_;
};

TEST_F(TurnoutTest, EachPositionLinksItsBranchAndTheNeighboursAnswer) {
  SystemMap& m = map_file_.map;
  ASSERT_EQ(m.points.count(), 1);
  ASSERT_EQ(m.points[1].branch_count, 2);
  // As compiled: branch 1.
  EXPECT_EQ(m.points[1].position, 0);
  EXPECT_EQ(LinksOf(m, 7), Links(1, 3));
  EXPECT_EQ(LinksOf(m, 8), Links(4, 2));
  EXPECT_EQ(LinksOf(m, 9), Links(-1, 5));
  EXPECT_EQ(LinksOf(m, 10), Links(6, -2));
  EXPECT_EQ(m.rails[1].l_back, 7);
  EXPECT_EQ(m.rails[2].l_next, 8);
  EXPECT_EQ(InUse(m, 7), 1);
  EXPECT_EQ(InUse(m, 9), 0);

  SetPointPosition(m, 1, 1);
  EXPECT_EQ(m.points[1].position, 1);
  EXPECT_EQ(LinksOf(m, 7), Links(-1, 3));
  EXPECT_EQ(LinksOf(m, 8), Links(4, -2));
  EXPECT_EQ(LinksOf(m, 9), Links(1, 5));
  EXPECT_EQ(LinksOf(m, 10), Links(6, 2));
  EXPECT_EQ(m.rails[1].l_back, 9);
  EXPECT_EQ(m.rails[2].l_next, 10);
  EXPECT_EQ(m.rails[5].l_next, 9);
  EXPECT_EQ(m.rails[6].l_back, 10);
  EXPECT_EQ(InUse(m, 7), 0);
  EXPECT_EQ(InUse(m, 9), 1);
  // The straight rails beyond keep their answers to branch 1.
  EXPECT_EQ(m.rails[3].l_next, 7);
  EXPECT_EQ(m.rails[4].l_back, 8);
}

TEST_F(TurnoutTest, ThrowsWrapBothWays) {
  SystemMap& m = map_file_.map;
  const DiaFile compiled = map_file_;
  ThrowPoint(m, 1, -1);  // from the first position to the last
  EXPECT_EQ(m.points[1].position, 1);
  EXPECT_EQ(m.rails[1].l_back, 9);
  ThrowPoint(m, 1, 1);  // and on past the last to the first again
  EXPECT_EQ(m.points[1].position, 0);
  EXPECT_EQ(FormatDiaText(map_file_, false), FormatDiaText(compiled, false));
}

TEST_F(TurnoutTest, PointsAndPositionsThatDoNotExistChangeNothing) {
  SystemMap& m = map_file_.map;
  const std::string before = FormatDiaText(map_file_, false);
  for (const int point : {0, -1, 2}) {
    SetPointPosition(m, point, 1);
    ThrowPoint(m, point, 1);
  }
  SetPointPosition(m, 1, -1);
  SetPointPosition(m, 1, kPointSlots);
  EXPECT_EQ(FormatDiaText(map_file_, false), before);
  // A point without positions stays.
  m.points[1].branch_count = 0;
  ThrowPoint(m, 1, 1);
  EXPECT_EQ(m.points[1].position, 0);
}

TEST_F(TurnoutTest, InitialisingBringsEveryPointToItsNormalPosition) {
  SystemMap& m = map_file_.map;
  const DiaFile compiled = map_file_;
  // Saved thrown, with branch 2 as its normal position: initialising links
  // branch 2 whatever the stored links say.
  SetPointPosition(m, 1, 0);
  m.points[1].normal_position = 1;
  DiaFile initialised = testing::Initialised(map_file_);
  EXPECT_EQ(initialised.map.points[1].position, 1);
  EXPECT_EQ(initialised.map.rails[1].l_back, 9);
  EXPECT_EQ(InUse(initialised.map, 7), 0);
  // A normal position beyond the point's positions (foreign data) takes the
  // last one there is, one below them the first; the stored value stays.
  m.points[1].normal_position = kPointSlots + 5;
  initialised = testing::Initialised(map_file_);
  EXPECT_EQ(initialised.map.points[1].position, 1);
  EXPECT_EQ(initialised.map.points[1].normal_position, kPointSlots + 5);
  m.points[1].normal_position = -3;
  EXPECT_EQ(testing::Initialised(map_file_).map.points[1].position, 0);
  // Compiled data is at its normal positions already.
  EXPECT_EQ(FormatDiaText(testing::Initialised(compiled), false), FormatDiaText(compiled, false));
}

TEST_F(TurnoutTest, AThrowOnTheLoadedDataIsOneRecordedAction) {
  DiaModel model;
  model.Replace(map_file_);
  std::vector<DiaEvent> events;
  std::vector<int> rails_told;
  const DiaModel::Subscription listening = model.Listen([&](const DiaEvent& event) {
    events.push_back(event);
    if (event.data()) rails_told = event.action->Records(DiaTable::kRail);
  });
  {
    DiaChange change(model);
    ThrowPoint(change, 1, 1, ThrowCaller::kBoard, 0, {});
    EXPECT_EQ(model.map().rails[1].l_back, 9);  // at once
    EXPECT_TRUE(events.empty());                // told when the action ends
  }
  EXPECT_TRUE(model.modified());
  EXPECT_EQ(model.map().points[1].position, 1);
  ASSERT_EQ(events.size(), 1u);
  ASSERT_TRUE(events[0].data());
  // The rails whose links changed; neighbours whose answer stayed are no change.
  std::sort(rails_told.begin(), rails_told.end());
  EXPECT_EQ(rails_told, (std::vector<int>{1, 2, 7, 8, 9, 10}));
  EXPECT_EQ(events[0].action->Records(DiaTable::kPoint), std::vector<int>{1});
  std::vector<int> pieces = events[0].action->Records(DiaTable::kPRail);
  std::sort(pieces.begin(), pieces.end());
  EXPECT_EQ(pieces, (std::vector<int>{model.map().rails[7].l_pack, model.map().rails[9].l_pack}));

  // Setting the position it has changes nothing; a cancelled throw neither.
  const std::string thrown = FormatDiaText(model.file(), false);
  {
    DiaChange change(model);
    SetPointPosition(change, 1, 1);
  }
  {
    DiaChange change(model);
    ThrowPoint(change, 1, 1, ThrowCaller::kBoard, 0, {});
    change.Cancel();
  }
  EXPECT_EQ(events.size(), 1u);
  EXPECT_EQ(FormatDiaText(model.file(), false), thrown);
  EXPECT_EQ(model.actions_committed(), 1);
}

// A crossing of kind 3 between rows 5 and 6: rails 1, 2 (row 5) and 3, 4
// (row 6) on the left, 5, 6 (row 5) and 7, 8 (row 6) on the right. Its slots
// are rails 9, 10 (row 5 across), 11, 12 (row 6 across), 13, 14 (row 5 to
// 6) and 15, 16 (row 6 to 5); position 0 opens slots 1 and 4, position 1
// slot 2, position 2 slot 3.
class CrossingTest : public PointControlTest {
 protected:
  CrossingTest() {
    Segment({6, 5}, {10, 5});
    Segment({6, 6}, {10, 6});
    Segment({14, 5}, {18, 5});
    Segment({14, 6}, {18, 6});
    Point(kCrossingFirst, {{5, 5}, {6, 6}, {5, 6}, {6, 5}});
    map_file_ = Compiled();
  }
  DiaFile map_file_;
};

TEST_F(CrossingTest, EachPositionOpensItsSlotsAndClosesTheOthers) {
  SystemMap& m = map_file_.map;
  ASSERT_EQ(m.rails.count(), 16);
  ASSERT_EQ(m.points[1].branch_count, 3);
  ASSERT_EQ(m.points[1].entry_count, 8);

  SetPointPosition(m, 1, 1);
  EXPECT_EQ(LinksOf(m, 11), Links(3, 7));
  EXPECT_EQ(LinksOf(m, 12), Links(8, 4));
  EXPECT_EQ(m.rails[3].l_back, 11);
  EXPECT_EQ(m.rails[7].l_next, 11);
  EXPECT_EQ(m.rails[4].l_next, 12);
  EXPECT_EQ(m.rails[8].l_back, 12);
  // A closed slot's links hold in another position (negative)...
  EXPECT_EQ(LinksOf(m, 13), Links(-1, -7));
  EXPECT_EQ(LinksOf(m, 14), Links(-8, -2));
  // ...but a rail beyond that no open slot names keeps its link to the first
  // slot naming it, and answers it.
  EXPECT_EQ(LinksOf(m, 9), Links(1, 5));
  EXPECT_EQ(m.rails[1].l_back, 9);
  EXPECT_EQ((std::vector<int>{InUse(m, 9), InUse(m, 11), InUse(m, 13), InUse(m, 15)}),
            (std::vector<int>{0, 1, 0, 0}));

  ThrowPoint(m, 1, 1);
  EXPECT_EQ(m.points[1].position, 2);
  EXPECT_EQ(LinksOf(m, 13), Links(1, 7));
  EXPECT_EQ(LinksOf(m, 14), Links(8, 2));
  EXPECT_EQ(m.rails[1].l_back, 13);
  EXPECT_EQ(m.rails[7].l_next, 13);
  EXPECT_EQ(m.rails[2].l_next, 14);
  EXPECT_EQ(m.rails[8].l_back, 14);
  EXPECT_EQ(LinksOf(m, 11), Links(3, -7));  // rail 3 is named by no open slot
  EXPECT_EQ((std::vector<int>{InUse(m, 9), InUse(m, 11), InUse(m, 13), InUse(m, 15)}),
            (std::vector<int>{0, 0, 1, 0}));

  ThrowPoint(m, 1, 1);  // past the last position to the first
  EXPECT_EQ(m.points[1].position, 0);
  EXPECT_EQ(LinksOf(m, 9), Links(1, 5));
  EXPECT_EQ(LinksOf(m, 15), Links(3, 5));
  EXPECT_EQ((std::vector<int>{InUse(m, 9), InUse(m, 11), InUse(m, 13), InUse(m, 15)}),
            (std::vector<int>{1, 0, 0, 1}));
}

}  // namespace
}  // namespace corvane
