#include "board/operation_panel.h"

#include <gtest/gtest.h>

#include "board/board_scroll.h"
#include "board/panel_hits.h"
#include "board/point_boxes.h"
#include "interlocking/point_control.h"
#include "interlocking/route_setting.h"
#include "support/board_line.h"
#include "support/interlocking_line.h"
#include "support/test_support.h"

namespace corvane {
namespace {

// ------------------------------------------------------------ hit tests

TEST(PanelHitsTest, EdgesMeetNothingAndTheNearestWinsTheFirstOnTies) {
  std::vector<std::optional<PixelBox>> boxes(4);
  boxes[1] = PixelBox{0, 0, 100, 100};
  boxes[2] = PixelBox{40, 40, 70, 70};      // inside the first
  boxes[3] = PixelBox{0, 0, 100, 100};      // the same as the first
  EXPECT_EQ(PointAt(boxes, {100, 50}), 0);  // on the right edge
  EXPECT_EQ(PointAt(boxes, {50, 0}), 0);    // on the top edge
  EXPECT_EQ(PointAt(boxes, {60, 60}), 2);   // nearer the small box's centre
  EXPECT_EQ(PointAt(boxes, {10, 10}), 1);   // the first of equals
}

TEST(PanelHitsTest, LeversAndButtonsAreMetWithinTheirRadiusOnlyWhereDrawn) {
  testing::BoardLine line;
  line.Rail(0, 400);
  line.file().header.settings.use_interlocking = 1;
  const int lever = line.Lever(100, 200);
  line.map().rails[1].lever = lever;
  const int button = line.Button(300);
  line.map().rails[1].button = button;
  line.file().dia.buttons[button].values[kButtonDirection] = 2;
  line.file().dia.levers[lever].values[kLeverDirection] = 2;
  const RunState run = BuildRunState(line.file());
  BoardScene scene{line.file(), run, {}, {}};
  scene.view.width = 500;
  scene.view.height = 200;
  const PixelPoint pivot = PanelPlace(scene.view, line.map().rows, 1, 100, 0, 2);
  const PixelPoint end = PanelPlace(scene.view, line.map().rows, 1, 300, 0, 2);
  // Squared distance 143 meets, 144 does not; an end button's limit is 64.
  EXPECT_EQ(LeverAt(scene, {pivot.x + 11, pivot.y + 4}), 1);  // 121 + 16 = 137
  EXPECT_EQ(LeverAt(scene, {pivot.x + 12, pivot.y}), 0);      // 144
  EXPECT_EQ(SignalButtonAt(scene, PanelPlace(scene.view, line.map().rows, 1, 200, 0, 2)), 1);
  EXPECT_EQ(EndButtonAt(scene, {end.x + 7, end.y + 3}), 1);  // 58
  EXPECT_EQ(EndButtonAt(scene, {end.x + 8, end.y}), 0);      // 64
  // Without the interlocking display nothing of the panel is met.
  scene.settings.inter_view = kNoPanel;
  EXPECT_EQ(LeverAt(scene, pivot), 0);
  EXPECT_EQ(EndButtonAt(scene, end), 0);
  // The main display shows only main levers.
  scene.settings.inter_view = kMainPanel;
  EXPECT_EQ(LeverAt(scene, pivot), 0);
}

TEST(PanelHitsTest, TrainsAndFramesAreMetStrictlyInsideTheirReach) {
  testing::BoardLine line;
  const int rail = line.Rail(0, 400, 100);
  line.Frame(10, 50, 10, 40);
  line.file().dia.trains = Table<TrainRecord>(4);
  line.file().dia.trains.Append(TrainRecord{0, rail, 0, {}});
  line.file().dia.trains.Append(TrainRecord{0, rail, 0, {}});  // at the same place
  const RunState run = BuildRunState(line.file());
  BoardScene scene{line.file(), run, {}, {}};
  scene.view.width = 500;
  scene.view.height = 200;
  const PixelPoint at = *TrainPlace(scene, 1);
  EXPECT_EQ(TrainAt(scene, {at.x + 59, at.y + 23}), 1);  // the first of two alike
  EXPECT_EQ(TrainAt(scene, {at.x + 60, at.y}), 0);
  EXPECT_EQ(TrainAt(scene, {at.x, at.y - 24}), 0);
  EXPECT_EQ(FrameAt(scene.view, line.map(), {30, 25}), 1);
  EXPECT_EQ(FrameAt(scene.view, line.map(), {10, 25}), 0);
}

// ------------------------------------------------------------ the panel

// The turnout line of the interlocking tests: point 1 with key "P", the
// rails 2 (before the point, rightward) and 4 / 6 beyond it.
class OperationPanelTest : public ::testing::Test {
 protected:
  OperationPanelTest() : file_(testing::CompiledTurnout({5, 6})) {
    file_.map.points[1].point_key = ShortText("P");
    file_.map.points[1].mode = kPointManual;
    testing::MakeRouteTables(file_);
  }
  void Open() {
    testing::Open(model_, file_);
    panel_.SetPrompter(&boxes_);
  }
  int Position() const { return model_.map().points[1].position; }
  PixelPoint PointCentre() {
    const BoardScene scene = panel_.Scene(model_, window_);
    const auto boxes = PointBoxes(scene.view, model_.file(), model_.run());
    const PixelBox& b = *boxes[1];
    return {(b.left + b.right) / 2, (b.top + b.bottom) / 2};
  }
  PanelEffects Type(std::string_view text, PanelModifiers modifiers = {}) {
    PanelEffects last;
    for (const char c : text) {
      last = panel_.Key(model_, window_, PanelKey::kCharacter, std::string(1, c), modifiers);
    }
    return last;
  }
  PanelEffects Press(PanelKey key) { return panel_.Key(model_, window_, key, "", {}); }
  TrainRun Train() const { return model_.run().trains[1]; }

  DiaFile file_;
  DiaModel model_;
  ScriptedPrompter boxes_;
  LayoutEditing editing_;
  OperationPanel panel_{editing_};
  PanelWindow window_{0, 800, 600};
};

TEST_F(OperationPanelTest, TypedKeysThrowOnlyAWholeKeyAndTheBufferEmptiesAtTheLongestKey) {
  file_.map.points[1].point_key = ShortText("PQ");
  Open();
  Type("x");
  Type("y");  // "xy" reaches the longest key's length: the next key starts afresh
  EXPECT_EQ(panel_.key_buffer(), "xy");
  Type("p");
  EXPECT_EQ(panel_.key_buffer(), "p");
  EXPECT_EQ(Position(), 0);  // a prefix throws nothing
  Type("Q");                 // letter case ignored
  EXPECT_EQ(Position(), 1);
  EXPECT_EQ(panel_.key_buffer(), "");
  Type("pq", {true, false});  // Shift: back by one
  EXPECT_EQ(Position(), 0);
  Type("pq", {false, true});  // Ctrl: the next control mode instead
  EXPECT_EQ(Position(), 0);
  EXPECT_EQ(model_.map().points[1].mode, kPointReset);

  // Backspace takes one character back; Esc empties the buffer.
  Type("p");
  Press(PanelKey::kBackspace);
  EXPECT_EQ(panel_.key_buffer(), "");
  Type("p");
  Press(PanelKey::kShift);  // keys without a character leave it alone
  EXPECT_EQ(panel_.key_buffer(), "p");
  Press(PanelKey::kEscape);
  EXPECT_EQ(panel_.key_buffer(), "");
}

TEST_F(OperationPanelTest, ALongerKeyGivenLaterCanBeTypedInFull) {
  Open();
  {
    DiaChange change(model_);
    ASSERT_TRUE(SetPointKey(change, 1, "ABC", {}));
  }
  Type("abc");
  EXPECT_EQ(Position(), 1);
}

TEST_F(OperationPanelTest, MaintenanceTextsAreKeptAndRenameNamesRuns) {
  Open();
  Type("/jto");
  EXPECT_EQ(panel_.key_buffer(), "/jto");  // longer than any key, kept
  EXPECT_TRUE(Type("E").rename_names);
  EXPECT_EQ(panel_.key_buffer(), "");
  // No buffer grows beyond twenty characters.
  Type("/abcdefghijklmnopqrstuvwxyz");
  EXPECT_LE(panel_.key_buffer().size(), 20U);
}

TEST_F(OperationPanelTest, WithTheInterlockingNeitherKeysNorClicksThrowAPoint) {
  file_.header.settings.use_interlocking = 1;
  Open();
  Type("p");
  EXPECT_EQ(panel_.key_buffer(), "");  // the key was typed in full
  const PanelEffects click = panel_.LeftClick(model_, window_, PointCentre(), {});
  panel_.LeftClick(model_, window_, PointCentre(), {false, true});
  EXPECT_EQ(Position(), 0);
  EXPECT_EQ(model_.map().points[1].mode, kPointManual);
  ASSERT_EQ(click.lines.size(), 1U);
  EXPECT_EQ(click.lines[0].text, kPointRefusedText);
  EXPECT_TRUE(click.lines[0].beep);
}

TEST_F(OperationPanelTest, ClicksOnAPointThrowOrCycleItWithoutTheInterlocking) {
  Open();
  panel_.LeftClick(model_, window_, PointCentre(), {});
  EXPECT_EQ(Position(), 1);
  panel_.LeftClick(model_, window_, PointCentre(), {false, true});
  EXPECT_EQ(Position(), 1);
  EXPECT_EQ(model_.map().points[1].mode, kPointReset);
  // A modal operation of the main window stops them.
  panel_.SetOperationsEnabled(false);
  panel_.LeftClick(model_, window_, PointCentre(), {});
  EXPECT_EQ(Position(), 1);
}

TEST_F(OperationPanelTest, TheContextMenuOfAPointRunsItsCommands) {
  Open();
  EXPECT_TRUE(panel_.RightClick(model_, window_, PointCentre()).open_menu);
  const std::vector<PanelMenuLine> menu = panel_.ContextMenu(model_, 0);
  ASSERT_FALSE(menu.empty());
  EXPECT_EQ(menu[0].japanese, "ポイント P");
  EXPECT_FALSE(menu[0].enabled);
  const PanelMenuLine* manual = FindPanelLine(menu, "手動制御");
  ASSERT_NE(manual, nullptr);
  EXPECT_TRUE(manual->checked);
  EXPECT_EQ(FindPanelLine(menu, "ポイント P"), nullptr);  // a header runs nothing
  // Blocks are parted by a separator; the window block comes last.
  EXPECT_TRUE(menu[menu.size() - 2].separator);
  EXPECT_EQ(menu.back().id, "window.at_click");

  panel_.RunContextCommand(model_, window_, FindPanelLine(menu, "Notice Control")->id);
  EXPECT_EQ(model_.map().points[1].mode, kPointNotice);
  panel_.RunContextCommand(model_, window_, FindPanelLine(menu, "転換")->id);
  // Notice control is released for the throw: the menu says so.
  EXPECT_NE(FindPanelLine(panel_.ContextMenu(model_, 0), "Throw"), nullptr);
  const auto lines = panel_.ContextMenu(model_, 0);
  EXPECT_TRUE(std::any_of(lines.begin(), lines.end(),
                          [](const PanelMenuLine& l) { return l.japanese == "一時手動制御中"; }));

  // "位置修正": the next left click places the label; Esc would cancel.
  const PanelEffects placing = panel_.RunContextCommand(model_, window_, "point.label");
  EXPECT_EQ(placing.prompt, std::string(kPlaceLabelPrompt));
  panel_.LeftClick(model_, window_, {300, 200}, {});
  EXPECT_EQ(panel_.state(0).placing_label, 0);
  EXPECT_EQ(model_.map().points[1].label_x, 300);
  EXPECT_EQ(model_.map().points[1].label_y, 200);

  // A right click on nothing leaves only the window block.
  panel_.RightClick(model_, window_, {-500, -500});
  EXPECT_EQ(panel_.ContextMenu(model_, 0).size(), 1U);
  // In a layout mode the menu is empty.
  editing_.ToggleRailProperty(model_);
  if (editing_.mode() == LayoutMode::kRailProperty) {
    EXPECT_TRUE(panel_.ContextMenu(model_, 0).empty());
  }
}

TEST_F(OperationPanelTest, TwoOverlappingBoxesGiveTheRightClickTheNearestPoint) {
  std::vector<std::optional<PixelBox>> boxes(3);
  boxes[1] = PixelBox{0, 0, 200, 200};
  boxes[2] = PixelBox{0, 0, 100, 100};
  // The last box holding the click would be point 2 even far from its centre.
  EXPECT_EQ(PointAt(boxes, {95, 95}), 1);
  EXPECT_EQ(PointAt(boxes, {40, 40}), 2);
}

TEST_F(OperationPanelTest, ALeverClickAndAButtonClickSetTheRouteAndEscClearsInOrder) {
  file_.header.settings.use_interlocking = 1;
  const int lever = testing::AddLever(file_, 2);
  testing::AddButton(file_, 4);
  auto& v = file_.dia.levers[lever].values;
  v[kLeverMain] = 1;
  v[kLeverX] = 100;
  v[kLeverY] = 300;
  auto& b = file_.dia.buttons[1].values;
  b[kButtonMain] = 1;
  b[kButtonX] = 400;
  b[kButtonY] = 300;
  Open();
  const BoardScene scene = panel_.Scene(model_, window_);
  const PixelPoint pivot =
      PanelPlace(scene.view, model_.map().rows, 0, 100, 300, v[kLeverDirection]);
  const PixelPoint end =
      PanelPlace(scene.view, model_.map().rows, 0, 400, 300, b[kButtonDirection]);

  panel_.LeftClick(model_, window_, pivot, {});
  EXPECT_EQ(panel_.state(0).chosen_lever, 2);
  EXPECT_EQ(panel_.Scene(model_, window_).chosen_lever, 2);  // drawn in the chosen colour
  // Esc empties the typed keys first, then clears the choice.
  Type("z");
  Press(PanelKey::kEscape);
  EXPECT_EQ(panel_.state(0).chosen_lever, 2);
  Press(PanelKey::kEscape);
  EXPECT_EQ(panel_.state(0).chosen_lever, 0);

  panel_.LeftClick(model_, window_, pivot, {});
  panel_.LeftClick(model_, window_, end, {});
  EXPECT_EQ(CurrentRoute(model_.file(), lever), 1);
  EXPECT_EQ(panel_.state(0).chosen_lever, 0);
  // A second click on the set lever releases its route.
  panel_.LeftClick(model_, window_, pivot, {});
  EXPECT_EQ(CurrentRoute(model_.file(), lever), 0);

  // The lever's context menu: its mode checked, the mode commands run.
  panel_.RightClick(model_, window_, pivot);
  const auto menu = panel_.ContextMenu(model_, 0);
  ASSERT_NE(FindPanelLine(menu, "手動制御"), nullptr);
  EXPECT_TRUE(FindPanelLine(menu, "手動制御")->checked);
  panel_.RunContextCommand(model_, window_, FindPanelLine(menu, "要求制御")->id);
  EXPECT_EQ(model_.dia().levers[lever].values[kLeverMode], kLeverDemand);
  // A right click while a lever is chosen only clears the choice.
  panel_.LeftClick(model_, window_, pivot, {});
  EXPECT_FALSE(panel_.RightClick(model_, window_, pivot).open_menu);
  EXPECT_EQ(panel_.state(0).chosen_lever, 0);
}

TEST_F(OperationPanelTest, TrainCommandsActOnTheSelectedTrainOnly) {
  testing::AddTrain(file_, 2);
  Open();
  const auto run = [this](std::string_view text) {
    const std::vector<PanelMenuLine> menu = panel_.TrainCommandMenu(model_, 0);
    const PanelMenuLine* line = FindPanelLine(menu, text);
    ASSERT_NE(line, nullptr) << text;
    panel_.RunTrainCommand(model_, 0, line->id);
  };
  // A right click on nothing: every command does nothing.
  panel_.RightClick(model_, window_, {-500, -500});
  run("延発/5分");
  run("自動追従");
  EXPECT_EQ(Train(), TrainRun{});
  EXPECT_EQ(model_.windows()[0].view.flattery_train, 0);

  const BoardScene scene = panel_.Scene(model_, window_);
  panel_.RightClick(model_, window_, *TrainPlace(scene, 1));
  ASSERT_EQ(panel_.state(0).train, 1);
  run("延発/5分");
  EXPECT_EQ(Train().departure_command, 2);
  EXPECT_EQ(Train().departure_seconds, 300);
  run("延発/5分");  // the same again: cancelled
  EXPECT_EQ(Train().departure_command, 0);
  EXPECT_EQ(Train().departure_seconds, 0);
  run("早発/5分");
  EXPECT_EQ(Train().departure_seconds, -300);
  run("Delayed Departure/5 min");  // replaces the early departure
  EXPECT_EQ(Train().departure_command, 2);
  EXPECT_EQ(Train().departure_seconds, 300);

  run("抑止");  // a hold clears the departure command
  EXPECT_EQ(Train().hold_command, 2);
  EXPECT_EQ(Train().departure_command, 0);
  run("抑止");
  EXPECT_EQ(Train().hold_command, 1);
  run("通知運転");
  EXPECT_EQ(Train().hold_command, 3);
  run("運転再開");
  EXPECT_EQ(Train().hold_command, 1);
  run("当駅発車");
  EXPECT_EQ(Train().departure_command, 1);
  run("当駅発車");
  EXPECT_EQ(Train().departure_command, 0);
  const TrainRun before = Train();
  run("運用変更");  // the window commands change nothing
  EXPECT_EQ(Train(), before);

  run("自動追従");
  EXPECT_EQ(model_.windows()[0].view.flattery_train, 1);
  run("自動追従");
  EXPECT_EQ(model_.windows()[0].view.flattery_train, 0);
  // A train without stops offers no station to hold at.
  EXPECT_EQ(FindPanelLine(panel_.TrainCommandMenu(model_, 0), "駅指定抑止/x"), nullptr);
}

TEST_F(OperationPanelTest, BoardKeysScrollZoomAndAskTheWindowsForTheirPart) {
  Open();
  const int scale = model_.windows()[0].view.scale_x;
  panel_.Key(model_, window_, PanelKey::kRight, "", {false, true});
  EXPECT_EQ(model_.windows()[0].view.scale_x, scale + kLargeZoomStep);
  panel_.Key(model_, window_, PanelKey::kDown, "", {true, true});
  EXPECT_EQ(model_.windows()[0].view.scale_y, scale + kSmallZoomStep);
  EXPECT_TRUE(panel_.Key(model_, window_, PanelKey::kTab, "", {true, false}).next_window);
  EXPECT_FALSE(panel_.Key(model_, window_, PanelKey::kTab, "", {}).next_window);
  EXPECT_TRUE(panel_.Key(model_, window_, PanelKey::kFunction, "", {}, 2).copy_board);
  EXPECT_FALSE(panel_.Key(model_, window_, PanelKey::kFunction, "", {}, 3).copy_board);
  // A closed window takes nothing.
  EXPECT_FALSE(
      panel_.Key(model_, PanelWindow{5, 100, 100}, PanelKey::kTab, "", {true, false}).next_window);
}

}  // namespace
}  // namespace corvane
