#include "board/board_view.h"

#include <algorithm>

#include "map/map_records.h"

namespace corvane {

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

}  // namespace corvane
