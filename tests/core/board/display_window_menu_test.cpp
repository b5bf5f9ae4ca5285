#include "board/display_window_menu.h"

#include <gtest/gtest.h>

#include <regex>
#include <set>
#include <string>
#include <vector>

#include "board/board_commands.h"
#include "board/display_windows.h"
#include "example_dia.h"
#include "run/dia_model.h"

namespace corvane {
namespace {

void CollectCommands(const std::vector<MenuEntry>& tree, std::vector<const MenuEntry*>* out) {
  for (const MenuEntry& entry : tree) {
    if (entry.IsMenu()) {
      CollectCommands(entry.children, out);
    } else if (!entry.separator) {
      out->push_back(&entry);
    }
  }
}

std::vector<const MenuEntry*> Commands() {
  std::vector<const MenuEntry*> commands;
  CollectCommands(DisplayWindowMenu(), &commands);
  return commands;
}

// The accelerator of a menu text: "X" of "(&X)".
std::string Accelerator(const std::string& text) {
  static const std::regex accelerator(R"(\(&(.)\)$)");
  std::smatch match;
  return std::regex_search(text, match, accelerator) ? match[1].str() : "";
}

TEST(DisplayWindowMenuTest, MenusInOrderWithOneIdAndOneAcceleratorPerLine) {
  std::vector<std::string> menus;
  for (const MenuEntry& menu : DisplayWindowMenu()) menus.push_back(menu.japanese);
  EXPECT_EQ(menus, (std::vector<std::string>{"運行盤表示(&C)", "表示内容(&V)", "表示設定(&S)",
                                             "オプション(&P)", "指令(&O)", "ウインドウ(&W)"}));
  std::set<std::string> ids;
  for (const MenuEntry* command : Commands()) {
    EXPECT_TRUE(ids.insert(command->id).second) << command->id;
    // Both languages reach a line with the same key.
    EXPECT_FALSE(Accelerator(command->japanese).empty()) << command->japanese;
    EXPECT_EQ(Accelerator(command->english), Accelerator(command->japanese)) << command->english;
  }
  EXPECT_EQ(FindMenuEntry(DisplayWindowMenu(), WindowCommand(15))->japanese, "ウインドウ15(&F)");
  EXPECT_EQ(FindMenuEntry(DisplayWindowMenu(), kBoardCmdWiderLarge)->shortcut, "Ctrl+Right");
  EXPECT_EQ(FindMenuEntry(DisplayWindowMenu(), kBoardCmdShorterSmall)->shortcut, "Ctrl+Shift+Up");
  EXPECT_EQ(WindowOfCommand("window.07"), 7);
  EXPECT_EQ(WindowOfCommand("window.16"), -1);
  EXPECT_EQ(WindowOfCommand("window.new"), -1);
  EXPECT_EQ(WindowOfCommand("window.0"), -1);
}

TEST(DisplayWindowMenuTest, CheckMarksFollowTheWindowsOptions) {
  DisplayWindowMenuInputs inputs;
  inputs.view.view_type = kFullName;
  inputs.view.rail_view = kAspectOnly;
  inputs.view.clock_position = kClockBottomLeft;
  inputs.view.smart_view = true;
  inputs.view.route_view = false;
  inputs.view.inter_view = kMainPanel;
  inputs.open[0] = inputs.open[4] = true;
  const MenuState state = DisplayWindowMenuState(inputs);
  EXPECT_TRUE(state.Of("view.type.3").checked);
  EXPECT_FALSE(state.Of("view.type.2").checked);
  EXPECT_TRUE(state.Of("view.for.2").checked);
  EXPECT_TRUE(state.Of("view.rail.1").checked);
  EXPECT_TRUE(state.Of("view.clock.3").checked);
  EXPECT_TRUE(state.Of(kCmdSmartView).checked);
  EXPECT_FALSE(state.Of(kCmdRouteView).checked);
  EXPECT_TRUE(state.Of(kCmdToolBar).checked);
  EXPECT_TRUE(state.Of(WindowCommand(4)).checked);
  EXPECT_FALSE(state.Of(WindowCommand(5)).checked);
  EXPECT_TRUE(state.Of(WindowCommand(5)).enabled);
  EXPECT_TRUE(state.Of(kCmdSwitchWindow).enabled);

  // Without interlocking its lines are disabled (the value still checked);
  // the speed aspect line and the train commands always are.
  EXPECT_FALSE(state.Of("view.inter.2").enabled);
  EXPECT_TRUE(state.Of("view.inter.2").checked);
  inputs.interlocking = true;
  EXPECT_TRUE(DisplayWindowMenuState(inputs).Of("view.inter.0").enabled);
  EXPECT_FALSE(DisplayWindowMenuState(inputs).Of(kCmdSpeedAspect).enabled);
  EXPECT_FALSE(DisplayWindowMenuState(inputs).Of("train.hold").enabled);
}

TEST(DisplayWindowMenuTest, LayoutLinesNeedRowsAndWindowLinesFollowWhatIsOpen) {
  DisplayWindowMenuInputs inputs;
  inputs.open[0] = true;
  MenuState state = DisplayWindowMenuState(inputs);
  EXPECT_FALSE(state.Of(kBoardCmdFixPositions).enabled);
  EXPECT_FALSE(state.Of(kBoardCmdRowDivision).enabled);
  EXPECT_FALSE(state.Of(kCmdSwitchWindow).enabled);  // no other window to go to
  EXPECT_TRUE(state.Of(kBoardCmdNarrowerLarge).enabled);
  inputs.layout_commands = true;
  inputs.layout = LayoutMode::kRowPosition;
  state = DisplayWindowMenuState(inputs);
  EXPECT_TRUE(state.Of(kBoardCmdResetPositions).enabled);
  EXPECT_TRUE(state.Of(kBoardCmdRowPosition).checked);
  EXPECT_FALSE(state.Of(kBoardCmdRowDivision).checked);

  inputs.open.fill(true);
  EXPECT_FALSE(DisplayWindowMenuState(inputs).Of(kCmdNewWindow).enabled);
}

TEST(DisplayWindowMenuTest, OptionsSetAndTogglesFlip) {
  const ViewSettings start;
  EXPECT_EQ(ViewAfterCommand("view.for.0", start)->view_for, kNoName);
  EXPECT_EQ(ViewAfterCommand("view.inter.2", start)->inter_view, kMainPanel);
  EXPECT_FALSE(ViewAfterCommand(kCmdToolBar, start)->view_tool_bar);
  EXPECT_TRUE(ViewAfterCommand(kCmdToolBar, *ViewAfterCommand(kCmdToolBar, start))->view_tool_bar);
  EXPECT_TRUE(ViewAfterCommand(kCmdTrackView, start)->track_view);
  EXPECT_FALSE(ViewAfterCommand(kCmdWindowFont, start).has_value());
  EXPECT_FALSE(ViewAfterCommand("train.hold", start).has_value());

  // The zoom steps are board commands, not view options.
  EXPECT_FALSE(ViewAfterCommand(kBoardCmdWiderSmall, start).has_value());
}

class DisplayWindowModelTest : public ::testing::Test {
 protected:
  DisplayWindowModelTest() {
    model_.Replace(SampleDiaFile());
    listening_ = model_.Listen([this](const DiaEvent& event) { events_.push_back(event); });
  }

  DiaModel model_;
  DiaModel::Subscription listening_;
  std::vector<DiaEvent> events_;
  std::array<DisplayWindowLayout, kDisplayWindows> layouts_;
};

TEST_F(DisplayWindowModelTest, AViewOptionIsAViewChangeThatTravelsWithTheData) {
  ASSERT_TRUE(ApplyViewCommand(model_, 3, "view.clock.2"));
  EXPECT_EQ(model_.windows()[3].view.clock_position, kClockTopRight);
  ASSERT_EQ(events_.size(), 1u);
  EXPECT_EQ(events_[0].display_window, 3);
  EXPECT_TRUE(events_[0].view_only());
  EXPECT_FALSE(model_.modified());
  // Written with the data.
  const std::string saved = FormatDiaText(model_.file(), false);
  const std::size_t section = saved.find("[DisplayWindow03]");
  EXPECT_NE(saved.find("ClockPosition=2", section), std::string::npos);

  // Closed windows and other commands change nothing.
  EXPECT_FALSE(ApplyViewCommand(model_, 4, "view.clock.2"));
  EXPECT_FALSE(ApplyViewCommand(model_, 3, kCmdNewWindow));
  EXPECT_FALSE(ApplyViewCommand(model_, 16, "view.clock.2"));
  EXPECT_EQ(events_.size(), 1u);
}

TEST_F(DisplayWindowModelTest, NewWindowsTakeFreeNumbersUntilAllSixteenAreOpen) {
  layouts_[1].place = {5, 6, 300, 200, true};
  layouts_[1].view_tool_bar = false;
  EXPECT_EQ(OpenNewDisplayWindow(model_, layouts_), 1);
  EXPECT_EQ(model_.windows()[1].place, layouts_[1].place);
  EXPECT_FALSE(model_.windows()[1].view.view_tool_bar);
  for (int n = 2; n < kDisplayWindows; ++n) OpenDisplayWindowNumber(model_, n, layouts_[n]);
  const std::size_t told = events_.size();
  const WindowSections before = model_.windows();
  EXPECT_EQ(OpenNewDisplayWindow(model_, layouts_), -1);
  EXPECT_EQ(model_.windows(), before);
  EXPECT_EQ(events_.size(), told);

  // An open window's line does not reset it; closing forgets its view;
  // window 00 stays open.
  ApplyViewCommand(model_, 5, kCmdSmartView);
  OpenDisplayWindowNumber(model_, 5, layouts_[5]);
  EXPECT_TRUE(model_.windows()[5].view.smart_view);
  CloseDisplayWindowNumber(model_, 5);
  EXPECT_EQ(model_.windows()[5], DisplayWindowSection{});
  CloseDisplayWindowNumber(model_, 0);
  EXPECT_TRUE(model_.windows()[0].open);
  EXPECT_EQ(FirstFreeDisplayWindow(model_.windows()), 5);
  EXPECT_FALSE(model_.modified());
}

}  // namespace
}  // namespace corvane
