// Saving, opening and checking the largest map the tables allow:
// formatting the bundle text, packing, unpacking, splitting and reading
// every table, the whole open and save of the map edit window's file
// commands, and the compile checks (which should take less than reading).

#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>
#include <map>
#include <optional>
#include <string>

#include "app/map_document.h"
#include "base/chooser.h"
#include "base/file_io.h"
#include "base/message_log.h"
#include "base/prompter.h"
#include "compiler/compile_checks.h"
#include "compiler/map_compiler.h"
#include "example_maps.h"
#include "map/map_change.h"
#include "map/map_tables.h"
#include "mapfile/map_file.h"
#include "mapfile/packed_bundle.h"

namespace corvane {
namespace {

// Every segment and point slot used, laid out in rows of 60 segments.
const MapContent& LargestMap() {
  static const MapContent map = [] {
    MapContent built = NewMapContent();
    for (int i = 0; i < kRailCapacity; ++i) {
      MapRail rail = LargestMapRail(i);
      rail.short_left = "ABCDEFGHIJ";
      rail.name_left = "a long name for the leftward direction";
      built.rails.Append(rail);
    }
    for (int i = 0; i < kPointCapacity; ++i) {
      MapPoint point;
      point.x1 = i * 4;
      point.x2 = i * 4 + 4;
      point.y1 = 1;
      point.y2 = 4;
      point.branch_count = 2;
      point.branch_left_dy[1] = point.branch_left_dy[2] = 1;
      point.branch_right_dy[1] = 1;
      point.branch_right_dy[2] = 2;
      built.points.Append(point);
    }
    MapSignalType type;
    type.name = "S";
    for (int speed = 0; speed < kAspectSpeeds; ++speed)
      type.aspects[speed].band_low = speed < 46 ? 0 : 46;
    built.signal_types.Append(type);
    built.images.Append({});
    built.colours.Append({});
    return built;
  }();
  return map;
}

// Every segment and point slot used on a map that passes the checks: rows
// of 60 segments joined end to end by jumps, the points in a row of their
// own below.
EditMap& CheckableLargestMap() {
  static EditMap map = [] {
    EditMap built;
    MapChange change(built);
    constexpr int kPerRow = 60;
    for (int i = 0; i < kRailCapacity; ++i) change.rails().Append(LargestMapRail(i));
    const int rows = (kRailCapacity + kPerRow - 1) / kPerRow;
    for (int r = 0; r + 1 < rows && !built.jumps().full(); ++r) {
      MapJump jump;
      jump.ax = 2 + kPerRow * 4;
      jump.ay = 4 + r * 4;
      jump.bx = 2;
      jump.by = 8 + r * 4;
      change.jumps().Append(jump);
    }
    for (int i = 0; i < kPointCapacity; ++i) {
      MapPoint point;
      point.x1 = i * 6;
      point.x2 = i * 6 + 4;
      point.y1 = 10000;
      point.y2 = 10004;
      point.branch_count = 2;
      point.branch_left_dy[1] = point.branch_left_dy[2] = 1;
      point.branch_right_dy[1] = 1;
      point.branch_right_dy[2] = 3;
      change.points().Append(point);
    }
    change.signal_types().Append(MapSignalType{});
    change.header().start.start_rail = 1;
    return built;
  }();
  return map;
}

void BM_CompileChecks(benchmark::State& state) {
  EditMap& map = CheckableLargestMap();
  ScriptedPrompter prompter;
  CheckOutput output;
  output.prompter = &prompter;
  bool passed = false;
  for (auto _ : state) {
    MapCheckMarks marks;
    passed = CheckForCompile(map, marks, output);
  }
  if (!passed) state.SkipWithError("the map did not pass the checks");
}
BENCHMARK(BM_CompileChecks)->Unit(benchmark::kMillisecond);

// The bundle's members, which also stand in for the defaults.
class MemberSource : public BundleTableSource {
 public:
  using BundleTableSource::BundleTableSource;
  std::optional<std::string> ReadDefaultTable(const std::string& name,
                                              std::string* shown) override {
    return ReadTable(name, shown);
  }
};

void BM_FormatMapText(benchmark::State& state) {
  const MapContent& map = LargestMap();
  for (auto _ : state) benchmark::DoNotOptimize(FormatMapText(map));
}
BENCHMARK(BM_FormatMapText)->Unit(benchmark::kMillisecond);

void BM_PackAndUnpack(benchmark::State& state) {
  const std::string text = FormatMapText(LargestMap());
  for (auto _ : state) benchmark::DoNotOptimize(UnpackBytes(PackText(text)));
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_PackAndUnpack)->Unit(benchmark::kMillisecond);

void BM_ReadMap(benchmark::State& state) {
  const std::string text = FormatMapText(LargestMap());
  const auto members = SplitBundleText(text);
  MemberSource source(*members);
  ScriptedPrompter prompter;
  for (auto _ : state) {
    MapContent map;
    benchmark::DoNotOptimize(
        ReadMapFromHeader(members->front().content, kMapHeaderMember, source, map, prompter));
  }
}
BENCHMARK(BM_ReadMap)->Unit(benchmark::kMillisecond);

// The map edit window's file commands on the largest map, with a scratch
// folder of their own.
struct MapFileCommands {
  MapFileCommands() : folder(std::filesystem::temp_directory_path().string(), "corvane-bench-") {
    MapFolders folders;
    folders.temp = folder.path() + "temp/";
    std::filesystem::create_directories(folders.temp);
    document.emplace(map, folders, prompter, chooser, log);
    map.Replace(MapContent(LargestMap()));
    path = folder.path() + "largest.kvm";
  }
  TemporaryFolder folder;
  EditMap map;
  ScriptedPrompter prompter;
  ScriptedChooser chooser;
  MessageLog log;
  std::optional<MapDocument> document;
  std::string path;
};

// Save as: the bundle text formatted and packed into the file.
void BM_SaveMap(benchmark::State& state) {
  MapFileCommands commands;
  for (auto _ : state) {
    if (!commands.document->SaveAsPath(commands.path)) {
      state.SkipWithError("the map could not be saved");
    }
  }
}
BENCHMARK(BM_SaveMap)->Unit(benchmark::kMillisecond);

// Open: the file unpacked, split and every table read into the map.
void BM_OpenMap(benchmark::State& state) {
  MapFileCommands commands;
  if (!commands.document->SaveAsPath(commands.path)) {
    state.SkipWithError("the map could not be saved");
    return;
  }
  for (auto _ : state) {
    if (commands.document->OpenPath(commands.path) != OpenOutcome::kOpened) {
      state.SkipWithError("the map could not be opened");
    }
  }
}
BENCHMARK(BM_OpenMap)->Unit(benchmark::kMillisecond);

// The whole compile of the largest checkable map (checks included), and the
// read of that map's file beside it: counter "vs_read" says how many times
// longer compiling takes than reading (the goal is at most 2).
void BM_CompileMap(benchmark::State& state) {
  const EditMap& largest = CheckableLargestMap();
  const std::string text = FormatMapText(largest.content());
  const auto members = SplitBundleText(text);
  MemberSource source(*members);
  ScriptedPrompter prompter;
  CheckOutput output;
  output.prompter = &prompter;
  std::chrono::duration<double> compile_time{0};
  std::chrono::duration<double> read_time{0};
  bool compiled = false;
  for (auto _ : state) {
    state.PauseTiming();
    EditMap map;
    map.Replace(MapContent(largest.content()));
    state.ResumeTiming();
    const auto start = std::chrono::steady_clock::now();
    MapCheckMarks marks;
    const auto result = CompileMap(map, marks, output);
    compiled = result.has_value();
    const auto done = std::chrono::steady_clock::now();
    MapContent read;
    ReadMapFromHeader(members->front().content, kMapHeaderMember, source, read, prompter);
    const auto read_done = std::chrono::steady_clock::now();
    compile_time += done - start;
    read_time += read_done - done;
  }
  if (!compiled) state.SkipWithError("the map did not compile");
  state.counters["vs_read"] = compile_time.count() / read_time.count();
}
BENCHMARK(BM_CompileMap)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace corvane
