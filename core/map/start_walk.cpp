#include "map/start_walk.h"

#include <cstdint>
#include <vector>

#include "map/grid_index.h"
#include "map/map_geometry.h"

namespace corvane {

namespace {

// Walking directions along the grid.
constexpr int kRightward = 1;
constexpr int kLeftward = -1;

// `Map` answers the connection questions: the map itself, or a GridIndex of
// it for walks over every segment.
template <typename Map>
int RailContinuing(const Map& map, GridPoint p, int heading) {
  return heading == kRightward ? map.RailContinuingRight(p) : map.RailContinuingLeft(p);
}

// A point that continues from `p` in `heading`: one with a branch end at `p`
// on the side facing it. Jumps lead only to segments, so a point is looked
// for at `p` itself.
template <typename Map>
int PointContinuing(const Map& map, GridPoint p, int heading) {
  return heading == kRightward ? map.PointWithLeftBranchAt(p) : map.PointWithRightBranchAt(p);
}

// Whether anything continues from `p` in `heading`: a segment (also through
// jumps) or a point branch.
bool ContinuesFrom(const EditMap& map, GridPoint p, int heading) {
  return RailContinuing(map, p, heading) != 0 || PointContinuing(map, p, heading) != 0;
}

// The start-point walk. Distances are in units of 10 metres and measured
// along the line away from the start: walking in the start segment's forward
// direction (away from its free end) adds, walking the other way subtracts.
// So a line that runs leftward from its start gets growing marks just like
// one that runs rightward, and every mark is the position of a stop target
// relative to the start segment's free end.
//
// The walk is depth first with an explicit stack (maps are large enough to
// make recursion risky). Every point is entered once and every segment passed at most once per
// direction, which also ends walks around loops of segments and jumps.
class StartWalk {
 public:
  StartWalk(MapChange& change, int forward)
      : change_(change),
        map_(change.map()),
        forward_(forward),
        passed_right_(static_cast<std::size_t>(map_.rails().count()) + 1, 0),
        passed_left_(static_cast<std::size_t>(map_.rails().count()) + 1, 0),
        point_entered_(static_cast<std::size_t>(map_.points().count()) + 1, 0),
        station_marked_(static_cast<std::size_t>(map_.stations().count()) + 1, 0),
        target_marked_(static_cast<std::size_t>(map_.targets().count()) + 1, 0) {}

  // Walks from segment `start` in the forward direction and then from its
  // other end the other way.
  void Run(int start) {
    const MapRail& rail = map_.rails()[start];
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
      rail = RailContinuing(index_, at, step.heading);
      if (rail != 0) continue;
      const int point = PointContinuing(index_, at, step.heading);
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
    const MapRail& rail = map_.rails()[index];
    const int stop = heading == kRightward ? rail.stop_right : rail.stop_left;
    Mark(rail, *distance + Signed(heading, stop));
    *distance += Signed(heading, rail.length);
    return heading == kRightward ? RightEnd(rail, at) : LeftEnd(rail, at);
  }

  void Mark(const MapRail& rail, std::int64_t distance) {
    const int value = ClampToInt(distance);
    if (map_.stations().Contains(rail.station) &&
        !station_marked_[static_cast<std::size_t>(rail.station)]) {
      station_marked_[static_cast<std::size_t>(rail.station)] = 1;
      MapStation& station = change_.stations()[rail.station];
      station.start_marks[0] = value;
      station.start_marks[1] = value;
      station.previous_station = last_station_;
      last_station_ = rail.station;
      if (map_.header().first_station == 0) change_.header().first_station = rail.station;
    }
    if (map_.targets().Contains(rail.target) &&
        !target_marked_[static_cast<std::size_t>(rail.target)]) {
      target_marked_[static_cast<std::size_t>(rail.target)] = 1;
      change_.targets()[rail.target].start_marks[1] = value;
      if (map_.header().first_station == 0 && map_.header().first_target == 0) {
        change_.header().first_target = rail.target;
      }
    }
  }

  // Enters a point at grid point `arrival`: every branch leads on to its far
  // end in the walking direction, and a branch whose near end lies on another
  // row than the arrival also starts a walk back the other way from there.
  void EnterPoint(int index, GridPoint arrival, int heading, std::int64_t distance) {
    if (point_entered_[static_cast<std::size_t>(index)]) return;
    point_entered_[static_cast<std::size_t>(index)] = 1;
    const MapPoint& point = map_.points()[index];
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

  MapChange& change_;
  const EditMap& map_;
  const GridIndex index_{map_.content()};
  const int forward_;
  std::vector<Step> stack_;
  std::vector<char> passed_right_, passed_left_;
  std::vector<char> point_entered_;
  std::vector<char> station_marked_, target_marked_;
  int last_station_ = 0;
};

}  // namespace

bool EditMap::CanBeStartRail(int rail) const {
  if (!rails().Contains(rail)) return false;
  GridPoint left, right;
  const bool left_open = !LeftEnd(rails()[rail], &left) || !ContinuesFrom(*this, left, kLeftward);
  const bool right_open =
      !RightEnd(rails()[rail], &right) || !ContinuesFrom(*this, right, kRightward);
  return left_open || right_open;
}

void SetStartRail(MapChange& change, int rail) {
  const EditMap& map = change.map();
  change.header().start.start_rail = map.rails().Contains(rail) ? rail : 0;
  // Only a station the walk reaches records the station met before it; the
  // others keep what they hold.
  for (int i = 1; i <= map.stations().count(); ++i) change.stations()[i].start_marks.fill(-1);
  for (int i = 1; i <= map.targets().count(); ++i) change.targets()[i].start_marks.fill(-1);
  change.header().first_station = 0;
  change.header().first_target = 0;
  const int start = map.header().start.start_rail;
  if (start == 0) return;

  // The line runs away from the segment's free end: rightward unless only
  // its right end is free.
  GridPoint left, right;
  const MapRail& start_rail = map.rails()[start];
  const bool left_open = !LeftEnd(start_rail, &left) || !ContinuesFrom(map, left, kLeftward);
  const bool right_open = !RightEnd(start_rail, &right) || !ContinuesFrom(map, right, kRightward);
  const int forward = (right_open && !left_open) ? kLeftward : kRightward;
  StartWalk(change, forward).Run(start);
}

}  // namespace corvane
