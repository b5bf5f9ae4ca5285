#include "map/map_transforms.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <utility>

namespace corvane {

namespace {

// value -> sum - value, for mirroring a coordinate about sum / 2.
int Mirror(std::int64_t sum, int value) { return ClampToInt(sum - value); }

}  // namespace

void ClampStopTargets(MapRail& rail) {
  if (rail.station == 0 && rail.target == 0) return;
  const int limit = ClampToInt(std::int64_t{rail.length} - 20);
  auto clamp = [limit](int& stop) {
    if (stop == 0 || stop > limit) stop = limit;
  };
  if (AllowsLeftward(rail.direction)) clamp(rail.stop_left);
  if (AllowsRightward(rail.direction)) clamp(rail.stop_right);
}

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

void RotateMapHalfTurn(MapChange& change) {
  const EditMap& map = change.map();
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
  for (const MapRail& r : map.rails()) take(r.x1, r.y1, r.x2, r.y2);
  for (const MapPoint& p : map.points()) take(p.x1, p.y1, p.x2, p.y2);
  for (const MapStationDraw& d : map.station_draws()) take(d.x1, d.y1, d.x2, d.y2);
  for (const MapJump& j : map.jumps()) take(j.ax, j.ay, j.bx, j.by);
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

  for (int i = 1; i <= map.rails().count(); ++i) {
    MapRail& rail = change.rails()[i];
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
  for (int i = 1; i <= map.points().count(); ++i) {
    MapPoint& point = change.points()[i];
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
  for (int i = 1; i <= map.details().count(); ++i) {
    const MapDetail& old = map.details()[i];
    int length = 0;
    if (map.rails().Contains(old.rail)) {
      length = map.rails()[old.rail].length;
    } else if (map.points().Contains(old.point)) {
      length = map.points()[old.point].length;
    } else {
      continue;
    }
    MapDetail& detail = change.details()[i];
    const int start = detail.start;
    detail.start = Mirror(length, detail.end);
    detail.end = Mirror(length, start);
    detail.gradient = Mirror(0, detail.gradient);
    detail.radius = Mirror(0, detail.radius);
  }
  for (int i = 1; i <= map.station_draws().count(); ++i) {
    MapStationDraw& draw = change.station_draws()[i];
    mirror_box(draw.x1, draw.y1, draw.x2, draw.y2);
  }
  // A segment that ended at end A now begins there: the ends exchange, so
  // that end A stays where a segment's right end is.
  for (int i = 1; i <= map.jumps().count(); ++i) {
    MapJump& jump = change.jumps()[i];
    const GridPoint a = jump.a();
    jump.ax = Mirror(sum_x, jump.bx);
    jump.ay = Mirror(sum_y, jump.by);
    jump.bx = Mirror(sum_x, a.x);
    jump.by = Mirror(sum_y, a.y);
  }
}

namespace {

// `value` moved on by `by` when it lies beyond `after`.
int Shifted(int value, int after, int by) {
  return value > after ? ClampToGrid(std::int64_t{value} + by) : value;
}

}  // namespace

void ShiftGrid(MapChange& change, GridAxis axis, int after, int by) {
  const EditMap& map = change.map();
  const bool rows = axis == GridAxis::kRows;
  auto moved = [after, by](int value) { return Shifted(value, after, by); };
  for (int i = 1; i <= map.rails().count(); ++i) {
    const MapRail& rail = map.rails()[i];
    if (rows) {
      const GridPoint left{rail.x1, moved(rail.LeftRow())};
      const GridPoint right{rail.x2, moved(rail.RightRow())};
      if (left.y != rail.LeftRow() || right.y != rail.RightRow()) {
        SetRailEnds(change.rails()[i], left, right);
      }
    } else if (moved(rail.x1) != rail.x1 || moved(rail.x2) != rail.x2) {
      MapRail& record = change.rails()[i];
      record.x1 = moved(record.x1);
      record.x2 = moved(record.x2);
    }
  }
  for (int i = 1; i <= map.points().count(); ++i) {
    MapPoint point = map.points()[i];
    if (rows) {
      if (UsedBranchSlots(point) == 0) {
        point.y1 = moved(point.y1);
        point.y2 = moved(point.y2);
      }
      for (int j = 1; j <= UsedBranchSlots(point); ++j) {
        const std::size_t s = static_cast<std::size_t>(j);
        for (int* dy : {&point.branch_left_dy[s], &point.branch_right_dy[s]}) {
          const std::int64_t row = std::int64_t{point.y1} + *dy;
          *dy = ClampToInt(moved(ClampToInt(row)) - std::int64_t{point.y1});
        }
      }
      FitPointRows(point);
    } else {
      point.x1 = moved(point.x1);
      point.x2 = moved(point.x2);
    }
    if (!(point == map.points()[i])) change.points()[i] = point;
  }
  for (int i = 1; i <= map.station_draws().count(); ++i) {
    MapStationDraw draw = map.station_draws()[i];
    int& first = rows ? draw.y1 : draw.x1;
    int& last = rows ? draw.y2 : draw.x2;
    first = moved(first);
    last = moved(last);
    if (!(draw == map.station_draws()[i])) change.station_draws()[i] = draw;
  }
  for (int i = 1; i <= map.jumps().count(); ++i) {
    MapJump jump = map.jumps()[i];
    int& a = rows ? jump.ay : jump.ax;
    int& b = rows ? jump.by : jump.bx;
    a = moved(a);
    b = moved(b);
    if (!(jump == map.jumps()[i])) change.jumps()[i] = jump;
  }
}

bool BandFree(const EditMap& map, GridAxis axis, int first, int last) {
  const bool rows = axis == GridAxis::kRows;
  auto in_band = [first, last](std::int64_t value) { return value > first && value <= last; };
  auto box_in_band = [&](int x1, int y1, int x2, int y2) {
    return rows ? in_band(y1) || in_band(y2) : in_band(x1) || in_band(x2);
  };
  for (const MapRail& rail : map.rails()) {
    if (box_in_band(rail.x1, rail.y1, rail.x2, rail.y2)) return false;
    if (rows && (in_band(std::int64_t{rail.y1} + rail.left_dy) ||
                 in_band(std::int64_t{rail.y1} + rail.right_dy))) {
      return false;
    }
  }
  for (const MapPoint& point : map.points()) {
    if (box_in_band(point.x1, point.y1, point.x2, point.y2)) return false;
    for (int j = 1; rows && j <= UsedBranchSlots(point); ++j) {
      const std::size_t s = static_cast<std::size_t>(j);
      if (in_band(std::int64_t{point.y1} + point.branch_left_dy[s]) ||
          in_band(std::int64_t{point.y1} + point.branch_right_dy[s])) {
        return false;
      }
    }
  }
  for (const MapStationDraw& draw : map.station_draws()) {
    if (box_in_band(draw.x1, draw.y1, draw.x2, draw.y2)) return false;
  }
  // A jump end holds the cell beside its grid point, one row above and below.
  for (const MapJump& jump : map.jumps()) {
    for (const bool end_a : {true, false}) {
      const std::int64_t x = end_a ? jump.ax : jump.bx;
      const std::int64_t y = end_a ? jump.ay : jump.by;
      const std::int64_t beside = end_a ? x + 1 : x - 1;
      const bool hit =
          rows ? in_band(y - 1) || in_band(y) || in_band(y + 1) : in_band(x) || in_band(beside);
      if (hit) return false;
    }
  }
  return true;
}

}  // namespace corvane
