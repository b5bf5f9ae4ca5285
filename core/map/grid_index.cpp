#include "map/grid_index.h"

namespace corvane {

GridIndex::GridIndex(const MapContent& map) : jumps_(map.jumps.count()) {
  for (int i = 1; i <= map.rails.count(); ++i) {
    const MapRail& r = map.rails[i];
    Put(left_rail_, r.x1, std::int64_t{r.y1} + r.left_dy, i);
    Put(right_rail_, r.x2, std::int64_t{r.y1} + r.right_dy, i);
  }
  for (int i = 1; i <= map.points.count(); ++i) {
    const MapPoint& p = map.points[i];
    for (int b = 1; b < kMaxBranches; ++b) {
      if (!BranchExists(p, b)) continue;
      const auto slot = static_cast<std::size_t>(b);
      Put(left_point_, p.x1, std::int64_t{p.y1} + p.branch_left_dy[slot], i);
      Put(right_point_, p.x2, std::int64_t{p.y1} + p.branch_right_dy[slot], i);
    }
  }
  for (const MapJump& jump : map.jumps) {
    jump_a_to_b_.try_emplace(Key(jump.ax, jump.ay), jump.b());
    jump_b_to_a_.try_emplace(Key(jump.bx, jump.by), jump.a());
  }
}

int GridIndex::RailContinuingRight(GridPoint p) const {
  // Every step through a jump uses one jump; more steps than jumps means the
  // search went round a ring.
  for (int step = 0; step <= jumps_; ++step) {
    if (const int rail = RailWithLeftEndAt(p); rail != 0) return rail;
    const auto next = jump_a_to_b_.find(Key(p.x, p.y));
    if (next == jump_a_to_b_.end()) return 0;
    p = next->second;
  }
  return 0;
}

int GridIndex::RailContinuingLeft(GridPoint p) const {
  for (int step = 0; step <= jumps_; ++step) {
    if (const int rail = RailWithRightEndAt(p); rail != 0) return rail;
    const auto next = jump_b_to_a_.find(Key(p.x, p.y));
    if (next == jump_b_to_a_.end()) return 0;
    p = next->second;
  }
  return 0;
}

}  // namespace corvane
