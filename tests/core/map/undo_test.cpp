// Undo and redo through the editing session: every action one step, the
// exact map back, names in the menu, the modified mark following the record.

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "editor/map_edit_menu.h"
#include "example_maps.h"
#include "mapfile/map_file.h"
#include "support/edit_session_fixture.h"
#include "support/test_support.h"

namespace corvane {
namespace {

class UndoTest : public testing::EditSessionTest {
 protected:
  std::string Text() const { return FormatMapText(map_.content()); }
  void Key(EditKey key, bool shift = false) { session_.KeyDown(key, shift); }
  std::string UndoText() const { return MapEditMenuState(session_).Of(kCmdUndo).japanese; }
};

TEST_F(UndoTest, EachActionIsOneNamedStepAndRedoDoesItAgain) {
  const std::string start = Text();
  EXPECT_FALSE(MapEditMenuState(session_).Of(kCmdUndo).enabled);
  Draw(kBothWays, {{2, 5}, {6, 5}, {10, 5}});  // two placements
  EXPECT_EQ(UndoText(), "元に戻す: 線路設置(&U)");
  EXPECT_EQ(MapEditMenuState(session_).Of(kCmdUndo).english, "Undo: Place Track Section(&U)");
  const std::string two = Text();
  session_.RunCommand(kCmdUndo);
  EXPECT_EQ(map_.rails().count(), 1);
  EXPECT_TRUE(MapEditMenuState(session_).Of(kCmdRedo).enabled);
  EXPECT_EQ(MapEditMenuState(session_).Of(kCmdRedo).japanese, "やり直し: 線路設置(&R)");
  session_.RunCommand(kCmdUndo);
  EXPECT_EQ(Text(), start);
  EXPECT_FALSE(map_.modified());
  session_.RunCommand(kCmdRedo);
  session_.RunCommand(kCmdRedo);
  EXPECT_EQ(Text(), two);
  EXPECT_FALSE(MapEditMenuState(session_).Of(kCmdRedo).enabled);
}

TEST_F(UndoTest, ARunOfArrowMovesIsOneStep) {
  Draw(kBothWays, {{2, 5}, {6, 5}});
  const std::string placed = Text();
  session_.selection().Set(MapTable::kRail, 1, true);
  session_.ChooseMode(EditMode::kSelect, 0);
  session_.CharKey('m');
  Key(EditKey::kDown);
  Key(EditKey::kDown);
  Key(EditKey::kRight);
  const std::string moved = Text();
  EXPECT_EQ(UndoText(), "元に戻す: 移動(&U)");
  session_.RunCommand(kCmdUndo);
  EXPECT_EQ(Text(), placed);
  session_.RunCommand(kCmdRedo);
  EXPECT_EQ(Text(), moved);

  // Another key in between starts a new step.
  session_.CharKey('m');  // back to selecting
  session_.CharKey('m');
  Key(EditKey::kUp);
  Key(EditKey::kUp);
  session_.RunCommand(kCmdUndo);
  EXPECT_EQ(Text(), moved);
}

TEST_F(UndoTest, SaveUndoRedoLeavesTheMapUnmodified) {
  Draw(kBothWays, {{2, 5}, {6, 5}});
  map_.MarkSaved();
  session_.RunCommand(kCmdUndo);
  EXPECT_TRUE(map_.modified());
  session_.RunCommand(kCmdRedo);
  EXPECT_FALSE(map_.modified());
  // A new action after an undo past the save makes the saved state
  // unreachable.
  session_.RunCommand(kCmdUndo);
  Draw(kBothWays, {{2, 8}, {6, 8}});
  session_.RunCommand(kCmdUndo);
  EXPECT_TRUE(map_.modified());
}

TEST_F(UndoTest, UndoGivesBackTheSelectionAndTheCurrentStation) {
  Draw(kBothWays, {{2, 5}, {6, 5}});
  Draw(kBothWays, {{2, 8}, {6, 8}});
  session_.selection().Set(MapTable::kRail, 2, true);
  session_.ChooseMode(EditMode::kDelete);
  ClickInside(3, 5);  // deletes segment 1: the selected one becomes 1
  EXPECT_TRUE(session_.selection().Has(MapTable::kRail, 1));
  session_.RunCommand(kCmdUndo);
  EXPECT_TRUE(session_.selection().Has(MapTable::kRail, 2));
  EXPECT_FALSE(session_.selection().Has(MapTable::kRail, 1));
  session_.RunCommand(kCmdRedo);
  EXPECT_TRUE(session_.selection().Has(MapTable::kRail, 1));
}

TEST_F(UndoTest, ABulkSettingOnTheLargestMapIsSmallInTheRecord) {
  {
    MapChange change(map_);
    for (int i = 0; i < kRailCapacity; ++i) change.rails().Append(LargestMapRail(i));
  }
  const std::size_t before = map_.history_bytes();
  for (int i = 1; i <= kRailCapacity; ++i) session_.selection().Set(MapTable::kRail, i, true);
  session_.ChooseMode(EditMode::kSelect, 0);
  session_.tool_values().speed_limit = 85;
  prompter_.Queue(PromptAnswer::kYes);
  session_.RunCommand(kCmdSpeedLimit);
  ASSERT_EQ(map_.rails()[kRailCapacity].speed_limit, 85);
  // 200 such steps must fit in 200 MB.
  EXPECT_LT(map_.history_bytes() - before, std::size_t{1} << 20);
  session_.RunCommand(kCmdUndo);
  EXPECT_EQ(map_.rails()[1].speed_limit, 0);
  EXPECT_EQ(map_.rails()[kRailCapacity].speed_limit, 0);
}

TEST_F(UndoTest, TheOldestStepsGoWhenTheRecordIsFull) {
  map_.SetHistoryLimit(4096);
  for (int i = 0; i < 40; ++i) Draw(kBothWays, {{2, 4 + 3 * i}, {6, 4 + 3 * i}});
  EXPECT_LE(map_.history_bytes(), 4096u);
  int undone = 0;
  while (map_.CanUndo()) {
    session_.RunCommand(kCmdUndo);
    ++undone;
  }
  EXPECT_GT(undone, 0);
  EXPECT_LT(undone, 40);
  EXPECT_EQ(map_.rails().count(), 40 - undone);
}

// Random sequences of actions of every kind: undoing them one by one gives
// back each earlier map exactly, and redoing them gives back each later one.
TEST_F(UndoTest, RandomActionSequencesUndoAndRedoExactly) {
  for (unsigned seed = 1; seed <= 12; ++seed) {
    SCOPED_TRACE(seed);
    map_.Replace(NewMapContent());
    std::mt19937 random(seed);
    auto pick = [&](int low, int high) {
      return std::uniform_int_distribution<int>(low, high)(random);
    };
    MapChange(map_).stations().Append(MapStation{});
    std::vector<std::string> states = {Text()};
    for (int step = 0; step < 80; ++step) {
      const std::int64_t before = map_.actions_committed();
      const std::string text_before = Text();
      const int x = pick(1, 12) * 2;
      const int y = pick(1, 8) * 2;
      switch (pick(0, 11)) {
        case 0:
          Draw(pick(1, 3), {{x, y}, {x + pick(1, 4), y + pick(-1, 1)}});
          break;
        case 1:
          Turnout({x, y}, {{x + 3, y + 2}});
          break;
        case 2:
          session_.ChooseMode(EditMode::kDelete);
          ClickInside(x + 1, y);
          break;
        case 3:
          session_.tool_values().distance = pick(0, 900);
          session_.ChooseMode(EditMode::kLength);
          ClickInside(x + 1, y);
          break;
        case 4: {
          session_.ChooseMode(EditMode::kSelect, 2);
          Click(0, 0);
          Click(30, 30);
          session_.tool_values().speed_limit = pick(10, 130);
          prompter_.Queue(PromptAnswer::kYes);
          session_.RunCommand(kCmdSpeedLimit);
          break;
        }
        case 5:
          session_.ChooseMode(EditMode::kSelect, 2);
          Click(0, 0);
          Click(30, 30);
          session_.CharKey('m');
          Key(EditKey::kDown);
          Key(EditKey::kRight, true);
          break;
        case 6:
          session_.ChooseMode(pick(0, 1) ? EditMode::kInsertRows : EditMode::kInsertColumns);
          Click(x, y);
          Click(x + 2, y + 2);
          break;
        case 7:
          session_.ChooseMode(pick(0, 1) ? EditMode::kDeleteRows : EditMode::kDeleteColumns);
          Click(x, y);
          Click(x + 1, y + 1);
          break;
        case 8:
          Key(EditKey::kTab, true);
          break;
        case 9:
          session_.ChooseMode(EditMode::kStation);
          ClickInside(x + 1, y);
          break;
        case 10:
          session_.ChooseMode(EditMode::kJump);
          Click(x, y);
          Click(x + 4, y);
          break;
        default:
          session_.ChooseMode(EditMode::kStartPoint);
          ClickInside(x + 1, y);
          break;
      }
      session_.KeyDown(EditKey::kEscape, false);
      session_.selection().Clear();
      // Every case makes at most one step (a run of arrow moves joins).
      if (map_.actions_committed() != before) states.push_back(Text());
      ASSERT_TRUE(map_.actions_committed() != before || Text() == text_before);
    }
    const std::vector<std::string> forward = states;
    EXPECT_GT(forward.size(), 15u);  // many actions changed the map
    for (std::size_t i = forward.size() - 1; i > 0 && map_.CanUndo(); --i) {
      ASSERT_EQ(Text(), forward[i]) << "undo " << i;
      session_.RunCommand(kCmdUndo);
    }
    ASSERT_EQ(Text(), forward.front());
    for (std::size_t i = 1; i < forward.size(); ++i) {
      session_.RunCommand(kCmdRedo);
      ASSERT_EQ(Text(), forward[i]) << "redo " << i;
    }
  }
}

}  // namespace
}  // namespace corvane
