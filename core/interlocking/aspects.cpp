#include "interlocking/aspects.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <vector>

#include "interlocking/aspect_rails.h"
#include "map/map_records.h"
#include "stock/series_file.h"

namespace corvane {

namespace {

std::size_t At(int index) { return static_cast<std::size_t>(index); }

// Signal versions from which the rules of the braking curves change.
constexpr int kVersionStopMargin = 999;     // above: a stop keeps the margin clear
constexpr int kVersionTwoSeconds = 1041;    // above: two seconds at the aspect, the limit rule
constexpr int kVersionBeta = 1042;          // from: the deceleration of the settings
constexpr int kVersionStepUpCap = 1099;     // above: capped by the step-up speed at a
constexpr int kVersionLongStop = 1110;      // from: a rail off its path stops back to a signal
constexpr int kVersionTopAspectEnd = 1114;  // from: propagation ends at the top aspect
constexpr int kVersionStopToSignal = 1121;  // exactly: point stops reach back to a signal

// Train states in which a train waits to depart (at a signal, a route or
// an electrification change).
constexpr int kFirstWaitingState = 6;
constexpr int kLastWaitingState = 8;

constexpr int kPointModeNotice = 3;
constexpr int kPointModeSequence = 4;
constexpr int kPointModeCombined = 5;
constexpr int kPointModeDemand = 2;

constexpr int kFastestSpeed = 1'000'000;

// The length of a unit's series; 0 for a series that does not exist.
std::int64_t UnitLength(const DiaData& dia, const UnitRecord& unit) {
  return unit.series >= 1 && unit.series <= dia.series.count() ? dia.series[unit.series].length : 0;
}

// The values the calculation keeps between calls, so that a calculation on
// every click allocates nothing once the line has been seen.
// The braking curves one calculation has worked out, by what they depend
// on: the rails of a line share a few lengths, signals and limits, so the
// same curve comes back for most of the stops carried back.
class CurveMemo {
 public:
  struct Key {
    std::int64_t distance = 0;
    int aspect = 0;
    int signal = 0;
    int limit = 0;
    friend bool operator==(const Key&, const Key&) = default;
  };

  // Forgets every curve: the settings and signal sets may differ now.
  void Clear() {
    if (++calculation_ == 0) {
      entries_.fill({});
      calculation_ = 1;
    }
  }
  // The result stored for `key`, or null.
  const int* Find(const Key& key) const {
    const Entry& entry = entries_[Slot(key)];
    return entry.calculation == calculation_ && entry.key == key ? &entry.result : nullptr;
  }
  void Store(const Key& key, int result) { entries_[Slot(key)] = {key, result, calculation_}; }

 private:
  static constexpr int kSlotBits = 10;
  struct Entry {
    Key key;
    int result = 0;
    unsigned calculation = 0;  // 0: never stored
  };
  static std::size_t Slot(const Key& key) {
    std::uint64_t h = static_cast<std::uint64_t>(key.distance);
    h = h * 31 + static_cast<std::uint32_t>(key.aspect);
    h = h * 31 + static_cast<std::uint32_t>(key.signal);
    h = h * 31 + static_cast<std::uint32_t>(key.limit);
    return static_cast<std::size_t>((h * 0x9E3779B97F4A7C15ULL) >> (64 - kSlotBits));
  }
  std::array<Entry, std::size_t{1} << kSlotBits> entries_{};
  unsigned calculation_ = 0;
};

struct Workspace {
  AspectRails rails;
  std::vector<std::int64_t> formation_lengths;
  std::vector<int> booked;
  CurveMemo curves;
};

// One run of the calculation over the whole line.
class AspectCalculation {
 public:
  AspectCalculation(const DiaFile& file, RunState& run, Workspace& work,
                    std::vector<int>* notice_releases)
      : file_(file),
        map_(file.map),
        settings_(file.header.settings),
        run_(run),
        work_(work),
        rails_(work.rails),
        notice_releases_(notice_releases),
        beta_(DecelerationOf(file)),
        version_(settings_.signal_version),
        interlocking_(settings_.use_interlocking != 0) {}

  void Run();

 private:
  bool Atc() const {
    return settings_.safety_device != kSafetyAts && settings_.safety_device != kSafetyDigitalAtc;
  }
  RailRun& RunOf(int rail) { return run_.rails[At(rail)]; }
  const SignalAspectEntry& Entry(int signal, int speed) const {
    return map_.signal_sets[signal].aspects[At(std::clamp(speed, 0, kAspectSpeeds - 1))];
  }
  int TopAspect(int signal) const { return Entry(signal, kAspectSpeeds - 1).band_low; }
  // A rail's speed limit, MaxSpeed where it has none.
  int LimitOrMaxSpeed(int rail) const {
    const int limit = rails_[rail].speed_limit;
    return limit != 0 ? limit : settings_.max_speed;
  }
  // A train's run-time values; a train without them stands at the start of
  // its rail.
  const TrainRun& TrainRunOf(int train) const {
    static const TrainRun kStanding;
    return At(train) < run_.trains.size() ? run_.trains[At(train)] : kStanding;
  }
  // The part of a train's formation behind its head.
  std::int64_t LengthBehind(int train) const {
    return work_.formation_lengths[At(train)] - TrainRunOf(train).position;
  }
  int TrainRail(int train) const {
    const int rail = file_.dia.trains[train].rail;
    return rail >= 1 && rail <= rails_.count() ? rail : 0;
  }

  void PrepareRun();
  void CalculateAtcAts();
  void CalculateDigitalAtc();
  void FinishBookings();

  // Occupancy and bookings.
  void MarkOccupancy();
  bool OccupyWithInterlocking(int train, int rail);
  bool BookWithoutInterlocking(int train, int rail);
  void Book(int train, int rail);

  // The braking curves.
  int AspectBehind(int rail, int aspect) const;
  int BrakingCurve(const CurveMemo::Key& key) const;
  void Propagate(int rail, int aspect, int origin);
  void PropagatePointForm(int rail, int aspect, int origin);
  void PropagateFrom(int rail, int aspect, int origin, int result);
  bool PointStopPassesBack(int rail) const;

  // Stops.
  int StopOrigin(int rail) const;
  void ActOnStop(int rail, int origin);
  int StopBackToSignal(int rail, int& origin, bool lever_origin);
  bool ProtectBehindTrains();
  void StopOpposingTracks();
  void HoldPointRails();
  bool HeldByPointControl(int rail, int point);
  bool NotifiedTrainEnters(int rail, int point);

  const DiaFile& file_;
  const SystemMap& map_;
  const MapSettings& settings_;
  RunState& run_;
  Workspace& work_;
  AspectRails& rails_;
  std::vector<int>* notice_releases_;
  const int beta_;
  const int version_;
  const bool interlocking_;
};

void AspectCalculation::Run() {
  PrepareRun();
  if (settings_.safety_device == kSafetyDigitalAtc) {
    CalculateDigitalAtc();
  } else {
    CalculateAtcAts();
  }
}

// Rails start clear, at their initial aspects; every train's formation
// length is summed once.
void AspectCalculation::PrepareRun() {
  rails_.Build(file_, run_);
  const int count = rails_.count();
  if (run_.rails.size() < At(count) + 1) run_.rails.resize(At(count) + 1);
  run_.failing_train = 0;
  const bool ats = settings_.safety_device == kSafetyAts;
  for (int r = 1; r <= count; ++r) {
    RailRun& run = RunOf(r);
    if (ats) {
      // The top aspect of the rail's signal, or of the first one ahead;
      // stop when no signal lies ahead.
      const int signal_rail = rails_[r].signal_rail;
      run.aspect = signal_rail != 0 ? TopAspect(rails_[signal_rail].signal) : 0;
    } else {
      // ATC and digital ATC alike: a rail without limit runs at MaxSpeed.
      run.aspect = LimitOrMaxSpeed(r);
    }
    run.stop_origin = 0;
    run.occupying_train = 0;
    run.booking = 0;
  }
  const DiaData& dia = file_.dia;
  work_.curves.Clear();
  work_.formation_lengths.assign(At(dia.trains.count()) + 1, 0);
  for (int u = 1; u <= dia.units.count(); ++u) {
    const UnitRecord& unit = dia.units[u];
    if (unit.train < 1 || unit.train > dia.trains.count()) continue;
    work_.formation_lengths[At(unit.train)] += UnitLength(dia, unit);
  }
}

void AspectCalculation::CalculateAtcAts() {
  MarkOccupancy();
  // Rail by rail: decide whether the rail is a stop, then act on it.
  for (int r = 1; r <= rails_.count(); ++r) {
    const int origin = StopOrigin(r);
    if (origin != 0) ActOnStop(r, origin);
  }
  if (!ProtectBehindTrains()) return;
  if (interlocking_) {
    StopOpposingTracks();
  } else {
    HoldPointRails();
  }
  FinishBookings();
}

void AspectCalculation::CalculateDigitalAtc() {
  MarkOccupancy();
  for (int r = 1; r <= rails_.count(); ++r) {
    const AspectRail& rail = rails_[r];
    bool stop = !rail.in_use || RunOf(r).accident;
    if (!interlocking_) {
      stop = stop || RunOf(r).booking < 0 ||
             (rail.point != 0 && rail.next != 0 && RunOf(rail.next).booking < 0);
    }
    if (stop) {
      RunOf(r).aspect = 0;
      RunOf(r).stop_origin = r;
    }
  }
  FinishBookings();
}

void AspectCalculation::FinishBookings() {
  for (int r = 1; r <= rails_.count(); ++r) RunOf(r).previous_booking = RunOf(r).booking;
}

// ---------------------------------------------------------------------------
// Occupancy and bookings

void AspectCalculation::MarkOccupancy() {
  for (int i = 1; i <= file_.dia.trains.count(); ++i) {
    const int rail = TrainRail(i);
    if (rail == 0) continue;
    const bool fits =
        interlocking_ ? OccupyWithInterlocking(i, rail) : BookWithoutInterlocking(i, rail);
    if (!fits) {
      run_.failing_train = i;
      return;
    }
  }
}

// The train's rail and the rails its length covers behind its position
// are occupied; false when the back links end before the length does.
bool AspectCalculation::OccupyWithInterlocking(int train, int rail) {
  std::int64_t left = LengthBehind(train);
  RunOf(rail).occupying_train = train;
  rails_.NewWalk();
  rails_.Visit(rail);
  for (int at = rail; left > 0;) {
    const int back = rails_[at].back;
    if (back == 0) return false;
    if (rails_.Visit(back)) break;  // the train covers a whole ring
    RunOf(back).occupying_train = train;
    left -= rails_[back].length;
    at = back;
  }
  return true;
}

// A booking mark for the train and the reservation of the twin.
void AspectCalculation::Book(int train, int rail) {
  RunOf(rail).booking = train;
  if (rails_[rail].twin != 0) RunOf(rails_[rail].twin).booking = -train;
  work_.booked.push_back(rail);
}

// The train's rail, the rails its braking distance reaches ahead and the
// rails its length covers behind are booked, their twins and the other
// rails of their pieces reserved. Only the length running off the rails
// fails: the bookings ahead end quietly where the line ends.
bool AspectCalculation::BookWithoutInterlocking(int train, int rail) {
  const TrainRun& train_run = TrainRunOf(train);
  work_.booked.clear();
  if (RunOf(rail).booking >= 0) RunOf(rail).booking = train;
  if (rails_[rail].twin != 0) RunOf(rails_[rail].twin).booking = -train;
  work_.booked.push_back(rail);

  std::int64_t ahead =
      static_cast<std::int64_t>(BrakingDistance(beta_, train_run.speed, settings_)) +
      train_run.position - rails_[rail].length;
  rails_.NewWalk();
  rails_.Visit(rail);
  for (int at = rail; ahead > 0;) {
    const int next = rails_[at].next;
    if (next == 0 || rails_.Visit(next)) break;
    Book(train, next);
    ahead -= rails_[next].length;
    at = next;
  }

  bool fits = true;
  std::int64_t behind = LengthBehind(train);
  RunOf(rail).occupying_train = train;
  rails_.NewWalk();
  rails_.Visit(rail);
  for (int at = rail; behind > 0;) {
    const int back = rails_[at].back;
    if (back == 0) {
      fits = false;
      break;
    }
    if (rails_.Visit(back)) break;  // the train covers a whole ring
    RunOf(back).occupying_train = train;
    Book(train, back);
    behind -= rails_[back].length;
    at = back;
  }

  // The other rails of the booked pieces, where no train has them.
  for (const int booked : work_.booked) {
    const int piece = rails_[booked].piece;
    if (piece == 0) continue;
    const PRailRecord& record = map_.prails[piece];
    for (const int other : {record.rail_first, record.rail_second}) {
      if (other < 1 || other > rails_.count() || other == booked) continue;
      if (RunOf(other).booking == 0) RunOf(other).booking = -train;
    }
  }
  return fits;
}

// ---------------------------------------------------------------------------
// The braking curves

// The aspect for the back rail of `rail` when `rail` shows `aspect`.
int AspectCalculation::AspectBehind(int rail, int aspect) const {
  const int back = rails_[rail].back;
  if (back == 0 || beta_ <= 0) return 0;
  int signal = rails_[back].signal;
  if (signal == 0) {
    // A rail without signal reads the first signal ahead of it; past a
    // point (on the rail itself or one after it before that signal) the
    // signal's own aspect holds.
    const int signal_rail = rails_[back].signal_rail;
    if (signal_rail == 0) return 0;
    if (rails_[back].point_before_signal) return run_.rails[At(signal_rail)].aspect;
    signal = rails_[signal_rail].signal;
  }
  std::int64_t distance = rails_[rail].length;
  if (rails_[rail].signal == 0) distance += rails_.LengthAfter(rail);
  const CurveMemo::Key key{distance, aspect, signal, rails_[back].speed_limit};
  if (const int* known = work_.curves.Find(key)) return *known;
  const int result = BrakingCurve(key);
  work_.curves.Store(key, result);
  return result;
}

// The aspect a signal of set `key.signal` on a rail limited to `key.limit`
// (0 none) shows when the next signal, `key.distance` metres on, shows
// `key.aspect`.
int AspectCalculation::BrakingCurve(const CurveMemo::Key& key) const {
  const int signal = key.signal;
  const int aspect = key.aspect;
  std::int64_t distance = key.distance;
  if (aspect == 0 && version_ > kVersionStopMargin) distance -= settings_.break_spare_dist;
  int speed = BrakingSpeed(beta_, ClampToInt(distance), aspect);
  int result = Entry(signal, speed).band_low;
  if (version_ > kVersionTwoSeconds) {
    distance -= static_cast<std::int64_t>(result) * 2000 / 3600;
    speed = BrakingSpeed(beta_, ClampToInt(distance), aspect);
    result = Entry(signal, speed).band_low;
    const int limit = key.limit;  // 0: no limit
    if (limit > 0 && limit < speed && result < limit) {
      if (settings_.safety_device == kSafetyDigitalAtc) {
        result = speed;
      } else if (settings_.safety_device == kSafetyAts) {
        const SignalAspectEntry& at_limit = Entry(signal, limit);
        result = at_limit.band_low >= limit ? limit : at_limit.aspect_speed;
      } else {
        result = limit;
      }
    }
  }
  if (version_ > kVersionStepUpCap) result = std::min(result, Entry(signal, aspect).aspect_speed);
  return result;
}

// Carries a stop or restriction back from `rail` showing `aspect`.
void AspectCalculation::Propagate(int rail, int aspect, int origin) {
  PropagateFrom(rail, aspect, origin, AspectBehind(rail, aspect));
}

// The propagation after a point stop: a rail that is already at stop for
// a reason of the yard (or of its point, without areas) passes its own stop
// and origin back unchanged.
void AspectCalculation::PropagatePointForm(int rail, int aspect, int origin) {
  if (RunOf(rail).aspect != 0 || !PointStopPassesBack(rail)) {
    Propagate(rail, aspect, origin);
    return;
  }
  origin = RunOf(rail).stop_origin;
  if (version_ == kVersionStopToSignal) StopBackToSignal(rail, origin, false);
  PropagateFrom(rail, aspect, origin, 0);
}

bool AspectCalculation::PointStopPassesBack(int rail) const {
  const AspectRail& r = rails_[rail];
  if (settings_.use_area == 0) return r.point != 0;
  if (r.yard_target == 0) return false;
  if (!Atc()) return r.target == 0;
  return r.back == 0 || rails_[r.back].target == 0;
}

// The walk of a propagation: `result` is the aspect for the back rail of
// `rail`. Rails without a signal pass the origin on and keep their aspect;
// a signal takes the result unless it already shows less.
void AspectCalculation::PropagateFrom(int rail, int aspect, int origin, int result) {
  rails_.NewWalk();
  rails_.Visit(rail);
  for (bool first = true;; first = false) {
    if (!first) result = AspectBehind(rail, aspect);
    const int back = rails_[rail].back;
    if (back == 0 || rails_.Visit(back)) return;
    if (interlocking_ && result == 0 && rails_[back].lever != 0) origin = back;
    RailRun& run = RunOf(back);
    const int signal = rails_[back].signal;
    if (signal == 0) {
      run.stop_origin = origin;
    } else {
      if (run.aspect < result) return;
      run.aspect = result;
      run.stop_origin = origin;
      const bool goes_on = version_ < kVersionTopAspectEnd ? result < LimitOrMaxSpeed(back)
                                                           : result != TopAspect(signal);
      if (!goes_on) return;
    }
    rail = back;
    aspect = result;
  }
}

// ---------------------------------------------------------------------------
// Stops

// The origin of the stop `rail` makes, 0 when it is none: itself when off
// its path, at the end of the links or under an accident; with
// interlocking, the lever rail behind it whose route is not set; without,
// itself when another train has reserved it. (Accidents come from the
// running simulation: this program never puts one in force, but the rule
// reads as it would with one.)
int AspectCalculation::StopOrigin(int rail) const {
  const AspectRail& r = rails_[rail];
  const RailRun& run = run_.rails[At(rail)];
  if (!r.in_use || r.next == 0 || run.accident) return rail;
  if (interlocking_) return r.unset_lever_behind;
  return run.booking < 0 ? rail : 0;
}

void AspectCalculation::ActOnStop(int rail, int origin) {
  RailRun& run = RunOf(rail);
  run.aspect = 0;
  run.stop_origin = origin;
  const bool on_path = rails_[rail].in_use;
  if (on_path && run.booking >= 0 && !run.accident) {
    Propagate(rail, 0, origin);
    return;
  }
  int last = 0;
  if (run.booking < 0 || run.accident ||
      (!on_path && rails_[rail].signal == 0 && version_ >= kVersionLongStop)) {
    last = StopBackToSignal(rail, origin, interlocking_);
  } else if (rails_[rail].back != 0) {
    last = rails_[rail].back;
    RunOf(last).aspect = 0;
    RunOf(last).stop_origin = origin;
  }
  if (last != 0) Propagate(last, 0, origin);
}

// Going back from `rail` (itself not included), every rail up to and
// including the first one with a signal stops with `origin`; with
// `lever_origin` a lever rail passed becomes the origin from there on.
// Returns the last rail stopped, 0 when there is no rail behind.
int AspectCalculation::StopBackToSignal(int rail, int& origin, bool lever_origin) {
  rails_.NewWalk();
  rails_.Visit(rail);
  int last = 0;
  for (int at = rails_[rail].back; at != 0 && !rails_.Visit(at); at = rails_[at].back) {
    if (lever_origin && rails_[at].lever != 0) origin = at;
    RunOf(at).aspect = 0;
    RunOf(at).stop_origin = origin;
    last = at;
    if (rails_[at].signal != 0) break;
  }
  return last;
}

// Behind every train, the rails from the one behind its tail back to a
// signal stop with the train's rail as origin. False when a train's length
// runs off the rails: the calculation ends there.
bool AspectCalculation::ProtectBehindTrains() {
  for (int i = 1; i <= file_.dia.trains.count(); ++i) {
    const int rail = TrainRail(i);
    if (rail == 0) continue;
    std::int64_t left = LengthBehind(i);
    int tail = rail;
    rails_.NewWalk();
    rails_.Visit(rail);
    while (left > 0) {
      const int back = rails_[tail].back;
      if (back == 0) return false;
      if (rails_.Visit(back)) break;  // a ring shorter than the train: no failure
      tail = back;
      left -= rails_[tail].length;
    }
    int origin = rail;
    const int last = StopBackToSignal(tail, origin, false);
    if (last != 0) Propagate(last, 0, origin);
  }
  return true;
}

// With interlocking: the track of every train, seen from the other
// direction, stops back to the first lever (that lever's rail included).
void AspectCalculation::StopOpposingTracks() {
  for (int i = 1; i <= file_.dia.trains.count(); ++i) {
    const int rail = TrainRail(i);
    if (rail == 0) continue;
    const int twin = rails_[rail].twin;
    if (twin == 0) continue;
    rails_.NewWalk();
    for (int at = twin; at != 0 && !rails_.Visit(at); at = rails_[at].back) {
      RunOf(at).aspect = 0;
      RunOf(at).stop_origin = twin;
      if (rails_[at].lever != 0) break;
    }
  }
}

// Without interlocking: the rails of points held at stop by the control
// mode, and the stops of points and yards carried back from them.
void AspectCalculation::HoldPointRails() {
  const bool atc = Atc();
  for (int r = 1; r <= rails_.count(); ++r) {
    const AspectRail& rail = rails_[r];
    if (!rail.in_use) continue;
    RailRun& run = RunOf(r);
    bool held = false;
    if (rail.point != 0) {
      if (run.aspect == 0) {
        held = true;
      } else if (atc && rail.next != 0 && RunOf(rail.next).aspect == 0) {
        run.aspect = 0;
        run.stop_origin = RunOf(rail.next).stop_origin;
        held = true;
      } else if (HeldByPointControl(r, rail.point)) {
        run.aspect = 0;
        run.stop_origin = r;
        held = true;
      }
    }
    bool passes_back = held;
    if (!passes_back && run.aspect == 0) {
      if (settings_.use_area != 0) {
        const int judged = atc ? rail.back : r;
        passes_back = rail.yard_target != 0 && (judged == 0 || rails_[judged].target == 0);
      } else {
        passes_back = atc && rail.back != 0 && rails_[rail.back].point != 0;
      }
    }
    if (!passes_back || rail.back == 0) continue;
    int origin = run.stop_origin;
    RunOf(rail.back).aspect = 0;
    RunOf(rail.back).stop_origin = origin;
    if (version_ == kVersionStopToSignal) StopBackToSignal(r, origin, false);
    // The point form runs from the back rail, also when the stop reached
    // further back.
    PropagatePointForm(rail.back, 0, origin);
  }
}

// Whether the point's control mode holds its rail at stop: notice control
// while its notified train is about to enter the rail, sequence and
// combined control until an entry of the sequence for the rail is open.
bool AspectCalculation::HeldByPointControl(int rail, int point) {
  const int mode = map_.points[point].mode;
  if (mode == kPointModeNotice) return NotifiedTrainEnters(rail, point);
  if (mode != kPointModeSequence && mode != kPointModeCombined) return false;
  if (At(point) >= run_.points.size()) return true;
  for (const SequenceEntry& entry : run_.points[At(point)].sequence) {
    if (entry.rail == rail && (entry.state == kSequenceOpen || entry.state == kSequencePassed)) {
      return false;
    }
  }
  return true;
}

// The notified train stands on the rail whose next link leads onto `rail`.
// A train waiting there with a departure command releases notice control
// (the point goes to demand control) instead of being held.
bool AspectCalculation::NotifiedTrainEnters(int rail, int point) {
  if (At(point) >= run_.points.size()) return false;
  const int train = run_.points[At(point)].requesting_train;
  if (train < 1 || train > file_.dia.trains.count()) return false;
  const int train_rail = TrainRail(train);
  if (train_rail == 0 || rails_[train_rail].next != rail) return false;
  const TrainRun& train_run = TrainRunOf(train);
  if (train_run.state >= kFirstWaitingState && train_run.state <= kLastWaitingState &&
      train_run.departure_command != 0) {
    if (notice_releases_ != nullptr) notice_releases_->push_back(point);
    return false;
  }
  return true;
}

Workspace& SharedWorkspace() {
  thread_local Workspace work;
  return work;
}

}  // namespace

int DecelerationOf(const DiaFile& file) {
  const MapSettings& settings = file.header.settings;
  if (settings.signal_version >= kVersionBeta) {
    return ClampToInt(static_cast<std::int64_t>(settings.handle_atc) * 1024 / 100);
  }
  return SmallestAtcBrake(file.dia.series).value_or(0);
}

int BrakingSpeed(int beta, int distance, int aspect) {
  if (beta <= 0) return 0;
  const double square = static_cast<double>(beta) * std::max(distance, 0) * 0.00703125 +
                        static_cast<double>(aspect) * aspect;
  const double speed = std::trunc(std::sqrt(square));
  return speed >= kAspectSpeeds - 1 ? kAspectSpeeds - 1 : static_cast<int>(speed);
}

int BrakingDistance(int beta, int speed, const MapSettings& settings) {
  // Speeds far beyond any train's are kept where the square cannot overflow.
  const std::int64_t v = std::clamp(speed, -kFastestSpeed, kFastestSpeed);
  const std::int64_t divisor = (static_cast<std::int64_t>(beta) * 7200) >> 10;
  std::int64_t distance = divisor > 0 ? v * v * 1000 / divisor : 0;
  distance += 2;
  if (v > 0) distance += settings.break_spare_dist;
  distance += v * 1000 / 3600;
  return ClampToInt(distance);
}

int FormationLength(const DiaData& dia, int train) {
  std::int64_t length = 0;
  for (int u = 1; u <= dia.units.count(); ++u) {
    if (dia.units[u].train == train) length += UnitLength(dia, dia.units[u]);
  }
  return ClampToInt(length);
}

void CalculateAspects(const DiaFile& file, RunState& run) {
  AspectCalculation(file, run, SharedWorkspace(), nullptr).Run();
}

void RecalculateAspects(DiaChange& change) {
  std::vector<int> releases;
  AspectCalculation(change.model().file(), change.run(), SharedWorkspace(), &releases).Run();
  for (const int point : releases) {
    const int mode = change.model().file().map.points[point].mode;
    if (mode != kPointModeNotice) continue;
    change.points()[point].mode = kPointModeDemand;
    change.run().points[At(point)].saved_mode = mode;
  }
}

}  // namespace corvane
