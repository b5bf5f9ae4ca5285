#include "board/board_view.h"

#include <algorithm>

#include "map/map_records.h"

namespace corvane {

int ClampScale(std::int64_t scale) {
  return static_cast<int>(std::clamp<std::int64_t>(scale, kSmallestScale, kLargestScale));
}

int BoardView::TrackWidth() const { return 3 * ClampScale(scale_y) / kOneToOneScale; }

RowShift ShiftOfRow(const Table<RowRecord>& rows, int row, LayoutMode layout) {
  if (layout == LayoutMode::kRowDivision || row < 1 || row > rows.count()) return {};
  const RowRecord& r = rows[row];
  return {std::int64_t{r.x} + r.x_shift, std::int64_t{r.y} + r.y_shift};
}

namespace {

// Floor division by 4096, as an arithmetic shift gives it.
std::int64_t Scaled(std::int64_t value, int scale) {
  const std::int64_t product = value * ClampScale(scale);
  return product >= 0 ? product / kOneToOneScale
                      : -((-product + kOneToOneScale - 1) / kOneToOneScale);
}

}  // namespace

int MapToPixelX(const BoardView& view, std::int64_t x) {
  return ClampToInt(Scaled(x, view.scale_x) + view.scroll_x);
}

int MapToPixelY(const BoardView& view, std::int64_t y) {
  return ClampToInt(Scaled(y, view.scale_y) + view.scroll_y);
}

PixelPoint MapToPixel(const BoardView& view, const Table<RowRecord>& rows, int row, int x, int y) {
  const RowShift shift = ShiftOfRow(rows, row, view.layout);
  return {MapToPixelX(view, x + shift.dx), MapToPixelY(view, y + shift.dy)};
}

std::int64_t PixelToMapX(const BoardView& view, int px) {
  return (std::int64_t{px} - view.scroll_x) * kOneToOneScale / ClampScale(view.scale_x);
}

std::int64_t PixelToMapY(const BoardView& view, int py) {
  return (std::int64_t{py} - view.scroll_y) * kOneToOneScale / ClampScale(view.scale_y);
}

bool IsLeftward(const RailRecord& rail) { return rail.x_exit < rail.x_entry; }

RailLine RailOnBoard(const BoardView& view, const Table<RowRecord>& rows, const RailRecord& rail) {
  RailLine line{MapToPixel(view, rows, rail.display_row, rail.x_exit, rail.y_exit),
                MapToPixel(view, rows, rail.display_row, rail.x_entry, rail.y_entry)};
  if (IsLeftward(rail)) {
    const int width = view.TrackWidth();
    line.exit.y = ClampToInt(std::int64_t{line.exit.y} + width);
    line.entry.y = ClampToInt(std::int64_t{line.entry.y} + width);
  }
  return line;
}

PixelPoint PanelPlace(const BoardView& view, const Table<RowRecord>& rows, int row, int x, int y,
                      int direction) {
  PixelPoint place = MapToPixel(view, rows, row, x, y);
  const int width = view.TrackWidth();
  place.y = ClampToInt(std::int64_t{place.y} + (direction == 1 ? 3 * width / 2 : width / 2));
  return place;
}

namespace {

// One axis of the scroll range: `extent` is the farthest rail end in
// pixels, `client` the client's size along the axis.
ScrollRange RangeOf(std::int64_t extent, int client, int start) {
  ScrollRange range;
  if (extent + kScrollStep <= client) return range;
  range.minimum = std::min(0, (start - kScrollStep) / kScrollStep);
  range.maximum = ClampToInt(
      std::max<std::int64_t>(range.minimum, (extent + client / 4) / kScrollStep));
  range.page = client / kScrollStep;
  return range;
}

// The largest rail coordinate along one axis (row offsets included), in map
// units; 0 without rails.
template <typename Coordinate>
std::int64_t FarthestRailEnd(const SystemMap& map, LayoutMode layout, Coordinate coordinate) {
  std::int64_t farthest = 0;
  for (int n = 1; n <= map.rails.count(); ++n) {
    const RailRecord& rail = map.rails[n];
    const RowShift shift = ShiftOfRow(map.rows, rail.display_row, layout);
    farthest = std::max(farthest, coordinate(rail, shift));
  }
  return farthest;
}

}  // namespace

ScrollRange HorizontalScrollRange(const BoardView& view, const SystemMap& map, int start) {
  const std::int64_t farthest =
      FarthestRailEnd(map, view.layout, [](const RailRecord& rail, const RowShift& shift) {
        return std::max(rail.x_exit, rail.x_entry) + shift.dx;
      });
  return RangeOf(MapToPixelX(view, farthest) - std::int64_t{view.scroll_x}, view.width, start);
}

ScrollRange VerticalScrollRange(const BoardView& view, const SystemMap& map, int start) {
  const std::int64_t farthest =
      FarthestRailEnd(map, view.layout, [](const RailRecord& rail, const RowShift& shift) {
        return std::max(rail.y_exit, rail.y_entry) + shift.dy;
      });
  return RangeOf(MapToPixelY(view, farthest) - std::int64_t{view.scroll_y}, view.height, start);
}

}  // namespace corvane
