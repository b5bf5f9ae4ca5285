#include "editor/edit_map.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <string_view>
#include <utility>

#include "base/encoding.h"

namespace corvane {

namespace {

bool FitsInt(std::int64_t value) {
  return value >= std::numeric_limits<int>::min() && value <= std::numeric_limits<int>::max();
}

// Row y1 + dy, or false when it lies beyond the grid (nothing can be there).
bool RowAt(int y1, int dy, int* row) {
  const std::int64_t value = static_cast<std::int64_t>(y1) + dy;
  if (!FitsInt(value)) return false;
  *row = static_cast<int>(value);
  return true;
}

bool RowIs(int y1, int dy, int row) { return static_cast<std::int64_t>(y1) + dy == row; }

// Strictly inside the box scaled to pixels.
bool BoxHolds(int x1, int y1, int x2, int y2, int px, int py) {
  const std::int64_t x = px, y = py;
  return std::int64_t{x1} * kCellWidth < x && x < std::int64_t{x2} * kCellWidth &&
         std::int64_t{y1} * kCellHeight < y && y < std::int64_t{y2} * kCellHeight;
}

// A reference to record `deleted` becomes 0, one to a later record follows it
// down by one.
void Renumber(int& reference, int deleted) {
  if (reference == deleted) {
    reference = 0;
  } else if (reference > deleted) {
    --reference;
  }
}

// Which crossing slots exist, by kind 3..8.
constexpr int kCrossingBranchTable[6][4] = {
    {1, 1, 1, 1},  // 3
    {1, 0, 1, 1},  // 4
    {1, 1, 0, 1},  // 5
    {0, 1, 1, 0},  // 6
    {1, 1, 1, 0},  // 7
    {0, 1, 1, 1},  // 8
};

// The default entries of a new map's naming tables, as UTF-8.
struct DefaultName {
  std::string_view short_left, name_left, short_right, name_right;
};

constexpr DefaultName kDefaultBlockNames[] = {{"　", "", "　", ""}};
constexpr DefaultName kDefaultYardNames[] = {
    {"上出", "上り出発", "下場", "下り場内"},
    {"上場", "上り場内", "下出", "下り出発"},
};
constexpr DefaultName kDefaultStationNames[] = {
    {"本線", "本線", "本線", "本線"},
    {"下本", "下り本線", "下本", "下り本線"},
    {"上本", "上り本線", "上本", "上り本線"},
    {"下中", "下り中線", "下中", "下り中線"},
    {"上中", "上り中線", "上中", "上り中線"},
    {"下副", "下り副本線", "下副", "下り副本線"},
    {"上副", "上り副本線", "上副", "上り副本線"},
    {"中線", "中線", "中線", "中線"},
    {"副本", "副本線", "副本", "副本線"},
};
constexpr std::string_view kNumberedTracks[] = {"０番", "１番", "２番", "３番", "４番",
                                                "５番", "６番", "７番", "８番"};
constexpr DefaultName kDefaultTargetNames[] = {{"引上", "引上げ", "引上", "引上げ"}};

MapNameEntry NameEntry(const DefaultName& name) {
  MapNameEntry entry;
  entry.short_left = Utf8ToSjis(name.short_left);
  entry.name_left = Utf8ToSjis(name.name_left);
  entry.short_right = Utf8ToSjis(name.short_right);
  entry.name_right = Utf8ToSjis(name.name_right);
  return entry;
}

MapNameEntry SameNameEntry(std::string_view utf8) { return NameEntry({utf8, utf8, utf8, utf8}); }

template <typename Entries>
void FillNames(Table<MapNameEntry>& table, const Entries& entries) {
  for (const DefaultName& name : entries) table.Append(NameEntry(name));
}

// Refusal of an addition: fills `refusal` when the table was full.
int Added(int number, MapTable table, Refusal* refusal) {
  if (number == 0 && refusal != nullptr) *refusal = FullTableRefusal(table);
  return number;
}

// Walking directions along the grid.
constexpr int kRightward = 1;
constexpr int kLeftward = -1;

int RailContinuing(const EditMap& map, GridPoint p, int heading) {
  return heading == kRightward ? map.RailContinuingRight(p) : map.RailContinuingLeft(p);
}

// A point that continues from `p` in `heading`: one with a branch end at `p`
// on the side facing it. Jumps lead only to segments, so a point is looked
// for at `p` itself.
int PointContinuing(const EditMap& map, GridPoint p, int heading) {
  return heading == kRightward ? map.PointWithLeftBranchAt(p) : map.PointWithRightBranchAt(p);
}

// Whether anything continues from `p` in `heading`: a segment (also through
// jumps) or a point branch.
bool ContinuesFrom(const EditMap& map, GridPoint p, int heading) {
  return RailContinuing(map, p, heading) != 0 || PointContinuing(map, p, heading) != 0;
}

bool LeftEnd(const MapRail& rail, GridPoint* p) {
  p->x = rail.x1;
  return RowAt(rail.y1, rail.left_dy, &p->y);
}

bool RightEnd(const MapRail& rail, GridPoint* p) {
  p->x = rail.x2;
  return RowAt(rail.y1, rail.right_dy, &p->y);
}

// The start-point walk. Distances are in units of 10 metres and measured
// along the line away from the start: walking in the start segment's forward
// direction (away from its free end) adds, walking the other way subtracts.
// So a line that runs leftward from its start gets growing marks just like
// one that runs rightward, and every mark is the position of a stop target
// relative to the start segment's free end.
//
// The walk is depth first with an explicit stack (maps are large enough to
// make recursion risky). Every point is entered once (its distance mark says
// so) and every segment passed at most once per direction, which also ends
// walks around loops of segments and jumps.
class StartWalk {
 public:
  StartWalk(EditMap& map, int forward)
      : map_(map),
        forward_(forward),
        passed_right_(static_cast<std::size_t>(map.rails.count()) + 1, 0),
        passed_left_(static_cast<std::size_t>(map.rails.count()) + 1, 0),
        station_marked_(static_cast<std::size_t>(map.stations.count()) + 1, 0),
        target_marked_(static_cast<std::size_t>(map.targets.count()) + 1, 0) {}

  // Walks from segment `start` in the forward direction and then from its
  // other end the other way.
  void Run(int start) {
    const MapRail& rail = map_.rails[start];
    GridPoint back;
    const bool has_back = forward_ == kRightward ? LeftEnd(rail, &back) : RightEnd(rail, &back);
    if (has_back) stack_.push_back(Step{0, back, -forward_, 0});
    stack_.push_back(Step{start, {}, forward_, 0});
    while (!stack_.empty()) {
      const Step step = stack_.back();
      stack_.pop_back();
      Follow(step);
    }
  }

 private:
  // Either "pass segment `rail` entering it with `distance`" or "continue
  // from grid point `at` with `distance`".
  struct Step {
    int rail;
    GridPoint at;
    int heading;
    std::int64_t distance;
  };

  std::int64_t Signed(int heading, int value) const {
    return heading == forward_ ? std::int64_t{value} / 10 : -(std::int64_t{value} / 10);
  }

  // Follows the track from a step until it ends, loops back or reaches a
  // point (whose branches become new steps).
  void Follow(Step step) {
    GridPoint at = step.at;
    std::int64_t distance = step.distance;
    int rail = step.rail;
    for (;;) {
      if (rail != 0 && !PassRail(rail, step.heading, &at, &distance)) return;
      rail = RailContinuing(map_, at, step.heading);
      if (rail != 0) continue;
      const int point = PointContinuing(map_, at, step.heading);
      if (point != 0) EnterPoint(point, at, step.heading, distance);
      return;
    }
  }

  // Passes a segment: marks its station or stop section and moves `*at` and
  // `*distance` to its far end. False when the walk stops here.
  bool PassRail(int index, int heading, GridPoint* at, std::int64_t* distance) {
    std::vector<char>& passed = heading == kRightward ? passed_right_ : passed_left_;
    if (passed[static_cast<std::size_t>(index)]) return false;
    passed[static_cast<std::size_t>(index)] = 1;
    const MapRail& rail = map_.rails[index];
    const int stop = heading == kRightward ? rail.stop_right : rail.stop_left;
    Mark(rail, *distance + Signed(heading, stop));
    *distance += Signed(heading, rail.length);
    return heading == kRightward ? RightEnd(rail, at) : LeftEnd(rail, at);
  }

  void Mark(const MapRail& rail, std::int64_t distance) {
    const int value = ClampToInt(distance);
    if (map_.stations.Contains(rail.station) &&
        !station_marked_[static_cast<std::size_t>(rail.station)]) {
      station_marked_[static_cast<std::size_t>(rail.station)] = 1;
      MapStation& station = map_.stations[rail.station];
      station.start_marks[0] = value;
      station.start_marks[1] = value;
      station.previous_station = last_station_;
      last_station_ = rail.station;
      if (map_.first_station == 0) map_.first_station = rail.station;
    }
    if (map_.targets.Contains(rail.target) &&
        !target_marked_[static_cast<std::size_t>(rail.target)]) {
      target_marked_[static_cast<std::size_t>(rail.target)] = 1;
      map_.targets[rail.target].start_marks[1] = value;
      if (map_.first_station == 0 && map_.first_target == 0) map_.first_target = rail.target;
    }
  }

  // Enters a point at grid point `arrival`: every branch leads on to its far
  // end in the walking direction, and a branch whose near end lies on another
  // row than the arrival also starts a walk back the other way from there.
  void EnterPoint(int index, GridPoint arrival, int heading, std::int64_t distance) {
    MapPoint& point = map_.points[index];
    if (point.distance_mark != 0) return;
    point.distance_mark = 1;
    const std::int64_t far_distance = distance + Signed(heading, point.length);
    const int near_x = heading == kRightward ? point.x1 : point.x2;
    const int far_x = heading == kRightward ? point.x2 : point.x1;
    std::vector<Step> steps;
    auto add = [&steps](const Step& step) {
      for (const Step& s : steps) {
        if (s.at == step.at && s.heading == step.heading) return;
      }
      steps.push_back(step);
    };
    for (int branch = 1; branch < kMaxBranches; ++branch) {
      if (!BranchExists(point, branch)) continue;
      const std::size_t slot = static_cast<std::size_t>(branch);
      const int near_dy =
          heading == kRightward ? point.branch_left_dy[slot] : point.branch_right_dy[slot];
      const int far_dy =
          heading == kRightward ? point.branch_right_dy[slot] : point.branch_left_dy[slot];
      int near_row, far_row;
      if (RowAt(point.y1, far_dy, &far_row)) {
        add(Step{0, {far_x, far_row}, heading, far_distance});
      }
      if (RowAt(point.y1, near_dy, &near_row) && near_row != arrival.y) {
        add(Step{0, {near_x, near_row}, -heading, distance});
      }
    }
    // Last pushed is walked first: keep branch order.
    for (auto it = steps.rbegin(); it != steps.rend(); ++it) stack_.push_back(*it);
  }

  EditMap& map_;
  const int forward_;
  std::vector<Step> stack_;
  std::vector<char> passed_right_, passed_left_;
  std::vector<char> station_marked_, target_marked_;
  int last_station_ = 0;
};

}  // namespace

int ClampToInt(std::int64_t value) {
  return static_cast<int>(std::clamp<std::int64_t>(value, std::numeric_limits<int>::min(),
                                                   std::numeric_limits<int>::max()));
}

GridPoint SnapToGrid(int px, int py) {
  return {ClampToInt((std::int64_t{px} + kCellWidth / 2) / kCellWidth),
          ClampToInt((std::int64_t{py} + kCellHeight / 2) / kCellHeight)};
}

MapRail NewRail(GridPoint a, GridPoint b, int direction) {
  MapRail rail;
  SetRailEnds(rail, a, b);
  rail.direction = direction;
  rail.length = ClampToInt((std::int64_t{rail.x2} - rail.x1) * 100);
  return rail;
}

void SetRailEnds(MapRail& rail, GridPoint a, GridPoint b) {
  if (b.x < a.x) std::swap(a, b);
  const std::int64_t top = std::int64_t{std::min(a.y, b.y)} - 1;
  rail.x1 = a.x;
  rail.x2 = b.x;
  rail.y1 = ClampToInt(top);
  rail.y2 = ClampToInt(std::int64_t{std::max(a.y, b.y)} + 1);
  rail.left_dy = ClampToInt(a.y - top);
  rail.right_dy = ClampToInt(b.y - top);
}

bool BranchExists(const MapPoint& point, int branch) {
  if (branch < 1 || branch >= kMaxBranches || branch > point.branch_count) return false;
  if (point.kind == kTurnoutJointLeft || point.kind == kTurnoutJointRight) return true;
  if (!point.IsCrossing() || branch > 4) return false;
  return kCrossingBranchTable[point.kind - kCrossingFirst][branch - 1] != 0;
}

Refusal FullTableRefusal(MapTable table) {
  switch (table) {
    case MapTable::kStation:
    case MapTable::kTarget:
      return {"これ以上は追加できません。", "操作エラー"};
    default:
      return {"これ以上増やせません。", "サイズエラー"};
  }
}

std::string JumpNameFor(int number, int count) {
  if (number < 1) return "";
  if (count <= 36 && number <= 36) {
    const char c =
        number <= 26 ? static_cast<char>('A' + number - 1) : static_cast<char>('0' + number - 27);
    return std::string(1, c);
  }
  if (number <= 26 * 26) {
    const int i = number - 1;
    return {static_cast<char>('A' + i / 26), static_cast<char>('A' + i % 26)};
  }
  const int i = number - 26 * 26 - 1;
  if (i >= 26 * 26 * 26) return "";
  return {static_cast<char>('A' + i / (26 * 26)), static_cast<char>('A' + i / 26 % 26),
          static_cast<char>('A' + i % 26)};
}

EditMap::EditMap() { Reset(); }

Table<MapNameEntry>& EditMap::Names(NameTable table) {
  switch (table) {
    case NameTable::kBlock:
      return block_names;
    case NameTable::kYard:
      return yard_names;
    case NameTable::kStation:
      return station_names;
    case NameTable::kTarget:
      break;
  }
  return target_names;
}

const Table<MapNameEntry>& EditMap::Names(NameTable table) const {
  return const_cast<EditMap*>(this)->Names(table);
}

void EditMap::Reset() {
  map_code = kNoMapCode;
  map_name = "";
  settings = MapSettings{};
  time_units = TimeUnits{};
  start = StartPoint{};
  version = kMapVersion;
  modified = false;
  first_station = 0;
  first_target = 0;
  rails.Clear();
  points.Clear();
  stations.Clear();
  targets.Clear();
  station_draws.Clear();
  jumps.Clear();
  block_names.Clear();
  yard_names.Clear();
  station_names.Clear();
  target_names.Clear();
  details.clear();
  FillNames(block_names, kDefaultBlockNames);
  FillNames(yard_names, kDefaultYardNames);
  FillNames(station_names, kDefaultStationNames);
  for (std::string_view track : kNumberedTracks) station_names.Append(SameNameEntry(track));
  FillNames(target_names, kDefaultTargetNames);
  for (std::size_t i = 1; i < std::size(kNumberedTracks); ++i) {
    target_names.Append(SameNameEntry(kNumberedTracks[i]));
  }
  ClearSignalTypes();
}

void EditMap::ClearSignalTypes() {
  signal_types.Clear();
  images.assign(1, SignalImageRecord{});
  colours.assign(1, AspectColour{});
}

int EditMap::AddRail(const MapRail& rail, Refusal* refusal) {
  return Added(rails.Append(rail), MapTable::kRail, refusal);
}

int EditMap::AddPoint(const MapPoint& point, Refusal* refusal) {
  return Added(points.Append(point), MapTable::kPoint, refusal);
}

int EditMap::AddStation(const MapStation& station, Refusal* refusal) {
  return Added(stations.Append(station), MapTable::kStation, refusal);
}

int EditMap::AddTarget(const MapTarget& target, Refusal* refusal) {
  return Added(targets.Append(target), MapTable::kTarget, refusal);
}

int EditMap::AddStationDraw(const MapStationDraw& draw, Refusal* refusal) {
  return Added(station_draws.Append(draw), MapTable::kStationDraw, refusal);
}

int EditMap::AddJump(const MapJump& jump, Refusal* refusal) {
  const int number = Added(jumps.Append(jump), MapTable::kJump, refusal);
  if (number != 0) RenameJumps();
  return number;
}

int EditMap::AddNameEntry(NameTable table, const MapNameEntry& entry, Refusal* refusal) {
  static constexpr MapTable kTables[] = {MapTable::kBlockName, MapTable::kYardName,
                                         MapTable::kStationName, MapTable::kTargetName};
  return Added(Names(table).Append(entry), kTables[static_cast<int>(table)], refusal);
}

void EditMap::DeleteRail(int index) {
  if (!rails.Contains(index)) return;
  std::erase_if(details, [index](const MapDetail& d) { return d.rail == index; });
  for (MapDetail& detail : details) {
    if (detail.rail > index) --detail.rail;
  }
  rails.Delete(index);
  Renumber(start.start_rail, index);
}

void EditMap::DeletePoint(int index) {
  if (!points.Contains(index)) return;
  std::erase_if(details, [index](const MapDetail& d) { return d.point == index; });
  for (MapDetail& detail : details) {
    if (detail.point > index) --detail.point;
  }
  points.Delete(index);
}

void EditMap::DeleteStation(int index) {
  if (!stations.Contains(index)) return;
  for (int draw = station_draws.count(); draw >= 1; --draw) {
    if (station_draws[draw].station == index) station_draws.Delete(draw);
  }
  for (MapStationDraw& draw : station_draws) Renumber(draw.station, index);
  for (MapRail& rail : rails) {
    Renumber(rail.station, index);
    Renumber(rail.yard_station, index);
  }
  for (MapPoint& point : points) Renumber(point.yard_station, index);
  stations.Delete(index);
  for (MapStation& station : stations) Renumber(station.previous_station, index);
  Renumber(start.start_station, index);
  Renumber(first_station, index);
}

void EditMap::DeleteTarget(int index) {
  if (!targets.Contains(index)) return;
  for (MapRail& rail : rails) {
    Renumber(rail.target, index);
    Renumber(rail.yard_target, index);
  }
  for (MapPoint& point : points) Renumber(point.yard_target, index);
  targets.Delete(index);
  Renumber(start.start_target, index);
  Renumber(first_target, index);
}

void EditMap::DeleteStationDraw(int index) { station_draws.Delete(index); }

void EditMap::DeleteJump(int index) {
  if (!jumps.Contains(index)) return;
  jumps.Delete(index);
  RenameJumps();
}

void EditMap::DeleteNameEntry(NameTable table, int index) {
  Table<MapNameEntry>& names = Names(table);
  if (!names.Contains(index)) return;
  for (MapRail& rail : rails) {
    switch (table) {
      case NameTable::kBlock:
        Renumber(rail.block_name, index);
        break;
      case NameTable::kYard:
        Renumber(rail.yard_name, index);
        break;
      case NameTable::kStation:
        Renumber(rail.station_name, index);
        break;
      case NameTable::kTarget:
        Renumber(rail.target_name, index);
        break;
    }
  }
  if (table == NameTable::kYard) {
    for (MapPoint& point : points) Renumber(point.yard_name, index);
  }
  names.Delete(index);
}

void EditMap::RenameJumps() {
  const int count = jumps.count();
  for (int i = 1; i <= count; ++i) jumps[i].name = JumpNameFor(i, count);
}

int EditMap::RailAt(int px, int py, int ignore) const {
  for (int i = 1; i <= rails.count(); ++i) {
    const MapRail& r = rails[i];
    if (i != ignore && BoxHolds(r.x1, r.y1, r.x2, r.y2, px, py)) return i;
  }
  return 0;
}

int EditMap::PointAt(int px, int py, int ignore) const {
  for (int i = 1; i <= points.count(); ++i) {
    const MapPoint& p = points[i];
    if (i != ignore && BoxHolds(p.x1, p.y1, p.x2, p.y2, px, py)) return i;
  }
  return 0;
}

int EditMap::StationDrawAt(int px, int py, int ignore) const {
  for (int i = 1; i <= station_draws.count(); ++i) {
    const MapStationDraw& d = station_draws[i];
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
  for (int i = 1; i <= jumps.count(); ++i) {
    if (i == ignore) continue;
    const MapJump& jump = jumps[i];
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
  for (const MapRail& r : rails) {
    if (holds(r.x1, r.y1, r.x2, r.y2)) return false;
  }
  for (const MapPoint& p2 : points) {
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
  for (const MapRail& r : rails) {
    if (meets(r.x1, r.y1, r.x2, r.y2)) return false;
  }
  for (const MapPoint& p : points) {
    if (meets(p.x1, p.y1, p.x2, p.y2)) return false;
  }
  return true;
}

int EditMap::RailWithLeftEndAt(GridPoint p) const {
  for (int i = 1; i <= rails.count(); ++i) {
    const MapRail& r = rails[i];
    if (r.x1 == p.x && RowIs(r.y1, r.left_dy, p.y)) return i;
  }
  return 0;
}

int EditMap::RailWithRightEndAt(GridPoint p) const {
  for (int i = 1; i <= rails.count(); ++i) {
    const MapRail& r = rails[i];
    if (r.x2 == p.x && RowIs(r.y1, r.right_dy, p.y)) return i;
  }
  return 0;
}

int EditMap::PointWithLeftBranchAt(GridPoint p) const {
  for (int i = 1; i <= points.count(); ++i) {
    const MapPoint& point = points[i];
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
  for (int i = 1; i <= points.count(); ++i) {
    const MapPoint& point = points[i];
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
  for (int step = 0; step <= jumps.count(); ++step) {
    if (const int rail = RailWithLeftEndAt(p); rail != 0) return rail;
    const MapJump* next = nullptr;
    for (const MapJump& jump : jumps) {
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
  for (int step = 0; step <= jumps.count(); ++step) {
    if (const int rail = RailWithRightEndAt(p); rail != 0) return rail;
    const MapJump* next = nullptr;
    for (const MapJump& jump : jumps) {
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
  for (const MapRail& r : rails) take(std::max(r.x1, r.x2), std::max(r.y1, r.y2));
  for (const MapPoint& p : points) take(std::max(p.x1, p.x2), std::max(p.y1, p.y2));
  for (const MapStationDraw& d : station_draws) take(std::max(d.x1, d.x2), std::max(d.y1, d.y2));
  for (const MapJump& j : jumps) take(std::max(j.ax, j.bx), std::max(j.ay, j.by));
  return extent;
}

bool EditMap::CanBeStartRail(int rail) const {
  if (!rails.Contains(rail)) return false;
  GridPoint left, right;
  const bool left_open = !LeftEnd(rails[rail], &left) || !ContinuesFrom(*this, left, kLeftward);
  const bool right_open =
      !RightEnd(rails[rail], &right) || !ContinuesFrom(*this, right, kRightward);
  return left_open || right_open;
}

void EditMap::SetStartRail(int rail) {
  start.start_rail = rails.Contains(rail) ? rail : 0;
  for (MapPoint& point : points) point.distance_mark = 0;
  for (MapStation& station : stations) {
    station.start_marks.fill(-1);
    station.previous_station = 0;
  }
  for (MapTarget& target : targets) target.start_marks.fill(-1);
  first_station = 0;
  first_target = 0;
  if (start.start_rail == 0) return;

  // The line runs away from the segment's free end: rightward unless only
  // its right end is free.
  GridPoint left, right;
  const MapRail& start_rail = rails[start.start_rail];
  const bool left_open = !LeftEnd(start_rail, &left) || !ContinuesFrom(*this, left, kLeftward);
  const bool right_open = !RightEnd(start_rail, &right) || !ContinuesFrom(*this, right, kRightward);
  const int forward = (right_open && !left_open) ? kLeftward : kRightward;
  StartWalk(*this, forward).Run(start.start_rail);
}

}  // namespace corvane
