// How long a display window of the operation board takes to redraw on the
// largest compiled map (every rail, point and station-frame slot used,
// 2,000 trains on rails): the whole line in a 1920 x 1080 picture at the
// zoom that shows it, and a 1000 x 700 window at one map unit a pixel,
// which draws only what its index finds in view. Beside them, in the same
// run: opening the map's dia file and building the window's index.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "base/file_io.h"
#include "base/prompter.h"
#include "board/board_drawing.h"
#include "board/board_index.h"
#include "data/dia_file.h"
#include "example_dia.h"
#include "interlocking/operation_data.h"
#include "run/dia_model.h"
#include "run/run_state.h"

namespace corvane {
namespace {

constexpr int kTrains = 2000;

struct Board {
  Board() {
    DiaModel model;
    model.Replace(LargeDiaFile(kTrains), InitialiseOperationData);
    file = model.file();
    run = model.run();
    index = BoardIndex(file, LayoutMode::kNormal);
  }
  DiaFile file;
  RunState run;
  BoardIndex index;
};

const Board& LargestBoard() {
  static const Board board;
  return board;
}

// The zoom factors that show every rail and frame in `width` x `height`.
BoardView WholeView(const SystemMap& map, int width, int height) {
  int right = 1;
  int bottom = 1;
  for (int n = 1; n <= map.rails.count(); ++n) {
    right = std::max({right, map.rails[n].x_exit, map.rails[n].x_entry});
    bottom = std::max({bottom, map.rails[n].y_exit, map.rails[n].y_entry});
  }
  for (int n = 1; n <= map.station_draws.count(); ++n) {
    right = std::max({right, map.station_draws[n].x_left, map.station_draws[n].x_right});
    bottom = std::max({bottom, map.station_draws[n].y_top, map.station_draws[n].y_bottom});
  }
  BoardView view;
  view.width = width;
  view.height = height;
  view.scale_x = ClampScale(std::int64_t{width - 1} * kOneToOneScale / (right + 1));
  view.scale_y = ClampScale(std::int64_t{height - 20} * kOneToOneScale / (bottom + 1));
  return view;
}

void Draw(benchmark::State& state, const BoardView& view) {
  const Board& board = LargestBoard();
  BoardScene scene{board.file, board.run, view, ViewSettings{}};
  scene.index = &board.index;
  long calls = 0;
  for (auto _ : state) {
    NullCanvas canvas;
    DrawBoard(scene, canvas);
    calls = canvas.calls();
  }
  state.counters["canvas_calls"] = static_cast<double>(calls);
  state.counters["scale_x"] = view.scale_x;
  state.counters["scale_y"] = view.scale_y;
}

void BM_BoardWholeLine1920x1080(benchmark::State& state) {
  Draw(state, WholeView(LargestBoard().file.map, 1920, 1080));
}
BENCHMARK(BM_BoardWholeLine1920x1080)->Unit(benchmark::kMillisecond);

void BM_BoardZoomedWindow1000x700(benchmark::State& state) {
  BoardView view;
  view.width = 1000;
  view.height = 700;
  view.scale_x = view.scale_y = 4096;
  view.scroll_x = -2000;  // the middle of the line
  Draw(state, view);
}
BENCHMARK(BM_BoardZoomedWindow1000x700)->Unit(benchmark::kMillisecond);

void BM_BoardIndexBuild(benchmark::State& state) {
  const Board& board = LargestBoard();
  for (auto _ : state) {
    BoardIndex index(board.file, LayoutMode::kNormal);
    benchmark::DoNotOptimize(index);
  }
}
BENCHMARK(BM_BoardIndexBuild)->Unit(benchmark::kMillisecond);

// Opening the map's dia file as the main window does: reading it, the
// points brought to their normal positions, the run-time values built.
void BM_BoardOpenFile(benchmark::State& state) {
  TemporaryFolder folder(std::filesystem::temp_directory_path().string(), "corvane-bench-");
  const std::string temp = folder.path() + "temp/";
  std::filesystem::create_directories(temp);
  const std::string path = folder.path() + "largest.kvb";
  ScriptedPrompter prompter;
  if (!SaveDiaPath(LargestBoard().file, path, prompter)) {
    state.SkipWithError("cannot save the dia file");
    return;
  }
  for (auto _ : state) {
    DiaFile file;
    if (OpenDiaFile(path, temp, prompter, file) != DiaReadResult::kRead) {
      state.SkipWithError("cannot read the dia file");
      return;
    }
    DiaModel model;
    model.Replace(std::move(file), InitialiseOperationData);
    benchmark::DoNotOptimize(model.run());
  }
}
BENCHMARK(BM_BoardOpenFile)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace corvane
