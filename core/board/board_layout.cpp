#include "board/board_layout.h"

#include <algorithm>
#include <limits>
#include <utility>

namespace corvane {

namespace {

// How far a row keeps clear of the row above, in map units.
constexpr int kRailMargin = 16;
constexpr int kFrameMargin = 8;
// Where the automatic position fix puts every row, in map units.
constexpr int kFixedRowX = 40;
// The pixels of the window the rows leave free in the position fix.
constexpr int kFixedRowSlack = 80;

// A value stored in a row record stays within what a file may hold.
int OnBoard(std::int64_t value) {
  return static_cast<int>(std::clamp<std::int64_t>(value, -kBoardLimit, kBoardLimit));
}

bool OfOnePoint(const ObjectPlace& place) {
  return place.kind != BoardPlace::kRail && place.kind != BoardPlace::kStationFrame;
}

// Sets every place's row to `new_row(place)`, touching only the records
// whose row changes.
template <typename F>
void MoveObjects(DiaChange& change, F&& new_row) {
  ForEachPlace(change.model().file(), [&](const ObjectPlace& place) {
    const int row = new_row(place);
    if (row != place.row) SetRowOf(change, place, row);
  });
}

// The side of the cut `c` an object of rows `row` and `row` + 1 belongs
// to; objects on both sides (or of other rows) stay.
int SideOfCut(const ObjectPlace& place, int row, std::int64_t c) {
  if (place.row != row && place.row != row + 1) return place.row;
  const std::int64_t low = std::min(place.x1, place.x2);
  const std::int64_t high = std::max(place.x1, place.x2);
  if (OfOnePoint(place)) return low < c ? row : row + 1;
  if (high <= c && low < c) return row;
  if (low >= c && high > c) return row + 1;
  return place.row;
}

// Removes the rows left without room: a row beginning where the next one
// begins, the last row beginning at the largest x of all objects, row 1
// when row 2 begins at the smallest. `*followed` is a row number kept
// pointing at the same objects.
void RemoveSpentRows(DiaChange& change, int* followed) {
  const Table<RowRecord>& rows = change.model().map().rows;
  const auto removed = [&](int row) {
    const bool last = row == rows.count();
    RemoveRow(change, row);
    if (*followed > row || (last && *followed == row)) --*followed;
  };
  for (int k = 1; k < rows.count();) {
    if (rows[k].x_shift == rows[k + 1].x_shift) {
      removed(k);
    } else {
      ++k;
    }
  }
  const ObjectSpan span = SpanOfObjects(change.model().file());
  if (rows.count() >= 2 && rows[rows.count()].x_shift == -span.largest) removed(rows.count());
  if (rows.count() >= 2 && rows[2].x_shift == -span.smallest) removed(1);
}

// One end of a rail or station frame as the spacing rule sees it: its
// map x with its row's horizontal offsets, its lowest and highest extent
// with the margin (without its row's vertical offsets).
struct RowEnd {
  std::int64_t x = 0;
  std::int64_t low = 0;
  std::int64_t high = 0;
};

// The ends of the rails and station frames of rows `first` … `last`, by
// row (index 0 is row `first`).
std::vector<std::vector<RowEnd>> EndsOfRows(const SystemMap& map, int first, int last) {
  std::vector<std::vector<RowEnd>> ends(static_cast<std::size_t>(std::max(0, last - first + 1)));
  const auto add = [&](int row, int x, std::int64_t low, std::int64_t high) {
    if (row < first || row > last || !map.rows.Contains(row)) return;
    const RowRecord& r = map.rows[row];
    ends[static_cast<std::size_t>(row - first)].push_back(
        {std::int64_t{x} + r.x + r.x_shift, low, high});
  };
  for (const RailRecord& r : map.rails) {
    add(r.display_row, r.x_exit, std::int64_t{r.y_exit} + kRailMargin,
        std::int64_t{r.y_exit} - kRailMargin);
    add(r.display_row, r.x_entry, std::int64_t{r.y_entry} + kRailMargin,
        std::int64_t{r.y_entry} - kRailMargin);
  }
  for (const StationDrawRecord& s : map.station_draws) {
    const std::int64_t low = std::int64_t{std::max(s.y_top, s.y_bottom)} + kFrameMargin;
    const std::int64_t high = std::int64_t{std::min(s.y_top, s.y_bottom)} - kFrameMargin;
    add(s.kind, s.x_left, low, high);
    add(s.kind, s.x_right, low, high);
  }
  return ends;
}

// The column values of `ends` at `scale_x`, each moved by `offset`: the
// lowest extents (`low`) or the highest.
std::vector<ColumnValue> ColumnsOf(const std::vector<RowEnd>& ends, int scale_x,
                                   std::int64_t offset, bool low) {
  BoardView view;
  view.scale_x = scale_x;
  std::vector<ColumnValue> values;
  values.reserve(ends.size());
  for (const RowEnd& end : ends) {
    values.push_back({MapToPixelX(view, end.x), (low ? end.low : end.high) + offset});
  }
  return values;
}

// `values` sorted by column, one per column: the smallest of a column's
// values, or the largest.
std::vector<ColumnValue> OnePerColumn(std::vector<ColumnValue> values, bool largest) {
  std::sort(values.begin(), values.end(),
            [](const ColumnValue& a, const ColumnValue& b) { return a.column < b.column; });
  std::vector<ColumnValue> merged;
  for (const ColumnValue& v : values) {
    if (!merged.empty() && merged.back().column == v.column) {
      merged.back().value =
          largest ? std::max(merged.back().value, v.value) : std::min(merged.back().value, v.value);
    } else {
      merged.push_back(v);
    }
  }
  return merged;
}

// The value of column `column`: its own, or the nearer bound of its
// neighbours (the larger or the smaller of the nearest on either side).
std::int64_t ValueAt(const std::vector<ColumnValue>& values, std::int64_t column, bool largest) {
  const auto next =
      std::lower_bound(values.begin(), values.end(), column,
                       [](const ColumnValue& v, std::int64_t c) { return v.column < c; });
  if (next != values.end() && next->column == column) return next->value;
  if (next == values.end()) return std::prev(next)->value;
  if (next == values.begin()) return next->value;
  const std::int64_t left = std::prev(next)->value;
  return largest ? std::max(left, next->value) : std::min(left, next->value);
}

}  // namespace

void SetRowOf(DiaChange& change, const ObjectPlace& place, int row) {
  const int i = place.index;
  switch (place.kind) {
    case BoardPlace::kRail:
      change.rails()[i].display_row = row;
      return;
    case BoardPlace::kStationFrame:
      change.station_draws()[i].kind = row;
      return;
    case BoardPlace::kPointLabel:
      change.points()[i].label_row = row;
      return;
    case BoardPlace::kJumpFrom:
      change.jumps()[i].from_row = row;
      return;
    case BoardPlace::kJumpTo:
      change.jumps()[i].to_row = row;
      return;
    case BoardPlace::kLever:
      change.levers()[i].values[kLeverRow] = row;
      return;
    case BoardPlace::kSignalButton:
      change.levers()[i].values[kSignalButtonRow] = row;
      return;
    case BoardPlace::kRouteButton:
      change.buttons()[i].values[kButtonRow] = row;
      return;
  }
}

ObjectSpan SpanOfObjects(const DiaFile& file) {
  ObjectSpan span;
  bool any = false;
  ForEachPlace(file, [&](const ObjectPlace& place) {
    const std::int64_t low = std::min(place.x1, place.x2);
    const std::int64_t high = std::max(place.x1, place.x2);
    span.smallest = any ? std::min(span.smallest, low) : low;
    span.largest = any ? std::max(span.largest, high) : high;
    any = true;
  });
  return span;
}

std::int64_t LargestRailX(const SystemMap& map) {
  std::int64_t largest = 0;
  bool any = false;
  for (const RailRecord& r : map.rails) {
    const int high = std::max(r.x_exit, r.x_entry);
    largest = any ? std::max<std::int64_t>(largest, high) : high;
    any = true;
  }
  return largest;
}

std::vector<int> CutPositions(const SystemMap& map) {
  std::vector<int> ends;
  std::vector<std::pair<int, int>> spans;  // open intervals no cut may lie in
  const auto span = [&](int a, int b) {
    if (a != b) spans.emplace_back(std::min(a, b), std::max(a, b));
  };
  for (const RailRecord& r : map.rails) {
    ends.push_back(r.x_exit);
    ends.push_back(r.x_entry);
    span(r.x_exit, r.x_entry);
  }
  for (const StationDrawRecord& s : map.station_draws) span(s.x_left, s.x_right);
  std::sort(ends.begin(), ends.end());
  ends.erase(std::unique(ends.begin(), ends.end()), ends.end());
  std::sort(spans.begin(), spans.end());
  // Overlapping open intervals joined; two that only touch leave their
  // common end free.
  std::vector<std::pair<int, int>> covered;
  for (const auto& s : spans) {
    if (!covered.empty() && s.first < covered.back().second) {
      covered.back().second = std::max(covered.back().second, s.second);
    } else {
      covered.push_back(s);
    }
  }
  std::vector<int> cuts;
  std::size_t k = 0;
  for (const int x : ends) {
    while (k < covered.size() && covered[k].second <= x) ++k;
    if (k < covered.size() && covered[k].first < x) continue;
    cuts.push_back(x);
  }
  return cuts;
}

RowBounds BoundsOfRow(const DiaFile& file, int row) {
  const Table<RowRecord>& rows = file.map.rows;
  const std::int64_t largest = SpanOfObjects(file).largest;
  const auto begin_of = [&](int r) {
    return rows.Contains(r) ? -std::int64_t{rows[r].x_shift} : largest;
  };
  return {rows.Contains(row) ? -std::int64_t{rows[row].x_shift} : 0, begin_of(row + 1),
          begin_of(row + 2)};
}

std::optional<int> CutNearestTo(const DiaFile& file, const std::vector<int>& cuts, int row,
                                std::int64_t d) {
  const RowBounds bounds = BoundsOfRow(file, row);
  if (d <= bounds.left || d >= bounds.beyond) return std::nullopt;
  std::optional<int> left;
  std::optional<int> right;
  const auto after = std::upper_bound(cuts.begin(), cuts.end(), d);
  if (after != cuts.begin() && *std::prev(after) >= bounds.left) left = *std::prev(after);
  const auto from = std::lower_bound(cuts.begin(), cuts.end(), d);
  if (from != cuts.end() && *from <= bounds.beyond) right = *from;
  if (!left) return right;
  if (!right) return left;
  return d - *left < *right - d ? left : right;
}

void RemoveRow(DiaChange& change, int row) {
  const int count = change.model().map().rows.count();
  if (row < 1 || row > count || count < 2) return;
  MoveObjects(change, [&](const ObjectPlace& place) {
    if (place.row > row && place.row <= count) return place.row - 1;
    if (place.row == row && row == count) return row - 1;
    return place.row;
  });
  change.rows().Delete(row);
}

int SetRowRightEnd(DiaChange& change, int row, int cut, int scale_x) {
  const Table<RowRecord>& rows = change.model().map().rows;
  if (!rows.Contains(row)) return 0;
  const bool made = row == rows.count();
  const RowRecord copy = rows[row];  // appending may move the records
  if (made && change.rows().Append(copy) == 0) return 0;
  MoveObjects(change, [&](const ObjectPlace& place) { return SideOfCut(place, row, cut); });
  if (rows[row + 1].x_shift != -cut) change.rows()[row + 1].x_shift = OnBoard(-std::int64_t{cut});
  // A new row is moved once its objects and its offset are in place, so
  // that it clears its neighbour where it is drawn.
  if (made) SpaceRows(change, row + 1, row + 1, scale_x);
  int right = row + 1;
  RemoveSpentRows(change, &right);
  return right;
}

void PutAllIntoFirstRow(DiaChange& change) {
  MoveObjects(change, [](const ObjectPlace&) { return 1; });
  for (int r = change.model().map().rows.count(); r > 1; --r) change.rows().Delete(r);
}

std::optional<std::int64_t> SmallestGap(std::vector<ColumnValue> bottoms,
                                        std::vector<ColumnValue> tops) {
  bottoms = OnePerColumn(std::move(bottoms), true);
  tops = OnePerColumn(std::move(tops), false);
  if (bottoms.empty() || tops.empty()) return std::nullopt;
  // Between two columns that hold a value the filled values stay the same,
  // so each such gap is looked at once, at its first column.
  std::vector<std::int64_t> columns;
  for (const auto* side : {&bottoms, &tops}) {
    for (const ColumnValue& v : *side) {
      columns.push_back(v.column);
      columns.push_back(std::int64_t{v.column} + 1);
    }
  }
  std::sort(columns.begin(), columns.end());
  columns.erase(std::unique(columns.begin(), columns.end()), columns.end());
  std::int64_t smallest = std::numeric_limits<std::int64_t>::max();
  for (const std::int64_t c : columns) {
    smallest = std::min(smallest, ValueAt(tops, c, false) - ValueAt(bottoms, c, true));
  }
  return smallest;
}

void SpaceRows(DiaChange& change, int first, int last, int scale_x) {
  const SystemMap& map = change.model().map();
  first = std::max(first, 1);
  last = std::min(last, map.rows.count());
  if (first > last) return;
  const int above_first = std::max(first - 1, 1);
  const std::vector<std::vector<RowEnd>> ends = EndsOfRows(map, above_first, last);
  const auto ends_of = [&](int row) -> const std::vector<RowEnd>& {
    return ends[static_cast<std::size_t>(row - above_first)];
  };
  const auto offset = [&](int row) {
    return std::int64_t{map.rows[row].y} + map.rows[row].y_shift;
  };
  for (int row = first; row <= last; ++row) {
    // Row 1 clears the top of the board.
    const std::vector<ColumnValue> bottoms =
        row == 1 ? std::vector<ColumnValue>{{0, 0}}
                 : ColumnsOf(ends_of(row - 1), scale_x, offset(row - 1), true);
    const std::optional<std::int64_t> gap =
        SmallestGap(bottoms, ColumnsOf(ends_of(row), scale_x, offset(row), false));
    if (!gap) continue;
    const int y = OnBoard(map.rows[row].y - *gap);
    if (y != map.rows[row].y) change.rows()[row].y = y;
  }
}

bool ResetBoardPositions(DiaModel& model) {
  if (model.map().rows.empty()) return false;
  DiaChange change(model);
  PutAllIntoFirstRow(change);
  return true;
}

bool FixBoardSpacing(DiaModel& model, const BoardView& view) {
  if (model.map().rows.empty()) return false;
  DiaChange change(model);
  SpaceRows(change, 1, model.map().rows.count(), view.scale_x);
  return true;
}

bool FixBoardPositions(DiaModel& model, const BoardView& view) {
  if (model.map().rows.empty()) return false;
  const int scale_x = ClampScale(view.scale_x);
  const std::int64_t width = (std::int64_t{view.width} - kFixedRowSlack) * kOneToOneScale / scale_x;
  const std::vector<int> cuts = CutPositions(model.map());
  const std::int64_t last_rail_x = LargestRailX(model.map());
  DiaChange change(model);
  PutAllIntoFirstRow(change);
  int row = 1;
  std::int64_t start = 0;
  while (true) {
    // The largest cut within the width beyond the start, or else the first
    // cut beyond it; none beyond the start ends the rows.
    auto cut = std::upper_bound(cuts.begin(), cuts.end(), start + width);
    if (cut == cuts.begin() || *std::prev(cut) <= start) {
      cut = std::upper_bound(cuts.begin(), cuts.end(), start);
      if (cut == cuts.end()) break;
    } else {
      cut = std::prev(cut);
    }
    row = SetRowRightEnd(change, row, *cut, scale_x);
    start = *cut;
    if (row == 0 || start >= last_rail_x) break;
  }
  const Table<RowRecord>& rows = model.map().rows;
  for (int r = 1; r <= rows.count(); ++r) {
    if (rows[r].x != kFixedRowX) change.rows()[r].x = kFixedRowX;
  }
  SpaceRows(change, 1, rows.count(), scale_x);
  return true;
}

}  // namespace corvane
