#include "editor/edit_session.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <utility>

namespace corvane {

namespace {

// Refusals of the click tools.
const Refusal kOccupied{"重ねての指定は出来ません。\n", "線路重複エラー"};
const Refusal kTurnoutColumn{
    "分岐ポイントを設置出来ません。\n\n"
    "分岐ポイントの終点（分岐先）は、横方向に同じ位置（同じｘ座標）で設定する必要があります。\n",
    "位置エラー"};
const Refusal kCrossingCorners{
    "交差ポイントを設置出来ません。\n\n"
    "交差ポイントの対角点は、横方向に同じ位置（同じｘ座標）の２点の組で設定する必要があります。\n",
    "位置エラー"};
const Refusal kStationDrawCorners{
    "駅描画を設置出来ません。\n\n駅描画は、四角形の対角する２点を指定して下さい。\n", "位置エラー"};
const Refusal kJumpWithoutTrack{"接続する線路が見つかりません。\n", "設定エラー"};
const Refusal kMoveWithoutSelection{"移動するオブジェクトを選択してから実行して下さい。\n",
                                    "操作エラー"};

// Prompt lines.
constexpr const char kNoMapPrompt[] = "新規のマップを開始するか、保存データを読み込んで下さい。";
constexpr const char kTrackFirstPrompt[] = "線路の始点を左クリックして下さい。";
constexpr const char kTrackNextPrompt[] =
    "線路の終点を左クリックして下さい。左クリックを続けて行うと連続指定出来ます。"
    "連続指定を中止する場合には、右クリックして下さい。";
constexpr const char kTurnoutFirstPrompt[] = "分岐ポイントの始点（分岐元）を左クリックして下さい。";
constexpr const char kTurnoutNextPrompt[] =
    "分岐ポイントの終点（分岐先）を左クリックして下さい。左クリックを続けて行うと連続指定出来ます。"
    "連続指定を中止する場合には、右クリックして下さい。";
constexpr const char kCrossingPrompt[] =
    "交差ポイントの対角点の%d点目（4点中）を左クリックして下さい。"
    "また、既に設置してある交差ポイントを左クリックするとポイントの種類を変更出来ます。";
constexpr const char kStationPrompt[] = "駅に指定したい線路を左クリックして下さい。";
constexpr const char kStopSectionPrompt[] = "駅外停車区画に指定したい線路を左クリックして下さい。";
constexpr const char kStationYardPrompt[] = "駅構内に指定したい線路を左クリックして下さい。";
constexpr const char kStopSectionYardPrompt[] =
    "駅外停車区画構内に指定したい線路を左クリックして下さい。";
constexpr const char kStationDrawingFirstPrompt[] =
    "駅描画の設置位置の対角点の１点目（２点中）を左クリックして下さい。";
constexpr const char kStationDrawingNextPrompt[] =
    "駅描画の設置位置の対角点の２点目（２点中）を左クリックして下さい。";
constexpr const char kJumpFirstPrompt[] =
    "ジャンプの設置位置の１点目（２点中）を左クリックして下さい。";
constexpr const char kJumpNextPrompt[] =
    "ジャンプの設置位置の２点目（２点中）を左クリックして下さい。";
constexpr const char kDeletePrompt[] = "削除したいオブジェクトを左クリックして下さい。";
constexpr const char kSelectPrompt[] = "選択したいオブジェクトを左クリックして下さい。";
constexpr const char kSelectRangePrompt[] = "選択したい範囲の対角点を左クリックして下さい。";
constexpr const char kMovePrompt[] = "選択されたオブジェクトは、矢印キーで移動出来ます。";
constexpr const char kDirectionBothPrompt[] = "双方向設定したい線路を左クリックして下さい。";
constexpr const char kDirectionLeftwardPrompt[] = "←方向設定したい線路を左クリックして下さい。";
constexpr const char kDirectionRightwardPrompt[] = "→方向設定したい線路を左クリックして下さい。";
constexpr const char kSingleTrackPrompt[] = "単線区間に指定したい線路を左クリックして下さい。";
constexpr const char kElectricPrompt[] = "電化方式を設定したい線路を左クリックして下さい。";
constexpr const char kSignalPrompt[] = "信号機の種類を設定したい線路を左クリックして下さい。";
constexpr const char kSpeedLimitPrompt[] = "制限速度を設定したい線路を左クリックして下さい。";
constexpr const char kPointSpeedPrompt[] =
    "制限速度を個別に設定したいポイントを左クリックして下さい。";
constexpr const char kLengthPrompt[] = "線路距離を設定したい線路を左クリックして下さい。";
constexpr const char kStopTargetPrompt[] = "停止目標距離を設定したい線路を左クリックして下さい。";
constexpr const char kManualNamePrompt[] = "線路名称を設定したい線路を左クリックして下さい。";
constexpr const char kBlockNameAutoPrompt[] =
    "線路名称を全自動で設定したい駅間の線路を左クリックして下さい。";
constexpr const char kBlockNameSemiPrompt[] =
    "線路名称を設定したい駅間の線路を左クリックして下さい。";
constexpr const char kYardNamePrompt[] =
    "線路名称を設定したい構内の線路・ポイントを左クリックして下さい。";
constexpr const char kStationNamePrompt[] = "線路名称を設定したい駅の線路を左クリックして下さい。";
constexpr const char kStopSectionNamePrompt[] =
    "線路名称を設定したい停車区画の線路を左クリックして下さい。";
constexpr const char kPropertyPrompt[] = "線路プロパティを設定したい線路を左クリックして下さい。";
constexpr const char kStartPointPrompt[] = "起点を設定したい端部の線路を左クリックして下さい。";
constexpr const char kStartDistancePrompt[] =
    "起点からの距離を確認したい駅・駅外停車区画の線路を左クリックして下さい。";
constexpr const char kInsertRowsFirstPrompt[] = "挿入したい行の始点を左クリックして下さい。";
constexpr const char kInsertRowsNextPrompt[] = "挿入したい行の終点を左クリックして下さい。";
constexpr const char kInsertColumnsFirstPrompt[] = "挿入したい列の始点を左クリックして下さい。";
constexpr const char kInsertColumnsNextPrompt[] = "挿入したい列の終点を左クリックして下さい。";
constexpr const char kDeleteRowsFirstPrompt[] = "削除したい行の始点を左クリックして下さい。";
constexpr const char kDeleteRowsNextPrompt[] = "削除したい行の終点を左クリックして下さい。";
constexpr const char kDeleteColumnsFirstPrompt[] = "削除したい列の始点を左クリックして下さい。";
constexpr const char kDeleteColumnsNextPrompt[] = "削除したい列の終点を左クリックして下さい。";

// value -> sum - value, for mirroring a coordinate about sum / 2.
int Mirror(std::int64_t sum, int value) { return ClampToInt(sum - value); }

// Number of branch slots of a point that hold a branch.
int UsedBranchSlots(const MapPoint& point) {
  return std::clamp(point.branch_count, 0, kMaxBranches - 1);
}

// Recomputes a point's box from the rows of its branches.
void FitPointRows(MapPoint& point) {
  const int slots = UsedBranchSlots(point);
  if (slots == 0) return;
  std::int64_t top = std::numeric_limits<std::int64_t>::max();
  std::int64_t bottom = std::numeric_limits<std::int64_t>::min();
  for (int j = 1; j <= slots; ++j) {
    const std::size_t s = static_cast<std::size_t>(j);
    for (const int dy : {point.branch_left_dy[s], point.branch_right_dy[s]}) {
      top = std::min(top, std::int64_t{point.y1} + dy);
      bottom = std::max(bottom, std::int64_t{point.y1} + dy);
    }
  }
  const std::int64_t shift = std::int64_t{point.y1} - (top - 1);
  for (int j = 1; j <= slots; ++j) {
    const std::size_t s = static_cast<std::size_t>(j);
    point.branch_left_dy[s] = ClampToInt(point.branch_left_dy[s] + shift);
    point.branch_right_dy[s] = ClampToInt(point.branch_right_dy[s] + shift);
  }
  point.y1 = ClampToInt(top - 1);
  point.y2 = ClampToInt(bottom + 1);
}

std::string FormatCount(const char* format, int value) {
  char buffer[512];
  std::snprintf(buffer, sizeof buffer, format, value);
  return buffer;
}

}  // namespace

bool EditDialogs::ChooseStation(EditMap& map, EditMode tool, int* current) {
  const int count = IsStopSectionTool(tool) ? map.targets.count() : map.stations.count();
  if (count == 0) return false;
  if (*current < 1 || *current > count) *current = 1;
  return true;
}

bool EditDialogs::EditRail(const EditMap& /*map*/, int /*rail*/, MapRail* /*record*/,
                           std::vector<MapDetail>* /*details*/) {
  return false;
}

bool EditDialogs::EditPoint(const EditMap& /*map*/, int /*point*/, MapPoint* /*record*/,
                            std::vector<MapDetail>* /*details*/) {
  return false;
}

int SelectionCount(const EditMap& map) {
  int count = 0;
  for (const MapRail& rail : map.rails) count += rail.selected != 0;
  for (const MapPoint& point : map.points) count += point.selected != 0;
  for (const MapStationDraw& draw : map.station_draws) count += draw.selected != 0;
  for (const MapJump& jump : map.jumps) count += (jump.selected_a != 0) + (jump.selected_b != 0);
  return count;
}

void ClearSelection(EditMap& map) {
  for (MapRail& rail : map.rails) rail.selected = 0;
  for (MapPoint& point : map.points) point.selected = 0;
  for (MapStationDraw& draw : map.station_draws) draw.selected = 0;
  for (MapJump& jump : map.jumps) jump.selected_a = jump.selected_b = 0;
}

void ClampStopTargets(MapRail& rail) {
  if (rail.station == 0 && rail.target == 0) return;
  const int limit = ClampToInt(std::int64_t{rail.length} - 20);
  auto clamp = [limit](int& stop) {
    if (stop == 0 || stop > limit) stop = limit;
  };
  if (AllowsLeftward(rail.direction)) clamp(rail.stop_left);
  if (AllowsRightward(rail.direction)) clamp(rail.stop_right);
}

void RotateMapHalfTurn(EditMap& map) {
  // The area the objects use; the half turn is about its centre.
  std::int64_t min_x = std::numeric_limits<std::int64_t>::max(), max_x = 0;
  std::int64_t min_y = std::numeric_limits<std::int64_t>::max(), max_y = 0;
  bool any = false;
  auto take = [&](int x1, int y1, int x2, int y2) {
    if (!any) {
      min_x = max_x = x1;
      min_y = max_y = y1;
      any = true;
    }
    min_x = std::min<std::int64_t>({min_x, x1, x2});
    max_x = std::max<std::int64_t>({max_x, x1, x2});
    min_y = std::min<std::int64_t>({min_y, y1, y2});
    max_y = std::max<std::int64_t>({max_y, y1, y2});
  };
  for (const MapRail& r : map.rails) take(r.x1, r.y1, r.x2, r.y2);
  for (const MapPoint& p : map.points) take(p.x1, p.y1, p.x2, p.y2);
  for (const MapStationDraw& d : map.station_draws) take(d.x1, d.y1, d.x2, d.y2);
  for (const MapJump& j : map.jumps) take(j.ax, j.ay, j.bx, j.by);
  if (!any) return;
  const std::int64_t sum_x = min_x + max_x;
  const std::int64_t sum_y = min_y + max_y;

  auto mirror_box = [&](int& x1, int& y1, int& x2, int& y2) {
    const int old_x1 = x1, old_y1 = y1;
    x1 = Mirror(sum_x, x2);
    x2 = Mirror(sum_x, old_x1);
    y1 = Mirror(sum_y, y2);
    y2 = Mirror(sum_y, old_y1);
  };
  auto swap_direction = [](int& value) {
    if (value == kLeftwardOnly) {
      value = kRightwardOnly;
    } else if (value == kRightwardOnly) {
      value = kLeftwardOnly;
    }
  };

  for (MapRail& rail : map.rails) {
    const std::int64_t height = std::int64_t{rail.y2} - rail.y1;
    mirror_box(rail.x1, rail.y1, rail.x2, rail.y2);
    const int left_dy = rail.left_dy;
    rail.left_dy = Mirror(height, rail.right_dy);
    rail.right_dy = Mirror(height, left_dy);
    swap_direction(rail.direction);
    std::swap(rail.signal_left, rail.signal_right);
    std::swap(rail.stop_left, rail.stop_right);
    std::swap(rail.short_left, rail.short_right);
    std::swap(rail.name_left, rail.name_right);
    rail.gradient = Mirror(0, rail.gradient);
    rail.radius = Mirror(0, rail.radius);
  }
  for (MapPoint& point : map.points) {
    const std::int64_t height = std::int64_t{point.y2} - point.y1;
    mirror_box(point.x1, point.y1, point.x2, point.y2);
    if (point.kind == kTurnoutJointLeft) {
      point.kind = kTurnoutJointRight;
    } else if (point.kind == kTurnoutJointRight) {
      point.kind = kTurnoutJointLeft;
    }
    for (int j = 1; j <= UsedBranchSlots(point); ++j) {
      const std::size_t s = static_cast<std::size_t>(j);
      const int left_dy = point.branch_left_dy[s];
      point.branch_left_dy[s] = Mirror(height, point.branch_right_dy[s]);
      point.branch_right_dy[s] = Mirror(height, left_dy);
    }
    std::swap(point.signal_left, point.signal_right);
    std::swap(point.short_left, point.short_right);
    std::swap(point.name_left, point.name_right);
  }
  // Sub-sections are measured from the object's left end, which is now its
  // right end.
  for (MapDetail& detail : map.details) {
    int length = 0;
    if (map.rails.Contains(detail.rail)) {
      length = map.rails[detail.rail].length;
    } else if (map.points.Contains(detail.point)) {
      length = map.points[detail.point].length;
    } else {
      continue;
    }
    const int start = detail.start;
    detail.start = Mirror(length, detail.end);
    detail.end = Mirror(length, start);
    detail.gradient = Mirror(0, detail.gradient);
    detail.radius = Mirror(0, detail.radius);
  }
  for (MapStationDraw& draw : map.station_draws) mirror_box(draw.x1, draw.y1, draw.x2, draw.y2);
  // A segment that ended at end A now begins there: the ends exchange, so
  // that end A stays where a segment's right end is.
  for (MapJump& jump : map.jumps) {
    const GridPoint a = jump.a();
    jump.ax = Mirror(sum_x, jump.bx);
    jump.ay = Mirror(sum_y, jump.by);
    jump.bx = Mirror(sum_x, a.x);
    jump.by = Mirror(sum_y, a.y);
    std::swap(jump.selected_a, jump.selected_b);
  }
  map.modified = true;
}

EditSession::EditSession(EditMap& map, Prompter& prompter, EditDialogs& dialogs)
    : map_(map), prompter_(prompter), dialogs_(dialogs) {}

void EditSession::SetMode(EditMode mode) {
  mode_ = mode;
  ForgetInput();
}

void EditSession::ForgetInput() {
  pending_ = {};
  building_point_ = 0;
  crossing_corners_.clear();
}

void EditSession::Refuse(const Refusal& refusal) { prompter_.Error(refusal.text, refusal.caption); }

void EditSession::ChooseMode(EditMode mode) {
  if (mode == EditMode::kMove && SelectionCount(map_) == 0) {
    Refuse(kMoveWithoutSelection);
    return;
  }
  SetMode(mode);
  if (IsStationTool(mode)) ReopenStationDialog();
}

void EditSession::ChooseTrackTool(int direction) {
  if (direction >= kBothWays && direction <= kRightwardOnly) track_direction_ = direction;
  SetMode(EditMode::kTrack);
}

void EditSession::ChooseSelection(SelectionKind kind) {
  selection_kind_ = kind;
  SetMode(EditMode::kSelect);
}

void EditSession::ToggleMove() {
  if (mode_ == EditMode::kMove) {
    SetMode(EditMode::kSelect);
  } else {
    ChooseMode(EditMode::kMove);
  }
}

void EditSession::ReopenStationDialog() {
  const bool stop_section = IsStopSectionTool(mode_);
  int& current = stop_section ? current_target_ : current_station_;
  int chosen = current;
  const bool chosen_ok =
      dialogs_.ChooseStation(map_, mode_, &chosen) &&
      (stop_section ? map_.targets.Contains(chosen) : map_.stations.Contains(chosen));
  if (chosen_ok) {
    current = chosen;
  } else {
    SetMode(EditMode::kNone);
  }
}

void EditSession::LeftDown(int px, int py) {
  half_turn_pending_ = false;
  const GridPoint p = SnapToGrid(px, py);
  switch (mode_) {
    case EditMode::kTrack:
      TrackClick(p);
      break;
    case EditMode::kTurnout:
      TurnoutClick(p);
      break;
    case EditMode::kCrossing:
      CrossingClick(px, py, p);
      break;
    case EditMode::kStation:
    case EditMode::kStopSection:
    case EditMode::kStationYard:
    case EditMode::kStopSectionYard:
      AssignClick(px, py);
      break;
    case EditMode::kStationDrawing:
      StationDrawingClick(p);
      break;
    case EditMode::kJump:
      JumpClick(p);
      break;
    case EditMode::kDelete:
      DeleteAt(px, py);
      break;
    case EditMode::kSelect:
    case EditMode::kMove:
      // The press is where a drag in the move tool starts from; what the
      // selection tool selects is its own business.
      drag_reference_ = p;
      break;
    case EditMode::kProperty:
      PropertyAt(px, py);
      break;
    default:
      break;
  }
}

void EditSession::LeftUp(int px, int py) {
  half_turn_pending_ = false;
  if (mode_ == EditMode::kMove) DragSelection(SnapToGrid(px, py));
}

void EditSession::RightDown(int px, int py) {
  half_turn_pending_ = false;
  switch (mode_) {
    case EditMode::kTrack:
    case EditMode::kJump:
      pending_ = {};
      break;
    case EditMode::kTurnout:
      pending_ = {};
      building_point_ = 0;
      break;
    case EditMode::kCrossing:
      if (!crossing_corners_.empty()) crossing_corners_.pop_back();
      break;
    case EditMode::kStation:
    case EditMode::kStopSection:
    case EditMode::kStationYard:
    case EditMode::kStopSectionYard:
      ReopenStationDialog();
      break;
    case EditMode::kStationDrawing:
      if (has_pending()) {
        pending_ = {};
      } else {
        ReopenStationDialog();
      }
      break;
    case EditMode::kSelect:
      PropertyAt(px, py);
      break;
    default:
      break;
  }
}

KeyResult EditSession::KeyDown(EditKey key, bool shift) {
  if (key != EditKey::kTab || !shift) half_turn_pending_ = false;
  KeyResult result;
  switch (key) {
    case EditKey::kEscape:
      result.handled = true;
      if (mode_ == EditMode::kCrossing) {
        crossing_corners_.clear();
      } else if (mode_ == EditMode::kSelect) {
        if (SelectionCount(map_) > 0) {
          ClearSelection(map_);
        } else {
          SetMode(EditMode::kNone);
        }
      } else if (mode_ == EditMode::kMove) {
        SetMode(EditMode::kSelect);
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
      if (mode_ == EditMode::kMove && SelectionCount(map_) > 0) {
        if (MoveSelection(key, shift)) map_.modified = true;
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

KeyResult EditSession::CharKey(char key) {
  half_turn_pending_ = false;
  KeyResult result;
  if (!map_open_) return result;
  result.handled = true;
  switch (key) {
    case 'r':
      ChooseTrackTool(kBothWays);
      break;
    case 'p':
      ChooseMode(EditMode::kTurnout);
      break;
    case 'c':
      ChooseMode(EditMode::kCrossing);
      break;
    case 's':
      ChooseMode(EditMode::kStation);
      break;
    case 't':
      ChooseMode(EditMode::kStopSection);
      break;
    case 'w':
      ChooseMode(EditMode::kStationDrawing);
      break;
    case 'j':
      ChooseMode(EditMode::kJump);
      break;
    case 'd':
      ChooseMode(EditMode::kDelete);
      break;
    case 'o':
      ChooseSelection(SelectionKind::kIndividual);
      break;
    case 'g':
      ChooseSelection(SelectionKind::kBatch);
      break;
    case ' ':
      ChooseSelection(SelectionKind::kRange);
      break;
    case 'm':
      ToggleMove();
      break;
    case 'e':
      result.clear_check_messages = ToggleErrorDisplay();
      break;
    default:
      result.handled = false;
      break;
  }
  return result;
}

bool EditSession::ToggleErrorDisplay() {
  error_display_ = !error_display_;
  return error_display_;
}

void EditSession::RotateHalfTurn() {
  ForgetInput();
  // A half turn changes the map; a second one straight after it brings back
  // the map as it was, and with it the modified mark it had then.
  const bool undoes_previous_turn = half_turn_pending_;
  if (!undoes_previous_turn) modified_before_half_turn_ = map_.modified;
  RotateMapHalfTurn(map_);
  if (undoes_previous_turn) map_.modified = modified_before_half_turn_;
  half_turn_pending_ = !undoes_previous_turn;
}

std::string EditSession::Prompt() const {
  if (!map_open_) return kNoMapPrompt;
  const bool next = has_pending();
  switch (mode_) {
    case EditMode::kNone:
      return "";
    case EditMode::kTrack:
      return next ? kTrackNextPrompt : kTrackFirstPrompt;
    case EditMode::kTurnout:
      return next ? kTurnoutNextPrompt : kTurnoutFirstPrompt;
    case EditMode::kCrossing:
      return FormatCount(kCrossingPrompt, static_cast<int>(crossing_corners_.size()) + 1);
    case EditMode::kStation:
      return kStationPrompt;
    case EditMode::kStopSection:
      return kStopSectionPrompt;
    case EditMode::kStationYard:
      return kStationYardPrompt;
    case EditMode::kStopSectionYard:
      return kStopSectionYardPrompt;
    case EditMode::kStationDrawing:
      return next ? kStationDrawingNextPrompt : kStationDrawingFirstPrompt;
    case EditMode::kJump:
      return next ? kJumpNextPrompt : kJumpFirstPrompt;
    case EditMode::kDelete:
      return kDeletePrompt;
    case EditMode::kSelect:
      return selection_kind_ == SelectionKind::kRange ? kSelectRangePrompt : kSelectPrompt;
    case EditMode::kMove:
      return kMovePrompt;
    case EditMode::kDirectionBoth:
      return kDirectionBothPrompt;
    case EditMode::kDirectionLeftward:
      return kDirectionLeftwardPrompt;
    case EditMode::kDirectionRightward:
      return kDirectionRightwardPrompt;
    case EditMode::kSingleTrack:
      return kSingleTrackPrompt;
    case EditMode::kElectric:
      return kElectricPrompt;
    case EditMode::kSignalLeftward:
    case EditMode::kSignalRightward:
      return kSignalPrompt;
    case EditMode::kSpeedLimit:
      return kSpeedLimitPrompt;
    case EditMode::kPointSpeed:
      return kPointSpeedPrompt;
    case EditMode::kLength:
      return kLengthPrompt;
    case EditMode::kStopLeftward:
    case EditMode::kStopRightward:
      return kStopTargetPrompt;
    case EditMode::kManualName:
      return kManualNamePrompt;
    case EditMode::kBlockNameAuto:
      return kBlockNameAutoPrompt;
    case EditMode::kBlockNameSemi:
      return kBlockNameSemiPrompt;
    case EditMode::kYardName:
      return kYardNamePrompt;
    case EditMode::kStationName:
      return kStationNamePrompt;
    case EditMode::kStopSectionName:
      return kStopSectionNamePrompt;
    case EditMode::kProperty:
      return kPropertyPrompt;
    case EditMode::kStartPoint:
      return kStartPointPrompt;
    case EditMode::kStartDistance:
      return kStartDistancePrompt;
    case EditMode::kInsertRows:
      return next ? kInsertRowsNextPrompt : kInsertRowsFirstPrompt;
    case EditMode::kInsertColumns:
      return next ? kInsertColumnsNextPrompt : kInsertColumnsFirstPrompt;
    case EditMode::kDeleteRows:
      return next ? kDeleteRowsNextPrompt : kDeleteRowsFirstPrompt;
    case EditMode::kDeleteColumns:
      return next ? kDeleteColumnsNextPrompt : kDeleteColumnsFirstPrompt;
  }
  return "";
}

void EditSession::FillDrawOptions(MapDrawOptions* options) const {
  options->mode = mode_;
  options->selection_kind = selection_kind_;
  options->current_station = current_station_;
  options->current_target = current_target_;
  options->electric = tool_values_.electric;
  options->signal_type = tool_values_.signal_type;
  options->speed_limit = tool_values_.speed_limit;
  options->distance = tool_values_.distance;
  options->names = tool_values_.names;
  options->name_entry = tool_values_.name_entry;
  options->dialog_rail = highlight_rail_;
  options->dialog_point = highlight_point_;
  options->dialog_branch = highlight_branch_;
  options->show_check_marks = error_display_;
  options->pending = pending_;
  options->crossing_corners = crossing_corners_;
}

void EditSession::MapReplaced() {
  half_turn_pending_ = false;
  ForgetInput();
  highlight_rail_ = highlight_point_ = highlight_branch_ = 0;
  drag_reference_ = {};
  if (!map_.stations.Contains(current_station_)) current_station_ = 0;
  if (!map_.targets.Contains(current_target_)) current_target_ = 0;
}

int EditSession::AddStation(const MapStation& station) {
  Refusal refusal;
  const int index = map_.AddStation(station, &refusal);
  if (index == 0) {
    Refuse(refusal);
    return 0;
  }
  current_station_ = index;
  map_.modified = true;
  return index;
}

int EditSession::AddStopSection(const MapTarget& target) {
  Refusal refusal;
  const int index = map_.AddTarget(target, &refusal);
  if (index == 0) {
    Refuse(refusal);
    return 0;
  }
  current_target_ = index;
  map_.modified = true;
  return index;
}

void EditSession::TrackClick(GridPoint p) {
  if (!has_pending() || p.x == pending_.x) {
    if (!map_.GridPointFree(p)) {
      Refuse(kOccupied);
      return;
    }
    pending_ = p;
    return;
  }
  if (map_.rails.full()) {
    Refuse(FullTableRefusal(MapTable::kRail));
    pending_ = {};
    return;
  }
  const MapRail rail = NewRail(pending_, p, track_direction_);
  if (!map_.BoxFree(rail.x1, rail.y1, rail.x2, rail.y2)) {
    Refuse(kOccupied);
    pending_ = {};
    return;
  }
  map_.AddRail(rail);
  map_.modified = true;
  pending_ = p;  // the next click continues the line from here
}

void EditSession::TurnoutClick(GridPoint p) {
  if (building_point_ != 0) {
    AddTurnoutBranch(p);
    return;
  }
  if (!has_pending() || p.x == pending_.x) {
    if (!map_.GridPointFree(p)) {
      Refuse(kOccupied);
      return;
    }
    pending_ = p;
    return;
  }
  // The first branch makes the turnout; the pending point stays its joint.
  const GridPoint joint = pending_;
  MapPoint point;
  point.kind = joint.x < p.x ? kTurnoutJointLeft : kTurnoutJointRight;
  point.x1 = std::min(joint.x, p.x);
  point.x2 = std::max(joint.x, p.x);
  point.y1 = ClampToInt(std::int64_t{std::min(joint.y, p.y)} - 1);
  point.y2 = ClampToInt(std::int64_t{std::max(joint.y, p.y)} + 1);
  point.branch_count = 1;
  const int joint_dy = ClampToInt(std::int64_t{joint.y} - point.y1);
  const int end_dy = ClampToInt(std::int64_t{p.y} - point.y1);
  const bool joint_left = point.kind == kTurnoutJointLeft;
  point.branch_left_dy[1] = joint_left ? joint_dy : end_dy;
  point.branch_right_dy[1] = joint_left ? end_dy : joint_dy;
  Refusal refusal;
  building_point_ = map_.AddPoint(point, &refusal);
  if (building_point_ == 0) {
    Refuse(refusal);
    ForgetInput();
    return;
  }
  map_.modified = true;
}

void EditSession::AddTurnoutBranch(GridPoint p) {
  MapPoint& point = map_.points[building_point_];
  const int branch = point.branch_count + 1;
  if (branch >= kMaxBranches) {
    Refuse(FullTableRefusal(MapTable::kPoint));
    ForgetInput();
    return;
  }
  const bool joint_left = point.kind == kTurnoutJointLeft;
  if (p.x != (joint_left ? point.x2 : point.x1)) {
    Refuse(kTurnoutColumn);
    // A turnout needs two branches; one left of a wrong second click goes.
    if (point.branch_count < 2) map_.DeletePoint(building_point_);
    ForgetInput();
    return;
  }
  const std::int64_t joint_row =
      std::int64_t{point.y1} + (joint_left ? point.branch_left_dy[1] : point.branch_right_dy[1]);
  if (p.y <= point.y1) {
    const std::int64_t grow = std::int64_t{point.y1} - (std::int64_t{p.y} - 1);
    for (int j = 1; j <= UsedBranchSlots(point); ++j) {
      const std::size_t s = static_cast<std::size_t>(j);
      point.branch_left_dy[s] = ClampToInt(point.branch_left_dy[s] + grow);
      point.branch_right_dy[s] = ClampToInt(point.branch_right_dy[s] + grow);
    }
    point.y1 = ClampToInt(std::int64_t{p.y} - 1);
  }
  point.y2 = std::max(point.y2, ClampToInt(std::int64_t{p.y} + 1));
  const std::size_t slot = static_cast<std::size_t>(branch);
  const int joint_dy = ClampToInt(joint_row - point.y1);
  const int end_dy = ClampToInt(std::int64_t{p.y} - point.y1);
  point.branch_left_dy[slot] = joint_left ? joint_dy : end_dy;
  point.branch_right_dy[slot] = joint_left ? end_dy : joint_dy;
  point.branch_count = branch;
  map_.modified = true;
}

void EditSession::CrossingClick(int px, int py, GridPoint p) {
  if (const int hit = map_.PointAt(px, py); hit != 0) {
    MapPoint& point = map_.points[hit];
    if (point.IsCrossing()) {
      point.kind = point.kind == kCrossingLast ? kCrossingFirst : point.kind + 1;
      map_.modified = true;
    }
    return;
  }
  if (!map_.GridPointFree(p)) {
    Refuse(kOccupied);
    return;
  }
  crossing_corners_.push_back(p);
  if (crossing_corners_.size() == 4) AddCrossing();
}

void EditSession::AddCrossing() {
  const std::vector<GridPoint> corners = std::exchange(crossing_corners_, {});
  const auto [min_x, max_x] = std::minmax_element(
      corners.begin(), corners.end(), [](GridPoint a, GridPoint b) { return a.x < b.x; });
  const int left_x = min_x->x, right_x = max_x->x;
  std::vector<int> left_rows, right_rows;
  for (const GridPoint& c : corners) {
    if (c.x == left_x) {
      left_rows.push_back(c.y);
    } else if (c.x == right_x) {
      right_rows.push_back(c.y);
    }
  }
  if (left_x == right_x || left_rows.size() != 2 || right_rows.size() != 2) {
    Refuse(kCrossingCorners);
    return;
  }
  if (map_.points.full()) {
    Refuse(FullTableRefusal(MapTable::kPoint));
    return;
  }
  std::sort(left_rows.begin(), left_rows.end());
  std::sort(right_rows.begin(), right_rows.end());
  MapPoint point;
  point.kind = kCrossingFirst;
  point.x1 = left_x;
  point.x2 = right_x;
  point.y1 = ClampToInt(std::int64_t{std::min(left_rows[0], right_rows[0])} - 1);
  point.y2 = ClampToInt(std::int64_t{std::max(left_rows[1], right_rows[1])} + 1);
  point.branch_count = 4;
  // Slots: top-left to top-right, top-left to bottom-right, bottom-left to
  // top-right, bottom-left to bottom-right.
  for (int slot = 1; slot <= 4; ++slot) {
    const int left_row = left_rows[static_cast<std::size_t>((slot - 1) / 2)];
    const int right_row = right_rows[static_cast<std::size_t>((slot - 1) % 2)];
    point.branch_left_dy[static_cast<std::size_t>(slot)] =
        ClampToInt(std::int64_t{left_row} - point.y1);
    point.branch_right_dy[static_cast<std::size_t>(slot)] =
        ClampToInt(std::int64_t{right_row} - point.y1);
  }
  map_.AddPoint(point);
  map_.modified = true;
}

void EditSession::AssignClick(int px, int py) {
  const bool stop_section = IsStopSectionTool(mode_);
  const int current = stop_section ? current_target_ : current_station_;
  if (!(stop_section ? map_.targets.Contains(current) : map_.stations.Contains(current))) return;
  const int station = stop_section ? 0 : current;
  const int target = stop_section ? current : 0;
  const bool yard_only = mode_ == EditMode::kStationYard || mode_ == EditMode::kStopSectionYard;

  if (const int hit = map_.RailAt(px, py); hit != 0) {
    MapRail& rail = map_.rails[hit];
    if (!yard_only) {
      rail.station = station;
      rail.target = target;
    }
    rail.yard_station = station;
    rail.yard_target = target;
    if (!yard_only) ClampStopTargets(rail);
    map_.modified = true;
    return;
  }
  if (yard_only) {
    if (const int hit = map_.PointAt(px, py); hit != 0) {
      map_.points[hit].yard_station = station;
      map_.points[hit].yard_target = target;
      map_.modified = true;
    }
    return;
  }
  if (mode_ == EditMode::kStation) {
    if (const int hit = map_.StationDrawAt(px, py); hit != 0) {
      map_.station_draws[hit].station = station;
      map_.modified = true;
    }
  }
}

void EditSession::StationDrawingClick(GridPoint p) {
  if (!has_pending()) {
    pending_ = p;
    return;
  }
  const GridPoint first = std::exchange(pending_, GridPoint{});
  if (first.x == p.x || first.y == p.y) {
    Refuse(kStationDrawCorners);
    return;
  }
  if (map_.station_draws.full()) {
    Refuse(FullTableRefusal(MapTable::kStationDraw));
    return;
  }
  MapStationDraw draw;
  draw.x1 = std::min(first.x, p.x);
  draw.x2 = std::max(first.x, p.x);
  draw.y1 = std::min(first.y, p.y);
  draw.y2 = std::max(first.y, p.y);
  draw.station = current_station_;
  if (!map_.BoxFree(draw.x1, draw.y1, draw.x2, draw.y2)) {
    Refuse(kOccupied);
    return;
  }
  map_.AddStationDraw(draw);
  map_.modified = true;
}

void EditSession::JumpClick(GridPoint p) {
  if (!has_pending() || p.x == pending_.x) {
    pending_ = p;
    return;
  }
  const GridPoint first = std::exchange(pending_, GridPoint{});
  if (map_.jumps.full()) {
    Refuse(FullTableRefusal(MapTable::kJump));
    return;
  }
  // End A is where a segment's right end is, end B where one begins.
  MapJump jump;
  GridPoint a, b;
  if (map_.RailWithRightEndAt(first) != 0 && map_.RailWithLeftEndAt(p) != 0) {
    a = first;
    b = p;
  } else if (map_.RailWithLeftEndAt(first) != 0 && map_.RailWithRightEndAt(p) != 0) {
    a = p;
    b = first;
  } else {
    Refuse(kJumpWithoutTrack);
    return;
  }
  jump.ax = a.x;
  jump.ay = a.y;
  jump.bx = b.x;
  jump.by = b.y;
  map_.AddJump(jump);
  map_.modified = true;
}

void EditSession::DeleteAt(int px, int py) {
  if (const int rail = map_.RailAt(px, py); rail != 0) {
    map_.DeleteRail(rail);
  } else if (const int point = map_.PointAt(px, py); point != 0) {
    map_.DeletePoint(point);
  } else if (const int draw = map_.StationDrawAt(px, py); draw != 0) {
    map_.DeleteStationDraw(draw);
  } else if (const JumpEnd end = map_.JumpEndAt(px, py); end.jump != 0) {
    map_.DeleteJump(end.jump);
  } else {
    return;
  }
  map_.modified = true;
}

void EditSession::PropertyAt(int px, int py) {
  if (const int rail = map_.RailAt(px, py); rail != 0) {
    MapRail record = map_.rails[rail];
    std::vector<MapDetail> details = map_.details;
    highlight_rail_ = rail;
    const bool ok = dialogs_.EditRail(map_, rail, &record, &details);
    highlight_rail_ = 0;
    if (!ok) return;
    const bool length_changed = record.length != map_.rails[rail].length;
    map_.rails[rail] = record;
    if (length_changed) ClampStopTargets(map_.rails[rail]);
    map_.details = std::move(details);
    map_.modified = true;
  } else if (const int point = map_.PointAt(px, py); point != 0) {
    MapPoint record = map_.points[point];
    std::vector<MapDetail> details = map_.details;
    highlight_point_ = point;
    const bool ok = dialogs_.EditPoint(map_, point, &record, &details);
    highlight_point_ = 0;
    highlight_branch_ = 0;
    if (!ok) return;
    map_.points[point] = record;
    map_.details = std::move(details);
    map_.modified = true;
  }
}

bool EditSession::MoveSelection(EditKey key, bool shift) {
  const int dx = key == EditKey::kLeft ? -1 : key == EditKey::kRight ? 1 : 0;
  const int dy = key == EditKey::kUp ? -1 : key == EditKey::kDown ? 1 : 0;
  auto add = [](int& value, int delta) { value = ClampToInt(std::int64_t{value} + delta); };
  auto move_box = [&](int& x1, int& y1, int& x2, int& y2) {
    add(x1, dx);
    add(x2, dx);
    add(y1, dy);
    add(y2, dy);
  };
  // Shift moves one edge; it never closes a box to nothing.
  auto move_edge = [](int& edge, int other, int delta) {
    if (std::int64_t{edge} + delta <= other) return false;
    edge += delta;
    return true;
  };
  bool moved = false;
  for (MapRail& rail : map_.rails) {
    if (rail.selected == 0) continue;
    if (!shift) {
      move_box(rail.x1, rail.y1, rail.x2, rail.y2);
      moved = true;
    } else if (dx != 0) {
      moved |= move_edge(rail.x2, rail.x1, dx);
    } else {
      const GridPoint left{rail.x1, ClampToInt(std::int64_t{rail.y1} + rail.left_dy)};
      const GridPoint right{rail.x2, ClampToInt(std::int64_t{rail.y1} + rail.right_dy + dy)};
      SetRailEnds(rail, left, right);
      moved = true;
    }
  }
  for (MapPoint& point : map_.points) {
    if (point.selected == 0) continue;
    if (shift && dx != 0) {
      moved |= move_edge(point.x2, point.x1, dx);
    } else {
      move_box(point.x1, point.y1, point.x2, point.y2);
      moved = true;
    }
  }
  for (MapStationDraw& draw : map_.station_draws) {
    if (draw.selected == 0) continue;
    if (!shift) {
      move_box(draw.x1, draw.y1, draw.x2, draw.y2);
      moved = true;
    } else if (dx != 0) {
      moved |= move_edge(draw.x2, draw.x1, dx);
    } else {
      moved |= move_edge(draw.y2, draw.y1, dy);
    }
  }
  if (!shift) {
    for (MapJump& jump : map_.jumps) {
      if (jump.selected_a != 0) {
        add(jump.ax, dx);
        add(jump.ay, dy);
        moved = true;
      }
      if (jump.selected_b != 0) {
        add(jump.bx, dx);
        add(jump.by, dy);
        moved = true;
      }
    }
  }
  return moved;
}

void EditSession::DragSelection(GridPoint to) {
  const GridPoint from = drag_reference_;
  if (to == from) return;
  bool moved = false;
  for (MapRail& rail : map_.rails) {
    if (rail.selected == 0) continue;
    GridPoint left{rail.x1, ClampToInt(std::int64_t{rail.y1} + rail.left_dy)};
    GridPoint right{rail.x2, ClampToInt(std::int64_t{rail.y1} + rail.right_dy)};
    if (left == from && right.x != to.x) {
      left = to;
    } else if (right == from && left.x != to.x) {
      right = to;
    } else {
      continue;
    }
    SetRailEnds(rail, left, right);
    moved = true;
  }
  for (MapPoint& point : map_.points) {
    if (point.selected == 0) continue;
    bool changed = false;
    for (int j = 1; j <= UsedBranchSlots(point); ++j) {
      const std::size_t s = static_cast<std::size_t>(j);
      if (point.x1 == from.x && std::int64_t{point.y1} + point.branch_left_dy[s] == from.y) {
        point.branch_left_dy[s] = ClampToInt(std::int64_t{to.y} - point.y1);
        changed = true;
      }
      if (point.x2 == from.x && std::int64_t{point.y1} + point.branch_right_dy[s] == from.y) {
        point.branch_right_dy[s] = ClampToInt(std::int64_t{to.y} - point.y1);
        changed = true;
      }
    }
    if (changed) {
      FitPointRows(point);
      moved = true;
    }
  }
  drag_reference_ = to;
  if (moved) map_.modified = true;
}

}  // namespace corvane
