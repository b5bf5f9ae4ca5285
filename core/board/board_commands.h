#pragma once
// The board commands of a display window: the "運行盤表示(&C)" menu as
// data (the automatic layout commands, the layout modes, the zoom steps),
// the main window's rail-property mode beside them, and what each one does
// to the data, the program's layout mode and the window's view.

#include <optional>
#include <string_view>

#include "base/menu.h"
#include "board/layout_editing.h"

namespace corvane {

enum class BoardCommand {
  kFixPositions,    // "表示位置自動修正"
  kResetPositions,  // "表示位置初期化"
  kFixSpacing,      // "表示間隔自動修正"
  kRowDivision,     // "表示区切り変更"
  kRowPosition,     // "表示位置変更"
  kWiderLarge,      // horizontal zoom +256
  kWiderSmall,      // +64
  kNarrowerSmall,   // -64
  kNarrowerLarge,   // -256
  kTallerLarge,     // vertical zoom +256
  kTallerSmall,
  kShorterSmall,
  kShorterLarge,
  kRailProperty,  // the main window's "線路プロパティ"
};

// Ids of the commands.
inline constexpr const char kBoardCmdFixPositions[] = "board.fix_positions";
inline constexpr const char kBoardCmdResetPositions[] = "board.reset_positions";
inline constexpr const char kBoardCmdFixSpacing[] = "board.fix_spacing";
inline constexpr const char kBoardCmdRowDivision[] = "board.row_division";
inline constexpr const char kBoardCmdRowPosition[] = "board.row_position";
inline constexpr const char kBoardCmdWiderLarge[] = "board.zoom_x_in_large";
inline constexpr const char kBoardCmdWiderSmall[] = "board.zoom_x_in_small";
inline constexpr const char kBoardCmdNarrowerSmall[] = "board.zoom_x_out_small";
inline constexpr const char kBoardCmdNarrowerLarge[] = "board.zoom_x_out_large";
inline constexpr const char kBoardCmdTallerLarge[] = "board.zoom_y_in_large";
inline constexpr const char kBoardCmdTallerSmall[] = "board.zoom_y_in_small";
inline constexpr const char kBoardCmdShorterSmall[] = "board.zoom_y_out_small";
inline constexpr const char kBoardCmdShorterLarge[] = "board.zoom_y_out_large";
// The main window's command (its menu line is the main menu's).
inline constexpr const char kBoardCmdRailProperty[] = "map.rail_property";

// The display window's "運行盤表示(&C)" menu with its shortcuts; the two
// layout modes are checkable.
MenuEntry BoardCommandMenu();

// The state of the menu's commands: the zoom steps always enabled, the
// layout commands while the data has display rows (`has_rows`), the two
// layout modes checked while active.
MenuState BoardCommandMenuState(LayoutMode mode, bool has_rows);

// The command of `id` (of the menu above, or the rail-property id); none
// for another id.
std::optional<BoardCommand> BoardCommandOfId(std::string_view id);

// Runs `command` from a window showing `view`: the automatic layout
// commands change the data (one DiaChange each, nothing without rows), the
// layout modes are entered or left, the zoom steps change `view` (its
// scroll kept within the new ranges). The effects say what the windows do
// next; a zoom step asks for a redraw of this window.
LayoutEffects RunBoardCommand(BoardCommand command, DiaModel& model, LayoutEditing& editing,
                              BoardView& view);

// Applies the scroll offsets of `effects` to `view`.
void ApplyScroll(const LayoutEffects& effects, BoardView& view);

}  // namespace corvane
