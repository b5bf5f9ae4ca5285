#include "interlocking/point_control.h"

#include <algorithm>
#include <string>
#include <vector>

#include "base/text_format.h"
#include "interlocking/aspects.h"
#include "map/point_keys.h"

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

std::size_t At(int index) { return static_cast<std::size_t>(index); }

int EntryCount(const PointRecord& p) { return std::clamp(p.entry_count, 0, kPointSlots); }

template <typename Records>
void ApplyPosition(Records& records, int point, int position) {
  const SystemMap& map = records.map();
  if (!map.points.Contains(point) || position < 0 || position >= kPointSlots) return;
  if (map.points[point].position != position) records.point(point).position = position;
  const PointRecord& p = map.points[point];
  const auto d = At(position);
  for (int e = 0; e < EntryCount(p); ++e) {
    const auto entry = At(e);
    const int rail = p.entry_rails[entry];
    if (!map.rails.Contains(rail)) continue;
    const RailRecord& r = map.rails[rail];
    const int in_use = p.route_flag[entry][d];
    const int next = p.route_value_a[entry][d];
    const int back = p.route_value_b[entry][d];
    if (map.prails.Contains(r.l_pack) && map.prails[r.l_pack].in_use != in_use) {
      records.piece(r.l_pack).in_use = in_use;
    }
    if (r.l_next != next || r.l_back != back) {
      RailRecord& changed = records.rail(rail);
      changed.l_next = next;
      changed.l_back = back;
    }
    if (next > 0 && map.rails.Contains(next) && map.rails[next].l_back != rail) {
      records.rail(next).l_back = rail;
    }
    if (back > 0 && map.rails.Contains(back) && map.rails[back].l_next != rail) {
      records.rail(back).l_next = rail;
    }
  }
}

const RailRecord* RailOf(const SystemMap& map, int rail) {
  return map.rails.Contains(rail) ? &map.rails[rail] : nullptr;
}

// Whether `rail` holds a standing train (a state below 13) by its booking
// mark: the train whose formation may not fit the rail.
int StandingTrainOn(const DiaFile& file, const RunState& run, int rail) {
  const int train = run.rails[At(rail)].booking;
  if (train <= 0 || !file.dia.trains.Contains(train) || At(train) >= run.trains.size()) return 0;
  return run.trains[At(train)].state < 13 ? train : 0;
}

// The position a throw by `step` goes to: the next one, or the next that
// has `requested_rail` on its path; none when no position has it.
std::optional<int> NewPosition(const PointRecord& p, int step, int requested_rail) {
  const int n = PositionCount(p);
  const int current = std::clamp(p.position, 0, n - 1);
  const auto next = [n, step](int from) { return ((from + step) % n + n) % n; };
  if (requested_rail == 0) return next(current);
  for (int d = next(current); d != current; d = next(d)) {
    if (OnPointPath(p, requested_rail, d)) return d;
  }
  return std::nullopt;
}

constexpr const char* kModeMessages[kPointModes] = {
    "ポイントが手動制御に設定されました。", "ポイントが復位制御に設定されました。",
    "ポイントが要求制御に設定されました。", "ポイントが通知制御に設定されました。",
    "ポイントが順序制御に設定されました。", "ポイントが併用制御に設定されました。",
};

}  // namespace

void SetPointPosition(SystemMap& map, int point, int position) {
  MapRecords records(map);
  ApplyPosition(records, point, position);
}

void SetPointPosition(DiaChange& change, int point, int position) {
  ChangedRecords records(change);
  ApplyPosition(records, point, position);
}

int PositionCount(const PointRecord& point) {
  return std::clamp(point.branch_count, 0, kPointSlots);
}

bool OnPointPath(const PointRecord& point, int rail, int position) {
  if (position < 0 || position >= kPointSlots || rail == 0) return false;
  for (int e = 0; e < EntryCount(point); ++e) {
    if (point.entry_rails[At(e)] == rail && point.route_flag[At(e)][At(position)] != 0) return true;
  }
  return false;
}

void ThrowPoint(SystemMap& map, int point, int step) {
  if (!map.points.Contains(point)) return;
  const PointRecord& p = map.points[point];
  if (PositionCount(p) == 0) return;
  SetPointPosition(map, point, *NewPosition(p, step, 0));
}

int LockingRail(const DiaFile& file, const RunState& run, int point) {
  const SystemMap& map = file.map;
  if (!map.points.Contains(point) || At(point) >= run.points.size()) return 0;
  const PointRecord& p = map.points[point];
  const int booked_train = run.points[At(point)].booked_train;
  for (int e = 0; e < EntryCount(p); ++e) {
    const int rail = p.entry_rails[At(e)];
    const RailRecord* r = RailOf(map, rail);
    if (r == nullptr || At(rail) >= run.rails.size()) continue;
    const RailRun& state = run.rails[At(rail)];
    if (booked_train != 0 && state.booking == booked_train) continue;
    const bool covered = map.prails.Contains(r->l_pack) && At(r->l_pack) < run.pieces.size() &&
                         run.pieces[At(r->l_pack)].route_lever != 0;
    if (state.booking > 0 || state.occupying_train != 0 || covered) return rail;
  }
  return 0;
}

bool ThrowPoint(DiaChange& change, int point, int step, ThrowCaller caller, int requested_rail,
                const OperationReport& report, AfterThrow after) {
  const DiaFile& file = change.model().file();
  if (!file.map.points.Contains(point)) return false;
  const PointRecord& p = file.map.points[point];
  if (requested_rail != 0 && OnPointPath(p, requested_rail, p.position)) return true;
  const bool manual = caller == ThrowCaller::kBoard;
  if (change.model().run().points[At(point)].failed) {
    if (manual) report.Refuse(kPointFailed);
    return false;
  }
  if (manual && p.mode == kPointDemand) {
    change.points()[point].mode = kPointReset;
    change.run().points[At(point)].timer = 0;
    report.Line(kDemandReleased, false);
  } else if (manual && p.mode == kPointNotice) {
    change.points()[point].mode = kPointDemand;
    change.run().points[At(point)].saved_mode = kPointNotice;
    report.Line(kNoticeReleased, false);
    return false;
  }
  if (const int locking = LockingRail(file, change.model().run(), point); locking != 0) {
    if (manual) report.Refuse(FillIn(kPointLocked, {p.point_key.Utf8()}));
    if (const int train = StandingTrainOn(file, change.model().run(), locking); train != 0) {
      report.Line(FillIn(kTrainTooLong,
                         {file.dia.trains[train].name.Utf8(), file.map.rails[locking].name.Utf8()}),
                  false);
    }
    return false;
  }
  // A point without positions (foreign data) is never thrown.
  if (PositionCount(p) == 0) return false;
  const std::optional<int> position = NewPosition(p, step, requested_rail);
  if (!position) return false;
  SetPointPosition(change, point, *position);
  if (after == AfterThrow::kRecalculate) RecalculateAspects(change);
  return true;
}

void SetPointMode(DiaChange& change, int point, int mode) {
  if (!change.model().map().points.Contains(point) || mode < 0 || mode >= kPointModes) return;
  change.points()[point].mode = mode;
  change.run().points[At(point)].saved_mode = mode;
}

void CyclePointMode(DiaChange& change, int point, const OperationReport& report) {
  if (!change.model().map().points.Contains(point)) return;
  const int mode = change.model().map().points[point].mode;
  const int next = mode >= 0 && mode < kPointModes - 1 ? mode + 1 : 0;
  SetPointMode(change, point, next);
  report.Line(kModeMessages[next], false);
}

void SetPointNormalPosition(DiaChange& change, int point) {
  if (!change.model().map().points.Contains(point)) return;
  const int position = change.model().map().points[point].position;
  if (change.model().map().points[point].normal_position != position) {
    change.points()[point].normal_position = position;
  }
}

bool SetPointKey(DiaChange& change, int point, std::string_view key,
                 const OperationReport& report) {
  const Table<PointRecord>& points = change.model().map().points;
  if (!points.Contains(point)) return false;
  std::vector<std::string_view> others;
  for (int n = 1; n <= points.count(); ++n) {
    if (n != point) others.push_back(points[n].point_key.view());
  }
  if (const std::optional<Refusal> refusal = PointKeyRefusal(key, others)) {
    report.Box(refusal->text, refusal->caption);
    return false;
  }
  change.points()[point].point_key = ShortText(key);
  return true;
}

void PlacePointLabel(DiaChange& change, int point, int row, int x, int y) {
  if (!change.model().map().points.Contains(point)) return;
  PointRecord& p = change.points()[point];
  p.label_row = row;
  p.label_x = x;
  p.label_y = y;
}

}  // namespace corvane
