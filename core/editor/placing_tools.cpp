// The tools that place and delete objects: track, turnout, crossing, station
// drawing, jump, delete.

#include <algorithm>
#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

#include "editor/tool_handlers.h"

namespace corvane {

namespace {

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

// The first click of a line of clicks on a free grid point; false when the
// point is taken (refused).
bool StartAt(EditSession& session, GridPoint p) {
  if (!session.map().GridPointFree(p)) {
    session.Refuse(kOccupied);
    return false;
  }
  session.state().pending = p;
  return true;
}

void AddTurnoutBranch(EditSession& session, GridPoint p) {
  EditState& state = session.state();
  MapChange change(session.map());
  MapPoint point = change.map().points()[state.building_point];
  const int branch = point.branch_count + 1;
  if (branch >= kMaxBranches) {
    session.Refuse(FullTableRefusal(MapTable::kPoint));
    session.ForgetInput();
    return;
  }
  const bool joint_left = point.kind == kTurnoutJointLeft;
  if (p.x != (joint_left ? point.x2 : point.x1)) {
    session.Refuse(kTurnoutColumn);
    // A turnout needs two branches; one left of a wrong second click goes.
    if (point.branch_count < 2) change.points().Delete(state.building_point);
    session.ForgetInput();
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
  change.points()[state.building_point] = point;
}

void AddCrossing(EditSession& session) {
  const std::vector<GridPoint> corners = std::exchange(session.state().crossing_corners, {});
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
    session.Refuse(kCrossingCorners);
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
  MapChange change(session.map());
  Refusal refusal;
  if (change.points().Append(point, &refusal) == 0) session.Refuse(refusal);
}

}  // namespace

void TrackClick(EditSession& session, int px, int py) {
  const GridPoint p = SnapToGrid(px, py);
  EditState& state = session.state();
  if (!state.has_pending() || p.x == state.pending->x) {
    StartAt(session, p);
    return;
  }
  const MapRail rail = NewRail(*state.pending, p, state.track_direction);
  MapChange change(session.map());
  if (change.map().rails().full()) {
    session.Refuse(FullTableRefusal(MapTable::kRail));
    state.pending.reset();
    return;
  }
  if (!change.map().BoxFree(rail.x1, rail.y1, rail.x2, rail.y2)) {
    session.Refuse(kOccupied);
    state.pending.reset();
    return;
  }
  change.rails().Append(rail);
  state.pending = p;  // the next click continues the line from here
}

void TurnoutClick(EditSession& session, int px, int py) {
  const GridPoint p = SnapToGrid(px, py);
  EditState& state = session.state();
  if (state.building_point != 0) {
    AddTurnoutBranch(session, p);
    return;
  }
  if (!state.has_pending() || p.x == state.pending->x) {
    StartAt(session, p);
    return;
  }
  // The first branch makes the turnout; the pending point stays its joint.
  const GridPoint joint = *state.pending;
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
  MapChange change(session.map());
  Refusal refusal;
  state.building_point = change.points().Append(point, &refusal);
  if (state.building_point == 0) {
    session.Refuse(refusal);
    session.ForgetInput();
  }
}

void CrossingClick(EditSession& session, int px, int py) {
  const GridPoint p = SnapToGrid(px, py);
  if (const int hit = session.map().PointAt(px, py); hit != 0) {
    if (session.map().points()[hit].IsCrossing()) {
      MapChange change(session.map());
      MapPoint& point = change.points()[hit];
      point.kind = point.kind == kCrossingLast ? kCrossingFirst : point.kind + 1;
    }
    return;
  }
  if (!session.map().GridPointFree(p)) {
    session.Refuse(kOccupied);
    return;
  }
  std::vector<GridPoint>& corners = session.state().crossing_corners;
  corners.push_back(p);
  if (corners.size() == 4) AddCrossing(session);
}

bool SecondCorner(EditSession& session, GridPoint p, const Refusal& refusal, GridPoint* first) {
  EditState& state = session.state();
  if (!state.has_pending()) {
    state.pending = p;
    return false;
  }
  *first = *std::exchange(state.pending, std::nullopt);
  if (first->x == p.x || first->y == p.y) {
    session.Refuse(refusal);
    return false;
  }
  return true;
}

void StationDrawingClick(EditSession& session, int px, int py) {
  const GridPoint p = SnapToGrid(px, py);
  GridPoint first;
  if (!SecondCorner(session, p, kStationDrawCorners, &first)) return;
  MapChange change(session.map());
  if (change.map().station_draws().full()) {
    session.Refuse(FullTableRefusal(MapTable::kStationDraw));
    return;
  }
  MapStationDraw draw;
  draw.x1 = std::min(first.x, p.x);
  draw.x2 = std::max(first.x, p.x);
  draw.y1 = std::min(first.y, p.y);
  draw.y2 = std::max(first.y, p.y);
  draw.station = session.current_station();
  if (!change.map().BoxFree(draw.x1, draw.y1, draw.x2, draw.y2)) {
    session.Refuse(kOccupied);
    return;
  }
  change.station_draws().Append(draw);
}

void JumpClick(EditSession& session, int px, int py) {
  const GridPoint p = SnapToGrid(px, py);
  EditState& state = session.state();
  if (!state.has_pending() || p.x == state.pending->x) {
    state.pending = p;
    return;
  }
  const GridPoint first = *std::exchange(state.pending, std::nullopt);
  const EditMap& map = session.map();
  if (map.jumps().full()) {
    session.Refuse(FullTableRefusal(MapTable::kJump));
    return;
  }
  // End A is where a segment's right end is, end B where one begins.
  GridPoint a, b;
  if (map.RailWithRightEndAt(first) != 0 && map.RailWithLeftEndAt(p) != 0) {
    a = first;
    b = p;
  } else if (map.RailWithLeftEndAt(first) != 0 && map.RailWithRightEndAt(p) != 0) {
    a = p;
    b = first;
  } else {
    session.Refuse(kJumpWithoutTrack);
    return;
  }
  MapJump jump;
  jump.ax = a.x;
  jump.ay = a.y;
  jump.bx = b.x;
  jump.by = b.y;
  MapChange change(session.map());
  change.jumps().Append(jump);
}

void DeleteClick(EditSession& session, int px, int py) {
  const EditMap& map = session.map();
  MapChange change(session.map());
  if (const int rail = map.RailAt(px, py); rail != 0) {
    change.rails().Delete(rail);
  } else if (const int point = map.PointAt(px, py); point != 0) {
    change.points().Delete(point);
  } else if (const int draw = map.StationDrawAt(px, py); draw != 0) {
    change.station_draws().Delete(draw);
  } else if (const JumpEnd end = map.JumpEndAt(px, py); end.jump != 0) {
    change.jumps().Delete(end.jump);
  }
}

void ForgetPendingPoint(EditSession& session, int, int) { session.state().pending.reset(); }

void ForgetTurnout(EditSession& session, int, int) {
  session.state().pending.reset();
  session.state().building_point = 0;
}

void DropCrossingCorner(EditSession& session, int, int) {
  std::vector<GridPoint>& corners = session.state().crossing_corners;
  if (!corners.empty()) corners.pop_back();
}

void ForgetCrossingCorners(EditSession& session) { session.state().crossing_corners.clear(); }

// ---------------------------------------------------------------- looks

namespace {

// The next segment or turnout branch, from the pending point to the pointer
// in another column.
void TrackPreview(ToolCanvas& canvas, GridPoint hover) {
  const std::optional<GridPoint> start = canvas.PreviewStart(hover);
  if (start && start->x != hover.x) canvas.Stroke(*start, hover, kMapRed);
}

void TurnoutPreview(ToolCanvas& canvas, GridPoint hover) {
  const std::optional<GridPoint> start = canvas.PreviewStart(hover);
  if (start && start->x != hover.x) canvas.Stroke(*start, hover, kMapGreen);
}

void CrossingCorners(ToolCanvas& canvas) {
  for (const GridPoint& corner : canvas.options().crossing_corners) {
    canvas.Square(corner, 2, 1, kMapGreen);
  }
}

// The outline through the corners clicked so far on to the pointer.
void CrossingPreview(ToolCanvas& canvas, GridPoint hover) {
  const std::vector<GridPoint>& corners = canvas.options().crossing_corners;
  if (corners.empty()) return;
  for (std::size_t i = 1; i < corners.size(); ++i) {
    canvas.Stroke(corners[i - 1], corners[i], kMapGreen);
  }
  canvas.Stroke(corners.back(), hover, kMapGreen);
}

// The two ends, each the cell beside its grid point.
void JumpPreview(ToolCanvas& canvas, GridPoint hover) {
  const std::optional<GridPoint> start = canvas.PreviewStart(hover);
  if (!start || start->x == hover.x) return;
  const GridPoint& a = start->x < hover.x ? *start : hover;
  const GridPoint& b = start->x < hover.x ? hover : *start;
  canvas.Outline({a.x, a.y - 1}, {a.x + 1, a.y + 1}, kBlack);
  canvas.Outline({b.x - 1, b.y - 1}, {b.x, b.y + 1}, kBlack);
}

void GreenPendingMark(ToolCanvas& canvas) { canvas.PendingMark(kMapGreen); }

}  // namespace

constinit const ToolLook kTrackLook{
    .marks = [](ToolCanvas& canvas) { canvas.PendingMark(kMapRed); },
    .preview = TrackPreview,
};
constinit const ToolLook kTurnoutLook{.marks = GreenPendingMark, .preview = TurnoutPreview};
constinit const ToolLook kCrossingLook{.marks = CrossingCorners, .preview = CrossingPreview};
constinit const ToolLook kJumpLook{.marks = GreenPendingMark, .preview = JumpPreview};

}  // namespace corvane
