#include "editor/edit_session.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <iterator>

#include "base/menu.h"
#include "editor/edit_tool.h"
#include "map/map_transforms.h"

namespace corvane {

namespace {

constexpr const char kNoMapPrompt[] = "新規のマップを開始するか、保存データを読み込んで下さい。";

// The numbers of records the session keeps, by table.
struct KeptNumber {
  MapTable table;
  int EditState::*number;
};
constexpr KeptNumber kKeptNumbers[] = {
    {MapTable::kStation, &EditState::current_station},
    {MapTable::kTarget, &EditState::current_target},
    {MapTable::kPoint, &EditState::building_point},
};

}  // namespace

int WheelNotches(int angle, int* remainder) {
  // In 64 bits: a wheel may report any angle.
  const std::int64_t total = std::int64_t{*remainder} + angle;
  *remainder = static_cast<int>(total % kWheelNotch);
  return static_cast<int>(total / kWheelNotch);
}

ScrollRequest WheelScroll(int angle_x, int angle_y, bool shift, int* remainder) {
  const bool sideways = angle_y == 0 && angle_x != 0;
  const int notches = WheelNotches(sideways ? angle_x : angle_y, remainder);
  ScrollRequest request;
  if (sideways || shift) {
    request.dx = -notches;
  } else {
    request.dy = -notches;
  }
  return request;
}

EditSession::EditSession(EditMap& map, Prompter& prompter, EditDialogs& dialogs)
    : map_(map), prompter_(prompter), dialogs_(dialogs) {
  map_.SetListener(this);
}

EditSession::~EditSession() { map_.RemoveListener(this); }

void EditSession::RecordInserted(MapTable table, int index) {
  if (linked_log_ != nullptr) linked_log_->RecordInserted(static_cast<int>(table), index);
  state_.selection.RecordInserted(table, index);
  state_.check_marks.RecordInserted(table, index);
  for (const KeptNumber& kept : kKeptNumbers) {
    int& number = state_.*kept.number;
    if (kept.table == table && number >= index) ++number;
  }
}

void EditSession::RecordDeleted(MapTable table, int index) {
  if (linked_log_ != nullptr) linked_log_->RecordDeleted(static_cast<int>(table), index);
  state_.selection.RecordDeleted(table, index);
  state_.check_marks.RecordDeleted(table, index);
  for (const KeptNumber& kept : kKeptNumbers) {
    int& number = state_.*kept.number;
    if (kept.table != table) continue;
    if (number == index) {
      number = 0;
    } else if (number > index) {
      --number;
    }
  }
}

void EditSession::ContentReplaced() {
  if (linked_log_ != nullptr) linked_log_->ForgetLinks();
  half_turn_pending_ = false;
  ForgetInput();
  state_.highlight_rail = state_.highlight_point = state_.highlight_branch = 0;
  state_.drag_reference.reset();
  state_.selection.Clear();
  state_.check_marks.Clear();
  if (!map_.stations().Contains(state_.current_station)) state_.current_station = 0;
  if (!map_.targets().Contains(state_.current_target)) state_.current_target = 0;
}

namespace {

// What undo and redo give back besides the map.
struct EditorSnapshot {
  MapSelection selection;
  int current_station = 0;
  int current_target = 0;
};

}  // namespace

std::any EditSession::SaveEditorState() const {
  return EditorSnapshot{state_.selection, state_.current_station, state_.current_target};
}

void EditSession::RestoreEditorState(const std::any& state) {
  const auto* snapshot = std::any_cast<EditorSnapshot>(&state);
  if (snapshot == nullptr) return;
  state_.selection = snapshot->selection;
  state_.current_station = snapshot->current_station;
  state_.current_target = snapshot->current_target;
}

void EditSession::BeginInput(const EditTool& tool) {
  half_turn_pending_ = false;
  move_run_ = -1;
  const Bilingual& name = tool.action_name;
  if (*name.japanese != '\0') {
    map_.NameActions(name.japanese, name.english);
  } else if (!tool.commands.empty()) {
    const Bilingual& text = tool.commands.front().text;
    map_.NameActions(PlainMenuText(text.japanese), PlainMenuText(text.english));
  }
}

KeyResult EditSession::ZoomTo(int zoom) {
  KeyResult result = KeyResult::Handled();
  if (zoom != state_.zoom) result.zoomed_from = state_.zoom;
  state_.zoom = zoom;
  return result;
}

KeyResult EditSession::ZoomBy(int steps) { return ZoomTo(NextZoom(state_.zoom, steps)); }

KeyResult EditSession::ZoomReset() { return ZoomTo(kActualSize); }

KeyResult EditSession::ZoomToFit() {
  KeyResult result = ZoomTo(FitZoom(map_.Extent(), state_.view_width, state_.view_height));
  // The whole map shows from the origin, also when the scale stays.
  if (result.zoomed_from == 0) result.zoomed_from = state_.zoom;
  result.to_origin = true;
  return result;
}

KeyResult EditSession::ShowLinked(std::optional<MessageLink> link) {
  if (!link || !map_open_) return {};
  const MapTable table = static_cast<MapTable>(link->table);
  const int index = link->record;
  // The box the view centres, for the objects that lie on the grid.
  std::optional<std::array<int, 4>> box;
  switch (table) {
    case MapTable::kRail:
      if (map_.rails().Contains(index)) {
        const MapRail& r = map_.rails()[index];
        box = {r.x1, r.y1, r.x2, r.y2};
      }
      break;
    case MapTable::kPoint:
      if (map_.points().Contains(index)) {
        const MapPoint& p = map_.points()[index];
        box = {p.x1, p.y1, p.x2, p.y2};
      }
      break;
    case MapTable::kStationDraw:
      if (map_.station_draws().Contains(index)) {
        const MapStationDraw& d = map_.station_draws()[index];
        box = {d.x1, d.y1, d.x2, d.y2};
      }
      break;
    case MapTable::kJump:
      if (map_.jumps().Contains(index)) {
        const MapJump& j = map_.jumps()[index];
        box = {j.ax, ClampToInt(std::int64_t{j.ay} - 1), ClampToInt(std::int64_t{j.ax} + 1),
               ClampToInt(std::int64_t{j.ay} + 1)};
      }
      break;
    default:
      break;
  }
  if (!box) return {};
  SetMode(EditMode::kSelect);
  state_.selection_kind = SelectionKind::kIndividual;
  state_.selection.Clear();
  if (table == MapTable::kJump) {
    state_.selection.SetJumpEnd(index, true, true);
    state_.selection.SetJumpEnd(index, false, true);
  } else {
    state_.selection.Set(table, index, true);
  }
  KeyResult result = KeyResult::Handled();
  const auto [x1, y1, x2, y2] = *box;
  result.scroll_to = CentredOn(x1, y1, x2, y2, state_.zoom, state_.view_width, state_.view_height);
  return result;
}

void EditSession::SetViewSize(int width, int height) {
  state_.view_width = width;
  state_.view_height = height;
}

void EditSession::Hover(int px, int py) { state_.hover = PixelPoint{px, py}; }

void EditSession::LeaveView() { state_.hover.reset(); }

KeyResult EditSession::Undo() {
  ForgetInput();
  map_.Undo();
  return KeyResult::Handled();
}

KeyResult EditSession::Redo() {
  ForgetInput();
  map_.Redo();
  return KeyResult::Handled();
}

bool EditSession::StartNewMap(const std::function<bool(bool confirm)>& reset) {
  if (!reset(map_open_)) return false;
  map_open_ = false;
  SetMode(EditMode::kNone);
  dialog_prompt_ = "マップの基本情報を設定して下さい。";
  MapHeader header = map_.header();
  bool confirmed = dialogs_.EditMapProperty(&header);
  if (confirmed) {
    MapChange(map_).header() = header;
    dialog_prompt_ = "信号現示のための基本情報を設定して下さい。";
    MapSettings settings = header.settings;
    confirmed = dialogs_.EditSignalSettings(&settings);
    if (confirmed) MapChange(map_).header().settings = settings;
  }
  dialog_prompt_.clear();
  if (!confirmed) return false;
  map_.MarkSaved();
  map_open_ = true;
  return true;
}

KeyResult EditSession::EditMapProperty() {
  MapHeader header = map_.header();
  if (dialogs_.EditMapProperty(&header)) MapChange(map_).header() = header;
  return KeyResult::Handled();
}

KeyResult EditSession::EditSignalSettings() {
  MapSettings settings = map_.header().settings;
  if (dialogs_.EditSignalSettings(&settings)) MapChange(map_).header().settings = settings;
  return KeyResult::Handled();
}

KeyResult EditSession::EditTimeUnits() {
  TimeUnits units = map_.header().time_units;
  if (dialogs_.EditTimeUnits(&units)) MapChange(map_).header().time_units = units;
  return KeyResult::Handled();
}

KeyResult EditSession::EditSignalDetails() {
  SignalTables tables = SignalTablesOf(map_);
  if (dialogs_.EditSignalDetails(map_.header().settings, &tables)) {
    MapChange change(map_);
    StoreSignalTables(change, tables);
  }
  return KeyResult::Handled();
}

void EditSession::SetMode(EditMode mode) {
  mode_ = mode;
  ForgetInput();
}

void EditSession::ForgetInput() {
  state_.pending.reset();
  state_.building_point = 0;
  state_.crossing_corners.clear();
}

void EditSession::Refuse(const Refusal& refusal) { prompter_.Error(refusal.text, refusal.caption); }

void EditSession::ChooseMode(EditMode mode, int variant) {
  const EditTool& tool = ToolFor(mode);
  if (tool.ask_value != nullptr && !AskValue(tool)) return;
  if (tool.bulk && mode_ == EditMode::kSelect) {
    SetOnSelection(tool);
    return;
  }
  if (tool.choose != nullptr && !tool.choose(*this)) return;
  SetMode(mode);
  if (tool.chosen != nullptr) tool.chosen(*this, variant);
}

bool EditSession::AskValue(const EditTool& tool) {
  dialog_prompt_ = tool.dialog_prompt != nullptr ? tool.dialog_prompt : "";
  const bool confirmed = tool.ask_value(*this);
  dialog_prompt_.clear();
  return confirmed;
}

bool EditSession::AskToolValue() {
  const EditTool& tool = ToolFor(mode_);
  return tool.ask_value != nullptr && AskValue(tool);
}

void EditSession::SetOnSelection(const EditTool& tool) {
  if (prompter_.Ask("選択範囲に一括指定します。よろしいですか？", "指定確認", PromptButtons::kYesNo,
                    PromptIcon::kQuestion) != PromptAnswer::kYes) {
    return;
  }
  MapChange change(map_);
  for (int i = 1; i <= map_.rails().count(); ++i) {
    if (tool.set_rail != nullptr && state_.selection.Has(MapTable::kRail, i)) {
      tool.set_rail(*this, change, i);
    }
  }
  for (int i = 1; i <= map_.points().count(); ++i) {
    if (tool.set_point != nullptr && state_.selection.Has(MapTable::kPoint, i)) {
      tool.set_point(*this, change, i);
    }
  }
}

KeyResult EditSession::EditGrid() {
  dialog_prompt_ = "グリッド表示設定を行なって下さい。";
  int x = state_.grid_x, y = state_.grid_y;
  if (dialogs_.EditGrid(&x, &y)) {
    state_.grid_x = x;
    state_.grid_y = y;
  }
  dialog_prompt_.clear();
  return KeyResult::Handled();
}

KeyResult EditSession::RunCommand(std::string_view id) {
  KeyResult result;
  const EditCommand* command = FindEditCommand(id);
  if (command == nullptr || !map_open_) return result;
  half_turn_pending_ = false;
  move_run_ = -1;
  map_.NameActions(PlainMenuText(command->text.japanese), PlainMenuText(command->text.english));
  if (command->run != nullptr) return command->run(*this);
  ChooseMode(command->mode, command->variant);
  result.handled = true;
  return result;
}

KeyResult EditSession::CharKey(char key) {
  half_turn_pending_ = false;
  move_run_ = -1;
  const EditCommand* command = FindEditCommandByKey(key);
  if (command == nullptr || !map_open_) return {};
  return RunCommand(command->id);
}

void EditSession::LeftDown(int px, int py) {
  const EditTool& tool = ToolFor(mode_);
  BeginInput(tool);
  if (tool.left_down != nullptr) tool.left_down(*this, px, py);
}

void EditSession::LeftUp(int px, int py) {
  const EditTool& tool = ToolFor(mode_);
  BeginInput(tool);
  if (tool.left_up != nullptr) tool.left_up(*this, px, py);
}

void EditSession::RightDown(int px, int py) {
  const EditTool& tool = ToolFor(mode_);
  BeginInput(tool);
  if (tool.right_down != nullptr) tool.right_down(*this, px, py);
}

KeyResult EditSession::KeyDown(EditKey key, bool shift) {
  KeyResult result;
  const EditTool& tool = ToolFor(mode_);
  const std::int64_t run = move_run_;
  if (key == EditKey::kTab && shift) {
    move_run_ = -1;
    map_.NameActions("反転", "Half Turn");
  } else {
    BeginInput(tool);
  }
  switch (key) {
    case EditKey::kEscape:
      result.handled = true;
      if (tool.escape != nullptr) {
        tool.escape(*this);
      } else {
        SetMode(EditMode::kNone);
      }
      break;
    case EditKey::kTab:
      if (shift) {
        RotateHalfTurn();
        result.handled = true;
      }
      break;
    case EditKey::kLeft:
    case EditKey::kRight:
    case EditKey::kUp:
    case EditKey::kDown: {
      result.handled = true;
      const std::int64_t before = map_.actions_committed();
      if (tool.arrow != nullptr && tool.arrow(*this, key, shift)) {
        // Moves by the arrow keys one after another are one step.
        if (map_.actions_committed() != before) {
          if (run == before) map_.JoinLastTwo();
          move_run_ = map_.actions_committed();
        }
        break;
      }
      const int step = key == EditKey::kLeft || key == EditKey::kUp ? -1 : 1;
      const int amount = shift ? step * kShiftScrollCells : step;
      if (key == EditKey::kLeft || key == EditKey::kRight) {
        result.scroll.dx = amount;
      } else {
        result.scroll.dy = amount;
      }
      result.scroll.pages = !shift;
      break;
    }
  }
  return result;
}

bool EditSession::ToggleErrorDisplay() {
  state_.error_display = !state_.error_display;
  return state_.error_display;
}

void EditSession::RotateHalfTurn() {
  ForgetInput();
  // Turning back straight away gives the map back exactly as it was, with
  // the modified mark it had: the first turn is taken back.
  if (half_turn_pending_ && map_.Withdraw()) {
    half_turn_pending_ = false;
    state_.selection.SwapJumpEnds();
    return;
  }
  const std::int64_t before = map_.actions_committed();
  {
    MapChange change(map_);
    RotateMapHalfTurn(change);
  }
  state_.selection.SwapJumpEnds();
  half_turn_pending_ = map_.actions_committed() != before;
}

std::string EditSession::Prompt() const {
  if (!dialog_prompt_.empty()) return dialog_prompt_;
  if (!map_open_) return kNoMapPrompt;
  const EditTool& tool = ToolFor(mode_);
  if (tool.prompt_of != nullptr) return tool.prompt_of(*this);
  if (has_pending() && tool.next_prompt != nullptr) return tool.next_prompt;
  return tool.prompt;
}

void EditSession::FillDrawOptions(MapDrawOptions* options) const {
  options->mode = mode_;
  options->selection_kind = state_.selection_kind;
  options->selection = &state_.selection;
  options->current_station = state_.current_station;
  options->current_target = state_.current_target;
  options->electric = state_.values.electric;
  options->signal_type = state_.values.signal_type;
  options->speed_limit = state_.values.speed_limit;
  options->distance = state_.values.distance;
  options->names = state_.values.names;
  options->name_entry = state_.values.name_entry;
  options->dialog_rail = state_.highlight_rail;
  options->dialog_point = state_.highlight_point;
  options->dialog_branch = state_.highlight_branch;
  options->show_check_marks = state_.error_display;
  options->check_marks = &state_.check_marks;
  options->grid_x = state_.grid_x;
  options->grid_y = state_.grid_y;
  options->zoom = state_.zoom;
  options->pending = state_.pending;
  options->hover.reset();
  if (state_.hover) options->hover = SnapToGrid(state_.hover->x, state_.hover->y);
  options->crossing_corners = state_.crossing_corners;
}

int EditSession::AddStation(const MapStation& station) {
  Refusal refusal;
  int index = 0;
  {
    MapChange change(map_);
    index = change.stations().Append(station, &refusal);
  }
  if (index == 0) {
    Refuse(refusal);
    return 0;
  }
  state_.current_station = index;
  return index;
}

int EditSession::AddStopSection(const MapTarget& target) {
  Refusal refusal;
  int index = 0;
  {
    MapChange change(map_);
    index = change.targets().Append(target, &refusal);
  }
  if (index == 0) {
    Refuse(refusal);
    return 0;
  }
  state_.current_target = index;
  return index;
}

}  // namespace corvane
