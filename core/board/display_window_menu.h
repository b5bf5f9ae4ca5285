#pragma once
// A display window's menu bar as data: the board's layout commands and zoom
// steps, the view options with their check marks, the train commands and
// the window commands, with the rules that enable and check them, and what a
// view option does to the window's view.

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/menu.h"
#include "board/board_view.h"
#include "data/view_settings.h"

namespace corvane {

class DiaModel;

// "運行盤表示(&C)" is the board commands' menu (board/board_commands.h).
// "表示内容(&V)": ids of the choices end in the value they choose.
inline constexpr const char kCmdViewTypePrefix[] = "view.type.";
inline constexpr const char kCmdViewForPrefix[] = "view.for.";
inline constexpr const char kCmdTrackView[] = "view.track_view";
inline constexpr const char kCmdRailViewPrefix[] = "view.rail.";
inline constexpr const char kCmdRouteView[] = "view.route_view";
inline constexpr const char kCmdBoardView[] = "view.board_view";
inline constexpr const char kCmdFlatteryView[] = "view.flattery_view";
inline constexpr const char kCmdInterViewPrefix[] = "view.inter.";
inline constexpr const char kCmdClockPrefix[] = "view.clock.";
inline constexpr const char kCmdSpeedAspect[] = "view.speed_aspect";
// "表示設定(&S)" and "オプション(&P)".
inline constexpr const char kCmdToolBar[] = "view.tool_bar";
inline constexpr const char kCmdSmartView[] = "view.smart_view";
inline constexpr const char kCmdTrainIcons16[] = "view.train_icons";
inline constexpr const char kCmdWindowFont[] = "view.font";
// "ウインドウ(&W)"; the window lines are "window.00" .. "window.15".
inline constexpr const char kCmdNewWindow[] = "window.new";
inline constexpr const char kCmdCloseWindow[] = "window.close";
inline constexpr const char kCmdSwitchWindow[] = "window.switch";
inline constexpr const char kCmdWindowPrefix[] = "window.";

// The menu bar: "運行盤表示(&C)", "表示内容(&V)", "表示設定(&S)",
// "オプション(&P)", "指令(&O)" (its train commands are shown disabled) and
// "ウインドウ(&W)".
const std::vector<MenuEntry>& DisplayWindowMenu();
// "ウインドウNN": the command that activates or opens window `n`.
std::string WindowCommand(int n);
// The window a "ウインドウNN" command names, or -1 for any other command.
int WindowOfCommand(std::string_view id);

struct DisplayWindowMenuInputs {
  ViewSettings view;          // this window's
  bool interlocking = false;  // the map uses the relay interlocking
  // The layout commands can act: the map has display rows (and the
  // commands are there to run).
  bool layout_commands = false;
  LayoutMode layout = LayoutMode::kNormal;
  std::array<bool, kDisplayWindows> open{};  // which windows are open
};

// Every option line is checked at the window's current value; the
// interlocking lines are disabled without interlocking, the speed-aspect
// line and the train commands always. "新規ウインドウ" is disabled while all
// sixteen windows are open; the window lines are checked for open windows.
MenuState DisplayWindowMenuState(const DisplayWindowMenuInputs& inputs);

// The view after a view-option command: a choice sets its value, a toggle
// flips its flag. Nothing for any other command (the zoom steps are board
// commands).
std::optional<ViewSettings> ViewAfterCommand(std::string_view id, const ViewSettings& view);

// Gives window `n` of `model` the view `id` makes of it (a change of what
// the window shows, no change of the data). False when `id` is no view
// command or the window is not open.
bool ApplyViewCommand(DiaModel& model, int n, std::string_view id);

}  // namespace corvane
