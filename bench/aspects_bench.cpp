// The occupancy and aspect calculation on the largest line with 2,000
// trains, as the operation panel runs it after every click: once as the
// line comes (no signals, no deceleration), once with a signal on every
// fourth rail, a lever on every eighth (half of them with a route set) and
// the deceleration of the signal settings, under each safety device, with
// and without interlocking.

#include <benchmark/benchmark.h>

#include <utility>

#include "data/dia_file.h"
#include "example_dia.h"
#include "interlocking/aspects.h"
#include "interlocking/operation_data.h"
#include "run/dia_model.h"
#include "run/run_state.h"

namespace corvane {
namespace {

constexpr int kTrains = 2000;

// Bands of 15 km/h up to 120.
MapSignalType Bands() {
  MapSignalType type;
  for (int v = 0; v < kAspectSpeeds; ++v) {
    const int low = v >= 120 ? 120 : v / 15 * 15;
    type.aspects[static_cast<std::size_t>(v)].band_low = low;
    type.aspects[static_cast<std::size_t>(v)].aspect_speed = low >= 120 ? kNoStepUp : low + 15;
  }
  return type;
}

// `file` as opening it leaves it.
DiaFile Opened(DiaFile file) {
  DiaModel model;
  model.Replace(std::move(file), InitialiseOperationData);
  return model.file();
}

DiaFile LineWith(bool signals) {
  DiaFile file = Opened(LargeDiaFile(kTrains));
  if (!signals) return file;
  file.header.settings.signal_version = 1126;
  file.header.settings.handle_atc = 280;
  file.map.signal_sets[1] = Bands();
  file.dia.levers = Table<LeverRecord>(file.map.rails.count());
  for (int r = 4; r <= file.map.rails.count(); r += 4) file.map.rails[r].signal = 1;
  for (int r = 8; r <= file.map.rails.count(); r += 8) {
    LeverRecord lever;
    lever.values[kLeverCurrentRoute] = (r / 8) % 2;
    file.map.rails[r].lever = file.dia.levers.Append(lever);
  }
  return file;
}

const DiaFile& Line(bool signals) {
  static const DiaFile plain = LineWith(false);
  static const DiaFile signalled = LineWith(true);
  return signals ? signalled : plain;
}

// Arguments: signals (0, 1), safety device, interlocking (0, 1).
void BM_CalculateAspects(benchmark::State& state) {
  DiaFile file = Line(state.range(0) != 0);
  file.header.settings.safety_device = static_cast<int>(state.range(1));
  file.header.settings.use_interlocking = static_cast<int>(state.range(2));
  RunState run = BuildRunState(file);
  for (auto _ : state) {
    CalculateAspects(file, run);
    benchmark::DoNotOptimize(run.rails.data());
  }
  state.counters["rails"] = file.map.rails.count();
  state.counters["trains"] = file.dia.trains.count();
}
BENCHMARK(BM_CalculateAspects)
    ->ArgsProduct({{0, 1}, {kSafetyAtc, kSafetyAts, kSafetyDigitalAtc}, {0, 1}})
    ->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace corvane
