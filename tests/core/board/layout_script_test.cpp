#include "board/layout_script.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "app/main_menu.h"
#include "board/board_scroll.h"
#include "run/dia_change.h"
#include "support/board_line.h"

namespace corvane {
namespace {

using testing::BoardLine;

TEST(BoardCommandMenuTest, EveryCommandIsFoundByEitherNameAndRunsItsOwnCommand) {
  const std::vector<MenuEntry> menus{BoardCommandMenu()};
  std::vector<BoardCommand> found;
  for (const std::string& id : CommandIds(menus)) {
    const MenuEntry* entry = FindMenuEntry(menus, id);
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(FindMenuCommandByText(menus, PlainMenuText(entry->japanese)), entry);
    EXPECT_EQ(FindMenuCommandByText(menus, PlainMenuText(entry->english)), entry);
    const std::optional<BoardCommand> command = BoardCommandOfId(id);
    ASSERT_TRUE(command) << id;
    found.push_back(*command);
  }
  EXPECT_EQ(found.size(), 13u);
  for (std::size_t i = 0; i < found.size(); ++i) {
    EXPECT_EQ(static_cast<int>(found[i]), static_cast<int>(i));  // each command once, in order
  }
  // The main window's rail-property mode is the same command.
  EXPECT_EQ(BoardCommandOfId(kCmdRailProperty), BoardCommand::kRailProperty);
  EXPECT_FALSE(BoardCommandOfId(kCmdSaveDia));
}

class BoardCommandTest : public ::testing::Test {
 protected:
  BoardCommandTest() {
    for (int x = 0; x < 4000; x += 500) line_.Rail(x, x + 500);
    view_.width = 1000;
    view_.height = 700;
  }
  LayoutEffects Run(BoardCommand command) {
    return RunBoardCommand(command, model_, editing_, view_);
  }

  BoardLine line_;
  DiaModel model_;
  LayoutEditing editing_;
  BoardView view_;
};

TEST_F(BoardCommandTest, ZoomingOutKeepsTheScrollWithinTheSmallerRange) {
  model_.Replace(line_.file());
  view_.scroll_x = ScrollOffsetOf(150);  // the last page at scale 4096: 4000 + 250 px
  for (int i = 0; i < 8; ++i) EXPECT_TRUE(Run(BoardCommand::kNarrowerLarge).redraw);
  EXPECT_EQ(view_.scale_x, 2048);
  // 2000 + 250 pixels: positions -1 … 112, the last page starts at 63.
  EXPECT_EQ(view_.scroll_x, ScrollOffsetOf(63));
  Run(BoardCommand::kTallerSmall);
  EXPECT_EQ(view_.scale_y, 4096 + 64);
  EXPECT_FALSE(model_.modified());
}

TEST_F(BoardCommandTest, LayoutCommandsChangeNothingWithoutRowsAndTheModeFollowsTheView) {
  line_.map().rows.Clear();
  model_.Replace(line_.file());
  for (const BoardCommand command :
       {BoardCommand::kFixPositions, BoardCommand::kResetPositions, BoardCommand::kFixSpacing,
        BoardCommand::kRowDivision, BoardCommand::kRowPosition, BoardCommand::kRailProperty}) {
    const LayoutEffects effects = Run(command);
    EXPECT_FALSE(effects.redraw);
    EXPECT_FALSE(effects.prompt);
  }
  EXPECT_EQ(editing_.mode(), LayoutMode::kNormal);
  EXPECT_FALSE(model_.modified());

  model_.Replace(line_.file());
  {
    DiaChange change(model_);
    change.rows().Append({});
  }
  Run(BoardCommand::kRowDivision);
  EXPECT_EQ(view_.layout, LayoutMode::kRowDivision);
  const MenuState dividing = BoardCommandMenuState(editing_.mode(), true);
  EXPECT_TRUE(dividing.Of(kBoardCmdRowDivision).checked);
  EXPECT_FALSE(dividing.Of(kBoardCmdRowPosition).checked);
  EXPECT_TRUE(dividing.Of(kBoardCmdFixPositions).enabled);
  Run(BoardCommand::kRailProperty);
  EXPECT_EQ(view_.layout, LayoutMode::kRailProperty);
  EXPECT_FALSE(BoardCommandMenuState(editing_.mode(), true).Of(kBoardCmdRowDivision).checked);
  Run(BoardCommand::kRailProperty);
  EXPECT_EQ(view_.layout, LayoutMode::kNormal);
}

class LayoutScriptTest : public ::testing::Test {
 protected:
  LayoutScriptTest() {
    line_.Rail(0, 100);
    line_.Rail(100, 200);
    line_.Rail(200, 300);
    model_.Replace(line_.file());
  }
  LayoutScript::Outcome Run(const std::string& lines) {
    LayoutScript::Output output;
    output.prompt = [this](std::string_view text) { prompts_.emplace_back(text); };
    output.rail_properties = [this](int rail) { dialogs_.push_back(rail); };
    LayoutScript script(
        model_, {BoardCommandMenu()},
        [this] {
          ++saves_;
          return save_works_;
        },
        output);
    std::istringstream in(lines);
    const LayoutScript::Outcome outcome = script.Run(in, &error_);
    view_ = script.view();
    return outcome;
  }

  BoardLine line_;
  DiaModel model_;
  std::vector<std::string> prompts_;
  std::vector<int> dialogs_;
  int saves_ = 0;
  bool save_works_ = true;
  std::string error_;
  BoardView view_;
};

TEST_F(LayoutScriptTest, LinesSetTheWindowAndReachTheLayoutModes) {
  ASSERT_EQ(Run("# a comment\n\nsize 600x400\nscale 8192 100\nscroll 3 -2\n"
                "command Change Row Division\n"
                "click 0 0\n"  // map x 150, with x 300 centred at twice the size
                "right 1 1\ncommand 表示区切り変更\nsave\n"),
            LayoutScript::Outcome::kDone);
  EXPECT_EQ(view_.width, 600);
  EXPECT_EQ(view_.scale_x, 8192);
  EXPECT_EQ(view_.scale_y, kSmallestScale);
  EXPECT_EQ(view_.scroll_x, 300 - 600);  // centred on x 300 by the mode
  EXPECT_EQ(view_.scroll_y, 50);
  EXPECT_EQ(view_.layout, LayoutMode::kNormal);
  EXPECT_EQ(model_.map().rows.count(), 2);
  EXPECT_EQ(model_.map().rows[2].x_shift, -200);
  ASSERT_EQ(prompts_.size(), 3u);
  EXPECT_EQ(prompts_[1].substr(0, 1), "2");
  EXPECT_EQ(prompts_[2], "");
  EXPECT_EQ(saves_, 1);
}

TEST_F(LayoutScriptTest, DoubleClickAsksForTheRailPropertyDialog) {
  ASSERT_EQ(Run("command 横拡大－大\ndouble 250 63\ncommand 表示位置変更\ndouble 250 63\n"),
            LayoutScript::Outcome::kDone);
  EXPECT_TRUE(dialogs_.empty());  // not in rail-property selection
  dialogs_.clear();
  LayoutScript::Output output;
  output.rail_properties = [this](int rail) { dialogs_.push_back(rail); };
  std::vector<MenuEntry> menus = MainMenu();
  menus.insert(menus.begin(), BoardCommandMenu());
  LayoutScript script(
      model_, menus, [] { return true; }, output);
  std::string error;
  EXPECT_EQ(script.RunLine("command 線路プロパティ", &error), LayoutScript::Outcome::kDone);
  EXPECT_EQ(script.RunLine("double 250 63", &error), LayoutScript::Outcome::kDone);
  EXPECT_EQ(dialogs_, std::vector<int>{3});
}

TEST_F(LayoutScriptTest, ABadLineStopsTheScriptWithItsNumber) {
  for (const char* bad :
       {"size 0x10", "size 100x", "size 100000x100001", "scale 1", "scroll a b", "click 1",
        "double 1 2 3", "command 開く", "command", "save now", "zoom 1 1"}) {
    EXPECT_EQ(Run(std::string("size 10x10\n") + bad + "\nsave\n"), LayoutScript::Outcome::kBadLine)
        << bad;
    EXPECT_EQ(error_.rfind("line 2: ", 0), 0u) << error_;
  }
  EXPECT_EQ(saves_, 0);
  save_works_ = false;
  EXPECT_EQ(Run("save\nsize 10x10\n"), LayoutScript::Outcome::kFailed);
  EXPECT_EQ(error_.rfind("line 1: ", 0), 0u);
}

}  // namespace
}  // namespace corvane
