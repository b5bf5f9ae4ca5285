#include "interlocking/point_control.h"

namespace corvane {

void SetPointPosition(SystemMap& map, int point, int position) {
  PointRecord& p = map.points[point];
  if (position < 0 || position >= kPointSlots) return;
  p.position = position;
  const auto d = static_cast<std::size_t>(position);
  for (int e = 0; e < p.entry_count && e < kPointSlots; ++e) {
    const auto entry = static_cast<std::size_t>(e);
    const int rail = p.entry_rails[entry];
    if (!map.rails.Contains(rail)) continue;
    RailRecord& r = map.rails[rail];
    if (map.prails.Contains(r.l_pack)) map.prails[r.l_pack].in_use = p.route_flag[entry][d];
    r.l_next = p.route_value_a[entry][d];
    r.l_back = p.route_value_b[entry][d];
    if (r.l_next > 0 && map.rails.Contains(r.l_next)) map.rails[r.l_next].l_back = rail;
    if (r.l_back > 0 && map.rails.Contains(r.l_back)) map.rails[r.l_back].l_next = rail;
  }
}

void ThrowPoint(SystemMap& map, int point, int step) {
  const PointRecord& p = map.points[point];
  const int n = p.branch_count;
  if (n <= 0) return;
  SetPointPosition(map, point, ((p.position + step) % n + n) % n);
}

}  // namespace corvane
