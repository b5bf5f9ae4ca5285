// The relay interlocking on the largest line the compile takes (every
// segment and point slot used, levers and buttons generated, 300 trains
// standing on it), in one run: reading its saved dia file, saving and
// opening it as executed data with its rollback stack, one full
// occupancy and aspect calculation, a manual throw of a point with the
// calculation it causes (and the throw back), and a route set from a lever
// to a button (and released). Each command is one user action through the
// change path, as the board runs it; an iteration times one command, what
// puts the line back after it is not timed.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

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
#include "run/rollback.h"
#include "run/rollback_list.h"

namespace corvane {
namespace {

std::size_t At(int index) { return static_cast<std::size_t>(index); }

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

// Executed data of the line: the snapshot of its run-time state taken and
// written as the stack member, the whole bundle packed into a ".kve".
void BM_SaveExecutedLargestLine(benchmark::State& state) {
  LargestLine& line = Line();
  if (!line.ready) {
    state.SkipWithError("the largest line could not be built");
    return;
  }
  const std::string path = line.folder.path() + "largest.kve";
  std::size_t stack_bytes = 0;
  for (auto _ : state) {
    const std::string stack = WriteStack(TakeSnapshot(line.model));
    stack_bytes = stack.size();
    ScriptedPrompter prompter;
    if (!SaveDiaPath(line.model.file(), path, prompter, false, &stack)) {
      state.SkipWithError("the executed data could not be saved");
      return;
    }
  }
  state.counters["stack_kB"] = static_cast<double>(stack_bytes) / 1024;
  Describe(state, line.model);
}
BENCHMARK(BM_SaveExecutedLargestLine)->Unit(benchmark::kMillisecond);

// The ".kve" opened as the main window opens it: read, brought into its
// working state, the stack read, checked against the tables and restored.
void BM_OpenExecutedLargestLine(benchmark::State& state) {
  LargestLine& line = Line();
  const std::string path = line.folder.path() + "largest-open.kve";
  const std::string stack = WriteStack(TakeSnapshot(line.model));
  ScriptedPrompter saving;
  if (!line.ready || !SaveDiaPath(line.model.file(), path, saving, false, &stack)) {
    state.SkipWithError("the executed data could not be saved");
    return;
  }
  for (auto _ : state) {
    DiaFile read;
    ScriptedPrompter prompter;
    if (OpenDiaFile(path, line.temp, prompter, read) != DiaReadResult::kRead) {
      state.SkipWithError("the executed data could not be opened");
      return;
    }
    DiaModel model;
    model.Replace(std::move(read), InitialiseOperationData);
    if (!RestoreStackMember(model, "stack.csv", prompter)) {
      state.SkipWithError("the stack was not restored");
      return;
    }
    benchmark::DoNotOptimize(model.run().time);
  }
  state.counters["stack_kB"] = static_cast<double>(stack.size()) / 1024;
  Describe(state, line.model);
}
BENCHMARK(BM_OpenExecutedLargestLine)->Unit(benchmark::kMillisecond);

// The stack text alone, written and read back.
void BM_StackTextLargestLine(benchmark::State& state) {
  LargestLine& line = Line();
  if (!line.ready) {
    state.SkipWithError("the largest line could not be built");
    return;
  }
  const RollbackSnapshot snapshot = TakeSnapshot(line.model);
  for (auto _ : state) {
    const std::string stack = WriteStack(snapshot);
    RollbackSnapshot read;
    std::string problem;
    if (!ReadStack(stack, read, &problem)) {
      state.SkipWithError(problem.c_str());
      return;
    }
    benchmark::DoNotOptimize(read.time);
  }
  Describe(state, line.model);
}
BENCHMARK(BM_StackTextLargestLine)->Unit(benchmark::kMillisecond);

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

// The positions of every point.
std::vector<int> Positions(const DiaModel& model) {
  std::vector<int> positions;
  for (const PointRecord& point : model.map().points) positions.push_back(point.position);
  return positions;
}

// Throws `point` by hand until it stands at `position` again.
void ThrowBack(DiaChange& change, int point, int position) {
  const OperationReport quiet;
  for (int step = 0; step < kPointSlots && change.model().map().points[point].position != position;
       ++step) {
    ThrowPoint(change, point, 1, ThrowCaller::kBoard, 0, quiet);
  }
}

// The point of the yard halfway along the line, thrown by hand: one
// iteration times one throw, the throw back is not timed.
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
    state.PauseTiming();
    {
      DiaChange change(model);
      thrown = ThrowPoint(change, point, -1, ThrowCaller::kBoard, 0, report) && thrown;
    }
    state.ResumeTiming();
    if (!thrown) {
      state.SkipWithError("the point could not be thrown");
      return;
    }
  }
  Describe(state, model);
}
BENCHMARK(BM_ThrowPoint)->Unit(benchmark::kMicrosecond);

// A route from the middle of the line: from a lever to a button a few rails
// on, over points that already lie for it or over one that has to be
// thrown.
struct Route {
  int start = 0;
  int end = 0;
  int lever = 0;
  int thrown_point = 0;  // the point the route throws, 0 none
};

Route FindRoute(DiaModel& model, bool throwing) {
  const DiaFile& file = model.file();
  const OperationReport quiet;
  const int rails = file.map.rails.count();
  for (int lever = file.dia.levers.count() / 2; lever <= file.dia.levers.count(); ++lever) {
    if (CurrentRoute(file, lever) != 0) continue;
    const int start = RailOfLever(file, lever);
    // Compiled segments keep their order: a yard's rails lie close by.
    for (int end = std::max(1, start - 12); end <= std::min(rails, start + 12); ++end) {
      if (end == start || file.map.rails[end].button == 0) continue;
      const std::vector<int> before = Positions(model);
      bool set = false;
      {
        DiaChange change(model);
        set = SetRoute(change, start, end, nullptr, RoutePreference::kNormalPath, false, quiet);
      }
      if (!set) continue;
      const std::vector<int> after = Positions(model);
      int thrown = 0;
      for (std::size_t p = 0; p < after.size(); ++p) {
        if (after[p] != before[p]) thrown = static_cast<int>(p) + 1;
      }
      DiaChange change(model);
      ReleaseRoute(change, lever);
      if (thrown != 0) ThrowBack(change, thrown, before[At(thrown - 1)]);
      if ((thrown != 0) == throwing) return {start, end, lever, thrown};
    }
  }
  return {};
}

// Argument: whether the route throws a point. One iteration times one
// route set; releasing it (and throwing the point back) is not timed.
void BM_SetRoute(benchmark::State& state) {
  LargestLine& line = Line();
  if (!line.ready) {
    state.SkipWithError("the largest line could not be built");
    return;
  }
  DiaModel& model = line.model;
  const Route route = FindRoute(model, state.range(0) != 0);
  if (route.start == 0) {
    state.SkipWithError("no such route could be set");
    return;
  }
  const OperationReport report;
  const int position =
      route.thrown_point != 0 ? model.map().points[route.thrown_point].position : 0;
  for (auto _ : state) {
    bool set = false;
    {
      DiaChange change(model);
      set = SetRoute(change, route.start, route.end, nullptr, RoutePreference::kNormalPath, true,
                     report);
    }
    state.PauseTiming();
    {
      DiaChange change(model);
      ReleaseRoute(change, route.lever);
      if (route.thrown_point != 0) ThrowBack(change, route.thrown_point, position);
    }
    state.ResumeTiming();
    if (!set) {
      state.SkipWithError("the route could not be set");
      return;
    }
  }
  state.counters["route_rails"] = static_cast<double>(
      SearchRoute(model.file(), model.run(), route.start, route.end, RoutePreference::kNormalPath)
          .size());
  Describe(state, model);
}
BENCHMARK(BM_SetRoute)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace corvane
