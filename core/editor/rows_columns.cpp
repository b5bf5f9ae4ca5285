// The row and column tools: two clicks give a band of rows (columns) to
// insert or to delete.

#include <algorithm>

#include "editor/tool_handlers.h"
#include "map/map_transforms.h"

namespace corvane {

namespace {

const Refusal kBandNotEmpty{
    "指定された範囲を削除出来ません。\n\n削除範囲にオブジェクトが含まれています。\n", "削除エラー"};

}  // namespace

void RowsColumnsClick(EditSession& session, int px, int py) {
  const EditMode mode = session.mode();
  const bool rows = mode == EditMode::kInsertRows || mode == EditMode::kDeleteRows;
  const bool insert = mode == EditMode::kInsertRows || mode == EditMode::kInsertColumns;
  const GridPoint p = SnapToGrid(px, py);
  EditState& state = session.state();
  // The second click must name another row (column); otherwise it starts
  // again from there.
  if (!state.has_pending() || (rows ? p.y == state.pending->y : p.x == state.pending->x)) {
    state.pending = p;
    return;
  }
  const int a = rows ? state.pending->y : state.pending->x;
  const int b = rows ? p.y : p.x;
  state.pending.reset();
  const int first = std::min(a, b), last = std::max(a, b);
  const GridAxis axis = rows ? GridAxis::kRows : GridAxis::kColumns;
  if (!insert && !BandFree(session.map(), axis, first, last)) {
    session.Refuse(kBandNotEmpty);
    return;
  }
  MapChange change(session.map());
  if (insert) {
    ShiftGrid(change, axis, first, last - first);
  } else {
    ShiftGrid(change, axis, last, first - last);
  }
}

// The first click's row (column) as a band across the view.
constinit const ToolLook kRowsLook{.marks = [](ToolCanvas& canvas) {
  if (canvas.options().pending) canvas.RowBand(canvas.options().pending->y, kMapGreen);
}};
constinit const ToolLook kColumnsLook{.marks = [](ToolCanvas& canvas) {
  if (canvas.options().pending) canvas.ColumnBand(canvas.options().pending->x, kMapGreen);
}};

}  // namespace corvane
