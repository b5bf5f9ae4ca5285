#include "run/run_state.h"

#include <cstddef>
#include <type_traits>

namespace corvane {

namespace {

// The run-time list that goes with `table`, if it has one.
template <typename F>
void WithRunList(RunState& run, DiaTable table, F&& f) {
  switch (table) {
    case DiaTable::kRail:
      f(run.rails);
      break;
    case DiaTable::kPRail:
      f(run.pieces);
      break;
    case DiaTable::kPoint:
      f(run.points);
      break;
    case DiaTable::kLever:
      f(run.levers);
      break;
    case DiaTable::kTrain:
      f(run.trains);
      break;
    default:
      break;
  }
}

template <typename T>
std::vector<T> ListFor(int count) {
  return std::vector<T>(static_cast<std::size_t>(count) + 1);
}

}  // namespace

bool HasRunList(DiaTable table) {
  bool has = false;
  RunState none;
  WithRunList(none, table, [&has](const auto&) { has = true; });
  return has;
}

void RunState::RecordInserted(DiaTable table, int index) {
  WithRunList(*this, table, [index](auto& list) {
    using Entry = typename std::decay_t<decltype(list)>::value_type;
    if (index < 1) return;
    const auto at = static_cast<std::size_t>(index);
    if (at <= list.size()) {
      list.insert(list.begin() + static_cast<std::ptrdiff_t>(at), Entry{});
    } else {
      list.resize(at + 1);
    }
  });
}

void RunState::RecordDeleted(DiaTable table, int index) {
  WithRunList(*this, table, [index](auto& list) {
    const auto at = static_cast<std::size_t>(index);
    if (index >= 1 && at < list.size()) list.erase(list.begin() + static_cast<std::ptrdiff_t>(at));
  });
}

RunState BuildRunState(const DiaFile& file) {
  const SystemMap& map = file.map;
  RunState run;
  run.rails = ListFor<RailRun>(map.rails.count());
  run.pieces = ListFor<PieceRun>(map.prails.count());
  run.points = ListFor<PointRun>(map.points.count());
  run.levers = ListFor<LeverRun>(file.dia.levers.count());
  run.trains = ListFor<TrainRun>(file.dia.trains.count());
  run.time = file.header.start_time;
  for (int n = 1; n <= map.points.count(); ++n) {
    const PointRecord& point = map.points[n];
    run.points[static_cast<std::size_t>(n)].saved_mode = point.mode;
    for (int e = 0; e < point.entry_count && e < kPointSlots; ++e) {
      const int rail = point.entry_rails[static_cast<std::size_t>(e)];
      if (!map.rails.Contains(rail)) continue;
      const int piece = map.rails[rail].l_pack;
      if (map.prails.Contains(piece)) run.pieces[static_cast<std::size_t>(piece)].point = n;
    }
  }
  return run;
}

}  // namespace corvane
