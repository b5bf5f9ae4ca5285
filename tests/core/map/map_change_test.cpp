#include "map/map_change.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editor/edit_session.h"
#include "mapfile/map_file.h"
#include "support/test_support.h"

namespace corvane {
namespace {

using testing::Sjis;

std::string Text(const EditMap& map) { return FormatMapText(map.content()); }

// Editing through the session's tools, keeping the map's text after every
// action.
class MapChangeTest : public ::testing::Test {
 protected:
  void Click(int x, int y) { session_.LeftDown(x * kCellWidth, y * kCellHeight); }
  void ClickInside(int x, int y) { session_.LeftDown(x * kCellWidth + 5, y * kCellHeight + 6); }
  void Keep() { states_.push_back(Text(map_)); }

  EditMap map_;
  ScriptedPrompter prompter_;
  EditDialogs dialogs_;
  EditSession session_{map_, prompter_, dialogs_};
  std::vector<std::string> states_;
};

TEST_F(MapChangeTest, EveryActionUndoesAndRedoesExactly) {
  Keep();
  session_.AddStation([] {
    MapStation s;
    s.name = Sjis("東町");
    return s;
  }());
  Keep();
  session_.ChooseMode(EditMode::kTrack, kBothWays);
  for (const GridPoint& p : std::vector<GridPoint>{{2, 5}, {6, 5}, {10, 5}, {14, 5}}) {
    Click(p.x, p.y);
    if (map_.rails().count() > 0) Keep();
  }
  session_.ChooseMode(EditMode::kTurnout);
  Click(14, 5);
  Click(18, 5);
  Keep();
  Click(18, 7);
  Keep();
  session_.ChooseMode(EditMode::kStation);
  ClickInside(3, 5);
  Keep();
  session_.ChooseMode(EditMode::kJump);
  Click(6, 5);  // the right end of segment 1 ...
  Click(10, 5);
  Keep();
  {
    MapChange change(map_);
    change.details().Append({2, 0, 0, 100, 45, 3, 0});
    change.details().Append({1, 0, 0, 50, 25, 0, 0});
  }
  Keep();
  session_.ChooseMode(EditMode::kDelete);
  ClickInside(3, 5);  // segment 1 with its detail, renumbering the rest
  Keep();
  {
    MapChange change(map_);
    change.stations().Delete(1);  // with the renumbering of the segments' stations
  }
  Keep();
  session_.KeyDown(EditKey::kTab, true);  // the half turn
  Keep();
  ASSERT_EQ(states_.size(), 13u);
  for (std::size_t i = 1; i < states_.size(); ++i) EXPECT_NE(states_[i], states_[i - 1]) << i;

  for (std::size_t i = states_.size() - 1; i > 0; --i) {
    ASSERT_TRUE(map_.Undo());
    EXPECT_EQ(Text(map_), states_[i - 1]) << "undo to state " << i - 1;
  }
  EXPECT_FALSE(map_.Undo());
  EXPECT_FALSE(map_.modified());
  for (std::size_t i = 1; i < states_.size(); ++i) {
    ASSERT_TRUE(map_.Redo());
    EXPECT_EQ(Text(map_), states_[i]) << "redo to state " << i;
  }
  EXPECT_FALSE(map_.Redo());
  EXPECT_TRUE(prompter_.shown().empty());
}

TEST_F(MapChangeTest, ModifiedFollowsTheRecordOfChanges) {
  EXPECT_FALSE(map_.modified());
  { MapChange nothing(map_); }
  EXPECT_FALSE(map_.modified());
  EXPECT_FALSE(map_.CanUndo());

  {
    MapChange change(map_);
    change.header().map_code = 7;
  }
  EXPECT_TRUE(map_.modified());
  map_.MarkSaved();
  EXPECT_FALSE(map_.modified());
  map_.Undo();
  EXPECT_TRUE(map_.modified());  // back before the saved state
  map_.Redo();
  EXPECT_FALSE(map_.modified());  // at the saved state again

  // A record handed out and left as it was, or set to what it held, is no
  // change.
  MapChange(map_).rails().Append(NewRail({1, 1}, {4, 1}, kBothWays));
  map_.MarkSaved();
  const std::int64_t actions = map_.actions_committed();
  {
    MapChange change(map_);
    change.rails()[1];
    change.rails()[1].length = map_.rails()[1].length;
    change.header().map_code = 7;
  }
  EXPECT_EQ(map_.actions_committed(), actions);
  EXPECT_FALSE(map_.modified());

  // Undoing past the saved state and doing something else leaves the saved
  // state behind for good.
  map_.Undo();
  MapChange(map_).header().map_code = 8;
  EXPECT_TRUE(map_.modified());
  EXPECT_FALSE(map_.CanRedo());

  map_.Replace(NewMapContent());
  EXPECT_FALSE(map_.modified());
  EXPECT_FALSE(map_.CanUndo());
}

TEST_F(MapChangeTest, NestedChangesAreOneActionAndCancelTakesAllBack) {
  const std::string before = Text(map_);
  const std::int64_t actions = map_.actions_committed();
  {
    MapChange outer(map_);
    outer.stations().Append({});
    {
      MapChange inner(map_);
      inner.rails().Append(NewRail({1, 1}, {4, 1}, kBothWays));
      inner.jumps().Append({});
    }
    EXPECT_EQ(map_.actions_committed(), actions);  // still open
  }
  EXPECT_EQ(map_.actions_committed(), actions + 1);
  map_.Undo();
  EXPECT_EQ(Text(map_), before);

  {
    MapChange refused(map_);
    refused.rails().Append(NewRail({1, 1}, {4, 1}, kBothWays));
    refused.header().map_name = Sjis("名前");
    refused.Cancel();
  }
  EXPECT_EQ(Text(map_), before);
  EXPECT_TRUE(map_.CanRedo());  // a refused action drops nothing
  EXPECT_EQ(map_.actions_committed(), actions + 1);
}

TEST_F(MapChangeTest, TheSessionsNumbersFollowInsertsAndDeletes) {
  {
    MapChange change(map_);
    for (int i = 0; i < 4; ++i) change.rails().Append(NewRail({i * 5, 1}, {i * 5 + 4, 1}, 1));
    for (int i = 0; i < 3; ++i) change.stations().Append({});
    change.jumps().Append({});
  }
  session_.selection().Set(MapTable::kRail, 3, true);
  session_.selection().SetJumpEnd(1, false, true);
  session_.set_current_station(3);

  { MapChange(map_).rails().Delete(1); }
  EXPECT_TRUE(session_.selection().Has(MapTable::kRail, 2));
  EXPECT_FALSE(session_.selection().Has(MapTable::kRail, 3));
  { MapChange(map_).stations().Delete(3); }
  EXPECT_EQ(session_.current_station(), 0);  // its station is gone
  map_.Undo();                               // the station comes back, but not as the current one
  EXPECT_EQ(map_.stations().count(), 3);
  map_.Undo();  // segment 1 comes back before the selected one
  EXPECT_TRUE(session_.selection().Has(MapTable::kRail, 3));
  EXPECT_EQ(session_.selection().Count(), 2);

  // A half turn exchanges the ends of every jump, its selection included.
  session_.KeyDown(EditKey::kTab, true);
  EXPECT_TRUE(session_.selection().HasJumpEnd(1, true));
  EXPECT_FALSE(session_.selection().HasJumpEnd(1, false));

  map_.Replace(NewMapContent());
  EXPECT_TRUE(session_.selection().empty());
}

}  // namespace
}  // namespace corvane
