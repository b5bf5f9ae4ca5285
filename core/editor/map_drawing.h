#pragma once
// The picture of the map edit window: the grid, every object filled by how it
// relates to the active tool, the tracks with their direction arrows, and the
// marks of half-finished clicks. Drawn onto any Canvas, so the window, the
// headless renderer and the tests share one drawing.

#include <cstdint>
#include <optional>
#include <vector>

#include "base/canvas.h"
#include "editor/edit_mode.h"
#include "editor/map_selection.h"
#include "editor/map_zoom.h"
#include "map/check_marks.h"
#include "map/edit_map.h"

namespace corvane {

// Colours of the map edit window.
inline constexpr Rgb kMapRed{255, 0, 0};
inline constexpr Rgb kMapGreen{0, 255, 0};
inline constexpr Rgb kMapBlue{0, 0, 255};
inline constexpr Rgb kMapYellow{255, 255, 0};
inline constexpr Rgb kMapMagenta{255, 0, 255};
inline constexpr Rgb kMapGrey{128, 128, 128};
inline constexpr Rgb kMapLightGrey{192, 192, 192};
inline constexpr Rgb kMapAutoNamed{0, 255, 254};  // segments named by full-automatic naming

// Everything besides the map that decides what the window shows.
struct MapDrawOptions {
  // The view: the grid pixel at the window's top-left corner and the size of
  // the window's client area.
  int scroll_x = 0;
  int scroll_y = 0;
  int view_width = 0;
  int view_height = 0;
  // The scale the window shows the drawing at, in percent: strokes and grid
  // lines keep at least one pixel of the window.
  int zoom = kActualSize;

  // Every grid_x-th column and grid_y-th row line is black (0: none).
  int grid_x = 10;
  int grid_y = 4;

  EditMode mode = EditMode::kNone;
  SelectionKind selection_kind = SelectionKind::kIndividual;
  // The selected objects, drawn yellow by the selection tools (null: none).
  const MapSelection* selection = nullptr;

  // Current station (station, station yard and station drawing tools) and
  // current stop section (stop section and its yard tools).
  int current_station = 0;
  int current_target = 0;

  // Tool values the fills compare against.
  int electric = kDefaultElectric;   // electrification tool
  int signal_type = kDefaultSignal;  // both signal tools
  int speed_limit = 0;               // speed limit tool, km/h (0 none)
  int distance = 0;                  // length and stop-target tools, metres
  MapNameEntry names;                // manual naming: the four texts
  int name_entry = 0;                // semi-automatic, yard, station, stop-section naming

  // The object an open information dialog edits: it is filled red and all
  // others black. A point's selected branch (1-based, 0 none) is drawn red.
  int dialog_rail = 0;
  int dialog_point = 0;
  int dialog_branch = 0;

  // Error display: marked objects are drawn red (error) or magenta (warning).
  bool show_check_marks = false;
  const MapCheckMarks* check_marks = nullptr;

  // Half-finished clicks: the pending point of a two-click tool and the
  // corners collected by the crossing tool.
  std::optional<GridPoint> pending;
  std::vector<GridPoint> crossing_corners;
  // The grid point under the mouse pointer: the preview of what the next
  // click adds runs from the pending point to it.
  std::optional<GridPoint> hover;
};

// The fills that show how an object relates to the active tool: blue for
// the tool's own value, grey for another one, black for none.
constexpr Rgb RelationFill(int field, int current) {
  if (field == 0) return kBlack;
  return field == current ? kMapBlue : kMapGrey;
}
// Blue when the object holds the tool's value, grey when it does not.
constexpr Rgb MatchFill(bool equal) { return equal ? kMapBlue : kMapGrey; }

// The picture being drawn, as the active tool's drawing hooks see it: the
// map and the options, and the marks they draw over the map, placed by grid
// points (the view's scroll and scale and the cut at its edges are done
// here).
class ToolCanvas {
 public:
  virtual ~ToolCanvas() = default;

  const EditMap& map() const { return map_; }
  const MapDrawOptions& options() const { return options_; }

  // Whether an object (a jump's end) is in the selection.
  bool Selected(MapTable table, int index) const;
  bool JumpEndSelected(int jump, bool end_a) const;
  // The pending point, when there is one apart from the grid point under the
  // pointer: where the preview of a two-click tool starts.
  std::optional<GridPoint> PreviewStart(GridPoint hover) const;

  // A filled square from `before` pixels before the grid point to `after`
  // pixels after it.
  virtual void Square(GridPoint p, int before, int after, Rgb colour) = 0;
  // The pending point's mark, a square of five pixels (nothing when none).
  void PendingMark(Rgb colour);
  // A band five pixels high across the whole view at a row (five pixels
  // wide down it at a column).
  virtual void RowBand(int row, Rgb colour) = 0;
  virtual void ColumnBand(int column, Rgb colour) = 0;
  // A line two pixels thick between two grid points.
  virtual void Stroke(GridPoint from, GridPoint to, Rgb colour) = 0;
  // The outline, two pixels wide, of the rectangle with corners a and b.
  virtual void Outline(GridPoint a, GridPoint b, Rgb colour) = 0;

 protected:
  ToolCanvas(const EditMap& map, const MapDrawOptions& options) : map_(map), options_(options) {}

 private:
  const EditMap& map_;
  const MapDrawOptions& options_;
};

// What the map shows while a tool is active: the fill of each object by how
// it relates to the tool, numbers written instead of the track, and the
// marks of the tool's half-finished clicks and the preview of its next one.
// Every hook may be null: black fills, tracks and branches, no marks. The
// dialog highlight and the check marks are laid over the fills by the
// drawing itself.
struct ToolLook {
  Rgb (*rail_fill)(const ToolCanvas& canvas, int index, const MapRail& rail) = nullptr;
  Rgb (*point_fill)(const ToolCanvas& canvas, int index, const MapPoint& point) = nullptr;
  Rgb (*station_draw_fill)(const ToolCanvas& canvas, int index,
                           const MapStationDraw& draw) = nullptr;
  Rgb (*jump_end_fill)(const ToolCanvas& canvas, int jump, bool end_a) = nullptr;
  // With a hook, segments (points) show a number instead of their track
  // (branches): the one it gives, or none.
  std::optional<int> (*rail_number)(const ToolCanvas& canvas, const MapRail& rail) = nullptr;
  std::optional<int> (*point_number)(const ToolCanvas& canvas, const MapPoint& point) = nullptr;
  // Marks of half-finished clicks: the pending point, collected corners.
  void (*marks)(ToolCanvas& canvas) = nullptr;
  // What the next click adds, while the pointer is over grid point `hover`.
  void (*preview)(ToolCanvas& canvas, GridPoint hover) = nullptr;
};

// Draws the whole client area: the grid, the objects as the look of the tool
// of `options.mode` fills them, and that tool's marks and preview. Only what
// lies in the view is drawn, so a redraw costs little beyond one pass over
// the tables.
void DrawEditMap(const EditMap& map, const MapDrawOptions& options, Canvas& canvas);

// Largest x2 and y2 of the track segments: the extent the window scrolls over
// once a map has been opened.
MapExtent RailExtent(const EditMap& map);

// The size in pixels of the grid up to an extent.
struct PixelSize {
  int width = 0;
  int height = 0;
};
PixelSize MapPixelExtent(MapExtent extent);

// Columns and rows beyond the map's extent that a picture of the whole map
// shows, so that the ends of jumps and the last grid lines show.
inline constexpr int kWholeMapMarginColumns = 2;
inline constexpr int kWholeMapMarginRows = 2;

// The size in pixels of a picture of the whole map: its extent plus the
// margin.
PixelSize WholeMapPixels(MapExtent extent);

// One scroll bar of the map edit window. Positions count columns (or rows);
// `range` is the highest value of the bar as the window has always set it
// (largest column + page - 1, at least 1), so the bar reaches from position 0
// to `max_position`, where the largest column stands at the left edge.
struct ScrollAxis {
  int page = 0;          // columns (rows) per page
  int range = 1;         // highest value of the bar
  int max_position = 0;  // highest position the bar can take
  int pixels_per_step = 1;

  int PixelOffset(int position) const { return position * pixels_per_step; }
  int max_pixel_offset() const { return max_position * pixels_per_step; }
  int page_pixels() const { return page * pixels_per_step; }
};

struct MapScrollRanges {
  ScrollAxis horizontal;
  ScrollAxis vertical;
};

// The scroll bars for an extent and a client area of the given size.
MapScrollRanges MapScrollRangesFor(MapExtent extent, int view_width, int view_height);

}  // namespace corvane
