// The descriptions of the map edit window's tools: commands, keys, prompts,
// titles and handlers, one entry per tool in the order of the menus.

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <string>

#include "base/menu.h"
#include "base/text_format.h"
#include "editor/edit_tool.h"
#include "editor/map_edit_menu.h"
#include "editor/tool_handlers.h"
#include "editor/value_names.h"

namespace corvane {

namespace {

// ------------------------------------------------------------ titles

// "%s" is the caption; a tool's value follows it.
template <const Bilingual& kText>
std::string PlainTitle(const EditSession&, std::string_view caption, bool english) {
  return FillIn(kText.Pick(english), {caption});
}

std::string StationName(const EditMap& map, int station) {
  return map.stations().Contains(station) ? map.stations()[station].name.Utf8() : std::string();
}

std::string StopSectionName(const EditMap& map, int target) {
  return map.targets().Contains(target) ? map.targets()[target].name.Utf8() : std::string();
}

template <const Bilingual& kText>
std::string StationTitle(const EditSession& session, std::string_view caption, bool english) {
  return FillIn(kText.Pick(english),
                {caption, StationName(session.map(), session.current_station())});
}

template <const Bilingual& kText>
std::string StopSectionTitle(const EditSession& session, std::string_view caption, bool english) {
  return FillIn(kText.Pick(english),
                {caption, StopSectionName(session.map(), session.current_target())});
}

// The distance the length and stop-target tools set.
template <const Bilingual& kText>
std::string DistanceTitle(const EditSession& session, std::string_view caption, bool english) {
  return FillIn(kText.Pick(english), {caption, std::to_string(session.tool_values().distance)});
}

std::string NamesTitle(const Bilingual& text, std::string_view caption, bool english,
                       const MapNameEntry& names) {
  return FillIn(text.Pick(english), {caption, names.name_left.Utf8(), names.name_right.Utf8()});
}

// The naming-table entry an automatic naming tool uses; empty names when the
// entry does not exist.
template <const Bilingual& kText, NameTable kTable>
std::string NameEntryTitle(const EditSession& session, std::string_view caption, bool english) {
  const Table<MapNameEntry>& names = session.map().Names(kTable);
  const int entry = session.tool_values().name_entry;
  return NamesTitle(kText, caption, english, names.Contains(entry) ? names[entry] : MapNameEntry{});
}

// Index 0 to 2 of a value 1 to 3 (track direction), or of a selection kind.
std::size_t Slot(int value, int first) {
  const int slot = value - first;
  return static_cast<std::size_t>(slot < 0 || slot > 2 ? 0 : slot);
}

constexpr Bilingual kTrackTitles[] = {
    {"%s  ＜線路追加モード（双方向）＞", "%s  <Track Section Add Mode (Both Directions)>"},
    {"%s  ＜線路追加モード（←方向）＞", "%s  <Track Section Add Mode (Leftward)>"},
    {"%s  ＜線路追加モード（→方向）＞", "%s  <Track Section Add Mode (Rightward)>"},
};
constexpr Bilingual kTurnoutTitle = {"%s  ＜分岐ポイント追加モード＞", "%s  <Turnout Add Mode>"};
constexpr Bilingual kCrossingTitle = {"%s  ＜交差ポイント追加モード＞", "%s  <Crossing Add Mode>"};
constexpr Bilingual kStationTitle = {"%s  ＜駅設定モード＞　%s", "%s  <Station Mode>  %s"};
constexpr Bilingual kStopSectionTitle = {"%s  ＜駅外停車区画設定モード＞　%s",
                                         "%s  <Stop Section Mode>  %s"};
constexpr Bilingual kStationYardTitle = {"%s  ＜駅構内設定モード＞　%s",
                                         "%s  <Station Yard Mode>  %s"};
constexpr Bilingual kStopSectionYardTitle = {"%s  ＜駅外停車区画構内設定モード＞　%s",
                                             "%s  <Stop Section Yard Mode>  %s"};
constexpr Bilingual kStationDrawingTitle = {"%s  ＜駅描画追加モード＞　%s",
                                            "%s  <Station Drawing Add Mode>  %s"};
constexpr Bilingual kJumpTitle = {"%s  ＜追加モード＞", "%s  <Add Mode>"};
constexpr Bilingual kDeleteTitle = {"%s  ＜削除モード＞", "%s  <Delete Mode>"};
constexpr Bilingual kSelectTitles[] = {
    {"%s  ＜個別選択モード＞　%s", "%s  <Individual Selection Mode>  %s"},
    {"%s  ＜一括選択モード＞　%s", "%s  <Batch Selection Mode>  %s"},
    {"%s  ＜範囲選択モード＞　%s", "%s  <Range Selection Mode>  %s"},
};
constexpr Bilingual kSelectionCount = {"（選択：%dオブジェクト）", "(Selected: %d objects)"};
constexpr Bilingual kMoveTitle = {"%s  ＜移動モード＞", "%s  <Move Mode>"};
constexpr Bilingual kDirectionBothTitle = {"%s  ＜進行方向指定モード＞　双方向",
                                           "%s  <Direction Mode>  Both Directions"};
constexpr Bilingual kDirectionLeftwardTitle = {"%s  ＜進行方向指定モード＞　←方向",
                                               "%s  <Direction Mode>  Leftward"};
constexpr Bilingual kDirectionRightwardTitle = {"%s  ＜進行方向指定モード＞　→方向",
                                                "%s  <Direction Mode>  Rightward"};
constexpr Bilingual kSingleTrackTitle = {"%s  ＜単線区間指定モード＞", "%s  <Single Track Mode>"};
constexpr Bilingual kElectricTitle = {"%s  ＜電化方式設定モード＞　%s",
                                      "%s  <Electrification Mode>  %s"};
constexpr Bilingual kSignalLeftwardTitle = {"%s  ＜信号設定モード（←方向）＞　%s",
                                            "%s  <Signal Mode (Leftward)>  %s"};
constexpr Bilingual kSignalRightwardTitle = {"%s  ＜信号設定モード（→方向）＞　%s",
                                             "%s  <Signal Mode (Rightward)>  %s"};
constexpr Bilingual kSpeedLimitTitle = {"%s  ＜制限速度設定モード＞　%dkm/h",
                                        "%s  <Speed Limit Mode>  %dkm/h"};
constexpr Bilingual kNoSpeedLimitTitle = {"%s  ＜制限速度設定モード＞　制限なし",
                                          "%s  <Speed Limit Mode>  No Limit"};
constexpr Bilingual kPointSpeedTitle = {"%s  ＜ポイント制限速度設定モード＞",
                                        "%s  <Point Speed Limit Mode>"};
constexpr Bilingual kLengthTitle = {"%s  ＜線路距離設定モード＞　%dm", "%s  <Length Mode>  %dm"};
constexpr Bilingual kStopLeftwardTitle = {"%s  ＜停止目標距離設定モード（←方向）＞　%dm",
                                          "%s  <Stop Target Distance Mode (Leftward)>  %dm"};
constexpr Bilingual kStopRightwardTitle = {"%s  ＜停止目標距離設定モード（→方向）＞　%dm",
                                           "%s  <Stop Target Distance Mode (Rightward)>  %dm"};
constexpr Bilingual kManualNameTitle = {"%s  ＜名称設定モード＞　←方向：%s　→方向：%s",
                                        "%s  <Name Mode>  Leftward: %s  Rightward: %s"};
constexpr Bilingual kBlockNameAutoTitle = {"%s  ＜線路名称全自動設定モード＞",
                                           "%s  <Full-Automatic Block Naming Mode>"};
constexpr Bilingual kBlockNameSemiTitle = {
    "%s  ＜線路名称半自動設定モード＞　←方向：%s　→方向：%s",
    "%s  <Semi-Automatic Block Naming Mode>  Leftward: %s  Rightward: %s"};
constexpr Bilingual kYardNameTitle = {"%s  ＜構内名称自動設定モード＞　←方向：%s　→方向：%s",
                                      "%s  <Yard Naming Mode>  Leftward: %s  Rightward: %s"};
constexpr Bilingual kStationNameTitle = {"%s  ＜駅名称自動設定モード＞　←方向：%s　→方向：%s",
                                         "%s  <Station Naming Mode>  Leftward: %s  Rightward: %s"};
constexpr Bilingual kStopSectionNameTitle = {
    "%s  ＜駅外停車区画名称自動設定モード＞　←方向：%s　→方向：%s",
    "%s  <Stop Section Naming Mode>  Leftward: %s  Rightward: %s"};
constexpr Bilingual kPropertyTitle = {"%s  ＜線路情報入力モード＞",
                                      "%s  <Track Section Properties Mode>"};
constexpr Bilingual kStartPointTitle = {"%s  ＜起点指定モード＞　起点：%s",
                                        "%s  <Start Point Mode>  Start: %s"};
constexpr Bilingual kStartPointUnsetTitle = {"%s  ＜起点指定モード＞　起点：未指定",
                                             "%s  <Start Point Mode>  Start: Not Set"};
constexpr Bilingual kInsertRowsTitle = {"%s  ＜行全体挿入モード＞", "%s  <Row Insert Mode>"};
constexpr Bilingual kInsertColumnsTitle = {"%s  ＜列全体挿入モード＞", "%s  <Column Insert Mode>"};
constexpr Bilingual kDeleteRowsTitle = {"%s  ＜行全体削除モード＞", "%s  <Row Delete Mode>"};
constexpr Bilingual kDeleteColumnsTitle = {"%s  ＜列全体削除モード＞", "%s  <Column Delete Mode>"};

std::string TrackTitle(const EditSession& session, std::string_view caption, bool english) {
  return FillIn(kTrackTitles[Slot(session.track_direction(), kBothWays)].Pick(english), {caption});
}

std::string SelectTitle(const EditSession& session, std::string_view caption, bool english) {
  const std::string count =
      FillIn(kSelectionCount.Pick(english), {std::to_string(session.selection().Count())});
  return FillIn(kSelectTitles[Slot(static_cast<int>(session.selection_kind()), 0)].Pick(english),
                {caption, count});
}

std::string ElectricTitle(const EditSession& session, std::string_view caption, bool english) {
  return FillIn(kElectricTitle.Pick(english),
                {caption, ElectricKindName(session.tool_values().electric, english)});
}

template <const Bilingual& kText>
std::string SignalTitle(const EditSession& session, std::string_view caption, bool english) {
  return FillIn(
      kText.Pick(english),
      {caption, SignalTypeListName(session.map(), session.tool_values().signal_type, english)});
}

std::string SpeedLimitTitle(const EditSession& session, std::string_view caption, bool english) {
  const int speed = session.tool_values().speed_limit;
  if (speed == 0) return FillIn(kNoSpeedLimitTitle.Pick(english), {caption});
  return FillIn(kSpeedLimitTitle.Pick(english), {caption, std::to_string(speed)});
}

std::string ManualNameTitle(const EditSession& session, std::string_view caption, bool english) {
  return NamesTitle(kManualNameTitle, caption, english, session.tool_values().names);
}

// The first station the start-point walk reached, else its first stop
// section.
std::string StartPointTitle(const EditSession& session, std::string_view caption, bool english) {
  const EditMap& map = session.map();
  const MapHeader& header = map.header();
  if (map.stations().Contains(header.first_station)) {
    return FillIn(kStartPointTitle.Pick(english),
                  {caption, StationName(map, header.first_station)});
  }
  if (map.targets().Contains(header.first_target)) {
    return FillIn(kStartPointTitle.Pick(english),
                  {caption, StopSectionName(map, header.first_target)});
  }
  return FillIn(kStartPointUnsetTitle.Pick(english), {caption});
}

constexpr Bilingual kStartDistanceTitle = {"%s  ＜起点距離確認モード＞",
                                           "%s  <Start Distance Mode>"};
constexpr Bilingual kStartDistancePart = {"　%s－%s：%dm", "  %s - %s: %dm"};

struct Measured {
  std::string name;
  int mark = 0;  // in units of 10 metres
};

// The station or stop section chosen in the start-distance tool.
bool ChosenForDistance(const EditMap& map, Measured* chosen) {
  const StartPoint& start = map.header().start;
  if (map.stations().Contains(start.start_station)) {
    *chosen = {StationName(map, start.start_station),
               map.stations()[start.start_station].start_marks[0]};
    return true;
  }
  if (map.targets().Contains(start.start_target)) {
    *chosen = {StopSectionName(map, start.start_target),
               map.targets()[start.start_target].start_marks[1]};
    return true;
  }
  return false;
}

// The distances from the first station the walk reached and from the stop
// section it reached before any station to the chosen one; a map without
// stations shows only the stop-section distance.
std::string StartDistanceTitle(const EditSession& session, std::string_view caption, bool english) {
  const EditMap& map = session.map();
  std::string title = FillIn(kStartDistanceTitle.Pick(english), {caption});
  Measured chosen;
  if (!ChosenForDistance(map, &chosen)) return title;
  auto add = [&](const Measured& from) {
    const std::int64_t metres = 10 * (static_cast<std::int64_t>(chosen.mark) - from.mark);
    title +=
        FillIn(kStartDistancePart.Pick(english), {from.name, chosen.name, std::to_string(metres)});
  };
  const MapHeader& header = map.header();
  if (map.stations().Contains(header.first_station)) {
    add({StationName(map, header.first_station),
         map.stations()[header.first_station].start_marks[0]});
  }
  if (map.targets().Contains(header.first_target)) {
    add({StopSectionName(map, header.first_target),
         map.targets()[header.first_target].start_marks[1]});
  }
  return title;
}

// ------------------------------------------------------------ prompts

std::string CrossingPrompt(const EditSession& session) {
  return FillIn(
      "交差ポイントの対角点の%d点目（4点中）を左クリックして下さい。"
      "また、既に設置してある交差ポイントを左クリックするとポイントの種類を変更出来ます。",
      {std::to_string(session.crossing_corners().size() + 1)});
}

std::string SelectPrompt(const EditSession& session) {
  return session.selection_kind() == SelectionKind::kRange
             ? "選択したい範囲の対角点を左クリックして下さい。"
             : "選択したいオブジェクトを左クリックして下さい。";
}

// ------------------------------------------------------------ variants

int TrackDirection(const EditSession& session) { return session.track_direction(); }

void SetTrackDirection(EditSession& session, int direction) {
  if (direction >= kBothWays && direction <= kRightwardOnly) {
    session.state().track_direction = direction;
  }
}

int SelectionKindOf(const EditSession& session) {
  return static_cast<int>(session.selection_kind());
}

void SetSelectionKind(EditSession& session, int kind) {
  if (kind >= 0 && kind <= 2) session.state().selection_kind = static_cast<SelectionKind>(kind);
}

// "移動": into the move tool, or back to selection from it.
KeyResult ToggleMove(EditSession& session) {
  if (session.mode() == EditMode::kMove) {
    session.SetMode(EditMode::kSelect);
  } else {
    session.ChooseMode(EditMode::kMove);
  }
  return KeyResult::Handled();
}

KeyResult ToggleErrorDisplay(EditSession& session) {
  KeyResult result;
  result.handled = true;
  result.clear_check_messages = session.ToggleErrorDisplay();
  return result;
}

bool ErrorDisplayOn(const EditSession& session) { return session.error_display(); }

// ------------------------------------------------------------ the tools

EditCommand Command(const char* id, Bilingual text, char key = 0, int variant = -1) {
  EditCommand command;
  command.id = id;
  command.text = text;
  command.key = key;
  command.variant = variant;
  return command;
}

// A command that acts at once instead of choosing its tool; no check mark.
EditCommand Acting(EditCommand command, KeyResult (*run)(EditSession&)) {
  command.run = run;
  command.checkable = false;
  return command;
}

EditCommand AfterSeparator(EditCommand command) {
  command.separator_before = true;
  return command;
}

// The tools that put segments into the current station or stop section.
EditTool AssignTool(EditMode mode, EditCommand command, const char* prompt,
                    std::string (*title)(const EditSession&, std::string_view, bool), ToolArea area,
                    const ToolLook& look) {
  EditTool tool;
  tool.mode = mode;
  tool.commands = {command};
  tool.area = area;
  tool.look = look;
  tool.prompt = prompt;
  tool.title = title;
  tool.chosen = AskForStation;
  tool.left_down = AssignClick;
  tool.right_down = AskForStationAgain;
  return tool;
}

// A tool that has its prompt and title but no clicks yet.
EditTool Described(EditMode mode, const char* prompt,
                   std::string (*title)(const EditSession&, std::string_view, bool),
                   const char* next_prompt = nullptr) {
  EditTool tool;
  tool.mode = mode;
  tool.prompt = prompt;
  tool.next_prompt = next_prompt;
  tool.title = title;
  return tool;
}

constexpr const char kChooseToolPrompt[] =
    "編集ツールをメニューかキーで選んで下さい。（R：線路　P：分岐　C：交差　S：駅　J：ジャンプ　"
    "D：削除　O：選択）";

std::vector<EditTool> BuildTools() {
  std::vector<EditTool> tools;
  // Mode 0, no tool: the prompt line says how to choose one.
  EditTool none;
  none.prompt = kChooseToolPrompt;
  tools.push_back(none);

  EditTool track;
  track.mode = EditMode::kTrack;
  track.commands = {
      AfterSeparator(Command(kCmdTrackBoth,
                             {"線路設置（双方向）(&B)", "Track Section, Both Directions(&B)"}, 'r',
                             kBothWays)),
      Command(kCmdTrackLeftward, {"線路設置（←方向）(&L)", "Track Section, Leftward(&L)"}, 0,
              kLeftwardOnly),
      Command(kCmdTrackRightward, {"線路設置（→方向）(&R)", "Track Section, Rightward(&R)"}, 0,
              kRightwardOnly),
  };
  track.prompt = "線路の始点を左クリックして下さい。";
  track.next_prompt =
      "線路の終点を左クリックして下さい。左クリックを続けて行うと連続指定出来ます。"
      "連続指定を中止する場合には、右クリックして下さい。";
  track.title = TrackTitle;
  track.action_name = {"線路設置", "Place Track Section"};
  track.variant_of = TrackDirection;
  track.chosen = SetTrackDirection;
  track.left_down = TrackClick;
  track.right_down = ForgetPendingPoint;
  track.look = kTrackLook;
  tools.push_back(track);

  EditTool turnout;
  turnout.mode = EditMode::kTurnout;
  turnout.commands = {Command(kCmdTurnout, {"分岐設置(&P)", "Turnout(&P)"}, 'p')};
  turnout.prompt = "分岐ポイントの始点（分岐元）を左クリックして下さい。";
  turnout.next_prompt =
      "分岐ポイントの終点（分岐先）を左クリックして下さい。左クリックを続けて行うと連続指定"
      "出来ます。連続指定を中止する場合には、右クリックして下さい。";
  turnout.title = PlainTitle<kTurnoutTitle>;
  turnout.action_name = {"分岐設置", "Place Turnout"};
  turnout.left_down = TurnoutClick;
  turnout.right_down = ForgetTurnout;
  turnout.look = kTurnoutLook;
  tools.push_back(turnout);

  EditTool crossing;
  crossing.mode = EditMode::kCrossing;
  crossing.commands = {Command(kCmdCrossing, {"交差設置(&C)", "Crossing(&C)"}, 'c')};
  crossing.prompt_of = CrossingPrompt;
  crossing.title = PlainTitle<kCrossingTitle>;
  crossing.action_name = {"交差設置", "Place Crossing"};
  crossing.left_down = CrossingClick;
  crossing.right_down = DropCrossingCorner;
  crossing.escape = ForgetCrossingCorners;
  crossing.look = kCrossingLook;
  tools.push_back(crossing);

  tools.push_back(AssignTool(
      EditMode::kStation, AfterSeparator(Command(kCmdStation, {"駅設定(&S)", "Station(&S)"}, 's')),
      "駅に指定したい線路を左クリックして下さい。", StationTitle<kStationTitle>, ToolArea::kStation,
      kStationLook));
  tools.push_back(
      AssignTool(EditMode::kStopSection,
                 Command(kCmdStopSection, {"停車区画設定(&T)", "Stop Section(&T)"}, 't'),
                 "駅外停車区画に指定したい線路を左クリックして下さい。",
                 StopSectionTitle<kStopSectionTitle>, ToolArea::kStopSection, kStopSectionLook));
  tools.push_back(AssignTool(
      EditMode::kStationYard, Command(kCmdStationYard, {"駅構内設定(&Y)", "Station Yard(&Y)"}),
      "駅構内に指定したい線路を左クリックして下さい。", StationTitle<kStationYardTitle>,
      ToolArea::kStation, kStationYardLook));
  tools.push_back(AssignTool(
      EditMode::kStopSectionYard,
      Command(kCmdStopSectionYard, {"停車区画構内設定(&U)", "Stop Section Yard(&U)"}),
      "駅外停車区画構内に指定したい線路を左クリックして下さい。",
      StopSectionTitle<kStopSectionYardTitle>, ToolArea::kStopSection, kStopSectionYardLook));

  EditTool drawing;
  drawing.mode = EditMode::kStationDrawing;
  drawing.commands = {Command(kCmdStationDrawing, {"駅描画設置(&W)", "Station Drawing(&W)"}, 'w')};
  drawing.prompt = "駅描画の設置位置の対角点の１点目（２点中）を左クリックして下さい。";
  drawing.next_prompt = "駅描画の設置位置の対角点の２点目（２点中）を左クリックして下さい。";
  drawing.title = StationTitle<kStationDrawingTitle>;
  drawing.area = ToolArea::kStation;
  drawing.look = kStationDrawingLook;
  drawing.chosen = AskForStation;
  drawing.left_down = StationDrawingClick;
  drawing.right_down = StationDrawingRightClick;
  tools.push_back(drawing);

  EditTool jump;
  jump.mode = EditMode::kJump;
  jump.commands = {Command(kCmdJump, {"ジャンプ設置(&J)", "Jump(&J)"}, 'j')};
  jump.prompt = "ジャンプの設置位置の１点目（２点中）を左クリックして下さい。";
  jump.next_prompt = "ジャンプの設置位置の２点目（２点中）を左クリックして下さい。";
  jump.title = PlainTitle<kJumpTitle>;
  jump.left_down = JumpClick;
  jump.right_down = ForgetPendingPoint;
  jump.look = kJumpLook;
  tools.push_back(jump);

  EditTool erase;
  erase.mode = EditMode::kDelete;
  erase.commands = {AfterSeparator(Command(kCmdDelete, {"削除(&D)", "Delete(&D)"}, 'd'))};
  erase.prompt = "削除したいオブジェクトを左クリックして下さい。";
  erase.title = PlainTitle<kDeleteTitle>;
  erase.left_down = DeleteClick;
  tools.push_back(erase);

  EditTool property;
  property.mode = EditMode::kProperty;
  property.commands = {
      Command(kCmdProperty, {"線路プロパティ(&I)", "Track Section Properties(&I)"})};
  property.prompt = "線路プロパティを設定したい線路を左クリックして下さい。";
  property.title = PlainTitle<kPropertyTitle>;
  property.left_down = PropertyClick;
  tools.push_back(property);

  EditTool select;
  select.mode = EditMode::kSelect;
  select.commands = {
      AfterSeparator(Command(kCmdSelectIndividual, {"個別選択(&O)", "Individual Selection(&O)"},
                             'o', static_cast<int>(SelectionKind::kIndividual))),
      Command(kCmdSelectBatch, {"一括選択(&G)", "Batch Selection(&G)"}, 'g',
              static_cast<int>(SelectionKind::kBatch)),
      Command(kCmdSelectRange, {"範囲選択(&A)", "Range Selection(&A)"}, ' ',
              static_cast<int>(SelectionKind::kRange)),
      Acting(Command(kCmdClearSelection, {"選択解除(&N)", "Clear Selection(&N)"}),
             ClearSelectionCommand),
      Acting(Command(kCmdInvertSelection, {"選択反転(&V)", "Invert Selection(&V)"}),
             InvertSelectionCommand),
  };
  select.prompt_of = SelectPrompt;
  select.title = SelectTitle;
  select.action_name = {"線路プロパティ", "Track Section Properties"};  // its right click
  select.variant_of = SelectionKindOf;
  select.chosen = SetSelectionKind;
  select.left_down = SelectClick;
  select.right_down = PropertyClick;
  select.escape = SelectEscape;
  select.look = kSelectLook;
  tools.push_back(select);

  EditTool move;
  move.mode = EditMode::kMove;
  EditCommand move_command = Command(kCmdMove, {"移動(&M)", "Move(&M)"}, 'm');
  move_command.run = ToggleMove;
  move.commands = {move_command};
  move.prompt = "選択されたオブジェクトは、矢印キーで移動出来ます。";
  move.title = PlainTitle<kMoveTitle>;
  move.choose = MoveNeedsSelection;
  move.left_down = SelectPress;
  move.left_up = MoveRelease;
  move.escape = BackToSelection;
  move.arrow = MoveArrow;
  move.look = kMoveLook;
  tools.push_back(move);

  // Setters: a value (from a dialog, where the tool has one) stored by each
  // click, or on the whole selection.
  struct Setter {
    EditMode mode;
    EditCommand command;
    const char* prompt;
    std::string (*title)(const EditSession&, std::string_view, bool);
    bool (*ask)(EditSession&);
    const char* dialog_prompt;
    void (*set_rail)(EditSession&, MapChange&, int);
    void (*set_point)(EditSession&, MapChange&, int);
    const ToolLook& look;
  };
  auto setter = [](const Setter& s) {
    EditTool tool = Described(s.mode, s.prompt, s.title);
    EditCommand command = s.command;
    command.menu = kSettingsMenuId;
    tool.commands = {command};
    tool.ask_value = s.ask;
    tool.dialog_prompt = s.dialog_prompt;
    tool.set_rail = s.set_rail;
    tool.set_point = s.set_point;
    tool.bulk = true;
    tool.look = s.look;
    tool.left_down = SetterClick;
    if (s.ask != nullptr) tool.right_down = AskForValueAgain;
    return tool;
  };
  const char* const kDistancePrompt = "設定する線路距離を入力して下さい。";
  const char* const kStopPrompt = "設定する停止目標距離を入力して下さい。";
  const char* const kSignalDialogPrompt = "設定する信号機の種類を選択して下さい。";
  tools.push_back(
      setter({EditMode::kDirectionBoth,
              Command(kCmdDirectionBoth, {"線路双方向設定(&B)", "Both Directions(&B)"}),
              "双方向設定したい線路を左クリックして下さい。", PlainTitle<kDirectionBothTitle>,
              nullptr, nullptr, SetBothWays, nullptr, kDirectionBothLook}));
  tools.push_back(
      setter({EditMode::kDirectionLeftward,
              Command(kCmdDirectionLeftward, {"線路←方向設定(&L)", "Leftward Only(&L)"}),
              "←方向設定したい線路を左クリックして下さい。", PlainTitle<kDirectionLeftwardTitle>,
              nullptr, nullptr, SetLeftwardOnly, nullptr, kDirectionLeftwardLook}));
  tools.push_back(
      setter({EditMode::kDirectionRightward,
              Command(kCmdDirectionRightward, {"線路→方向設定(&R)", "Rightward Only(&R)"}),
              "→方向設定したい線路を左クリックして下さい。", PlainTitle<kDirectionRightwardTitle>,
              nullptr, nullptr, SetRightwardOnly, nullptr, kDirectionRightwardLook}));
  EditTool single_track = setter(
      {EditMode::kSingleTrack, Command(kCmdSingleTrack, {"単線区間指定(&N)", "Single Track(&N)"}),
       "単線区間に指定したい線路を左クリックして下さい。", PlainTitle<kSingleTrackTitle>, nullptr,
       nullptr, SetSingleTrack, nullptr, kSingleTrackLook});
  single_track.right_down = ClearSingleTrack;
  tools.push_back(single_track);
  tools.push_back(setter(
      {EditMode::kElectric,
       AfterSeparator(Command(kCmdElectric, {"電化方式設定(&E)", "Electrification(&E)"})),
       "電化方式を設定したい線路を左クリックして下さい。", ElectricTitle, AskForElectric,
       "設定する電化方式を選択して下さい。", SetRailElectric, SetPointElectric, kElectricLook}));
  tools.push_back(setter({EditMode::kSignalLeftward,
                          Command(kCmdSignalLeftward, {"←方向信号設定(&1)", "Leftward Signal(&1)"}),
                          "信号機の種類を設定したい線路を左クリックして下さい。",
                          SignalTitle<kSignalLeftwardTitle>, AskForSignalType, kSignalDialogPrompt,
                          SetRailSignalLeft, SetPointSignalLeft, kSignalLeftwardLook}));
  tools.push_back(
      setter({EditMode::kSignalRightward,
              Command(kCmdSignalRightward, {"→方向信号設定(&2)", "Rightward Signal(&2)"}),
              "信号機の種類を設定したい線路を左クリックして下さい。",
              SignalTitle<kSignalRightwardTitle>, AskForSignalType, kSignalDialogPrompt,
              SetRailSignalRight, SetPointSignalRight, kSignalRightwardLook}));
  tools.push_back(
      setter({EditMode::kSpeedLimit,
              AfterSeparator(Command(kCmdSpeedLimit, {"制限速度設定(&S)", "Speed Limit(&S)"})),
              "制限速度を設定したい線路を左クリックして下さい。", SpeedLimitTitle, AskForSpeed,
              "設定する制限速度を入力して下さい。", SetRailSpeed, SetPointSpeed, kSpeedLimitLook}));
  EditTool point_speed =
      Described(EditMode::kPointSpeed, "制限速度を個別に設定したいポイントを左クリックして下さい。",
                PlainTitle<kPointSpeedTitle>);
  point_speed.commands = {
      Command(kCmdPointSpeed, {"ポイント制限速度設定(&P)", "Point Speed Limits(&P)"})};
  point_speed.commands.front().menu = kSettingsMenuId;
  point_speed.left_down = PointSpeedClick;
  tools.push_back(point_speed);
  tools.push_back(
      setter({EditMode::kLength, Command(kCmdLength, {"線路距離設定(&D)", "Length(&D)"}),
              "線路距離を設定したい線路を左クリックして下さい。", DistanceTitle<kLengthTitle>,
              AskForDistance, kDistancePrompt, SetRailLength, SetPointLength, kLengthLook}));
  tools.push_back(setter(
      {EditMode::kStopLeftward,
       Command(kCmdStopLeftward, {"←方向停止目標距離設定(&3)", "Leftward Stop Target(&3)"}),
       "停止目標距離を設定したい線路を左クリックして下さい。", DistanceTitle<kStopLeftwardTitle>,
       AskForDistance, kStopPrompt, SetStopLeft, nullptr, kStopLeftwardLook}));
  tools.push_back(setter(
      {EditMode::kStopRightward,
       Command(kCmdStopRightward, {"→方向停止目標距離設定(&4)", "Rightward Stop Target(&4)"}),
       "停止目標距離を設定したい線路を左クリックして下さい。", DistanceTitle<kStopRightwardTitle>,
       AskForDistance, kStopPrompt, SetStopRight, nullptr, kStopRightwardLook}));

  // Naming: the dialog that chooses the texts or the naming-table entry
  // comes before the tool; cancelling it keeps the tool that was active.
  auto naming = [](EditMode mode, EditCommand command, const char* prompt,
                   std::string (*title)(const EditSession&, std::string_view, bool),
                   bool (*ask)(EditSession&), void (*click)(EditSession&, int, int),
                   const ToolLook& look) {
    EditTool tool = Described(mode, prompt, title);
    command.menu = kNamesMenuId;
    tool.commands = {command};
    tool.choose = ask;
    tool.left_down = click;
    tool.look = look;
    return tool;
  };
  tools.push_back(naming(EditMode::kManualName,
                         Command(kCmdManualName, {"手動名称設定(&M)", "Manual Names(&M)"}),
                         "線路名称を設定したい線路を左クリックして下さい。", ManualNameTitle,
                         AskForManualNames, ManualNameClick, kManualNameLook));
  tools.push_back(
      naming(EditMode::kBlockNameAuto,
             Command(kCmdBlockNameAuto, {"閉塞全自動設定(&1)", "Full-Automatic Block Names(&1)"}),
             "線路名称を全自動で設定したい駅間の線路を左クリックして下さい。",
             PlainTitle<kBlockNameAutoTitle>, nullptr, BlockNameAutoClick, kBlockNameAutoLook));
  tools.push_back(
      naming(EditMode::kBlockNameSemi,
             Command(kCmdBlockNameSemi, {"閉塞半自動設定(&2)", "Semi-Automatic Block Names(&2)"}),
             "線路名称を設定したい駅間の線路を左クリックして下さい。",
             NameEntryTitle<kBlockNameSemiTitle, NameTable::kBlock>, AskForBlockName,
             BlockNameSemiClick, kBlockNameSemiLook));
  tools.push_back(naming(EditMode::kYardName,
                         Command(kCmdYardName, {"構内自動設定(&A)", "Yard Names(&A)"}),
                         "線路名称を設定したい構内の線路・ポイントを左クリックして下さい。",
                         NameEntryTitle<kYardNameTitle, NameTable::kYard>, AskForYardName,
                         YardNameClick, kYardNameLook));
  tools.push_back(naming(EditMode::kStationName,
                         Command(kCmdStationName, {"駅自動設定(&S)", "Station Names(&S)"}),
                         "線路名称を設定したい駅の線路を左クリックして下さい。",
                         NameEntryTitle<kStationNameTitle, NameTable::kStation>, AskForStationName,
                         StationNameClick, kStationNameLook));
  tools.push_back(
      naming(EditMode::kStopSectionName,
             Command(kCmdStopSectionName, {"停車区画自動設定(&T)", "Stop Section Names(&T)"}),
             "線路名称を設定したい停車区画の線路を左クリックして下さい。",
             NameEntryTitle<kStopSectionNameTitle, NameTable::kTarget>, AskForStopSectionName,
             StopSectionNameClick, kStopSectionNameLook));
  EditTool start_point = Described(
      EditMode::kStartPoint, "起点を設定したい端部の線路を左クリックして下さい。", StartPointTitle);
  start_point.commands = {
      AfterSeparator(Command(kCmdStartPoint, {"起点指定(&O)", "Start Point(&O)"}))};
  start_point.commands.front().menu = kSettingsMenuId;
  start_point.left_down = StartPointClick;
  start_point.look = kStartPointLook;
  tools.push_back(start_point);
  EditTool start_distance =
      Described(EditMode::kStartDistance,
                "起点からの距離を確認したい駅・駅外停車区画の線路を左クリックして下さい。",
                StartDistanceTitle);
  EditCommand start_distance_command =
      Command(kCmdStartDistance, {"起点距離確認・指定(&K)", "Start Distances(&K)"});
  start_distance_command.menu = kSettingsMenuId;
  start_distance_command.run = StartDistanceCommand;
  start_distance.commands = {start_distance_command};
  start_distance.left_down = StartDistanceClick;
  start_distance.right_down = StartDistanceRightClick;
  start_distance.look = kStartDistanceLook;
  tools.push_back(start_distance);

  // Rows and columns: two clicks give the band.
  auto band = [](EditMode mode, EditCommand command, const char* first, const char* next,
                 std::string (*title)(const EditSession&, std::string_view, bool),
                 const ToolLook& look) {
    EditTool tool = Described(mode, first, title, next);
    tool.commands = {command};
    tool.left_down = RowsColumnsClick;
    tool.right_down = ForgetPendingPoint;
    tool.look = look;
    return tool;
  };
  tools.push_back(band(EditMode::kInsertRows,
                       AfterSeparator(Command(kCmdInsertRows, {"行挿入(&1)", "Insert Rows(&1)"})),
                       "挿入したい行の始点を左クリックして下さい。",
                       "挿入したい行の終点を左クリックして下さい。", PlainTitle<kInsertRowsTitle>,
                       kRowsLook));
  tools.push_back(band(
      EditMode::kInsertColumns, Command(kCmdInsertColumns, {"列挿入(&2)", "Insert Columns(&2)"}),
      "挿入したい列の始点を左クリックして下さい。", "挿入したい列の終点を左クリックして下さい。",
      PlainTitle<kInsertColumnsTitle>, kColumnsLook));
  tools.push_back(
      band(EditMode::kDeleteRows, Command(kCmdDeleteRows, {"行削除(&3)", "Delete Rows(&3)"}),
           "削除したい行の始点を左クリックして下さい。",
           "削除したい行の終点を左クリックして下さい。", PlainTitle<kDeleteRowsTitle>, kRowsLook));
  tools.push_back(band(
      EditMode::kDeleteColumns, Command(kCmdDeleteColumns, {"列削除(&4)", "Delete Columns(&4)"}),
      "削除したい列の始点を左クリックして下さい。", "削除したい列の終点を左クリックして下さい。",
      PlainTitle<kDeleteColumnsTitle>, kColumnsLook));

  for (EditTool& tool : tools) {
    for (EditCommand& command : tool.commands) command.mode = tool.mode;
  }
  return tools;
}

KeyResult EditGrid(EditSession& session) { return session.EditGrid(); }
KeyResult EditMapProperty(EditSession& session) { return session.EditMapProperty(); }
KeyResult EditSignalSettings(EditSession& session) { return session.EditSignalSettings(); }
KeyResult EditTimeUnits(EditSession& session) { return session.EditTimeUnits(); }
KeyResult EditSignalDetails(EditSession& session) { return session.EditSignalDetails(); }

KeyResult ZoomIn(EditSession& session) { return session.ZoomBy(1); }
KeyResult ZoomOut(EditSession& session) { return session.ZoomBy(-1); }
KeyResult ZoomReset(EditSession& session) { return session.ZoomReset(); }
KeyResult ZoomToFit(EditSession& session) { return session.ZoomToFit(); }
KeyResult Undo(EditSession& session) { return session.Undo(); }
KeyResult Redo(EditSession& session) { return session.Redo(); }
bool CanUndo(const EditSession& session) { return session.map().CanUndo(); }
bool CanRedo(const EditSession& session) { return session.map().CanRedo(); }

// "元に戻す: 線路設置(&U)": the command's text with the action's name.
std::string WithActionName(const Bilingual& text, const MapAction* action, bool english) {
  const std::string plain = PlainMenuText(text.Pick(english));
  const std::string_view full = text.Pick(english);
  const std::string accelerator(full.substr(std::min(full.size(), full.rfind("(&"))));
  if (action == nullptr) return std::string(full);
  const std::string& name = english ? action->name_english : action->name_japanese;
  if (name.empty()) return std::string(full);
  return plain + ": " + name + accelerator;
}

constexpr Bilingual kUndoText = {"元に戻す(&U)", "Undo(&U)"};
constexpr Bilingual kRedoText = {"やり直し(&R)", "Redo(&R)"};

std::string UndoText(const EditSession& session, bool english) {
  return WithActionName(kUndoText, session.map().NextUndo(), english);
}
std::string RedoText(const EditSession& session, bool english) {
  return WithActionName(kRedoText, session.map().NextRedo(), english);
}

std::vector<EditCommand> BuildOtherCommands() {
  EditCommand undo = Acting(Command(kCmdUndo, kUndoText), Undo);
  undo.enabled = CanUndo;
  undo.text_of = UndoText;
  undo.shortcut = "Ctrl+Z";
  undo.leading = true;
  EditCommand redo = Acting(Command(kCmdRedo, kRedoText), Redo);
  redo.enabled = CanRedo;
  redo.text_of = RedoText;
  redo.shortcut = "Ctrl+Y; Ctrl+Shift+Z";
  redo.leading = true;
  EditCommand error_display =
      Command(kCmdErrorDisplay, {"エラー表示(&E)", "Error Display(&E)"}, 'e');
  error_display.menu = kViewMenuId;
  error_display.run = ToggleErrorDisplay;
  error_display.checked = ErrorDisplayOn;
  EditCommand grid =
      Acting(Command(kCmdGrid, {"グリッド表示設定(&G)", "Grid Display(&G)"}), EditGrid);
  grid.menu = kViewMenuId;
  // The map's own settings, at the end of the settings menu.
  auto map_setting = [](EditCommand command, KeyResult (*run)(EditSession&)) {
    command = Acting(command, run);
    command.menu = kSettingsMenuId;
    return command;
  };
  auto view = [](EditCommand command, KeyResult (*run)(EditSession&), const char* shortcut) {
    command = Acting(command, run);
    command.menu = kViewMenuId;
    command.shortcut = shortcut;
    return command;
  };
  return {
      undo,
      redo,
      error_display,
      grid,
      AfterSeparator(
          view(Command(kCmdZoomIn, {"拡大表示(&I)", "Zoom In(&I)"}), ZoomIn, "Ctrl++; Ctrl+=")),
      view(Command(kCmdZoomOut, {"縮小表示(&O)", "Zoom Out(&O)"}), ZoomOut, "Ctrl+-"),
      view(Command(kCmdZoomReset, {"等倍表示(&A)", "Actual Size(&A)"}), ZoomReset, "Ctrl+0"),
      view(Command(kCmdZoomToFit, {"ズーム全体(&F)", "Zoom to Fit(&F)"}), ZoomToFit, "Ctrl+9"),
      AfterSeparator(
          map_setting(Command(kCmdMapProperty, {"マッププロパティ(&M)", "Map Properties(&M)"}),
                      EditMapProperty)),
      map_setting(Command(kCmdMapSignalSettings, {"信号設定(&G)", "Signal Settings(&G)"}),
                  EditSignalSettings),
      map_setting(Command(kCmdMapSignalDetails, {"信号詳細設定(&I)", "Signal Details(&I)"}),
                  EditSignalDetails),
      map_setting(
          Command(kCmdMapTimeUnits, {"単位・標準時間設定(&T)", "Unit and Standard Times(&T)"}),
          EditTimeUnits),
  };
}

}  // namespace

std::string KeyLabel(char key) {
  if (key == 0) return "";
  if (key == ' ') return "Space";
  const char upper = key >= 'a' && key <= 'z' ? static_cast<char>(key - 'a' + 'A') : key;
  return std::string(1, upper);
}

const std::vector<EditTool>& EditTools() {
  static const std::vector<EditTool> tools = BuildTools();
  return tools;
}

const EditTool& ToolFor(EditMode mode) {
  for (const EditTool& tool : EditTools()) {
    if (tool.mode == mode) return tool;
  }
  return EditTools().front();
}

bool IsToolNumber(int number) {
  return std::any_of(EditTools().begin(), EditTools().end(), [number](const EditTool& tool) {
    return static_cast<int>(tool.mode) == number;
  });
}

bool IsStationTool(EditMode mode) { return ToolFor(mode).area != ToolArea::kNone; }

bool IsStopSectionTool(EditMode mode) { return ToolFor(mode).area == ToolArea::kStopSection; }

const std::vector<EditCommand>& OtherEditCommands() {
  static const std::vector<EditCommand> commands = BuildOtherCommands();
  return commands;
}

namespace {

template <typename Matches>
const EditCommand* FindCommand(Matches matches) {
  for (const EditTool& tool : EditTools()) {
    for (const EditCommand& command : tool.commands) {
      if (matches(command)) return &command;
    }
  }
  for (const EditCommand& command : OtherEditCommands()) {
    if (matches(command)) return &command;
  }
  return nullptr;
}

}  // namespace

const EditCommand* FindEditCommand(std::string_view id) {
  return FindCommand([id](const EditCommand& command) { return command.id == id; });
}

const EditCommand* FindEditCommandByShortcut(std::string_view name) {
  if (name.empty()) return nullptr;
  return FindCommand([name](const EditCommand& command) {
    std::string_view shortcuts = command.shortcut;
    while (!shortcuts.empty()) {
      const std::size_t end = std::min(shortcuts.find(';'), shortcuts.size());
      std::string_view one = shortcuts.substr(0, end);
      while (!one.empty() && one.front() == ' ') one.remove_prefix(1);
      if (one.size() == name.size() &&
          std::equal(one.begin(), one.end(), name.begin(), [](char a, char b) {
            return std::tolower(static_cast<unsigned char>(a)) ==
                   std::tolower(static_cast<unsigned char>(b));
          })) {
        return true;
      }
      shortcuts.remove_prefix(std::min(end + 1, shortcuts.size()));
    }
    return false;
  });
}

const EditCommand* FindEditCommandByKey(char key) {
  if (key == 0) return nullptr;
  return FindCommand([key](const EditCommand& command) { return command.key == key; });
}

}  // namespace corvane
