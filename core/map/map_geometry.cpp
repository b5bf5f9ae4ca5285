#include "map/map_geometry.h"

#include <algorithm>
#include <cstdint>
#include <limits>

#include "map/edit_map.h"

namespace corvane {

namespace {

bool RowIs(int y1, int dy, int row) { return static_cast<std::int64_t>(y1) + dy == row; }

// Strictly inside the box scaled to pixels.
bool BoxHolds(int x1, int y1, int x2, int y2, int px, int py) {
  const std::int64_t x = px, y = py;
  return std::int64_t{x1} * kCellWidth < x && x < std::int64_t{x2} * kCellWidth &&
         std::int64_t{y1} * kCellHeight < y && y < std::int64_t{y2} * kCellHeight;
}

}  // namespace

bool RowAt(int y1, int dy, int* row) {
  const std::int64_t value = static_cast<std::int64_t>(y1) + dy;
  if (value < std::numeric_limits<int>::min() || value > std::numeric_limits<int>::max()) {
    return false;
  }
  *row = static_cast<int>(value);
  return true;
}

bool LeftEnd(const MapRail& rail, GridPoint* p) {
  p->x = rail.x1;
  return RowAt(rail.y1, rail.left_dy, &p->y);
}

bool RightEnd(const MapRail& rail, GridPoint* p) {
  p->x = rail.x2;
  return RowAt(rail.y1, rail.right_dy, &p->y);
}

int EditMap::RailAt(int px, int py, int ignore) const {
  for (int i = 1; i <= content_.rails.count(); ++i) {
    const MapRail& r = content_.rails[i];
    if (i != ignore && BoxHolds(r.x1, r.y1, r.x2, r.y2, px, py)) return i;
  }
  return 0;
}

int EditMap::PointAt(int px, int py, int ignore) const {
  for (int i = 1; i <= content_.points.count(); ++i) {
    const MapPoint& p = content_.points[i];
    if (i != ignore && BoxHolds(p.x1, p.y1, p.x2, p.y2, px, py)) return i;
  }
  return 0;
}

int EditMap::StationDrawAt(int px, int py, int ignore) const {
  for (int i = 1; i <= content_.station_draws.count(); ++i) {
    const MapStationDraw& d = content_.station_draws[i];
    if (i != ignore && BoxHolds(d.x1, d.y1, d.x2, d.y2, px, py)) return i;
  }
  return 0;
}

JumpEnd EditMap::JumpEndAt(int px, int py, int ignore) const {
  const std::int64_t x = px, y = py;
  // An end's grip: one column beside the end (right of end A, left of end
  // B) and one row above and below it.
  auto in_rows = [y](int row) {
    const std::int64_t centre = std::int64_t{row} * kCellHeight;
    return centre - kCellHeight < y && y < centre + kCellHeight;
  };
  for (int i = 1; i <= content_.jumps.count(); ++i) {
    if (i == ignore) continue;
    const MapJump& jump = content_.jumps[i];
    const std::int64_t ax = std::int64_t{jump.ax} * kCellWidth;
    if (ax < x && x < ax + kCellWidth && in_rows(jump.ay)) return {i, true};
    const std::int64_t bx = std::int64_t{jump.bx} * kCellWidth;
    if (bx - kCellWidth < x && x < bx && in_rows(jump.by)) return {i, false};
  }
  return {};
}

bool EditMap::GridPointFree(GridPoint p) const {
  const std::int64_t px = std::int64_t{p.x} * kCellWidth;
  const std::int64_t py = std::int64_t{p.y} * kCellHeight;
  auto holds = [px, py](int x1, int y1, int x2, int y2) {
    return std::int64_t{x1} * kCellWidth < px && px < std::int64_t{x2} * kCellWidth &&
           std::int64_t{y1} * kCellHeight < py && py < std::int64_t{y2} * kCellHeight;
  };
  for (const MapRail& r : content_.rails) {
    if (holds(r.x1, r.y1, r.x2, r.y2)) return false;
  }
  for (const MapPoint& p2 : content_.points) {
    if (holds(p2.x1, p2.y1, p2.x2, p2.y2)) return false;
  }
  return true;
}

bool EditMap::BoxFree(int x1, int y1, int x2, int y2) const {
  // The centre of cell (x, y) lies strictly inside a box exactly when
  // box.x1 <= x < box.x2 and box.y1 <= y < box.y2, so the question is
  // whether two half-open ranges of cells meet; no need to visit the cells.
  auto meets = [&](int bx1, int by1, int bx2, int by2) {
    return std::max(x1, bx1) < std::min(x2, bx2) && std::max(y1, by1) < std::min(y2, by2);
  };
  for (const MapRail& r : content_.rails) {
    if (meets(r.x1, r.y1, r.x2, r.y2)) return false;
  }
  for (const MapPoint& p : content_.points) {
    if (meets(p.x1, p.y1, p.x2, p.y2)) return false;
  }
  return true;
}

int EditMap::RailWithLeftEndAt(GridPoint p) const {
  for (int i = 1; i <= content_.rails.count(); ++i) {
    const MapRail& r = content_.rails[i];
    if (r.x1 == p.x && RowIs(r.y1, r.left_dy, p.y)) return i;
  }
  return 0;
}

int EditMap::RailWithRightEndAt(GridPoint p) const {
  for (int i = 1; i <= content_.rails.count(); ++i) {
    const MapRail& r = content_.rails[i];
    if (r.x2 == p.x && RowIs(r.y1, r.right_dy, p.y)) return i;
  }
  return 0;
}

int EditMap::PointWithLeftBranchAt(GridPoint p) const {
  for (int i = 1; i <= content_.points.count(); ++i) {
    const MapPoint& point = content_.points[i];
    if (point.x1 != p.x) continue;
    for (int b = 1; b < kMaxBranches; ++b) {
      if (BranchExists(point, b) &&
          RowIs(point.y1, point.branch_left_dy[static_cast<std::size_t>(b)], p.y)) {
        return i;
      }
    }
  }
  return 0;
}

int EditMap::PointWithRightBranchAt(GridPoint p) const {
  for (int i = 1; i <= content_.points.count(); ++i) {
    const MapPoint& point = content_.points[i];
    if (point.x2 != p.x) continue;
    for (int b = 1; b < kMaxBranches; ++b) {
      if (BranchExists(point, b) &&
          RowIs(point.y1, point.branch_right_dy[static_cast<std::size_t>(b)], p.y)) {
        return i;
      }
    }
  }
  return 0;
}

int EditMap::RailContinuingRight(GridPoint p) const {
  // Every step through a jump uses one jump; more steps than jumps means the
  // search went round a ring.
  for (int step = 0; step <= content_.jumps.count(); ++step) {
    if (const int rail = RailWithLeftEndAt(p); rail != 0) return rail;
    const MapJump* next = nullptr;
    for (const MapJump& jump : content_.jumps) {
      if (jump.a() == p) {
        next = &jump;
        break;
      }
    }
    if (next == nullptr) return 0;
    p = next->b();
  }
  return 0;
}

int EditMap::RailContinuingLeft(GridPoint p) const {
  for (int step = 0; step <= content_.jumps.count(); ++step) {
    if (const int rail = RailWithRightEndAt(p); rail != 0) return rail;
    const MapJump* next = nullptr;
    for (const MapJump& jump : content_.jumps) {
      if (jump.b() == p) {
        next = &jump;
        break;
      }
    }
    if (next == nullptr) return 0;
    p = next->a();
  }
  return 0;
}

MapExtent EditMap::Extent() const {
  MapExtent extent;
  auto take = [&extent](int x, int y) {
    extent.max_x = std::max(extent.max_x, x);
    extent.max_y = std::max(extent.max_y, y);
  };
  for (const MapRail& r : content_.rails) take(std::max(r.x1, r.x2), std::max(r.y1, r.y2));
  for (const MapPoint& p : content_.points) take(std::max(p.x1, p.x2), std::max(p.y1, p.y2));
  for (const MapStationDraw& d : content_.station_draws)
    take(std::max(d.x1, d.x2), std::max(d.y1, d.y2));
  for (const MapJump& j : content_.jumps) take(std::max(j.ax, j.bx), std::max(j.ay, j.by));
  return extent;
}

}  // namespace corvane
