#include "run/dia_change.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "example_dia.h"
#include "support/test_support.h"

namespace corvane {
namespace {

using testing::Sjis;

// Everything stored, as the file would hold it.
std::string Stored(const DiaModel& model) { return FormatDiaText(model.file(), false); }

class DiaChangeTest : public ::testing::Test {
 protected:
  DiaChangeTest() {
    model_.Replace(SampleDiaFile());
    listening_ = model_.Listen([this](const DiaEvent& event) {
      events_.push_back(event);
      if (event.data()) points_told_.push_back(event.action->Records(DiaTable::kPoint));
    });
  }

  DiaModel model_;
  DiaModel::Subscription listening_;
  std::vector<DiaEvent> events_;
  std::vector<std::vector<int>> points_told_;
};

TEST_F(DiaChangeTest, ModifiedComesFromTheRecordOfChanges) {
  EXPECT_FALSE(model_.modified());  // opened or compiled data is no change
  {
    DiaChange change(model_);
    change.points()[1].normal_position = 1;
    change.header().dia_comment = Sjis("変更");
    EXPECT_TRUE(events_.empty());  // told once the action ends
  }
  EXPECT_TRUE(model_.modified());
  EXPECT_EQ(model_.map().points[1].normal_position, 1);
  ASSERT_EQ(events_.size(), 1u);
  EXPECT_EQ(events_[0].kind, DiaEventKind::kChanged);
  EXPECT_TRUE(events_[0].data());
  EXPECT_FALSE(events_[0].view_only());
  EXPECT_TRUE(events_[0].Touches(DiaTable::kHeader));
  EXPECT_FALSE(events_[0].Touches(DiaTable::kRail));
  EXPECT_EQ(points_told_, std::vector<std::vector<int>>{{1}});

  model_.MarkSaved();
  EXPECT_FALSE(model_.modified());
  EXPECT_EQ(events_.back().kind, DiaEventKind::kSaved);

  // Records handed out and left as they were, or set to what they held, are
  // no change: nothing is recorded, nobody is told.
  {
    DiaChange change(model_);
    change.rails()[1].station = model_.map().rails[1].station;
    change.header().passengers = model_.header().passengers;
    change.stop_times();
  }
  EXPECT_FALSE(model_.modified());
  EXPECT_EQ(events_.size(), 2u);
  EXPECT_EQ(model_.actions_committed(), 1);
}

TEST_F(DiaChangeTest, ACancelledActionChangesNothing) {
  const std::string stored = Stored(model_);
  const RunState run = model_.run();
  {
    DiaChange change(model_);
    change.points()[1].position = 1;
    change.rails().Delete(1);
    change.trains().Append(TrainRecord{});
    change.levers().Insert(1, LeverRecord{});
    change.header().map_name = Sjis("別線");
    change.details().clear();
    change.crew_messages()[0] = "x.wav";
    change.accidents(AccidentKind::kPoint)[1].values[0] = 7;
    change.run().points[1].failed = true;
    {
      DiaChange inner(model_);  // part of the same action
      inner.run().time += 60;
      inner.stations()[1].scale = 1;
    }
    EXPECT_EQ(model_.map().rails.count(), 1);
    EXPECT_EQ(model_.run().rails.size(), 2u);  // the run-time list follows its table
    change.Cancel();
  }
  EXPECT_EQ(Stored(model_), stored);
  EXPECT_EQ(model_.run(), run);
  EXPECT_FALSE(model_.modified());
  EXPECT_TRUE(events_.empty());

  // What the action does after a cancel is recorded on its own.
  {
    DiaChange change(model_);
    change.points()[1].position = 1;
    change.Cancel();
    change.stations()[1].scale = 1;
  }
  EXPECT_TRUE(model_.modified());
  ASSERT_EQ(events_.size(), 1u);
  EXPECT_FALSE(events_[0].Touches(DiaTable::kPoint));
  EXPECT_TRUE(events_[0].Touches(DiaTable::kStation));
  EXPECT_EQ(model_.map().points[1].position, 0);
}

TEST_F(DiaChangeTest, RunTimeValuesAreShownButNeverModifyTheData) {
  {
    DiaChange change(model_);
    change.run().rails[1].aspect = 45;
  }
  EXPECT_FALSE(model_.modified());
  ASSERT_EQ(events_.size(), 1u);
  EXPECT_TRUE(events_[0].view_only());
  EXPECT_TRUE(events_[0].run_state);
  EXPECT_EQ(events_[0].action, nullptr);
  EXPECT_EQ(model_.run().rails[1].aspect, 45);

  // Set back within the action: nothing happened.
  {
    DiaChange change(model_);
    change.run().rails[1].aspect = 0;
    change.run().rails[1].aspect = 45;
  }
  EXPECT_EQ(events_.size(), 1u);
}

TEST_F(DiaChangeTest, InsertsAndDeletesKeepTheRunTimeListsBesideTheirRecords) {
  {
    DiaChange change(model_);
    change.run().points[1].failed = true;
    PointRecord second = model_.map().points[1];
    second.point_key = "AB";
    ASSERT_TRUE(change.points().Insert(1, second));
  }
  ASSERT_EQ(model_.run().points.size(), 3u);
  EXPECT_FALSE(model_.run().points[1].failed);  // the new first point
  EXPECT_TRUE(model_.run().points[2].failed);   // the former first, moved up
  EXPECT_EQ(model_.map().points[2].point_key.view(), "AA");
  {
    DiaChange change(model_);
    change.points().Delete(1);
  }
  ASSERT_EQ(model_.run().points.size(), 2u);
  EXPECT_TRUE(model_.run().points[1].failed);
  EXPECT_EQ(points_told_, (std::vector<std::vector<int>>{{1}, {1}}));
}

TEST_F(DiaChangeTest, ReplacingForgetsTheRecordAndRebuildsTheRunTimeValues) {
  {
    DiaChange change(model_);
    change.header().dia_title = Sjis("変更");
    change.run().points[1].failed = true;
  }
  ASSERT_TRUE(model_.modified());
  model_.Replace(SampleDiaFile());
  EXPECT_FALSE(model_.modified());
  EXPECT_EQ(model_.LastAction(), nullptr);
  EXPECT_EQ(model_.run(), BuildRunState(model_.file()));
  EXPECT_EQ(events_.back().kind, DiaEventKind::kReplaced);
  EXPECT_TRUE(events_.back().Touches(DiaTable::kRail));
  EXPECT_FALSE(events_.back().view_only());
}

TEST_F(DiaChangeTest, EveryListenerHearsUntilItsSubscriptionEnds) {
  int first = 0;
  int second = 0;
  DiaModel::Subscription one = model_.Listen([&first](const DiaEvent&) { ++first; });
  DiaModel::Subscription two;
  two = model_.Listen([&](const DiaEvent&) {
    ++second;
    one.End();  // ended while an event is delivered: not called for it
  });
  model_.MarkSaved();
  EXPECT_EQ(first, 1);  // added before the one that ended it
  EXPECT_EQ(second, 1);
  model_.MarkSaved();
  EXPECT_EQ(first, 1);
  EXPECT_EQ(second, 2);
  EXPECT_FALSE(one.active());
  EXPECT_TRUE(two.active());

  // A subscription may outlive its model.
  DiaModel::Subscription outliving;
  {
    DiaModel other;
    outliving = other.Listen([](const DiaEvent&) {});
    EXPECT_TRUE(outliving.active());
  }
  EXPECT_FALSE(outliving.active());
  outliving.End();
}

TEST_F(DiaChangeTest, TheKeptActionsStayWithinTheirLimit) {
  model_.SetHistoryLimit(1);  // less than any action: the last one stays
  for (int i = 1; i <= 3; ++i) {
    DiaChange change(model_);
    change.points()[1].label_x = i;
  }
  ASSERT_NE(model_.LastAction(), nullptr);
  ASSERT_EQ(model_.LastAction()->ops().size(), 1u);
  EXPECT_EQ(model_.LastAction()->ops()[0].kind, DiaAction::OpKind::kModify);
  EXPECT_EQ(std::any_cast<const PointRecord&>(model_.LastAction()->ops()[0].image).label_x, 2);
  EXPECT_EQ(model_.history_bytes(), model_.LastAction()->bytes());
  EXPECT_EQ(model_.actions_committed(), 3);
}

TEST(RunStateTest, BuiltFromTheLoadedRecords) {
  DiaFile file = SampleDiaFile();
  // An entry rail that names no rail, from a foreign file, is passed over.
  file.map.points[1].entry_count = 3;
  file.map.points[1].entry_rails[2] = 99;
  const RunState run = BuildRunState(file);
  ASSERT_EQ(run.rails.size(), 3u);
  ASSERT_EQ(run.pieces.size(), 2u);
  ASSERT_EQ(run.points.size(), 2u);
  EXPECT_EQ(run.levers.size(), static_cast<std::size_t>(file.dia.levers.count()) + 1);
  EXPECT_EQ(run.trains.size(), static_cast<std::size_t>(file.dia.trains.count()) + 1);
  EXPECT_EQ(run.pieces[1].point, 1);  // the piece of the point's entry rails
  EXPECT_EQ(run.points[1].saved_mode, file.map.points[1].mode);
  EXPECT_FALSE(run.points[1].failed);
  EXPECT_EQ(run.time, file.header.start_time);
  EXPECT_EQ(run.rails[1], RailRun{});
}

}  // namespace
}  // namespace corvane
