#pragma once
// The display rows of the operation board: where a long line may be cut
// into strips (cut positions), which row each object of the board belongs
// to, rows made and removed as a cut moves, the spacing that keeps a row
// clear of the one above it, and the automatic layout commands. Every
// change goes through a DiaChange; each command opens one (one user
// action) and changes nothing when the data has no display rows.

#include <cstdint>
#include <optional>
#include <vector>

#include "board/board_view.h"
#include "data/dia_file.h"
#include "run/dia_change.h"

namespace corvane {

// The kinds of object a display row holds, each with one place (a rail and
// a station frame span from x1 to x2; the others stand at one x).
enum class BoardPlace {
  kRail,
  kStationFrame,
  kPointLabel,
  kJumpFrom,
  kJumpTo,
  kLever,
  kSignalButton,  // a lever's own button, when it has one
  kRouteButton,
};

struct ObjectPlace {
  BoardPlace kind = BoardPlace::kRail;
  int index = 0;  // the record
  int row = 0;
  int x1 = 0, x2 = 0;  // x1 == x2 for a place of one point
};

// Calls `f(const ObjectPlace&)` for every place of every object, by kind
// in the order above and by record number within a kind.
template <typename F>
void ForEachPlace(const DiaFile& file, F&& f);

// Sets the display row of one place.
void SetRowOf(DiaChange& change, const ObjectPlace& place, int row);

// The smallest and largest map x of all objects; 0 and 0 when there are
// none.
struct ObjectSpan {
  std::int64_t smallest = 0;
  std::int64_t largest = 0;
};
ObjectSpan SpanOfObjects(const DiaFile& file);

// The largest map x of a rail end; 0 without rails.
std::int64_t LargestRailX(const SystemMap& map);

// Every cut position in ascending order: a map x at which a rail begins or
// ends and through which no rail and no station frame passes strictly.
std::vector<int> CutPositions(const SystemMap& map);

// A row's extent in map x: it begins at its left bound (minus its x shift)
// and ends where the next row begins (the largest x of all objects for the
// last row); `beyond` is where the row after the next begins (or that
// largest x).
struct RowBounds {
  std::int64_t left = 0;
  std::int64_t right_end = 0;
  std::int64_t beyond = 0;
};
RowBounds BoundsOfRow(const DiaFile& file, int row);

// The cut position a click at map x `d` in row `row` chooses: the nearest
// cut from the row's left bound up to `d` and the nearest from `d` up to
// the bound beyond, the right one when both are as far; none when `d` does
// not lie strictly inside the bounds or no cut lies there.
std::optional<int> CutNearestTo(const DiaFile& file, const std::vector<int>& cuts, int row,
                                std::int64_t d);

// Makes `cut` the right end of row `row` (1..count): the objects of rows
// `row` and `row` + 1 go to the side of the cut they lie on, row `row` + 1
// is made when it does not exist (a copy of row `row`, moved to clear it),
// its x shift becomes -cut, and rows left empty are removed (a row whose x
// shift equals the next row's; the last row when it begins at the largest
// x of all objects; row 1 when row 2 begins at the smallest). Returns the
// row that now holds what lies right of the cut, or 0 (nothing changed)
// when no row could be added.
int SetRowRightEnd(DiaChange& change, int row, int cut, int scale_x);

// Removes display row `row` (1..count, with at least two rows): the
// objects of later rows move up one row; its own objects join the row
// that takes its number (the row before, when it was the last).
void RemoveRow(DiaChange& change, int row);

// Every object into row 1; only row 1 kept.
void PutAllIntoFirstRow(DiaChange& change);

// The spacing rule for rows `first` … `last`, in order: each row moves up
// or down so that it just clears the row above it (row 1 the top of the
// board) by the margins of its rails (16 map units) and station frames (8),
// compared pixel column by pixel column at `scale_x`.
void SpaceRows(DiaChange& change, int first, int last, int scale_x);

// The lowest value a pixel column holds of one row, or the highest of the
// next one.
struct ColumnValue {
  int column = 0;
  std::int64_t value = 0;
};
// The smallest difference top - bottom over every column, a column without
// a value taking the nearer bound of its neighbours (for `tops` the smaller
// of the nearest values on either side, for `bottoms` the larger); none
// when either side has no value.
std::optional<std::int64_t> SmallestGap(std::vector<ColumnValue> bottoms,
                                        std::vector<ColumnValue> tops);

// "表示位置初期化": every object into row 1, one row kept. False (nothing
// changed) without rows.
bool ResetBoardPositions(DiaModel& model);
// "表示間隔自動修正": the spacing rule for every row.
bool FixBoardSpacing(DiaModel& model, const BoardView& view);
// "表示位置自動修正": the line cut afresh into rows as wide as the window
// (less 80 pixels) at its horizontal scale, each row's x 40, then spaced.
bool FixBoardPositions(DiaModel& model, const BoardView& view);

// ------------------------------------------------------------ template

template <typename F>
void ForEachPlace(const DiaFile& file, F&& f) {
  const SystemMap& map = file.map;
  for (int i = 1; i <= map.rails.count(); ++i) {
    const RailRecord& r = map.rails[i];
    f(ObjectPlace{BoardPlace::kRail, i, r.display_row, r.x_exit, r.x_entry});
  }
  for (int i = 1; i <= map.station_draws.count(); ++i) {
    const StationDrawRecord& s = map.station_draws[i];
    f(ObjectPlace{BoardPlace::kStationFrame, i, s.kind, s.x_left, s.x_right});
  }
  for (int i = 1; i <= map.points.count(); ++i) {
    const PointRecord& p = map.points[i];
    f(ObjectPlace{BoardPlace::kPointLabel, i, p.label_row, p.label_x, p.label_x});
  }
  for (int i = 1; i <= map.jumps.count(); ++i) {
    f(ObjectPlace{BoardPlace::kJumpFrom, i, map.jumps[i].from_row, map.jumps[i].x_from,
                  map.jumps[i].x_from});
    f(ObjectPlace{BoardPlace::kJumpTo, i, map.jumps[i].to_row, map.jumps[i].x_to,
                  map.jumps[i].x_to});
  }
  for (int i = 1; i <= file.dia.levers.count(); ++i) {
    const auto& v = file.dia.levers[i].values;
    f(ObjectPlace{BoardPlace::kLever, i, v[kLeverRow], v[kLeverX], v[kLeverX]});
    if (v[kLeverHasSignalButton] != 0) {
      f(ObjectPlace{BoardPlace::kSignalButton, i, v[kSignalButtonRow], v[kSignalButtonX],
                    v[kSignalButtonX]});
    }
  }
  for (int i = 1; i <= file.dia.buttons.count(); ++i) {
    const auto& v = file.dia.buttons[i].values;
    f(ObjectPlace{BoardPlace::kRouteButton, i, v[kButtonRow], v[kButtonX], v[kButtonX]});
  }
}

}  // namespace corvane
