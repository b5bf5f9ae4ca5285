// How long the map edit window takes to redraw a window-sized view of a map
// with a full segment table, as it does on every scroll step.

#include <benchmark/benchmark.h>

#include <string_view>
#include <vector>

#include "base/canvas.h"
#include "editor/map_drawing.h"
#include "map/map_change.h"

namespace corvane {
namespace {

constexpr int kViewWidth = 1280;
constexpr int kViewHeight = 800;

// 8191 segments as a long double-track line folded onto rows of the sheet,
// with a turnout, a station drawing and a jump now and then.
const EditMap& FullMap() {
  static const EditMap* map = [] {
    auto* m = new EditMap;
    MapChange change(*m);
    constexpr int kPerRow = 128;
    for (int i = 0; m->rails().count() < kRailCapacity; ++i) {
      const int column = (i % kPerRow) * 5;
      const int row = (i / kPerRow) * 4 + 2;
      change.rails().Append(NewRail({column, row}, {column + 5, row}, i % 3 + 1));
      if (i % 50 == 0 && m->points().count() < kPointCapacity) {
        MapPoint point;
        point.x1 = column;
        point.x2 = column + 2;
        point.y1 = row + 1;
        point.y2 = row + 4;
        point.branch_count = 2;
        point.branch_left_dy[1] = point.branch_left_dy[2] = 1;
        point.branch_right_dy[1] = 1;
        point.branch_right_dy[2] = 2;
        point.point_key = "21";
        change.points().Append(point);
      }
      if (i % 200 == 0) {
        MapJump jump;
        jump.ax = column, jump.ay = row + 2, jump.bx = column + 3, jump.by = row + 2;
        change.jumps().Append(jump);
      }
    }
    MapStation station;
    station.short_name = "STA";
    change.stations().Append(station);
    for (int i = 0; i < 200; ++i) change.station_draws().Append({i * 20, 1, i * 20 + 4, 2, 1});
    return m;
  }();
  return *map;
}

MapDrawOptions WindowView(int scroll_x, int scroll_y, EditMode mode) {
  MapDrawOptions options;
  options.view_width = kViewWidth;
  options.view_height = kViewHeight;
  options.scroll_x = scroll_x;
  options.scroll_y = scroll_y;
  options.mode = mode;
  return options;
}

// One redraw at the top-left corner of the map.
void BM_DrawWindowAtOrigin(benchmark::State& state) {
  const EditMap& map = FullMap();
  const MapDrawOptions options = WindowView(0, 0, EditMode::kNone);
  for (auto _ : state) {
    NullCanvas canvas;
    DrawEditMap(map, options, canvas);
    benchmark::DoNotOptimize(canvas.calls());
  }
}
BENCHMARK(BM_DrawWindowAtOrigin);

// Scrolling across the map a page at a time, one redraw per step.
void BM_DrawWhileScrolling(benchmark::State& state) {
  const EditMap& map = FullMap();
  const PixelSize size = MapPixelExtent(map.Extent());
  int x = 0, y = 0;
  for (auto _ : state) {
    NullCanvas canvas;
    DrawEditMap(map, WindowView(x, y, EditMode::kSelect), canvas);
    benchmark::DoNotOptimize(canvas.calls());
    x += kViewWidth * 9 / 10;
    if (x > size.width) {
      x = 0;
      y = (y + kViewHeight * 9 / 10) % (size.height + 1);
    }
  }
}
BENCHMARK(BM_DrawWhileScrolling);

// The start-point tool asks every visible segment whether it ends the line.
void BM_DrawStartPointTool(benchmark::State& state) {
  const EditMap& map = FullMap();
  const MapDrawOptions options = WindowView(0, 0, EditMode::kStartPoint);
  for (auto _ : state) {
    NullCanvas canvas;
    DrawEditMap(map, options, canvas);
    benchmark::DoNotOptimize(canvas.calls());
  }
}
BENCHMARK(BM_DrawStartPointTool);

}  // namespace
}  // namespace corvane
