#include "board/board_window.h"

#include <gtest/gtest.h>

#include "board/board_scroll.h"
#include "support/board_line.h"

namespace corvane {
namespace {

using testing::BoardLine;

class BoardWindowTest : public ::testing::Test {
 protected:
  void Open(BoardLine& line) {
    line.file().windows = DefaultWindowSections();
    model_.Replace(line.file());
  }
  const ViewSettings& Window00() const { return model_.windows()[0].view; }

  DiaModel model_;
  LayoutEditing editing_;
};

TEST_F(BoardWindowTest, ZoomStepsAreKeptInTheWindowWithoutModifyingTheData) {
  BoardLine line;
  line.Rail(0, 3000);
  Open(line);
  RunWindowBoardCommand(model_, editing_, 0, 1000, 700, BoardCommand::kWiderLarge);
  EXPECT_EQ(Window00().scale_x, 4096 + 256);
  EXPECT_EQ(Window00().scale_y, 4096);
  EXPECT_FALSE(model_.modified());
  // Twenty large steps out on each axis stop at the smallest factor.
  for (int i = 0; i < 40; ++i) {
    RunWindowBoardCommand(model_, editing_, 0, 1000, 700, BoardCommand::kNarrowerLarge);
    RunWindowBoardCommand(model_, editing_, 0, 1000, 700, BoardCommand::kShorterLarge);
  }
  EXPECT_EQ(Window00().scale_x, kSmallestScale);
  EXPECT_EQ(Window00().scale_y, kSmallestScale);
  // A window that is not open takes no command.
  RunWindowBoardCommand(model_, editing_, 5, 1000, 700, BoardCommand::kWiderLarge);
  EXPECT_FALSE(model_.windows()[5].open);
  EXPECT_EQ(model_.windows()[5].view.scale_x, 4096);
}

TEST_F(BoardWindowTest, ZoomingOutPullsTheScrollBackIntoTheSmallerRange) {
  BoardLine line;
  line.Rail(0, 3000);
  Open(line);
  DisplayWindowSection section = model_.windows()[0];
  section.view.scroll_pos_x = 140;  // near the right end at 4096
  model_.SetDisplayWindow(0, section);
  for (int i = 0; i < 8; ++i) {
    RunWindowBoardCommand(model_, editing_, 0, 1000, 700, BoardCommand::kNarrowerLarge);
  }
  const BoardView view = WindowBoardView(model_, editing_, 0, 1000, 700);
  const ScrollRange range = ScrollRangesOf(view, model_.map(), 0).horizontal;
  EXPECT_LE(Window00().scroll_pos_x, range.maximum - range.page + 1);
}

TEST_F(BoardWindowTest, TheSceneShowsTheLayoutModeAndClicksActOnlyInOne) {
  BoardLine line;
  line.Rail(0, 100);
  line.Rail(100, 200);
  line.Rail(200, 300);
  Open(line);
  // The normal mode: a click changes nothing.
  EXPECT_FALSE(
      RunWindowLayoutClick(model_, editing_, 0, 1000, 700, BoardClick::kLeft, {150, 60}).redraw);
  EXPECT_EQ(WindowBoardScene(model_, editing_, DefaultLineItems(), 0, 1000, 700).view.layout,
            LayoutMode::kNormal);

  const LayoutEffects entered =
      RunWindowBoardCommand(model_, editing_, 0, 1000, 700, BoardCommand::kRowDivision);
  ASSERT_TRUE(entered.prompt.has_value());
  const BoardScene dividing = WindowBoardScene(model_, editing_, DefaultLineItems(), 0, 1000, 700);
  EXPECT_EQ(dividing.view.layout, LayoutMode::kRowDivision);
  EXPECT_EQ(dividing.layout_row, 1);
  EXPECT_EQ(dividing.layout_cut, 300);  // row 1 ends at the last rail end
  // Entering scrolled the window to show the row's right end: kept.
  EXPECT_EQ(Window00().scroll_pos_y, -50 / 20);

  RunWindowBoardCommand(model_, editing_, 0, 1000, 700, BoardCommand::kRailProperty);
  const BoardView view = WindowBoardView(model_, editing_, 0, 1000, 700);
  const PixelPoint on_rail2 = {MapToPixelX(view, 150), MapToPixelY(view, 60)};
  RunWindowLayoutClick(model_, editing_, 0, 1000, 700, BoardClick::kLeft, on_rail2);
  EXPECT_EQ(WindowBoardScene(model_, editing_, DefaultLineItems(), 0, 1000, 700).selected_rail, 2);
  EXPECT_EQ(RunWindowLayoutClick(model_, editing_, 0, 1000, 700, BoardClick::kDouble, on_rail2)
                .open_rail_properties,
            2);
}

}  // namespace
}  // namespace corvane
