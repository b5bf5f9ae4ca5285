#include "run/rollback.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <cstddef>
#include <type_traits>

namespace corvane {

namespace {

enum Section : int {
  kDiagramSection,
  kTrainSection,
  kUnitSection,
  kPointSection,
  kLeverSection,
  kButtonSection,
  kStationSection,
  kRailSection,
  kPieceSection,
  kFirstAccidentSection,
};

// What a value of a line refers to: restored values that name records are
// checked against the loaded tables before they are taken.
enum class Ref : unsigned char {
  kAny,
  kTrain,     // 0..trains
  kBooking,   // -trains..trains
  kRail,      // 0..rails
  kPoint,     // 0..points
  kLever,     // 0..levers
  kStation,   // 0..stations
  kState,     // a train's state code, 0..18
  kSequence,  // a sequence entry's state, 0..3
};

constexpr int kMostTrainState = 18;
// No table of a dia data file holds more records.
constexpr int kMostStackRecords = 65535;

// The values of one record's line, in order, each with what it refers to.
// `f(value, ref)` is called with an int or a bool, const or not as the
// records are.
template <typename Train, typename Run, typename F>
void TrainFields(Train& t, Run& r, F&& f) {
  f(t.value1, Ref::kAny);
  f(t.rail, Ref::kAny);
  f(t.value3, Ref::kAny);
  f(r.position, Ref::kAny);
  f(r.state, Ref::kState);
  f(r.failed, Ref::kAny);
  f(r.guidance, Ref::kAny);
  f(r.direction, Ref::kAny);
  f(r.departure_command, Ref::kAny);
  f(r.departure_seconds, Ref::kAny);
  f(r.hold_command, Ref::kAny);
  f(r.hold_station, Ref::kStation);
  f(r.route_ahead, Ref::kAny);
  f(r.signal_distance, Ref::kAny);
  f(r.permitted_speed, Ref::kAny);
  f(r.speed, Ref::kAny);
  f(r.delay, Ref::kAny);
  f(r.event, Ref::kAny);
  f(r.waiting_lever, Ref::kLever);
}

template <typename Point, typename Run, typename F>
void PointFields(Point& p, Run& r, F&& f) {
  f(p.position, Ref::kAny);
  f(p.mode, Ref::kAny);
  f(p.normal_position, Ref::kAny);
  f(r.saved_mode, Ref::kAny);
  f(r.booked_train, Ref::kTrain);
  f(r.requesting_train, Ref::kTrain);
  f(r.requested_rail, Ref::kRail);
  f(r.failed, Ref::kAny);
  f(r.timer, Ref::kAny);
  for (auto& entry : r.sequence) {
    f(entry.train, Ref::kTrain);
    f(entry.rail, Ref::kRail);
    f(entry.state, Ref::kSequence);
  }
}

template <typename Lever, typename Run, typename F>
void LeverFields(Lever& l, Run& r, F&& f) {
  for (auto& value : l.values) f(value, Ref::kAny);
  f(r.route_after_stop, Ref::kAny);
  f(r.reset_time, Ref::kAny);
}

template <typename Rail, typename F>
void RailFields(Rail& values, F&& f) {
  static constexpr std::array<Ref, kRailRunValues> kRefs{Ref::kAny,     Ref::kRail,    Ref::kTrain,
                                                         Ref::kBooking, Ref::kBooking, Ref::kAny,
                                                         Ref::kAny,     Ref::kAny};
  for (std::size_t i = 0; i < values.size(); ++i) f(values[i], kRefs[i]);
}

template <typename Piece, typename F>
void PieceFields(Piece& values, F&& f) {
  f(values[0], Ref::kPoint);
  f(values[1], Ref::kLever);
}

template <typename Accident, typename F>
void AccidentFields(Accident& a, F&& f) {
  for (auto& value : a.values) f(value, Ref::kAny);
  for (auto& value : a.timing) f(value, Ref::kAny);
}

template <typename Diagram, typename F>
void DiagramFields(Diagram& d, F&& f) {
  f(d.direction, Ref::kAny);
  for (auto& value : d.values) f(value, Ref::kAny);
  f(d.run_state, Ref::kAny);
}

template <typename Unit, typename F>
void UnitFields(Unit& u, F&& f) {
  f(u.diagram, Ref::kAny);
  f(u.train, Ref::kAny);
  f(u.value3, Ref::kAny);
  f(u.value4, Ref::kAny);
  f(u.series, Ref::kAny);
}

template <typename Station, typename F>
void StationFields(Station& s, F&& f) {
  f(s.station_aux0, Ref::kAny);
  f(s.station_aux1, Ref::kAny);
  f(s.station_aux2, Ref::kAny);
  f(s.station_aux3, Ref::kAny);
}

// The line of record `n` of `section` in `s` (const or not).
template <typename Snapshot, typename F>
void RecordFields(Snapshot& s, int section, int n, F&& f) {
  const auto i = static_cast<std::size_t>(n);
  switch (section) {
    case kDiagramSection:
      return DiagramFields(s.diagrams[i], f);
    case kTrainSection:
      return TrainFields(s.trains[i], s.train_runs[i], f);
    case kUnitSection:
      return UnitFields(s.units[i], f);
    case kPointSection:
      return PointFields(s.points[i], s.point_runs[i], f);
    case kLeverSection:
      return LeverFields(s.levers[i], s.lever_runs[i], f);
    case kButtonSection:
      for (auto& value : s.buttons[i].values) f(value, Ref::kAny);
      return;
    case kStationSection:
      return StationFields(s.stations[i], f);
    case kRailSection:
      return RailFields(s.rails[i], f);
    case kPieceSection:
      return PieceFields(s.pieces[i], f);
    default:
      return AccidentFields(
          s.accidents[static_cast<std::size_t>(section - kFirstAccidentSection)][i], f);
  }
}

// What follows a record's line: nothing, its stop events, or a list this
// program does not keep (always written absent).
enum class ListKind { kNone, kEvents, kAbsent };

ListKind ListOf(int section) {
  if (section == kDiagramSection) return ListKind::kEvents;
  if (section == kUnitSection || section == kStationSection) return ListKind::kAbsent;
  return ListKind::kNone;
}

// Makes room for records 0..count of `section`.
void ResizeSection(RollbackSnapshot& s, int section, int count) {
  const auto size = static_cast<std::size_t>(count) + 1;
  switch (section) {
    case kDiagramSection:
      s.diagrams.assign(size, {});
      break;
    case kTrainSection:
      s.trains.assign(size, {});
      s.train_runs.assign(size, {});
      break;
    case kUnitSection:
      s.units.assign(size, {});
      break;
    case kPointSection:
      s.points.assign(size, {});
      s.point_runs.assign(size, {});
      break;
    case kLeverSection:
      s.levers.assign(size, {});
      s.lever_runs.assign(size, {});
      break;
    case kButtonSection:
      s.buttons.assign(size, {});
      break;
    case kStationSection:
      s.stations.assign(size, {});
      break;
    case kRailSection:
      s.rails.assign(size, {});
      break;
    case kPieceSection:
      s.pieces.assign(size, {});
      break;
    default:
      s.accidents[static_cast<std::size_t>(section - kFirstAccidentSection)].assign(size, {});
      break;
  }
}

template <typename T>
int CountOf(const std::vector<T>& entries) {
  return entries.empty() ? 0 : static_cast<int>(entries.size()) - 1;
}

template <typename T>
std::vector<T> Entries(const Table<T>& table, int count) {
  std::vector<T> out(static_cast<std::size_t>(count) + 1);
  for (int n = 1; n <= count && n <= table.count(); ++n)
    out[static_cast<std::size_t>(n)] = table[n];
  return out;
}

template <typename T>
std::vector<T> RunEntries(const std::vector<T>& run, int count) {
  std::vector<T> out(static_cast<std::size_t>(count) + 1);
  const std::size_t kept = std::min(out.size(), run.size());
  std::copy(run.begin(), run.begin() + static_cast<std::ptrdiff_t>(kept), out.begin());
  return out;
}

// A run's stop events without the ones that live only while the dia runs.
std::vector<StopEvent> StoredEvents(const std::vector<StopEvent>& events) {
  std::vector<StopEvent> out;
  for (const StopEvent& e : events) {
    if (e.kind != kEventNotSaved) out.push_back(e);
  }
  return out;
}

// ------------------------------------------------------------ writing

void AppendValue(std::string& out, std::int64_t value) {
  char digits[24];
  char* end = std::to_chars(digits, digits + sizeof digits, value).ptr;
  out.append(digits, end);
  out += ',';
}

void AppendEvents(std::string& out, const std::vector<StopEvent>& events) {
  for (const StopEvent& e : events) {
    AppendValue(out, e.rail);
    AppendValue(out, e.time);
    AppendValue(out, e.kind);
    out += '\n';
    if (e.kind == kEventEnd) return;
  }
  // A list that lost its end event (or has none) still ends.
  const StopEvent last = events.empty() ? StopEvent{} : events.back();
  AppendValue(out, last.rail);
  AppendValue(out, last.time);
  AppendValue(out, kEventEnd);
  out += '\n';
}

// ------------------------------------------------------------ reading

class StackLines {
 public:
  explicit StackLines(std::string_view text)
      : text_(text),
        lines_(static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')) +
               (text.empty() || text.back() == '\n' ? 0 : 1)) {}

  int line() const { return line_; }
  bool Next(std::string_view* line) {
    if (pos_ >= text_.size()) return false;
    const std::size_t feed = text_.find('\n', pos_);
    const std::size_t end = feed == std::string_view::npos ? text_.size() : feed;
    std::string_view got = text_.substr(pos_, end - pos_);
    if (!got.empty() && got.back() == '\r') got.remove_suffix(1);
    pos_ = feed == std::string_view::npos ? text_.size() : feed + 1;
    ++line_;
    *line = got;
    return true;
  }
  // Lines left, counting a last one without a line feed.
  std::size_t LinesLeft() const { return lines_ - static_cast<std::size_t>(line_); }
  bool OnlyBlankLeft() const {
    return text_.substr(std::min(pos_, text_.size())).find_first_not_of(" \t\r\n") ==
           std::string_view::npos;
  }

 private:
  std::string_view text_;
  std::size_t lines_;  // in the whole text
  std::size_t pos_ = 0;
  int line_ = 0;
};

// The values of a line, each followed by ","; false for anything else.
bool ParseValues(std::string_view line, std::vector<std::int64_t>* values) {
  values->clear();
  while (!line.empty() && (line.back() == ' ' || line.back() == '\t')) line.remove_suffix(1);
  if (line.empty() || line.back() != ',') return false;
  std::size_t pos = 0;
  while (pos < line.size()) {
    const std::size_t comma = line.find(',', pos);
    std::string_view token = line.substr(pos, comma - pos);
    while (!token.empty() && token.front() == ' ') token.remove_prefix(1);
    std::int64_t value = 0;
    const auto [end, ec] = std::from_chars(token.data(), token.data() + token.size(), value);
    if (token.empty() || ec != std::errc() || end != token.data() + token.size()) return false;
    values->push_back(value);
    pos = comma + 1;
  }
  return true;
}

class StackReader {
 public:
  explicit StackReader(std::string_view text) : lines_(text) {}

  bool Read(RollbackSnapshot& s, std::string* problem) {
    if (!Values(1) || !Skip()) return Fail(problem);
    s.time = values_[0];
    for (int& word : s.state_words) {
      if (!Int(&word)) return Fail(problem);
    }
    if (!Skip()) return Fail(problem);
    for (int section = 0; section < kStackSections; ++section) {
      if (!ReadSection(s, section)) return Fail(problem);
    }
    if (!lines_.OnlyBlankLeft()) {
      what_ = "more lines than the sections hold";
      return Fail(problem);
    }
    return true;
  }

 private:
  bool ReadSection(RollbackSnapshot& s, int section) {
    int count = 0;
    if (!Skip() || !Int(&count)) return false;
    if (count > kMostStackRecords) {
      what_ = std::string(StackSectionNames()[static_cast<std::size_t>(section)]) +
              ": more records than any table holds";
      return false;
    }
    if (count < 0 || static_cast<std::size_t>(count) > lines_.LinesLeft()) {
      what_ = std::string(StackSectionNames()[static_cast<std::size_t>(section)]) +
              ": record count " + std::to_string(count) + " beyond the lines that follow";
      return false;
    }
    ResizeSection(s, section, count);
    for (int n = 1; n <= count; ++n) {
      if (!ReadRecord(s, section, n)) return false;
    }
    return true;
  }

  bool ReadRecord(RollbackSnapshot& s, int section, int n) {
    std::size_t fields = 0;
    RecordFields(s, section, n, [&fields](auto&, Ref) { ++fields; });
    if (!Values(fields)) return false;
    std::size_t i = 0;
    bool fits = true;
    RecordFields(s, section, n, [&](auto& field, Ref) {
      const std::int64_t value = values_[i++];
      if constexpr (std::is_same_v<std::decay_t<decltype(field)>, bool>) {
        field = value != 0;
      } else {
        if (value < INT_MIN || value > INT_MAX) fits = false;
        field = static_cast<int>(value);
      }
    });
    if (!fits) return OutOfRange();
    switch (ListOf(section)) {
      case ListKind::kEvents:
        return ReadEvents(s.diagrams[static_cast<std::size_t>(n)].events);
      case ListKind::kAbsent:
        if (!Values(3)) return false;
        if (values_[0] != 0 || values_[1] != 0 || values_[2] != 0) {
          what_ = "a list this program does not keep";
          return false;
        }
        return true;
      case ListKind::kNone:
        return true;
    }
    return true;
  }

  // Events up to and including the end event.
  bool ReadEvents(std::vector<StopEvent>& events) {
    events.clear();
    while (true) {
      if (!Values(3)) return false;
      for (const std::int64_t value : values_) {
        if (value < INT_MIN || value > INT_MAX) return OutOfRange();
      }
      const StopEvent e{static_cast<int>(values_[0]), static_cast<int>(values_[1]),
                        static_cast<int>(values_[2])};
      events.push_back(e);
      if (e.kind == kEventEnd) return true;
    }
  }

  // The next line, holding `count` values.
  bool Values(std::size_t count) {
    std::string_view line;
    if (!lines_.Next(&line)) {
      what_ = "the stack ends early";
      return false;
    }
    if (!ParseValues(line, &values_) || values_.size() != count) {
      what_ = std::to_string(count) + " values expected";
      return false;
    }
    return true;
  }
  bool Int(int* out) {
    if (!Values(1)) return false;
    if (values_[0] < INT_MIN || values_[0] > INT_MAX) return OutOfRange();
    *out = static_cast<int>(values_[0]);
    return true;
  }
  // A line read and not used: the empty lines and the section names.
  bool Skip() {
    std::string_view line;
    if (lines_.Next(&line)) return true;
    what_ = "the stack ends early";
    return false;
  }
  bool OutOfRange() {
    what_ = "a value beyond the range of an integer";
    return false;
  }
  bool Fail(std::string* problem) {
    *problem = "line " + std::to_string(lines_.line()) + ": " + what_;
    return false;
  }

  StackLines lines_;
  std::vector<std::int64_t> values_;
  std::string what_;
};

// ------------------------------------------------------------ fitting

// The range a value referring to `ref` must lie in for data of `counts`.
std::pair<std::int64_t, std::int64_t> RangeOf(Ref ref, const StackCounts& counts) {
  const int trains = counts[kTrainSection];
  switch (ref) {
    case Ref::kTrain:
      return {0, trains};
    case Ref::kBooking:
      return {-trains, trains};
    case Ref::kRail:
      return {0, counts[kRailSection]};
    case Ref::kPoint:
      return {0, counts[kPointSection]};
    case Ref::kLever:
      return {0, counts[kLeverSection]};
    case Ref::kStation:
      return {0, counts[kStationSection]};
    case Ref::kState:
      return {0, kMostTrainState};
    case Ref::kSequence:
      return {0, kSequencePassed};
    case Ref::kAny:
      break;
  }
  return {INT_MIN, INT_MAX};
}

std::string CountProblem(int section, int stack_count, int loaded_count) {
  return std::string(StackSectionNames()[static_cast<std::size_t>(section)]) + ": " +
         std::to_string(stack_count) + " records in the stack, " + std::to_string(loaded_count) +
         " in the data";
}

}  // namespace

const std::array<const char*, kStackSections>& StackSectionNames() {
  static constexpr std::array<const char*, kStackSections> kNames{
      "diagram",       "train",          "unit",          "point",           "route_lever",
      "route_button",  "station",        "rail",          "p_rail",          "accident_between",
      "accident_rail", "accident_point", "accident_unit", "accident_station"};
  return kNames;
}

StackCounts StackCountsOf(const DiaFile& file) {
  const DiaData& dia = file.dia;
  const SystemMap& map = file.map;
  StackCounts counts{dia.Counts().diagrams, dia.trains.count(), dia.units.count(),
                     map.points.count(),    dia.levers.count(), dia.buttons.count(),
                     map.stations.count(),  map.rails.count(),  map.prails.count()};
  for (int k = 0; k < kAccidentKinds; ++k) {
    counts[static_cast<std::size_t>(kFirstAccidentSection + k)] =
        dia.accidents[static_cast<std::size_t>(k)].count();
  }
  return counts;
}

StackCounts RollbackSnapshot::Counts() const {
  StackCounts counts{CountOf(diagrams), CountOf(trains), CountOf(units),
                     CountOf(points),   CountOf(levers), CountOf(buttons),
                     CountOf(stations), CountOf(rails),  CountOf(pieces)};
  for (int k = 0; k < kAccidentKinds; ++k) {
    counts[static_cast<std::size_t>(kFirstAccidentSection + k)] =
        CountOf(accidents[static_cast<std::size_t>(k)]);
  }
  return counts;
}

RollbackSnapshot TakeSnapshot(const DiaModel& model) {
  const DiaFile& file = model.file();
  const RunState& run = model.run();
  const StackCounts counts = StackCountsOf(file);
  RollbackSnapshot s;
  s.time = run.time;
  s.state_words = {run.failing_train, 0};
  s.diagrams = Entries(file.dia.diagrams, counts[kDiagramSection]);
  s.trains = Entries(file.dia.trains, counts[kTrainSection]);
  s.train_runs = RunEntries(run.trains, counts[kTrainSection]);
  s.units = Entries(file.dia.units, counts[kUnitSection]);
  s.points = Entries(file.map.points, counts[kPointSection]);
  s.point_runs = RunEntries(run.points, counts[kPointSection]);
  s.levers = Entries(file.dia.levers, counts[kLeverSection]);
  s.lever_runs = RunEntries(run.levers, counts[kLeverSection]);
  s.buttons = Entries(file.dia.buttons, counts[kButtonSection]);
  s.stations = Entries(file.map.stations, counts[kStationSection]);
  const std::vector<RailRun> rail_runs = RunEntries(run.rails, counts[kRailSection]);
  s.rails.assign(rail_runs.size(), {});
  for (int n = 1; n <= counts[kRailSection]; ++n) {
    const RailRun& r = rail_runs[static_cast<std::size_t>(n)];
    const RailRecord& rail = file.map.rails[n];
    s.rails[static_cast<std::size_t>(n)] = {
        r.aspect,           r.stop_origin,      r.occupying_train, r.booking,
        r.previous_booking, r.accident ? 1 : 0, rail.normal_lever, rail.l_next};
  }
  const std::vector<PieceRun> piece_runs = RunEntries(run.pieces, counts[kPieceSection]);
  s.pieces.assign(piece_runs.size(), {});
  for (std::size_t n = 1; n < piece_runs.size(); ++n) {
    s.pieces[n] = {piece_runs[n].point, piece_runs[n].route_lever};
  }
  for (int k = 0; k < kAccidentKinds; ++k) {
    const auto kind = static_cast<std::size_t>(k);
    s.accidents[kind] = Entries(file.dia.accidents[kind],
                                counts[static_cast<std::size_t>(kFirstAccidentSection + k)]);
  }
  return s;
}

std::string WriteStack(const RollbackSnapshot& s) {
  std::string out;
  AppendValue(out, s.time);
  out += "\n\n";
  for (const int word : s.state_words) {
    AppendValue(out, word);
    out += '\n';
  }
  out += '\n';
  const StackCounts counts = s.Counts();
  for (int section = 0; section < kStackSections; ++section) {
    const int count = counts[static_cast<std::size_t>(section)];
    out += StackSectionNames()[static_cast<std::size_t>(section)];
    out += '\n';
    AppendValue(out, count);
    out += '\n';
    for (int n = 1; n <= count; ++n) {
      RecordFields(s, section, n, [&out](const auto& field, Ref) { AppendValue(out, field); });
      out += '\n';
      switch (ListOf(section)) {
        case ListKind::kEvents:
          AppendEvents(out, s.diagrams[static_cast<std::size_t>(n)].events);
          break;
        case ListKind::kAbsent:
          out += "0,0,0,\n";
          break;
        case ListKind::kNone:
          break;
      }
    }
  }
  return out;
}

bool ReadStack(std::string_view text, RollbackSnapshot& out, std::string* problem) {
  RollbackSnapshot read;
  StackReader reader(text);
  if (!reader.Read(read, problem)) return false;
  out = std::move(read);
  return true;
}

bool SnapshotFits(const DiaModel& model, const RollbackSnapshot& snapshot, std::string* problem) {
  const StackCounts loaded = StackCountsOf(model.file());
  const StackCounts held = snapshot.Counts();
  for (int section = 0; section < kStackSections; ++section) {
    const auto i = static_cast<std::size_t>(section);
    if (held[i] != loaded[i]) {
      *problem = CountProblem(section, held[i], loaded[i]);
      return false;
    }
  }
  if (snapshot.time < 0 || snapshot.time > INT_MAX) {
    *problem = "time " + std::to_string(snapshot.time) + " out of range";
    return false;
  }
  const std::pair<std::int64_t, std::int64_t> train_range = RangeOf(Ref::kTrain, loaded);
  if (snapshot.state_words[0] < train_range.first || snapshot.state_words[0] > train_range.second) {
    *problem = "state word 1: no train " + std::to_string(snapshot.state_words[0]);
    return false;
  }
  // A stop event the dia keeps only while it runs is restored as the stack
  // has it: its rail is checked as the loaded events' are.
  const std::pair<std::int64_t, std::int64_t> rail_range = RangeOf(Ref::kRail, loaded);
  for (int n = 1; n <= loaded[kDiagramSection]; ++n) {
    for (const StopEvent& e : snapshot.diagrams[static_cast<std::size_t>(n)].events) {
      if (e.rail < rail_range.first || e.rail > rail_range.second) {
        *problem = "diagram " + std::to_string(n) + ": an event on no rail (" +
                   std::to_string(e.rail) + ")";
        return false;
      }
    }
  }
  for (int section = 0; section < kStackSections; ++section) {
    for (int n = 1; n <= loaded[static_cast<std::size_t>(section)]; ++n) {
      bool fits = true;
      RecordFields(snapshot, section, n, [&](const auto& field, Ref ref) {
        const auto [low, high] = RangeOf(ref, loaded);
        const auto value = static_cast<std::int64_t>(field);
        if (value < low || value > high) fits = false;
      });
      if (!fits) {
        *problem = std::string(StackSectionNames()[static_cast<std::size_t>(section)]) + " " +
                   std::to_string(n) + ": a value names no record of the data";
        return false;
      }
    }
  }
  return true;
}

bool RestoreSnapshot(DiaChange& change, const RollbackSnapshot& s, std::string* problem) {
  if (!SnapshotFits(change.model(), s, problem)) return false;
  const StackCounts counts = s.Counts();
  RunState& run = change.run();
  run.time = static_cast<int>(s.time);
  run.failing_train = s.state_words[0];
  run.trains = s.train_runs;
  run.points = s.point_runs;
  run.levers = s.lever_runs;
  run.rails.resize(s.rails.size());
  for (std::size_t n = 1; n < s.rails.size(); ++n) {
    const std::array<int, kRailRunValues>& v = s.rails[n];
    RailRun& r = run.rails[n];
    r.aspect = v[0];
    r.stop_origin = v[1];
    r.occupying_train = v[2];
    r.booking = v[3];
    r.previous_booking = v[4];
    r.accident = v[5] != 0;
  }
  run.pieces.resize(s.pieces.size());
  for (std::size_t n = 1; n < s.pieces.size(); ++n) {
    run.pieces[n].point = s.pieces[n][0];
    run.pieces[n].route_lever = s.pieces[n][1];
  }
  const Table<DiagramRecord>& diagrams = change.model().dia().diagrams;
  for (int n = 1; n <= counts[kDiagramSection]; ++n) {
    const DiagramRecord& taken = s.diagrams[static_cast<std::size_t>(n)];
    const DiagramRecord& loaded = diagrams[n];
    if (loaded.run_state != taken.run_state) change.diagrams()[n].run_state = taken.run_state;
    if (loaded.events != taken.events &&
        StoredEvents(loaded.events) == StoredEvents(taken.events)) {
      change.diagrams()[n].events = taken.events;
    }
  }
  return true;
}

}  // namespace corvane
