// The undo record on the largest map the tables allow: the memory of 200
// steps that each set one field on every segment, and the time of undoing
// and redoing one such step.

#include <benchmark/benchmark.h>

#include "example_maps.h"
#include "map/edit_map.h"
#include "map/map_change.h"

namespace corvane {
namespace {

constexpr int kSteps = 200;

EditMap LargestMap() {
  EditMap map;
  MapChange change(map);
  for (int i = 0; i < kRailCapacity; ++i) change.rails().Append(LargestMapRail(i));
  return map;
}

// One bulk setting: the speed limit of every segment.
void SetEverySpeed(EditMap& map, int speed) {
  MapChange change(map);
  for (int i = 1; i <= kRailCapacity; ++i) change.rails()[i].speed_limit = speed;
}

void BM_HistoryOf200BulkSteps(benchmark::State& state) {
  std::size_t bytes = 0;
  for (auto _ : state) {
    EditMap map = LargestMap();
    const std::size_t before = map.history_bytes();
    for (int step = 1; step <= kSteps; ++step) SetEverySpeed(map, step);
    bytes = map.history_bytes() - before;
  }
  state.counters["history_MB"] = static_cast<double>(bytes) / (1 << 20);
}
BENCHMARK(BM_HistoryOf200BulkSteps)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_UndoAndRedoABulkStep(benchmark::State& state) {
  EditMap map = LargestMap();
  SetEverySpeed(map, 85);
  for (auto _ : state) {
    map.Undo();
    map.Redo();
  }
}
BENCHMARK(BM_UndoAndRedoABulkStep)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace corvane
