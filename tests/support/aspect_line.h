#pragma once
// A small line built in code for the aspect tests: rails with their own
// pieces, linked as asked, a signal set of speed bands, trains with their
// formations and the run-time values the calculation reads.

#include <algorithm>
#include <cstddef>
#include <vector>

#include "data/dia_file.h"
#include "interlocking/aspects.h"
#include "run/run_state.h"

namespace corvane::testing {

// A signal set whose speeds fall into bands starting at `lows` (the first
// 0): each entry shows its band's lowest speed and steps up at the next
// band's.
inline MapSignalType SignalBands(const std::vector<int>& lows) {
  MapSignalType type;
  for (int v = 0; v < kAspectSpeeds; ++v) {
    std::size_t band = 0;
    while (band + 1 < lows.size() && lows[band + 1] <= v) ++band;
    SignalAspectEntry& entry = type.aspects[static_cast<std::size_t>(v)];
    entry.band_low = lows[band];
    entry.aspect_speed = band + 1 < lows.size() ? lows[band + 1] : kNoStepUp;
  }
  return type;
}

class AspectLine {
 public:
  // ATC, signal version 1042, HandleATC 250 (deceleration 2560), margin
  // 10 m, MaxSpeed 120; signal set 1 has bands 0, 25, 45, 55, 65, 75, 90.
  AspectLine() {
    file_.dia.levers = Table<LeverRecord>(16);
    file_.dia.buttons = Table<ButtonRecord>(16);
    MapSettings& s = settings();
    s.signal_version = 1042;
    s.safety_device = kSafetyAtc;
    s.handle_atc = 250;
    s.break_spare_dist = 10;
    s.max_speed = 120;
    s.use_interlocking = 0;
    s.use_area = 0;
    file_.map.signal_sets.Append(SignalBands({0, 25, 45, 55, 65, 75, 90}));
  }

  DiaFile& file() { return file_; }
  SystemMap& map() { return file_.map; }
  MapSettings& settings() { return file_.header.settings; }
  RailRecord& rail(int r) { return file_.map.rails[r]; }

  // A rail on a piece of its own (in use), not linked yet.
  int Rail(int length, int signal = 1, int limit = 0) {
    RailRecord r;
    r.length = length;
    r.signal = signal;
    r.speed_limit = limit;
    const int number = file_.map.rails.count() + 1;
    PRailRecord piece;
    piece.rail_first = number;
    piece.in_use = 1;
    r.l_pack = file_.map.prails.Append(piece);
    return file_.map.rails.Append(r);
  }
  // `count` rails linked one after the other; the first one's number.
  int Line(int count, int length, int signal = 1) {
    const int first = Rail(length, signal);
    for (int i = 1; i < count; ++i) Link(first + i - 1, Rail(length, signal));
    return first;
  }
  void Link(int from, int to) {
    file_.map.rails[from].l_next = to;
    file_.map.rails[to].l_back = from;
  }
  // `a` and `b` are the two directions of one track.
  void Twins(int a, int b) {
    file_.map.rails[a].l_dual = b;
    file_.map.rails[b].l_dual = a;
  }
  void PieceInUse(int rail, bool in_use) {
    file_.map.prails[file_.map.rails[rail].l_pack].in_use = in_use ? 1 : 0;
  }
  // A point carrying `rail` in control mode `mode`.
  int Point(int rail, int mode = 0) {
    PointRecord point;
    point.entry_rails[0] = rail;
    point.entry_count = 1;
    point.branch_count = 1;
    point.mode = mode;
    return file_.map.points.Append(point);
  }
  // A lever on `rail`, its route set or not.
  int Lever(int rail, bool route_set) {
    LeverRecord lever;
    lever.values[kLeverCurrentRoute] = route_set ? 1 : 0;
    const int number = file_.dia.levers.Append(lever);
    file_.map.rails[rail].lever = number;
    return number;
  }
  // A train of one unit of a series `length` long, its head `position`
  // metres into `rail`.
  int Train(int rail, int length, int position, int speed = 0) {
    SeriesRecord series;
    series.length = length;
    const int s = file_.dia.series.Append(series);
    const int train = file_.dia.trains.Append(TrainRecord{0, rail, 0, {}});
    file_.dia.units.Append(UnitRecord{0, train, 0, 0, s, {}});
    TrainRun run;
    run.position = position;
    run.speed = speed;
    trains_.resize(static_cast<std::size_t>(train) + 1);
    trains_[static_cast<std::size_t>(train)] = run;
    return train;
  }
  TrainRun& train_run(int train) { return trains_[static_cast<std::size_t>(train)]; }

  // The run-time values as loading builds them, with the trains' values.
  RunState Loaded() const {
    RunState run = BuildRunState(file_);
    for (std::size_t i = 1; i < trains_.size() && i < run.trains.size(); ++i) {
      run.trains[i] = trains_[i];
    }
    return run;
  }
  RunState Calculated() const {
    RunState run = Loaded();
    CalculateAspects(file_, run);
    return run;
  }

 private:
  DiaFile file_;
  std::vector<TrainRun> trains_;
};

// Aspects (or stop origins) of rails `first`..`last`.
inline std::vector<int> Aspects(const RunState& run, int first, int last) {
  std::vector<int> out;
  for (int r = first; r <= last; ++r) out.push_back(run.rails[static_cast<std::size_t>(r)].aspect);
  return out;
}
inline std::vector<int> Origins(const RunState& run, int first, int last) {
  std::vector<int> out;
  for (int r = first; r <= last; ++r) {
    out.push_back(run.rails[static_cast<std::size_t>(r)].stop_origin);
  }
  return out;
}

}  // namespace corvane::testing
