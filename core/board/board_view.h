#pragma once
// The geometry of the operation board: where an object of the compiled map
// stands in a display window. Objects carry map coordinates and a display
// row; a row moves its objects by its offsets (a long line cut into strips
// below one another); the window scales map units to pixels with
// fixed-point factors (4096 = one map unit a pixel) and scrolls by whole
// positions of 20 pixels.

#include <cstdint>

#include "base/canvas.h"
#include "base/table.h"
#include "data/system_map.h"
#include "data/view_settings.h"

namespace corvane {

// The zoom range (kSmallestScale .. kLargestScale, ClampScale) and the
// scroll step are those of the view settings (data/view_settings.h).

// The editing modes of the board's layout, shared by every display window.
enum class LayoutMode : int {
  kNormal = 0,
  kRowDivision = 1,  // rows are shown flat, as compiled
  kRowPosition = 3,
  kRailProperty = 4,
};

// A display window's view of the board: zoom, scroll and client size.
struct BoardView {
  int scale_x = kOneToOneScale;
  int scale_y = kOneToOneScale;
  int scroll_x = 0;  // pixels: -20 x the scroll-bar position
  int scroll_y = 0;
  int width = 0;  // client size in pixels
  int height = 0;
  LayoutMode layout = LayoutMode::kNormal;

  // The track width: 3 map units scaled vertically, in whole pixels (0 below
  // a third of actual size).
  int TrackWidth() const;
};

// Offsets a display row adds to the map coordinates of its objects: an
// object in row 0, or in a row beyond the table, gets none; in row-division
// editing no row moves anything.
struct RowShift {
  std::int64_t dx = 0;
  std::int64_t dy = 0;
};
RowShift ShiftOfRow(const Table<RowRecord>& rows, int row, LayoutMode layout);

// Map coordinates (row offsets included) to window pixels and back; the
// products are computed in 64 bits and the result kept within an int.
int MapToPixelX(const BoardView& view, std::int64_t x);
int MapToPixelY(const BoardView& view, std::int64_t y);
PixelPoint MapToPixel(const BoardView& view, const Table<RowRecord>& rows, int row, int x, int y);
std::int64_t PixelToMapX(const BoardView& view, int px);
std::int64_t PixelToMapY(const BoardView& view, int py);

// A rail as the board draws it, exit end first. A leftward rail (its exit
// left of its entry) lies one track width lower than its map y, so that the
// two rails of a double track at one map y show as two lines.
struct RailLine {
  PixelPoint exit;
  PixelPoint entry;
};
bool IsLeftward(const RailRecord& rail);
RailLine RailOnBoard(const BoardView& view, const Table<RowRecord>& rows, const RailRecord& rail);

// Where a route lever or button of `direction` stands: half a track width
// below its place, one and a half for a leftward one (1).
PixelPoint PanelPlace(const BoardView& view, const Table<RowRecord>& rows, int row, int x, int y,
                      int direction);

}  // namespace corvane
