#include "interlocking/point_control.h"

namespace corvane {

namespace {

// The records a position changes, straight from a map under construction.
class MapRecords {
 public:
  explicit MapRecords(SystemMap& map) : map_(map) {}
  const SystemMap& map() const { return map_; }
  PointRecord& point(int index) { return map_.points[index]; }
  RailRecord& rail(int index) { return map_.rails[index]; }
  PRailRecord& piece(int index) { return map_.prails[index]; }

 private:
  SystemMap& map_;
};

// The same records through the change path of the loaded data.
class ChangedRecords {
 public:
  explicit ChangedRecords(DiaChange& change) : change_(change) {}
  const SystemMap& map() const { return change_.model().map(); }
  PointRecord& point(int index) { return change_.points()[index]; }
  RailRecord& rail(int index) { return change_.rails()[index]; }
  PRailRecord& piece(int index) { return change_.prails()[index]; }

 private:
  DiaChange& change_;
};

template <typename Records>
void ApplyPosition(Records& records, int point, int position) {
  const SystemMap& map = records.map();
  if (!map.points.Contains(point) || position < 0 || position >= kPointSlots) return;
  PointRecord& p = records.point(point);
  p.position = position;
  const auto d = static_cast<std::size_t>(position);
  for (int e = 0; e < p.entry_count && e < kPointSlots; ++e) {
    const auto entry = static_cast<std::size_t>(e);
    const int rail = p.entry_rails[entry];
    if (!map.rails.Contains(rail)) continue;
    RailRecord& r = records.rail(rail);
    if (map.prails.Contains(r.l_pack)) records.piece(r.l_pack).in_use = p.route_flag[entry][d];
    r.l_next = p.route_value_a[entry][d];
    r.l_back = p.route_value_b[entry][d];
    if (r.l_next > 0 && map.rails.Contains(r.l_next)) records.rail(r.l_next).l_back = rail;
    if (r.l_back > 0 && map.rails.Contains(r.l_back)) records.rail(r.l_back).l_next = rail;
  }
}

template <typename Records>
void Throw(Records& records, int point, int step) {
  const SystemMap& map = records.map();
  if (!map.points.Contains(point)) return;
  const PointRecord& p = map.points[point];
  const int n = p.branch_count;
  if (n <= 0) return;
  ApplyPosition(records, point, ((p.position + step) % n + n) % n);
}

}  // namespace

void SetPointPosition(SystemMap& map, int point, int position) {
  MapRecords records(map);
  ApplyPosition(records, point, position);
}

void SetPointPosition(DiaChange& change, int point, int position) {
  ChangedRecords records(change);
  ApplyPosition(records, point, position);
}

void ThrowPoint(SystemMap& map, int point, int step) {
  MapRecords records(map);
  Throw(records, point, step);
}

void ThrowPoint(DiaChange& change, int point, int step) {
  ChangedRecords records(change);
  Throw(records, point, step);
}

}  // namespace corvane
