#include "board/layout_editing.h"

#include <gtest/gtest.h>

#include <climits>

#include "support/board_line.h"

namespace corvane {
namespace {

using testing::BoardLine;

constexpr const char* kRow1Division =
    "1行目の右端を指定して下さい。左クリックで指定、右クリックで次の行に移動します。";
constexpr const char* kRow2Division =
    "2行目の右端を指定して下さい。左クリックで指定、右クリックで次の行に移動します。";
constexpr const char* kRow1Position =
    "1行目の左端を指定して下さい。左クリックで指定、右クリックで次の行に移動します。";

BoardView Window() {
  BoardView view;
  view.width = 1000;
  view.height = 700;
  return view;
}

class LayoutEditingTest : public ::testing::Test {
 protected:
  LayoutEditingTest() {
    line_.Rail(0, 100);
    line_.Rail(100, 200);
    line_.Rail(200, 300);
  }
  void Load() { model_.Replace(line_.file()); }

  BoardLine line_;
  DiaModel model_;
  LayoutEditing editing_;
};

TEST_F(LayoutEditingTest, NoModeWithoutRows) {
  line_.map().rows.Clear();
  Load();
  EXPECT_FALSE(editing_.ToggleRowDivision(model_, Window()).redraw);
  EXPECT_FALSE(editing_.ToggleRowPosition(model_).redraw);
  EXPECT_FALSE(editing_.ToggleRailProperty(model_).redraw);
  EXPECT_EQ(editing_.mode(), LayoutMode::kNormal);
  EXPECT_FALSE(editing_.LeftClick(model_, Window(), {150, 60}).redraw);
  EXPECT_FALSE(model_.modified());
}

TEST_F(LayoutEditingTest, RowDivisionPromptsRowsInTurnAndEndsWithItsCommand) {
  line_.map().rows.Append({0, 200, -200, 0});
  Load();
  const LayoutEffects entered = editing_.ToggleRowDivision(model_, Window());
  EXPECT_EQ(editing_.mode(), LayoutMode::kRowDivision);
  EXPECT_EQ(editing_.row(), 1);
  EXPECT_EQ(entered.prompt, kRow1Division);
  EXPECT_EQ(entered.scroll_y, 50);
  EXPECT_EQ(entered.scroll_x, 500 - 200);  // row 1's right end in the middle
  EXPECT_TRUE(entered.redraw);

  EXPECT_EQ(editing_.RightClick(model_).prompt, kRow2Division);
  EXPECT_EQ(editing_.RightClick(model_).prompt, kRow1Division);  // after the last, row 1

  // Another layout mode ends this one.
  EXPECT_EQ(editing_.ToggleRowPosition(model_).prompt, kRow1Position);
  EXPECT_EQ(editing_.mode(), LayoutMode::kRowPosition);
  const LayoutEffects left = editing_.ToggleRowPosition(model_);
  EXPECT_EQ(left.prompt, "");
  EXPECT_EQ(editing_.mode(), LayoutMode::kNormal);
  EXPECT_EQ(editing_.row(), 0);
}

TEST_F(LayoutEditingTest, RowDivisionClickMidwayBetweenCutsTakesTheRightOne) {
  Load();
  editing_.ToggleRowDivision(model_, Window());
  const LayoutEffects clicked = editing_.LeftClick(model_, Window(), {150, 0});
  EXPECT_TRUE(clicked.redraw);
  EXPECT_FALSE(clicked.scroll_x);  // the cut is in view
  const SystemMap& map = model_.map();
  ASSERT_EQ(map.rows.count(), 2);
  EXPECT_EQ(map.rows[2].x_shift, -200);
  EXPECT_EQ(map.rails[2].display_row, 1);
  EXPECT_EQ(map.rails[3].display_row, 2);
  EXPECT_EQ(model_.actions_committed(), 1);

  // A click beyond the row's bounds (0 … 300) changes nothing.
  EXPECT_TRUE(editing_.LeftClick(model_, Window(), {350, 0}).beep);
  EXPECT_EQ(model_.actions_committed(), 1);
}

TEST_F(LayoutEditingTest, RowDivisionScrollsACutNearTheEdgeIntoView) {
  Load();
  editing_.ToggleRowDivision(model_, Window());
  BoardView scrolled = Window();
  scrolled.scroll_x = 850;  // map x 100 at pixel 950
  const LayoutEffects clicked = editing_.LeftClick(model_, scrolled, {940, 0});
  EXPECT_EQ(model_.map().rows[2].x_shift, -100);
  EXPECT_EQ(clicked.scroll_x, 500 - 100);
}

TEST_F(LayoutEditingTest, RowPositionClickPlacesTheRowOriginWithoutRowOffsets) {
  line_.map().rows[1] = {0, 0, -50, 30};
  Load();
  editing_.ToggleRowPosition(model_);
  BoardView view = Window();
  view.scale_x = view.scale_y = 8192;
  view.scroll_x = 20;
  editing_.LeftClick(model_, view, {220, 300});
  EXPECT_EQ(model_.map().rows[1], (RowRecord{100, 150, -50, 30}));
  EXPECT_EQ(model_.actions_committed(), 1);
}

TEST_F(LayoutEditingTest, RailPropertyClicksStepThroughRailsOnTopOfEachOther) {
  line_.Rail(100, 200);  // rail 4 lies on rail 2
  Load();
  editing_.ToggleRailProperty(model_);
  EXPECT_EQ(editing_.mode(), LayoutMode::kRailProperty);
  editing_.LeftClick(model_, Window(), {150, 60});
  EXPECT_EQ(editing_.selected_rail(), 2);
  editing_.LeftClick(model_, Window(), {150, 60});
  EXPECT_EQ(editing_.selected_rail(), 4);
  editing_.LeftClick(model_, Window(), {150, 60});
  EXPECT_EQ(editing_.selected_rail(), 2);

  const LayoutEffects opened = editing_.DoubleClick(model_, Window(), {250, 60});
  EXPECT_EQ(opened.open_rail_properties, 3);
  EXPECT_EQ(editing_.selected_rail(), 3);
  EXPECT_FALSE(model_.modified());
}

TEST(NearestRailTest, WeighsTheRailAsDrawn) {
  BoardLine line;
  line.Rail(0, 100, 60);     // leftward: drawn at 63 at actual size
  line.Rail(100, 0, 62);     // rightward at 62
  line.Rail(0, 100, 61, 2);  // in row 2, moved down 100
  line.map().rows.Append({0, 100, 0, 0});
  BoardView view;
  view.width = 1000;
  view.height = 700;
  EXPECT_EQ(NearestRail(view, line.map(), {50, 63}), 1);
  EXPECT_EQ(NearestRail(view, line.map(), {50, 62}), 2);
  EXPECT_EQ(NearestRail(view, line.map(), {50, 160}), 3);
  EXPECT_EQ(NearestRail(view, line.map(), {50, 63}, 1), 2);
  line.map().rails[2].l_next = 0;  // not drawn: not chosen
  EXPECT_EQ(NearestRail(view, line.map(), {50, 62}), 1);
  EXPECT_EQ(NearestRail(view, line.map(), {INT_MAX, INT_MIN}), 1);  // far away, no overflow
}

}  // namespace
}  // namespace corvane

namespace corvane {
namespace {

// Keys in the layout modes: the arrows walk the rail-property selection
// along the links (a leftward rail leads left through its next link), to
// the twin and to the nearest rail above or below; they move a row's origin
// in row-position editing; a key a mode has no use for is left to the
// window.
TEST(LayoutKeysTest, ArrowsSpaceAndEnterActInEachMode) {
  BoardLine line;
  line.Rail(0, 100);                          // 1
  const int middle = line.Rail(100, 200);     // 2, leftward
  line.Rail(200, 300);                        // 3
  const int twin = line.Rail(200, 100, 57);   // 4
  const int above = line.Rail(100, 200, 20);  // 5
  line.map().rails[middle].l_next = 1;
  line.map().rails[middle].l_back = -3;  // a link off the normal position
  line.map().rails[middle].l_dual = twin;
  DiaModel model;
  model.Replace(line.file());
  LayoutEditing editing;
  BoardView view = Window();
  bool taken = false;

  // Nothing is selected yet: the keys change nothing but are the mode's.
  editing.ToggleRailProperty(model);
  view.layout = editing.mode();
  EXPECT_FALSE(editing.PressKey(model, view, LayoutEditing::Key::kLeft, &taken).redraw);
  EXPECT_TRUE(taken);
  editing.DoubleClick(model, view, {150, 60});
  ASSERT_EQ(editing.selected_rail(), middle);
  editing.PressKey(model, view, LayoutEditing::Key::kRight, &taken);
  EXPECT_EQ(editing.selected_rail(), 3);
  editing.DoubleClick(model, view, {150, 60});
  editing.PressKey(model, view, LayoutEditing::Key::kLeft, &taken);
  EXPECT_EQ(editing.selected_rail(), 1);
  editing.DoubleClick(model, view, {150, 60});
  editing.PressKey(model, view, LayoutEditing::Key::kSpace, &taken);
  EXPECT_EQ(editing.selected_rail(), twin);
  editing.PressKey(model, view, LayoutEditing::Key::kUp, &taken);
  EXPECT_EQ(editing.selected_rail(), above);
  editing.PressKey(model, view, LayoutEditing::Key::kUp, &taken);  // nothing higher
  EXPECT_EQ(editing.selected_rail(), above);
  EXPECT_EQ(editing.PressKey(model, view, LayoutEditing::Key::kEnter, &taken).open_rail_properties,
            above);

  // Row-position editing: the arrows move the row's origin by 20.
  editing.ToggleRowPosition(model);
  view.layout = editing.mode();
  editing.PressKey(model, view, LayoutEditing::Key::kLeft, &taken);
  editing.PressKey(model, view, LayoutEditing::Key::kDown, &taken);
  EXPECT_TRUE(taken);
  EXPECT_EQ(model.map().rows[1].x, -kRowOriginStep);
  EXPECT_EQ(model.map().rows[1].y, kRowOriginStep);
  // Enter is no key of this mode.
  editing.PressKey(model, view, LayoutEditing::Key::kEnter, &taken);
  EXPECT_FALSE(taken);
}

}  // namespace
}  // namespace corvane
