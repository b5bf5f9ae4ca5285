// The selection and move tools, and the information dialogs of the property
// tool (also opened by a right click in the selection tool).

#include <algorithm>
#include <cstdint>
#include <optional>
#include <type_traits>
#include <utility>
#include <vector>

#include "editor/tool_handlers.h"
#include "map/map_geometry.h"
#include "map/map_transforms.h"

namespace corvane {

namespace {

const Refusal kMoveWithoutSelection{"移動するオブジェクトを選択してから実行して下さい。\n",
                                    "操作エラー"};
const Refusal kRangeCorners{"四角形の対角する２点を指定して下さい。\n", "範囲エラー"};

void Invert(MapSelection& selection, MapTable table, int index) {
  selection.Set(table, index, !selection.Has(table, index));
}

void InvertJumpEnd(MapSelection& selection, int jump, bool end_a) {
  selection.SetJumpEnd(jump, end_a, !selection.HasJumpEnd(jump, end_a));
}

// Gives `selected` to every segment joined to segment `start` on either
// side, through jumps but not through points. Each segment is visited once,
// so a ring of segments and jumps ends the walk.
void MarkLine(const EditMap& map, MapSelection& selection, int start, bool selected) {
  std::vector<char> visited(static_cast<std::size_t>(map.rails().count()) + 1, 0);
  visited[static_cast<std::size_t>(start)] = 1;
  for (const bool rightward : {true, false}) {
    int rail = start;
    for (;;) {
      GridPoint end;
      const MapRail& record = map.rails()[rail];
      if (!(rightward ? RightEnd(record, &end) : LeftEnd(record, &end))) break;
      rail = rightward ? map.RailContinuingRight(end) : map.RailContinuingLeft(end);
      if (rail == 0 || visited[static_cast<std::size_t>(rail)]) break;
      visited[static_cast<std::size_t>(rail)] = 1;
      selection.Set(MapTable::kRail, rail, selected);
    }
  }
}

struct Box {
  std::int64_t x1, y1, x2, y2;
  bool Within(const Box& outer) const {
    return x1 >= outer.x1 && x2 <= outer.x2 && y1 >= outer.y1 && y2 <= outer.y2;
  }
};

// Inverts the mark of every object whose box lies wholly inside `range`.
void SelectRange(const EditMap& map, MapSelection& selection, const Box& range) {
  for (int i = 1; i <= map.rails().count(); ++i) {
    const MapRail& r = map.rails()[i];
    if (Box{r.x1, r.y1, r.x2, r.y2}.Within(range)) Invert(selection, MapTable::kRail, i);
  }
  for (int i = 1; i <= map.points().count(); ++i) {
    const MapPoint& p = map.points()[i];
    if (Box{p.x1, p.y1, p.x2, p.y2}.Within(range)) Invert(selection, MapTable::kPoint, i);
  }
  for (int i = 1; i <= map.station_draws().count(); ++i) {
    const MapStationDraw& d = map.station_draws()[i];
    if (Box{d.x1, d.y1, d.x2, d.y2}.Within(range)) Invert(selection, MapTable::kStationDraw, i);
  }
  // A jump end is the cell beside its grid point: right of end A, left of
  // end B, one row above and below.
  for (int i = 1; i <= map.jumps().count(); ++i) {
    const MapJump& j = map.jumps()[i];
    const std::int64_t ax = j.ax, ay = j.ay, bx = j.bx, by = j.by;
    if (Box{ax, ay - 1, ax + 1, ay + 1}.Within(range)) InvertJumpEnd(selection, i, true);
    if (Box{bx - 1, by - 1, bx, by + 1}.Within(range)) InvertJumpEnd(selection, i, false);
  }
}

// Moves every selected object one cell, or with Shift one edge of it (a
// segment's right end up or down), never closing a box to nothing. True
// when anything moved.
bool MoveSelection(EditSession& session, EditKey key, bool shift) {
  const int dx = key == EditKey::kLeft ? -1 : key == EditKey::kRight ? 1 : 0;
  const int dy = key == EditKey::kUp ? -1 : key == EditKey::kDown ? 1 : 0;
  auto add = [](int& value, int delta) { value = ClampToGrid(std::int64_t{value} + delta); };
  auto move_box = [&](int& x1, int& y1, int& x2, int& y2) {
    add(x1, dx);
    add(x2, dx);
    add(y1, dy);
    add(y2, dy);
  };
  auto move_edge = [](int& edge, int other, int delta) {
    if (std::int64_t{edge} + delta <= other) return false;
    edge += delta;
    return true;
  };
  const MapSelection& selection = session.selection();
  const EditMap& map = session.map();
  MapChange change(session.map());
  bool moved = false;
  for (int i = 1; i <= map.rails().count(); ++i) {
    if (!selection.Has(MapTable::kRail, i)) continue;
    MapRail& rail = change.rails()[i];
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
  for (int i = 1; i <= map.points().count(); ++i) {
    if (!selection.Has(MapTable::kPoint, i)) continue;
    MapPoint& point = change.points()[i];
    if (shift && dx != 0) {
      moved |= move_edge(point.x2, point.x1, dx);
    } else {
      move_box(point.x1, point.y1, point.x2, point.y2);
      moved = true;
    }
  }
  for (int i = 1; i <= map.station_draws().count(); ++i) {
    if (!selection.Has(MapTable::kStationDraw, i)) continue;
    MapStationDraw& draw = change.station_draws()[i];
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
    for (int i = 1; i <= map.jumps().count(); ++i) {
      const bool end_a = selection.HasJumpEnd(i, true);
      const bool end_b = selection.HasJumpEnd(i, false);
      if (!end_a && !end_b) continue;
      MapJump& jump = change.jumps()[i];
      if (end_a) {
        add(jump.ax, dx);
        add(jump.ay, dy);
      }
      if (end_b) {
        add(jump.bx, dx);
        add(jump.by, dy);
      }
      moved = true;
    }
  }
  return moved;
}

// Opens the information dialog of `record` and stores what it returns.
template <typename Record>
bool EditRecord(EditSession& session, int index, const Record& original, Record* record,
                std::vector<MapDetail>* details) {
  *record = original;
  for (const MapDetail& detail : session.map().details()) details->push_back(detail);
  if constexpr (std::is_same_v<Record, MapRail>) {
    return session.dialogs().EditRail(session.map(), index, record, details);
  } else {
    return session.dialogs().EditPoint(session.map(), index, record, details);
  }
}

}  // namespace

void SelectClick(EditSession& session, int px, int py) {
  const GridPoint p = SnapToGrid(px, py);
  EditState& state = session.state();
  MapSelection& selection = state.selection;
  const EditMap& map = session.map();
  if (state.selection_kind == SelectionKind::kRange) {
    GridPoint first;
    if (!SecondCorner(session, p, kRangeCorners, &first)) return;
    SelectRange(map, selection,
                {std::min(first.x, p.x), std::min(first.y, p.y), std::max(first.x, p.x),
                 std::max(first.y, p.y)});
    return;
  }
  // The click is also where a drag in the move tool starts from.
  state.drag_reference = p;
  if (const int rail = map.RailAt(px, py); rail != 0) {
    Invert(selection, MapTable::kRail, rail);
    if (state.selection_kind == SelectionKind::kBatch) {
      MarkLine(map, selection, rail, selection.Has(MapTable::kRail, rail));
    }
  } else if (const int point = map.PointAt(px, py); point != 0) {
    Invert(selection, MapTable::kPoint, point);
  } else if (const int draw = map.StationDrawAt(px, py); draw != 0) {
    Invert(selection, MapTable::kStationDraw, draw);
  } else if (const JumpEnd end = map.JumpEndAt(px, py); end.jump != 0) {
    InvertJumpEnd(selection, end.jump, end.end_a);
  }
}

KeyResult ClearSelectionCommand(EditSession& session) {
  SelectEscape(session);
  return KeyResult::Handled();
}

KeyResult InvertSelectionCommand(EditSession& session) {
  if (session.mode() != EditMode::kSelect) session.SetMode(EditMode::kSelect);
  const EditMap& map = session.map();
  MapSelection& selection = session.selection();
  for (int i = 1; i <= map.rails().count(); ++i) Invert(selection, MapTable::kRail, i);
  for (int i = 1; i <= map.points().count(); ++i) Invert(selection, MapTable::kPoint, i);
  for (int i = 1; i <= map.station_draws().count(); ++i) {
    Invert(selection, MapTable::kStationDraw, i);
  }
  for (int i = 1; i <= map.jumps().count(); ++i) {
    InvertJumpEnd(selection, i, true);
    InvertJumpEnd(selection, i, false);
  }
  return KeyResult::Handled();
}

void SelectPress(EditSession& session, int px, int py) {
  // The press in the move tool is where its drag starts from.
  session.state().drag_reference = SnapToGrid(px, py);
}

void SelectEscape(EditSession& session) {
  if (!session.selection().empty()) {
    session.selection().Clear();
  } else {
    session.SetMode(EditMode::kNone);
  }
}

bool MoveNeedsSelection(EditSession& session) {
  if (!session.selection().empty()) return true;
  session.Refuse(kMoveWithoutSelection);
  return false;
}

bool MoveArrow(EditSession& session, EditKey key, bool shift) {
  if (session.selection().empty()) return false;
  MoveSelection(session, key, shift);
  return true;
}

void BackToSelection(EditSession& session) { session.SetMode(EditMode::kSelect); }

void MoveRelease(EditSession& session, int px, int py) {
  const GridPoint to = SnapToGrid(px, py);
  if (!session.state().drag_reference) return;
  const GridPoint from = *session.state().drag_reference;
  if (to == from) return;
  const MapSelection& selection = session.selection();
  const EditMap& map = session.map();
  MapChange change(session.map());
  for (int i = 1; i <= map.rails().count(); ++i) {
    if (!selection.Has(MapTable::kRail, i)) continue;
    const MapRail& rail = map.rails()[i];
    GridPoint left{rail.x1, ClampToInt(std::int64_t{rail.y1} + rail.left_dy)};
    GridPoint right{rail.x2, ClampToInt(std::int64_t{rail.y1} + rail.right_dy)};
    if (left == from && right.x != to.x) {
      left = to;
    } else if (right == from && left.x != to.x) {
      right = to;
    } else {
      continue;
    }
    SetRailEnds(change.rails()[i], left, right);
  }
  for (int i = 1; i <= map.points().count(); ++i) {
    if (!selection.Has(MapTable::kPoint, i)) continue;
    MapPoint point = map.points()[i];
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
      change.points()[i] = point;
    }
  }
  session.state().drag_reference = to;
}

void PropertyClick(EditSession& session, int px, int py) {
  EditState& state = session.state();
  const EditMap& map = session.map();
  std::vector<MapDetail> details;
  if (const int rail = map.RailAt(px, py); rail != 0) {
    MapRail record;
    state.highlight_rail = rail;
    const bool ok = EditRecord(session, rail, map.rails()[rail], &record, &details);
    state.highlight_rail = 0;
    if (!ok) return;
    MapChange change(session.map());
    change.rails()[rail] = record;
    change.SetDetails(details);
  } else if (const int point = map.PointAt(px, py); point != 0) {
    MapPoint record;
    state.highlight_point = point;
    const bool ok = EditRecord(session, point, map.points()[point], &record, &details);
    state.highlight_point = 0;
    state.highlight_branch = 0;
    if (!ok) return;
    MapChange change(session.map());
    change.points()[point] = record;
    change.SetDetails(details);
  }
}

// ---------------------------------------------------------------- looks

namespace {

Rgb Yellow(bool selected) { return selected ? kMapYellow : kBlack; }

Rgb SelectedRailFill(const ToolCanvas& canvas, int index, const MapRail&) {
  return Yellow(canvas.Selected(MapTable::kRail, index));
}
Rgb SelectedPointFill(const ToolCanvas& canvas, int index, const MapPoint&) {
  return Yellow(canvas.Selected(MapTable::kPoint, index));
}
Rgb SelectedStationDrawFill(const ToolCanvas& canvas, int index, const MapStationDraw&) {
  return Yellow(canvas.Selected(MapTable::kStationDraw, index));
}
Rgb SelectedJumpEndFill(const ToolCanvas& canvas, int jump, bool end_a) {
  return Yellow(canvas.JumpEndSelected(jump, end_a));
}

bool SelectingRange(const ToolCanvas& canvas) {
  return canvas.options().selection_kind == SelectionKind::kRange;
}

void RangeCorner(ToolCanvas& canvas) {
  if (SelectingRange(canvas)) canvas.PendingMark(kMapGreen);
}

// The rectangle the next click of range selection selects in.
void RangePreview(ToolCanvas& canvas, GridPoint hover) {
  const std::optional<GridPoint> start = canvas.PreviewStart(hover);
  if (start && SelectingRange(canvas) && start->x != hover.x && start->y != hover.y) {
    canvas.Outline(*start, hover, kMapGreen);
  }
}

}  // namespace

// The selection yellow, while it is selected and moved.
constinit const ToolLook kSelectLook{
    .rail_fill = SelectedRailFill,
    .point_fill = SelectedPointFill,
    .station_draw_fill = SelectedStationDrawFill,
    .jump_end_fill = SelectedJumpEndFill,
    .marks = RangeCorner,
    .preview = RangePreview,
};
constinit const ToolLook kMoveLook{
    .rail_fill = SelectedRailFill,
    .point_fill = SelectedPointFill,
    .station_draw_fill = SelectedStationDrawFill,
    .jump_end_fill = SelectedJumpEndFill,
};

}  // namespace corvane
