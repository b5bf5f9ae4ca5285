#include "board/board_commands.h"

#include <array>
#include <utility>

#include "board/board_layout.h"
#include "board/board_scroll.h"

namespace corvane {

namespace {

constexpr std::array<std::pair<const char*, BoardCommand>, 14> kCommandIds{{
    {kBoardCmdFixPositions, BoardCommand::kFixPositions},
    {kBoardCmdResetPositions, BoardCommand::kResetPositions},
    {kBoardCmdFixSpacing, BoardCommand::kFixSpacing},
    {kBoardCmdRowDivision, BoardCommand::kRowDivision},
    {kBoardCmdRowPosition, BoardCommand::kRowPosition},
    {kBoardCmdWiderLarge, BoardCommand::kWiderLarge},
    {kBoardCmdWiderSmall, BoardCommand::kWiderSmall},
    {kBoardCmdNarrowerSmall, BoardCommand::kNarrowerSmall},
    {kBoardCmdNarrowerLarge, BoardCommand::kNarrowerLarge},
    {kBoardCmdTallerLarge, BoardCommand::kTallerLarge},
    {kBoardCmdTallerSmall, BoardCommand::kTallerSmall},
    {kBoardCmdShorterSmall, BoardCommand::kShorterSmall},
    {kBoardCmdShorterLarge, BoardCommand::kShorterLarge},
    {kBoardCmdRailProperty, BoardCommand::kRailProperty},
}};

// The axis and step of a zoom command; none for another command.
std::optional<std::pair<ZoomAxis, int>> ZoomOf(BoardCommand command) {
  using Z = ZoomAxis;
  switch (command) {
    case BoardCommand::kWiderLarge:
      return std::pair{Z::kHorizontal, kLargeZoomStep};
    case BoardCommand::kWiderSmall:
      return std::pair{Z::kHorizontal, kSmallZoomStep};
    case BoardCommand::kNarrowerSmall:
      return std::pair{Z::kHorizontal, -kSmallZoomStep};
    case BoardCommand::kNarrowerLarge:
      return std::pair{Z::kHorizontal, -kLargeZoomStep};
    case BoardCommand::kTallerLarge:
      return std::pair{Z::kVertical, kLargeZoomStep};
    case BoardCommand::kTallerSmall:
      return std::pair{Z::kVertical, kSmallZoomStep};
    case BoardCommand::kShorterSmall:
      return std::pair{Z::kVertical, -kSmallZoomStep};
    case BoardCommand::kShorterLarge:
      return std::pair{Z::kVertical, -kLargeZoomStep};
    default:
      return std::nullopt;
  }
}

// A layout command's effects: every window redraws when it changed the
// data (the model tells them as well); nothing without rows.
LayoutEffects Redrawn(bool done) {
  LayoutEffects effects;
  effects.redraw = done;
  return effects;
}

}  // namespace

MenuEntry BoardCommandMenu() {
  const auto zoom = [](const char* id, const char* japanese, const char* english,
                       const char* shortcut) {
    return WithShortcut(MenuCommand(id, japanese, english), shortcut);
  };
  return Submenu(
      "board", "運行盤表示(&C)", "Board(&C)",
      {
          MenuCommand(kBoardCmdFixPositions, "表示位置自動修正(&A)", "Auto Fix Positions(&A)"),
          MenuCommand(kBoardCmdResetPositions, "表示位置初期化(&L)", "Reset Positions(&L)"),
          MenuCommand(kBoardCmdFixSpacing, "表示間隔自動修正(&N)", "Auto Fix Spacing(&N)"),
          CheckableCommand(kBoardCmdRowDivision, "表示区切り変更(&C)", "Change Row Division(&C)"),
          CheckableCommand(kBoardCmdRowPosition, "表示位置変更(&P)", "Change Row Position(&P)"),
          MenuSeparator(),
          zoom(kBoardCmdWiderLarge, "横拡大－大(&1)", "Zoom In Horizontally - Large(&1)",
               "Ctrl+Right"),
          zoom(kBoardCmdWiderSmall, "横拡大－小(&2)", "Zoom In Horizontally - Small(&2)",
               "Ctrl+Shift+Right"),
          zoom(kBoardCmdNarrowerSmall, "横縮小－小(&3)", "Zoom Out Horizontally - Small(&3)",
               "Ctrl+Shift+Left"),
          zoom(kBoardCmdNarrowerLarge, "横縮小－大(&4)", "Zoom Out Horizontally - Large(&4)",
               "Ctrl+Left"),
          zoom(kBoardCmdTallerLarge, "縦拡大－大(&5)", "Zoom In Vertically - Large(&5)",
               "Ctrl+Down"),
          zoom(kBoardCmdTallerSmall, "縦拡大－小(&6)", "Zoom In Vertically - Small(&6)",
               "Ctrl+Shift+Down"),
          zoom(kBoardCmdShorterSmall, "縦縮小－小(&7)", "Zoom Out Vertically - Small(&7)",
               "Ctrl+Shift+Up"),
          zoom(kBoardCmdShorterLarge, "縦縮小－大(&8)", "Zoom Out Vertically - Large(&8)",
               "Ctrl+Up"),
      });
}

MenuState BoardCommandMenuState(LayoutMode mode, bool has_rows) {
  MenuState state;
  for (const auto& [id, command] : kCommandIds) {
    if (command == BoardCommand::kRailProperty) continue;  // the main menu's
    CommandState& shown = state.commands[id];
    shown.enabled = has_rows || ZoomOf(command).has_value();
    shown.checked = (command == BoardCommand::kRowDivision && mode == LayoutMode::kRowDivision) ||
                    (command == BoardCommand::kRowPosition && mode == LayoutMode::kRowPosition);
  }
  return state;
}

std::optional<BoardCommand> BoardCommandOfId(std::string_view id) {
  for (const auto& [known, command] : kCommandIds) {
    if (id == known) return command;
  }
  return std::nullopt;
}

LayoutEffects RunBoardCommand(BoardCommand command, DiaModel& model, LayoutEditing& editing,
                              BoardView& view) {
  if (const auto zoom = ZoomOf(command)) {
    ZoomBoard(view, zoom->first, zoom->second);
    ScrollBoardTo(view, ScrollRangesOf(view, model.map(), editing.row()),
                  ScrollPositionOf(view.scroll_x), ScrollPositionOf(view.scroll_y));
    return Redrawn(true);
  }
  LayoutEffects effects;
  switch (command) {
    case BoardCommand::kFixPositions:
      effects = Redrawn(FixBoardPositions(model, view));
      break;
    case BoardCommand::kResetPositions:
      effects = Redrawn(ResetBoardPositions(model));
      break;
    case BoardCommand::kFixSpacing:
      effects = Redrawn(FixBoardSpacing(model, view));
      break;
    case BoardCommand::kRowDivision:
      effects = editing.ToggleRowDivision(model, view);
      break;
    case BoardCommand::kRowPosition:
      effects = editing.ToggleRowPosition(model);
      break;
    case BoardCommand::kRailProperty:
      effects = editing.ToggleRailProperty(model);
      break;
    default:
      break;
  }
  view.layout = editing.mode();
  return effects;
}

void ApplyScroll(const LayoutEffects& effects, BoardView& view) {
  if (effects.scroll_x) view.scroll_x = *effects.scroll_x;
  if (effects.scroll_y) view.scroll_y = *effects.scroll_y;
}

}  // namespace corvane
