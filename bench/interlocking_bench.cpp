// The relay interlocking on the largest line the compile takes (every
// segment and point slot used, levers and buttons generated, 300 trains
// standing on it), in one run: reading its saved dia file, one full
// occupancy and aspect calculation, a manual throw of a point with the
// calculation it causes (and the throw back), and a route set from a lever
// to its button (and released). Each command is one user action through
// the change path, as the board runs it; counter "per_command" is the time
// of one of the two commands an iteration makes.

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

#include "base/file_io.h"
#include "base/prompter.h"
#include "compiler/map_compiler.h"
#include "data/dia_file.h"
#include "example_dia.h"
#include "example_maps.h"
#include "interlocking/aspects.h"
#include "interlocking/interlocking_panel.h"
#include "interlocking/operation_data.h"
#include "interlocking/point_control.h"
#include "interlocking/route_setting.h"
#include "map/map_tables.h"
#include "run/dia_change.h"
#include "run/dia_model.h"

namespace corvane {
namespace {

constexpr int kTrains = 300;

// The largest line compiled, loaded with its trains, switched to the panel
// mode (levers under demand control) and saved packed.
struct LargestLine {
  LargestLine() : folder(std::filesystem::temp_directory_path().string(), "corvane-bench-") {
    temp = folder.path() + "temp/";
    std::filesystem::create_directories(temp);
    path = folder.path() + "largest.kvb";
    EditMap map;
    map.Replace(NewMapContent());
    BuildLargestLine(map);
    ScriptedPrompter quiet;
    CheckOutput output;
    output.prompter = &quiet;
    MapCheckMarks marks;
    std::optional<CompileResult> compiled = CompileMap(map, marks, output);
    if (!compiled || compiled->errors != 0) return;
    PlaceTrainsOnBlocks(compiled->file, kTrains);
    model.Replace(std::move(compiled->file), InitialiseOperationData);
    ScriptedPrompter demand({PromptAnswer::kYes});
    OperationReport report;
    report.boxes = &demand;
    if (ToggleInterlockingPanel(model, report) != PanelToggle::kSwitchedOn) return;
    ready = SaveDiaPath(model.file(), path, quiet);
  }

  TemporaryFolder folder;
  std::string temp, path;
  DiaModel model;
  bool ready = false;
};

LargestLine& Line() {
  static LargestLine line;
  return line;
}

void Describe(benchmark::State& state, const DiaModel& model) {
  state.counters["rails"] = model.map().rails.count();
  state.counters["points"] = model.map().points.count();
  state.counters["levers"] = model.dia().levers.count();
  state.counters["buttons"] = model.dia().buttons.count();
  state.counters["trains"] = model.dia().trains.count();
}

void BM_ReadLargestLine(benchmark::State& state) {
  LargestLine& line = Line();
  if (!line.ready) {
    state.SkipWithError("the largest line could not be built");
    return;
  }
  for (auto _ : state) {
    DiaFile read;
    ScriptedPrompter prompter;
    if (OpenDiaFile(line.path, line.temp, prompter, read) != DiaReadResult::kRead) {
      state.SkipWithError("the saved line could not be opened");
      return;
    }
    benchmark::DoNotOptimize(read.map.rails.count());
  }
  Describe(state, line.model);
}
BENCHMARK(BM_ReadLargestLine)->Unit(benchmark::kMillisecond);

// Every rail's occupancy and aspect from scratch.
void BM_FullRecalculation(benchmark::State& state) {
  LargestLine& line = Line();
  if (!line.ready) {
    state.SkipWithError("the largest line could not be built");
    return;
  }
  RunState run = line.model.run();
  for (auto _ : state) {
    CalculateAspects(line.model.file(), run);
    benchmark::DoNotOptimize(run.rails.data());
  }
  Describe(state, line.model);
}
BENCHMARK(BM_FullRecalculation)->Unit(benchmark::kMicrosecond);

// The point of the yard halfway along the line: thrown by hand and back.
void BM_ThrowPoint(benchmark::State& state) {
  LargestLine& line = Line();
  if (!line.ready) {
    state.SkipWithError("the largest line could not be built");
    return;
  }
  DiaModel& model = line.model;
  const int point = model.map().points.count() / 2;
  const OperationReport report;
  for (auto _ : state) {
    bool thrown = false;
    {
      DiaChange change(model);
      thrown = ThrowPoint(change, point, 1, ThrowCaller::kBoard, 0, report);
    }
    {
      DiaChange change(model);
      thrown = ThrowPoint(change, point, -1, ThrowCaller::kBoard, 0, report) && thrown;
    }
    if (!thrown) {
      state.SkipWithError("the point could not be thrown");
      return;
    }
  }
  state.counters["per_command"] = benchmark::Counter(
      2, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
  Describe(state, model);
}
BENCHMARK(BM_ThrowPoint)->Unit(benchmark::kMicrosecond);

// The first lever from the middle of the line on whose route the search
// finds a button ahead and which sets: its rail and that button's rail.
struct Route {
  int start = 0;
  int end = 0;
};

Route FindRoute(DiaModel& model) {
  const DiaFile& file = model.file();
  const OperationReport quiet;
  for (int lever = file.dia.levers.count() / 2; lever <= file.dia.levers.count(); ++lever) {
    if (CurrentRoute(file, lever) != 0) continue;
    const int start = RailOfLever(file, lever);
    // Along the next links to the first rail with a button.
    int end = 0;
    for (int at = start, steps = 0; at != 0 && steps < file.map.rails.count(); ++steps) {
      at = std::abs(file.map.rails[at].l_next);
      if (!file.map.rails.Contains(at)) break;
      if (file.map.rails[at].button != 0) {
        end = at;
        break;
      }
    }
    if (end == 0) continue;
    bool set = false;
    {
      DiaChange change(model);
      set = SetRoute(change, start, end, nullptr, RoutePreference::kNormalPath, false, quiet);
    }
    if (!set) continue;
    DiaChange change(model);
    ReleaseRoute(change, lever);
    return {start, end};
  }
  return {};
}

void BM_SetRoute(benchmark::State& state) {
  LargestLine& line = Line();
  if (!line.ready) {
    state.SkipWithError("the largest line could not be built");
    return;
  }
  DiaModel& model = line.model;
  const Route route = FindRoute(model);
  if (route.start == 0) {
    state.SkipWithError("no route could be set");
    return;
  }
  const int lever = LeverOnRail(model.file(), route.start);
  const OperationReport report;
  for (auto _ : state) {
    bool set = false;
    {
      DiaChange change(model);
      set = SetRoute(change, route.start, route.end, nullptr, RoutePreference::kNormalPath, true,
                     report);
    }
    {
      DiaChange change(model);
      ReleaseRoute(change, lever);
    }
    if (!set) {
      state.SkipWithError("the route could not be set");
      return;
    }
  }
  state.counters["per_command"] = benchmark::Counter(
      2, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
  state.counters["route_rails"] = static_cast<double>(
      SearchRoute(model.file(), model.run(), route.start, route.end, RoutePreference::kNormalPath)
          .size());
  Describe(state, model);
}
BENCHMARK(BM_SetRoute)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace corvane
